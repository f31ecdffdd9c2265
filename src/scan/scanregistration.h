#pragma once

#include "scan/scanframe.h"
#include "solar/calendar.h"
#include "views/sheet/sheetcode.h"

#include <QImage>
#include <QPolygonF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace orvanek {

// The limb fitted to a scan: a circle through the middle of the drawn line.
struct LimbFit {
    QPointF centre;      // image pixels
    double radiusPx = 0; // image pixels
    int points = 0;      // edge points the circle was fitted to, outliers left out
    double rmsPx = 0;    // their distance from the circle, root mean square
};

// What the observer or the command line says of a drawing beside its scan.
struct ScanOptions {
    std::optional<CalendarDate> date = {};
    std::optional<uint16_t> timeUT = {};
    std::optional<double> radiusMm = {};
    // Where north lies: degrees from the image's top towards its right.
    std::optional<double> northAngleDeg = {};
    bool mirrorX = false;
    bool mirrorY = false;
    double fallbackRadiusMm = 125; // R without a code or an option: the data set's
};

// A scan registered: the limb, the sheet's code where there is one, and the frame that maps
// image pixels to the drawing.
struct ScanRegistration {
    std::optional<LimbFit> limb; // nothing: no limb found
    std::optional<SheetCode> code;
    QPolygonF codeCorners; // the code's corners in the image
    int fiducialsFound = 0;
    std::optional<double> measuredTurnDeg; // the paper's turn found from the code and dots
    ScanFrame frame;
    std::optional<CalendarDate> date;
    std::optional<uint16_t> timeUT;
    bool momentFromCode = false;

    bool registered() const { return limb.has_value(); }
    bool hasMoment() const { return date && timeUT; }
};

// The image as 8-bit grey levels, as registration reads it.
QImage scanGrey(const QImage &image);

// The limb: the largest drawn circle, found on a reduced copy and fitted to points on the
// line at full resolution, the grid, ticks, spots and the paper's edge left out as outliers.
std::optional<LimbFit> findLimb(const QImage &grey);

// Registers a scan (grey levels, scanGrey): the limb, then on the program's own sheet the
// code (moment, R, orientation) and the fiducial dots that give the paper's turn exactly.
// Without a code the options give the moment, R, the orientation and the north point.
// The options always win; `scanDisagreements` tells where they differ from the code.
ScanRegistration registerScan(const QImage &grey, const ScanOptions &options);

// The texts of the options that differ from the sheet's code, for a warning.
QStringList scanDisagreements(const ScanRegistration &registration, const ScanOptions &options);

// Options that do not change where things are found (moment, R, mirrors, north) applied to a
// registration already made: the window's fields.
void applyScanOptions(ScanRegistration &registration, const ScanOptions &options);

} // namespace orvanek
