#include "data/safefile.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orvanek {

namespace {

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

std::optional<QString> unsafeTargetMessage(const QString &path) {
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists())
        return std::nullopt;
    if (info.isSymLink())
        return QStringLiteral("%1 je odkaz na jiný soubor; program zapisuje jen do obyčejných "
                              "souborů svého adresáře, nic nebylo zapsáno")
            .arg(shown(path));
    if (!info.isFile())
        return QStringLiteral("%1 není obyčejný soubor; nic nebylo zapsáno").arg(shown(path));
    return std::nullopt;
}

QString fileProblemText(const QString &path, const QString &systemText) {
    // The system's texts of the causes an observer can do something about.
    struct Cause {
        int code;
        const char *czech;
    };
    static const Cause causes[] = {
        {ENOSPC, "na disku není místo"},      {EDQUOT, "je vyčerpána kvóta disku"},
        {EACCES, "chybí oprávnění k zápisu"}, {EPERM, "chybí oprávnění k zápisu"},
        {EROFS, "disk je jen pro čtení"},     {EFBIG, "soubor je větší, než systém dovolí"},
    };
    for (const Cause &cause : causes) {
        const QString text = QString::fromLocal8Bit(std::strerror(cause.code));
        if (systemText.contains(text, Qt::CaseInsensitive))
            return QStringLiteral("%1: %2 (%3)")
                .arg(shown(path), QString::fromUtf8(cause.czech), systemText);
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
    // Temporary files of an atomic save: the file's name and six more characters.
    static const QRegularExpression temporary(
        QStringLiteral("^(data1\\.dat|pristroj\\.dat|SoubASCI\\.dat)\\.[A-Za-z0-9]{6}$"));
    for (const QFileInfo &entry : data.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && temporary.match(entry.fileName()).hasMatch())
            QFile::remove(entry.filePath());
    }
}

} // namespace orvanek
