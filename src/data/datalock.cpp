#include "data/datalock.h"

#include "data/safefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QThread>

#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

namespace orvanek {

namespace {

// This file's texts, translated in the context "DataLock".
struct DataLockTexts {
    Q_DECLARE_TR_FUNCTIONS(DataLock)
};

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

// What stands in the place of the lock when it is not a regular file: a folder, a link
// (dangling or not), a pipe. Reading a pipe would wait for ever and a folder or a link
// would pass for a copy that holds the lock; none of them is taken over, the observer is
// told what is there.
std::optional<QString> notALockMessage(const QString &path) {
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists())
        return std::nullopt;
    const QString shown = QDir::toNativeSeparators(path);
    if (info.isSymLink())
        return DataLockTexts::tr(
                   "Na místě zámku %1 je odkaz na %2, ne zámek programu.\rSmažte ho a "
                   "spusťte program znovu.")
            .arg(shown, QDir::toNativeSeparators(info.symLinkTarget()));
    if (info.isDir())
        return DataLockTexts::tr(
                   "Na místě zámku %1 je adresář, ne zámek programu.\rPřejmenujte ho a "
                   "spusťte program znovu.")
            .arg(shown);
    if (!info.isFile())
        return DataLockTexts::tr(
                   "Na místě zámku %1 je roura nebo zařízení, ne zámek programu.\rSmažte ho a "
                   "spusťte program znovu.")
            .arg(shown);
    return std::nullopt;
}

// Whether process `pid` runs on this machine.
bool processRuns(qint64 pid) {
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return true;
#endif
}

} // namespace

// A copy that is starting makes its lock file and writes into it a moment later: an empty
// or unreadable lock younger than this may be such a copy's, not one left by a kill.
constexpr qint64 kLockBeingWrittenMs = 2000;

QString lockFileName() {
    return QStringLiteral("orvanek.lock");
}

DirectoryLock lockDataDirectory(const QString &dir) {
    DirectoryLock result;
    const QString path = QDir(dir).filePath(lockFileName());
    if (auto refused = notALockMessage(path)) {
        result.refusal = *refused;
        return result;
    }
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose copy is gone is stale; a long-running copy keeps its lock.
    lock->setStaleLockTime(0);
    bool held = false;
    // A lock whose copy is gone is being taken over by another copy that starts at the same
    // moment: its removal and the new lock are waited for a while, so that the copy named is
    // the one that holds the lock now, never the one that is gone.
    constexpr int kAttempts = 40;
    constexpr unsigned long kTakeOverWaitMs = 25;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (lock->tryLock(0)) {
            result.lock = std::move(lock);
            return result;
        }
        held = lock->error() == QLockFile::LockFailedError;
        if (!held)
            break;
        qint64 pid = 0;
        QString host;
        QString application;
        if (!lock->getLockInfo(&pid, &host, &application)) {
            // Empty or unreadable: a copy that is writing it just now, or a kill while it
            // was written, and then nobody holds it.
            const QDateTime written = QFileInfo(path).lastModified();
            const qint64 age = written.isValid() ? written.msecsTo(QDateTime::currentDateTime())
                                                 : kLockBeingWrittenMs;
            if (age >= 0 && age < kLockBeingWrittenMs)
                QThread::msleep(static_cast<unsigned long>(kLockBeingWrittenMs - age));
            else
                lock->removeStaleLockFile();
            continue;
        }
        const bool thisMachine = host.isEmpty() || host == QSysInfo::machineHostName();
        if (thisMachine && !processRuns(pid)) {
            QThread::msleep(kTakeOverWaitMs);
            continue;
        }
        if (!thisMachine) {
            result.refusal =
                DataLockTexts::tr("Data v adresáři %1 používá program Orvanek na počítači %2.\r"
                                  "Pokud tam už neběží, smažte soubor %3 a spusťte program znovu.")
                    .arg(shownDir(dir), host, QDir::toNativeSeparators(path));
            return result;
        }
        result.refusal =
            DataLockTexts::tr("Data v adresáři %1 už používá jiná spuštěná kopie programu "
                              "Orvanek (proces %2).\rUkončete ji a spusťte program znovu.")
                .arg(shownDir(dir))
                .arg(pid);
        return result;
    }
    if (held) { // still held by a copy that keeps its lock unreadable
        result.refusal =
            DataLockTexts::tr("Data v adresáři %1 už používá jiná spuštěná kopie programu "
                              "Orvanek.\rUkončete ji a spusťte program znovu.")
                .arg(shownDir(dir));
        return result;
    }
    const QString problem = writeProblem(dir);
    result.readOnly = true;
    result.refusal =
        problem.isEmpty()
            ? DataLockTexts::tr("Zámek %1 nelze vytvořit.").arg(QDir::toNativeSeparators(path))
            : DataLockTexts::tr("Do adresáře %1 nelze zapisovat: %2").arg(shownDir(dir), problem);
    return result;
}

} // namespace orvanek
