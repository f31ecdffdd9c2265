#include "data/asciiexport.h"

#include "data/codepage1250.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "solar/conversion.h"
#include "solar/rounding.h"

#include <QDir>

#include <cstdlib>

namespace orvanek {

namespace {

// Appends |value| with at least `width` digits, leading zeros: the "00", "000" and
// "0000" pictures. A minus sign goes in front of a negative value.
void appendZeroPadded(QByteArray &out, long long value, int width) {
    if (value < 0) {
        out.append('-');
        value = -value;
    }
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        out.append('0');
    while (n > 0)
        out.append(digits[--n]);
}

long long roundedWhole(double value) {
    return static_cast<long long>(roundHalfEven(value));
}

} // namespace

AsciiExportResult buildAsciiExport(std::span<const ObservationRecord> records, int pivotYear) {
    AsciiExportResult result;
    QByteArray &out = result.content;
    out.reserve(static_cast<qsizetype>(records.size()) * 8 * 40 + 64);
    out.append(encode1250(QStringLiteral("   Datum    čas   č typ  l   b  ploch")));
    out.append("\r\n");

    for (size_t r = 0; r < records.size(); ++r) {
        const ObservationRecord &record = records[r];
        const int groups = record.usedGroups();
        if (groups == 0)
            continue;
        const auto date = recordDate(record, pivotYear);
        if (!date) {
            result.ok = false;
            result.message = unreadableDateText(r + 1, record);
            result.content.clear();
            return result;
        }
        const Ephemeris ephemeris = solarEphemeris(*date, record.timeUT);

        // The date and time pieces are the same for every group of the record.
        QByteArray head;
        appendZeroPadded(head, date->curDay, 2);
        head.append(':');
        appendZeroPadded(head, date->curMonth, 2);
        head.append(':');
        appendZeroPadded(head, date->curYear, 4);
        head.append(' ');
        appendZeroPadded(head, record.timeUT / 100, 2);
        head.append(' ');
        appendZeroPadded(head, record.timeUT % 100, 2);
        head.append(' ');

        for (int g = 1; g <= groups; ++g) {
            const SunspotGroup &group = record.group(g);
            const HeliographicPosition place =
                polarToHeliographic(ephemeris, group.distance, group.angle);

            const qsizetype lineStart = out.size();
            out.append(head);
            appendZeroPadded(out, group.rotationGroupNumber, 2);
            out.append(' ');
            if (group.type.length == 0)
                out.append(kUnclassifiedType.data(),
                           static_cast<qsizetype>(kUnclassifiedType.size()));
            else
                out.append(group.type.chars, group.type.usedLength());
            out.append(' ');
            appendZeroPadded(out, roundedWhole(place.helioLongitude), 3);
            out.append(' ');
            const long long latitude = roundedWhole(place.helioLatitude);
            if (latitude >= 0)
                out.append(' ');
            appendZeroPadded(out, latitude, 2);
            out.append(' ');
            // The small spots at the reference radius's factor, whatever R the data set has.
            appendZeroPadded(
                out, roundedWhole(group.area + group.smallSpots * kSmallSpotAreaAtReference), 4);
            if (out.size() - lineStart > 100)
                out.truncate(lineStart + 100);
            out.append("\r\n");
            ++result.groupLines;
        }
    }
    return result;
}

AsciiExportResult exportAscii(ObservationStore &store) {
    AsciiExportResult result = buildAsciiExport(store.records(), store.pivotYear());
    if (!result.ok)
        return result;
    const QString path = QDir(store.dataDirectory()).filePath(asciiExportFileName());
    for (const auto &refused : {unsafeTargetMessage(path), readOnlyFileMessage(path)}) {
        if (refused) {
            result.ok = false;
            result.message = *refused;
            return result;
        }
    }
    // The groups the file shows as "***" keep that class in memory too.
    store.markUnclassifiedGroups();
    if (const auto failed = replaceFile(path, result.content.constData(), result.content.size())) {
        result.ok = false;
        result.message = *failed;
    }
    return result;
}

} // namespace orvanek
