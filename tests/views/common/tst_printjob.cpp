// Print jobs: pages and their size, printed into a PDF file.
#include "pdfpages.h"
#include "testregistry.h"
#include "views/common/printjob.h"

#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

class TestPrintJob : public QObject {
    Q_OBJECT

  private slots:
    void pages_data() {
        QTest::addColumn<int>("pages");
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }
    void pages() {
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString path = dir.filePath("print.pdf");
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            PrintJob job(writer);
            QVERIFY(job.isActive());
            // A4 at 300 dpi: 210 mm = 2480 pixels, 297 mm = 3508 pixels.
            QVERIFY(std::abs(job.pageWidth() - 2480) <= 1);
            QVERIFY(std::abs(job.pageHeight() - 3508) <= 1);
            for (int page = 0; page < pages; ++page) {
                if (page > 0)
                    QVERIFY(job.newPage());
                job.canvas().drawLine(0, 0, job.pageWidth(), job.pageHeight());
            }
            QVERIFY(job.end());
        }
        QCOMPARE(pdfPageCount(path), pages);
    }
};

ORVANEK_REGISTER_TEST(TestPrintJob);
#include "tst_printjob.moc"
