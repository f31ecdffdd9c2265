#include "data/positioncheck.h"

#include "data/dates.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <set>
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

// Two drawings closer than this (days) are the same moment to the learning: their difference
// says how two hands differ, not how a group changes from day to day.
constexpr double kFewestLearningDays = 0.25;
// A pair is decided by the group's sightings this many days away at most (beyond the
// neighbours), where it has them.
constexpr int kTrackDays = 2 * kNeighbourDays;
// The days around a record that its check reads: its neighbours' neighbours, and the track of
// a lone neighbour.
constexpr int kReadDays = kNeighbourDays + kTrackDays;
// Pairs up to this many days apart give the longitude tolerance, those further the growth.
constexpr double kNearPairDays = 1.5;
// The central meridian's longitude falls this much a day (360 degrees a synodic rotation).
constexpr double kCentralLongitudeRate = 360 / 27.2753;
// A drawing is only blamed when its groups are this far off as a rule (the median of their
// misfits, 1 at the tolerance) beyond the usual misfit of the data set's groups, and mended
// they are at most half as far beyond it. Where a wide hand's tolerance takes in a drawing
// 12 hours out, its groups stay within it, but all a third or more of it off and all coming
// home at once; the usual scatter stays whatever the mending, and a heavy-tailed hand's
// groups, a quarter of the tolerance off as a rule, could not come home by half of all.
constexpr double kFaultMisfit = 0.35;
constexpr double kFaultGain = 0.5;
// A shift of time under this many hours (3.9 degrees of rotation) is not named: the clean
// Greenwich drawings have whole plates whose groups all sit 2 to 3 degrees of rotation off
// together (4 to 6 hours), a measure of the plate and not its time, and a time written a few
// hours wrong moves each group by less than a hand's day-to-day scatter. One from
// kDayFromHours to kDayToHours is the date a day out.
constexpr int kFewestShiftHours = 7;
constexpr int kDayFromHours = 18;
constexpr int kDayToHours = 30;

double wrap180(double degrees) {
    return degrees - 360 * std::floor((degrees + 180) / 360);
}

double wrap360(double degrees) {
    return degrees - 360 * std::floor(degrees / 360);
}

// The limb factor of a difference of two sightings: each scatters by its own factor, the
// difference by the root of the sum of their squares, taken so that two equal factors give
// that factor.
double bothLimbs(double a, double b) {
    return std::sqrt((a * a + b * b) / 2);
}

// The tolerances two sightings are judged with: each the larger of their drawings'.
struct PairTolerance {
    double latitude;
    double longitude;
    double longitudePerDay;
    const PositionTolerance *a;
    const PositionTolerance *b;

    // The latitude and longitude tolerances at a pair's limb factors, without the days.
    double latitudeAt(double factor) const {
        return factor * std::max(a->latitude * a->latitudeLimb.at(factor),
                                 b->latitude * b->latitudeLimb.at(factor));
    }
    double longitudeAt(double factor) const {
        return factor * std::max(a->longitude * a->longitudeLimb.at(factor),
                                 b->longitude * b->longitudeLimb.at(factor));
    }
};

// One drawing the check reads.
struct Drawing {
    const ObservationRecord *record;
    int source; // the record it is (see the checks)
    int32_t day;
    uint16_t timeUT;
    int observer; // index into the observers' names, -1 without a name
    bool judged;
    PositionTolerance tolerance;
    size_t first = 0, count = 0; // its sightings
    bool faulty = false;
};

// One group on one drawing, as the check compares it.
struct Sighting {
    int drawing;
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

double timeOfDay(uint16_t timeUT) {
    return (timeUT / 100 + (timeUT % 100) / 60.0) / 24;
}

Sighting sightingAt(const Ephemeris &e, int drawing, int slot, int number, int32_t day,
                    uint16_t timeUT, uint16_t angle, uint16_t distance) {
    const HeliographicPosition h = polarToHeliographic(e, distance, angle);
    return {drawing,
            slot,
            number,
            day,
            day + timeOfDay(timeUT),
            h.helioLatitude,
            h.helioLongitude,
            e.L0,
            limbFactors(distance, angle / 10.0 - e.P, h.helioLatitude),
            longitudeDriftPerDay(h.helioLatitude)};
}

// Everything a check reads: the drawings, their sightings, and the sightings in the order of
// their numbers and moments, cut into runs (one drawing's sightings of one number) and blocks
// (one number's runs).
struct Index {
    std::vector<Drawing> drawings;
    std::vector<Sighting> sightings;
    std::vector<QString> observers;
    std::map<QString, int> observerIds;

    struct Run {
        int drawing;
        int32_t day;
        double time;
        uint32_t begin, end;        // in `order`
        uint32_t dayFirst, dayLast; // the runs of its number and day
        uint32_t blockFirst, blockEnd;
    };
    std::vector<uint32_t> order; // sightings by number, time, drawing and row
    std::vector<Run> runs;
    std::vector<uint32_t> runOf; // each sighting's run
    long long comparisons = 0;

    void add(const ObservationRecord &r, int source, int32_t day, bool judged) {
        if (r.isSpecial() || day == ObservationStore::kUnreadableDay || r.usedGroups() == 0)
            return;
        bool any = false;
        for (int i = 1; i <= r.usedGroups(); ++i)
            any = any || r.group(i).rotationGroupNumber != 0;
        if (!any)
            return;
        const QString name = readText(r.observer).trimmed();
        int observer = -1;
        if (!name.isEmpty()) {
            const auto [it, added] = observerIds.try_emplace(name, int(observers.size()));
            if (added)
                observers.push_back(name);
            observer = it->second;
        }
        Drawing d{&r, source, day, r.timeUT, observer, judged, {}, sightings.size(), 0, false};
        const int index = static_cast<int>(drawings.size());
        const Ephemeris e = solarEphemeris(dateOfSerialDay(day), r.timeUT);
        for (int i = 1; i <= r.usedGroups(); ++i) {
            const SunspotGroup &g = r.group(i);
            if (g.rotationGroupNumber == 0 || placedOnlyByHemisphere(g))
                continue;
            sightings.push_back(
                sightingAt(e, index, i, g.rotationGroupNumber, day, r.timeUT, g.angle, g.distance));
        }
        d.count = sightings.size() - d.first;
        drawings.push_back(d);
    }

    void build() {
        order.resize(sightings.size());
        for (uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](uint32_t i, uint32_t j) {
            const Sighting &a = sightings[i];
            const Sighting &b = sightings[j];
            if (a.number != b.number)
                return a.number < b.number;
            if (a.time != b.time)
                return a.time < b.time;
            if (a.drawing != b.drawing)
                return a.drawing < b.drawing;
            return a.slot < b.slot;
        });
        runs.clear();
        runOf.assign(sightings.size(), 0);
        for (uint32_t k = 0; k < order.size(); ++k) {
            const Sighting &s = sightings[order[k]];
            if (runs.empty() || sightings[order[runs.back().begin]].number != s.number ||
                runs.back().drawing != s.drawing)
                runs.push_back({s.drawing, s.day, s.time, k, k + 1, 0, 0, 0, 0});
            else
                runs.back().end = k + 1;
            runOf[order[k]] = static_cast<uint32_t>(runs.size() - 1);
        }
        // Each run's day and block, for the jumps over a crowded day.
        const auto numberOf = [this](const Run &r) { return sightings[order[r.begin]].number; };
        for (uint32_t first = 0; first < runs.size();) {
            uint32_t end = first;
            while (end < runs.size() && numberOf(runs[end]) == numberOf(runs[first]))
                ++end;
            for (uint32_t d = first; d < end;) {
                uint32_t e = d;
                while (e < end && runs[e].day == runs[d].day)
                    ++e;
                for (uint32_t k = d; k < e; ++k) {
                    runs[k].dayFirst = d;
                    runs[k].dayLast = e - 1;
                    runs[k].blockFirst = first;
                    runs[k].blockEnd = end;
                }
                d = e;
            }
            first = end;
        }
    }

