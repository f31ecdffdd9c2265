// The daily series: positions in time, quantised heights, the quantity's labels.
#include "graphtesthelpers.h"
#include "testregistry.h"
#include "views/graphs/activityseries.h"

#include <QDate>

using namespace orvanek;
using namespace orvanek::testing;

class TestActivitySeries : public QObject {
    Q_OBJECT

  private slots:
    void position_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("pixelsPerDay");
        QTest::addColumn<int>("x");
        // Day k of the first year (1 January = day 0) lies at k x pixelsPerDay.
        QTest::newRow("1 January") << "01.01.2001"
                                   << "01.01.2001" << 2 << 0;
        QTest::newRow("3 January") << "01.01.2001"
                                   << "03.01.2001" << 2 << 4;
        QTest::newRow("first record mid-year") << "15.06.2001"
                                               << "15.06.2001" << 2 << 330;
        QTest::newRow("1 March of a leap year") << "01.01.2000"
                                                << "01.03.2000" << 2 << 120;
        QTest::newRow("1 January of the next year") << "15.06.2001"
                                                    << "01.01.2002" << 2 << 730;
        QTest::newRow("a page's day width") << "01.01.2001"
                                            << "03.01.2001" << 9 << 18;
        // Day numbers are negative before 17 November 1858: days start at the floor.
        QTest::newRow("3 January 1850") << "01.01.1850"
                                        << "03.01.1850" << 2 << 4;
        // Day numbers change sign on 17 November 1858.
        QTest::newRow("across 1858") << "01.01.1858"
                                     << "01.01.1859" << 2 << 730;
        // 36524 days: 73048 pixels would wrap to 7512 in 16 bits.
        QTest::newRow("a century on") << "01.01.1900"
                                      << "01.01.2000" << 2 << 73048;
        QTest::newRow("before the first year, clipped") << "01.01.2001"
                                                        << "31.12.2000" << 2 << 0;
    }
    void position() {
        QFETCH(QString, first);
        QFETCH(QString, date);
        QFETCH(int, pixelsPerDay);
        QFETCH(int, x);
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, {first, date});
        GraphSeries series;
        buildTimeAxis(series, store, pixelsPerDay);
        QCOMPARE(series.pointCount(), 2);
        QCOMPARE(int(series.firstYear), first.right(4).toInt());
        QCOMPARE(series.graphX[1], x);
    }

    void recordsWithoutDateTakeNoPart() {
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, {"xx.01.2001=9", "01.01.2001=4", "31.02.2001=30", "03.01.2001=6"});
        GraphSeries series;
        buildTimeAxis(series, store, 2);
        selectQuantity(series, store, GraphQuantity::Groups, 30);
        QCOMPARE(series.firstYear, uint16_t(2001));
        QCOMPARE(series.recordIndex, (std::vector<int>{1, 3}));
        QCOMPARE(series.graphX, (std::vector<int32_t>{0, 4}));
        // g 4 and 6 at 30 pixels a division of 3 groups: 40 and 60 pixels.
        QCOMPARE(series.wholeHeight(0), 40);
        QCOMPARE(series.wholeHeight(1), 60);
    }

    void height_data() {
        QTest::addColumn<GraphQuantity>("quantity");
        QTest::addColumn<int>("north");
        QTest::addColumn<int>("south");
        QTest::addColumn<int>("divisionHeight");
        QTest::addColumn<int>("northHeight");
        QTest::addColumn<int>("southHeight");
        // (value x divisionHeight) div scaleStep, truncated.
        QTest::newRow("g 4 at 20: 26") << GraphQuantity::Groups << 4 << 0 << 20 << 26 << 0;
        QTest::newRow("R 49 at 20: 19") << GraphQuantity::Relative << 0 << 49 << 20 << 0 << 19;
        QTest::newRow("f 125 at 10: 25") << GraphQuantity::Spots << 125 << 99 << 10 << 25 << 19;
        QTest::newRow("g 1 at 2: 0") << GraphQuantity::Groups << 1 << 2 << 2 << 0 << 1;
        // 65535 x 10 div 3 = 218450, kept in 16 bits: 218450 - 3 x 65536 = 21842.
        QTest::newRow("16-bit height") << GraphQuantity::Groups << 65535 << 0 << 10 << 21842 << 0;
        QTest::newRow("no room for a panel") << GraphQuantity::Groups << 9 << 9 << -1 << 0 << 0;
    }
    void height() {
        QFETCH(GraphQuantity, quantity);
        QFETCH(int, north);
        QFETCH(int, south);
        QFETCH(int, divisionHeight);
        QFETCH(int, northHeight);
        QFETCH(int, southHeight);
        const GraphQuantityInfo &info = graphQuantityInfo(quantity);
        ObservationStore store(QDate(2026, 1, 1));
        ObservationRecord r = datedRecord("01.01.2001");
        r.summary.*info.northField = static_cast<uint16_t>(north);
        r.summary.*info.southField = static_cast<uint16_t>(south);
        store.appendRecord(r);
        const GraphSeries series = graphSeries(store, quantity, 2, divisionHeight);
        QCOMPARE(int(series.northHeight[0]), northHeight);
        QCOMPARE(int(series.southHeight[0]), southHeight);
    }

    // A resize keeps the heights; choosing again quantises at the size of the moment.
    void recomputeKeepsTheQuantity() {
        ObservationStore store(QDate(2026, 1, 1));
        fillStore(store, {"01.01.2001=98"}, &RecordSummary::northR, &RecordSummary::southR);
        GraphSeries series = graphSeries(store, GraphQuantity::Relative, 2, 20);
        QCOMPARE(int(series.southHeight[0]), 19); // 49 x 20 div 50
        recomputeSelected(series, store, 10);
        QCOMPARE(series.quantity, GraphQuantity::Relative);
        QCOMPARE(int(series.southHeight[0]), 9); // 49 x 10 div 50
    }
};

ORVANEK_REGISTER_TEST(TestActivitySeries);
#include "tst_activityseries.moc"
