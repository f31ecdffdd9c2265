#pragma once

#include <QString>
#include <QStringList>

namespace orvanek {

// One ';'-separated line; a field holding ';' or '"' is quoted, with inner quotes doubled,
// so spreadsheets and scripts read it back unchanged; control characters (line breaks
// among them) are written as \xNN.
QString csvField(const QString &field);
QString csvLine(const QStringList &fields);

// Fixed decimals with '.' whatever the locale ("%.6f").
QString fixed6(double value);

} // namespace orvanek
