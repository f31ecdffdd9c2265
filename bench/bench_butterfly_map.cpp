// The butterfly diagram's and the synoptic map's models and paint over long generated
// series: the diagram reads every record (one ephemeris each, one conversion per group or
// faculae vertex) when it opens or the records change, and only places those marks again when
// its scales change; the map finds its rotation's records and averages their groups. Both
// must grow linearly with the records; a key in the diagram (placing and paint) and the map
// stay within a frame (16 ms) at 100 000 records, under 4 ms at 10 000.

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
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ButterflyModel, spotsAndFaculae, ButterflyMode::SpotsAndFaculae)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The positions of every record's marks: what the window works out when it opens and when
// the records change (an ephemeris per record, a conversion per group or faculae vertex).
void BM_ButterflyMarks(benchmark::State &state, bool withFaculae) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ButterflyMarks marks = butterflyMarks(store, store.pivotYear(), 125, withFaculae);
        benchmark::DoNotOptimize(marks);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Worked out by several threads: wall time, and the CPU time of all of them.
BENCHMARK_CAPTURE(BM_ButterflyMarks, spots, false)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ButterflyMarks, spotsAndFaculae, true)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// What the window does when a key changes the scales: the marks it keeps placed at the new
// scales and painted into a window of 1200 x 720 pixels (vs 3; xs 1 shows the whole of it).
void BM_ButterflyModelAndPaint(benchmark::State &state, int rotationWidth) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    ButterflyState s;
    s.rotationWidth = rotationWidth;
    const ButterflySettings settings = butterflySettings(store, s);
    const ButterflyMarks marks =
        butterflyMarks(store, settings.pivotYear, settings.drawingRadius, false);
    const QSize client(1200, 720);
    QImage window(client, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        const ButterflyModel model = buildButterflyModel(marks, store.butterflyBlock(), settings);
        QPainter painter(&window);
        paintButterfly(painter, model, butterflyGeometry(client));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_ButterflyModelAndPaint, xs1, 1)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ButterflyModelAndPaint, xs16, 16)->Apply(sizes)->Unit(benchmark::kMillisecond);

// What the window does when it opens or the records changed: the marks worked out, placed
// and painted.
void BM_ButterflyOpenAndPaint(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const QSize client(1200, 720);
    QImage window(client, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        const ButterflyModel model = buildButterflyModel(store, ButterflyState{});
        QPainter painter(&window);
        paintButterfly(painter, model, butterflyGeometry(client));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ButterflyOpenAndPaint)
    ->Apply(sizes)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

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
