// The main window and the graph windows: the commands that open them, their tool panels,
// and what their closing gives back.
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/drawing/drawingwindow.h"
#include "views/graphs/graphwindow.h"
#include "views/graphs/smoothedwindow.h"
#include "widgettests.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QToolButton>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// The main window on two records, shown with its date list and drawing view.
struct Frame {
    Frame() {
        std::vector<ObservationRecord> records{datedRecord("01.01.2001"),
                                               datedRecord("11.01.2001")};
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        window = std::make_unique<MainWindow>(store, dialogs, dir.path(),
                                              [](ObservationStore &, Dialogs &, QWidget *) {});
        window->FormCreate(false);
        window->resize(1200, 800);
        window->show();
        window->createViews();
    }
    QToolButton *button(const char *name) const {
        return window->findChild<QToolButton *>(QString::fromLatin1(name));
    }
    // Another child window activated, as a click on the drawing view does.
    void activateDrawing() const {
        window->mdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(window->drawing()->parentWidget()));
    }
    QTemporaryDir dir;
    ObservationStore store;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestGraphViews : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void graphWindowOpensOnceFromTheMenu() {
        Frame f;
        f.window->action("graf")->trigger();
        QPointer<GraphWindow> first = f.window->graphWindow();
        QVERIFY(first);
        QVERIFY(!f.window->action("graf")->isEnabled());
        QVERIFY(f.window->panelVisible("prografy"));
        QVERIFY(f.button("gb")->isChecked() && f.button("vsechny")->isChecked());
        // Placed at (1, 1), 10 narrower and 40 lower than the client area.
        const QSize client = f.window->mdiArea()->viewport()->size();
        QCOMPARE(first->parentWidget()->geometry(),
                 QRect(1, 1, client.width() - 10, client.height() - 40));
        // The panel's CV .. Pk buttons stay inert.
        for (const char *name : {"cvb", "snb", "rbb", "plochb", "polob"})
            QVERIFY2(!f.button(name)->isEnabled(), name);
        // No child active (a dialog in front): it stays.
        f.window->mdiArea()->setActiveSubWindow(nullptr);
        QVERIFY(first);

        // `grafyz`'s command with the menu item off: a second window, to which the first
        // loses activation and closes; the item stays off, the panel up.
        f.window->grafClick();
        QTRY_VERIFY(first.isNull());
        QVERIFY(f.window->graphWindow());
        QVERIFY(!f.window->action("graf")->isEnabled());
        QVERIFY(f.window->panelVisible("prografy"));

        f.activateDrawing();
        QTRY_VERIFY(!f.window->graphWindow());
        QVERIFY(f.window->action("graf")->isEnabled());
        QVERIFY(f.window->panelVisible("zakladni"));
    }

    void graphPanel_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<int>("mode");
        QTest::newRow("f") << "fb" << int(GraphQuantity::Spots) << int(DisplayMode::All);
        QTest::newRow("r") << "rb" << int(GraphQuantity::Relative) << int(DisplayMode::All);
        QTest::newRow("whole disk")
            << "celkovy" << int(GraphQuantity::Groups) << int(DisplayMode::Whole);
        QTest::newRow("north") << "sevrni" << int(GraphQuantity::Groups) << int(DisplayMode::North);
        QTest::newRow("south") << "jizni" << int(GraphQuantity::Groups) << int(DisplayMode::South);
    }
    void graphPanel() {
        QFETCH(QString, button);
        QFETCH(int, quantity);
        QFETCH(int, mode);
        Frame f;
        f.window->grafClick();
        f.window->findChild<QToolButton *>(button)->click();
        GraphWindow *graphs = f.window->graphWindow();
        QCOMPARE(int(graphs->series().quantity), quantity);
        QCOMPARE(int(graphs->displayMode()), mode);
        QVERIFY(f.window->findChild<QToolButton *>(button)->isChecked());
        f.button("stupnice")->click();
        QVERIFY(graphs->scaleShown());
        // The window's own menu presses the panel's button too.
        graphs->action("ggraf")->trigger();
        graphs->action("vsechny")->trigger();
        QVERIFY(f.button("gb")->isChecked());
        QVERIFY(f.button("vsechny")->isChecked());
    }

    void smoothedPanel_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("quantity");
        QTest::newRow("f") << "fv" << int(SmoothedQuantity::Spots);
        QTest::newRow("CV") << "cvv" << int(SmoothedQuantity::ClassSum);
        QTest::newRow("SN") << "snv" << int(SmoothedQuantity::Pettis);
        QTest::newRow("RB") << "rbv" << int(SmoothedQuantity::Beck);
        QTest::newRow("area") << "plochv" << int(SmoothedQuantity::Area);
        QTest::newRow("hemisphere area") << "polokouv" << int(SmoothedQuantity::HemisphereArea);
    }
    void smoothedPanel() {
        QFETCH(QString, button);
        QFETCH(int, quantity);
        Frame f;
        f.button("vyhladitz")->click();
        SmoothedWindow *smoothed = f.window->smoothedWindow();
        QVERIFY(smoothed);
        QCOMPARE(f.window->smoothedMode, 0);
        QCOMPARE(smoothed->mode(), SmoothedMode::Smoothed);
        QVERIFY(f.window->panelVisible("provyhlazovaci"));
        QVERIFY(f.button("gv")->isChecked());
        QVERIFY(f.button("stupnicevyhl")->isHidden()); // the asymmetry window's only
        f.window->findChild<QToolButton *>(button)->click();
        QCOMPARE(int(smoothed->state().quantity), quantity);
        QVERIFY(f.window->findChild<QToolButton *>(button)->isChecked());

        f.activateDrawing();
        QTRY_VERIFY(!f.window->smoothedWindow());
        QVERIFY(f.window->panelVisible("zakladni"));
    }

    void asymmetryStaysHidden() {
        Frame f;
        QVERIFY(!f.window->action("asymetrie")->isVisible());
        QVERIFY(!f.window->action("asymetrie")->isEnabled());
        QVERIFY(f.window->action("vyhlazovaci")->isEnabled());
        // Were it reachable, it would open the window in its other mode, with the scale.
        f.window->asymetrieClick();
        QCOMPARE(f.window->smoothedMode, 1);
        QCOMPARE(f.window->smoothedWindow()->mode(), SmoothedMode::Asymmetry);
        QVERIFY(!f.button("stupnicevyhl")->isHidden());
        f.button("stupnicevyhl")->click();
        QVERIFY(f.window->smoothedWindow()->scaleShown());
    }
};

ORVANEK_REGISTER_TEST(TestGraphViews);
#include "tst_graphviews.moc"
