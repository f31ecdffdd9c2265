// What protects the data: only regular files are written, locks that recover, true causes
// in messages, leftovers of a killed save removed, damaged bytes set aside once.
#include "data/asciiexport.h"
#include "data/datalock.h"
#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "setasidebytes.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QDate kToday(2026, 12, 8);

// A data directory of two sound records.
void writeTwoRecords(const QString &dir) {
    writeFile(QDir(dir).filePath("data1.dat"),
              recordsBytes({datedRecord("01.01.2000"), datedRecord("02.01.2000")}));
}

} // namespace

class TestSafety : public QObject {
    Q_OBJECT

  private slots:
    // A link in the place of a file the program writes: refused with the file named, the
    // link's target untouched, nothing written.
    void linksAreNotWrittenThrough_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("data1.dat") << "data1.dat";
        QTest::newRow("data1.bak") << "data1.bak";
        QTest::newRow("SoubASCI.dat") << "SoubASCI.dat";
        QTest::newRow("pristroj.dat") << "pristroj.dat";
        QTest::newRow("data1.removed") << "data1.removed";
    }
    void linksAreNotWrittenThrough() {
        QFETCH(QString, link);
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("precious");
        writeFile(target, "precious bytes");
        std::vector<ObservationRecord> records{datedRecord("01.01.2000"), datedRecord("bad")};
        records[0].groupCount = 1; // a line for the export
        if (link == "data1.dat")
            writeFile(target, recordsBytes(records));
        else
            writeFile(dir.filePath("data1.dat"), recordsBytes(records));
        const QByteArray before = readFile(target);
        QVERIFY(QFile::link(target, dir.filePath(link)));

        ObservationStore store(kToday);
        QVERIFY(store.loadStore(dir.path()));
        QString message;
        if (link == "SoubASCI.dat") {
            message = exportAscii(store).message;
        } else if (link == "pristroj.dat") {
            QVERIFY(!writeInstrumentFile(dir.path(), defaultInstrumentLines(), &message));
        } else if (link == "data1.removed") {
            ObservationStore::DamagedData setAside;
            message = store.setAsideDamagedData(&setAside).message;
            QCOMPARE(store.recordCount(), 2); // nothing taken out either
        } else {
            message = store.saveStore().message;
        }
        QVERIFY2(message.contains(link) && message.contains("odkaz"), qPrintable(message));
        QCOMPARE(readFile(target), before);
        QVERIFY(QFileInfo(dir.filePath(link)).isSymLink());
        if (link != "data1.bak")
            QVERIFY(!QFile::exists(dir.filePath("data1.bak")));
    }

    // The backup is the previous file's own bytes, never a second name of the new one.
    // The cause in the observer's words, the system's own after it; a read refused names
    // no write.
    void causesNamed_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("czech");
        QTest::newRow("no space") << ENOSPC << "na disku není místo";
        QTest::newRow("no permission") << EACCES << "chybí oprávnění";
        QTest::newRow("read-only disk") << EROFS << "disk je jen pro čtení";
        QTest::newRow("too large") << EFBIG << "soubor je větší, než systém dovolí";
        QTest::newRow("no such file") << ENOENT << "soubor nebo adresář neexistuje";
        QTest::newRow("a folder") << EISDIR << "je to adresář";
        QTest::newRow("disk error") << EIO << "chyba čtení nebo zápisu na disku";
        QTest::newRow("anything else") << EDOM << "";
    }
    void causesNamed() {
        QFETCH(int, code);
        QFETCH(QString, czech);
        // Found in the system's text as Qt gives it, and by the error number alike; the
        // system's own words only for a cause the program has no words for.
        const QString system = QString::fromLocal8Bit(std::strerror(code));
        const QString message = fileProblemText("/d/data1.dat", "Cannot open: " + system);
        const QString cause = "Cannot open: " + system;
        QCOMPARE(message, "/d/data1.dat: " + (czech.isEmpty() ? cause : czech));
        QCOMPARE(fileProblemText("/d/data1.dat", code),
                 "/d/data1.dat: " + (czech.isEmpty() ? system : czech));
    }

    void backupKeepsThePreviousBytes() {
        QTemporaryDir dir;
        writeTwoRecords(dir.path());
        const QByteArray first = readFile(dir.filePath("data1.dat"));
        ObservationStore store(kToday);
        QVERIFY(store.loadStore(dir.path()));
        store.appendRecord(datedRecord("03.01.2000"));
        QVERIFY(store.saveStore());
        QCOMPARE(readFile(dir.filePath("data1.bak")), first);
        QVERIFY(readFile(dir.filePath("data1.dat")) != first);
    }

    // A file that outgrows what the system allows: the message says so, not "cancelled".
    void failedSaveNamesTheCause() {
        QTemporaryDir dir;
        writeTwoRecords(dir.path());
        ObservationStore store(kToday);
        QVERIFY(store.loadStore(dir.path()));
        for (int i = 0; i < 20; ++i)
            store.appendRecord(datedRecord("03.01.2000"));
        const QByteArray before = readFile(dir.filePath("data1.dat"));
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 10 * kRecordSize;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const StoreStatus saved = store.saveStore();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        QVERIFY2(saved.message.contains("data1.dat") &&
                     saved.message.contains("soubor je větší, než systém dovolí"),
                 qPrintable(saved.message));
        QCOMPARE(readFile(dir.filePath("data1.dat")), before);
    }

    // A kill during a save leaves a temporary copy or an unnamed backup; the next start that
    // holds the lock cleans up, and a missing data1.bak is given back.
    void leftoversOfAKilledSaveAreRemoved() {
        QTemporaryDir dir;
        writeTwoRecords(dir.path());
        writeFile(dir.filePath("data1.dat.orvanek-Ab3xYz"), "a whole temporary copy");
        writeFile(dir.filePath("SoubASCI.dat.orvanek-q1W2e3"), "half an export");
        writeFile(dir.filePath("data1.bak.new"), "the previous data1.dat");
        // The observer's own copies stay, whatever their names look like.
        const QStringList own{"data1.dat.backup", "data1.dat.notes", "data1.dat.zaloha",
                              "pristroj.dat.202405"};
        for (const QString &name : own)
            writeFile(dir.filePath(name), "the observer's own file");
        removeLeftovers(dir.path());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"data1.bak", "data1.dat"}) + own);
        QCOMPARE(readFile(dir.filePath("data1.bak")), QByteArray("the previous data1.dat"));
        // With a backup already there, the unnamed one is only removed.
        writeFile(dir.filePath("data1.bak.new"), "older");
        removeLeftovers(dir.path());
        QCOMPARE(readFile(dir.filePath("data1.bak")), QByteArray("the previous data1.dat"));
        QVERIFY(!QFile::exists(dir.filePath("data1.bak.new")));
    }

    // Unreadable records and a partial record at the end go to data1.removed once, however
    // often the program starts without a normal close in between.
    void damagedDataIsSetAsideOnce() {
        QTemporaryDir dir;
        const ObservationRecord bad = datedRecord("31.02.2001");
        const QByteArray tail = QByteArray(100, '\x5a');
        writeFile(dir.filePath("data1.dat"), recordsBytes({datedRecord("01.01.2000"), bad}) + tail);
        for (int start = 0; start < 3; ++start) {
            ObservationStore store(kToday);
            QVERIFY(store.loadStore(dir.path()));
            ObservationStore::DamagedData setAside;
            QVERIFY(store.setAsideDamagedData(&setAside));
            QCOMPARE(setAside.records, 1);
            QCOMPARE(setAside.trailingBytes, qint64(100));
            QCOMPARE(store.recordCount(), 1);
            QVERIFY(store.dataModified());
        }
        QCOMPARE(setAsideBytes(readFile(dir.filePath("data1.removed"))), recordBytes(bad) + tail);
        // Behind the partial record the file no longer keeps whole records in step: a
        // record set aside later is still found there and not added twice.
        const ObservationRecord later = datedRecord("30.02.2002");
        writeFile(dir.filePath("data1.dat"), recordsBytes({datedRecord("01.01.2000"), later}));
        for (int start = 0; start < 2; ++start) {
            ObservationStore store(kToday);
            QVERIFY(store.loadStore(dir.path()));
            ObservationStore::DamagedData setAside;
            QVERIFY(store.setAsideDamagedData(&setAside));
        }
        QCOMPARE(setAsideBytes(readFile(dir.filePath("data1.removed"))),
                 recordBytes(bad) + tail + recordBytes(later));
    }

    // The directory's lock: held by a running copy it is refused, left by a copy that is
    // gone or damaged by a kill it is taken over, made on another machine it is reported.
    void locks_data() {
        QTest::addColumn<QByteArray>("content"); // of orvanek.lock; empty: held by this test
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("message");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("running copy") << QByteArray() << false << "jiná spuštěná kopie";
        QTest::newRow("copy gone") << "4194000\norvanek\n" + host + "\n" << true << "";
        QTest::newRow("empty file") << QByteArray("\n") << true << "";
        QTest::newRow("unreadable") << QByteArray("\x01\x02garbage") << true << "";
        QTest::newRow("another machine")
            << QByteArray::number(qint64(getpid())) + "\norvanek\nobservatory-pc\n"
            << false << "na počítači observatory-pc";
    }
    void locks() {
        QFETCH(QByteArray, content);
        QFETCH(bool, taken);
        QFETCH(QString, message);
        QTemporaryDir dir;
        DirectoryLock held;
        if (content.isEmpty())
            held = lockDataDirectory(dir.path());
        else
            writeFile(dir.filePath(lockFileName()), content == "\n" ? QByteArray() : content);
        if (!content.isEmpty()) { // left a minute ago
            QFile file(dir.filePath(lockFileName()));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                     QFileDevice::FileModificationTime));
        }
        const DirectoryLock lock = lockDataDirectory(dir.path());
        QCOMPARE(bool(lock), taken);
        QVERIFY(!lock.readOnly);
        QVERIFY2(lock.refusal.contains(message), qPrintable(lock.refusal));
        if (!taken && !content.isEmpty())
            QVERIFY(lock.refusal.contains(lockFileName()));
    }

    // Two copies starting at once: the lock the other one has made but not yet written is
    // waited for, not taken over.
    void lockBeingWrittenIsNotTakenOver() {
        QTemporaryDir dir;
        const QString path = dir.filePath(lockFileName());
        writeFile(path, QByteArray());
        // As the other copy writes it: its process, its program, this machine.
        const QByteArray program =
            QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
        std::thread other([&path, &program] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            writeFile(path, QByteArray::number(qint64(getpid())) + "\n" + program + "\n" +
                                QSysInfo::machineHostName().toUtf8() + "\n");
        });
        const DirectoryLock lock = lockDataDirectory(dir.path());
        other.join();
        QVERIFY(!lock);
        QVERIFY2(lock.refusal.contains("jiná spuštěná kopie"), qPrintable(lock.refusal));
    }
};

ORVANEK_REGISTER_TEST(TestSafety);
#include "tst_safety.moc"
