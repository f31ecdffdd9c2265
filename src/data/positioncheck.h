#pragma once

// A group's position checked against the days around it. A group keeps its rotation group
// number ("č.sk2") from day to day, its latitude hardly changes and its Carrington longitude
// drifts slowly with its latitude, so the drawings of the neighbouring days say where it
// should be. What they find is only shown; the records stay as they were typed.

#include "data/observationstore.h"
#include "solar/calendar.h"

#include <QString>
#include <QStringList>

#include <array>
#include <limits>
#include <utility>
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

// Two sightings of one group agree when their latitudes differ by at most a latitude tolerance
// and their longitudes (the earlier one moved on by the drift) by at most a longitude
// tolerance plus so much for each day between them, each tolerance times the limb factor of
// the two sightings (below), and a difference in both at once lies within the ellipse the two
// tolerances span. These are the tolerances a new data set starts from,
// and the least the check ever uses: they come from the Greenwich group positions of
// 1956-1959, the day-to-day scatter of a group's own latitude staying under 2.4 degrees and
// that of its drift-corrected longitude under 3.9 degrees after one day and 5.5 after three
// (99 % of pairs near the disk centre); a drawing adds about 0.5 degree a millimetre at the
// centre of a 125 mm disk. An observer's pencil scatters more than a photograph, so a data set
// with enough sightings gets its own tolerances (learnTolerances below).
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

// How much faster than the limb factor a data set's scatter grows towards the limb (a pencil
// or a measuring eye that errs more there than the foreshortening alone says, a group's middle
// hard to tell): a multiple of the tolerance for each band of the limb factor, 1 at the
// centre, never falling towards the limb, and between the bands' middles in proportion.
inline constexpr int kLimbBands = 4;
// The bands' edges and middles in limb factor: up to 1.25 (within 60 % of the radius), 1.6,
// 2.3 (90 %) and beyond.
inline constexpr std::array<double, kLimbBands - 1> kLimbBandEdges = {1.25, 1.6, 2.3};
inline constexpr std::array<double, kLimbBands> kLimbBandMiddles = {1.12, 1.41, 1.92, 3.0};
struct LimbGrowth {
    std::array<double, kLimbBands> band{1, 1, 1, 1};
    // The multiple at limb factor `factor`.
    double at(double factor) const;
};

// The tolerances two sightings are judged with (see above), degrees.
struct PositionTolerance {
    double latitude = kLatitudeTolerance;
    double longitude = kLongitudeTolerance;
    double longitudePerDay = kLongitudeTolerancePerDay;
    // Towards the limb the latitude and longitude tolerances are also times these.
    LimbGrowth latitudeLimb;
    LimbGrowth longitudeLimb;
    // How far off the track its neighbours before and after it draw a group may lie, in its
    // tolerances at its place; 0: not learned, not asked.
    double trackReach = 0;
    int pairs = 0;        // the pairs they were learned from
    bool learned = false; // false: the fixed values above, too few pairs to learn from
};

// Learning the tolerances from the data set's own scatter: every pair of sightings of one
// number on two drawings a quarter of a day to kNeighbourDays apart (each group with its
// nearest of that number on the other drawing, at most kDrawingsPerDay drawings a day) gives
// its latitude difference and its drift-corrected longitude difference, each measured in the
// size the pair is expected to scatter by: its limb factor and, in longitude, a scale that
// grows with the days apart as the medians of the pairs up to a day and a half apart and of
// those further apart grow. With kTailLearningPairs pairs or more the scatter's growth
// towards the limb is learned too: the median of each band of limb factor (kFewestBandPairs
// pairs or more) over the central band's. Pairs beyond kOutlierScales times the 90th
// percentile of the measured differences are slips or other groups and are left out; of the
// rest the tolerance is the size only kPairsBeyond of them pass, one in 670. So high a
// percentile is not counted (a few hundred pairs have none beyond it) but carried out from
// the 90th and 99th percentiles as an exponential tail: P99 + (P99 - P90) log10(0.01 /
// kPairsBeyond); a tail heavier than exponential (a Student t of 3 degrees of freedom) falls
// short of that, reaching its 99.7th percentile (at one in 500 its 99.6th: a data set of
// heavy tails flagged 0.35 % of its clean group-days where 0.3 % is the most asked). Where
// fewer than kTailPairs pairs pass the 99th percentile, the tail is carried out from the one
// that kTailPairs pass (up to the 95th): one slip's half a dozen pairs with its neighbours
// would otherwise make the 99th of a thousand pairs and widen the tolerance to hide it. From
// fewer than kTailLearningPairs pairs, whose 99th percentile is one or two of them, the
// tolerance is kTailOverP90 times the 90th (an exponential tail's 99.85th percentile is 2.8
// times its 90th, a normal scatter's 1.9: what is not known is taken wide). A heavy tail, which a
// sigma read from the bulk of the pairs under-states, widens the tolerance as far as the tail goes.
// Never less than the fixed values; learned only from kFewestLearningPairs pairs or more (a year of
// few groups, or an observer's first months, still has its own scatter).
inline constexpr int kFewestLearningPairs = 150;
inline constexpr int kTailLearningPairs = 300;
inline constexpr int kFewestBandPairs = 40;
inline constexpr double kTailOverP90 = 2.8;
// A group with neighbours both before and after it is also judged by its track: the mean of
// each side's words (weighing as the neighbours' longitude tolerances do) joined as a straight
// track between the two sides places it, in its own tolerance at its place without the days
// apart. It is off when that is beyond the reach only kTrackBeyond of the data set's groups
// pass (carried out along the tail as the tolerances are, at least the tolerance itself) and
// the two sides agree with each other better than with it: each neighbour days away may take
// in a slip that all of them together see.
inline constexpr double kTrackBeyond = 0.0003;
inline constexpr double kTailPairs = 30; // pairs beyond the percentile the tail starts at
inline constexpr double kPairsBeyond = 0.0015;
inline constexpr double kOutlierScales = 5.0;
// At most this many drawings of one day are asked about a group: the ones nearest in time.
inline constexpr int kDrawingsPerDay = 4;

