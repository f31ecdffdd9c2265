#pragma once

#include "views/common/printjob.h"
#include "views/drawing/drawingmodel.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSize>

class QPainter;

namespace orvanek {

// Where the drawing goes on the device: the device position of the view's pixel (0, 0)
// and how many device pixels one view pixel takes. Lines, text and circles all scale.
struct DrawingGeometry {
    double scale = 1;
    QPointF offset;
};

// The drawing's colours.
inline QColor diskColour() {
    return {255, 255, 180};
}
inline QColor specialDiskColour() {
    return {255, 0, 0};
}
inline QColor faculaPenColour() {
    return {255, 150, 150};
}
inline QColor faculaFillColour() {
    return {255, 200, 200};
}
inline QColor groupFillColour() {
    return {125, 125, 125};
}
inline QColor auxSpotColour() {
    return {100, 100, 255};
}
inline QColor spotCountColour() {
    return {0, 0, 255};
}
// A group that the days around the drawing place elsewhere: its number and its expected place.
inline QColor misplacedColour() {
    return {220, 0, 0};
}

// "Ms sans Serif" at `size` points of the 96-dpi view, set in pixels so that every device
// (window, image, printer under a scale) draws it the same size relative to the disk.
QFont drawingFont(int size);

// Paints the whole drawing: text block and header, disk, grid, faculae, groups. It does not
// paint a background; the device brings its own (white for images and the window).
void paintDrawing(QPainter &painter, const DrawingModel &model,
                  const DrawingGeometry &geometry = {});

// The extent of everything the drawing paints, in view pixels, never less than 750 x 650.
QSize drawingSize(const DrawingModel &model);

// The drawing as an image, one pixel per view pixel, white background, 96 dpi.
QImage renderDrawing(const DrawingModel &model);

// The drawing's page: A4 upright with 10 mm margins.
PageSetup drawingPage();

// Prints the drawing on the job's page, scaled to the page width (or height, when that is
// the narrower fit) with its proportions kept, centred across the page.
bool printDrawing(PrintJob &job, const DrawingModel &model);

} // namespace orvanek
