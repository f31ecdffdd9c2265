// orvanek-cli import and make-demo: files stored through the entry commit.
#include "clirunner.h"
#include "data/observationstore.h"
#include "datedrecord.h"
#include "filebytes.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// A header line for a date with every number filled.
QByteArray header(const char *date, const char *rest = "1200;Jan Novák;Praha;1;1;1;0;0;0;0;") {
    return QByteArray("O;") + date + ";" + rest + "\n";
}

QByteArray groupLines(int count) {
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "G;Axx;1;0;" + QByteArray::number(10 + i) + ";50\n";
    return lines;
}

std::vector<ObservationRecord> readRecords(const QString &dir) {
    RecordVector records;
    readDataFile(QDir(dir).filePath("data1.dat"), records);
    return {records.begin(), records.end()};
}

} // namespace

class TestImportCommand : public QObject {
    Q_OBJECT

  private slots:
    void importIntoANewDataSetWithARadius() {
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt");
        writeBytes(file, header("02.01.2000") + "G;Axx;1;0;10;50;10\n" + header("01.01.2000"));
        const CliRun r =
            runCliCommand({"-d", dir.path(), "import", file, "--radius", "100", "--polar"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("imported\n2\n"));
        const std::vector<ObservationRecord> records = readRecords(dir.path());
        // No placeholder dated today: only the two observations, in date order.
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(readText(records[0].dateText), QStringLiteral("01.01.2000"));
        QCOMPARE(readText(records[1].dateText), QStringLiteral("02.01.2000"));
        QCOMPARE(records[0].drawingSetup, uint16_t(100));      // the setup, in record 1
        QCOMPARE(records[1].group(1).area, uint16_t(255));     // 10 mm² x 20.4 x 125 / 100
        QCOMPARE(records[1].group(1).distance, uint16_t(625)); // 50 mm x 10 x 125 / 100
    }

    void importCommandRefusals_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray good = header("01.02.2000") + groupLines(1);
        QTest::newRow("new data set without a radius")
            << false << QStringList{} << good << 2
            << "data nemají nastavení zákresu: zadejte --radius R a --polar nebo --heliographic";
        QTest::newRow("new data set without the entry kind")
            << false << QStringList{"--radius", "125"} << good << 2
            << "data nemají nastavení zákresu: zadejte --radius R a --polar nebo --heliographic";
        QTest::newRow("another radius than the data set's")
            << true << QStringList{"--radius", "100", "--polar"} << good << 2
            << "data už mají nastavení zákresu (poloměr 125 mm, polární souřadnice)";
        QTest::newRow("a bad cell")
            << true << QStringList{}
            << header("01.02.2000") + groupLines(1) + header("02.02.2000") + "G;Axx;1;0;10;126\n"
            << 1 << "řádek 4: Špatně zadaná vzdálenost u skupin max. 125";
    }
    void importCommandRefusals() {
        QFETCH(bool, existing);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, text);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QByteArray old;
        if (existing) {
            ObservationRecord first = datedRecord("10.01.2000");
            first.drawingSetup = 125;
            old = recordBytes(first);
            writeBytes(dir.filePath("data1.dat"), old);
        }
        const QString file = dir.filePath("notes.txt");
        writeBytes(file, text);
        const CliRun r = runCliCommand(QStringList{"-d", dir.path(), "import", file} + options);
        QCOMPARE(r.status, status);
        QCOMPARE(r.err, message + '\n');
        QCOMPARE(r.out, QString());
        QCOMPARE(fileBytes(dir.filePath("data1.dat")), old);
        QVERIFY(!QFile::exists(dir.filePath("data1.bak")));
    }

    void importIntoAnExistingDataSetKeepsTheBackup() {
        QTemporaryDir dir;
        ObservationRecord first = datedRecord("10.01.2000");
        first.drawingSetup = 1062; // heliographic entry, R = 62
        const QByteArray old = recordBytes(first);
        writeBytes(dir.filePath("data1.dat"), old);
        const QString file = dir.filePath("notes.txt");
        writeBytes(file, header("05.01.2000") + "G;Axx;1;0;0;0;10\n");
        const CliRun r = runCliCommand({"-d", dir.path(), "import", file});
        QCOMPARE(r.status, 0);
        QCOMPARE(fileBytes(dir.filePath("data1.bak")), old);
        const std::vector<ObservationRecord> records = readRecords(dir.path());
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[0].drawingSetup, uint16_t(1062));
        QCOMPARE(records[0].group(1).area, uint16_t(411)); // round(10 x 20.4 x 125 / 62)
    }
};

class TestMakeDemoCommand : public QObject {
    Q_OBJECT

  private slots:
    void makeDemoCommand() {
        QTemporaryDir dir;
        const QString demo = dir.filePath("demo");
        const CliRun r =
            runCliCommand({"make-demo", demo, "--from", "2000", "--to", "2000", "--seed", "4"});
        QCOMPARE(r.status, 0);
        const std::vector<ObservationRecord> records = readRecords(demo);
        QVERIFY(records.size() > 250);
        QCOMPARE(r.out, QStringLiteral("directory;records\n%1;%2\n").arg(demo).arg(records.size()));
        QCOMPARE(records[0].drawingSetup, uint16_t(125));
        QVERIFY(!fileBytes(QDir(demo).filePath("pristroj.dat")).isEmpty());

        // Never over existing data.
        const QByteArray made = fileBytes(QDir(demo).filePath("data1.dat"));
        const CliRun again = runCliCommand({"make-demo", demo});
        QCOMPARE(again.status, 1);
        QCOMPARE(fileBytes(QDir(demo).filePath("data1.dat")), made);
    }

    void makeDemoUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no directory") << QStringList{"make-demo"};
        QTest::newRow("years reversed")
            << QStringList{"make-demo", "x", "--from", "2009", "--to", "2008"};
        QTest::newRow("year not a number") << QStringList{"make-demo", "x", "--from", "abc"};
        QTest::newRow("two directories") << QStringList{"make-demo", "x", "y"};
    }
    void makeDemoUsage() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("použití:")));
    }
};

ORVANEK_REGISTER_TEST(TestImportCommand);
ORVANEK_REGISTER_TEST(TestMakeDemoCommand);

#include "tst_entrycommands.moc"
