// The drawing painted into an image: pixel probes at computed positions.
#include "views/drawing/drawingpainter.h"
#include "viewtesthelpers.h"

#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

DrawingSettings settings(int orientX = 1, int orientY = 1) {
    DrawingSettings s;
    s.drawingRadius = 125;
    s.orientX = orientX;
    s.orientY = orientY;
    return s;
}

// A point of the disk that no grid line, no meridian and no group touches: latitude 5 on
// the central meridian, between the equator and the 10 degree parallel.
QPoint quietDiskPoint(const DrawingModel &m) {
    return projectGridPoint(5, 0, m.ephemeris, m.settings.orientX, m.settings.orientY);
}

bool isGroupGrey(QColor c) {
    return c == groupFillColour();
}

// The column of values of group `slot` in rows y .. y + 14.
QRect columnCell(int slot, int y) {
    return {38 * slot + 30, y, 36, 14};
}

} // namespace

class TestDrawingPainter : public QObject {
    Q_OBJECT

  private slots:
    void diskFill_data() {
        QTest::addColumn<bool>("special");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("ordinary record: pale yellow") << false << diskColour();
        QTest::newRow("special record: red") << true << specialDiskColour();
    }
    void diskFill() {
        QFETCH(bool, special);
        QFETCH(QColor, expected);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        if (special)
            writeText(r.specialMark, specialMarkText());
        const DrawingModel m = buildDrawingModel(r, settings());
        const QImage image = renderDrawing(m);
        QCOMPARE(pixelAt(image, quietDiskPoint(m)), expected);
        QCOMPARE(pixelAt(image, {282, 300}), expected); // just below the centre
        // Outside the disk the image stays white; the limb is drawn in black.
        QCOMPARE(pixelAt(image, {20, 20}), QColor(Qt::white));
        QVERIFY(countPixels(image, QRect(278, 28, 5, 5), isDark) > 0);
        QVERIFY(countPixels(image, QRect(278, 528, 5, 5), isDark) > 0);
    }

    void imageIsAtViewScale() {
        const DrawingModel m =
            buildDrawingModel(drawingRecord(QStringLiteral("21.06.2001")), settings());
        const QImage image = renderDrawing(m);
        QCOMPARE(image.size(), drawingSize(m));
        QVERIFY(image.width() >= 750 && image.height() >= 650);
        QCOMPARE(image.dotsPerMeterX(), 3780); // 96 dpi
        QCOMPARE(image.dotsPerMeterY(), 3780);
    }

