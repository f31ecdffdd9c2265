#include "views/silso/dailyvalues.h"

#include "data/observationstore.h"
#include "entry/summary.h"
#include "solar/ephemeris.h"
#include "solar/vectorstate.h"

#include <algorithm>
#include <limits>

namespace orvanek {

DailyValuesResult dailyValues(const ObservationStore &store, std::optional<CalendarDate> from,
                              std::optional<CalendarDate> to) {
    clearUpperVectorState();
    const int32_t first = from ? serialDay(*from) : std::numeric_limits<int32_t>::min();
    const int32_t last = to ? serialDay(*to) : std::numeric_limits<int32_t>::max();
    const double radius = store.hasDrawingSetup() ? store.drawingRadius() : kReferenceRadiusMm;

    struct Chosen {
        int64_t key; // date, then time
        const ObservationRecord *record;
        CalendarDate date;
    };
    std::vector<Chosen> chosen;
    DailyValuesResult result;
    for (const ObservationRecord &r : store.records()) {
        if (r.isSpecial())
            continue;
        const auto date = store.dateOf(r);
        if (!date) {
            ++result.unreadableDates;
            continue;
        }
        const int32_t day = serialDay(*date);
        if (day < first || day > last)
            continue;
        constexpr int64_t kTimesPerDay = 1 << 16; // a time is a 16-bit word
        chosen.push_back({int64_t(day) * kTimesPerDay + r.timeUT, &r, *date});
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const Chosen &a, const Chosen &b) { return a.key < b.key; });

    result.rows.reserve(chosen.size());
    for (const Chosen &c : chosen) {
        const ObservationRecord &r = *c.record;
        const RecordSummary s = computeSummary(r, solarEphemeris(c.date, r.timeUT), radius);
        DailyValues v;
        v.date = c.date;
        v.timeUT = r.timeUT;
        v.observer = readText(r.observer);
        v.groups = {s.northGroups + s.southGroups, s.northGroups, s.southGroups};
        v.spots = {s.northSpots + s.southSpots, s.northSpots, s.southSpots};
        v.relative = {s.northR + s.southR, s.northR, s.southR};
        v.seeingQuality = r.seeingQuality;
        result.rows.push_back(std::move(v));
    }
    return result;
}

} // namespace orvanek
