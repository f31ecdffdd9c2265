// The synoptic map's model: the rotation list, the record range, which groups and faculae
// a rotation takes, the means, the label table and the drawing radius.
#include "data/dates.h"
#include "data/observationstore.h"
#include "datedrecord.h"
#include "solar/conversion.h"
#include "solar/rounding.h"
#include "testregistry.h"
#include "views/map/mapmodel.h"

#include <QTest>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;
using RecordKeys = QList<std::pair<int, int>>; // rotation - N, central longitude

namespace {

Ephemeris ephemerisOf(const ObservationRecord &r) {
    return solarEphemeris(*recordDate(r, 2026), r.timeUT);
}

// A record as the commit stores it, with its moment's rotation and central longitude.
ObservationRecord observation(const QString &date, uint16_t timeUT = 1200) {
    ObservationRecord r = datedRecord(date, timeUT);
    r.rotation = static_cast<uint16_t>(ephemerisOf(r).rotation);
    r.centralLongitude = static_cast<uint16_t>(ephemerisOf(r).L0);
    return r;
}

// Group `number` at heliographic b, l (degrees), stored as polar angle and distance.
SunspotGroup &addGroupAt(ObservationRecord &r, int number, double b, double l, int area = 400) {
    const PolarPosition p = heliographicToPolar(ephemerisOf(r), float(b), float(l), 125);
    SunspotGroup &g = r.group(++r.groupCount);
    g.angle = roundToWord(p.polarAngle * 10);
    g.distance = roundToWord(p.polarDistance * 10);
    g.area = static_cast<uint16_t>(area);
    g.rotationGroupNumber = static_cast<uint16_t>(number);
    return g;
}

void addField(ObservationRecord &r, QList<uint16_t> vertices) {
    std::copy(vertices.begin(), vertices.end(), r.facula(++r.faculaFieldCount).vertices);
}

std::unique_ptr<ObservationStore> storeOf(const std::vector<ObservationRecord> &records,
                                          double radius = 125) {
    auto store = std::make_unique<ObservationStore>(QDate(2026, 1, 1));
    for (const ObservationRecord &r : records)
        store->appendRecord(r); // as they are, an unreadable date too
    store->setDrawingSetup(radius, false);
    return store;
}

// The map in a window 760 wide: s = 16, map units are pixels.
MapModel mapOf(const ObservationStore &store, int rotation,
               const MapGeometry &geometry = screenMapGeometry(760)) {
    return buildMapModel(store, mapSettings(store, rotation, geometry));
}

// Noon of 21, 22 and 23.06.2001 is in rotation 1977 with L0 = 114.2, 100.9 and 87.7 (the
// ephemeris' reference table gives 116.11 at 21.06.2001 08:30).
constexpr int kRotation = 1977;

} // namespace

class TestMapModel : public QObject {
    Q_OBJECT