    void groupCircle_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<QPoint>("mirrorImage");
        QTest::newRow("90 deg") << 900 << 1 << 1 << QPoint(405, 280) << QPoint(155, 280);
        QTest::newRow("90 deg after vyza")
            << 900 << -1 << 1 << QPoint(155, 280) << QPoint(405, 280);
        QTest::newRow("0 deg") << 0 << 1 << 1 << QPoint(280, 155) << QPoint(280, 405);
        QTest::newRow("0 deg after seji") << 0 << 1 << -1 << QPoint(280, 405) << QPoint(280, 155);
    }
    void groupCircle() {
        QFETCH(int, angle);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QPoint, centre);
        QFETCH(QPoint, mirrorImage);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, angle, 625, 400); // r = 6
        const QImage image = renderDrawing(buildDrawingModel(r, settings(orientX, orientY)));
        // Grey inside, centred: 4 px from the centre in every direction still grey, the
        // black outline around it, and disk colour beyond.
        for (const QPoint d :
             {QPoint(0, 0), QPoint(4, 0), QPoint(-4, 0), QPoint(0, 4), QPoint(0, -4)})
            QCOMPARE(pixelAt(image, centre + d), groupFillColour());
        // About pi r^2 grey pixels (r = 6), not a filled square or a larger circle.
        const int grey =
            countPixels(image, QRect(centre - QPoint(9, 9), QSize(19, 19)), isGroupGrey);
        QVERIFY2(grey > 60 && grey < 120, qPrintable(QString::number(grey)));
        QVERIFY(countPixels(image, QRect(centre + QPoint(5, -1), QSize(3, 3)), isDark) > 0);
        QVERIFY(countPixels(image, QRect(centre + QPoint(-7, -1), QSize(3, 3)), isDark) > 0);
        QVERIFY(!isGroupGrey(pixelAt(image, mirrorImage)));
    }

    void groupWithoutAreaHasNoFilledCircle() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, 900, 625, 0);
        const DrawingModel m = buildDrawingModel(r, settings());
        QCOMPARE(m.groups.at(0).marker.r, 0);
        const QImage image = renderDrawing(m);
        QCOMPARE(countPixels(image, QRect(398, 273, 15, 15), isGroupGrey), 0);
        // Its rotation group number stands 2 px right of where the circle would be.
        QVERIFY(countPixels(image, QRect(407, 274, 10, 12), isDark) > 0);
    }

    void groupColumnTexts() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, 900, 625);
        addGroup(r, 0, 625);
        const QImage image = renderDrawing(buildDrawingModel(r, settings()));
        for (int slot = 1; slot <= 2; ++slot) {
            QVERIFY2(countPixels(image, columnCell(slot, 540), isDark) > 0, "type");
            QVERIFY2(countPixels(image, columnCell(slot, 560), isDark) > 0, "b");
            QVERIFY2(countPixels(image, columnCell(slot, 580), isDark) > 0, "l");
            QVERIFY2(countPixels(image, columnCell(slot, 600), isBluish) > 0, "spot count in blue");
            QVERIFY2(countPixels(image, columnCell(slot, 600), isDark) == 0,
                     "spot count not black");
            QVERIFY2(countPixels(image, columnCell(slot, 623), isDark) > 0, "global number");
            QVERIFY2(countPixels(image, columnCell(slot, 638), isDark) > 0, "rotation number");
        }
        // Nothing in the column of a third group that does not exist.
        QCOMPARE(countPixels(image, QRect(38 * 3 + 30, 540, 36, 112), isDark), 0);
    }

    void eachRowHoldsItsOwnValue() {
        // A group at the centre: l = L0 = 116.1 is much wider than b = B0 = 1.8, and the
        // global number 4321 much wider than the rotation number 7.
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"), 830);
        SunspotGroup &g = addGroup(r, 0, 0, 100);
        g.globalGroupNumber = 4321;
        g.rotationGroupNumber = 7;
        const QImage image = renderDrawing(buildDrawingModel(r, settings()));
        auto inkWidth = [&](int y) {
            int left = 10000;
            int right = -1;
            for (int x = 68; x < 68 + 37; ++x)
                for (int row = y; row < y + 14; ++row)
                    if (isDark(pixelAt(image, {x, row}))) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            return right - left;
        };
        QVERIFY2(inkWidth(580) > inkWidth(560) + 8, "l in row 580, b in row 560");
        QVERIFY2(inkWidth(623) > inkWidth(638) + 8, "global number above the rotation number");
    }

    void specialRecordShowsNoCirclesSpotsOrCoordinates() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        SunspotGroup &g = addGroup(r, 900, 625, 400);
        g.aux1Position = packPosition(0, 50);
        g.aux1Area = 400;
        writeText(r.specialMark, specialMarkText());
        const QImage image = renderDrawing(buildDrawingModel(r, settings()));
        QCOMPARE(pixelAt(image, {405, 280}), specialDiskColour());
        QCOMPARE(pixelAt(image, {280, 180}), specialDiskColour()); // where the spot would be
        QCOMPARE(countPixels(image, columnCell(1, 560), isDark), 0);
        QCOMPARE(countPixels(image, columnCell(1, 580), isDark), 0);
        QVERIFY(countPixels(image, columnCell(1, 540), isDark) > 0);
        QVERIFY(countPixels(image, columnCell(1, 600), isBluish) > 0);
        QVERIFY(countPixels(image, columnCell(1, 638), isDark) > 0);
    }

    void auxiliarySpot_data() {
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QPoint>("centre");
        QTest::newRow("default") << 1 << QPoint(380, 280);
        QTest::newRow("mirrored") << -1 << QPoint(180, 280);
    }
    void auxiliarySpot() {
        QFETCH(int, orientX);
        QFETCH(QPoint, centre);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        SunspotGroup &g = addGroup(r, 0, 900, 100);
        g.aux2Position = packPosition(90, 50); // the second spot alone also shows
        g.aux2Area = 400;
        const QImage image = renderDrawing(buildDrawingModel(r, settings(orientX)));
        QCOMPARE(pixelAt(image, centre), auxSpotColour());
        QCOMPARE(pixelAt(image, centre + QPoint(4, 0)), auxSpotColour());
        QCOMPARE(pixelAt(image, centre - QPoint(4, 0)), auxSpotColour());
        QVERIFY(pixelAt(image, QPoint(560 - centre.x(), centre.y())) != auxSpotColour());
    }

    void faculae_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("polar entry") << false << true;
        QTest::newRow("heliographic entry") << true << false;
    }
    void faculae() {
        QFETCH(bool, heliographic);
        QFETCH(bool, drawn);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        // A two-vertex field, drawn as the line from (380, 280) to (480, 280).
        addFaculaField(r, {packPosition(90, 50), packPosition(90, 100)});
        // From (180, 280) to (107, 180); vertex 3 has an angle but no distance and must not
        // pull the outline to the centre, which would fill a triangle around (210, 270).
        addFaculaField(r, {packPosition(270, 50), packPosition(300, 100), packPosition(180, 0)});
        // A triangle above the centre, filled.
        addFaculaField(r, {packPosition(0, 100), packPosition(20, 100), packPosition(10, 60)});
        DrawingSettings s = settings();
        s.heliographicEntry = heliographic;
        const QImage image = renderDrawing(buildDrawingModel(r, s));
        const QColor line = drawn ? faculaPenColour() : diskColour();
        QCOMPARE(pixelAt(image, {430, 280}), line);
        QCOMPARE(pixelAt(image, {383, 280}), line);
        QCOMPARE(pixelAt(image, {477, 280}), line);
        QVERIFY(pixelAt(image, {430, 284}) != faculaFillColour());
        QCOMPARE(countPixels(image, QRect(141, 228, 5, 5),
                             [](QColor c) { return c == faculaPenColour(); }) > 0,
                 drawn); // middle of the second field's line
        QVERIFY(pixelAt(image, {210, 270}) != faculaFillColour());

        const QPolygon triangle = buildDrawingModel(r, settings()).faculae.at(2);
        const QPoint centroid = (triangle[0] + triangle[1] + triangle[2]) / 3;
        QCOMPARE(pixelAt(image, centroid), drawn ? faculaFillColour() : diskColour());
    }

    void parallelsAreBlack_data() {
        QTest::addColumn<int>("orientY");
        QTest::newRow("north up") << 1;
        QTest::newRow("north down") << -1;
    }
    void parallelsAreBlack() {
        QFETCH(int, orientY);
        const DrawingModel m =
            buildDrawingModel(drawingRecord(QStringLiteral("21.06.2001")), settings(1, orientY));
        const QImage image = renderDrawing(m);
        for (int latitude : {-40, -20, 0, 30}) {
            const QPoint onLine = projectGridPoint(latitude, 20, m.ephemeris, 1, orientY, 279);
            QVERIFY2(isDark(pixelAt(image, onLine)), qPrintable(QString::number(latitude)));
            // The 30 degree parallel lies above the centre when north is up.
            if (latitude == 30)
                QCOMPARE(onLine.y() < 280, orientY == 1);
        }
    }

    void meridianOnlyWhenOnTheVisibleHalf_data() {
        QTest::addColumn<double>("L0");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("L0 30: drawn") << 30.0 << true;
        QTest::newRow("L0 120: not drawn") << 120.0 << false;
    }
    void meridianOnlyWhenOnTheVisibleHalf() {
        QFETCH(double, L0);
        QFETCH(bool, drawn);
        const Moment moment = momentWithL0(L0);
        QVERIFY(!moment.date.isEmpty());
        const DrawingModel m =
            buildDrawingModel(drawingRecord(moment.date, moment.timeUT), settings());
        const QImage image = renderDrawing(m);
        // Where longitude 0 crosses latitudes 15 and -25, away from every parallel. On the
        // far side the same projection falls on the disk, where nothing may be drawn.
        for (int latitude : {15, -25}) {
            const QPoint p = projectGridPoint(latitude, -m.ephemeris.L0, m.ephemeris, 1, 1);
            QVERIFY(QRect(40, 40, 480, 480).contains(p));
            if (drawn)
                QVERIFY(isDark(pixelAt(image, p)));
            else
                QCOMPARE(pixelAt(image, p), diskColour());
        }
    }

    void textBlockIsWritten() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"), 830);
        writeText(r.observer, QStringLiteral("Jana Nováková"));
        addGroup(r, 0, 625).spotCount = 4;
        const DrawingModel m = buildDrawingModel(r, settings());
        const QImage image = renderDrawing(m);
        QVERIFY2(countPixels(image, QRect(540, 20, 200, 20), isDark) > 0, "date header");
        QVERIFY2(countPixels(image, QRect(540, 45, 200, 20), isDark) > 0, "observer header");
        for (int k = 1; k <= 15; ++k)
            QVERIFY2(countPixels(image, QRect(580, 100 + 18 * k, 30, 14), isDark) > 0,
                     qPrintable(QStringLiteral("label %1").arg(k)));
        for (int k = 1; k <= 12; ++k) {
            // Right-aligned in 50 px from x 658: the right part of the column is written.
            QVERIFY2(countPixels(image, QRect(680, 100 + 18 * k, 30, 14), isDark) > 0,
                     qPrintable(QStringLiteral("value %1").arg(k)));
        }
        for (int k = 13; k <= 15; ++k)
            for (int x : {650, 680, 710})
                QVERIFY2(countPixels(image, QRect(x, 100 + 18 * k, 28, 14), isDark) > 0,
                         qPrintable(QStringLiteral("index %1 at %2").arg(k).arg(x)));
        for (int y : {540, 560, 580, 600, 630})
            QVERIFY2(countPixels(image, QRect(10, y, 30, 14), isDark) > 0,
                     qPrintable(QStringLiteral("row caption %1").arg(y)));
    }

    void thirtyGroupsFitTheImage() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        for (int i = 0; i < 30; ++i)
            addGroup(r, 120 * i, 300 + 25 * i, 100);
        const DrawingModel m = buildDrawingModel(r, settings());
        const QSize size = drawingSize(m);
        QVERIFY(size.width() > 38 * 30 + 30 + 10);
        const QImage image = renderDrawing(m);
        QVERIFY(countPixels(image, columnCell(30, 623), isDark) > 0);
        // The last column is not cut off: white margin to the right of it.
        QCOMPARE(countPixels(image, QRect(image.width() - 3, 0, 3, image.height()), isDark), 0);
    }

    // A damaged record puts a group 52 times the radius out to the right (distance 65535):
    // the picture keeps the frame a group on the disk gives it instead of growing to the
    // label beside that circle, some 13000 pixels away.
    void damagedGroupKeepsTheFrame() {
        ObservationRecord onDisk = drawingRecord(QStringLiteral("21.06.2001"));
        ObservationRecord damaged = onDisk;
        addGroup(onDisk, 900, 1000);
        addGroup(damaged, 900, 65535, 65535).smallSpots = 65535;
        const QSize frame = drawingSize(buildDrawingModel(onDisk, settings()));
        QCOMPARE(drawingSize(buildDrawingModel(damaged, settings())), frame);
        QCOMPARE(renderDrawing(buildDrawingModel(damaged, settings())).size(), frame);
    }

    void scaledPaintingKeepsProportions() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, 900, 625, 400);
        const DrawingModel m = buildDrawingModel(r, settings());
        QImage image(drawingSize(m) * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawingGeometry geometry;
        geometry.scale = 2;
        geometry.offset = QPointF(0, 0);
        paintDrawing(painter, m, geometry);
        painter.end();
        QCOMPARE(pixelAt(image, {810, 560}), groupFillColour());
        QCOMPARE(pixelAt(image, {810 + 9, 560}), groupFillColour());
        QCOMPARE(pixelAt(image, {2 * 282, 2 * 300}), diskColour());
        // Lines scale too: the limb is about two pixels thick.
        QVERIFY(countPixels(image, QRect(558, 58, 6, 6), isDark) >= 2);
    }
};

ORVANEK_REGISTER_TEST(TestDrawingPainter);
#include "tst_drawingpainter.moc"
