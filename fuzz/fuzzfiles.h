#pragma once

#include "fuzz/fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The directory the targets write their files in, on tmpfs when there is one: a save syncs
// its file, which on a disk would make every run wait for it.
inline QTemporaryDir &fuzzWorkDirectory() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/orvanek-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/orvanek-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    return dir;
}

// The input as the file `name` of that directory; its path.
inline QString writeInputFile(const QString &name, const uint8_t *data, size_t size) {
    const QString path = fuzzWorkDirectory().filePath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
    return path;
}
