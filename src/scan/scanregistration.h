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
    // R without a code or an option: the data set's where it has one.
    std::optional<double> dataSetRadiusMm = {};
};

// The smallest R a sheet can be printed with and still be scanned. Its limb is found where
// the code puts it; measured on sheets rasterised at 75-600 dpi, turned 0, 3, 90 and 180
// degrees, JPEG 70: R 2 read on all 20, R 1 on 8 (the limb a few pixels across). One mm
// more for the scanner's blur and the pencil.
inline constexpr double kSmallestScannedRadiusMm = 3;
// The largest R the scan takes: a larger one makes a scan's millimetres vanishingly small.
inline constexpr double kLargestScannedRadiusMm = 999;

// Where the sheet's code stands.
enum class CodeState {
    None,       // no code and no fiducial dots: a drawing of its own
    Read,       // the code read
    Unreadable, // the three fiducial dots found, but no code read: the program's sheet
                // with its code covered, cut or smudged
};

// Where R came from, as the output says it.
enum class RadiusSource { Code, Options, DataSet, Default };

// A scan registered: the limb, the sheet's code where there is one, and the frame that maps
// image pixels to the drawing.
struct ScanRegistration {
    std::optional<LimbFit> limb; // nothing: no limb found
    // The sheet's code: as read, or where it cannot be read (codeState Unreadable) made of
    // the moment, R and mirrors given, so that the print is taken out as with a read code.
    std::optional<SheetCode> code;
    CodeState codeState = CodeState::None;
    // A second code found on the scan that says something else: `code` is the one in the
    // corner where the sheet prints it (or found first).
    std::optional<SheetCode> otherCode;
    RadiusSource radiusFrom = RadiusSource::Default;
    QPolygonF codeCorners; // the code's corners in the image
    int fiducialsFound = 0;
    std::optional<double> measuredTurnDeg; // the paper's turn found from the code and dots
    ScanFrame frame;
    std::optional<CalendarDate> date;
    std::optional<uint16_t> timeUT;
    bool momentFromCode = false;

    bool registered() const { return limb.has_value(); }
    // The program's own sheet, its print to be taken out of the pencil: a code read, or an
    // unreadable one with the moment given.
    bool programSheet() const { return code.has_value(); }
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

// What the registration has to say beyond the frame, one line each: a code that cannot be
// read (and what to give instead), two different codes, an R nobody gave.
QStringList scanNotes(const ScanRegistration &registration);
// Where R came from, a word for the command line's output: code, options, dataset, default.
QString radiusSourceName(RadiusSource source);
// The same in the program's words, for the scan window.
QString radiusSourceText(RadiusSource source);

// Options that do not change where things are found (moment, R, mirrors, north) applied to a
// registration already made: the window's fields.
void applyScanOptions(ScanRegistration &registration, const ScanOptions &options);
// For a code that cannot be read, the code made again of the registration's moment, R and
// mirrors (nothing until the moment and an R given are there); other registrations stay.
void settleUnreadableCode(ScanRegistration &registration);

} // namespace orvanek
