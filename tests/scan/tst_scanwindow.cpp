// The scan window driven as the observer drives it: the sheet registered on opening, the scan
// beside a new drawing's entry dialog filling rows click by click, the north point clicked
// and the limb dragged on a plain drawing, and where the two windows go on a screen.
#include "data/observationstore.h"
#include "entry/entrydialog.h"
#include "madescans.h"
#include "scan/scancanvas.h"
#include "scan/scanwindow.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLineF>
#include <QPointer>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The image pixel of position angle a and distance d (mm) on a made scan, unmirrored.
QPointF placeOn(const MadeScan &made, double angleDeg, double distanceMm) {
    return made.drawingToImage.map(QPointF(std::sin(angleDeg * kDeg), -std::cos(angleDeg * kDeg)) *
                                   distanceMm);
}

// The scan window on an image, shown at a size; it deletes itself when closed.
ScanWindow *openWindow(ObservationStore &store, Dialogs &dialogs, const QImage &image, QSize size) {
    auto *window = new ScanWindow(store, dialogs, {QStringLiteral("sken.png"), image});
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(size);
    window->show();
    return window;
}

// A press and release at an image pixel of the canvas, as a mouse click.
void clickAt(ScanCanvas *canvas, QPointF pixel) {
    QTest::mouseClick(canvas, Qt::LeftButton, {}, canvas->widgetFromImage(pixel).toPoint());
}

QString cell(QTableWidget *table, int row, int column) {
    const QTableWidgetItem *item = table->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

} // namespace

class TestScanWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void clicksFillTheRows() {
        ObservationStore store;
        store.setDrawingSetup(125, false);
        const int records = store.recordCount();
        ScriptedDialogs dialogs;
        // A sheet of R 100 mm at 100 dpi, turned 3 degrees: the data set draws at 125 mm.
        const MadeScan made = scanOfSheet(sheetOf2001(100), {100, 3, QPointF(), 0, -1});
        ScanWindow *window = openWindow(store, dialogs, made.image, {900, 700});
        QVERIFY(window->statusText().contains("Šablona: 21.06.2001 08:30 UT, R 100 mm"));

        QPointer<EntryDialog> dialog = new EntryDialog(
            store, EntryMode::New, QStringLiteral(" (Polární souřednice)"), dialogs);
        window->attachEntryDialog(dialog);
        dialog->show();
        // The new drawing's moment from the code; the scan in the dialog's own window.
        QCOMPARE(dialog->entryForm().date + dialog->entryForm().timeUT, "21.06.20010830");
        QCOMPARE(window->panel()->window()->parentWidget(), dialog.data());

        // Two clicks: rows 1 and 2, the distances on the 125 mm drawing (x 1.25), each to a
        // tenth; the count follows. At zoom 4 a click lands within a quarter pixel.
        auto *table = dialog->findChild<QTableWidget *>("StringGrid1");
        const auto near = [&](int row, double angle, double distance) {
            const QString a = cell(table, row, 4);
            const QString d = cell(table, row, 5);
            static const QRegularExpression tenths("^\\d+\\.\\d$");
            return a.contains(tenths) && d.contains(tenths) &&
                   std::abs(a.toDouble() - angle) <= 0.15 &&
                   std::abs(d.toDouble() - distance) <= 0.15;
        };
        window->canvas()->setZoom(4);
        clickAt(window->canvas(), placeOn(made, 40, 60));
        clickAt(window->canvas(), placeOn(made, 250, 80));
        QVERIFY(near(1, 40, 75) && near(2, 250, 100));
        QCOMPARE(dialog->entryForm().groupCount, QStringLiteral("2"));
        QCOMPARE(window->canvas()->overlay().markers.size(), size_t(2));
        // Beyond the limb: refused with the reason, nothing filled.
        clickAt(window->canvas(), placeOn(made, 120, 103));
        QVERIFY(dialogs.shown.size() == 1 && dialogs.shown[0].contains("mimo kotouč"));
        QCOMPARE(dialog->currentGroupRow(), 3);
        // Row 1 chosen again: the next click moves it, and its marker.
        table->setCurrentCell(0, 0);
        clickAt(window->canvas(), placeOn(made, 300, 20));
        QVERIFY(near(1, 300, 25));
        const ScanMarker first = window->canvas()->overlay().markers.front();
        QVERIFY(first.row == 1 && QLineF(first.pixel, placeOn(made, 300, 20)).length() < 1);

