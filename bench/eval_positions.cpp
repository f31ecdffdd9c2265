// How well the position check does on real groups: the yearly files of a sunspot-group
// catalogue (Greenwich/USAF/NOAA, Hathaway's fixed-width format: date, fraction of the day,
// group number, distance in disk radii, position angle, Carrington longitude, latitude,
// central meridian distance) are entered as one observer's daily polar drawings of radius
// 125 mm, the angle read to a whole degree and the distance to a whole millimetre, each
// photograph one drawing. The clean data set says how many group-days are flagged for
// nothing; then one slip at a time is planted in a drawing chosen at random and the check
// says whether it was found:
//   angle 5/10/20 degrees (either way), distance 5/10 mm (either way), the angle mirrored
//   (360 - a), the latitude's sign, another group's number of the same drawing: found when
//   the group is listed as a slip; a pair with it is counted apart ("as pair", and "% with"
//   the pairs): the pair tells the observer that one of two named drawings is off and not
//   which, and a check that turned its accusations into pairs would otherwise score as well;
//   the time 12 hours off, the date a day off: found when the drawing is named with that
//   fault and none of its groups is listed.
// The catalogue's own times are not all right: its Carrington longitude less its meridian
// distance is the central longitude at the moment it measured, and where that moment is an
// hour or more from the written one (most of 1874's written .000, a handful of later slips)
// the written time is put right before the drawings are made, so that the clean data set is
// clean; the check is first run on them as written, to see it name them (--as-written keeps
// them as written throughout).
// A group slip is planted only in a group seen on another drawing within three days; the
// mirrored angle, the latitude's sign and another group's number only where they move the
// group 5 mm or more on the drawing (elsewhere they are no slip); a drawing's fault only in
// a drawing with three or more such groups.
//
//   eval_positions DIR YEAR [YEAR ...] [--plants N] [--pencil S] [--tails MODEL] [--tail T]
//                  [--as-written] [--thin K] [--split N]
// reads DIR/gYEAR.txt; the years are taken together in one table. With --pencil the
// photographs are drawn by three observers taking the months in turn, each scattering the
// places as a pencil would (Hand below), S times their usual scatter, so that the tolerances
// are learned above the fixed ones as an amateur's data set would have them.
// --tails gives the places a scatter with heavy tails on top (with or without --pencil), as
// other catalogues and amateurs have it, T times its usual size (1); MODEL is one of
//   t      each group-day off in latitude and longitude by a Student t of 3 degrees of
//          freedom (scale 0.5 and 0.7 degrees): mostly close, now and then far;
//   mix    most drawings careful, 5 % sloppy: those off by a normal error of 1.5 degrees
//          in latitude and 2 in longitude, the rest by 0.3 and 0.4;
//   limb   an error along the disk's radius (0.4 mm) growing as 1 / cos rho towards the limb
//          (up to 4 times), where a foreshortened group's middle is hard to tell;
//   jump   the group's middle jumping as spots come and go: 15 % of group-days moved 1.5 to
//          5 degrees in longitude and up to 1.5 in latitude, the rest by 0.3 and 0.4;
//   all    all four at once;
//   outliers  a catalogue with more outliers: 3 % of group-days 1.5 to 4 degrees off;
//   whole  latitude and meridian distance in whole degrees, as later catalogues give them;
//   walk   a group's middle wandering as it evolves, a random walk of 0.3 degree of latitude
//          and 0.8 of longitude in the root of the days, so the scatter grows with the days
//          apart faster than a measuring hand's.
// Several are joined by commas (t,walk). --loose K makes observer C's pencil K times looser;
// --seed N draws the pencils and tails anew (and the weather of --thin).
// Small data sets, each checked on its own and learning from itself, as an observer with few
// clear days or a new one has them: --thin K makes K of each year, each the drawings of the
// days one draw of the weather leaves clear (one day in K, in clear spells of 2.5 days on
// average); --split N cuts each year (or each thinned set) into N parts of equal length in
// days. Their false alarms are summed up across the sets: all together, and the median,
// the 90th percentile and the worst of the sets.
// The 99th percentile of the day-to-day differences of one group (drift-corrected, pairs
// 0.5 to 1.5 days apart within 60 degrees of the central meridian) is printed for each year,
// to compare a model with the catalogue it stands for.

#include "data/dates.h"
#include "data/observationstore.h"
#include "data/positioncheck.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <set>

using namespace orvanek;

namespace {

struct CatalogueGroup {
    int number;
    double latitude;
    double meridianDistance; // catalogue's: west positive
    double longitude;        // catalogue's Carrington longitude
};

struct Photograph {
    CalendarDate date;
    uint16_t timeUT;
    std::vector<CatalogueGroup> groups;
};

std::vector<Photograph> readYear(const QString &path) {
    QFile file(path);
    std::map<std::tuple<int, int, int, int>, Photograph> byMoment;
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.size() < 74)
            continue;
        const auto field = [&](int from, int to) { return line.mid(from - 1, to - from + 1); };
        const int year = field(1, 4).trimmed().toInt();
        const int month = field(5, 6).trimmed().toInt();
        const int day = field(7, 8).trimmed().toInt();
        const double fraction = field(9, 12).trimmed().toDouble();
        const int number = field(13, 20).trimmed().toInt();
        const double r = field(45, 50).trimmed().toDouble();
        const double l = field(57, 62).trimmed().toDouble();
        const double b = field(63, 68).trimmed().toDouble();
        const double cmd = field(69, 74).trimmed().toDouble();
        if (r == 0 && l == 0 && b == 0)
            continue; // a day without groups
        const int minutes = std::clamp(static_cast<int>(std::lround(fraction * 1440)), 0, 1439);
        Photograph &p = byMoment[{year, month, day, minutes}];
        p.date = {static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                  static_cast<uint16_t>(day)};
        p.timeUT = static_cast<uint16_t>(minutes / 60 * 100 + minutes % 60);
        p.groups.push_back({number % 65536, b, cmd, l});
    }
    std::vector<Photograph> out;
    for (auto &[moment, p] : byMoment)
        out.push_back(std::move(p));
    return out;
}

