// A correction typing group 15's angle of 28.06.2024 10 degrees round is stored as typed and
// listed under the views; a click on the line shows the drawing, with the group's number in
// red and a ring where it belongs, however turned. The correction that mends it ends the list.
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "entry/entrydialog.h"
#include "imageprobes.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "trackedgroups.h"
#include "views/drawing/drawingpainter.h"
#include "views/drawing/drawingwindow.h"
#include "widgettests.h"

#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

class TestPositionNotice : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void slipIsListedMarkedAndMendedAway() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records = trackedRecords();
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        ObservationStore store;
        ScriptedDialogs dialogs;
        MainWindow window(store, dialogs, dir.path(), {});
        QVERIFY(window.FormCreate(false));
        window.createViews();
        const int slot = trackedSlot(4, 15);
        const uint16_t drawn = records[4].group(slot).angle;
        for (const int turn : {10, -10}) {
            store.selectRecord(4);
            window.opravaClick();
            auto *grid = window.entryDialog()->findChild<QTableWidget *>("StringGrid1");
            QTableWidgetItem *angle = grid->item(slot - 1, 3); // "úhel"
            angle->setText(QString::number(std::fmod(angle->text().toDouble() + turn + 360, 360)));
            QTest::mouseClick(window.entryDialog()->findChild<QPushButton *>("ukoncit"),
                              Qt::LeftButton);
            QTRY_VERIFY(!window.entryDialog());
            QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('|')));
            QCOMPARE(store.record(5).group(slot).angle, turn > 0 ? (drawn + 100) % 3600 : drawn);
            if (turn < 0) {
                QVERIFY(window.positionNotices().isEmpty());
                QVERIFY(!window.drawing()->currentModel().groups.at(slot - 1).misplaced);
                break;
            }
            const QStringList notices = window.positionNotices();
            QCOMPARE(notices.size(), 1);
            QVERIFY2(notices[0].contains(QRegularExpression(
                         "^Skupina 15: o \\d+,\\d° v šířce jinde, než čekám podle 25\\., 26\\., "
                         "27\\., 29\\. a 30\\.06\\.$")),
                     qPrintable(notices[0]));
            store.selectRecord(0);
            QListWidget *list = window.positionList();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QCOMPARE(store.currentIndex(), 4);

            for (int step = 0; step < 3; ++step) { // as drawn, after vyza, after seji too
                const DrawingModel m = window.drawing()->currentModel();
                const GroupMarker truth = groupMarkerLayout(records[4], 125, m.settings.orientX,
                                                            m.settings.orientY)[slot - 1];
                const QPoint ring = m.groups.at(slot - 1).expectedCentre;
                QVERIFY((ring - QPoint(truth.x + truth.r, truth.y + truth.r)).manhattanLength() <=
                        2);
                const QImage image = renderDrawing(m);
                auto isRed = [](QColor c) {
                    return c.red() > 180 && c.green() < 80 && c.blue() < 80;
                };
                QVERIFY(countPixels(image, QRect(ring - QPoint(8, 8), QSize(17, 17)), isRed) > 20);
                QCOMPARE(countPixels(image, QRect(ring - QPoint(2, 2), QSize(5, 5)), isRed), 0);
                QVERIFY(countPixels(image, QRect(38 * slot + 30, 638, 36, 14), isRed) > 0);
                QCOMPARE(countPixels(image, QRect(68, 638, 36, 14), isRed), 0); // row 1
                step == 0 ? window.drawing()->vyzaClick() : window.drawing()->sejiClick();
            }
        }
    }
};

ORVANEK_REGISTER_TEST(TestPositionNotice);
#include "tst_positionnotice.moc"
