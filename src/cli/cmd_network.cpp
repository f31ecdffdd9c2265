// orvanek-cli compare-silso and daily: what an observer sends to a network or checks
// against the international sunspot number.
#include "cli/entrycommands.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "views/silso/dailyvalues.h"
#include "views/silso/silsocomparison.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

QString num(int value) {
    return QString::number(value);
}

// The columns of `daily`: the values the drawing view shows, whole disk, north, south.
struct DailyColumn {
    const char *name;
    QString (*value)(const DailyValues &v);
};

// clang-format off
const DailyColumn kDailyColumns[] = {
    {"date", [](const DailyValues &v) { return shortDate(v.date); }},
    {"timeUT", [](const DailyValues &v) { return num(v.timeUT); }},
    {"observer", [](const DailyValues &v) { return v.observer; }},
    {"g", [](const DailyValues &v) { return num(v.groups[0]); }},
    {"f", [](const DailyValues &v) { return num(v.spots[0]); }},
    {"R", [](const DailyValues &v) { return num(v.relative[0]); }},
    {"gNorth", [](const DailyValues &v) { return num(v.groups[1]); }},
    {"fNorth", [](const DailyValues &v) { return num(v.spots[1]); }},
    {"RNorth", [](const DailyValues &v) { return num(v.relative[1]); }},
    {"gSouth", [](const DailyValues &v) { return num(v.groups[2]); }},
    {"fSouth", [](const DailyValues &v) { return num(v.spots[2]); }},
    {"RSouth", [](const DailyValues &v) { return num(v.relative[2]); }},
    {"Q", [](const DailyValues &v) { return num(v.seeingQuality); }},
};
// clang-format on

// A date option (--from, --to); `ok` false when it is given and does not read.
std::optional<CalendarDate> dateOption(const QCommandLineParser &options, const QString &name,
                                       bool *ok) {
    *ok = true;
    if (!options.isSet(name))
        return std::nullopt;
    const auto date = parseDate(options.value(name), QDate::currentDate().year());
    *ok = date.has_value();
    return date;
}

} // namespace

int commandCompareSilso(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    const SilsoReadResult read = readSilsoFile(c.args.value(0));
    if (!read.file)
        return c.out.fail(CliDataProblem, read.message);
    const SilsoComparison comparison = compareWithSilso(store, *read.file);
    if (!comparison.comparable())
        return c.out.fail(CliDataProblem, comparison.problem);
    for (const QStringList &row : comparisonCsvRows(comparison))
        c.out.row(row);
    return CliOk;
}

int commandDaily(CommandContext &c) {
    std::optional<CalendarDate> range[2];
    const QString names[2] = {QStringLiteral("from"), QStringLiteral("to")};
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        range[i] = dateOption(c.options, names[i], &ok);
        if (!ok)
            return c.out.fail(CliUsage,
                              CliTexts::tr("--%1: „%2“ není datum DD.MM.RRRR")
                                  .arg(names[i], inputExcerpt(c.options.value(names[i]))));
    }
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    const DailyValuesResult values = dailyValues(store, range[0], range[1]);

    QStringList header;
    for (const DailyColumn &column : kDailyColumns)
        header << QString::fromLatin1(column.name);
    c.out.row(header);
    for (const DailyValues &v : values.rows) {
        QStringList fields;
        for (const DailyColumn &column : kDailyColumns)
            fields << column.value(v);
        c.out.row(fields);
    }
    return finishTable(c.out, values.unreadableDates);
}

} // namespace orvanek
