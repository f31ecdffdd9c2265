#include "bench/datagenerator.h"

#include "entry/summary.h"

#include "data/dates.h"
#include "data/observationstore.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

namespace orvanek::bench {

namespace {

// splitmix64: tiny, fast and the same on every platform, which std::uniform_*_distribution
// is not.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Whole number in lo..hi, both included.
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1));
    }
    // 0 <= unit() < 1, exact from 53 random bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double between(double lo, double hi) { return lo + (hi - lo) * unit(); }
    bool chance(double p) { return unit() < p; }

  private:
    uint64_t state_;
};

// The positions are computed with these few lines instead of <cmath>'s sin and atan, so that
// a libm that rounds its last bit differently cannot move a group by a tenth of a degree:
// only +, -, *, / and sqrt, which IEEE 754 rounds the same everywhere.
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;

double ownSin(double x) {
    x -= 2 * kPi * std::nearbyint(x / (2 * kPi)); // -pi..pi
    if (x > kPi / 2)
        x = kPi - x;
    else if (x < -kPi / 2)
        x = -kPi - x;
    // Taylor series up to x^17; |x| <= pi/2 leaves an error below 1e-15.
    const double x2 = x * x;
    double term = x, sum = x;
    for (int n = 1; n <= 8; ++n) {
        term *= -x2 / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double ownCos(double x) {
    return ownSin(x + kPi / 2);
}

double ownAtan(double t) {
    if (t < 0)
        return -ownAtan(-t);
    if (t > 1)
        return kPi / 2 - ownAtan(1 / t);
    // Bring t below tan(15 degrees), where the series converges fast.
    constexpr double sqrt3 = 1.7320508075688772;
    double offset = 0;
    if (t > 0.2679491924311227) {
        t = (t * sqrt3 - 1) / (t + sqrt3);
        offset = kPi / 6;
    }
    const double t2 = t * t;
    double power = t, sum = t;
    for (int n = 1; n <= 12; ++n) {
        power *= -t2;
        sum += power / (2 * n + 1);
    }
    return offset + sum;
}

double ownAtan2(double y, double x) {
    if (x > 0)
        return ownAtan(y / x);
    if (x < 0)
        return ownAtan(y / x) + (y >= 0 ? kPi : -kPi);
    return y > 0 ? kPi / 2 : (y < 0 ? -kPi / 2 : 0);
}

// The classes an observer meets most, with how often (relative weight), how many spots
// and what area (stored units, 20.4 per mm^2 at R = 125) a group of the class has.
struct ClassProfile {
    const char *type;
    int weight;
    int minSpots, maxSpots;
    int minArea, maxArea;
};

constexpr std::array<ClassProfile, 24> kProfiles = {{
    {"Axx", 14, 1, 2, 20, 60},      {"Bxo", 14, 2, 6, 30, 120},     {"Bxi", 5, 3, 8, 40, 150},
    {"Hrx", 4, 1, 1, 40, 150},      {"Hsx", 8, 1, 2, 80, 400},      {"Hax", 5, 1, 3, 60, 300},
    {"Hkx", 3, 1, 3, 300, 900},     {"Cro", 5, 3, 8, 60, 200},      {"Cso", 6, 3, 10, 100, 400},
    {"Cao", 6, 3, 12, 100, 400},    {"Cko", 2, 4, 12, 300, 900},    {"Dro", 2, 5, 12, 100, 300},
    {"Dso", 4, 5, 15, 150, 600},    {"Dao", 5, 6, 20, 200, 800},    {"Dai", 4, 8, 25, 300, 1000},
    {"Dsi", 2, 6, 18, 200, 800},    {"Dki", 2, 10, 30, 600, 2000},  {"Dkc", 2, 15, 40, 800, 3000},
    {"Eai", 2, 12, 35, 500, 1500},  {"Eki", 1, 15, 45, 1000, 3000}, {"Ekc", 1, 20, 60, 1500, 4000},
    {"Fkc", 1, 25, 80, 2000, 6000}, {"Fhc", 1, 25, 70, 1500, 5000}, {"***", 1, 1, 4, 20, 200},
}};

const ClassProfile &pickProfile(Random &random, double activity) {
    // Big complex groups are rarer still at quiet times.
    int total = 0;
    std::array<int, kProfiles.size()> weights{};
    for (size_t i = 0; i < kProfiles.size(); ++i) {
        const char letter = kProfiles[i].type[0];
        const bool large = letter == 'D' || letter == 'E' || letter == 'F';
        weights[i] = large ? std::max(1, static_cast<int>(kProfiles[i].weight * (0.3 + activity)))
                           : kProfiles[i].weight * 2;
        total += weights[i];
    }
    int pick = random.between(0, total - 1);
    for (size_t i = 0; i < kProfiles.size(); ++i) {
        if (pick < weights[i])
            return kProfiles[i];
        pick -= weights[i];
    }
    return kProfiles.front();
}

struct Observer {
    const char16_t *name;
    const char16_t *station;
};

// Stored texts go through writeText, so the code page 1250 letters are encoded as the
// program would encode them.
constexpr std::array<Observer, 6> kObservers = {{
    {u"Jan Novák", u"Brno"},
    {u"Eva Dvořáková", u"Úpice"},
    {u"Petr Svoboda", u"Plzeň"},
    {u"Marie Černá", u"Žďár nad Sázavou"},
    {u"Jiří Procházka", u"České Budějovice"},
    {u"Lucie Kučerová", u"Ústí nad Orlicí"},
}};

// Solar activity, 0 at a minimum and about 1 at a maximum: cycles of 11 years from the
// minimum of 1996.4, rising in four years and falling in seven, each cycle with its own
// strength. `phase` gets 0..1 within the cycle.
double activityAt(double years, double &phase) {
    const double sinceMinimum = years - 0.4;
    const double cycles = std::floor(sinceMinimum / 11.0);
    phase = sinceMinimum / 11.0 - cycles;
    const double strength = 0.65 + 0.35 * (0.5 + 0.5 * ownSin(cycles * 2.3 + 0.7));
    double shape;
    if (phase < 0.36) {
        const double s = ownSin(kPi / 2 * phase / 0.36);
        shape = s * s;
    } else {
        const double c = ownCos(kPi / 2 * (phase - 0.36) / 0.64);
        shape = c * c;
    }
    return shape * strength;
}

} // namespace

std::vector<ObservationRecord> generateRecords(int count, uint32_t seed) {
    std::vector<ObservationRecord> records;
    if (count <= 0)
        return records;
    records.reserve(static_cast<size_t>(count));
    Random random(0x4F7276616E656Bull ^ (static_cast<uint64_t>(seed) << 17) ^ seed);

    const QDate start(1996, 1, 1);
    constexpr double kJulianDayAtStart = 2450083.5; // 01.01.1996 0h UT
    int dayIndex = -1;
    int globalGroupNumber = 7900; // NOAA numbering was near here in 1996
    int lastRotation = -1;
    int firstNumberOfRotation = globalGroupNumber;

    while (static_cast<int>(records.size()) < count) {
        ++dayIndex;
        const QDate day = start.addDays(dayIndex);
        if (day.year() > 9999)
            break; // the store reads four-digit years only
        if (random.chance(0.15))
            continue; // clouds

        ObservationRecord record = zeroRecord();
        writeText(record.dateText, shortDate(toCalendarDate(day)));

        const int hour = random.chance(0.7) ? random.between(7, 11) : random.between(6, 16);
        const int minute = random.between(0, 59);
        record.timeUT = static_cast<uint16_t>(hour * 100 + minute);
        record.conditions = static_cast<uint8_t>(random.between(1, 5));
        record.imageQuality = static_cast<uint8_t>(random.between(1, 5));
        record.seeingQuality = static_cast<uint8_t>(random.between(1, 5));

        // The same observer on most days for a few years, a colleague now and then.
        const size_t regular = static_cast<size_t>(dayIndex / 1200) % kObservers.size();
        const size_t who =
            random.chance(0.75) ? regular : static_cast<size_t>(random.between(0, 5));
        writeText(record.observer, QString::fromUtf16(kObservers[who].name));
        writeText(record.station, QString::fromUtf16(kObservers[who].station));
        if (random.chance(0.01))
            writeText(record.specialMark, specialMarkText());

        // Carrington rotation and central meridian from the mean synodic period; close to
        // what the commit stores, and free of libm.
        const double julianDay = kJulianDayAtStart + dayIndex + (hour + minute / 60.0) / 24.0;
        const double rotations = (julianDay - 2398140.2270) / 27.2752316;
        const int rotation = static_cast<int>(std::floor(rotations));
        const double centralLongitude = 360 * (1 - (rotations - rotation));
        record.rotation = static_cast<uint16_t>(rotation);
        record.centralLongitude = static_cast<uint16_t>(std::min(359.0, centralLongitude));
        if (rotation != lastRotation) {
            lastRotation = rotation;
            firstNumberOfRotation = globalGroupNumber;
        }

        // Orientation of the Sun through the year, the simple annual waves.
        const double yearAngle = 2 * kPi * (day.dayOfYear() - 1) / 365.25;
        const double b0 = 7.25 * kDegree * ownSin(yearAngle - 2 * kPi * 157 / 365.25);
        const double p = -26.3 * ownSin(yearAngle - 2 * kPi * 4 / 365.25);

        const double years = dayIndex / 365.25;
        double phase = 0;
        const double activity = activityAt(years, phase);
        const double meanGroups = 0.3 + 10.5 * activity;
        const double spread = 1 + std::sqrt(meanGroups);
        const int groups = std::clamp(
            static_cast<int>(std::nearbyint(meanGroups + random.between(-1.0, 1.0) * spread)), 0,
            15);
        record.groupCount = static_cast<uint8_t>(groups);
        globalGroupNumber += groups > 0 ? random.between(0, std::max(1, groups / 3)) : 0;

        RecordSummary &summary = record.summary;
        int centralGroups = 0, centralSpots = 0;
        for (int g = 1; g <= groups; ++g) {
            SunspotGroup &group = record.group(g);
            const ClassProfile &profile = pickProfile(random, activity);
            writeText(group.type, QString::fromLatin1(profile.type));
            const int spots = random.between(profile.minSpots, profile.maxSpots);
            group.spotCount = static_cast<uint8_t>(spots);
            const char letter = profile.type[0];
            group.penumbraCount = static_cast<uint8_t>(
                letter == 'A' || letter == 'B' || letter == '*'
                    ? 0
                    : (letter == 'H' ? spots : random.between(1, std::max(1, spots / 3))));

            // Spörer's law: the belts start near 28 degrees and end near 7.
            const double belt = 28 - 21 * phase;
            const double latitude =
                (random.chance(0.5) ? 1 : -1) * std::max(2.0, belt + random.between(-6.0, 6.0));
            const double meridian = random.between(-80.0, 80.0);
            const double b = latitude * kDegree, m = meridian * kDegree;
            const double cosB = ownCos(b), sinB = ownSin(b);
            // Orthographic view from B0: the north and the right-hand component on a
            // drawing of radius 125 mm.
            const double north = 125 * (sinB * ownCos(b0) - cosB * ownCos(m) * ownSin(b0));
            const double right = 125 * cosB * ownSin(m);
            const double rho = std::sqrt(north * north + right * right);
            double angle = ownAtan2(right, north) / kDegree + p;
            angle -= 360 * std::floor(angle / 360);
            group.angle = static_cast<uint16_t>(std::min(3599.0, std::nearbyint(angle * 10)));
            group.distance = static_cast<uint16_t>(std::min(1200.0, std::nearbyint(rho * 10)));

            const int area = random.between(profile.minArea, profile.maxArea);
            group.area = static_cast<uint16_t>(area);
            group.smallSpots = static_cast<uint16_t>(random.between(0, spots / 3));
            const int number = globalGroupNumber - groups + g;
            group.globalGroupNumber = static_cast<uint16_t>(number);
            group.rotationGroupNumber =
                static_cast<uint16_t>(std::clamp(number - firstNumberOfRotation + 1, 1, 70));
            const int degrees = static_cast<int>(angle);
            const int millimetres = std::min(125, static_cast<int>(rho));
            if (random.chance(0.3)) {
                group.aux1Position = packPosition(std::max(0, degrees - random.between(0, 2)),
                                                  std::max(0, millimetres - 1));
                group.aux1Area = static_cast<uint16_t>(random.between(20, std::max(20, area / 4)));
            }
            if (random.chance(0.1)) {
                group.aux2Position =
                    packPosition(std::min(359, degrees + random.between(0, 2)), millimetres);
                group.aux2Area = static_cast<uint16_t>(random.between(20, std::max(20, area / 5)));
            }

            // Summary, following the rules of the commit closely enough for plots.
            const int weightedArea = area + static_cast<int>(group.smallSpots * 15.3 + 0.5);
            const double r = std::min(0.999, group.distance / 1250.0);
            const int corrected = static_cast<int>(weightedArea * 0.5 / std::sqrt(1 - r * r));
            const int cv = classNumber(profile.type);
            const int rb = spots * classWeight(letter);
            const int sn = spots + 9 * group.penumbraCount;
            if (latitude >= 0) {
                ++summary.northGroups;
                summary.northSpots += static_cast<uint16_t>(spots);
                summary.northClassSum += static_cast<uint16_t>(cv);
                summary.northSN += static_cast<uint16_t>(sn);
                summary.northRB += static_cast<uint16_t>(rb);
                summary.northArea += static_cast<uint16_t>(weightedArea);
                summary.northCorrectedArea += static_cast<uint16_t>(corrected);
            } else {
                ++summary.southGroups;
                summary.southSpots += static_cast<uint16_t>(spots);
                summary.southClassSum += static_cast<uint16_t>(cv);
                summary.southSN += static_cast<uint16_t>(sn);
                summary.southRB += static_cast<uint16_t>(rb);
                summary.southArea += static_cast<uint16_t>(weightedArea);
                summary.southCorrectedArea += static_cast<uint16_t>(corrected);
            }
            if (meridian > -30 && meridian < 30 && latitude > -30 && latitude < 30) {
                ++centralGroups;
                centralSpots += spots;
            }
        }
        summary.northR = static_cast<uint16_t>(10 * summary.northGroups + summary.northSpots);
        summary.southR = static_cast<uint16_t>(10 * summary.southGroups + summary.southSpots);

        // Faculae fields near the limb, each outlined by three to six vertices.
        const int faculae = std::clamp(
            static_cast<int>(std::nearbyint(activity * 5 + random.between(-1.0, 1.5))), 0, 8);
        record.faculaFieldCount = static_cast<uint8_t>(faculae);
        for (int f = 1; f <= faculae; ++f) {
            FaculaField &field = record.facula(f);
            const int vertices = random.between(3, 6);
            const int degrees = random.between(0, 359);
            for (int v = 0; v < vertices; ++v)
                field.vertices[v] = packPosition(std::min(359, degrees + random.between(0, 6)),
                                                 random.between(105, 124));
        }

        record.centralGroups = static_cast<uint16_t>(centralGroups);
        record.centralSpots = static_cast<uint16_t>(centralSpots);
        record.centralR = static_cast<uint16_t>(10 * centralGroups + centralSpots);
        record.faculaTotal = static_cast<uint16_t>(faculae + random.between(0, 2));
        copyHeaderIntoSummary(summary, record);

        records.push_back(record);
    }
    if (!records.empty())
        records.front().drawingSetup = 125; // polar entry on drawings of radius 125 mm
    return records;
}

std::vector<ObservationRecord> takeGroups(const std::vector<ObservationRecord> &records,
                                          long long groups) {
    long long sum = 0;
    size_t n = 0;
    while (n < records.size() && sum < groups)
        sum += records[n++].usedGroups();
    return {records.begin(), records.begin() + static_cast<ptrdiff_t>(n)};
}

long long countGroups(const std::vector<ObservationRecord> &records) {
    long long sum = 0;
    for (const ObservationRecord &record : records)
        sum += record.usedGroups();
    return sum;
}

bool writeDataSet(const QString &dir, const std::vector<ObservationRecord> &records) {
    if (!QDir().mkpath(dir))
        return false;
    QFile file(QDir(dir).filePath(ObservationStore::dataFileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 bytes = static_cast<qint64>(records.size()) * kRecordSize;
    return file.write(reinterpret_cast<const char *>(records.data()), bytes) == bytes;
}

} // namespace orvanek::bench
