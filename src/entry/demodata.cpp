#include "entry/demodata.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "entry/commit.h"
#include "entry/summary.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/rounding.h"

#include <QCoreApplication>
#include <QDate>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace orvanek {

namespace {

// splitmix64: the same numbers on every machine and library, unlike <random>'s distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; } // [0, 1)
    int range(int low, int high) {                                             // inclusive
        return low + static_cast<int>(uniform() * (high - low + 1));
    }
    bool chance(double p) { return uniform() < p; }
    double normal() {
        const double u = 1 - uniform(); // (0, 1]
        return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * uniform());
    }
    int poisson(double mean) {
        const double limit = std::exp(-mean);
        int k = 0;
        for (double p = uniform(); p > limit; p *= uniform())
            ++k;
        return k;
    }
    // Index into weights, chosen in proportion to them.
    template <size_t N> int pick(const std::array<double, N> &weights) {
        double total = 0;
        for (double w : weights)
            total += w;
        double x = uniform() * total;
        for (size_t i = 0; i < N; ++i) {
            if (x < weights[i])
                return static_cast<int>(i);
            x -= weights[i];
        }
        return static_cast<int>(N - 1);
    }

  private:
    uint64_t state_;
};

// Cycle 23 began in the spring of 1996; cycles are taken as 12.3 years long, each with its
// own strength (cycle 24 was much weaker than 23).
constexpr double kFirstMinimum = 1996.4;
constexpr double kCycleYears = 12.3;
constexpr double kRadius = kDemoRadius;

double cycleStrength(int cycle) {
    return 0.75 + 0.25 * std::cos(cycle * 2.1);
}

// Hathaway's profile of a cycle, months since its start, 1 at the maximum (about four
// years after the start); cycles overlap near the minimum.
double cycleShape(double months) {
    constexpr double b = 46, c = 0.71;
    auto f = [](double x) { return x * x * x / (std::exp(x * x) - c); };
    static const double peak = [&] {
        double best = 0;
        for (double x = 0.01; x < 4; x += 0.001)
            best = std::max(best, f(x));
        return best;
    }();
    return months <= 0 ? 0 : f(months / b) / peak;
}

double decimalYear(const QDate &date) {
    return date.year() + (date.dayOfYear() - 0.5) / date.daysInYear();
}

struct CycleActivity {
    int cycle;
    double level; // 0 .. about 1
};

// The two cycles that can be active at a moment: the current one and its successor,
// which starts before the minimum.
std::array<CycleActivity, 2> activityAt(double year) {
    const int cycle = static_cast<int>(std::floor((year - kFirstMinimum) / kCycleYears + 0.08));
    std::array<CycleActivity, 2> result{};
    for (int i = 0; i < 2; ++i) {
        const int k = cycle + i;
        const double start = kFirstMinimum + k * kCycleYears - 0.6;
        result[static_cast<size_t>(i)] = {k, cycleStrength(k) * cycleShape((year - start) * 12)};
    }
    return result;
}

double cyclePhase(int cycle, double year) {
    return std::clamp((year - (kFirstMinimum + cycle * kCycleYears)) / kCycleYears, 0.0, 1.1);
}

// Zurich classes by size; H is a leftover spot with a penumbra in a decaying region.
enum Size { A = 1, B, C, D, E, F };

struct Region {
    int birthDay = 0; // QDate::toJulianDay
    int lifetime = 1; // days
    double latitude = 0;
    double longitude = 0; // Carrington
    int peak = A;
    char penumbra = 's'; // of the largest spot: r, s, a, h, k
    char compactness = 'o';
    double factor = 1; // this region's own size
    bool visibleBefore = false;
    int number1 = 0; // č.sk1
    int number2 = 0; // č.sk2
};

struct Observer {
    const char16_t *name;
    const char16_t *station;
    double weight;
    int firstYear; // years after the start of the data set
    int lastYear;
    int usualHour; // UT
};

