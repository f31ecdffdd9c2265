#pragma once

#include "data/observationstore.h"
#include "solar/calendar.h"

#include <QLine>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace orvanek {

// Map units: the chart is 760 units wide whatever it is drawn on; a value v is drawn at
// v x s / 16 pixels (integer arithmetic, truncating) for the scale s of the canvas. Circle
// radii and font heights are pixels, already for that s.
inline constexpr int kMapWidth = 760;
inline constexpr int kMapScaleUnit = 16; // s / 16 pixels per map unit
inline constexpr int kMapLeft = 20;      // longitude 360
inline constexpr int kMapRight = 740;    // longitude 0
inline constexpr int kMapTop = 40;       // latitude +90
inline constexpr int kMapBottom = 400;   // latitude -90
inline constexpr int kMapEquator = 220;
inline constexpr int kMapUnitsPerDegree = 2;
inline constexpr int kLabelRowTop = 402; // the group table under the chart
inline constexpr int kLabelsPerRow = 24;

inline int mapToPixels(int value, int scale) {
    return value * scale / kMapScaleUnit;
}

// --- The rotation list -----------------------------------------------------------------

// One item of the list: a rotation and the first of its records (1-based).
struct RotationItem {
    int rotation = 0;
    int firstRecord = 0;
};

// Item 0 starts at the first record; a new item starts at every record whose rotation is
// greater than that of the record before it. The placeholder of a new data set (rotation 0)
// is no drawing and has no item.
std::vector<RotationItem> rotationList(const ObservationStore &store);

// The item of `rotation`, or -1.
int rotationItemOf(const std::vector<RotationItem> &items, int rotation);

// --- One rotation -------------------------------------------------------------------------

// Records first..last (1-based, both included); empty when first is 0.
struct RecordRange {
    int first = 0;
    int last = -1;
    bool empty() const { return first == 0; }
    int size() const { return empty() ? 0 : last - first + 1; }
    friend bool operator==(const RecordRange &, const RecordRange &) = default;
};

// The records drawn on the map of rotation N: from the first record of N, or of N - 1
// with a central longitude below 90, on while the records belong to N - 1, N, or to N + 1
// with a central longitude of 270 or more.
RecordRange rotationRecordRange(const ObservationStore &store, int rotation);

// The start and end of rotation N by the mean rotation the stored rotation numbers come
// from, each to the day: start = 1.1.1989 + (360 N - 651960 + 107.6) / 13.1985 + 0.5 days,
// end = start + 27.27 days.
struct RotationDates {
    CalendarDate start;
    CalendarDate end;
};
RotationDates rotationDates(int rotation);

// Whether a group seen at longitude l (degrees) on a drawing of `recordRotation` with the
// central meridian at L0 (degrees) is taken into the map of rotation N: the late part of
// N - 1 beyond 270, the whole of N seen from either half, the early part of N + 1 below 90.
bool groupBelongsToMap(double l, double L0, int recordRotation, int rotation);

// Where the map of rotation N puts a faculae vertex at whole degrees l, seen on a drawing
// of `recordRotation` with the stored central longitude: the parts seen from a neighbouring
// rotation move by a whole turn to their side of the chart, or past it into the margins.
int faculaLongitudeOnMap(int l, int recordRotation, int centralLongitude, int rotation);

// "Mapa   " + start + " - " + end, dates "dd.mm.yyyy".
QString mapCaption(int rotation);

// The scale and the right end of the blanked margin beyond longitude 0.
struct MapGeometry {
    int scale = kMapScaleUnit; // s
    int rightEdge = kMapWidth; // map units
};
// On screen the 760 units fill the client width; the margin runs to the window's right
// edge, however narrow the window.
MapGeometry screenMapGeometry(int clientWidth);
// On paper s = page width div 48, and the margin covers the whole page beyond 0 degrees.
MapGeometry pageMapGeometry(int pageWidth);

struct MapSettings {
    int rotation = 0; // N
    MapGeometry geometry;
    double drawingRadius = 125; // R, mm
    int pivotYear = 2000;       // two-digit years of record dates read around it
};
MapSettings mapSettings(const ObservationStore &store, int rotation, const MapGeometry &geometry);

// A circle: centre in map units, radius in pixels.
struct MapCircle {
    QPoint centre;
    int radius = 0;
    friend bool operator==(const MapCircle &, const MapCircle &) = default;
};

// A group of the rotation, drawn once at the mean of its places.
struct MapGroup {
    int number = 0; // rotation group number, 1..70
    int count = 0;  // drawings it was taken from
    MapCircle circle;
    std::vector<MapCircle> auxSpots; // the mean of each auxiliary spot seen
};

// A text; `pos` in map units, then moved up by `risePx` pixels.
struct MapText {
    QPoint pos;
    QString text;
    int fontPx = 0;          // character height in pixels
    bool cellHeight = false; // fontPx is the cell height (with internal leading)
    int risePx = 0;
};

// One column of the group table: the mean latitude above the mean longitude.
struct MapLabel {
    int group = 0;
    int count = 0;
    float meanLatitude = 0;  // degrees
    float meanLongitude = 0; // degrees
    MapText latitude;
    MapText longitude;
};

// The fixed chart: grid every 10 degrees, longitude labels under it, latitude labels left.
struct MapFrame {
    std::vector<QLine> grid;
    std::vector<MapText> longitudeLabels;
    std::vector<MapText> latitudeLabels;
};
MapFrame mapFrame(int scale);

struct MapModel {
    MapSettings settings;
    QString caption;
    RotationDates dates;
    RecordRange range;
    std::vector<QPolygon> faculae;    // filled outlines, map units
    std::vector<MapGroup> groups;     // by group number
    std::vector<MapLabel> labels;     // by mean longitude, largest first
    std::vector<MapText> rowCaptions; // "b" and "l" at the start of every label row
    std::array<QRect, 2> margins;     // blanked beyond 360 and beyond 0 degrees, map units
    MapText title;                    // "Číslo rotace  " N
};

// The map of one rotation: every ordinary record of the range with a readable date gives
// its faculae; every group numbered 1..70 seen in the rotation is drawn once at its mean.
MapModel buildMapModel(const ObservationStore &store, const MapSettings &settings);

// --- The group table as text ----------------------------------------------------------------

struct MapGroupRow {
    int group = 0;
    double meanLatitude = 0;
    double meanLongitude = 0;
    int count = 0;
};

// One row per placed group, in the order of the label table.
std::vector<MapGroupRow> mapGroupRows(const MapModel &model);

struct MapGroupColumn {
    const char *name;
    QString (*text)(const MapGroupRow &);
};
// group;meanLatitude;meanLongitude;count, the means with 4 decimals.
const std::array<MapGroupColumn, 4> &mapGroupColumns();
QStringList mapGroupHeader();
QStringList mapGroupFields(const MapGroupRow &row);

} // namespace orvanek
