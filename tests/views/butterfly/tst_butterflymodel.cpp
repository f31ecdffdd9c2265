// The butterfly diagram's model: group boxes, faculae strokes, the supplementary streams,
// the left axis, the keys and the frame.
#include "data/dates.h"
#include "data/observationstore.h"
#include "datedrecord.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
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

Q_DECLARE_METATYPE(orvanek::ButterflyStroke)
Q_DECLARE_METATYPE(orvanek::ButterflyMode)

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

// A group typed in as heliographic b and l (degrees) on a drawing of radius R, stored as
// polar angle and distance like every group.
SunspotGroup &addGroupAt(ObservationRecord &r, double b, double l, double radius = 125) {
    const PolarPosition p = heliographicToPolar(ephemerisOf(r), float(b), float(l), radius);
    SunspotGroup &g = r.group(++r.groupCount);
    g.angle = roundToWord(p.polarAngle * 10);
    g.distance = roundToWord(p.polarDistance * 10 * 125 / radius);
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

// A data directory with Motfakul.dat, loaded as the program loads it.
std::unique_ptr<ObservationStore> storeWithBlock(const QTemporaryDir &dir,
                                                 const std::vector<ObservationRecord> &records,
                                                 const QByteArray &block) {
    QFile data(dir.filePath(QStringLiteral("data1.dat")));
    QFile butterfly(dir.filePath(QStringLiteral("Motfakul.dat")));
    if (!data.open(QIODevice::WriteOnly) || data.write(recordsBytes(records)) < 0 ||
        !butterfly.open(QIODevice::WriteOnly) || butterfly.write(block) < 0)
        qFatal("cannot write the test data directory");
    data.close();
    butterfly.close();
    auto store = std::make_unique<ObservationStore>(kToday);
    if (!store->loadStore(dir.path()))
        qFatal("test data directory does not load");
    return store;
}

// 21.06.2001 12:00 UT lies in rotation 1977 (the ephemeris' reference table), so the left
// axis of a data set starting then is rotation 1900 and the record's column starts 77
// rotations right of it.
constexpr int kColumnOffset = 77;
const QString kDay = QStringLiteral("21.06.2001");

QByteArray emptyBlock() {
    return QByteArray(kButterflyBlockSize, '\0');
}

ButterflyState stateWith(int vs, int xs, ButterflyMode mode = ButterflyMode::Spots) {
    ButterflyState s;
    s.latitudeScale = vs;
    s.rotationWidth = xs;
    s.mode = mode;
    return s;
}

} // namespace

class TestButterflyModel : public QObject {
    Q_OBJECT

