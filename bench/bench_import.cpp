// The import of observers' text files: every observation goes through the entry dialog's
// commit, then the store is put in date order once. It must grow linearly with the file;
// 100 000 observations should take seconds. The files are made in memory, observations
// in random date order (the worst case for the final sort), about eight groups each.
//
// Build line for bench/CMakeLists.txt:
//   add_executable(bench_import bench_import.cpp)
//   target_link_libraries(bench_import PRIVATE orvanek_entry benchmark::benchmark)

#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "entry/importfile.h"

#include <QBuffer>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace orvanek;

// A small fixed generator, so every run imports the same file.
uint32_t nextRandom(uint32_t &state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

QByteArray importFile(int observations) {
    QByteArray text;
    text.reserve(observations * 480);
    uint32_t state = 2463534242u;
    for (int i = 0; i < observations; ++i) {
        const uint32_t day = 1 + nextRandom(state) % 28;
        const uint32_t month = 1 + nextRandom(state) % 12;
        const uint32_t year = 1900 + nextRandom(state) % 120;
        text += QByteArray("O;") + QByteArray::number(day).rightJustified(2, '0') + '.' +
                QByteArray::number(month).rightJustified(2, '0') + '.' + QByteArray::number(year) +
                ";" + QByteArray::number(600 + i % 900) + ";Jan Novák;Praha;1;2;3;0;0;0;1;\n";
        const uint32_t groups = nextRandom(state) % 16;
        for (uint32_t g = 0; g < groups; ++g)
            text += "G;dkc;12;3;" + QByteArray::number(nextRandom(state) % 3600 / 10.0, 'f', 1) +
                    ";" + QByteArray::number(nextRandom(state) % 1200 / 10.0, 'f', 1) + ";15;2;" +
                    QByteArray::number(g) + ";" + QByteArray::number(g) + ";200;50;2,5;45;30;1.5\n";
        if (i % 3 == 0)
            text += "F;10;20;30;40;50;60;70;80\n";
    }
    return text;
}

void BM_Import(benchmark::State &state) {
    const QByteArray text = importFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ObservationStore store;
        store.setDrawingSetup(125, false);
        QBuffer file;
        file.setData(text);
        file.open(QIODevice::ReadOnly);
        state.ResumeTiming();
        const ImportResult result = importObservations(store, file);
        if (!result.ok)
            state.SkipWithError("the generated file was refused");
        benchmark::DoNotOptimize(store.records().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Import)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
