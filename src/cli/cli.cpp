#include "cli/cli.h"

#include "cli/clioutput.h"
#include "cli/csvwriter.h"
#include "cli/entrycommands.h"
#include "data/asciiexport.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "data/positioncheck.h"
#include "solar/conversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

QString usageText() {
    return CliTexts::tr(
        "použití: orvanek-cli [-d ADRESÁŘ] info | records | groups | export-ascii | "
        "check [--positions] | "
        "ephemeris DD.MM.RRRR HHMM [DD.MM.RRRR HHMM ...] | "
        "render drawing [--record N] [--mirror-x] [--mirror-y] --out SOUBOR.png|.bmp|.pdf | "
        "render butterfly [--latitude-scale 1..9] [--rotation-width 1..16] [--supplementary] "
        "[--width Š --height V] --out SOUBOR | render map --rotation N [--width Š] --out SOUBOR | "
        "map-groups --rotation N | "
        "certificate MĚSÍC.ROK --out SOUBOR.png|.bmp|.pdf | "
        "statistics [--smoothed] [--region total|north|south] | observers | "
        "render graphs [--quantity g|f|r] [--mode all|total|north|south] [--width Š --height V] "
        "--out SOUBOR | "
        "render smoothed [--quantity g|f|r|cv|sn|rb|area|hemisphere] [--months-px 1..5] "
        "[--width Š --height V] --out SOUBOR | "
        "series [--quantity g|f|r|cv|sn|rb|area|hemisphere] | "
        "import SOUBOR [--radius R --polar|--heliographic] | "
        "make-demo ADRESÁŘ [--from ROK --to ROK --seed N] | "
        "template --date DD.MM.RRRR --time HHMM [--radius R] [--mirror-x] [--mirror-y] "
        "[--paper A4|A3] --out SOUBOR.pdf|.png | "
        "scan OBRÁZEK [--date DD.MM.RRRR --time HHMM] [--radius R] [--north-angle STUPNĚ] "
        "[--mirror-x] [--mirror-y] [--at X,Y ...] [--spots] | "
        "compare-silso SOUBOR | "
        "daily [--from DD.MM.RRRR] [--to DD.MM.RRRR]");
}

// --help: the usage, then the options every command knows and where the rest is told.
QString helpTail() {
    return CliTexts::tr("-d, --data ADRESÁŘ  datový adresář (výchozí: aktuální)\n"
                        "--lang cs|en        jazyk zpráv (výchozí: podle prostředí)\n"
                        "-h, --help          tento text\n"
                        "--version           verze programu\n"
                        "Podrobný popis: man orvanek-cli");
}

QString num(long long value) {
    return QString::number(value);
}

// --- Columns of the record and group tables ------------------------------------------------

// One column of `records`: its name in the header and its value for record `number`.
struct RecordColumn {
    const char *name;
    QString (*value)(int number, const ObservationRecord &r);
};

