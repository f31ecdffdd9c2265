#include "data/positioncheck.h"

#include "data/dates.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <span>

namespace orvanek {

namespace {

// The check's texts, translated in the context "PositionCheck".
struct PositionCheckTexts {
    Q_DECLARE_TR_FUNCTIONS(PositionCheck)
};

// The two places that stand for a group placed only by hemisphere ("s", "j"): no position.
constexpr uint16_t kNorthOnlyAngle = 10;
constexpr uint16_t kSouthOnlyAngle = 1790;
constexpr uint16_t kHemisphereOnlyDistance = 1200;

double wrap180(double degrees) {
    return degrees - 360 * std::floor((degrees + 180) / 360);
}

double wrap360(double degrees) {
    return degrees - 360 * std::floor(degrees / 360);
}

// One group on one drawing, as the check compares it.
struct Sighting {
    int source; // the record it comes from (see the checks)
    int slot;
    int number; // rotation group number
    int32_t day;
    double time; // days: the day and the time of day
    double latitude;
    double longitude;
    double l0; // central longitude of its drawing's moment
    LimbFactors limb;
    double drift; // degrees a day at its latitude
};

bool placedOnlyByHemisphere(const SunspotGroup &g) {
    return (g.angle == kNorthOnlyAngle || g.angle == kSouthOnlyAngle) &&
           g.distance == kHemisphereOnlyDistance;
}

void addSightings(std::vector<Sighting> &out, const ObservationRecord &r, int source, int32_t day) {
    if (r.isSpecial() || day == ObservationStore::kUnreadableDay || r.usedGroups() == 0)
        return;
    bool any = false;
    for (int i = 1; i <= r.usedGroups(); ++i)
        any = any || r.group(i).rotationGroupNumber != 0;
    if (!any)
        return;
    const Ephemeris e = solarEphemeris(dateOfSerialDay(day), r.timeUT);
    const double time = day + (r.timeUT / 100 + (r.timeUT % 100) / 60.0) / 24;
    for (int i = 1; i <= r.usedGroups(); ++i) {
        const SunspotGroup &g = r.group(i);
        if (g.rotationGroupNumber == 0 || placedOnlyByHemisphere(g))
            continue;
        const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
        out.push_back({source, i, g.rotationGroupNumber, day, time, h.helioLatitude,
                       h.helioLongitude, e.L0,
                       limbFactors(g.distance, g.angle / 10.0 - e.P, h.helioLatitude),
                       longitudeDriftPerDay(h.helioLatitude)});
    }
}

bool bySightingOrder(const Sighting &a, const Sighting &b) {
    if (a.number != b.number)
        return a.number < b.number;
    if (a.time != b.time)
        return a.time < b.time;
    if (a.source != b.source)
        return a.source < b.source;
    return a.slot < b.slot;
}

// A neighbour's word on where the judged group is: its own place moved on to the judged
// group's moment.
struct Prediction {
    const Sighting *from;
    double latitude;
    double longitudeOffset; // from the judged group's longitude, -180..180
    double misfit;          // 1 = just at the tolerance from the judged group
};

double latitudeTolerance(const Sighting &a, const Sighting &b) {
    return kLatitudeTolerance * std::max(a.limb.latitude, b.limb.latitude);
}

double longitudeTolerance(const Sighting &a, const Sighting &b) {
    return kLongitudeTolerance * std::max(a.limb.longitude, b.limb.longitude) +
           kLongitudeTolerancePerDay * std::fabs(a.time - b.time);
}

// How far apart two places are, in tolerances: at most 1 when they agree.
double misfit(double latitudeDifference, double longitudeDifference, const Sighting &a,
              const Sighting &b) {
    return std::max(std::fabs(latitudeDifference) / latitudeTolerance(a, b),
                    std::fabs(longitudeDifference) / longitudeTolerance(a, b));
}

// Neighbours that agree with x all on one side of it in time and those that disagree all on
// the other: the number passed from a group that has gone to a new one, or a group that
// changed between the days, rather than a slip on x's drawing.
bool handedOver(const Sighting &x, const std::vector<Prediction> &predictions) {
    // Which of the four (agreeing or not, before x or after it) occur.
    bool agreeBefore = false, agreeAfter = false, disagreeBefore = false, disagreeAfter = false;
    for (const Prediction &p : predictions) {
        const bool agrees = p.misfit <= 1;
        if (p.from->time < x.time) {
            agreeBefore = agreeBefore || agrees;
            disagreeBefore = disagreeBefore || !agrees;
        } else if (p.from->time > x.time) {
            agreeAfter = agreeAfter || agrees;
            disagreeAfter = disagreeAfter || !agrees;
        }
    }
    return (agreeAfter && !agreeBefore && !disagreeAfter) ||
           (agreeBefore && !agreeAfter && !disagreeBefore);
}

// Judges sighting x against the sightings of the same number around it (sorted by time).
// Each neighbouring drawing speaks once, with its sighting nearest to x (a drawing may show
// two groups of one number, when the numbers of a new rotation meet an old group). A
// neighbour whose group would be behind the limb at x's moment is another group. x is
// misplaced when more neighbours disagree with it than agree, and the largest set of them
// that agree among themselves still outnumbers those that agree with x; a tie gives it the
// benefit of the doubt, and so does a number handed over (above).
// What judge works in, kept from one sighting to the next so that a long data set is not a
// long run of small allocations.
struct Scratch {
    std::vector<Prediction> predictions;
    std::vector<const Prediction *> disagreeing;
};

std::optional<PositionFinding> judge(const Sighting &x, std::span<const Sighting> sameNumber,
                                     Scratch &scratch) {
    std::vector<Prediction> &predictions = scratch.predictions;
    predictions.clear();
    for (const Sighting &s : sameNumber) {
        if (s.source == x.source || std::abs(s.day - x.day) > kNeighbourDays)
            continue;
        const double longitude = s.longitude + s.drift * (x.time - s.time);
        if (std::fabs(wrap180(x.l0 - longitude)) > 90)
            continue;
        const double offset = wrap180(longitude - x.longitude);
        const Prediction p{&s, s.latitude, offset, misfit(s.latitude - x.latitude, offset, x, s)};
        const auto same =
            std::find_if(predictions.begin(), predictions.end(),
                         [&](const Prediction &q) { return q.from->source == s.source; });
        if (same == predictions.end())
            predictions.push_back(p);
        else if (p.misfit < same->misfit)
            *same = p;
    }
    const auto agreeing = std::count_if(predictions.begin(), predictions.end(),
                                        [](const Prediction &p) { return p.misfit <= 1; });
    std::vector<const Prediction *> &disagreeing = scratch.disagreeing;
    disagreeing.clear();
    for (const Prediction &p : predictions)
        if (p.misfit > 1)
            disagreeing.push_back(&p);
    if (std::ssize(disagreeing) <= agreeing || handedOver(x, predictions))
        return std::nullopt;

    // The largest set of disagreeing neighbours that agree with one of them.
    const auto agreesWith = [](const Prediction *centre, const Prediction *p) {
        return misfit(p->latitude - centre->latitude,
                      wrap180(p->longitudeOffset - centre->longitudeOffset), *p->from,
                      *centre->from) <= 1;
    };
    const Prediction *bestCentre = nullptr;
    std::ptrdiff_t most = 0;
    for (const Prediction *centre : disagreeing) {
        const auto members =
            std::count_if(disagreeing.begin(), disagreeing.end(),
                          [&](const Prediction *p) { return agreesWith(centre, p); });
        if (members > most) {
            most = members;
            bestCentre = centre;
        }
    }
    if (most <= agreeing)
        return std::nullopt;
    std::vector<const Prediction *> best;
    for (const Prediction *p : disagreeing)
        if (agreesWith(bestCentre, p))
            best.push_back(p);

    PositionFinding f;
    f.record = x.source;
    f.slot = x.slot;
    f.rotationGroup = x.number;
    f.date = dateOfSerialDay(x.day);
    f.latitude = x.latitude;
    f.longitude = x.longitude;
    double latitudeSum = 0;
    double offsetSum = 0;
    std::vector<int32_t> days;
    for (const Prediction *p : best) {
        latitudeSum += p->latitude;
        // Around the centre's, so that a set astride the far side's 180 degrees stays whole.
        offsetSum += wrap180(p->longitudeOffset - bestCentre->longitudeOffset);
        days.push_back(p->from->day);
    }
    const auto n = static_cast<double>(best.size());
    const double offset = wrap180(bestCentre->longitudeOffset + offsetSum / n);
    f.expectedLatitude = latitudeSum / n;
    f.expectedLongitude = wrap360(x.longitude + offset);
    f.neighbours = static_cast<int>(best.size());
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    for (int32_t day : days)
        f.neighbourDates.push_back(dateOfSerialDay(day));
    // Which of the two the observer is told about: those beyond the group's own tolerance,
    // or the larger one where only the neighbours' wider tolerances made the difference.
    const double latitudeMisfit = std::fabs(x.latitude - f.expectedLatitude) / kLatitudeTolerance;
    const double longitudeMisfit = std::fabs(offset) / kLongitudeTolerance;
    f.latitudeOff = latitudeMisfit > x.limb.latitude;
    f.longitudeOff = longitudeMisfit > x.limb.longitude;
    if (!f.latitudeOff && !f.longitudeOff) {
        f.latitudeOff = latitudeMisfit > longitudeMisfit;
        f.longitudeOff = !f.latitudeOff;
    }
    return f;
}

// Judges the sightings for which `judged` holds against all of them.
template <typename Judged>
std::vector<PositionFinding> judgeAll(std::vector<Sighting> &sightings, Judged judged) {
    std::sort(sightings.begin(), sightings.end(), bySightingOrder);
    std::vector<PositionFinding> findings;
    Scratch scratch;
    for (auto first = sightings.begin(); first != sightings.end();) {
        const int number = first->number;
        const auto last = std::find_if(first, sightings.end(),
                                       [number](const Sighting &s) { return s.number != number; });
        for (auto x = first; x != last; ++x) {
            if (!judged(*x))
                continue;
            // The same number within the days around x, found by halving its block.
            const auto from =
                std::lower_bound(first, x, x->day - kNeighbourDays,
                                 [](const Sighting &s, int32_t day) { return s.day < day; });
            const auto to =
                std::upper_bound(x, last, x->day + kNeighbourDays,
                                 [](int32_t day, const Sighting &s) { return day < s.day; });
            if (auto f = judge(
                    *x, std::span<const Sighting>(&*from, static_cast<size_t>(to - from)), scratch))
                findings.push_back(std::move(*f));
        }
        first = last;
    }
    std::sort(findings.begin(), findings.end(),
              [](const PositionFinding &a, const PositionFinding &b) {
                  return a.record != b.record ? a.record < b.record : a.slot < b.slot;
              });
    return findings;
}

// The stored records (0-based) whose days lie within [firstDay, lastDay], by halving.
std::pair<size_t, size_t> storedDays(const ObservationStore &store, int32_t firstDay,
                                     int32_t lastDay) {
    const std::vector<int32_t> &days = store.dayNumbers();
    const auto from = std::lower_bound(days.begin(), days.end(), firstDay);
    const auto to = std::upper_bound(from, days.end(), lastDay);
    return {static_cast<size_t>(from - days.begin()), static_cast<size_t>(to - days.begin())};
}

// The same drawing: every byte but the drawing setup, which record 1 alone carries.
bool sameDrawing(const ObservationRecord &a, const ObservationRecord &b) {
    const auto *x = reinterpret_cast<const char *>(&a);
    const auto *y = reinterpret_cast<const char *>(&b);
    constexpr size_t setup = offsetof(ObservationRecord, drawingSetup);
    constexpr size_t afterSetup = setup + sizeof(uint16_t);
    return std::memcmp(x, y, setup) == 0 &&
           std::memcmp(x + afterSetup, y + afterSetup, sizeof(ObservationRecord) - afterSetup) == 0;
}

QLocale numberLocale() {
    // Czech numbers unless a language has been chosen: the program speaks Czech by default.
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::Czech, QLocale::CzechRepublic)
                                           : locale;
}

} // namespace

