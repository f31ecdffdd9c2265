#pragma once

#include "data/observationstore.h"
#include "datedrecord.h"
#include "pdfpages.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

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

// The first of the month `month` months after January 1990 ("01.01.1990" for 0).
inline QString firstOfMonth(int month) {
    return QStringLiteral("01.%1.%2")
        .arg(month % 12 + 1, 2, 10, QLatin1Char('0'))
        .arg(1990 + month / 12);
}

} // namespace orvanek::testing
