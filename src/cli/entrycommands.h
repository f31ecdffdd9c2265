#pragma once

#include "cli/clioutput.h"

#include <QString>
#include <QStringList>

namespace orvanek {

// orvanek-cli import FILE [--radius R --polar|--heliographic]: stores the observations of
// an import file in the data directory through the entry dialog's own commit.
int commandImport(const QString &dataDir, const QStringList &args, Output &out);

// orvanek-cli make-demo DIR [--from YEAR --to YEAR --seed N]: writes the demo data set.
int commandMakeDemo(const QStringList &args, Output &out);

} // namespace orvanek
