// The class proposed for a group: each rule at its boundary (3, 10 and 15 degrees of length,
// 2.5 degrees of penumbra), the letters the table does not combine, and a penumbra whose shape
// the drawing does not show. Spots lie on the equator, so a degree of longitude is a degree
// of length.
#include "scan/spotclass.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QPainter>
#include <QTest>

#include <numbers>

using namespace orvanek;

Q_DECLARE_METATYPE(std::vector<orvanek::ClassSpot>)

namespace {

ClassSpot bare(double lon, double lat = 0) {
    return {lat, lon, false, 1, {}};
}

// A spot with a measured penumbra `ns` degrees from north to south.
ClassSpot outlined(double lon, double ns, bool symmetric = true, bool rudimentary = false,
                   double area = 10) {
    ClassSpot s{0, lon, true, area, {}};
    s.shape.measured = true;
    s.shape.northSouthDeg = ns;
    s.shape.symmetric = symmetric;
    s.shape.rudimentary = rudimentary;
    return s;
}

// The same, its outline on the Sun an ellipse reaching `eastWest` degrees east and west.
ClassSpot elongated(double lon, double ns, double eastWest) {
    ClassSpot s = outlined(lon, ns);
    for (int k = 0; k < 36; ++k)
        s.shape.outlineDeg.emplace_back(eastWest * std::cos(k * std::numbers::pi / 18),
                                        ns / 2 * std::sin(k * std::numbers::pi / 18));
    return s;
}

class TestSpotClass : public QObject {
    Q_OBJECT

  private slots:
    void classOfGroup_data() {
        QTest::addColumn<std::vector<ClassSpot>>("spots");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("sure");
        QTest::newRow("one spot") << std::vector{bare(10)} << "Axx" << true;
        QTest::newRow("2.99 apart: unipolar")
            << std::vector{bare(10), bare(12.99)} << "Axx" << true;
        QTest::newRow("3.01 apart: bipolar") << std::vector{bare(10), bare(13.01)} << "Bxo" << true;
        QTest::newRow("unipolar, penumbra")
            << std::vector{outlined(10, 2), bare(12)} << "Hsx" << true;
        QTest::newRow("2.99 from the penumbra's border: unipolar")
            << std::vector{elongated(10, 2, 2), bare(14.99)} << "Hsx" << true;
        QTest::newRow("3.01 from the penumbra's border: bipolar")
            << std::vector{elongated(10, 2, 2), bare(15.01)} << "Cso" << true;
        QTest::newRow("penumbra 2.5: small")
            << std::vector{outlined(10, 2.5), bare(15)} << "Cso" << true;
        QTest::newRow("penumbra 2.51: large")
            << std::vector{outlined(10, 2.51), bare(15)} << "Cho" << true;
        QTest::newRow("small, asymmetric")
            << std::vector{outlined(10, 2.5, false), bare(15)} << "Cao" << true;
        QTest::newRow("large, asymmetric")
            << std::vector{outlined(10, 2.51, false), bare(15)} << "Cko" << true;
        QTest::newRow("rudimentary")
            << std::vector{outlined(10, 3, true, true), bare(15)} << "Cro" << true;
        QTest::newRow("both ends, 9.99: D")
            << std::vector{outlined(10, 2), outlined(19.99, 1, true, false, 5)} << "Dso" << true;
        QTest::newRow("both ends, 10.01: E")
            << std::vector{outlined(10, 2), outlined(20.01, 1, true, false, 5)} << "Eso" << true;
        QTest::newRow("both ends, 14.99: E")
            << std::vector{outlined(10, 3), outlined(24.99, 1, true, false, 5)} << "Eho" << true;
        QTest::newRow("both ends, 15.01: F")
            << std::vector{outlined(10, 3), outlined(25.01, 1, true, false, 5)} << "Fho" << true;
        QTest::newRow("two between: open")
            << std::vector{outlined(10, 2), bare(13), bare(15), outlined(18, 1, true, false, 5)}
            << "Dso" << true;
        QTest::newRow("three between: intermediate")
            << std::vector{outlined(10, 2), bare(13), bare(14), bare(15),
                           outlined(18, 1, true, false, 5)}
            << "Dsi" << true;
        QTest::newRow("three between, one penumbra: compact")
            << std::vector{outlined(10, 2), bare(13), outlined(14, 1, true, false, 2), bare(15),
                           outlined(18, 1, true, false, 5)}
            << "Dsc" << true;
        QTest::newRow("beside the leader is not between")
            << std::vector{outlined(10, 2), bare(10.5), bare(10.8, 0.5), bare(14),
                           outlined(18, 1, true, false, 5)}
            << "Dso" << true;
        QTest::newRow("beside the leader's penumbra along the group")
            << std::vector{elongated(10, 2, 2), bare(13.1), bare(14), bare(15),
                           outlined(19, 1, true, false, 5)}
            << "Dso" << true;
        QTest::newRow("compact, rudimentary: not in the table")
            << std::vector{outlined(10, 2, true, true), bare(13), outlined(14, 1, true, false, 2),
                           bare(15), outlined(18, 1, true, false, 5)}
            << "Dri" << false;
        QTest::newRow("shape not shown")
            << std::vector{ClassSpot{0, 10, true, 10, {}}, bare(15)} << "Cso" << false;
    }
    void classOfGroup() {
        QFETCH(std::vector<ClassSpot>, spots);
        QFETCH(QString, type);
        QFETCH(bool, sure);
        const ClassProposal p = proposeClass(spots);
        QCOMPARE(p.type, type);
        QCOMPARE(p.decided(), sure);
        QCOMPARE(p.doubts.isEmpty(), sure);
    }

