// The spots found on made scans: filled ellipses and outlines round a core drawn on the
// program's own sheet (beside a printed parallel, near the limb, and a speck too small to
// count) and on a plain drawing with a pencil line across it; found at 150 and 300 dpi,
// turned, noisy, through JPEG. Expected places and areas come from the ellipses as drawn.
#include "madescans.h"
#include "scan/scanspots.h"
#include "testregistry.h"

#include <QLineF>
#include <QPainterPath>

#include <cmath>
#include <numbers>
#include <set>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// A spot as drawn, in mm from the disk's centre (x right, y down on paper): its axes (the
// outer edge), its turn, and whether it is an outline 0.25 mm wide round a core of 0.4 times
// its size; and the group it is drawn in.
struct Drawn {
    QPointF mm;
    double a, b, turnDeg;
    bool outline;
    int group;
    double area() const { return std::numbers::pi / 4 * a * b; }
};

// Seven groups on a disk of R 80 mm: at least 15 mm apart, their spots 3 to 5 mm apart
// (on the Sun within 5 degrees of a neighbour), two groups within 10 mm of the limb drawn
// along it, as it foreshortens them.
std::vector<Drawn> drawnSpots() {
    return {
        {{-22, -28}, 5, 4, 20, true, 1},        {{-17.5, -26}, 1.6, 1.2, 0, false, 1},
        {{-14, -29}, 0.8, 0.8, 0, false, 1},    {{15, -35}, 6, 4.5, 30, true, 2},
        {{19.5, -32.5}, 2, 1.5, 0, false, 2},   {{23.5, -35}, 1, 1, 0, false, 2},
        {{72, -4}, 1, 1.5, 0, false, 3},        {{72.3, 0}, 2, 3, 0, true, 3},
        {{71.6, 4.5}, 0.6, 0.6, 0, false, 3},   {{-52, 50}, 1.2, 2.4, 45, false, 4},
        {{-49.2, 52.9}, 0.7, 0.7, 0, false, 4}, {{-38, 18}, 3, 2.5, 0, false, 5},
        {{-34.5, 21}, 1, 0.7, 0, false, 5},     {{35, 30}, 4, 4, 0, true, 6},
        {{39.5, 31}, 1.2, 1, 0, false, 6},
    };
}

void drawSpot(QPainter &p, const Drawn &s) {
    p.save();
    p.translate(s.mm);
    p.rotate(s.turnDeg);
    p.setBrush(QColor(40, 40, 40));
    if (s.outline) {
        constexpr double width = 0.25;
        p.setPen(QPen(QColor(40, 40, 40), width));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(), (s.a - width) / 2, (s.b - width) / 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(), 0.2 * s.a, 0.2 * s.b);
    } else {
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(), s.a / 2, s.b / 2);
    }
    p.restore();
}

// The place of a drawn spot as the entry dialog takes it: the position angle from the top
// of the disk towards east (the right, or the left where mirrored).
DrawingPlace placeOf(QPointF mm, int orientX) {
    double angle = std::atan2(orientX * mm.x(), -mm.y()) * 180 / std::numbers::pi;
    return {angle < 0 ? angle + 360 : angle, std::hypot(mm.x(), mm.y())};
}

} // namespace

class TestSpots : public QObject {
    Q_OBJECT

