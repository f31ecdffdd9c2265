// A click on the scan as the entry dialog's cells: the texts typed for it, the refusals, and
// the round trip click -> cells -> stored group -> the same place on the scan.
#include "data/dates.h"
#include "data/observationstore.h"
#include "entry/commit.h"
#include "scan/scanentry.h"
#include "testregistry.h"

#include <QLineF>

#include <cmath>
#include <numbers>

using namespace orvanek;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

// A disk of radius 100 mm at 10 pixels per mm, its centre at (1000, 1000).
ScanFrame frameOf(double turn, int orientX, int orientY) {
    return {QPointF(1000, 1000), 1000, turn, orientX, orientY, 100};
}

// The pixel at position angle a and distance d (mm) of an upright, unturned frameOf().
QPointF upright(double angleDeg, double distanceMm) {
    return QPointF(1000 + 10 * distanceMm * std::sin(angleDeg * kDeg),
                   1000 - 10 * distanceMm * std::cos(angleDeg * kDeg));
}

// The reference moment of the conversion's worked examples: B0 0, P 0, L0 100.
const Ephemeris kFlat{0, 0, 100, 0};

EntryForm formWith(const ScanFill &fill) {
    EntryForm form;
    form.observer = "Pozorovatel";
    form.date = "21.06.2001";
    form.timeUT = "830";
    for (QString *field :
         {&form.conditions, &form.imageQuality, &form.seeingQuality, &form.centralGroups,
          &form.centralSpots, &form.centralR, &form.faculaTotal, &form.faculaFieldCount})
        *field = "0";
    form.groupCount = "1";
    form.groups = {{"Axx", "1", "0", fill.first, fill.second}};
    return form;
}

} // namespace

class TestScanEntry : public QObject {
    Q_OBJECT

