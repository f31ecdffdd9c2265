#pragma once

#include "data/observationstore.h"
#include "datedrecord.h"

#include <QDate>

#include <vector>

namespace orvanek::testing {

// The day the test stores are made on: two-digit years read around 2026.
inline const QDate kTestToday(2026, 12, 8);

// The hemisphere values a record's summary carries.
struct Hemisphere {
    uint16_t groups = 0;
    uint16_t spots = 0;
    uint16_t r = 0;
};

// A dated record whose summary holds the given north and south values.
inline ObservationRecord summaryRecord(const QString &date, Hemisphere north, Hemisphere south = {},
                                       uint16_t timeUT = 1200,
                                       const QString &observer = QString()) {
    ObservationRecord r = datedRecord(date, timeUT, observer);
    r.summary.timeUT = timeUT;
    r.summary.northGroups = north.groups;
    r.summary.northSpots = north.spots;
    r.summary.northR = north.r;
    r.summary.southGroups = south.groups;
    r.summary.southSpots = south.spots;
    r.summary.southR = south.r;
    return r;
}

// Puts the records into the store in the order given (as a sorted data file holds them).
inline void fillStore(ObservationStore &store, const std::vector<ObservationRecord> &records) {
    for (const ObservationRecord &r : records)
        store.appendRecord(r);
}

} // namespace orvanek::testing
