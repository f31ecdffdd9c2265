#pragma once

#include "data/observationrecord.h"
#include "datedrecord.h"
#include "imageprobes.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QString>

namespace orvanek::testing {

// A record dated `date` at `timeUT` (08:30 unless given), every other byte zero.
inline ObservationRecord drawingRecord(const QString &date, uint16_t timeUT = 830) {
    return datedRecord(date, timeUT);
}

// A date and time whose central-meridian longitude lies within 0.3 degrees of `L0`,
// found by stepping through the hours of 2001.
struct Moment {
    QString date;
    uint16_t timeUT = 0;
    Ephemeris ephemeris;
};
Moment momentWithL0(double L0);

} // namespace orvanek::testing
