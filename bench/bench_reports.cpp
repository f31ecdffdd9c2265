// The results' models over generated data sets of 1 000, 10 000 and 100 000 records: the
// certificate of one month with its layout, the measured and the smoothed statistics (and
// the rows the command line prints), and the observers table. Each is rebuilt from the
// store whenever the window shows it, so at 10 000 records it must stay far below a frame;
// 4 ms is the target for a view, model and paint together: the certificate painted as the
// window paints it, the statistics with every grid text and a printed page, the observers
// with every grid text.

#include "bench/datagenerator.h"

#include "data/observationstore.h"
#include "reports/certificatelayout.h"
#include "reports/certificatemodel.h"
#include "reports/certificatepainter.h"
#include "reports/observerstable.h"
#include "reports/statisticsmodel.h"
#include "reports/statisticspainter.h"

#include <QDate>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace orvanek;

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
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
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
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StatisticsTable table = measuredStatistics(store, StatRegion::Total);
        benchmark::DoNotOptimize(table.rows.data());
    }
    setCounters(state, store);
}

void BM_SmoothedStatistics(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StatisticsTable table = smoothedStatistics(store, StatRegion::Total);
        benchmark::DoNotOptimize(table.rows.data());
    }
    setCounters(state, store);
}

// What `orvanek-cli statistics` will print: the table and its text rows.
void BM_StatisticsRows(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto rows = statisticsCsvRows(measuredStatistics(store, StatRegion::Total));
        benchmark::DoNotOptimize(rows.data());
    }
    setCounters(state, store);
}

void BM_ObserverTable(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto rows = observerTableCsvRows(buildObserverTable(store));
        benchmark::DoNotOptimize(rows.data());
    }
    setCounters(state, store);
}

// Model, layout and paint of the certificate on the window's canvas.
void BM_CertificatePaint(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    const AskedMonth month = middleMonth(store);
    InstrumentLines lines = defaultInstrumentLines();
    lines[5] = QStringLiteral("Ondřejov");
    QImage canvas(783, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        paintCertificate(painter, certificateLayout(buildCertificate(store, month, lines)));
    }
    setCounters(state, store);
}

// The measured table with the text of every grid cell, as the window's grid holds them.
void BM_StatisticsGrid(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StatisticsTable table = measuredStatistics(store, StatRegion::Total);
        qsizetype characters = 0;
        for (int row = 0; row <= static_cast<int>(table.rows.size()); ++row)
            for (int c = 0; c < table.gridColumns(); ++c)
                characters += statisticsGridText(table, c, row).size();
        benchmark::DoNotOptimize(characters);
    }
    setCounters(state, store);
}

// The measured table and one full printed page of it (70 rows), at the scale of a PDF page.
void BM_StatisticsPage(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    constexpr int kScale = 12;
    QImage page(704 * kScale / 4, 1100 * kScale / 4, QImage::Format_RGB32);
    for (auto _ : state) {
        const StatisticsTable table = measuredStatistics(store, StatRegion::Total);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.scale(0.25, 0.25);
        const int lastRow = std::min(static_cast<int>(table.rows.size()), 70);
        paintStatisticsPage(painter, table, {1, 1, lastRow}, kScale);
    }
    setCounters(state, store);
}

// The observers table with the text of every grid cell.
void BM_ObserverGrid(benchmark::State &state) {
    const ObservationStore &store = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ObserverTable table = buildObserverTable(store);
        qsizetype characters = 0;
        for (const auto &counts : table.counts)
            for (int count : counts)
                characters += observerCountText(count, true).size();
        for (int count : table.yearTotals)
            characters += observerCountText(count, false).size();
        benchmark::DoNotOptimize(characters);
    }
    setCounters(state, store);
}

#define ORVANEK_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_CertificateModelAndLayout) ORVANEK_SIZES;
BENCHMARK(BM_MeasuredStatistics) ORVANEK_SIZES;
BENCHMARK(BM_SmoothedStatistics) ORVANEK_SIZES;
BENCHMARK(BM_StatisticsRows) ORVANEK_SIZES;
BENCHMARK(BM_ObserverTable) ORVANEK_SIZES;
BENCHMARK(BM_CertificatePaint) ORVANEK_SIZES;
BENCHMARK(BM_StatisticsGrid) ORVANEK_SIZES;
BENCHMARK(BM_StatisticsPage) ORVANEK_SIZES;
BENCHMARK(BM_ObserverGrid) ORVANEK_SIZES;

} // namespace
