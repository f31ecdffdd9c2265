// A group's position checked against the days around it: the rotation law, the tolerances
// near the limb, the planted slips of an observer and what the observer is told.
#include "data/dates.h"
#include "data/positioncheck.h"
#include "solar/conversion.h"
#include "testhelpers.h"
#include "trackedgroups.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <set>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

using Place = std::pair<int, int>; // record, slot

std::set<Place> placesOf(const std::vector<PositionFinding> &findings) {
    std::set<Place> places;
    for (const PositionFinding &f : findings)
        places.insert({f.record, f.slot});
    return places;
}

double longitudeDifference(double a, double b) {
    return std::remainder(a - b, 360.0);
}

} // namespace

class TestPositionCheck : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // Newton & Nunn (1951): sidereal 14.38 - 2.77 sin^2 b degrees a day; Carrington's rate is
    // 360 / 25.38 = 14.1844. Their difference by hand: +0.1956 at the equator,
    // 14.38 - 2.77 / 4 - 14.1844 = -0.4969 at 30 degrees; it vanishes where
    // sin^2 b = 0.1956 / 2.77, b = 15.41 degrees, the latitude Carrington's period fits.
    void driftOfTheLaw_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("drift");
        QTest::newRow("equator") << 0.0 << 0.1956;
        QTest::newRow("30 north") << 30.0 << -0.4969;
        QTest::newRow("30 south") << -30.0 << -0.4969;
        QTest::newRow("Carrington's latitude") << 15.41 << 0.0;
    }
    void driftOfTheLaw() {
        QFETCH(double, latitude);
        QFETCH(double, drift);
        QVERIFY2(std::fabs(longitudeDriftPerDay(latitude) - drift) < 0.0005,
                 qPrintable(QString::number(longitudeDriftPerDay(latitude))));
    }

    // The sign in this program's longitudes, on a real group: Greenwich group 18121 of 1957
    // (b = +30), drawn at r = 0.887, position angle 58.2 on 17 July at 11:40 and r = 0.917,
    // 301.3 on 27 July at 13:45 (RGO catalogue, position angles from the axis). Its
    // catalogue longitudes fell from 147.4 to 140.4; the law says -0.51 a day at its latitude.
    void realGroupFallsBehindAtThirtyDegrees() {
        auto longitude = [](const QString &date, uint16_t time, double r, double axisAngle) {
            const Ephemeris e = ephemerisOf(observedRecord(date, time));
            return polarToHeliographic(e, r * 1250, (axisAngle + e.P) * 10).helioLongitude;
        };
        const double first = longitude(QStringLiteral("17.07.1957"), 1140, 0.887, 58.2);
        const double last = longitude(QStringLiteral("27.07.1957"), 1345, 0.917, 301.3);
        const double days = 10 + (13.75 - 11.6667) / 24;
        QVERIFY2(std::fabs(first - 147.4) < 0.5, qPrintable(QString::number(first)));
        QVERIFY2(std::fabs((last - first) / days - longitudeDriftPerDay(30.5)) < 0.25,
                 qPrintable(QString::number((last - first) / days)));
    }

    // 1 / cos(rho) along the radius, 1 across it: at 90 % of the radius 1 / sqrt(0.19) = 2.294.
    void limbFactorsFollowTheRadius_data() {
        QTest::addColumn<double>("distance");
        QTest::addColumn<double>("axisAngle");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("latitudeFactor");
        QTest::addColumn<double>("longitudeFactor");
        QTest::newRow("centre") << 0.0 << 0.0 << 0.0 << 1.0 << 1.0;
        QTest::newRow("90 % towards the north pole") << 1125.0 << 0.0 << 0.0 << 2.294 << 1.0;
        QTest::newRow("90 % east") << 1125.0 << 90.0 << 0.0 << 1.0 << 2.294;
        QTest::newRow("90 % west") << 1125.0 << 270.0 << 0.0 << 1.0 << 2.294;
        QTest::newRow("60 % at 45 degrees") << 750.0 << 45.0 << 0.0 << 1.1319 << 1.1319;
        QTest::newRow("on the limb, stopped at 4") << 1250.0 << 180.0 << 0.0 << 4.0 << 1.0;
        QTest::newRow("longitude at 60 degrees latitude") << 0.0 << 0.0 << 60.0 << 1.0 << 2.0;
    }
    void limbFactorsFollowTheRadius() {
        QFETCH(double, distance);
        QFETCH(double, axisAngle);
        QFETCH(double, latitude);
        QFETCH(double, latitudeFactor);
        QFETCH(double, longitudeFactor);
        const LimbFactors f = limbFactors(distance, axisAngle, latitude);
        QVERIFY2(std::fabs(f.latitude - latitudeFactor) < 0.001,
                 qPrintable(QString::number(f.latitude)));
        QVERIFY2(std::fabs(f.longitude - longitudeFactor) < 0.001,
                 qPrintable(QString::number(f.longitude)));
    }

    // The tracked groups as drawn, and with one slip planted: the slip is found on its day
    // only, where the law puts the group, and nothing else is. The same from the whole data
    // set, record by record (after a commit, in the drawing view) and as an import.
    void plantedSlipsAreFoundAndNothingElse_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("group");          // rotation group number of the slip
        QTest::addColumn<int>("angleChange");    // tenths of a degree
        QTest::addColumn<int>("distanceChange"); // tenths of a mm
        QTest::addColumn<bool>("mirrored");      // angle a typed as 360 - a
        QTest::addColumn<int>("givenNumber");    // another group's number, 0: its own
        QTest::addColumn<int>("expectedGroup");  // whose place is expected, 0: nothing found
        QTest::addColumn<int>("neighbours");     // its drawings within three days
        // 33 degrees west of the meridian on the equator 10 degrees of angle move the group
        // sin 33 x 10 = 5.4 degrees along the meridian (latitude tolerance 3).
        QTest::newRow("as drawn") << 0 << 0 << 0 << 0 << false << 0 << 0 << 0;
        QTest::newRow("angle 10 degrees out") << 4 << 15 << 100 << 0 << false << 0 << 15 << 5;
        // Near the end of its track, three drawings before it and one after: a drift taken the
        // wrong way would move the expected place by about a degree. 62 degrees from the
        // centre, 10 degrees of angle are 8.8 degrees across the radius, 7.7 of latitude.
        QTest::newRow("angle 10 degrees out at b = 30, at the track's end")
            << 10 << 12 << 100 << 0 << false << 0 << 12 << 4;
        // At b = 30 on the meridian (rho 29 degrees) 8 mm outwards on a 125 mm drawing is
        // asin(0.488 + 0.064) - 29.2 = 4.3 degrees of latitude (tolerance 3 x 1.2).
        QTest::newRow("distance 8 mm out") << 6 << 12 << 0 << 80 << false << 0 << 12 << 6;
        QTest::newRow("angle mirrored") << 7 << 3 << 0 << 0 << true << 0 << 3 << 6;
        // Group 21 near the centre typed with number 3, while group 3 is 49 degrees west.
        QTest::newRow("another group's number") << 9 << 21 << 0 << 0 << false << 3 << 3 << 5;
    }
    void plantedSlipsAreFoundAndNothingElse() {
        QFETCH(int, day);
        QFETCH(int, group);
        QFETCH(int, angleChange);
        QFETCH(int, distanceChange);
        QFETCH(bool, mirrored);
        QFETCH(int, givenNumber);
        QFETCH(int, expectedGroup);
        QFETCH(int, neighbours);
        std::vector<ObservationRecord> records = trackedRecords();
        std::set<Place> expected;
        if (expectedGroup != 0) {
            const int slot = trackedSlot(day, group);
            SunspotGroup &g = records[static_cast<size_t>(day)].group(slot);
            g.angle = static_cast<uint16_t>(g.angle + angleChange);
            g.distance = static_cast<uint16_t>(g.distance + distanceChange);
            if (mirrored)
                g.angle = static_cast<uint16_t>(3600 - g.angle);
            if (givenNumber != 0)
                g.rotationGroupNumber = static_cast<uint16_t>(givenNumber);
            expected.insert({day + 1, slot});
        }
        ObservationStore store(QDate(2026, 12, 8));
        QVERIFY(store.appendRecords(records));

        const std::vector<PositionFinding> findings = checkPositions(store);
        QCOMPARE(placesOf(findings), expected);
        for (const PositionFinding &f : findings) {
            for (const TrackedGroup &g : kTrackedGroups) {
                if (g.number != expectedGroup)
                    continue;
                const auto [b, l] = trackedPlace(g, day);
                QVERIFY2(std::fabs(f.expectedLatitude - b) < 0.25,
                         qPrintable(QString::number(f.expectedLatitude)));
                QVERIFY2(std::fabs(longitudeDifference(f.expectedLongitude, l)) < 0.25,
                         qPrintable(QString::number(f.expectedLongitude)));
            }
            QCOMPARE(f.rotationGroup, givenNumber != 0 ? givenNumber : group);
            QCOMPARE(f.neighbours, neighbours);
        }

        std::set<Place> oneByOne;
        for (int n = 1; n <= store.recordCount(); ++n)
            for (const Place &p : placesOf(checkRecordPositions(store, store.record(n))))
                oneByOne.insert(p);
        QCOMPARE(oneByOne, expected);
        QCOMPARE(placesOf(checkAddedPositions(ObservationStore(QDate(2026, 12, 8)), records)),
                 expected);
    }

    // A drawing whose neighbours are already stored: an import of one more day finds its slip
    // against them, and a record not in the store is judged as it stands.
    void addedAndUnstoredRecordsMeetTheStoredOnes() {
        std::vector<ObservationRecord> records = trackedRecords();
        ObservationRecord late = records.back();
        records.pop_back();
        late.group(trackedSlot(11, 21)).angle += 100; // 21 is near the middle on day 11
        ObservationStore store(QDate(2026, 12, 8));
        QVERIFY(store.appendRecords(records));
        const std::vector<PositionFinding> added = checkAddedPositions(store, {late});
        QCOMPARE(placesOf(added), (std::set<Place>{{1, trackedSlot(11, 21)}}));
        const std::vector<PositionFinding> unstored = checkRecordPositions(store, late);
        QCOMPARE(placesOf(unstored), (std::set<Place>{{0, trackedSlot(11, 21)}}));
        QCOMPARE(unstored.front().neighbourDates.size(), size_t(3));
    }

    void findingText_data() {
        QTest::addColumn<double>("latitudeOff");
        QTest::addColumn<double>("longitudeOff");
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<QString>("text");
        const QList<QDate> twoDays = {QDate(2024, 6, 14), QDate(2024, 6, 16)};
        QTest::newRow("longitude")
            << 0.0 << -11.8 << twoDays
            << "Skupina 5: o 11,8° v délce jinde, než čekám podle 14. a 16.06.";
        QTest::newRow("latitude") << 4.24 << 0.0 << QList<QDate>{QDate(2024, 6, 15)}
                                  << "Skupina 5: o 4,2° v šířce jinde, než čekám podle 15.06.";
        QTest::newRow("both, over a month's end")
            << -3.5 << 20.04
            << QList<QDate>{QDate(2024, 6, 29), QDate(2024, 6, 30), QDate(2024, 7, 2)}
            << "Skupina 5: o 20,0° v délce a o 3,5° v šířce jinde, než čekám podle 29., 30.06. a "
               "2.07.";
    }
    void findingText() {
        QFETCH(double, latitudeOff);
        QFETCH(double, longitudeOff);
        QFETCH(QList<QDate>, days);
        QFETCH(QString, text);
        PositionFinding f;
        f.rotationGroup = 5;
        f.latitude = 10 + latitudeOff;
        f.expectedLatitude = 10;
        f.longitude = std::fmod(355 + longitudeOff + 360, 360); // across 360 for a westward slip
        f.expectedLongitude = 355;
        f.latitudeOff = latitudeOff != 0;
        f.longitudeOff = longitudeOff != 0;
        for (const QDate &d : days)
            f.neighbourDates.push_back(toCalendarDate(d));
        QCOMPARE(positionFindingText(f), text);
    }
};

ORVANEK_REGISTER_TEST(TestPositionCheck);
#include "tst_positioncheck.moc"
