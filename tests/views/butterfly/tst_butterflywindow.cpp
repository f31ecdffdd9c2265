// The butterfly window: keys and panel buttons, the supplementary switch, the diagram built
// once per change, printing.
#include "data/observationstore.h"
#include "observedrecord.h"
#include "pdfpages.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/butterfly/butterflypainter.h"
#include "views/butterfly/butterflywindow.h"
#include "widgettests.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// Two drawings in a data directory; Motfakul.dat with data when `supplementary`.
struct Fixture {
    explicit Fixture(bool supplementary = false) {
        std::vector<ObservationRecord> records{observedRecord(QStringLiteral("21.06.2001")),
                                               observedRecord(QStringLiteral("22.06.2001"))};
        addGroupSeenAt(records[0], 10, ephemerisOf(records[0]).L0);
        QByteArray block;
        if (supplementary) { // one spot at 20 degrees in column 1
            block = QByteArray(kButterflyBlockSize, '\0');
            block[0] = char(148);
        }
        QVERIFY(writeDataDirectory(dir.path(), records, block));
        QVERIFY(store.loadStore(dir.path()));
        store.setDrawingSetup(125, false);
        window = std::make_unique<ButterflyWindow>(store, dialogs);
        window->resize(900, 600);
        window->show();
    }
    void press(int key) { QTest::keyClick(window->view(), Qt::Key(key)); }

    QTemporaryDir dir;
    ObservationStore store{QDate(2026, 1, 1)};
    ScriptedDialogs dialogs;
    std::unique_ptr<ButterflyWindow> window;
};

// The right end of the label of the last rotation line, 2000 xs + 50: the label starts 15
// pixels left of the line and is followed by 4 pixels of margin.
int lastLabelEnd(int xs) {
    return 2000 * xs + 50 - 15 + QFontMetrics(butterflyFont()).horizontalAdvance("3900") + 4;
}

} // namespace

class TestButterflyWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void keysAndButtons_data() {
        QTest::addColumn<QString>("input"); // digits; W: F12, N: F11; > < + -: panel buttons
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::newRow("F12 five times stops at 16") << "WWWWW" << 3 << 16;
        QTest::newRow("F11 halves, digits set vs, 0 does not") << "WWWN70" << 7 << 4;
        QTest::newRow("vpravo, vlevo, vetsi") << ">>><8++" << 9 << 4;
        QTest::newRow("mensi stops at 1") << "2--" << 1 << 1;
    }
    void keysAndButtons() {
        QFETCH(QString, input);
        QFETCH(int, vs);
        QFETCH(int, xs);
        Fixture f;
        for (const QChar c : input) {
            if (c.isDigit())
                f.press(Qt::Key_0 + c.digitValue());
            else if (c == 'W')
                f.press(Qt::Key_F12);
            else if (c == 'N')
                f.press(Qt::Key_F11);
            else if (c == '>')
                f.window->vpravoClick();
            else if (c == '<')
                f.window->vlevoClick();
            else if (c == '+')
                f.window->vetsiClick();
            else
                f.window->mensiClick();
        }
        QCOMPARE(f.window->latitudeScale(), vs);
        QCOMPARE(f.window->rotationWidth(), xs);
        // The diagram scrolls as far as its frame, 20 steps of 100 rotations at xs pixels,
        // and the last rotation's label under it: "3900" from 15 pixels left of the line
        // and 4 pixels of margin.
        QScrollBar *time = f.window->view()->horizontalScrollBar();
        QCOMPARE(time->maximum(), lastLabelEnd(xs) - f.window->view()->viewport()->width());
        // End and Home go to either end, as in the graph windows.
        f.press(Qt::Key_End);
        QCOMPARE(time->value(), time->maximum());
        f.press(Qt::Key_Home);
        QCOMPARE(time->value(), 0);
    }

    void diagramBuiltOncePerChange() {
        Fixture f;
        f.window->repaint();
        const int built = f.window->modelBuilds();
        QVERIFY(built >= 1);
        for (int x : {100, 300, 600}) {
            f.window->view()->horizontalScrollBar()->setValue(x);
            f.window->view()->viewport()->repaint();
        }
        f.press(Qt::Key_3); // the scale it already has
        f.window->view()->viewport()->repaint();
        QCOMPARE(f.window->modelBuilds(), built);
        f.press(Qt::Key_4);
        f.window->view()->viewport()->repaint();
        QCOMPARE(f.window->modelBuilds(), built + 1);
        f.store.appendRecord(observedRecord(QStringLiteral("23.06.2001")));
        f.window->view()->viewport()->repaint();
        QCOMPARE(f.window->modelBuilds(), built + 2);
    }

    // The positions of the records' marks are worked out again when the records change,
    // and when a mode shows the faculae they were worked out without; a scale key only
    // places them again.
    void marksFollowRecordsAndMode() {
        Fixture f;
        QCOMPARE(f.window->model().groups.size(), size_t(1));
        f.press(Qt::Key_4);
        ObservationRecord later = observedRecord(QStringLiteral("23.06.2001"));
        // At b -20.06 (a twentieth of a degree either way after the conversions) and 4
        // pixels a degree: v = trunc(2 x -20.06 x 4) = -160, the box's top -2 + 80 = 78.
        addGroupSeenAt(later, -20.06, ephemerisOf(later).L0);
        addFaculaField(later, {packPosition(90, 60)});
        f.store.appendRecord(later);
        const std::vector<QRect> &boxes = f.window->model().groups;
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes.back().top(), 78);
        QVERIFY(f.window->model().faculae.empty()); // spots only
        f.window->celek1Click();
        QCOMPARE(f.window->model().faculae.size(), size_t(1));
        QCOMPARE(f.window->model().groups.size(), size_t(2));
    }

    void supplementarySwitch_data() {
        QTest::addColumn<bool>("fileHasData");
        QTest::newRow("Motfakul.dat with data") << true;
        QTest::newRow("without") << false;
    }
    void supplementarySwitch() {
        QFETCH(bool, fileHasData);
        Fixture f(fileHasData);
        QAction *vypnout = f.window->action(QStringLiteral("vypnout"));
        QCOMPARE(f.window->action(QStringLiteral("doplnkova"))->isVisible(), fileHasData);
        QCOMPARE(vypnout->text(), QStringLiteral("Zapnout")); // the data are off at first
        QVERIFY(!f.window->state().supplementaryOn);
        QCOMPARE(f.window->model().settings.baseRotation, 1900);
        vypnout->trigger();
        QCOMPARE(vypnout->text(), QStringLiteral("Vypnout"));
        // Switched on, the left axis moves to 1300 and the file's spot is drawn.
        QCOMPARE(f.window->model().settings.baseRotation, fileHasData ? 1300 : 1900);
        QCOMPARE(f.window->model().supplementary.spots.size(), size_t(fileHasData ? 1 : 0));
        f.window->vypnoutClick();
        QCOMPARE(vypnout->text(), QStringLiteral("Zapnout"));
        QCOMPARE(f.window->model().settings.baseRotation, 1900);
    }

    void printGoesToAPdfWithoutAPrinter() {
        Fixture f;
        const QString pdf = f.dir.filePath(QStringLiteral("tisk.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        f.window->action(QStringLiteral("tiskmot"))->trigger();
        QVERIFY(f.dialogs.shown.last().endsWith(QStringLiteral("Motylek.pdf")));
        QCOMPARE(pdfPageCount(pdf), 1);
    }
};

ORVANEK_REGISTER_TEST(TestButterflyWindow);
#include "tst_butterflywindow.moc"
