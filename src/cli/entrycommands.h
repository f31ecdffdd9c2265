#pragma once

#include "cli/clioutput.h"

#include <optional>

namespace orvanek {

// orvanek-cli import FILE [--radius R --polar|--heliographic]: stores the observations of
// an import file in the data directory through the entry dialog's own commit.
int commandImport(CommandContext &context);

// orvanek-cli make-demo DIR [--from YEAR --to YEAR --seed N]: writes the demo data set.
int commandMakeDemo(CommandContext &context);

// orvanek-cli render KIND ... --out FILE: a view drawn into a file as its window paints it
// (PNG, BMP) or as it prints (PDF).
int commandRender(CommandContext &context);

// orvanek-cli certificate MONTH.YEAR --out FILE: the month's certificate as the results
// window shows it (PNG, BMP) or prints it (PDF); render certificate MONTH.YEAR alike.
int commandCertificate(CommandContext &context);

// orvanek-cli statistics [--smoothed] [--region total|north|south]: the monthly statistics
// as the results window's grid shows them.
int commandStatistics(CommandContext &context);

// orvanek-cli observers: drawings per observer and year with the totals.
int commandObservers(CommandContext &context);
// orvanek-cli series [--quantity ...]: the smoothed graph's numbers, one row per month.
int commandSeries(CommandContext &context);

// orvanek-cli template --date D --time T [--radius R] [--mirror-x] [--mirror-y] [--paper P]
// --out FILE: the observing sheet of that moment at true scale (PDF, PNG at 300 dpi).
int commandTemplate(CommandContext &context);

// orvanek-cli scan IMAGE [--date D --time T] [--radius R] [--north-angle DEG] [--mirror-x]
// [--mirror-y] [--at X,Y ...]: a scanned drawing registered, and the places of the points.
int commandScan(CommandContext &context);

// orvanek-cli compare-silso FILE: the observer's own R against SILSO's daily sunspot
// number, month by month, with the scaling factor k.
int commandCompareSilso(CommandContext &context);

// orvanek-cli daily [--from D] [--to D]: the daily values of every ordinary record.
int commandDaily(CommandContext &context);

// The options of render KIND beyond --out; empty for a kind there is not.
QStringList renderOptionNames(const QString &kind);

// orvanek-cli map-groups --rotation N: the group table under the map of rotation N.
int commandMapGroups(CommandContext &context);

// The rotation of --rotation N (render map, map-groups); nothing when it is missing or not a
// rotation number, and then the message that says so.
std::optional<int> rotationOption(const QCommandLineParser &options);
QString rotationOptionProblem(const QCommandLineParser &options);
// What a map of a rotation without drawings reports.
QString noRecordsOfRotation(int rotation);

} // namespace orvanek
