// orvanek-cli certificate, statistics and observers: the results window's views as files
// and tables.
#include "cli/cli.h"
#include "clirunner.h"
#include "data/codepage1250.h"
#include "datedrecord.h"
#include "imageprobes.h"
#include "pdfpages.h"
#include "reports/certificatepainter.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

struct Hemispheres {
    uint16_t northGroups, northSpots, northR, southGroups, southSpots, southR;
};

ObservationRecord observation(const QString &date, const QString &observer, Hemispheres h,
                              uint8_t faculae = 0, uint8_t seeing = 0) {
    ObservationRecord r = datedRecord(date, 930, observer);
    r.summary.timeUT = 930;
    r.summary.northGroups = h.northGroups;
    r.summary.northSpots = h.northSpots;
    r.summary.northR = h.northR;
    r.summary.southGroups = h.southGroups;
    r.summary.southSpots = h.southSpots;
    r.summary.southR = h.southR;
    r.faculaTotal = faculae;
    r.seeingQuality = seeing;
    return r;
}

// January 2000 by Eva and Jan, March 2000 by Eva; pristroj.dat with the station line
// `station`. The data set was saved in April 2000 before its first drawing was typed: the
// placeholder it started with, dated on that day, is no observation of April.
void writeDataSet(const QString &dir, const QString &station = QStringLiteral("Ondřejov")) {
    const std::vector<ObservationRecord> records = {
        observation("03.01.2000", "Eva", {2, 5, 25, 1, 1, 11}, 3, 4),
        observation("10.01.2000", "Jan", {1, 2, 12, 0, 0, 0}, 1, 2),
        observation("15.03.2000", "Eva", {0, 0, 0, 3, 4, 34}),
        datedRecord("20.04.2000", 0),
    };
    QFile data(QDir(dir).filePath(QStringLiteral("data1.dat")));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write(recordsBytes(records));
    QFile instrument(QDir(dir).filePath(QStringLiteral("pristroj.dat")));
    QVERIFY(instrument.open(QIODevice::WriteOnly));
    instrument.write("Hvezdarna\r\nRefraktor\r\n80\r\n18\r\n1350\r\n" + encode1250(station) +
                     "\r\n");
}

} // namespace

class TestReportCommands : public QObject {
    Q_OBJECT

  private slots:
    // The tables, worked out by hand: January's g of the whole disk is (3 + 1) / 2, its F
    // (3 + 1) / 2 and its Q (4 + 2) / 2; February has no record; the north leaves the
    // whole-disk columns empty; three months are too few to smooth.
    void tables_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output");
        QTest::newRow("statistics") << QStringList{"statistics"}
                                    << "month;g;f;r;gc;fc;rc;F;p;o;Q\n"
                                       "01.2000;2.0;4.0;24.0;0.0;0.0;0.0;2.0;0.0;0.0;3.0\n"
                                       "02.2000;;;;;;;;;;\n"
                                       "03.2000;3.0;4.0;34.0;0.0;0.0;0.0;0.0;0.0;0.0;0.0\n";
        QTest::newRow("statistics north") << QStringList{"statistics", "--region", "north"}
                                          << "month;g;f;r;gc;fc;rc;F;p;o;Q\n"
                                             "01.2000;1.5;3.5;18.5;;;;;;;\n"
                                             "02.2000;;;;;;;;;;\n"
                                             "03.2000;0.0;0.0;0.0;;;;;;;\n";
        QTest::newRow("statistics smoothed") << QStringList{"statistics", "--smoothed"}
                                             << "month;g;f;r\n01.2000;;;\n02.2000;;;\n"
                                                "03.2000;;;\n";
        QTest::newRow("observers")
            << QStringList{"observers"} << "observer;2000;Suma\nEva;2;2\nJan;1;1\nSuma;3;3\n";
    }
    void tables() {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QTemporaryDir dir;
        writeDataSet(dir.path());
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, output);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("station");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown region")
            << QStringList{"statistics", "--region", "west"} << "Ondřejov" << 2;
        QTest::newRow("certificate without month")
            << QStringList{"certificate", "--out", "c.png"} << "Ondřejov" << 2;
        QTest::newRow("certificate of month 13")
            << QStringList{"certificate", "13.2000", "--out", "c.png"} << "Ondřejov" << 2;
        QTest::newRow("render drawing with a month")
            << QStringList{"render", "drawing", "1.2000", "--out", "c.png"} << "Ondřejov" << 2;
        QTest::newRow("certificate of a month without records")
            << QStringList{"certificate", "2.2000", "--out", "c.png"} << "Ondřejov" << 1;
        QTest::newRow("certificate of the placeholder's month")
            << QStringList{"certificate", "4.2000", "--out", "c.png"} << "Ondřejov" << 1;
        QTest::newRow("certificate without station")
            << QStringList{"certificate", "1.2000", "--out", "c.png"} << "" << 1;
    }
    void refused() {
        QFETCH(QStringList, args);
        QFETCH(QString, station);
        QFETCH(int, status);
        QTemporaryDir dir;
        writeDataSet(dir.path(), station);
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QCOMPARE(messagesBeforeUsage(r.err).count(u'\n'), 1);
        QVERIFY(!QFile::exists(dir.filePath("c.png")));
    }

    // The PNG is the window's picture at one pixel per unit: the grid's left edge at x 60,
    // the g of 3 January in its row at y 270 + 16 x 3. The PDF is the printed page;
    // "render certificate" is the same command.
    void certificateFiles_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("png") << QStringList{"certificate", "01.2000"} << "c.png";
        QTest::newRow("pdf") << QStringList{"certificate", "1,2000"} << "c.pdf";
        QTest::newRow("render png") << QStringList{"render", "certificate", "1.2000"} << "c.png";
    }
    void certificateFiles() {
        QFETCH(QStringList, command);
        QFETCH(QString, file);
        QTemporaryDir dir;
        writeDataSet(dir.path());
        const QString out = dir.filePath(file);
        const CliRun r =
            runCliCommand(QStringList{"-d", dir.path()} + command + QStringList{"--out", out});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("file;month;observingDays;width;height"));
        QVERIFY(lines.value(1).startsWith(out + QStringLiteral(";1.2000;2;")));
        if (file.endsWith(QStringLiteral(".pdf"))) {
            QCOMPARE(pdfPageCount(out), 1);
            return;
        }
        QImage image;
        QVERIFY(image.load(out, "PNG"));
        QCOMPARE(
            lines.value(1),
            QStringLiteral("%1;1.2000;2;%2;%3").arg(out).arg(image.width()).arg(image.height()));
        QCOMPARE(pixelAt(image, {60, 500}), certificateGridColour());
        QVERIFY(countPixels(image, QRect(221, 318, 28, 14), isDark) > 0);
    }
};

ORVANEK_REGISTER_TEST(TestReportCommands);

#include "tst_reportcommands.moc"
