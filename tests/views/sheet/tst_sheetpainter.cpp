// The sheet on paper: the disk's diameter read back from the PDF, the image at 300 dpi with
// its grid where the conversions put it, and a page too small refused.
#include "data/dates.h"
#include "madescans.h"
#include "orientations.h"
#include "pdfpaths.h"
#include "solar/conversion.h"
#include "testregistry.h"
#include "views/sheet/sheetpainter.h"

#include <QLineF>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cmath>
#include <map>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

SheetModel sheet(double radius, int orientX = 1, int orientY = 1) {
    return sheetOf2001(radius, orientX, orientY);
}

int greyAt(const QImage &image, QPointF mmOnPaper) {
    const double perMm = 300 / 25.4;
    return qGray(image.pixel(qRound(mmOnPaper.x() * perMm), qRound(mmOnPaper.y() * perMm)));
}

} // namespace

class TestSheetPainter : public QObject {
    Q_OBJECT

  private slots:
    void pdfAtTrueScale_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QSizeF>("paperMm");
        QTest::newRow("R 125 on A3") << 125.0 << 1 << QSizeF(297, 420);
        QTest::newRow("R 60 on A4") << 60.0 << 1 << QSizeF(210, 297);
        QTest::newRow("R 83 mirrored on A4") << 83.0 << -1 << QSizeF(210, 297);
    }
    void pdfAtTrueScale() {
        QFETCH(double, radius);
        QFETCH(int, orientX);
        QFETCH(QSizeF, paperMm);
        const SheetModel m = sheet(radius, orientX);
        QTemporaryDir dir;
        const QString path = dir.filePath("sablona.pdf");
        QVERIFY(printToPdf(path, sheetTitle(m), sheetPage(m),
                           [&m](PrintJob &job) { return printSheet(job, m); }));
        const PdfPage page = readPdfPage(path);
        // The paper itself, to a point (the writer rounds its size to whole points).
        QVERIFY(std::abs(pointsToMm(page.size.width()) - paperMm.width()) < 0.4);
        QVERIFY(std::abs(pointsToMm(page.size.height()) - paperMm.height()) < 0.4);
        // The limb is the largest circle drawn: four curves, no straight piece.
        const PdfPath *limb = nullptr;
        for (const PdfPath &p : page.paths)
            if (p.curves == 4 && p.lines == 0 && (!limb || p.bounds.width() > limb->bounds.width()))
                limb = &p;
        QVERIFY(limb);
        QVERIFY2(std::abs(pointsToMm(limb->bounds.width()) - 2 * radius) < 0.01,
                 qPrintable(QString::number(pointsToMm(limb->bounds.width()))));
        QVERIFY(std::abs(pointsToMm(limb->bounds.height()) - 2 * radius) < 0.01);
        // Centred across the paper, below the header (PDF counts up from the bottom).
        const QPointF centre = limb->bounds.center();
        QVERIFY(std::abs(pointsToMm(centre.x()) - paperMm.width() / 2) < 0.5);
        QVERIFY(std::abs(paperMm.height() - pointsToMm(centre.y()) -
                         (kSheetMarginMm + m.centre.y())) < 0.5);
    }

    void compassInPdf_data() { addOrientationRows(); }
    void compassInPdf() {
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        // 21 June 2001 8:30: L0 116.11, P -7.06; the meridians numbered inside the disk run
        // from 50 to 180 without passing 0.
        const SheetModel m = sheet(80, orientX, orientY);
        QTemporaryDir dir;
        const QString path = dir.filePath("sablona.pdf");
        QVERIFY(printToPdf(path, sheetTitle(m), sheetPage(m),
                           [&m](PrintJob &job) { return printSheet(job, m); }));
        const std::vector<PdfWord> words = readPdfWords(path);
        QVERIFY2(!words.empty(), "pdftotext (poppler-utils) read no words");
        // The four letters, each once, the disk's centre amid them.
        std::map<QString, QPointF> letter;
        QPointF centre;
        for (const PdfWord &w : words)
            if (w.text.size() == 1 && QStringLiteral("SJVZ").contains(w.text)) {
                QVERIFY2(!letter.count(w.text), qPrintable(w.text));
                letter[w.text] = w.box.center();
                centre += w.box.center() / 4;
            }
        QCOMPARE(letter.size(), size_t(4));
        // The scale's numbers in the 12 mm beyond the limb; the meridians' numbers inside it.
        const double limb = 80 * 72 / 25.4;
        std::map<int, QPointF> scale, meridian;
        for (const PdfWord &w : words) {
            bool number = false;
            const int value = w.text.toInt(&number);
            const double r = QLineF(centre, w.box.center()).length();
            if (number && !w.text.startsWith('+') && !w.text.startsWith('-') && r < limb + 40)
                (r > limb ? scale : meridian)[value] = w.box.center();
        }
        for (const int n : {0, 90, 180, 270})
            QVERIFY2(scale.count(n), qPrintable(QString::number(n)));
        QVERIFY(meridian.size() > 1 && meridian.rbegin()->first - meridian.begin()->first >= 60);
        const double eastward = meridian.begin()->second.x() - meridian.rbegin()->second.x();
        // East (V) on the right unless mirrored, with the 90 and the lower longitudes; west
        // (Z) with the 270; north (S) up unless mirrored (y down), with the 0.
        const auto right = [&](const QPointF &p) { return p.x() > centre.x(); };
        const auto up = [&](const QPointF &p) { return p.y() < centre.y(); };
        QCOMPARE(right(letter["V"]), orientX > 0);
        QCOMPARE(right(letter["V"]), right(scale.at(90)));
        QCOMPARE(right(letter["V"]), eastward > 0);
        QCOMPARE(right(letter["Z"]), right(scale.at(270)));
        QCOMPARE(right(letter["Z"]), eastward < 0);
        QCOMPARE(up(letter["S"]), orientY > 0);
        QCOMPARE(up(letter["S"]), up(scale.at(0)));
        QCOMPARE(up(letter["J"]), up(scale.at(180)));
    }

    void imageAt300Dpi_data() {
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::newRow("upright") << 1 << 1;
        QTest::newRow("mirrored both ways") << -1 << -1;
    }
    void imageAt300Dpi() {
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        const SheetModel m = sheet(60, orientX, orientY);
        const QImage image = renderSheet(m);
        // A4 at 300 dpi, and says so, so that it prints at true scale.
        QCOMPARE(image.size(), QSize(2480, 3508));
        QCOMPARE(image.dotsPerMeterX(), 11811);
        const QPointF centre = m.centre + QPointF(kSheetMarginMm, kSheetMarginMm);
        // The limb at 45 degrees, where no scale mark is.
        QVERIFY(greyAt(image, centre + QPointF(60, -60) / std::sqrt(2.0)) < 100);
        // A grid crossing where the entry's conversion puts it, mirrored as the drawing view
        // mirrors; and the middle of a cell of the grid left white.
        const Ephemeris &e = m.ephemeris;
        const double l = std::round(e.L0 / 10) * 10 - 30;
        const auto onPaper = [&](double b, double lon) {
            const PolarPosition p = heliographicToPolar(e, float(b), float(lon), 60);
            return centre + QPointF(orientX * p.polarDistance * std::sin(p.polarAngle * kDeg),
                                    -orientY * p.polarDistance * std::cos(p.polarAngle * kDeg));
        };
        QVERIFY(greyAt(image, onPaper(30, l)) < 200);
        QVERIFY(greyAt(image, onPaper(35, l + 5)) > 245);
    }

    void pageTooSmallIsRefused() {
        const SheetModel m = sheet(60); // 144 mm across with its scale
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("a5.pdf"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        PrintJob job(writer);
        QVERIFY(!printSheet(job, m)); // 128 mm of A5 between the margins
    }

    void shorterPageIsLaidOutAgain() {
        // An A4 sheet sent to a printer set to Letter (279.4 mm high): the group table ends
        // within the page, the disk keeps its true size.
        const SheetModel m = sheet(60);
        QTemporaryDir dir;
        const QString path = dir.filePath("letter.pdf");
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
            PrintJob job(writer);
            QVERIFY(printSheet(job, m));
        }
        const PdfPage page = readPdfPage(path);
        double lowest = 1e9;
        double limb = 0;
        for (const PdfPath &p : page.paths) {
            lowest = std::min(lowest, p.bounds.top()); // PDF counts up from the bottom
            if (p.curves == 4 && p.lines == 0)
                limb = std::max(limb, p.bounds.width());
        }
        QVERIFY2(pointsToMm(lowest) >= kSheetMarginMm - 0.5, qPrintable(QString::number(lowest)));
        QVERIFY(std::abs(pointsToMm(limb) - 120) < 0.01);
    }
};

ORVANEK_REGISTER_TEST(TestSheetPainter);
#include "tst_sheetpainter.moc"
