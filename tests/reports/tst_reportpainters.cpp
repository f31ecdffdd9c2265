// The results' painters: the certificate's grid and rows on an image, screen and paper
// scale, and the printed pages of the certificate, the statistics and the observers table.
#include "imageprobes.h"
#include "reports/certificatepainter.h"
#include "reports/observerspainter.h"
#include "reports/statisticspainter.h"
#include "reporttesthelpers.h"
#include "testregistry.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

Q_DECLARE_METATYPE(orvanek::StatisticsPrintRange)

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

// `months` months from January 1990, one record on the first of each.
const ObservationStore &monthsStore(int months) {
    static std::map<int, std::unique_ptr<ObservationStore>> stores;
    auto &store = stores[months];
    if (!store) {
        store = std::make_unique<ObservationStore>(kTestToday);
        for (int m = 0; m < months; ++m)
            store->appendRecord(summaryRecord(firstOfMonth(m), {1, 2, 12}));
    }
    return *store;
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
        QTest::newRow("right of the line's middle") << QPoint(181, 1500) << true;
        QTest::newRow("beyond its width") << QPoint(182, 1500) << false;
        QTest::newRow("near its top") << QPoint(180, 799) << true;
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

    // The image holds everything the layout places: a long observer name widens it, and a
    // margin of white stays right of the name.
    void certificateSizeCoversTheTexts() {
        ObservationStore store(kTestToday);
        store.appendRecord(summaryRecord("01.04.2001", {1, 1, 11}, {}, 1005,
                                         QStringLiteral("Bohumila Nováková-Svobodová")));
        const QImage image = renderCertificate(buildCertificate(store, {4, 2001}, stationLines()));
        QVERIFY(image.width() > 720);
        const QRect margin(image.width() - 5, 0, 5, image.height());
        QCOMPARE(countPixels(image, margin, isDark), 0);
        QVERIFY(countPixels(image, QRect(700, 286, image.width() - 705, 14), isDark) > 0);
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

    // The PDF page: A4 less 10 mm margins at 1200 dpi is 8976 x 13087 pixels, so the
    // table prints at scale 8976 div 704 = 12 and (13087 - 400) div (15 x 12) = 70 rows a
    // page. 150 months: 70, 70 and 10 rows.
    void statisticsPages_data() {
        QTest::addColumn<StatisticsPrintRange>("range");
        QTest::addColumn<int>("cursorRow");
        QTest::addColumn<int>("pages");
        QTest::newRow("all values") << StatisticsPrintRange::AllValues << 100 << 3;
        QTest::newRow("all from row 71") << StatisticsPrintRange::FromCursor << 71 << 2;
        QTest::newRow("all from row 82") << StatisticsPrintRange::FromCursor << 82 << 1;
        QTest::newRow("one page from row 1") << StatisticsPrintRange::OnePageFromCursor << 1 << 1;
    }
    void statisticsPages() {
        QFETCH(StatisticsPrintRange, range);
        QFETCH(int, cursorRow);
        QFETCH(int, pages);
        const StatisticsTable table = measuredStatistics(monthsStore(150), StatRegion::Total);
        QCOMPARE(printedPages(
                     statisticsPage(),
                     [&](PrintJob &job) { return printStatistics(job, table, range, cursorRow); }),
                 pages);
    }

    // One printed page at scale 1: "Stránka 1" near (300, 30), the heading of g near
    // (85, 65), March 1990 (row 3 of the page) at y 115, its R value right of x 150.
    void statisticsPageLayout() {
        const StatisticsTable table = measuredStatistics(monthsStore(150), StatRegion::Total);
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
    // 2001 take two pages. Nothing is printed without an observer.
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

    void observersNeedAnObserver() {
        const ObserverTable nobody = buildObserverTable(ObservationStore(kTestToday));
        QCOMPARE(printedPages(observersPage(),
                              [&](PrintJob &job) { return printObserverTable(job, nobody); }),
                 -1);
    }
};

ORVANEK_REGISTER_TEST(TestReportPainters);

#include "tst_reportpainters.moc"