// clang-format off
const RecordColumn kRecordColumns[] = {
    {"number", [](int n, const ObservationRecord &) { return num(n); }},
    {"date", [](int, const ObservationRecord &r) { return readText(r.dateText); }},
    {"timeUT", [](int, const ObservationRecord &r) { return num(r.timeUT); }},
    {"observer", [](int, const ObservationRecord &r) { return readText(r.observer); }},
    {"station", [](int, const ObservationRecord &r) { return readText(r.station); }},
    {"special", [](int, const ObservationRecord &r) { return readText(r.specialMark); }},
    {"conditions", [](int, const ObservationRecord &r) { return num(r.conditions); }},
    {"imageQuality", [](int, const ObservationRecord &r) { return num(r.imageQuality); }},
    {"seeingQuality", [](int, const ObservationRecord &r) { return num(r.seeingQuality); }},
    {"centralGroups", [](int, const ObservationRecord &r) { return num(r.centralGroups); }},
    {"centralSpots", [](int, const ObservationRecord &r) { return num(r.centralSpots); }},
    {"centralR", [](int, const ObservationRecord &r) { return num(r.centralR); }},
    {"faculaTotal", [](int, const ObservationRecord &r) { return num(r.faculaTotal); }},
    {"groupCount", [](int, const ObservationRecord &r) { return num(r.groupCount); }},
    {"faculaFieldCount", [](int, const ObservationRecord &r) { return num(r.faculaFieldCount); }},
    {"rotation", [](int, const ObservationRecord &r) { return num(r.rotation); }},
    {"centralLongitude", [](int, const ObservationRecord &r) { return num(r.centralLongitude); }},
    {"northGroups", [](int, const ObservationRecord &r) { return num(r.summary.northGroups); }},
    {"northSpots", [](int, const ObservationRecord &r) { return num(r.summary.northSpots); }},
    {"northR", [](int, const ObservationRecord &r) { return num(r.summary.northR); }},
    {"northClassSum", [](int, const ObservationRecord &r) { return num(r.summary.northClassSum); }},
    {"northSN", [](int, const ObservationRecord &r) { return num(r.summary.northSN); }},
    {"northRB", [](int, const ObservationRecord &r) { return num(r.summary.northRB); }},
    {"northArea", [](int, const ObservationRecord &r) { return num(r.summary.northArea); }},
    {"northCorrectedArea",
     [](int, const ObservationRecord &r) { return num(r.summary.northCorrectedArea); }},
    {"southGroups", [](int, const ObservationRecord &r) { return num(r.summary.southGroups); }},
    {"southSpots", [](int, const ObservationRecord &r) { return num(r.summary.southSpots); }},
    {"southR", [](int, const ObservationRecord &r) { return num(r.summary.southR); }},
    {"southClassSum", [](int, const ObservationRecord &r) { return num(r.summary.southClassSum); }},
    {"southSN", [](int, const ObservationRecord &r) { return num(r.summary.southSN); }},
    {"southRB", [](int, const ObservationRecord &r) { return num(r.summary.southRB); }},
    {"southArea", [](int, const ObservationRecord &r) { return num(r.summary.southArea); }},
    {"southCorrectedArea",
     [](int, const ObservationRecord &r) { return num(r.summary.southCorrectedArea); }},
};
// clang-format on

// One group of one record, as a row of `groups` sees it.
struct GroupRow {
    int number; // the record's, from 1
    const ObservationRecord &record;
    int slot; // from 1
    const SunspotGroup &group;
    std::optional<HeliographicPosition> place; // nothing when the record's date does not read
};

struct GroupColumn {
    const char *name;
    QString (*value)(const GroupRow &row);
};

QString placeValue(const GroupRow &row, double HeliographicPosition::*field) {
    return row.place ? fixed6((*row.place).*field) : QString();
}

// clang-format off
const GroupColumn kGroupColumns[] = {
    {"record", [](const GroupRow &g) { return num(g.number); }},
    {"date", [](const GroupRow &g) { return readText(g.record.dateText); }},
    {"timeUT", [](const GroupRow &g) { return num(g.record.timeUT); }},
    {"slot", [](const GroupRow &g) { return num(g.slot); }},
    {"type", [](const GroupRow &g) { return readText(g.group.type); }},
    {"spotCount", [](const GroupRow &g) { return num(g.group.spotCount); }},
    {"penumbraCount", [](const GroupRow &g) { return num(g.group.penumbraCount); }},
    {"angle", [](const GroupRow &g) { return num(g.group.angle); }},
    {"distance", [](const GroupRow &g) { return num(g.group.distance); }},
    {"area", [](const GroupRow &g) { return num(g.group.area); }},
    {"smallSpots", [](const GroupRow &g) { return num(g.group.smallSpots); }},
    {"globalGroupNumber", [](const GroupRow &g) { return num(g.group.globalGroupNumber); }},
    {"rotationGroupNumber", [](const GroupRow &g) { return num(g.group.rotationGroupNumber); }},
    {"aux1Position", [](const GroupRow &g) { return num(g.group.aux1Position); }},
    {"aux1Area", [](const GroupRow &g) { return num(g.group.aux1Area); }},
    {"aux2Position", [](const GroupRow &g) { return num(g.group.aux2Position); }},
    {"aux2Area", [](const GroupRow &g) { return num(g.group.aux2Area); }},
    {"helioLatitude", [](const GroupRow &g) { return placeValue(g, &HeliographicPosition::helioLatitude); }},
    {"helioLongitude", [](const GroupRow &g) { return placeValue(g, &HeliographicPosition::helioLongitude); }},
    {"meridianDistance", [](const GroupRow &g) { return placeValue(g, &HeliographicPosition::meridianDistance); }},
};
// clang-format on

