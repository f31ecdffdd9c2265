#include "data/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>

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

namespace {

// This file's texts, translated in the context "SafeFile".
struct SafeFileTexts {
    Q_DECLARE_TR_FUNCTIONS(SafeFile)
};

QString translated(const char *text) {
    return SafeFileTexts::tr(text);
}

// The causes an observer meets, in the program's words.
struct Cause {
    int code;
    const char *czech;
};
// clang-format off
const Cause kCauses[] = {
    {ENOENT, QT_TRANSLATE_NOOP("SafeFile", "soubor nebo adresář neexistuje")},
    {EACCES, QT_TRANSLATE_NOOP("SafeFile", "chybí oprávnění")},
    {EPERM, QT_TRANSLATE_NOOP("SafeFile", "chybí oprávnění")},
    {ENOSPC, QT_TRANSLATE_NOOP("SafeFile", "na disku není místo")},
    {EDQUOT, QT_TRANSLATE_NOOP("SafeFile", "je vyčerpána kvóta disku")},
    {EROFS, QT_TRANSLATE_NOOP("SafeFile", "disk je jen pro čtení")},
    {EFBIG, QT_TRANSLATE_NOOP("SafeFile", "soubor je větší, než systém dovolí")},
    {EISDIR, QT_TRANSLATE_NOOP("SafeFile", "je to adresář")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SafeFile", "část cesty není adresář")},
    {EIO, QT_TRANSLATE_NOOP("SafeFile", "chyba čtení nebo zápisu na disku")},
    {ELOOP, QT_TRANSLATE_NOOP("SafeFile", "příliš mnoho odkazů za sebou")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SafeFile", "příliš dlouhé jméno souboru")},
    {EMFILE, QT_TRANSLATE_NOOP("SafeFile", "příliš mnoho otevřených souborů")},
    {ENFILE, QT_TRANSLATE_NOOP("SafeFile", "příliš mnoho otevřených souborů")},
    {ENOMEM, QT_TRANSLATE_NOOP("SafeFile", "nedostatek paměti")},
    {EBUSY, QT_TRANSLATE_NOOP("SafeFile", "soubor právě používá jiný program")},
    {ETXTBSY, QT_TRANSLATE_NOOP("SafeFile", "soubor právě používá jiný program")},
    {ENXIO, QT_TRANSLATE_NOOP("SafeFile", "zařízení neexistuje")},
    {EEXIST, QT_TRANSLATE_NOOP("SafeFile", "soubor už existuje")},
    {EXDEV, QT_TRANSLATE_NOOP("SafeFile", "soubor je na jiném disku")},
};
// clang-format on

} // namespace

QString systemCauseText(int errorCode) {
    for (const Cause &cause : kCauses)
        if (cause.code == errorCode)
            return translated(cause.czech);
    return QString::fromLocal8Bit(std::strerror(errorCode));
}

QString systemCauseText(const QString &systemText) {
    // Qt gives the system's text, sometimes after words of its own ("Cannot open: ...").
    for (const Cause &cause : kCauses) {
        const QString text = QString::fromLocal8Bit(std::strerror(cause.code));
        if (systemText.contains(text, Qt::CaseInsensitive))
            return translated(cause.czech);
    }
    return systemText;
}

QString fileProblemText(const QString &path, const QString &systemText) {
    return QStringLiteral("%1: %2").arg(shown(path), systemCauseText(systemText));
}

QString fileProblemText(const QString &path, const QFileDevice &file) {
    return fileProblemText(path, file.errorString());
}

QString fileProblemText(const QString &path, int errorCode) {
    return QStringLiteral("%1: %2").arg(shown(path), systemCauseText(errorCode));
}

std::optional<QString> readOnlyFileMessage(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isSymLink())
        return std::nullopt;
    // As root every file may be written; the owner's write permission still says whether
    // the observer meant the file to stay as it is.
    bool writable = info.permissions().testFlag(QFileDevice::WriteOwner);
#ifdef Q_OS_UNIX
    writable = writable && ::access(QFile::encodeName(path).constData(), W_OK) == 0;
#endif
    if (writable)
        return std::nullopt;
    return SafeFileTexts::tr("%1 je jen pro čtení; nic nebylo zapsáno").arg(shown(path));
}

std::optional<QString> openForReading(QFile &file, const QString &path, qint64 largestBytes) {
    auto tooLarge = [&](qint64 size) -> std::optional<QString> {
        if (size <= largestBytes)
            return std::nullopt;
        constexpr qint64 kMegabyte = 1024 * 1024;
        return SafeFileTexts::tr("%1 má %2 MB, víc, než program přečte (nejvýše %3 MB); nic nebylo "
                                 "přečteno")
            .arg(shown(path))
            .arg((size + kMegabyte - 1) / kMegabyte)
            .arg(largestBytes / kMegabyte);
    };
#ifdef Q_OS_UNIX
    // Opened without waiting: a pipe opened for reading would otherwise wait for a writer
    // for ever. What it is is asked of the open file itself, so nothing can be put in its
    // place between the question and the read.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fileProblemText(path, errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return fileProblemText(path, error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        const char *what = S_ISDIR(status.st_mode)    ? QT_TRANSLATE_NOOP("SafeFile", "adresář")
                           : S_ISFIFO(status.st_mode) ? QT_TRANSLATE_NOOP("SafeFile", "roura")
                           : S_ISSOCK(status.st_mode) ? QT_TRANSLATE_NOOP("SafeFile", "soket")
                                                      : QT_TRANSLATE_NOOP("SafeFile", "zařízení");
        return SafeFileTexts::tr("%1 není obyčejný soubor, ale %2; nic nebylo přečteno")
            .arg(shown(path), translated(what));
    }
    if (auto refused = tooLarge(status.st_size)) {
        ::close(fd);
        return refused;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fileProblemText(path, file);
    }
    return std::nullopt;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return SafeFileTexts::tr("%1 není obyčejný soubor; nic nebylo přečteno").arg(shown(path));
    if (auto refused = tooLarge(info.size()))
        return refused;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fileProblemText(path, file);
    return std::nullopt;
#endif
}

