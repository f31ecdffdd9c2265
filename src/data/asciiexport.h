#pragma once

#include "data/observationrecord.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace orvanek {

class ObservationStore;

inline QString asciiExportFileName() {
    return QStringLiteral("SoubASCI.dat");
}

struct AsciiExportResult {
    bool ok = true;
    QString message;    // why it failed
    QByteArray content; // the whole file, code page 1250, CR LF
    int groupLines = 0;
};

// Builds the export of every group of every record: date, time, group number in the
// rotation, class, l, b and area. A group without a class is written with "***". A record
// whose date cannot be read stops the export with a message.
AsciiExportResult buildAsciiExport(std::span<const ObservationRecord> records, int pivotYear);

// Builds the export from the store and writes SoubASCI.dat into its data directory; the
// file is replaced only when the whole export succeeded. Groups without a class get "***"
// in the store too (the modified flag stays as it is).
AsciiExportResult exportAscii(ObservationStore &store);

} // namespace orvanek