template <typename Column, size_t N> QStringList headerOf(const Column (&columns)[N]) {
    QStringList names;
    for (const Column &c : columns)
        names << QString::fromLatin1(c.name);
    return names;
}

// --- Commands ------------------------------------------------------------------------------

// The records a data file holds: none where the store only holds the placeholder it
// starts a new data set with (no data1.dat, or one without a whole record).
int storedRecords(const ObservationStore &store) {
    return store.holdsOnlyPlaceholder() ? 0 : store.recordCount();
}

// The first and the last date of the data set, read from the day numbers the store keeps.
std::pair<QString, QString> dateRangeTexts(const ObservationStore &store) {
    const std::vector<int32_t> &days = store.dayNumbers();
    std::optional<int32_t> first;
    std::optional<int32_t> last;
    for (int n = 0; n < storedRecords(store); ++n) {
        const int32_t day = days[static_cast<size_t>(n)];
        if (day == ObservationStore::kUnreadableDay)
            continue;
        first = first ? std::min(*first, day) : day;
        last = last ? std::max(*last, day) : day;
    }
    auto text = [](std::optional<int32_t> day) {
        return day ? shortDate(dateOfSerialDay(*day)) : QString();
    };
    return {text(first), text(last)};
}

int commandInfo(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    Output &out = c.out;
    out.row({QStringLiteral("field"), QStringLiteral("value")});
    out.row({QStringLiteral("recordCount"), num(storedRecords(store))});
    const auto [firstDate, lastDate] = dateRangeTexts(store);
    out.row({QStringLiteral("firstDate"), firstDate});
    out.row({QStringLiteral("lastDate"), lastDate});
    out.row({QStringLiteral("drawingSetup"), num(store.record(1).drawingSetup)});
    out.row({QStringLiteral("drawingRadius"),
             store.hasDrawingSetup() ? QString::number(store.drawingRadius()) : QString()});
    out.row({QStringLiteral("entry"),
             !store.hasDrawingSetup() ? QStringLiteral("unset")
                                      : (store.heliographicEntry() ? QStringLiteral("heliographic")
                                                                   : QStringLiteral("polar"))});
    for (const QString &name : store.observerNames())
        if (!name.isEmpty())
            out.row({QStringLiteral("observer"), name});
    for (size_t i = 0; i < store.instrumentLines().size(); ++i)
        out.row({QStringLiteral("instrument%1").arg(i + 1), store.instrumentLines()[i]});
    return CliOk;
}

int commandRecords(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    c.out.row(headerOf(kRecordColumns));
    for (int n = 1; n <= storedRecords(store); ++n) {
        QStringList row;
        for (const RecordColumn &column : kRecordColumns)
            row << column.value(n, store.record(n));
        c.out.row(row);
    }
    return CliOk;
}

