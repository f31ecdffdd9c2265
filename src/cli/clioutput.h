#pragma once

#include "cli/cli.h"
#include "cli/csvwriter.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace orvanek {

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

// The usage line shown on wrong usage.
QString cliUsage();

} // namespace orvanek
