#include "cli/cli.h"

#include "cli/clioutput.h"
#include "cli/csvwriter.h"
#include "cli/entrycommands.h"
#include "data/asciiexport.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "solar/conversion.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace orvanek {

namespace {

const QString kUsageText = QStringLiteral(
    "použití: orvanek-cli [-d ADRESÁŘ] info | records | groups | export-ascii | check | "
    "ephemeris DD.MM.RRRR HHMM [DD.MM.RRRR HHMM ...] | "
    "render drawing [--record N] [--mirror-x] [--mirror-y] --out SOUBOR.png|.bmp|.pdf | "
    "import SOUBOR [--radius R --polar|--heliographic] | "
    "make-demo ADRESÁŘ [--from ROK --to ROK --seed N]");

QString num(long long value) {
    return QString::number(value);
}

int loadOrFail(ObservationStore &store, const QString &dir, Output &out) {
    if (!QFileInfo(dir).isDir())
        return out.fail(CliDataProblem, QStringLiteral("adresář %1 neexistuje").arg(dir));
    const StoreStatus status = store.loadStore(dir);
    if (!status)
        return out.fail(CliDataProblem, status.message);
    return CliOk;
}

QString dateRangeText(const ObservationStore &store, bool first) {
    std::optional<CalendarDate> best;
    for (const ObservationRecord &r : store.records()) {
        const auto date = store.dateOf(r);
        if (!date)
            continue;
        if (!best ||
            (first ? serialDay(*date) < serialDay(*best) : serialDay(*date) > serialDay(*best)))
            best = date;
    }
    return best ? shortDate(*best) : QString();
}

int commandInfo(ObservationStore &store, Output &out) {
    out.row({QStringLiteral("field"), QStringLiteral("value")});
    out.row({QStringLiteral("recordCount"), num(store.recordCount())});
    out.row({QStringLiteral("firstDate"), dateRangeText(store, true)});
    out.row({QStringLiteral("lastDate"), dateRangeText(store, false)});
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

int commandRecords(const ObservationStore &store, Output &out) {
    out.line(QStringLiteral(
        "number;date;timeUT;observer;station;special;conditions;imageQuality;seeingQuality;"
        "centralGroups;centralSpots;centralR;faculaTotal;groupCount;faculaFieldCount;rotation;"
        "centralLongitude;northGroups;northSpots;northR;northClassSum;northSN;northRB;northArea;"
        "northCorrectedArea;southGroups;southSpots;southR;southClassSum;southSN;southRB;"
        "southArea;southCorrectedArea"));
    for (int n = 1; n <= store.recordCount(); ++n) {
        const ObservationRecord &r = store.record(n);
        const RecordSummary &s = r.summary;
        out.row({num(n),
                 readText(r.dateText),
                 num(r.timeUT),
                 readText(r.observer),
                 readText(r.station),
                 readText(r.specialMark),
                 num(r.conditions),
                 num(r.imageQuality),
                 num(r.seeingQuality),
                 num(r.centralGroups),
                 num(r.centralSpots),
                 num(r.centralR),
                 num(r.faculaTotal),
                 num(r.groupCount),
                 num(r.faculaFieldCount),
                 num(r.rotation),
                 num(r.centralLongitude),
                 num(s.northGroups),
                 num(s.northSpots),
                 num(s.northR),
                 num(s.northClassSum),
                 num(s.northSN),
                 num(s.northRB),
                 num(s.northArea),
                 num(s.northCorrectedArea),
                 num(s.southGroups),
                 num(s.southSpots),
                 num(s.southR),
                 num(s.southClassSum),
                 num(s.southSN),
                 num(s.southRB),
                 num(s.southArea),
                 num(s.southCorrectedArea)});
    }
    return CliOk;
}

int commandGroups(const ObservationStore &store, Output &out) {
    out.line(QStringLiteral(
        "record;date;timeUT;slot;type;spotCount;penumbraCount;angle;distance;area;smallSpots;"
        "globalGroupNumber;rotationGroupNumber;aux1Position;aux1Area;aux2Position;aux2Area;"
        "helioLatitude;helioLongitude;meridianDistance"));
    int status = CliOk;
    for (int n = 1; n <= store.recordCount(); ++n) {
        const ObservationRecord &r = store.record(n);
        const auto date = store.dateOf(r);
        if (!date && r.usedGroups() > 0) {
            out.warn(
                QStringLiteral("záznam %1: nečitelné datum „%2“").arg(n).arg(readText(r.dateText)));
            status = CliDataProblem;
        }
        const Ephemeris e = date ? solarEphemeris(*date, r.timeUT) : Ephemeris{};
        for (int g = 1; g <= r.usedGroups(); ++g) {
            const SunspotGroup &group = r.group(g);
            QStringList row{num(n),
                            readText(r.dateText),
                            num(r.timeUT),
                            num(g),
                            readText(group.type),
                            num(group.spotCount),
                            num(group.penumbraCount),
                            num(group.angle),
                            num(group.distance),
                            num(group.area),
                            num(group.smallSpots),
                            num(group.globalGroupNumber),
                            num(group.rotationGroupNumber),
                            num(group.aux1Position),
                            num(group.aux1Area),
                            num(group.aux2Position),
                            num(group.aux2Area)};
            if (date) {
                const HeliographicPosition h = polarToHeliographic(e, group.distance, group.angle);
                row << fixed6(h.helioLatitude) << fixed6(h.helioLongitude)
                    << fixed6(h.meridianDistance);
            } else {
                row << QString() << QString() << QString();
            }
            out.row(row);
        }
    }
    return status;
}

std::optional<uint16_t> parseTimeUT(const QString &text) {
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    for (const QChar c : text)
        if (!c.isDigit())
            return std::nullopt;
    return static_cast<uint16_t>(text.toUInt());
}

int commandEphemeris(const QStringList &args, Output &out) {
    if (args.isEmpty() || args.size() % 2 != 0)
        return out.fail(CliUsage, cliUsage());
    QList<std::pair<CalendarDate, uint16_t>> moments;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const auto date = parseDate(args[i], QDate::currentDate().year());
        if (!date)
            return out.fail(CliUsage, QStringLiteral("„%1“ není datum DD.MM.RRRR").arg(args[i]));
        const auto time = parseTimeUT(args[i + 1]);
        if (!time)
            return out.fail(CliUsage, QStringLiteral("„%1“ není čas HHMM").arg(args[i + 1]));
        moments.append({*date, *time});
    }
    out.line(QStringLiteral("date;timeUT;B0;P;L0;rotation"));
    for (const auto &[date, time] : moments) {
        const Ephemeris e = solarEphemeris(date, time);
        out.row(
            {shortDate(date), num(time), fixed6(e.B0), fixed6(e.P), fixed6(e.L0), num(e.rotation)});
    }
    return CliOk;
}

int commandExportAscii(ObservationStore &store, Output &out) {
    const AsciiExportResult result = exportAscii(store);
    if (!result.ok)
        return out.fail(CliDataProblem, result.message);
    out.line(QStringLiteral("file;groups"));
    out.row({QDir(store.dataDirectory()).filePath(asciiExportFileName()), num(result.groupLines)});
    return CliOk;
}

int commandCheck(const QString &dir, Output &out) {
    const QString path = QDir(dir).filePath(ObservationStore::dataFileName());
    if (!QFileInfo::exists(path))
        return out.fail(CliDataProblem, QStringLiteral("%1 neexistuje").arg(path));
    std::vector<ObservationRecord> records;
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
            report(i + 1, QStringLiteral("nečitelné datum „%1“").arg(readText(r.dateText)));
        } else {
            const int32_t day = serialDay(*date);
            if (previous && day < *previous)
                report(i + 1, QStringLiteral("datum %1 je dřívější než u předchozího záznamu")
                                  .arg(readText(r.dateText)));
            previous = day;
        }
        if (r.groupCount > kMaxSlots)
            report(i + 1, QStringLiteral("počet skupin %1 je větší než 30").arg(r.groupCount));
        if (r.faculaFieldCount > kMaxSlots)
            report(i + 1,
                   QStringLiteral("počet fakulí %1 je větší než 30").arg(r.faculaFieldCount));
    }
    if (trailing > 0)
        report(records.size() + 1,
               QStringLiteral("neúplný záznam na konci souboru (%1 bajtů)").arg(trailing));
    return problems > 0 ? CliDataProblem : CliOk;
}

} // namespace

