// Registration on made scans: the program's own sheet at 150 and 300 dpi, A4 and A3, in all
// four orientations, turned, shifted, noisy and saved as JPEG; a plain drawing with the moment
// and north given; and what is refused. Expected places come from the program's own
// heliographicToPolar for the sheet's moment, drawn where the sheet's orientation puts them.
#include "madescans.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"
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
    double b, l, angle, distance; // a dot's place, its position angle and distance (mm)
    QPointF pixel;
};

// Places on the visible disk between 0.3 R and 0.95 R from the centre (nearer the centre a
// tenth of a mm is more than 0.3 degrees of angle).
std::vector<Truth> truths(const Ephemeris &e, double radius, int orientX, int orientY,
                          const QTransform &drawingToImage) {
    std::vector<Truth> list;
    for (double dl : {-65.0, -25.0, 35.0, 70.0})
        for (double b : {-35.0, 12.0, 40.0}) {
            const double l = std::fmod(e.L0 + dl + 360, 360);
            const PolarPosition p = heliographicToPolar(e, float(b), float(l), radius);
            const double a = p.polarAngle * kDeg;
            const QPointF mm(orientX * std::sin(a), -orientY * std::cos(a));
            if (p.polarDistance >= 0.3 * radius && p.polarDistance <= 0.95 * radius)
                list.push_back({b, l, std::fmod(p.polarAngle + 360, 360), p.polarDistance,
                                drawingToImage.map(mm * p.polarDistance)});
        }
    return list;
}

// Dots at the truths, and two at the limb that must not pull it.
std::vector<QPointF> dotsFor(const std::vector<Truth> &list, const QTransform &toImage,
                             double radius) {
    std::vector<QPointF> dots{QPointF(0.68, 0.72) * radius, QPointF(-0.98, -0.1) * radius};
    for (const Truth &t : list)
        dots.push_back(toImage.inverted().map(t.pixel));
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
        QVERIFY(p.onDisk && angleDifference(p.place.angleDeg, t.angle) <= 0.3);
        QVERIFY(std::abs(p.place.distanceMm - t.distance) <= 0.3);
        QVERIFY(std::abs(p.helio.helioLatitude - t.b) <= 0.5);
        QVERIFY(angleDifference(p.helio.helioLongitude, t.l) <= 0.5);
    }
}

// Whether the limb is where `drawingToImage` put it: the centre within 0.3 mm, the radius
// within 0.2 %.
bool limbWithin(const ScanFrame &f, const QTransform &drawingToImage, double radius, int dpi) {
    const double k = dpi / 25.4;
    return QLineF(f.centre, drawingToImage.map(QPointF())).length() <= 0.3 * k &&
           std::abs(f.radiusPx / (radius * k) - 1) <= 0.002;
}

// A code of `text` painted on a page with its quiet zone, its upper left corner at `mm` of
// the drawing.
void paintCode(QImage &page, const QTransform &drawingToPage, const QString &text, QPointF mm) {
    const SheetCodeSymbol symbol = sheetCodeSymbol(text);
    QPainter p(&page);
    p.setTransform(drawingToPage);
    const double quiet = kCodeQuietModules * kCodeModuleMm;
    const double side = symbol.size * kCodeModuleMm;
    p.fillRect(QRectF(mm - QPointF(quiet, quiet), QSizeF(side, side) + QSizeF(2, 2) * quiet),
               Qt::white);
    for (int y = 0; y < symbol.size; ++y)
        for (int x = 0; x < symbol.size; ++x)
            if (symbol.dark[static_cast<size_t>(y * symbol.size + x)])
                p.fillRect(QRectF(mm + QPointF(x, y) * kCodeModuleMm,
                                  QSizeF(kCodeModuleMm, kCodeModuleMm)),
                           Qt::black);
}

