#pragma once

#include "data/observationrecord.h"
#include "solar/ephemeris.h"

#include <array>
#include <string_view>

namespace orvanek {

// The McIntosh classes in their numbered order; a group's class number is its
// 1-based position here.
extern const std::array<std::string_view, 60> McIntoshClasses;

// Class number of a type text, compared without regard to case; 0 when not in the table.
int classNumber(std::string_view type);
// Weight of the Zurich letter (the type's first character, any case): A, B 4, C 8, D 18,
// E 25, F 36, G 50, H 44, J 37, anything else 0.
int classWeight(char zurichLetter);

// Area of a group corrected for foreshortening: A is on the stored area scale, the
// group lies `distance` tenths of a mm from the centre of a 125 mm drawing (limb 1250).
// A distance beyond the limb is taken as the limb.
uint16_t correctedArea(int area, int distance);

// Per-hemisphere sums of a record's groups for the moment's ephemeris: g, f, R, class
// sum, SN, RB, area and corrected area; every other field of the result is 0. A group is
// northern when its latitude is 0 or more. Sums wrap at 16 bits like the stored words.
RecordSummary computeSummary(const ObservationRecord &record, const Ephemeris &ephemeris,
                             double drawingRadius);

// The header values the stored summary repeats: time, central zone, F, conditions.
void copyHeaderIntoSummary(RecordSummary &summary, const ObservationRecord &record);

} // namespace orvanek
