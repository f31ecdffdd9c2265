#include "entry/summary.h"

#include "data/units.h"

#include "solar/conversion.h"
#include "solar/rounding.h"

#include <cmath>

namespace orvanek {

const std::array<std::string_view, 60> McIntoshClasses = {
    "Axx", "Bxo", "Bxi", "Hrx", "Cro", "Cri", "Hax", "Cao", "Cai", "Hsx", "Cso", "Csi",
    "Dro", "Ero", "Fro", "Dri", "Eri", "Fri", "Dao", "Eao", "Fao", "Dai", "Eai", "Fai",
    "Dso", "Eso", "Fso", "Dsi", "Esi", "Fsi", "Dac", "Eac", "Fac", "Dsc", "Esc", "Fsc",
    "Hkx", "Cko", "Cki", "Hhx", "Cho", "Chi", "Dko", "Eko", "Fko", "Dki", "Eki", "Fki",
    "Dho", "Eho", "Fho", "Dhi", "Ehi", "Fhi", "Dkc", "Ekc", "Fkc", "Dhc", "Ehc", "Fhc"};

namespace {
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    return true;
}
} // namespace

int classNumber(std::string_view type) {
    for (size_t i = 0; i < McIntoshClasses.size(); ++i)
        if (equalIgnoringCase(type, McIntoshClasses[i]))
            return static_cast<int>(i) + 1;
    return 0;
}

int classWeight(char zurichLetter) {
    switch (upperAscii(zurichLetter)) {
    case 'A':
    case 'B':
        return 4;
    case 'C':
        return 8;
    case 'D':
        return 18;
    case 'E':
        return 25;
    case 'F':
        return 36;
    case 'G':
        return 50;
    case 'H':
        return 44;
    case 'J':
        return 37;
    default:
        return 0;
    }
}

uint16_t correctedArea(int area, int distance) {
    double rho = distance / double(kLimbDistance) - 0.001;
    if (rho > 0.999)
        rho = 0.999;
    return roundToWord(area * 0.5 / std::sqrt(1 - rho * rho));
}

RecordSummary computeSummary(const ObservationRecord &record, const Ephemeris &ephemeris,
                             double drawingRadius) {
    RecordSummary s{};
    for (int i = 1; i <= record.usedGroups(); ++i) {
        const SunspotGroup &g = record.group(i);
        const uint16_t area = roundToWord(g.area + g.smallSpots * kSmallSpotArea / drawingRadius);
        const bool north = polarToHeliographic(ephemeris, g.distance, g.angle).helioLatitude >= 0;
        const std::string_view type(g.type.chars, static_cast<size_t>(g.type.usedLength()));
        const uint16_t classSum = static_cast<uint16_t>(classNumber(type));
        const uint16_t weighted =
            static_cast<uint16_t>(g.spotCount * (type.empty() ? 0 : classWeight(type[0])));
        const uint16_t sn = static_cast<uint16_t>(g.spotCount + 9 * g.penumbraCount);
        const uint16_t corrected = correctedArea(area, g.distance);

        uint16_t &groups = north ? s.northGroups : s.southGroups;
        uint16_t &spots = north ? s.northSpots : s.southSpots;
        (north ? s.northArea : s.southArea) += area;
        (north ? s.northCorrectedArea : s.southCorrectedArea) += corrected;
        (north ? s.northClassSum : s.southClassSum) += classSum;
        (north ? s.northRB : s.southRB) += weighted;
        (north ? s.northSN : s.southSN) += sn;
        spots += g.spotCount;
        groups += 1;
    }
    s.northR = static_cast<uint16_t>(10 * s.northGroups + s.northSpots);
    s.southR = static_cast<uint16_t>(10 * s.southGroups + s.southSpots);
    return s;
}

void copyHeaderIntoSummary(RecordSummary &summary, const ObservationRecord &record) {
    summary.timeUT = record.timeUT;
    summary.centralGroups = record.centralGroups;
    summary.centralSpots = record.centralSpots;
    summary.centralR = record.centralR;
    summary.faculaTotal = record.faculaTotal;
    summary.conditions = record.conditions;
    summary.imageQuality = record.imageQuality;
    summary.seeingQuality = record.seeingQuality;
}

} // namespace orvanek