int commandGroups(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    c.out.row(headerOf(kGroupColumns));
    int status = CliOk;
    for (int n = 1; n <= store.recordCount(); ++n) {
        const ObservationRecord &r = store.record(n);
        const auto date = store.dateOf(r);
        if (!date && r.usedGroups() > 0) {
            c.out.warn(CliTexts::tr("záznam %1: nečitelné datum „%2“")
                           .arg(n)
                           .arg(inputExcerpt(readText(r.dateText))));
            status = CliDataProblem;
        }
        const Ephemeris e = date ? solarEphemeris(*date, r.timeUT) : Ephemeris{};
        for (int g = 1; g <= r.usedGroups(); ++g) {
            const SunspotGroup &group = r.group(g);
            GroupRow groupRow{n, r, g, group, std::nullopt};
            if (date)
                groupRow.place = polarToHeliographic(e, group.distance, group.angle);
            QStringList row;
            for (const GroupColumn &column : kGroupColumns)
                row << column.value(groupRow);
            c.out.row(row);
        }
    }
    return status;
}

int commandEphemeris(CommandContext &c) {
    const QStringList &args = c.args;
    if (args.isEmpty() || args.size() % 2 != 0) {
        c.out.warn(args.isEmpty()
                       ? CliTexts::tr("příkazu %1 chybí argument").arg(QStringLiteral("ephemeris"))
                       : CliTexts::tr("ke každému datu patří čas"));
        return c.out.fail(CliUsage, commandUsage(QStringLiteral("ephemeris")));
    }
    const int thisYear = QDate::currentDate().year();
    QList<std::pair<CalendarDate, uint16_t>> moments;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const auto date = parseDate(args[i], thisYear);
        if (!date)
            return c.out.fail(
                CliUsage, CliTexts::tr("„%1“ není datum DD.MM.RRRR").arg(inputExcerpt(args[i])));
        const auto time = parseTimeOfDay(args[i + 1]);
        if (!time)
            return c.out.fail(CliUsage,
                              CliTexts::tr("„%1“ není čas HHMM").arg(inputExcerpt(args[i + 1])));
        moments.append({*date, *time});
    }
    c.out.line(QStringLiteral("date;timeUT;B0;P;L0;rotation"));
    for (const auto &[date, time] : moments) {
        const Ephemeris e = solarEphemeris(date, time);
        c.out.row(
            {shortDate(date), num(time), fixed6(e.B0), fixed6(e.P), fixed6(e.L0), num(e.rotation)});
    }
    return CliOk;
}

int commandExportAscii(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    const AsciiExportResult result = exportAscii(store);
    if (!result.ok)
        return c.out.fail(CliDataProblem, result.message);
    c.out.line(QStringLiteral("file;groups"));
    c.out.row(
        {QDir(store.dataDirectory()).filePath(asciiExportFileName()), num(result.groupLines)});
    return CliOk;
}

// Degrees with two decimals and '.', whatever the locale.
QString fixed2(double value) {
    return QString::number(value, 'f', 2);
}

// check --positions: every group observation its neighbouring days place elsewhere, a row
// `drawing;record;date;fault;suggestion` for a drawing whose groups all fit once it is mended
// (its groups are not listed), and `pair;record;date;rotationGroup;otherRecord;otherDate` for
// two sightings that disagree with nothing else to decide. The tolerances used go to standard
// error. What it finds is a list to look at, not a fault of the file: the status is 0 either
// way. The records keep their numbers in the file: the check needs no date order of its own.
int checkPositionsOfDataSet(CommandContext &c) {
    Output &out = c.out;
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, out); status != CliOk)
        return status;
    const PositionReport report = checkPositions(store);
    for (const QString &line : toleranceTexts(report.tolerances))
        out.warn(line);
    out.line(QStringLiteral(
        "record;date;rotationGroup;latitude;longitude;expectedLatitude;expectedLongitude;"
        "neighbours"));
    const auto dateOf = [&store](int record) { return readText(store.record(record).dateText); };
    auto fault = report.drawings.begin();
    const auto drawingsUpTo = [&](int record) {
        for (; fault != report.drawings.end() && fault->record <= record; ++fault)
            out.row({QStringLiteral("drawing"), num(fault->record), dateOf(fault->record),
                     drawingFaultCode(fault->kind), drawingFaultSuggestion(*fault)});
    };
    for (const PositionFinding &f : report.findings) {
        drawingsUpTo(f.record);
        if (f.pair)
            out.row({QStringLiteral("pair"), num(f.record), dateOf(f.record), num(f.rotationGroup),
                     num(f.otherRecord), dateOf(f.otherRecord)});
        else
            out.row({num(f.record), dateOf(f.record), num(f.rotationGroup), fixed2(f.latitude),
                     fixed2(f.longitude), fixed2(f.expectedLatitude), fixed2(f.expectedLongitude),
                     num(f.neighbours)});
    }
    drawingsUpTo(store.recordCount());
    return CliOk;
}