  private slots:
    void spotsAsDrawn_data() {
        QTest::addColumn<bool>("plain");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("turn");
        QTest::addColumn<int>("jpeg");
        QTest::newRow("sheet, 150 dpi, turned 5 degrees, noisy JPEG 75")
            << false << 1 << 150 << 5.0 << 75;
        QTest::newRow("sheet, 300 dpi, turned -8 degrees, noisy JPEG 75")
            << false << 1 << 300 << -8.0 << 75;
        QTest::newRow("sheet mirrored east-west, 150 dpi, turned 2 degrees")
            << false << -1 << 150 << 2.0 << -1;
        QTest::newRow("plain drawing, 150 dpi, turned -4 degrees, noisy JPEG 75")
            << true << 1 << 150 << -4.0 << 75;
    }
    void spotsAsDrawn() {
        QFETCH(bool, plain);
        QFETCH(int, orientX);
        QFETCH(int, dpi);
        QFETCH(double, turn);
        QFETCH(int, jpeg);
        constexpr double radius = 80;
        const SheetModel model = sheetOf2001(radius, orientX, 1, SheetPaper::A4);
        const ScanRecipe recipe{dpi, turn, QPointF(3, -2), 6, jpeg};
        const double k = pixelsPerMm(dpi);
        std::vector<Drawn> spots = drawnSpots();
        // Beside the sheet's parallel of -20 degrees 4 mm west of the centre, between the
        // central meridian and the next: a spot 0.5 mm below the line and another below it (on the
        // plain drawing at the same place).
        QPointF line(1e9, 0);
        for (const GridCurve &c : model.parallels)
            for (const QPolygonF &run : c.runs)
                for (const QPointF &p : run)
                    if (c.degrees == -20 && std::abs(p.x() - model.centre.x() + 4 * orientX) <
                                                std::abs(line.x() + 4 * orientX))
                        line = p - model.centre;
        QVERIFY(std::abs(line.x() + 4 * orientX) < 2);
        spots.push_back({line + QPointF(0, 0.06 + 0.5 + 0.6), 1.2, 1.2, 0, false, 7});
        spots.push_back({line + QPointF(0, 0.06 + 0.5 + 1.2 + 3.6), 2.5, 2.5, 0, true, 7});
        // An outline round its core across the bold central meridian (P -7.06: 6.81 mm east of
        // the centre 55 mm south), drawn the same on the plain paper.
        spots.push_back({QPointF(6.81 * orientX, 55), 4, 4, 0, true, 8});

        QImage page;
        QTransform drawingToPage;
        QTransform drawingToScan;
        const QSizeF a4(210, 297);
        if (plain) {
            page =
                QImage(qRound(a4.width() * k), qRound(a4.height() * k), QImage::Format_Grayscale8);
            page.fill(Qt::white);
            drawingToPage = QTransform::fromTranslate(a4.width() / 2, a4.height() / 2) *
                            QTransform::fromScale(k, k);
            drawingToScan = plainDrawingToScan(a4, recipe);
        } else {
            page = renderSheet(model, dpi);
            drawingToPage = sheetDrawingToPage(model, dpi);
            drawingToScan = sheetDrawingToScan(model, recipe);
        }
        {
            QPainter p(&page);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(drawingToPage);
            if (plain) {
                // The limb, the north mark and a hand-drawn meridian to be left out.
                p.setPen(QPen(QColor(70, 70, 70), 0.4));
                p.drawEllipse(QPointF(), radius, radius);
                p.drawLine(QPointF(0, -radius + 4), QPointF(0, -radius - 4));
                p.drawLine(QPointF(-29, -60), QPointF(-29, 60));
            }
            for (const Drawn &s : spots)
                drawSpot(p, s);
            // A speck of 0.25 mm: dust, not a spot.
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(8, 10), 0.125, 0.125);
        }
        const QImage scan = scanPage(page, recipe);

        ScanOptions options;
        if (plain)
            options = ScanOptions{.date = model.settings.date,
                                  .timeUT = 830,
                                  .radiusMm = radius,
                                  .northAngleDeg = turn};
        const ScanRegistration reg = registerScan(scan, options);
        QVERIFY(reg.registered() && reg.hasMoment());
        std::vector<FoundSpot> found = findSpots(scan, reg);
        groupSpots(found, reg.frame, model.ephemeris);

