#include "data/instrumentfile.h"

#include "data/codepage1250.h"
#include "data/observationrecord.h"
#include "data/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanek {

namespace {
const QString kFileName = QStringLiteral("pristroj.dat");
} // namespace

InstrumentLines defaultInstrumentLines() {
    return {QString(),
            QStringLiteral("Přístroj"),
            QStringLiteral("80"),
            QStringLiteral("18"),
            QStringLiteral("1350"),
            QString()};
}

bool readInstrumentFile(const QString &dir, InstrumentLines &lines, QString *error) {
    const QString path = QDir(dir).filePath(kFileName);
    if (!QFileInfo::exists(path)) {
        lines = defaultInstrumentLines();
        return true;
    }
    QFile file;
    if (const auto refused = openForReading(file, path, kLargestShortFileBytes)) {
        if (error)
            *error = *refused;
        return false;
    }
    const QByteArray content = file.readAll();
    lines = {};
    // A line ends at CR LF, or at a CR or an LF alone (a file from an old Mac or from Unix).
    qsizetype start = 0;
    for (QString &line : lines) {
        if (start >= content.size())
            break;
        qsizetype end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        line = decode1250(content.mid(start, end - start));
        start = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n')
            ++start;
    }
    return true;
}

bool writeInstrumentFile(const QString &dir, const InstrumentLines &lines, QString *error) {
    const QString path = QDir(dir).filePath(kFileName);
    // A line break inside a field (pasted text) would shift every later line of the file.
    for (const QString &line : lines)
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) {
            if (error)
                *error = QCoreApplication::translate("InstrumentFile",
                                                     "„%1“ obsahuje konec řádku; %2 nebyl zapsán")
                             .arg(inputExcerpt(line), kFileName);
            return false;
        }
    QByteArray content;
    for (const QString &line : lines)
        content += encode1250(line) + "\r\n";
    if (const auto failed = writeFileReplacing(path, content)) {
        if (error)
            *error = *failed;
        return false;
    }
    return true;
}

} // namespace orvanek
