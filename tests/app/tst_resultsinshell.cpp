// The results window in the main window: opened by the menu and the basic panel, driven by
// its own panel, closed by another child window becoming active.
#include "app/datelistwindow.h"
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "reports/resultswindow.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/drawing/drawingwindow.h"
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

// The results panel's buttons.
const char *const kResultsButtons[] = {"vlastniv",     "oficialv",  "namercelek", "namersever",
                                       "namerjih",     "vyhlcelek", "vyhlsever",  "vyhljih",
                                       "pozorovatelv", "vyvojskup"};

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
        for (const char *name : kResultsButtons)
            QCOMPARE(shell.button(name)->isEnabled(), enabled.contains(QLatin1String(name)));
        shell.button("namercelek")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Measured);
        shell.button("pozorovatelv")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Observers);
        shell.dialogs.promptAnswers.push_back(QStringLiteral("1.2000"));
        shell.button("oficialv")->click();
        QCOMPARE(w.resultsWindow()->resultsMode(), ResultsMode::Certificate);
    }

    // The results panel presses the view the window shows, however it was chosen, and
    // nothing while it shows none (a cancelled month prompt, a new window). A step is a
    // panel button clicked ("oficialv 1.2000": with that answer to the month prompt, none:
    // cancelled), "menu X" the window's own item X, "vysledky1" a new window.
    void panelPressesTheViewShown_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("pressed"); // empty: none
        // clang-format off
        QTest::newRow("certificate, then observers") << QStringList{"oficialv 1.2000", "pozorovatelv"} << "pozorovatelv";
        QTest::newRow("measured, then certificate") << QStringList{"namercelek", "oficialv 1.2000"} << "oficialv";
        QTest::newRow("month prompt cancelled") << QStringList{"namercelek", "oficialv"} << "";
        QTest::newRow("the window's own menu") << QStringList{"pozorovatelv", "menu celkovynam"} << "namercelek";
        QTest::newRow("the south, chosen by the window") << QStringList{"namercelek", "menu jihnam"} << "namerjih";
        QTest::newRow("smoothed north") << QStringList{"menu severvyr"} << "vyhlsever";
        QTest::newRow("a new results window") << QStringList{"pozorovatelv", "vysledky1"} << "";
        // clang-format on
    }
    void panelPressesTheViewShown() {
        QFETCH(QStringList, steps);
        QFETCH(QString, pressed);
        QTemporaryDir dir;
        ShownShell shell(dir.path());
        MainWindow &w = shell.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.action("vysledky1")->trigger();
        for (const QString &step : steps) {
            const QStringList words = step.split(' ');
            if (words[0] == "menu") {
                w.resultsWindow()->action(words[1])->trigger();
            } else if (words[0] == "vysledky1") {
                w.action(words[0])->trigger();
            } else {
                if (words.size() > 1)
                    shell.dialogs.promptAnswers.push_back(words[1]);
                shell.button(words[0].toLatin1())->click();
            }
        }
        for (const char *name : kResultsButtons)
            QVERIFY2(shell.button(name)->isChecked() == (pressed == QLatin1String(name)), name);
    }

    // The results window (opened by the basic panel) goes when another child window becomes
    // active, by its own "Zavřit", or for a second results window, whose panel stays; the
    // basic panel comes back. Whether it was maximised or a view was, no trap is left: the
    // date list and the drawing view are back where they were and the next view opens in
    // its own size (the two views without title-bar buttons never stay maximised).
    void resultsWindowGoesAndLeavesNoTrap_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("maximised"); // the results window
        QTest::newRow("date list activated") << "date list" << false;
        QTest::newRow("Zavřit") << "zavritvys" << false;
        QTest::newRow("second results window") << "vysledky1" << false;
        QTest::newRow("maximised, then Zavřit") << "zavritvys" << true;
        QTest::newRow("maximised, then the date list clicked") << "date list" << true;
        QTest::newRow("maximised, then the graphs opened") << "graf" << true;
        QTest::newRow("the date list maximised") << "date list maximised" << false;
        QTest::newRow("the drawing view maximised") << "drawing maximised" << false;
    }
    void resultsWindowGoesAndLeavesNoTrap() {
        QFETCH(QString, how);
        QFETCH(bool, maximised);
        QTemporaryDir dir;
        ShownShell shell(dir.path());
        MainWindow &w = shell.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *dateSub = qobject_cast<QMdiSubWindow *>(w.dateList()->parentWidget());
        auto *drawingSub = qobject_cast<QMdiSubWindow *>(w.drawing()->parentWidget());
        const QRect places[] = {dateSub->geometry(), drawingSub->geometry()};
        if (how.endsWith(" maximised")) {
            (how.startsWith("date") ? dateSub : drawingSub)->showMaximized();
        } else {
            shell.button("vysledekz")->click();
            QPointer<ResultsWindow> results = w.resultsWindow();
            QVERIFY(results);
            QCOMPARE(w.mdiArea()->activeSubWindow()->widget(), results.data());
            if (maximised)
                results->parentWidget()->showMaximized();
            if (how == "date list")
                w.mdiArea()->setActiveSubWindow(dateSub);
            else
                (how == "zavritvys" ? results->action(how) : w.action(how))->trigger();
            QTRY_VERIFY(!results);
        }
        const bool second = how == "vysledky1";
        QCOMPARE(w.resultsWindow() != nullptr, second);
        QCOMPARE(w.panelVisible("zakladni"), !second);
        QCOMPARE(w.panelVisible("provysledky"), second);
        QTRY_VERIFY(!dateSub->isMaximized() && !drawingSub->isMaximized());
        QCOMPARE(dateSub->geometry(), places[0]);
        QCOMPARE(drawingSub->geometry(), places[1]);
        w.action("vysledky1")->trigger(); // the next view, in its own size
        for (const QMdiSubWindow *sub : w.mdiArea()->subWindowList())
            QVERIFY2(!sub->isMaximized(), qPrintable(sub->widget()->objectName()));
    }
};

ORVANEK_REGISTER_TEST(TestResultsInShell);

#include "tst_resultsinshell.moc"