  private slots:
    void rotationStarts_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QDate>("start");     // reference, UTC
        QTest::addColumn<QDate>("nextStart"); // reference, UTC
        QTest::addColumn<QString>("caption");
        // Starts from carrington_rotation_start_times_sunpy.csv (SunPy 4.1.2); 2132 also in
        // the Astronomical Almanac 2013, p. C4: 2012-12-29.49 TT. Captions by hand from
        // 1.1.1989 + (360 N - 651960 + 107.6) / 13.1985 + 0.5 days, + 27.27 for the end.
        QTest::newRow("1811") << 1811 << QDate(1989, 1, 9) << QDate(1989, 2, 5)
                              << "Mapa   09.01.1989 - 05.02.1989"; // 04:04, 12:15
        QTest::newRow("1957") << 1957 << QDate(1999, 12, 5) << QDate(2000, 1, 1)
                              << "Mapa   05.12.1999 - 02.01.2000"; // 06:46, 14:36
        QTest::newRow("2132") << 2132 << QDate(2012, 12, 29) << QDate(2013, 1, 25)
                              << "Mapa   30.12.2012 - 26.01.2013"; // 11:49, 19:57
        QTest::newRow("2300") << 2300 << QDate(2025, 7, 16) << QDate(2025, 8, 12)
                              << "Mapa   17.07.2025 - 13.08.2025"; // 17:03, 22:17
    }
    void rotationStarts() {
        QFETCH(int, rotation);
        QFETCH(QDate, start);
        QFETCH(QDate, nextStart);
        QFETCH(QString, caption);
        // A drawing every evening at 18:00 UT, later than each start: the list's new item
        // begins on the day the rotation began.
        std::vector<ObservationRecord> records;
        for (int day = -3; day <= 3; ++day)
            records.push_back(observation(shortDate(toCalendarDate(start.addDays(day))), 1800));
        const std::vector<RotationItem> items = rotationList(*storeOf(records));
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0].rotation, rotation - 1);
        QCOMPARE(items[0].firstRecord, 1);
        QCOMPARE(items[1].rotation, rotation);
        QCOMPARE(items[1].firstRecord, 4);
        QCOMPARE(rotationItemOf(items, rotation), 1);
        // The caption's dates fall on the reference days or, by the half day, the next.
        QCOMPARE(mapCaption(rotation), caption);
        const RotationDates dates = rotationDates(rotation);
        const qint64 startLate = start.daysTo(toQDate(dates.start));
        const qint64 endLate = nextStart.daysTo(toQDate(dates.end));
        QVERIFY((startLate == 0 || startLate == 1) && (endLate == 0 || endLate == 1));
    }

    void oneRotationOneItem() {
        const std::vector<RotationItem> items = rotationList(*storeOf(
            {observation("21.06.2001"), observation("22.06.2001"), observation("23.06.2001")}));
        QCOMPARE(items.size(), size_t(1));
        QCOMPARE(items[0].rotation, kRotation);
    }

    void recordRange_data() {
        QTest::addColumn<RecordKeys>("records");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("from N - 1 below 90 to N + 1 from 270")
            << RecordKeys{{-1, 200}, {-1, 89}, {0, 300}, {0, 10}, {1, 300}, {1, 270}, {1, 269}} << 2
            << 6;
        QTest::newRow("N - 1 at 90 does not start it")
            << RecordKeys{{-1, 90}, {0, 350}, {1, 200}} << 2 << 2;
        QTest::newRow("above N + 1 ends it") << RecordKeys{{0, 100}, {2, 350}, {0, 50}} << 1 << 1;
        QTest::newRow("no record of N") << RecordKeys{{-2, 10}, {1, 300}} << 0 << -1;
        // A placeholder saved amid the drawings (rotation 0) neither belongs nor ends it.
        QTest::newRow("placeholder inside") << RecordKeys{{0, 100}, {-2000, 0}, {0, 50}} << 1 << 3;
    }
    void recordRange() {
        QFETCH(RecordKeys, records);
        QFETCH(int, first);
        QFETCH(int, last);
        std::vector<ObservationRecord> list;
        for (const auto &[fromN, centralLongitude] : records) {
            list.push_back(fromN == -2000 ? datedRecord("20.02.2003", 0)
                                          : observation("20.02.2003"));
            list.back().rotation = static_cast<uint16_t>(2000 + fromN);
            list.back().centralLongitude = static_cast<uint16_t>(centralLongitude);
        }
        QCOMPARE(rotationRecordRange(*storeOf(list), 2000), (RecordRange{first, last}));
    }

    void groupTaken_data() {
        QTest::addColumn<int>("fromN"); // the record's rotation - N
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("L0");
        QTest::addColumn<bool>("taken");
        QTest::newRow("N - 1, beyond 270, L0 below 90") << -1 << 270.5 << 89.9 << true;
        QTest::newRow("N - 1 at 270") << -1 << 270.0 << 10.0 << false;
        QTest::newRow("N, both above 180") << 0 << 180.5 << 180.5 << true;
        QTest::newRow("N, L0 at 180") << 0 << 200.0 << 180.0 << false;
        QTest::newRow("N, l below 180, L0 below 270") << 0 << 179.5 << 269.5 << true;
        QTest::newRow("N, L0 at 270") << 0 << 100.0 << 270.0 << false;
        QTest::newRow("N, l 180, L0 200") << 0 << 180.0 << 200.0 << false;
        QTest::newRow("N, l 180, L0 100") << 0 << 180.0 << 100.0 << false;
        QTest::newRow("N + 1 below 90") << 1 << 89.5 << 350.0 << true;
        QTest::newRow("N + 1 at 90") << 1 << 90.0 << 300.0 << false;
        QTest::newRow("N + 2") << 2 << 10.0 << 350.0 << false;
    }
    void groupTaken() {
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
        QTest::newRow("N - 1, L0 271, l 89") << -1 << 89 << 271 << 449;
        QTest::newRow("N - 1, L0 270, l 89") << -1 << 89 << 270 << 89;
        QTest::newRow("N - 1, L0 179, l 179") << -1 << 179 << 179 << 539;
        QTest::newRow("N - 1, L0 179, l 180") << -1 << 180 << 179 << 180;
        QTest::newRow("N, L0 271, l 89") << 0 << 89 << 271 << 449;
        QTest::newRow("N, L0 271, l 90") << 0 << 90 << 271 << 90;
        QTest::newRow("N, L0 89, l 300") << 0 << 300 << 89 << -60;
        QTest::newRow("N, L0 10, l 271") << 0 << 271 << 10 << -89;
        QTest::newRow("N, L0 10, l 270") << 0 << 270 << 10 << 270;
        QTest::newRow("N, L0 90, l 300") << 0 << 300 << 90 << 300;
        QTest::newRow("N + 1, L0 271, l 181") << 1 << 181 << 271 << -179;
        QTest::newRow("N + 1, L0 271, l 180") << 1 << 180 << 271 << 180;
        QTest::newRow("N + 1, L0 270, l 200") << 1 << 200 << 270 << 200;
    }
    void faculaLongitude() {
        QFETCH(int, fromN);
        QFETCH(int, l);
        QFETCH(int, centralLongitude);
        QFETCH(int, onMap);
        QCOMPARE(faculaLongitudeOnMap(l, 2000 + fromN, centralLongitude, 2000), onMap);
    }

    void faculaeBeyondZeroInTheMargin() {
        // 19.02.2003 noon: rotation 1999, L0 = 10.5. A field at the west limb lies near
        // l = 300, mapped early in the rotation already; at l - 360 it falls right of 0
        // degrees (x 740), under the blanked margin.
        ObservationRecord r = observation("19.02.2003");
        QCOMPARE(r.rotation, uint16_t(1999));
        addField(r, {packPosition(90, 120), packPosition(80, 118)});
        const MapModel m = mapOf(*storeOf({r}), 1999);
        QCOMPARE(m.faculae.size(), size_t(1));
        for (const QPoint &p : m.faculae[0])
            QVERIFY(p.x() > 800 && m.margins[1].left() == 741);
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
        ObservationRecord r = observation("21.06.2001");
        addGroupAt(r, number, 10, 100);
        const MapModel m = mapOf(*storeOf({r}), kRotation);
        QCOMPARE(m.groups.size(), size_t(placed));
        QCOMPARE(mapGroupRows(m).size(), size_t(placed));
    }

    void groupDrawnOnceAtItsMean() {
        // Group 5 at (b, l) = (10, 100), (12, 110), (17, 121): x = 740 - 2l is 540, 520,
        // 498, y = 220 - 2b is 200, 196, 186, means 1558 / 3 = 519 and 582 / 3 = 194.
        // Areas 0, 1600, 2500: radii at least 1, round(24 x 16) / 64 = 6, 480 / 64 = 7;
        // mean 4. A special record and one without a readable date add nothing.
        ObservationRecord a = observation("21.06.2001"), b = observation("22.06.2001"),
                          c = observation("23.06.2001");
        SunspotGroup &ga = addGroupAt(a, 5, 10, 100, 0);
        SunspotGroup &gb = addGroupAt(b, 5, 12, 110, 1600);
        addGroupAt(c, 5, 17, 121, 2500);
        // The first auxiliary spot on two drawings, next to the group: radii 6 and 0.
        ga.aux1Position = packPosition(ga.angle / 10, ga.distance / 10);
        ga.aux1Area = 1600;
        gb.aux1Position = packPosition(gb.angle / 10, gb.distance / 10);
        ObservationRecord special = c, unreadable = c;
        writeText(special.specialMark, specialMarkText());
        writeText(unreadable.dateText, QStringLiteral("31.06.2001"));
        const MapModel m = mapOf(*storeOf({a, b, c, special, unreadable}), kRotation);
        QCOMPARE(m.range, (RecordRange{1, 5}));
        QCOMPARE(m.groups.size(), size_t(1));
        QCOMPARE(m.groups[0].count, 3);
        QCOMPARE(m.groups[0].circle, (MapCircle{QPoint(519, 194), 4}));
        QCOMPARE(m.groups[0].auxSpots.size(), size_t(1));
        QCOMPARE(m.groups[0].auxSpots[0].radius, 3);
        QVERIFY((m.groups[0].auxSpots[0].centre - QPoint(530, 198)).manhattanLength() <= 6);
        QCOMPARE(m.labels.at(0).latitude.text, QStringLiteral("13.0"));
        QCOMPARE(m.labels.at(0).longitude.text, QStringLiteral("110.3"));
        const MapGroupRow row = mapGroupRows(m).at(0);
        QCOMPARE(mapGroupFields(row).first(), QStringLiteral("5"));
        QCOMPARE(mapGroupFields(row).last(), QStringLiteral("3"));
        QVERIFY(qAbs(row.meanLatitude - 13.0) < 0.05 && qAbs(row.meanLongitude - 331.0 / 3) < 0.05);
        QCOMPARE(mapGroupFields({12, -10.25, 200.5, 3}),
                 QStringList({"12", "-10.2500", "200.5000", "3"}));
        QCOMPARE(mapGroupHeader(),
                 QStringList({"group", "meanLatitude", "meanLongitude", "count"}));
    }

    // Groups 3 and 8 at the same place have the same mean longitude: the larger number comes
    // first. Group 5 east of them (larger l) before both, group 2 west of them after.
    void equalLongitudesByDecreasingNumber() {
        ObservationRecord r = observation("21.06.2001");
        addGroupAt(r, 3, 10, 100);
        addGroupAt(r, 2, 10, 90);
        addGroupAt(r, 8, 10, 100);
        addGroupAt(r, 5, -10, 110);
        QList<int> order;
        for (const MapGroupRow &row : mapGroupRows(mapOf(*storeOf({r}), kRotation)))
            order << row.group;
        QCOMPARE(order, QList<int>({5, 8, 3, 2}));
    }

    // Faculae of a drawing of rotation N + 1 (stored central longitude 270 or more, so in
    // the range of N) are filled only when the drawing's own L0 is over 270: 09.06.2001 noon
    // has L0 273.07, 10.06.2001 noon 259.83 (the ephemeris), here stored as 275.
    void faculaeOfTheNextRotation_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("faculae");
        QTest::newRow("L0 273.07") << "09.06.2001" << 1;
        QTest::newRow("L0 259.83") << "10.06.2001" << 0;
    }
    void faculaeOfTheNextRotation() {
        QFETCH(QString, date);
        QFETCH(int, faculae);
        ObservationRecord next = observation(date);
        QCOMPARE(int(next.rotation), kRotation);
        next.centralLongitude = std::max<uint16_t>(next.centralLongitude, 275);
        addField(next, {packPosition(90, 30), packPosition(100, 30), packPosition(95, 40)});
        const MapModel m = mapOf(*storeOf({observation("25.05.2001"), next}), kRotation - 1);
        QCOMPARE(m.range, (RecordRange{1, 2}));
        QCOMPARE(int(m.faculae.size()), faculae);
    }

    void labelRows_data() {
        QTest::addColumn<int>("index"); // in the sorted table
        QTest::addColumn<int>("group");
        QTest::addColumn<QPoint>("latitudePos");
        QTest::addColumn<QPoint>("longitudePos");
        // Rows at 402 + 30 row - 12 (b) and 402 + 30 row (l), columns at 30 column - 5. A
        // row breaks before every 24th label: row 1 holds 23, later rows 24. Largest
        // longitude first: group 60.
        QTest::newRow("first") << 0 << 60 << QPoint(25, 420) << QPoint(25, 432);
        QTest::newRow("23rd ends row 1") << 22 << 38 << QPoint(685, 420) << QPoint(685, 432);
        QTest::newRow("24th starts row 2") << 23 << 37 << QPoint(25, 450) << QPoint(25, 462);
        QTest::newRow("47th ends row 2") << 46 << 14 << QPoint(715, 450) << QPoint(715, 462);
        QTest::newRow("48th starts row 3") << 47 << 13 << QPoint(25, 480) << QPoint(25, 492);
    }
    void labelRows() {
        QFETCH(int, index);
        QFETCH(int, group);
        QFETCH(QPoint, latitudePos);
        QFETCH(QPoint, longitudePos);
        // Groups 1..60 on two drawings of one day, group i at l = 52 + 2i.
        ObservationRecord a = observation("21.06.2001", 1200), b = observation("21.06.2001", 1300);
        for (int i = 1; i <= 60; ++i)
            addGroupAt(i <= 30 ? a : b, i, -20 + i % 40, 52 + 2 * i);
        const MapModel m = mapOf(*storeOf({a, b}), kRotation);
        const MapLabel &label = m.labels.at(size_t(index));
        QCOMPARE(label.group, group);
        QCOMPARE(label.latitude.pos, latitudePos);
        QCOMPARE(label.longitude.pos, longitudePos);
        // Every row begins with "b" and "l" at x 10.
        QCOMPARE(m.rowCaptions.size(), size_t(6));
        QCOMPARE(m.rowCaptions[4].pos, QPoint(10, 480));
        QCOMPARE(m.rowCaptions[5].text, QStringLiteral("l"));
    }

    void spotsAndFaculaeDrawnAtR100() {
        // One drawing on a 100 mm and on a 125 mm disk: group positions and areas are on the
        // 125 mm scale in both, auxiliary spots and faculae vertices millimetres as drawn,
        // so 80 mm of 100 is 100 mm of 125. The maps must agree.
        const auto drawing = [](int mm) {
            ObservationRecord r = observation("21.06.2001");
            SunspotGroup &g = addGroupAt(r, 7, 20, 130, 900);
            g.aux1Position = packPosition(300, mm);
            g.aux1Area = 900;
            addField(r,
                     {packPosition(30, mm), packPosition(40, mm), packPosition(35, mm * 9 / 10)});
            return r;
        };
        const MapModel at100 = mapOf(*storeOf({drawing(80)}, 100), kRotation);
        const MapModel at125 = mapOf(*storeOf({drawing(100)}, 125), kRotation);
        QCOMPARE(at100.groups.at(0).auxSpots, at125.groups.at(0).auxSpots);
        QCOMPARE(at100.faculae, at125.faculae);
        QCOMPARE(at100.faculae.size(), size_t(1));
    }

    void groupRadius_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("smallSpots");
        QTest::addColumn<double>("radius"); // R, mm
        QTest::addColumn<int>("pageWidth"); // 0: the window 760 wide, s = 16
        QTest::addColumn<int>("expected");
        // round(sqrt(round(area + smallSpots x 1912.5 / R) x 0.36) x s) / 64, at least 1
        QTest::newRow("no area: 1") << 0 << 0 << 125.0 << 0 << 1;
        QTest::newRow("2500") << 2500 << 0 << 125.0 << 0 << 7;                       // 480 / 64
        QTest::newRow("1600, page 4800: s 100") << 1600 << 0 << 125.0 << 4800 << 37; // 2400
        QTest::newRow("100 small spots, R 125") << 0 << 100 << 125.0 << 0 << 5;      // 1530: 376
        QTest::newRow("100 small spots, R 100") << 0 << 100 << 100.0 << 0 << 6;      // 1912: 420
    }
    void groupRadius() {
        QFETCH(int, area);
        QFETCH(int, smallSpots);
        QFETCH(double, radius);
        QFETCH(int, pageWidth);
        QFETCH(int, expected);
        ObservationRecord r = observation("21.06.2001");
        addGroupAt(r, 3, 0, 110, area).smallSpots = static_cast<uint16_t>(smallSpots);
        const MapGeometry g = pageWidth ? pageMapGeometry(pageWidth) : screenMapGeometry(760);
        QCOMPARE(mapOf(*storeOf({r}, radius), kRotation, g).groups.at(0).circle.radius, expected);
    }

    // The margin beyond 0 degrees reaches the surface's right edge at any width: a window
    // narrower than the 760 units once got a margin ending inside the map.
    void marginReachesTheRightEdge_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("rightEdge");
        QTest::newRow("screen 760") << false << 760 << 16 << 760;
        QTest::newRow("screen 500") << false << 500 << 10 << 800;
        QTest::newRow("screen 1000") << false << 1000 << 21 << 762; // 16000 / 21 rounded up
        QTest::newRow("screen 30: no scale") << false << 30 << 0 << 760;
        QTest::newRow("page 4800") << true << 4800 << 100 << 768;
    }
    void marginReachesTheRightEdge() {
        QFETCH(bool, page);
        QFETCH(int, width);
        QFETCH(int, scale);
        QFETCH(int, rightEdge);
        const MapGeometry g = page ? pageMapGeometry(width) : screenMapGeometry(width);
        QCOMPARE(g.scale, scale);
        QCOMPARE(g.rightEdge, rightEdge);
    }
};

ORVANEK_REGISTER_TEST(TestMapModel);

#include "tst_mapmodel.moc"
