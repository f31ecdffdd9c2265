#include "solar/ephemeris.h"

#include "solar/vectorstate.h"

#include <cmath>

namespace orvanek {

namespace {
constexpr double kRad = 0.017453292;
constexpr double kDeg = 57.2957795;
constexpr double kPerTurn = 0.0027777777777777;

int32_t rotationAt(double days) {
    return static_cast<int32_t>(std::trunc((13.1985 * days - 107.6) * kPerTurn + 1811));
}
} // namespace

Ephemeris solarEphemeris(const CalendarDate &date, uint16_t timeUT) {
    clearUpperVectorState();
    const int hours = timeUT / 100;
    const int minutes = timeUT % 100;
    const double dayFraction = (hours + minutes * 0.016666666) / 24;
    const double d = static_cast<double>(dayNumber(date)) - 47527.5 + dayFraction;

    const double lambda = (2.1 * std::sin(0.017202785 * d) + (0.985647 * d - 79.447)) * kRad;
    const double node = (d / 365.25 * 0.013958 + 75.58717) * kRad;

    Ephemeris e;
    e.B0 = std::asin(std::sin(lambda - node) * 0.126198) * kDeg;
    e.P = (std::atan(std::cos(lambda) * (-0.4335677)) +
           std::atan(std::cos(lambda - node) * (-0.127216))) *
          kDeg;

    // cos(lambda - node) is never 0 together with its sine, so the quotient is at
    // worst infinite and the arc tangent takes its limit of +-90 degrees.
    const double c = std::cos(lambda - node);
    double eta = std::atan(0.992004949 * std::sin(lambda - node) / c) * kDeg;
    if (c > 0)
        eta += 180;
    const double v = 82.81 + eta - 14.184397 * d;

    e.rotation = rotationAt(d);
    e.L0 = (v * kPerTurn - std::trunc(v * kPerTurn)) * 360;
    if (e.L0 < 0)
        e.L0 += 360;
    // Near the start of a rotation the number follows L0: just below 360 belongs to the
    // next day's rotation, just above 0 to the previous day's.
    if (e.L0 < 15)
        e.rotation = rotationAt(d - 1);
    if (e.L0 > 345)
        e.rotation = rotationAt(d + 1);
    return e;
}

} // namespace orvanek