constexpr std::array<Observer, 4> kObservers{{
    {u"Jan Novák", u"Praha", 0.45, 0, 99, 8},
    {u"Petra Svobodová", u"Brno", 0.25, 0, 10, 10},
    {u"Karel Dvořák", u"Ondřejov", 0.2, 3, 99, 9},
    {u"Marie Černá", u"Praha", 0.1, 6, 99, 12},
}};

// The region's Zurich letter on a day of its life: it grows to its peak within the first
// third, keeps it, then decays; large regions end as a single spot with a penumbra (H).
char zurichLetter(const Region &region, double age) {
    double level;
    if (age < 0.3)
        level = 1 + (region.peak - 1) * age / 0.3;
    else if (age < 0.55)
        level = region.peak;
    else
        level = region.peak - (region.peak - 1) * (age - 0.55) / 0.45;
    const int size = std::clamp(static_cast<int>(std::lround(level)), 1, 6);
    if (age >= 0.55 && region.peak >= C && size <= B)
        return 'H';
    return "ABCDEF"[size - 1];
}

QString mcIntoshType(const Region &region, char letter) {
    QString type;
    switch (letter) {
    case 'A':
        type = QStringLiteral("Axx");
        break;
    case 'B':
        type = QStringLiteral("Bx") + QLatin1Char(region.compactness == 'o' ? 'o' : 'i');
        break;
    case 'H':
        type = QStringLiteral("H") + QLatin1Char(region.penumbra) + QLatin1Char('x');
        break;
    case 'C':
        type = QStringLiteral("C") + QLatin1Char(region.penumbra) +
               QLatin1Char(region.compactness == 'o' ? 'o' : 'i');
        break;
    default:
        type = QString(QLatin1Char(letter)) + QLatin1Char(region.penumbra) +
               QLatin1Char(region.compactness);
    }
    if (classNumber(type.toStdString()) == 0) // no rudimentary penumbra in a compact group
        type[2] = u'i';
    return type;
}

struct GroupSize {
    int spots, penumbrae, areaMm2, smallSpots;
};

GroupSize groupSize(char letter, double factor, double foreshortening, Random &random) {
    auto scaled = [&](int low, int high) {
        return std::max(1, static_cast<int>(std::lround(random.range(low, high) * factor)));
    };
    GroupSize s{};
    switch (letter) {
    case 'A':
        s = {1, 0, 0, 1};
        break;
    case 'B':
        s.spots = random.range(2, 6);
        s = {s.spots, 0, random.range(0, 1), s.spots};
        break;
    case 'H':
        s = {random.range(1, 3), 1, scaled(3, 15), random.range(0, 2)};
        break;
    case 'C':
        s = {scaled(3, 10), random.range(1, 2), scaled(2, 8), random.range(1, 4)};
        break;
    case 'D':
        s = {scaled(6, 20), random.range(2, 5), scaled(6, 25), random.range(2, 10)};
        break;
    case 'E':
        s = {scaled(12, 35), random.range(3, 9), scaled(15, 50), random.range(5, 18)};
        break;
    default:
        s = {scaled(18, 60), random.range(4, 14), scaled(30, 110), random.range(8, 30)};
    }
    s.penumbrae = std::min(s.penumbrae, s.spots);
    s.smallSpots = std::min(s.smallSpots, s.spots);
    // The observer measures the area as drawn, foreshortened towards the limb.
    s.areaMm2 = static_cast<int>(std::lround(s.areaMm2 * foreshortening));
    return s;
}

double normalisedAngle(double degrees) {
    while (degrees >= 360)
        degrees -= 360;
    while (degrees < 0)
        degrees += 360;
    return degrees;
}

// Meridian distance of a Carrington longitude, degrees in -180..180 (west positive).
double meridianDistance(const Ephemeris &e, double longitude) {
    double md = e.L0 - longitude;
    while (md > 180)
        md -= 360;
    while (md < -180)
        md += 360;
    return md;
}

QString decimalText(double value, bool comma) {
    QString text = formatNumber(value, "0.0");
    if (comma)
        text.replace(u'.', u',');
    return text;
}

