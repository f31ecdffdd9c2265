// The drawing view's window: caption, orientation box, read-out, bitmap, printing.
#include "data/observationstore.h"
#include "pdfpages.h"
#include "scripteddialogs.h"
#include "views/drawing/drawingpainter.h"
#include "views/drawing/drawingwindow.h"
#include "viewtesthelpers.h"
#include "widgettests.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// A store of two records in memory, the second current, data directory `dir`.
struct Fixture {
    explicit Fixture(const QString &dir) {
        store.setDataDirectory(dir);
        store.setDrawingSetup(125, false);
        ObservationRecord first = drawingRecord(QStringLiteral("07.05.2001"), 705);
        addGroup(first, 900, 625, 400);
        ObservationRecord second = drawingRecord(QStringLiteral("21.06.2001"), 830);
        addGroup(second, 900, 625, 400);
        addGroup(second, 0, 500, 200);
        store.appendRecord(first);
        store.appendRecord(second);
        store.selectRecord(1);
        window = std::make_unique<DrawingWindow>(store, dialogs);
    }
    ObservationStore store;
    ScriptedDialogs dialogs;
    std::unique_ptr<DrawingWindow> window;
};

QLabel *readOutLabel(const DrawingWindow &w) {
    return w.findChild<QLabel *>(QStringLiteral("Label1"));
}

QGroupBox *orientationBox(const DrawingWindow &w) {
    return w.findChild<QGroupBox *>(QStringLiteral("GroupBox1"));
}

QPushButton *button(const DrawingWindow &w, const char *name) {
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

} // namespace

class TestDrawingWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void captionFollowsTheCurrentRecord() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        QCOMPARE(f.window->objectName(), QStringLiteral("TForm2"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Zákres    21.06.2001"));
        f.store.selectRecord(0);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Zákres    07.05.2001"));
        // A correction rewrites the current record.
        ObservationRecord corrected = f.store.currentRecord();
        writeText(corrected.dateText, QStringLiteral("08.05.2001"));
        QVERIFY(f.store.storeRecord(corrected, true));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Zákres    08.05.2001"));
    }

    void paintsTheCurrentRecord() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        // The second record has a group at angle 0: grey at (280, 180) on the canvas.
        QCOMPARE(pixelAt(f.window->canvas()->grab().toImage(), {280, 180}), groupFillColour());
        f.store.selectRecord(0);
        QCOMPARE(pixelAt(f.window->canvas()->grab().toImage(), {280, 180}), diskColour());
        QCOMPARE(f.window->canvas()->size(), drawingSize(f.window->currentModel()));
    }

    void windowPaintsWhatTheImageHolds() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QImage screen =
            f.window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage image = renderDrawing(f.window->currentModel());
        QCOMPARE(screen.size(), image.size());
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differing += screen.pixel(x, y) != image.pixel(x, y) ? 1 : 0;
        QCOMPARE(differing, 0);
    }

    void orientationBox() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QGroupBox *box = ::orientationBox(*f.window);
        QVERIFY(box);
        QCOMPARE(box->title(), QStringLiteral("Orientace"));
        QVERIFY(box->isHidden());
        f.window->showOrientationBox();
        QVERIFY(box->isVisible());
        QTest::keyRelease(f.window.get(), Qt::Key_Escape);
        QVERIFY(box->isHidden());
        f.window->showOrientationBox();
        f.window->hideOrientationBox();
        QVERIFY(box->isHidden());
    }

    void vyzaAndSejiFlipAndRelabel_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("flipped");
        QTest::newRow("vyza") << QByteArray("vyza") << QStringLiteral("Z - V")
                              << QStringLiteral("V - Z");
        QTest::newRow("seji") << QByteArray("seji") << QStringLiteral("S - J")
                              << QStringLiteral("J - S");
    }
    void vyzaAndSejiFlipAndRelabel() {
        QFETCH(QByteArray, name);
        QFETCH(QString, first);
        QFETCH(QString, flipped);
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QPushButton *b = button(*f.window, name.constData());
        QVERIFY(b);
        QCOMPARE(b->text(), first);
        const bool isX = name == "vyza";
        auto sign = [&] { return isX ? f.window->orientX() : f.window->orientY(); };
        auto other = [&] { return isX ? f.window->orientY() : f.window->orientX(); };
        // Group 2 of the current record is at angle 0: above the centre, or below when
        // north-south is flipped. Group 1 at 90 deg: right, or left when east-west is.
        const QPoint before = isX ? QPoint(405, 280) : QPoint(280, 180);
        const QPoint after = isX ? QPoint(155, 280) : QPoint(280, 380);

        f.window->showOrientationBox();
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(b->text(), flipped);
        QCOMPARE(sign(), -1);
        QCOMPARE(other(), 1);
        QVERIFY(::orientationBox(*f.window)->isHidden());
        QImage shown = f.window->canvas()->grab().toImage();
        QCOMPARE(pixelAt(shown, after), groupFillColour());
        QVERIFY(pixelAt(shown, before) != groupFillColour());

        f.window->showOrientationBox();
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(b->text(), first);
        QCOMPARE(sign(), 1);
        shown = f.window->canvas()->grab().toImage();
        QCOMPARE(pixelAt(shown, before), groupFillColour());
    }

    void readOutBeforeAndAfterAFlip() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QWidget *canvas = f.window->canvas();
        QLabel *label = readOutLabel(*f.window);
        QVERIFY(label);
        QVERIFY(label->isHidden());

        // 100 px right of the centre: distance 500 at 90 degrees on 21.06.2001, 8:30 UT.
        const Ephemeris e = solarEphemeris({2001, 6, 21}, 830);
        const QString right = readOutText(polarToHeliographic(e, 500, 900));
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(380, 280));
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), right);
        QCOMPARE(label->pos(), QPoint(400, 280));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(380, 280));
        QVERIFY(label->isHidden());

        // Left of the centre the longitude is larger: a different reading.
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(180, 280));
        QVERIFY(label->text() != right);
        QCOMPARE(label->text(), readOutText(polarToHeliographic(e, 500, 2700)));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(180, 280));

        f.window->vyzaClick();
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(180, 280));
        QCOMPARE(label->text(), right);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(180, 280));

        // North-south flipped too: 100 px below the centre reads what above read before.
        f.window->sejiClick();
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(280, 380));
        QCOMPARE(label->text(), readOutText(polarToHeliographic(e, 500, 0)));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(280, 380));
    }

    void pressOutsideTheDiskOnlyMovesTheLabel() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QLabel *label = readOutLabel(*f.window);
        QTest::mousePress(f.window->canvas(), Qt::LeftButton, {}, QPoint(560, 300));
        QVERIFY(label->isHidden());
        QCOMPARE(label->pos(), QPoint(580, 300));
        QTest::mouseRelease(f.window->canvas(), Qt::LeftButton, {}, QPoint(560, 300));
    }

    void pressOnTheCentreReadsTheCentre() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::mousePress(f.window->canvas(), Qt::LeftButton, {}, QPoint(280, 280));
        // The centre of the disk is where the central meridian meets latitude B0.
        const Ephemeris e = solarEphemeris({2001, 6, 21}, 830);
        HeliographicPosition centre;
        centre.helioLatitude = e.B0;
        centre.helioLongitude = e.L0;
        QCOMPARE(readOutLabel(*f.window)->text(), readOutText(centre));
        QTest::mouseRelease(f.window->canvas(), Qt::LeftButton, {}, QPoint(280, 280));
    }

    void refusesToCloseWhilePinned() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->show();
        QVERIFY(f.window->viewsPinned());
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        f.window->setViewsPinned(false);
        QVERIFY(f.window->close());
    }

    void refusesToCloseAsAnMdiChild() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        QMdiArea area;
        QMdiSubWindow *sub = area.addSubWindow(f.window.get());
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(sub->windowTitle(), QStringLiteral("Zákres    21.06.2001"));
        QVERIFY(!sub->close());
        QVERIFY(sub->isVisible());
        f.window->setViewsPinned(false);
        QVERIFY(sub->close());
        sub->setWidget(nullptr); // the fixture owns the window
    }

    void bitmapFileName_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dated") << QStringLiteral("07.05.2001")
                               << QStringLiteral("Zakres07.05.2001.bmp");
        QTest::newRow("without a date") << QString() << QStringLiteral("Zakres.bmp");
    }
    void bitmapFileName() {
        QFETCH(QString, date);
        QFETCH(QString, expected);
        QCOMPARE(DrawingWindow::bitmapFileName(date), expected);
    }

    void f10SavesTheBitmap_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("file");
        QTest::newRow("yes") << QStringLiteral("21.06.2001") << true
                             << QStringLiteral("Zakres21.06.2001.bmp");
        QTest::newRow("no") << QStringLiteral("21.06.2001") << false
                            << QStringLiteral("Zakres21.06.2001.bmp");
        QTest::newRow("record without a date") << QString() << true << QStringLiteral("Zakres.bmp");
    }
    void f10SavesTheBitmap() {
        QFETCH(QString, date);
        QFETCH(bool, answer);
        QFETCH(QString, file);
        QTemporaryDir dir;
        Fixture f(dir.path());
        ObservationRecord shown = f.store.currentRecord();
        writeText(shown.dateText, date);
        f.store.setWorkingRecord(shown);
        f.dialogs.answers = {answer};
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::keyRelease(f.window.get(), Qt::Key_F10);
        QCOMPARE(f.dialogs.shown, QStringList{QStringLiteral("Uložit bitmapu zákresu")});
        const QString path = QDir(dir.path()).filePath(QStringLiteral("Obrázek/") + file);
        QCOMPARE(f.window->bitmapPath(), path);
        QCOMPARE(QFile::exists(path), answer);
        if (!answer) {
            QVERIFY(!QDir(dir.path()).exists(QStringLiteral("Obrázek")));
            return;
        }
        QImage saved;
        QVERIFY(saved.load(path, "BMP"));
        QCOMPARE(saved.size(), drawingSize(f.window->currentModel()));
        QCOMPARE(pixelAt(saved, {405, 280}), groupFillColour());
        QCOMPARE(pixelAt(saved, {282, 300}), diskColour());

        // Saving again overwrites the file in the existing folder.
        f.dialogs.answers = {true};
        QVERIFY(f.window->saveBitmap());
    }

    void bitmapFolderThatCannotBeUsedIsReported_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a file in its place") << false;
        QTest::newRow("a link to another folder") << true;
    }
    void bitmapFolderThatCannotBeUsedIsReported() {
        QFETCH(bool, link);
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString folder = QDir(dir.path()).filePath(QStringLiteral("Obrázek"));
        if (link) {
            QVERIFY(QFile::link(elsewhere.path(), folder));
        } else {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        }
        Fixture f(dir.path());
        f.dialogs.answers = {true};
        QVERIFY(!f.window->saveBitmap());
        QCOMPARE(f.dialogs.shown.size(), 2);
        QVERIFY2(f.dialogs.shown[1].contains(QStringLiteral("Obrázek")),
                 qPrintable(f.dialogs.shown[1]));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }

    // Without a printer the print command offers a PDF file in the data directory.
    void printsOnePageOfVectors() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        const QString path = QDir(dir.path()).filePath(QStringLiteral("zakres.pdf"));
        f.dialogs.fileAnswers = {path};
        f.window->tiskzakresClick();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY2(f.dialogs.shown[0].endsWith(QDir(dir.path()).filePath("Zakres21.06.2001.pdf")),
                 qPrintable(f.dialogs.shown[0]));
        QCOMPARE(pdfPageCount(path), 1);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        // Drawn as vectors and text, not as a picture of the window.
        QVERIFY(!pdf.readAll().contains("/Subtype /Image"));
    }

    void printCommand() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        QAction *action = f.window->printAction();
        QVERIFY(action);
        QCOMPARE(action->objectName(), QStringLiteral("tiskzakres"));
        QCOMPARE(action->text(), QStringLiteral("Tisk zákresu"));
    }
};

ORVANEK_REGISTER_TEST(TestDrawingWindow);
#include "tst_drawingwindow.moc"
