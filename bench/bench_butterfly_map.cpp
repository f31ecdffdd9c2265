// The butterfly diagram's and the synoptic map's models over long generated series: the
// diagram reads every record (one ephemeris each, one conversion per group or faculae
// vertex), the map finds its rotation's records and averages their groups. Both must grow
// linearly with the records; at 10 000 records the diagram's model and paint together stay
// under 8 ms and the map under 4 ms.

#include "bench/datagenerator.h"
#include "data/observationstore.h"
#include "views/butterfly/butterflymodel.h"
#include "views/map/mapmodel.h"

#include <QCoreApplication>
#include <QDate>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace orvanek;

// One store per size, made once: the generator's records are already in date order.
const ObservationStore &storeOf(int count) {
    static std::map<int, std::unique_ptr<ObservationStore>> stores;
    std::unique_ptr<ObservationStore> &store = stores[count];
    if (!store) {
        store = std::make_unique<ObservationStore>(QDate(2026, 1, 1));
        if (!store->appendRecords(bench::generateRecords(count, 1)))
            qFatal("generated records do not store");
        store->setDrawingSetup(125, false);
    }
    return *store;
}

void BM_ButterflyModel(benchmark::State &state, ButterflyMode mode) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    ButterflyState s;
    s.mode = mode;
    for (auto _ : state) {
        ButterflyModel model = buildButterflyModel(store, s);
        benchmark::DoNotOptimize(model);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_ButterflyModel, spots, ButterflyMode::Spots)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ButterflyModel, spotsAndFaculae, ButterflyMode::SpotsAndFaculae)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The map of the rotation in the middle of the series, at window scale.
void BM_MapModel(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    const int rotation = store.record(store.recordCount() / 2).rotation;
    const MapSettings settings = mapSettings(store, rotation, screenMapGeometry(1000));
    for (auto _ : state) {
        MapModel model = buildMapModel(store, settings);
        benchmark::DoNotOptimize(model);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MapModel)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The window's list of rotations, built when it opens.
void BM_RotationList(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<RotationItem> items = rotationList(store);
        benchmark::DoNotOptimize(items);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RotationList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
