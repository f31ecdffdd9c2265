#pragma once

#include "cli/cli.h"
#include "cli/csvwriter.h"

#include <QString>
#include <QStringList>

#include <cstdio>

class QCommandLineParser;

namespace orvanek {

class ObservationStore;

// Where a command writes: rows to standard output as UTF-8, messages to standard error.
class Output {
  public:
    explicit Output(CliStreams streams) : streams_(streams) {}
    void line(const QString &text) {
        const QByteArray bytes = text.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), streams_.out);
    }
    void row(const QStringList &fields) { line(csvLine(fields)); }
    void warn(const QString &message) {
        const QByteArray bytes = message.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), streams_.err);
    }
    int fail(int status, const QString &message) {
        warn(message);
        return status;
    }

  private:
    CliStreams streams_;
};

// What a command is run with: its options, the words after the command's name and the
// data directory (-d, default the current one).
struct CommandContext {
    const QCommandLineParser &options;
    QStringList args;
    QString dataDir;
    Output &out;
};

// The usage line shown on wrong usage.
QString cliUsage();

// One line for --version: the program's name and the project's version.
QString cliVersion();

// Loads the data directory into the store, with the drawing setup of record 1; CliOk, or
// the status of the message already printed.
int loadDataSet(ObservationStore &store, const QString &dir, Output &out);

} // namespace orvanek
