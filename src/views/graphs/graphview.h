#pragma once

// What the two graph windows keep of their own, and one paint of each built from it: the
// settings the windows and the command line share.

#include "views/graphs/graphlayout.h"
#include "views/graphs/smoothedlayout.h"

#include <QSize>

namespace orvanek {

// The graph window's own choices: the quantity checked and the panels shown.
struct GraphState {
    GraphQuantity quantity = GraphQuantity::Groups;
    DisplayMode mode = DisplayMode::All;
};

// One paint of the graph window: the series with heights at the paint's division, the
// geometry scrolled as the window is, and the model placed from both.
struct GraphView {
    GraphSeries series;
    GraphGeometry geometry;
    GraphModel model;
};

// The graph window as it first paints at a client size: two pixels a day, the heights at
// that size's division, scrolled so that the newest record is in view.
GraphView openedGraphView(const ObservationStore &store, const GraphState &state, QSize clientSize);

// The smoothed-graph window's own choices: the quantity and the width box.
struct SmoothedState {
    SmoothedQuantity quantity = SmoothedQuantity::Groups;
    int pixelsPerMonth = kDefaultPixelsPerMonth;
};

// The horizontal scroll range of the smoothed window: the width box's range, or as far as
// the last closed month reaches and 200 pixels more when the data span further.
int smoothedScrollRange(const MonthlySeries &series, QSize client, int pixelsPerMonth);

// The scroll that brings the last closed month into view: 0 while it is in view from the
// start, otherwise far enough to show it 50 pixels from the right edge.
int smoothedNewestScroll(const MonthlySeries &series, QSize client, int pixelsPerMonth,
                         int scrollRange);

// One paint of the smoothed graphs at a client size and scroll.
struct SmoothedView {
    MonthlySeries series;
    SmoothedGeometry geometry;
    SmoothedLayout layout;
};
SmoothedView smoothedView(const ObservationStore &store, const SmoothedState &state,
                          QSize clientSize, int scroll);
// The same from the series of the state's quantity, built before (a window keeps it while
// the records and the quantity stay, so that a scroll only lays out and paints).
SmoothedView smoothedView(MonthlySeries series, const SmoothedState &state, QSize clientSize,
                          int scroll);
// The smoothed window as it opens at a client size, the newest closed month in view.
SmoothedView openedSmoothedView(const ObservationStore &store, const SmoothedState &state,
                                QSize clientSize);

} // namespace orvanek
