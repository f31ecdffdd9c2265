// orvanek-cli map-groups --rotation N: the table of group means under the map of rotation N,
// one row per group in the order the map lists them.
#include "cli/entrycommands.h"
#include "data/observationstore.h"
#include "views/map/mapmodel.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <limits>

namespace orvanek {

namespace {
// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};
} // namespace

std::optional<int> rotationOption(const QCommandLineParser &options) {
    const QString name = QStringLiteral("rotation");
    if (!options.isSet(name))
        return std::nullopt;
    bool ok = false;
    const int rotation = options.value(name).trimmed().toInt(&ok);
    // A record keeps its rotation in 16 bits.
    if (!ok || rotation < 0 || rotation > std::numeric_limits<uint16_t>::max())
        return std::nullopt;
    return rotation;
}

QString rotationOptionProblem(const QCommandLineParser &options) {
    if (!options.isSet(QStringLiteral("rotation")))
        return CliTexts::tr("chybí --rotation N");
    return CliTexts::tr("--rotation: „%1“ není číslo rotace")
        .arg(inputExcerpt(options.value(QStringLiteral("rotation"))));
}

QString noRecordsOfRotation(int rotation) {
    return CliTexts::tr("rotace %1 nemá v datech žádný zákres").arg(rotation);
}

int commandMapGroups(CommandContext &c) {
    const std::optional<int> rotation = rotationOption(c.options);
    if (!rotation)
        return c.out.fail(CliUsage, rotationOptionProblem(c.options));
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    // The table does not depend on the map's scale.
    const MapModel model =
        buildMapModel(store, mapSettings(store, *rotation, screenMapGeometry(kMapWidth)));
    if (model.range.empty())
        return c.out.fail(CliDataProblem, noRecordsOfRotation(*rotation));
    c.out.row(mapGroupHeader());
    for (const MapGroupRow &row : mapGroupRows(model))
        c.out.row(mapGroupFields(row));
    return CliOk;
}

} // namespace orvanek
