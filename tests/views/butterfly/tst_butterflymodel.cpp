// The butterfly diagram's model: group boxes, faculae strokes, the supplementary streams,
// the left axis and the keys.
#include "data/observationstore.h"
#include "datedrecord.h"
#include "solar/conversion.h"
#include "solar/rounding.h"
#include "testregistry.h"
#include "views/butterfly/butterflymodel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace orvanek;
using namespace orvanek::testing;
using Strokes = QList<ButterflyStroke>;

Q_DECLARE_METATYPE(orvanek::ButterflyStroke)
Q_DECLARE_METATYPE(orvanek::ButterflyMode)

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

// A group at latitude b, `fromMeridian` degrees of longitude from the central meridian.
void addGroupAt(ObservationRecord &r, double b, double fromMeridian) {
    const Ephemeris e = ephemerisOf(r);
    const PolarPosition p = heliographicToPolar(e, float(b), float(e.L0 + fromMeridian), 125);
    SunspotGroup &g = r.group(++r.groupCount);
    g.angle = roundToWord(p.polarAngle * 10);
    g.distance = roundToWord(p.polarDistance * 10);
}

void addField(ObservationRecord &r, QList<uint16_t> vertices) {
    std::copy(vertices.begin(), vertices.end(), r.facula(++r.faculaFieldCount).vertices);
}

// The records in a data directory with `block` as Motfakul.dat, loaded as the program does.
std::unique_ptr<ObservationStore> storeOf(const std::vector<ObservationRecord> &records,
                                          double radius = 125, const QByteArray &block = {}) {
    QTemporaryDir dir;
    QFile data(dir.filePath("data1.dat")), extra(dir.filePath("Motfakul.dat"));
    if (!data.open(QIODevice::WriteOnly) || data.write(recordsBytes(records)) < 0 ||
        (!block.isEmpty() && (!extra.open(QIODevice::WriteOnly) || extra.write(block) < 0)))
        qFatal("cannot write the test data");
    data.close();
    extra.close();
    auto store = std::make_unique<ObservationStore>(QDate(2026, 1, 1));
    if (!store->loadStore(dir.path()))
        qFatal("test data do not load");
    store->setDrawingSetup(radius, false);
    return store;
}

ButterflyState stateWith(int vs, int xs, ButterflyMode mode = ButterflyMode::Spots) {
    ButterflyState s;
    s.latitudeScale = vs;
    s.rotationWidth = xs;
    s.mode = mode;
    return s;
}

// 21.06.2001 12:00 UT is in rotation 1977 (the ephemeris' reference table): the left axis
// of a data set starting then is rotation 1900, the record's column 77 rotations right of it.
const QString kDay = QStringLiteral("21.06.2001");
constexpr int kColumn = 77;

QByteArray blockWith(const QList<std::pair<int, int>> &bytes) { // position, value
    QByteArray block(kButterflyBlockSize, '\0');
    for (const auto &[position, value] : bytes)
        block[position] = char(value);
    return block;
}

} // namespace

class TestButterflyModel : public QObject {
    Q_OBJECT