  private slots:
    void groupBox_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("fromMeridian"); // l - L0, degrees
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::addColumn<QRect>("box"); // y from the equator, downward
        // v = int(2 b vs); the box runs from -2 - v/2 up to vs div 2 - v/2 (excluded), the
        // halves going down; it is xs - xs div 2 + 1 wide. East of the central meridian the
        // column is the record's rotation, west of it the next one.
        QTest::newRow("+10 deg: 32 to 29 above the equator")
            << 10.1 << -30.0 << 3 << 1 << QRect(kColumnOffset + 50, -32, 2, 3);
        QTest::newRow("-10 deg: 28 to 31 below the equator")
            << -10.1 << -30.0 << 3 << 1 << QRect(kColumnOffset + 50, 28, 2, 3);
        QTest::newRow("west of the meridian: next rotation")
            << 10.1 << 30.0 << 3 << 1 << QRect(kColumnOffset + 51, -32, 2, 3);
        // v = int(161.6) = 161, v/2 = 80; 16 - 8 + 1 = 9 wide.
        QTest::newRow("vs 4, xs 16")
            << 20.2 << -30.0 << 4 << 16 << QRect(kColumnOffset * 16 + 50, -82, 9, 4);
        // v = int(-1.2) = -1, and -1/2 goes down to -1: the box starts 1 pixel above.
        QTest::newRow("just south: the half goes down")
            << -0.6 << -30.0 << 1 << 2 << QRect(kColumnOffset * 2 + 50, -1, 2, 2);
    }
    void groupBox() {
        QFETCH(double, latitude);
        QFETCH(double, fromMeridian);
        QFETCH(int, vs);
        QFETCH(int, xs);
        QFETCH(QRect, box);
        ObservationRecord r = observation(kDay);
        addGroupAt(r, latitude, ephemerisOf(r).L0 + fromMeridian);
        const ButterflyModel m = buildButterflyModel(*storeOf({r}), stateWith(vs, xs));
        QCOMPARE(m.settings.baseRotation, 1900);
        QCOMPARE(m.groups.size(), size_t(1));
        QCOMPARE(m.groups[0], box);
    }

    void repeatedBoxDrawnOnce() {
        // A group seen on two drawings of one rotation at one latitude covers the same
        // pixels twice: one box.
        ObservationRecord a = observation(kDay, 1200);
        ObservationRecord b = observation(kDay, 1300);
        addGroupAt(a, 10.1, ephemerisOf(a).L0 - 30);
        addGroupAt(b, 10.1, ephemerisOf(b).L0 - 30);
        addGroupAt(b, -10.1, ephemerisOf(b).L0 - 30);
        const ButterflyModel m = buildButterflyModel(*storeOf({a, b}), stateWith(3, 1));
        QCOMPARE(m.groups.size(), size_t(2));
        QCOMPARE(m.groups[0], QRect(kColumnOffset + 50, -32, 2, 3));
        QCOMPARE(m.groups[1], QRect(kColumnOffset + 50, 28, 2, 3));
    }

    void specialAndUnreadableRecordsLeftOut() {
        ObservationRecord ordinary = observation(kDay);
        addGroupAt(ordinary, 10, ephemerisOf(ordinary).L0);
        addFaculaField(ordinary, {packPosition(0, 60), packPosition(10, 60)});
        ObservationRecord special = ordinary;
        writeText(special.specialMark, specialMarkText());
        ObservationRecord unreadable = ordinary;
        writeText(unreadable.dateText, QStringLiteral("31.02.2001"));
        auto store = storeOf({ordinary, special});
        store->appendRecord(unreadable);
        const ButterflyModel m =
            buildButterflyModel(*store, stateWith(3, 1, ButterflyMode::SpotsAndFaculae));
        QCOMPARE(m.groups.size(), size_t(1));
        QCOMPARE(m.faculae.size(), size_t(1));
    }

    void modes_data() {
        QTest::addColumn<ButterflyMode>("mode");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<QString>("caption");
        QTest::newRow("spots") << ButterflyMode::Spots << 2 << 0 << "Motýlek   Skvrny";
        QTest::newRow("faculae") << ButterflyMode::Faculae << 0 << 1 << "Motýlek   Fakule";
        QTest::newRow("both") << ButterflyMode::SpotsAndFaculae << 2 << 1
                              << "Motýlek   Skvrny a fakule";
    }
    void modes() {
        QFETCH(ButterflyMode, mode);
        QFETCH(int, boxes);
        QFETCH(int, strokes);
        QFETCH(QString, caption);
        ObservationRecord r = observation(kDay);
        addGroupAt(r, 10, ephemerisOf(r).L0);
        addGroupAt(r, -20, ephemerisOf(r).L0);
        addFaculaField(r, {packPosition(0, 60), packPosition(10, 60)});
        addFaculaField(r, {0, packPosition(10, 60)}); // no first vertex: nothing
        const ButterflyModel m = buildButterflyModel(*storeOf({r}), stateWith(3, 1, mode));
        QCOMPARE(int(m.groups.size()), boxes);
        QCOMPARE(int(m.faculae.size()), strokes);
        QCOMPARE(butterflyCaption(mode), caption);
    }

    void faculaStroke() {
        // Vertices straight up and down the drawing; the zero vertex ends the outline, so
        // the far southern vertex behind it does not count.
        ObservationRecord r = observation(kDay);
        const uint16_t north = packPosition(0, 60);
        const uint16_t south = packPosition(180, 40);
        addFaculaField(r, {north, packPosition(0, 30), south, 0, packPosition(180, 120)});
        const Ephemeris e = ephemerisOf(r);
        const HeliographicPosition top = polarToHeliographic(e, 600, 0);
        const HeliographicPosition bottom = polarToHeliographic(e, 400, 1800);
        QVERIFY(top.helioLatitude > 25 && bottom.helioLatitude < -15);
        const ButterflyModel m =
            buildButterflyModel(*storeOf({r}), stateWith(5, 2, ButterflyMode::Faculae));
        QCOMPARE(m.faculae.size(), size_t(1));
        // Extremes in whole half degrees, then vs x half / 2 rounded down; one pixel left
        // of the column of the first vertex.
        const int hi = int(2 * top.helioLatitude);
        const int lo = int(2 * bottom.helioLatitude);
        const int column = int(1977 - 1900 + (360 - e.L0 + top.helioLongitude) / 360);
        QCOMPARE(m.faculae[0], (ButterflyStroke{column * 2 + 50 - 1, -int(std::floor(5 * hi / 2.0)),
                                                -int(std::floor(5 * lo / 2.0))}));
    }

    void faculaeScaledByDrawingRadius() {
        // The same outline drawn on a 100 mm drawing (80 mm out) and on a 125 mm one
        // (100 mm out) lies at the same place on the Sun: the same stroke.
        ObservationRecord small = observation(kDay);
        addFaculaField(small, {packPosition(10, 80), packPosition(200, 80)});
        ObservationRecord large = observation(kDay);
        addFaculaField(large, {packPosition(10, 100), packPosition(200, 100)});
        const ButterflyState s = stateWith(9, 1, ButterflyMode::Faculae);
        const ButterflyModel atR100 = buildButterflyModel(*storeOf({small}, 100), s);
        const ButterflyModel atR125 = buildButterflyModel(*storeOf({large}, 125), s);
        QCOMPARE(atR100.faculae.size(), size_t(1));
        QCOMPARE(atR100.faculae, atR125.faculae);
        // The top vertex lies beyond 45 degrees north; read unscaled, 80 mm would be only 64 %
        // of the way out, below 40 degrees.
        QVERIFY(atR100.faculae[0].y1 < -9 * 45);
    }

    void supplementaryStreams_data() {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QList<ButterflyStroke>>("spots");
        QTest::addColumn<QList<ButterflyStroke>>("faculae");
        // vs 3, xs 1: column c at x = c + 49; a spot at latitude a - 128 from 2 below to 2
        // above it; a faculae stroke from its first to its second latitude.
        QByteArray separatorFirst = emptyBlock();
        separatorFirst[0] = char(255);
        separatorFirst[1] = char(138);
        QTest::newRow("255 at position 0: column 2")
            << separatorFirst << QList<ButterflyStroke>{{51, -28, -32}} << QList<ButterflyStroke>{};

        QByteArray edges = emptyBlock();
        edges[0] = char(128);
        const QList<std::pair<int, int>> ends = {{30, 100}, {31, 100}, {219, 100}, {220, 100},
                                                 {100, 30}, {100, 31}, {100, 219}, {100, 220}};
        for (qsizetype i = 0; i < ends.size(); ++i) {
            edges[15000 + i] = char(ends[i].first);
            edges[20000 + i] = char(ends[i].second);
        }
        QTest::newRow("faculae ends 30 and 220 not drawn")
            << edges << QList<ButterflyStroke>{{50, 2, -2}}
            << QList<ButterflyStroke>{{50, 291, 84}, {50, -273, 84}, {50, 84, 291}, {50, 84, -273}};

        // The 649th separator ends the stream: the byte after it is not column 650.
        QByteArray full = emptyBlock();
        full[0] = char(148);
        for (int p = 1; p <= 649; ++p)
            full[p] = char(255);
        full[650] = char(148);
        full[15000] = char(148);
        full[20000] = char(108);
        for (int p = 15001; p <= 15649; ++p)
            full[p] = char(255);
        full[15650] = char(148);
        full[20650] = char(148);
        QTest::newRow("649 separators end a stream")
            << full << QList<ButterflyStroke>{{50, -58, -62}}
            << QList<ButterflyStroke>{{50, -60, 60}};

        // Zero bytes after the data are no latitude (they would be -128 degrees).
        QByteArray padded = emptyBlock();
        padded[0] = char(118);
        padded[1] = char(255);
        QTest::newRow("padding not drawn")
            << padded << QList<ButterflyStroke>{{50, 32, 28}} << QList<ButterflyStroke>{};
    }
    void supplementaryStreams() {
        QFETCH(QByteArray, block);
        QFETCH(QList<ButterflyStroke>, spots);
        QFETCH(QList<ButterflyStroke>, faculae);
        const SupplementaryStrokes s = supplementaryStrokes(block, stateWith(3, 1));
        QCOMPARE(QList<ButterflyStroke>(s.spots.begin(), s.spots.end()), spots);
        QCOMPARE(QList<ButterflyStroke>(s.faculae.begin(), s.faculae.end()), faculae);
    }

    void shortStreamStopsAtItsRegion() {
        // Streams with too few separators: every spot byte up to 14999 and every faculae
        // byte up to 19999 is read, none beyond. Read on, the spot stream would take the
        // faculae bytes (150: 22 degrees) as spots, the faculae stream the second ends.
        QByteArray block = emptyBlock();
        block.fill(char(138), 15000);
        block[100] = char(255);
        block[200] = char(255);
        block.replace(15000, 5000, QByteArray(5000, char(150)));
        block.replace(20000, 5000, QByteArray(5000, char(160)));
        const SupplementaryStrokes s = supplementaryStrokes(block, stateWith(1, 1));
        QCOMPARE(s.spots.size(), size_t(15000 - 2));
        QCOMPARE(s.spots.back(), (ButterflyStroke{3 + 49, 2 - 10, -2 - 10}));
        QCOMPARE(s.faculae.size(), size_t(5000));
        QCOMPARE(s.faculae.back(), (ButterflyStroke{1 + 49, -22, -32}));
        // A block cut short (not the 25000 bytes of the file) is read as far as it goes.
        const SupplementaryStrokes cut = supplementaryStrokes(block.left(17000), stateWith(1, 1));
        QCOMPARE(cut.spots.size(), size_t(15000 - 2));
        QCOMPARE(cut.faculae.size(), size_t(0));
    }

    void leftAxis_data() {
        QTest::addColumn<bool>("fileHasData");
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<uint16_t>("currentTime");
        QTest::addColumn<int>("baseRotation");
        QTest::addColumn<int>("supplementarySpots");
        // Record 1 is dated 20.02.2003. Rotation 2000 began on 20.02.2003 at 06:52 UTC
        // (carrington_rotation_start_times_sunpy.csv, SunPy 4.1.2); the ephemeris counts
        // 1999 at 06:00 and 2000 at 12:00 of that day. The time of day is the current
        // record's, so it moves the axis a whole 100 rotations.
        QTest::newRow("off, 06:00") << true << false << uint16_t(600) << 1900 << 0;
        QTest::newRow("off, 12:00") << true << false << uint16_t(1200) << 2000 << 0;
        QTest::newRow("on: rotation 1300") << true << true << uint16_t(1200) << 1300 << 1;
        QTest::newRow("on, but no data in the file")
            << false << true << uint16_t(1200) << 2000 << 0;
    }
    void leftAxis() {
        QFETCH(bool, fileHasData);
        QFETCH(bool, switchedOn);
        QFETCH(uint16_t, currentTime);
        QFETCH(int, baseRotation);
        QFETCH(int, supplementarySpots);
        QByteArray block = emptyBlock();
        if (fileHasData) {
            block[0] = char(138);
            block[1] = char(255);
        }
        QTemporaryDir dir;
        const std::vector<ObservationRecord> records = {
            observation(QStringLiteral("20.02.2003"), 1800),
            observation(QStringLiteral("25.02.2003"), currentTime)};
        auto store = storeWithBlock(dir, records, block);
        QCOMPARE(store->currentRecord().timeUT, currentTime);
        QCOMPARE(hasSupplementaryData(store->butterflyBlock()), fileHasData);
        ButterflyState state;
        state.supplementaryOn = switchedOn;
        const ButterflyModel m = buildButterflyModel(*store, state);
        QCOMPARE(m.settings.baseRotation, baseRotation);
        QCOMPARE(int(m.supplementary.spots.size()), supplementarySpots);
        QCOMPARE(butterflyFrame(m, butterflyGeometry(QSize(800, 600))).rotationLabels[0].text,
                 QString::number(baseRotation + 100));
    }

    void keys_data() {
        QTest::addColumn<QString>("keys"); // '1'..'9', W (F12, vpravo), N (F11, vlevo), + -
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::addColumn<int>("scrollRange");
        QTest::newRow("start") << "" << 3 << 1 << 2000;
        QTest::newRow("F12 five times stops at 16") << "WWWWW" << 3 << 16 << 17000;
        QTest::newRow("F12 three times") << "WWW" << 3 << 8 << 9000;
        QTest::newRow("F11 from 1 stays 1") << "N" << 3 << 1 << 2000;
        QTest::newRow("F11 halves") << "WWWNN" << 3 << 2 << 3000;
        QTest::newRow("digits") << "7" << 7 << 1 << 2000;
        QTest::newRow("larger stops at 9") << "8+++" << 9 << 1 << 2000;
        QTest::newRow("smaller stops at 1") << "2---" << 1 << 1 << 2000;
        QTest::newRow("0 is no scale") << "50" << 5 << 1 << 2000;
    }
    void keys() {
        QFETCH(QString, keys);
        QFETCH(int, vs);
        QFETCH(int, xs);
        QFETCH(int, scrollRange);
        ButterflyState s;
        for (QChar key : keys) {
            if (key.isDigit())
                s = withLatitudeScale(s, key.digitValue());
            else if (key == 'W')
                s = widerRotations(s);
            else if (key == 'N')
                s = narrowerRotations(s);
            else if (key == '+')
                s = largerLatitudeScale(s);
            else
                s = smallerLatitudeScale(s);
        }
        QCOMPARE(s.latitudeScale, vs);
        QCOMPARE(s.rotationWidth, xs);
        QCOMPARE(horizontalScrollRange(s), scrollRange);
    }

    void frame_data() {
        QTest::addColumn<int>("vs");
        QTest::addColumn<int>("xs");
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<int>("lines"); // latitude lines each side of the equator
        QTest::addColumn<int>("lastVerticalX");
        // d = 10 vs pixels per 10 degrees; above vs 4 as many lines as fit in Y0 = h div 2.
        QTest::newRow("vs 3: up to 90") << 3 << 1 << 600 << 9 << 2050;
        QTest::newRow("vs 4: up to 90 even when taller") << 4 << 2 << 300 << 9 << 4050;
        QTest::newRow("vs 5: 300 div 50") << 5 << 1 << 601 << 6 << 2050;
        QTest::newRow("vs 9: 250 div 90") << 9 << 16 << 500 << 2 << 32050;
    }
    void frame() {
        QFETCH(int, vs);
        QFETCH(int, xs);
        QFETCH(int, clientHeight);
        QFETCH(int, lines);
        QFETCH(int, lastVerticalX);
        ButterflyModel m;
        m.settings.state = stateWith(vs, xs);
        m.settings.baseRotation = 1800;
        m.scrollRange = horizontalScrollRange(m.settings.state);
        const ButterflyGeometry g = butterflyGeometry(QSize(700, clientHeight), 40, 7);
        QCOMPARE(g.equatorY, clientHeight / 2);
        const ButterflyFrame f = butterflyFrame(m, g);
        const int d = 10 * vs;
        QCOMPARE(f.top, -lines * d);
        QCOMPARE(f.bottom, lines * d);
        QCOMPARE(f.verticals.size(), size_t(21));
        QCOMPARE(f.verticals.front(), QLine(50, -lines * d, 50, lines * d));
        QCOMPARE(f.verticals.back().x1(), lastVerticalX);
        QCOMPARE(int(f.horizontals.size()), 2 * lines + 1);
        QCOMPARE(f.horizontals.front(), QLine(50, -lines * d, xs * 1000 + 1000, -lines * d));
        // North up: the top line is labelled with the northern latitude.
        QCOMPARE(f.latitudeLabels.front().text, QString::number(10 * lines));
        QCOMPARE(f.latitudeLabels.front().pos, QPoint(30, -lines * d - 5));
        QCOMPARE(f.latitudeLabels.back().text, QString::number(-10 * lines));
        QCOMPARE(f.rotationLabels.size(), size_t(20));
        QCOMPARE(f.rotationLabels[0].text, QStringLiteral("1900"));
        QCOMPARE(f.rotationLabels[0].pos, QPoint(100 * xs + 35, lines * d + 10));
        QCOMPARE(f.rotationLabels[19].text, QStringLiteral("3800"));
        // The scale command: the same labels at the window's left edge, moved only by the
        // vertical scroll.
        const std::vector<ButterflyText> scale = scaleLabels(m, g);
        QCOMPARE(scale.front().pos, QPoint(30, g.equatorY - lines * d - 5 - 7));
        QCOMPARE(toWindow(g, QPoint(50, 0)), QPoint(10, g.equatorY - 7));
    }

    void printLayout() {
        // The visible area less 5 pixels, stretched to the page width in the window's
        // proportions: 4800 x 600 / 800.
        const ButterflyPrintLayout p = butterflyPrintLayout(QSize(800, 600), 4800);
        QCOMPARE(p.source, QRect(0, 0, 795, 600));
        QCOMPARE(p.target, QRect(0, 0, 4800, 3600));
    }
};

ORVANEK_REGISTER_TEST(TestButterflyModel);

#include "tst_butterflymodel.moc"
