// The graph window's geometry: panels, month grid, scroll and the placed model.
#include "graphtesthelpers.h"
#include "testregistry.h"
#include "views/graphs/graphlayout.h"

#include "solar/calendar.h"

#include <QDate>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

class TestGraphLayout : public QObject {
    Q_OBJECT

  private:
    ObservationStore store_{QDate(2026, 1, 1)};

    // g north 4 on 1 January 2001, south 3 on 3 January.
    GraphSeries twoDaySeries(int pixelsPerDay, int divisionHeight) {
        return graphSeries(store_, GraphQuantity::Groups, pixelsPerDay, divisionHeight);
    }

  private slots:
    void initTestCase() {
        ObservationRecord a = datedRecord("01.01.2001");
        a.summary.northGroups = 4;
        ObservationRecord b = datedRecord("03.01.2001");
        b.summary.southGroups = 3;
        store_.appendRecord(a);
        store_.appendRecord(b);
    }

    void pagePanels_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("panelHeight");
        QTest::addColumn<int>("divisionHeight");
        QTest::addColumn<int>("pixelsPerDay");
        // Landscape: (700 - 116) div 3 = 194, 194 div 11 = 17, 194 + 17.
        QTest::newRow("landscape") << 1000 << 700 << 211 << 17 << 2;
        // Upright: (450 - 100) div 3 = 116, 116 div 11 = 10, 116 + 10.
        QTest::newRow("upright") << 600 << 800 << 126 << 10 << 1;
        // (3720 - 826) div 3 = 964, 964 div 11 = 87.
        QTest::newRow("A4 at 600 dpi") << 4960 << 7016 << 1051 << 87 << 9;
        // (374 - 83) div 3 = 97, 97 div 11 = 8; a day still one pixel wide.
        QTest::newRow("narrow page") << 499 << 700 << 105 << 8 << 1;
    }
    void pagePanels() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, panelHeight);
        QFETCH(int, divisionHeight);
        QFETCH(int, pixelsPerDay);
        const PanelSize size = pagePanelSize(width, height);
        QCOMPARE(size.panelHeight, panelHeight);
        QCOMPARE(size.divisionHeight, divisionHeight);
        QCOMPARE(pagePixelsPerDay(width), pixelsPerDay);
    }

    void screenPanels_data() {
        QTest::addColumn<DisplayMode>("mode");
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<int>("divisionHeight");
        QTest::addColumn<QList<int>>("baselines");
        // 450: P = (450 - 120) div 3 = 110 = 11 divisions of 10; panels 25 apart.
        QTest::newRow("all, 450") << DisplayMode::All << 450 << 10 << QList<int>{135, 270, 405};
        QTest::newRow("whole, 450") << DisplayMode::Whole << 450 << 10 << QList<int>{330};
        // 700: 193 div 11 = 17, P = 187.
        QTest::newRow("north, 700") << DisplayMode::North << 700 << 17 << QList<int>{561};
        // 100: -20 div 3 would be -6; no room for a panel.
        QTest::newRow("all, too low") << DisplayMode::All << 100 << 0 << QList<int>{25, 50, 75};
    }
    void screenPanels() {
        QFETCH(DisplayMode, mode);
        QFETCH(int, clientHeight);
        QFETCH(int, divisionHeight);
        QFETCH(QList<int>, baselines);
        const GraphGeometry g = screenGraphGeometry(1000, clientHeight, mode, 0);
        QCOMPARE(g.panel.divisionHeight, divisionHeight);
        QCOMPARE(g.step, divisionHeight * (mode == DisplayMode::All ? 1 : 3));
        QList<int> drawn;
        for (const GraphPanel &p : g.panels)
            drawn << p.baseline;
        QCOMPARE(drawn, baselines);
    }

    // Every month line lies where the first day of that month is placed, across leap years
    // and the common year 1900.
    void monthLinesMeetFirstDays_data() {
        QTest::addColumn<int>("firstYear");
        QTest::addColumn<int>("pixelsPerDay");
        QTest::newRow("1896 on, screen") << 1896 << 2;
        QTest::newRow("1999 on, page") << 1999 << 9;
        QTest::newRow("2097 on, one pixel") << 2097 << 1;
    }
    void monthLinesMeetFirstDays() {
        QFETCH(int, firstYear);
        QFETCH(int, pixelsPerDay);
        const CalendarDate january{uint16_t(firstYear), 1, 1};
        const auto zero = static_cast<int32_t>(std::floor(double(dayNumber(january))));
        const int lastX = graphXOf({uint16_t(firstYear + 8), 1, 1}, zero, pixelsPerDay);
        const std::vector<MonthMark> marks = monthGrid(firstYear, lastX, pixelsPerDay);
        QVERIFY(marks.size() >= 8 * 12);
        for (const MonthMark &m : marks) {
            const CalendarDate first{uint16_t(m.year), uint16_t(m.month + 1), 1};
            QCOMPARE(m.x, graphXOf(first, zero, pixelsPerDay));
        }
    }

    void leapYearMarch() {
        // March lies 2 pixels further right when the store starts in a leap year.
        QCOMPARE(monthGrid(2000, 1000, 2)[2].x, (31 + 29) * 2);
        QCOMPARE(monthGrid(2001, 1000, 2)[2].x, (31 + 28) * 2);
        // Enough months to pass the newest record: round(730 / 61.2) + 2 = 14, January to
        // the next February.
        QCOMPARE(monthGrid(2001, 730, 2).size(), size_t(15));
    }

    void longSeriesKeepsItsMonthLines() {
        // 30.6 days a month: after 345 years round(X / 61.2) + 2 months would end 22 months
        // before the newest record (31 December 2024). The grid goes on to February 2025.
        const CalendarDate january{1680, 1, 1};
        const auto zero = static_cast<int32_t>(std::floor(double(dayNumber(january))));
        const int lastX = graphXOf({2024, 12, 31}, zero, 2);
        const std::vector<MonthMark> marks = monthGrid(1680, lastX, 2);
        QCOMPARE(marks.back().year, 2025);
        QCOMPARE(marks.back().month, 1);
        QCOMPARE(marks.back().x, lastX + 2 + 62);
    }

    void scroll_data() {
        QTest::addColumn<int>("lastX");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("position");
        QTest::newRow("wide window: the bar's end") << 2000 << 1000 << 2200 << 1200;
        QTest::newRow("750 pixels in") << 2000 << 900 << 2200 << 1250;
        // 750 pixels in would put the newest record (at 2050) past the right edge.
        QTest::newRow("narrow window") << 2000 << 600 << 2200 << 1500;
        QTest::newRow("short series") << 300 << 1000 << 500 << 0;
    }
    void scroll() {
        QFETCH(int, lastX);
        QFETCH(int, clientWidth);
        QFETCH(int, range);
        QFETCH(int, position);
        GraphSeries series;
        series.graphX = {0, lastX};
        const GraphScroll s = graphScroll(series, clientWidth);
        QCOMPARE(s.range, range);
        QCOMPARE(s.position, position);
        QVERIFY(lastX + 50 - s.position < clientWidth); // the newest record in view
    }

    void screenModel() {
        const GraphSeries series = twoDaySeries(2, 10);
        const GraphModel model =
            buildGraphModel(series, screenGraphGeometry(1000, 450, DisplayMode::All, 20));
        QCOMPARE(model.panels.size(), size_t(3));
        const GraphPanelDrawing &whole = model.panels[0];
        // x = graphX + 50 - S; y = baseline - height (13 = 4 x 10 div 3, then 10).
        QCOMPARE(whole.curve, QPolygon({QPoint(30, 122), QPoint(34, 125)}));
        QCOMPARE(model.panels[1].curve, QPolygon({QPoint(30, 257), QPoint(34, 270)}));
        QCOMPARE(model.panels[2].curve, QPolygon({QPoint(30, 405), QPoint(34, 395)}));
        QCOMPARE(whole.gridLines[10], QLine(30, 35, 4 + 200 - 20, 35));
        QCOMPARE(whole.valueLabels[0].pos, QPoint(-10, 117));
        const GraphMonthLine &january = whole.months.front();
        QVERIFY(january.january);
        QCOMPARE(january.line, QLine(30, 145, 30, 35));
        QCOMPARE(january.name.text, QStringLiteral("Leden"));
        QCOMPARE(january.year.text, QStringLiteral("2001"));
        QCOMPARE(january.year.pos, QPoint(30, 25));
        QCOMPARE(january.title.text, QStringLiteral("SEVER + JIH    Počet skupin"));

        // One tall panel: heights times 3.
        const GraphModel north =
            buildGraphModel(series, screenGraphGeometry(1000, 450, DisplayMode::North, 0));
        QCOMPARE(north.panels[0].curve, QPolygon({QPoint(50, 330 - 39), QPoint(54, 330)}));
    }

    void paperModel() {
        // Landscape 1000 x 700: P 211, division 17, two pixels a day; the window was
        // scrolled to 1 pixel, half a paper pixel, so the page starts at 0.
        const GraphGeometry g = paperGraphGeometry(1000, 700, DisplayMode::Whole, 1);
        QCOMPARE(g.offset, 1);
        const GraphSeries series = paperSeries(twoDaySeries(2, 10), store_, g);
        QCOMPARE(series.divisionHeight, 17);
        const GraphModel model = buildGraphModel(series, g);
        const GraphPanelDrawing &p = model.panels.front();
        QCOMPARE(p.panel.baseline, 633);
        // 1 January lies left of the page start and is left out; 3 January (x 4) is doubled.
        // Heights 4 x 17 div 3 = 22 and 3 x 17 div 3 = 17, three times.
        QCOMPARE(p.curve, QPolygon({QPoint(153, 633 - 51), QPoint(153, 633 - 51)}));
        QCOMPARE(p.gridLines[0], QLine(140, 633, 1200, 633));
        QCOMPARE(p.valueLabels[0].pos, QPoint(10, 633 - 51 - 20));
        QCOMPARE(model.pageTitle.pos, QPoint(200, 30));
        QCOMPARE(model.pageTitle.text, QStringLiteral(" Počet skupin"));
        // February is the first month on the page: full names at two pixels a day.
        QCOMPARE(p.months.front().line.x1(), 62 - 1 + 150);
        QCOMPARE(p.months.front().name.text, QStringLiteral("Únor"));

        const GraphGeometry page0 = paperGraphGeometry(499, 700, DisplayMode::All, 0);
        const GraphModel narrow = buildGraphModel(paperSeries(series, store_, page0), page0);
        // One pixel a day: three-letter names; the page starting at 1 January keeps it.
        QCOMPARE(narrow.panels[0].months.front().name.text, QStringLiteral("Led"));
        // Division 8: heights 4 x 8 div 3 = 10 and 3 x 8 div 3 = 8, panel 1 at 105 + 25.
        QCOMPARE(narrow.panels[0].curve,
                 QPolygon({QPoint(150, 120), QPoint(150, 120), QPoint(152, 122)}));
    }
};

ORVANEK_REGISTER_TEST(TestGraphLayout);
#include "tst_graphlayout.moc"