int commandCheck(CommandContext &c) {
    Output &out = c.out;
    if (const int status = checkDataDirectory(c.dataDir, out); status != CliOk)
        return status;
    const QString path = QDir(c.dataDir).filePath(ObservationStore::dataFileName());
    if (!QFileInfo::exists(path))
        return out.fail(CliDataProblem, CliTexts::tr("%1 neexistuje").arg(path));
    if (c.options.isSet(QStringLiteral("positions")))
        return checkPositionsOfDataSet(c);
    RecordVector records;
    qint64 trailing = 0;
    const StoreStatus status = readDataFile(path, records, &trailing);
    if (!status)
        return out.fail(CliDataProblem, status.message);

    out.line(QStringLiteral("record;problem"));
    int problems = 0;
    auto report = [&](size_t number, const QString &text) {
        out.row({num(static_cast<long long>(number)), text});
        ++problems;
    };
    std::optional<int32_t> previous;
    const int thisYear = QDate::currentDate().year();
    for (size_t i = 0; i < records.size(); ++i) {
        const ObservationRecord &r = records[i];
        const auto date = recordDate(r, thisYear);
        if (!date) {
            report(i + 1,
                   CliTexts::tr("nečitelné datum „%1“").arg(inputExcerpt(readText(r.dateText))));
        } else {
            const int32_t day = serialDay(*date);
            if (previous && day < *previous)
                report(i + 1, CliTexts::tr("datum %1 je dřívější než u předchozího záznamu")
                                  .arg(readText(r.dateText)));
            previous = day;
        }
        if (r.groupCount > kMaxSlots)
            report(i + 1, CliTexts::tr("počet skupin %1 je větší než 30").arg(r.groupCount));
        if (r.faculaFieldCount > kMaxSlots)
            report(i + 1, CliTexts::tr("počet fakulí %1 je větší než 30").arg(r.faculaFieldCount));
    }
    if (trailing > 0)
        report(records.size() + 1, CliTexts::tr("neúplný záznam na konci souboru (%n bajtů)",
                                                nullptr, static_cast<int>(trailing)));
    return problems > 0 ? CliDataProblem : CliOk;
}

// --- Dispatch -------------------------------------------------------------------------------

// A command: its name, the options it takes besides -d, how many words follow its name
// (maxArgs -1: any number) and what runs it.
struct Command {
    const char *name;
    QStringList options;
    int minArgs;
    int maxArgs;
    int (*run)(CommandContext &);
};

