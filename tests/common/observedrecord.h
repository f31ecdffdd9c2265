#pragma once

#include "data/observationrecord.h"
#include "datedrecord.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/rounding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace orvanek::testing {

// The Sun's orientation at a record's moment (its date read in the 2000s).
inline Ephemeris ephemerisOf(const ObservationRecord &r) {
    return solarEphemeris(*recordDate(r, 2026), r.timeUT);
}

// A record as the commit stores it: dated, with its moment's rotation and central longitude.
inline ObservationRecord observedRecord(const QString &date, uint16_t timeUT = 1200) {
    ObservationRecord r = datedRecord(date, timeUT);
    const Ephemeris e = ephemerisOf(r);
    r.rotation = static_cast<uint16_t>(e.rotation);
    r.centralLongitude = static_cast<uint16_t>(e.L0);
    return r;
}

// A group seen at heliographic latitude b and longitude l (degrees), stored as the polar
// angle and distance of a 125 mm drawing, with its area and rotation group number.
inline SunspotGroup &addGroupSeenAt(ObservationRecord &r, double b, double l, int area = 400,
                                    int number = 0) {
    const PolarPosition p = heliographicToPolar(ephemerisOf(r), float(b), float(l), 125);
    SunspotGroup &g = r.group(++r.groupCount);
    writeText(g.type, QStringLiteral("Dkc"));
    g.angle = roundToWord(p.polarAngle * 10);
    g.distance = roundToWord(p.polarDistance * 10);
    g.area = static_cast<uint16_t>(area);
    g.rotationGroupNumber = static_cast<uint16_t>(number);
    return g;
}

// A data directory: data1.dat of `records` and, when given, Motfakul.dat holding `block`.
inline bool writeDataDirectory(const QString &dir, const std::vector<ObservationRecord> &records,
                               const QByteArray &block = {}) {
    QFile data(QDir(dir).filePath(QStringLiteral("data1.dat")));
    QFile extra(QDir(dir).filePath(QStringLiteral("Motfakul.dat")));
    return data.open(QIODevice::WriteOnly) && data.write(recordsBytes(records)) >= 0 &&
           (block.isEmpty() || (extra.open(QIODevice::WriteOnly) && extra.write(block) >= 0));
}

} // namespace orvanek::testing
