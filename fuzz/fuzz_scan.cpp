// The input is a small image and what an observer or a sheet's code may say beside it: the
// registration and the spot finder run on it as the scan command and window run them. No
// input may crash, abort with an exception or hang; a registration keeps its frame finite,
// and a spot lies in the image.
//
// Bytes: width - 1, height - 1 (1..256 each), a flags byte (bit 0 a moment given, bit 1 an R
// given, bit 2 the R taken from the next byte as a power of ten: 1e-300 .. 1e300), an R byte,
// then the grey levels, repeated to fill the image.

#include "fuzz/fuzzcheck.h"

#include "scan/scanregistration.h"
#include "scan/scanspots.h"

#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace orvanek;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    // The sheet is rendered with its texts to be taken out of the pencil: fonts need an
    // application.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 5)
        return 0;
    const int width = data[0] + 1;
    const int height = data[1] + 1;
    const uint8_t flags = data[2];
    const uint8_t radiusByte = data[3];
    QImage image(width, height, QImage::Format_Grayscale8);
    const size_t levels = size - 4;
    size_t next = 0;
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = data[4 + next++ % levels];
    }
    ScanOptions options;
    if (flags & 1) {
        options.date = CalendarDate{2001, 6, 21};
        options.timeUT = 830;
    }
    if (flags & 2)
        options.radiusMm =
            flags & 4 ? std::pow(10.0, (radiusByte - 128) * 300.0 / 128) : radiusByte + 1.0;
    const ScanRegistration reg = registerScan(image, options);
    if (!reg.registered())
        return 0;
    const ScanFrame &f = reg.frame;
    FUZZ_CHECK(std::isfinite(f.centre.x()) && std::isfinite(f.centre.y()) && f.radiusPx > 0 &&
               std::isfinite(f.radiusPx) && std::isfinite(f.turnDeg));
    for (const FoundSpot &s : findSpots(image, reg))
        FUZZ_CHECK(s.pixel.x() >= -1 && s.pixel.y() >= -1 && s.pixel.x() <= width &&
                   s.pixel.y() <= height && s.areaMm2 >= 0);
    spotAt(image, reg, QPointF(width / 2.0, height / 2.0));
    return 0;
}
