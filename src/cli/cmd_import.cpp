#include "cli/entrycommands.h"

#include "data/datalock.h"
#include "data/observationstore.h"
#include "entry/importfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace orvanek {

namespace {

struct ImportOptions {
    QString file;
    std::optional<int> radius; // whole mm
    std::optional<bool> heliographic;
};

std::optional<ImportOptions> readOptions(const QStringList &args) {
    ImportOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--radius")) {
            if (i + 1 >= args.size())
                return std::nullopt;
            bool ok = false;
            const int radius = args[++i].toInt(&ok);
            if (!ok || radius < 1 || radius > 999)
                return std::nullopt;
            options.radius = radius;
        } else if (a == QLatin1String("--polar") || a == QLatin1String("--heliographic")) {
            const bool heliographic = a == QLatin1String("--heliographic");
            if (options.heliographic && *options.heliographic != heliographic)
                return std::nullopt;
            options.heliographic = heliographic;
        } else if (a.startsWith(QLatin1String("--")) || !options.file.isEmpty()) {
            return std::nullopt;
        } else {
            options.file = a;
        }
    }
    if (options.file.isEmpty())
        return std::nullopt;
    return options;
}

QString setupText(double radius, bool heliographic) {
    return QStringLiteral("poloměr %1 mm, %2")
        .arg(radius)
        .arg(heliographic ? QStringLiteral("heliografické souřadnice")
                          : QStringLiteral("polární souřadnice"));
}

} // namespace

int commandImport(const QString &dataDir, const QStringList &args, Output &out) {
    const std::optional<ImportOptions> options = readOptions(args);
    if (!options)
        return out.fail(CliUsage, cliUsage());
    if (!QFileInfo(dataDir).isDir())
        return out.fail(CliDataProblem, QStringLiteral("adresář %1 neexistuje").arg(dataDir));

    // The program may have this data set open; it would write its own copy over the import.
    const auto lock = lockDataDirectory(dataDir);
    if (!lock)
        return out.fail(CliDataProblem, dataDirectoryInUseMessage(dataDir).replace('\r', ' '));

    ObservationStore store;
    if (const StoreStatus loaded = store.loadStore(dataDir); !loaded)
        return out.fail(CliDataProblem, loaded.message);
    // A data set without a single whole record is new: the placeholder the store starts
    // such a set with would only be an empty drawing dated today among the imported ones.
    store.discardPlaceholder();

    if (store.hasDrawingSetup()) {
        const bool differs =
            (options->radius && *options->radius != store.drawingRadius()) ||
            (options->heliographic && *options->heliographic != store.heliographicEntry());
        if (differs)
            return out.fail(CliUsage,
                            QStringLiteral("data už mají nastavení zákresu (%1)")
                                .arg(setupText(store.drawingRadius(), store.heliographicEntry())));
    } else {
        if (!options->radius || !options->heliographic)
            return out.fail(CliUsage,
                            QStringLiteral("data nemají nastavení zákresu: zadejte --radius R "
                                           "a --polar nebo --heliographic"));
        store.setDrawingSetup(*options->radius, *options->heliographic);
    }

    QFile file(options->file);
    if (!file.open(QIODevice::ReadOnly))
        return out.fail(CliDataProblem, options->file + QStringLiteral(": ") + file.errorString());
    const ImportResult result = importObservations(store, file);
    if (!result.ok) {
        for (const ImportProblem &problem : result.problems)
            out.warn(importProblemText(problem));
        if (!result.failure.isEmpty())
            out.warn(result.failure);
        return CliDataProblem;
    }
    if (result.imported > 0) {
        if (const StoreStatus saved = store.saveStore(); !saved)
            return out.fail(CliDataProblem, saved.message);
    }
    out.line(QStringLiteral("imported"));
    out.row({QString::number(result.imported)});
    return CliOk;
}

} // namespace orvanek
