#pragma once

// A group's position checked against the days around it. A group keeps its rotation group
// number ("č.sk2") from day to day, its latitude hardly changes and its Carrington longitude
// drifts slowly with its latitude, so the drawings of the neighbouring days say where it
// should be. What they find is only shown; the records stay as they were typed.

#include "data/observationstore.h"
#include "solar/calendar.h"

#include <QString>

#include <vector>

namespace orvanek {

// Differential rotation of sunspot groups after Newton & Nunn (1951, MNRAS 111, 413), fitted
// to the recurrent groups of 1878-1944: a sidereal rate of 14.38 - 2.77 sin^2 b degrees a day.
inline constexpr double kGroupRateEquator = 14.38;     // degrees a day
inline constexpr double kGroupRateLatitudeTerm = 2.77; // degrees a day, times sin^2 b
// Carrington's sidereal rate, 360 degrees in 25.38 days, which Carrington longitudes turn with.
inline constexpr double kCarringtonRate = 14.1844; // degrees a day

// How fast a group at latitude b (degrees) moves in Carrington longitude, degrees a day.
// Longitude here is l = L0 - meridian distance and L0 falls by 13.2 degrees a day, so l grows
// towards the west limb: a group that turns faster than Carrington's rate gains longitude.
// +0.196 at the equator, -0.497 at 30 degrees north or south.
double longitudeDriftPerDay(double latitude);

// The records a group is compared with: those of this many days before and after its own.
inline constexpr int kNeighbourDays = 3;

// Two sightings of one group agree when their latitudes differ by at most
// kLatitudeTolerance and their longitudes (the earlier one moved on by the drift) by at most
// kLongitudeTolerance + kLongitudeTolerancePerDay for each day between them, each tolerance
// times the larger limb factor of the two sightings (below). The numbers come from the
// Greenwich group positions of 1956-1959: the day-to-day scatter of a group's own latitude
// stays under 2.4 degrees and that of its drift-corrected longitude under 3.9 degrees after
// one day and 5.5 after three (99 % of pairs near the disk centre); a drawing adds about
// 0.5 degree a millimetre at the centre of a 125 mm disk.
inline constexpr double kLatitudeTolerance = 3.0;        // degrees
inline constexpr double kLongitudeTolerance = 3.0;       // degrees
inline constexpr double kLongitudeTolerancePerDay = 0.7; // degrees a day between the sightings

// Near the limb a millimetre on the drawing is more of the Sun along the radius: 1 / cos(rho)
// times more, rho the angle from the disk centre (1.25 at 60 % of the radius, 2.3 at 90 %),
// and no more across it. So a group near the east or west limb is less certain in longitude,
// one near the north or south limb in latitude. The factor stops at kLimbFactorLimit (97 %
// of the radius), and a degree of longitude counts as the arc it is, cos b degrees, down to
// kLowestLatitudeCosine (60 degrees).
inline constexpr double kLimbFactorLimit = 4.0;
inline constexpr double kLowestLatitudeCosine = 0.5;

struct LimbFactors {
    double latitude = 1;
    double longitude = 1;
};

// The factors of a group at stored distance `distance` (tenths of a mm, limb 1250), at
// `axisAngle` degrees from the rotation axis's north end (the stored angle less P) and at
// latitude `latitude` degrees.
LimbFactors limbFactors(double distance, double axisAngle, double latitude);

// A group observation that its neighbours place elsewhere.
struct PositionFinding {
    int record = 0; // its record, numbered from 1 (see each check for what it counts)
    int slot = 0;   // the group's row, from 1
    int rotationGroup = 0;
    CalendarDate date;
    double latitude = 0;  // as drawn, degrees
    double longitude = 0; // as drawn, Carrington degrees 0..360
    double expectedLatitude = 0;
    double expectedLongitude = 0;             // 0..360
    int neighbours = 0;                       // sightings that agree on the expected place
    std::vector<CalendarDate> neighbourDates; // their days, each once, in order
    bool latitudeOff = false;                 // which of the two is beyond the tolerance
    bool longitudeOff = false;
};

// Every group of the data set. `record` is the record's number in the store. Ordinary records
// only (special ones and those whose date does not read are left out), and only groups with a
// rotation group number and a place on the disk (not one placed only by hemisphere). Sorted
// by record and row.
std::vector<PositionFinding> checkPositions(const ObservationStore &store);

// The groups of one record (the one just committed, or the one the drawing view shows),
// against the stored records of the days around it, found by halving the store's date order.
// A stored record that is this same drawing is the record itself; `record` of a finding is
// its number, 0 when the store does not hold it.
std::vector<PositionFinding> checkRecordPositions(const ObservationStore &store,
                                                  const ObservationRecord &record);

// Records about to be stored together (an import), against each other and the stored ones.
// `record` of a finding counts in `added`, from 1.
std::vector<PositionFinding> checkAddedPositions(const ObservationStore &store,
                                                 const std::vector<ObservationRecord> &added);

// What the observer is told: "Skupina 5: o 11,8° v délce jinde, než čekám podle 14. a 16.06."
QString positionFindingText(const PositionFinding &finding);

// The days a finding was predicted from: "14. a 16.06.", "30.06. a 1.07.".
QString neighbourDatesText(const std::vector<CalendarDate> &dates);

} // namespace orvanek