// An auxiliary spot typed as whole degrees and whole mm; empty when it would fall off the
// visible disk.
void typeAuxiliarySpot(QStringList &cells, int firstColumn, const Ephemeris &e, double latitude,
                       double longitude, double areaMm2) {
    if (std::fabs(meridianDistance(e, longitude)) >= 85 || areaMm2 <= 0)
        return;
    const PolarPosition p = heliographicToPolar(e, static_cast<float>(latitude),
                                                static_cast<float>(longitude), kRadius);
    const long degrees = std::lround(normalisedAngle(p.polarAngle)) % 360;
    const long mm = std::lround(p.polarDistance);
    if (mm > kRadius)
        return;
    cells[firstColumn - 1] = QString::number(degrees);
    cells[firstColumn] = QString::number(mm);
    cells[firstColumn + 1] = formatNumber(areaMm2, "0.0");
}

// A faculae field around a group near the limb: four to six vertices around it.
QStringList faculaField(double angle, double distance, Random &random) {
    QStringList cells;
    const int vertices = random.range(4, 6);
    for (int k = 0; k < 6; ++k) {
        if (k >= vertices) {
            cells << QStringLiteral("0") << QStringLiteral("0");
            continue;
        }
        const double turn = 2 * std::numbers::pi * k / vertices;
        const double u = normalisedAngle(angle + std::sin(turn) * random.range(2, 5));
        const double v =
            std::clamp(distance + std::cos(turn) * random.range(2, 6), 1.0, kRadius - 1);
        cells << QString::number(std::lround(u) % 360) << QString::number(std::lround(v));
    }
    return cells;
}

class DemoGenerator {
  public:
    DemoGenerator(const DemoOptions &options) : options_(options), random_(options.seed) {}

    StoreStatus run(ObservationStore &store) {
        EntryBatch batch(store);
        const QDate first(options_.fromYear, 1, 1);
        const QDate last(options_.toYear, 12, 31);
        for (QDate day = first; day <= last; day = day.addDays(1)) {
            const double year = decimalYear(day);
            bornToday(day, year);
            age(day);
            number(day);
            if (!random_.chance(observingChance(day)))
                continue;
            const Observer &observer = pickObserver(day);
            const int hour = std::clamp(observer.usualHour + random_.range(-2, 3), 5, 16);
            const int timeUT = hour * 100 + random_.range(0, 59);
            const EntryForm form = observe(day, observer, timeUT, false);
            if (const auto messages = batch.add(form); !messages.isEmpty())
                return StoreStatus::failure(messages.constFirst().text);
            // Now and then a second drawing of the day, of something out of the ordinary.
            if (random_.chance(0.004)) {
                const int later = std::min(timeUT + 300, 1759);
                if (const auto messages = batch.add(observe(day, observer, later, true));
                    !messages.isEmpty())
                    return StoreStatus::failure(messages.constFirst().text);
            }
        }
        return batch.commit();
    }

  private:
    void bornToday(const QDate &day, double year) {
        const auto cycles = activityAt(year);
        const double activity = cycles[0].level + cycles[1].level;
        const int births = random_.poisson(0.03 + 2.2 * activity);
        for (int i = 0; i < births; ++i) {
            Region r;
            r.birthDay = static_cast<int>(day.toJulianDay());
            const int cycle =
                random_.uniform() * activity < cycles[0].level ? cycles[0].cycle : cycles[1].cycle;
            const double meanLatitude = 27 - 20 * cyclePhase(cycle, year);
            r.latitude = std::clamp(meanLatitude + 3.5 * random_.normal(), 1.0, 45.0);
            if (random_.chance(0.5))
                r.latitude = -r.latitude;
            r.longitude = random_.uniform() * 360;
            r.peak = 1 + random_.pick(std::array<double, 6>{0.12, 0.22, 0.22, 0.22, 0.14, 0.08});
            static constexpr std::array<std::pair<int, int>, 6> lifetimes{
                {{1, 3}, {2, 5}, {3, 10}, {6, 20}, {10, 30}, {15, 50}}};
            const auto [shortest, longest] = lifetimes[static_cast<size_t>(r.peak - 1)];
            r.lifetime = random_.range(shortest, longest);
            r.penumbra = "rsahk"[random_.pick(std::array<double, 5>{0.15, 0.3, 0.3, 0.1, 0.15})];
            r.compactness = "oic"[random_.pick(std::array<double, 3>{0.5, 0.35, 0.15})];
            r.factor = 0.7 + 0.6 * random_.uniform();
            regions_.push_back(r);
        }
    }

