#pragma once

#include "views/silso/silsocomparison.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace orvanek {

// A text placed by an anchor point: left, centred or right of it, its middle on it.
struct ChartLabel {
    enum Align { Left, Centre, Right };
    QPointF at;
    QString text;
    Align align = Left;
    QColor colour = Qt::black;
    bool bold = false;
};

// The comparison window's picture laid out in view pixels: above, the own monthly R times
// the overall k and SILSO's monthly mean as two curves against months; below, each month's
// k as a point about the line of the overall k. Months without a common day break the
// curves.
struct SilsoChart {
    QSizeF size;
    QRectF upper;
    QRectF lower;
    // The months across both panels: year x 12 + month - 1 of the first, and how many.
    int firstMonth = 0;
    int monthCount = 0;
    double upperTop = 0; // the value at the upper panel's top; its bottom is 0
    double lowerLow = 0; // the k values at the lower panel's bottom and top
    double lowerHigh = 0;
    std::vector<QPolygonF> ownCurve; // runs of consecutive months
    std::vector<QPolygonF> silsoCurve;
    std::vector<QPointF> kPoints;  // months with a k
    std::optional<QLineF> kLine;   // the overall k; nothing when it has no value
    std::vector<QLineF> gridLines; // faint lines at the value marks of both panels
    std::vector<QLineF> ticks;     // year marks under both panels
    QLineF ownLegend;              // the legend's line samples
    QLineF silsoLegend;
    std::vector<ChartLabel> labels; // title, legend, value marks, years
    // Instead of a chart when there is nothing to compare.
    QString message;
};

// The own and SILSO curves' colours and the k points'.
inline QColor ownCurveColour() {
    return {0, 0, 200};
}
inline QColor silsoCurveColour() {
    return {200, 0, 0};
}
inline QColor kPointColour() {
    return {0, 120, 0};
}

// Lays the comparison out in a picture of `size` view pixels.
SilsoChart silsoChart(const SilsoComparison &comparison, QSizeF size);

// Where month `month` (1..12) of `year` lies across the panels: the middle of its column.
double silsoChartMonthX(const SilsoChart &chart, int year, int month);

} // namespace orvanek