    // The runs of x's number on the drawings around x: at most kDrawingsPerDay a day, the
    // nearest to it in time, within kNeighbourDays. Not x's own.
    template <typename F> void forNeighbourRuns(uint32_t x, F visit) const {
        const Run &own = runs[runOf[x]];
        const int32_t day = sightings[x].day;
        std::array<int, 2 * kNeighbourDays + 1> taken{};
        const auto take = [&](uint32_t k) {
            int &n = taken[static_cast<size_t>(runs[k].day - day + kNeighbourDays)];
            if (n >= kDrawingsPerDay)
                return false;
            ++n;
            visit(runs[k]);
            return true;
        };
        const uint32_t self = runOf[x];
        for (uint32_t k = self; k-- > own.blockFirst && runs[k].day >= day - kNeighbourDays;)
            if (!take(k))
                k = runs[k].dayFirst; // the rest of that day is further in time
        for (uint32_t k = self + 1; k < own.blockEnd && runs[k].day <= day + kNeighbourDays; ++k)
            if (!take(k))
                k = runs[k].dayLast;
    }

    // The runs of x's number on the drawings beyond kNeighbourDays and up to kTrackDays
    // from x, nearest first on each side.
    template <typename F> void forTrackRuns(uint32_t x, F visit) const {
        const Run &own = runs[runOf[x]];
        const int32_t day = sightings[x].day;
        const uint32_t self = runOf[x];
        for (uint32_t k = self; k-- > own.blockFirst && runs[k].day >= day - kTrackDays;)
            if (runs[k].day < day - kNeighbourDays)
                visit(runs[k]);
        for (uint32_t k = self + 1; k < own.blockEnd && runs[k].day <= day + kTrackDays; ++k)
            if (runs[k].day > day + kNeighbourDays)
                visit(runs[k]);
    }

    PairTolerance tolerance(const Sighting &a, const Sighting &b) const {
        const PositionTolerance &x = drawings[static_cast<size_t>(a.drawing)].tolerance;
        const PositionTolerance &y = drawings[static_cast<size_t>(b.drawing)].tolerance;
        return {std::max(x.latitude, y.latitude), std::max(x.longitude, y.longitude),
                std::max(x.longitudePerDay, y.longitudePerDay), &x, &y};
    }

    // How far apart two places are, in tolerances: at most 1 when they agree, within the
    // ellipse the two tolerances span. Off in both at once by most of each is further than
    // the day-to-day scatter goes: a hand's latitude and longitude err apart.
    double misfit(double latitudeDifference, double longitudeDifference, const Sighting &a,
                  const Sighting &b) const {
        return misfit(latitudeDifference, longitudeDifference, a, b, tolerance(a, b));
    }
    static double misfit(double latitudeDifference, double longitudeDifference, const Sighting &a,
                         const Sighting &b, const PairTolerance &t) {
        const auto [inLatitude, inLongitude] =
            shares(latitudeDifference, longitudeDifference, a, b, t);
        return std::hypot(inLatitude, inLongitude);
    }
    // The larger of the two shares alone: beyond 1 when the difference is beyond the latitude
    // or the longitude tolerance by itself, not only beyond the ellipse.
    double alone(double latitudeDifference, double longitudeDifference, const Sighting &a,
                 const Sighting &b) const {
        const auto [inLatitude, inLongitude] =
            shares(latitudeDifference, longitudeDifference, a, b, tolerance(a, b));
        return std::max(std::fabs(inLatitude), std::fabs(inLongitude));
    }
    // The differences in latitude and longitude as shares of their tolerances.
    static std::pair<double, double> shares(double latitudeDifference, double longitudeDifference,
                                            const Sighting &a, const Sighting &b,
                                            const PairTolerance &t) {
        const double latitude = t.latitudeAt(bothLimbs(a.limb.latitude, b.limb.latitude));
        const double longitude = t.longitudeAt(bothLimbs(a.limb.longitude, b.limb.longitude)) +
                                 t.longitudePerDay * std::fabs(a.time - b.time);
        return {latitudeDifference / latitude, longitudeDifference / longitude};
    }
};

// A neighbour's word on where the judged group is: its own place moved on to the judged
// group's moment.
struct Prediction {
    const Sighting *from;
    double latitude;
    double longitudeOffset; // from the judged group's longitude, -180..180
    double misfit;          // 1 = just at the tolerance from the judged group
};

// The sighting of run `run` nearest to x (a drawing may show two groups of one number, when
// the numbers of a new rotation meet an old group). One whose group would be behind the limb
// at x's moment is another group.
std::optional<Prediction> nearestIn(Index &index, const Sighting &x, const Index::Run &run) {
    // One drawing: one pair of tolerances and one time apart. The nearest is chosen by x's
    // own limb factors, which need no root for each candidate; only it is measured fully.
    const Sighting &first = index.sightings[index.order[run.begin]];
    const PairTolerance t = index.tolerance(x, first);
    const double perLatitude = 1 / (t.latitude * x.limb.latitude);
    const double perLongitude =
        1 / (t.longitude * x.limb.longitude + t.longitudePerDay * std::fabs(x.time - first.time));
    const Sighting *best = nullptr;
    double bestOffset = 0;
    double bestDistance = 0;
    for (uint32_t k = run.begin; k < run.end; ++k) {
        const Sighting &s = index.sightings[index.order[k]];
        ++index.comparisons;
        const double longitude = s.longitude + s.drift * (x.time - s.time);
        if (std::fabs(wrap180(x.l0 - longitude)) > 90)
            continue;
        const double offset = wrap180(longitude - x.longitude);
        const double distance = std::max(std::fabs(s.latitude - x.latitude) * perLatitude,
                                         std::fabs(offset) * perLongitude);
        if (!best || distance < bestDistance) {
            best = &s;
            bestOffset = offset;
            bestDistance = distance;
        }
    }
    if (!best)
        return std::nullopt;
    return Prediction{best, best->latitude, bestOffset,
                      Index::misfit(best->latitude - x.latitude, bestOffset, x, *best, t)};
}

// The predictions of every sighting, kept in one array.
struct Predictions {
    std::vector<Prediction> all;
    std::vector<uint32_t> first; // of each sighting, and one past the last

    std::span<const Prediction> of(uint32_t x) const {
        return {all.data() + first[x], all.data() + first[x + 1]};
    }
};

