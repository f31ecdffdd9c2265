#pragma once

// The smoothed graph placed on the window or a page, and the asymmetry window's scale.

#include "views/graphs/graphlayout.h"
#include "views/graphs/monthlyseries.h"

#include <QLine>
#include <QPolygon>
#include <QRect>
#include <QSize>

#include <array>
#include <vector>

namespace orvanek {

// Which window the smoothed-graph window is: the smoothed graphs, or the asymmetry graph,
// which only offers a scale.
enum class SmoothedMode { Smoothed = 0, Asymmetry = 1 };
QString smoothedCaption(SmoothedMode mode);

// The scale of one drawing: everything grows with the size factor s.
struct SmoothedGeometry {
    int sizeFactor = 0; // s: window width div 68 (less in a low window), page width div 64
    int pixelsPerMonth = kDefaultPixelsPerMonth; // the width box, 1..5
    int monthStep = 0;                           // px = pixelsPerMonth x s div 16, at least 1
    int rowHeight = 0;                           // u = 2 s, one grid row
    int offset = 0;                              // the window's scroll position S
    int scrollRange = 0;                         // grid and base line end here (before S)
    int dotsPerInch = kScreenDotsPerInch;        // text sizes are points at this resolution
};
// On screen s is the client width div 68, or the client height div 42 where the window is
// too low for 42 s: the graph and its years reach 42 s down and stay in view.
SmoothedGeometry smoothedScreenGeometry(QSize client, int pixelsPerMonth, int scroll,
                                        int scrollRange);
SmoothedGeometry smoothedPaperGeometry(int pageWidth, int pixelsPerMonth, int scroll,
                                       int scrollRange);
// The window's horizontal scroll range for a width box value.
int smoothedScrollRange(int clientWidth, int pixelsPerMonth);

// Everything one drawing of the smoothed graph shows, every x already less the scroll.
struct SmoothedLayout {
    GraphText title;
    std::vector<QLine> gridLines; // 20 rows
    std::array<GraphText, 9> valueLabels;
    std::vector<QLine> yearLines;
    std::vector<GraphText> yearLabels;
    QLine baseLine;
    QLine axis;
    QPolygon means;    // from the origin through every closed month; empty below 2 months
    QPolygon smoothed; // empty when no smoothed value is computed
};
SmoothedLayout layoutSmoothed(const MonthlySeries &series, const SmoothedGeometry &geometry);

// The asymmetry window scrolls over the days of the data and 150 pixels more.
int asymmetryScrollRange(const ObservationStore &store);

// Its scale command: a white box at the left edge with the step's multiples -5..5 around
// the middle of the window.
struct AsymmetryScale {
    QRect box;
    std::array<GraphText, 11> labels;
};
AsymmetryScale asymmetryScale(int clientHeight, int scaleStep);

} // namespace orvanek