// How many hours later than its written moment the catalogue's own places put a photograph:
// its Carrington longitudes less its meridian distances are the central longitude L0 it was
// measured at, which falls 360 degrees a synodic rotation. A written time that is no time
// (many of 1874's are .000) or a slip of the catalogue's own shows here, as it would in an
// observer's drawing, and the check is right to name it.
double catalogueHoursOff(const Photograph &p) {
    std::vector<double> l0s;
    for (const CatalogueGroup &g : p.groups)
        l0s.push_back(g.longitude - g.meridianDistance);
    if (l0s.empty())
        return 0;
    const Ephemeris e = solarEphemeris(p.date, p.timeUT);
    std::vector<double> offsets;
    for (double l0 : l0s)
        offsets.push_back(std::remainder(l0 - e.L0, 360.0));
    std::nth_element(offsets.begin(), offsets.begin() + std::ssize(offsets) / 2, offsets.end());
    const double offset = offsets[offsets.size() / 2];
    return -offset / (360 / 27.2753) * 24;
}

// The photographs with each written moment put right where the catalogue's own places say
// it is off by kCatalogueTimeSlack or more (the catalogue's L0 is quoted to 0.1 degree, a
// quarter of an hour, and all but a handful agree within three quarters of an hour).
constexpr double kCatalogueTimeSlack = 1.0; // hours
std::vector<Photograph> mendedTimes(std::vector<Photograph> photos) {
    for (Photograph &p : photos) {
        const double hours = catalogueHoursOff(p);
        if (std::fabs(hours) < kCatalogueTimeSlack)
            continue;
        const int minutes =
            (p.timeUT / 100) * 60 + p.timeUT % 100 + static_cast<int>(std::lround(hours * 60));
        const int days = static_cast<int>(std::floor(minutes / 1440.0));
        const int rest = minutes - days * 1440;
        p.date = dateOfSerialDay(serialDay(p.date) + days);
        p.timeUT = static_cast<uint16_t>(rest / 60 * 100 + rest % 60);
    }
    std::stable_sort(photos.begin(), photos.end(), [](const Photograph &a, const Photograph &b) {
        const int32_t x = serialDay(a.date), y = serialDay(b.date);
        return x != y ? x < y : a.timeUT < b.timeUT;
    });
    return photos;
}

// An amateur's pencil on top of the photograph's places: each observer marks a group some
// way off, by a normal error of the angle and one of the distance. Near the disk centre the
// angle is hard to read (a mark a fraction of a millimetre off turns it by degrees), so there
// its error grows as kEasyAngleMm over the distance, up to kHardestAngle times.
struct Hand {
    const char *name;
    double angleSigma;    // degrees, where the angle is easy to read
    double distanceSigma; // mm
};
constexpr double kEasyAngleMm = 30;
constexpr double kHardestAngle = 10;
// The photograph's own measurer, and three observers who take the months in turn, each
// with a pencil of its own: at scatter 1 an angle error of 1, 1.5 and 2 degrees and a
// distance error of 0.5, 1 and 1.5 mm, all times the scatter asked for.
constexpr Hand kCatalogueHand = {"Greenwich", 0, 0};
constexpr Hand kPencilHands[] = {{"A", 1.0, 0.5}, {"B", 1.5, 1.0}, {"C", 2.0, 1.5}};

// The heavy-tailed models of --tails, and the other catalogues' and observers' ways.
struct Tails {
    bool t = false, mix = false, limb = false, jump = false;
    bool outliers = false, whole = false, walk = false;
    double size = 1;
    bool any() const { return t || mix || limb || jump || outliers || whole || walk; }
};

// A group's middle wandering from day to day (walk): its offset now, degrees, and when.
struct Wander {
    double time = 0;
    double latitude = 0;
    double longitude = 0;
};

struct Pencil {
    double scatter = 0; // 0: the catalogue's places as they are
    std::mt19937 random;
    Tails tails;
    double loose = 1; // observer C's hand this many times looser than the others' scale
    std::map<int, Wander> wander;

    Hand handOf(const CalendarDate &date) const {
        if (scatter <= 0)
            return kCatalogueHand;
        const size_t i = (date.curYear * 12 + date.curMonth) % std::size(kPencilHands);
        const Hand &h = kPencilHands[i];
        const double s = scatter * (i + 1 == std::size(kPencilHands) ? loose : 1);
        return {h.name, h.angleSigma * s, h.distanceSigma * s};
    }
};

