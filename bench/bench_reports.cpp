// The results' models over generated data sets of 1 000, 10 000 and 100 000 records: the
// certificate of one month with its layout, the measured and the smoothed statistics (and
// the rows the command line prints), and the observers table. Each is rebuilt from the
// store on every paint, so at 10 000 records it must stay far below a frame; 4 ms is the
// target for a view, model and paint together.

#include "bench/datagenerator.h"

#include "data/observationstore.h"
#include "reports/certificatelayout.h"
#include "reports/certificatemodel.h"
#include "reports/observerstable.h"
#include "reports/statisticsmodel.h"

#include <QDate>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace orvanek;

constexpr uint32_t kSeed = 1996;
const QDate kToday(2026, 12, 8); // two-digit years are read around it; fixed so runs compare

// A store holding the generated data set of `count` records, sorted, with its observers
// known; made once per size.
const ObservationStore &storeOf(int count) {
    static std::map<int, std::unique_ptr<ObservationStore>> cache;
    auto found = cache.find(count);
    if (found == cache.end()) {
        auto store = std::make_unique<ObservationStore>(kToday);
        const std::vector<ObservationRecord> records = bench::generateRecords(count, kSeed);
        for (const ObservationRecord &r : records)
            store->collectObserver(readText(r.observer));
        store->appendRecords(records);
        found = cache.emplace(count, std::move(store)).first;
    }
    return *found->second;
}

// The month of the middle record: a month full of observations.
AskedMonth middleMonth(const ObservationStore &store) {
    const auto date = store.dateOf(store.record(store.recordCount() / 2 + 1));
    return date ? AskedMonth{date->curMonth, date->curYear} : AskedMonth{1, 2000};
}

void setCounters(benchmark::State &state, const ObservationStore &store) {
    state.SetItemsProcessed(state.iterations() * store.recordCount());
    state.counters["records"] = store.recordCount();
}

void BM_CertificateModelAndLayout(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    const AskedMonth month = middleMonth(store);
    InstrumentLines lines = defaultInstrumentLines();
    lines[5] = QStringLiteral("Ondřejov");
    for (auto _ : state) {
        const CertificateModel model = buildCertificate(store, month, lines);
        const CertificateLayout layout = certificateLayout(model);
        benchmark::DoNotOptimize(layout.texts.data());
    }
    setCounters(state, store);
}

void BM_MeasuredStatistics(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StatisticsTable table = measuredStatistics(store, StatRegion::Total);
        benchmark::DoNotOptimize(table.rows.data());
    }
    setCounters(state, store);
}

void BM_SmoothedStatistics(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StatisticsTable table = smoothedStatistics(store, StatRegion::Total);
        benchmark::DoNotOptimize(table.rows.data());
    }
    setCounters(state, store);
}

// What `orvanek-cli statistics` will print: the table and its text rows.
void BM_StatisticsRows(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto rows = statisticsCsvRows(measuredStatistics(store, StatRegion::Total));
        benchmark::DoNotOptimize(rows.data());
    }
    setCounters(state, store);
}

void BM_ObserverTable(benchmark::State &state) {
    const ObservationStore &store = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto rows = observerTableCsvRows(buildObserverTable(store));
        benchmark::DoNotOptimize(rows.data());
    }
    setCounters(state, store);
}

#define ORVANEK_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_CertificateModelAndLayout) ORVANEK_SIZES;
BENCHMARK(BM_MeasuredStatistics) ORVANEK_SIZES;
BENCHMARK(BM_SmoothedStatistics) ORVANEK_SIZES;
BENCHMARK(BM_StatisticsRows) ORVANEK_SIZES;
BENCHMARK(BM_ObserverTable) ORVANEK_SIZES;

} // namespace

BENCHMARK_MAIN();
