// The results' painters: the certificate's grid and rows on an image, screen and paper
// scale, and the printed pages of the certificate, the statistics and the observers table
// (the statistics' page count is checked through the window's print panel).
#include "imageprobes.h"
#include "reports/certificatepainter.h"
#include "reports/observerspainter.h"
#include "reports/statisticspainter.h"
#include "reporttesthelpers.h"
#include "testregistry.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

InstrumentLines stationLines() {
    InstrumentLines lines = defaultInstrumentLines();
    lines[5] = QStringLiteral("Ondřejov");
    return lines;
}

// April 2001 with one drawing, on the 1st: g 12, f 34, R 154.
CertificateModel oneDayCertificate() {
    static ObservationStore store(kTestToday);
    if (store.recordCount() == 0)
        store.appendRecord(summaryRecord("01.04.2001", {12, 34, 154}, {}, 1005, "Eva"));
    return buildCertificate(store, {4, 2001}, stationLines());
}

bool isGrid(QColor c) {
    return c == certificateGridColour();
}

// Prints into a PDF file as the program does without a printer; the page count.
int printedPages(const PageSetup &page, const PrintPages &pages) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("print.pdf"));
    if (!printToPdf(path, QStringLiteral("test"), page, pages))
        return -1;
    return pdfPageCount(path);
}

} // namespace

class TestReportPainters : public QObject {
    Q_OBJECT

