// orvanek-cli template, compare-silso and daily: the observing sheet as a file, the own R
// against SILSO's, the daily values for networks.
#include "cli/cli.h"
#include "clirunner.h"
#include "datedrecord.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

QStringList lines(const QString &text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Drawings with one group straight up and one straight down the disk, half way out, with
// the spots given; the stored summary is as the commit left it: R of each hemisphere.
ObservationRecord drawing(const QString &date, int northSpots, int southSpots) {
    ObservationRecord r = datedRecord(date, 815, QStringLiteral("Eva"));
    addGroup(r, 0, 625).spotCount = static_cast<uint8_t>(northSpots);
    addGroup(r, 1800, 625).spotCount = static_cast<uint8_t>(southSpots);
    r.summary.northGroups = 1;
    r.summary.northSpots = static_cast<uint16_t>(northSpots);
    r.summary.northR = static_cast<uint16_t>(10 + northSpots);
    r.summary.southGroups = 1;
    r.summary.southSpots = static_cast<uint16_t>(southSpots);
    r.summary.southR = static_cast<uint16_t>(10 + southSpots);
    r.seeingQuality = 2;
    return r;
}

// Three drawings of January 2001 (R 40, 30 and 50) and a special record; record 1 holds
// the drawing setup R.
void writeDataSet(const QString &dir, int setup = 80) {
    std::vector<ObservationRecord> records = {
        drawing("02.01.2001", 10, 10), drawing("03.01.2001", 5, 5), drawing("05.01.2001", 20, 10)};
    ObservationRecord special = drawing("04.01.2001", 40, 40);
    writeText(special.specialMark, specialMarkText());
    records.push_back(special);
    records[0].drawingSetup = static_cast<uint16_t>(setup);
    QVERIFY(writeFile(QDir(dir).filePath("data1.dat"), recordsBytes(records)));
}

QSizeF pdfPageSize(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                         .match(QString::fromLatin1(file.readAll()));
    return {box.captured(1).toDouble(), box.captured(2).toDouble()};
}

} // namespace

class TestSheetCommands : public QObject {
    Q_OBJECT

