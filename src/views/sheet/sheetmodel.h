#pragma once

#include "data/observationstore.h"
#include "solar/calendar.h"
#include "solar/ephemeris.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

// The observing sheet: a blank form for one drawing at the eyepiece. The disk is printed
// at true scale (diameter 2R mm on paper) with the heliographic grid of one moment, so a
// group drawn on it can be measured (position angle on the printed scale, distance from the
// centre in mm) and typed into the entry dialog, or read off the grid as l and b.

// The margin on every side of the paper, mm.
inline constexpr double kSheetMarginMm = 10;
// Beyond the limb: the position-angle ticks, their numbers and the compass letters, mm.
inline constexpr double kSheetRingMm = 12;

// The papers a sheet goes on, smallest first; both upright.
enum class SheetPaper { A4, A3 };

// Millimetres of a paper, upright.
QSizeF paperSizeMm(SheetPaper paper);
// "A4", "A3".
QString paperName(SheetPaper paper);
// The paper of a name typed on the command line ("a4" too); nothing for another name.
std::optional<SheetPaper> paperFromName(const QString &name);

// A UT time typed as hhmm without a colon ("705" is 7:05): at most four digits, hours
// 0..23 and minutes 0..59; nothing for anything else.
std::optional<uint16_t> parseSheetTime(const QString &text);

// What the caller chooses: the moment, the orientation (as the drawing view's buttons) and,
// when given, the radius and the paper.
struct SheetState {
    CalendarDate date;
    uint16_t timeUT = 0; // hhmm
    int orientX = 1;     // +1: east on the right ("Z - V" read left to right); -1 mirrored
    int orientY = 1;     // +1: north up ("S - J" read top to bottom); -1 mirrored
    std::optional<double> radiusMm;
    std::optional<SheetPaper> paper;
};

// Everything the sheet is made from.
struct SheetSettings {
    CalendarDate date;
    uint16_t timeUT = 0;
    int orientX = 1;
    int orientY = 1;
    double radiusMm = 125;           // R: the disk's radius on paper
    bool heliographicEntry = false;  // the group table's headings follow the entry kind
    std::optional<SheetPaper> paper; // nothing: the smallest paper that holds the disk
    // The printable area a printer gives, when it is smaller than the paper's within the
    // margins (another paper chosen in the printer's set-up): the sheet is laid out on it.
    std::optional<QSizeF> areaMm;
};

// The settings for the window and the command line alike: R is the state's radius, else
// the data set's drawing radius, else the reference 125 mm; the entry kind is the data set's.
SheetSettings sheetSettings(const ObservationStore &store, const SheetState &state);

// Whether a disk of radius R fits on the paper with the margins, its scale and compass
// marks and the first rows of the group table.
bool sheetFits(double radiusMm, SheetPaper paper);
// The largest radius (whole mm) that fits on the paper.
int largestSheetRadius(SheetPaper paper);
// What a disk of radius R needs of the printable area at least: its ring's width, and the
// height down to the first rows of the group table.
QSizeF sheetNeededSize(double radiusMm);

// How a path is drawn; the painter gives each its pen.
enum class SheetStroke {
    Grid,     // parallels and meridians
    GridBold, // the equator and the central meridian
    Tick,     // position-angle scale, table rules, blank fields, the scale bar
    Axis,     // the rotation axis where it meets the limb
};

// A polyline in millimetres of the printable area (x to the right, y down).
struct SheetPath {
    SheetStroke stroke = SheetStroke::Tick;
    QPolygonF points;
};

// One line of grid: its latitude (parallel) or Carrington longitude (meridian) in degrees
// and its runs on the visible hemisphere, each ending on the limb where the line goes
// behind it. Parallels are sampled at every even degree of Carrington longitude and
// meridians at every even degree of latitude, so grid crossings are vertices of both.
struct GridCurve {
    double degrees = 0;
    bool bold = false; // the equator
    std::vector<QPolygonF> runs;
};

// The grid of a moment on a disk of radius R with its centre at `centre` (mm, x to the
// right, y down), oriented as the sheet: what the sheet prints and a scan's overlay shows.
struct SheetGrid {
    std::vector<GridCurve> parallels;       // -80 .. +80 degrees, every 10
    std::vector<GridCurve> meridians;       // Carrington 0 .. 350, every 10, where visible
    std::vector<QPolygonF> centralMeridian; // the meridian of L0
};
SheetGrid sheetGrid(const Ephemeris &ephemeris, double radiusMm, int orientX, int orientY,
                    QPointF centre = {});

// A text at `anchor` (mm), of `sizeMm` character height.
struct SheetText {
    enum Align { Left, Centre, Right };
    QPointF anchor;
    double sizeMm = 3;
    QString text;
    Align align = Left;
    bool middle = false; // the anchor is the middle of the text's height, not its baseline
    bool bold = false;
};

// A QR code's symbol: `size` x `size` modules, dark where `dark[y * size + x]`.
struct SheetCodeSymbol {
    int size = 0;
    std::vector<uint8_t> dark;
    bool at(int x, int y) const { return dark[static_cast<size_t>(y * size + x)] != 0; }
};

// The sheet laid out on its paper, in millimetres from the top-left corner of the
// printable area (the paper within its margins).
struct SheetModel {
    SheetSettings settings;
    Ephemeris ephemeris;
    std::optional<SheetPaper> paper; // nothing: the disk fits on no paper
    QString refusal;                 // then why, for the user

    QSizeF contentMm; // the printable area
    QPointF centre;   // the disk's centre
    double radiusMm = 0;
    std::vector<GridCurve> parallels;       // -80 .. +80 degrees, every 10
    std::vector<GridCurve> meridians;       // Carrington 0 .. 350, every 10, where visible
    std::vector<QPolygonF> centralMeridian; // the meridian of L0
    std::vector<SheetPath> paths;           // scale ticks, axis, table, fields, scale bar
    std::vector<SheetText> texts;           // header, scale and grid labels, table headings
    int tableRows = 0;                      // rows of the group table under the headings
    // What a scan registers by: the code (its text, symbol and square) and the fiducial
    // dots of kFiducialDiameterMm (sheetcode.h).
    QString codeText;
    SheetCodeSymbol codeSymbol;
    QRectF codeMm;
    std::vector<QPointF> fiducials;

    bool printable() const { return paper.has_value(); }
};

// The sheet of the settings' moment. A disk that fits on no paper (or not on the paper
// asked for) gives a model without paper and with the reason.
SheetModel buildSheetModel(const SheetSettings &settings);

// Where heliographic latitude b and Carrington longitude l (degrees) lie on the sheet, in
// mm of the printable area, and whether that side of the Sun is visible.
struct SheetPlace {
    QPointF point;
    bool visible = false;
};
SheetPlace sheetPlace(const SheetModel &model, double b, double l);

} // namespace orvanek