double longitudeDriftPerDay(double latitude) {
    const double s = std::sin(latitude * std::numbers::pi / 180);
    return kGroupRateEquator - kGroupRateLatitudeTerm * s * s - kCarringtonRate;
}

LimbFactors limbFactors(double distance, double axisAngle, double latitude) {
    constexpr double kRadPerDeg = std::numbers::pi / 180;
    const double r = std::clamp(distance / kLimbDistance, 0.0, 1.0);
    // cos(rho), kept from falling below the one that gives the largest factor.
    const double cosRho = std::max(std::sqrt(1 - r * r), 1 / kLimbFactorLimit);
    const double towardsPole = std::cos(axisAngle * kRadPerDeg);
    const double acrossAxis = std::sin(axisAngle * kRadPerDeg);
    // A millimetre along the radius is 1 / cos(rho) times more of the Sun than one across it;
    // the radius points along the meridian by towardsPole and along the parallel by acrossAxis.
    auto stretched = [cosRho](double along, double across) {
        return std::sqrt(along * along / (cosRho * cosRho) + across * across);
    };
    // A degree of longitude is cos b degrees of arc.
    const double cosLatitude = std::max(std::cos(latitude * kRadPerDeg), kLowestLatitudeCosine);
    return {stretched(towardsPole, acrossAxis), stretched(acrossAxis, towardsPole) / cosLatitude};
}

