#pragma once

#include "views/butterfly/butterflymodel.h"
#include "views/common/printjob.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

class QPainter;

namespace orvanek {

// The diagram's colours.
inline QColor butterflyFrameColour() {
    return {50, 50, 50};
}
inline QColor supplementaryFaculaColour() {
    return {250, 0, 0};
}
inline QColor butterflyFaculaColour() {
    return {255, 0, 0};
}

// The window's canvas font, "Ms sans Serif" 8 of a 96-dpi screen (11 pixels).
QFont butterflyFont();

// What the painter adds to the model's marks.
struct ButterflyPaintOptions {
    bool scaleLabels = false; // the scale command: latitude labels at the visible left edge
};

// Paints the diagram as the window shows it at `geometry` (equator line, scroll position,
// client size): the frame, the supplementary data, the faculae strokes and the group boxes
// that the model placed, and nothing outside the client area. It paints no background.
void paintButterfly(QPainter &painter, const ButterflyModel &model,
                    const ButterflyGeometry &geometry, const ButterflyPaintOptions &options = {});

// The window's picture: a client area of `client` pixels at scroll position 0, white
// background, 96 dpi.
QImage renderButterfly(const ButterflyModel &model, QSize client,
                       const ButterflyPaintOptions &options = {});

// The diagram's page: A4 landscape with 10 mm margins, the paper as wide as the window.
PageSetup butterflyPage();

// Prints what the window shows at `geometry`: its visible area (less the 5 pixels at the
// right) stretched to the page width in the window's proportions; a window taller than the
// page's proportions is fitted to the page height instead.
bool printButterfly(PrintJob &job, const ButterflyModel &model, const ButterflyGeometry &geometry,
                    const ButterflyPaintOptions &options = {});

} // namespace orvanek
