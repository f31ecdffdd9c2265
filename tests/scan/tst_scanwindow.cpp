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
        QCOMPARE(window->findChild<QLineEdit *>("datumsken")->text(), QStringLiteral("21.06.2001"));

        QPointer<EntryDialog> dialog = new EntryDialog(
            store, EntryMode::New, QStringLiteral(" (Polární souřednice)"), dialogs);
        window->attachEntryDialog(dialog);
        dialog->show();
        // The new drawing's moment from the code; the scan in the dialog's own window.
        QCOMPARE(dialog->entryForm().date, QStringLiteral("21.06.2001"));
        QCOMPARE(dialog->entryForm().timeUT, QStringLiteral("0830"));
        QVERIFY(window->panel()->window() != window);
        QCOMPARE(window->panel()->window()->parentWidget(), dialog.data());

        // Two clicks: rows 1 and 2, the distances on the 125 mm drawing (x 1.25), each
        // to a tenth; the count follows. At zoom 4 a click lands within a quarter pixel.
        auto *table = dialog->findChild<QTableWidget *>("StringGrid1");
        window->canvas()->setZoom(4);
        clickAt(window->canvas(), placeOn(made, 40, 60));
        clickAt(window->canvas(), placeOn(made, 250, 80));
        const auto near = [&](int row, int column, double expected) {
            const QString text = cell(table, row, column);
            return text.contains(QRegularExpression("^\\d+\\.\\d$")) &&
                   std::abs(text.toDouble() - expected) <= 0.15;
        };
        QVERIFY(near(1, 4, 40) && near(1, 5, 75));
        QVERIFY(near(2, 4, 250) && near(2, 5, 100));
        QCOMPARE(dialog->entryForm().groupCount, QStringLiteral("2"));
        QCOMPARE(window->canvas()->overlay().markers.size(), size_t(2));
        // Beyond the limb: refused with the reason, nothing filled.
        clickAt(window->canvas(), placeOn(made, 120, 103));
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].contains("mimo kotouč"));
        QCOMPARE(dialog->currentGroupRow(), 3);
        // Row 1 chosen again: the next click moves it, and its marker.
        table->setCurrentCell(0, 0);
        clickAt(window->canvas(), placeOn(made, 300, 20));
        QVERIFY(near(1, 4, 300) && near(1, 5, 25));
        const ScanMarker first = window->canvas()->overlay().markers.front();
        QCOMPARE(first.row, 1);
        QVERIFY(QLineF(first.pixel, placeOn(made, 300, 20)).length() < 1);

        // Closed without storing: the scan is back in its window, nothing was stored.
        dialogs.answers = {true};
        dialog->reject();
        QVERIFY(!dialog || !dialog->isVisible());
        QCOMPARE(window->panel()->parentWidget(), window);
        QVERIFY(window->entryDialog() == nullptr);
        QCOMPARE(store.recordCount(), records);
        QVERIFY(!store.dataModified());
    }

    void northByClickAndLimbByDragging() {
        ObservationStore store;
        store.setDrawingSetup(100, false);
        ScriptedDialogs dialogs;
        // A plain drawing, the paper turned 12 degrees: its north mark 12 degrees clockwise
        // of the image's up.
        const MadeScan made = scanOfPlainDrawing({210, 297}, 90, 1, {100, 12, QPointF(), 0, -1});
        ScanWindow *window = openWindow(store, dialogs, made.image, {900, 700});
        QVERIFY(window->registration().registered());
        QVERIFY(!window->registration().code);
        QVERIFY(window->statusText().contains("Bez kódu šablony"));
        window->findChild<QDoubleSpinBox *>("polomersken")->setValue(90);

        window->canvas()->setZoom(4);
        window->action("severklik")->setChecked(true);
        clickAt(window->canvas(), placeOn(made, 0, 90));
        QVERIFY(!window->action("severklik")->isChecked());
        QVERIFY2(std::abs(window->registration().frame.turnDeg - 12) < 0.3,
                 qPrintable(QString::number(window->registration().frame.turnDeg)));
        // A click at 90 degrees, 45 mm tells the place without a dialog (the north click
        // sets the turn to a quarter pixel at 45 mm from the limb's 90: 0.1 degree).
        clickAt(window->canvas(), placeOn(made, 90, 45));
        const QRegularExpressionMatch told =
            QRegularExpression("^Úhel (\\d+\\.\\d)°, vzdálenost (\\d+\\.\\d) mm")
                .match(window->statusText());
        QVERIFY2(told.hasMatch(), qPrintable(window->statusText()));
        QVERIFY(std::abs(told.captured(1).toDouble() - 90) <= 0.3);
        QVERIFY(std::abs(told.captured(2).toDouble() - 45) <= 0.15);

        // The centre dragged 30 image pixels to the right: the limb follows.
        ScanCanvas *canvas = window->canvas();
        const QPointF centre = window->registration().frame.centre;
        const QPoint from = canvas->widgetFromImage(centre).toPoint();
        const QPoint to = canvas->widgetFromImage(centre + QPointF(30, 0)).toPoint();
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        QVERIFY(std::abs(window->registration().frame.centre.x() - (centre.x() + 30)) <
                1.5 / canvas->zoom());
    }

    void zoom() {
        ObservationStore store;
        ScriptedDialogs dialogs;
        const MadeScan made = scanOfPlainDrawing({100, 100}, 40, 1, {100, 0, QPointF(), 0, -1});
        ScanWindow *window = openWindow(store, dialogs, made.image, {500, 500});
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->prizpusobitClick();
        const double fit = window->zoom();
        QVERIFY(fit > 0 && window->canvas()->width() <= 500);
        window->priblizitClick();
        QVERIFY(std::abs(window->zoom() / fit - 1.25) < 1e-9);
        window->oddalitClick();
        window->oddalitClick();
        QVERIFY(std::abs(window->zoom() * 1.25 / fit - 1) < 1e-9);
    }

    void besideTheDialog_data() {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("opened"); // the dialog's frame as it opens, in the middle
        QTest::addColumn<QPoint>("dialog");
        QTest::addColumn<QRect>("scan");
        // The dialog 700 x 460, the scan 640 x 720 with 8 between: 1348 wide together.
        QTest::newRow("1400 x 900: side by side in the middle")
            << QRect(0, 0, 1400, 900) << QRect(350, 220, 700, 460) << QPoint(26, 220)
            << QRect(734, 180, 640, 720);
        // 316 pixels right of the dialog: the scan keeps 360 and covers 44 of the dialog.
        QTest::newRow("1024 x 768: the dialog at the left, the scan at the right")
            << QRect(0, 0, 1024, 768) << QRect(162, 154, 700, 460) << QPoint(0, 154)
            << QRect(664, 48, 360, 720);
        QTest::newRow("800 x 600: the scan as high as the screen")
            << QRect(0, 0, 800, 600) << QRect(50, 70, 700, 460) << QPoint(0, 70)
            << QRect(440, 0, 360, 600);
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
