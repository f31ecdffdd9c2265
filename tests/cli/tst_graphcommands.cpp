// orvanek-cli series, render graphs and render smoothed: the smoothed graph's numbers, the
// graph windows' pictures and their printed pages.
#include "cli/cli.h"
#include "clirunner.h"
#include "datedrecord.h"
#include "imageprobes.h"
#include "pdfpages.h"
#include "testregistry.h"
#include "views/graphs/smoothedpainter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <vector>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

using Field = uint16_t RecordSummary::*;
// The summary fields of each --quantity, north and south.
const std::map<QString, std::pair<Field, Field>> kFields = {
    {"g", {&RecordSummary::northGroups, &RecordSummary::southGroups}},
    {"f", {&RecordSummary::northSpots, &RecordSummary::southSpots}},
    {"r", {&RecordSummary::northR, &RecordSummary::southR}},
    {"cv", {&RecordSummary::northClassSum, &RecordSummary::southClassSum}},
    {"sn", {&RecordSummary::northSN, &RecordSummary::southSN}},
    {"rb", {&RecordSummary::northRB, &RecordSummary::southRB}},
    {"area", {&RecordSummary::northArea, &RecordSummary::southArea}},
    {"hemisphere", {&RecordSummary::northCorrectedArea, &RecordSummary::southCorrectedArea}},
};