std::vector<PositionFinding> checkPositions(const ObservationStore &store) {
    std::vector<Sighting> sightings;
    sightings.reserve(static_cast<size_t>(store.recordCount()) * 4);
    const std::vector<int32_t> &days = store.dayNumbers();
    for (int n = 1; n <= store.recordCount(); ++n)
        addSightings(sightings, store.record(n), n, days[static_cast<size_t>(n - 1)]);
    return judgeAll(sightings, [](const Sighting &) { return true; });
}

std::vector<PositionFinding> checkRecordPositions(const ObservationStore &store,
                                                  const ObservationRecord &record) {
    const auto date = store.dateOf(record);
    if (!date || record.isSpecial())
        return {};
    const int32_t day = serialDay(*date);
    const auto [from, to] = storedDays(store, day - kNeighbourDays, day + kNeighbourDays);
    int own = 0;
    std::vector<Sighting> sightings;
    for (size_t i = from; i < to; ++i) {
        const ObservationRecord &r = store.records()[i];
        if (own == 0 && store.dayNumbers()[i] == day && sameDrawing(r, record)) {
            own = static_cast<int>(i) + 1;
            continue;
        }
        addSightings(sightings, r, static_cast<int>(i) + 1, store.dayNumbers()[i]);
    }
    addSightings(sightings, record, own, day);
    return judgeAll(sightings, [own](const Sighting &s) { return s.source == own; });
}