  private slots:
    void polar_data() {
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QPointF>("pixel");
        QTest::addColumn<double>("drawingRadius");
        QTest::addColumn<QString>("angle"); // empty: refused
        QTest::addColumn<QString>("distance");
        QTest::newRow("30 degrees, half way out")
            << 0.0 << 1 << 1 << upright(30, 50) << 100.0 << "30.0"
            << "50.0";
        QTest::newRow("on a data set drawn at 125 mm")
            << 0.0 << 1 << 1 << upright(30, 50) << 125.0 << "30.0"
            << "62.5";
        // Mirrored east-west the same place is read from the top towards the left.
        QTest::newRow("east-west mirrored") << 0.0 << -1 << 1 << upright(30, 50) << 100.0 << "330.0"
                                            << "50.0";
        // Mirrored north-south the angle counts from the bottom.
        QTest::newRow("north-south mirrored")
            << 0.0 << 1 << -1 << upright(30, 50) << 100.0 << "150.0"
            << "50.0";
        // The paper turned a quarter clockwise: the drawing's top lies at the image's right.
        QTest::newRow("paper turned 90 degrees")
            << 90.0 << 1 << 1 << QPointF(1500, 1000) << 100.0 << "0.0"
            << "50.0";
        QTest::newRow("paper turned -10 degrees")
            << -10.0 << 1 << 1 << upright(80, 40) << 100.0 << "90.0"
            << "40.0";
        QTest::newRow("359.97 is 0.0") << 0.0 << 1 << 1 << upright(359.97, 50) << 100.0 << "0.0"
                                       << "50.0";
        QTest::newRow("to the nearest tenth")
            << 0.0 << 1 << 1 << upright(12.24, 33.36) << 100.0 << "12.2"
            << "33.4";
        QTest::newRow("on the limb, rounded")
            << 0.0 << 1 << 1 << upright(200, 100.04) << 100.0 << "200.0"
            << "100.0";
        QTest::newRow("just beyond the limb")
            << 0.0 << 1 << 1 << upright(200, 100.06) << 100.0 << ""
            << "";
    }
    void polar() {
        QFETCH(double, turn);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QPointF, pixel);
        QFETCH(double, drawingRadius);
        QFETCH(QString, angle);
        QFETCH(QString, distance);
        // No moment needed for angle and distance.
        const ScanFill fill =
            scanFill(frameOf(turn, orientX, orientY), std::nullopt, pixel, false, drawingRadius);
        QCOMPARE(fill.accepted, !angle.isEmpty());
        QCOMPARE(fill.first, angle);
        QCOMPARE(fill.second, distance);
        if (!fill.accepted)
            QVERIFY2(fill.refusal.contains("100.1 mm") &&
                         fill.refusal.contains("poloměr je 100 mm"),
                     qPrintable(fill.refusal));
    }

    void heliographic_data() {
        QTest::addColumn<QPointF>("pixel");
        QTest::addColumn<bool>("withMoment");
        QTest::addColumn<QString>("l"); // empty: refused
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("refusal");
        // The conversion's worked examples at B0 0, P 0, L0 100: half way out at angle 0 is
        // b 30, l 100; at angle 90 b 0, l 70.
        QTest::newRow("half way up") << upright(0, 50) << true << "100.0"
                                     << "30.0"
                                     << "";
        QTest::newRow("half way east") << upright(90, 50) << true << "70.0"
                                       << "0.0"
                                       << "";
        QTest::newRow("beyond the limb is the far side") << upright(90, 101) << true << ""
                                                         << ""
                                                         << "odvrácené straně";
        QTest::newRow("without a moment") << upright(0, 50) << false << ""
                                          << ""
                                          << "okamžiku";
    }
    void heliographic() {
        QFETCH(QPointF, pixel);
        QFETCH(bool, withMoment);
        QFETCH(QString, l);
        QFETCH(QString, b);
        QFETCH(QString, refusal);
        const ScanFill fill = scanFill(
            frameOf(0, 1, 1), withMoment ? std::optional(kFlat) : std::nullopt, pixel, true, 125);
        QCOMPARE(fill.first, l);
        QCOMPARE(fill.second, b);
        QCOMPARE(fill.accepted, refusal.isEmpty());
        QVERIFY2(fill.refusal.contains(refusal), qPrintable(fill.refusal));
    }

    void roundTripThroughTheCommit_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QPointF>("pixel");
        QTest::newRow("polar, turned 7 degrees") << false << 7.0 << 1 << QPointF(1312.4, 644.9);
        QTest::newRow("polar, mirrored, turned -4 degrees")
            << false << -4.0 << -1 << QPointF(530.2, 1288.7);
        QTest::newRow("heliographic, turned 3 degrees")
            << true << 3.0 << 1 << QPointF(1401.8, 1133.3);
        QTest::newRow("heliographic, mirrored") << true << 0.0 << -1 << QPointF(742.5, 655.5);
    }
    void roundTripThroughTheCommit() {
        QFETCH(bool, heliographic);
        QFETCH(double, turn);
        QFETCH(int, orientX);
        QFETCH(QPointF, pixel);
        // The data set draws at 125 mm; the scan is of a 100 mm drawing.
        ObservationStore store(QDate(2026, 12, 8));
        store.setDrawingSetup(125, heliographic);
        const Ephemeris e = solarEphemeris(*parseDate(QStringLiteral("21.06.2001"), 2000), 830);
        const ScanFrame frame = frameOf(turn, orientX, 1);
        const ScanFill fill = scanFill(frame, e, pixel, heliographic, 125);
        QVERIFY(fill.accepted);
        PreparedEntry entry;
        QVERIFY(prepareEntry(store, formWith(fill), entry).isEmpty());
        const SunspotGroup &g = entry.record.group(1);
        // The stored group (tenths of a degree, tenths of a mm at 125 mm) back on the scan:
        // within 0.1 mm of the drawing of the click, 1 pixel here, as the cells round to a
        // tenth (l and b to a tenth of a degree are up to 0.1 mm on a 100 mm disk as well).
        const auto back = scanMarkerAt(frame, e, QString::number(g.angle / 10.0),
                                       QString::number(g.distance / 10.0), false, 125);
        QVERIFY(back);
        QVERIFY2(QLineF(*back, pixel).length() <= 1.5,
                 qPrintable(QString::number(QLineF(*back, pixel).length())));
        // The row's own cells give the marker at the same place.
        const auto marker = scanMarkerAt(frame, e, fill.first, fill.second, heliographic, 125);
        QVERIFY(marker && QLineF(*marker, pixel).length() <= 1.5);
    }
};

ORVANEK_REGISTER_TEST(TestScanEntry);
#include "tst_scanentry.moc"
