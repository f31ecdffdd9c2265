#include "data/datalock.h"

#include <QCoreApplication>
#include <QDir>

namespace orvanek {

std::unique_ptr<QLockFile> lockDataDirectory(const QString &dir) {
    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(QStringLiteral("orvanek.lock")));
    // A lock left by a crashed copy is taken over; QLockFile checks the process is gone.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QString dataDirectoryInUseMessage(const QString &dir) {
    return QCoreApplication::translate(
               "orvanek", "Data v adresáři %1 už používá jiná spuštěná kopie programu Orvanek.\r"
                          "Ukončete ji a spusťte program znovu.")
        .arg(QDir::toNativeSeparators(QDir(dir).absolutePath()));
}

} // namespace orvanek