std::vector<PositionFinding> checkAddedPositions(const ObservationStore &store,
                                                 const std::vector<ObservationRecord> &added) {
    std::vector<Sighting> sightings;
    std::optional<int32_t> first;
    std::optional<int32_t> last;
    for (size_t i = 0; i < added.size(); ++i) {
        const auto date = store.dateOf(added[i]);
        if (!date)
            continue;
        const int32_t day = serialDay(*date);
        first = std::min(first.value_or(day), day);
        last = std::max(last.value_or(day), day);
        // Numbered below 0, apart from the stored ones.
        addSightings(sightings, added[i], -static_cast<int>(i) - 1, day);
    }
    if (!first)
        return {};
    const auto [from, to] = storedDays(store, *first - kNeighbourDays, *last + kNeighbourDays);
    for (size_t i = from; i < to; ++i)
        addSightings(sightings, store.records()[i], static_cast<int>(i) + 1, store.dayNumbers()[i]);
    std::vector<PositionFinding> findings =
        judgeAll(sightings, [](const Sighting &s) { return s.source < 0; });
    for (PositionFinding &f : findings)
        f.record = -f.record;
    std::sort(findings.begin(), findings.end(),
              [](const PositionFinding &a, const PositionFinding &b) {
                  return a.record != b.record ? a.record < b.record : a.slot < b.slot;
              });
    return findings;
}

QString neighbourDatesText(const std::vector<CalendarDate> &dates) {
    QStringList parts;
    for (size_t i = 0; i < dates.size(); ++i) {
        const CalendarDate &d = dates[i];
        // The month is written once, after the last day of it.
        const bool lastOfMonth = i + 1 == dates.size() || dates[i + 1].curMonth != d.curMonth ||
                                 dates[i + 1].curYear != d.curYear;
        parts << (lastOfMonth ? formatDate(d, u"d.mm.") : formatDate(d, u"d."));
    }
    if (parts.size() <= 1)
        return parts.value(0);
    const QString last = parts.takeLast();
    return PositionCheckTexts::tr("%1 a %2").arg(parts.join(QStringLiteral(", ")), last);
}

QString positionFindingText(const PositionFinding &f) {
    const QLocale locale = numberLocale();
    const QString longitude =
        locale.toString(std::fabs(wrap180(f.longitude - f.expectedLongitude)), 'f', 1);
    const QString latitude = locale.toString(std::fabs(f.latitude - f.expectedLatitude), 'f', 1);
    const QString days = neighbourDatesText(f.neighbourDates);
    if (f.longitudeOff && f.latitudeOff)
        return PositionCheckTexts::tr(
                   "Skupina %1: o %2° v délce a o %3° v šířce jinde, než čekám podle %4")
            .arg(f.rotationGroup)
            .arg(longitude, latitude, days);
    if (f.latitudeOff)
        return PositionCheckTexts::tr("Skupina %1: o %2° v šířce jinde, než čekám podle %3")
            .arg(f.rotationGroup)
            .arg(latitude, days);
    return PositionCheckTexts::tr("Skupina %1: o %2° v délce jinde, než čekám podle %3")
        .arg(f.rotationGroup)
        .arg(longitude, days);
}

} // namespace orvanek