Predictions predictAll(Index &index) {
    Predictions p;
    p.first.reserve(index.sightings.size() + 1);
    for (uint32_t x = 0; x < index.sightings.size(); ++x) {
        p.first.push_back(static_cast<uint32_t>(p.all.size()));
        const Sighting &s = index.sightings[x];
        index.forNeighbourRuns(x, [&](const Index::Run &run) {
            if (auto q = nearestIn(index, s, run))
                p.all.push_back(*q);
        });
    }
    p.first.push_back(static_cast<uint32_t>(p.all.size()));
    return p;
}

// The quantile q of values (reordered here, not sorted: picked in linear time).
double quantile(std::vector<double> &values, double q) {
    const auto k =
        std::min(static_cast<size_t>(std::ceil(q * static_cast<double>(values.size()))) - 1,
                 values.size() - 1);
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(k);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// The tolerance a set of differences (their sizes, reordered here) asks for: the size that only
// kPairsBeyond of them pass, read from the tail itself rather than from a normal scatter's
// sigma (which a heavy tail outgrows). So high a percentile cannot be counted from a few
// hundred or thousand pairs: it is carried out from the 90th and the 99th percentile, the
// tail taken as exponential (each further tenth of the pairs passed a like step out), which
// a normal tail falls short of and a heavier one reaches. Where fewer than kTailPairs pass
// the 99th (under 3000 pairs), from the percentile that kTailPairs pass instead, up to the
// 95th: a slip's own pairs, six or so with its neighbours, are a good share of the few
// beyond the 99th of a thousand pairs and would widen the tolerance to take the slip in.
// Fewer than kTailLearningPairs have no 99th percentile to speak of: the 90th times what
// an exponential tail adds to it.
double spread(std::vector<double> &values, double pairsBeyond = kPairsBeyond) {
    const double p90 = quantile(values, 0.9);
    if (std::ssize(values) < kTailLearningPairs)
        return p90 * kTailOverP90;
    const double beyond = std::clamp(kTailPairs / static_cast<double>(values.size()), 0.01, 0.05);
    const double far = quantile(values, 1 - beyond);
    return far + (far - p90) / std::log10(0.1 / beyond) * std::log10(beyond / pairsBeyond);
}

// One pair of sightings a learning reads.
struct LearningPair {
    double latitude;     // difference, degrees
    double longitude;    // difference, drift-corrected
    double latitudeLimb; // the pair's limb factors
    double longitudeLimb;
    double days;
    int observer; // both sightings', -1 when they differ or have no name
};

size_t limbBand(double factor) {
    size_t b = 0;
    while (b < kLimbBandEdges.size() && factor >= kLimbBandEdges[b])
        ++b;
    return b;
}

// How much faster than the limb factor the differences grow towards the limb: each band's
// median, each difference over the size `size(pair, growth)` it is expected to scatter by,
// over the central band's; twice, as the growth found changes the sizes. Bands of too few
// pairs take the band before them.
template <typename Value, typename Factor, typename Size>
LimbGrowth limbGrowthOf(const std::vector<LearningPair> &pairs, Value value, Factor factor,
                        Size size) {
    LimbGrowth growth;
    for (int round = 0; round < 2; ++round) {
        std::array<std::vector<double>, kLimbBands> bands;
        for (const LearningPair &p : pairs)
            bands[limbBand(factor(p))].push_back(value(p) / size(p, growth));
        if (std::ssize(bands[0]) < kFewestBandPairs)
            return growth;
        const double centre = std::max(quantile(bands[0], 0.5), 1e-3);
        double least = 1;
        for (size_t b = 1; b < bands.size(); ++b) {
            if (std::ssize(bands[b]) >= kFewestBandPairs)
                least = std::max(least, growth.band[b] * quantile(bands[b], 0.5) / centre);
            growth.band[b] = std::min(least, kLimbFactorLimit);
        }
        if (growth.band.back() == 1)
            break; // the limb factor alone is enough: nothing to measure again
    }
    return growth;
}

// The reach of the tails of the pairs' latitudes and longitudes, each difference over its
// expected size: a pair far beyond the usual in either is a slip or another group and left
// out of both. The 90th percentiles it is measured by stand while a tenth of the pairs are
// such.
std::pair<double, double> reachOf(std::vector<double> latitudes, std::vector<double> longitudes) {
    std::vector<double> sorted = latitudes;
    const double latitudeScale = kOutlierScales * std::max(quantile(sorted, 0.9), 1e-3);
    sorted = longitudes;
    const double longitudeScale = kOutlierScales * std::max(quantile(sorted, 0.9), 1e-3);
    std::vector<double> keptLatitudes, keptLongitudes;
    for (size_t i = 0; i < latitudes.size(); ++i)
        if (latitudes[i] <= latitudeScale && longitudes[i] <= longitudeScale) {
            keptLatitudes.push_back(latitudes[i]);
            keptLongitudes.push_back(longitudes[i]);
        }
    return {spread(keptLatitudes), spread(keptLongitudes)};
}

PositionTolerance learnFrom(const std::vector<LearningPair> &pairs) {
    PositionTolerance t;
    t.pairs = static_cast<int>(pairs.size());
    if (t.pairs < kFewestLearningPairs)
        return t;
    t.learned = true;
    const bool bands = t.pairs >= kTailLearningPairs;
    const auto latitudeOf = [](const LearningPair &p) { return p.latitude; };
    const auto latitudeLimbOf = [](const LearningPair &p) { return p.latitudeLimb; };
    const auto latitudeSize = [](const LearningPair &p, const LimbGrowth &g) {
        return p.latitudeLimb * g.at(p.latitudeLimb);
    };
    const LimbGrowth latitudeGrowth =
        bands ? limbGrowthOf(pairs, latitudeOf, latitudeLimbOf, latitudeSize) : LimbGrowth{};

    // How the scatter grows with the days apart: from the medians of the near and the far
    // pairs (each over its limb factor), which stand on all of them, when each kind is a good
    // share of them; otherwise as the fixed tolerances grow.
    std::vector<double> nearLongitudes, farLongitudes;
    double nearDays = 0, farDays = 0;
    for (const LearningPair &p : pairs) {
        if (p.days <= kNearPairDays) {
            nearLongitudes.push_back(p.longitude / p.longitudeLimb);
            nearDays += p.days;
        } else {
            farLongitudes.push_back(p.longitude / p.longitudeLimb);
            farDays += p.days;
        }
    }
    const auto enough = [&](const std::vector<double> &v) {
        return std::ssize(v) >= kFewestLearningPairs / 4;
    };
    double base = kLongitudeTolerance, perDay = kLongitudeTolerancePerDay;
    if (enough(nearLongitudes) && enough(farLongitudes)) {
        nearDays /= double(nearLongitudes.size());
        farDays /= double(farLongitudes.size());
        const double nearQ = std::max(quantile(nearLongitudes, 0.5), 0.05);
        const double farQ = quantile(farLongitudes, 0.5);
        perDay = std::max(0.0, (farQ - nearQ) / std::max(farDays - nearDays, 0.5));
        base = std::max(nearQ - perDay * nearDays, nearQ / 2);
    }
    const auto longitudeOf = [](const LearningPair &p) { return p.longitude; };
    const auto longitudeLimbOf = [](const LearningPair &p) { return p.longitudeLimb; };
    const auto longitudeSize = [&](const LearningPair &p, const LimbGrowth &g) {
        return base * p.longitudeLimb * g.at(p.longitudeLimb) + perDay * p.days;
    };
    const LimbGrowth longitudeGrowth =
        bands ? limbGrowthOf(pairs, longitudeOf, longitudeLimbOf, longitudeSize) : LimbGrowth{};
    std::vector<double> latitudes, longitudes;
    for (const LearningPair &p : pairs) {
        latitudes.push_back(p.latitude / latitudeSize(p, latitudeGrowth));
        longitudes.push_back(p.longitude / longitudeSize(p, longitudeGrowth));
    }
    const auto [latitude, reach] = reachOf(std::move(latitudes), std::move(longitudes));
    t.latitude = std::max(kLatitudeTolerance, latitude);
    t.longitude = std::max(kLongitudeTolerance, reach * base);
    t.longitudePerDay = std::max(kLongitudeTolerancePerDay, reach * perDay);
    // The growth towards the limb is the learned tolerance's: where the fixed least one is
    // wider at the centre, the limb needs only what the learned one asks beyond it.
    for (size_t b = 0; b < kLimbBands; ++b) {
        t.latitudeLimb.band[b] = std::max(1.0, latitude * latitudeGrowth.band[b] / t.latitude);
        t.longitudeLimb.band[b] =
            std::max(1.0, reach * base * longitudeGrowth.band[b] / t.longitude);
    }
    return t;
}

// Where the group's track places x, from its neighbours before and after it: each side's
// word the mean of its neighbours' (weighing as sharp as their longitude tolerance is), the two
// sides joined in proportion to their nearness, as a straight track between them would place
// it, so that a group turning a little faster or slower than the law does not move the place.
// In x's own tolerances at x's place, without the days apart; none without a side.
struct TrackPlace {
    double misfit; // of x from the track's place
    double sides;  // of the two sides' words from each other
};
std::optional<TrackPlace> trackPlace(const Sighting &x, std::span<const Prediction> mine,
                                     const PositionTolerance &own) {
    std::array<double, 2> weights{}, times{}, latitudes{}, longitudes{};
    for (const Prediction &p : mine) {
        const double days = p.from->time - x.time;
        if (std::fabs(days) < kFewestLearningDays)
            continue;
        const size_t side = days > 0;
        const double tolerance = own.longitude + own.longitudePerDay * std::fabs(days);
        const double w = 1 / (tolerance * tolerance);
        weights[side] += w;
        times[side] += w * days;
        latitudes[side] += w * (p.latitude - x.latitude);
        longitudes[side] += w * p.longitudeOffset;
    }
    if (weights[0] == 0 || weights[1] == 0)
        return std::nullopt;
    const double latitude = own.latitude * x.limb.latitude * own.latitudeLimb.at(x.limb.latitude);
    const double longitude =
        own.longitude * x.limb.longitude * own.longitudeLimb.at(x.limb.longitude);
    for (size_t side = 0; side < 2; ++side) {
        times[side] /= weights[side];
        latitudes[side] /= weights[side] * latitude;
        longitudes[side] /= weights[side] * longitude;
    }
    const double after = -times[0] / (times[1] - times[0]);
    const double inLatitude = latitudes[0] + after * (latitudes[1] - latitudes[0]);
    const double inLongitude = longitudes[0] + after * (longitudes[1] - longitudes[0]);
    return TrackPlace{std::hypot(inLatitude, inLongitude),
                      std::hypot(latitudes[1] - latitudes[0], longitudes[1] - longitudes[0])};
}

// Learns the tolerances from the index's sightings (whose drawings hold the fixed ones) and
// gives each drawing its own.
LearnedTolerances learn(const Index &index, const Predictions &predictions) {
    std::vector<LearningPair> pairs;
    for (uint32_t x = 0; x < index.sightings.size(); ++x) {
        const Sighting &s = index.sightings[x];
        for (const Prediction &p : predictions.of(x)) {
            const Sighting &o = *p.from;
            if (o.time < s.time + kFewestLearningDays)
                continue; // each pair once, from its earlier sighting
            const int a = index.drawings[static_cast<size_t>(s.drawing)].observer;
            const int b = index.drawings[static_cast<size_t>(o.drawing)].observer;
            pairs.push_back({std::fabs(o.latitude - s.latitude), std::fabs(p.longitudeOffset),
                             bothLimbs(s.limb.latitude, o.limb.latitude),
                             bothLimbs(s.limb.longitude, o.limb.longitude), o.time - s.time,
                             a == b ? a : -1});
        }
    }
    LearnedTolerances learned;
    learned.dataSet = learnFrom(pairs);
    std::vector<std::vector<LearningPair>> byObserver(index.observers.size());
    for (const LearningPair &p : pairs)
        if (p.observer >= 0)
            byObserver[static_cast<size_t>(p.observer)].push_back(p);
    for (size_t i = 0; i < byObserver.size(); ++i) {
        const PositionTolerance t = learnFrom(byObserver[i]);
        if (t.learned)
            learned.observers.emplace_back(index.observers[i], t);
    }
    std::sort(learned.observers.begin(), learned.observers.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    // How far off its track a sighting is as a rule, in its own learned tolerances.
    std::vector<double> misfits;
    for (uint32_t x = 0; x < index.sightings.size(); ++x) {
        const Drawing &d = index.drawings[static_cast<size_t>(index.sightings[x].drawing)];
        const PositionTolerance &own = learned.of(
            d.observer < 0 ? QString() : index.observers[static_cast<size_t>(d.observer)]);
        if (const auto t = trackPlace(index.sightings[x], predictions.of(x), own))
            misfits.push_back(t->misfit);
    }
    if (std::ssize(misfits) >= kFewestLearningPairs) {
        std::vector<double> sorted = misfits;
        const double cut = kOutlierScales * quantile(sorted, 0.9);
        std::erase_if(misfits, [cut](double m) { return m > cut; });
        const double reach = std::max(1.0, spread(misfits, kTrackBeyond));
        learned.dataSet.trackReach = reach;
        for (auto &[name, t] : learned.observers)
            t.trackReach = reach;
    }
    return learned;
}

void useTolerances(Index &index, const LearnedTolerances &tolerances) {
    for (Drawing &d : index.drawings)
        d.tolerance = tolerances.of(
            d.observer < 0 ? QString() : index.observers[static_cast<size_t>(d.observer)]);
}

// The predictions' misfits anew, after the tolerances changed or (onlyFaulty) the sightings
// of the faulty drawings were mended: the neighbours stay the ones found.
void refresh(const Index &index, Predictions &predictions, bool onlyFaulty) {
    for (uint32_t x = 0; x < index.sightings.size(); ++x) {
        const Sighting &s = index.sightings[x];
        const bool mendedHere = index.drawings[static_cast<size_t>(s.drawing)].faulty;
        for (uint32_t k = predictions.first[x]; k < predictions.first[x + 1]; ++k) {
            Prediction &p = predictions.all[k];
            const Sighting &o = *p.from;
            if (onlyFaulty && !mendedHere && !index.drawings[static_cast<size_t>(o.drawing)].faulty)
                continue;
            const double longitude = o.longitude + o.drift * (s.time - o.time);
            p.latitude = o.latitude;
            p.longitudeOffset = wrap180(longitude - s.longitude);
            p.misfit = index.misfit(o.latitude - s.latitude, p.longitudeOffset, s, o);
        }
    }
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto mid = values.begin() + std::ssize(values) / 2;
    std::nth_element(values.begin(), mid, values.end());
    if (values.size() % 2 == 1)
        return *mid;
    return (*mid + *std::max_element(values.begin(), mid)) / 2;
}

// Neighbours that disagree with x all on one side of it in time and some that agree on the
// other (those on the same side, days away, may agree within their wider tolerance): the
// number passed from a group that has gone to a new one, or a group that changed between the
// days, rather than a slip on x's drawing.
bool handedOver(const Sighting &x, std::span<const Prediction> predictions) {
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
    return (agreeAfter && !disagreeAfter) || (agreeBefore && !disagreeBefore);
}

PositionFinding findingOf(const Index &index, const Sighting &x,
                          std::span<const Prediction *const> best, const Prediction &centre) {
    PositionFinding f;
    f.record = index.drawings[static_cast<size_t>(x.drawing)].source;
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
        offsetSum += wrap180(p->longitudeOffset - centre.longitudeOffset);
        days.push_back(p->from->day);
    }
    const auto n = static_cast<double>(best.size());
    const double offset = wrap180(centre.longitudeOffset + offsetSum / n);
    f.expectedLatitude = latitudeSum / n;
    f.expectedLongitude = wrap360(x.longitude + offset);
    f.neighbours = static_cast<int>(best.size());
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    for (int32_t day : days)
        f.neighbourDates.push_back(dateOfSerialDay(day));
    // Which of the two the observer is told about: those beyond the group's own tolerance,
    // or the larger one where only the neighbours' wider tolerances made the difference.
    const PositionTolerance &t = index.drawings[static_cast<size_t>(x.drawing)].tolerance;
    const double latitudeMisfit = std::fabs(x.latitude - f.expectedLatitude) / t.latitude;
    const double longitudeMisfit = std::fabs(offset) / t.longitude;
    f.latitudeOff = latitudeMisfit > x.limb.latitude * t.latitudeLimb.at(x.limb.latitude);
    f.longitudeOff = longitudeMisfit > x.limb.longitude * t.longitudeLimb.at(x.limb.longitude);
    if (!f.latitudeOff && !f.longitudeOff) {
        f.latitudeOff = latitudeMisfit > longitudeMisfit;
        f.longitudeOff = !f.latitudeOff;
    }
    return f;
}

// Judges x by its neighbours. With two or more: x is misplaced when the neighbours that
// disagree with it outweigh those that agree, and the weightiest set of them, two or more,
// that agree among themselves still outweighs those that agree with x, each weighing one over
// the square of its longitude tolerance; a tie gives x the benefit of the doubt, and so does a
// number handed over (above). With one that disagrees: x is misplaced when a third sighting agrees
// with that one, or nothing else has seen the group within kNeighbourDays of either but its
// track further away agrees with that one and never with x; otherwise, when nothing else has
// seen it and the two differ beyond the latitude or the longitude tolerance alone, they are a
// pair, told once.
std::optional<PositionFinding> judge(Index &index, const Predictions &predictions, uint32_t xi) {
    const Sighting &x = index.sightings[xi];
    const std::span<const Prediction> mine = predictions.of(xi);
    if (mine.empty())
        return std::nullopt;
    if (mine.size() == 1) {
        const Prediction &only = mine[0];
        if (only.misfit <= 1)
            return std::nullopt;
        const auto si = static_cast<uint32_t>(only.from - index.sightings.data());
        const std::span<const Prediction> theirs = predictions.of(si);
        const Drawing &other = index.drawings[static_cast<size_t>(only.from->drawing)];
        if (other.faulty)
            return std::nullopt;
        const bool seenElsewhere =
            std::any_of(theirs.begin(), theirs.end(),
                        [&](const Prediction &p) { return p.from->drawing != x.drawing; });
        const bool confirmed = std::any_of(theirs.begin(), theirs.end(), [&](const Prediction &p) {
            return p.from->drawing != x.drawing && p.misfit <= 1;
        });
        if (seenElsewhere && confirmed) {
            const Prediction *best[] = {&only};
            return findingOf(index, x, best, only);
        }
        if (seenElsewhere)
            return std::nullopt; // the other sighting answers for itself
        // The group's track further away says which of the two is off: its sightings there
        // agreeing with the other one and none with x, or the other way round.
        // Around both, so that each of the two reads the same track.
        int withX = 0, withOther = 0;
        std::vector<int> asked{x.drawing, only.from->drawing};
        const auto ask = [&](const Index::Run &run) {
            if (std::find(asked.begin(), asked.end(), run.drawing) != asked.end())
                return;
            asked.push_back(run.drawing);
            if (const auto q = nearestIn(index, x, run)) {
                withX += q->misfit <= 1;
                const Sighting &o = *only.from;
                const double longitude =
                    q->from->longitude + q->from->drift * (o.time - q->from->time);
                withOther += index.misfit(q->from->latitude - o.latitude,
                                          wrap180(longitude - o.longitude), o, *q->from) <= 1;
            }
        };
        index.forTrackRuns(xi, ask);
        index.forTrackRuns(si, ask);
        if (withOther > 0 && withX == 0) {
            const Prediction *best[] = {&only};
            return findingOf(index, x, best, only);
        }
        if (withX > 0 && withOther == 0)
            return std::nullopt; // the other one is off, and says so
        // Told on one difference with nothing else to weigh it: only when it is beyond the
        // latitude or the longitude tolerance alone. Each lets kPairsBeyond of clean pairs pass,
        // the ellipse of both four times as many (0.4 to 0.7 % of the Greenwich pairs), and
        // two sightings told for each.
        if (index.alone(only.latitude - x.latitude, only.longitudeOffset, x, *only.from) <= 1)
            return std::nullopt;
        // Told once: by the earlier of two judged sightings.
        if (other.judged && (only.from->time < x.time ||
                             (only.from->time == x.time && only.from->drawing < x.drawing)))
            return std::nullopt;
        const Prediction *best[] = {&only};
        PositionFinding f = findingOf(index, x, best, only);
        f.pair = true;
        f.otherRecord = other.source;
        f.otherSlot = only.from->slot;
        f.otherDate = dateOfSerialDay(only.from->day);
        return f;
    }
    // Each neighbour's word weighs as sharp as its tolerance is, as an estimate weighs by one
    // over its variance: one days away or near the limb, whose tolerance is wide, takes in a
    // slip that the nearest ones see.
    const auto weight = [&](const Prediction &p) {
        const PairTolerance t = index.tolerance(x, *p.from);
        const double tolerance =
            t.longitudeAt(bothLimbs(x.limb.longitude, p.from->limb.longitude)) +
            t.longitudePerDay * std::fabs(x.time - p.from->time);
        return 1 / (tolerance * tolerance);
    };
    double agreeing = 0;
    std::vector<const Prediction *> disagreeing;
    double disagreeingWeight = 0;
    for (const Prediction &p : mine) {
        if (p.misfit > 1) {
            disagreeing.push_back(&p);
            disagreeingWeight += weight(p);
        } else {
            agreeing += weight(p);
        }
    }
    // Each neighbour may take x in, and all of them still place it the same way elsewhere:
    // the track before and after it, steadier than any one neighbour, says it is off.
    const auto offTrack = [&]() -> std::optional<PositionFinding> {
        const PositionTolerance &own = index.drawings[static_cast<size_t>(x.drawing)].tolerance;
        const auto t = trackPlace(x, mine, own);
        if (own.trackReach <= 0 || !t || t->misfit <= own.trackReach || t->sides > t->misfit)
            return std::nullopt;
        std::vector<const Prediction *> all;
        const Prediction *nearest = &mine[0];
        for (const Prediction &p : mine) {
            all.push_back(&p);
            if (std::fabs(p.from->time - x.time) < std::fabs(nearest->from->time - x.time))
                nearest = &p;
        }
        return findingOf(index, x, all, *nearest);
    };
    if (disagreeing.size() < 2 || disagreeingWeight <= agreeing || handedOver(x, mine))
        return offTrack();

    // The weightiest set of disagreeing neighbours that agree with one of them.
    const auto agreesWith = [&](const Prediction *centre, const Prediction *p) {
        return index.misfit(p->latitude - centre->latitude,
                            wrap180(p->longitudeOffset - centre->longitudeOffset), *p->from,
                            *centre->from) <= 1;
    };
    const Prediction *bestCentre = nullptr;
    double most = 0;
    int members = 0;
    for (const Prediction *centre : disagreeing) {
        double w = 0;
        int n = 0;
        for (const Prediction *p : disagreeing)
            if (agreesWith(centre, p)) {
                w += weight(*p);
                ++n;
            }
        if (w > most) {
            most = w;
            members = n;
            bestCentre = centre;
        }
    }
    if (most <= agreeing || members < 2)
        return offTrack();
    std::vector<const Prediction *> best;
    for (const Prediction *p : disagreeing)
        if (agreesWith(bestCentre, p))
            best.push_back(p);
    return findingOf(index, x, best, *bestCentre);
}

// The moment `hours` after a day and time.
std::pair<int32_t, uint16_t> shiftedMoment(int32_t day, uint16_t timeUT, int hours) {
    const int minutes = (timeUT / 100) * 60 + timeUT % 100 + hours * 60;
    const int32_t days = static_cast<int32_t>(std::floor(minutes / 1440.0));
    const int rest = minutes - days * 1440;
    return {day + days, static_cast<uint16_t>((rest / 60) * 100 + rest % 60)};
}

// How a drawing is mended to try a fault.
struct Mending {
    DrawingFaultKind kind;
    int hours = 0;
};

// The drawing's sightings as they would be, mended.
std::vector<Sighting> mended(const Index &index, const Drawing &d, const Mending &m) {
    int32_t day = d.day;
    uint16_t timeUT = d.timeUT;
    if (m.hours != 0)
        std::tie(day, timeUT) = shiftedMoment(d.day, d.timeUT, m.hours);
    const Ephemeris e = solarEphemeris(dateOfSerialDay(day), timeUT);
    std::vector<Sighting> out;
    for (size_t i = d.first; i < d.first + d.count; ++i) {
        const Sighting &s = index.sightings[i];
        const SunspotGroup &g = d.record->group(s.slot);
        int angle = g.angle;
        if (m.kind == DrawingFaultKind::MirroredEastWest)
            angle = (7200 - angle) % 3600;
        else if (m.kind == DrawingFaultKind::MirroredNorthSouth)
            angle = (5400 - angle) % 3600;
        Sighting t = sightingAt(e, s.drawing, s.slot, s.number, day, timeUT,
                                static_cast<uint16_t>(angle), g.distance);
        // It stays on its written day among the neighbours, and is only moved in time.
        t.day = s.day;
        out.push_back(t);
    }
    return out;
}

// How far a group is from its neighbours: the median of its misfits to them.
double groupMisfit(const Index &index, const Sighting &x, std::span<const Prediction> mine) {
    std::vector<double> misfits;
    for (const Prediction &p : mine) {
        const Sighting &s = *p.from;
        const double longitude = s.longitude + s.drift * (x.time - s.time);
        misfits.push_back(
            index.misfit(s.latitude - x.latitude, wrap180(longitude - x.longitude), x, s));
    }
    return median(misfits);
}

// The fault of drawing d, when mending it one way brings most of its groups, at least
// kFewestFaultGroups, to their neighbours.
std::optional<DrawingFault> drawingFault(Index &index, const Predictions &predictions,
                                         const Drawing &d, double usualMisfit) {
    // How far a misfit is beyond the usual one: the scatter every group has, which no mending
    // takes away, counted out as the square root of the difference of the squares.
    const auto excess = [usualMisfit](double m) {
        return std::sqrt(std::max(0.0, m * m - usualMisfit * usualMisfit));
    };
    std::vector<uint32_t> seen; // its sightings with neighbours
    for (size_t i = d.first; i < d.first + d.count; ++i)
        if (!predictions.of(static_cast<uint32_t>(i)).empty())
            seen.push_back(static_cast<uint32_t>(i));
    if (std::ssize(seen) < kFewestFaultGroups)
        return std::nullopt;
    // The median misfit, the groups that fit, and each group's misfit.
    const auto score = [&](std::span<const Sighting> as) {
        std::vector<double> misfits;
        int fitting = 0;
        for (uint32_t i : seen) {
            const double m = groupMisfit(index, as[i - d.first], predictions.of(i));
            misfits.push_back(m);
            fitting += m <= 1;
        }
        return std::tuple{median(misfits), fitting, misfits};
    };
    const std::span<const Sighting> drawn(index.sightings.data() + d.first, d.count);
    const auto [drawnMisfit, drawnFitting, drawnMisfits] = score(drawn);
    if (excess(drawnMisfit) <= kFaultMisfit)
        return std::nullopt;

    std::vector<Mending> tries = {{DrawingFaultKind::MirroredEastWest},
                                  {DrawingFaultKind::MirroredNorthSouth}};
    // The shift of time that brings the longitudes home: a later moment, a smaller L0.
    std::vector<double> offsets;
    for (uint32_t i : seen) {
        std::vector<double> own;
        for (const Prediction &p : predictions.of(i))
            own.push_back(p.longitudeOffset);
        offsets.push_back(median(own));
    }
    const int hours = static_cast<int>(std::lround(-median(offsets) / kCentralLongitudeRate * 24));
    // About a day: the date a day out, or a time near midnight read on the wrong side of it;
    // the better fit tells.
    if (std::abs(hours) >= kDayFromHours && std::abs(hours) <= kDayToHours)
        tries.push_back({hours > 0 ? DrawingFaultKind::DayAfter : DrawingFaultKind::DayBefore,
                         hours > 0 ? 24 : -24});
    if (std::abs(hours) >= kFewestShiftHours && std::abs(hours) <= kDayToHours &&
        (std::abs(hours) < kDayFromHours || shiftedMoment(d.day, d.timeUT, hours).first == d.day))
        tries.push_back({DrawingFaultKind::Time, hours});

    // Mended, the groups are at most half as far beyond the usual misfit and none fits less:
    // where an observer's scatter is wide, the groups of a drawing 12 hours out may each still
    // lie within it, and what tells the drawing's fault is that all of them come home at once.
    std::optional<DrawingFault> best;
    double bestMisfit = drawnMisfit;
    for (const Mending &m : tries) {
        const std::vector<Sighting> as = mended(index, d, m);
        const auto [misfit, fitting, misfits] = score(as);
        // Where every group fits as drawn, only their coming home all at once tells a fault:
        // at least kFewestFaultGroups and all but a quarter of them brought nearer their
        // neighbours. One group brought home and the rest near the limb, fitting either way
        // within their wide tolerances, is one group's scatter, not the drawing's time.
        int nearer = 0;
        for (size_t k = 0; k < misfits.size(); ++k)
            nearer += misfits[k] < drawnMisfits[k];
        const bool allNearer =
            nearer >= kFewestFaultGroups && 4 * (std::ssize(seen) - nearer) <= std::ssize(seen);
        const bool halved = excess(misfit) <= excess(drawnMisfit) * kFaultGain;
        if (fitting < kFewestFaultGroups || 2 * fitting <= std::ssize(seen) ||
            fitting < drawnFitting || misfit > bestMisfit || !halved)
            continue;
        if (drawnFitting == std::ssize(seen) && !allNearer)
            continue;
        bestMisfit = misfit;
        DrawingFault f;
        f.record = d.source;
        f.date = dateOfSerialDay(d.day);
        f.timeUT = d.timeUT;
        f.kind = m.kind;
        f.hours = m.kind == DrawingFaultKind::Time ? m.hours : 0;
        const auto [day, timeUT] = shiftedMoment(d.day, d.timeUT, m.hours);
        f.fittingDate = dateOfSerialDay(day);
        f.fittingTimeUT = timeUT;
        f.groups = static_cast<int>(seen.size());
        f.fitting = fitting;
        best = f;
    }
    return best;
}

// Checks the judged drawings of the index: their faults, then their groups.
PositionReport checkIndex(Index &index, Predictions &predictions) {
    PositionReport report;
    // The usual misfit of a group: the median over all sightings with neighbours.
    std::vector<double> misfits;
    for (uint32_t x = 0; x < index.sightings.size(); ++x)
        if (!predictions.of(x).empty())
            misfits.push_back(groupMisfit(index, index.sightings[x], predictions.of(x)));
    const double usualMisfit = median(std::move(misfits));
    // A faulty drawing, mended, speaks for its groups to the others.
    bool mendedAny = false;
    for (Drawing &d : index.drawings) {
        if (!d.judged)
            continue;
        if (auto f = drawingFault(index, predictions, d, usualMisfit)) {
            const std::vector<Sighting> as =
                mended(index, d,
                       {f->kind, f->kind == DrawingFaultKind::Time        ? f->hours
                                 : f->kind == DrawingFaultKind::DayAfter  ? 24
                                 : f->kind == DrawingFaultKind::DayBefore ? -24
                                                                          : 0});
            std::copy(as.begin(), as.end(),
                      index.sightings.begin() + static_cast<std::ptrdiff_t>(d.first));
            d.faulty = true;
            mendedAny = true;
            report.drawings.push_back(*f);
        }
    }
    if (mendedAny)
        refresh(index, predictions, true);
    for (uint32_t x = 0; x < index.sightings.size(); ++x) {
        const Drawing &d = index.drawings[static_cast<size_t>(index.sightings[x].drawing)];
        if (d.judged && !d.faulty)
            if (auto f = judge(index, predictions, x))
                report.findings.push_back(std::move(*f));
    }
    std::sort(report.drawings.begin(), report.drawings.end(),
              [](const DrawingFault &a, const DrawingFault &b) { return a.record < b.record; });
    std::sort(report.findings.begin(), report.findings.end(),
              [](const PositionFinding &a, const PositionFinding &b) {
                  return a.record != b.record ? a.record < b.record : a.slot < b.slot;
              });
    report.comparisons = index.comparisons;
    return report;
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

// The records from `first` on (numbered from 1).
Index storeIndex(const ObservationStore &store, int first = 1) {
    Index index;
    index.sightings.reserve(static_cast<size_t>(store.recordCount() - first + 1) * 4);
    const std::vector<int32_t> &days = store.dayNumbers();
    for (int n = first; n <= store.recordCount(); ++n)
        index.add(store.record(n), n, days[static_cast<size_t>(n - 1)], true);
    index.build();
    return index;
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

double LimbGrowth::at(double factor) const {
    // Never falling towards the limb: 1 at the last band is 1 everywhere, as most data sets
    // have it.
    if (band.back() == 1 || factor <= kLimbBandMiddles.front())
        return band.front();
    for (size_t b = 1; b < kLimbBands; ++b)
        if (factor < kLimbBandMiddles[b]) {
            const double share = (factor - kLimbBandMiddles[b - 1]) /
                                 (kLimbBandMiddles[b] - kLimbBandMiddles[b - 1]);
            return band[b - 1] + share * (band[b] - band[b - 1]);
        }
    return band.back();
}

const PositionTolerance &LearnedTolerances::of(const QString &observer) const {
    const auto it = std::lower_bound(observers.begin(), observers.end(), observer,
                                     [](const auto &a, const QString &b) { return a.first < b; });
    return it != observers.end() && it->first == observer ? it->second : dataSet;
}

LearnedTolerances learnTolerances(const ObservationStore &store, int latestRecords) {
    Index index = storeIndex(store, std::max(1, store.recordCount() - latestRecords + 1));
    return learn(index, predictAll(index));
}

const LearnedTolerances &storeTolerances(const ObservationStore &store) {
    // Learned once for each store and forgotten when its records change or it goes; each
    // store is watched once, its connections going with it.
    static std::mutex mutex;
    static std::map<const ObservationStore *, LearnedTolerances> learned;
    static std::set<const ObservationStore *> watched;
    const std::lock_guard lock(mutex);
    auto it = learned.find(&store);
    if (it == learned.end()) {
        it = learned.emplace(&store, learnTolerances(store, kLearningRecords)).first;
        if (watched.insert(&store).second) {
            QObject::connect(&store, &ObservationStore::recordsChanged, &store, [&store] {
                const std::lock_guard again(mutex);
                learned.erase(&store);
            });
            QObject::connect(&store, &QObject::destroyed, [&store] {
                const std::lock_guard again(mutex);
                learned.erase(&store);
                watched.erase(&store);
            });
        }
    }
    return it->second;
}

QStringList toleranceTexts(const LearnedTolerances &tolerances) {
    const QLocale locale = numberLocale();
    const auto line = [&](const PositionTolerance &t, const QString &observer) {
        const QString latitude = locale.toString(t.latitude, 'f', 1);
        const QString longitude = locale.toString(t.longitude, 'f', 1);
        const QString perDay = locale.toString(t.longitudePerDay, 'f', 1);
        if (!t.learned)
            return PositionCheckTexts::tr(
                       "tolerance: šířka %1°, délka %2° + %3°/den, pevná (jen %4 dvojic)")
                .arg(latitude, longitude, perDay)
                .arg(t.pairs);
        if (observer.isNull())
            return PositionCheckTexts::tr(
                       "tolerance: šířka %1°, délka %2° + %3°/den, z %4 dvojic celého souboru")
                .arg(latitude, longitude, perDay)
                .arg(t.pairs);
        return PositionCheckTexts::tr(
                   "tolerance: šířka %1°, délka %2° + %3°/den, z %4 dvojic pozorovatele %5")
            .arg(latitude, longitude, perDay)
            .arg(t.pairs)
            .arg(observer);
    };
    QStringList lines{line(tolerances.dataSet, QString())};
    for (const auto &[observer, t] : tolerances.observers)
        lines << line(t, observer);
    return lines;
}

PositionReport checkPositions(const ObservationStore &store) {
    Index index = storeIndex(store);
    // The neighbours are found once, with the fixed tolerances, and judged with the learned.
    Predictions predictions = predictAll(index);
    const LearnedTolerances tolerances = learn(index, predictions);
    useTolerances(index, tolerances);
    refresh(index, predictions, false);
    PositionReport report = checkIndex(index, predictions);
    report.tolerances = tolerances;
    return report;
}

PositionReport checkRecordPositions(const ObservationStore &store,
                                    const ObservationRecord &record) {
    const auto date = store.dateOf(record);
    if (!date || record.isSpecial())
        return {};
    const int32_t day = serialDay(*date);
    // The neighbours' own neighbours too: they say whether a lone neighbour is confirmed; and
    // a lone neighbour's track.
    const auto [from, to] = storedDays(store, day - kReadDays, day + kReadDays);
    int own = 0;
    Index index;
    for (size_t i = from; i < to; ++i) {
        const ObservationRecord &r = store.records()[i];
        if (own == 0 && store.dayNumbers()[i] == day && sameDrawing(r, record)) {
            own = static_cast<int>(i) + 1;
            continue;
        }
        index.add(r, static_cast<int>(i) + 1, store.dayNumbers()[i], false);
    }
    index.add(record, own, day, true);
    index.build();
    const LearnedTolerances &tolerances = storeTolerances(store);
    useTolerances(index, tolerances);
    Predictions predictions = predictAll(index);
    PositionReport report = checkIndex(index, predictions);
    report.tolerances = tolerances;
    return report;
}

PositionReport checkAddedPositions(const ObservationStore &store,
                                   const std::vector<ObservationRecord> &added) {
    Index index;
    std::optional<int32_t> first;
    std::optional<int32_t> last;
    for (size_t i = 0; i < added.size(); ++i) {
        const auto date = store.dateOf(added[i]);
        if (!date)
            continue;
        const int32_t day = serialDay(*date);
        first = std::min(first.value_or(day), day);
        last = std::max(last.value_or(day), day);
        index.add(added[i], static_cast<int>(i) + 1, day, true);
    }
    if (!first)
        return {};
    const auto [from, to] = storedDays(store, *first - kReadDays, *last + kReadDays);
    // Numbered below 0, apart from the added ones.
    for (size_t i = from; i < to; ++i)
        index.add(store.records()[i], -static_cast<int>(i) - 1, store.dayNumbers()[i], false);
    index.build();
    // The added records teach as much as the stored ones: learned from all of them, unless
    // the store alone has more to say.
    Predictions predictions = predictAll(index);
    LearnedTolerances tolerances = learn(index, predictions);
    if (!tolerances.dataSet.learned)
        tolerances = storeTolerances(store);
    useTolerances(index, tolerances);
    refresh(index, predictions, false);
    PositionReport report = checkIndex(index, predictions);
    report.tolerances = std::move(tolerances);
    return report;
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
    if (f.pair) {
        // In the order of the days.
        CalendarDate a = f.date, b = f.otherDate;
        if (serialDay(b) < serialDay(a))
            std::swap(a, b);
        return PositionCheckTexts::tr(
                   "skupiny %1 ze dnů %2 a %3 se neshodují; jedna z nich je jinde")
            .arg(f.rotationGroup)
            .arg(formatDate(a, u"d.mm"), formatDate(b, u"d.mm"));
    }
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

QString drawingFaultText(const DrawingFault &f) {
    const QString date = formatDate(f.date, u"dd.mm.yyyy");
    const QString fittingDate = formatDate(f.fittingDate, u"dd.mm.yyyy");
    switch (f.kind) {
    case DrawingFaultKind::Time: {
        const QString time = formatTimeUT(f.timeUT, u"hh:nn");
        const QString fitting = formatTimeUT(f.fittingTimeUT, u"hh:nn");
        if (f.hours > 0)
            return PositionCheckTexts::tr(
                       "Zákres %1 %2 UT: skupiny sedí na čas o %3 h pozdější, %4 %5 UT")
                .arg(date, time)
                .arg(f.hours)
                .arg(fittingDate, fitting);
        return PositionCheckTexts::tr(
                   "Zákres %1 %2 UT: skupiny sedí na čas o %3 h dřívější, %4 %5 UT")
            .arg(date, time)
            .arg(-f.hours)
            .arg(fittingDate, fitting);
    }
    case DrawingFaultKind::DayBefore:
        return PositionCheckTexts::tr("Zákres %1: skupiny sedí na předchozí den, %2")
            .arg(date, fittingDate);
    case DrawingFaultKind::DayAfter:
        return PositionCheckTexts::tr("Zákres %1: skupiny sedí na následující den, %2")
            .arg(date, fittingDate);
    case DrawingFaultKind::MirroredEastWest:
        return PositionCheckTexts::tr("Zákres %1: východ a západ jsou zrcadlově prohozené")
            .arg(date);
    case DrawingFaultKind::MirroredNorthSouth:
        return PositionCheckTexts::tr("Zákres %1: sever a jih jsou zrcadlově prohozené").arg(date);
    }
    return {};
}

QString drawingFaultCode(DrawingFaultKind kind) {
    switch (kind) {
    case DrawingFaultKind::Time:
        return QStringLiteral("time");
    case DrawingFaultKind::DayBefore:
        return QStringLiteral("dayBefore");
    case DrawingFaultKind::DayAfter:
        return QStringLiteral("dayAfter");
    case DrawingFaultKind::MirroredEastWest:
        return QStringLiteral("mirroredEastWest");
    case DrawingFaultKind::MirroredNorthSouth:
        return QStringLiteral("mirroredNorthSouth");
    }
    return {};
}

QString drawingFaultSuggestion(const DrawingFault &f) {
    switch (f.kind) {
    case DrawingFaultKind::Time:
    case DrawingFaultKind::DayBefore:
    case DrawingFaultKind::DayAfter:
        return formatDate(f.fittingDate, u"dd.mm.yyyy") + u' ' +
               formatTimeUT(f.fittingTimeUT, u"hhnn");
    case DrawingFaultKind::MirroredEastWest:
        return QStringLiteral("360-angle");
    case DrawingFaultKind::MirroredNorthSouth:
        return QStringLiteral("180-angle");
    }
    return {};
}

} // namespace orvanek
