#pragma once

#include "data/observationstore.h"

#include <QByteArray>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <limits>
#include <vector>

namespace orvanek {

// Diagram units: one unit is one pixel of the window at scroll position 0. x runs from the
// diagram's left edge (the latitude axis stands at x = kButterflyAxisX); y runs downward
// from the equator line, so northern latitudes have negative y. The painter shifts by the
// scroll position and the equator's place in the window; nothing in the model depends on
// the window's size.

inline constexpr int kButterflyAxisX = 50;              // diagram units: the left axis
inline constexpr int kLatitudeLabelX = 30;              // diagram units: left of the axis
inline constexpr int kRotationsPerAxisStep = 100;       // one vertical line per 100 rotations
inline constexpr int kRotationAxisSteps = 20;           // vertical lines 0..20
inline constexpr int kSupplementaryBaseRotation = 1300; // column 1 of Motfakul.dat
inline constexpr int kSupplementaryColumns = 649;

// What the diagram shows.
enum class ButterflyMode {
    Spots = 1,           // "Motýlek   Skvrny" (the only mode the menu offers)
    Faculae = 2,         // "Motýlek   Fakule"
    SpotsAndFaculae = 3, // "Motýlek   Skvrny a fakule"
};

// The window's own settings; the keys and buttons change them through the functions below.
struct ButterflyState {
    ButterflyMode mode = ButterflyMode::Spots;
    int latitudeScale = 3;        // vs: pixels per degree of latitude, 1..9
    int rotationWidth = 1;        // xs: pixels per Carrington rotation, 1..16
    bool supplementaryOn = false; // `vypnout` unchecked: the data of Motfakul.dat are shown
};

inline constexpr int kMinLatitudeScale = 1;
inline constexpr int kMaxLatitudeScale = 9;
inline constexpr int kMinRotationWidth = 1;
inline constexpr int kMaxRotationWidth = 16;

// Keys '1'..'9': the latitude scale is the digit; any other value leaves the state as it is.
ButterflyState withLatitudeScale(ButterflyState state, int digit);
// `vetsi` / `mensi`: one pixel per degree more or less, within 1..9.
ButterflyState largerLatitudeScale(ButterflyState state);
ButterflyState smallerLatitudeScale(ButterflyState state);
// F12 and `vpravo` double the rotation width, F11 and `vlevo` halve it, within 1..16.
ButterflyState widerRotations(ButterflyState state);
ButterflyState narrowerRotations(ButterflyState state);

// The horizontal scroll range: xs x 1000 + 1000 pixels.
int horizontalScrollRange(const ButterflyState &state);

// "Motýlek   Skvrny", "Motýlek   Fakule" or "Motýlek   Skvrny a fakule".
QString butterflyCaption(ButterflyMode mode);

// True when byte 0 of Motfakul.dat says the file holds data (the menu `doplnkova` is shown).
bool hasSupplementaryData(const QByteArray &block);

// State together with what it is drawn with from the store.
struct ButterflySettings {
    ButterflyState state;
    bool supplementaryShown = false; // data present and switched on
    int baseRotation = 0;            // rotation at the left axis
    double drawingRadius = 125;      // R, mm: faculae vertices are millimetres on this drawing
    int pivotYear = 2000;            // two-digit years of record dates read around it
};

// The rotation at the left axis: 1300 while supplementary data are shown; otherwise the
// rotation of record 1's date at the time of day of the current record, rounded down to a
// multiple of 100 (record 1's stored rotation when its date does not read).
ButterflySettings butterflySettings(const ObservationStore &store, const ButterflyState &state);

// A vertical line at x from y1 to y2 (diagram units).
struct ButterflyStroke {
    int x = 0;
    int y1 = 0;
    int y2 = 0;
    friend bool operator==(const ButterflyStroke &, const ButterflyStroke &) = default;
};

// The supplementary data as strokes: spots black, faculae red.
struct SupplementaryStrokes {
    std::vector<ButterflyStroke> faculae;
    std::vector<ButterflyStroke> spots;
};

// Reads the two streams of Motfakul.dat. Column c (from 1) is drawn at x = xs c + 49; the
// byte 255 ends a column; a stream is read up to its 649th separator or the end of its
// region, whichever comes first. Spot bytes are latitudes + 128 (a short stroke of 4 pixels
// around the latitude); a faculae byte and the byte 5000 places further are the two ends of
// one stroke, kept only when both lie in 31..219.
SupplementaryStrokes supplementaryStrokes(const QByteArray &block, const ButterflyState &state);

// Where every group and faculae field of the store's ordinary records lies on the Sun, as
// far as that does not depend on the diagram's scales, mode or left axis: the ephemeris of
// every record and a conversion per group or vertex, the costly part of the diagram. Worked
// out again only when the records change; the scales, the mode and the axis only place them.
struct ButterflyMarks {
    // The column of a mark is the rotation at its longitude, record rotation - left axis
    // + turn, cut to whole rotations; the turn is (360 - L0 + l) / 360, l the longitude.
    struct Group {
        int32_t rotation = 0; // the record's stored rotation
        double turn = 0;
        double latitude = 0; // b, degrees
    };
    struct Field {
        int32_t rotation = 0;
        double turn = 0; // at the longitude of the first vertex
        int twiceHighest = 0;
        int twiceLowest = 0; // the vertices' extreme latitudes, doubled and cut to whole degrees
    };
    std::vector<Group> groups;  // in store order
    std::vector<Field> faculae; // in store order; fields without a first vertex left out
    // The lowest and the highest rotation of the groups.
    int32_t lowestRotation = std::numeric_limits<int32_t>::max();
    int32_t highestRotation = std::numeric_limits<int32_t>::min();
    // What they were worked out with; the faculae only when asked for (their six vertices
    // cost more than the groups).
    int pivotYear = 0;
    double drawingRadius = 0;
    bool withFaculae = false;
};
// `workers` threads share the records (0: one per 5000 records, at most one per processor).
ButterflyMarks butterflyMarks(const ObservationStore &store, int pivotYear, double drawingRadius,
                              bool withFaculae, unsigned workers = 0);
// True when `marks` serve a diagram of `settings`.
bool marksServe(const ButterflyMarks &marks, const ButterflySettings &settings);

// Everything the diagram shows for one store and state.
struct ButterflyModel {
    ButterflySettings settings;
    SupplementaryStrokes supplementary;   // empty unless shown
    std::vector<ButterflyStroke> faculae; // one per faculae field, modes 2 and 3
    std::vector<QRect> groups;            // filled boxes of the groups, each place once; modes 1, 3
    int scrollRange = 2000;               // the horizontal scroll range, diagram units
    int contentRight = 0;                 // right end of the frame and of every mark
};

// The diagram: supplementary data first, then every ordinary record with a readable date
// (special records are left out), faculae and groups placed by their rotation and
// heliographic latitude. Builds the settings from the store first.
ButterflyModel buildButterflyModel(const ObservationStore &store, const ButterflyState &state);
ButterflyModel buildButterflyModel(const ObservationStore &store,
                                   const ButterflySettings &settings);
// The same from marks that serve the settings, and the store's Motfakul.dat block.
ButterflyModel buildButterflyModel(const ButterflyMarks &marks, const QByteArray &butterflyBlock,
                                   const ButterflySettings &settings);

// Where the diagram lies in a window: the equator at half the client height, shifted left
// and up by the scroll positions.
struct ButterflyGeometry {
    int equatorY = 0; // Y0, window pixels
    int scrollX = 0;  // S
    int scrollY = 0;  // Sy
    QSize client;     // the window's client area
};
ButterflyGeometry butterflyGeometry(QSize client, int scrollX = 0, int scrollY = 0);

// Window pixel of a diagram point.
inline QPoint toWindow(const ButterflyGeometry &g, QPoint diagram) {
    return {diagram.x() - g.scrollX, diagram.y() + g.equatorY - g.scrollY};
}

// Latitude lines drawn above and below the equator: 9 (every 10 degrees up to 90), or at a
// scale above 4 pixels per degree as many as fit in half the window.
int latitudeLineCount(int latitudeScale, int equatorY);

struct ButterflyText {
    QPoint pos; // top-left of the text
    QString text;
};

// The frame in diagram units: vertical lines every 100 rotations, horizontal lines every
// 10 degrees to the scroll range or the last vertical line, whichever is further right,
// latitude labels (north up) and rotation labels under the frame.
struct ButterflyFrame {
    std::vector<QLine> verticals;
    std::vector<QLine> horizontals;
    std::vector<ButterflyText> latitudeLabels;
    std::vector<ButterflyText> rotationLabels;
    int top = 0;    // the frame's top line
    int bottom = 0; // the frame's bottom line
};
ButterflyFrame butterflyFrame(const ButterflyModel &model, const ButterflyGeometry &geometry);

// The scale command: the latitude labels in window pixels at the visible left edge, moved
// with the vertical scroll only.
std::vector<ButterflyText> scaleLabels(const ButterflyModel &model,
                                       const ButterflyGeometry &geometry);

// Printing shows what the window shows: its visible area (the client area less 5 pixels
// at the right) stretched to the page width, in the window's proportions.
struct ButterflyPrintLayout {
    QRect source; // window pixels
    QRect target; // page pixels
};
ButterflyPrintLayout butterflyPrintLayout(QSize client, int pageWidth);

} // namespace orvanek
