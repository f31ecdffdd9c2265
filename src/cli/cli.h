#pragma once

#include "language/language.h"

#include <QStringList>

#include <cstdio>

namespace orvanek {

struct CliStreams {
    FILE *out = stdout;
    FILE *err = stderr;
};

enum CliExit { CliOk = 0, CliDataProblem = 1, CliUsage = 2 };

// orvanek-cli: the program's data without a window, for observers' scripts.
// arguments exclude the program name. Output is UTF-8, ';'-separated, header first.
int runCli(const QStringList &arguments, CliStreams streams);

// The language of the messages: that of --lang cs|en wherever it stands, else the
// environment's. A --lang that names neither is refused by runCli.
Language cliLanguage(const QStringList &arguments, Language environment);

// Whether the command draws (render), and so needs a GUI application to paint text.
bool cliPaints(const QStringList &arguments);

} // namespace orvanek