        // Every drawn spot found once, within 0.3 degrees and 0.3 mm, its area within 15 %
        // from 1 mm² up; nothing else.
        QCOMPARE(found.size(), spots.size());
        std::map<int, std::set<int>> groupsOfDrawn;
        for (const Drawn &s : spots) {
            const QPointF at = drawingToScan.map(s.mm);
            const auto nearest = std::min_element(
                found.begin(), found.end(), [&](const FoundSpot &x, const FoundSpot &y) {
                    return QLineF(x.pixel, at).length() < QLineF(y.pixel, at).length();
                });
            const DrawingPlace want = placeOf(s.mm, orientX);
            const DrawingPlace got = drawingPlaceAt(reg.frame, nearest->pixel);
            QVERIFY2(std::abs(std::remainder(got.angleDeg - want.angleDeg, 360)) <= 0.3 &&
                         std::abs(got.distanceMm - want.distanceMm) <= 0.3,
                     qPrintable(QStringLiteral("%1 %2: %3 %4")
                                    .arg(s.mm.x())
                                    .arg(s.mm.y())
                                    .arg(got.angleDeg - want.angleDeg)
                                    .arg(got.distanceMm - want.distanceMm)));
            if (s.area() >= 1)
                QVERIFY2(std::abs(nearest->areaMm2 / s.area() - 1) <= 0.15,
                         qPrintable(QStringLiteral("%1 %2: %3 of %4")
                                        .arg(s.mm.x())
                                        .arg(s.mm.y())
                                        .arg(nearest->areaMm2)
                                        .arg(s.area())));
            QCOMPARE(nearest->penumbra, s.outline);
            groupsOfDrawn[s.group].insert(nearest->group);
        }
        // The groups as drawn: each drawn group one found group, no two the same.
        std::set<int> numbers;
        for (const auto &[drawn, foundGroups] : groupsOfDrawn) {
            QCOMPARE(foundGroups.size(), size_t(1));
            numbers.insert(*foundGroups.begin());
        }
        QCOMPARE(numbers.size(), groupsOfDrawn.size());
    }

    // Single marks on the sheet (R 80, A4, unturned) as a printer without anti-aliasing
    // prints it (every pixel the ink's colour or paper): no spot on the blank sheet; an
    // outline with a gap of 0.8 mm round a core is one spot with a penumbra of what the
    // outline encloses (0.2 mm wide, 4.4 mm across: 15.2 mm²); a written number is none; a
    // filled spot with one light pixel at its middle is no penumbra. The outline stays so
    // with a printed line through its core and outline, with a satellite dot just beyond
    // its gap (a spot of its own), with a stroke of writing beyond its gap (no part of it),
    // and with a core no wider than its stroke drawn against it.
    void marksOnSheet_data() {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("spots");
        QTest::addColumn<bool>("penumbra");
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("core"); // mm²; the extent then the outline's 4.4 mm
        QTest::newRow("blank, 150 dpi") << "" << 150 << 0 << false << 0.0 << 0.0;
        QTest::newRow("blank, 300 dpi") << "" << 300 << 0 << false << 0.0 << 0.0;
        QTest::newRow("blank, 600 dpi") << "" << 600 << 0 << false << 0.0 << 0.0;
        QTest::newRow("outline with a gap") << "gap" << 150 << 1 << true << 15.2 << 2.01;
        QTest::newRow("outline with a gap, 300 dpi") << "gap" << 300 << 1 << true << 15.2 << 2.01;
        QTest::newRow("written 12") << "12" << 150 << 0 << false << 0.0 << 0.0;
        QTest::newRow("written 12, 300 dpi") << "12" << 300 << 0 << false << 0.0 << 0.0;
        QTest::newRow("cross") << "+" << 200 << 0 << false << 0.0 << 0.0;
        QTest::newRow("eraser smudge") << "smudge" << 150 << 0 << false << 0.0 << 0.0;
        QTest::newRow("blank, tinted, a shadow band")
            << "shadow" << 200 << 0 << false << 0.0 << 0.0;
        QTest::newRow("light pixel in a spot") << "pixel" << 150 << 1 << false << 7.07 << 0.0;
        QTest::newRow("outline with a gap on a printed line")
            << "gap on line" << 150 << 1 << true << 15.2 << 2.01;
        QTest::newRow("outline with a gap, a dot beyond it")
            << "gap, dot" << 200 << 2 << true << 15.2 << 2.01;
        QTest::newRow("outline with a gap, writing beyond it")
            << "gap, writing" << 150 << 1 << true << 15.2 << 2.01;
        QTest::newRow("outline with a gap, a core no wider against it")
            << "gap, against" << 150 << 1 << true << 15.2 << 0.0;
        // An outline of strokes 0.4 mm wide in three pieces, a darker core of 1.3 mm² drawn
        // against one of them.
        QTest::newRow("outline in pieces, a core against one")
            << "gap, pieces" << 150 << 1 << true << 16.6 << 1.33;
        // An umbra of 0.3 mm², a fiftieth of its outline: a spot, not a written loop.
        QTest::newRow("outline with a gap round a small core, 100 dpi")
            << "gap, small" << 100 << 1 << true << 15.2 << 0.0;
        // The smaller dot measured: the scan's blur leaves it no plateau of its own.
        QTest::newRow("dots, blurred 100 dpi") << "blurred" << 100 << 2 << false << 1.13 << 0.0;
        // Over a black line, 0.25 mm past its near edge.
        QTest::newRow("dot against a black line") << "black" << 150 << 1 << false << 1.13 << 0.0;
        // A crumb of writing of 0.25 mm² against the black line, 1 mm along it from a stroke
        // that leaves it.
        QTest::newRow("crumb of writing against a black line")
            << "crumb" << 150 << 0 << false << 0.0 << 0.0;
        // A dot of 1.8 mm that the written 12 and a pencil line run into.
        QTest::newRow("written 12 into a dot") << "12 dot" << 300 << 1 << false << 2.54 << 0.0;
        // Where the strokes of a 4 join, a printed line through it, the pencil is twice as deep
        // as along them: no spot.
        // A dot of 1.8 mm in grey pencil with light grains in it: a spot, no stroke.
        QTest::newRow("grainy dot") << "grains" << 200 << 1 << false << 2.54 << 0.0;
        QTest::newRow("written 4 across a printed line") << "4" << 200 << 0 << false << 0.0 << 0.0;
        // An N 2.9 mm tall blurred twice over at 100 dpi: its strokes come out wider than a
        // pencil's.
        QTest::newRow("written N, blurred 100 dpi") << "N" << 100 << 0 << false << 0.0 << 0.0;
        QTest::newRow("stroke by a line, an x beyond") << "x" << 150 << 0 << false << 0.0 << 0.0;
        // Two dots of 1.6 mm that touch, the blur joining them further: two spots.
        QTest::newRow("two dots touching, blurred") << "pair" << 200 << 2 << false << 2.01 << 0.0;
        // Joined by the blur into a mark as long and narrow as writing, 0.1 mm of paper apart.
        QTest::newRow("two dots 0.1 mm apart, blurred")
            << "pair 1.7" << 300 << 2 << false << 2.01 << 0.0;
        QTest::newRow("two dots 0.2 mm apart, blurred, 200 dpi")
            << "pair 1.8" << 200 << 2 << false << 2.01 << 0.0;
        // Three dots of 1 mm 0.1 mm apart in a row at 100 dpi, the only marks on the sheet.
        QTest::newRow("three dots in a row, blurred") << "three" << 100 << 3 << false << 0.0 << 0.0;
        // Letters, turned, of which the rules leave a piece as a spot; a dot of 0.5 mm² beside
        // a written letter (its middle 1.5 mm left of where the letter begins) stays one.
        QTest::newRow("written A turned, 300 dpi")
            << "text A -30" << 300 << 0 << false << 0.0 << 0.0;
        QTest::newRow("written 3 turned, 300 dpi")
            << "text 3 20" << 300 << 0 << false << 0.0 << 0.0;
        QTest::newRow("written 4 turned, 100 dpi")
            << "text 4 20" << 100 << 0 << false << 0.0 << 0.0;
        // A dot of 0.5 mm² drawn across a printed line as dark as the pencil: no piece of a
        // stroke drawn along it.
        QTest::newRow("dot across a line, 300 dpi")
            << "across 0.4" << 300 << 1 << false << 0.0 << 0.0;
        // The dot against the black line, an outlined spot 0.8 mm beyond its far edge: the
        // outline is no stroke going on from the dot across the print.
        QTest::newRow("dot against a black line, an outline beyond it")
            << "black ring" << 150 << 2 << true << 0.0 << 0.0;
        QTest::newRow("dot beside a written A, 100 dpi")
            << "text A 0 dot 1.5" << 100 << 1 << false << 0.0 << 0.0;
        QTest::newRow("dot beside a written N, 100 dpi")
            << "text N 0 dot 1.5" << 100 << 1 << false << 0.0 << 0.0;
    }
    void marksOnSheet() {
        QFETCH(QString, mark);
        QFETCH(int, dpi);
        QFETCH(int, spots);
        QFETCH(bool, penumbra);
        QFETCH(double, area);
        QFETCH(double, core);
        const SheetModel model = sheetOf2001(80, 1, 1, SheetPaper::A4);
        QImage page = renderSheet(model, dpi);
        for (int y = 0; y < page.height(); ++y) {
            uchar *row = page.scanLine(y);
            for (int x = 0; x < page.width(); ++x)
                row[x] = row[x] > 172 ? 255 : (row[x] < 45 ? 0 : 90);
        }
        const QTransform toPage = sheetDrawingToPage(model, dpi);
        QPointF at(-25, 20); // between the grid's lines
        // On the line that runs nearest to its right.
        while ((mark == u"gap on line" || mark == u"4" || mark == u"x" ||
                mark.startsWith(u"across")) &&
               qGray(page.pixel(toPage.map(at).toPoint())) == 255)
            at.rx() += 0.05;
        while ((mark.startsWith(u"black") || mark == u"crumb") &&
               qGray(page.pixel(toPage.map(at).toPoint())) > 0)
            at.rx() += 0.05;
        double far = 0; // the black line's far edge
        while (qGray(page.pixel(toPage.map(at + QPointF(far, 0)).toPoint())) == 0)
            far += 0.05;
        if (mark.startsWith(u"black"))
            at.rx() -= 0.35; // the dot's middle
        {
            QPainter p(&page);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(toPage);
            p.setBrush(QColor(90, 90, 90));
            p.setPen(Qt::NoPen);
            if (mark.startsWith(u"gap")) {
                p.setPen(QPen(QColor(90, 90, 90), mark == u"gap, pieces" ? 0.4 : 0.2, Qt::SolidLine,
                              Qt::FlatCap));
                p.setBrush(Qt::NoBrush);
                // 2.1 mm to the stroke's middle: a gap of 0.8 mm is 22 degrees of it.
                const QRectF ring(at - QPointF(2.1, 2.1), QSizeF(4.2, 4.2));
                if (mark == u"gap, pieces")
                    for (int from : {11, 131, 251})
                        p.drawArc(ring, from * 16, 98 * 16);
                else
                    p.drawArc(ring, 11 * 16, 338 * 16);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(60, 60, 60));
                // A core of 0.6 mm drawn 0.15 mm inside the outline, the scan joining them.
                if (mark == u"gap, against")
                    p.drawEllipse(at - QPointF(1.55, 0), 0.3, 0.3);
                else if (mark == u"gap, pieces")
                    p.drawEllipse(at - QPointF(1.3, 0), 0.65, 0.65);
                else if (mark == u"gap, small")
                    p.drawEllipse(at, 0.31, 0.31);
                else
                    p.drawEllipse(at, 0.8, 0.8);
                // A satellite of 0.3 mm² 0.5 mm beyond the gap.
                if (mark == u"gap, dot")
                    p.drawEllipse(at + QPointF(3, 0), 0.31, 0.31);
                // A stroke of writing 1.4 mm beyond the gap, across it.
                if (mark == u"gap, writing") {
                    p.setPen(QPen(QColor(90, 90, 90), 0.35));
                    p.drawLine(at + QPointF(3.6, -1.2), at + QPointF(3.6, 1.2));
                }
            } else if (mark.startsWith(u"12")) {
                QPainterPath text;
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(4);
                text.addText(at, font, QStringLiteral("12"));
                p.drawPath(text);
                if (mark == u"12 dot") {
                    p.drawEllipse(at + QPointF(-0.4, -1.5), 0.9, 0.9);
                    p.setPen(QPen(QColor(90, 90, 90), 0.35));
                    p.drawLine(at + QPointF(-8, -1.5), at + QPointF(-0.4, -1.5));
                }
            } else if (mark.startsWith(u"text ")) {
                // Written upright, or turned by the angle after the text.
                QPainterPath text;
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(4);
                text.addText(QPointF(), font, mark.section(u' ', 1, 1));
                p.translate(at);
                p.rotate(mark.section(u' ', 2, 2).toDouble());
                p.drawPath(text);
                if (mark.section(u' ', 3, 3) == u"dot")
                    p.drawEllipse(QPointF(-mark.section(u' ', 4, 4).toDouble(), -1.4), 0.4, 0.4);
            } else if (mark == u"4") {
                QPainterPath text;
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(5);
                text.addText(at + QPointF(-1.6, 1.8), font, QStringLiteral("4"));
                p.drawPath(text);
            } else if (mark == u"x") { // 0.4 mm off the line's middle on either side, blurred
                p.setPen(QPen(QColor(90, 90, 90), 0.35, Qt::SolidLine, Qt::FlatCap));
                for (const QLineF &l :
                     {QLineF(-0.4, -0.75, -0.4, 0.75), QLineF(0.4, -0.75, 1.9, 0.75),
                      QLineF(0.4, 0.75, 1.9, -0.75)})
                    p.drawLine(l.translated(at));
            } else if (mark == u"+") {
                p.setPen(QPen(QColor(90, 90, 90), 0.35));
                p.drawLine(at - QPointF(2, 2), at + QPointF(2, 2));
                p.drawLine(at - QPointF(2, -2), at + QPointF(2, -2));
            } else if (mark == u"smudge") {
                // 45 levels darker than the paper in the middle, fading over 3 mm.
                QRadialGradient soft(at, 3);
                soft.setColorAt(0, QColor(210, 210, 210));
                soft.setColorAt(1, QColor(255, 255, 255, 0));
                p.setBrush(soft);
                p.drawEllipse(at, 3, 3);
            } else if (mark.startsWith(u"black")) {
                p.setCompositionMode(QPainter::CompositionMode_Darken);
                p.drawEllipse(at, 0.6, 0.6);
                if (mark == u"black ring") {
                    const QPointF middle = at + QPointF(0.35 + far + 2.8, 0);
                    p.drawEllipse(middle, 0.5, 0.5);
                    p.setPen(QPen(QColor(90, 90, 90), 0.2));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(middle, 1.9, 1.9);
                }
            } else if (mark == u"N") {
                QPainterPath text;
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(4);
                text.addText(at, font, QStringLiteral("N"));
                p.drawPath(text);
            } else if (mark == u"crumb") {
                // A stroke leaving the line 1 mm above, and the crumb of its letter.
                p.setCompositionMode(QPainter::CompositionMode_Darken);
                p.drawRect(QRectF(at + QPointF(-0.45, 0.3), QSizeF(0.45, 0.55)));
                p.setPen(QPen(QColor(90, 90, 90), 0.35, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(at + QPointF(0.1, -1), at + QPointF(-3, -1));
            } else if (mark.startsWith(u"across")) {
                p.drawEllipse(at, mark.mid(7).toDouble(), mark.mid(7).toDouble());
            } else if (mark == u"grains") {
                p.drawEllipse(at, 0.9, 0.9);
            } else if (mark.startsWith(u"pair") || mark == u"three") {
                // Dots of 1.6 mm, 1.6 mm apart or as far as the name says; three of 1 mm,
                // 1.1 mm apart.
                const bool three = mark == u"three";
                const double apart =
                    three ? 1.1 : (mark == u"pair" ? 1.6 : mark.section(u' ', 1).toDouble());
                for (int i = 0; i < (three ? 3 : 2); ++i)
                    p.drawEllipse(at + QPointF(i * apart, 0), three ? 0.5 : 0.8, three ? 0.5 : 0.8);
            } else if (mark == u"pixel" || mark == u"blurred") {
                p.drawEllipse(at, 1.5, 1.5);
                if (mark == u"blurred")
                    p.drawEllipse(at + QPointF(4, 0), 0.6, 0.6);
            }
        }
        if (mark == u"grains") {
            // A light grain every 0.4 mm within 0.7 mm of the middle.
            const QPoint middle = toPage.map(at).toPoint();
            const int step = qRound(0.4 * pixelsPerMm(dpi));
            for (int dy = -2 * step; dy <= 2 * step; dy += step)
                for (int dx = -2 * step; dx <= 2 * step; dx += step)
                    if (std::hypot(dx, dy) <= 0.7 * pixelsPerMm(dpi))
                        page.setPixel(middle + QPoint(dx, dy), qRgb(255, 255, 255));
        }
        if (mark == u"pixel") {
            const QPoint middle = toPage.map(at).toPoint();
            page.setPixel(middle, qRgb(255, 255, 255));
        }
        QImage scan = scanPage(page, {dpi, 0, QPointF(), 0, -1});
        // Blurred by 1 2 1 each way (the N twice over, within 5 mm of it).
        const QRect near = QRect(toPage.map(at).toPoint(), QSize()).adjusted(-20, -20, 20, 20);
        for (int times = 0; times < (mark == u"N" ? 2 : 1); ++times)
            if (mark == u"blurred" || mark.startsWith(u"pair") || mark == u"three" ||
                mark == u"x" || mark == u"N")
                for (const QPoint step : {QPoint(1, 0), QPoint(0, 1)}) {
                    const QImage sharp = scan.copy();
                    for (int y = 1; y + 1 < scan.height(); ++y)
                        for (int x = 1; x + 1 < scan.width(); ++x)
                            if (mark != u"N" || near.contains(x, y))
                                scan.scanLine(y)[x] = static_cast<uchar>(
                                    (sharp.constScanLine(y - step.y())[x - step.x()] +
                                     2 * sharp.constScanLine(y)[x] +
                                     sharp.constScanLine(y + step.y())[x + step.x()] + 2) /
                                    4);
                }
        if (mark == u"shadow") {
            // Cream paper (0.92 of white) darkened by half along the left edge, as a book's
            // gutter, fading over some 50 mm: across the disk's left third.
            for (int y = 0; y < scan.height(); ++y) {
                uchar *row = scan.scanLine(y);
                for (int x = 0; x < scan.width(); ++x)
                    row[x] = static_cast<uchar>(row[x] * 0.92 *
                                                (1 - 0.5 * std::exp(-x / pixelsPerMm(dpi) / 25)));
            }
        }
        const ScanRegistration reg = registerScan(scan, ScanOptions{});
        QVERIFY(reg.registered() && reg.code);
        const std::vector<FoundSpot> found = findSpots(scan, reg);
        QCOMPARE(int(found.size()), spots);
        if (spots >= 1) {
            // The largest spot is the mark measured (of the blurred dots the smaller).
            const FoundSpot &largest = *std::max_element(
                found.begin(), found.end(), [&](const FoundSpot &a, const FoundSpot &b) {
                    return (a.areaMm2 < b.areaMm2) != (mark == u"blurred");
                });
            QCOMPARE(largest.penumbra, penumbra);
            if (area > 0)
                QVERIFY2(std::abs(largest.areaMm2 / area - 1) <= 0.15,
                         qPrintable(QString::number(largest.areaMm2)));
            if (core > 0) {
                QVERIFY2(std::abs(largest.coreAreaMm2 / core - 1) <= 0.3,
                         qPrintable(QString::number(largest.coreAreaMm2)));
                QVERIFY(std::abs(largest.extentMm - 2 * std::sqrt(area / std::numbers::pi)) <= 0.5);
            }
        }
    }

    // Spots join a group within 5 degrees of a neighbour on the Sun: a lone spot about
    // 9 degrees from a group of two (3 degrees apart) stays a group of its own.
    void loneSpotBesideAGroup() {
        const SheetModel model = sheetOf2001(80);
        const ScanFrame frame{QPointF(1000, 1000), 800, 0, 1, 1, 80};
        std::vector<FoundSpot> spots;
        for (double dl : {0.0, 3.0, 12.0}) {
            const PolarPosition p = heliographicToPolar(
                model.ephemeris, 10.0f, float(model.ephemeris.L0 + dl), frame.radiusMm);
            spots.push_back({imageAtPlace(frame, {p.polarAngle, p.polarDistance}), 1.0});
        }
        groupSpots(spots, frame, model.ephemeris);
        QCOMPARE(spots[0].group, spots[1].group);
        QVERIFY(spots[2].group != spots[0].group);
    }

    // Two spots join farther apart along the latitudes than across them.
    void groupReach_data() {
        QTest::addColumn<double>("dl");
        QTest::addColumn<double>("db");
        QTest::addColumn<bool>("joined");
        QTest::newRow("6 along") << 6.0 << 0.0 << true;
        QTest::newRow("6 across") << 0.0 << 6.0 << false;
        QTest::newRow("8 along") << 8.0 << 0.0 << false;
    }
    void groupReach() {
        QFETCH(double, dl);
        QFETCH(double, db);
        QFETCH(bool, joined);
        const SheetModel model = sheetOf2001(80);
        const ScanFrame frame{QPointF(1000, 1000), 800, 0, 1, 1, 80};
        std::vector<FoundSpot> spots;
        for (double k : {0.0, 1.0}) {
            const PolarPosition p = heliographicToPolar(
                model.ephemeris, float(k * db), float(model.ephemeris.L0 + k * dl), frame.radiusMm);
            spots.push_back({imageAtPlace(frame, {p.polarAngle, p.polarDistance}), 1.0});
        }
        groupSpots(spots, frame, model.ephemeris);
        QCOMPARE(spots[0].group == spots[1].group, joined);
    }

    // What the last judgement weighs a mark by, in the paper's own units whatever the
    // resolution: a filled dot of 1 mm radius, an outline of 2 mm round a core, a dot of
    // 0.5 mm with a written stroke 1.5 mm from its middle, on a plain drawing.
    void markTraits_data() {
        QTest::addColumn<QPointF>("at"); // mm from the disk's centre
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("trait");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        const QPointF dot(-20, 0), outline(20, 0), byStroke(0, 20);
        QTest::newRow("dot: log area") << dot << 150 << 0 << std::log(std::numbers::pi) << 0.15;
        QTest::newRow("dot: depth, 300 dpi") << dot << 300 << 5 << 1.0 << 0.15;
        QTest::newRow("dot: no stroke near") << dot << 150 << 15 << 2.1 << 0.15;
        QTest::newRow("outline: its core's part") << outline << 150 << 2 << 0.09 << 0.05;
        QTest::newRow("dot by a stroke: nearest") << byStroke << 150 << 15 << 0.85 << 0.25;
        QTest::newRow("dot by a stroke: nearest, 300 dpi") << byStroke << 300 << 15 << 0.85 << 0.25;
    }
    void markTraits() {
        QFETCH(QPointF, at);
        QFETCH(int, dpi);
        QFETCH(int, trait);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        const double k = pixelsPerMm(dpi);
        QImage page(qRound(210 * k), qRound(297 * k), QImage::Format_Grayscale8);
        page.fill(240);
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(k, k);
        painter.translate(105, 148.5);
        painter.setPen(QPen(QColor(80, 80, 80), 0.4));
        painter.drawEllipse(QPointF(), 80, 80);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(80, 80, 80));
        painter.drawEllipse(QPointF(-20, 0), 1, 1);
        painter.drawEllipse(QPointF(20, 0), 0.6, 0.6);
        painter.drawEllipse(QPointF(0, 20), 0.5, 0.5);
        painter.setPen(QPen(QColor(80, 80, 80), 0.3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(20, 0), 1.85, 1.85);
        painter.drawLine(QPointF(1.5, 17), QPointF(1.5, 23));
        painter.end();
        const QImage scan = scanPage(page, ScanRecipe{dpi, 0, {}, 4, -1});
        const ScanOptions options{
            .date = sheetOf2001(80).settings.date, .timeUT = 830, .radiusMm = 80};
        const ScanRegistration reg = registerScan(scan, options);
        QVERIFY(reg.registered());
        std::vector<MarkTraits> traits;
        findSpots(scan, reg, &traits);
        const auto near = std::find_if(traits.begin(), traits.end(), [&](const MarkTraits &t) {
            return QLineF(t.pixel, imageFromSheet(reg.frame, at)).length() < k;
        });
        QVERIFY(near != traits.end());
        QVERIFY2(std::abs(near->values[static_cast<size_t>(trait)] - expected) <= tolerance,
                 qPrintable(QString::number(near->values[static_cast<size_t>(trait)])));
    }

    // A circle drawn by hand wavers about the circle fitted to it: no piece of its line is a
    // spot.
    void handDrawnLimb_data() {
        QTest::addColumn<double>("waver"); // mm, of the third and the seventh harmonic
        QTest::addColumn<int>("dpi");
        QTest::newRow("0.25 mm, 150 dpi") << 0.25 << 150;
        QTest::newRow("0.3 mm, 300 dpi") << 0.3 << 300;
    }
    void handDrawnLimb() {
        QFETCH(double, waver);
        QFETCH(int, dpi);
        const double k = pixelsPerMm(dpi);
        QImage page(qRound(210 * k), qRound(297 * k), QImage::Format_Grayscale8);
        page.fill(240);
        QPainterPath circle;
        for (int i = 0; i <= 720; ++i) {
            const double t = 2 * std::numbers::pi * i / 720;
            const double r = 80 + waver * (std::sin(3 * t + 1) + std::sin(7 * t + 2)) / 2;
            const QPointF p(105 + r * std::cos(t), 148.5 + r * std::sin(t));
            i == 0 ? circle.moveTo(p) : circle.lineTo(p);
        }
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(k, k);
        painter.setPen(QPen(QColor(80, 80, 80), 0.4));
        painter.drawPath(circle);
        painter.end();
        const QImage scan = scanPage(page, ScanRecipe{dpi, 3, {}, 4, -1});
        const ScanOptions options{
            .date = sheetOf2001(80).settings.date, .timeUT = 830, .radiusMm = 80};
        const ScanRegistration reg = registerScan(scan, options);
        QVERIFY(reg.registered());
        QCOMPARE(findSpots(scan, reg).size(), size_t{0});
    }
};

ORVANEK_REGISTER_TEST(TestSpots);
#include "tst_spots.moc"
