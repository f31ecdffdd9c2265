// The butterfly window: keys and panel buttons, the supplementary switch, the diagram built
// once per change, printing.
#include "data/observationstore.h"
#include "observedrecord.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/butterfly/butterflywindow.h"
#include "widgettests.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QDir>
#include <QFile>
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
        QFile data(QDir(dir.path()).filePath(QStringLiteral("data1.dat")));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write(recordsBytes(records));
        data.close();
        if (supplementary) {
            QFile extra(QDir(dir.path()).filePath(QStringLiteral("Motfakul.dat")));
            QVERIFY(extra.open(QIODevice::WriteOnly));
            QByteArray block(kButterflyBlockSize, '\0');
            block[0] = char(148);
            block[1] = char(255);
            extra.write(block);
        }
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
        QTest::newRow("F11 halves") << "WWWN" << 3 << 4;
        QTest::newRow("digits 1..9, 0 none") << "7" << 7 << 1;
        QTest::newRow("digit 0 changes nothing") << "0" << 3 << 1;
        QTest::newRow("vpravo and vlevo") << ">>><" << 3 << 4;
        QTest::newRow("vetsi stops at 9") << "8++" << 9 << 1;
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
        // The diagram scrolls as far as its frame: 20 steps of 100 rotations at xs pixels.
        const int viewport = f.window->view()->viewport()->width();
        QCOMPARE(f.window->view()->horizontalScrollBar()->maximum(), 2000 * xs + 50 + 1 - viewport);
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

    void modesAndCaptions() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Motýlek   Skvrny"));
        QVERIFY(!f.window->action(QStringLiteral("Fakulemot"))->isVisible());
        QVERIFY(!f.window->action(QStringLiteral("Celek1"))->isVisible());
        f.window->celek1Click();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Motýlek   Skvrny a fakule"));
        QCOMPARE(f.window->state().mode, ButterflyMode::SpotsAndFaculae);
        f.window->action(QStringLiteral("skvrnymot"))->trigger();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Motýlek   Skvrny"));
    }

    void printGoesToAPdfWithoutAPrinter() {
        Fixture f;
        const QString pdf = f.dir.filePath(QStringLiteral("tisk.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        f.window->action(QStringLiteral("tiskmot"))->trigger();
        QVERIFY(f.dialogs.shown.last().endsWith(QStringLiteral("Motylek.pdf")));
        QVERIFY(QFile(pdf).size() > 0);
    }

    void closingSaysSo() {
        Fixture f;
        int closed = 0;
        connect(f.window.get(), &ButterflyWindow::closed, [&] { ++closed; });
        f.window->action(QStringLiteral("konecmot"))->trigger();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(closed, 1);
    }
};

ORVANEK_REGISTER_TEST(TestButterflyWindow);
#include "tst_butterflywindow.moc"