// The drawing an observer would have made of the photograph.
ObservationRecord drawingOf(const Photograph &p, Pencil &pencil) {
    ObservationRecord r{};
    writeText(r.dateText, formatDate(p.date, u"dd.mm.yyyy"));
    r.timeUT = p.timeUT;
    const Hand hand = pencil.handOf(p.date);
    writeText(r.observer, QString::fromLatin1(hand.name));
    const Ephemeris e = solarEphemeris(p.date, p.timeUT);
    std::normal_distribution<double> normal;
    const Tails &tails = pencil.tails;
    std::student_t_distribution<double> student(3);
    std::uniform_real_distribution<double> uniform;
    const bool sloppy = tails.mix && uniform(pencil.random) < 0.05;
    int slot = 0;
    for (const CatalogueGroup &g : p.groups) {
        if (slot == kMaxSlots)
            break;
        double latitude = g.latitude;
        double meridianDistance = g.meridianDistance;
        if (tails.walk) {
            // A random walk of the middle: 0.3 degree of latitude and 0.8 of longitude in a
            // day's root, started afresh after a week unseen.
            const double time = serialDay(p.date) + p.timeUT / 2400.0;
            Wander &w = pencil.wander[g.number];
            const double days = time - w.time;
            if (days > 7 || days < 0)
                w = {time, 0, 0};
            const double root = std::sqrt(std::max(0.0, time - w.time));
            w.latitude += 0.3 * tails.size * root * normal(pencil.random);
            w.longitude += 0.8 * tails.size * root * normal(pencil.random);
            w.time = time;
            latitude += w.latitude;
            meridianDistance += w.longitude;
        }
        if (tails.outliers && uniform(pencil.random) < 0.03) {
            // A catalogue's outlier: 3 % of group-days 1.5 to 4 degrees off, any way.
            const double way = 2 * std::numbers::pi * uniform(pencil.random);
            const double by = tails.size * (1.5 + 2.5 * uniform(pencil.random));
            latitude += by * std::sin(way);
            meridianDistance += by * std::cos(way);
        }
        if (tails.whole) {
            // Whole degrees, as the later catalogues give them.
            latitude = std::round(latitude);
            meridianDistance = std::round(meridianDistance);
        }
        if (tails.t) {
            latitude += 0.5 * tails.size * student(pencil.random);
            meridianDistance += 0.7 * tails.size * student(pencil.random);
        }
        if (tails.mix) {
            latitude += (sloppy ? 1.5 : 0.3) * tails.size * normal(pencil.random);
            meridianDistance += (sloppy ? 2.0 : 0.4) * tails.size * normal(pencil.random);
        }
        if (tails.jump) {
            if (uniform(pencil.random) < 0.15) {
                const double sign = uniform(pencil.random) < 0.5 ? -1 : 1;
                meridianDistance += sign * tails.size * (1.5 + 3.5 * uniform(pencil.random));
                latitude += tails.size * 1.5 * (2 * uniform(pencil.random) - 1);
            } else {
                latitude += 0.3 * tails.size * normal(pencil.random);
                meridianDistance += 0.4 * tails.size * normal(pencil.random);
            }
        }
        // Carrington longitude = L0 + CMD (west positive) with the program's own L0.
        const PolarPosition polar = heliographicToPolar(
            e, static_cast<float>(latitude), static_cast<float>(e.L0 + meridianDistance), 125);
        double angle = polar.polarAngle;
        double distance = polar.polarDistance;
        if (tails.limb) {
            const double r = std::min(distance / 125, 1.0);
            const double growth = std::min(4.0, 1 / std::sqrt(std::max(1e-6, 1 - r * r)));
            distance = std::fabs(distance + 0.4 * tails.size * growth * normal(pencil.random));
        }
        if (pencil.scatter > 0) {
            const double hardness = std::min(kHardestAngle, kEasyAngleMm / std::max(distance, 1.0));
            angle += normal(pencil.random) * hand.angleSigma * std::max(1.0, hardness);
            distance = std::fabs(distance + normal(pencil.random) * hand.distanceSigma);
        }
        SunspotGroup &s = r.group(++slot);
        s.angle = static_cast<uint16_t>((std::lround(angle) % 360 + 360) % 360 * 10);
        s.distance = static_cast<uint16_t>(std::min(124L, std::lround(distance)) * 10);
        s.rotationGroupNumber = static_cast<uint16_t>(g.number);
    }
    r.groupCount = static_cast<uint8_t>(slot);
    return r;
}

