// The observing sheet, its scans and the comparison with SILSO in the main window: where
// their menu items stand, the sheet printed without a printer, the scan window beside the
// entry dialog, the comparison window.
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "madescans.h"
#include "scan/scanwindow.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/drawing/drawingwindow.h"
#include "views/sheet/sheetpainter.h"
#include "views/silso/silsowindow.h"
#include "widgettests.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// The main window on two drawings of January 2000 at R = 60, with its views.
struct Shell {
    explicit Shell(const QString &dir)
        : window(store, dialogs, dir, [](ObservationStore &, Dialogs &, QWidget *) {}) {
        std::vector<ObservationRecord> records{datedRecord("01.01.2000", 900, "Eva"),
                                               datedRecord("02.01.2000", 900, "Eva")};
        records[0].drawingSetup = 60;
        records[0].summary.northR = 20;
        records[1].summary.southR = 30;
        writeDataFile(dir, records);
        window.FormCreate(false);
        window.resize(1100, 800);
        window.show();
        window.createViews();
    }
    QStringList menuTexts(const char *menu) const {
        QStringList texts;
        for (QAction *a :
             window.menuBar()->findChild<QMenu *>(QString::fromLatin1(menu))->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return texts;
    }
    ObservationStore store;
    ScriptedDialogs dialogs;
    MainWindow window;
};

} // namespace

class TestSheetInShell : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void menuItems() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        // Beside the drawing's print and the scans after the sheet, above "Konec"; last
        // among the graphs.
        const QStringList zadavani = shell.menuTexts("zadavani");
        QCOMPARE(zadavani.mid(zadavani.indexOf("tisk1"), 5),
                 (QStringList{"tisk1", "sablona", "zeskenu", "-", "konec"}));
        QCOMPARE(shell.menuTexts("Grafy1").last(), "srovnanisilso");
        QCOMPARE(shell.window.action("sablona")->text(), "Šablona pro &kresbu…");
        QCOMPARE(shell.window.action("srovnanisilso")->text(), "&Srovnání s SILSO…");
        QCOMPARE(shell.window.action("zeskenu")->text(), "Ze &skenu…");
    }

    void sheetPrintedAsPdf() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        shell.window.drawing()->vyzaClick(); // "V - Z": the sheet is mirrored alike
        shell.dialogs.promptAnswers = {QStringLiteral("21.06.2001"), QStringLiteral("830")};
        const QString pdf = dir.filePath("sablona.pdf");
        shell.dialogs.fileAnswers.push_back(pdf);
        shell.window.action("sablona")->trigger();
        QVERIFY(QFile::exists(pdf));
        // The PDF's own record of the moment and paper: R 60 goes on A4.
        const QByteArray bytes = fileContent(pdf);
        QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]"));
        QCOMPARE(shell.window.drawing()->orientX(), -1); // the sheet changed nothing
    }

    void comparisonWindow() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        QFile file(dir.filePath("SN_d_tot_V2.0.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2000;01;01;2000.001;  30; 1.0; 10;1\n2000;01;02;2000.004;  45; 1.0; 10;1\n");
        file.close();
        shell.dialogs.fileAnswers.push_back(file.fileName());
        shell.window.action("srovnanisilso")->trigger();
        SilsoWindow *window = shell.window.silsoWindow();
        QVERIFY(window);
        QCOMPARE(shell.window.mdiArea()->activeSubWindow()->widget(), window);
        QCOMPARE(*window->comparison().all.k, 1.5); // 75 against 50 over the two days
        // A file without a common day opens nothing.
        shell.dialogs.fileAnswers.push_back(file.fileName());
        shell.store.removeRecord(1);
        shell.store.removeRecord(1);
        shell.window.action("srovnanisilso")->trigger();
        QCOMPARE(shell.window.silsoWindow(), window);
        QVERIFY(shell.dialogs.shown.last().contains("nemá s pozorováními žádný společný den"));
    }

    void scanBesideTheEntryDialog() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        // The sheet of 21 June 2001 at R 60, scanned at 100 dpi.
        const QString scan = dir.filePath("sablona.png");
        QVERIFY(renderSheet(sheetOf2001(60), 100).save(scan));
        shell.dialogs.fileAnswers.push_back(scan);
        shell.window.action("zeskenu")->trigger();
        ScanWindow *window = shell.window.scanWindow();
        QVERIFY(window && window->registration().code);
        QCOMPARE(shell.window.mdiArea()->activeSubWindow()->widget(), window);

        // A new drawing: the scan goes beside the dialog, and comes back when it closes.
        shell.window.novyClick();
        EntryDialog *dialog = shell.window.entryDialog();
        QVERIFY(dialog);
        QCOMPARE(window->entryDialog(), dialog);
        QCOMPARE(window->panel()->window()->parentWidget(), dialog);
        QCOMPARE(dialog->entryForm().date, QStringLiteral("21.06.2001"));
        dialog->reject(); // nothing typed: closes without asking
        QCOMPARE(window->panel()->parentWidget(), window);
    }
};

ORVANEK_REGISTER_TEST(TestSheetInShell);
#include "tst_sheetinshell.moc"
