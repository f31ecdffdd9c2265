#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace orvanek {

// Only one copy of the program may work on a data directory: a second copy would
// overwrite the first one's observations on close. Returns the held lock, or nothing
// when another running copy holds it.
std::unique_ptr<QLockFile> lockDataDirectory(const QString &dir);

QString dataDirectoryInUseMessage(const QString &dir);

} // namespace orvanek
