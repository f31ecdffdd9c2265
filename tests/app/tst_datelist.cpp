// The date list: its lines, its selection and the repair of unreadable dates.
#include "app/datelistwindow.h"
#include "apptesthelpers.h"
#include "scripteddialogs.h"
#include "testregistry.h"

#include <QListView>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

class TestDateList : public QObject {
    Q_OBJECT

  private slots:
    void lines() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        const QDate first(2000, 1, 1);
        for (int i = 0; i < 1000; ++i)
            records.push_back(appRecord(first.addDays(i).toString("dd.MM.yyyy")));
        records[0] = appRecord("8.12.2026"); // read as a date, shown in the list's own form
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);
        QCOMPARE(list.lineCount(), 1000);
        QCOMPARE(list.lineText(0), QStringLiteral("    1     08 12 2026"));
        QCOMPARE(list.lineText(998), QStringLiteral("  999     25 09 2002"));
        QCOMPARE(list.lineText(999), QStringLiteral(" 1000     26 09 2002"));
        QCOMPARE(list.listBox()->model()->data(list.listBox()->model()->index(1, 0)).toString(),
                 QStringLiteral("    2     02 01 2000"));
        // At start nothing is selected and the last record is current.
        QCOMPARE(list.selectedLine(), -1);
        QCOMPARE(store.currentIndex, 999);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void clickSelectsTheRecord() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 5; ++i)
            records.push_back(appRecord(QString("0%1.01.2000").arg(i + 1), uint16_t(100 + i)));
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);
        list.show();
        QListView *view = list.listBox();
        const QRect rect = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(store.currentIndex, 2);
        QCOMPARE(int(store.currentRecord.timeUT), 102);
        QCOMPARE(list.selectedLine(), 2);
        // Clicking the selected line again copies the record from the store again.
        store.currentRecord.timeUT = 1;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(int(store.currentRecord.timeUT), 102);
        // Selecting from elsewhere (the last record) moves the list's selection.
        store.selectRecord(4);
        QCOMPARE(list.selectedLine(), 4);
    }

    void escapeIsPassedOn() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);
        int escapes = 0;
        connect(&list, &DateListWindow::escapePressed, this, [&] { ++escapes; });
        QTest::keyRelease(list.listBox(), Qt::Key_Escape);
        QCOMPARE(escapes, 1);
    }

    void repairRemovesEveryUnreadableRecordInOnePass() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 10; ++i)
            records.push_back(appRecord(QString("%1.03.2001").arg(i + 1), uint16_t(i)));
        records[3] = appRecord("31.02.2001", 3);
        records[7] = appRecord("xx.03.2001", 7);
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);

        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].startsWith("Došlo k chybě zápisu data\rbube automaticky opraven"));
        QVERIFY(dialogs.shown[0].contains("data1.removed"));
        QCOMPARE(fileContent(dir.filePath("data1.removed")), appBytes({records[3], records[7]}));
        QCOMPARE(store.recordCount(), 8);
        QCOMPARE(list.lineCount(), 8);
        QCOMPARE(list.lineText(7), QStringLiteral("    8     10 03 2001"));
        QCOMPARE(list.lineText(3), QStringLiteral("    4     05 03 2001"));
        QVERIFY(store.dataModified);
        QVERIFY(store.closeStore());
        QCOMPARE(fileContent(dir.filePath("data1.dat")).size(), 8 * 1314);
    }

    void repairOfEveryRecordStartsAfresh() {
        QTemporaryDir dir;
        writeDataFile(dir.path(), {appRecord("bad"), appRecord("")});
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(readText(store.record(1).dateText), QDate::currentDate().toString("dd.MM.yyyy"));
        QCOMPARE(list.lineCount(), 1);
        QCOMPARE(fileContent(dir.filePath("data1.removed")).size(), 2 * 1314);
    }

    void closeIsRefusedWhilePinned() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        DateListWindow list(store, dialogs);
        list.show();
        list.setViewsPinned(true);
        QVERIFY(!list.close());
        list.setViewsPinned(false);
        QVERIFY(list.close());
    }
};

ORVANEK_REGISTER_TEST(TestDateList);
#include "tst_datelist.moc"
