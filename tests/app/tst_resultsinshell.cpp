// The results window in the main window: opened by the menu and the basic panel, driven by
// its own panel, closed by another child window becoming active.
#include "app/datelistwindow.h"
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "reports/resultswindow.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QToolButton>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// The main window on a data set of two records, shown, with its date list and drawing.
struct ShownShell {
    explicit ShownShell(const QString &dir)
        : window(store, dialogs, dir, [](ObservationStore &, Dialogs &, QWidget *) {}) {
        std::vector<ObservationRecord> records{datedRecord("01.01.2000", 900, "Eva"),
                                               datedRecord("02.01.2000", 900, "Eva")};
        records[0].drawingSetup = 125;
        writeDataFile(dir, records);
        window.FormCreate(false);
        window.resize(1100, 800);
        window.show();
        window.createViews();
    }
    QToolButton *button(const char *name) const {
        return window.findChild<QToolButton *>(QString::fromLatin1(name));
    }
    ObservationStore store;
    ScriptedDialogs dialogs;
    MainWindow window;
};

} // namespace

class TestResultsInShell : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    // vysledky1 opens the window with its panel in place of the basic one; the panel's
    // enabled buttons choose its views, the others stay disabled.
    void panelDrivesTheWindow() {
        QTemporaryDir dir;
        ShownShell shell(dir.path());
        MainWindow &w = shell.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.action("vysledky1")->isEnabled());
        w.action("vysledky1")->trigger();
        QVERIFY(w.resultsWindow());
        QVERIFY(w.panelVisible("provysledky"));
        QVERIFY(!w.panelVisible("zakladni"));
        const QStringList enabled{"oficialv", "namercelek", "pozorovatelv"};
        for (const char *name : {"vlastniv", "oficialv", "namercelek", "namersever", "namerjih",
                                 "vyhlcelek", "vyhlsever", "vyhljih", "pozorovatelv", "vyvojskup"})
            QCOMPARE(shell.button(name)->isEnabled(), enabled.contains(QLatin1String(name)));
        shell.button("namercelek")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Measured);
        shell.button("pozorovatelv")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Observers);
        shell.dialogs.promptAnswers.push_back(QStringLiteral("1.2000"));
        shell.button("oficialv")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Certificate);
    }

    // Another child window becoming active closes the results window and brings the basic
    // panel back; so does its own "Zavřit".
    // A second results window closes the first the same way, and its panel stays.
    void closesWhenAnotherWindowIsActivated_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("date list activated") << "date list";
        QTest::newRow("Zavřit") << "zavritvys";
        QTest::newRow("second results window") << "vysledky1";
    }
    void closesWhenAnotherWindowIsActivated() {
        QFETCH(QString, how);
        QTemporaryDir dir;
        ShownShell shell(dir.path());
        MainWindow &w = shell.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        shell.button("vysledekz")->click();
        QPointer<ResultsWindow> results = w.resultsWindow();
        QVERIFY(results);
        QCOMPARE(w.mdiArea()->activeSubWindow()->widget(), results.data());
        if (how == "zavritvys")
            results->action(how)->trigger();
        else if (how == "vysledky1")
            w.action(how)->trigger();
        for (QMdiSubWindow *sub : w.mdiArea()->subWindowList())
            if (how == "date list" && sub->widget() == w.dateList())
                w.mdiArea()->setActiveSubWindow(sub);
        QTRY_VERIFY(!results);
        const bool second = how == "vysledky1";
        QCOMPARE(w.resultsWindow() != nullptr, second);
        QCOMPARE(w.panelVisible("zakladni"), !second);
        QCOMPARE(w.panelVisible("provysledky"), second);
    }
};

ORVANEK_REGISTER_TEST(TestResultsInShell);

#include "tst_resultsinshell.moc"
