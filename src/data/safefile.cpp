#include "data/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvanek {

namespace {

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// The temporary files of replaceFile: the name of a file the program writes, ".orvanek-"
// and six letters or digits.
const QString kTemporaryMark = QStringLiteral(".orvanek-");

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The permissions a new file is given: those of the file replaced, or what the user's
// umask leaves of rw-rw-rw-.
QFileDevice::Permissions newFilePermissions(const QString &replaced) {
    if (QFileInfo::exists(replaced))
        return QFile::permissions(replaced);
    QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadUser | QFileDevice::WriteUser |
                                   QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (mask & S_IWGRP)
        all &= ~QFileDevice::WriteGroup;
    if (mask & S_IWOTH)
        all &= ~QFileDevice::WriteOther;
    if (mask & S_IRGRP)
        all &= ~QFileDevice::ReadGroup;
    if (mask & S_IROTH)
        all &= ~QFileDevice::ReadOther;
#endif
    return all;
}

// Makes a rename in `dir` last through a power cut.
void syncDirectory(const QString &dir) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(dir);
#endif
}

} // namespace

std::optional<QString> unsafeTargetMessage(const QString &path) {
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists())
        return std::nullopt;
    if (info.isSymLink())
        return QCoreApplication::translate("SafeFile",
                                           "%1 je odkaz na jiný soubor; program zapisuje jen do "
                                           "obyčejných souborů svého adresáře, nic nebylo zapsáno")
            .arg(shown(path));
    if (!info.isFile())
        return QCoreApplication::translate("SafeFile",
                                           "%1 není obyčejný soubor; nic nebylo zapsáno")
            .arg(shown(path));
    return std::nullopt;
}

QString fileProblemText(const QString &path, const QString &systemText) {
    // The system's texts of the causes an observer can do something about.
    struct Cause {
        int code;
        const char *czech;
    };
    static const Cause causes[] = {
        {ENOSPC, QT_TRANSLATE_NOOP("SafeFile", "na disku není místo")},
        {EDQUOT, QT_TRANSLATE_NOOP("SafeFile", "je vyčerpána kvóta disku")},
        {EACCES, QT_TRANSLATE_NOOP("SafeFile", "chybí oprávnění")},
        {EPERM, QT_TRANSLATE_NOOP("SafeFile", "chybí oprávnění")},
        {EROFS, QT_TRANSLATE_NOOP("SafeFile", "disk je jen pro čtení")},
        {EFBIG, QT_TRANSLATE_NOOP("SafeFile", "soubor je větší, než systém dovolí")},
    };
    for (const Cause &cause : causes) {
        const QString text = QString::fromLocal8Bit(std::strerror(cause.code));
        if (systemText.contains(text, Qt::CaseInsensitive))
            return QStringLiteral("%1: %2 (%3)")
                .arg(shown(path), QCoreApplication::translate("SafeFile", cause.czech), systemText);
    }
    return QStringLiteral("%1: %2").arg(shown(path), systemText);
}

QString fileProblemText(const QString &path, const QFileDevice &file) {
    return fileProblemText(path, file.errorString());
}

bool writeAll(QFileDevice &file, const char *bytes, qint64 size) {
    while (size > 0) {
        const qint64 written = file.write(bytes, size);
        if (written <= 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

std::optional<QString> replaceFile(const QString &path, const char *bytes, qint64 size,
                                   const std::function<std::optional<QString>()> &beforeReplace) {
    QTemporaryFile temporary(path + kTemporaryMark + QStringLiteral("XXXXXX"));
    if (!temporary.open())
        return fileProblemText(path, temporary);
    if (!writeAll(temporary, bytes, size) || !temporary.flush())
        return fileProblemText(path, temporary);
#ifdef Q_OS_UNIX
    if (::fsync(temporary.handle()) != 0)
        return fileProblemText(path, systemError());
#endif
    if (!temporary.setPermissions(newFilePermissions(path)))
        return fileProblemText(path, temporary);
    if (beforeReplace)
        if (auto refused = beforeReplace())
            return refused;
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return fileProblemText(path, systemError());
    temporary.setAutoRemove(false); // it is `path` now
    syncDirectory(QFileInfo(path).absolutePath());
    return std::nullopt;
}

void removeLeftovers(const QString &dir) {
    const QDir data(dir);
    // A backup made but not yet renamed: the previous data1.dat itself.
    const QString pending = data.filePath(QStringLiteral("data1.bak.new"));
    const QString backup = data.filePath(QStringLiteral("data1.bak"));
    if (QFileInfo(pending).isFile() && !QFileInfo(pending).isSymLink()) {
        if (!QFileInfo::exists(backup) && !QFileInfo(backup).isSymLink())
            std::rename(QFile::encodeName(pending).constData(),
                        QFile::encodeName(backup).constData());
        else
            QFile::remove(pending);
    }
    // The temporary files of replaceFile, and nothing else.
    static const QRegularExpression temporary(
        QStringLiteral("^(data1\\.dat|pristroj\\.dat|SoubASCI\\.dat)\\.orvanek-[A-Za-z0-9]{6}$"));
    for (const QFileInfo &entry : data.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && temporary.match(entry.fileName()).hasMatch())
            QFile::remove(entry.filePath());
    }
}

} // namespace orvanek