// Small data sets cut from a year, as an observer with few clear days or a new one has them
// (--thin, --split): each is checked on its own, learning its tolerances from itself.
struct SmallSet {
    QString label;
    int number; // 0 for the whole year, else from 1
    std::vector<Photograph> photos;
};
// Clear spells last kClearSpellDays days on average, and the cloudy ones between them as long
// as it takes to keep one day in `thin`: the weather of a central European year, whose clear
// days come in runs.
constexpr double kClearSpellDays = 2.5;
// With thin > 1: `thin` data sets, each the days one draw of the weather leaves; with
// split > 1 each of them (or the whole year) cut into `split` parts of equal length in days.
std::vector<SmallSet> smallSets(const QString &year, const std::vector<Photograph> &photos,
                                int thin, int split, long seed) {
    std::vector<std::vector<Photograph>> drawn;
    if (thin <= 1) {
        drawn.push_back(photos);
    } else {
        const int32_t first = serialDay(photos.front().date);
        const int32_t last = serialDay(photos.back().date);
        for (int k = 0; k < thin; ++k) {
            std::mt19937 weather(static_cast<unsigned>(year.toInt() * 97 + k * 7 + seed));
            const double leaveClear = 1 / kClearSpellDays;
            const double leaveCloudy = 1 / (kClearSpellDays * (thin - 1));
            std::uniform_real_distribution<double> u(0, 1);
            std::set<int32_t> clear;
            bool isClear = u(weather) < 1.0 / thin;
            for (int32_t day = first; day <= last; ++day) {
                if (isClear)
                    clear.insert(day);
                if (u(weather) < (isClear ? leaveClear : leaveCloudy))
                    isClear = !isClear;
            }
            std::vector<Photograph> kept;
            for (const Photograph &p : photos)
                if (clear.count(serialDay(p.date)))
                    kept.push_back(p);
            drawn.push_back(std::move(kept));
        }
    }
    std::vector<SmallSet> sets;
    for (size_t k = 0; k < drawn.size(); ++k) {
        const std::vector<Photograph> &d = drawn[k];
        if (d.empty())
            continue;
        const QString name = thin > 1 ? QStringLiteral("%1/w%2").arg(year).arg(k + 1) : year;
        const int parts = std::max(1, split);
        const int32_t first = serialDay(photos.front().date);
        const double length = (serialDay(photos.back().date) - first + 1) / double(parts);
        std::vector<std::vector<Photograph>> cut(static_cast<size_t>(parts));
        for (const Photograph &p : d)
            cut[std::min(static_cast<size_t>(parts - 1),
                         static_cast<size_t>((serialDay(p.date) - first) / length))]
                .push_back(p);
        for (int part = 0; part < parts; ++part) {
            if (cut[static_cast<size_t>(part)].empty())
                continue;
            const int number = static_cast<int>(k) * parts + part + 1;
            sets.push_back({parts > 1 ? QStringLiteral("%1:%2").arg(name).arg(part + 1) : name,
                            thin > 1 || parts > 1 ? number : 0,
                            std::move(cut[static_cast<size_t>(part)])});
        }
    }
    return sets;
}

enum class Slip {
    Angle5,
    Angle10,
    Angle20,
    Distance5,
    Distance10,
    Mirrored,
    LatitudeSign,
    OtherNumber,
    Time12,
    DateOff,
};
constexpr Slip kSlips[] = {Slip::Angle5,     Slip::Angle10,  Slip::Angle20,      Slip::Distance5,
                           Slip::Distance10, Slip::Mirrored, Slip::LatitudeSign, Slip::OtherNumber,
                           Slip::Time12,     Slip::DateOff};
const char *slipName(Slip s) {
    switch (s) {
    case Slip::Angle5:
        return "angle 5°";
    case Slip::Angle10:
        return "angle 10°";
    case Slip::Angle20:
        return "angle 20°";
    case Slip::Distance5:
        return "distance 5 mm";
    case Slip::Distance10:
        return "distance 10 mm";
    case Slip::Mirrored:
        return "mirrored angle";
    case Slip::LatitudeSign:
        return "latitude sign";
    case Slip::OtherNumber:
        return "another group's number";
    case Slip::Time12:
        return "time 12 h off";
    case Slip::DateOff:
        return "date ±1 day";
    }
    return "";
}

// Where a group is drawn, mm from the centre of a 125 mm disk.
std::pair<double, double> drawnAt(const SunspotGroup &g) {
    const double a = g.angle / 10.0 * std::numbers::pi / 180;
    return {g.distance / 10.0 * std::sin(a), g.distance / 10.0 * std::cos(a)};
}

double moved(const SunspotGroup &a, const SunspotGroup &b) {
    const auto [x1, y1] = drawnAt(a);
    const auto [x2, y2] = drawnAt(b);
    return std::hypot(x1 - x2, y1 - y2);
}

struct Tally {
    long long planted = 0, found = 0, pairs = 0, wrongFault = 0;
};

struct YearData {
    std::vector<ObservationRecord> records;
    std::vector<int32_t> days;
    // Groups seen on another drawing within three days: record index, slot.
    std::vector<std::vector<bool>> seenElsewhere;
};

YearData prepare(const std::vector<Photograph> &photos, Pencil &pencil) {
    YearData y;
    for (const Photograph &p : photos) {
        y.records.push_back(drawingOf(p, pencil));
        y.days.push_back(serialDay(p.date));
    }
    std::map<int, std::vector<std::pair<int32_t, size_t>>> byNumber;
    for (size_t i = 0; i < y.records.size(); ++i)
        for (int s = 1; s <= y.records[i].groupCount; ++s)
            byNumber[y.records[i].group(s).rotationGroupNumber].push_back({y.days[i], i});
    y.seenElsewhere.resize(y.records.size());
    for (size_t i = 0; i < y.records.size(); ++i) {
        for (int s = 1; s <= y.records[i].groupCount; ++s) {
            bool seen = false;
            for (const auto &[day, j] : byNumber[y.records[i].group(s).rotationGroupNumber])
                seen = seen || (j != i && std::abs(day - y.days[i]) <= kNeighbourDays);
            y.seenElsewhere[i].push_back(seen);
        }
    }
    return y;
}

