// orvanek-cli render butterfly, render map and map-groups.
#include "clirunner.h"
#include "data/observationstore.h"
#include "imageprobes.h"
#include "observedrecord.h"
#include "pdfpages.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QColor kGroupGrey(125, 125, 125);

// Two drawings of rotation 1977 (21.06.2001, L0 114.2, and 22.06.2001, L0 100.9; the data
// set's left axis is then 1900): group 5 at l = 84.2 on both, at b = 10.1 and 11.9, and
// group 7 at b = -20, l = 100 on the second. Motfakul.dat with one spot when `extra`.
void writeData(const QString &dir, bool extra = false) {
    std::vector<ObservationRecord> records{observedRecord(QStringLiteral("21.06.2001")),
                                           observedRecord(QStringLiteral("22.06.2001"))};
    records[0].drawingSetup = 125;
    addGroupSeenAt(records[0], 10.1, 84.2, 2500, 5);
    addGroupSeenAt(records[1], 11.9, 84.2, 2500, 5);
    addGroupSeenAt(records[1], -20, 100, 2500, 7);
    QByteArray block;
    if (extra) {
        block = QByteArray(kButterflyBlockSize, '\0');
        block[0] = char(138);
    }
    QVERIFY(writeDataDirectory(dir, records, block));
}

} // namespace

class TestMapCommands : public QObject {
    Q_OBJECT

  private slots:
    void renderImages_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("extra");
        QTest::addColumn<QRect>("mark"); // pixels
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("out"); // %1 the file; the output starts so
        // The diagram: group 5 of 21.06 (30 degrees east of the central meridian) is in the
        // column of 1977; at vs 3 its box runs from 32 to 29 pixels above the equator at half
        // the window's height (360).
        // With the supplementary data the left axis is rotation 1300: 1977 is column 677.
        // (Without, it is 1900: see the painter's tests.)
        QTest::newRow("butterfly, supplementary: axis at 1300")
            << QStringList{"render", "butterfly", "--supplementary"} << true
            << QRect(677 + 50, 360 - 32, 2, 3) << QColor(Qt::black)
            << "file;width;height;baseRotation;groupBoxes;faculaStrokes\n%1;1200;720;1300;3;0\n";
        // The map: group 7 at x = 740 - 2 x 100, y = 220 + 2 x 20 map units, r = 7 pixels
        // at s = 16 (760 wide).
        QTest::newRow("map, 760 wide")
            << QStringList{"render", "map", "--rotation", "1977"} << false
            << QRect(540 - 3, 260 - 3, 7, 7) << kGroupGrey
            << "file;rotation;records;groups;width;height\n%1;1977;2;2;760;";
    }
    void renderImages() {
        QFETCH(QStringList, args);
        QFETCH(bool, extra);
        QFETCH(QRect, mark);
        QFETCH(QColor, colour);
        QFETCH(QString, out);
        QTemporaryDir dir;
        writeData(dir.path(), extra);
        const QString png = dir.filePath(QStringLiteral("out.png"));
        const CliRun r =
            runCliCommand(QStringList{"-d", dir.path()} + args + QStringList{"--out", png});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(out.arg(png)), qPrintable(r.out));
        QImage image;
        QVERIFY(image.load(png, "PNG"));
        QCOMPARE(countPixels(image, mark, [&](QColor c) { return c == colour; }),
                 mark.width() * mark.height());
        // The same file as a PDF is one printed page.
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QCOMPARE(
            runCliCommand(QStringList{"-d", dir.path()} + args + QStringList{"--out", pdf}).status,
            0);
        QCOMPARE(pdfPageCount(pdf), 1);
    }

    void mapGroups() {
        QTemporaryDir dir;
        writeData(dir.path());
        const CliRun r = runCliCommand({"-d", dir.path(), "map-groups", "--rotation", "1977"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("group;meanLatitude;meanLongitude;count"));
        // Largest longitude first: group 7 (l 100), then group 5 at the mean of b 10.1 and
        // 11.9; stored angles and distances are tenths, so the means agree to about 0.1.
        const QList<QList<double>> expected = {{7, -20, 100, 1}, {5, 11, 84.2, 2}};
        for (int i = 0; i < 2; ++i) {
            const QStringList fields = lines[i + 1].split(';');
            QCOMPARE(fields.size(), 4);
            QCOMPARE(fields[0].toInt(), int(expected[i][0]));
            QCOMPARE(fields[3].toInt(), int(expected[i][3]));
            for (int f : {1, 2}) {
                QVERIFY2(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d{4}$"))
                             .match(fields[f])
                             .hasMatch(),
                         qPrintable(fields[f]));
                QVERIFY2(qAbs(fields[f].toDouble() - expected[i][f]) < 0.1, qPrintable(lines[i]));
            }
        }
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("latitude scale 0")
            << QStringList{"render", "butterfly", "--latitude-scale", "0", "--out", "x.png"} << 2;
        QTest::newRow("rotation width 17")
            << QStringList{"render", "butterfly", "--rotation-width", "17", "--out", "x.png"} << 2;
        QTest::newRow("height not a number")
            << QStringList{"render", "butterfly", "--height", "x", "--out", "x.png"} << 2;
        QTest::newRow("map without a rotation")
            << QStringList{"render", "map", "--out", "x.png"} << 2;
        QTest::newRow("map, another view's option")
            << QStringList{"render", "map", "--rotation", "1977", "--record", "1", "--out", "x.png"}
            << 2;
        QTest::newRow("map-groups, a rotation not drawn")
            << QStringList{"map-groups", "--rotation", "1978"} << 1;
        QTest::newRow("map of a rotation not drawn")
            << QStringList{"render", "map", "--rotation", "1500", "--out", "x.png"} << 1;
    }
    void refused() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QTemporaryDir dir;
        writeData(dir.path());
        const CliRun r = runCliCommand(QStringList{"-d", dir.path()} + args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QCOMPARE(messagesBeforeUsage(r.err).count(QLatin1Char('\n')), 1);
        QVERIFY(QDir(dir.path()).entryList({"x.*"}).isEmpty());
    }
};

ORVANEK_REGISTER_TEST(TestMapCommands);
#include "tst_mapcommands.moc"
