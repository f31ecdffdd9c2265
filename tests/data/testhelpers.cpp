#include "testhelpers.h"

#include <QFile>
#include <QTest>

#include <cstring>

namespace orvanek::testing {

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray oddBytes(qsizetype size, uint32_t seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    uint32_t x = seed * 2654435761u + 1;
    for (qsizetype i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<char>(x >> 24);
    }
    return bytes;
}

} // namespace orvanek::testing
