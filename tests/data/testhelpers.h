#pragma once

#include "data/observationrecord.h"
#include "datedrecord.h"
#include "testregistry.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

namespace orvanek::testing {

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// Bytes that repeat nowhere in a record, so a byte moved or lost is noticed.
QByteArray oddBytes(qsizetype size, uint32_t seed);

} // namespace orvanek::testing