  private slots:
    void templateFile_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("setup"); // 0: no data set at all
        QTest::addColumn<QString>("row");
        QTest::addColumn<QSizeF>("paperMm");
        QTest::addColumn<QString>("warning"); // on standard error
        // The ephemeris of 21 June 2001, 8:30 UT: B0 1.77, P -7.06, L0 116.11, rotation 1977.
        QTest::newRow("the data set's R 80 on A4")
            << QStringList{} << "s.pdf" << 80 << "A4;80;1.77;-7.06;116.11;1977" << QSizeF(210, 297)
            << "";
        QTest::newRow("without a data set 125 mm on A3")
            << QStringList{"--mirror-x", "--mirror-y"} << "s.pdf" << 0
            << "A3;125;1.77;-7.06;116.11;1977" << QSizeF(297, 420) << "";
        QTest::newRow("--radius and --paper, an image at 300 dpi")
            << QStringList{"--radius", "60", "--paper", "a3"} << "s.png" << 80
            << "A3;60;1.77;-7.06;116.11;1977" << QSizeF(297, 420)
            << "Pozor: šablona má poloměr 60 mm, zákresy v datech 80 mm; vzdálenosti změřené na "
               "šabloně před zadáním přepočtěte.\n";
    }
    void templateFile() {
        QFETCH(QStringList, options);
        QFETCH(QString, out);
        QFETCH(int, setup);
        QFETCH(QString, row);
        QFETCH(QSizeF, paperMm);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        if (setup > 0)
            writeDataSet(dir.path(), setup);
        const QString file = dir.filePath(out);
        const CliRun r = runCliCommand(QStringList{"-d", dir.path(), "template", "--date",
                                                   "21.06.2001", "--time", "0830", "--out", file} +
                                       options);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, warning);
        QCOMPARE(lines(r.out),
                 (QStringList{"file;paper;radius;B0;P;L0;rotation", file + ';' + row}));
        if (out.endsWith(".png")) {
            const QImage image(file);
            const double dotsPerMm = 300 / 25.4;
            QCOMPARE(image.size(), QSize(qRound(paperMm.width() * dotsPerMm),
                                         qRound(paperMm.height() * dotsPerMm)));
            QCOMPARE(image.dotsPerMeterX(), 11811);
            return;
        }
        const QSizeF points = pdfPageSize(file);
        QVERIFY(std::abs(points.width() * 25.4 / 72 - paperMm.width()) < 0.4);
        QVERIFY(std::abs(points.height() * 25.4 / 72 - paperMm.height()) < 0.4);
    }

    void templateRefused_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList moment{"--date", "21.06.2001", "--time", "830"};
        QTest::newRow("no time") << QStringList{"--date", "21.06.2001"} << 2
                                 << "příkaz template chce --date, --time a --out";
        QTest::newRow("a time with a colon")
            << QStringList{"--date", "21.06.2001", "--time", "8:30"} << 2 << "„8:30“ není čas HHMM";
        // Whole millimetres 1..999, as the drawing setup and import take them.
        const QString radius = "--radius: „%1“ není poloměr v celých mm od 1 do 999";
        QTest::newRow("radius 1e-300")
            << moment + QStringList{"--radius", "1e-300"} << 2 << radius.arg("1e-300");
        QTest::newRow("radius 1000")
            << moment + QStringList{"--radius", "1000"} << 2 << radius.arg("1000");
        QTest::newRow("time 2400")
            << QStringList{"--date", "21.06.2001", "--time", "2400"} << 2 << "„2400“ není čas HHMM";
        QTest::newRow("A5") << moment + QStringList{"--paper", "A5"} << 2
                            << "--paper: „A5“ není A4 ani A3";
        QTest::newRow("a bitmap") << moment + QStringList{"--out", "x.bmp"} << 2
                                  << "soubor x.bmp: umím jen .pdf a .png";
        QTest::newRow("an option of render")
            << moment + QStringList{"--record", "1"} << 2 << "příkaz template nezná volbu --record";
        QTest::newRow("too large for the A4 asked")
            << moment + QStringList{"--radius", "100", "--paper", "A4"} << 1
            << "Kotouč o průměru 200 mm se s okraji nevejde na papír A4 (největší průměr na něm "
               "je 166 mm).";
    }
    void templateRefused() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeDataSet(dir.path());
        QStringList args{"-d", dir.path(), "template"};
        args += options;
        if (!options.contains("--out"))
            args += QStringList{"--out", dir.filePath("s.pdf")};
        const CliRun r = runCliCommand(args);
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(lines(r.err).value(0), message);
        QVERIFY(!QFile::exists(dir.filePath("s.pdf")));
    }

    void compareSilso_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        // Own days R 40, 30, 50 (the special 4th left out); SILSO 1.5 times as much, and
        // -1 on the 3rd, so that January counts the 2nd and the 5th: 45 against 67.5.
        QTest::newRow("daily totals")
            << QByteArray("2001;01;02;2001.004;  60; 1.0; 10;1\n"
                          "2001;01;03;2001.007;  -1;-1.0;  0;1\n"
                          "2001;01;04;2001.010; 500; 1.0; 10;1\n"
                          "2001;01;05;2001.012;  75; 1.0; 10;1\n")
            << 0
            << QStringList{"month;year;days;ownR;silsoSN;k", "1;2001;2;45.00;67.50;1.50",
                           "all;;2;45.00;67.50;1.50"}
            << "";
        QTest::newRow("no common day")
            << QByteArray("2002;01;02;2002.004;  60; 1.0; 10;1\n") << 1 << QStringList{}
            << "Soubor SN.csv nemá s pozorováními žádný společný den (pozorování 02.01.2001 – "
               "05.01.2001, soubor 02.01.2002 – 02.01.2002).";
    }
    void compareSilso() {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        writeDataSet(dir.path());
        QVERIFY(writeFile(dir.filePath("SN.csv"), file));
        const CliRun r = runCliCommand({"-d", dir.path(), "compare-silso", dir.filePath("SN.csv")});
        QCOMPARE(r.status, status);
        QCOMPARE(lines(r.out), out);
        QCOMPARE(lines(r.err).value(0), err);
    }

    void daily() {
        QTemporaryDir dir;
        writeDataSet(dir.path());
        const CliRun r =
            runCliCommand({"-d", dir.path(), "daily", "--from", "3.1.2001", "--to", "5.1.2001"});
        QCOMPARE(r.status, 0);
        // g, f, R of the whole disk, the north and the south as the drawing view counts the
        // two groups; the special record of the 4th is no daily value.
        QCOMPARE(lines(r.out),
                 (QStringList{"date;timeUT;observer;g;f;R;gNorth;fNorth;RNorth;gSouth;fSouth;"
                              "RSouth;Q",
                              "03.01.2001;815;Eva;2;10;30;1;5;15;1;5;15;2",
                              "05.01.2001;815;Eva;2;30;50;1;20;30;1;10;20;2"}));
    }
};

ORVANEK_REGISTER_TEST(TestSheetCommands);
#include "tst_sheetcommands.moc"
