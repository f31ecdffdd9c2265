#pragma once

#include "data/observationrecord.h"
#include "testregistry.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

namespace orvanek::testing {

// A record with every byte zero but the date, time and, when given, the observer.
ObservationRecord makeRecord(const QString &date, uint16_t timeUT = 1200,
                             const QString &observer = QString());

QByteArray recordBytes(const ObservationRecord &record);
QByteArray recordsBytes(const std::vector<ObservationRecord> &records);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// Bytes that repeat nowhere in a record, so a byte moved or lost is noticed.
QByteArray oddBytes(qsizetype size, uint32_t seed);

} // namespace orvanek::testing
