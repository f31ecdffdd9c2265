#pragma once

#include "views/common/printjob.h"
#include "views/map/mapmodel.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

namespace orvanek {

class ObservationStore;

// The map's colours.
inline QColor mapGridColour() {
    return {230, 230, 230};
}
inline QColor mapFaculaColour() {
    return {255, 200, 200};
}
inline QColor mapAuxSpotColour() {
    return {150, 150, 255};
}
inline QColor mapGroupFillColour() {
    return {125, 125, 125};
}

// "Ms sans Serif" of `pixels` character height, or of that cell height (with the internal
// leading) when `cellHeight` is set.
QFont mapFont(int pixels, bool cellHeight = false);

// Paints the map as the model placed it, at the model's scale (map units x s / 16 pixels,
// from the device's origin): grid, faculae, auxiliary spots, groups, the label table, the
// blanked margins, the title and the latitude labels, and nothing outside the surface it
// was laid out for (the margin's right edge). It paints no background.
void paintMap(QPainter &painter, const MapModel &model);

// The height in pixels of everything the map paints at its scale: the chart and the label
// table under it.
int mapHeight(const MapModel &model);

// The window's picture at a client width of `width` pixels (the model built for that
// width), white background, 96 dpi.
QImage renderMap(const MapModel &model, int width);

// The map's page: A4 landscape with 10 mm margins, so that the chart is as large as it can be.
PageSetup mapPage();

// Prints the map of `rotation` on the job's page at s = page width div 48, the margin beyond
// 0 degrees blanked across the whole page.
bool printMap(PrintJob &job, const ObservationStore &store, int rotation);

} // namespace orvanek
