#include "views/graphs/monthlyseries.h"

#include "solar/rounding.h"

#include <QCoreApplication>

#include <algorithm>

namespace orvanek {

const std::array<SmoothedQuantityInfo, 8> &smoothedQuantities() {
    using S = RecordSummary;
    static const std::array<SmoothedQuantityInfo, 8> table = {{
        {SmoothedQuantity::Groups, QStringLiteral("g"), &S::northGroups, &S::southGroups, 3,
         QT_TRANSLATE_NOOP("Graphs", "Počet skupin")},
        {SmoothedQuantity::Spots, QStringLiteral("f"), &S::northSpots, &S::southSpots, 25,
         QT_TRANSLATE_NOOP("Graphs", "Počet skvrn")},
        {SmoothedQuantity::Relative, QStringLiteral("r"), &S::northR, &S::southR, 40,
         QT_TRANSLATE_NOOP("Graphs", "Relativní číslo")},
        {SmoothedQuantity::ClassSum, QStringLiteral("cv"), &S::northClassSum, &S::southClassSum, 40,
         QT_TRANSLATE_NOOP("Graphs", " CV  (McIntoshovo číslo)")},
        {SmoothedQuantity::Pettis, QStringLiteral("sn"), &S::northSN, &S::southSN, 60,
         QT_TRANSLATE_NOOP("Graphs", " SN  (Pettisovo číslo)")},
        {SmoothedQuantity::Beck, QStringLiteral("rb"), &S::northRB, &S::southRB, 250,
         QT_TRANSLATE_NOOP("Graphs", " RB  (Beckovo číslo)")},
        {SmoothedQuantity::Area, QStringLiteral("area"), &S::northArea, &S::southArea, 400,
         QT_TRANSLATE_NOOP("Graphs", " Plocha  skvrn  disk")},
        {SmoothedQuantity::HemisphereArea, QStringLiteral("hemisphere"), &S::northCorrectedArea,
         &S::southCorrectedArea, 400, QT_TRANSLATE_NOOP("Graphs", " Plocha skvrn  polokoule")},
    }};
    return table;
}

const SmoothedQuantityInfo &smoothedQuantityInfo(SmoothedQuantity quantity) {
    return smoothedQuantities()[static_cast<size_t>(quantity) - 1];
}

QString smoothedQuantityTitle(SmoothedQuantity quantity) {
    return QCoreApplication::translate("Graphs", smoothedQuantityInfo(quantity).title);
}

std::optional<SmoothedQuantity> smoothedQuantityFromKey(QStringView key) {
    for (const SmoothedQuantityInfo &info : smoothedQuantities())
        if (key.compare(info.key, Qt::CaseInsensitive) == 0)
            return info.quantity;
    return std::nullopt;
}

int monthNumber(const CalendarDate &date, int firstYear) {
    return (date.curYear - firstYear) * 12 + date.curMonth;
}

std::vector<int32_t> interpolateMonthly(const std::vector<int> &monthNumbers,
                                        const std::vector<int32_t> &means) {
    const int last =
        monthNumbers.empty() ? 0 : *std::max_element(monthNumbers.begin(), monthNumbers.end());
    std::vector<int32_t> table(static_cast<size_t>(std::max(last, 0)) + 1, 0);
    if (monthNumbers.empty() || monthNumbers.front() < 1)
        return table;
    table[static_cast<size_t>(monthNumbers.front())] = means.front();
    for (size_t m = 1; m < monthNumbers.size(); ++m) {
        const int a = monthNumbers[m - 1];
        const int b = monthNumbers[m];
        if (b < 1)
            continue;
        const int d = b - a;
        if (d > 1) {
            // The slope in single precision, as the smoothed values have always been
            // computed; the sum rounded half to even.
            const float slope = static_cast<float>(means[m] - means[m - 1]) / static_cast<float>(d);
            for (int j = a + 1; j <= b; ++j)
                table[static_cast<size_t>(j)] = static_cast<int32_t>(
                    roundHalfEven(means[m - 1] + (j - a) * static_cast<double>(slope)));
        } else {
            table[static_cast<size_t>(b)] = means[m];
        }
    }
    return table;
}

int32_t smoothedValue(const std::vector<int32_t> &interpolated, int month) {
    const auto at = [&](int j) { return interpolated[static_cast<size_t>(j)]; };
    int32_t sum = at(month - kSmoothingHalfWidth) + at(month + kSmoothingHalfWidth);
    for (int j = month - kSmoothingHalfWidth + 1; j <= month + kSmoothingHalfWidth - 1; ++j)
        sum += 2 * at(j);
    return sum;
}

MonthlySeries buildMonthlySeries(const ObservationStore &store, SmoothedQuantity quantity) {
    const SmoothedQuantityInfo &info = smoothedQuantityInfo(quantity);
    MonthlySeries series;
    series.quantity = quantity;

    bool started = false;
    int currentMonth = 0; // month number of the month being summed
    int64_t sum = 0;
    int64_t count = 0;
    for (const ObservationRecord &record : store.records()) {
        const std::optional<CalendarDate> date = store.dateOf(record);
        if (!date)
            continue; // a record without a date belongs to no month
        if (!started) {
            series.firstYear = date->curYear;
            started = true;
        }
        const int month = monthNumber(*date, series.firstYear);
        if (month < 1)
            continue; // before the first record's year: only in a store out of date order
        const int value = record.summary.*info.northField + record.summary.*info.southField;
        if (count > 0 && month != currentMonth) {
            series.monthNumber.push_back(currentMonth);
            series.monthlyMean.push_back(static_cast<int32_t>(sum * kEighths / count));
            count = 0;
            sum = 0;
        }
        currentMonth = month;
        sum += value;
        ++count;
    }
    // The month of the last record may still be running: it is left out.

    if (!series.hasCurves())
        return series;
    series.interpolatedMonthly = interpolateMonthly(series.monthNumber, series.monthlyMean);
    // A smoothed value needs six months of data on either side: none before the first
    // month with records, and the last closed month kept one further away.
    series.firstSmoothed =
        std::max(kSmoothingHalfWidth + 1, series.monthNumber.front() + kSmoothingHalfWidth);
    series.lastSmoothed = series.lastClosedMonth() - kSmoothingHalfWidth - 1;
    series.smoothed.assign(series.interpolatedMonthly.size(), 0);
    for (int j = series.firstSmoothed; j <= series.lastSmoothed; ++j)
        series.smoothed[static_cast<size_t>(j)] = smoothedValue(series.interpolatedMonthly, j);
    return series;
}

int pixelsPerMonthFromText(const QString &text) {
    bool ok = false;
    const int typed = text.trimmed().toInt(&ok);
    if (!ok || typed <= 0)
        return kDefaultPixelsPerMonth;
    return std::min(typed, kMaxPixelsPerMonth);
}

} // namespace orvanek