// The 99th percentile of one group's day-to-day differences in the drawings, as it is quoted
// for catalogues: pairs 0.5 to 1.5 days apart, both within 60 degrees of the central
// meridian, the longitude drift-corrected; pairs beyond 15 degrees are other groups.
void printScatter(const QString &year, const YearData &y) {
    struct Place {
        double time, latitude, longitude, meridian;
    };
    std::map<int, std::vector<Place>> byNumber;
    for (size_t i = 0; i < y.records.size(); ++i) {
        const ObservationRecord &r = y.records[i];
        const Ephemeris e = solarEphemeris(dateOfSerialDay(y.days[i]), r.timeUT);
        const double time = y.days[i] + (r.timeUT / 100 + r.timeUT % 100 / 60.0) / 24;
        for (int s = 1; s <= r.groupCount; ++s) {
            const SunspotGroup &g = r.group(s);
            const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
            const double meridian = std::remainder(h.helioLongitude - e.L0, 360.0);
            byNumber[g.rotationGroupNumber].push_back(
                {time, h.helioLatitude, h.helioLongitude, meridian});
        }
    }
    std::vector<double> latitudes, longitudes;
    for (const auto &[number, places] : byNumber)
        for (const Place &a : places)
            for (const Place &b : places) {
                const double days = b.time - a.time;
                if (days < 0.5 || days > 1.5 || std::fabs(a.meridian) > 60 ||
                    std::fabs(b.meridian) > 60)
                    continue;
                const double dl = std::fabs(std::remainder(
                    b.longitude - a.longitude - longitudeDriftPerDay(a.latitude) * days, 360.0));
                const double db = std::fabs(b.latitude - a.latitude);
                if (dl > 15 || db > 15)
                    continue;
                latitudes.push_back(db);
                longitudes.push_back(dl);
            }
    if (latitudes.empty())
        return;
    const auto p99 = [](std::vector<double> &v) {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, static_cast<size_t>(0.99 * double(v.size())))];
    };
    std::printf("%s: 99th percentile of day-to-day differences: latitude %.1f°, longitude "
                "%.1f° (%zu pairs)\n",
                qPrintable(year), p99(latitudes), p99(longitudes), latitudes.size());
}

std::unique_ptr<ObservationStore> storeOf(const std::vector<ObservationRecord> &records) {
    auto store = std::make_unique<ObservationStore>(QDate(2026, 12, 8));
    store->appendRecords(records);
    return store;
}

int storedNumber(const ObservationStore &store, const ObservationRecord &r) {
    for (int n = 1; n <= store.recordCount(); ++n)
        if (std::memcmp(&store.record(n), &r, sizeof r) == 0)
            return n;
    return 0;
}

