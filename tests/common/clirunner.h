#pragma once

#include "cli/cli.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace orvanek::testing {

// What one orvanek-cli run printed and returned.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline QString drainCliStream(FILE *file) {
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(file);
    return QString::fromUtf8(bytes);
}

// Runs orvanek-cli through the program's own entry point, arguments without the name.
inline CliRun runCliCommand(const QStringList &args) {
    FILE *out = std::tmpfile();
    FILE *err = std::tmpfile();
    CliRun r;
    r.status = runCli(args, CliStreams{out, err});
    r.out = drainCliStream(out);
    r.err = drainCliStream(err);
    return r;
}

// The messages of a run without the usage that follows a refusal (the lines from "použití:").
inline QString messagesBeforeUsage(const QString &err) {
    return err.left(err.indexOf(u"použití:")); // all of it when there is none (-1)
}

} // namespace orvanek::testing
