// orvanek-cli render drawing: the window's drawing written to PNG, BMP or PDF.
#include "cli/cli.h"
#include "clirunner.h"
#include "datedrecord.h"
#include "imageprobes.h"
#include "testregistry.h"
#include "views/drawing/drawingpainter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

using Run = CliRun;

Run run(const QStringList &args) {
    return runCliCommand(args);
}

// Three records: an ordinary one with a group right of the centre, a special one, and a
// last one with a group above the centre. Record 1 carries the setup `setup`.
void writeData(const QString &dir, uint16_t setup = 125) {
    ObservationRecord first = datedRecord(QStringLiteral("07.05.2001"), 705);
    first.drawingSetup = setup;
    addGroup(first, 900, 625, 400);
    ObservationRecord special = datedRecord(QStringLiteral("08.05.2001"), 900);
    writeText(special.specialMark, specialMarkText());
    ObservationRecord last = datedRecord(QStringLiteral("21.06.2001"), 830);
    addGroup(last, 0, 500, 400);
    QFile file(QDir(dir).filePath(QStringLiteral("data1.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (const ObservationRecord *r : {&first, &special, &last})
        file.write(reinterpret_cast<const char *>(r), sizeof(ObservationRecord));
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT

  private slots:
    void pngOfTheLastRecord() {
        QTemporaryDir dir;
        writeData(dir.path());
        const QString png = dir.filePath(QStringLiteral("last.png"));
        const Run r = run({"-d", dir.path(), "render", "drawing", "--out", png});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QImage image;
        QVERIFY(image.load(png, "PNG"));
        QVERIFY(image.width() >= 750 && image.height() >= 650);
        QCOMPARE(r.out, QStringLiteral("file;record;date;width;height\n%1;3;21.06.2001;%2;%3\n")
                            .arg(png)
                            .arg(image.width())
                            .arg(image.height()));
        // One image pixel per view pixel: the group at 0 deg, distance 500 sits 100 px
        // above the disk centre (280, 280).
        QCOMPARE(pixelAt(image, {280, 180}), groupFillColour());
        QCOMPARE(pixelAt(image, {282, 300}), diskColour());
    }

    void recordAndMirrors_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QPoint>("group");
        QTest::addColumn<QColor>("disk");
        QTest::newRow("record 1") << QStringList{"--record", "1"} << QPoint(405, 280)
                                  << diskColour();
        QTest::newRow("record 1, mirrored east-west")
            << QStringList{"--record=1", "--mirror-x"} << QPoint(155, 280) << diskColour();
        QTest::newRow("last record, mirrored north-south")
            << QStringList{"--mirror-y"} << QPoint(280, 380) << diskColour();
        QTest::newRow("special record")
            << QStringList{"--record", "2"} << QPoint() << specialDiskColour();
    }
    void recordAndMirrors() {
        QFETCH(QStringList, options);
        QFETCH(QPoint, group);
        QFETCH(QColor, disk);
        QTemporaryDir dir;
        writeData(dir.path());
        const QString bmp = dir.filePath(QStringLiteral("out.bmp"));
        const Run r = run(QStringList{"--data", dir.path(), "render", "drawing"} + options +
                          QStringList{"--out", bmp});
        QCOMPARE(r.status, 0);
        QImage image;
        QVERIFY(image.load(bmp, "BMP"));
        QCOMPARE(pixelAt(image, {282, 300}), disk);
        if (!group.isNull())
            QCOMPARE(pixelAt(image, group), groupFillColour());
    }

    // A record whose date does not read is drawn for the moment of record 1's date, as the
    // drawing view shows it.
    void recordWithoutADateUsesRecord1sDate() {
        QTemporaryDir dir;
        ObservationRecord first = datedRecord(QStringLiteral("07.05.2001"), 705);
        first.drawingSetup = 125;
        ObservationRecord undated = datedRecord(QStringLiteral("xx.06.2001"), 830);
        addGroup(undated, 900, 625, 400);
        ObservationRecord last = datedRecord(QStringLiteral("21.12.2001"), 830);
        QFile file(QDir(dir.path()).filePath(QStringLiteral("data1.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const ObservationRecord *r : {&first, &undated, &last})
            file.write(reinterpret_cast<const char *>(r), sizeof(ObservationRecord));
        file.close();
        const QString png = dir.filePath(QStringLiteral("undated.png"));
        QCOMPARE(run({"-d", dir.path(), "render", "drawing", "--record", "2", "--out", png}).status,
                 0);
        QImage image;
        QVERIFY(image.load(png, "PNG"));
        DrawingSettings settings;
        settings.fallbackDate = CalendarDate{2001, 5, 7};
        const QImage expected = renderDrawing(buildDrawingModel(undated, settings));
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), expected);
        settings.fallbackDate = CalendarDate{2001, 12, 21}; // the grid of another moment
        QVERIFY(image.convertToFormat(QImage::Format_RGB32) !=
                renderDrawing(buildDrawingModel(undated, settings)));
    }

    void pdfHasOnePage() {
        QTemporaryDir dir;
        writeData(dir.path());
        const QString pdf = dir.filePath(QStringLiteral("zakres.PDF"));
        const Run r = run({"-d", dir.path(), "render", "drawing", "--out", pdf});
        QCOMPARE(r.status, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(file.readAll());
        QVERIFY(text.startsWith(QStringLiteral("%PDF")));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))), 1);
        QVERIFY(!text.contains(QStringLiteral("/Subtype /Image")));
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no view") << QStringList{"render", "--out", "x.png"};
        QTest::newRow("unknown view") << QStringList{"render", "globe", "--out", "x.png"};
        QTest::newRow("no output file") << QStringList{"render", "drawing"};
        QTest::newRow("--out without a name") << QStringList{"render", "drawing", "--out"};
        QTest::newRow("unknown format") << QStringList{"render", "drawing", "--out", "x.jpg"};
        QTest::newRow("record not a number")
            << QStringList{"render", "drawing", "--record", "x", "--out", "x.png"};
        QTest::newRow("unknown option")
            << QStringList{"render", "drawing", "--zoom", "--out", "x.png"};
    }
    void wrongUsage() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        writeData(dir.path());
        const Run r = run(QStringList{"-d", dir.path()} + args);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QCOMPARE(messagesBeforeUsage(r.err).count(QLatin1Char('\n')), 1);
        QVERIFY(QDir(dir.path()).entryList({"x.*"}).isEmpty());
    }

    void dataProblems_data() {
        QTest::addColumn<uint16_t>("setup");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("no drawing setup")
            << uint16_t(0) << QStringList{} << QStringLiteral("nastavení");
        QTest::newRow("record 0") << uint16_t(125) << QStringList{"--record", "0"}
                                  << QStringLiteral("záznam 0");
        QTest::newRow("record past the last")
            << uint16_t(125) << QStringList{"--record", "4"} << QStringLiteral("záznam 4");
    }
    void dataProblems() {
        QFETCH(uint16_t, setup);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeData(dir.path(), setup);
        const QString png = dir.filePath(QStringLiteral("x.png"));
        const Run r = run(QStringList{"-d", dir.path(), "render", "drawing"} + options +
                          QStringList{"--out", png});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(png));
    }

    void missingDirectoryAndUnwritableFile() {
        QTemporaryDir dir;
        writeData(dir.path());
        Run r = run(
            {"-d", dir.filePath("nowhere"), "render", "drawing", "--out", dir.filePath("x.png")});
        QCOMPARE(r.status, 1);
        r = run(
            {"-d", dir.path(), "render", "drawing", "--out", dir.filePath("no/such/dir/x.png")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("x.png")));
    }
};

ORVANEK_REGISTER_TEST(TestRender);
#include "tst_render.moc"