    void age(const QDate &day) {
        const auto today = static_cast<int>(day.toJulianDay());
        std::erase_if(regions_, [&](const Region &r) { return today - r.birthDay >= r.lifetime; });
    }

    // Groups get their numbers when they come into view: the running number and the
    // number within the Carrington rotation.
    void number(const QDate &day) {
        const Ephemeris e = solarEphemeris(toCalendarDate(day), 1200);
        if (e.rotation != rotation_) {
            rotation_ = e.rotation;
            inRotation_ = 0;
        }
        for (Region &r : regions_) {
            const bool visible = std::fabs(meridianDistance(e, r.longitude)) < 82;
            if (visible && !r.visibleBefore) {
                // Running numbers start again at 1 once they would no longer fit the
                // record's word, as a network's numbering does after a century or so.
                groupsNumbered_ = groupsNumbered_ % 65535 + 1;
                r.number1 = groupsNumbered_;
                r.number2 = inRotation_++ % kRotationGroups + 1;
            }
            r.visibleBefore = visible;
        }
    }

    double observingChance(const QDate &day) const {
        // More clear days in summer than in winter.
        return 0.8 + 0.12 * std::cos(2 * std::numbers::pi * (day.dayOfYear() - 190) / 365.25);
    }

    const Observer &pickObserver(const QDate &day) {
        std::array<double, kObservers.size()> weights{};
        const int years = day.year() - options_.fromYear;
        for (size_t i = 0; i < kObservers.size(); ++i)
            if (years >= kObservers[i].firstYear && years <= kObservers[i].lastYear)
                weights[i] = kObservers[i].weight;
        return kObservers[static_cast<size_t>(random_.pick(weights))];
    }

