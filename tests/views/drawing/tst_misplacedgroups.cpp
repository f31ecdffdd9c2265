// A group that the drawings of the days around place elsewhere: its number in red and a red
// ring where it should have been, in the model, the picture and the window.
#include "data/observationstore.h"
#include "scripteddialogs.h"
#include "trackedgroups.h"
#include "views/drawing/drawingpainter.h"
#include "views/drawing/drawingwindow.h"
#include "viewtesthelpers.h"
#include "widgettests.h"

#include <QTest>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// Group 15 of 14.06.2024 typed 10 degrees round (the tracked groups' day 4).
constexpr int kSlipDay = 4;
const int kSlipSlot = trackedSlot(kSlipDay, 15);

std::unique_ptr<ObservationStore> storeWithSlip() {
    auto store = std::make_unique<ObservationStore>(QDate(2026, 12, 8));
    std::vector<ObservationRecord> records = trackedRecords();
    records[kSlipDay].group(kSlipSlot).angle += 100;
    store->appendRecords(records);
    store->setDrawingSetup(125, false);
    return store;
}

DrawingSettings settings(int orientX, int orientY) {
    DrawingSettings s;
    s.drawingRadius = 125;
    s.orientX = orientX;
    s.orientY = orientY;
    return s;
}

bool isRed(QColor c) {
    return c.red() > 180 && c.green() < 80 && c.blue() < 80;
}

// The column cell of the rotation group numbers under the disk.
QRect rotationNumberCell(int slot) {
    return {38 * slot + 30, 638, 36, 14};
}

} // namespace

class TestMisplacedGroups : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    // The ring stands where the group's circle stands on the drawing as it should have been
    // typed, whichever way the view is turned.
    void ringWhereTheGroupShouldBe_data() {
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::newRow("west right, north up") << 1 << 1;
        QTest::newRow("after vyza") << -1 << 1;
        QTest::newRow("after seji") << 1 << -1;
    }
    void ringWhereTheGroupShouldBe() {
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        const auto store = storeWithSlip();
        const DrawingModel m = buildCheckedDrawingModel(*store, store->record(kSlipDay + 1),
                                                        settings(orientX, orientY));
        const GroupMarker truth =
            groupMarkerLayout(trackedRecords()[kSlipDay], 125, orientX, orientY)[kSlipSlot - 1];
        const QPoint should(truth.x + truth.r, truth.y + truth.r);
        for (const DrawingGroup &g : m.groups) {
            QCOMPARE(g.misplaced, g.slot == kSlipSlot);
            if (!g.misplaced)
                continue;
            QVERIFY2((g.expectedCentre - should).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1,%2 for %3,%4")
                                    .arg(g.expectedCentre.x())
                                    .arg(g.expectedCentre.y())
                                    .arg(should.x())
                                    .arg(should.y())));
            // and not where the slipped group itself is drawn
            const QPoint drawn(g.marker.x + g.marker.r, g.marker.y + g.marker.r);
            QVERIFY((drawn - should).manhattanLength() > 20);
        }

        const QImage image = renderDrawing(m);
        const QPoint c = m.groups[kSlipSlot - 1].expectedCentre;
        QVERIFY(countPixels(image, QRect(c - QPoint(8, 8), QSize(17, 17)), isRed) > 20);
        QCOMPARE(countPixels(image, QRect(c - QPoint(2, 2), QSize(5, 5)), isRed), 0); // a ring
        QVERIFY(countPixels(image, rotationNumberCell(kSlipSlot), isRed) > 0);
        QCOMPARE(countPixels(image, rotationNumberCell(kSlipSlot), isDark), 0);
        const int other = kSlipSlot == 1 ? 2 : 1;
        QVERIFY(countPixels(image, rotationNumberCell(other), isDark) > 0);
        QCOMPARE(countPixels(image, rotationNumberCell(other), isRed), 0);
    }

    // The day before, every group where the days around expect it: nothing red anywhere.
    void nothingRedWhereNothingIsFound() {
        const auto store = storeWithSlip();
        const DrawingModel m =
            buildCheckedDrawingModel(*store, store->record(kSlipDay), settings(1, 1));
        QCOMPARE(countPixels(renderDrawing(m), QRect(0, 0, 900, 700), isRed), 0);
    }

    // The view marks the current record's groups, and follows another choice of record.
    void windowMarksTheCurrentRecord() {
        const auto store = storeWithSlip();
        ScriptedDialogs dialogs;
        DrawingWindow window(*store, dialogs);
        store->selectRecord(kSlipDay);
        QVERIFY(window.currentModel().groups.at(kSlipSlot - 1).misplaced);
        store->selectRecord(kSlipDay + 1);
        for (const DrawingGroup &g : window.currentModel().groups)
            QVERIFY(!g.misplaced);
    }
};

ORVANEK_REGISTER_TEST(TestMisplacedGroups);
#include "tst_misplacedgroups.moc"
