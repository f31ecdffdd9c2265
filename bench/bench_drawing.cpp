// The drawing view's cost per paint: building the model of a full record (30 groups with
// auxiliary spots, 30 faculae fields of six vertices) and painting it at view scale, apart
// and together. A paint must stay far below a frame; the target is 2 ms for both.

#include "data/observationrecord.h"
#include "views/drawing/drawingmodel.h"
#include "views/drawing/drawingpainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace orvanek;

// A record with every slot used: groups spread over the disk with their auxiliary spots,
// faculae fields near the limb.
ObservationRecord fullRecord() {
    ObservationRecord r = zeroRecord();
    writeText(r.dateText, QStringLiteral("21.06.2001"));
    writeText(r.observer, QStringLiteral("Jana Nováková"));
    writeText(r.station, QStringLiteral("Ondřejov"));
    r.timeUT = 830;
    r.groupCount = kMaxSlots;
    r.faculaFieldCount = kMaxSlots;
    for (int i = 1; i <= kMaxSlots; ++i) {
        SunspotGroup &g = r.group(i);
        writeText(g.type, QStringLiteral("Dkc"));
        g.spotCount = static_cast<uint8_t>(i);
        g.penumbraCount = static_cast<uint8_t>(i % 4);
        g.angle = static_cast<uint16_t>(i * 119 % 3600);
        g.distance = static_cast<uint16_t>(200 + i * 31);
        g.area = static_cast<uint16_t>(50 * i);
        g.smallSpots = static_cast<uint16_t>(i % 5);
        g.globalGroupNumber = static_cast<uint16_t>(4000 + i);
        g.rotationGroupNumber = static_cast<uint16_t>(i);
        const int degrees = g.angle / 10;
        const int mm = g.distance / 10;
        g.aux1Position = packPosition((degrees + 2) % 360, mm);
        g.aux1Area = 40;
        g.aux2Position = packPosition((degrees + 358) % 360, mm + 2);
        g.aux2Area = 20;
        FaculaField &f = r.facula(i);
        const int base = i * 12 % 360;
        for (int k = 0; k < 6; ++k)
            f.vertices[k] = packPosition((base + 2 * k) % 360, 100 + (k % 3) * 5);
    }
    return r;
}

DrawingSettings viewSettings() {
    DrawingSettings s;
    s.drawingRadius = 125;
    return s;
}

void BM_DrawingModel(benchmark::State &state) {
    const ObservationRecord record = fullRecord();
    const DrawingSettings settings = viewSettings();
    for (auto _ : state) {
        DrawingModel model = buildDrawingModel(record, settings);
        benchmark::DoNotOptimize(model);
    }
}
BENCHMARK(BM_DrawingModel)->Unit(benchmark::kMicrosecond);

void BM_DrawingPaint(benchmark::State &state) {
    const DrawingModel model = buildDrawingModel(fullRecord(), viewSettings());
    QImage image(drawingSize(model), QImage::Format_RGB32);
    image.fill(Qt::white); // the background is the device's, not the painter's
    for (auto _ : state) {
        QPainter painter(&image);
        paintDrawing(painter, model);
    }
}
BENCHMARK(BM_DrawingPaint)->Unit(benchmark::kMicrosecond);

// What one paint of the window costs: the model afresh, then the picture.
void BM_DrawingModelAndPaint(benchmark::State &state) {
    const ObservationRecord record = fullRecord();
    const DrawingSettings settings = viewSettings();
    QImage image(drawingSize(buildDrawingModel(record, settings)), QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        const DrawingModel model = buildDrawingModel(record, settings);
        QPainter painter(&image);
        paintDrawing(painter, model);
    }
}
BENCHMARK(BM_DrawingModelAndPaint)->Unit(benchmark::kMicrosecond);

// The command line's and the bitmap's whole path: model, size, new white image, paint.
void BM_RenderDrawingImage(benchmark::State &state) {
    const ObservationRecord record = fullRecord();
    const DrawingSettings settings = viewSettings();
    for (auto _ : state) {
        QImage image = renderDrawing(buildDrawingModel(record, settings));
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_RenderDrawingImage)->Unit(benchmark::kMicrosecond);

} // namespace