// data1.dat with one record per "dd.mm.yyyy=value": the whole-disk value of `quantity`,
// north the smaller half, so that only their sum gives it.
void writeDays(const QString &dir, const QString &quantity, const QStringList &days) {
    std::vector<ObservationRecord> records;
    for (const QString &day : days) {
        ObservationRecord r = datedRecord(day.section('=', 0, 0));
        const int value = day.section('=', 1).toInt();
        r.summary.*kFields.at(quantity).first = static_cast<uint16_t>(value / 2);
        r.summary.*kFields.at(quantity).second = static_cast<uint16_t>(value - value / 2);
        records.push_back(r);
    }
    QFile file(QDir(dir).filePath("data1.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(recordsBytes(records));
}

// One record on the first of each month from January 2001: value(month number).
QStringList monthly(int months, int (*value)(int)) {
    QStringList days;
    for (int m = 1; m <= months; ++m)
        days << QDate(2001 + (m - 1) / 12, (m - 1) % 12 + 1, 1).toString("dd.MM.yyyy") + '=' +
                    QString::number(value(m));
    return days;
}

// Every day of 24 months from January 2001 at the same value, and 1 January 2003.
QStringList everyDay(int value) {
    QStringList days;
    for (QDate d(2001, 1, 1); d <= QDate(2003, 1, 1); d = d.addDays(1))
        days << d.toString("dd.MM.yyyy") + '=' + QString::number(value);
    return days;
}

} // namespace

class TestGraphCommands : public QObject {
    Q_OBJECT

  private slots:
    void series_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QStringList>("expected"); // rows that must be there as they are
        QTest::addColumn<int>("smoothedRows");
        // g 4 and 6 in January, 2 in February: T = [40, 16] eighths; March stays open.
        QTest::newRow("January and February")
            << "g" << QStringList{"01.01.2001=4", "02.01.2001=6", "05.02.2001=2", "01.03.2001=9"}
            << 2 << QStringList{"1;2001;1;5.0000;5.0000;", "2;2001;2;2.0000;2.0000;"} << 0;
        // 8 in January, 2 in March: February is 64 - 48 / 2 = 40 eighths.
        QTest::newRow("an empty month between")
            << "f" << QStringList{"01.01.2001=8", "01.03.2001=2", "01.04.2001=1"} << 3
            << QStringList{"2;2001;2;;5.0000;", "3;2001;3;2.0000;2.0000;"} << 0;
        // 8 eighths to 0 over three months: 8 - 8/3 = 5.33 is 5, 8 - 16/3 = 2.67 is 3.
        QTest::newRow("interpolated eighths are rounded")
            << "r" << QStringList{"01.01.2001=1", "01.04.2001=0", "01.05.2001=0"} << 4
            << QStringList{"2;2001;2;;0.6250;", "3;2001;3;;0.3750;", "4;2001;4;0.0000;0.0000;"}
            << 0;
        // Months before the first record are listed, with nothing to show.
        QTest::newRow("data from June")
            << "sn" << QStringList{"01.06.2001=3", "01.07.2001=3", "01.08.2001=1"} << 7
            << QStringList{"1;2001;1;;;", "5;2001;5;;;", "6;2001;6;3.0000;3.0000;"} << 0;
        // North 500 + south 501 and 1000 on the same day: 16008 / 2 eighths.
        QTest::newRow("both hemispheres")
            << "hemisphere" << QStringList{"01.01.2001=1001", "02.01.2001=1000", "01.02.2001=0"}
            << 1 << QStringList{"1;2001;1;1000.5000;1000.5000;"} << 0;
        // Month m has m squared: Z(7) = (1 + 169 + 2 (4 + 9 + ... + 144)) / 24 = 1468 / 24.
        QTest::newRow("14 closed months: smoothed at 7")
            << "cv" << monthly(15, [](int m) { return m * m; }) << 14
            << QStringList{"6;2001;6;36.0000;36.0000;", "7;2001;7;49.0000;49.0000;61.1667",
                           "8;2001;8;64.0000;64.0000;", "2;2002;14;196.0000;196.0000;"}
            << 1;
        QTest::newRow("13 closed months: none smoothed")
            << "rb" << monthly(14, [](int) { return 3; }) << 13
            << QStringList{"7;2001;7;3.0000;3.0000;", "1;2002;13;3.0000;3.0000;"} << 0;
    }
    void series() {
        QFETCH(QString, quantity);
        QFETCH(QStringList, days);
        QFETCH(int, rowCount);
        QFETCH(QStringList, expected);
        QFETCH(int, smoothedRows);
        QTemporaryDir dir;
        writeDays(dir.path(), quantity, days);
        const CliRun r = runCliCommand({"-d", dir.path(), "series", "--quantity", quantity});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), "month;year;monthNumber;monthlyMean;interpolated;smoothed");
        QCOMPARE(lines.size(), rowCount + 1);
        for (const QString &row : expected)
            QVERIFY2(lines.contains(row), qPrintable(row + "\n" + r.out));
        // A row ends in ';' where no smoothed value is computed.
        const qsizetype withSmoothed = std::count_if(
            lines.begin() + 1, lines.end(), [](const QString &l) { return !l.endsWith(';'); });
        QCOMPARE(int(withSmoothed), smoothedRows);
    }

    void render_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QColor>("colour");
        const QStringList january{"01.01.2001=8", "11.01.2001=8"}; // north 4, south 4
        // 1000 x 700: divisions of (700 - 120) div 3 div 11 = 17, zero lines at 212, 424,
        // 636; 1..11 January at x 50..70. g 4 is 4 x 17 div 3 = 22 pixels, the disk 44.
        QTest::newRow("graphs, north")
            << "g" << january << QStringList{"graphs"} << QSize(1000, 700) << QPoint(60, 424 - 22)
            << QColor(255, 0, 0);
        // 600 x 450, one panel: divisions of 10, zero line at 330, three times as tall;
        // R 120 is 24 pixels. Blanks around a number are read as by the other views.
        QTest::newRow("graphs, R of the south alone")
            << "r" << QStringList{"01.01.2001=240", "11.01.2001=240"}
            << QStringList{"graphs",  "--quantity=R", "--mode",       "south",
                           "--width", " 600",         "--height=450 "}
            << QSize(600, 450) << QPoint(60, 330 - 72) << QColor(0, 0, 255);
        // 1000 x 700: s = 14, rows of 28, base line 560, 2 pixels a month from x 30; g 5 is
        // 5 / 3 steps of 56: y 467. Means alone before month 7 (x 44), smoothed to 17.
        QTest::newRow("smoothed") << "g" << everyDay(5) << QStringList{"smoothed"}
                                  << QSize(1000, 700) << QPoint(50, 467) << QColor(Qt::black);
        // 1360 wide, 5 a month: s = 20, 6 pixels a month, base line 800; f 25 is one step
        // of 80 pixels.
        QTest::newRow("smoothed f, wider months")
            << "f" << everyDay(25)
            << QStringList{"smoothed", "--quantity", "f",        "--months-px", "5",
                           "--width",  "1360",       "--height", "860"}
            << QSize(1360, 860) << QPoint(90, 720) << QColor(Qt::black);
    }
    void render() {
        QFETCH(QString, quantity);
        QFETCH(QStringList, days);
        QFETCH(QStringList, args);
        QFETCH(QSize, size);
        QFETCH(QPoint, probe);
        QFETCH(QColor, colour);
        QTemporaryDir dir;
        writeDays(dir.path(), quantity, days);
        const QString png = dir.filePath("out.png");
        const CliRun r = runCliCommand(QStringList{"-d", dir.path(), "render"} + args +
                                       QStringList{"--out", png});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QImage image;
        QVERIFY(image.load(png, "PNG"));
        QCOMPARE(image.size(), size);
        QCOMPARE(pixelAt(image, probe), colour);
    }

    void pdfPrintsOnePage_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("report");
        QTest::newRow("graphs") << "graphs"
                                << "file;quantity;mode;width;height;scroll";
        QTest::newRow("smoothed") << "smoothed"
                                  << "file;quantity;monthsPx;width;height;lastMonth";
    }
    void pdfPrintsOnePage() {
        QFETCH(QString, kind);
        QFETCH(QString, report);
        QTemporaryDir dir;
        writeDays(dir.path(), "g", everyDay(5));
        const QString pdf = dir.filePath("out.pdf");
        const CliRun r = runCliCommand({"-d", dir.path(), "render", kind, "--out", pdf});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.section('\n', 0, 0), report);
        QCOMPARE(pdfPageCount(pdf), 1);
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("graphs of CV") << QStringList{"render", "graphs", "--quantity", "cv"};
        QTest::newRow("unknown mode") << QStringList{"render", "graphs", "--mode", "up"};
        QTest::newRow("six month pixels") << QStringList{"render", "smoothed", "--months-px", "6"};
        QTest::newRow("series of nothing") << QStringList{"series", "--quantity", "x"};
        QTest::newRow("series takes no word") << QStringList{"series", "g"};
    }
    void wrongUsage() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        writeDays(dir.path(), "g", {"01.01.2001=1"});
        const QString out = dir.filePath("out.png");
        QStringList all = QStringList{"-d", dir.path()} + args;
        if (args.first() == "render")
            all << "--out" << out;
        const CliRun r = runCliCommand(all);
        QCOMPARE(r.status, 2);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(r.out, QString());
        QVERIFY(!QFile::exists(out));
    }
};

ORVANEK_REGISTER_TEST(TestGraphCommands);
#include "tst_graphcommands.moc"
