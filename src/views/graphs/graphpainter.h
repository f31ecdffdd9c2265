#pragma once

// The graph window's one drawing routine, for the window, images, the printer and the
// command line: it draws what buildGraphModel placed, nothing more.

#include "views/common/printjob.h"
#include "views/graphs/graphlayout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPolygon>

class QPainter;

namespace orvanek {

class ObservationStore;

// Grid lines above the zero line in the button-face colour, month lines other than
// January's pale grey; the zero line and January's line are black.
inline QColor gridColour() {
    return {212, 208, 200};
}
inline QColor monthLineColour() {
    return {230, 230, 230};
}

// "Ms sans Serif" at `size` points on a device of `dotsPerInch`, set in whole pixels so
// that the window and an image of it draw the same glyphs.
QFont graphFont(int size, int dotsPerInch = kScreenDotsPerInch);

// The size in points of the month names and value labels, on screen and paper.
inline constexpr int kGraphMonthFont = 7;

// The part of a polyline running left to right that can be seen between x `left` and
// `right`: from the last point left of it to the first point right of it, so that the
// lines crossing the edges stay. A polyline that turns back anywhere is returned whole.
QPolygon visiblePolyline(const QPolygon &line, int left, int right);

// Paints the panels of the model: grid, month lines with names and years, value labels and
// the curves in their colours. It paints no background; only what can be seen in the
// geometry's width is drawn of a screen model, which is shifted to the geometry's scroll
// position when it was placed at another one.
void paintGraphs(QPainter &painter, const GraphModel &model, const GraphGeometry &geometry);

// The scale command: white boxes at the left edge with the value labels of each panel.
void paintGraphScale(QPainter &painter, const GraphScale &scale, const GraphGeometry &geometry);

// The window's client area as an image of the geometry's size, white, 96 dpi.
QImage renderGraphs(const GraphModel &model, const GraphGeometry &geometry);

// The graphs' page: A4 landscape, 10 mm margins (the panels take five sixths of its height).
PageSetup graphPage();

// Prints the panels of `mode` on the job's page: days pageWidth div 500 pixels wide,
// heights at the page's division, starting at the date at the window's left edge
// (`screenScroll`), the quantity's name above.
bool printGraphs(PrintJob &job, const GraphSeries &screen, const ObservationStore &store,
                 DisplayMode mode, int screenScroll);

} // namespace orvanek
