#pragma once

#include "solar/ephemeris.h"

namespace orvanek {

// Heliographic place of a point given on the drawing.
struct HeliographicPosition {
    double helioLatitude = 0;    // b, degrees, north positive
    double helioLongitude = 0;   // l, Carrington degrees, 0..360
    double meridianDistance = 0; // degrees from the central meridian, -90..90; l = L0 - this
};

// Place of a point on the drawing.
struct PolarPosition {
    double polarAngle = 0;    // degrees from the top of the disk towards the right; may exceed 360
    double polarDistance = 0; // mm from the centre on a drawing of radius drawingRadius
};

// distance: stored group distance (tenths of a mm on a 125 mm drawing, limb 1250);
// angle: stored angle (tenths of a degree). Only the visible hemisphere is represented.
// Where the arithmetic has no value (on and beyond the limb) the limits are taken:
// latitude +-90, meridian distance +-90; the result is never NaN.
HeliographicPosition polarToHeliographic(const Ephemeris &e, double distance, double angle);

// b, l in degrees (taken as 32-bit floats, as they were typed), drawingRadius in mm.
// Points on the far side are projected like visible ones.
PolarPosition heliographicToPolar(const Ephemeris &e, float b, float l, double drawingRadius);

} // namespace orvanek
