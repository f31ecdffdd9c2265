// Import files, the import and make-demo commands, and the demo data set.
#include "clirunner.h"
#include "data/dates.h"
#include "entry/commit.h"
#include "entry/demodata.h"
#include "entry/importfile.h"
#include "entrytesthelpers.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

ImportResult importText(ObservationStore &store, const QByteArray &text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return importObservations(store, buffer);
}

QStringList problemTexts(const ImportResult &result) {
    QStringList texts;
    for (const ImportProblem &p : result.problems)
        texts << importProblemText(p);
    return texts;
}

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

const char *const kGoodFile = "# drawings from the 2000 notebook\n"
                              "O;20.01.2000;830;Jan Novák;Praha;2;3;1;1;5;15;2;\n"
                              "G;dkc;10;3;12,5;100;10;2;1;5;200;50;2,5;45;30;1.5\n"
                              "G;axx;1;0;j\n"
                              "\n"
                              "F;10;20;30;40;50;60\n"
                              "O;05.01.2000;1200;Petra Svobodová;Brno;1;1;1;0;0;0;0;ano\n"
                              "G;Hsx;2;1;s\n";

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::vector<ObservationRecord> readRecords(const QString &dir) {
    std::vector<ObservationRecord> records;
    readDataFile(QDir(dir).filePath("data1.dat"), records);
    return records;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

  private slots:
    void goodFileIsStoredLikeTheDialogStoresIt() {
        ObservationStore imported;
        fillStore(imported, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        const ImportResult result = importText(imported, kGoodFile);
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        QCOMPARE(result.imported, 2);
        QCOMPARE(imported.recordCount(), 3);
        QVERIFY(imported.dataModified());

        // The same observations typed into the dialog, one commit each.
        ObservationStore typed;
        fillStore(typed, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        EntryForm first = makeForm(EntryMode::New, "20.01.2000",
                                   {groupRow({{1, "dkc"},
                                              {2, "10"},
                                              {3, "3"},
                                              {4, "12,5"},
                                              {5, "100"},
                                              {6, "10"},
                                              {7, "2"},
                                              {8, "1"},
                                              {9, "5"},
                                              {10, "200"},
                                              {11, "50"},
                                              {12, "2,5"},
                                              {13, "45"},
                                              {14, "30"},
                                              {15, "1.5"}}),
                                    groupRow({{1, "axx"}, {2, "1"}, {3, "0"}, {4, "j"}})},
                                   {faculaRow({"10", "20", "30", "40", "50", "60"})});
        first.timeUT = "830";
        first.conditions = "2";
        first.imageQuality = "3";
        first.seeingQuality = "1";
        first.centralGroups = "1";
        first.centralSpots = "5";
        first.centralR = "15";
        first.faculaTotal = "2";
        QVERIFY(commitEntry(typed, first).ok);
        EntryForm second = makeForm(EntryMode::Special, "05.01.2000",
                                    {groupRow({{1, "Hsx"}, {2, "2"}, {3, "1"}, {4, "s"}})});
        second.observer = "Petra Svobodová";
        second.station = "Brno";
        for (QString *field : {&second.conditions, &second.imageQuality, &second.seeingQuality})
            *field = "1";
        QVERIFY(commitEntry(typed, second).ok);

        QCOMPARE(recordsBytes(imported.records()), recordsBytes(typed.records()));
        QCOMPARE(readText(imported.record(1).specialMark), QStringLiteral("zvlášťní"));
        QCOMPARE(imported.observerNames(), typed.observerNames());
    }

    void oneBadCellStoresNothing() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        const StoreSnapshot before(store);
        const QByteArray text = header("01.02.2000") + groupLines(2) + //
                                header("02.02.2000") +
                                "G;Axx;1;0;10;50\n"
                                "G;Axx;1;0;400;50\n" + // line 6
                                header("03.02.2000") +
                                groupLines(1);
        const ImportResult result = importText(store, text);
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result),
                 QStringList{QStringLiteral("řádek 6: Úhel je maximálně 360 stupňů ")});
        QVERIFY(StoreSnapshot(store) == before);
    }

    void faultsAreReportedWithTheirLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("time with a colon")
            << header("01.02.2000", "7:05;Jan;Praha;1;1;1;0;0;0;0;")
            << QStringList{"řádek 1: „7:05“ není celé číslo – Čas UT"};
        QTest::newRow("header numbers missing") << QByteArray("\n# note\nO;01.02.2000;1200;Jan\n")
                                                << QStringList{"řádek 3: „“ není celé číslo – PP"};
        QTest::newRow("no such date")
            << header("31.02.2000")
            << QStringList{"řádek 1: „31.02.2000“ není platné datum – Datum"};
        QTest::newRow("31 groups") << header("01.02.2000") + groupLines(31)
                                   << QStringList{"řádek 32: Maximálni počet skupin je 30 !"};
        QTest::newRow("31 faculae fields")
            << header("01.02.2000") + QByteArray("F;1;2\n").repeated(31)
            << QStringList{"řádek 32: Maximálni počet fakulí je 30 !"};
        QTest::newRow("group before any observation")
            << QByteArray("G;Axx\n") + header("01.02.2000")
            << QStringList{"řádek 1: řádek G nenásleduje po řádku O"};
        QTest::newRow("unknown line")
            << header("01.02.2000") + "X;1\n"
            << QStringList{"řádek 2: neznámý druh řádku „X“ (má být O, G nebo F)"};
        QTest::newRow("a filled 16th group cell")
            << header("01.02.2000") + "G;Axx;1;0;10;50;;;;;;;;;;;7\n"
            << QStringList{"řádek 2: příliš mnoho polí (nejvýše 15)"};
        QTest::newRow("faculae vertex beyond R")
            << header("01.02.2000") + groupLines(1) + "F;10;20;30;126\n"
            << QStringList{"řádek 3: Špatně zadaná vzdálenost u fakulí max. 125"};
        QTest::newRow("rotation number and faculae, in line order")
            << header("01.02.2000") + "G;Axx;1;0;10;50;0;0;0;71\nF;0;126\n"
            << QStringList{"řádek 2: Maximální číslo v otočce je 70",
                           "řádek 3: Špatně zadaná vzdálenost u fakulí max. 125"};
        QTest::newRow("faults in two observations")
            << header("01.02.2000") + "G;Axx;1;0;10;130\n" + header("02.02.2000") +
                   "G;Axx;1;0;10;50;0;0;0;-1\n"
            << QStringList{"řádek 2: Špatně zadaná vzdálenost u skupin max. 125",
                           "řádek 4: Maximální číslo v otočce je 70"};
        QTest::newRow("not UTF-8") << QByteArray("O;01.02.2000;1200;Nov\xe1k;;1;1;1;0;0;0;0;\n")
                                   << QStringList{"řádek 1: text není v kódování UTF-8"};
    }
    void faultsAreReportedWithTheirLines() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, problems);
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const StoreSnapshot before(store);
        const ImportResult result = importText(store, text);
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result), problems);
        QVERIFY(StoreSnapshot(store) == before);
    }

    void paddedRowsAndWindowsLineEndsAreRead() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const ImportResult result =
            importText(store, "\xEF\xBB\xBFO;01.02.2000;1200;Jan;Praha;1;1;1;0;0;0;0;;;\r\n"
                              "G;Axx;1;0;10;50;;;;;;;;;;;;\r\n");
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        QCOMPARE(store.record(2).groupCount, uint8_t(1));
        QCOMPARE(readText(store.record(2).dateText), QStringLiteral("01.02.2000"));
    }

    void heliographicImportIgnoresAuxiliarySpots() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125, true);
        const Ephemeris e = solarEphemeris({2000, 9, 8}, 1200);
        const QByteArray text = header("08.09.2000") + "G;Dkc;5;2;" +
                                QByteArray::number(e.L0, 'f', 1) + ";" +
                                QByteArray::number(e.B0, 'f', 1) + ";10;0;0;0;200;50;3\n";
        const ImportResult result = importText(store, text);
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        const SunspotGroup &g = store.record(2).group(1);
        QVERIFY2(g.distance <= 1, qPrintable(QString::number(g.distance))); // l = L0, b = B0
        QCOMPARE(g.aux1Position, uint16_t(0));
        QCOMPARE(g.aux1Area, uint16_t(0));
    }

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

