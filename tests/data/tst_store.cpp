// Loading, saving, sorting and the small files beside data1.dat.
#include "data/codepage1250.h"
#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "setasidebytes.h"
#include "testhelpers.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
const QDate kToday(2026, 12, 8);

void writeRecords(const QString &dir, const std::vector<ObservationRecord> &records) {
    writeFile(QDir(dir).filePath(QStringLiteral("data1.dat")), recordsBytes(records));
}
} // namespace

class TestStore : public QObject {
    Q_OBJECT

  private slots:
    void withoutDataFileOnePlaceholderRecord() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(store.currentIndex(), 0);
        ObservationRecord expected = datedRecord(QStringLiteral("08.12.2026"), 0);
        QCOMPARE(recordBytes(store.record(1)), recordBytes(expected));
        QCOMPARE(recordBytes(store.currentRecord()), recordBytes(expected));
        QVERIFY(!store.applyDrawingSetup(store.record(1).drawingSetup));
        QVERIFY(!store.hasDrawingSetup());
    }

    // A record that carries only its date (and record 1's drawing setup) is the placeholder,
    // also as saved; one byte anywhere else makes an observation of it. The bytes chosen lie
    // at the edges of the parts the rule leaves out (offsets in the record's layout).
    void placeholderIsRecognisedByItsBytes_data() {
        QTest::addColumn<int>("offset"); // -1: none set
        QTest::addColumn<bool>("placeholder");
        QTest::newRow("date alone") << -1 << true;
        QTest::newRow("drawing setup, high byte") << 127 << true;
        QTest::newRow("conditions, first byte after the date") << 11 << false;
        QTest::newRow("special mark's last byte, before the setup") << 125 << false;
        QTest::newRow("first slot, after the setup") << 128 << false;
        QTest::newRow("summary's last byte") << 1313 << false;
    }
    void placeholderIsRecognisedByItsBytes() {
        QFETCH(int, offset);
        QFETCH(bool, placeholder);
        ObservationRecord r = datedRecord(QStringLiteral("08.12.2026"), 0);
        if (offset >= 0)
            reinterpret_cast<unsigned char *>(&r)[offset] = 1;
        QCOMPARE(isPlaceholderRecord(r), placeholder);
    }

    void shortFilesAreLikeNoFileButKeptInTheBackup_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("1000 bytes") << 1000;
        QTest::newRow("1313 bytes") << 1313;
    }
    void shortFilesAreLikeNoFileButKeptInTheBackup() {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QByteArray old = oddBytes(size, 7);
        writeFile(dir.filePath("data1.dat"), old);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(readText(store.record(1).dateText), QStringLiteral("08.12.2026"));
        QCOMPARE(store.trailingBytes(), qint64(size));
        store.applyDrawingSetup(125);
        QVERIFY(store.saveStore());
        QCOMPARE(readFile(dir.filePath("data1.bak")), old);
        QCOMPARE(readFile(dir.filePath("data1.dat")).size(), 1314);
        // The bytes the save left out are also in data1.removed, so the next save, which
        // replaces data1.bak, loses nothing.
        QCOMPARE(QFile::exists(dir.filePath("data1.removed")), size > 0);
        if (size > 0)
            QCOMPARE(setAsideBytes(readFile(dir.filePath("data1.removed"))), old);
    }

    void loadSaveIsByteExact() {
        // Odd bytes everywhere: reserved word, text bytes past their lengths, lengths above
        // the maximum, slots past the counts, counts above 30. Only the special mark must
        // sort before "zvl" so that loading leaves it alone.
        QTemporaryDir dir;
        QByteArray file = oddBytes(1314 * 25, 42);
        for (int r = 0; r < 25; ++r) {
            char *rec = file.data() + r * 1314;
            std::memcpy(rec,
                        "\x0a"
                        "01.01.2000",
                        11);
            rec[86] = static_cast<char>(r % 3 == 0 ? 0 : 5);
            rec[87] = 'a';
        }
        writeFile(dir.filePath("data1.dat"), file);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.recordCount(), 25);
        QCOMPARE(store.currentIndex(), 24);
        QCOMPARE(recordBytes(store.currentRecord()), file.right(1314));
        store.applyDrawingSetup(store.record(1).drawingSetup);
        QVERIFY(store.saveStore());
        QCOMPARE(readFile(dir.filePath("data1.dat")), file);
    }

    void setupIsWrittenIntoRecord1_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<int>("stored");
        QTest::newRow("polar 125") << 125.0 << false << 125;
        QTest::newRow("heliographic 125") << 125.0 << true << 1125;
        QTest::newRow("polar 62.5 rounds to even") << 62.5 << false << 62;
        QTest::newRow("polar 100") << 100.0 << false << 100;
    }
    void setupIsWrittenIntoRecord1() {
        QFETCH(double, radius);
        QFETCH(bool, heliographic);
        QFETCH(int, stored);
        QTemporaryDir dir;
        writeRecords(dir.path(), {datedRecord("01.01.2000"), datedRecord("02.01.2000")});
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        store.setDrawingSetup(radius, heliographic);
        QVERIFY(store.saveStore());
        const QByteArray saved = readFile(dir.filePath("data1.dat"));
        QCOMPARE(int(static_cast<unsigned char>(saved[126]) |
                     (static_cast<unsigned char>(saved[127]) << 8)),
                 stored);
        // Only record 1 carries the setup.
        QCOMPARE(saved.mid(1314 + 126, 2), QByteArray(2, '\0'));

        ObservationStore again;
        QVERIFY(again.loadStore(dir.path(), kToday));
        QVERIFY(again.applyDrawingSetup(again.record(1).drawingSetup));
        QCOMPARE(again.heliographicEntry(), heliographic);
    }

    void setupValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("known");
        QTest::addColumn<double>("radius");
        QTest::addColumn<bool>("heliographic");
        QTest::newRow("unset") << 0 << false << 0.0 << false;
        QTest::newRow("polar") << 125 << true << 125.0 << false;
        QTest::newRow("heliographic") << 1125 << true << 125.0 << true;
        QTest::newRow("exactly 1000 is polar") << 1000 << true << 1000.0 << false;
        QTest::newRow("1001") << 1001 << true << 1.0 << true;
    }
    void setupValues() {
        QFETCH(int, value);
        QFETCH(bool, known);
        QFETCH(double, radius);
        QFETCH(bool, heliographic);
        ObservationStore store;
        QCOMPARE(store.applyDrawingSetup(static_cast<uint16_t>(value)), known);
        QCOMPARE(store.drawingRadius(), radius);
        QCOMPARE(store.heliographicEntry(), heliographic);
    }

    void closeWritesOnlyWhenModified() {
        QTemporaryDir dir;
        const std::vector<ObservationRecord> records{datedRecord("01.01.2000")};
        writeRecords(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        store.applyDrawingSetup(125);
        QVERIFY(store.closeStore());
        QCOMPARE(readFile(dir.filePath("data1.dat")), recordsBytes(records));
        QVERIFY(!QFile::exists(dir.filePath("data1.bak")));
        QCOMPARE(int(store.record(1).drawingSetup), 125); // in memory all the same
        store.setModified(true);
        QVERIFY(store.closeStore());
        QCOMPARE(int(readFile(dir.filePath("data1.dat"))[126]), 125);
        QCOMPARE(readFile(dir.filePath("data1.bak")), recordsBytes(records));
    }

    void backupHoldsThePreviousSave() {
        QTemporaryDir dir;
        writeRecords(dir.path(), {datedRecord("01.01.2000", 1)});
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        store.applyDrawingSetup(125);
        QVERIFY(store.saveStore());
        const QByteArray first = readFile(dir.filePath("data1.dat"));
        store.appendRecord(datedRecord("02.01.2000", 2));
        QVERIFY(store.saveStore());
        QCOMPARE(readFile(dir.filePath("data1.bak")), first);
        QCOMPARE(readFile(dir.filePath("data1.dat")).size(), 2 * 1314);
    }

    void saveFailureIsReported() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        store.setDataDirectory(dir.filePath("no/such/folder"));
        const StoreStatus status = store.saveStore();
        QVERIFY(!status.ok);
        QVERIFY(!status.message.isEmpty());
    }

    void storeGrowsBeyondTheSpareRoom() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        for (int i = 0; i < 450; ++i)
            store.appendRecord(datedRecord("09.12.2026", static_cast<uint16_t>(i)));
        QCOMPARE(store.recordCount(), 451);
        QCOMPARE(int(store.record(451).timeUT), 449);
        store.applyDrawingSetup(125);
        QVERIFY(store.saveStore());
        QCOMPARE(readFile(dir.filePath("data1.dat")).size(), 451 * 1314);
    }

    void specialMarks_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("canonical") << encode1250(specialMarkText()) << specialMarkText();
        QTest::newRow("without accents") << QByteArray("zvlastni") << specialMarkText();
        QTest::newRow("zvl alone stays") << QByteArray("zvl") << QStringLiteral("zvl");
        QTest::newRow("before zvl stays") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("zvk stays") << QByteArray("zvkx") << QStringLiteral("zvkx");
        QTest::newRow("after zvl") << QByteArray("zz") << specialMarkText();
        QTest::newRow("upper case sorts before")
            << QByteArray("ZVLASTNI") << QStringLiteral("ZVLASTNI");
        QTest::newRow("high bytes sort after") << QByteArray("\xe1") << specialMarkText();
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void specialMarks() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, loaded);
        ObservationRecord r = datedRecord("01.01.2000");
        r.specialMark.length = static_cast<uint8_t>(stored.size());
        std::memcpy(r.specialMark.chars, stored.constData(), stored.size());
        QTemporaryDir dir;
        writeRecords(dir.path(), {r});
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(readText(store.record(1).specialMark), loaded);
        QCOMPARE(store.record(1).isSpecial(), !loaded.isEmpty());
    }

    void observerNames() {
        std::vector<ObservationRecord> records;
        records.push_back(datedRecord("01.01.2000", 0, "Novák"));
        records.push_back(datedRecord("01.01.2000", 0, "novák")); // differs in case: a second name
        records.push_back(datedRecord("01.01.2000", 0, ""));      // never collected
        records.push_back(datedRecord("01.01.2000", 0, "Novák")); // known already
        for (int i = 3; i <= 31; ++i)
            records.push_back(
                datedRecord("01.01.2000", 0, QStringLiteral("Pozorovatel %1").arg(i)));
        QTemporaryDir dir;
        writeRecords(dir.path(), records);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.observerNames()[0], QStringLiteral("Novák"));
        QCOMPARE(store.observerNames()[1], QStringLiteral("novák"));
        QCOMPARE(store.observerNames()[2], QStringLiteral("Pozorovatel 3"));
        QCOMPARE(store.observerNames()[28], QStringLiteral("Pozorovatel 29"));
        // At most 29 names at load; slot 30 stays free for the entry dialog.
        QVERIFY(store.observerNames()[29].isEmpty());
        QVERIFY(store.collectObserver("Nový", kObserverSlots));
        QCOMPARE(store.observerNames()[29], QStringLiteral("Nový"));
    }

    void motfakulBlock() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.butterflyBlock(), QByteArray(25000, '\0'));
        writeFile(dir.filePath("Motfakul.dat"), QByteArray("\x01\x02\x03"));
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.butterflyBlock().size(), 25000);
        QCOMPARE(store.butterflyBlock().left(4), QByteArray("\x01\x02\x03\x00", 4));
        const QByteArray big = oddBytes(30000, 3);
        writeFile(dir.filePath("Motfakul.dat"), big);
        QVERIFY(store.loadStore(dir.path(), kToday));
        QCOMPARE(store.butterflyBlock(), big.left(25000));
    }

    void selectRecordCopiesAndSignals() {
        QTemporaryDir dir;
        writeRecords(dir.path(), {datedRecord("01.01.2000", 1), datedRecord("02.01.2000", 2)});
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), kToday));
        QSignalSpy spy(&store, &ObservationStore::currentRecordChanged);
        store.selectRecord(0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(int(store.currentRecord().timeUT), 1);
        ObservationRecord shown = store.currentRecord();
        shown.timeUT = 99;
        store.setWorkingRecord(shown);
        QCOMPARE(int(store.currentRecord().timeUT), 99);
        store.selectRecord(0); // the same line again: copied from the store again
        QCOMPARE(int(store.currentRecord().timeUT), 1);
        store.selectRecord(5); // out of range: nothing changes
        QCOMPARE(store.currentIndex(), 0);
    }

    void sortNeedsMoreThanTwoRecords() {
        ObservationStore store;
        store.appendRecord(datedRecord("05.01.2000", 1));
        store.appendRecord(datedRecord("01.01.2000", 2));
        QVERIFY(store.sortByDate());
        QCOMPARE(int(store.record(1).timeUT), 1);
        store.appendRecord(datedRecord("03.01.2000", 3));
        QVERIFY(store.sortByDate());
        QCOMPARE(int(store.record(1).timeUT), 2);
        QCOMPARE(int(store.record(2).timeUT), 3);
        QCOMPARE(int(store.record(3).timeUT), 1);
    }

    void sortIsStableAndByCalendarDate() {
        ObservationStore store;
        // As text "02.01.2000" sorts before "31.12.1999"; as dates it is later.
        const char *dates[] = {"02.01.2000", "31.12.1999", "02.01.2000", "1.1.2000",
                               "31.12.1999", "02.01.2000", "15.06.1998", "01.01.2000"};
        for (int i = 0; i < 8; ++i)
            store.appendRecord(datedRecord(dates[i], static_cast<uint16_t>(i)));
        QVERIFY(store.sortByDate());
        QList<int> order;
        for (int n = 1; n <= 8; ++n)
            order << store.record(n).timeUT;
        QCOMPARE(order, (QList<int>{6, 1, 4, 3, 7, 0, 2, 5}));
    }

    void manyRecordsOutOfOrderSortStably() {
        // Enough disorder for the sort through an index; the result must still be the
        // order of dates with the original order kept within each date.
        ObservationStore store;
        std::vector<std::pair<int, int>> expected; // (day, tag)
        uint32_t x = 12345;
        for (int tag = 0; tag < 300; ++tag) {
            x = x * 1103515245u + 12345u;
            const int day = 1 + static_cast<int>((x >> 16) % 20);
            store.appendRecord(
                datedRecord(QStringLiteral("%1.03.2001").arg(day), static_cast<uint16_t>(tag)));
            expected.push_back({day, tag});
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        QVERIFY(store.sortByDate());
        for (int n = 1; n <= 300; ++n)
            QCOMPARE(int(store.record(n).timeUT), expected[static_cast<size_t>(n - 1)].second);
    }

    void appendedRecordGoesBehindItsDate() {
        ObservationStore store;
        for (int i = 0; i < 5; ++i)
            store.appendRecord(
                datedRecord(QStringLiteral("0%1.01.2000").arg(i + 1), static_cast<uint16_t>(i)));
        store.appendRecord(datedRecord("03.01.2000", 99));
        QVERIFY(store.sortByDate());
        QCOMPARE(int(store.record(3).timeUT), 2);
        QCOMPARE(int(store.record(4).timeUT), 99);
        QCOMPARE(int(store.record(5).timeUT), 3);
    }

    void unreadableDateRefusesTheSort() {
        ObservationStore store;
        store.appendRecord(datedRecord("05.01.2000", 0));
        store.appendRecord(datedRecord("03.01.2000", 1));
        store.appendRecord(datedRecord("31.02.2000", 2));
        store.appendRecord(datedRecord("01.01.2000", 3));
        const QByteArray before = recordsBytes(store.records());
        const StoreStatus status = store.sortByDate();
        QVERIFY(!status.ok);
        QVERIFY(status.message.contains("3"));
        QCOMPARE(recordsBytes(store.records()), before);
    }

    void removeRecord() {
        ObservationStore store;
        for (int i = 0; i < 4; ++i)
            store.appendRecord(datedRecord("01.01.2000", static_cast<uint16_t>(i)));
        store.selectRecord(3);
        store.removeRecord(2);
        QCOMPARE(store.recordCount(), 3);
        QCOMPARE(int(store.record(2).timeUT), 2);
        QCOMPARE(store.currentIndex(), 2);
    }

    // The other line ends a pristroj.dat may have been saved with (CR LF is tested below):
    // CR alone from an old Mac, LF alone from Unix; a blank line is an empty line.
    void instrumentFileLineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR") << QByteArray("Hv\rRefraktor\r\r18\r1200\rBrno\r");
        QTest::newRow("LF") << QByteArray("Hv\nRefraktor\n\n18\n1200\nBrno");
    }
    void instrumentFileLineEnds() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        writeFile(dir.filePath("pristroj.dat"), bytes);
        InstrumentLines lines;
        QVERIFY(readInstrumentFile(dir.path(), lines));
        QCOMPARE(lines, (InstrumentLines{"Hv", "Refraktor", "", "18", "1200", "Brno"}));
    }

    void instrumentFile() {
        QTemporaryDir dir;
        InstrumentLines lines;
        QVERIFY(readInstrumentFile(dir.path(), lines));
        QCOMPARE(lines, defaultInstrumentLines());
        QCOMPARE(lines[1], QStringLiteral("Přístroj"));
        QCOMPARE(lines[4], QStringLiteral("1350"));
        QVERIFY(!QFile::exists(dir.filePath("pristroj.dat"))); // not created by reading

        writeFile(dir.filePath("pristroj.dat"), "Hv\xec"
                                                "zd\xe1rna\r\nRefraktor\r\n80\r\n");
        QVERIFY(readInstrumentFile(dir.path(), lines));
        QCOMPARE(lines[0], QStringLiteral("Hvězdárna"));
        QCOMPARE(lines[2], QStringLiteral("80"));
        QVERIFY(lines[3].isEmpty());
        QVERIFY(lines[5].isEmpty());

        lines[5] = QStringLiteral("Žďár");
        QVERIFY(writeInstrumentFile(dir.path(), lines));
        QCOMPARE(readFile(dir.filePath("pristroj.dat")),
                 QByteArray("Hv\xec"
                            "zd\xe1rna\r\nRefraktor\r\n80\r\n\r\n\r\n\x8e\xef\xe1r\r\n"));
        // A pasted line break would shift every later line: refused, the file as it was.
        const QByteArray before = readFile(dir.filePath("pristroj.dat"));
        for (const char *pasted : {"Hvězdárna\nVM", "Refraktor\r"}) {
            InstrumentLines broken = lines;
            broken[1] = QString::fromUtf8(pasted);
            QString message;
            QVERIFY(!writeInstrumentFile(dir.path(), broken, &message));
            QVERIFY2(message.contains("pristroj.dat") && message.contains("\\x"),
                     qPrintable(message));
            QCOMPARE(readFile(dir.filePath("pristroj.dat")), before);
        }
    }
};

ORVANEK_REGISTER_TEST(TestStore);
#include "tst_store.moc"
