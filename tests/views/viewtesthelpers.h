#pragma once

#include "data/observationrecord.h"
#include "datedrecord.h"
#include "solar/ephemeris.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

namespace orvanek::testing {

// A record dated `date` at `timeUT` (08:30 unless given), every other byte zero.
inline ObservationRecord drawingRecord(const QString &date, uint16_t timeUT = 830) {
    return datedRecord(date, timeUT);
}

// Adds a group in the next slot and returns it: stored angle (tenths of a degree),
// distance (limb 1250) and area.
SunspotGroup &addGroup(ObservationRecord &record, int angle, int distance, int area = 400);

// Adds a faculae field with the given packed vertices (the rest 0) and returns its slot.
int addFaculaField(ObservationRecord &record, std::initializer_list<uint16_t> vertices);

// A date and time whose central-meridian longitude lies within 0.3 degrees of `L0`,
// found by stepping through the hours of 2001.
struct Moment {
    QString date;
    uint16_t timeUT = 0;
    Ephemeris ephemeris;
};
Moment momentWithL0(double L0);

QColor pixelAt(const QImage &image, QPoint point);

// Counts the pixels of `area` for which `accept` holds.
int countPixels(const QImage &image, const QRect &area, const std::function<bool(QColor)> &accept);
bool isDark(QColor c);
bool isBluish(QColor c);

// Runs the folder's registered test classes.
using TestFactory = QObject *(*)();
int registerTest(TestFactory factory);

} // namespace orvanek::testing

#define ORVANEK_REGISTER_TEST(Class)                                                               \
    static const int registered##Class =                                                           \
        orvanek::testing::registerTest([]() -> QObject * { return new Class; })
