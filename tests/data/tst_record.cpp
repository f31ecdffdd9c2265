// The 1314-byte record: where each field lands, packed positions, code page 1250 texts.
#include "data/codepage1250.h"
#include "data/observationrecord.h"
#include "testhelpers.h"

#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
uint16_t wordAt(const QByteArray &bytes, int offset) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                 (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}
} // namespace

class TestRecord : public QObject {
    Q_OBJECT

  private slots:
    void fieldsLandAtTheirOffsets() {
        ObservationRecord r = zeroRecord();
        writeText(r.dateText, QStringLiteral("08.12.2026"));
        r.conditions = 3;
        r.imageQuality = 4;
        r.seeingQuality = 5;
        r.groupCount = 2;
        r.faculaFieldCount = 1;
        r.timeUT = 705;
        r.centralGroups = 0x0102;
        r.rotation = 2310;
        r.centralLongitude = 359;
        writeText(r.observer, QStringLiteral("Novák"));
        writeText(r.station, QStringLiteral("Ondřejov"));
        writeText(r.specialMark, specialMarkText());
        r.drawingSetup = 1125;
        r.group(2).angle = 3599;
        r.group(2).aux2Area = 0xBEEF;
        r.facula(30).vertices[5] = 0xCAFE;
        r.summary.northCorrectedArea = 0x1234;
        r.summary.seeingQuality = 9;

        const QByteArray b = recordBytes(r);
        QCOMPARE(b.size(), 1314);
        QCOMPARE(b.mid(0, 11), QByteArray("\x0a"
                                          "08.12.2026"));
        QCOMPARE(int(b[11]), 3);
        QCOMPARE(int(b[13]), 5);
        QCOMPARE(int(b[14]), 2);
        QCOMPARE(int(b[15]), 1);
        QCOMPARE(wordAt(b, 16), uint16_t(705));
        QCOMPARE(QByteArray(b.mid(16, 2)), QByteArray("\xc1\x02")); // little-endian
        QCOMPARE(wordAt(b, 18), uint16_t(0x0102));
        QCOMPARE(wordAt(b, 26), uint16_t(2310));
        QCOMPARE(wordAt(b, 28), uint16_t(359));
        QCOMPARE(int(b[34]), 5);
        QCOMPARE(b.mid(35, 5), encode1250(QStringLiteral("Novák")));
        QCOMPARE(int(b[65]), 8);
        QCOMPARE(int(b[86]), 8);
        QCOMPARE(wordAt(b, 126), uint16_t(1125));
        // Slot i starts at 128 + (i - 1) * 38; the angle is 6 bytes in.
        QCOMPARE(wordAt(b, 128 + 38 + 6), uint16_t(3599));
        QCOMPARE(wordAt(b, 128 + 38 + 24), uint16_t(0xBEEF));
        // The last vertex of slot 30 is the last word before the summary.
        QCOMPARE(wordAt(b, 128 + 29 * 38 + 26 + 10), uint16_t(0xCAFE));
        QCOMPARE(128 + 29 * 38 + 26 + 12, 1268);
        QCOMPARE(wordAt(b, 1268 + 16), uint16_t(0x1234));
        QCOMPARE(int(b[1268 + 44]), 9);
    }

    void packedPositions_data() {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("millimetres");
        QTest::addColumn<int>("word");
        QTest::newRow("45 deg 30 mm") << 45 << 30 << 5790;
        QTest::newRow("200 deg 50 mm") << 200 << 50 << 25650;
        QTest::newRow("0 deg 127 mm") << 0 << 127 << 127;
        QTest::newRow("511 deg 127 mm") << 511 << 127 << 65535;
        QTest::newRow("not entered") << 0 << 0 << 0;
    }
    void packedPositions() {
        QFETCH(int, degrees);
        QFETCH(int, millimetres);
        QFETCH(int, word);
        QCOMPARE(int(packPosition(degrees, millimetres)), word);
        const PackedPosition p = unpackPosition(static_cast<uint16_t>(word));
        QCOMPARE(p.degrees, degrees);
        QCOMPARE(p.millimetres, millimetres);
    }

    void codePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("special mark")
            << QStringLiteral("zvlášťní") << QByteArray("\x7a\x76\x6c\xe1\x9a\x9d\x6e\xed");
        QTest::newRow("instrument")
            << QStringLiteral("Přístroj") << QByteArray("\x50\xf8\xed\x73\x74\x72\x6f\x6a");
        QTest::newRow("heading") << QStringLiteral("čas") << QByteArray("\xe8\x61\x73");
        QTest::newRow("capitals") << QStringLiteral("ŘŠŤŽŮ") << QByteArray("\xd8\x8a\x8d\x8e\xd9");
        QTest::newRow("euro, quotes") << QStringLiteral("€„“") << QByteArray("\x80\x84\x93");
    }
    void codePage() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encode1250(text), bytes);
        QCOMPARE(decode1250(bytes), text);
    }

    void everyAssignedByteRoundTrips() {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            if (b != 0x81 && b != 0x83 && b != 0x88 && b != 0x90 && b != 0x98)
                all.append(static_cast<char>(b));
        QCOMPARE(encode1250(decode1250(all)), all);
    }

    void unmappableCharactersBecomeQuestionMarks() {
        QCOMPARE(encode1250(QStringLiteral("aé日b")), QByteArray("a\xe9?b"));
    }

    void textIsCutToTheFieldAndKeepsTheRest() {
        ObservationRecord r = zeroRecord();
        std::memset(r.station.chars, 'x', sizeof r.station.chars);
        writeText(r.station, QStringLiteral("Hvězdárna"));
        QCOMPARE(readText(r.station), QStringLiteral("Hvězdárna"));
        QCOMPARE(r.station.chars[9], 'x'); // past the length: left as it was
        writeText(r.station, QStringLiteral("Hvězdárna a planetárium Brno"));
        QCOMPARE(int(r.station.length), 20);
        QCOMPARE(readText(r.station), QStringLiteral("Hvězdárna a planetár"));
    }

    void overlongLengthIsClampedOnReading() {
        ObservationRecord r = zeroRecord();
        r.observer.length = 200;
        std::memset(r.observer.chars, 'a', sizeof r.observer.chars);
        r.dateText.length = 255;
        QCOMPARE(readText(r.observer).size(), 30);
        QCOMPARE(readText(r.dateText).size(), 10);
        QCOMPARE(int(r.observer.length), 200); // kept as it is for writing back
    }

    void countsAreClampedForIteration() {
        ObservationRecord r = zeroRecord();
        r.groupCount = 45;
        r.faculaFieldCount = 255;
        QCOMPARE(r.usedGroups(), 30);
        QCOMPARE(r.usedFaculaFields(), 30);
        r.groupCount = 7;
        QCOMPARE(r.usedGroups(), 7);
    }

    void recordDateReadsTheStoredText() {
        ObservationRecord r = datedRecord(QStringLiteral("29.02.2000"));
        QVERIFY(recordDate(r, 2026).has_value());
        QCOMPARE(recordDate(r, 2026)->curDay, uint16_t(29));
        writeText(r.dateText, QStringLiteral("29.02.1900"));
        QVERIFY(!recordDate(r, 2026).has_value());
        r.dateText.length = 0;
        QVERIFY(!recordDate(r, 2026).has_value());
    }
};

ORVANEK_REGISTER_TEST(TestRecord);
#include "tst_record.moc"