    EntryForm observe(const QDate &day, const Observer &observer, int timeUT, bool special) {
        const Ephemeris e = solarEphemeris(toCalendarDate(day), static_cast<uint16_t>(timeUT));
        const auto today = static_cast<int>(day.toJulianDay());
        EntryForm form;
        form.mode = special ? EntryMode::Special : EntryMode::New;
        form.specialMark = special ? specialMarkText() : QString();
        form.observer = QString::fromUtf16(observer.name);
        form.station = QString::fromUtf16(observer.station);
        form.date = shortDate(toCalendarDate(day));
        form.timeUT = QString::number(timeUT);
        static constexpr std::array<double, 5> quality{0.15, 0.35, 0.3, 0.15, 0.05};
        form.conditions = QString::number(1 + random_.pick(quality));
        form.imageQuality = QString::number(1 + random_.pick(quality));
        form.seeingQuality = QString::number(1 + random_.pick(quality));

        int centralGroups = 0, centralSpots = 0;
        for (const Region &r : regions_) {
            if (form.groups.size() >= kMaxTableRows)
                break;
            const double md = meridianDistance(e, r.longitude);
            if (std::fabs(md) >= 82 || r.number1 == 0)
                continue;
            const double lifeAge = static_cast<double>(today - r.birthDay) / r.lifetime;
            const char letter = zurichLetter(r, lifeAge);
            const PolarPosition p = heliographicToPolar(e, static_cast<float>(r.latitude),
                                                        static_cast<float>(r.longitude), kRadius);
            const double angle = normalisedAngle(p.polarAngle);
            const double rho = std::min(p.polarDistance / kRadius, 1.0);
            const GroupSize size = groupSize(letter, r.factor, std::sqrt(1 - rho * rho), random_);

            QStringList cells(kGroupColumns);
            const QString type = mcIntoshType(r, letter);
            cells[ColType - 1] = random_.chance(0.3) ? type.toLower() : type;
            cells[ColSpots - 1] = QString::number(size.spots);
            cells[ColPenumbrae - 1] = QString::number(size.penumbrae);
            const bool comma = random_.chance(0.25); // a Czech keyboard's decimal comma
            cells[ColAngle - 1] = decimalText(angle, comma);
            cells[ColDistance - 1] = decimalText(p.polarDistance, comma);
            cells[ColArea - 1] = QString::number(size.areaMm2);
            cells[ColSmallSpots - 1] = QString::number(size.smallSpots);
            cells[ColGlobalNumber - 1] = QString::number(r.number1);
            cells[ColRotationNumber - 1] = QString::number(r.number2);
            // The leading and the following spot of a bipolar group, the spot of a unipolar one.
            const double extent = letter == 'D' ? 6 : letter == 'E' ? 11 : letter == 'F' ? 16 : 2;
            if (letter == 'C' || letter == 'D' || letter == 'E' || letter == 'F') {
                typeAuxiliarySpot(cells, ColAux1Angle, e, r.latitude * 0.97,
                                  r.longitude - extent * 0.35, size.areaMm2 * 0.35);
            } else if (letter == 'H') {
                typeAuxiliarySpot(cells, ColAux1Angle, e, r.latitude, r.longitude,
                                  size.areaMm2 * 0.8);
            }
            if (letter == 'D' || letter == 'E' || letter == 'F')
                typeAuxiliarySpot(cells, ColAux2Angle, e, r.latitude * 1.03,
                                  r.longitude + extent * 0.35, size.areaMm2 * 0.2);
            form.groups << cells;

            if (p.polarDistance <= kRadius / 2) {
                ++centralGroups;
                centralSpots += size.spots;
            }
            // Faculae show best near the limb, around active and decaying regions.
            if (std::fabs(md) > 50 && letter >= 'C' && // C to F, and H
                form.faculae.size() < kMaxTableRows && random_.chance(0.7))
                form.faculae << faculaField(angle, p.polarDistance, random_);
        }
        form.groupCount = QString::number(form.groups.size());
        form.faculaFieldCount = QString::number(form.faculae.size());
        form.faculaTotal = QString::number(form.faculae.size() + (random_.chance(0.3) ? 1 : 0));
        form.centralGroups = QString::number(centralGroups);
        form.centralSpots = QString::number(centralSpots);
        form.centralR = QString::number(10 * centralGroups + centralSpots);
        return form;
    }

    DemoOptions options_;
    Random random_;
    std::vector<Region> regions_;
    int rotation_ = 0;
    int inRotation_ = 0;
    int groupsNumbered_ = 0;
};

} // namespace

StoreStatus makeDemoData(ObservationStore &store, const DemoOptions &options) {
    if (store.recordCount() != 0)
        return StoreStatus::failure(QCoreApplication::translate(
            "Demo", "Ukázková data se zakládají jen do prázdné složky"));
    if (options.fromYear < 1 || options.toYear > 9999 || options.fromYear > options.toYear)
        return StoreStatus::failure(
            QCoreApplication::translate("Demo", "Roky %1 až %2 nejsou platné")
                .arg(options.fromYear)
                .arg(options.toYear));
    store.setDrawingSetup(kDemoRadius, false);
    return DemoGenerator(options).run(store);
}

InstrumentLines demoInstrumentLines() {
    return {QStringLiteral("Lidová hvězdárna Orvanek"),
            QStringLiteral("Refraktor Zeiss AS 80/1200, projekce"),
            QStringLiteral("80"),
            QStringLiteral("25"),
            QStringLiteral("1200"),
            QStringLiteral("Praha")};
}

} // namespace orvanek
