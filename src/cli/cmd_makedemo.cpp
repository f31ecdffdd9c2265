#include "cli/entrycommands.h"

#include "data/datalock.h"
#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "entry/demodata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <string_view>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

struct MakeDemoOptions {
    QString dir;
    DemoOptions demo;
};

std::optional<MakeDemoOptions> readOptions(const CommandContext &c) {
    MakeDemoOptions options;
    options.dir = c.args.value(0);
    for (const char *name : {"from", "to"}) {
        if (!c.options.isSet(QLatin1String(name)))
            continue;
        bool ok = false;
        const int year = c.options.value(QLatin1String(name)).toInt(&ok);
        if (!ok || year < 1 || year > 9999)
            return std::nullopt;
        (name == std::string_view("from") ? options.demo.fromYear : options.demo.toYear) = year;
    }
    if (c.options.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        options.demo.seed = c.options.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (options.dir.isEmpty() || options.demo.fromYear > options.demo.toYear)
        return std::nullopt;
    return options;
}

} // namespace

int commandMakeDemo(CommandContext &context) {
    Output &out = context.out;
    const std::optional<MakeDemoOptions> options = readOptions(context);
    if (!options)
        return refuseUsage(out,
                           CliTexts::tr("--from a --to jsou roky 1 až 9999 (--from nejvýše --to), "
                                        "--seed celé nezáporné číslo"),
                           QStringLiteral("make-demo"));
    const QDir dir(options->dir);
    if (!QDir().mkpath(options->dir))
        return out.fail(CliDataProblem, CliTexts::tr("adresář %1 nelze založit").arg(options->dir));
    // Not while the program or an import works on the directory.
    const DirectoryLock lock = lockDataDirectory(options->dir);
    if (!lock)
        return out.fail(CliDataProblem, QString(lock.refusal).replace(u'\r', u' '));
    // Never over an observer's own data.
    const QString dataPath = dir.filePath(ObservationStore::dataFileName());
    if (QFileInfo::exists(dataPath))
        return out.fail(CliDataProblem, CliTexts::tr("%1 už existuje").arg(dataPath));

    ObservationStore store;
    store.setDataDirectory(options->dir);
    if (const StoreStatus made = makeDemoData(store, options->demo); !made)
        return out.fail(CliDataProblem, made.message);
    // pristroj.dat first: data1.dat is what a rerun refuses to write over, so it comes last,
    // and a run killed in between leaves a directory that a rerun completes.
    QString error;
    if (!QFileInfo::exists(dir.filePath(QStringLiteral("pristroj.dat"))) &&
        !writeInstrumentFile(options->dir, demoInstrumentLines(), &error))
        return out.fail(CliDataProblem, error);
    const StoreStatus saved = store.saveStore();
    reportSetAside(store, out);
    if (!saved)
        return out.fail(CliDataProblem, saved.message);

    out.line(QStringLiteral("directory;records"));
    out.row({options->dir, QString::number(store.recordCount())});
    return CliOk;
}

} // namespace orvanek
