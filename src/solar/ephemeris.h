#pragma once

#include "solar/calendar.h"

#include <cstdint>

namespace orvanek {

// Orientation of the Sun at one moment.
struct Ephemeris {
    double B0 = 0;        // heliographic latitude of the disk centre, degrees
    double P = 0;         // position angle of the northern end of the rotation axis, degrees
    double L0 = 0;        // Carrington longitude of the central meridian, degrees, 0 <= L0 < 360
    int32_t rotation = 0; // Carrington rotation number
};

// The Sun's orientation for the date at the time timeUT, given as the integer hhmm
// (7:05 is 705). The time is not checked: 2400 is the end of the day and 2375 is
// taken as 23 h 75 min. The constants are Carrington's elements with a simplified
// solar longitude; stored rotation numbers and central longitudes depend on them
// exactly as written, so they must not be "improved".
Ephemeris solarEphemeris(const CalendarDate &date, uint16_t timeUT);

} // namespace orvanek
