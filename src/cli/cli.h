#pragma once

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

// Whether the command draws (render), and so needs a GUI application to paint text.
bool cliPaints(const QStringList &arguments);

} // namespace orvanek
