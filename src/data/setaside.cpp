#include "data/setaside.h"

#include <QList>

namespace orvanek {

namespace {

constexpr QByteArrayView kMark = "#orvanek-odlozeno;";
constexpr int kHeaderFields = 4; // count, file, offset, time
// A header is one short line; a longer "line" is no header.
constexpr qsizetype kLongestHeader = 512;

} // namespace

QByteArray setAsideEntryBytes(const SetAsideEntry &entry) {
    QByteArray out;
    out.reserve(entry.bytes.size() + 80);
    out += kMark;
    out += QByteArray::number(entry.bytes.size()) + ';';
    // The file's name is the program's own (data1.dat): no ';' or line end in it.
    out += entry.source.toUtf8() + ';';
    out += QByteArray::number(entry.offset) + ';';
    out += entry.when.toString(Qt::ISODate).toLatin1() + '\n';
    out += entry.bytes;
    out += '\n';
    return out;
}

std::vector<SetAsideEntry> readSetAsideEntries(const QByteArray &content) {
    std::vector<SetAsideEntry> entries;
    qsizetype at = 0;
    while (at < content.size()) {
        const qsizetype mark = content.indexOf(kMark, at);
        if (mark < 0)
            break;
        at = mark + 1; // where to look again when this is no header after all
        const qsizetype lineEnd = content.indexOf('\n', mark);
        if (lineEnd < 0 || lineEnd - mark > kLongestHeader)
            continue;
        const QList<QByteArray> fields =
            content.mid(mark + kMark.size(), lineEnd - mark - kMark.size()).split(';');
        if (fields.size() != kHeaderFields)
            continue;
        bool countRead = false;
        bool offsetRead = false;
        const qint64 count = fields[0].toLongLong(&countRead);
        const qint64 offset = fields[2].toLongLong(&offsetRead);
        const qsizetype start = lineEnd + 1;
        // The bytes and the line end after them must all be there.
        if (!countRead || !offsetRead || count < 0 || offset < 0 ||
            count >= content.size() - start || content[start + count] != '\n')
            continue;
        SetAsideEntry entry;
        entry.source = QString::fromUtf8(fields[1]);
        entry.offset = offset;
        entry.when = QDateTime::fromString(QString::fromLatin1(fields[3]), Qt::ISODate);
        entry.bytes = content.mid(start, count);
        entries.push_back(std::move(entry));
        at = start + count + 1;
    }
    return entries;
}

} // namespace orvanek
