#include "viewtesthelpers.h"

#include "data/dates.h"

#include <QDate>

#include <cmath>
#include <vector>

namespace orvanek::testing {

Moment momentWithL0(double L0) {
    for (QDate day(2001, 1, 1); day.year() == 2001; day = day.addDays(1)) {
        for (int hour = 0; hour < 24; ++hour) {
            const auto time = static_cast<uint16_t>(hour * 100);
            const Ephemeris e = solarEphemeris(toCalendarDate(day), time);
            if (std::abs(e.L0 - L0) < 0.3)
                return {shortDate(toCalendarDate(day)), time, e};
        }
    }
    return {};
}

} // namespace orvanek::testing
