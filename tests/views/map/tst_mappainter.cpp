// The synoptic map painted into an image: pixel probes at computed positions.
#include "data/observationstore.h"
#include "imageprobes.h"
#include "observedrecord.h"
#include "testregistry.h"
#include "views/map/mappainter.h"

#include <QPainter>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// 27.06.2001 noon is in rotation 1977 with L0 near 35 (114.2 on 21.06, 13.2 degrees less
// each day) and B0 near 2.5: longitudes from 0 to 90 are in sight.
constexpr int kRotation = 1977;
const QString kDay = QStringLiteral("27.06.2001");

bool isGroupGrey(QColor c) {
    return c == mapGroupFillColour();
}

// One drawing with group 5 at b, l of area 2500 (a circle of 7 pixels at s = 16) and an
// auxiliary spot, drawn on a map `width` pixels wide.
QImage mapWithGroupAt(double b, double l, int width = 760) {
    ObservationStore store(QDate(2026, 1, 1));
    ObservationRecord r = observedRecord(kDay);
    SunspotGroup &g = addGroupSeenAt(r, b, l, 2500, 5);
    g.aux1Position = packPosition(360, 0); // at the disk's centre: b = B0, l = L0
    g.aux1Area = 2500;
    store.appendRecord(r);
    store.setDrawingSetup(125, false);
    return renderMap(buildMapModel(store, mapSettings(store, kRotation, screenMapGeometry(width))),
                     width);
}

} // namespace

class TestMapPainter : public QObject {
    Q_OBJECT

  private slots:
    void groupCircle_data() {
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("l");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("centre"); // pixels
        // x = 740 - 2 l, y = 220 - 2 b map units, drawn at s / 16 pixels each.
        QTest::newRow("s 16") << 20.0 << 60.0 << 760 << QPoint(620, 180);
        QTest::newRow("s 32: twice as far") << 20.0 << 60.0 << 1520 << QPoint(1240, 360);
    }
    void groupCircle() {
        QFETCH(double, b);
        QFETCH(double, l);
        QFETCH(int, width);
        QFETCH(QPoint, centre);
        const QImage image = mapWithGroupAt(b, l, width);
        // Grey inside, 4 pixels out every way; not 12 pixels out (r = 7 at s 16, 14 at 32).
        for (const QPoint d : {QPoint(0, 0), QPoint(4, 0), QPoint(-4, 0), QPoint(0, 4)})
            QVERIFY(isGroupGrey(pixelAt(image, centre + d)));
        QVERIFY(!isGroupGrey(pixelAt(image, centre + QPoint(width / 760 * 12, 0))));
    }

    void gridAndMargins_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        // A group at l = 2 (x 736, r 7) reaches into the margin beyond 0 degrees, which is
        // blanked from x 741; the grid lines every 20 units stay.
        QTest::newRow("group at l 2") << QPoint(736, 220 - 20) << mapGroupFillColour();
        QTest::newRow("margin beyond 0") << QPoint(742, 220 - 20) << QColor(Qt::white);
        QTest::newRow("equator") << QPoint(110, 220) << mapGridColour();
        QTest::newRow("meridian of 0") << QPoint(740, 300) << mapGridColour();
        // Between the latitude labels at x 4, which stand from 5 units above each line.
        QTest::newRow("meridian of 360") << QPoint(20, 311) << mapGridColour();
        QTest::newRow("left margin") << QPoint(18, 311) << QColor(Qt::white);
        // r = 7: a degree or two off still lands inside.
        QTest::newRow("auxiliary spot at L0 = 35, B0 = 2.5")
            << QPoint(740 - 70, 220 - 5) << mapAuxSpotColour();
    }
    void gridAndMargins() {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        QCOMPARE(pixelAt(mapWithGroupAt(10, 2), point), colour);
    }

    // A page is the window's surface inside the paper's margins. Faculae moved past 0 and
    // 360 degrees (map units from -150 to 900) are blanked by the map's margins (below 19,
    // beyond 740) and not drawn on the paper's margins either. Page 1536 wide: s = 32, so
    // the surface is 768 units, drawn 200 pixels in from the paper's edge.
    void faculaeBeyondTheMapNotOnThePaperMargins() {
        ObservationStore store(QDate(2026, 1, 1));
        store.appendRecord(observedRecord(kDay));
        MapModel model = buildMapModel(store, mapSettings(store, kRotation, pageMapGeometry(1536)));
        QCOMPARE(model.settings.geometry.scale, 32);
        model.faculae.push_back(QPolygon(QRect(-150, 100, 1050, 20)));
        QImage paper(1936, 1000, QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        painter.translate(200, 0);
        paintMap(painter, model);
        painter.end();
        const auto isFacula = [](QColor c) { return c == mapFaculaColour(); };
        QVERIFY(isFacula(pixelAt(paper, {200 + 2 * 25, 2 * 105})));
        QVERIFY(isFacula(pixelAt(paper, {200 + 2 * 735, 2 * 105})));
        QCOMPARE(countPixels(paper, QRect(0, 0, 200 + 2 * 19, 1000), isFacula), 0);
        QCOMPARE(countPixels(paper, QRect(200 + 2 * 741, 0, 1000, 1000), isFacula), 0);
    }

    void labelTableUnderTheChart() {
        // At s 16 the first label column stands at x 25, its b at y 420 and l at y 432.
        const QRect cell(25, 420, 28, 24);
        QVERIFY(countPixels(mapWithGroupAt(20, 60), cell, isDark) > 0);
        ObservationStore empty(QDate(2026, 1, 1));
        empty.appendRecord(observedRecord(kDay));
        const MapModel none =
            buildMapModel(empty, mapSettings(empty, kRotation, screenMapGeometry(760)));
        QCOMPARE(countPixels(renderMap(none, 760), cell, isDark), 0);
    }
};

ORVANEK_REGISTER_TEST(TestMapPainter);
#include "tst_mappainter.moc"