    // A spot drawn solid inside its outline is filled, unless the finder saw a core under half
    // its area (paper round the core inside the outline, which the grain can hide).
    void filledByFinderCore_data() {
        QTest::addColumn<double>("coreMm2");
        QTest::addColumn<bool>("filled");
        QTest::newRow("finder's core 0.49 of the spot: a penumbra") << 0.49 << false;
        QTest::newRow("finder's core 0.51 of the spot: filled") << 0.51 << true;
    }
    void filledByFinderCore() {
        QFETCH(double, coreMm2);
        QFETCH(bool, filled);
        const QPointF centre(600, 600);
        QImage grey(1200, 1200, QImage::Format_Grayscale8);
        grey.fill(240);
        QPainter p(&grey);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(centre, 20, 20);
        p.end();
        ScanRegistration reg;
        reg.limb = LimbFit{centre, 500, 100, 0.5};
        reg.frame = ScanFrame(centre, 500, 0, 1, 1, 80); // 6.25 pixels a millimetre
        FoundSpot spot;
        spot.pixel = centre;
        spot.penumbra = true;
        spot.areaMm2 = std::numbers::pi * 3.2 * 3.2; // 20 pixels of radius
        spot.coreAreaMm2 = coreMm2 * spot.areaMm2;
        for (int k = 0; k < 72; ++k)
            spot.outline << centre + 20 * QPointF(std::cos(k * std::numbers::pi / 36),
                                                  std::sin(k * std::numbers::pi / 36));
        const Ephemeris e = solarEphemeris(CalendarDate{2005, 6, 15}, 1030);
        QCOMPARE(measurePenumbra(grey, reg, e, spot).filled, filled);
    }

