#pragma once

#include <QString>

#include <functional>
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

// Replaces the file `path` by `size` bytes in one step: they are written into a new file of
// the same directory, "<name>.orvanek-" and six letters or digits, flushed to the disk, and
// renamed over `path`; until then `path` stays as it was, and a kill leaves it whole. The
// new file gets the permissions of the one it replaces. `beforeReplace`, when given, runs
// just before the rename; a message from it cancels. Returns the failure's message with its
// true cause, nothing on success. The caller refuses unsafe targets first.
std::optional<QString>
replaceFile(const QString &path, const char *bytes, qint64 size,
            const std::function<std::optional<QString>()> &beforeReplace = {});

// Removes what a save cut short by a kill leaves behind in the data directory: the
// temporary files replaceFile names as its own, and a backup that never got its name (it
// becomes data1.bak when there is none). Files of other names, an observer's own copies
// among them, stay. Only for the copy that holds the directory's lock.
void removeLeftovers(const QString &dir);

} // namespace orvanek
