#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace orvanek::testing {

// The bytes of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file whole, failing the test when it cannot.
inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace orvanek::testing
