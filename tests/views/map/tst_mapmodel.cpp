// The synoptic map's model: the rotation list, the record range, which groups and faculae
// a rotation takes, the means, the label table and the drawing radius.
#include "data/dates.h"
#include "data/observationstore.h"
#include "datedrecord.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/rounding.h"
#include "testregistry.h"
#include "views/map/mapmodel.h"

#include <QTest>

#include <cmath>
#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QDate kToday(2026, 1, 1);

Ephemeris ephemerisOf(const ObservationRecord &r) {
    return solarEphemeris(*recordDate(r, kToday.year()), r.timeUT);
}

// A record as the commit stores it: its moment's rotation and central longitude.
ObservationRecord observation(const QString &date, uint16_t timeUT = 1200) {
    ObservationRecord r = datedRecord(date, timeUT);
    const Ephemeris e = ephemerisOf(r);
    r.rotation = static_cast<uint16_t>(e.rotation);
    r.centralLongitude = static_cast<uint16_t>(std::trunc(e.L0));
    return r;
}

// A group typed in as heliographic b and l (degrees), stored as polar angle and distance.
SunspotGroup &addGroupAt(ObservationRecord &r, int number, double b, double l, int area = 400) {
    const PolarPosition p = heliographicToPolar(ephemerisOf(r), float(b), float(l), 125);
    SunspotGroup &g = r.group(++r.groupCount);
    g.angle = roundToWord(p.polarAngle * 10);
    g.distance = roundToWord(p.polarDistance * 10);
    g.area = static_cast<uint16_t>(area);
    g.rotationGroupNumber = static_cast<uint16_t>(number);
    return g;
}

void addFaculaField(ObservationRecord &r, std::initializer_list<uint16_t> vertices) {
    FaculaField &f = r.facula(++r.faculaFieldCount);
    int k = 0;
    for (uint16_t v : vertices)
        f.vertices[k++] = v;
}

std::unique_ptr<ObservationStore> storeOf(std::vector<ObservationRecord> records,
                                          double radius = 125) {
    auto store = std::make_unique<ObservationStore>(kToday);
    if (!store->appendRecords(std::move(records)))
        qFatal("test records do not store");
    store->setDrawingSetup(radius, false);
    return store;
}

MapModel mapOf(const ObservationStore &store, int rotation, int clientWidth = 760) {
    return buildMapModel(store, mapSettings(store, rotation, screenMapGeometry(clientWidth)));
}

// 21.06.2001 12:00 UT lies in rotation 1977 with L0 = 114.2 (the ephemeris' reference
// table gives 116.11 at 08:30); the next two days at noon, L0 = 100.9 and 87.7.
constexpr int kRotation = 1977;

using RecordKeys = QList<QPair<int, int>>; // rotation - N, central longitude

} // namespace

class TestMapModel : public QObject {
    Q_OBJECT

