#pragma once

#include "data/observationrecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <span>
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

// Adds a group of class "Dkc" in the next slot and returns it: stored angle (tenths of a
// degree), distance (limb 1250) and area.
inline SunspotGroup &addGroup(ObservationRecord &record, int angle, int distance, int area = 400) {
    ++record.groupCount;
    SunspotGroup &g = record.group(record.groupCount);
    writeText(g.type, QStringLiteral("Dkc"));
    g.angle = static_cast<uint16_t>(angle);
    g.distance = static_cast<uint16_t>(distance);
    g.area = static_cast<uint16_t>(area);
    return g;
}

// Adds a faculae field with the given packed vertices (the rest 0) and returns its slot.
inline int addFaculaField(ObservationRecord &record, std::initializer_list<uint16_t> vertices) {
    ++record.faculaFieldCount;
    FaculaField &f = record.facula(record.faculaFieldCount);
    int k = 0;
    for (uint16_t v : vertices)
        f.vertices[k++] = v;
    return record.faculaFieldCount;
}

inline QByteArray recordBytes(const ObservationRecord &record) {
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

inline QByteArray recordsBytes(std::span<const ObservationRecord> records) {
    return QByteArray(reinterpret_cast<const char *>(records.data()),
                      static_cast<qsizetype>(records.size() * sizeof(ObservationRecord)));
}
inline QByteArray recordsBytes(const std::vector<ObservationRecord> &records) {
    return recordsBytes(std::span<const ObservationRecord>(records));
}

} // namespace orvanek::testing