// cmd_render.cpp: "render drawing ..." with the arguments after "render".
int commandRender(const QString &dir, const QStringList &args, Output &out);

QString cliUsage() {
    return kUsageText;
}

int runCli(const QStringList &arguments, CliStreams streams) {
    Output out(streams);
    QString dir = QStringLiteral(".");
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("-d") || a == QLatin1String("--data")) {
            if (i + 1 >= arguments.size())
                return out.fail(CliUsage, cliUsage());
            dir = arguments[++i];
        } else if (a.startsWith(QLatin1String("--data="))) {
            dir = a.mid(7);
        } else {
            rest << a;
        }
    }
    if (rest.isEmpty())
        return out.fail(CliUsage, cliUsage());
    const QString command = rest.takeFirst();

    if (command == QLatin1String("ephemeris"))
        return commandEphemeris(rest, out);
    if (command == QLatin1String("render"))
        return commandRender(dir, rest, out);
    if (command == QLatin1String("import"))
        return commandImport(dir, rest, out);
    if (command == QLatin1String("make-demo"))
        return commandMakeDemo(rest, out);
    if (!rest.isEmpty())
        return out.fail(CliUsage, cliUsage());
    if (command == QLatin1String("check"))
        return commandCheck(dir, out);

    ObservationStore store;
    if (command == QLatin1String("info") || command == QLatin1String("records") ||
        command == QLatin1String("groups") || command == QLatin1String("export-ascii")) {
        if (const int status = loadOrFail(store, dir, out); status != CliOk)
            return status;
    } else {
        return out.fail(CliUsage, cliUsage());
    }
    if (command == QLatin1String("info"))
        return commandInfo(store, out);
    if (command == QLatin1String("records"))
        return commandRecords(store, out);
    if (command == QLatin1String("groups"))
        return commandGroups(store, out);
    return commandExportAscii(store, out);
}

} // namespace orvanek