const Command kCommands[] = {
    {"info", {}, 0, 0, commandInfo},
    {"records", {}, 0, 0, commandRecords},
    {"groups", {}, 0, 0, commandGroups},
    {"export-ascii", {}, 0, 0, commandExportAscii},
    {"check", {"positions"}, 0, 0, commandCheck},
    {"ephemeris", {}, 0, -1, commandEphemeris},
    {"render", {QStringLiteral("out")}, 1, 2, commandRender},
    {"certificate", {QStringLiteral("out")}, 1, 1, commandCertificate},
    {"statistics", {"smoothed", "region"}, 0, 0, commandStatistics},
    {"observers", {}, 0, 0, commandObservers},
    {"import", {"radius", "polar", "heliographic"}, 1, 1, commandImport},
    {"make-demo", {"from", "to", "seed"}, 1, 1, commandMakeDemo},
    {"map-groups", {"rotation"}, 0, 0, commandMapGroups},
    {"series", {"quantity"}, 0, 0, commandSeries},
    {"template",
     {"date", "time", "radius", "mirror-x", "mirror-y", "paper", "out"},
     0,
     0,
     commandTemplate},
    {"scan",
     {"date", "time", "radius", "north-angle", "mirror-x", "mirror-y", "at", "spots"},
     1,
     1,
     commandScan},
    {"compare-silso", {}, 1, 1, commandCompareSilso},
    {"daily", {"from", "to"}, 0, 0, commandDaily},
};

// The commands' names, for a command the program does not know.
QString commandNames() {
    QStringList names;
    for (const Command &c : kCommands)
        names << QString::fromLatin1(c.name);
    return names.join(QStringLiteral(", "));
}

// Every option of every command; a command refuses the ones that are not its own.
QList<QCommandLineOption> allOptions() {
    const QString value = QStringLiteral("hodnota");
    return {
        QCommandLineOption({QStringLiteral("d"), QStringLiteral("data")}, QString(),
                           CliTexts::tr("adresář")),
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
        QCommandLineOption(QStringLiteral("lang"), QString(), value),
        QCommandLineOption(QStringLiteral("version")),
        QCommandLineOption(QStringLiteral("out"), QString(), value),
        QCommandLineOption(QStringLiteral("record"), QString(), value),
        QCommandLineOption(QStringLiteral("mirror-x")),
        QCommandLineOption(QStringLiteral("mirror-y")),
        QCommandLineOption(QStringLiteral("radius"), QString(), value),
        QCommandLineOption(QStringLiteral("polar")),
        QCommandLineOption(QStringLiteral("heliographic")),
        QCommandLineOption(QStringLiteral("from"), QString(), value),
        QCommandLineOption(QStringLiteral("to"), QString(), value),
        QCommandLineOption(QStringLiteral("seed"), QString(), value),
        QCommandLineOption(QStringLiteral("latitude-scale"), QString(), value),
        QCommandLineOption(QStringLiteral("rotation-width"), QString(), value),
        QCommandLineOption(QStringLiteral("supplementary")),
        QCommandLineOption(QStringLiteral("width"), QString(), value),
        QCommandLineOption(QStringLiteral("height"), QString(), value),
        QCommandLineOption(QStringLiteral("rotation"), QString(), value),
        QCommandLineOption(QStringLiteral("smoothed")),
        QCommandLineOption(QStringLiteral("region"), QString(), value),
        QCommandLineOption(QStringLiteral("quantity"), QString(), value),
        QCommandLineOption(QStringLiteral("mode"), QString(), value),
        QCommandLineOption(QStringLiteral("months-px"), QString(), value),
        QCommandLineOption(QStringLiteral("date"), QString(), value),
        QCommandLineOption(QStringLiteral("time"), QString(), value),
        QCommandLineOption(QStringLiteral("paper"), QString(), value),
        QCommandLineOption(QStringLiteral("positions")),
        QCommandLineOption(QStringLiteral("north-angle"), QString(), value),
        QCommandLineOption(QStringLiteral("at"), QString(), value),
        QCommandLineOption(QStringLiteral("spots")),
    };
}

} // namespace

QString cliUsage() {
    return usageText();
}

