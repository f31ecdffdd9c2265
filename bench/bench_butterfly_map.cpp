// The butterfly diagram's and the synoptic map's models and paint over long generated
// series: the diagram reads every record (one ephemeris each, one conversion per group or
// faculae vertex), the map finds its rotation's records and averages their groups. Both must
// grow linearly with the records; at 10 000 records the diagram's model and paint together
// stay under 8 ms and the map under 4 ms.

#include "bench/datagenerator.h"
#include "data/observationstore.h"
#include "views/butterfly/butterflymodel.h"
#include "views/butterfly/butterflypainter.h"
#include "views/map/mapmodel.h"
#include "views/map/mappainter.h"

#include <QDate>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace orvanek;

// 1 000, 10 000, 50 000 and 100 000 records.
void sizes(benchmark::internal::Benchmark *b) {
    for (int count : {1000, 10000, 50000, 100000})
        b->Arg(count);
}

void BM_ButterflyModel(benchmark::State &state, ButterflyMode mode) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    ButterflyState s;
    s.mode = mode;
    for (auto _ : state) {
        ButterflyModel model = buildButterflyModel(store, s);
        benchmark::DoNotOptimize(model);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_ButterflyModel, spots, ButterflyMode::Spots)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ButterflyModel, spotsAndFaculae, ButterflyMode::SpotsAndFaculae)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond);

// What the window does when the store or a setting changed: the diagram built and painted
// into a window of 1200 x 720 pixels (vs 3, xs 1 shows the whole of it).
void BM_ButterflyModelAndPaint(benchmark::State &state, int rotationWidth) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    ButterflyState s;
    s.rotationWidth = rotationWidth;
    const QSize client(1200, 720);
    QImage window(client, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        const ButterflyModel model = buildButterflyModel(store, s);
        QPainter painter(&window);
        paintButterfly(painter, model, butterflyGeometry(client));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_ButterflyModelAndPaint, xs1, 1)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ButterflyModelAndPaint, xs16, 16)->Apply(sizes)->Unit(benchmark::kMillisecond);

// What a scroll repaints: the diagram as built, painted at another scroll position.
void BM_ButterflyScrollPaint(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const ButterflyModel model = buildButterflyModel(store, ButterflyState{});
    const QSize client(1200, 720);
    QImage window(client, QImage::Format_RGB32);
    int scroll = 0;
    for (auto _ : state) {
        window.fill(Qt::white);
        QPainter painter(&window);
        paintButterfly(painter, model, butterflyGeometry(client, scroll));
        scroll = (scroll + 20) % 800;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ButterflyScrollPaint)->Apply(sizes)->Unit(benchmark::kMillisecond);

// The map of the rotation in the middle of the series, at window scale.
void BM_MapModel(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const int rotation = store.record(store.recordCount() / 2).rotation;
    const MapSettings settings = mapSettings(store, rotation, screenMapGeometry(1000));
    for (auto _ : state) {
        MapModel model = buildMapModel(store, settings);
        benchmark::DoNotOptimize(model);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MapModel)->Apply(sizes)->Unit(benchmark::kMicrosecond);

// The map built and painted in a window 1264 pixels wide (s = 26).
void BM_MapModelAndPaint(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const int rotation = store.record(store.recordCount() / 2).rotation;
    constexpr int kWidth = 1264;
    const MapSettings settings = mapSettings(store, rotation, screenMapGeometry(kWidth));
    QImage window(kWidth, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        const MapModel model = buildMapModel(store, settings);
        QPainter painter(&window);
        paintMap(painter, model);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MapModelAndPaint)->Apply(sizes)->Unit(benchmark::kMicrosecond);

// The window's list of rotations, built when it opens.
void BM_RotationList(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<RotationItem> items = rotationList(store);
        benchmark::DoNotOptimize(items);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RotationList)->Apply(sizes)->Unit(benchmark::kMicrosecond);

} // namespace
