// The monthly statistics: measured means, months, regions, gap filling, smoothing, pages.
#include "reports/statisticsmodel.h"
#include "reporttesthelpers.h"
#include "testregistry.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace orvanek;
using namespace orvanek::testing;

Q_DECLARE_METATYPE(orvanek::StatRegion)
Q_DECLARE_METATYPE(orvanek::StatisticsPrintRange)
Q_DECLARE_METATYPE(std::vector<orvanek::PrintedPage>)

namespace {

QString dayOf(int day, int month, int year) {
    return QStringLiteral("%1.%2.%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year);
}

// SILSO monthly mean total sunspot numbers, October 2013 to December 2014 (Source:
// WDC-SILSO, Royal Observatory of Belgium, Brussels, SN_m_tot_V2.0), in tenths.
constexpr int kSilsoMonthlyTenths[] = {1144, 1139, 1242, 1170, 1461, 1287, 1125, 1125,
                                       1029, 1002, 1069, 1300, 900,  1036, 1129};

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

  private slots:
    void regions_data() {
        QTest::addColumn<StatRegion>("region");
        QTest::addColumn<QString>("row");
        // North g 1, 3; south g 2, 0; f and R likewise. The whole disk adds the means of
        // the record's central values, faculae and qualities; the hemispheres leave them out.
        QTest::newRow("total") << StatRegion::Total
                               << "07.2001;3.0;7.0;37.0;1.5;5.5;20.5;1.5;1.5;2.0;4.5";
        QTest::newRow("north") << StatRegion::North << "07.2001;2.0;5.0;25.0;;;;;;;";
        QTest::newRow("south") << StatRegion::South << "07.2001;1.0;2.0;12.0;;;;;;;";
    }
    void regions() {
        QFETCH(StatRegion, region);
        QFETCH(QString, row);
        ObservationRecord a = summaryRecord("01.07.2001", {1, 4, 14}, {2, 3, 23});
        ObservationRecord b = summaryRecord("02.07.2001", {3, 6, 36}, {0, 1, 1});
        a.centralGroups = 1, b.centralGroups = 2;
        a.centralSpots = 4, b.centralSpots = 7;
        a.centralR = 14, b.centralR = 27;
        a.faculaTotal = 3, b.faculaTotal = 0;
        a.conditions = 1, b.conditions = 2;
        a.imageQuality = 2, b.imageQuality = 2;
        a.seeingQuality = 5, b.seeingQuality = 4;
        ObservationStore store(kTestToday);
        fillStore(store, {a, b});
        const auto rows = statisticsCsvRows(measuredStatistics(store, region));
        QCOMPARE(rows[0].join(u';'), QStringLiteral("month;g;f;r;gc;fc;rc;F;p;o;Q"));
        QCOMPARE(rows[1].join(u';'), row);
    }

    // Records in January and March 2000 and March 2001: January's g 2, 3 and 3 make 2.7;
    // February has its row, labelled, with empty cells; March a year later is a month of
    // its own, fourteen rows on.
    void monthsAndYears() {
        ObservationStore store(kTestToday);
        fillStore(store,
                  {summaryRecord("03.01.2000", {2, 5, 25}),
                   summaryRecord("10.01.2000", {1, 2, 12}, {2, 2, 22}),
                   summaryRecord("31.01.2000", {3, 0, 30}), summaryRecord("15.03.2000", {2, 2, 22}),
                   summaryRecord("15.03.2001", {4, 0, 40})});
        const StatisticsTable t = measuredStatistics(store, StatRegion::Total);
        QCOMPARE(t.lastMonthIndex(), 14);
        QCOMPARE(statisticsGridText(t, 1, 1), QStringLiteral("  2.7"));
        QCOMPARE(statisticsGridText(t, 0, 2), QStringLiteral(" 02.2000"));
        QCOMPARE(statisticsCsvRows(t)[2].join(u';'), QStringLiteral("02.2000;;;;;;;;;;"));
        QCOMPARE(t.rows[2].values[StatG], 2.0);
        QCOMPARE(t.rows[14].values[StatG], 4.0);
    }

    // A month between two months with data, and a month whose records all have g 0, are
    // filled on the line between their neighbours; a run at the end stays 0.
    void gapFilling() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("01.01.2001", {1, 3, 13}),  // 10, 30, 130 tenths
                          summaryRecord("01.02.2001", {0, 7, 7}),   // g 0: missing
                          summaryRecord("01.04.2001", {4, 12, 52}), // 40, 120, 520
                          summaryRecord("01.05.2001", {1, 0, 10}),  // 10, 0, 100
                          summaryRecord("01.06.2001", {0, 5, 5})}); // missing to the end
        const StatisticsTable t = smoothedStatistics(store, StatRegion::Total);
        using Tenths = std::array<int, kRegionQuantities>;
        const std::vector<Tenths> expected = {
            {10, 30, 130},  {20, 60, 260}, // one third of the way from January to April
            {30, 90, 390},                 // two thirds
            {40, 120, 520}, {10, 0, 100},
            {0, 50, 50}, // left as it is: nothing follows to fill it from
        };
        QCOMPARE(t.monthlyTenths, expected);
    }

    // Smoothed values against the SILSO 13-month smoothed series: 10 records a month whose R
    // add up to ten times the monthly mean make the stored tenths equal the published
    // monthly means; SN_ms_tot_V2.0 gives 116.4 for April 2014 and 115.0 for May 2014.
    void smoothingMatchesSilso() {
        ObservationStore store(kTestToday);
        int month = 10, year = 2013;
        for (int tenths : kSilsoMonthlyTenths) {
            for (int day = 1; day <= 10; ++day) {
                const int r = day < 10 ? tenths / 10 : tenths - 9 * (tenths / 10);
                store.appendRecord(summaryRecord(dayOf(day, month, year), {1, 0, 0},
                                                 {0, 0, static_cast<uint16_t>(r)}));
            }
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        const StatisticsTable t = smoothedStatistics(store, StatRegion::Total);
        QCOMPARE(t.lastMonthIndex(), 14);
        QCOMPARE(t.monthlyTenths[0][StatR], 1144);
        QCOMPARE(statisticsGridText(t, 3, 7), QStringLiteral("116.4")); // April 2014
        QCOMPARE(statisticsGridText(t, 3, 8), QStringLiteral("115.0")); // May 2014
        QCOMPARE(statisticsGridText(t, 1, 7), QStringLiteral("1.0"));   // g 1 every month
        // The first six and the last seven months have no smoothed value; the columns after
        // R stay empty.
        QVERIFY(statisticsGridText(t, 3, 6).isEmpty());
        QVERIFY(statisticsGridText(t, 3, 9).isEmpty());
        QVERIFY(statisticsGridText(t, 4, 7).isEmpty());
        const auto rows = statisticsCsvRows(t);
        QCOMPARE(rows[0].join(u';'), QStringLiteral("month;g;f;r"));
        QCOMPARE(rows[7].join(u';'), QStringLiteral("04.2014;1.0;0.0;116.4"));
    }

    // One drawing a month from January 2001 to February 2002 (14 months, the least that is
    // smoothed): north g 2, f 5 and R 10 + k in month k, south g 1, f 3 and R 30 - k. A
    // straight line smooths to itself: July 2001 (k 6) has R 16 in the north, 24 in the south.
    void smoothedRegions_data() {
        QTest::addColumn<StatRegion>("region");
        QTest::addColumn<QString>("row");
        QTest::newRow("north") << StatRegion::North << "07.2001;2.0;5.0;16.0";
        QTest::newRow("south") << StatRegion::South << "07.2001;1.0;3.0;24.0";
        QTest::newRow("total") << StatRegion::Total << "07.2001;3.0;8.0;40.0";
    }
    void smoothedRegions() {
        QFETCH(StatRegion, region);
        QFETCH(QString, row);
        ObservationStore store(kTestToday);
        for (int k = 0; k < 14; ++k)
            store.appendRecord(summaryRecord(dayOf(1, k % 12 + 1, 2001 + k / 12),
                                             {2, 5, static_cast<uint16_t>(10 + k)},
                                             {1, 3, static_cast<uint16_t>(30 - k)}));
        const auto rows = statisticsCsvRows(smoothedStatistics(store, region));
        QCOMPARE(rows[7].join(u';'), row);
        QCOMPARE(rows[6].join(u';'), QStringLiteral("06.2001;;;")); // the first six: none
    }

    // Means with one decimal round a half to the even digit, as every rounding here does:
    // g 1, 0, 0, 0 in a month is 0.25 and shows 0.2.
    void oneDecimalHalvesToEven() {
        ObservationStore store(kTestToday);
        for (int day = 1; day <= 4; ++day)
            store.appendRecord(summaryRecord(dayOf(day, 3, 2001), {uint16_t(day == 1), 0, 0}));
        QCOMPARE(statisticsGridText(measuredStatistics(store, StatRegion::Total), 1, 1), "  0.2");
    }

    // A column is sized by its longest text: found from the largest and smallest values, a
    // minus sign counted; empty columns and the month column by their own texts.
    void widestText_data() {
        QTest::addColumn<QList<double>>("values"); // NaN: an empty cell
        QTest::addColumn<QString>("widest");
        const double none = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("largest last") << QList<double>{3.0, 9.95, 123.4} << "123.4";
        QTest::newRow("largest first, empties") << QList<double>{1234.5, none, 7.0} << "1234.5";
        QTest::newRow("a negative one wider") << QList<double>{-12.25, 99.9} << "-12.2";
        QTest::newRow("no value") << QList<double>{none, none} << "";
    }
    void widestText() {
        QFETCH(QList<double>, values);
        QFETCH(QString, widest);
        StatisticsTable table;
        for (int i = 0; i < values.size(); ++i) {
            StatisticsRow row{2001, i + 1, {}};
            if (!std::isnan(values[i]))
                row.values[StatR] = values[i];
            table.rows.push_back(row);
        }
        QCOMPARE(statisticsWidestText(table, StatR + 1), widest);
        QCOMPARE(statisticsWidestText(table, 0),
                 QString(" %1.2001").arg(values.size(), 2, 10, QChar('0')));
    }

    // Twelve months are too few to smooth: no value anywhere.
    void noSmoothingWithTwelveMonths() {
        ObservationStore store(kTestToday);
        for (int month = 1; month <= 12; ++month)
            store.appendRecord(summaryRecord(dayOf(1, month, 2001), {2, 2, 22}));
        const StatisticsTable t = smoothedStatistics(store, StatRegion::Total);
        QCOMPARE(t.lastMonthIndex(), 11);
        for (const StatisticsRow &row : t.rows)
            QVERIFY(!row.values[StatG] && !row.values[StatR]);
    }

    void printPages_data() {
        QTest::addColumn<StatisticsPrintRange>("range");
        QTest::addColumn<int>("cursorRow");
        QTest::addColumn<std::vector<PrintedPage>>("pages");
        // 50 month rows, 20 on a page.
        QTest::newRow("all values")
            << StatisticsPrintRange::AllValues << 30
            << std::vector<PrintedPage>{{1, 1, 20}, {2, 21, 40}, {3, 41, 50}};
        QTest::newRow("all from the cursor") << StatisticsPrintRange::FromCursor << 15
                                             << std::vector<PrintedPage>{{1, 15, 34}, {2, 35, 50}};
        QTest::newRow("one page from row 45") << StatisticsPrintRange::OnePageFromCursor << 45
                                              << std::vector<PrintedPage>{{1, 45, 50}};
    }
    void printPages() {
        QFETCH(StatisticsPrintRange, range);
        QFETCH(int, cursorRow);
        QFETCH(std::vector<PrintedPage>, pages);
        QCOMPARE(statisticsPrintPages(50, 20, range, cursorRow), pages);
    }

    // A page 1408 pixels wide prints at scale 2, (1000 - 400) / 30 = 20 rows a page; 49
    // months make a grid of 50 rows, 2.5 pages. A page narrower than the table still prints.
    void pageEstimate() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("01.01.2000", {1, 1, 11}),
                          summaryRecord("01.01.2004", {1, 1, 11})});
        const StatisticsTable t = measuredStatistics(store, StatRegion::Total);
        QCOMPARE(statisticsCountLabel(t, {1408, 1000}),
                 QStringLiteral("Počet hodnot je = 50   ( 2.5  str.)"));
        QCOMPARE(statisticsLinesPerPage({500, 300}), 1);
        // A4 at 600 dpi when no printer is known: scale 7, 6616 / 105 = 63 rows.
        QCOMPARE(statisticsLinesPerPage(kFallbackPage), 63);
    }
};

ORVANEK_REGISTER_TEST(TestStatistics);

#include "tst_statistics.moc"
