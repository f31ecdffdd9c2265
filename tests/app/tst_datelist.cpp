// The date list: its lines and its selection.
#include "app/datelistwindow.h"
#include "apptesthelpers.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QListView>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

class TestDateList : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void lines() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        const QDate first(2000, 1, 1);
        for (int i = 0; i < 1000; ++i)
            records.push_back(datedRecord(first.addDays(i).toString("dd.MM.yyyy")));
        records[0] = datedRecord("8.12.2026"); // read as a date, shown in the list's own form
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        DateListWindow list(store);
        QCOMPARE(list.lineCount(), 1000);
        QCOMPARE(list.lineText(0), QStringLiteral("    1     08 12 2026"));
        QCOMPARE(list.lineText(998), QStringLiteral("  999     25 09 2002"));
        QCOMPARE(list.lineText(999), QStringLiteral(" 1000     26 09 2002"));
        QCOMPARE(list.listBox()->model()->data(list.listBox()->model()->index(1, 0)).toString(),
                 QStringLiteral("    2     02 01 2000"));
        // At start the last record is current and its line is selected.
        QCOMPARE(store.currentIndex(), 999);
        QCOMPARE(list.selectedLine(), 999);
    }

    // Up and Down move from the record on screen, not from the top of the list.
    void keysMoveFromTheShownRecord() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 10; ++i)
            records.push_back(datedRecord(QString("%1.01.2000").arg(i + 1)));
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        DateListWindow list(store);
        list.show();
        QTest::keyClick(list.listBox(), Qt::Key_Up);
        QCOMPARE(store.currentIndex(), 8);
        store.selectRecord(4); // chosen elsewhere, e.g. from the map
        QTest::keyClick(list.listBox(), Qt::Key_Down);
        QCOMPARE(store.currentIndex(), 5);
    }

    void clickSelectsTheRecord() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 5; ++i)
            records.push_back(datedRecord(QString("0%1.01.2000").arg(i + 1), uint16_t(100 + i)));
        writeDataFile(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        DateListWindow list(store);
        list.show();
        QListView *view = list.listBox();
        const QRect rect = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(store.currentIndex(), 2);
        QCOMPARE(int(store.currentRecord().timeUT), 102);
        QCOMPARE(list.selectedLine(), 2);
        // Clicking the selected line again copies the record from the store again.
        ObservationRecord shown = store.currentRecord();
        shown.timeUT = 1;
        store.setWorkingRecord(shown);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(int(store.currentRecord().timeUT), 102);
        // Selecting from elsewhere (the last record) moves the list's selection.
        store.selectRecord(4);
        QCOMPARE(list.selectedLine(), 4);
    }

    void escapeIsPassedOn() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        DateListWindow list(store);
        int escapes = 0;
        connect(&list, &DateListWindow::escapePressed, this, [&] { ++escapes; });
        QTest::keyRelease(list.listBox(), Qt::Key_Escape);
        QCOMPARE(escapes, 1);
    }

    void closeIsRefusedWhilePinned() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path()));
        DateListWindow list(store);
        list.show();
        list.setViewsPinned(true);
        QVERIFY(!list.close());
        list.setViewsPinned(false);
        QVERIFY(list.close());
    }
};

ORVANEK_REGISTER_TEST(TestDateList);
#include "tst_datelist.moc"
