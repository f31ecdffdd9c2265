// Registration on made scans: the program's own sheet at 150 and 300 dpi, A4 and A3, in all
// four orientations, turned, shifted, noisy and saved as JPEG; a plain drawing with the moment
// and north given; and what is refused. Expected places come from the program's own
// heliographicToPolar for the sheet's moment, drawn where the sheet's orientation puts them.
#include "madescans.h"
#include "scan/scanregistration.h"
#include "solar/conversion.h"
#include "testregistry.h"

#include <QLineF>
#include <QRectF>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

struct Truth {
    double b, l;     // where a dot was drawn
    double angle;    // its position angle and distance on the drawing
    double distance; // mm
    QPointF pixel;
};

// Places on the visible disk between 0.3 R and 0.95 R from the centre (nearer the centre a
// tenth of a mm is more than 0.3 degrees of angle), and two dots at the limb that must not
// pull it.
std::vector<Truth> truths(const Ephemeris &e, double radius, int orientX, int orientY,
                          const QTransform &drawingToImage) {
    std::vector<Truth> list;
    for (double dl : {-65.0, -25.0, 35.0, 70.0})
        for (double b : {-35.0, 12.0, 40.0}) {
            const double l = std::fmod(e.L0 + dl + 360, 360);
            const PolarPosition p = heliographicToPolar(e, float(b), float(l), radius);
            if (p.polarDistance < 0.3 * radius || p.polarDistance > 0.95 * radius)
                continue;
            const double a = p.polarAngle * kDeg;
            const QPointF mm(orientX * p.polarDistance * std::sin(a),
                             -orientY * p.polarDistance * std::cos(a));
            list.push_back({b, l, std::fmod(p.polarAngle + 360, 360), p.polarDistance,
                            drawingToImage.map(mm)});
        }
    return list;
}

std::vector<QPointF> dotsFor(const std::vector<Truth> &list, const QTransform &imageToDrawing,
                             double radius) {
    std::vector<QPointF> dots;
    for (const Truth &t : list)
        dots.push_back(imageToDrawing.map(t.pixel));
    dots.push_back(QPointF(0.68, 0.72) * radius); // at the limb, touching it
    dots.push_back(QPointF(-0.98, -0.1) * radius);
    return dots;
}

