// The graphs painted into images: pixel probes of curves and grid lines at positions
// worked out from the layout, and prints into PDF files.
#include "graphtesthelpers.h"
#include "imageprobes.h"
#include "testregistry.h"
#include "views/graphs/graphpainter.h"
#include "views/graphs/graphview.h"
#include "views/graphs/smoothedpainter.h"

#include <QDate>
#include <QPainter>
#include <algorithm>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// Two records ten days apart in January of `year` with the same values, so that each
// curve runs flat from 1 to 11 January: g north 4, south 7.
void fillJanuary(ObservationStore &store, int year) {
    for (const char *day : {"01.01.", "11.01."}) {
        ObservationRecord r = datedRecord(QString::fromLatin1(day) + QString::number(year));
        r.summary.northGroups = 4;
        r.summary.southGroups = 7;
        store.appendRecord(r);
    }
}

// Every day of months 1..`months` from January 2001 with whole-disk g = 5, and one more
// record in the month after, which stays open.
void fillFlatMonths(ObservationStore &store, int months) {
    for (int m = 0; m <= months; ++m) {
        const QDate first(2001 + m / 12, m % 12 + 1, 1);
        const int days = m == months ? 1 : first.daysInMonth();
        for (int d = 0; d < days; ++d) {
            ObservationRecord r = datedRecord(first.addDays(d).toString("dd.MM.yyyy"));
            r.summary.northGroups = 2;
            r.summary.southGroups = 3;
            store.appendRecord(r);
        }
    }
}

} // namespace

class TestGraphPainter : public QObject {
    Q_OBJECT

