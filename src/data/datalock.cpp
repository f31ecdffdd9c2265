#include "data/datalock.h"

#include "data/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>
#include <QTemporaryFile>

namespace orvanek {

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("orvanek", text);
}

QString shownDir(const QString &dir) {
    return QDir::toNativeSeparators(QDir(dir).absolutePath());
}

// Why nothing can be made in the directory: the system's words for a file made there.
QString writeProblem(const QString &dir) {
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("orvanek-XXXXXX.tmp")));
    if (probe.open())
        return {};
    return fileProblemText(shownDir(dir), probe.errorString());
}

} // namespace

QString lockFileName() {
    return QStringLiteral("orvanek.lock");
}

DirectoryLock lockDataDirectory(const QString &dir) {
    DirectoryLock result;
    const QString path = QDir(dir).filePath(lockFileName());
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose copy is gone is stale; a long-running copy keeps its lock.
    lock->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            result.lock = std::move(lock);
            return result;
        }
        if (lock->error() != QLockFile::LockFailedError)
            break;
        qint64 pid = 0;
        QString host;
        QString application;
        if (!lock->getLockInfo(&pid, &host, &application)) {
            // Empty or unreadable: a kill while the lock was written. Nobody holds it.
            lock->removeStaleLockFile();
            continue;
        }
        if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
            result.refusal = tr("Data v adresáři %1 používá program Orvanek na počítači %2.\r"
                                "Pokud tam už neběží, smažte soubor %3 a spusťte program znovu.")
                                 .arg(shownDir(dir), host, QDir::toNativeSeparators(path));
            return result;
        }
        result.refusal = tr("Data v adresáři %1 už používá jiná spuštěná kopie programu "
                            "Orvanek (proces %2).\rUkončete ji a spusťte program znovu.")
                             .arg(shownDir(dir))
                             .arg(pid);
        return result;
    }
    const QString problem = writeProblem(dir);
    result.readOnly = true;
    result.refusal = problem.isEmpty()
                         ? tr("Zámek %1 nelze vytvořit.").arg(QDir::toNativeSeparators(path))
                         : tr("Do adresáře %1 nelze zapisovat: %2").arg(shownDir(dir), problem);
    return result;
}

} // namespace orvanek
