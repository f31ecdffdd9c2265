// The scan window driven as the observer drives it: the sheet registered on opening, the scan
// beside a new drawing's entry dialog filling rows click by click, the north point clicked
// and the limb dragged on a plain drawing, and where the two windows go on a screen.
#include "data/observationstore.h"
#include "entry/entrydialog.h"
#include "madescans.h"
#include "scan/scancanvas.h"
#include "scan/scanwindow.h"
#include "scripteddialogs.h"
#include "solar/conversion.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLineF>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
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

// A sheet of R 100 mm at 150 dpi, turned 2 degrees, with pencil spots: an outline of 4 mm
// round a core and a filled spot of 2 mm 4 mm east of it (up and left), and a filled spot of
// 3 mm down and right.
MadeScan sheetWithSpots() {
    const SheetModel model = sheetOf2001(100);
    const ScanRecipe recipe{150, 2, QPointF(), 0, -1};
    QImage page = renderSheet(model, recipe.dpi);
    drawPencilSpots(page, sheetDrawingToPage(model, recipe.dpi),
                    {{{-20, -30}, 2, true}, {{-16, -30}, 1}, {{30, 20}, 1.5}});
    return {scanPage(page, recipe), sheetDrawingToScan(model, recipe)};
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

    void groupsTaken_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<QString>("typedCount"); // "Počet skupin" before
        QTest::addColumn<int>("typedRows");      // rows from the first the observer typed
        QTest::addColumn<bool>("placed");        // and the next one placed by a click
        QTest::addColumn<QString>("count");      // "Počet skupin" after
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("polar, no count typed") << false << "" << 1 << false << "3" << "ze skenu: 2 ";
        QTest::newRow("heliographic, 4 groups typed") << true << "4" << 1 << false << "4" << "ze skenu: 2 ";
        // A typed count smaller than the proposals drops none of them.
        QTest::newRow("typed count below the proposals") << false << "1" << 0 << false << "2" << "ze skenu: 2 ";
        QTest::newRow("a row placed by a click kept") << false << "2" << 1 << true << "4" << "ze skenu: 2 ";
        QTest::newRow("one row left of 30") << false << "30" << 29 << false << "30" << "Nevešlo se: 1 ";
        // clang-format on
    }
    void groupsTaken() {
        QFETCH(bool, heliographic);
        QFETCH(QString, typedCount);
        QFETCH(int, typedRows);
        QFETCH(bool, placed);
        QFETCH(QString, count);
        QFETCH(QString, message);
        ObservationStore store;
        store.setDrawingSetup(125, heliographic);
        const int records = store.recordCount();
        ScriptedDialogs dialogs;
        const MadeScan made = sheetWithSpots();
        ScanWindow *window = openWindow(store, dialogs, made.image, {900, 700});
        QPointer<EntryDialog> dialog = new EntryDialog(store, EntryMode::New, QString(), dialogs);
        window->attachEntryDialog(dialog);
        dialog->show();
        dialog->findChild<QLineEdit *>("Edit11")->setText(typedCount.isEmpty() ? "1" : typedCount);
        auto *table = dialog->findChild<QTableWidget *>("StringGrid1");
        for (int row = 0; row < typedRows; ++row)
            table->setItem(row, 0, new QTableWidgetItem("Axx"));
        if (placed)
            QVERIFY(dialog->setGroupPosition(typedRows + 1, "10", "20"));
        const int first = typedRows + (placed ? 1 : 0) + 1; // the first row taken
        if (typedCount.isEmpty())
            dialog->findChild<QLineEdit *>("Edit11")->clear();
        auto *take = dialog->findChild<QPushButton *>("prevzitskupiny");
        QVERIFY(take && take->isVisible());
        take->click();
        QVERIFY2(!dialogs.shown.isEmpty() && dialogs.shown.back().contains(message),
                 qPrintable(dialogs.shown.join('|')));

        // Numbered round the disk: the spot down and right (position angle 123.7) first, then
        // the pair (their area-weighted centre -19.2, -30: 327.4). On the data set's 125 mm
        // drawing distances are 1.25 times, areas 1.5625 times those on the sheet.
        QCOMPARE(dialog->entryForm().groupCount, count);
        for (int row = 1; row <= typedRows; ++row) // typed, kept whole
            QCOMPARE(cell(table, row, 1) + cell(table, row, 2), QStringLiteral("Axx"));
        if (placed)
            QCOMPARE(cell(table, first - 1, 4) + ';' + cell(table, first - 1, 5), "10;20");
        const Ephemeris e = solarEphemeris(*parseDate(QStringLiteral("21.06.2001"), 2000), 830);
        const struct {
            QString counts;
            QPointF mm;
            double areaMm2;
        } rows[] = {{"1;0", {30, 20}, 2.25 * std::numbers::pi * 1.5625},
                    {"2;1", {-19.2, -30}, 5 * std::numbers::pi * 1.5625}};
        for (int row = first; row <= std::min(first + 1, 30); ++row) {
            const auto &want = rows[row - first];
            QCOMPARE(cell(table, row, 2) + ';' + cell(table, row, 3), want.counts);
            QVERIFY(std::abs(cell(table, row, 6).toDouble() / want.areaMm2 - 1) <= 0.15);
            const double angle = std::fmod(std::atan2(want.mm.x(), -want.mm.y()) / kDeg + 360, 360);
            const double distance = std::hypot(want.mm.x(), want.mm.y()) * 1.25;
            const double first = cell(table, row, 4).toDouble();
            const double second = cell(table, row, 5).toDouble();
            if (heliographic) {
                const HeliographicPosition h =
                    polarToHeliographic(e, distance / 125 * 1250, angle * 10);
                QVERIFY(std::abs(std::remainder(first - h.helioLongitude, 360)) <= 0.5 &&
                        std::abs(second - h.helioLatitude) <= 0.5);
            } else {
                QVERIFY(std::abs(first - angle) <= 0.3 && std::abs(second - distance) <= 0.4);
            }
        }
        // The pair's class: within 3 degrees, its outline 2.3 degrees across, round about its
        // core; shown beside one spot of each group.
        if (first + 1 <= 30)
            QCOMPARE(cell(table, first + 1, 1), QStringLiteral("Hsx"));
        QStringList labels;
        for (const ScanSpotMark &m : window->canvas()->overlay().spots)
            labels << m.groupClass;
        labels.sort();
        QCOMPARE(labels, (QStringList{"", "Axx", "Hsx"}));
        // Shown on the scan, nothing stored.
        QCOMPARE(window->canvas()->overlay().spots.size(), size_t(3));
        QVERIFY(store.recordCount() == records && !store.dataModified());
        dialogs.answers = {true}; // thrown away
        dialog->reject();
        QVERIFY(window->entryDialog() == nullptr);
    }

    void spotsEditedByHand() {
        ObservationStore store;
        ScriptedDialogs dialogs;
        const MadeScan made = sheetWithSpots();
        ScanWindow *window = openWindow(store, dialogs, made.image, {900, 700});
        window->canvas()->setZoom(2);
        window->action("najitskvrny")->trigger();
        const auto groupAt = [&](QPointF mm) {
            const QPointF at = made.drawingToImage.map(mm);
            for (const FoundSpot &s : window->spots())
                if (QLineF(s.pixel, at).length() < 3)
                    return s.group;
            return 0;
        };
        QCOMPARE(window->spots().size(), size_t(3));
        QVERIFY(groupAt({-20, -30}) == groupAt({-16, -30}) && groupAt({30, 20}) != 0 &&
                groupAt({30, 20}) != groupAt({-20, -30}));
        // A click on the lone spot takes it out; one on blank paper far from the pair adds a
        // spot of its own group there.
        clickAt(window->canvas(), made.drawingToImage.map(QPointF(30.5, 20)));
        QCOMPARE(window->spots().size(), size_t(2));
        clickAt(window->canvas(), made.drawingToImage.map(QPointF(10, 40)));
        QVERIFY(window->spots().size() == 3 && window->spots().back().areaMm2 == 0);
        QVERIFY(groupAt({10, 40}) != groupAt({-20, -30}));
        // The small spot of the pair dragged onto the added one: its group now.
        window->spotDragged(made.drawingToImage.map(QPointF(-16, -30)),
                            made.drawingToImage.map(QPointF(10, 40)));
        QCOMPARE(groupAt({-16, -30}), groupAt({10, 40}));
        QVERIFY(window->statusText().contains("skupiny: 2"));
        // A click beyond the limb adds nothing.
        clickAt(window->canvas(), made.drawingToImage.map(QPointF(0, -103)));
        QVERIFY(window->spots().size() == 3 && dialogs.shown.size() == 1);
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

    void unreadableCodeByFields() {
        // A sheet of R 70 whose code is covered, in a data set without a drawing's R.
        ObservationStore store;
        ScriptedDialogs dialogs;
        const SheetModel model = sheetOf2001(70);
        QImage page = renderSheet(model, 150).convertToFormat(QImage::Format_Grayscale8);
        QPainter(&page).fillRect(
            sheetDrawingToPage(model, 150).mapRect(model.codeMm.translated(-model.centre)),
            Qt::white);
        ScanWindow *window = openWindow(store, dialogs, page, {600, 500});
        QVERIFY(window->registration().registered() && !window->registration().code);
        QVERIFY(window->statusText().contains("nelze přečíst (terčíky nalezeny)"));
        // The moment and R in the fields make it the sheet it is.
        window->findChild<QLineEdit *>("datumsken")->setText("21.06.2001");
        window->findChild<QLineEdit *>("casken")->setText("0830");
        QVERIFY(!window->registration().programSheet()); // R still not given
        window->findChild<QDoubleSpinBox *>("polomersken")->setValue(70);
        QVERIFY(window->registration().programSheet());
        QVERIFY(*window->registration().code ==
                (SheetCode{model.settings.date, 830, 70, 1, 1, SheetPaper::A4}));
        QVERIFY(window->statusText().contains("platí zadaný okamžik a poloměr R 70 mm"));
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
