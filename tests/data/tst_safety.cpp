// What protects the data: only regular files are written, locks that recover, true causes
// in messages, leftovers of a killed save removed, damaged bytes set aside once.
#include "data/asciiexport.h"
#include "data/datalock.h"
#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "data/setaside.h"
#include "setasidebytes.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
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

    // Larger than the computer's memory: refused before a byte is allocated (a sparse file
    // takes no room on the disk).
    void dataFileBeyondMemoryIsRefused() {
        QTemporaryDir dir;
        QFile file(dir.filePath("data1.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(largestDataFileBytes() + kRecordSize));
        file.close();
        ObservationStore store(kToday);
        const StoreStatus loaded = store.loadStore(dir.path());
        QVERIFY(!loaded);
        QVERIFY2(loaded.message.contains("data1.dat") && loaded.message.contains("MB"),
                 qPrintable(loaded.message));
        QCOMPARE(store.recordCount(), 0);
    }

    // A lock of a copy that is gone, being taken over by another copy at this moment: the
    // refusal names the copy that holds the lock now, never the one that is gone.
    void staleLockTakenOverByAnotherCopy() {
        QTemporaryDir dir;
        const QString path = dir.filePath(lockFileName());
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        writeFile(path, "4194000\norvanek\n" + host + "\n");
        // The other copy is removing the stale lock: it holds the removal lock, so this
        // copy can neither remove it nor take it.
        QLockFile removing(path + ".rmlock");
        QVERIFY(removing.tryLock(0));
        // Its own lock takes the stale one's place in one step (a second name of it renamed
        // over the stale file): there is no moment without a lock for this copy to take.
        QLockFile other(path + ".other");
        const QByteArray name = QFile::encodeName(path), second = name + ".new";
        std::thread otherCopy([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            other.tryLock(0);
            ::link(QFile::encodeName(other.fileName()).constData(), second.constData());
            std::rename(second.constData(), name.constData());
            removing.unlock();
        });
        const DirectoryLock lock = lockDataDirectory(dir.path());
        otherCopy.join();
        QVERIFY(!lock);
        QVERIFY2(lock.refusal.contains(QStringLiteral("(proces %1)").arg(getpid())) &&
                     !lock.refusal.contains("4194000"),
                 qPrintable(lock.refusal));
    }

    // A file of two names (a hard link to a file elsewhere) is replaced, never written
    // into: the other name keeps its bytes. A file the observer made read-only (chmod 444,
    // the folder writable) is not replaced at all; a read-only data1.dat makes the data set
    // read-only, with the reason.
    void writtenFilesAreReplacedOrRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly"); // else a hard link to a file elsewhere
        QTest::newRow("data1.removed, a hard link") << "data1.removed" << false;
        QTest::newRow("data1.dat, a hard link") << "data1.dat" << false;
        QTest::newRow("pristroj.dat, a hard link") << "pristroj.dat" << false;
        QTest::newRow("data1.dat, read-only") << "data1.dat" << true;
        QTest::newRow("pristroj.dat, read-only") << "pristroj.dat" << true;
    }
    void writtenFilesAreReplacedOrRefused() {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString path = dir.filePath(name);
        const QString outside = elsewhere.filePath("outside");
        writeFile(name == "data1.dat" ? outside : dir.filePath("data1.dat"),
                  recordsBytes({datedRecord("01.01.2000"), datedRecord("bad")}));
        if (name != "data1.dat")
            writeFile(outside, "bytes of a file elsewhere");
        QCOMPARE(
            ::link(QFile::encodeName(outside).constData(), QFile::encodeName(path).constData()), 0);
        if (readOnly) // a copy of its own, made read-only
            QVERIFY(QFile::remove(path) && QFile::copy(outside, path) &&
                    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const QByteArray before = readFile(outside);

        ObservationStore store(kToday);
        QVERIFY(store.loadStore(dir.path()));
        QCOMPARE(store.readOnly(), readOnly && name == "data1.dat");
        store.applyDrawingSetup(125);
        QString message;
        if (name == "data1.removed") {
            ObservationStore::DamagedData setAside;
            message = store.setAsideDamagedData(&setAside).message;
        } else if (name == "pristroj.dat") {
            writeInstrumentFile(dir.path(), defaultInstrumentLines(), &message);
        } else {
            store.removeRecord(2);
            message = store.saveStore().message;
        }
        QCOMPARE(readFile(outside), before);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        if (readOnly) {
            QVERIFY2(message.contains(path) && message.contains("jen pro čtení"),
                     qPrintable(message));
            QCOMPARE(readFile(path), before);
            QCOMPARE(status.st_mode & 0777, mode_t(0440));
        } else {
            QVERIFY2(message.isEmpty(), qPrintable(message));
            QVERIFY(readFile(path) != before);
            QCOMPARE(status.st_nlink, nlink_t(1));
        }
    }

    // The entries of data1.removed: each piece with its header, a header whose bytes are not
    // all there no entry.
    void setAsideEntriesRead_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QList<qint64>>("offsets");
        const QDateTime when(QDate(2026, 12, 8), QTime(10, 30));
        auto entry = [&](const QByteArray &bytes, qint64 offset) {
            return setAsideEntryBytes({QStringLiteral("data1.dat"), offset, when, bytes});
        };
        QTest::newRow("two entries")
            << entry("JUNK", 2628) + entry(QByteArray(3, '\0'), 0)
            << QList<QByteArray>{"JUNK", QByteArray(3, '\0')} << QList<qint64>{2628, 0};
        QTest::newRow("bytes cut short")
            << QByteArray("#orvanek-odlozeno;100;data1.dat;0;2026-12-08T10:30:00\nshort\n")
            << QList<QByteArray>{} << QList<qint64>{};
    }
    void setAsideEntriesRead() {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QList<qint64>, offsets);
        const std::vector<SetAsideEntry> entries = readSetAsideEntries(content);
        QCOMPARE(entries.size(), size_t(pieces.size()));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            QCOMPARE(entries[size_t(i)].bytes, pieces[i]);
            QCOMPARE(entries[size_t(i)].offset, offsets[i]);
            QCOMPARE(entries[size_t(i)].when, QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
        }
    }
};

ORVANEK_REGISTER_TEST(TestSafety);
#include "tst_safety.moc"