// The tolerances of a data set: its own, and those of each observer with enough pairs of
// their own (both sightings of a pair by the observer).
struct LearnedTolerances {
    PositionTolerance dataSet;
    std::vector<std::pair<QString, PositionTolerance>> observers; // by name
    // An observer's own tolerances, or the data set's.
    const PositionTolerance &of(const QString &observer) const;
};

// From the last `latestRecords` records of the store (in date order), by default all.
LearnedTolerances learnTolerances(const ObservationStore &store,
                                  int latestRecords = std::numeric_limits<int>::max());

// The store's learned tolerances, kept until its records change: the drawing view checks its
// record on every paint. They are learned from the latest kLearningRecords records, the
// observer's present hand, so that a commit into a long data set stays quick (a whole data
// set's check learns from all of it).
inline constexpr int kLearningRecords = 10000;
const LearnedTolerances &storeTolerances(const ObservationStore &store);

// What the tolerances are, one line each, the data set's first: "tolerance: latitude 3.0°,
// longitude 3.0° + 0.7°/day, from 1250 pairs of observer Novák".
QStringList toleranceTexts(const LearnedTolerances &tolerances);

// A group observation that its neighbours place elsewhere, or (pair) one whose only
// neighbour disagrees with it with no third sighting to tell which of the two is wrong.
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
    // A pair: the other sighting (its record counted as `record`, 0 when not a stored one
    // in a check of one record), and the group's place there moved on to this one's moment.
    bool pair = false;
    int otherRecord = 0;
    int otherSlot = 0;
    CalendarDate otherDate;
};

// What is wrong with a whole drawing when most of its groups, at least kFewestFaultGroups,
// fit their neighbours once it is mended one way.
enum class DrawingFaultKind {
    Time,               // they fit another time of the same day or so: `hours` later
    DayBefore,          // they fit the day before the written date
    DayAfter,           // the day after
    MirroredEastWest,   // angles typed as 360 - angle
    MirroredNorthSouth, // angles typed as 180 - angle
};
inline constexpr int kFewestFaultGroups = 3;

struct DrawingFault {
    int record = 0; // counted as the findings' `record`
    CalendarDate date;
    uint16_t timeUT = 0;
    DrawingFaultKind kind = DrawingFaultKind::Time;
    int hours = 0;            // Time: how many hours later (negative: earlier) the groups fit
    CalendarDate fittingDate; // Time, DayBefore, DayAfter: the moment that fits
    uint16_t fittingTimeUT = 0;
    int groups = 0;  // the drawing's groups with neighbours
    int fitting = 0; // those that fit once it is mended
};

// What a check finds. The groups of a drawing with a fault are not among the findings, and a
// pair with one of them is not either: the drawing is named once, for all of them.
struct PositionReport {
    std::vector<DrawingFault> drawings;    // by record
    std::vector<PositionFinding> findings; // by record and row
    // How many times a sighting was set against another: at most a fixed multiple of the
    // sightings times the same number's sightings per drawing, however many drawings a day.
    long long comparisons = 0;
    LearnedTolerances tolerances; // what was used (the judged records' data set's)
};

// Every group of the data set. `record` is the record's number in the store. Ordinary records
// only (special ones and those whose date does not read are left out), and only groups with a
// rotation group number and a place on the disk (not one placed only by hemisphere).
PositionReport checkPositions(const ObservationStore &store);

// The groups of one record (the one just committed, or the one the drawing view shows),
// against the stored records of the days around it, found by halving the store's date order.
// A stored record that is this same drawing is the record itself; `record` of a finding is
// its number, 0 when the store does not hold it. The tolerances are the store's.
PositionReport checkRecordPositions(const ObservationStore &store, const ObservationRecord &record);

// Records about to be stored together (an import), against each other and the stored ones.
// `record` of a finding counts in `added`, from 1 (a pair's other record too, when it is an
// added one; a stored one is counted below 0: -1 the store's first).
PositionReport checkAddedPositions(const ObservationStore &store,
                                   const std::vector<ObservationRecord> &added);

// What the observer is told of a drawing: "Zákres 12.03.2024 10:30 UT: skupiny sedí na čas o
// 12 h dřívější, 12.03.2024 22:30 UT".
QString drawingFaultText(const DrawingFault &fault);
// The fault's name and the moment that fits, as `check --positions` writes them: "time",
// "dayBefore", "dayAfter", "mirroredEastWest", "mirroredNorthSouth"; "dd.mm.yyyy hhmm".
QString drawingFaultCode(DrawingFaultKind kind);
QString drawingFaultSuggestion(const DrawingFault &fault);

// What the observer is told: "Skupina 5: o 11,8° v délce jinde, než čekám podle 14. a 16.06.",
// of a pair "skupiny 7 ze dnů 12.03 a 14.03 se neshodují; jedna z nich je jinde".
QString positionFindingText(const PositionFinding &finding);

// The days a finding was predicted from: "14. a 16.06.", "30.06. a 1.07.".
QString neighbourDatesText(const std::vector<CalendarDate> &dates);

} // namespace orvanek
