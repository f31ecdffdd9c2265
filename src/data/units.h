#pragma once

// The units the stored record is written in, named once for every folder that reads it.

#include <string_view>

namespace orvanek {

// Every stored distance and area is on the scale of a drawing of this radius, whatever
// radius R the data set is drawn at.
inline constexpr double kReferenceRadiusMm = 125;

// Stored distance of the limb: tenths of a mm on the reference drawing.
inline constexpr int kLimbDistance = 1250;

// Stored area units per mm² on a drawing of radius R are kAreaScale / R: areas are kept as
// mm² x 20.4 x 125 / R, and 20.4 x 125 is exactly 2550.
inline constexpr double kAreaScale = 2550.0;

// A small spot (under 1 mm²) counts as 0.75 mm² of the drawing: 0.75 x 2550 = 1912.5, so
// on the stored scale it adds kSmallSpotArea / R, 15.3 at R = 125.
inline constexpr double kSmallSpotArea = 1912.5;
inline constexpr double kSmallSpotAreaAtReference = kSmallSpotArea / kReferenceRadiusMm;

// Auxiliary spots and faculae vertices are packed as whole degrees x 128 + whole mm
// (see packPosition).
inline constexpr int kPackedDegreeUnit = 128;

// Record 1 keeps the drawing setup as R, plus this for heliographic entry.
inline constexpr int kHeliographicSetupOffset = 1000;

// The class text of a group entered without one.
inline constexpr std::string_view kUnclassifiedType = "***";

// Group numbers within one Carrington rotation ("č.sk2") run 1..70.
inline constexpr int kRotationGroups = 70;

} // namespace orvanek