double angleDifference(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

// Every truth read back within the tolerances observers work to.
void checkPlaces(const ScanRegistration &reg, const Ephemeris &e, const std::vector<Truth> &list) {
    QVERIFY(list.size() >= 5);
    for (const Truth &t : list) {
        const ScanPoint p = scanPointAt(reg.frame, e, t.pixel);
        const QByteArray where = QStringLiteral("b %1, l %2").arg(t.b).arg(t.l).toUtf8();
        QVERIFY2(p.onDisk, where);
        QVERIFY2(angleDifference(p.place.angleDeg, t.angle) <= 0.3,
                 where + " angle " + QByteArray::number(p.place.angleDeg - t.angle));
        QVERIFY2(std::abs(p.place.distanceMm - t.distance) <= 0.3,
                 where + " distance " + QByteArray::number(p.place.distanceMm - t.distance));
        QVERIFY2(std::abs(p.helio.helioLatitude - t.b) <= 0.5, where);
        QVERIFY2(angleDifference(p.helio.helioLongitude, t.l) <= 0.5, where);
    }
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

  private slots:
    void ownSheet_data() {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("turn");
        QTest::addColumn<QPointF>("shiftMm");
        QTest::addColumn<int>("jpeg");
        QTest::newRow("A4 R 80, 300 dpi, 7 degrees, moved, noisy JPEG 75")
            << "A4" << 80.0 << 1 << 1 << 300 << 7.0 << QPointF(4, -6) << 75;
        QTest::newRow("A3 R 125, 150 dpi, east-west mirrored, -10 degrees")
            << "A3" << 125.0 << -1 << 1 << 150 << -10.0 << QPointF(-3, 2) << -1;
        QTest::newRow("A4 R 60, 150 dpi, north-south mirrored, 10 degrees, JPEG 75")
            << "A4" << 60.0 << 1 << -1 << 150 << 10.0 << QPointF(0, 5) << 75;
        QTest::newRow("A3 R 100, 150 dpi, both mirrored, -3.5 degrees, JPEG 75")
            << "A3" << 100.0 << -1 << -1 << 150 << -3.5 << QPointF(6, 0) << 75;
        QTest::newRow("A4 R 45, 300 dpi, upside down")
            << "A4" << 45.0 << 1 << 1 << 300 << 178.0 << QPointF(-2, -2) << 75;
    }
    void ownSheet() {
        QFETCH(QString, paper);
        QFETCH(double, radius);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(int, dpi);
        QFETCH(double, turn);
        QFETCH(QPointF, shiftMm);
        QFETCH(int, jpeg);
        const SheetModel model = sheetOf2001(radius, orientX, orientY, paperFromName(paper));
        QVERIFY(model.printable());
        const ScanRecipe recipe{dpi, turn, shiftMm, 6, jpeg};
        // The places first, then the scan with dots drawn there.
        const QTransform toImage = sheetDrawingToScan(model, recipe);
        const std::vector<Truth> list = truths(model.ephemeris, radius, orientX, orientY, toImage);
        const MadeScan made = scanOfSheet(model, recipe, dotsFor(list, toImage.inverted(), radius));

        const ScanRegistration reg = registerScan(made.image, ScanOptions{});
        QVERIFY(reg.registered());
        // The code read back exactly.
        QVERIFY(reg.code);
        QCOMPARE(reg.code->date, model.settings.date);
        QCOMPARE(reg.code->timeUT, uint16_t(830));
        QCOMPARE(reg.code->radiusMm, radius);
        QCOMPARE(reg.code->orientX, orientX);
        QCOMPARE(reg.code->orientY, orientY);
        QCOMPARE(paperName(reg.code->paper), paper);
        QVERIFY(reg.momentFromCode);
        // Every dot the scan holds whole, none cut by its edge (a turned sheet loses a
        // corner off the scanner).
        int dotsOnImage = 0;
        const double inside = 1.5 * dpi / 25.4 + 3; // the dot's radius and a little
        for (const QPointF &f : model.fiducials) {
            const QPointF at = made.drawingToImage.map(f - model.centre);
            dotsOnImage +=
                QRectF(made.image.rect()).adjusted(inside, inside, -inside, -inside).contains(at);
        }
        QVERIFY(dotsOnImage >= 1);
        QCOMPARE(reg.fiducialsFound, dotsOnImage);
        // The limb's centre within 0.3 mm, its radius within 0.2 %.
        const double k = dpi / 25.4;
        const QPointF centre = made.drawingToImage.map(QPointF());
        QVERIFY2(QLineF(reg.frame.centre, centre).length() <= 0.3 * k,
                 qPrintable(QString::number(QLineF(reg.frame.centre, centre).length() / k)));
        QVERIFY2(std::abs(reg.frame.radiusPx / (radius * k) - 1) <= 0.002,
                 qPrintable(QString::number(reg.frame.radiusPx / (radius * k))));
        QCOMPARE(reg.frame.orientX, orientX);
        QCOMPARE(reg.frame.orientY, orientY);
        QVERIFY2(angleDifference(reg.frame.turnDeg, turn) < 0.1,
                 qPrintable(QString::number(reg.frame.turnDeg)));
        checkPlaces(reg, model.ephemeris, list);
    }

    void plainDrawing_data() {
        QTest::addColumn<int>("orientY");
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("jpeg");
        QTest::newRow("north up, turned 6 degrees") << 1 << 6.0 << -1;
        QTest::newRow("north-south mirrored, turned -8 degrees, JPEG 75") << -1 << -8.0 << 75;
    }
    void plainDrawing() {
        QFETCH(int, orientY);
        QFETCH(double, turn);
        QFETCH(int, jpeg);
        // 15 March 1995 10:15: B0 -7.16, P -23.9, far from 0.
        const CalendarDate date = *parseDate(QStringLiteral("15.03.1995"), 2000);
        const Ephemeris e = solarEphemeris(date, 1015);
        constexpr double radius = 100;
        const ScanRecipe recipe{150, turn, QPointF(3, -4), 5, jpeg};
        const QSizeF a4(210, 297);
        const QTransform toImage = plainDrawingToScan(a4, recipe);
        const std::vector<Truth> list = truths(e, radius, 1, orientY, toImage);
        const MadeScan made = scanOfPlainDrawing(a4, radius, orientY, recipe,
                                                 dotsFor(list, toImage.inverted(), radius));

        ScanOptions options;
        options.date = date;
        options.timeUT = 1015;
        options.radiusMm = radius;
        options.mirrorY = orientY < 0;
        // The north mark drawn at the drawing's top (or bottom), turned with the paper: it
        // lies `turn` degrees clockwise of the image's up (or of its down).
        options.northAngleDeg = turn + (orientY > 0 ? 0 : 180);
        const ScanRegistration reg = registerScan(made.image, options);
        QVERIFY(reg.registered());
        QVERIFY(!reg.code);
        QVERIFY(!reg.momentFromCode);
        QVERIFY(reg.hasMoment());
        const double k = 150 / 25.4;
        QVERIFY(QLineF(reg.frame.centre, made.drawingToImage.map(QPointF())).length() <= 0.3 * k);
        QVERIFY(std::abs(reg.frame.radiusPx / (radius * k) - 1) <= 0.002);
        checkPlaces(reg, e, list);

        // Without the moment the scan registers, but has none to convert with.
        const ScanRegistration noMoment = registerScan(made.image, ScanOptions{});
        QVERIFY(noMoment.registered());
        QVERIFY(!noMoment.hasMoment());
    }

    void limbOrNone_data() {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<bool>("found");
        QTest::newRow("blank paper") << "" << false;
        QTest::newRow("a square and a line") << "square" << false;
        QTest::newRow("a quarter of a circle") << "arc" << false;
        // No dark shape of it is round: the circle transform finds it.
        QTest::newRow("a dashed circle") << "dashed" << true;
        QTest::newRow("a circle with a square beside it") << "circle" << true;
    }
    void limbOrNone() {
        QFETCH(QString, drawn);
        QFETCH(bool, found);
        QImage image(1240, 1754, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        // A circle of 400 pixels round (620, 800).
        const QRectF circle(220, 400, 800, 800);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Qt::black, 4));
            if (drawn == "square") {
                p.drawRect(200, 300, 800, 800);
                p.drawLine(100, 1500, 1100, 1400);
            } else if (drawn == "arc") {
                p.drawArc(circle, 0, 90 * 16);
            } else if (drawn == "dashed") {
                p.setPen(QPen(QColor(60, 60, 60), 4, Qt::DashLine));
                p.drawEllipse(circle);
            } else if (drawn == "circle") {
                p.drawEllipse(circle);
                p.drawRect(100, 1300, 300, 300);
            }
        }
        const ScanRegistration reg = registerScan(image, ScanOptions{});
        QCOMPARE(reg.registered(), found);
        if (found) {
            QVERIFY(QLineF(reg.frame.centre, QPointF(619.5, 799.5)).length() < 1);
            QVERIFY(std::abs(reg.frame.radiusPx - 400) < 1);
        }
    }

    void optionsAgainstTheCode() {
        const SheetModel model = sheetOf2001(60);
        const SheetSettings &s = model.settings;
        const MadeScan made = scanOfSheet(model, {150, 2, QPointF(), 0, -1});
        ScanOptions options;
        options.date = *parseDate(QStringLiteral("22.06.2001"), 2000);
        options.timeUT = 830;
        options.radiusMm = 62;
        options.mirrorX = true;
        options.northAngleDeg = 0;
        const ScanRegistration reg = registerScan(made.image, options);
        // The options win ...
        QCOMPARE(reg.date, options.date);
        QVERIFY(!reg.momentFromCode);
        QCOMPARE(reg.frame.radiusMm, 62.0);
        QCOMPARE(reg.frame.orientX, -1);
        QCOMPARE(reg.frame.turnDeg, 0.0);
        // ... and each difference from the code is told.
        const QStringList told = scanDisagreements(reg, options);
        QCOMPARE(told.size(), 4);
        QVERIFY(told[0].contains("22.06.2001 0830") && told[0].contains("21.06.2001 0830"));
        QVERIFY(told[1].contains("62 mm") && told[1].contains("60 mm"));
        QVERIFY(told[3].contains("2.00"));
        // Options that agree with it are not told.
        ScanOptions same;
        same.date = s.date;
        same.timeUT = 830;
        same.radiusMm = 60;
        QVERIFY(scanDisagreements(registerScan(made.image, same), same).isEmpty());
    }
};

ORVANEK_REGISTER_TEST(TestRegistration);
#include "tst_registration.moc"
