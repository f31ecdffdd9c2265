// The observing sheet and the comparison with SILSO. The sheet (model and paint, on paper
// at 300 dpi or into a PDF) must take under 50 ms; reading SILSO's whole daily file (75 818
// lines since 1818) and comparing 100 000 records with it under 300 ms.

#include "bench/datagenerator.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "views/common/printjob.h"
#include "views/sheet/sheetpainter.h"
#include "views/silso/dailyvalues.h"
#include "views/silso/silsocomparison.h"
#include "views/silso/silsopainter.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace orvanek;

// SILSO's daily file as long as the real one: every day from 1 January 1818 to 31 July 2025,
// the early years with days marked missing, in SILSO's padded layout.
const QByteArray &silsoText() {
    static const QByteArray text = [] {
        QByteArray t;
        int n = 0;
        for (QDate d(1818, 1, 1); d <= QDate(2025, 7, 31); d = d.addDays(1), ++n) {
            const int sn = d.year() < 1850 && n % 3 == 0 ? -1 : (n * 37) % 300;
            char line[64];
            const int length =
                std::snprintf(line, sizeof line, "%04d;%02d;%02d;%8.3f;%5d;%5.1f;%4d;1\n", d.year(),
                              d.month(), d.day(), d.year() + d.dayOfYear() / 365.25, sn,
                              sn < 0 ? -1.0 : 8.5, sn < 0 ? 0 : 30);
            t.append(line, length);
        }
        return t;
    }();
    return text;
}

SheetModel sheetModel() {
    SheetSettings s;
    s.date = *parseDate(QStringLiteral("21.06.2001"), 2000);
    s.timeUT = 830;
    s.radiusMm = 125;
    return buildSheetModel(s);
}

void BM_SheetModel(benchmark::State &state) {
    for (auto _ : state) {
        SheetModel m = sheetModel();
        benchmark::DoNotOptimize(m);
    }
}

// The command line's PNG: an A3 page at 300 dpi (3508 x 4961), filled and painted.
void BM_SheetImage300Dpi(benchmark::State &state) {
    for (auto _ : state) {
        QImage image = renderSheet(sheetModel());
        benchmark::DoNotOptimize(image);
    }
}

// The print: model and paint into a PDF file of vectors.
void BM_SheetPdf(benchmark::State &state) {
    const QString path = QDir::temp().filePath(QStringLiteral("orvanek_bench_sheet.pdf"));
    for (auto _ : state) {
        const SheetModel m = sheetModel();
        printToPdf(path, sheetTitle(m), sheetPage(m),
                   [&m](PrintJob &job) { return printSheet(job, m); });
    }
    QFile::remove(path);
}

void BM_SilsoRead(benchmark::State &state) {
    const QByteArray &text = silsoText();
    for (auto _ : state) {
        SilsoReadResult r = parseSilsoFile(text, QStringLiteral("SN_d_tot_V2.0.csv"));
        benchmark::DoNotOptimize(r);
    }
    state.counters["lines"] = double(text.count('\n'));
}

void BM_SilsoCompare(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const SilsoFile file = *parseSilsoFile(silsoText(), QStringLiteral("SN.csv")).file;
    for (auto _ : state) {
        SilsoComparison c = compareWithSilso(s, file);
        benchmark::DoNotOptimize(c);
    }
    state.SetComplexityN(state.range(0));
}

// compare-silso as a whole once the data set is loaded: the file read, the comparison made.
void BM_SilsoReadAndCompare(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const SilsoReadResult r = parseSilsoFile(silsoText(), QStringLiteral("SN.csv"));
        SilsoComparison c = compareWithSilso(s, *r.file);
        benchmark::DoNotOptimize(c);
    }
    state.SetComplexityN(state.range(0));
}

// One paint of the comparison window: chart laid out and painted on a window-sized image.
void BM_SilsoChartPaint(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    const SilsoComparison c =
        compareWithSilso(s, *parseSilsoFile(silsoText(), QStringLiteral("SN.csv")).file);
    QImage image(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSilsoChart(painter, silsoChart(c, QSizeF(1000, 700)));
    }
    state.SetComplexityN(state.range(0));
}

void BM_DailyValues(benchmark::State &state) {
    const ObservationStore &s = bench::generatedStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DailyValuesResult r = dailyValues(s, std::nullopt, std::nullopt);
        benchmark::DoNotOptimize(r);
    }
    state.SetComplexityN(state.range(0));
}

#define ORVANEK_SIZES                                                                              \
    ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)

BENCHMARK(BM_SheetModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetImage300Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SilsoRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SilsoCompare) ORVANEK_SIZES;
BENCHMARK(BM_SilsoReadAndCompare) ORVANEK_SIZES;
BENCHMARK(BM_SilsoChartPaint) ORVANEK_SIZES;
BENCHMARK(BM_DailyValues) ORVANEK_SIZES;

} // namespace
