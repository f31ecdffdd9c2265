// The overlay painted over a scan (pixel probes where geometry puts the limb, the grid, the
// north mark and a marker) and the sheet painted where a scan shows it.
#include "imageprobes.h"
#include "madescans.h"
#include "scan/scanoverlay.h"
#include "testregistry.h"

#include <QPainter>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

bool isRed(QColor c) {
    return c.red() > 180 && c.green() < 120 && c.blue() < 120;
}
bool isGridBlue(QColor c) {
    return c.blue() > 150 && c.red() < 120;
}
bool isGreen(QColor c) {
    return c.green() > 120 && c.red() < 120 && c.blue() < 120;
}
bool anyNear(const QImage &image, QPointF at, const std::function<bool(QColor)> &accept) {
    return countPixels(image, QRect(at.toPoint() - QPoint(1, 1), QSize(3, 3)), accept) > 0;
}

} // namespace

class TestScanOverlay : public QObject {
    Q_OBJECT

  private slots:
    void probes_data() {
        QTest::addColumn<double>("turn");
        QTest::addColumn<bool>("withGrid");
        QTest::newRow("upright with the grid") << 0.0 << true;
        QTest::newRow("turned a quarter with the grid") << 90.0 << true;
        QTest::newRow("upright without the grid") << 0.0 << false;
    }
    void probes() {
        QFETCH(double, turn);
        QFETCH(bool, withGrid);
        // A disk of 150 pixels for R 100 mm at (200, 200); B0 0, P 0, L0 100: the central
        // meridian runs up the drawing, the equator across it.
        const ScanFrame frame{QPointF(200, 200), 150, turn, 1, 1, 100};
        const ScanOverlay overlay =
            buildScanOverlay(frame, Ephemeris{0, 0, 100, 0}, withGrid, {{3, QPointF(260, 140)}});
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            paintScanOverlay(p, overlay, QTransform());
        }
        // The drawing's direction d (mm from the centre, y down) on the image.
        const auto at = [&](QPointF d) {
            const double c = std::cos(turn * kDeg);
            const double s = std::sin(turn * kDeg);
            return QPointF(200, 200) + QPointF(c * d.x() - s * d.y(), s * d.x() + c * d.y()) * 1.5;
        };
        // The limb at 45 degrees, away from the grid's ends.
        QVERIFY(anyNear(image, at(QPointF(100, -100) / std::sqrt(2.0)), isRed));
        // The central meridian at b -30 (half way down the radius), the equator half way east.
        QCOMPARE(anyNear(image, at(QPointF(0, 50)), isGridBlue), withGrid);
        QCOMPARE(anyNear(image, at(QPointF(50, 0)), isGridBlue), withGrid);
        // Inside a cell of the grid: nothing.
        QVERIFY(!anyNear(image, at(QPointF(20, -28)), [](QColor c) { return c != Qt::white; }));
        // The north mark crosses the limb at the drawing's top.
        QVERIFY(anyNear(image, at(QPointF(0, -104)), isRed));
        // Row 3's marker: a circle of 9 pixels round its place.
        QVERIFY(anyNear(image, QPointF(260 - 9, 140), isGreen));
        QVERIFY(!anyNear(image, QPointF(260, 140), isGreen));
    }

    void sheetWhereTheScanShowsIt() {
        const SheetModel model = sheetOf2001(60, 1, -1);
        const MadeScan made = scanOfSheet(model, {150, 5, QPointF(3, -2), 0, -1});
        const ScanRegistration reg = registerScan(made.image, ScanOptions{});
        QVERIFY(reg.registered() && reg.code);
        const QImage sheet = renderSheetOnScan(reg, made.image.size());
        QCOMPARE(sheet.size(), made.image.size());
        const auto dark = [](const QImage &image, QPointF at) {
            return qGray(image.pixel(at.toPoint())) < 128;
        };
        // The fiducial dots, the limb between the ticks, and blank paper inside a grid cell
        // fall on the same pixels in the scan and in the sheet painted for it.
        std::vector<QPointF> printed;
        for (const QPointF &f : model.fiducials)
            printed.push_back(made.drawingToImage.map(f - model.centre));
        for (double a : {45.0, 135.0, 225.0, 315.0})
            printed.push_back(
                made.drawingToImage.map(QPointF(std::sin(a * kDeg), std::cos(a * kDeg)) * 60));
        for (const QPointF &p : printed) {
            QVERIFY(dark(made.image, p));
            QVERIFY(dark(sheet, p));
        }
        const QPointF paper =
            made.drawingToImage.map(QPointF(model.codeMm.center() - model.centre) + QPointF(30, 0));
        QVERIFY(!dark(made.image, paper) && !dark(sheet, paper));
        // A scan without the code has no sheet to paint.
        ScanRegistration plain = reg;
        plain.code.reset();
        QVERIFY(renderSheetOnScan(plain, made.image.size()).isNull());
    }
};

ORVANEK_REGISTER_TEST(TestScanOverlay);
#include "tst_scanoverlay.moc"
