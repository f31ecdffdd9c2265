#pragma once

// Five groups followed over twelve days of June 2024 as the Sun turns them: each keeps its
// latitude, and its Carrington longitude drifts as Newton & Nunn (1951, MNRAS 111, 413)
// give it, 14.38 - 2.77 sin^2 b degrees a day against Carrington's 14.1844 (faster groups
// gain longitude). Positions are converted to the drawing with the program's conversion, as
// an observer entering l and b would have them stored.

#include "observedrecord.h"

#include <QDate>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace orvanek::testing {

struct TrackedGroup {
    int number;                   // rotation group number
    double latitude;              // degrees
    double startMeridianDistance; // degrees east of the central meridian on day 0
    int firstDay;                 // the days it is drawn, 0..11
    int lastDay;
};

inline constexpr TrackedGroup kTrackedGroups[] = {
    {3, 15, 70, 0, 11},  // crosses the whole disk
    {7, -22, 40, 0, 8},  //
    {12, 30, 75, 2, 11}, // on the central meridian on day 6
    {15, 0, 20, 0, 6},   // 33 degrees west of it on day 4
    {21, 5, 120, 3, 11}, // comes round the east limb on day 3
};
inline constexpr int kTrackedDays = 12;

// Newton & Nunn's sidereal rate less Carrington's, degrees a day.
inline double publishedDrift(double latitude) {
    const double s = std::sin(latitude * std::numbers::pi / 180);
    return 14.38 - 2.77 * s * s - 14.1844;
}

inline QString trackedDate(int day) {
    return QDate(2024, 6, 10).addDays(day).toString(QStringLiteral("dd.MM.yyyy"));
}

// A different hour every day, so that the drift is taken over the true time between drawings.
inline uint16_t trackedTime(int day) {
    return static_cast<uint16_t>(800 + 100 * (day % 4) + 5 * day);
}

// Days since day 0's drawing.
inline double trackedElapsed(int day) {
    auto hours = [](uint16_t t) { return t / 100 + (t % 100) / 60.0; };
    return day + (hours(trackedTime(day)) - hours(trackedTime(0))) / 24;
}

// Latitude and Carrington longitude of the group on the day's drawing.
inline std::pair<double, double> trackedPlace(const TrackedGroup &g, int day) {
    const double startL0 = ephemerisOf(observedRecord(trackedDate(0), trackedTime(0))).L0;
    const double longitude =
        startL0 - g.startMeridianDistance + publishedDrift(g.latitude) * trackedElapsed(day);
    return {g.latitude, longitude - 360 * std::floor(longitude / 360)};
}

// The row of group `number` in the day's record (from 1); 0 when it is not drawn that day.
inline int trackedSlot(int day, int number) {
    int slot = 0;
    for (const TrackedGroup &g : kTrackedGroups) {
        if (day < g.firstDay || day > g.lastDay)
            continue;
        ++slot;
        if (g.number == number)
            return slot;
    }
    return 0;
}

// One record a day, the groups drawn that day in the order above.
inline std::vector<ObservationRecord> trackedRecords() {
    std::vector<ObservationRecord> records;
    for (int day = 0; day < kTrackedDays; ++day) {
        ObservationRecord r = observedRecord(trackedDate(day), trackedTime(day));
        for (const TrackedGroup &g : kTrackedGroups) {
            if (day < g.firstDay || day > g.lastDay)
                continue;
            const auto [b, l] = trackedPlace(g, day);
            // As an observer reads it off the drawing: under 360 degrees.
            addGroupSeenAt(r, b, l, 400, g.number).angle %= 3600;
        }
        records.push_back(r);
    }
    return records;
}

} // namespace orvanek::testing