  private slots:
    void screen_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<DisplayMode>("mode");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QColor>("colour");
        // Client 1000 x 450: divisions of 10 pixels, zero lines at 135, 270, 405; the
        // records lie at x = 50 + 2 x day, so 1..11 January spans x 50..70. Heights are
        // quantised: g 4 is 4 x 10 div 3 = 13 pixels, g 7 is 23, the whole disk 13 + 23.
        QTest::newRow("whole disk, black")
            << 2001 << DisplayMode::All << QPoint(60, 135 - 36) << kBlack;
        QTest::newRow("north, red") << 2001 << DisplayMode::All << QPoint(60, 270 - 13) << kRed;
        QTest::newRow("south, blue") << 2001 << DisplayMode::All << QPoint(60, 405 - 23) << kBlue;
        // One panel: zero line at 3 x 110, heights three times as tall.
        QTest::newRow("north alone") << 2001 << DisplayMode::North << QPoint(60, 330 - 39) << kRed;
        // The grid runs to 200 pixels past the newest record: x 50..220.
        QTest::newRow("zero line") << 2001 << DisplayMode::All << QPoint(150, 135) << kBlack;
        QTest::newRow("first grid line")
            << 2001 << DisplayMode::All << QPoint(150, 125) << gridColour();
        // 1 March: 59 days on in a common year, 60 in a leap year (x 168 or 170); the line
        // is probed half-way up the panel, between two grid lines.
        QTest::newRow("March line, common year")
            << 2001 << DisplayMode::All << QPoint(168, 90) << monthLineColour();
        QTest::newRow("no line a day later")
            << 2001 << DisplayMode::All << QPoint(170, 90) << kWhite;
        QTest::newRow("March line, leap year")
            << 2000 << DisplayMode::All << QPoint(170, 90) << monthLineColour();
    }
    void screen() {
        QFETCH(int, year);
        QFETCH(DisplayMode, mode);
        QFETCH(QPoint, probe);
        QFETCH(QColor, colour);
        ObservationStore store(QDate(2026, 1, 1));
        fillJanuary(store, year);
        const GraphView view = openedGraphView(store, {GraphQuantity::Groups, mode}, {1000, 450});
        QCOMPARE(view.geometry.offset, 0);
        const QImage image = renderGraphs(view.model, view.geometry);
        QCOMPARE(image.size(), QSize(1000, 450));
        QCOMPARE(pixelAt(image, probe), colour);
    }

    // A screen model placed at one scroll position and painted at another is moved by the
    // difference: the curve, the month lines and what is cut off at the window's edges.
    void shiftedModel_data() {
        QTest::addColumn<int>("placedAt");
        QTest::addColumn<int>("paintedAt");
        // As in screen(): the whole disk's curve at y 99 from x 50 to 70, the March line at
        // x 168, all less the scroll position painted at.
        QTest::newRow("placed and painted at 0") << 0 << 0;
        QTest::newRow("scrolled right") << 0 << 20;
        QTest::newRow("scrolled back") << 40 << 0;
        QTest::newRow("placed far right, shown from 30") << 1500 << 30;
        QTest::newRow("the curve at the left edge") << 0 << 55;
    }
    void shiftedModel() {
        QFETCH(int, placedAt);
        QFETCH(int, paintedAt);
        ObservationStore store(QDate(2026, 1, 1));
        fillJanuary(store, 2001);
        store.appendRecord(datedRecord("31.12.2005")); // months to scroll over
        const GraphSeries series = graphSeries(store, GraphQuantity::Groups, 2, 10);
        const GraphModel model =
            buildGraphModel(series, screenGraphGeometry(1000, 450, DisplayMode::All, placedAt));
        const GraphGeometry painted = screenGraphGeometry(1000, 450, DisplayMode::All, paintedAt);
        const QImage image = renderGraphs(model, painted);
        const int curveX = 60 - paintedAt;
        const int marchX = 168 - paintedAt;
        // Between the two January records the curve is flat at 99 (g 4 + 7, 36 pixels).
        QCOMPARE(pixelAt(image, {curveX, 135 - 36}), kBlack);
        QCOMPARE(pixelAt(image, {marchX, 90}), monthLineColour());
        QCOMPARE(pixelAt(image, {marchX + 2, 90}), kWhite);
    }

    // The month names hang under the zero line (135 in a client 1000 x 450) with the pixel
    // row under it left free: the accents of "Únor", "Červen", "Červenec", "Říjen" do not
    // touch the line. 2001 spans x 50..780, its January lines black at both ends.
    void monthNamesClearOfTheZeroLine() {
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, {"01.01.2001=4", "31.12.2001=4"});
        const GraphView view = openedGraphView(store, {}, {1000, 450});
        QCOMPARE(view.geometry.offset, 0);
        const QImage image = renderGraphs(view.model, view.geometry);
        // Ink, the softened edges of letters too; not the light grey month lines (230).
        const auto ink = [](QColor c) { return std::min({c.red(), c.green(), c.blue()}) < 220; };
        QCOMPARE(countPixels(image, QRect(52, 136, 727, 1), ink), 0);
        QVERIFY(countPixels(image, QRect(52, 137, 727, 12), isDark) > 100);
    }

    void visiblePolyline_data() {
        QTest::addColumn<QPolygon>("line");
        QTest::addColumn<QPolygon>("visible");
        const QPolygon days(
            {{-300, 1}, {-200, 2}, {-5, 3}, {40, 4}, {990, 5}, {1010, 6}, {2000, 7}});
        // Window x 0..999: the lines crossing either edge stay, those beyond them go.
        QTest::newRow("crossing both edges")
            << days << QPolygon({{-5, 3}, {40, 4}, {990, 5}, {1010, 6}});
        QTest::newRow("all left of the window")
            << QPolygon({{-30, 1}, {-20, 2}}) << QPolygon({{-20, 2}});
        // Records out of date order draw back and forth: nothing is left out.
        const QPolygon back({{-300, 1}, {500, 2}, {-200, 3}});
        QTest::newRow("turning back") << back << back;
    }
    void visiblePolyline() {
        QFETCH(QPolygon, line);
        QFETCH(QPolygon, visible);
        QCOMPARE(orvanek::visiblePolyline(line, 0, 999), visible);
    }

    void paper() {
        // Page 2000 x 1400: four pixels a day; panels of (1400 - 233) div 3 = 389 with
        // divisions of 35, so zero lines at 424 + 25 and 2 x 449; g 4 is 46 pixels, the
        // whole disk 46 + 81. The page starts at 1 January: x = 150 + 4 x day.
        ObservationStore store(QDate(2026, 1, 1));
        fillJanuary(store, 2001);
        const GraphSeries screen = graphSeries(store, GraphQuantity::Groups, 2, 10);
        GraphGeometry geometry = paperGraphGeometry(2000, 1400, DisplayMode::All, 0);
        const GraphModel model = buildGraphModel(paperSeries(screen, store, geometry), geometry);
        QImage image(2000, 1400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintGraphs(painter, model, geometry);
        }
        // The paper pen is three pixels wide.
        for (const int dy : {-1, 0, 1}) {
            QCOMPARE(pixelAt(image, {170, 898 - 46 + dy}), kRed);
            QCOMPARE(pixelAt(image, {170, 449 - 127 + dy}), kBlack);
        }
        QCOMPARE(pixelAt(image, {170, 898 - 46 - 3}), kWhite);
        // Every paper grid line is black, from x 140 on.
        QCOMPARE(pixelAt(image, {500, 449 - 35}), kBlack);
        QCOMPARE(pixelAt(image, {130, 449 - 35}), kWhite);
    }

    void smoothed_data() {
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QColor>("colour");
        // Width 1360: s = 20, rows of 40, base line 800, 3 pixels a month from x 30. g 5 is
        // 5 / 3 steps of 80 pixels: y 800 - 133. The monthly means alone before month 7,
        // the smoothed curve over them from month 7 (x 51) to month 24 - 7 (x 81).
        QTest::newRow("monthly mean") << QPoint(34, 667) << monthlyMeanColour();
        QTest::newRow("smoothed") << QPoint(64, 667) << QColor(Qt::black);
        QTest::newRow("grid row") << QPoint(500, 40) << smoothedGridColour();
        QTest::newRow("base line") << QPoint(500, 800) << QColor(Qt::black);
        QTest::newRow("nothing above the curves") << QPoint(64, 660) << kWhite;
    }
    void smoothed() {
        QFETCH(QPoint, probe);
        QFETCH(QColor, colour);
        ObservationStore store(QDate(2026, 1, 1));
        fillFlatMonths(store, 24);
        const SmoothedView view = openedSmoothedView(store, {}, {1360, 860});
        QCOMPARE(view.geometry.offset, 0);
        const QImage image = renderSmoothed(view.layout, view.geometry, {1360, 860});
        QCOMPARE(pixelAt(image, probe), colour);
    }

    // An RB of 3000 a month is 12 steps of 250: beyond the grid's top (10 steps at y 0). At
    // s = 20 the curve rises from the base line at 800 through x 30..33 and is cut at the
    // top row, y 40, below the title (18 points: 24 pixels from y 2), not drawn over it.
    void smoothedCurvesStayUnderTheTitle() {
        const MonthlySeries series =
            seriesOfMeans(SmoothedQuantity::Beck, {3000 * kEighths, 3000 * kEighths});
        const SmoothedGeometry g = smoothedScreenGeometry({1360, 860}, 3, 0, 5000);
        const QImage image = renderSmoothed(layoutSmoothed(series, g), g, {1360, 860});
        const auto isMean = [](QColor c) { return c == monthlyMeanColour(); };
        QCOMPARE(countPixels(image, QRect(0, 0, 100, 40), isMean), 0);
        QVERIFY(countPixels(image, QRect(28, 40, 10, 20), isMean) > 0);
    }

    // A client 792 x 420 has s = 10 (420 div 42) and one pixel a month: years 12 pixels
    // apart, too close for "97" after "96". Every other year is written: "98" from x 56
    // (30 + 2 + 24), "99" from 68 left out, "00" from 80; the year lines all stay.
    void smoothedYearLabelsDoNotTouch() {
        const MonthlySeries series = seriesOfMeans(SmoothedQuantity::Groups, {}, 1996);
        const SmoothedGeometry g = smoothedScreenGeometry({792, 420}, 3, 0, 5000);
        QCOMPARE(g.monthStep, 1);
        const QImage image = renderSmoothed(layoutSmoothed(series, g), g, {792, 420});
        QVERIFY(countPixels(image, QRect(56, 402, 12, 10), isDark) > 0);
        QCOMPARE(countPixels(image, QRect(72, 402, 7, 10), isDark), 0);
        QVERIFY(countPixels(image, QRect(80, 402, 12, 10), isDark) > 0);
        QCOMPARE(pixelAt(image, {66, 300}), smoothedGridColour()); // the line of 1999
    }

    void smoothedPageStartsAtTheWindowsMonth() {
        // Window 1360 wide, 3 pixels a month, scrolled 30 pixels: ten months. On a page
        // 6400 wide (s = 100, 18 pixels a month) the page starts 180 pixels on.
        const SmoothedGeometry screen = smoothedScreenGeometry({1360, 860}, 3, 30, 5000);
        const SmoothedGeometry page = smoothedPageGeometry(6400, 600, screen);
        QCOMPARE(page.monthStep, 18);
        QCOMPARE(page.offset, 180);
        QCOMPARE(page.scrollRange, 180 + 6400);
        QCOMPARE(page.dotsPerInch, 600);
    }
};

ORVANEK_REGISTER_TEST(TestGraphPainter);
#include "tst_graphpainter.moc"
