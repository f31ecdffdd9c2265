#pragma once

// A corpus of drawings as observers make them and scanners and phones give them back: pencil
// (graphite grey or dark, grainy, irregular blobs, satellite dots, penumbra outlines drawn by
// hand with gaps round a core, group numbers and other writing, crosses, arrows, eraser
// smudges) on the program's own rendered sheet (printed by different rasterisers: with and
// without anti-aliasing, heavier or lighter ink) or on plain paper with a hand-drawn circle;
// the page tinted, unevenly lit, shadowed, creased, turned or upside down, blurred, noisy,
// saved as JPEG, from 100 to 600 dpi; and photos with perspective and barrel distortion.
// Every case is made from its seed alone, so that runs compare.

#include "solar/calendar.h"
#include "views/sheet/sheetmodel.h"

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace orvanek::bench {

// A spot as drawn: its centre (the middle of what it covers, mm from the disk's centre, x to
// the right and y down as printed) and its area (mm² of paper; an outlined spot: what its
// outline encloses), whether it is an outline round a core, and its group (from 1).
struct CorpusSpot {
    QPointF mm;
    double areaMm2 = 0;
    double radiusMm = 0; // of the circle of its area, for matching
    bool outline = false;
    int group = 0;
};

// How the page is degraded: the scanner's or the phone's part.
struct CorpusDegradation {
    int dpi = 300;
    double turnDeg = 0; // the paper turned on the glass, clockwise as the image is seen
    double paperLevel = 240;
    bool colour = false;    // a colour scan of tinted paper, made grey by the reader
    double unevenLight = 0; // the light falling off by this part across the page
    bool shadowBand = false;
    bool crease = false;
    double blurPx = 0;
    double noise = 0;
    int jpegQuality = -1;
    // A photo: the page tilted by this (degrees about a horizontal axis), barrel
    // distortion (k of r² at the image's corner) and a table round it.
    double tiltDeg = 0;
    double barrel = 0;
};

// How the sheet was printed (ignored for plain paper).
struct CorpusPrint {
    bool antialiased = true;
    // Thin lines as one whole pixel of their colour (a PDF viewer's stroke adjustment):
    // rendered finer and each pixel the darkest of what it covers.
    bool strokeAdjust = false;
    int inkGainPx = 0; // lines heavier (+) or lighter (-) by pixels of twice the resolution
    double gamma = 1;  // the printer's tone: grey printed darker (> 1) or lighter
};

struct CorpusCase {
    QString name;
    uint32_t seed = 1;
    bool plain = false; // a plain paper with a hand-drawn circle, not the program's sheet
    bool blank = false; // nothing drawn
    bool darkPencil = false;
    int groups = 5;
    double radiusMm = 80;
    CorpusPrint print;
    CorpusDegradation scan;
};

// A case made: the image (grey levels, as the scan reader gives them), what was drawn and the
// moment, R and the north angle a plain drawing is registered with.
struct CorpusDrawing {
    QImage image;
    std::vector<CorpusSpot> spots;
    int groups = 0;
    CalendarDate date;
    uint16_t timeUT = 0;
    double radiusMm = 80;
    double northAngleDeg = 0; // where north lies in the image, degrees from its top clockwise
    // Where the drawing's millimetres land in the image (for the evaluation only).
    std::function<QPointF(QPointF)> drawingToImage;
};

// A hand-drawn outline (millimetres) as the corpus's pencil draws it, `gaps` gaps of 0.3 to
// 1 mm and the stroke's width where the pencil left the paper: the strokes to draw
// `widthMm` wide.
QPainterPath gappedOutline(std::mt19937 &random, const QPolygonF &line, double widthMm, int gaps);

// The cases of the corpus, fixed: their number and variety are what the benchmark reports on.
// The corpus's cases; another salt draws other drawings of the same kinds (a check that the
// finder holds on drawings it was not tuned on).
std::vector<CorpusCase> scanCorpus(uint32_t salt = 0);

// A case made from its seed.
CorpusDrawing makeCorpusDrawing(const CorpusCase &c);

} // namespace orvanek::bench
