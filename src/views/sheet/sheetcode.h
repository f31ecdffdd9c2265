#pragma once

#include "solar/calendar.h"
#include "views/sheet/sheetmodel.h"

#include <QRectF>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

// The machine-readable code an observing sheet carries, so that a scan of it registers
// itself: the moment, the disk's radius, the orientation and the paper, behind a tag that
// names the program and the format's version:
//
//     ORVANEK/1;21.06.2001;0830;125;0;0;A3
//
// (tag; date; UT hhmm; R in mm; 1 where mirrored east-west; 1 where mirrored north-south;
// paper). It is printed as a QR code in the lower-left corner of the square round the disk.
struct SheetCode {
    CalendarDate date;
    uint16_t timeUT = 0; // hhmm
    double radiusMm = 0;
    int orientX = 1;
    int orientY = 1;
    SheetPaper paper = SheetPaper::A4;
    friend bool operator==(const SheetCode &, const SheetCode &) = default;
};

inline constexpr char kSheetCodeTag[] = "ORVANEK/1";

QString sheetCodeText(const SheetCode &code);
// The code of a text read from a scan; nothing for a text that is not this program's code
// of this version (another QR code on the paper, or a sheet of a later program).
std::optional<SheetCode> parseSheetCode(const QString &text);

// The code's symbol for a text.
SheetCodeSymbol sheetCodeSymbol(const QString &text);

// A module of the code is 0.6 mm: 3.5 pixels of a scan at 150 dpi, enough to read it; the
// quiet zone round it is four modules of white paper.
inline constexpr double kCodeModuleMm = 0.6;
inline constexpr int kCodeQuietModules = 4;
// The three fiducial dots in the other corners of the square round the disk: filled
// circles of this diameter, their centres this far inside the square's corner.
inline constexpr double kFiducialDiameterMm = 3;
inline constexpr double kFiducialInsetMm = 2.5;

// Where the code and the fiducials lie on a sheet of radius R, in mm from the disk's centre
// (x to the right, y down, as printed): they depend on R and the code's size only, so a
// scan finds them from the limb it has fitted.
struct SheetMarks {
    QRectF code;                      // the symbol's modules, without the quiet zone
    std::array<QPointF, 3> fiducials; // upper left, upper right, lower right
};
SheetMarks sheetMarks(double radiusMm, int codeModules);

} // namespace orvanek
