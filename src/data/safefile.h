#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class QFile;
class QFileDevice;

namespace orvanek {

// The program writes only regular files of its data directory. A symbolic link, a folder
// or any other kind of entry in the place of a file it writes is refused, so that a data
// set unpacked from an archive cannot make it write somewhere else.

// The message that refuses `path`; nothing when it may be written (it does not exist, or
// it is a regular file that is no link).
std::optional<QString> unsafeTargetMessage(const QString &path);

// The cause of a failed file operation in the program's own words: the Czech for every cause
// an observer meets (no such file, no permission, no space, a read-only disk, a file too
// large ...), found by the system's error number or in the system's text of it; the
// system's text itself only for a cause the program has no words for. The one place that
// names a system cause, for every message.
QString systemCauseText(int errorCode);
QString systemCauseText(const QString &systemText);

// "<file>: <cause>" for a file operation that failed, the cause as systemCauseText gives it.
QString fileProblemText(const QString &path, const QString &systemText);
QString fileProblemText(const QString &path, const QFileDevice &file);
QString fileProblemText(const QString &path, int errorCode);

// The message that refuses to write `path` because the observer made it read-only (no write
// permission for its owner, or none for this program); nothing when it may be replaced or
// does not exist. The program does not replace a file the observer has protected.
std::optional<QString> readOnlyFileMessage(const QString &path);

// Opens `path` for reading when it is a regular file (a link to one is followed) of at most
// `largestBytes` bytes. A pipe, a device, a folder or a socket is refused at once, never
// waited on, and so is a file larger than that; the message names the file and says what
// is there. Nothing on success, with `file` open.
std::optional<QString> openForReading(QFile &file, const QString &path, qint64 largestBytes);

// Text files the observer hands over (an import, a SILSO file) are read whole: beyond this
// they are refused rather than read.
inline constexpr qint64 kLargestTextFileBytes = qint64{200} * 1024 * 1024;

// Files of a few short lines (pristroj.dat, the settings file): one far beyond that is no
// such file and is refused rather than read.
inline constexpr qint64 kLargestShortFileBytes = qint64{1024} * 1024;

// The largest data1.dat a store can hold: the records live in memory, so no larger than the
// computer's memory.
qint64 largestDataFileBytes();

// A write beyond the file-size limit of the shell (ulimit -f) would end the program by the
// signal SIGXFSZ, with no message and the lock left behind. Ignored, the write fails instead
// and the failure is reported like any other. Called by both programs at start.
void ignoreFileSizeSignal();

// Writes all `size` bytes, again after a short write, so that a failure leaves the
// device's error string with its cause (a short write alone says nothing).
bool writeAll(QFileDevice &file, const char *bytes, qint64 size);

// Writes `bytes` as the file `path` of the data directory: refused when `path` is unsafe (see
// unsafeTargetMessage) or read-only, else replaced in one step by replaceFile, so a file of
// several names (a hard link) gets a new file of its own and the other names keep their bytes.
std::optional<QString> writeFileReplacing(const QString &path, const QByteArray &bytes);

// Writes a file the observer named (a PDF, a picture, --out): a regular file, or one not there
// yet, is replaced in one step by replaceFile, so that a second name of it (a hard link)
// keeps its bytes; what the name leads elsewhere (a link, /dev/stdout, a pipe) is written as
// it stands, as asked.
std::optional<QString> writeNamedFile(const QString &path, const QByteArray &bytes);

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
