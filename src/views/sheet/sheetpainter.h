#pragma once

#include "views/common/printjob.h"
#include "views/sheet/sheetmodel.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>

class QPainter;

namespace orvanek {

// Where the sheet goes on a device: device pixels per millimetre across and down (a
// printer may resolve them differently) and the device position of the printable area's
// top-left corner.
struct SheetGeometry {
    double pixelsPerMmX = 1;
    double pixelsPerMmY = 1;
    QPointF offset;
};

// The resolution the command line writes a sheet's image at.
inline constexpr int kSheetImageDpi = 300;

// The grid's colour: dark grey, so that the observer's pencil stands out on it.
inline QColor sheetGridColour() {
    return {90, 90, 90};
}

// The sheet's sans-serif font of `sizeMm` character height, in units of 1/100 mm.
QFont sheetFont(double sizeMm, bool bold);
// How wide a text of the sheet is, in mm, as paintSheet writes it.
double sheetTextWidthMm(const QString &text, double sizeMm, bool bold);

// Paints the sheet at true scale: the limb, the grid, the scale, marks, header and table,
// every text of the model's list. It paints no background.
void paintSheet(QPainter &painter, const SheetModel &model, const SheetGeometry &geometry);

// The whole paper as an image at `dotsPerInch` (its margins included, white), with the
// resolution recorded in the image so that it prints at true scale. A model without paper
// gives a null image.
QImage renderSheet(const SheetModel &model, int dotsPerInch = kSheetImageDpi);

// The sheet's page: its paper, upright, with the sheet's margins.
PageSetup sheetPage(const SheetModel &model);

// Prints the sheet at true scale on the job's page, centred across it. False, printing
// nothing, when the page is too small for the disk (a printer set to another paper).
bool printSheet(PrintJob &job, const SheetModel &model);

// "Šablona pro kresbu  07.05.2001 08:30"
QString sheetTitle(const SheetModel &model);
// "Sablona07.05.2001_0830.pdf", the file a print without a printer is offered as.
QString sheetFileName(const SheetModel &model);

} // namespace orvanek
