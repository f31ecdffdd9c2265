#include "views/graphs/graphview.h"

#include <algorithm>

namespace orvanek {

namespace {
constexpr int kSmoothedOrigin = 30;    // x of month 0
constexpr int kSmoothedOverhang = 200; // scroll range past the last month
constexpr int kNewestMargin = 50;      // the last month this far from the right edge
} // namespace

GraphView openedGraphView(const ObservationStore &store, const GraphState &state,
                          QSize clientSize) {
    GraphView view;
    view.series = graphSeries(store, state.quantity, kScreenPixelsPerDay,
                              screenPanelSize(clientSize.height()).divisionHeight);
    const int scroll = graphScroll(view.series, clientSize.width()).position;
    view.geometry =
        screenGraphGeometry(clientSize.width(), clientSize.height(), state.mode, scroll);
    view.model = buildGraphModel(view.series, view.geometry);
    return view;
}

int smoothedScrollRange(const MonthlySeries &series, QSize client, int pixelsPerMonth) {
    const SmoothedGeometry g = smoothedScreenGeometry(client, pixelsPerMonth, 0, 0);
    const int lastX = kSmoothedOrigin + series.lastClosedMonth() * g.monthStep;
    return std::max(smoothedScrollRange(client.width(), pixelsPerMonth), lastX + kSmoothedOverhang);
}

int smoothedNewestScroll(const MonthlySeries &series, QSize client, int pixelsPerMonth,
                         int scrollRange) {
    const SmoothedGeometry g = smoothedScreenGeometry(client, pixelsPerMonth, 0, 0);
    const int lastX = kSmoothedOrigin + series.lastClosedMonth() * g.monthStep;
    const int wanted = lastX + kNewestMargin - client.width();
    return std::clamp(wanted, 0, std::max(scrollRange - client.width(), 0));
}

SmoothedView smoothedView(const ObservationStore &store, const SmoothedState &state,
                          QSize clientSize, int scroll) {
    return smoothedView(buildMonthlySeries(store, state.quantity), state, clientSize, scroll);
}

SmoothedView smoothedView(MonthlySeries series, const SmoothedState &state, QSize clientSize,
                          int scroll) {
    SmoothedView view;
    view.series = std::move(series);
    const int range = smoothedScrollRange(view.series, clientSize, state.pixelsPerMonth);
    view.geometry = smoothedScreenGeometry(clientSize, state.pixelsPerMonth, scroll, range);
    view.layout = layoutSmoothed(view.series, view.geometry);
    return view;
}

SmoothedView openedSmoothedView(const ObservationStore &store, const SmoothedState &state,
                                QSize clientSize) {
    const MonthlySeries series = buildMonthlySeries(store, state.quantity);
    const int range = smoothedScrollRange(series, clientSize, state.pixelsPerMonth);
    const int scroll = smoothedNewestScroll(series, clientSize, state.pixelsPerMonth, range);
    SmoothedView view;
    view.series = series;
    view.geometry = smoothedScreenGeometry(clientSize, state.pixelsPerMonth, scroll, range);
    view.layout = layoutSmoothed(view.series, view.geometry);
    return view;
}

} // namespace orvanek
