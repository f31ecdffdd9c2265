#include "views/graphs/smoothedlayout.h"

#include "solar/calendar.h"

#include <QCoreApplication>

#include <algorithm>

namespace orvanek {

namespace {

constexpr int kScreenWidthPerSize = 68;
constexpr int kPageWidthPerSize = 64;
constexpr int kGridRows = 20;
constexpr int kLabelledRows = 9;
constexpr int kOriginX = 30; // x of month 0, the vertical axis
constexpr int kGridLeft = 10;
constexpr int kYearsDrawn = 100; // at least; more when the data span more
constexpr int kScrollOverhang = 200;
constexpr int kAsymmetryOverhang = 150;
constexpr int kAxisSizes = 42; // the vertical axis, year lines and years reach 42 s down...
constexpr int kAxisShort = 15; // ...less this
constexpr int kYearLabelUp = 20;
constexpr int kValueLabelX = 1;
constexpr int kLabelRaise = 8;
constexpr int kTitleY = 2;
constexpr int kTwoDigitYearsBelow = 3; // month steps narrower than this: years as "05"

SmoothedGeometry geometry(int sizeFactor, int pixelsPerMonth, int scroll, int scrollRange) {
    SmoothedGeometry g;
    g.sizeFactor = sizeFactor;
    g.pixelsPerMonth = pixelsPerMonth;
    // In a window narrower than 16 x 68 pixels one pixel a month would round to none and
    // fold every month onto the axis; a month keeps at least one pixel.
    g.monthStep = std::max(pixelsPerMonth * sizeFactor / 16, 1);
    g.rowHeight = 2 * sizeFactor;
    g.offset = scroll;
    g.scrollRange = scrollRange;
    return g;
}

// y of a value counted in `unitsPerStep` units per scale step: a step is two rows, so the
// base line lies ten steps down. Wide products: the rows of a page times a large smoothed
// area exceed 32 bits.
int valueY(int64_t value, int64_t unitsPerStep, const SmoothedGeometry &g) {
    const int64_t base = int64_t{kGridRows} * g.rowHeight;
    return static_cast<int>(base - value * base / (unitsPerStep * kGridRows / 2));
}

QString yearText(int year, bool twoDigits) {
    return twoDigits ? QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'))
                     : QString::number(year);
}

} // namespace

QString smoothedCaption(SmoothedMode mode) {
    return mode == SmoothedMode::Smoothed
               ? QCoreApplication::translate("Graphs", "Vyhlazovací   grafy")
               : QCoreApplication::translate("Graphs", "Asymetrie    graf");
}

SmoothedGeometry smoothedScreenGeometry(QSize client, int pixelsPerMonth, int scroll,
                                        int scrollRange) {
    const int s = std::min(client.width() / kScreenWidthPerSize, client.height() / kAxisSizes);
    return geometry(s, pixelsPerMonth, scroll, scrollRange);
}

SmoothedGeometry smoothedPaperGeometry(int pageWidth, int pixelsPerMonth, int scroll,
                                       int scrollRange) {
    return geometry(pageWidth / kPageWidthPerSize, pixelsPerMonth, scroll, scrollRange);
}

int smoothedScrollRange(int clientWidth, int pixelsPerMonth) {
    return (clientWidth + kScrollOverhang) * pixelsPerMonth;
}

SmoothedLayout layoutSmoothed(const MonthlySeries &series, const SmoothedGeometry &g) {
    const SmoothedQuantityInfo &info = smoothedQuantityInfo(series.quantity);
    const int s = g.sizeFactor;
    const int u = g.rowHeight;
    const int px = g.monthStep;
    const int x0 = kOriginX - g.offset;
    const int right = g.scrollRange - g.offset;
    const int base = kGridRows * u;
    const int axisBottom = kAxisSizes * s - kAxisShort;

    SmoothedLayout l;
    for (int k = 1; k <= kGridRows; ++k)
        l.gridLines.emplace_back(kGridLeft - g.offset, u * k, right, u * k);
    for (int k = 1; k <= kLabelledRows; ++k)
        l.valueLabels[static_cast<size_t>(k - 1)] = {
            QPoint(kValueLabelX - g.offset, base - 2 * k * u - kLabelRaise),
            QString::number(info.scaleStep * k)};
    const int years = std::max(kYearsDrawn, series.lastClosedMonth() / 12 + 1);
    for (int k = 0; k <= years; ++k) {
        const int x = 12 * px * k + x0;
        l.yearLines.emplace_back(x, u, x, axisBottom);
        l.yearLabels.push_back({QPoint(2 * px + x, kAxisSizes * s - kYearLabelUp),
                                yearText(series.firstYear + k, px < kTwoDigitYearsBelow)});
    }
    l.baseLine = QLine(x0, base, right, base);
    l.axis = QLine(x0, u, x0, axisBottom);
    l.title = {QPoint(x0, kTitleY), smoothedQuantityTitle(series.quantity)};

    if (!series.hasCurves())
        return l;
    // Means are in eighths, smoothed values 192 times the value.
    const int64_t meanStep = int64_t{info.scaleStep} * kEighths;
    const int64_t smoothedStep = int64_t{info.scaleStep} * kSmoothedScale;
    l.means << QPoint(x0, base);
    for (int m = 0; m < series.closedMonths(); ++m)
        l.means << QPoint(series.monthNumber[static_cast<size_t>(m)] * px + x0,
                          valueY(series.monthlyMean[static_cast<size_t>(m)], meanStep, g));
    for (int j = series.firstSmoothed; j <= series.lastSmoothed; ++j)
        l.smoothed << QPoint(j * px + x0,
                             valueY(series.smoothed[static_cast<size_t>(j)], smoothedStep, g));
    return l;
}

int asymmetryScrollRange(const ObservationStore &store) {
    std::optional<CalendarDate> first;
    std::optional<CalendarDate> last;
    for (const ObservationRecord &record : store.records()) {
        const std::optional<CalendarDate> date = store.dateOf(record);
        if (!date)
            continue;
        if (!first)
            first = date;
        last = date;
    }
    const int days = first ? serialDay(*last) - serialDay(*first) : 0;
    return days + kAsymmetryOverhang;
}

AsymmetryScale asymmetryScale(int clientHeight, int scaleStep) {
    AsymmetryScale scale;
    scale.box = QRect(QPoint(0, 10), QPoint(49, clientHeight - 20));
    const int middle = clientHeight / 2 - 7;
    const int spacing = clientHeight / 12;
    for (int k = -5; k <= 5; ++k)
        scale.labels[static_cast<size_t>(k + 5)] = {QPoint(10, middle - spacing * k),
                                                    QString::number(scaleStep * k)};
    return scale;
}

} // namespace orvanek
