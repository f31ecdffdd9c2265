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
    void cells_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QPointF>("pixel");
        QTest::addColumn<double>("drawingRadius");
        QTest::addColumn<bool>("moment");   // the moment known
        QTest::addColumn<QString>("first"); // angle or l; empty: refused
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("refusal");
        // Angle and distance need no moment; mirrored east-west the angle is read from the top
        // towards the left, north-south from the bottom; the paper turned a quarter clockwise
        // puts the drawing's top at the image's right. l and b by the conversion's worked
        // examples at B0 0, P 0, L0 100: half way out at angle 0 is b 30, l 100; at 90 b 0, l 70.
        // clang-format off
        QTest::newRow("30 degrees, half way out") << false << 0.0 << 1 << 1 << upright(30, 50) << 100.0 << true << "30.0" << "50.0" << "";
        QTest::newRow("on a data set drawn at 125 mm") << false << 0.0 << 1 << 1 << upright(30, 50) << 125.0 << true << "30.0" << "62.5" << "";
        QTest::newRow("east-west mirrored") << false << 0.0 << -1 << 1 << upright(30, 50) << 100.0 << true << "330.0" << "50.0" << "";
        QTest::newRow("north-south mirrored") << false << 0.0 << 1 << -1 << upright(30, 50) << 100.0 << true << "150.0" << "50.0" << "";
        QTest::newRow("paper turned 90 degrees") << false << 90.0 << 1 << 1 << QPointF(1500, 1000) << 100.0 << true << "0.0" << "50.0" << "";
        QTest::newRow("paper turned -10 degrees") << false << -10.0 << 1 << 1 << upright(80, 40) << 100.0 << true << "90.0" << "40.0" << "";
        QTest::newRow("359.97 is 0.0") << false << 0.0 << 1 << 1 << upright(359.97, 50) << 100.0 << true << "0.0" << "50.0" << "";
        QTest::newRow("to the nearest tenth") << false << 0.0 << 1 << 1 << upright(12.24, 33.36) << 100.0 << true << "12.2" << "33.4" << "";
        QTest::newRow("on the limb, rounded") << false << 0.0 << 1 << 1 << upright(200, 100.04) << 100.0 << true << "200.0" << "100.0" << "";
        QTest::newRow("just beyond the limb") << false << 0.0 << 1 << 1 << upright(200, 100.06) << 100.0 << true << "" << "" << "100.1 mm od středu, poloměr je 100 mm";
        QTest::newRow("l, b half way up") << true << 0.0 << 1 << 1 << upright(0, 50) << 125.0 << true << "100.0" << "30.0" << "";
        QTest::newRow("l, b half way east") << true << 0.0 << 1 << 1 << upright(90, 50) << 125.0 << true << "70.0" << "0.0" << "";
        QTest::newRow("l, b beyond the limb: far side") << true << 0.0 << 1 << 1 << upright(90, 101) << 125.0 << true << "" << "" << "odvrácené straně";
        QTest::newRow("l, b without a moment") << true << 0.0 << 1 << 1 << upright(0, 50) << 125.0 << false << "" << "" << "okamžiku";
        // clang-format on
    }
    void cells() {
        QFETCH(bool, heliographic);
        QFETCH(double, turn);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QPointF, pixel);
        QFETCH(double, drawingRadius);
        QFETCH(bool, moment);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, refusal);
        const ScanFill fill =
            scanFill(frameOf(turn, orientX, orientY), moment ? std::optional(kFlat) : std::nullopt,
                     pixel, heliographic, drawingRadius);
        QCOMPARE(fill.first, first);
        QCOMPARE(fill.second, second);
        QCOMPARE(fill.accepted, refusal.isEmpty());
        QVERIFY2(fill.refusal.contains(refusal), qPrintable(fill.refusal));
    }

    void roundTripThroughTheCommit_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QPointF>("pixel");
        QTest::newRow("polar, mirrored, turned -4 degrees")
            << false << -4.0 << -1 << QPointF(530.2, 1288.7);
        QTest::newRow("heliographic, turned 3 degrees")
            << true << 3.0 << 1 << QPointF(1401.8, 1133.3);
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
        QVERIFY(back && QLineF(*back, pixel).length() <= 1.5);
        // The row's own cells give the marker at the same place.
        const auto marker = scanMarkerAt(frame, e, fill.first, fill.second, heliographic, 125);
        QVERIFY(marker && QLineF(*marker, pixel).length() <= 1.5);
    }
};

ORVANEK_REGISTER_TEST(TestScanEntry);
#include "tst_scanentry.moc"
