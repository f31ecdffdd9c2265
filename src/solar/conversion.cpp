#include "solar/conversion.h"

#include "solar/vectorstate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvanek {

HeliographicPosition polarToHeliographic(const Ephemeris &e, double distance, double angle) {
    clearUpperVectorState();
    const double beta = 0.0174533 * e.B0;
    const double theta = (0.1 * angle - e.P) * 0.0174532;
    const double x = std::cos(theta) * distance * 0.1;
    const double y = std::sin(theta) * distance * 0.1;
    const double rho = 0.1 * distance;
    // 15626 = 125^2 + 1 keeps the depth above 0 on the limb; a stored distance beyond
    // the limb would make it imaginary, so it is taken as lying on the limb.
    const double z = std::sqrt(std::max(0.0, 15626 - rho * rho));

    HeliographicPosition h;
    const double denominator = std::cos(beta) * z - std::sin(beta) * x;
    if (denominator != 0)
        h.meridianDistance = std::atan(y / denominator) * 57.295779;
    else
        h.meridianDistance = y > 0 ? 90.0 : (y < 0 ? -90.0 : 0.0);

    const double s = (std::sin(beta) * z + std::cos(beta) * x) * 0.008;
    if (s >= 1)
        h.helioLatitude = 90;
    else if (s <= -1)
        h.helioLatitude = -90;
    else
        h.helioLatitude = std::atan(s / std::sqrt(1 - s * s)) * 57.295779;

    h.helioLongitude = e.L0 - h.meridianDistance;
    if (h.helioLongitude > 360)
        h.helioLongitude -= 360;
    if (h.helioLongitude < 0)
        h.helioLongitude += 360;
    return h;
}

PolarPosition heliographicToPolar(const Ephemeris &e, float b, float l, double drawingRadius) {
    clearUpperVectorState();
    constexpr double pi = std::numbers::pi;
    const double betaP = static_cast<float>(pi * b / 180);
    const double delta = static_cast<float>((360 - e.L0 + l) * pi / 180);
    const double beta0 = pi * e.B0 / 180;
    const double r = drawingRadius;

    const double x = std::sin(delta) * std::cos(betaP) * r;
    const double y = std::cos(beta0) * std::sin(betaP) * r -
                     std::cos(delta) * std::sin(beta0) * std::cos(betaP) * r;

    PolarPosition p;
    p.polarDistance = std::sqrt(x * x + y * y);
    double t;
    if (y > 0)
        t = std::atan(x / y);
    else if (y < 0)
        t = std::atan(x / y) + pi;
    else // on the line through the centre across the axis: the limit from y < 0
        t = x > 0 ? pi / 2 : (x < 0 ? 3 * pi / 2 : pi);
    p.polarAngle = 360 - 180 * t / pi + e.P;
    return p;
}

} // namespace orvanek
