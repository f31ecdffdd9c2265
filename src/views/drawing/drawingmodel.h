#pragma once

#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "data/positioncheck.h"
#include "solar/calendar.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QPoint>
#include <QPolygon>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace orvanek {

// The fixed frame of the drawing, in the view's 96-dpi pixels: the limb is the circle of
// radius 250 around (280, 280), so a stored distance d (limb 1250) lies d / 5 pixels out.
inline constexpr int kDiskCentreX = 280;
inline constexpr int kDiskCentreY = 280;
inline constexpr int kDiskRadiusPx = 250;

// What the view is drawn with besides the record.
struct DrawingSettings {
    double drawingRadius = 125;     // R, mm
    bool heliographicEntry = false; // no faculae are drawn in heliographic entry
    int orientX = 1;                // +1: east on the right ("Z - V"); -1 mirrored ("V - Z")
    int orientY = 1;                // +1: north up ("S - J"); -1 mirrored ("J - S")
    // The date the ephemeris is computed for when the record's own date is empty or does
    // not read: the date of record 1, which the solar routines are left with between paints.
    std::optional<CalendarDate> fallbackDate;
    int pivotYear = 2000; // the year a two-digit year in the record's date is read around
};

// What the drawing view keeps of its own besides the store: the orientation chosen with
// its buttons.
struct DrawingState {
    int orientX = 1;
    int orientY = 1;
};

// The settings of the drawing of any record of the store, for the window and the command
// line alike: the data set's radius (125 mm until one is chosen) and entry kind, the
// orientation, and the date of record 1 for a record whose own date does not read.
DrawingSettings drawingSettings(const ObservationStore &store, const DrawingState &state);

// A group circle: top-left pixel of its bounding square and its radius in pixels.
struct GroupMarker {
    int x = 0;
    int y = 0;
    int r = 0;
};

// An auxiliary spot: top-left pixel of its bounding square and its radius in pixels.
struct AuxSpotMarker {
    int x = 0;
    int y = 0;
    int s = 0;
};

// One group of the record as the view shows it.
struct DrawingGroup {
    int slot = 0;   // 1-based
    int column = 0; // x of the group's column of values under the disk (groupColumnX)
    GroupMarker marker;
    HeliographicPosition position; // l, b of the group's centre
    QString typeText;
    QString spotCountText;
    QString globalNumberText;
    QString rotationNumberText;
    QString longitudeText;      // l, "0.0"
    QString latitudeText;       // b, "0.0"
    bool auxSpotsShown = false; // either packed position is not 0
    std::array<AuxSpotMarker, 2> auxSpots;
    // The days around this drawing place the group elsewhere: its number is shown in red and
    // the place they expect it at as a small ring.
    bool misplaced = false;
    QPoint expectedCentre; // pixel of the expected place, when misplaced
};

// The rows of the text block right of the disk, in the order they are drawn (y = 118 + 18 k).
enum TextBlockRow {
    RowTime,
    RowConditions,
    RowImageQuality,
    RowSeeingQuality,
    RowRotation,
    RowL0,
    RowB0,
    RowP,
    RowCentralGroups,
    RowCentralSpots,
    RowCentralR,
    RowFaculaTotal,
    TextBlockRowCount
};

// Index rows g, f, R; columns whole disk, north, south.
enum IndexColumn { IndexWhole, IndexNorth, IndexSouth };

// Everything one paint of the drawing view needs, computed from one record.
struct DrawingModel {
    DrawingSettings settings;
    CalendarDate date;           // the date the ephemeris was computed for
    bool recordDateRead = false; // false when `date` is the fallback
    Ephemeris ephemeris;
    bool special = false; // red disk; no circles, auxiliary spots, l or b

    QString dateText;
    QString observer;
    QString station;
    std::array<QString, TextBlockRowCount> rowValues; // formatted, not yet aligned

    RecordSummary summary;                       // computed afresh, nothing stored
    std::array<std::array<int, 3>, 3> indices{}; // [g, f, R][whole, north, south]

    std::vector<QPolygon> parallels; // -40..+40 degrees, every 10
    QPolygon meridian;               // Carrington meridian 0; empty when on the far side
    std::vector<QPolygon> faculae;   // one polygon per field, in drawing order
    std::vector<DrawingGroup> groups;
};

// The x of the column of values of group `slot` (1-based) under the disk: 38 px apart,
// the first at 68.
constexpr int groupColumnX(int slot) {
    constexpr int kColumnStepPx = 38;
    constexpr int kColumnOriginPx = 30;
    return kColumnStepPx * slot + kColumnOriginPx;
}

// Computes the drawing of one record: the ephemeris of its moment, the grid, the faculae,
// the group markers with l and b, the auxiliary spots, the summary and the text block.
DrawingModel buildDrawingModel(const ObservationRecord &record, const DrawingSettings &settings);

// The same, with the groups that the drawings of the days around it place elsewhere marked:
// what the drawing view and `render drawing` show of a record of the store.
DrawingModel buildCheckedDrawingModel(const ObservationStore &store,
                                      const ObservationRecord &record,
                                      const DrawingSettings &settings);

// Marks the groups of the findings (of this drawing) and where they are expected.
void markMisplacedGroups(DrawingModel &model, const std::vector<PositionFinding> &findings);

// Group circles for the record: the marker of every group slot 1..groupCount.
std::vector<GroupMarker> groupMarkerLayout(const ObservationRecord &record, double drawingRadius,
                                           int orientX, int orientY);

// Screen point of heliographic latitude and longitude difference from the central meridian
// (both degrees) for the moment's B0 and P; x0 is the horizontal centre the curve uses.
QPoint projectGridPoint(double latitude, double lambda, const Ephemeris &ephemeris, int orientX,
                        int orientY, int x0 = kDiskCentreX);

// "Zákres    " and the date, the whole caption cut to 20 characters.
QString drawingCaption(const QString &dateText);

// The time hhmm as a time of day with seconds, "7:05:00".
QString timeOfDayText(uint16_t timeUT);

// Where a press on the view at `point` lies on the Sun: nothing outside the disk. The
// centre pixel itself reads as the centre of the disk.
std::optional<HeliographicPosition> readOutAt(QPoint point, const Ephemeris &ephemeris, int orientX,
                                              int orientY);

// The read-out label's text: l and b with one decimal, "123.4 , -12.3".
QString readOutText(const HeliographicPosition &position);

} // namespace orvanek
