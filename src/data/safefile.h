#pragma once

#include <QString>

#include <optional>

class QFileDevice;

namespace orvanek {

// The program writes only regular files of its data directory. A symbolic link, a folder
// or any other kind of entry in the place of a file it writes is refused, so that a data
// set unpacked from an archive cannot make it write somewhere else.

// The message that refuses `path`; nothing when it may be written (it does not exist, or
// it is a regular file that is no link).
std::optional<QString> unsafeTargetMessage(const QString &path);

// "<file>: <cause>" for a file operation that failed, with the cause in Czech where the
// observer can act on it (no space, no permission, a read-only disk, a file too large),
// followed by the system's own words.
QString fileProblemText(const QString &path, const QString &systemText);
QString fileProblemText(const QString &path, const QFileDevice &file);

// Writes all `size` bytes, again after a short write, so that a failure leaves the
// device's error string with its cause (a short write alone says nothing).
bool writeAll(QFileDevice &file, const char *bytes, qint64 size);

// Removes what a save cut short by a kill leaves behind in the data directory: the
// temporary copies of the files the program writes, and a backup that never got its name
// (it becomes data1.bak when there is none). Only for the copy that holds the directory's
// lock.
void removeLeftovers(const QString &dir);

} // namespace orvanek