// A phone's photo of a page: the page tilted (its top edge `inset` of the width narrower on
// each side, about 10 degrees at 0.055) and a lens's barrel distortion `barrel` (a photo
// pixel q at r from the middle, in half the shorter side, shows the page's perspective image
// at r (barrel r + 1 - barrel)). With `table` the page lies on a table of that grey level
// showing round it. The photo and where a point of the page lands in it.
struct Photo {
    QImage image;
    std::function<QPointF(QPointF)> fromPage;
};
Photo photoOf(QImage page, double inset, double barrel, int table = -1) {
    const int margin = table >= 0 ? page.width() / 10 : 0;
    if (table >= 0) {
        QImage onTable(page.size() + QSize(2, 2) * margin, QImage::Format_Grayscale8);
        onTable.fill(QColor(table, table, table));
        QPainter(&onTable).drawImage(margin, margin, page);
        page = onTable;
    }
    const double w = page.width(), h = page.height();
    QTransform tilt;
    QTransform::quadToQuad(
        QPolygonF({{0, 0}, {w, 0}, {w, h}, {0, h}}),
        QPolygonF({{inset * w, 0.03 * h}, {(1 - inset) * w, 0.03 * h}, {w, h}, {0, h}}), tilt);
    const QPointF middle(w / 2, h / 2);
    const double half = std::min(w, h) / 2;
    const auto lens = [=](QPointF q) { // photo -> tilted page
        const QPointF v = (q - middle) / half;
        return middle + v * half * (barrel * std::hypot(v.x(), v.y()) + 1 - barrel);
    };
    const QTransform untilt = tilt.inverted();
    Photo photo{QImage(page.size(), QImage::Format_Grayscale8), {}};
    for (int y = 0; y < page.height(); ++y) {
        uchar *row = photo.image.scanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            const QPointF p = untilt.map(lens(QPointF(x, y)));
            const int x0 = static_cast<int>(std::floor(p.x())),
                      y0 = static_cast<int>(std::floor(p.y()));
            if (x0 < 0 || y0 < 0 || x0 + 1 >= page.width() || y0 + 1 >= page.height()) {
                row[x] = 255;
                continue;
            }
            const double fx = p.x() - x0, fy = p.y() - y0;
            const auto at = [&](int i, int j) { return page.constScanLine(j)[i]; };
            row[x] = static_cast<uchar>(
                std::lround((at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
                            (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy));
        }
    }
    photo.fromPage = [=](QPointF p) { // the lens undone by iteration
        const QPointF target = tilt.map(p + QPointF(margin, margin));
        QPointF q = target;
        for (int i = 0; i < 50; ++i)
            q += target - lens(q);
        return q;
    };
    return photo;
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
        const ScanRecipe recipe{dpi, turn, shiftMm, 6, jpeg};
        // The places first, then the scan with dots drawn there.
        const QTransform toImage = sheetDrawingToScan(model, recipe);
        const std::vector<Truth> list = truths(model.ephemeris, radius, orientX, orientY, toImage);
        const MadeScan made = scanOfSheet(model, recipe, dotsFor(list, toImage, radius));

        const ScanRegistration reg = registerScan(made.image, ScanOptions{});
        QVERIFY(reg.registered() && reg.code && reg.momentFromCode);
        QVERIFY(*reg.code ==
                (SheetCode{model.settings.date, 830, radius, orientX, orientY, *model.paper}));
        // Every dot the scan holds whole, none cut by its edge (a turned sheet loses a
        // corner off the scanner).
        const double inside = 1.5 * dpi / 25.4 + 3; // the dot's radius and a little
        const QRectF whole = QRectF(made.image.rect()).adjusted(inside, inside, -inside, -inside);
        const auto held =
            std::count_if(model.fiducials.begin(), model.fiducials.end(),
                          [&](QPointF f) { return whole.contains(toImage.map(f - model.centre)); });
        QVERIFY(held >= 1);
        QCOMPARE(reg.fiducialsFound, int(held));
        QVERIFY(limbWithin(reg.frame, toImage, radius, dpi));
        QVERIFY(angleDifference(reg.frame.turnDeg, turn) < 0.1);
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
        const MadeScan made =
            scanOfPlainDrawing(a4, radius, orientY, recipe, dotsFor(list, toImage, radius));
        // Without the moment the scan registers, but has none to convert with.
        QVERIFY(!registerScan(made.image, ScanOptions{}).hasMoment());

        ScanOptions options{
            .date = date, .timeUT = 1015, .radiusMm = radius, .mirrorY = orientY < 0};
        // The north mark drawn at the drawing's top (or bottom), turned with the paper: it
        // lies `turn` degrees clockwise of the image's up (or of its down).
        options.northAngleDeg = turn + (orientY > 0 ? 0 : 180);
        const ScanRegistration reg = registerScan(made.image, options);
        QVERIFY(reg.registered() && !reg.code && !reg.momentFromCode && reg.hasMoment());
        QVERIFY(limbWithin(reg.frame, toImage, radius, 150));
        checkPlaces(reg, e, list);
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
        const MadeScan made = scanOfSheet(model, {150, 2, QPointF(), 0, -1});
        const ScanOptions options{.date = parseDate(QStringLiteral("22.06.2001"), 2000),
                                  .timeUT = 830,
                                  .radiusMm = 62,
                                  .northAngleDeg = 0,
                                  .mirrorX = true};
        const ScanRegistration reg = registerScan(made.image, options);
        // The options win, and each difference from the code is told.
        QVERIFY(reg.date == options.date && !reg.momentFromCode);
        QVERIFY(reg.frame.radiusMm == 62 && reg.frame.orientX == -1 && reg.frame.turnDeg == 0);
        const QStringList told = scanDisagreements(reg, options);
        QCOMPARE(told.size(), 4);
        QVERIFY(told[0].contains("22.06.2001 0830") && told[0].contains("21.06.2001 0830"));
        QVERIFY(told[1].contains("62 mm") && told[1].contains("60 mm"));
        QVERIFY(told[3].contains("2.00"));
        // Options that agree with it are not told.
        const ScanOptions same{.date = model.settings.date, .timeUT = 830, .radiusMm = 60};
        QVERIFY(scanDisagreements(registerScan(made.image, same), same).isEmpty());
    }

    void photo_data() {
        QTest::addColumn<double>("inset");
        QTest::addColumn<double>("barrel");
        QTest::addColumn<int>("quarterTurns");
        QTest::addColumn<int>("table"); // the grey level round the page; -1 none
        QTest::addColumn<bool>("plain");
        QTest::newRow("tilted about 10 degrees") << 0.055 << 0.0 << 0 << -1 << false;
        QTest::newRow("tilted, mild barrel distortion") << 0.055 << 0.01 << 0 << -1 << false;
        QTest::newRow("tilted less, barrel, upside down") << 0.03 << 0.01 << 2 << -1 << false;
        // Tilted so far that the limb's oval is no circle: the page's corners on the table.
        QTest::newRow("tilted about 20 degrees, on a table") << 0.11 << 0.01 << 1 << 90 << false;
        // No code and no dots: the page's corners and the limb alone.
        QTest::newRow("plain paper, on a table") << 0.055 << 0.01 << 0 << 90 << true;
        QTest::newRow("plain paper, on a table, sideways") << 0.04 << 0.0 << 3 << 60 << true;
    }
    void photo() {
        QFETCH(double, inset);
        QFETCH(double, barrel);
        QFETCH(int, quarterTurns);
        QFETCH(int, table);
        QFETCH(bool, plain);
        // A4 R 80 at 200 dpi, photographed: every point within 0.3 mm as on a scan.
        const SheetModel model = sheetOf2001(80);
        const MadeScan plainPage =
            scanOfPlainDrawing(QSizeF(210, 297), 80, 1, ScanRecipe{200, 0, {}, 0, -1});
        const QImage page =
            plain ? plainPage.image
                  : renderSheet(model, 200).convertToFormat(QImage::Format_Grayscale8);
        Photo photo = photoOf(page, inset, barrel, table);
        QTransform turned = QTransform().rotate(90 * quarterTurns);
        const QRect bounds = turned.mapRect(photo.image.rect());
        turned *= QTransform::fromTranslate(-bounds.left() - (quarterTurns % 4 ? 1 : 0),
                                            -bounds.top() - (quarterTurns % 4 ? 1 : 0));
        photo.image = photo.image.transformed(QTransform().rotate(90 * quarterTurns));
        const QTransform drawingToPage =
            plain ? plainPage.drawingToImage : sheetDrawingToPage(model, 200);
        const auto inPhoto = [&](QPointF mm) {
            return turned.map(photo.fromPage(drawingToPage.map(mm) - QPointF(0.5, 0.5)));
        };
        ScanOptions options;
        if (plain) {
            // The observer gives the moment, R and where the north mark points in the photo.
            const QPointF up = inPhoto(QPointF(0, -80)) - inPhoto(QPointF());
            options = {.date = model.settings.date, .timeUT = 830, .radiusMm = 80};
            options.northAngleDeg = std::atan2(up.x(), -up.y()) / kDeg;
        }
        const ScanRegistration reg = registerScan(photo.image, options);
        QVERIFY(reg.registered() && reg.code.has_value() != plain &&
                !reg.frame.perspective.isIdentity());
        for (const QPointF mm : {QPointF(0, 0), QPointF(40, 0), QPointF(0, -56), QPointF(-48, 48),
                                 QPointF(72, 16), QPointF(-24, -72), QPointF(48, 48)}) {
            const QPointF pixel = inPhoto(mm);
            const QPointF found = sheetFromImage(reg.frame, pixel);
            QVERIFY2(QLineF(found, mm).length() <= 0.3,
                     qPrintable(QStringLiteral("%1,%2 read as %3,%4")
                                    .arg(mm.x())
                                    .arg(mm.y())
                                    .arg(found.x())
                                    .arg(found.y())));
        }
    }

    void anyImage_data() {
        QTest::addColumn<QSize>("size");   // a blank image; or a sheet of R 70 at 150 dpi:
        QTest::addColumn<QString>("code"); // its code's R written so, "covered" or "second"
        QTest::addColumn<int>("state");    // CodeState
        // clang-format off
        QTest::newRow("1 x 1") << QSize(1, 1) << "" << int(CodeState::None);
        QTest::newRow("600 x 1") << QSize(600, 1) << "" << int(CodeState::None);
        QTest::newRow("1001 x 1") << QSize(1001, 1) << "" << int(CodeState::None);
        QTest::newRow("1 x 1001") << QSize(1, 1001) << "" << int(CodeState::None);
        QTest::newRow("3000 x 2") << QSize(3000, 2) << "" << int(CodeState::None);
        QTest::newRow("2 x 3000") << QSize(2, 3000) << "" << int(CodeState::None);
        QTest::newRow("17 x 40") << QSize(17, 40) << "" << int(CodeState::None);
        // A code no sheet is scanned with is not read; its dots still make it the program's.
        QTest::newRow("code R 1e-300") << QSize() << "1e-300" << int(CodeState::Unreadable);
        QTest::newRow("code R 5e-324") << QSize() << "5e-324" << int(CodeState::Unreadable);
        QTest::newRow("code covered") << QSize() << "covered" << int(CodeState::Unreadable);
        QTest::newRow("a second code") << QSize() << "second" << int(CodeState::Read);
        // clang-format on
    }
    void anyImage() {
        QFETCH(QSize, size);
        QFETCH(QString, code);
        QFETCH(int, state);
        const SheetModel model = sheetOf2001(70);
        QImage image;
        if (size.isValid()) {
            image = QImage(size, QImage::Format_Grayscale8);
            image.fill(Qt::white);
        } else {
            image = renderSheet(model, 150).convertToFormat(QImage::Format_Grayscale8);
            const QTransform toPage = sheetDrawingToPage(model, 150);
            const QPointF codeAt = model.codeMm.topLeft() - model.centre;
            if (code == "covered")
                QPainter(&image).fillRect(toPage.mapRect(QRectF(codeAt, model.codeMm.size())),
                                          Qt::white);
            else if (code == "second") // the east-west mirrored sheet's, up and right
                paintCode(image, toPage, sheetOf2001(70, -1).codeText, QPointF(50, -90));
            else
                paintCode(image, toPage, QString(model.codeText).replace(";70;", ';' + code + ';'),
                          codeAt);
        }
        ScanOptions options;
        const ScanRegistration bare = registerScan(image, options);
        QCOMPARE(int(bare.codeState), state);
        QCOMPARE(bare.registered(), !size.isValid());
        if (state == int(CodeState::Unreadable)) {
            // Asked for the moment and R; once given, the sheet's code is made of them.
            QVERIFY(!bare.code && scanNotes(bare).join(' ').contains("nelze přečíst"));
            options = {.date = model.settings.date, .timeUT = 830, .radiusMm = 70};
        }
        const ScanRegistration reg = registerScan(image, options);
        QCOMPARE(reg.programSheet(), !size.isValid());
        if (reg.programSheet())
            QVERIFY(*reg.code == (SheetCode{model.settings.date, 830, 70, 1, 1, SheetPaper::A4}));
        if (code == "second") // told, and the one in the sheet's own corner taken
            QVERIFY(reg.otherCode && reg.otherCode->orientX == -1 &&
                    scanNotes(reg).join(' ').contains("dva různé kódy"));
        // The spot finder on any of them ends without an exception; a blank image has none.
        const std::vector<FoundSpot> spots = findSpots(image, reg);
        if (size.isValid())
            QVERIFY(spots.empty());
    }
};

ORVANEK_REGISTER_TEST(TestRegistration);
#include "tst_registration.moc"
