// Monthly means, interpolation, the 13-month smoothing and the smoothed graph's layout.
#include "graphtesthelpers.h"
#include "testregistry.h"
#include "views/graphs/smoothedlayout.h"

#include <QDate>
#include <QMap>

#include <algorithm>
#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// One record on the 15th of each month number first..last (January 2001 = 1), value 8
// unless `values` gives one for the month.
QStringList monthlyDays(int first, int last, const QMap<int, int> &values = {}) {
    QStringList days;
    for (int m = first; m <= last; ++m)
        days << QStringLiteral("15.%1.%2=%3")
                    .arg((m - 1) % 12 + 1)
                    .arg(2001 + (m - 1) / 12)
                    .arg(values.value(m, 8));
    return days;
}

} // namespace

class TestMonthlySeries : public QObject {
    Q_OBJECT

  private slots:
    void monthlyMeans_data() {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<std::vector<int>>("months");
        QTest::addColumn<std::vector<int32_t>>("means");
        // (4 + 6) x 8 div 2 = 40, 2 x 8 = 16; March is still open.
        QTest::newRow("January, February, March open")
            << QStringList{"05.01.2001=4", "20.01.2001=6", "03.02.2001=2", "01.03.2001=9"}
            << std::vector<int>{1, 2} << std::vector<int32_t>{40, 16};
        QTest::newRow("eighths truncated") // 4 x 8 div 3 = 10
            << QStringList{"01.01.2001=1", "02.01.2001=1", "03.01.2001=2", "01.02.2001=0"}
            << std::vector<int>{1} << std::vector<int32_t>{10};
        QTest::newRow("numbers run on across years")
            << QStringList{"10.11.2000=1", "10.02.2001=3", "10.03.2001=0"}
            << std::vector<int>{11, 14} << std::vector<int32_t>{8, 24};
        QTest::newRow("same month a year on")
            << QStringList{"01.01.2001=1", "01.01.2002=3", "01.02.2002=0"}
            << std::vector<int>{1, 13} << std::vector<int32_t>{8, 24};
        QTest::newRow("a record without a date takes no part")
            << QStringList{"01.01.2001=2", "xx.01.2001=100", "02.01.2001=4", "01.02.2001=0"}
            << std::vector<int>{1} << std::vector<int32_t>{24};
        QTest::newRow("one open month") << QStringList{"01.01.2001=5", "02.01.2001=5"}
                                        << std::vector<int>{} << std::vector<int32_t>{};
    }
    void monthlyMeans() {
        QFETCH(QStringList, days);
        QFETCH(std::vector<int>, months);
        QFETCH(std::vector<int32_t>, means);
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, days);
        const MonthlySeries series = buildMonthlySeries(store, SmoothedQuantity::Groups);
        QCOMPARE(series.monthNumber, months);
        QCOMPARE(series.monthlyMean, means);
        QCOMPARE(series.hasCurves(), months.size() >= 2);
        QCOMPARE(series.interpolatedMonthly.empty(), months.size() < 2);
    }

    // Each quantity reads its own pair of summary fields, north + south.
    void quantityFields() {
        ObservationStore store(QDate(2026, 1, 1));
        for (const char *date : {"01.01.2001", "01.02.2001"}) {
            ObservationRecord r = datedRecord(date);
            RecordSummary &s = r.summary;
            s.northGroups = 1, s.southGroups = 2, s.northSpots = 10, s.southSpots = 20;
            s.northR = 100, s.southR = 200, s.northClassSum = 3, s.southClassSum = 4;
            s.northSN = 30, s.southSN = 40, s.northRB = 300, s.southRB = 400;
            s.northArea = 1000, s.southArea = 2000;
            s.northCorrectedArea = 3000, s.southCorrectedArea = 4000;
            store.appendRecord(r);
        }
        const std::vector<std::pair<QString, int>> sums = {
            {"g", 3},   {"f", 30},   {"R", 300},     {"cv", 7},
            {"sn", 70}, {"rb", 700}, {"area", 3000}, {"hemisphere", 7000}};
        for (const auto &[key, daily] : sums) {
            const std::optional<SmoothedQuantity> quantity = smoothedQuantityFromKey(key);
            QVERIFY2(quantity, qPrintable(key));
            QCOMPARE(buildMonthlySeries(store, *quantity).monthlyMean,
                     std::vector<int32_t>{daily * kEighths});
        }
    }

    void interpolation_data() {
        QTest::addColumn<std::vector<int>>("months");
        QTest::addColumn<std::vector<int32_t>>("means");
        QTest::addColumn<std::vector<int32_t>>("table");
        // Halves go to the even neighbour.
        QTest::newRow("40.5 to 40") << std::vector<int>{1, 3} << std::vector<int32_t>{40, 41}
                                    << std::vector<int32_t>{0, 40, 40, 41};
        QTest::newRow("41.5 to 42") << std::vector<int>{1, 3} << std::vector<int32_t>{41, 42}
                                    << std::vector<int32_t>{0, 41, 42, 42};
        QTest::newRow("falling") << std::vector<int>{1, 4} << std::vector<int32_t>{40, 10}
                                 << std::vector<int32_t>{0, 40, 30, 20, 10};
        QTest::newRow("thirds") << std::vector<int>{1, 4} << std::vector<int32_t>{0, 1}
                                << std::vector<int32_t>{0, 0, 0, 1, 1};
        // The slope 1/6 in single precision is 0.16666667163...: three sixths come to
        // 0.5000000149, above the half, so month 4 rounds up.
        QTest::newRow("single-precision slope")
            << std::vector<int>{1, 7} << std::vector<int32_t>{40, 41}
            << std::vector<int32_t>{0, 40, 40, 40, 41, 41, 41, 41};
        QTest::newRow("empty before the first month")
            << std::vector<int>{3, 4} << std::vector<int32_t>{16, 24}
            << std::vector<int32_t>{0, 0, 0, 16, 24};
    }
    void interpolation() {
        QFETCH(std::vector<int>, months);
        QFETCH(std::vector<int32_t>, means);
        QFETCH(std::vector<int32_t>, table);
        QCOMPARE(interpolateMonthly(months, means), table);
    }

    // A single month of 3 groups (24 eighths) among empty ones shows the weights: half at
    // six months from the centre, whole within five.
    void smoothingWeights_data() {
        QTest::addColumn<int>("spike");
        QTest::addColumn<int>("at7");
        QTest::addColumn<int>("at8");
        QTest::newRow("month 1") << 1 << 1 << 0;
        QTest::newRow("month 2") << 2 << 2 << 1;
        QTest::newRow("month 7") << 7 << 2 << 2;
        QTest::newRow("month 13") << 13 << 1 << 2;
        QTest::newRow("month 14") << 14 << 0 << 1;
        QTest::newRow("month 15") << 15 << 0 << 0;
    }
    void smoothingWeights() {
        QFETCH(int, spike);
        QFETCH(int, at7);
        QFETCH(int, at8);
        ObservationStore store(QDate(2026, 1, 1));
        QMap<int, int> values;
        for (int m = 1; m <= 16; ++m)
            values[m] = m == spike ? 24 : 0;
        fillStore(store, monthlyDays(1, 16, values)); // month 16 open: 15 closed
        const MonthlySeries series = buildMonthlySeries(store, SmoothedQuantity::Groups);
        QCOMPARE(series.firstSmoothed, 7);
        QCOMPARE(series.lastSmoothed, 8);
        // 24 groups x 8 eighths, times the weight.
        QCOMPARE(series.smoothed[7], at7 * 24 * kEighths);
        QCOMPARE(series.smoothed[8], at8 * 24 * kEighths);
    }

    void smoothedRange_data() {
        QTest::addColumn<int>("firstMonth");
        QTest::addColumn<int>("lastClosed");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("last closed 13: none") << 1 << 13 << 7 << 6;
        QTest::newRow("last closed 14") << 1 << 14 << 7 << 7;
        QTest::newRow("last closed 20") << 1 << 20 << 7 << 13;
        // Six months of data before the first smoothed one, not empty months taken as 0.
        QTest::newRow("data from June") << 6 << 24 << 12 << 17;
    }
    void smoothedRange() {
        QFETCH(int, firstMonth);
        QFETCH(int, lastClosed);
        QFETCH(int, first);
        QFETCH(int, last);
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, monthlyDays(firstMonth, lastClosed + 1));
        const MonthlySeries series = buildMonthlySeries(store, SmoothedQuantity::Groups);
        QCOMPARE(series.lastClosedMonth(), lastClosed);
        QCOMPARE(series.firstSmoothed, first);
        QCOMPARE(series.lastSmoothed, last);
        if (first <= last)
            QCOMPARE(series.smoothed[size_t(first)], kSmoothedScale * 8); // flat: the value
        const SmoothedLayout layout =
            layoutSmoothed(series, smoothedScreenGeometry({1360, 860}, 3, 0, 0));
        QCOMPARE(layout.smoothed.size(), std::max(last - first + 1, 0));
    }

    // Source: WDC-SILSO, Royal Observatory of Belgium, Brussels; International Sunspot
    // Number V2.0, monthly means and 13-month smoothed values (release of August 2025).
    // The smoothing there is the same tapered 13-month mean.
    void publishedSmoothedNumber_data() {
        QTest::addColumn<std::vector<int32_t>>("tenths"); // 13 monthly means, tenths
        QTest::addColumn<double>("published");
        QTest::newRow("2014-04, cycle 24 maximum")
            << std::vector<int32_t>{1144, 1139, 1242, 1170, 1461, 1287, 1125,
                                    1125, 1029, 1002, 1069, 1300, 900}
            << 116.4;
        QTest::newRow("2019-12, cycle 24/25 minimum")
            << std::vector<int32_t>{12, 9, 5, 11, 4, 5, 15, 62, 2, 15, 52, 2, 58} << 1.8;
    }
    void publishedSmoothedNumber() {
        QFETCH(std::vector<int32_t>, tenths);
        QFETCH(double, published);
        std::vector<int32_t> table{0};
        table.insert(table.end(), tenths.begin(), tenths.end()); // months 1..13
        const double smoothed = smoothedValue(table, 7) / double(kSmoothingWeights) / 10;
        // SILSO rounds to 0.1 from unrounded monthly values.
        QVERIFY2(std::abs(smoothed - published) <= 0.05, qPrintable(QString::number(smoothed)));
    }

    void widthBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pixelsPerMonth");
        QTest::newRow("9") << "9" << 5;
        QTest::newRow("0") << "0" << 3;
        QTest::newRow("negative") << "-2" << 3;
        QTest::newRow("unreadable") << "dva" << 3;
        QTest::newRow("1") << " 1 " << 1;
    }
    void widthBox() {
        QFETCH(QString, typed);
        QFETCH(int, pixelsPerMonth);
        QCOMPARE(pixelsPerMonthFromText(typed), pixelsPerMonth);
    }

    // s is the client width div 68 unless the window is too low for the 42 s the graph and
    // its years take: then the height div 42. The year labels stand at 42 s - 20, above the
    // window's bottom.
    void screenScaleFitsTheWindow_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("s");
        QTest::newRow("1360 x 860: the width's 20, 840 high") << QSize(1360, 860) << 20;
        QTest::newRow("1400 x 800, maximised: 800 div 42") << QSize(1400, 800) << 19;
        QTest::newRow("1900 x 420: 420 div 42") << QSize(1900, 420) << 10;
    }
    void screenScaleFitsTheWindow() {
        QFETCH(QSize, client);
        QFETCH(int, s);
        const SmoothedGeometry g = smoothedScreenGeometry(client, 3, 0, 5000);
        QCOMPARE(g.sizeFactor, s);
        const SmoothedLayout l = layoutSmoothed(seriesOfMeans(SmoothedQuantity::Groups, {}), g);
        QCOMPARE(l.baseLine.y1(), 40 * s);
        QCOMPARE(l.yearLabels[0].pos.y(), 42 * s - 20);
    }

    // Each quantity's scale step and title: the lowest label is one step, the highest nine,
    // and a monthly mean of one step lies one labelled row (2u = 80 at s = 20) above the
    // base line at 800.
    void quantityScales_data() {
        QTest::addColumn<SmoothedQuantity>("quantity");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("title");
        QTest::newRow("g") << SmoothedQuantity::Groups << 3 << "Počet skupin";
        QTest::newRow("f") << SmoothedQuantity::Spots << 25 << "Počet skvrn";
        QTest::newRow("R") << SmoothedQuantity::Relative << 40 << "Relativní číslo";
        QTest::newRow("CV") << SmoothedQuantity::ClassSum << 40 << " CV  (McIntoshovo číslo)";
        QTest::newRow("SN") << SmoothedQuantity::Pettis << 60 << " SN  (Pettisovo číslo)";
        QTest::newRow("RB") << SmoothedQuantity::Beck << 250 << " RB  (Beckovo číslo)";
        QTest::newRow("area") << SmoothedQuantity::Area << 400 << " Plocha  skvrn  disk";
        QTest::newRow("hemisphere")
            << SmoothedQuantity::HemisphereArea << 400 << " Plocha skvrn  polokoule";
    }
    void quantityScales() {
        QFETCH(SmoothedQuantity, quantity);
        QFETCH(int, step);
        QFETCH(QString, title);
        const SmoothedLayout l = layoutSmoothed(seriesOfMeans(quantity, {step * kEighths, 0}),
                                                smoothedScreenGeometry({1360, 860}, 3, 0, 5000));
        QCOMPARE(l.title.text, title);
        QCOMPARE(l.valueLabels[0].text, QString::number(step));
        QCOMPARE(l.valueLabels[8].text, QString::number(9 * step));
        QCOMPARE(l.means.at(1).y(), 800 - 80);
    }

    void layout_data() {
        QTest::addColumn<bool>("paper");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("pixelsPerMonth");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<SmoothedQuantity>("quantity");
        QTest::addColumn<int>("value"); // month 1's mean and month 7's smoothed value
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("year");
        // Width 1360: s = 20, u = 40, base line 20u = 800, px = 3 x 20 div 16 = 3. Five
        // groups are 5 / 3 steps of 2u = 80 pixels: 133 pixels up.
        QTest::newRow("screen, g 5") << false << 1360 << 3 << 0 << SmoothedQuantity::Groups << 5
                                     << 800 << 3 << 800 - 133 << "2001";
        QTest::newRow("screen scrolled, one pixel a month")
            << false << 1360 << 1 << 100 << SmoothedQuantity::Groups << 5 << 800 << 1 << 800 - 133
            << "01";
        // Page 9917: s = 154, u = 308, base 6160, px = 5 x 154 div 16 = 48. An area of 6000
        // at 400 a step is 15 steps of 616 pixels: beyond 32 bits in the products.
        QTest::newRow("page, hemisphere area 6000")
            << true << 9917 << 5 << 0 << SmoothedQuantity::HemisphereArea << 6000 << 6160 << 48
            << 6160 - 9240 << "2001";
    }
    void layout() {
        QFETCH(bool, paper);
        QFETCH(int, width);
        QFETCH(int, pixelsPerMonth);
        QFETCH(int, scroll);
        QFETCH(SmoothedQuantity, quantity);
        QFETCH(int, value);
        QFETCH(int, base);
        QFETCH(int, step);
        QFETCH(int, y);
        QFETCH(QString, year);
        MonthlySeries series = seriesOfMeans(quantity, {value * kEighths, 0});
        series.smoothed.assign(8, 0);
        series.smoothed[7] = value * kSmoothedScale;
        series.firstSmoothed = series.lastSmoothed = 7;
        const SmoothedGeometry g =
            paper ? smoothedPaperGeometry(width, pixelsPerMonth, scroll, 5000)
                  : smoothedScreenGeometry({width, 860}, pixelsPerMonth, scroll, 5000);
        QCOMPARE(g.monthStep, step);
        const SmoothedLayout l = layoutSmoothed(series, g);
        const int x0 = 30 - scroll;
        QCOMPARE(l.means,
                 QPolygon({QPoint(x0, base), QPoint(x0 + step, y), QPoint(x0 + 2 * step, base)}));
        QCOMPARE(l.smoothed, QPolygon({QPoint(x0 + 7 * step, y)}));
        QCOMPARE(l.baseLine, QLine(x0, base, 5000 - scroll, base));
        QCOMPARE(l.yearLines[1].x1(), x0 + 12 * step);
        QCOMPARE(l.yearLabels[0].text, year);
        // The top label, 9 steps, 18 rows above the base line.
        QCOMPARE(l.valueLabels[8].pos.y(), base - 18 * (base / 20) - 8);
    }
};

ORVANEK_REGISTER_TEST(TestMonthlySeries);
#include "tst_monthlyseries.moc"
