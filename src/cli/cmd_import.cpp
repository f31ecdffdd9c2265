#include "cli/entrycommands.h"

#include "data/datalock.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "entry/importfile.h"
#include <QCommandLineParser>
#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

struct ImportOptions {
    QString file;
    std::optional<int> radius; // whole mm
    std::optional<bool> heliographic;
};

std::optional<ImportOptions> readOptions(const CommandContext &c) {
    ImportOptions options;
    options.file = c.args.value(0);
    if (c.options.isSet(QStringLiteral("radius"))) {
        bool ok = false;
        const int radius = c.options.value(QStringLiteral("radius")).toInt(&ok);
        if (!ok || radius < 1 || radius > 999)
            return std::nullopt;
        options.radius = radius;
    }
    const bool polar = c.options.isSet(QStringLiteral("polar"));
    const bool heliographic = c.options.isSet(QStringLiteral("heliographic"));
    if (polar && heliographic)
        return std::nullopt;
    if (polar || heliographic)
        options.heliographic = heliographic;
    if (options.file.isEmpty())
        return std::nullopt;
    return options;
}

QString setupText(double radius, bool heliographic) {
    return CliTexts::tr("poloměr %1 mm, %2")
        .arg(radius)
        .arg(heliographic ? CliTexts::tr("heliografické souřadnice")
                          : CliTexts::tr("polární souřadnice"));
}

} // namespace

int commandImport(CommandContext &context) {
    Output &out = context.out;
    const QString &dataDir = context.dataDir;
    const std::optional<ImportOptions> options = readOptions(context);
    if (!options)
        return refuseUsage(out,
                           CliTexts::tr("--radius je celý počet mm od 1 do 999; --polar "
                                        "a --heliographic nejdou spolu"),
                           QStringLiteral("import"));
    if (const int status = checkDataDirectory(dataDir, out); status != CliOk)
        return status;

    // The program may have this data set open; it would write its own copy over the import.
    const DirectoryLock lock = lockDataDirectory(dataDir);
    if (!lock)
        return out.fail(CliDataProblem, QString(lock.refusal).replace(u'\r', u' '));
    removeLeftovers(dataDir);

    ObservationStore store;
    if (const StoreStatus loaded = store.loadStore(dataDir); !loaded)
        return out.fail(CliDataProblem, loaded.message);

    if (store.hasDrawingSetup()) {
        const bool differs =
            (options->radius && *options->radius != store.drawingRadius()) ||
            (options->heliographic && *options->heliographic != store.heliographicEntry());
        if (differs)
            return out.fail(CliUsage,
                            CliTexts::tr("data už mají nastavení zákresu (%1)")
                                .arg(setupText(store.drawingRadius(), store.heliographicEntry())));
    } else {
        if (!options->radius || !options->heliographic)
            return out.fail(CliUsage,
                            CliTexts::tr("data nemají nastavení zákresu: zadejte --radius R "
                                         "a --polar nebo --heliographic"));
        store.setDrawingSetup(*options->radius, *options->heliographic);
    }

    // A regular file of a sane size only: a pipe or /dev/zero would hold the lock for ever.
    QFile file;
    if (const auto refused = openForReading(file, options->file, kLargestTextFileBytes))
        return out.fail(CliDataProblem, *refused);
    const ImportResult result = importObservations(store, file);
    if (!result.ok) {
        for (const ImportProblem &problem : result.problems)
            out.warn(importProblemText(problem));
        if (!result.failure.isEmpty())
            out.warn(result.failure);
        return CliDataProblem;
    }
    if (result.imported > 0) {
        const StoreStatus saved = store.saveStore();
        reportSetAside(store, out);
        if (!saved)
            return out.fail(CliDataProblem, saved.message);
    }
    out.line(QStringLiteral("imported"));
    out.row({QString::number(result.imported)});
    // Stored as typed; the observer decides.
    for (const ImportProblem &notice : result.positionNotices + result.cutTexts)
        out.warn(importProblemText(notice));
    return CliOk;
}

} // namespace orvanek
