#include "cli/entrycommands.h"

#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "entry/demodata.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace orvanek {

namespace {

struct MakeDemoOptions {
    QString dir;
    DemoOptions demo;
};

std::optional<MakeDemoOptions> readOptions(const QStringList &args) {
    MakeDemoOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--from") || a == QLatin1String("--to") ||
            a == QLatin1String("--seed")) {
            if (i + 1 >= args.size())
                return std::nullopt;
            bool ok = false;
            const QString &value = args[++i];
            if (a == QLatin1String("--seed")) {
                options.demo.seed = value.toUInt(&ok);
            } else {
                const int year = value.toInt(&ok);
                ok = ok && year >= 1 && year <= 9999;
                (a == QLatin1String("--from") ? options.demo.fromYear : options.demo.toYear) = year;
            }
            if (!ok)
                return std::nullopt;
        } else if (a.startsWith(QLatin1String("--")) || !options.dir.isEmpty()) {
            return std::nullopt;
        } else {
            options.dir = a;
        }
    }
    if (options.dir.isEmpty() || options.demo.fromYear > options.demo.toYear)
        return std::nullopt;
    return options;
}

} // namespace

int commandMakeDemo(const QStringList &args, Output &out) {
    const std::optional<MakeDemoOptions> options = readOptions(args);
    if (!options)
        return out.fail(CliUsage, cliUsage());
    const QDir dir(options->dir);
    if (!QDir().mkpath(options->dir))
        return out.fail(CliDataProblem,
                        QStringLiteral("adresář %1 nelze založit").arg(options->dir));
    // Never over an observer's own data.
    const QString dataPath = dir.filePath(ObservationStore::dataFileName());
    if (QFileInfo::exists(dataPath))
        return out.fail(CliDataProblem, QStringLiteral("%1 už existuje").arg(dataPath));

    ObservationStore store;
    store.setDataDirectory(options->dir);
    if (const StoreStatus made = makeDemoData(store, options->demo); !made)
        return out.fail(CliDataProblem, made.message);
    if (const StoreStatus saved = store.saveStore(); !saved)
        return out.fail(CliDataProblem, saved.message);
    QString error;
    if (!QFileInfo::exists(dir.filePath(QStringLiteral("pristroj.dat"))) &&
        !writeInstrumentFile(options->dir, demoInstrumentLines(), &error))
        return out.fail(CliDataProblem, error);

    out.line(QStringLiteral("directory;records"));
    out.row({options->dir, QString::number(store.recordCount())});
    return CliOk;
}

} // namespace orvanek
