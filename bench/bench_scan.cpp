// Registering a scan: the program's own A4 sheet (R 83 mm) scanned at 300 dpi, 2480 x 3508
// pixels, turned 4 degrees, with noise and saved as JPEG of quality 75, must register in
// under 300 ms; a plain drawing (no code to read) likewise; a click's place and cells must
// take microseconds. Finding the spots of such a scan, with its registration, must take
// under 500 ms.

#include "data/dates.h"
#include "scan/scanentry.h"
#include "scan/scanimage.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"
#include "views/sheet/sheetpainter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace orvanek;

constexpr int kDpi = 300;

// The page turned about its middle, with noise, through JPEG of quality 75.
QImage scanned(const QImage &page, double turnDeg) {
    QImage scan(page.size(), QImage::Format_Grayscale8);
    scan.fill(Qt::white);
    {
        QPainter p(&scan);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.translate(page.width() / 2.0, page.height() / 2.0);
        p.rotate(turnDeg);
        p.translate(-page.width() / 2.0, -page.height() / 2.0);
        p.drawImage(0, 0, page);
    }
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 5);
    for (int y = 0; y < scan.height(); ++y) {
        uchar *row = scan.scanLine(y);
        for (int x = 0; x < scan.width(); ++x)
            row[x] = static_cast<uchar>(std::clamp(row[x] + noise(random), 0.0, 255.0));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "JPG", 75);
    return QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_Grayscale8);
}

SheetModel benchSheet() {
    SheetSettings s;
    s.date = *parseDate(QStringLiteral("21.06.2001"), 2000);
    s.timeUT = 830;
    s.radiusMm = 83;
    return buildSheetModel(s);
}

const QImage &sheetScan() {
    static const QImage image = scanned(renderSheet(benchSheet(), kDpi), 4);
    return image;
}

// The same sheet with 28 pencil spots of 0.6 to 4.5 mm, at least 3 mm apart, in 8 groups, some
// outlined round a core.
const QImage &spottedScan() {
    static const QImage image = [] {
        const SheetModel model = benchSheet();
        QImage page = renderSheet(model, kDpi);
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        const double k = kDpi / 25.4;
        p.scale(k, k);
        p.translate(model.centre + QPointF(kSheetMarginMm, kSheetMarginMm));
        std::mt19937 random(3);
        std::uniform_real_distribution<double> size(0.6, 4.5);
        for (int g = 0; g < 8; ++g) {
            const double a = g * 45 * 3.14159265 / 180;
            const QPointF centre(std::sin(a) * (20 + 7 * g), -std::cos(a) * (20 + 7 * g));
            for (int i = 0; i < 4 - g % 2; ++i) {
                const double d = size(random);
                const QPointF at = centre + QPointF(7.5 * i, (i % 2) * 2.5);
                p.setBrush(QColor(40, 40, 40));
                if (d > 3) {
                    p.setPen(QPen(QColor(40, 40, 40), 0.25));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(at, d / 2, d / 2);
                    p.setBrush(QColor(40, 40, 40));
                    p.setPen(Qt::NoPen);
                    p.drawEllipse(at, d / 5, d / 5);
                } else {
                    p.setPen(Qt::NoPen);
                    p.drawEllipse(at, d / 2, d / 2);
                }
            }
        }
        p.end();
        return scanned(page, 4);
    }();
    return image;
}

// An A4 paper with a pencil circle of R 83 mm and a north mark, nothing else.
const QImage &plainScan() {
    static const QImage image = [] {
        const double k = kDpi / 25.4;
        QImage page(qRound(210 * k), qRound(297 * k), QImage::Format_Grayscale8);
        page.fill(Qt::white);
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(k, k);
        p.setPen(QPen(QColor(70, 70, 70), 0.4));
        p.drawEllipse(QPointF(105, 150), 83, 83);
        p.drawLine(QPointF(105, 63), QPointF(105, 71));
        p.end();
        return scanned(page, -3);
    }();
    return image;
}

void BM_RegisterSheetScan(benchmark::State &state) {
    const QImage &image = sheetScan();
    for (auto _ : state) {
        ScanRegistration r = registerScan(image, ScanOptions{});
        if (!r.code)
            state.SkipWithError("the sheet's code was not read");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RegisterSheetScan)->Unit(benchmark::kMillisecond);

void BM_FindLimb(benchmark::State &state) {
    const QImage &image = sheetScan();
    for (auto _ : state) {
        auto limb = findLimb(image);
        benchmark::DoNotOptimize(limb);
    }
}
BENCHMARK(BM_FindLimb)->Unit(benchmark::kMillisecond);

void BM_RegisterPlainDrawing(benchmark::State &state) {
    const QImage &image = plainScan();
    ScanOptions options;
    options.date = *parseDate(QStringLiteral("21.06.2001"), 2000);
    options.timeUT = 830;
    options.radiusMm = 83;
    for (auto _ : state) {
        ScanRegistration r = registerScan(image, options);
        if (!r.registered())
            state.SkipWithError("no limb found");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RegisterPlainDrawing)->Unit(benchmark::kMillisecond);

// The spots of a 300-dpi A4 scan found, measured and grouped, its registration included.
void BM_FindSpots(benchmark::State &state) {
    const QImage &image = spottedScan();
    size_t found = 0;
    for (auto _ : state) {
        const ScanRegistration r = registerScan(image, ScanOptions{});
        std::vector<FoundSpot> spots = findSpots(image, r);
        if (r.date && r.timeUT)
            groupSpots(spots, r.frame, solarEphemeris(*r.date, *r.timeUT));
        found = spots.size();
        benchmark::DoNotOptimize(spots);
    }
    state.counters["spots"] = static_cast<double>(found);
}
BENCHMARK(BM_FindSpots)->Unit(benchmark::kMillisecond);

// Reading the scan from a JPEG file and making it grey: what opening a scan adds.
void BM_ReadScanJpeg(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("sken.jpg"));
    sheetScan().save(path, "JPG", 75);
    for (auto _ : state) {
        QString problem;
        QImage image = readScanImage(path, &problem);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_ReadScanJpeg)->Unit(benchmark::kMillisecond);

// A click: its place on the drawing, b and l, and the cells of both kinds of entry.
void BM_Click(benchmark::State &state) {
    const ScanRegistration r = registerScan(sheetScan(), ScanOptions{});
    const Ephemeris e = solarEphemeris(*r.date, *r.timeUT);
    const QPointF at = r.frame.centre + QPointF(300, -200);
    for (auto _ : state) {
        ScanFill polar = scanFill(r.frame, e, at, false, 125);
        ScanFill helio = scanFill(r.frame, e, at, true, 125);
        benchmark::DoNotOptimize(polar);
        benchmark::DoNotOptimize(helio);
    }
}
BENCHMARK(BM_Click)->Unit(benchmark::kMicrosecond);

} // namespace