  private slots:
    void groupBox_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("fromMeridian");
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::addColumn<QRect>("box"); // y downward from the equator
        // v = int(2 b vs); the box runs from -2 - v/2 to vs div 2 - v/2 (excluded), halves
        // going down, xs - xs div 2 + 1 wide. East of the central meridian the column is the
        // record's rotation, west of it the next one.
        QTest::newRow("+10 deg: 32 to 29 above")
            << 10.1 << -30.0 << 3 << 1 << QRect(kColumn + 50, -32, 2, 3);
        QTest::newRow("-10 deg: 28 to 31 below")
            << -10.1 << -30.0 << 3 << 1 << QRect(kColumn + 50, 28, 2, 3);
        QTest::newRow("west: next rotation")
            << 10.1 << 30.0 << 3 << 1 << QRect(kColumn + 51, -32, 2, 3);
        // v = int(161.6) = 161, v/2 = 80; 9 wide.
        QTest::newRow("vs 4, xs 16")
            << 20.2 << -30.0 << 4 << 16 << QRect(kColumn * 16 + 50, -82, 9, 4);
        // v = int(-1.2) = -1, and -1/2 goes down to -1.
        QTest::newRow("half goes down")
            << -0.6 << -30.0 << 1 << 2 << QRect(kColumn * 2 + 50, -1, 2, 2);
    }
    void groupBox() {
        QFETCH(double, latitude);
        QFETCH(double, fromMeridian);
        QFETCH(int, vs);
        QFETCH(int, xs);
        QFETCH(QRect, box);
        // Seen on two drawings of the day: the same pixels, one box.
        ObservationRecord a = observation(kDay, 1200), b = observation(kDay, 1300);
        addGroupAt(a, latitude, fromMeridian);
        addGroupAt(b, latitude, fromMeridian);
        const ButterflyModel m = buildButterflyModel(*storeOf({a, b}), stateWith(vs, xs));
        QCOMPARE(m.groups, std::vector<QRect>{box});
    }

    void marks_data() {
        QTest::addColumn<ButterflyMode>("mode");
        QTest::addColumn<QString>("record"); // "special", "unreadable" or ordinary
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("strokes");
        QTest::newRow("spots") << ButterflyMode::Spots << "" << 2 << 0;
        QTest::newRow("faculae") << ButterflyMode::Faculae << "" << 0 << 1;
        QTest::newRow("both") << ButterflyMode::SpotsAndFaculae << "" << 2 << 1;
        QTest::newRow("special left out") << ButterflyMode::SpotsAndFaculae << "special" << 0 << 0;
        QTest::newRow("unreadable date left out")
            << ButterflyMode::SpotsAndFaculae << "unreadable" << 0 << 0;
    }
    void marks() {
        QFETCH(ButterflyMode, mode);
        QFETCH(QString, record);
        QFETCH(int, boxes);
        QFETCH(int, strokes);
        ObservationRecord r = observation(kDay);
        addGroupAt(r, 10, 0);
        addGroupAt(r, -20, 0);
        addField(r, {packPosition(0, 60), packPosition(10, 60)});
        addField(r, {0, packPosition(10, 60)}); // no first vertex: no stroke
        if (record == "special")
            writeText(r.specialMark, specialMarkText());
        if (record == "unreadable")
            writeText(r.dateText, QStringLiteral("31.02.2001"));
        const ButterflyModel m = buildButterflyModel(*storeOf({r}), stateWith(3, 1, mode));
        QCOMPARE(int(m.groups.size()), boxes);
        QCOMPARE(int(m.faculae.size()), strokes);
    }

    // The records are shared out among threads; their marks come back whole and in order.
    void workersShareTheRecords_data() {
        QTest::addColumn<unsigned>("workers");
        QTest::newRow("one") << 1u;
        QTest::newRow("three, runs of 3, 3 and 4 records") << 3u;
        QTest::newRow("more workers than records") << 16u;
    }
    void workersShareTheRecords() {
        QFETCH(unsigned, workers);
        // Ten records a rotation apart, the group of record k at latitude 10 + k; record 4 is
        // special, the even ones have a faculae field.
        std::vector<ObservationRecord> records;
        for (int k = 0; k < 10; ++k) {
            ObservationRecord r =
                observation(QDate(2001, 6, 21).addDays(28 * k).toString("dd.MM.yyyy"));
            addGroupAt(r, 10 + k, -30);
            if (k % 2 == 0)
                addField(r, {packPosition(0, 60)});
            if (k == 4)
                writeText(r.specialMark, specialMarkText());
            records.push_back(r);
        }
        const auto store = storeOf(records);
        const ButterflyMarks marks = butterflyMarks(*store, 2026, 125, true, workers);
        QCOMPARE(marks.groups.size(), size_t(9));
        QCOMPARE(marks.faculae.size(), size_t(4)); // records 0, 2, 6, 8
        int k = 0;
        for (const ButterflyMarks::Group &g : marks.groups) {
            if (k == 4)
                ++k;
            // A tenth of a degree covers the rounding of the stored angle and distance.
            QVERIFY2(std::abs(g.latitude - (10 + k)) < 0.1,
                     qPrintable(QString::number(g.latitude)));
            QCOMPARE(g.rotation, int32_t(records[size_t(k)].rotation));
            ++k;
        }
        QCOMPARE(marks.lowestRotation, int32_t(records.front().rotation));
        QCOMPARE(marks.highestRotation, int32_t(records.back().rotation));
        // Each mark exactly as one thread works it out.
        const ButterflyMarks alone = butterflyMarks(*store, 2026, 125, true, 1);
        for (size_t i = 0; i < marks.groups.size(); ++i)
            QCOMPARE(marks.groups[i].turn, alone.groups[i].turn);
    }

    void faculaStroke_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<QList<int>>("mm"); // up, up, down, (0), down
        // The same outline on a 125 mm and on a 100 mm drawing: 60 mm of 125 is 48 of 100.
        QTest::newRow("R 125") << 125.0 << QList<int>{60, 30, 40, 120};
        QTest::newRow("R 100") << 100.0 << QList<int>{48, 24, 32, 96};
    }
    void faculaStroke() {
        QFETCH(double, radius);
        QFETCH(QList<int>, mm);
        ObservationRecord r = observation(kDay);
        addField(r, {packPosition(0, mm[0]), packPosition(0, mm[1]), packPosition(180, mm[2]), 0,
                     packPosition(180, mm[3])});
        const ButterflyModel m =
            buildButterflyModel(*storeOf({r}, radius), stateWith(5, 2, ButterflyMode::Faculae));
        // Vertices 1..3 only: the zero vertex ends the outline. The stroke spans the highest
        // and lowest latitude in whole half degrees, vs x half / 2 rounded down, one pixel
        // left of the column of vertex 1. Latitudes on the 125 mm scale: 600 and 400.
        const Ephemeris e = ephemerisOf(r);
        const HeliographicPosition top = polarToHeliographic(e, 600, 0);
        const double bottom = polarToHeliographic(e, 400, 1800).helioLatitude;
        QVERIFY(top.helioLatitude > 25 && bottom < -15);
        const int column = int(kColumn + (360 - e.L0 + top.helioLongitude) / 360);
        const ButterflyStroke expected{2 * column + 50 - 1,
                                       -int(std::floor(5 * int(2 * top.helioLatitude) / 2.0)),
                                       -int(std::floor(5 * int(2 * bottom) / 2.0))};
        QCOMPARE(m.faculae, std::vector<ButterflyStroke>{expected});
    }

    void supplementaryStreams_data() {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<Strokes>("spots");
        QTest::addColumn<Strokes>("faculae");
        // vs 3, xs 1: column c at x = c + 49; a spot byte a from 2 below to 2 above latitude
        // a - 128; a faculae stroke between its byte and the one 5000 further, both + 128.
        QTest::newRow("255 at position 0: column 2")
            << blockWith({{0, 255}, {1, 138}}) << Strokes{{51, -28, -32}} << Strokes{};
        QList<std::pair<int, int>> edges{{0, 128}};
        const QList<std::pair<int, int>> ends = {{30, 100}, {31, 100}, {219, 100}, {220, 100},
                                                 {100, 30}, {100, 31}, {100, 219}, {100, 220}};
        for (int i = 0; i < ends.size(); ++i)
            edges << std::pair{15000 + i, ends[i].first} << std::pair{20000 + i, ends[i].second};
        QTest::newRow("faculae ends 30 and 220 not drawn")
            << blockWith(edges) << Strokes{{50, 2, -2}}
            << Strokes{{50, 291, 84}, {50, -273, 84}, {50, 84, 291}, {50, 84, -273}};
        // The 649th separator ends a stream: the byte after it is no column 650.
        QList<std::pair<int, int>> full{{0, 148},     {650, 148},   {15000, 148},
                                        {20000, 108}, {15650, 148}, {20650, 148}};
        for (int p = 1; p <= 649; ++p)
            full << std::pair{p, 255} << std::pair{15000 + p, 255};
        QTest::newRow("649 separators")
            << blockWith(full) << Strokes{{50, -58, -62}} << Strokes{{50, -60, 60}};
        // Zero bytes after the data would be -128 degrees.
        QTest::newRow("padding") << blockWith({{0, 118}, {1, 255}}) << Strokes{{50, 32, 28}}
                                 << Strokes{};
    }
    void supplementaryStreams() {
        QFETCH(QByteArray, block);
        QFETCH(Strokes, spots);
        QFETCH(Strokes, faculae);
        const SupplementaryStrokes s = supplementaryStrokes(block, stateWith(3, 1));
        QCOMPARE(Strokes(s.spots.begin(), s.spots.end()), spots);
        QCOMPARE(Strokes(s.faculae.begin(), s.faculae.end()), faculae);
    }

    void shortStreamStopsAtItsRegion() {
        // Two separators only: every spot byte up to 14999 and every faculae byte up to
        // 19999 is read, none beyond (the faculae bytes would be spots of 22 degrees, the
        // second ends first ends of 32 degrees).
        QByteArray block(kButterflyBlockSize, char(138));
        block[100] = block[200] = char(255);
        block.replace(15000, 5000, QByteArray(5000, char(150)));
        block.replace(20000, 5000, QByteArray(5000, char(160)));
        const SupplementaryStrokes s = supplementaryStrokes(block, stateWith(1, 1));
        QCOMPARE(s.spots.size(), size_t(15000 - 2));
        QCOMPARE(s.spots.back(), (ButterflyStroke{3 + 49, 2 - 10, -2 - 10}));
        QCOMPARE(s.faculae.size(), size_t(5000));
        QCOMPARE(s.faculae.back(), (ButterflyStroke{1 + 49, -22, -32}));
    }

    void leftAxis_data() {
        QTest::addColumn<bool>("fileHasData");
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<uint16_t>("currentTime");
        QTest::addColumn<int>("baseRotation");
        // Record 1 is dated 20.02.2003; rotation 2000 began that day at 06:52 UTC
        // (carrington_rotation_start_times_sunpy.csv, SunPy 4.1.2), and the ephemeris has
        // 1999 at 06:00, 2000 at 12:00. The time of day is the current record's.
        QTest::newRow("off, 06:00") << true << false << uint16_t(600) << 1900;
        QTest::newRow("off, 12:00") << true << false << uint16_t(1200) << 2000;
        QTest::newRow("on: 1300") << true << true << uint16_t(1200) << 1300;
        QTest::newRow("on, file without data") << false << true << uint16_t(1200) << 2000;
    }
    void leftAxis() {
        QFETCH(bool, fileHasData);
        QFETCH(bool, switchedOn);
        QFETCH(uint16_t, currentTime);
        QFETCH(int, baseRotation);
        const QByteArray block = blockWith({{0, fileHasData ? 138 : 0}, {1, 255}});
        auto store = storeOf(
            {observation("20.02.2003", 1800), observation("25.02.2003", currentTime)}, 125, block);
        ButterflyState state;
        state.supplementaryOn = switchedOn;
        const ButterflyModel m = buildButterflyModel(*store, state);
        QCOMPARE(m.settings.baseRotation, baseRotation);
        QCOMPARE(m.supplementary.spots.size(), size_t(fileHasData && switchedOn ? 1 : 0));
        const ButterflyFrame f = butterflyFrame(m, butterflyGeometry(QSize(800, 600)));
        QCOMPARE(f.rotationLabels[0].text, QString::number(baseRotation + 100));
        QCOMPARE(f.rotationLabels[0].pos, QPoint(135, 9 * 30 + 10)); // 100 xs + 35
    }

    void keys_data() {
        QTest::addColumn<QString>("keys"); // digits, W (F12, vpravo), N (F11, vlevo), + -
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::newRow("F12 five times stops at 16") << "WWWWW" << 3 << 16;
        QTest::newRow("F11 halves, stops at 1") << "WWWNNNN" << 3 << 1;
        QTest::newRow("F11 from 8") << "WWWN" << 3 << 4;
        QTest::newRow("digit, 0 is none") << "70" << 7 << 1;
        QTest::newRow("larger stops at 9") << "8+++" << 9 << 1;
        QTest::newRow("smaller stops at 1") << "2---" << 1 << 1;
    }
    void keys() {
        QFETCH(QString, keys);
        QFETCH(int, vs);
        QFETCH(int, xs);
        ButterflyState s;
        for (QChar key : keys)
            s = key.isDigit() ? withLatitudeScale(s, key.digitValue())
                : key == 'W'  ? widerRotations(s)
                : key == 'N'  ? narrowerRotations(s)
                : key == '+'  ? largerLatitudeScale(s)
                              : smallerLatitudeScale(s);
        QCOMPARE(s.latitudeScale, vs);
        QCOMPARE(s.rotationWidth, xs);
        QCOMPARE(horizontalScrollRange(s), xs * 1000 + 1000);
    }

    // The latitude lines reach the last rotation line, 20 steps of 100 rotations from the
    // axis at 50 (2050 at xs 1), beyond the scroll range of xs x 1000 + 1000 (2000).
    void latitudeLinesReachTheLastRotationLine() {
        const ButterflyModel m =
            buildButterflyModel(*storeOf({observation(kDay)}), stateWith(3, 1));
        const ButterflyFrame f = butterflyFrame(m, butterflyGeometry({900, 600}));
        QCOMPARE(f.verticals.back().x1(), 2050);
        for (const QLine &line : f.horizontals)
            QCOMPARE(line.x2(), 2050);
    }

    void latitudeLines_data() {
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("equatorY");
        QTest::addColumn<int>("lines");
        // Up to 90 degrees; above vs 4 as many 10-degree lines as fit in Y0.
        QTest::newRow("vs 4") << 4 << 100 << 9;
        QTest::newRow("vs 5") << 5 << 300 << 6;
        QTest::newRow("vs 9") << 9 << 250 << 2;
    }
    void latitudeLines() {
        QFETCH(int, vs);
        QFETCH(int, equatorY);
        QFETCH(int, lines);
        QCOMPARE(latitudeLineCount(vs, equatorY), lines);
    }
};

ORVANEK_REGISTER_TEST(TestButterflyModel);

#include "tst_butterflymodel.moc"