    // Outlines judged from the image (12.5 pixels a millimetre, R 40, at the disk's centre):
    // a ring of 36 pixels (4 wide) or its upper half, round a core (an ellipse, or a
    // rectangle where wider than the ring).
    void judgedFromTheImage_data() {
        QTest::addColumn<bool>("arc");
        QTest::addColumn<QRectF>("core");      // pixels from the spot's centre
        QTest::addColumn<double>("finderMm2"); // a spot found without a penumbra; 0: with one
        QTest::addColumn<QString>("type");
        QTest::newRow("arc over half the core: rudimentary")
            << true << QRectF(-20, -20, 40, 40) << 0.0 << "Hrx";
        QTest::newRow("core touching the ring on two sides, 16 % each: not rudimentary")
            << false << QRectF(-38, -14, 76, 28) << 0.0 << "Hhx";
        QTest::newRow("core 0.5 mm across, 0.44 of the radius off the middle: asymmetric")
            << false << QRectF(12.8, -3.2, 6.4, 6.4) << 0.0 << "Hkx";
        QTest::newRow("found without penumbra, 1.81 mm²: measured")
            << false << QRectF(-3.2, -3.2, 6.4, 6.4) << 1.81 << "Hhx";
    }
    void judgedFromTheImage() {
        QFETCH(bool, arc);
        QFETCH(QRectF, core);
        QFETCH(double, finderMm2);
        QFETCH(QString, type);
        const QPointF centre(600, 600);
        QImage grey(1200, 1200, QImage::Format_Grayscale8);
        grey.fill(240);
        QPainter p(&grey);
        p.setPen(QPen(QColor(60, 60, 60), 4));
        p.drawArc(QRectF(centre - QPointF(36, 36), QSizeF(72, 72)), 0, (arc ? 180 : 360) * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        core.width() > 72 ? p.drawRect(core.translated(centre))
                          : p.drawEllipse(core.translated(centre));
        p.end();
        ScanRegistration reg;
        reg.limb = LimbFit{centre, 500, 100, 0.5};
        reg.frame = ScanFrame(centre, 500, 0, 1, 1, 40);
        FoundSpot spot{centre, finderMm2, finderMm2 == 0, 1};
        for (int k = 0; k < 72; ++k) // the upper half round the arc, the lower round the core
            spot.outline << centre + (arc && k > 36 ? 20 : 38) *
                                         QPointF(std::cos(k * std::numbers::pi / 36),
                                                 -std::sin(k * std::numbers::pi / 36));
        const Ephemeris e = solarEphemeris(CalendarDate{2005, 6, 15}, 1030);
        QCOMPARE(proposeClasses(grey, reg, e, {spot}).at(0).type, type);
    }

    // A round outline with a gap of 1 mm (the finder gives the edge of the open stroke, round
    // its ends) round a centred core: judged on the outline the gap is closed in, symmetric.
    void gapClosedBeforeShapeIsJudged() {
        const QPointF centre(600, 600);
        constexpr double kPx = 6.25;            // pixels a millimetre
        constexpr double kGap = 1.0 * kPx / 18; // radians of the stroke's middle
        QPolygonF stroke; // the stroke's edge: out along the outer side, back along the inner
        for (int k = 0; k <= 72; ++k) {
            const double a = kGap / 2 + k * (2 * std::numbers::pi - kGap) / 72;
            stroke << centre + 19.25 * QPointF(std::cos(a), std::sin(a));
        }
        for (int k = 72; k >= 0; --k) {
            const double a = kGap / 2 + k * (2 * std::numbers::pi - kGap) / 72;
            stroke << centre + 16.75 * QPointF(std::cos(a), std::sin(a));
        }
        QImage grey(1200, 1200, QImage::Format_Grayscale8);
        grey.fill(240);
        QPainter p(&grey);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawPolygon(stroke);
        p.drawEllipse(centre, 5, 5);
        p.end();
        ScanRegistration reg;
        reg.limb = LimbFit{centre, 500, 100, 0.5};
        reg.frame = ScanFrame(centre, 500, 0, 1, 1, 500 / kPx);
        FoundSpot spot;
        spot.pixel = centre;
        spot.penumbra = true;
        spot.outline = stroke;
        const PenumbraShape shape =
            measurePenumbra(grey, reg, solarEphemeris(CalendarDate{2005, 6, 15}, 1030), spot);
        QVERIFY(!shape.filled);
        QVERIFY(!shape.rudimentary);
        QCOMPARE(shape.symmetric, std::optional<bool>(true));
        // Its north-south extent is the stroke's middle's (18 pixels from the centre at the
        // disk's centre of R 80 mm) to a pixel, not its outer edge's (19.25 pixels: 0.29
        // degrees more).
        const double middleDeg = 2 * std::asin(18 / kPx / 80) * 180 / std::numbers::pi;
        QVERIFY2(std::abs(shape.northSouthDeg - middleDeg) < 0.15,
                 qPrintable(QString::number(shape.northSouthDeg)));
    }
};

} // namespace

ORVANEK_REGISTER_TEST(TestSpotClass);
#include "tst_spotclass.moc"
