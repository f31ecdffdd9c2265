#pragma once

// Five groups followed over twelve days from 24.06.2024, one drawing a day at a different
// hour: each keeps its latitude, and its Carrington longitude drifts as Newton & Nunn (1951,
// MNRAS 111, 413) give it, 14.38 - 2.77 sin^2 b degrees a day against Carrington's 14.1844
// (a faster group gains longitude). Stored through the program's conversion, as typed l, b
// would be, with the angle under 360 degrees as read off a drawing.

#include "observedrecord.h"

#include <QDate>

#include <cmath>
#include <numbers>
#include <utility>

namespace orvanek::testing {

struct TrackedGroup {
    int number;
    double latitude;
    double startMeridianDistance; // degrees east of the central meridian on day 0
    int firstDay, lastDay;        // drawn on these days, 0..11
};

// Group 15 is 33 degrees west of the meridian on day 4, group 12 on it on day 6.
inline constexpr TrackedGroup kTrackedGroups[] = {{3, 15, 70, 0, 11},
                                                  {7, -22, 40, 0, 8},
                                                  {12, 30, 75, 2, 11},
                                                  {15, 0, 20, 0, 6},
                                                  {21, 5, 120, 3, 11}};
inline constexpr int kTrackedDays = 12;

inline QString trackedDate(int day) {
    return QDate(2024, 6, 24).addDays(day).toString(QStringLiteral("dd.MM.yyyy"));
}
inline uint16_t trackedTime(int day) {
    return static_cast<uint16_t>(800 + 100 * (day % 4) + 5 * day);
}

// Latitude and longitude of the group on the day's drawing.
inline std::pair<double, double> trackedPlace(const TrackedGroup &g, int day) {
    const double s = std::sin(g.latitude * std::numbers::pi / 180);
    const double drift = 14.38 - 2.77 * s * s - 14.1844;
    const double days = day + (trackedTime(day) / 100 - trackedTime(0) / 100 +
                               (trackedTime(day) % 100 - trackedTime(0) % 100) / 60.0) /
                                  24;
    const double l = ephemerisOf(observedRecord(trackedDate(0), trackedTime(0))).L0 -
                     g.startMeridianDistance + drift * days;
    return {g.latitude, l - 360 * std::floor(l / 360)};
}

// The group's row in the day's record (from 1), 0 when it is not drawn that day.
inline int trackedSlot(int day, int number) {
    int slot = 0;
    for (const TrackedGroup &g : kTrackedGroups)
        if (day >= g.firstDay && day <= g.lastDay && (++slot, g.number == number))
            return slot;
    return 0;
}

inline std::vector<ObservationRecord> trackedRecords() {
    std::vector<ObservationRecord> records;
    for (int day = 0; day < kTrackedDays; ++day) {
        ObservationRecord r = observedRecord(trackedDate(day), trackedTime(day));
        for (const TrackedGroup &g : kTrackedGroups)
            if (day >= g.firstDay && day <= g.lastDay) {
                const auto [b, l] = trackedPlace(g, day);
                addGroupSeenAt(r, b, l, 400, g.number).angle %= 3600;
            }
        records.push_back(r);
    }
    return records;
}

} // namespace orvanek::testing
