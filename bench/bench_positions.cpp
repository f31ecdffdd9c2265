// The position check of the groups against the days around them. `check --positions` over
// 100 000 records must take under a second with loading (measured as a whole process too);
// the check of one record after a commit, and of the drawing view's record on every paint,
// must be instant: it halves its way to the neighbouring days and reads only those.
//
// Build line for bench/CMakeLists.txt:
//   add_executable(bench_positions bench_positions.cpp)
//   target_link_libraries(bench_positions PRIVATE orvanek_benchdata orvanek_data
//                                                 benchmark::benchmark)

#include "bench/datagenerator.h"
#include "data/observationstore.h"
#include "data/positioncheck.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orvanek;

void BM_CheckPositions(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    size_t found = 0;
    for (auto _ : state) {
        const PositionReport report = checkPositions(store);
        found = report.findings.size();
        benchmark::DoNotOptimize(report.findings.data());
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckPositions)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One record in the middle of the data set, as after a commit.
void BM_CheckOneRecord(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const ObservationRecord &record = store.record(store.recordCount() / 2);
    for (auto _ : state) {
        const PositionReport report = checkRecordPositions(store, record);
        benchmark::DoNotOptimize(report.findings.data());
    }
}
BENCHMARK(BM_CheckOneRecord)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
