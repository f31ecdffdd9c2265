#pragma once

#include "language/language.h"

#include <QIcon>
#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;
class QTranslator;

namespace orvanek {

// What `orvanek [--version | --help | DIR]` was asked to do.
struct StartRequest {
    enum class Action { Open, ShowVersion, ShowHelp };
    Action action = Action::Open;
    QString dataDir;             // the data directory to open: DIR, or the current directory
    bool measureStartup = false; // --startup-time: print the time to the first paint and quit
};

// Reads the program's arguments (without its name). --version and --help win over a
// directory wherever they stand; of several directories the first is opened.
StartRequest readStartRequest(const QStringList &args, const QString &currentDir);

// One line for --version: the program's name and the project's version.
QString programVersionLine();

// The usage for --help.
QString programUsage();

// Why `dir` cannot be opened as a data directory (it does not exist, or it is a file);
// nothing when it can. The program never makes the directory: a mistyped name would
// otherwise start an empty data set beside the real one.
std::optional<QString> dataDirectoryProblem(const QString &dir);

// The program's icon, the projected solar disk, for the main window and its views.
QIcon applicationIcon();

// Installs Qt's own texts in `language` ("Ano", "Ne", "Storno" on the standard buttons, the file
// and print dialogs in Czech) from the translations the system ships with Qt, with "Storno" for
// Cancel. Qt's texts follow the program's language rather than the locale. Returns the
// translator, owned by `app`, or nothing for English (Qt's own language) and when the system has
// no such file (Qt's texts stay English then).
QTranslator *installQtTranslation(QCoreApplication &app, Language language);

} // namespace orvanek
