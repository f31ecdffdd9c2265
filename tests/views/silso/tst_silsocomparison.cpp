// The own R against SILSO: a data set exactly 1/1.5 of the file gives k = 1.50 in every
// month, whatever the file marks missing or the records mark special; and the chart of it.
#include "silsotesthelpers.h"
#include "testregistry.h"
#include "views/silso/silsochart.h"
#include "views/silso/silsocomparison.h"

#include <QLineF>

using namespace orvanek;

Q_DECLARE_METATYPE(std::vector<orvanek::ObservationRecord>)
using namespace orvanek::testing;

namespace {

SilsoComparison compare(const std::vector<ObservationRecord> &records, const QByteArray &text) {
    ObservationStore store(QDate(2026, 12, 8));
    fillStore(store, records);
    const SilsoReadResult read = parseSilsoFile(text, "f.csv");
    return read.file ? compareWithSilso(store, *read.file) : SilsoComparison();
}

} // namespace

class TestSilsoComparison : public QObject {
    Q_OBJECT

  private slots:
    void rows_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        // January: own days 40, 70 (the mean of 60 and 80) and 20 against 60, 105, 30; the
        // 4th (-1 in the file) and the special 6th do not count. February 30, 50 against 45,
        // 75; April 80 against 120. Over all six days 290/6 against 435/6.
        QTest::newRow("daily totals")
            << silsoTotals()
            << QStringList{"month;year;days;ownR;silsoSN;k", "1;2001;3;43.33;65.00;1.50",
                           "2;2001;2;40.00;60.00;1.50", "4;2001;1;80.00;120.00;1.50",
                           "all;;6;48.33;72.50;1.50"};
        // Each hemisphere 1.5 times too; the north of 2 February, missing in the file, is
        // left out of kNorth (counted as -1 it would give 0.58).
        QTest::newRow("hemispheres") << silsoHemispheres()
                                     << QStringList{"month;year;days;ownR;silsoSN;k;kNorth;kSouth",
                                                    "1;2001;3;43.33;65.00;1.50;1.50;1.50",
                                                    "2;2001;2;40.00;60.00;1.50;1.50;1.50",
                                                    "4;2001;1;80.00;120.00;1.50;1.50;1.50",
                                                    "all;;6;48.33;72.50;1.50;1.50;1.50"};
    }
    void rows() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        const SilsoComparison c = compare(ownRecords(), file);
        QVERIFY2(c.comparable(), qPrintable(c.problem));
        QStringList lines;
        for (const QStringList &row : comparisonCsvRows(c))
            lines << row.join(';');
        QCOMPARE(lines, rows);
    }

    void noFactorWithoutOwnSpots() {
        // A month whose own R is 0: nothing to scale, k stays empty.
        const SilsoComparison c = compare({recordWithR("01.03.2001", 0, 0)}, silsoTotals());
        const QList<QStringList> rows = comparisonCsvRows(c);
        QCOMPARE(rows.value(1).join(';'), "3;2001;1;0.00;12.00;");
        QCOMPARE(rows.value(2).join(';'), "all;;1;0.00;12.00;");
    }

    void nothingToCompare_data() {
        QTest::addColumn<std::vector<ObservationRecord>>("records");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no common day")
            << std::vector<ObservationRecord>{recordWithR("10.03.2001", 1, 1),
                                              recordWithR("12.03.2001", 1, 1)}
            << "Soubor f.csv nemá s pozorováními žádný společný den (pozorování 10.03.2001 – "
               "12.03.2001, soubor 02.01.2001 – 01.04.2001).";
        QTest::newRow("only special records")
            << std::vector<ObservationRecord>{recordWithR("02.01.2001", 1, 1, true)}
            << "V datech není žádné řádné pozorování s čitelným datem.";
    }
    void nothingToCompare() {
        QFETCH(std::vector<ObservationRecord>, records);
        QFETCH(QString, problem);
        const SilsoComparison c = compare(records, silsoTotals());
        QVERIFY(!c.comparable());
        QCOMPARE(c.problem, problem);
    }

    void chart() {
        const SilsoComparison c = compare(ownRecords(), silsoTotals());
        const SilsoChart chart = silsoChart(c, QSizeF(1000, 700));
        QCOMPARE(chart.monthCount, 4);
        // March has no common day: both curves break there.
        QCOMPARE(chart.ownCurve.size(), size_t(2));
        QCOMPARE(chart.silsoCurve.size(), size_t(2));
        // Own R times k = 1.5 is SILSO's mean in every month: the curves lie on each other.
        for (size_t run = 0; run < 2; ++run)
            for (qsizetype i = 0; i < chart.ownCurve[run].size(); ++i)
                QVERIFY(QLineF(chart.ownCurve[run][i], chart.silsoCurve[run][i]).length() < 1e-9);
        // Every month's k is the overall k: the points lie on its line.
        QCOMPARE(chart.kPoints.size(), size_t(3));
        QVERIFY(chart.kLine);
        for (const QPointF &p : chart.kPoints)
            QVERIFY(std::abs(p.y() - chart.kLine->y1()) < 1e-9);
        // Months evenly across, higher values higher up: April 120, January 65, February 60.
        const QPolygonF &first = chart.silsoCurve[0];
        const QPointF april = chart.silsoCurve[1][0];
        QCOMPARE(first[0].x(), silsoChartMonthX(chart, 2001, 1));
        QVERIFY(std::abs((april.x() - first[0].x()) - 3 * (first[1].x() - first[0].x())) < 1e-9);
        QVERIFY(april.y() < first[0].y() && first[0].y() < first[1].y());
        QVERIFY(chart.upperTop >= 120);
        QVERIFY(std::abs(chart.upper.bottom() - first[0].y() -
                         65 / chart.upperTop * chart.upper.height()) < 1e-9);
    }

    // Every month's k the same and as large as 1e18 / 11: the padding about it is lost in
    // its rounding, and a mark loop that stepped by adding would never end.
    void chartOfHugeEqualFactors() {
        SilsoComparison c;
        c.fileName = QStringLiteral("f.csv");
        for (int month : {6, 7}) {
            ComparisonRow row;
            row.year = 2002;
            row.month = month;
            row.days = 1;
            row.ownR = 11;
            row.silso = 1e18;
            row.k = 1e18 / 11;
            c.months.push_back(row);
        }
        c.all = c.months.front();
        c.all.year = c.all.month = 0;
        const SilsoChart chart = silsoChart(c, QSizeF(900, 620));
        QVERIFY(chart.lowerLow < 1e18 / 11 && 1e18 / 11 < chart.lowerHigh);
        QVERIFY(!chart.gridLines.empty() && chart.gridLines.size() <= 2 * 21);
        for (const QPointF &p : chart.kPoints)
            QVERIFY(p.y() > chart.lower.top() && p.y() < chart.lower.bottom());
    }

    void chartOfNothingShowsWhy() {
        const SilsoComparison c = compare({recordWithR("10.03.2001", 1, 1)}, silsoTotals());
        const SilsoChart chart = silsoChart(c, QSizeF(800, 600));
        QCOMPARE(chart.message, c.problem);
        QVERIFY(chart.ownCurve.empty() && chart.labels.empty());
    }
};

ORVANEK_REGISTER_TEST(TestSilsoComparison);
#include "tst_silsocomparison.moc"
