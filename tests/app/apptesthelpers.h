#pragma once

#include "data/observationrecord.h"
#include "data/observationstore.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <vector>

namespace orvanek::testing {

inline ObservationRecord appRecord(const QString &date, uint16_t time = 1200) {
    ObservationRecord r = zeroRecord();
    writeText(r.dateText, date);
    r.timeUT = time;
    return r;
}

inline QByteArray appBytes(const std::vector<ObservationRecord> &records) {
    return QByteArray(reinterpret_cast<const char *>(records.data()),
                      static_cast<qsizetype>(records.size() * sizeof(ObservationRecord)));
}

inline void writeDataFile(const QString &dir, const std::vector<ObservationRecord> &records) {
    QFile file(QDir(dir).filePath("data1.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(appBytes(records));
}

inline QByteArray fileContent(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace orvanek::testing
