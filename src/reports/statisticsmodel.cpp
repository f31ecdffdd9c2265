#include "reports/statisticsmodel.h"

#include "data/numberformat.h"
#include "data/observationstore.h"
#include "solar/rounding.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

namespace orvanek {

namespace {

constexpr int kMonthsPerYear = 12;
constexpr int kTenths = 10;
constexpr int kExtraColumns = StatisticsColumnCount - kRegionQuantities;

// The 13-month window: the centre month, five full-weight months on each side, and the
// months six away at half weight. 24 weights of 1/2 times tenths: 240.
constexpr int kHalfWindow = 6;
constexpr double kWindowDivisor = 240.0;
// Smoothed values need at least 14 months; the last seven months get none.
constexpr int kFirstSmoothableLastIndex = 13;
constexpr int kUnsmoothedTail = 7;

// The hemisphere values of g, f and R.
struct RegionQuantity {
    int (*north)(const RecordSummary &);
    int (*south)(const RecordSummary &);
};
constexpr RegionQuantity kRegionQuantitySources[kRegionQuantities] = {
    {[](const RecordSummary &s) { return static_cast<int>(s.northGroups); },
     [](const RecordSummary &s) { return static_cast<int>(s.southGroups); }},
    {[](const RecordSummary &s) { return static_cast<int>(s.northSpots); },
     [](const RecordSummary &s) { return static_cast<int>(s.southSpots); }},
    {[](const RecordSummary &s) { return static_cast<int>(s.northR); },
     [](const RecordSummary &s) { return static_cast<int>(s.southR); }},
};

// The whole-disk columns after g, f, R: fields of the record as the observer entered them.
struct ExtraColumn {
    const char *name;
    int (*read)(const ObservationRecord &);
};
constexpr ExtraColumn kExtraSources[kExtraColumns] = {
    {"gc", [](const ObservationRecord &r) { return static_cast<int>(r.centralGroups); }},
    {"fc", [](const ObservationRecord &r) { return static_cast<int>(r.centralSpots); }},
    {"rc", [](const ObservationRecord &r) { return static_cast<int>(r.centralR); }},
    {"F", [](const ObservationRecord &r) { return static_cast<int>(r.faculaTotal); }},
    {"p", [](const ObservationRecord &r) { return static_cast<int>(r.conditions); }},
    {"o", [](const ObservationRecord &r) { return static_cast<int>(r.imageQuality); }},
    {"Q", [](const ObservationRecord &r) { return static_cast<int>(r.seeingQuality); }},
};
constexpr const char *kRegionColumnNames[kRegionQuantities] = {"g", "f", "r"};

int regionValue(const RecordSummary &s, int quantity, StatRegion region) {
    const RegionQuantity &q = kRegionQuantitySources[quantity];
    switch (region) {
    case StatRegion::North:
        return q.north(s);
    case StatRegion::South:
        return q.south(s);
    case StatRegion::Total:
        break;
    }
    return q.north(s) + q.south(s);
}

// What the records of one calendar month add up to.
struct MonthSums {
    std::array<long long, kRegionQuantities> region{};
    std::array<long long, kExtraColumns> extras{};
    int days = 0; // records counted
};

struct MonthlySums {
    int firstYear = 0;
    int firstMonth = 0;
    std::vector<MonthSums> months; // index 0 is the first month with a readable record
};

int monthKey(const CalendarDate &d) {
    return d.curYear * kMonthsPerYear + d.curMonth - 1;
}

// Sums every record into its calendar month (month and year), in one pass over the dates
// and one over the records. The span runs from the earliest to the latest month, so it is
// the first and the last record's months in a sorted store.
MonthlySums sumByMonth(const ObservationStore &store, StatRegion region) {
    const auto &records = store.records();
    std::vector<int> keys(records.size(), -1);
    int first = INT_MAX;
    int last = INT_MIN;
    for (size_t i = 0; i < records.size(); ++i) {
        if (isPlaceholderRecord(records[i]))
            continue; // no observation: neither a month nor a day of one
        const auto date = store.dateOf(records[i]);
        if (!date)
            continue;
        keys[i] = monthKey(*date);
        first = std::min(first, keys[i]);
        last = std::max(last, keys[i]);
    }
    MonthlySums sums;
    if (first > last)
        return sums;
    sums.firstYear = first / kMonthsPerYear;
    sums.firstMonth = first % kMonthsPerYear + 1;
    sums.months.resize(static_cast<size_t>(last - first + 1));
    for (size_t i = 0; i < records.size(); ++i) {
        if (keys[i] < 0)
            continue;
        MonthSums &m = sums.months[static_cast<size_t>(keys[i] - first)];
        const ObservationRecord &r = records[i];
        for (int k = 0; k < kRegionQuantities; ++k)
            m.region[static_cast<size_t>(k)] += regionValue(r.summary, k, region);
        if (region == StatRegion::Total)
            for (int e = 0; e < kExtraColumns; ++e)
                m.extras[static_cast<size_t>(e)] += kExtraSources[e].read(r);
        ++m.days;
    }
    return sums;
}

StatisticsTable emptyTable(const MonthlySums &sums, bool smoothed, StatRegion region) {
    StatisticsTable table;
    table.smoothed = smoothed;
    table.region = region;
    table.rows.resize(sums.months.size());
    for (size_t i = 0; i < table.rows.size(); ++i) {
        const int n = sums.firstMonth - 1 + static_cast<int>(i);
        table.rows[i].year = sums.firstYear + n / kMonthsPerYear;
        table.rows[i].month = n % kMonthsPerYear + 1;
    }
    return table;
}

// Months whose stored g is 0 are missing (month 0 never is): each run of them between two
// months with g gets the values on the straight line between those two, rounded; a run
// that reaches the end stays 0.
void fillMissingMonths(std::vector<std::array<int, kRegionQuantities>> &months) {
    size_t runStart = 0; // first missing month of the current run; 0 when there is none
    for (size_t i = 1; i < months.size(); ++i) {
        if (months[i][StatG] == 0) {
            if (runStart == 0)
                runStart = i;
            continue;
        }
        if (runStart == 0)
            continue;
        const auto p = months[runStart - 1];
        const auto q = months[i];
        const int n = static_cast<int>(i - runStart);
        for (int t = 1; t <= n; ++t) {
            auto &filled = months[runStart - 1 + static_cast<size_t>(t)];
            for (size_t k = 0; k < kRegionQuantities; ++k) {
                // The step is formed on ten times the tenths, as the stored tables were.
                const double step = (q[k] * 10.0 - p[k] * 10.0) * t / (n + 1);
                filled[k] = static_cast<int>(roundHalfEven(step * 0.1)) + p[k];
            }
        }
        runStart = 0;
    }
}

QString oneDecimal(double value) {
    return formatNumber(value, "0.0");
}

} // namespace

QString statisticsColumnName(int column) {
    if (column < 1 || column > StatisticsColumnCount)
        return {};
    if (column <= kRegionQuantities)
        return QString::fromLatin1(kRegionColumnNames[column - 1]);
    return QString::fromLatin1(kExtraSources[column - 1 - kRegionQuantities].name);
}

QString statisticsHeading(int column) {
    const QString name = statisticsColumnName(column);
    return name.isEmpty() ? name : QStringLiteral("   ") + name;
}

StatisticsTable measuredStatistics(const ObservationStore &store, StatRegion region) {
    const MonthlySums sums = sumByMonth(store, region);
    StatisticsTable table = emptyTable(sums, false, region);
    for (size_t i = 0; i < sums.months.size(); ++i) {
        const MonthSums &m = sums.months[i];
        if (m.days == 0)
            continue;
        auto &values = table.rows[i].values;
        for (size_t k = 0; k < kRegionQuantities; ++k)
            values[k] = static_cast<double>(m.region[k]) / m.days;
        if (region == StatRegion::Total)
            for (size_t e = 0; e < kExtraColumns; ++e)
                values[kRegionQuantities + e] = static_cast<double>(m.extras[e]) / m.days;
    }
    return table;
}

StatisticsTable smoothedStatistics(const ObservationStore &store, StatRegion region) {
    const MonthlySums sums = sumByMonth(store, region);
    StatisticsTable table = emptyTable(sums, true, region);
    auto &tenths = table.monthlyTenths;
    tenths.resize(sums.months.size());
    for (size_t i = 0; i < sums.months.size(); ++i) {
        const MonthSums &m = sums.months[i];
        if (m.days == 0)
            continue;
        for (size_t k = 0; k < kRegionQuantities; ++k)
            tenths[i][k] = static_cast<int>(m.region[k] * kTenths / m.days);
    }
    fillMissingMonths(tenths);

    const int last = table.lastMonthIndex();
    if (last < kFirstSmoothableLastIndex)
        return table;
    for (int c = kHalfWindow; c <= last - kUnsmoothedTail; ++c) {
        for (size_t k = 0; k < kRegionQuantities; ++k) {
            long long inner = 0;
            for (int j = c - kHalfWindow + 1; j <= c + kHalfWindow - 1; ++j)
                inner += tenths[static_cast<size_t>(j)][k];
            const long long ends = tenths[static_cast<size_t>(c - kHalfWindow)][k] +
                                   tenths[static_cast<size_t>(c + kHalfWindow)][k];
            // Kept in single precision, as the smoothed tables always were.
            const float smoothed = static_cast<float>((2.0 * inner + ends) / kWindowDivisor);
            table.rows[static_cast<size_t>(c)].values[k] = smoothed;
        }
    }
    return table;
}

QString statisticsMonthLabel(int year, int month) {
    return QStringLiteral(" %1.%2").arg(month, 2, 10, QLatin1Char('0')).arg(year);
}

QString statisticsGridText(const StatisticsTable &table, int column, int row) {
    if (row == 0)
        return column <= table.valueColumns() ? statisticsHeading(column) : QString();
    if (row < 1 || row > static_cast<int>(table.rows.size()))
        return {};
    const StatisticsRow &r = table.rows[static_cast<size_t>(row - 1)];
    if (column == 0)
        return statisticsMonthLabel(r.year, r.month);
    if (column < 1 || column > table.valueColumns())
        return {};
    const auto &value = r.values[static_cast<size_t>(column - 1)];
    if (!value)
        return {};
    return table.smoothed ? oneDecimal(*value) : oneDecimal(*value).rightJustified(5, u' ');
}

QString statisticsWidestText(const StatisticsTable &table, int column) {
    if (table.rows.empty() || column < 0 || column > table.valueColumns())
        return {};
    if (column == 0)
        return statisticsMonthLabel(table.rows.back().year, table.rows.back().month);
    std::optional<double> lowest;
    std::optional<double> highest;
    for (const StatisticsRow &r : table.rows)
        if (const auto &value = r.values[static_cast<size_t>(column - 1)]) {
            lowest = std::min(lowest.value_or(*value), *value);
            highest = std::max(highest.value_or(*value), *value);
        }
    if (!highest)
        return {};
    // One decimal: the most digits are at one end or the other (a minus sign counts).
    const QString low = oneDecimal(*lowest);
    const QString high = oneDecimal(*highest);
    return low.size() > high.size() ? low : high;
}

std::vector<QStringList> statisticsCsvRows(const StatisticsTable &table) {
    std::vector<QStringList> rows;
    rows.reserve(table.rows.size() + 1);
    QStringList header{QStringLiteral("month")};
    for (int c = 1; c <= table.valueColumns(); ++c)
        header << statisticsColumnName(c);
    rows.push_back(header);
    for (const StatisticsRow &r : table.rows) {
        QStringList fields{statisticsMonthLabel(r.year, r.month).trimmed()};
        for (int c = 0; c < table.valueColumns(); ++c) {
            const auto &value = r.values[static_cast<size_t>(c)];
            fields << (value ? oneDecimal(*value) : QString());
        }
        rows.push_back(fields);
    }
    return rows;
}

int statisticsPrintScale(PageSize page) {
    constexpr int kTableWidth = 704; // the printed table's own width
    return std::max(1, page.width / kTableWidth);
}

int statisticsLinesPerPage(PageSize page) {
    constexpr int kMargins = 400;   // heading and foot of the page, page pixels
    constexpr int kLineHeight = 15; // table units
    return std::max(1, (page.height - kMargins) / (kLineHeight * statisticsPrintScale(page)));
}

double statisticsPageEstimate(const StatisticsTable &table, PageSize page) {
    return (table.lastMonthIndex() + 2) / static_cast<double>(statisticsLinesPerPage(page));
}

QString statisticsCountLabel(const StatisticsTable &table, PageSize page) {
    return QCoreApplication::translate("Statistics", "Počet hodnot je = ") +
           QString::number(table.lastMonthIndex() + 2) + QStringLiteral("   ( ") +
           formatNumber(statisticsPageEstimate(table, page), "##.#") +
           QCoreApplication::translate("Statistics", "  str.)");
}

std::vector<PrintedPage> statisticsPrintPages(int lastRow, int linesPerPage,
                                              StatisticsPrintRange range, int cursorRow) {
    std::vector<PrintedPage> pages;
    if (lastRow < 1)
        return pages;
    linesPerPage = std::max(1, linesPerPage);
    const int start =
        range == StatisticsPrintRange::AllValues ? 1 : std::clamp(cursorRow, 1, lastRow);
    for (int first = start; first <= lastRow; first += linesPerPage) {
        pages.push_back({static_cast<int>(pages.size()) + 1, first,
                         std::min(lastRow, first + linesPerPage - 1)});
        if (range == StatisticsPrintRange::OnePageFromCursor)
            break;
    }
    return pages;
}

} // namespace orvanek
