#pragma once

#include "data/observationrecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace orvanek::testing {

// A record with every byte zero but the date text, the time and, when given, the observer.
inline ObservationRecord datedRecord(const QString &date, uint16_t timeUT = 1200,
                                     const QString &observer = QString()) {
    ObservationRecord r = zeroRecord();
    writeText(r.dateText, date);
    r.timeUT = timeUT;
    if (!observer.isEmpty())
        writeText(r.observer, observer);
    return r;
}

inline QByteArray recordBytes(const ObservationRecord &record) {
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

inline QByteArray recordsBytes(const std::vector<ObservationRecord> &records) {
    return QByteArray(reinterpret_cast<const char *>(records.data()),
                      static_cast<qsizetype>(records.size() * sizeof(ObservationRecord)));
}

} // namespace orvanek::testing
