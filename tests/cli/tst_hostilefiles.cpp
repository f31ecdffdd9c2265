// orvanek-cli against hostile files: a file-size limit, pipes and devices in the place of
// files, bytes set aside told on standard error, the same end for every table of dates.
#include "clirunner.h"
#include "data/observationstore.h"
#include "data/setaside.h"
#include "datedrecord.h"
#include "filebytes.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// A data set in polar entry at R = 125: `count` days of January 2000 with `groups` groups each.
QByteArray dataSet(int count, int groups) {
    std::vector<ObservationRecord> records;
    for (int day = 1; day <= count; ++day) {
        ObservationRecord r =
            datedRecord(QStringLiteral("%1.01.2000").arg(day, 2, 10, QLatin1Char('0')));
        for (int g = 0; g < groups; ++g)
            addGroup(r, 100 * g, 500);
        records.push_back(r);
    }
    records.front().drawingSetup = 125;
    return recordsBytes(records);
}

const QByteArray kOneObservation = "O;01.02.2000;1200;Jan Novák;Praha;1;1;1;0;0;0;0;\n";

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

  private slots:
    // Under `ulimit -f` the write fails and says why: no signal ends the program, the lock
    // goes, the old file stays. Run as a child that does not ignore SIGXFSZ itself.
    void fileSizeLimit_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("written");
        QTest::newRow("import") << QStringList{"import", "one.txt"} << "data1.dat";
        QTest::newRow("export-ascii") << QStringList{"export-ascii"} << "SoubASCI.dat";
    }
    void fileSizeLimit() {
        QFETCH(QStringList, command);
        QFETCH(QString, written);
        QTemporaryDir dir;
        // 4 records of 10 groups: data1.dat 5256 bytes, an export of 40 lines; the limit
        // of 2 blocks (1024 bytes) lets the lock be written and neither of them.
        const QByteArray data = dataSet(4, 10);
        writeBytes(dir.filePath("data1.dat"), data);
        writeBytes(dir.filePath("one.txt"), kOneObservation);
        if (command.size() > 1)
            command[1] = dir.filePath(command[1]);
        const auto inherited = std::signal(SIGXFSZ, SIG_DFL);
        QProcess child;
        child.start("/bin/sh", QStringList{"-c", "ulimit -f 2; exec \"$0\" \"$@\"",
                                           ORVANEK_CLI_PROGRAM, "-d", dir.path()} +
                                   command);
        const bool finished = child.waitForFinished(60000);
        std::signal(SIGXFSZ, inherited);
        QVERIFY(finished);
        const QString err = QString::fromUtf8(child.readAllStandardError());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
        QVERIFY2(err.contains(written) && err.contains("soubor je větší, než systém dovolí"),
                 qPrintable(err));
        QVERIFY(!QFile::exists(dir.filePath("orvanek.lock")));
        QCOMPARE(fileBytes(dir.filePath("data1.dat")), data);
    }

    // A pipe or a device where a file is read is refused at once with the file named (a
    // blocked import would hold the lock for ever, /dev/zero would never end); a folder or
    // a link in the lock's place is named for what it is, not taken for a running copy.
    void notWaitedOn_data() {
        QTest::addColumn<QString>("special"); // "name:pipe", "name:folder" or "name:link"
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("what");
        const QStringList import{"import", "@one.txt"};
        // clang-format off
        QTest::newRow("import of a pipe") << "one.txt:pipe" << import << "roura";
        QTest::newRow("data1.dat a pipe") << "data1.dat:pipe" << QStringList{"info"} << "roura";
        QTest::newRow("pristroj.dat a pipe") << "pristroj.dat:pipe" << import << "roura";
        QTest::newRow("orvanek.lock a pipe") << "orvanek.lock:pipe" << import << "roura";
        QTest::newRow("orvanek.lock a folder") << "orvanek.lock:folder" << import << "adresář";
        QTest::newRow("orvanek.lock a dangling link") << "orvanek.lock:link" << import << "odkaz na";
        QTest::newRow("import of /dev/zero") << ":" << QStringList{"import", "/dev/zero"} << "/dev/zero není obyčejný soubor, ale zařízení";
        QTest::newRow("import of a missing file") << ":" << QStringList{"import", "@none.txt"} << "none.txt: soubor nebo adresář neexistuje";
        // clang-format on
    }
    void notWaitedOn() {
        QFETCH(QString, special);
        QFETCH(QStringList, command);
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString name = special.section(':', 0, 0);
        const QString kind = special.section(':', 1);
        if (name != "data1.dat")
            writeBytes(dir.filePath("data1.dat"), dataSet(2, 1));
        if (name != "one.txt")
            writeBytes(dir.filePath("one.txt"), kOneObservation);
        const QString path = dir.filePath(name);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (kind == "link")
            QVERIFY(QFile::link(dir.filePath("gone"), path));
        for (QString &word : command)
            if (word.startsWith('@'))
                word = dir.filePath(word.mid(1));
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + command);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(name) && r.err.contains(what) &&
                     !r.err.contains("jiná spuštěná kopie"),
                 qPrintable(r.err));
        QCOMPARE(r.err.count('\n'), 1);
    }

    // The end of data1.dat that makes no whole record is set aside as an entry of its own,
    // however much of data1.removed looks like it, and the import says so.
    void setAsideBytesAreTold_data() {
        QTest::addColumn<QByteArray>("earlier"); // data1.removed of an older version
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("JUNK inside SOMEJUNK") << QByteArray("SOMEJUNK") << QByteArray("JUNK");
        QTest::newRow("zero bytes among zero bytes") << QByteArray(8, '\0') << QByteArray(3, '\0');
        QTest::newRow("no data1.removed") << QByteArray() << QByteArray("JUNK");
    }
    void setAsideBytesAreTold() {
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, tail);
        QTemporaryDir dir;
        writeBytes(dir.filePath("data1.dat"), dataSet(2, 1) + tail);
        if (!earlier.isEmpty())
            writeBytes(dir.filePath("data1.removed"), earlier);
        writeBytes(dir.filePath("one.txt"), kOneObservation);
        const CliRun r = runCliCommand({"-d", dir.path(), "import", dir.filePath("one.txt")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QStringLiteral("konec souboru data1.dat (%1 bajtů) netvoří celý záznam, "
                                       "je uložen v souboru data1.removed\n")
                            .arg(tail.size()));
        const QByteArray removed = fileBytes(dir.filePath("data1.removed"));
        QVERIFY(removed.startsWith(earlier));
        const std::vector<SetAsideEntry> entries = readSetAsideEntries(removed);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].bytes, tail);
        QCOMPARE(entries[0].source, QStringLiteral("data1.dat"));
        QCOMPARE(entries[0].offset, qint64(2 * kRecordSize));
        QVERIFY(entries[0].when.isValid());
        QCOMPARE(fileBytes(dir.filePath("data1.dat")).size(), 3 * kRecordSize);
    }

    // A table built from dates leaves out a record whose date does not read, and says so
    // with status 1, whichever table it is.
    void unreadableDatesEndEveryTableAlike_data() {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("statistics") << QStringList{"statistics"};
        QTest::newRow("series") << QStringList{"series"};
        QTest::newRow("daily") << QStringList{"daily"};
    }
    void unreadableDatesEndEveryTableAlike() {
        QFETCH(QStringList, command);
        QTemporaryDir dir;
        ObservationRecord first = datedRecord("31.02.2000");
        first.drawingSetup = 125;
        writeBytes(dir.filePath("data1.dat"),
                   recordsBytes({first, datedRecord("00.01.2000"), datedRecord("32.01.2000")}));
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + command);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("3 záznamů vynecháno: nečitelné datum\n"));
    }

    // A run that cannot write pristroj.dat leaves no data1.dat behind, so that once the
    // cause is gone the same command completes the data set.
    void makeDemoLeavesNothingARerunRefuses() {
        QTemporaryDir dir;
        const QString demo = dir.filePath("demo");
        // A link in its place, which the program does not write through.
        QVERIFY(QDir().mkpath(demo));
        QVERIFY(QFile::link(dir.filePath("elsewhere"), demo + "/pristroj.dat"));
        const QStringList command{"make-demo", demo, "--from", "2000", "--to", "2000"};
        const CliRun refused = runCliCommand(command);
        QCOMPARE(refused.status, 1);
        QVERIFY(!QFile::exists(demo + "/data1.dat"));
        QVERIFY(QFile::remove(demo + "/pristroj.dat"));
        const CliRun again = runCliCommand(command);
        QCOMPARE(again.status, 0);
        QVERIFY(QFileInfo(demo + "/data1.dat").size() > 0);
        QVERIFY(QFileInfo(demo + "/pristroj.dat").isFile());
    }
};

ORVANEK_REGISTER_TEST(TestHostileFiles);
#include "tst_hostilefiles.moc"
