// The position check of the groups against the days around them. `check --positions` over
// 100 000 records must take under a second with loading (measured as a whole process too),
// and so must the crowded week (below) with 200 copies a day;
// the check of one record after a commit, and of the drawing view's record on every paint,
// must be instant: it halves its way to the neighbouring days and reads only those.
//
// Build line for bench/CMakeLists.txt:
//   add_executable(bench_positions bench_positions.cpp)
//   target_link_libraries(bench_positions PRIVATE orvanek_benchdata orvanek_data
//                                                 benchmark::benchmark)

#include "bench/datagenerator.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "data/positioncheck.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string_view>

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

// What the first check after a commit adds: the tolerances learned again from the latest
// records.
void BM_LearnAfterCommit(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const LearnedTolerances learned = learnTolerances(store, kLearningRecords);
        benchmark::DoNotOptimize(learned.dataSet.latitude);
    }
}
BENCHMARK(BM_LearnAfterCommit)->Arg(100000)->Unit(benchmark::kMillisecond);

// A crowded week: seven days, each with `copies` copies of one 30-group drawing whose groups
// are all numbered 7 (30 x 7 x 200 = 42 000 groups). Every group has thousands of sightings
// of its number around it; the check asks only kDrawingsPerDay drawings a day.
std::vector<ObservationRecord> crowdedWeek(int copies) {
    std::vector<ObservationRecord> records;
    for (int day = 0; day < 7; ++day) {
        const CalendarDate date{2024, 6, static_cast<uint16_t>(10 + day)};
        ObservationRecord r{};
        writeText(r.dateText, formatDate(date, u"dd.mm.yyyy"));
        r.timeUT = 900;
        const Ephemeris e = solarEphemeris(date, r.timeUT);
        for (int i = 1; i <= kMaxSlots; ++i) {
            // Spread over the disk: latitudes -30..28, 60 degrees either side of the meridian.
            const PolarPosition p = heliographicToPolar(e, static_cast<float>(-30 + 2 * i),
                                                        static_cast<float>(e.L0 - 60 + 4 * i), 125);
            SunspotGroup &g = r.group(i);
            g.angle = static_cast<uint16_t>(std::lround(p.polarAngle * 10) % 3600);
            g.distance = static_cast<uint16_t>(std::lround(p.polarDistance * 10));
            g.rotationGroupNumber = 7;
        }
        r.groupCount = kMaxSlots;
        records.insert(records.end(), static_cast<size_t>(copies), r);
    }
    return records;
}

void BM_CrowdedWeek(benchmark::State &state) {
    ObservationStore store(QDate(2026, 12, 8));
    store.appendRecords(crowdedWeek(static_cast<int>(state.range(0))));
    long long comparisons = 0;
    for (auto _ : state) {
        const PositionReport report = checkPositions(store);
        comparisons = report.comparisons;
        benchmark::DoNotOptimize(report.findings.data());
    }
    state.counters["groups"] = static_cast<double>(store.recordCount() * kMaxSlots);
    state.counters["comparisons"] = static_cast<double>(comparisons);
}
BENCHMARK(BM_CrowdedWeek)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

// bench_positions --write-crowded K DIR writes the crowded week as DIR/data1.dat, for timing
// `orvanek-cli -d DIR check --positions` as a whole process.
int main(int argc, char **argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--write-crowded")
        return bench::writeDataSet(QString::fromLocal8Bit(argv[3]), crowdedWeek(std::atoi(argv[2])))
                   ? 0
                   : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
