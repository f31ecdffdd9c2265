// A group's position checked against the days around it: the rotation law, and the planted
// slips of an observer with what the observer is told of them.
#include "data/dates.h"
#include "data/positioncheck.h"
#include "testhelpers.h"
#include "trackedgroups.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <set>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
using Places = std::set<std::pair<int, int>>; // record, row
Places placesOf(const std::vector<PositionFinding> &findings) {
    Places places;
    for (const PositionFinding &f : findings)
        places.insert({f.record, f.slot});
    return places;
}
} // namespace

class TestPositionCheck : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // Newton & Nunn (1951): 14.38 - 2.77 sin^2 b a day less Carrington's 360 / 25.38 = 14.1844:
    // +0.1956 at the equator, 14.38 - 2.77 / 4 - 14.1844 = -0.4969 at 30 degrees, none where
    // sin^2 b = 0.1956 / 2.77 (b = 15.41), the latitude Carrington's period fits.
    void driftOfTheLaw_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("drift");
        QTest::newRow("equator") << 0.0 << 0.1956;
        QTest::newRow("30 south") << -30.0 << -0.4969;
        QTest::newRow("Carrington's latitude") << 15.41 << 0.0;
    }
    void driftOfTheLaw() {
        QFETCH(double, latitude);
        QFETCH(double, drift);
        QVERIFY(std::fabs(longitudeDriftPerDay(latitude) - drift) < 0.0005);
    }

    // The tracked groups as drawn, and with one slip planted: the slip is found on its day
    // only, where the law puts the group, and nothing else is; alike from the whole data set,
    // record by record (a commit, the drawing view) and as an import into an empty data set.
    void plantedSlipsAreFoundAndNothingElse_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("angleChange");    // tenths of a degree
        QTest::addColumn<int>("distanceChange"); // tenths of a mm
        QTest::addColumn<bool>("mirrored");      // angle a typed as 360 - a
        QTest::addColumn<int>("typedNumber");    // the group's number as typed
        QTest::addColumn<int>("neighbours");     // drawings that place it, 0: nothing found
        QTest::addColumn<QString>("told");       // what the observer reads
        // clang-format off
        QTest::newRow("as drawn") << 0 << 3 << 0 << 0 << false << 3 << 0 << QString();
        // 33 degrees west on the equator: 10 degrees of angle are sin 33 x 10 = 5.4 of latitude.
        QTest::newRow("angle 10 degrees out") << 4 << 15 << 100 << 0 << false << 15 << 5
            << "15: o 5,\\d° v šířce jinde, než čekám podle 25\\., 26\\., 27\\., 29\\. a 30\\.06\\.";
        // 62 degrees from the centre at b = 30, three drawings before it and one after: 7.7 of
        // latitude; a drift taken the wrong way would move the expected place a degree.
        QTest::newRow("angle out at the track's end") << 10 << 12 << 100 << 0 << false << 12 << 4
            << "12: o [78],\\d° v šířce jinde, než čekám podle 1\\., 2\\., 3\\. a 5\\.07\\.";
        // b = 30 on the meridian: 8 mm out of 125 is asin(0.488 + 0.064) - 29.2 = 4.3 degrees
        // of latitude, the tolerance 3 x 1 / cos 31 = 3.5.
        QTest::newRow("distance 8 mm out") << 6 << 12 << 0 << 80 << false << 12 << 6
            << "12: o 4,\\d° v šířce jinde, než čekám podle 27\\., 28\\., 29\\.06\\., 1\\., 2\\. a 3\\.07\\.";
        // Mirrored across the drawing's vertical, 22 degrees west becomes about 22 east; with P
        // and B0 small the latitude stays within its tolerance.
        QTest::newRow("angle mirrored") << 7 << 3 << 0 << 0 << true << 3 << 6
            << "3: o \\d+,\\d° v délce jinde, než čekám podle 28\\., 29\\., 30\\.06\\., 2\\., 3\\. a 4\\.07\\.";
        // Group 21 near the centre typed as 3, which is 49 degrees west that day.
        QTest::newRow("another group's number") << 9 << 21 << 0 << 0 << false << 3 << 5
            << "3: o \\d+,\\d° v délce a o \\d+,\\d° v šířce jinde, než čekám podle 30\\.06\\., 1\\., 2\\., 4\\. a 5\\.07\\.";
        // clang-format on
    }
    void plantedSlipsAreFoundAndNothingElse() {
        QFETCH(int, day);
        QFETCH(int, group);
        QFETCH(int, angleChange);
        QFETCH(int, distanceChange);
        QFETCH(bool, mirrored);
        QFETCH(int, typedNumber);
        QFETCH(int, neighbours);
        QFETCH(QString, told);
        std::vector<ObservationRecord> records = trackedRecords();
        const int slot = trackedSlot(day, group);
        SunspotGroup &g = records[static_cast<size_t>(day)].group(slot);
        g.angle = static_cast<uint16_t>(mirrored ? 3600 - g.angle : g.angle + angleChange);
        g.distance = static_cast<uint16_t>(g.distance + distanceChange);
        g.rotationGroupNumber = static_cast<uint16_t>(typedNumber);
        ObservationStore store(QDate(2026, 12, 8));
        QVERIFY(store.appendRecords(records));

        const std::vector<PositionFinding> findings = checkPositions(store).findings;
        const Places expected = neighbours ? Places{{day + 1, slot}} : Places{};
        QCOMPARE(placesOf(findings), expected);
        for (const PositionFinding &f : findings) {
            for (const TrackedGroup &t : kTrackedGroups)
                if (t.number == typedNumber) {
                    const auto [b, l] = trackedPlace(t, day);
                    QVERIFY2(std::fabs(f.expectedLatitude - b) < 0.25 &&
                                 std::fabs(std::remainder(f.expectedLongitude - l, 360.0)) < 0.25,
                             qPrintable(QStringLiteral("%1 %2")
                                            .arg(f.expectedLatitude)
                                            .arg(f.expectedLongitude)));
                }
            QCOMPARE(f.rotationGroup, typedNumber);
            QCOMPARE(f.neighbours, neighbours);
            const QString text = positionFindingText(f);
            QVERIFY2(QRegularExpression("^Skupina " + told + "$").match(text).hasMatch(),
                     qPrintable(text));
        }
        Places oneByOne;
        for (int n = 1; n <= store.recordCount(); ++n)
            oneByOne.merge(placesOf(checkRecordPositions(store, store.record(n)).findings));
        QCOMPARE(oneByOne, expected);
        QCOMPARE(
            placesOf(checkAddedPositions(ObservationStore(QDate(2026, 12, 8)), records).findings),
            expected);
    }
};

ORVANEK_REGISTER_TEST(TestPositionCheck);
#include "tst_positioncheck.moc"
