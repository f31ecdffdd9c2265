// orvanek-cli statistics and observers: the results window's tables as ';'-separated text.
#include "cli/entrycommands.h"
#include "data/observationstore.h"
#include "reports/observerstable.h"
#include "reports/statisticsmodel.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

struct RegionName {
    const char *name;
    StatRegion region;
};
constexpr RegionName kRegionNames[] = {
    {"total", StatRegion::Total},
    {"north", StatRegion::North},
    {"south", StatRegion::South},
};

std::optional<StatRegion> regionOption(const QCommandLineParser &options) {
    if (!options.isSet(QStringLiteral("region")))
        return StatRegion::Total;
    const QString value = options.value(QStringLiteral("region"));
    for (const RegionName &r : kRegionNames)
        if (value == QLatin1String(r.name))
            return r.region;
    return std::nullopt;
}

} // namespace

int commandStatistics(CommandContext &c) {
    const auto region = regionOption(c.options);
    if (!region)
        return c.out.fail(CliUsage,
                          CliTexts::tr("„%1“ není oblast total, north ani south")
                              .arg(inputExcerpt(c.options.value(QStringLiteral("region")))));
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    const StatisticsTable table = c.options.isSet(QStringLiteral("smoothed"))
                                      ? smoothedStatistics(store, *region)
                                      : measuredStatistics(store, *region);
    for (const QStringList &row : statisticsCsvRows(table))
        c.out.row(row);
    return finishTable(c.out, unreadableDateCount(store));
}

int commandObservers(CommandContext &c) {
    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    for (const QStringList &row : observerTableCsvRows(buildObserverTable(store)))
        c.out.row(row);
    return CliOk;
}

} // namespace orvanek