namespace {

// The usage cut into its forms: the heading ("použití:"), the words before every command
// ("orvanek-cli [-d ADRESÁŘ] ") and each command with its options, in the language shown.
struct UsageForms {
    QString heading;
    QString program;
    QStringList forms;
};

UsageForms usageForms() {
    const QString usage = usageText();
    const qsizetype commands = usage.indexOf(QLatin1String("] ")) + 2;
    const qsizetype program = usage.indexOf(QLatin1Char(' ')) + 1;
    return {usage.left(program - 1), usage.mid(program, commands - program),
            usage.mid(commands).split(QStringLiteral(" | "))};
}

QString usageLines(const UsageForms &usage, const QStringList &forms) {
    QStringList lines{usage.heading};
    for (const QString &form : forms)
        lines << QStringLiteral("  ") + usage.program + form;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString cliHelp() {
    // The commands one per line, each with the program's name, as the README shows them;
    // wrong usage keeps the one line a script can match.
    const UsageForms usage = usageForms();
    return usageLines(usage, usage.forms);
}

QString commandUsage(const QString &command) {
    const UsageForms usage = usageForms();
    // "render map": the form of that view; "render" or a view it has not: all of its forms.
    const auto formsOf = [&](const QString &words) {
        QStringList forms;
        for (const QString &form : usage.forms)
            if (form == words || form.startsWith(words + QLatin1Char(' ')))
                forms << form;
        return forms;
    };
    QStringList forms = formsOf(command);
    if (forms.isEmpty())
        forms = formsOf(command.section(QLatin1Char(' '), 0, 0));
    if (forms.size() == 1) // one form on the heading's line
        return usage.heading + QLatin1Char(' ') + usage.program + forms.first();
    return usageLines(usage, forms);
}

int refuseUsage(Output &out, const QString &problem, const QString &command) {
    out.warn(problem);
    return out.fail(CliUsage, commandUsage(command));
}

QString cannotWriteText(const QString &file, const QString &problem) {
    const qsizetype cause = problem.lastIndexOf(QLatin1String(": "));
    if (cause < 0)
        return CliTexts::tr("soubor %1 nelze zapsat").arg(file);
    return CliTexts::tr("soubor %1 nelze zapsat: %2").arg(file, problem.mid(cause + 2));
}

QString cliVersion() {
    return QStringLiteral("orvanek-cli " ORVANEK_VERSION);
}

int checkDataDirectory(const QString &dir, Output &out) {
    if (QFileInfo::exists(dir) && !QFileInfo(dir).isDir())
        return out.fail(CliDataProblem, CliTexts::tr("%1 není adresář").arg(dir));
    if (!QFileInfo(dir).isDir())
        return out.fail(CliDataProblem, CliTexts::tr("adresář %1 neexistuje").arg(dir));
    return CliOk;
}

int loadDataSet(ObservationStore &store, const QString &dir, Output &out) {
    if (const int status = checkDataDirectory(dir, out); status != CliOk)
        return status;
    const StoreStatus status = store.loadStore(dir);
    if (!status)
        return out.fail(CliDataProblem, status.message);
    return CliOk;
}

int unreadableDateCount(const ObservationStore &store) {
    const std::vector<int32_t> &days = store.dayNumbers();
    return static_cast<int>(std::count(days.begin(), days.end(), ObservationStore::kUnreadableDay));
}

int finishTable(Output &out, int unreadableDates) {
    if (unreadableDates > 0)
        return out.fail(CliDataProblem, CliTexts::tr("%n záznamů vynecháno: nečitelné datum",
                                                     nullptr, unreadableDates));
    return CliOk;
}

void reportSetAside(const ObservationStore &store, Output &out) {
    const qint64 bytes = store.setAsideBySave().trailingBytes;
    if (bytes > 0)
        out.warn(
            CliTexts::tr("konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2",
                         nullptr, static_cast<int>(bytes))
                .arg(ObservationStore::dataFileName(), ObservationStore::removedFileName()));
}

namespace {

// The command the arguments name, if any: the first word that is the name of one.
const Command *namedCommand(const QStringList &arguments) {
    for (const QString &word : arguments)
        for (const Command &c : kCommands)
            if (word == QLatin1String(c.name))
                return &c;
    return nullptr;
}

// What the parser refused: an option no command knows, or one given without its value.
QString parseProblem(const QCommandLineParser &parser, const QStringList &arguments) {
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().first();
        return CliTexts::tr("neznámá volba %1")
            .arg((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
    return CliTexts::tr("volbě %1 chybí hodnota").arg(arguments.value(arguments.size() - 1));
}

// One line that says what was wrong, then the usage of the command (of every command when
// none is named).
int refuse(Output &out, const QString &problem, const Command *command) {
    out.warn(problem);
    return out.fail(
        CliUsage,
        command ? commandUsage(QString::fromLatin1(command->name))
                : CliTexts::tr("příkazy: %1 (popis: orvanek-cli --help)").arg(commandNames()));
}

} // namespace

int runCli(const QStringList &arguments, CliStreams streams) {
    Output out(streams);
    QCommandLineParser parser;
    parser.addOptions(allOptions());
    if (!parser.parse(QStringList{QStringLiteral("orvanek-cli")} + arguments))
        return refuse(out, parseProblem(parser, arguments), namedCommand(arguments));
    // Asked for on their own, they answer on standard output whatever else is given.
    if (parser.isSet(QStringLiteral("version"))) {
        out.line(cliVersion());
        return CliOk;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out.line(cliHelp() + QLatin1Char('\n') + helpTail());
        return CliOk;
    }
    if (parser.isSet(QStringLiteral("lang")) &&
        !languageFromCode(parser.value(QStringLiteral("lang"))))
        return out.fail(CliUsage, CliTexts::tr("--lang: „%1“ není cs ani en")
                                      .arg(inputExcerpt(parser.value(QStringLiteral("lang")))));
    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return out.fail(CliUsage, cliUsage());
    const QString name = words.takeFirst();
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command &c) { return name == c.name; });
    if (command == std::end(kCommands))
        return refuse(out, CliTexts::tr("neznámý příkaz „%1“").arg(inputExcerpt(name)), nullptr);
    if (words.size() < command->minArgs)
        return refuse(out, CliTexts::tr("příkazu %1 chybí argument").arg(name), command);
    if (command->maxArgs >= 0 && words.size() > command->maxArgs)
        return refuse(out,
                      CliTexts::tr("příkaz %1 nebere argument „%2“")
                          .arg(name, inputExcerpt(words.value(command->maxArgs))),
                      command);

    QStringList accepted = command->options;
    if (command->run == commandRender)
        accepted += renderOptionNames(words.first());
    for (const QString &option : parser.optionNames())
        if (option != QLatin1String("d") && option != QLatin1String("data") &&
            option != QLatin1String("lang") && !accepted.contains(option))
            return refuse(
                out,
                CliTexts::tr("příkaz %1 nezná volbu %2")
                    .arg(name, (option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
                                   option),
                command);

    CommandContext context{parser, words,
                           parser.isSet(QStringLiteral("data"))
                               ? parser.value(QStringLiteral("data"))
                               : QStringLiteral("."),
                           out};
    return command->run(context);
}

Language cliLanguage(const QStringList &arguments, Language environment) {
    QCommandLineParser parser;
    parser.addOptions(allOptions());
    if (!parser.parse(QStringList{QStringLiteral("orvanek-cli")} + arguments))
        return environment;
    return languageFromCode(parser.value(QStringLiteral("lang"))).value_or(environment);
}

bool cliPaints(const QStringList &arguments) {
    return arguments.contains(QStringLiteral("render")) ||
           arguments.contains(QStringLiteral("certificate")) ||
           arguments.contains(QStringLiteral("template")) ||
           (arguments.contains(QStringLiteral("scan")) &&
            arguments.contains(QStringLiteral("--spots"))); // the sheet rendered to leave out
}

} // namespace orvanek
