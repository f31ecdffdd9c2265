// The main window's "Šablona pro kresbu…": the moment asked with today and now offered,
// then the sheet printed (a PDF without a printer), or a message and nothing.
#include "data/observationstore.h"
#include "pdfpaths.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/sheet/sheetcommand.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

Q_DECLARE_METATYPE(orvanek::PrintOutcome)

class TestSheetCommand : public QObject {
    Q_OBJECT

  private slots:
    void askAndPrint_data() {
        QTest::addColumn<QStringList>("answers"); // "-" cancels
        QTest::addColumn<double>("radius");
        QTest::addColumn<PrintOutcome>("outcome");
        QTest::addColumn<QString>("lastShown");
        QTest::newRow("printed") << QStringList{"21.06.2001", "830"} << 60.0
                                 << PrintOutcome::Printed << "";
        QTest::newRow("date cancelled") << QStringList{"-"} << 60.0 << PrintOutcome::Cancelled
                                        << "Šablona pro kresbu|Datum (DD.MM.RRRR)|08.12.2026";
        QTest::newRow("date that is none")
            << QStringList{"31.02.2001"} << 60.0 << PrintOutcome::Failed
            << "„31.02.2001“ není platné datum.";
        QTest::newRow("time that is none")
            << QStringList{"21.06.2001", "8:30"} << 60.0 << PrintOutcome::Failed
            << "„8:30“ není čas HHMM (0 až 2359).";
        QTest::newRow("disk too large for A3")
            << QStringList{"21.06.2001", "830"} << 150.0 << PrintOutcome::Failed
            << "Kotouč o průměru 300 mm se s okraji nevejde ani na papír A3 (největší průměr "
               "je 252 mm).";
    }
    void askAndPrint() {
        QFETCH(QStringList, answers);
        QFETCH(double, radius);
        QFETCH(PrintOutcome, outcome);
        QFETCH(QString, lastShown);
        QTemporaryDir dir;
        ObservationStore store(QDate(2026, 12, 8));
        store.setDataDirectory(dir.path());
        store.setDrawingSetup(radius, false);
        ScriptedDialogs dialogs;
        for (const QString &a : answers)
            dialogs.promptAnswers.push_back(a == "-" ? std::nullopt : std::optional(a));
        const QString pdf = dir.filePath("list.pdf");
        dialogs.fileAnswers.push_back(pdf);

        const QDateTime now(QDate(2026, 12, 8), QTime(7, 5), Qt::UTC);
        QCOMPARE(printObservingSheet(store, dialogs, 1, 1, now), outcome);
        // Today and now (UT) are offered first.
        QCOMPARE(dialogs.shown.value(0), "Šablona pro kresbu|Datum (DD.MM.RRRR)|08.12.2026");
        if (answers.size() > 1)
            QCOMPARE(dialogs.shown.value(1),
                     "Šablona pro kresbu|Čas UT (bez dvojtečky, 7:05 = 705)|705");
        if (outcome != PrintOutcome::Printed) {
            QCOMPARE(dialogs.shown.last(), lastShown);
            QVERIFY(!QFileInfo::exists(pdf));
            return;
        }
        // Without a printer the PDF is offered in the data directory under the moment's name.
        QVERIFY(dialogs.shown.value(2).endsWith(dir.filePath("Sablona21.06.2001_0830.pdf")));
        const PdfPage page = readPdfPage(pdf);
        QVERIFY(std::abs(pointsToMm(page.size.width()) - 210) < 0.4); // R 60 goes on A4
    }
};

ORVANEK_REGISTER_TEST(TestSheetCommand);
#include "tst_sheetcommand.moc"
