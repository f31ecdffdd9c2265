// The butterfly diagram painted into an image: pixel probes at computed positions.
#include "data/observationstore.h"
#include "imageprobes.h"
#include "observedrecord.h"
#include "testregistry.h"
#include "views/butterfly/butterflypainter.h"

#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// A window of 800 x 600 pixels: the equator line at y 300.
const QSize kClient(800, 600);
constexpr int kEquator = 300;
const QColor kFrame(50, 50, 50);

// 21.06.2001 noon is in rotation 1977; a data set starting then has its left axis at 1900,
// and a group 30 degrees east of the central meridian lies in the column of 1977.
constexpr int kColumn = 77;

QImage diagramOf(const ButterflyModel &m, int scrollX = 0, bool scale = false) {
    QImage image(kClient, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintButterfly(painter, m, butterflyGeometry(kClient, scrollX), {scale});
    return image;
}

// Text is black, the frame a dark grey: only text is darker than 40.
bool isBlackish(QColor c) {
    return c.red() < 40 && c.green() < 40 && c.blue() < 40;
}

} // namespace

class TestButterflyPainter : public QObject {
    Q_OBJECT

  private slots:
    void groupBox_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::addColumn<int>("scrollX");
        QTest::addColumn<QRect>("box"); // window pixels
        // vs 3, xs 1: +10 degrees is a box from 32 to 29 pixels above the equator (29 left
        // out), 2 pixels wide, at x = 50 + the column.
        QTest::newRow("+10") << 10.1 << 3 << 1 << 0 << QRect(kColumn + 50, kEquator - 32, 2, 3);
        // vs 4, xs 16: v = int(2 x 20.2 x 4) = 161, from -2 - 80 for vs div 2 + 2 pixels,
        // 16 - 8 + 1 wide; the column 77 x 16 + 50 = 1282 is in sight scrolled by 1000.
        QTest::newRow("vs 4, xs 16")
            << 20.2 << 4 << 16 << 1000 << QRect(1282 - 1000, kEquator - 82, 9, 4);
    }
    void groupBox() {
        QFETCH(double, latitude);
        QFETCH(int, vs);
        QFETCH(int, xs);
        QFETCH(int, scrollX);
        QFETCH(QRect, box);
        ObservationStore store(QDate(2026, 1, 1));
        ObservationRecord r = observedRecord(QStringLiteral("21.06.2001"));
        addGroupSeenAt(r, latitude, ephemerisOf(r).L0 - 30);
        store.appendRecord(r);
        store.selectRecord(0);
        ButterflyState state;
        state.latitudeScale = vs;
        state.rotationWidth = xs;
        const QImage image = diagramOf(buildButterflyModel(store, state), scrollX);
        const auto black = [](QColor c) { return c == QColor(Qt::black); };
        QCOMPARE(countPixels(image, box, black), box.width() * box.height());
        // Nothing black around it.
        QCOMPARE(countPixels(image, box.adjusted(-1, -1, 1, 1), black), box.width() * box.height());
    }

    void frameAndMarks_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        // Hand-made marks: a supplementary spot stroke from 2 below to 2 above 20 degrees
        // (the end left out), a supplementary faculae stroke and a record's faculae stroke.
        QTest::newRow("equator line") << QPoint(400, kEquator) << kFrame;
        QTest::newRow("90 degrees north, vs 3") << QPoint(400, kEquator - 270) << kFrame;
        QTest::newRow("left axis") << QPoint(50, kEquator + 15) << kFrame;
        QTest::newRow("left of the axis") << QPoint(49, kEquator + 15) << QColor(Qt::white);
        QTest::newRow("spot stroke, top") << QPoint(60, kEquator - 61) << QColor(Qt::black);
        QTest::newRow("spot stroke's end") << QPoint(60, kEquator - 62) << QColor(Qt::white);
        QTest::newRow("supplementary faculae")
            << QPoint(70, kEquator - 5) << supplementaryFaculaColour();
        QTest::newRow("record's faculae") << QPoint(80, kEquator + 5) << butterflyFaculaColour();
    }
    void frameAndMarks() {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        ButterflyModel m;
        m.settings.baseRotation = 1900;
        m.supplementary.spots = {{60, 2 - 60, -2 - 60}};
        m.supplementary.faculae = {{70, -20, 10}};
        m.faculae = {{80, -10, 20}};
        QCOMPARE(pixelAt(diagramOf(m), point), colour);
    }

    void scaleLabelsStayAtTheLeftEdge() {
        // Scrolled by 500 the frame's labels are out of sight; the scale command writes them
        // at x 30 all the same ("0" of the equator from y 295).
        ButterflyModel m;
        const QRect label(30, kEquator - 5, 12, 12);
        QCOMPARE(countPixels(diagramOf(m, 500, false), label, isBlackish), 0);
        QVERIFY(countPixels(diagramOf(m, 500, true), label, isBlackish) > 0);
        QVERIFY(countPixels(diagramOf(m, 0, false), label, isBlackish) > 0);
    }
};

ORVANEK_REGISTER_TEST(TestButterflyPainter);
#include "tst_butterflypainter.moc"