  private slots:
    void rotationStarts_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QDate>("referenceStart");
        QTest::addColumn<QDate>("nextReferenceStart");
        QTest::addColumn<QString>("caption");
        // Start times (UTC) from carrington_rotation_start_times_sunpy.csv (SunPy 4.1.2);
        // 2132 also in the Astronomical Almanac 2013, p. C4: 2012-12-29.49 TT. Each caption
        // is 1.1.1989 + (360 N - 651960 + 107.6) / 13.1985 + 0.5 days, worked by hand; the
        // half day puts it on the start's day or the next.
        QTest::newRow("1811") << 1811 << QDate(1989, 1, 9) << QDate(1989, 2, 5)
                              << "Mapa   09.01.1989 - 05.02.1989"; // 04:04, 12:15
        QTest::newRow("1957") << 1957 << QDate(1999, 12, 5) << QDate(2000, 1, 1)
                              << "Mapa   05.12.1999 - 02.01.2000"; // 06:46, 14:36
        QTest::newRow("2000") << 2000 << QDate(2003, 2, 20) << QDate(2003, 3, 19)
                              << "Mapa   20.02.2003 - 20.03.2003"; // 06:52, 14:39
        QTest::newRow("2132") << 2132 << QDate(2012, 12, 29) << QDate(2013, 1, 25)
                              << "Mapa   30.12.2012 - 26.01.2013"; // 11:49, 19:57
        QTest::newRow("2300") << 2300 << QDate(2025, 7, 16) << QDate(2025, 8, 12)
                              << "Mapa   17.07.2025 - 13.08.2025"; // 17:03, 22:17
    }
    void rotationStarts() {
        QFETCH(int, rotation);
        QFETCH(QDate, referenceStart);
        QFETCH(QDate, nextReferenceStart);
        QFETCH(QString, caption);
        // A drawing every evening at 18:00 UT from three days before the rotation's start
        // (each start above is earlier in its day): the list's new item begins on the day
        // the rotation began.
        std::vector<ObservationRecord> records;
        for (int day = -3; day <= 3; ++day)
            records.push_back(
                observation(shortDate(toCalendarDate(referenceStart.addDays(day))), 1800));
        auto store = storeOf(records);
        const std::vector<RotationItem> items = rotationList(*store);
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0].rotation, rotation - 1);
        QCOMPARE(items[0].firstRecord, 1);
        QCOMPARE(items[1].rotation, rotation);
        QCOMPARE(items[1].firstRecord, 4);
        QCOMPARE(rotationItemOf(items, rotation), 1);
        QCOMPARE(rotationItemOf(items, rotation + 1), -1);

        QCOMPARE(mapCaption(rotation), caption);
        const RotationDates dates = rotationDates(rotation);
        QVERIFY(referenceStart.daysTo(toQDate(dates.start)) >= 0);
        QVERIFY(referenceStart.daysTo(toQDate(dates.start)) <= 1);
        QVERIFY(nextReferenceStart.daysTo(toQDate(dates.end)) >= 0);
        QVERIFY(nextReferenceStart.daysTo(toQDate(dates.end)) <= 1);
    }

    void rotationListItems_data() {
        QTest::addColumn<QList<int>>("rotations");
        QTest::addColumn<QList<int>>("itemRotations");
        QTest::addColumn<QList<int>>("firstRecords");
        QTest::newRow("one rotation: one item")
            << QList<int>{1977, 1977, 1977} << QList<int>{1977} << QList<int>{1};
        QTest::newRow("a gap in the rotations")
            << QList<int>{1976, 1977, 1977, 1979, 1979} << QList<int>{1976, 1977, 1979}
            << QList<int>{1, 2, 4};
    }
    void rotationListItems() {
        QFETCH(QList<int>, rotations);
        QFETCH(QList<int>, itemRotations);
        QFETCH(QList<int>, firstRecords);
        std::vector<ObservationRecord> records;
        for (qsizetype i = 0; i < rotations.size(); ++i) {
            records.push_back(
                datedRecord(QStringLiteral("%1.01.2001").arg(i + 1, 2, 10, QChar('0'))));
            records.back().rotation = static_cast<uint16_t>(rotations[i]);
        }
        const std::vector<RotationItem> items = orvanek::rotationList(*storeOf(records));
        QList<int> gotRotations, gotFirst;
        for (const RotationItem &item : items) {
            gotRotations << item.rotation;
            gotFirst << item.firstRecord;
        }
        QCOMPARE(gotRotations, itemRotations);
        QCOMPARE(gotFirst, firstRecords);
    }

    void recordRange_data() {
        QTest::addColumn<RecordKeys>("records");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("rotation N alone") << RecordKeys{{0, 350}, {0, 180}, {0, 5}} << 1 << 3;
        QTest::newRow("from the last quarter of N - 1 into the first of N + 1")
            << RecordKeys{{-1, 200}, {-1, 89}, {0, 300}, {0, 10}, {1, 300}, {1, 270}, {1, 269}} << 2
            << 6;
        QTest::newRow("N - 1 at 90 does not start it")
            << RecordKeys{{-1, 95}, {-1, 90}, {0, 350}, {1, 200}} << 3 << 3;
        QTest::newRow("a rotation above N + 1 ends it")
            << RecordKeys{{0, 100}, {2, 350}, {0, 50}} << 1 << 1;
        QTest::newRow("no record of N") << RecordKeys{{-2, 10}, {1, 300}, {1, 280}} << 0 << -1;
    }
    void recordRange() {
        QFETCH(RecordKeys, records);
        QFETCH(int, first);
        QFETCH(int, last);
        const int n = 2000;
        std::vector<ObservationRecord> list;
        for (qsizetype i = 0; i < records.size(); ++i) {
            list.push_back(datedRecord(QStringLiteral("%1.02.2003").arg(i + 1, 2, 10, QChar('0'))));
            list.back().rotation = static_cast<uint16_t>(n + records[i].first);
            list.back().centralLongitude = static_cast<uint16_t>(records[i].second);
        }
        QCOMPARE(rotationRecordRange(*storeOf(list), n), (RecordRange{first, last}));
    }

    void groupBelongs_data() {
        QTest::addColumn<int>("fromN"); // the record's rotation - N
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("L0");
        QTest::addColumn<bool>("taken");
        QTest::newRow("N - 1, beyond 270, L0 below 90") << -1 << 270.5 << 89.9 << true;
        QTest::newRow("N - 1 at 270") << -1 << 270.0 << 10.0 << false;
        QTest::newRow("N - 1, L0 at 90") << -1 << 300.0 << 90.0 << false;
        QTest::newRow("N, both above 180") << 0 << 180.5 << 180.5 << true;
        QTest::newRow("N, l above 180 but L0 at 180") << 0 << 200.0 << 180.0 << false;
        QTest::newRow("N, l below 180, L0 below 270") << 0 << 179.5 << 269.5 << true;
        QTest::newRow("N, l below 180, L0 at 270") << 0 << 100.0 << 270.0 << false;
        QTest::newRow("N, l exactly 180, L0 200") << 0 << 180.0 << 200.0 << false;
        QTest::newRow("N, l exactly 180, L0 100") << 0 << 180.0 << 100.0 << false;
        QTest::newRow("N + 1 below 90") << 1 << 89.5 << 350.0 << true;
        QTest::newRow("N + 1 at 90") << 1 << 90.0 << 300.0 << false;
        QTest::newRow("N + 2") << 2 << 10.0 << 350.0 << false;
        QTest::newRow("N - 2") << -2 << 300.0 << 10.0 << false;
    }
    void groupBelongs() {
        QFETCH(int, fromN);
        QFETCH(double, l);
        QFETCH(double, L0);
        QFETCH(bool, taken);
        QCOMPARE(groupBelongsToMap(l, L0, 2000 + fromN, 2000), taken);
    }

    void faculaLongitude_data() {
        QTest::addColumn<int>("fromN");
        QTest::addColumn<int>("l");
        QTest::addColumn<int>("centralLongitude");
        QTest::addColumn<int>("onMap");
        QTest::newRow("N - 1, east part seen late: +360") << -1 << 89 << 271 << 449;
        QTest::newRow("N - 1, L0 270: stays") << -1 << 89 << 270 << 89;
        QTest::newRow("N - 1, L0 below 180: +360") << -1 << 179 << 179 << 539;
        QTest::newRow("N - 1 at 180: stays") << -1 << 180 << 179 << 180;
        QTest::newRow("N, L0 271, l 89: +360") << 0 << 89 << 271 << 449;
        QTest::newRow("N, L0 271, l 90: stays") << 0 << 90 << 271 << 90;
        QTest::newRow("N, L0 below 90, l 300: -60") << 0 << 300 << 89 << -60;
        QTest::newRow("N, L0 below 90, l 271: -89") << 0 << 271 << 10 << -89;
        QTest::newRow("N, L0 below 90, l 270: stays") << 0 << 270 << 10 << 270;
        QTest::newRow("N, L0 below 90, l 360: 0") << 0 << 360 << 10 << 0;
        QTest::newRow("N, L0 90: stays") << 0 << 300 << 90 << 300;
        QTest::newRow("N + 1, L0 271, l 181: -179") << 1 << 181 << 271 << -179;
        QTest::newRow("N + 1, L0 271, l 180: stays") << 1 << 180 << 271 << 180;
        QTest::newRow("N + 1, L0 270: stays") << 1 << 200 << 270 << 200;
    }
    void faculaLongitude() {
        QFETCH(int, fromN);
        QFETCH(int, l);
        QFETCH(int, centralLongitude);
        QFETCH(int, onMap);
        QCOMPARE(faculaLongitudeOnMap(l, 2000 + fromN, centralLongitude, 2000), onMap);
    }

    void faculaeBeyondZeroLandInTheMargin() {
        // 19.02.2003 12:00: rotation 1999, L0 = 10.5. A field at the west limb lies near
        // l = 300, already mapped early in the rotation; drawn at l - 360 it falls right of
        // 0 degrees, under the blanked margin.
        ObservationRecord r = observation(QStringLiteral("19.02.2003"));
        QCOMPARE(r.rotation, uint16_t(1999));
        QVERIFY(r.centralLongitude < 90);
        addFaculaField(r, {packPosition(90, 120), packPosition(80, 118)});
        const MapModel m = mapOf(*storeOf({r}), 1999);
        QCOMPARE(m.faculae.size(), size_t(1));
        for (const QPoint &p : m.faculae[0])
            QVERIFY2(p.x() > 741 + 2 * 40, qPrintable(QString::number(p.x())));
        QCOMPARE(m.margins[1].left(), 741);
        QCOMPARE(m.margins[0], QRect(QPoint(0, 1), QPoint(19, 400)));
    }

    void groupNumbers_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("placed");
        QTest::newRow("0: not numbered") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("70") << 70 << true;
        QTest::newRow("71: beyond the table") << 71 << false;
    }
    void groupNumbers() {
        QFETCH(int, number);
        QFETCH(bool, placed);
        ObservationRecord r = observation(QStringLiteral("21.06.2001"));
        addGroupAt(r, number, 10, 100);
        const MapModel m = mapOf(*storeOf({r}), kRotation);
        QCOMPARE(m.groups.size(), size_t(placed ? 1 : 0));
        QCOMPARE(m.labels.size(), size_t(placed ? 1 : 0));
        QCOMPARE(mapGroupRows(m).size(), size_t(placed ? 1 : 0));
        if (placed)
            QCOMPARE(m.groups[0].number, number);
    }

    void groupDrawnOnceAtItsMean() {
        // Group 5 on three drawings, at (b, l) = (10, 100), (12, 110), (17, 121): x = 740 - 2l
        // gives 540, 520, 498, y = 220 - 2b gives 200, 196, 186; the means (integer) are
        // 1558 / 3 = 519 and 582 / 3 = 194. Areas 0, 1600, 2500 give radii
        // max(1, 0) = 1, round(24 x 16) / 64 = 6 and round(30 x 16) / 64 = 7: mean 4.
        ObservationRecord a = observation(QStringLiteral("21.06.2001"));
        ObservationRecord b = observation(QStringLiteral("22.06.2001"));
        ObservationRecord c = observation(QStringLiteral("23.06.2001"));
        SunspotGroup &ga = addGroupAt(a, 5, 10, 100, 0);
        SunspotGroup &gb = addGroupAt(b, 5, 12, 110, 1600);
        addGroupAt(c, 5, 17, 121, 2500);
        // The first auxiliary spot on two drawings, next to the group: radii 6 and 0.
        ga.aux1Position = packPosition(ga.angle / 10, ga.distance / 10);
        ga.aux1Area = 1600;
        gb.aux1Position = packPosition(gb.angle / 10, gb.distance / 10);
        gb.aux1Area = 0;
        const MapModel m = mapOf(*storeOf({a, b, c}), kRotation);
        QCOMPARE(m.title.text, QStringLiteral("Číslo rotace  1977"));
        QCOMPARE(m.range, (RecordRange{1, 3}));
        QCOMPARE(m.groups.size(), size_t(1));
        const MapGroup &g = m.groups[0];
        QCOMPARE(g.number, 5);
        QCOMPARE(g.count, 3);
        QCOMPARE(g.circle, (MapCircle{QPoint(519, 194), 4}));
        QCOMPARE(g.auxSpots.size(), size_t(1));
        QCOMPARE(g.auxSpots[0].radius, 3);
        QVERIFY((g.auxSpots[0].centre - QPoint(530, 198)).manhattanLength() <= 6);

        QCOMPARE(m.labels.size(), size_t(1));
        QCOMPARE(m.labels[0].latitude.text, QStringLiteral("13.0"));
        QCOMPARE(m.labels[0].longitude.text, QStringLiteral("110.3"));
        const std::vector<MapGroupRow> rows = mapGroupRows(m);
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0].group, 5);
        QCOMPARE(rows[0].count, 3);
        QVERIFY(std::abs(rows[0].meanLatitude - 13.0) < 0.05);
        QVERIFY(std::abs(rows[0].meanLongitude - 331.0 / 3) < 0.05);
    }

    void groupTableText() {
        QCOMPARE(mapGroupHeader(),
                 QStringList({"group", "meanLatitude", "meanLongitude", "count"}));
        QCOMPARE(mapGroupFields({12, -10.25, 200.5, 3}),
                 QStringList({"12", "-10.2500", "200.5000", "3"}));
    }

    void specialAndUnreadableRecordsLeftOut() {
        ObservationRecord ordinary = observation(QStringLiteral("21.06.2001"));
        addGroupAt(ordinary, 5, 10, 100);
        addFaculaField(ordinary, {packPosition(0, 60), packPosition(10, 60)});
        ObservationRecord special = observation(QStringLiteral("22.06.2001"));
        addGroupAt(special, 5, -20, 120);
        addFaculaField(special, {packPosition(0, 60), packPosition(10, 60)});
        writeText(special.specialMark, specialMarkText());
        ObservationRecord unreadable = special;
        writeText(unreadable.specialMark, QString());
        writeText(unreadable.dateText, QStringLiteral("31.06.2001"));
        auto store = storeOf({ordinary, special});
        store->appendRecord(unreadable);
        const MapModel m = mapOf(*store, kRotation);
        QCOMPARE(m.range, (RecordRange{1, 3}));
        QCOMPARE(m.groups.size(), size_t(1));
        QCOMPARE(m.groups[0].count, 1);
        QCOMPARE(m.faculae.size(), size_t(1));
    }

    void labelRows_data() {
        QTest::addColumn<int>("index"); // in the sorted table
        QTest::addColumn<int>("group");
        QTest::addColumn<QPoint>("latitudePos");
        QTest::addColumn<QPoint>("longitudePos");
        // At s = 16 map units are pixels: rows at 402 + 30 row - 12 (b) and 402 + 30 row
        // (l), columns at 30 column - 5. A row breaks before every 24th label, so row 1
        // holds 23 labels and the later rows 24. Largest longitude first: group 60.
        QTest::newRow("first") << 0 << 60 << QPoint(25, 420) << QPoint(25, 432);
        QTest::newRow("23rd, end of row 1") << 22 << 38 << QPoint(685, 420) << QPoint(685, 432);
        QTest::newRow("24th starts row 2") << 23 << 37 << QPoint(25, 450) << QPoint(25, 462);
        QTest::newRow("47th, end of row 2") << 46 << 14 << QPoint(715, 450) << QPoint(715, 462);
        QTest::newRow("48th starts row 3") << 47 << 13 << QPoint(25, 480) << QPoint(25, 492);
        QTest::newRow("last") << 59 << 1 << QPoint(385, 480) << QPoint(385, 492);
    }
    void labelRows() {
        QFETCH(int, index);
        QFETCH(int, group);
        QFETCH(QPoint, latitudePos);
        QFETCH(QPoint, longitudePos);
        // Groups 1..60 on two drawings of one day, group i at l = 52 + 2i.
        ObservationRecord a = observation(QStringLiteral("21.06.2001"), 1200);
        ObservationRecord b = observation(QStringLiteral("21.06.2001"), 1300);
        for (int i = 1; i <= 60; ++i)
            addGroupAt(i <= 30 ? a : b, i, -20 + i % 40, 52 + 2 * i);
        const MapModel m = mapOf(*storeOf({a, b}), kRotation);
        QCOMPARE(m.labels.size(), size_t(60));
        const MapLabel &label = m.labels[static_cast<size_t>(index)];
        QCOMPARE(label.group, group);
        QCOMPARE(label.latitude.pos, latitudePos);
        QCOMPARE(label.longitude.pos, longitudePos);
        QCOMPARE(label.latitude.fontPx, 8);
        // Every row starts with "b" and "l" at x 10.
        QCOMPARE(m.rowCaptions.size(), size_t(6));
        QCOMPARE(m.rowCaptions[4].text, QStringLiteral("b"));
        QCOMPARE(m.rowCaptions[4].pos, QPoint(10, 480));
        QCOMPARE(m.rowCaptions[5].text, QStringLiteral("l"));
        QCOMPARE(m.rowCaptions[5].pos, QPoint(10, 492));
    }

    void spotsAndFaculaeDrawnAtR100() {
        // One drawing on a 100 mm disk and the same drawing on a 125 mm disk: the stored
        // group position and the areas are on the 125 mm scale in both, the auxiliary spot
        // and the faculae vertices are millimetres as drawn: 80 mm of 100 is 100 mm of 125.
        // Both must give the same map.
        const auto drawing = [](int auxMm, int faculaMm) {
            ObservationRecord r = observation(QStringLiteral("21.06.2001"));
            SunspotGroup &g = addGroupAt(r, 7, 20, 130, 900);
            g.aux1Position = packPosition(300, auxMm);
            g.aux1Area = 900;
            addFaculaField(r, {packPosition(30, faculaMm), packPosition(40, faculaMm),
                               packPosition(35, faculaMm * 9 / 10)});
            return r;
        };
        const MapModel at100 = mapOf(*storeOf({drawing(80, 80)}, 100), kRotation);
        const MapModel at125 = mapOf(*storeOf({drawing(100, 100)}, 125), kRotation);
        QCOMPARE(at100.groups.size(), size_t(1));
        QCOMPARE(at100.groups[0].auxSpots, at125.groups[0].auxSpots);
        QCOMPARE(at100.faculae.size(), size_t(1));
        QCOMPARE(at100.faculae, at125.faculae);
        // Read as 125 mm millimetres, the spot 80 mm out would lie 20 % nearer the centre.
        const MapModel unscaled = mapOf(*storeOf({drawing(80, 80)}, 125), kRotation);
        QVERIFY(unscaled.groups[0].auxSpots != at100.groups[0].auxSpots);
    }

    void frameAndARotationWithoutRecords() {
        // Grid every 10 degrees: 19 parallels from y 40 to 400, 37 meridians from x 20 to
        // 740; "270" .. "0" under the chart at 180 k + 12; "90" .. "-90" at y 20 k - 5.
        const MapFrame f = mapFrame(32);
        QCOMPARE(f.grid.size(), size_t(19 + 37));
        QCOMPARE(f.grid.front(), QLine(20, 40, 740, 40));
        QCOMPARE(f.grid.back(), QLine(740, 40, 740, 400));
        QCOMPARE(f.longitudeLabels.size(), size_t(4));
        QCOMPARE(f.longitudeLabels[0].text, QStringLiteral("270"));
        QCOMPARE(f.longitudeLabels[3].text, QStringLiteral("0"));
        QCOMPARE(f.longitudeLabels[3].pos, QPoint(732, 402));
        QCOMPARE(f.longitudeLabels[3].fontPx, 26);
        QCOMPARE(f.latitudeLabels.size(), size_t(19));
        QCOMPARE(f.latitudeLabels.front().text, QStringLiteral("90"));
        QCOMPARE(f.latitudeLabels.front().pos, QPoint(4, 35));
        QCOMPARE(f.latitudeLabels.back().text, QStringLiteral("-90"));
        QCOMPARE(f.latitudeLabels.back().pos, QPoint(4, 395));

        ObservationRecord r = observation(QStringLiteral("21.06.2001"));
        addGroupAt(r, 4, 10, 100);
        const MapModel m = mapOf(*storeOf({r}), 1500);
        QVERIFY(m.range.empty());
        QVERIFY(m.groups.empty() && m.labels.empty() && m.faculae.empty());
        QCOMPARE(m.title.text, QStringLiteral("Číslo rotace  1500"));
        QCOMPARE(m.rowCaptions.size(), size_t(2)); // the first row's "b" and "l" stand alone
    }

    void groupRadius_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("smallSpots");
        QTest::addColumn<double>("radius"); // R, mm
        QTest::addColumn<int>("pageWidth"); // 0: a window 760 wide, s = 16
        QTest::addColumn<int>("expected");
        // r = round(sqrt(round(area + smallSpots x 1912.5 / R) x 0.36) x s) / 64, at least 1
        QTest::newRow("no area: at least 1") << 0 << 0 << 125.0 << 0 << 1;
        QTest::newRow("1600") << 1600 << 0 << 125.0 << 0 << 6;                     // 384 / 64
        QTest::newRow("2500") << 2500 << 0 << 125.0 << 0 << 7;                     // 480 / 64
        QTest::newRow("1600 on paper, s 100") << 1600 << 0 << 125.0 << 4800 << 37; // 2400 / 64
        QTest::newRow("100 small spots, R 125") << 0 << 100 << 125.0 << 0 << 5;    // 1530: 376
        QTest::newRow("100 small spots, R 100") << 0 << 100 << 100.0 << 0 << 6;    // 1912: 420
    }
    void groupRadius() {
        QFETCH(int, area);
        QFETCH(int, smallSpots);
        QFETCH(double, radius);
        QFETCH(int, pageWidth);
        QFETCH(int, expected);
        ObservationRecord r = observation(QStringLiteral("21.06.2001"));
        addGroupAt(r, 3, 0, 110, area).smallSpots = static_cast<uint16_t>(smallSpots);
        auto store = storeOf({r}, radius);
        const MapGeometry geometry =
            pageWidth > 0 ? pageMapGeometry(pageWidth) : screenMapGeometry(760);
        const MapModel m = buildMapModel(*store, mapSettings(*store, kRotation, geometry));
        QCOMPARE(m.groups.at(0).circle.radius, expected);
    }

    void geometry_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("rightEdge");
        // Screen: s = width x 16 div 760, the margin to the client width; paper: s = page
        // width div 48, the margin over the whole page (4800 px are 768 map units at s 100).
        QTest::newRow("window 760") << false << 760 << 16 << 760;
        QTest::newRow("window 1000") << false << 1000 << 21 << 1000;
        QTest::newRow("page 4800") << true << 4800 << 100 << 768;
        QTest::newRow("page 4961") << true << 4961 << 103 << 771; // 770.6 rounded up
    }
    void geometry() {
        QFETCH(bool, page);
        QFETCH(int, width);
        QFETCH(int, scale);
        QFETCH(int, rightEdge);
        const MapGeometry g = page ? pageMapGeometry(width) : screenMapGeometry(width);
        QCOMPARE(g.scale, scale);
        QCOMPARE(g.rightEdge, rightEdge);
        QVERIFY(mapToPixels(g.rightEdge, g.scale) >= (page ? width : 0));
    }
};

ORVANEK_REGISTER_TEST(TestMapModel);

#include "tst_mapmodel.moc"