class TestDemoData : public QObject {
    Q_OBJECT

  private slots:
    void sameSeedSameRecords() {
        ObservationStore a, b, c;
        QVERIFY(makeDemoData(a, {2000, 2000, 7}));
        QVERIFY(makeDemoData(b, {2000, 2000, 7}));
        QVERIFY(makeDemoData(c, {2000, 2000, 8}));
        QCOMPARE(recordsBytes(a.records()), recordsBytes(b.records()));
        QVERIFY(recordsBytes(a.records()) != recordsBytes(c.records()));
    }

    void everyRecordIsWhatTheDialogWouldStore() {
        // Each record shown in the dialog and confirmed untouched is stored unchanged: the
        // demo's records went through the same commit, with nothing the dialog can't show.
        ObservationStore store;
        QVERIFY(makeDemoData(store, {2001, 2001, 3}));
        QVERIFY(store.recordCount() > 250);
        const QByteArray before = recordsBytes(store.records());
        for (int index = 0; index < store.recordCount(); ++index) {
            store.selectRecord(index);
            const EntryForm form =
                entryFormFromRecord(store.currentRecord(), EntryMode::Correction, 125, false, 2026);
            const CommitResult result = commitEntry(store, form);
            QVERIFY2(result.ok, qPrintable(result.messages.value(0).text));
            QVERIFY(!result.dateChanged);
        }
        QCOMPARE(recordsBytes(store.records()), before);
    }

