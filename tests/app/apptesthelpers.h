#pragma once

#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "datedrecord.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <vector>

namespace orvanek::testing {

inline void writeDataFile(const QString &dir, const std::vector<ObservationRecord> &records) {
    QFile file(QDir(dir).filePath("data1.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(recordsBytes(records));
}

inline QByteArray fileContent(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace orvanek::testing
