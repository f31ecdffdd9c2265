#pragma once

#include "cli/cli.h"
#include "cli/csvwriter.h"
#include "data/observationrecord.h"

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
// The usage --help shows: the same commands, one per line.
QString cliHelp();
// The usage of one command: "usage: orvanek-cli [-d DIR] info", a line for each of its forms.
QString commandUsage(const QString &command);

// Wrong usage of `command` ("render map" for a view): what was wrong in one line, then the
// command's usage; status 2.
int refuseUsage(Output &out, const QString &problem, const QString &command);

// "file F cannot be written", with the cause when `problem` ("<file>: <cause>") gives one.
QString cannotWriteText(const QString &file, const QString &problem);

// One line for --version: the program's name and the project's version.
QString cliVersion();

// CliOk when `dir` is a directory, else the status of the message printed: it does not
// exist, or it is no directory.
int checkDataDirectory(const QString &dir, Output &out);

// Loads the data directory into the store, with the drawing setup of record 1; CliOk, or
// the status of the message already printed.
int loadDataSet(ObservationStore &store, const QString &dir, Output &out);

// The records of the store whose date does not read (a data set's placeholder reads).
int unreadableDateCount(const ObservationStore &store);

// How a table command ends once its rows are out: records left out of the table because
// their date does not read are counted on standard error and make the status 1; the
// same for every table built from dates (statistics, series, daily).
int finishTable(Output &out, int unreadableDates);

// Says on standard error what the last save put into data1.removed (bytes at the end of
// data1.dat that made no whole record), so that no command sets bytes aside unseen.
void reportSetAside(const ObservationStore &store, Output &out);

} // namespace orvanek
