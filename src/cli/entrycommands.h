#pragma once

#include "cli/clioutput.h"

namespace orvanek {

// orvanek-cli import FILE [--radius R --polar|--heliographic]: stores the observations of
// an import file in the data directory through the entry dialog's own commit.
int commandImport(CommandContext &context);

// orvanek-cli make-demo DIR [--from YEAR --to YEAR --seed N]: writes the demo data set.
int commandMakeDemo(CommandContext &context);

// orvanek-cli render KIND ... --out FILE: a view drawn into a file as its window paints it
// (PNG, BMP) or as it prints (PDF).
int commandRender(CommandContext &context);

// orvanek-cli series [--quantity ...]: the smoothed graph's numbers, one row per month.
int commandSeries(CommandContext &context);

// The options of render KIND beyond --out; empty for a kind there is not.
QStringList renderOptionNames(const QString &kind);

} // namespace orvanek