        // Closed without storing: the scan is back in its window, nothing was stored.
        dialogs.answers = {true};
        dialog->reject();
        QCOMPARE(window->panel()->parentWidget(), window);
        QVERIFY(window->entryDialog() == nullptr);
        QVERIFY(store.recordCount() == records && !store.dataModified());
    }

    void plainDrawingByHand() {
        ObservationStore store;
        store.setDrawingSetup(100, false);
        ScriptedDialogs dialogs;
        // A plain drawing, the paper turned 12 degrees: its north mark 12 degrees clockwise
        // of the image's up.
        const MadeScan made = scanOfPlainDrawing({210, 297}, 90, 1, {100, 12, QPointF(), 0, -1});
        ScanWindow *window = openWindow(store, dialogs, made.image, {600, 500});
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(window->registration().registered() && !window->registration().code);
        QVERIFY(window->statusText().contains("Bez kódu šablony"));
        // Fitted on opening; + and - step by 1.25.
        const double fit = window->zoom();
        QVERIFY(window->canvas()->width() <= 600 && window->canvas()->height() <= 500);
        window->priblizitClick();
        QVERIFY(std::abs(window->zoom() / fit - 1.25) < 1e-9);
        window->oddalitClick();
        QVERIFY(std::abs(window->zoom() / fit - 1) < 1e-9);

        window->findChild<QDoubleSpinBox *>("polomersken")->setValue(90);
        window->canvas()->setZoom(4);
        window->action("severklik")->setChecked(true);
        clickAt(window->canvas(), placeOn(made, 0, 90));
        QVERIFY(!window->action("severklik")->isChecked());
        QVERIFY(std::abs(window->registration().frame.turnDeg - 12) < 0.3);
        // The centre dragged 30 image pixels to the right: the limb follows.
        ScanCanvas *canvas = window->canvas();
        const QPointF centre = window->registration().frame.centre;
        const QPoint to = canvas->widgetFromImage(centre + QPointF(30, 0)).toPoint();
        QTest::mousePress(canvas, Qt::LeftButton, {}, canvas->widgetFromImage(centre).toPoint());
        QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        QVERIFY(std::abs(window->registration().frame.centre.x() - centre.x() - 30) < 0.4);
    }

    void besideTheDialog_data() {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("opened"); // the dialog's frame as it opens, in the middle
        QTest::addColumn<QPoint>("dialog");
        QTest::addColumn<QRect>("scan");
        // The dialog 700 x 460, the scan 640 x 720 with 8 between: 1348 wide together. At
        // 1024 316 pixels are left right of the dialog: the scan keeps 360, over 44 of it.
        // clang-format off
        QTest::newRow("1400 x 900: side by side in the middle") << QRect(0, 0, 1400, 900) << QRect(350, 220, 700, 460) << QPoint(26, 220) << QRect(734, 180, 640, 720);
        QTest::newRow("1024 x 768: the scan at the right") << QRect(0, 0, 1024, 768) << QRect(162, 154, 700, 460) << QPoint(0, 154) << QRect(664, 48, 360, 720);
        QTest::newRow("800 x 600: as high as the screen") << QRect(0, 0, 800, 600) << QRect(50, 70, 700, 460) << QPoint(0, 70) << QRect(440, 0, 360, 600);
        // clang-format on
    }
    void besideTheDialog() {
        QFETCH(QRect, room);
        QFETCH(QRect, opened);
        QFETCH(QPoint, dialog);
        QFETCH(QRect, scan);
        const ScanBeside b = scanBesideDialog(opened, room);
        QCOMPARE(b.dialog, dialog);
        QCOMPARE(b.scan, scan);
    }
};

ORVANEK_REGISTER_TEST(TestScanWindow);
#include "tst_scanwindow.moc"
