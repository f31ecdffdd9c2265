// SoubASCI.dat, byte for byte.
#include "data/asciiexport.h"
#include "data/codepage1250.h"
#include "data/observationstore.h"
#include "solar/conversion.h"
#include "solar/rounding.h"
#include "testhelpers.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
const QByteArray kHeading = QByteArray("   Datum    \xe8"
                                       "as   \xe8 typ  l   b  ploch\r\n");

// Places group `slot` of the record at heliographic b, l for the record's own moment.
void placeGroup(ObservationRecord &r, int slot, float b, float l) {
    const Ephemeris e = solarEphemeris(*recordDate(r, 2026), r.timeUT);
    const PolarPosition p = heliographicToPolar(e, b, l, 125);
    r.group(slot).angle = static_cast<uint16_t>(roundHalfEven(std::fmod(p.polarAngle, 360) * 10));
    r.group(slot).distance = static_cast<uint16_t>(roundHalfEven(p.polarDistance * 10));
}

QList<QByteArray> lines(const QByteArray &content) {
    QList<QByteArray> list = content.split('\n');
    if (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}
} // namespace

class TestAsciiExport : public QObject {
    Q_OBJECT

  private slots:
    void worksExample() {
        // Class Dkc, 8 December 2026 at 705, group 12, l = 45.2, b = 11.7, area 100, 2 small.
        ObservationRecord r = datedRecord("08.12.2026", 705);
        r.groupCount = 1;
        writeText(r.group(1).type, QStringLiteral("Dkc"));
        r.group(1).rotationGroupNumber = 12;
        r.group(1).area = 100;
        r.group(1).smallSpots = 2;
        placeGroup(r, 1, 11.7f, 45.2f);
        std::vector<ObservationRecord> records{r};
        const AsciiExportResult result = buildAsciiExport(records, 2026);
        QVERIFY(result.ok);
        QCOMPARE(result.content, kHeading + "08:12:2026 07 05 12 Dkc 045  12 0131\r\n");
        QCOMPARE(result.groupLines, 1);
    }

    void pieces_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("groupNumber");
        QTest::addColumn<float>("b");
        QTest::addColumn<float>("l");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("smallSpots");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("south") << "01.01.2000" << 1230 << 3 << -3.4f << 7.0f << 0 << 0
                               << QByteArray("01:01:2000 12 30 03 Cso 007 -03 0000");
        QTest::newRow("north small") << "01.01.2000" << 5 << 70 << 3.4f << 7.0f << 9999 << 1
                                     << QByteArray("01:01:2000 00 05 70 Cso 007  03 10014");
        QTest::newRow("small spots only") << "01.07.2001" << 800 << 0 << -25.0f << 300.0f << 0 << 2
                                          << QByteArray("01:07:2001 08 00 00 Cso 300 -25 0031");
    }
    void pieces() {
        QFETCH(QString, date);
        QFETCH(int, time);
        QFETCH(int, groupNumber);
        QFETCH(float, b);
        QFETCH(float, l);
        QFETCH(int, area);
        QFETCH(int, smallSpots);
        QFETCH(QByteArray, line);
        ObservationRecord r = datedRecord(date, static_cast<uint16_t>(time));
        r.groupCount = 1;
        writeText(r.group(1).type, QStringLiteral("Cso"));
        r.group(1).rotationGroupNumber = static_cast<uint16_t>(groupNumber);
        r.group(1).area = static_cast<uint16_t>(area);
        r.group(1).smallSpots = static_cast<uint16_t>(smallSpots);
        const Ephemeris e = solarEphemeris(*recordDate(r, 2026), r.timeUT);
        // l must be on the visible side for the round trip through the drawing.
        QVERIFY2(std::abs(std::remainder(l - e.L0, 360.0)) < 80, "longitude must be visible");
        placeGroup(r, 1, b, l);
        std::vector<ObservationRecord> records{r};
        QCOMPARE(buildAsciiExport(records, 2026).content, kHeading + line + "\r\n");
    }

    void noGroupsOnlyTheHeading() {
        std::vector<ObservationRecord> records{datedRecord("01.01.2000"),
                                               datedRecord("02.01.2000")};
        records[1].faculaFieldCount = 3; // faculae make no lines
        QCOMPARE(buildAsciiExport(records, 2026).content, kHeading);
    }

    void groupWithoutClassIsRepaired() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), QDate(2026, 12, 8)));
        ObservationRecord r = datedRecord("01.01.2000");
        r.groupCount = 2;
        writeText(r.group(2).type, QStringLiteral("Axx"));
        store.appendRecord(r);
        store.setModified(false);
        QVERIFY(exportAscii(store).ok);
        const QList<QByteArray> out = lines(readFile(dir.filePath("SoubASCI.dat")));
        QCOMPARE(out.size(), 3);
        QVERIFY(out[1].mid(20, 3) == "***");
        QVERIFY(out[2].mid(20, 3) == "Axx");
        // In memory too, without counting as a change to save.
        QCOMPARE(readText(store.record(2).group(1).type), QStringLiteral("***"));
        QCOMPARE(readText(store.record(2).group(2).type), QStringLiteral("Axx"));
        QVERIFY(!store.dataModified());
    }

    void recordsInStoreOrderGroupsInSlotOrder() {
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 3; ++i) {
            ObservationRecord r = datedRecord(QStringLiteral("0%1.01.2000").arg(i + 1));
            r.groupCount = static_cast<uint8_t>(i + 1);
            for (int g = 1; g <= i + 1; ++g) {
                writeText(r.group(g).type, QStringLiteral("Axx"));
                r.group(g).rotationGroupNumber = static_cast<uint16_t>(10 * (i + 1) + g);
            }
            // A special record is exported too.
            if (i == 1)
                writeText(r.specialMark, specialMarkText());
            records.push_back(r);
        }
        const QList<QByteArray> out = lines(buildAsciiExport(records, 2026).content);
        QCOMPARE(out.size(), 7);
        QByteArray numbers;
        for (qsizetype i = 1; i < out.size(); ++i)
            numbers += out[i].mid(17, 2) + ",";
        QCOMPARE(numbers, QByteArray("11,21,22,31,32,33,"));
        for (const QByteArray &line : out)
            QVERIFY(line.endsWith('\r'));
    }

    void countAbove30ExportsThirtyGroups() {
        ObservationRecord r = datedRecord("01.01.2000");
        r.groupCount = 200;
        for (int g = 1; g <= 30; ++g)
            writeText(r.group(g).type, QStringLiteral("Axx"));
        std::vector<ObservationRecord> records{r};
        QCOMPARE(buildAsciiExport(records, 2026).groupLines, 30);
    }

    void unreadableDateStopsWithoutWriting() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), QDate(2026, 12, 8)));
        ObservationRecord bad = datedRecord("3l.0l.2000");
        bad.groupCount = 1;
        store.appendRecord(bad);
        const AsciiExportResult result = exportAscii(store);
        QVERIFY(!result.ok);
        QVERIFY(result.message.contains("2"));
        QVERIFY(!QFile::exists(dir.filePath("SoubASCI.dat")));
    }

    void writesTheFileIntoTheDataDirectory() {
        QTemporaryDir dir;
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), QDate(2026, 12, 8)));
        const AsciiExportResult result = exportAscii(store);
        QVERIFY(result.ok);
        QCOMPARE(readFile(dir.filePath("SoubASCI.dat")), kHeading);
    }
};

ORVANEK_REGISTER_TEST(TestAsciiExport);
#include "tst_asciiexport.moc"
