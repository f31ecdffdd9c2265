// The graph window and the smoothed-graph window: their commands, the width box, printing.
#include "graphtesthelpers.h"
#include "imageprobes.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/graphs/graphpainter.h"
#include "views/graphs/graphwindow.h"
#include "views/graphs/smoothedpainter.h"
#include "views/graphs/smoothedwindow.h"
#include "widgettests.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

// 1 and 11 January 2001 with the same northern values: g 4, f 40, R 120.
void fillJanuary(ObservationStore &store) {
    for (const char *date : {"01.01.2001", "11.01.2001"}) {
        ObservationRecord r = datedRecord(QString::fromLatin1(date));
        r.summary.northGroups = 4;
        r.summary.northSpots = 40;
        r.summary.northR = 120;
        store.appendRecord(r);
    }
}

// A window whose panels are exactly `canvas` pixels, shown.
template <typename Window> void showWithCanvas(Window &window, QSize canvas) {
    window.canvas()->setFixedSize(canvas);
    window.adjustSize();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QImage grab(QWidget *canvas) {
    return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The January store in a data directory of its own, where prints are offered.
struct Fixture {
    Fixture() {
        store.setDataDirectory(dir.path());
        fillJanuary(store);
    }
    QTemporaryDir dir;
    ObservationStore store{QDate(2026, 1, 1)};
    ScriptedDialogs dialogs;
};

// The graph window on the January store.
struct GraphFixture : Fixture {
    GraphFixture() : window(std::make_unique<GraphWindow>(store, dialogs)) {}
    std::unique_ptr<GraphWindow> window;
};

} // namespace

class TestGraphWindows : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void commands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("curve");
        // Canvas 1000 x 450: divisions of 10, north's zero line at 270 (or 330 alone, three
        // times as tall); 1..11 January at x 50..70. g 4 is 13 pixels, f 40 at 50 a step is
        // 8, R 120 is 24.
        QTest::newRow("opened") << ""
                                << "Graf   Celkový   Sever   Jih  - Počet skupin"
                                << QPoint(60, 270 - 13);
        QTest::newRow("f") << "fgraf"
                           << "Graf   Celkový   Sever   Jih  - Počet skvrn" << QPoint(60, 270 - 8);
        QTest::newRow("r") << "rrelativni"
                           << "Graf   Celkový   Sever   Jih  - Relativní číslo"
                           << QPoint(60, 270 - 24);
        QTest::newRow("north alone") << "severg"
                                     << "Graf   Sever   - Počet skupin" << QPoint(60, 330 - 39);
        QTest::newRow("all three again")
            << "vsechny"
            << "Graf   Celkový  Sever  Jih   - Počet skupin" << QPoint(60, 270 - 13);
    }
    void commands() {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QPoint, curve);
        GraphFixture f;
        showWithCanvas(*f.window, {1000, 450});
        if (!item.isEmpty()) {
            f.window->action(item)->trigger();
            QVERIFY(f.window->action(item)->isChecked());
        }
        const QImage image = grab(f.window->canvas());
        QCOMPARE(f.window->windowTitle(), caption);
        QCOMPARE(pixelAt(image, curve), kRed);
        // The window paints what the command line's image of the same view holds.
        const GraphView view = f.window->currentView();
        QCOMPARE(image, renderGraphs(view.model, view.geometry));
    }

    void modeKeepsHeightsQuantityAndSizeRecomputeThem() {
        GraphFixture f;
        showWithCanvas(*f.window, {1000, 450});
        grab(f.window->canvas());
        QCOMPARE(f.window->series().divisionHeight, 10);
        f.window->severgClick();
        grab(f.window->canvas());
        QCOMPARE(int(f.window->series().northHeight[0]), 13); // not 39: the mode multiplies
        f.window->canvas()->setFixedSize(1000, 560);          // (560 - 120) div 3 div 11 = 13
        grab(f.window->canvas());
        QCOMPARE(f.window->series().divisionHeight, 13);
        QCOMPARE(int(f.window->series().northHeight[0]), 17); // 4 x 13 div 3
        f.window->fgrafClick();
        QCOMPARE(int(f.window->series().northHeight[0]), 10); // 40 x 13 div 50
    }

    void scaleStaysAtTheLeftEdge() {
        GraphFixture f;
        f.store.appendRecord(datedRecord("31.12.2002")); // room to scroll
        showWithCanvas(*f.window, {1000, 450});
        f.window->setScrollPosition(100);
        // Scrolled, the grid runs under the left edge and the value labels are gone.
        QImage image = grab(f.window->canvas());
        QCOMPARE(pixelAt(image, {20, 125}), gridColour());
        const QRect labelRows(1, 135 - 50 - 8, 40, 30); // divisions 2..5, clear of the curve
        QCOMPARE(countPixels(image, labelRows, isDark), 0);
        f.window->stupniceClick();
        image = grab(f.window->canvas());
        QCOMPARE(pixelAt(image, {20, 125}), kWhite);
        QVERIFY(countPixels(image, labelRows, isDark) > 0);
    }

    // The wheel moves the graphs in time, as the scroll bar under them does.
    void wheelScrollsSideways() {
        GraphFixture f;
        f.store.appendRecord(datedRecord("31.12.2002")); // room to scroll
        showWithCanvas(*f.window, {1000, 450});
        f.window->setScrollPosition(100);
        const QPointF at(500, 200);
        QWheelEvent down(at, f.window->canvas()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.window->canvas(), &down);
        QVERIFY2(f.window->scrollPosition() > 100,
                 qPrintable(QString::number(f.window->scrollPosition())));
    }

    // The keys move the graphs as the scroll bar's parts do, from position 100.
    void keysScrollSideways_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");                // -1: the bar's maximum
        QTest::newRow("left") << int(Qt::Key_Left) << 92; // a step of 8
        QTest::newRow("right") << int(Qt::Key_Right) << 108;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 1100; // the width
        QTest::newRow("home") << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << int(Qt::Key_End) << -1;
    }
    void keysScrollSideways() {
        QFETCH(int, key);
        QFETCH(int, expected);
        GraphFixture f;
        f.store.appendRecord(datedRecord("31.12.2005")); // room to scroll
        showWithCanvas(*f.window, {1000, 450});
        f.window->setScrollPosition(100);
        QTest::keyClick(f.window.get(), Qt::Key(key));
        const auto *bar = f.window->findChild<QScrollBar *>("HorzScrollBar");
        QCOMPARE(f.window->scrollPosition(), expected < 0 ? bar->maximum() : expected);
    }

    // A scroll moves the panels placed before; what changes them places them again.
    void scrolledPanels_data() {
        QTest::addColumn<QString>("command"); // after the first paint and a scroll of 20
        QTest::addColumn<QPoint>("curve");    // a point of the northern curve, red
        // As in commands(), 20 pixels to the left: 1..11 January at x 30..50.
        QTest::newRow("scroll alone") << "" << QPoint(40, 270 - 13);
        QTest::newRow("f") << "fgraf" << QPoint(40, 270 - 8);
        QTest::newRow("north alone") << "severg" << QPoint(40, 330 - 39);
        // 560 pixels high: panels of (560 - 120) div 3 div 11 x 11 = 143, the north's zero
        // line at 2 x (143 + 25) = 336, g 4 at 4 x 13 div 3 = 17.
        QTest::newRow("taller") << "taller" << QPoint(40, 336 - 17);
        // 21 January with g 10 (33 pixels): the curve climbs from 11 January (x 50, 257)
        // to x 70, 237.
        QTest::newRow("a record added") << "add" << QPoint(70, 270 - 33);
    }
    void scrolledPanels() {
        QFETCH(QString, command);
        QFETCH(QPoint, curve);
        GraphFixture f;
        f.store.appendRecord(datedRecord("31.12.2002")); // room to scroll
        showWithCanvas(*f.window, {1000, 450});
        grab(f.window->canvas());
        f.window->setScrollPosition(20);
        if (command == "taller") {
            f.window->canvas()->setFixedSize(1000, 560);
        } else if (command == "add") {
            ObservationRecord r = datedRecord("21.01.2001");
            r.summary.northGroups = 10;
            f.store.appendRecord(r);
            QVERIFY(f.store.sortByDate());
        } else if (!command.isEmpty()) {
            f.window->action(command)->trigger();
        }
        QCOMPARE(f.window->scrollPosition(), 20);
        const QImage image = grab(f.window->canvas());
        QCOMPARE(pixelAt(image, curve), kRed);
        QCOMPARE(pixelAt(image, curve - QPoint(0, 3)), kWhite);
        // The same as the panels placed afresh at this scroll position.
        const GraphView view = f.window->currentView();
        QCOMPARE(view.geometry.offset, 20);
        QCOMPARE(image, renderGraphs(view.model, view.geometry));
    }

    void printsAndResets() {
        GraphFixture f;
        showWithCanvas(*f.window, {1000, 450});
        f.window->severgClick();
        const QString pdf = f.dir.filePath("grafy.pdf");
        f.dialogs.fileAnswers = {pdf};
        f.window->action("tiskgraf")->trigger();
        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(f.window->action("tiskgraf")->isEnabled());
        QVERIFY(f.window->scaleShown());
        // The reset after printing: the screen's days, and a caption naming the one panel
        // still shown.
        QCOMPARE(f.window->windowTitle(), "Graf   Sever   - Počet skupin");
        QCOMPARE(f.window->series().pixelsPerDay, 2);
        QCOMPARE(pixelAt(grab(f.window->canvas()), {60, 330 - 39}), kRed);
        // With all three panels, the caption is the one it opened with.
        f.window->vsechnyClick();
        f.dialogs.fileAnswers = {pdf};
        f.window->tiskgrafClick();
        QCOMPARE(f.window->windowTitle(), "Graf   Celkový   Sever   Jih  - Počet skupin");
    }

    void widthBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pixelsPerMonth");
        QTest::newRow("4") << "4" << 4;
        QTest::newRow("9 is 5") << "9" << 5;
        QTest::newRow("0 is 3") << "0" << 3;
        QTest::newRow("negative is 3") << "-2" << 3;
        QTest::newRow("not a number is 3") << "x" << 3;
    }
    void widthBox() {
        QFETCH(QString, typed);
        QFETCH(int, pixelsPerMonth);
        Fixture f;
        SmoothedWindow window(f.store, f.dialogs, SmoothedMode::Smoothed);
        showWithCanvas(window, {1000, 700});
        window.action("zvetsit")->trigger();
        QVERIFY(window.widthBox()->isVisible());
        QCOMPARE(window.widthEdit()->text(), QStringLiteral("3"));
        QCOMPARE(window.widthBox()->x(), 1000 / 4 - 130);
        QTest::keyClick(window.widthEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(window.widthEdit(), typed);
        QTest::keyClick(window.widthEdit(), Qt::Key_Return);
        QVERIFY(!window.widthBox()->isVisible());
        QCOMPARE(window.state().pixelsPerMonth, pixelsPerMonth);
        QCOMPARE(window.scrollRange(), (1000 + 200) * pixelsPerMonth);
    }

    void smoothedQuantityFromThePanelOnlyAndPrinting() {
        Fixture f;
        SmoothedWindow window(f.store, f.dialogs, SmoothedMode::Smoothed);
        showWithCanvas(window, {1000, 700});
        QCOMPARE(window.windowTitle(), QStringLiteral("Vyhlazovací   grafy"));
        // Only g, f, r and the width box in the window's menu; the rest from the tool panel.
        for (const char *item : {"gvyhl", "fvyhl", "rvyhl", "zvetsit"})
            QVERIFY2(window.action(item)->isVisible(), item);
        for (const char *item :
             {"cvvyhl", "snvyhl", "rbvyhl", "plochavyhl", "polokvyhl", "stupnic"})
            QVERIFY2(!window.action(item)->isVisible(), item);
        QSignalSpy chosen(&window, &SmoothedWindow::quantityChosen);
        window.polokvyhlClick();
        QCOMPARE(window.state().quantity, SmoothedQuantity::HemisphereArea);
        QCOMPARE(chosen.count(), 1);
        const SmoothedView view = window.currentView();
        QCOMPARE(grab(window.canvas()), renderSmoothed(view.layout, view.geometry, {1000, 700}));
        const QString pdf = f.dir.filePath("vyhlazene.pdf");
        f.dialogs.fileAnswers = {pdf};
        window.action("tiskvyhl")->trigger();
        QCOMPARE(pdfPageCount(pdf), 1);
    }

    // The series the window keeps is built anew when the quantity or the records change.
    void smoothedSeriesFollowsQuantityAndRecords() {
        Fixture f;
        SmoothedWindow window(f.store, f.dialogs, SmoothedMode::Smoothed);
        showWithCanvas(window, {1000, 700});
        const auto paintsAsFresh = [&] {
            const SmoothedView kept = window.currentView();
            const SmoothedView fresh =
                smoothedView(f.store, window.state(), {1000, 700}, window.scrollPosition());
            return renderSmoothed(kept.layout, kept.geometry, {1000, 700}) ==
                   renderSmoothed(fresh.layout, fresh.geometry, {1000, 700});
        };
        QVERIFY(paintsAsFresh());
        window.fvyhlClick();
        QVERIFY(paintsAsFresh());
        const QImage before = grab(window.canvas());
        for (int month = 2; month <= 12; ++month) { // a year of spots: a smoothed value
            ObservationRecord r =
                datedRecord(QStringLiteral("15.%1.2001").arg(month, 2, 10, QChar('0')));
            r.summary.northSpots = 300;
            f.store.appendRecord(r);
        }
        QVERIFY(paintsAsFresh());
        QVERIFY(grab(window.canvas()) != before);
    }

    void asymmetryOffersOnlyItsScale() {
        Fixture f;
        SmoothedWindow window(f.store, f.dialogs, SmoothedMode::Asymmetry);
        showWithCanvas(window, {1000, 600});
        QCOMPARE(window.windowTitle(), QStringLiteral("Asymetrie    graf"));
        QVERIFY(window.action("stupnic")->isVisible());
        QVERIFY(!window.action("zvetsit")->isVisible());
        QVERIFY(!window.action("tiskvyhl")->isEnabled());
        QCOMPARE(window.scrollRange(), 1000 + 0); // 10 days + 150 is less than the window
        const QRect labels(10, 0, 40, 600);
        QCOMPARE(countPixels(grab(window.canvas()), labels, isDark), 0);
        window.stupnicClick();
        // -5 x 3 .. 5 x 3 around the middle: the label 0 at y 600 div 2 - 7.
        const QImage image = grab(window.canvas());
        QVERIFY(countPixels(image, QRect(10, 293, 20, 12), isDark) > 0);
        QVERIFY(countPixels(image, QRect(10, 293 - 50 * 5, 40, 12), isDark) > 0); // "15"
    }
};

ORVANEK_REGISTER_TEST(TestGraphWindows);
#include "tst_graphwindows.moc"
