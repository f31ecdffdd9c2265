#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace orvanek {

// Only one copy of the program may work on a data directory: a second copy would
// overwrite the first one's observations on close.
struct DirectoryLock {
    std::unique_ptr<QLockFile> lock; // held while the directory is worked on
    QString refusal;                 // why it is not held, for the user; empty when held
    bool readOnly = false;           // not held because the directory cannot be written
    explicit operator bool() const { return lock != nullptr; }
};

// Takes the directory's lock (orvanek.lock). A lock left by a copy that no longer runs on
// this machine, and an empty or unreadable one (a kill while it was written), is taken
// over. A lock held by a running copy, or made on another machine, is refused with a
// message that says which; a directory that cannot be written is reported as read-only
// with its cause.
DirectoryLock lockDataDirectory(const QString &dir);

QString lockFileName();

} // namespace orvanek