    void demoFollowsTheSolarCycle() {
        ObservationStore store;
        QVERIFY(makeDemoData(store, {1996, 2008, 1}));
        QCOMPARE(store.drawingRadius(), 125.0);
        QVERIFY(!store.heliographicEntry());
        QMap<int, double> groups, latitude;
        QMap<int, int> days, groupDays;
        int previous = 0;
        QSet<QString> observers;
        for (const ObservationRecord &r : store.records()) {
            const auto date = recordDate(r, 2026);
            QVERIFY(date);
            QVERIFY(serialDay(*date) >= previous); // in date order
            previous = serialDay(*date);
            const int year = date->curYear;
            ++days[year];
            groups[year] += r.usedGroups();
            const Ephemeris e = solarEphemeris(*date, r.timeUT);
            for (int i = 1; i <= r.usedGroups(); ++i) {
                latitude[year] += std::fabs(
                    polarToHeliographic(e, r.group(i).distance, r.group(i).angle).helioLatitude);
                ++groupDays[year];
            }
            observers << readText(r.observer);
        }
        // No placeholder: the first observation is from the first year.
        QCOMPARE(recordDate(store.record(1), 2026)->curYear, uint16_t(1996));
        QCOMPARE(days.firstKey(), 1996);
        QCOMPARE(days.lastKey(), 2008);
        // An observation on most days.
        for (int year = 1996; year <= 2008; ++year)
            QVERIFY2(days[year] > 250, qPrintable(QString::number(year)));
        auto mean = [&](int year) { return groups[year] / days[year]; };
        // The cycle rises from the 1996 minimum, peaks around 2000 and falls to 2008.
        QVERIFY(mean(2000) > 4 * mean(1996));
        QVERIFY(mean(2000) > 4 * mean(2007));
        QVERIFY(mean(1998) > mean(1996) && mean(2003) > mean(2006));
        // Spörer's law: the groups of the rising cycle lie far from the equator, those of
        // its end near it.
        QVERIFY(latitude[1997] / groupDays[1997] > latitude[2004] / groupDays[2004] + 5);
        QVERIFY(observers.size() >= 3);
    }

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
        QVERIFY(r.err.startsWith(QStringLiteral("použití:")));
    }
};

ORVANEK_REGISTER_TEST(TestImport);
ORVANEK_REGISTER_TEST(TestDemoData);

#include "tst_import.moc"
