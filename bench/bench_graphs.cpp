// The graph windows per paint over long series: the daily series with the graph window's
// placed panels, the monthly means with their smoothing and layout, and the painters
// drawing them. A paint of either window (model and painter) must stay under 4 ms at
// 10 000 records and within a frame (16 ms) at 100 000, growing linearly; a scroll step of
// the graph window shifts the panels it placed rather than placing them again.

#include "bench/datagenerator.h"
#include "data/observationstore.h"
#include "views/graphs/graphlayout.h"
#include "views/graphs/graphpainter.h"
#include "views/graphs/graphview.h"
#include "views/graphs/smoothedlayout.h"
#include "views/graphs/smoothedpainter.h"

#include <QDate>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace orvanek;

constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 700;

// Time axis and heights: what opening the window or choosing a quantity costs.
void BM_GraphSeries(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const int divisionHeight = screenPanelSize(kClientHeight).divisionHeight;
    for (auto _ : state) {
        GraphSeries series =
            graphSeries(s, GraphQuantity::Relative, kScreenPixelsPerDay, divisionHeight);
        benchmark::DoNotOptimize(series);
    }
    state.SetComplexityN(state.range(0));
}

// One paint's model of all three panels, scrolled to the newest data.
void BM_GraphModel(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const int divisionHeight = screenPanelSize(kClientHeight).divisionHeight;
    const GraphSeries series =
        graphSeries(s, GraphQuantity::Relative, kScreenPixelsPerDay, divisionHeight);
    const int scroll = graphScroll(series, kClientWidth).position;
    for (auto _ : state) {
        const GraphGeometry g =
            screenGraphGeometry(kClientWidth, kClientHeight, DisplayMode::All, scroll);
        GraphModel model = buildGraphModel(series, g);
        benchmark::DoNotOptimize(model);
    }
    state.SetComplexityN(state.range(0));
}

// The smoothed window recomputes its monthly series at every paint.
void BM_SmoothedModel(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const SmoothedGeometry g =
        smoothedScreenGeometry({kClientWidth, kClientHeight}, kDefaultPixelsPerMonth, 0,
                               smoothedScrollRange(kClientWidth, kDefaultPixelsPerMonth));
    for (auto _ : state) {
        const MonthlySeries series = buildMonthlySeries(s, SmoothedQuantity::Relative);
        SmoothedLayout layout = layoutSmoothed(series, g);
        benchmark::DoNotOptimize(layout);
    }
    state.SetComplexityN(state.range(0));
}

// One paint of the graph window placed afresh: the model of all three panels and the
// painter drawing it on a window-sized image (the heights were computed when the size was
// first known).
void BM_GraphPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const GraphView view = openedGraphView(s, {GraphQuantity::Relative, DisplayMode::All},
                                           {kClientWidth, kClientHeight});
    QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        paintGraphs(painter, buildGraphModel(view.series, view.geometry), view.geometry);
    }
    state.SetComplexityN(state.range(0));
}

// A scroll step of the open window: the panels it placed when it opened, shifted to the
// new position and painted (steps of 8 pixels, the scroll bar's arrow, back over 800).
void BM_GraphScrollPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const GraphView view = openedGraphView(s, {GraphQuantity::Relative, DisplayMode::All},
                                           {kClientWidth, kClientHeight});
    QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        GraphGeometry scrolled = view.geometry;
        scrolled.offset = std::max(0, view.geometry.offset - 8 * step);
        step = (step + 1) % 100;
        image.fill(Qt::white);
        QPainter painter(&image);
        paintGraphs(painter, view.model, scrolled);
    }
    state.SetComplexityN(state.range(0));
}

// The window's first paint: the series with its heights, then model and paint.
void BM_GraphOpenAndPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const GraphView view = openedGraphView(s, {GraphQuantity::Relative, DisplayMode::All},
                                               {kClientWidth, kClientHeight});
        image.fill(Qt::white);
        QPainter painter(&image);
        paintGraphs(painter, view.model, view.geometry);
    }
    state.SetComplexityN(state.range(0));
}

// One paint of the smoothed window, which recomputes the monthly series every time.
void BM_SmoothedPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const SmoothedView view =
            smoothedView(s, {SmoothedQuantity::Relative, kDefaultPixelsPerMonth},
                         {kClientWidth, kClientHeight}, 0);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSmoothed(painter, view.layout, view.geometry);
    }
    state.SetComplexityN(state.range(0));
}

// A scroll step of the open window: the series is kept, only the layout and the paint run.
void BM_SmoothedScrollPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const SmoothedState smoothed{SmoothedQuantity::Relative, kDefaultPixelsPerMonth};
    const MonthlySeries series = buildMonthlySeries(s, smoothed.quantity);
    QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
    int scroll = 0;
    for (auto _ : state) {
        const SmoothedView view =
            smoothedView(series, smoothed, {kClientWidth, kClientHeight}, scroll);
        scroll = (scroll + 40) % 2000;
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSmoothed(painter, view.layout, view.geometry);
    }
    state.SetComplexityN(state.range(0));
}

#define ORVANEK_SIZES                                                                              \
    ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)

BENCHMARK(BM_GraphSeries) ORVANEK_SIZES;
BENCHMARK(BM_GraphModel) ORVANEK_SIZES;
BENCHMARK(BM_SmoothedModel) ORVANEK_SIZES;
BENCHMARK(BM_GraphPaint) ORVANEK_SIZES;
BENCHMARK(BM_GraphScrollPaint) ORVANEK_SIZES;
BENCHMARK(BM_GraphOpenAndPaint) ORVANEK_SIZES;
BENCHMARK(BM_SmoothedPaint) ORVANEK_SIZES;
BENCHMARK(BM_SmoothedScrollPaint) ORVANEK_SIZES;

} // namespace