// Plants `slip` into a copy of the year; false when the chosen drawing does not suit it.
bool plant(const YearData &y, Slip slip, std::mt19937 &random, std::vector<ObservationRecord> &out,
           size_t &record, int &slot) {
    out = y.records;
    record = std::uniform_int_distribution<size_t>(0, y.records.size() - 1)(random);
    ObservationRecord &r = out[record];
    const std::vector<bool> &seen = y.seenElsewhere[record];
    const int seenCount = static_cast<int>(std::count(seen.begin(), seen.end(), true));
    if (slip == Slip::Time12 || slip == Slip::DateOff) {
        if (seenCount < kFewestFaultGroups)
            return false;
        slot = 0;
        if (slip == Slip::Time12) {
            r.timeUT = static_cast<uint16_t>((r.timeUT + 1200) % 2400);
        } else {
            const int32_t day = y.days[record] + (random() % 2 ? 1 : -1);
            writeText(r.dateText, formatDate(dateOfSerialDay(day), u"dd.mm.yyyy"));
        }
        return true;
    }
    std::vector<int> candidates;
    for (int s = 1; s <= r.groupCount; ++s)
        if (seen[static_cast<size_t>(s - 1)])
            candidates.push_back(s);
    if (candidates.empty())
        return false;
    slot = candidates[std::uniform_int_distribution<size_t>(0, candidates.size() - 1)(random)];
    SunspotGroup &g = r.group(slot);
    const SunspotGroup drawn = g;
    const int sign = random() % 2 ? 1 : -1;
    switch (slip) {
    case Slip::Angle5:
    case Slip::Angle10:
    case Slip::Angle20: {
        const int degrees = slip == Slip::Angle5 ? 5 : slip == Slip::Angle10 ? 10 : 20;
        g.angle = static_cast<uint16_t>((g.angle + 3600 + sign * degrees * 10) % 3600);
        return true;
    }
    case Slip::Distance5:
    case Slip::Distance10: {
        const int mm = slip == Slip::Distance5 ? 5 : 10;
        int d = g.distance + sign * mm * 10;
        if (d < 0 || d > 1240)
            d = g.distance - sign * mm * 10;
        g.distance = static_cast<uint16_t>(d);
        return true;
    }
    case Slip::Mirrored:
        g.angle = static_cast<uint16_t>((3600 - g.angle) % 3600);
        return moved(g, drawn) >= 5;
    case Slip::LatitudeSign: {
        const Ephemeris e = solarEphemeris(dateOfSerialDay(y.days[record]), r.timeUT);
        const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
        const PolarPosition p = heliographicToPolar(e, static_cast<float>(-h.helioLatitude),
                                                    static_cast<float>(h.helioLongitude), 125);
        g.angle = static_cast<uint16_t>(std::lround(p.polarAngle) % 360 * 10);
        g.distance = static_cast<uint16_t>(std::min(124L, std::lround(p.polarDistance)) * 10);
        return moved(g, drawn) >= 5;
    }
    case Slip::OtherNumber: {
        std::vector<int> others;
        for (int s = 1; s <= r.groupCount; ++s)
            if (s != slot && r.group(s).rotationGroupNumber != g.rotationGroupNumber &&
                seen[static_cast<size_t>(s - 1)] && moved(r.group(s), g) >= 5)
                others.push_back(s);
        if (others.empty())
            return false;
        g.rotationGroupNumber =
            r.group(others[std::uniform_int_distribution<size_t>(0, others.size() - 1)(random)])
                .rotationGroupNumber;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto option = [&args](const char *name, double otherwise) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        if (i < 0 || i + 1 >= args.size())
            return otherwise;
        const double value = args[i + 1].toDouble();
        args.remove(i, 2);
        return value;
    };
    const int plants = static_cast<int>(option("--plants", 40));
    const double scatter = option("--pencil", 0);
    const double loose = option("--loose", 1);
    const double thinOption = option("--thin", 1);
    const double splitOption = option("--split", 1);
    // Another draw of the pencils and tails, the same catalogue and plants.
    const long seed = std::lround(option("--seed", 0)) * 7919;
    Tails tails;
    tails.size = option("--tail", 1);
    if (const qsizetype i = args.indexOf(QLatin1String("--tails")); i >= 0 && i + 1 < args.size()) {
        const QString model = args[i + 1];
        args.remove(i, 2);
        // One model or several, joined by commas.
        for (const QString &m : model.split(u',')) {
            const bool all = m == QLatin1String("all");
            const bool known =
                all ||
                QStringList{"t", "mix", "limb", "jump", "outliers", "whole", "walk"}.contains(m);
            if (!known) {
                std::fprintf(stderr,
                             "unknown --tails model %s (t, mix, limb, jump, all, outliers, "
                             "whole, walk)\n",
                             qPrintable(m));
                return 2;
            }
            tails.t = tails.t || all || m == QLatin1String("t");
            tails.mix = tails.mix || all || m == QLatin1String("mix");
            tails.limb = tails.limb || all || m == QLatin1String("limb");
            tails.jump = tails.jump || all || m == QLatin1String("jump");
            tails.outliers = tails.outliers || m == QLatin1String("outliers");
            tails.whole = tails.whole || m == QLatin1String("whole");
            tails.walk = tails.walk || m == QLatin1String("walk");
        }
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: eval_positions DIR YEAR [YEAR ...] [--plants N] [--pencil S] "
                             "[--loose K] [--seed N] [--tails MODEL[,MODEL...]] [--tail T] "
                             "[--as-written] [--thin K] [--split N]\n");
        return 2;
    }
    if (scatter > 0)
        for (const Hand &h : kPencilHands)
            std::printf("pencil %s: angle %.2f°, distance %.2f mm (sigma)\n", h.name,
                        h.angleSigma * scatter, h.distanceSigma * scatter);
    const bool asWritten = args.removeAll(QStringLiteral("--as-written")) > 0;
    const int thin = static_cast<int>(thinOption);
    const int split = static_cast<int>(splitOption);
    long long catalogueOff = 0, catalogueOffBig = 0, catalogueNamedRight = 0,
              catalogueNamedWrong = 0, catalogueNamedClean = 0;
    const QString dir = args.takeFirst();
    long long groupDays = 0, flaggedSlips = 0, flaggedPairs = 0, faultDrawings = 0,
              faultGroupDays = 0, drawings = 0;
    std::map<Slip, Tally> tallies;
    std::map<QString, int> faultKinds;
    // Each small data set's false alarms, to see how they spread.
    std::vector<std::pair<QString, double>> setAlarms;
    long long smallDays = 0, smallFlagged = 0;
    for (const QString &wholeYear : args) {
        const std::vector<Photograph> yearPhotos =
            readYear(dir + QStringLiteral("/g") + wholeYear + QStringLiteral(".txt"));
        if (yearPhotos.empty()) {
            std::fprintf(stderr, "no groups in %s\n", qPrintable(wholeYear));
            return 1;
        }
        for (const SmallSet &set : smallSets(wholeYear, yearPhotos, thin, split, seed)) {
            const QString &year = set.label;
            const std::vector<Photograph> &photos = set.photos;
            const unsigned yearSeed = static_cast<unsigned>(wholeYear.toInt()) +
                                      static_cast<unsigned>(set.number) * 100003u;
            // Its own seed for each year and scatter, apart from the planting's.
            Pencil pencil{scatter,
                          std::mt19937(static_cast<unsigned>(yearSeed * 1000 +
                                                             std::lround(scatter * 100) + seed)),
                          tails,
                          loose,
                          {}};
            // The catalogue's own wrong times: the check run on the photographs as written,
            // to see it name them, and the evaluation run on them put right (a drawing whose
            // written time is not its moment is no clean drawing).
            {
                Pencil asWrittenPencil{scatter,
                                       std::mt19937(static_cast<unsigned>(
                                           yearSeed * 1000 + std::lround(scatter * 100) + seed)),
                                       tails,
                                       loose,
                                       {}};
                std::vector<ObservationRecord> records;
                std::vector<double> hoursOff;
                for (const Photograph &p : photos) {
                    records.push_back(drawingOf(p, asWrittenPencil));
                    hoursOff.push_back(catalogueHoursOff(p));
                }
                const auto held = storeOf(records);
                const PositionReport report = checkPositions(*held);
                std::vector<bool> named(records.size() + 1, false);
                for (const DrawingFault &f : report.drawings) {
                    const ObservationRecord &r = held->record(f.record);
                    size_t i = 0;
                    while (i < records.size() && std::memcmp(&records[i], &r, sizeof r) != 0)
                        ++i;
                    if (i == records.size())
                        continue;
                    named[i] = true;
                    const double off = hoursOff[i];
                    const int hours = f.kind == DrawingFaultKind::Time        ? f.hours
                                      : f.kind == DrawingFaultKind::DayAfter  ? 24
                                      : f.kind == DrawingFaultKind::DayBefore ? -24
                                                                              : 999;
                    const bool right =
                        std::fabs(off) >= kCatalogueTimeSlack && std::abs(hours - off) <= 4;
                    ++(right                                   ? catalogueNamedRight
                       : std::fabs(off) >= kCatalogueTimeSlack ? catalogueNamedWrong
                                                               : catalogueNamedClean);
                    if (qEnvironmentVariableIsSet("EVAL_VERBOSE"))
                        std::printf("  as written: %s (catalogue %+.1f h)%s\n",
                                    qPrintable(drawingFaultText(f)), off, right ? "" : " WRONG");
                }
                for (size_t i = 0; i < records.size(); ++i)
                    if (std::fabs(hoursOff[i]) >= kCatalogueTimeSlack) {
                        ++catalogueOff;
                        catalogueOffBig += records[i].groupCount >= kFewestFaultGroups;
                    }
            }
            const YearData y = prepare(asWritten ? photos : mendedTimes(photos), pencil);
            printScatter(year, y);
            if (qEnvironmentVariableIsSet("EVAL_CATALOGUE_TIMES")) {
                std::map<int, int> histogram;
                for (const Photograph &p : photos) {
                    const double h = catalogueHoursOff(p);
                    ++histogram[static_cast<int>(std::lround(h * 4))];
                    if (std::fabs(h) >= 1)
                        std::printf("  catalogue time off: %s %04d by %+.1f h (%zu groups)\n",
                                    qPrintable(formatDate(p.date, u"dd.mm.yyyy")), p.timeUT, h,
                                    p.groups.size());
                }
                for (const auto &[q, n] : histogram)
                    if (std::abs(q) <= 4)
                        std::printf("  %+.2f h: %d\n", q / 4.0, n);
            }
            drawings += static_cast<long long>(y.records.size());
            {
                const auto held = storeOf(y.records);
                const ObservationStore &store = *held;
                const PositionReport clean = checkPositions(store);
                for (const QString &line : toleranceTexts(clean.tolerances))
                    std::printf("%s: %s\n", qPrintable(year), qPrintable(line));
                const LimbGrowth &bl = clean.tolerances.dataSet.latitudeLimb;
                const LimbGrowth &bo = clean.tolerances.dataSet.longitudeLimb;
                std::printf(
                    "%s: towards the limb: latitude %.2f %.2f %.2f, longitude %.2f %.2f %.2f; "
                    "off the track %.2f of the tolerance\n",
                    qPrintable(year), bl.band[1], bl.band[2], bl.band[3], bo.band[1], bo.band[2],
                    bo.band[3], clean.tolerances.dataSet.trackReach);
                for (int n = 1; n <= store.recordCount(); ++n)
                    for (int s = 1; s <= store.record(n).groupCount; ++s)
                        groupDays += store.record(n).group(s).rotationGroupNumber != 0;
                long long yearDays = 0, yearFlagged = 0, yearNamed = 0;
                for (int n = 1; n <= store.recordCount(); ++n)
                    for (int s = 1; s <= store.record(n).groupCount; ++s)
                        yearDays += store.record(n).group(s).rotationGroupNumber != 0;
                for (const PositionFinding &f : clean.findings) {
                    if (f.pair) {
                        flaggedPairs += 2;
                    } else {
                        ++flaggedSlips;
                    }
                    yearFlagged += f.pair ? 2 : 1;
                }
                for (const DrawingFault &f : clean.drawings)
                    yearNamed += store.record(f.record).groupCount;
                std::printf("%s: false alarms %lld of %lld group-days (%.2f %%), %.2f %% with the "
                            "drawings named\n",
                            qPrintable(year), yearFlagged, yearDays,
                            100.0 * double(yearFlagged) / double(std::max(1LL, yearDays)),
                            100.0 * double(yearFlagged + yearNamed) /
                                double(std::max(1LL, yearDays)));
                setAlarms.push_back({year, 100.0 * double(yearFlagged + yearNamed) /
                                               double(std::max(1LL, yearDays))});
                smallDays += yearDays;
                smallFlagged += yearFlagged + yearNamed;
                const bool verbose = qEnvironmentVariableIsSet("EVAL_VERBOSE");
                for (const PositionFinding &f : clean.findings)
                    if (verbose)
                        std::printf("  clean %s (at %d mm%s)\n", qPrintable(positionFindingText(f)),
                                    store.record(f.record).group(f.slot).distance / 10,
                                    f.pair ? ", pair" : "");
                for (const DrawingFault &f : clean.drawings) {
                    if (verbose)
                        std::printf("  clean %s (%d of %d)\n", qPrintable(drawingFaultText(f)),
                                    f.fitting, f.groups);
                    ++faultDrawings;
                    faultGroupDays += store.record(f.record).groupCount;
                    ++faultKinds[drawingFaultCode(f.kind)];
                }
            }
            std::mt19937 random(yearSeed);
            for (const Slip slip : kSlips) {
                Tally &t = tallies[slip];
                int done = 0;
                for (int attempt = 0; done < plants && attempt < plants * 200; ++attempt) {
                    std::vector<ObservationRecord> records;
                    size_t record = 0;
                    int slot = 0;
                    if (!plant(y, slip, random, records, record, slot))
                        continue;
                    ++done;
                    ++t.planted;
                    const auto held = storeOf(records);
                    const ObservationStore &store = *held;
                    const int n = storedNumber(store, records[record]);
                    const PositionReport report = checkPositions(store);
                    if (slip == Slip::Time12 || slip == Slip::DateOff) {
                        const bool listed =
                            std::any_of(report.findings.begin(), report.findings.end(),
                                        [n](const PositionFinding &f) { return f.record == n; });
                        const auto named =
                            std::find_if(report.drawings.begin(), report.drawings.end(),
                                         [n](const DrawingFault &f) { return f.record == n; });
                        bool right = false;
                        if (named != report.drawings.end()) {
                            if (slip == Slip::Time12)
                                right = named->kind == DrawingFaultKind::Time &&
                                        std::abs(std::abs(named->hours) - 12) <= 4;
                            else
                                right = named->kind == DrawingFaultKind::DayBefore ||
                                        named->kind == DrawingFaultKind::DayAfter;
                            t.wrongFault += !right;
                        }
                        t.found += right && !listed;
                        if (!(right && !listed) && qEnvironmentVariableIsSet("EVAL_VERBOSE")) {
                            std::printf("  missed %s on %s %04d (%d groups):", slipName(slip),
                                        qPrintable(readText(records[record].dateText)),
                                        records[record].timeUT, records[record].groupCount);
                            if (named != report.drawings.end())
                                std::printf(" named %s", qPrintable(drawingFaultText(*named)));
                            for (const PositionFinding &f : report.findings)
                                if (f.record == n)
                                    std::printf(" | %s", qPrintable(positionFindingText(f)));
                            std::printf("\n");
                        }
                        continue;
                    }
                    bool hit = false;
                    for (const PositionFinding &f : report.findings)
                        if ((f.record == n && f.slot == slot) ||
                            (f.pair && f.otherRecord == n && f.otherSlot == slot)) {
                            (f.pair ? t.pairs : t.found) += 1;
                            hit = true;
                        }
                    if (!hit && qEnvironmentVariableIsSet("EVAL_VERBOSE")) {
                        const SunspotGroup &g = records[record].group(slot);
                        const SunspotGroup &was = y.records[record].group(slot);
                        std::printf("  missed %s on %s group %d at %d mm (moved %.1f mm):",
                                    slipName(slip), qPrintable(readText(records[record].dateText)),
                                    g.rotationGroupNumber, g.distance / 10, moved(g, was));
                        for (const PositionFinding &f : report.findings)
                            if (f.record == n)
                                std::printf(" | %s", qPrintable(positionFindingText(f)));
                        std::printf("\n");
                    }
                    for (const DrawingFault &f : report.drawings)
                        t.wrongFault += f.record == n;
                }
            }
        }
    }
    std::printf("\nyears: %s\n", qPrintable(args.join(u' ')));
    if (thin > 1 || split > 1) {
        // The small data sets' false alarms (with the drawings named), from the best to the
        // worst, and how many of them pass 0.3 %.
        std::vector<double> rates;
        for (const auto &[label, rate] : setAlarms)
            rates.push_back(rate);
        std::sort(rates.begin(), rates.end());
        const auto at = [&rates](double q) {
            return rates[std::min(rates.size() - 1, static_cast<size_t>(q * double(rates.size())))];
        };
        std::printf("small data sets: %zu (thin %d, split %d), %.0f group-days each on average; "
                    "false alarms %.2f %% of all, per set median %.2f %%, 90th %.2f %%, worst "
                    "%.2f %%, %lld sets over 0.3 %%\n",
                    rates.size(), thin, split, double(smallDays) / double(rates.size()),
                    100.0 * double(smallFlagged) / double(std::max(1LL, smallDays)), at(0.5),
                    at(0.9), rates.back(),
                    static_cast<long long>(std::count_if(rates.begin(), rates.end(),
                                                         [](double r) { return r > 0.3; })));
    }
    std::printf("catalogue's own times off by %.0f h or more: %lld drawings (%lld with %d groups "
                "or more); as written, the check names %lld of them rightly, %lld wrongly, and "
                "%lld drawings on time\n",
                kCatalogueTimeSlack, catalogueOff, catalogueOffBig, kFewestFaultGroups,
                catalogueNamedRight, catalogueNamedWrong, catalogueNamedClean);
    std::printf("drawings %lld, clean group-days %lld%s\n", drawings, groupDays,
                asWritten ? " (times as written)" : " (times put right)");
    std::printf("false alarms: slips %lld, pair group-days %lld (%.2f %% of group-days); "
                "drawings named %lld (%lld group-days, %.2f %% with them)\n",
                flaggedSlips, flaggedPairs,
                100.0 * double(flaggedSlips + flaggedPairs) / double(groupDays), faultDrawings,
                faultGroupDays,
                100.0 * double(flaggedSlips + flaggedPairs + faultGroupDays) / double(groupDays));
    for (const auto &[kind, count] : faultKinds)
        std::printf("  clean drawings named %s: %d\n", qPrintable(kind), count);
    std::printf("%-24s %8s %8s %8s %8s %10s %12s\n", "slip", "planted", "found", "%", "as pair",
                "% with", "drawing hit");
    for (const Slip slip : kSlips) {
        const Tally &t = tallies[slip];
        const auto share = [&t](long long n) {
            return t.planted ? 100.0 * double(n) / double(t.planted) : 0.0;
        };
        std::printf("%-24s %8lld %8lld %8.1f %8lld %10.1f %12lld\n", slipName(slip), t.planted,
                    t.found, share(t.found), t.pairs, share(t.found + t.pairs), t.wrongFault);
    }
    return 0;
}