qint64 largestDataFileBytes() {
#ifdef Q_OS_UNIX
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<qint64>(pages) * pageSize;
#endif
    return std::numeric_limits<qint64>::max();
}

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::optional<QString> writeFileReplacing(const QString &path, const QByteArray &bytes) {
    if (auto refused = unsafeTargetMessage(path))
        return refused;
    if (auto refused = readOnlyFileMessage(path))
        return refused;
    return replaceFile(path, bytes.constData(), bytes.size());
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
#ifdef Q_OS_UNIX
    // Written by the system's own calls: a write cut short by a file-size limit leaves its
    // cause in errno, where Qt's buffer reports only "Unknown error".
    for (qint64 left = size; left > 0;) {
        const ssize_t written = ::write(temporary.handle(), bytes, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fileProblemText(path, written < 0 ? errno : ENOSPC);
        bytes += written;
        left -= written;
    }
    if (::fsync(temporary.handle()) != 0)
        return fileProblemText(path, errno);
#else
    if (!writeAll(temporary, bytes, size) || !temporary.flush())
        return fileProblemText(path, temporary);
#endif
    if (!temporary.setPermissions(newFilePermissions(path)))
        return fileProblemText(path, temporary);
    if (beforeReplace)
        if (auto refused = beforeReplace())
            return refused;
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return fileProblemText(path, errno);
    temporary.setAutoRemove(false); // it is `path` now
    syncDirectory(QFileInfo(path).absolutePath());
    return std::nullopt;
}

std::optional<QString> writeNamedFile(const QString &path, const QByteArray &bytes) {
    const QFileInfo info(path);
    if (!info.isSymLink() && (!info.exists() || info.isFile()))
        return replaceFile(path, bytes.constData(), bytes.size());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !writeAll(file, bytes.constData(), bytes.size()) || !file.flush())
        return fileProblemText(path, file);
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
