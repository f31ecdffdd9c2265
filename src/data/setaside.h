#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace orvanek {

// data1.removed keeps the bytes the program took out of data1.dat (records whose date does
// not read, the end of the file that makes no whole record), so that nothing an observer
// typed is ever thrown away. Each piece is one entry: a header line naming the file the
// bytes came from, where in it and when they were set aside, then the bytes themselves and
// a line end:
//
//   #orvanek-odlozeno;<byte count>;<file>;<offset in the file>;<date and time, ISO 8601>\n
//   <the bytes>\n
//
// so that one piece is told from another and compared whole. Earlier versions appended the
// bytes alone; such a file still reads, its headerless bytes are kept as they stand and are
// simply no entries.
struct SetAsideEntry {
    QString source;    // the file the bytes came from: data1.dat
    qint64 offset = 0; // where in it they began, in bytes
    QDateTime when;    // when they were set aside
    QByteArray bytes;

    // The same bytes from the same place: when they were set aside does not count.
    bool sameBytesFrom(const SetAsideEntry &other) const {
        return offset == other.offset && source == other.source && bytes == other.bytes;
    }
};

// The entry as data1.removed stores it.
QByteArray setAsideEntryBytes(const SetAsideEntry &entry);

// The entries of data1.removed's content, in file order; headerless bytes between them (an
// earlier version's) are skipped.
std::vector<SetAsideEntry> readSetAsideEntries(const QByteArray &content);

} // namespace orvanek
