// orvanek-cli series: the numbers of the smoothed graph, one row per month from the first
// year's January to the last closed month.
#include "cli/entrycommands.h"
#include "data/observationstore.h"
#include "views/graphs/monthlyseries.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <vector>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

constexpr int kDecimals = 4;

// One month of the series; values in eighths (means, interpolated) or 192ths (smoothed).
struct SeriesRow {
    int month;
    int year;
    int monthNumber;
    std::optional<int32_t> mean;
    std::optional<int32_t> interpolated;
    std::optional<int32_t> smoothed;
};

QString fraction(const std::optional<int32_t> &value, int denominator) {
    return value ? QString::number(static_cast<double>(*value) / denominator, 'f', kDecimals)
                 : QString();
}

struct SeriesColumn {
    const char *name;
    QString (*value)(const SeriesRow &row);
};

// clang-format off
const SeriesColumn kSeriesColumns[] = {
    {"month", [](const SeriesRow &r) { return QString::number(r.month); }},
    {"year", [](const SeriesRow &r) { return QString::number(r.year); }},
    {"monthNumber", [](const SeriesRow &r) { return QString::number(r.monthNumber); }},
    {"monthlyMean", [](const SeriesRow &r) { return fraction(r.mean, kEighths); }},
    {"interpolated", [](const SeriesRow &r) { return fraction(r.interpolated, kEighths); }},
    {"smoothed", [](const SeriesRow &r) { return fraction(r.smoothed, kSmoothedScale); }},
};
// clang-format on

std::vector<SeriesRow> seriesRows(const MonthlySeries &series) {
    const int last = series.lastClosedMonth();
    if (last < 1)
        return {};
    std::vector<std::optional<int32_t>> means(static_cast<size_t>(last) + 1);
    for (int m = 0; m < series.closedMonths(); ++m) {
        const int number = series.monthNumber[static_cast<size_t>(m)];
        if (number >= 1 && number <= last)
            means[static_cast<size_t>(number)] = series.monthlyMean[static_cast<size_t>(m)];
    }
    // A single closed month draws nothing, but its interpolated value is its mean.
    const std::vector<int32_t> interpolated =
        series.hasCurves() ? series.interpolatedMonthly
                           : interpolateMonthly(series.monthNumber, series.monthlyMean);
    // Before the first month with records there is nothing to interpolate between.
    const int firstData = *std::min_element(series.monthNumber.begin(), series.monthNumber.end());

    std::vector<SeriesRow> rows;
    rows.reserve(static_cast<size_t>(last));
    for (int j = 1; j <= last; ++j) {
        SeriesRow row{(j - 1) % 12 + 1,
                      series.firstYear + (j - 1) / 12,
                      j,
                      means[static_cast<size_t>(j)],
                      std::nullopt,
                      std::nullopt};
        if (j >= firstData && static_cast<size_t>(j) < interpolated.size())
            row.interpolated = interpolated[static_cast<size_t>(j)];
        if (series.hasSmoothed(j))
            row.smoothed = series.smoothed[static_cast<size_t>(j)];
        rows.push_back(row);
    }
    return rows;
}

} // namespace

int commandSeries(CommandContext &c) {
    std::optional<SmoothedQuantity> quantity = SmoothedQuantity::Groups;
    if (c.options.isSet(QStringLiteral("quantity")))
        quantity = smoothedQuantityFromKey(c.options.value(QStringLiteral("quantity")));
    if (!quantity)
        return c.out.fail(CliUsage,
                          CliTexts::tr("--quantity: „%1“ není g, f, r, cv, sn, rb, area ani "
                                       "hemisphere")
                              .arg(inputExcerpt(c.options.value(QStringLiteral("quantity")))));
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;

    QStringList header;
    for (const SeriesColumn &column : kSeriesColumns)
        header << QString::fromLatin1(column.name);
    c.out.row(header);
    for (const SeriesRow &row : seriesRows(buildMonthlySeries(store, *quantity))) {
        QStringList fields;
        for (const SeriesColumn &column : kSeriesColumns)
            fields << column.value(row);
        c.out.row(fields);
    }
    return finishTable(c.out, unreadableDateCount(store));
}

} // namespace orvanek
