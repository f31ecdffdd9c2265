// The notice after a commit: a correction typed with a slip lists the group in the panel
// under the views without asking anything, stores the record as typed, and a click on the
// line shows the drawing; a commit without a slip takes the panel away.
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "entry/entrydialog.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "trackedgroups.h"
#include "widgettests.h"

#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// Group 15 of 14.06.2024 (the tracked groups' day 4), 33 degrees west of the meridian on
// the equator: 10 degrees of angle move it 5.4 degrees along the meridian.
constexpr int kSlipDay = 4;
constexpr int kSlipGroup = 15;
constexpr int kAngleColumn = 3; // "úhel", the 4th column of the grid

struct Shell {
    explicit Shell(const QString &dir)
        : window(store, dialogs, dir, [](ObservationStore &, Dialogs &, QWidget *) {}) {}
    ObservationStore store;
    ScriptedDialogs dialogs;
    MainWindow window;
};

// Opens the correction of the day's record, adds `degrees` to the group's angle cell and
// confirms.
void correctAngle(MainWindow &window, ObservationStore &store, int day, double degrees) {
    store.selectRecord(day);
    window.opravaClick();
    EntryDialog *dialog = window.entryDialog();
    QVERIFY(dialog);
    auto *grid = dialog->findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
    QTableWidgetItem *cell = grid->item(trackedSlot(day, kSlipGroup) - 1, kAngleColumn);
    cell->setText(QString::number(std::fmod(cell->text().toDouble() + degrees + 360, 360), 'f', 1));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("ukoncit")), Qt::LeftButton);
}

} // namespace

class TestPositionNotice : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void slipIsListedAndMendedAway() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records = trackedRecords();
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        const int slot = trackedSlot(kSlipDay, kSlipGroup);
        const uint16_t typedAngle = records[kSlipDay].group(slot).angle;

        correctAngle(window, store, kSlipDay, 10);
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('|'))); // nothing asked
        QTRY_VERIFY(!window.entryDialog());
        QCOMPARE(store.record(kSlipDay + 1).group(slot).angle, uint16_t((typedAngle + 100) % 3600));
        const QStringList notices = window.positionNotices();
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices[0].startsWith(QStringLiteral("Skupina 15: o ")), qPrintable(notices[0]));
        QVERIFY2(notices[0].endsWith(QStringLiteral(" jinde, než čekám podle 11., 12., 13., 15. a "
                                                    "16.06.")),
                 qPrintable(notices[0]));
        auto *panel = window.findChild<QDockWidget *>(QStringLiteral("polohaskupin"));
        QVERIFY(panel->windowTitle().contains(QStringLiteral("14.06.2024")));

        // A click on the line shows the drawing again, from wherever the observer has gone.
        store.selectRecord(0);
        QListWidget *list = window.positionList();
        const QRect line = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
        QCOMPARE(store.currentIndex(), kSlipDay);

        correctAngle(window, store, kSlipDay, -10);
        QTRY_VERIFY(!window.entryDialog());
        QCOMPARE(store.record(kSlipDay + 1).group(slot).angle, typedAngle);
        QVERIFY(window.positionNotices().isEmpty());
        QVERIFY(panel->isHidden());
    }
};

ORVANEK_REGISTER_TEST(TestPositionNotice);
#include "tst_positionnotice.moc"