  private slots:
    // The grid at screen scale: column lines 10 left of each heading (the first at 60, the
    // closing one at 710) from y 266 to 810, row lines 16 apart from 266 to 810.
    void certificateGrid_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("grid");
        QTest::newRow("left edge") << QPoint(60, 500) << true;
        QTest::newRow("line left of g") << QPoint(200, 700) << true;
        QTest::newRow("closing line") << QPoint(710, 400) << true;
        QTest::newRow("top line") << QPoint(425, 266) << true;
        QTest::newRow("line above day 10") << QPoint(425, 426) << true; // 266 + 16 x 10
        QTest::newRow("bottom line") << QPoint(425, 810) << true;
        QTest::newRow("inside day 10's cell") << QPoint(425, 434) << false;
        QTest::newRow("left of the grid") << QPoint(59, 500) << false;
        QTest::newRow("right of the grid") << QPoint(711, 400) << false;
        QTest::newRow("below the grid") << QPoint(425, 811) << false;
        QTest::newRow("above the grid") << QPoint(425, 265) << false;
    }
    void certificateGrid() {
        QFETCH(QPoint, point);
        QFETCH(bool, grid);
        const QImage image = renderCertificate(oneDayCertificate());
        QCOMPARE(isGrid(pixelAt(image, point)), grid);
    }

    // Day d's row lies between the lines at 266 + 16 d and 282 + 16 d: day 1 shows its g
    // right of the line at 200, day 2 was not observed and shows no value.
    void certificateRows() {
        const QImage image = renderCertificate(oneDayCertificate());
        const QRect day1G(221, 283, 28, 14);
        const QRect day2G(221, 299, 28, 14);
        QVERIFY(countPixels(image, day1G, isDark) > 10);
        QCOMPARE(countPixels(image, day2G, isDark), 0);
        // The date column has day 2 all the same.
        QVERIFY(countPixels(image, QRect(61, 299, 78, 14), isDark) > 10);
    }

    // On paper every unit takes `scale` device pixels, a line's width too: at scale 3 the
    // left edge (x 60) covers x 179..181 from y 798 (266 x 3) to 2430 (810 x 3), and
    // nothing is left at x 60.
    void certificateScale_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("grid");
        QTest::newRow("left of the line's middle") << QPoint(179, 1500) << true;
        QTest::newRow("beyond its width") << QPoint(182, 1500) << false;
        QTest::newRow("above its top") << QPoint(180, 796) << false;
        QTest::newRow("where scale 1 puts it") << QPoint(60, 1500) << false;
    }
    void certificateScale() {
        QFETCH(QPoint, point);
        QFETCH(bool, grid);
        static const QImage image = [] {
            QImage painted(2200, 2500, QImage::Format_RGB32);
            painted.fill(Qt::white);
            QPainter painter(&painted);
            paintCertificate(painter, certificateLayout(oneDayCertificate()), {3, QPoint()});
            return painted;
        }();
        QCOMPARE(isGrid(pixelAt(image, point)), grid);
    }

    // Without the station line the certificate is not printed at all.
    void certificatePrintsOnePage() {
        const CertificateModel model = oneDayCertificate();
        QCOMPARE(printedPages(certificatePage(),
                              [&](PrintJob &job) { return printCertificate(job, model); }),
                 1);
        InstrumentLines noStation = stationLines();
        noStation[5].clear();
        const CertificateModel waiting =
            buildCertificate(ObservationStore(kTestToday), {4, 2001}, noStation);
        QCOMPARE(printedPages(certificatePage(),
                              [&](PrintJob &job) { return printCertificate(job, waiting); }),
                 -1);
    }

    // One printed page at scale 1: "Stránka 1" near (300, 30), the heading of g near
    // (85, 65), March 1990 (row 3 of the page) at y 115, its R value right of x 150.
    void statisticsPageLayout() {
        ObservationStore store(kTestToday);
        for (int m = 0; m < 20; ++m)
            store.appendRecord(summaryRecord(firstOfMonth(m), {1, 2, 12}));
        const StatisticsTable table = measuredStatistics(store, StatRegion::Total);
        QImage image(704, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintStatisticsPage(painter, table, {1, 1, 20}, 1);
        }
        QVERIFY(countPixels(image, QRect(300, 30, 60, 14), isDark) > 10);
        QVERIFY(countPixels(image, QRect(85, 65, 40, 14), isDark) > 0);
        QVERIFY(countPixels(image, QRect(10, 115, 60, 14), isDark) > 10);
        QVERIFY(countPixels(image, QRect(150, 115, 40, 14), isDark) > 5);
        QCOMPARE(countPixels(image, QRect(0, 0, 704, 25), isDark), 0);
    }

    // W is page width div 11 for up to ten observers and narrower for more; H is 1.3 times
    // the font: 67 pixels (8 points at 600 dpi) give 87. Under the heading at 3 H and with
    // the totals at 5 H + 20 below the last year, a 7016-pixel page holds
    // (7016 - 6 x 87 - 20) div 87 = 74 years.
    void observerLayout_data() {
        QTest::addColumn<int>("observers");
        QTest::addColumn<int>("columnWidth");
        QTest::newRow("three observers") << 3 << 451;
        QTest::newRow("ten observers") << 10 << 451;
        QTest::newRow("fifteen observers") << 15 << 310; // 4961 div 16
    }
    void observerLayout() {
        QFETCH(int, observers);
        QFETCH(int, columnWidth);
        const ObserverPrintLayout layout = observerPrintLayout(4961, 7016, observers, 67);
        QCOMPARE(layout.columnWidth, columnWidth);
        QCOMPARE(layout.lineHeight, 87);
        QCOMPARE(layout.yearsPerPage, 74);
    }

    // A few years fit on one page. On the PDF page (1200 dpi: 8 points are 133 pixels, H
    // 173, 13087 pixels high) (13087 - 6 x 173 - 20) div 173 = 69 years fit, so 1890 to
    // 2001 take two pages.
    void observersPages_data() {
        QTest::addColumn<QString>("firstDate");
        QTest::addColumn<int>("pages");
        QTest::newRow("1998 to 2001") << "01.01.1998" << 1;
        QTest::newRow("1890 to 2001") << "01.01.1890" << 2;
    }
    void observersPages() {
        QFETCH(QString, firstDate);
        QFETCH(int, pages);
        ObservationStore store(kTestToday);
        store.collectObserver(QStringLiteral("Eva"));
        store.appendRecord(datedRecord(firstDate, 900, QStringLiteral("Eva")));
        store.appendRecord(datedRecord("01.01.2001", 900, QStringLiteral("Eva")));
        const ObserverTable table = buildObserverTable(store);
        QCOMPARE(printedPages(observersPage(),
                              [&](PrintJob &job) { return printObserverTable(job, table); }),
                 pages);
    }
};

ORVANEK_REGISTER_TEST(TestReportPainters);

#include "tst_reportpainters.moc"
