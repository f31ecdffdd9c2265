// The drawing's model: markers, grid, faculae, auxiliary spots, text block, read-out.
#include "data/numberformat.h"
#include "views/drawing/drawingmodel.h"
#include "viewtesthelpers.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
const double kDeg = std::numbers::pi / 180;

// A moment with the Sun's axis upright and its equator through the disk centre, so that
// positions can be checked against plain geometry.
Ephemeris uprightSun(double L0) {
    Ephemeris e;
    e.B0 = 0;
    e.P = 0;
    e.L0 = L0;
    return e;
}

DrawingSettings settings(double radius = 125, int orientX = 1, int orientY = 1) {
    DrawingSettings s;
    s.drawingRadius = radius;
    s.orientX = orientX;
    s.orientY = orientY;
    return s;
}
} // namespace

class TestDrawingModel : public QObject {
    Q_OBJECT

  private slots:
    void groupCentre_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QPoint>("centre");
        // A stored distance d lies d / 5 pixels from (280, 280); angles run clockwise from
        // the top; the orientation signs mirror the picture.
        QTest::newRow("90 deg, half radius") << 900 << 625 << 1 << 1 << QPoint(405, 280);
        QTest::newRow("90 deg, mirrored east-west") << 900 << 625 << -1 << 1 << QPoint(155, 280);
        QTest::newRow("90 deg, mirrored north-south") << 900 << 625 << 1 << -1 << QPoint(405, 280);
        QTest::newRow("top") << 0 << 625 << 1 << 1 << QPoint(280, 155);
        QTest::newRow("top, mirrored north-south") << 0 << 625 << 1 << -1 << QPoint(280, 405);
        QTest::newRow("bottom") << 1800 << 1000 << 1 << 1 << QPoint(280, 480);
        QTest::newRow("270 deg") << 2700 << 500 << 1 << 1 << QPoint(180, 280);
        QTest::newRow("centre") << 0 << 0 << -1 << -1 << QPoint(280, 280);
    }
    void groupCentre() {
        QFETCH(int, angle);
        QFETCH(int, distance);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QPoint, centre);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, angle, distance, 400);
        const std::vector<GroupMarker> markers = groupMarkerLayout(r, 125, orientX, orientY);
        QCOMPARE(markers.size(), size_t(1));
        const GroupMarker m = markers[0];
        QCOMPARE(m.r, 6); // round(0.5 * sqrt(400 * 0.3565)) = round(5.97)
        QCOMPARE(QPoint(m.x + m.r, m.y + m.r), centre);
    }

    void groupRadius_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("smallSpots");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("expected");
        // r = round(0.5 * sqrt(round(area + smallSpots * 1912.5 / R) * 0.3565))
        QTest::newRow("no area, no small spots") << 0 << 0 << 125.0 << 0;
        QTest::newRow("area 100") << 100 << 0 << 125.0 << 3;          // sqrt(35.65) / 2 = 2.99
        QTest::newRow("two small spots") << 0 << 2 << 125.0 << 2;     // 30.6 -> 31: 1.66
        QTest::newRow("small spots, R 100") << 0 << 10 << 100.0 << 4; // 191.25 -> 191: 4.13
        QTest::newRow("large group") << 2000 << 0 << 125.0 << 13;     // sqrt(713) / 2 = 13.35
    }
    void groupRadius() {
        QFETCH(int, area);
        QFETCH(int, smallSpots);
        QFETCH(double, radius);
        QFETCH(int, expected);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, 900, 625, area).smallSpots = static_cast<uint16_t>(smallSpots);
        const GroupMarker m = groupMarkerLayout(r, radius, 1, 1).at(0);
        QCOMPARE(m.r, expected);
        QCOMPARE(QPoint(m.x + m.r, m.y + m.r), QPoint(405, 280));
    }

    void onlyCountedGroupsAreLaidOut() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addGroup(r, 900, 625);
        addGroup(r, 0, 625);
        addGroup(r, 1800, 625);
        r.groupCount = 2; // slot 3 holds a leftover group
        QCOMPARE(groupMarkerLayout(r, 125, 1, 1).size(), size_t(2));
        const DrawingModel m = buildDrawingModel(r, settings());
        QCOMPARE(m.groups.size(), size_t(2));
        QCOMPARE(m.groups[1].slot, 2);
        QCOMPARE(m.groups[1].column, 38 * 2 + 30);
    }

    void groupValues() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"), 830);
        SunspotGroup &g = addGroup(r, 450, 1000, 400);
        writeText(g.type, QStringLiteral("Eai"));
        g.spotCount = 17;
        g.globalGroupNumber = 4321;
        g.rotationGroupNumber = 12;
        const DrawingModel m = buildDrawingModel(r, settings());
        const DrawingGroup &d = m.groups.at(0);
        QCOMPARE(d.typeText, QStringLiteral("Eai"));
        QCOMPARE(d.spotCountText, QStringLiteral("17"));
        QCOMPARE(d.globalNumberText, QStringLiteral("4321"));
        QCOMPARE(d.rotationNumberText, QStringLiteral("12"));
        // l and b are the conversion of this group's own distance and angle at the moment.
        const HeliographicPosition h =
            polarToHeliographic(solarEphemeris({2001, 6, 21}, 830), 1000, 450);
        QCOMPARE(d.longitudeText, formatNumber(h.helioLongitude, "0.0"));
        QCOMPARE(d.latitudeText, formatNumber(h.helioLatitude, "0.0"));
        QVERIFY(h.helioLatitude > 20); // north-west of the centre: well north
    }

    void auxiliarySpots_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<int>("s");
        // Packed 90 deg, 50 mm, area 400. delta = round(50 * 125 / R) mm, 2 px per mm;
        // s = round(0.5 * sqrt(400 * 0.3565 * 125 / R)).
        QTest::newRow("R 125") << 125.0 << 1 << QPoint(380, 280) << 6;
        QTest::newRow("R 125, mirrored") << 125.0 << -1 << QPoint(180, 280) << 6;
        QTest::newRow("R 100") << 100.0 << 1 << QPoint(404, 280) << 7; // 62.5 -> 62 mm; 6.68
    }
    void auxiliarySpots() {
        QFETCH(double, radius);
        QFETCH(int, orientX);
        QFETCH(QPoint, centre);
        QFETCH(int, s);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        SunspotGroup &g = addGroup(r, 900, 625);
        g.aux1Position = packPosition(90, 50);
        g.aux1Area = 400;
        const DrawingModel m = buildDrawingModel(r, settings(radius, orientX));
        const DrawingGroup &d = m.groups.at(0);
        QVERIFY(d.auxSpotsShown);
        const AuxSpotMarker a = d.auxSpots[0];
        QCOMPARE(a.s, s);
        QCOMPARE(QPoint(a.x + a.s, a.y + a.s), centre);
        // The unset second spot has no size and sits at the centre.
        QCOMPARE(d.auxSpots[1].s, 0);
        QCOMPARE(QPoint(d.auxSpots[1].x, d.auxSpots[1].y), QPoint(280, 280));
    }

    void noAuxiliarySpotsWhenBothPositionsAreZero() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        SunspotGroup &g = addGroup(r, 900, 625);
        g.aux1Area = 400; // an area without a position is not a spot
        QVERIFY(!buildDrawingModel(r, settings()).groups.at(0).auxSpotsShown);
    }

    void faculaOutline_data() {
        QTest::addColumn<QList<int>>("vertices"); // packed words
        QTest::addColumn<double>("radius");
        QTest::addColumn<QPolygon>("expected");
        const auto p = [](int degrees, int mm) { return int(packPosition(degrees, mm)); };
        // Vertex at alpha degrees and m mm lies 2 m * 125 / R pixels from the centre.
        QTest::newRow("two vertices make a line")
            << QList<int>{p(90, 50), p(90, 100), 0, 0, 0, 0} << 125.0
            << QPolygon({QPoint(380, 280), QPoint(480, 280)});
        QTest::newRow("vertices 3..6 without distance are left out")
            << QList<int>{p(0, 50), p(90, 50), p(180, 0), p(180, 50), 0, p(270, 0)} << 125.0
            << QPolygon({QPoint(280, 180), QPoint(380, 280), QPoint(280, 380)});
        QTest::newRow("vertex 1 at the centre is kept")
            << QList<int>{0, p(270, 40), 0, 0, 0, 0} << 125.0
            << QPolygon({QPoint(280, 280), QPoint(200, 280)});
        QTest::newRow("scaled by R")
            << QList<int>{p(90, 50), p(0, 50), p(45, 60), 0, 0, 0} << 100.0
            << QPolygon({QPoint(405, 280), QPoint(280, 155),
                         QPoint(280 + int(std::lround(std::sin(45 * kDeg) * 150)),
                                280 - int(std::lround(std::cos(45 * kDeg) * 150)))});
    }
    void faculaOutline() {
        QFETCH(QList<int>, vertices);
        QFETCH(double, radius);
        QFETCH(QPolygon, expected);
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        FaculaField &f = r.facula(addFaculaField(r, {}));
        for (int k = 0; k < 6; ++k)
            f.vertices[k] = static_cast<uint16_t>(vertices[k]);
        const DrawingModel m = buildDrawingModel(r, settings(radius));
        QCOMPARE(m.faculae.size(), size_t(1));
        QCOMPARE(m.faculae[0], expected);

        DrawingSettings mirrored = settings(radius, -1, -1);
        const QPolygon flipped = buildDrawingModel(r, mirrored).faculae.at(0);
        for (qsizetype k = 0; k < expected.size(); ++k)
            QCOMPARE(flipped[k], QPoint(560, 560) - expected[k]);
    }

    void noFaculaeInHeliographicEntry() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        addFaculaField(r, {packPosition(90, 50), packPosition(90, 100)});
        DrawingSettings s = settings();
        QCOMPARE(buildDrawingModel(r, s).faculae.size(), size_t(1));
        s.heliographicEntry = true;
        QVERIFY(buildDrawingModel(r, s).faculae.empty());
    }

    void gridProjection_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("lambda");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QPoint>("expected");
        // Upright Sun: latitude phi is 250 sin(phi) above the centre, larger longitudes
        // lie to the left.
        QTest::newRow("centre") << 0.0 << 0.0 << 1 << 1 << QPoint(280, 280);
        QTest::newRow("30 N on the meridian") << 30.0 << 0.0 << 1 << 1 << QPoint(280, 155);
        QTest::newRow("30 N, mirrored") << 30.0 << 0.0 << 1 << -1 << QPoint(280, 405);
        QTest::newRow("east limb") << 0.0 << 90.0 << 1 << 1 << QPoint(30, 280);
        QTest::newRow("east limb, mirrored") << 0.0 << 90.0 << -1 << 1 << QPoint(530, 280);
        QTest::newRow("30 W on the equator") << 0.0 << -30.0 << 1 << 1 << QPoint(405, 280);
    }
    void gridProjection() {
        QFETCH(double, latitude);
        QFETCH(double, lambda);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QPoint, expected);
        QCOMPARE(projectGridPoint(latitude, lambda, uprightSun(0), orientX, orientY), expected);
    }

    void gridFollowsTheSunsOrientation() {
        // B0 tilts the north pole towards us: the pole moves down by 250 sin B0 from the top.
        Ephemeris tilted = uprightSun(0);
        tilted.B0 = 7;
        const int poleY = 280 - int(std::lround(250 * std::cos(7 * kDeg)));
        QCOMPARE(projectGridPoint(90, 0, tilted, 1, 1), QPoint(280, poleY));
        // P turns the axis clockwise: the pole goes to the right of the top.
        Ephemeris turned = uprightSun(0);
        turned.P = 20;
        QCOMPARE(projectGridPoint(90, 0, turned, 1, 1),
                 QPoint(280 + int(std::lround(250 * std::sin(20 * kDeg))),
                        280 - int(std::lround(250 * std::cos(20 * kDeg)))));
    }

    void parallelsAndMeridian() {
        const Moment near30 = momentWithL0(30);
        QVERIFY(!near30.date.isEmpty());
        const DrawingModel m =
            buildDrawingModel(drawingRecord(near30.date, near30.timeUT), settings());
        QCOMPARE(m.parallels.size(), size_t(9));
        const double B0 = m.ephemeris.B0 * kDeg;
        const double P = m.ephemeris.P * kDeg;
        for (size_t i = 0; i < m.parallels.size(); ++i) {
            const double latitude = (-40.0 + 10.0 * double(i)) * kDeg;
            QCOMPARE(m.parallels[i].size(), qsizetype(181));
            // From lambda -90 to +90, centred one pixel left of the meridian (x 279). The
            // middle point lies on the central meridian, sin(b - B0) of the radius from the
            // centre along the axis turned by P.
            const double up = 250 * std::sin(latitude - B0);
            QCOMPARE(m.parallels[i][90], QPoint(279 + int(std::lround(up * std::sin(P))),
                                                280 - int(std::lround(up * std::cos(P)))));
            // The ends lie on the limb, cos(b) of the radius across the axis and sin(b) cos(B0)
            // along it, east to the left.
            const double across = 250 * std::cos(latitude);
            const double along = 250 * std::sin(latitude) * std::cos(B0);
            for (const int side : {-1, 1}) {
                const QPoint end = side < 0 ? m.parallels[i].first() : m.parallels[i].last();
                const double x = side * across * std::cos(P) - along * std::sin(P);
                const double y = along * std::cos(P) + side * across * std::sin(P);
                QVERIFY2(std::abs(end.x() - (279 - x)) <= 1 && std::abs(end.y() - (280 - y)) <= 1,
                         qPrintable(QString("%1,%2").arg(end.x()).arg(end.y())));
            }
        }
        QCOMPARE(m.meridian.size(), qsizetype(167));
        QCOMPARE(m.meridian.first(), projectGridPoint(-83, -m.ephemeris.L0, m.ephemeris, 1, 1));
        QCOMPARE(m.meridian.last(), projectGridPoint(83, -m.ephemeris.L0, m.ephemeris, 1, 1));
    }

    void meridianOnlyOnTheVisibleHalf_data() {
        QTest::addColumn<double>("L0");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("L0 30") << 30.0 << true;
        QTest::newRow("L0 120") << 120.0 << false;
        QTest::newRow("L0 200") << 200.0 << false;
        QTest::newRow("L0 300") << 300.0 << true;
    }
    void meridianOnlyOnTheVisibleHalf() {
        QFETCH(double, L0);
        QFETCH(bool, drawn);
        const Moment moment = momentWithL0(L0);
        QVERIFY(!moment.date.isEmpty());
        const DrawingModel m =
            buildDrawingModel(drawingRecord(moment.date, moment.timeUT), settings());
        QCOMPARE(!m.meridian.isEmpty(), drawn);
    }

    void textBlockValues() {
        // Reference moment 21 June 2001, 8:30 UT: B0 1.77, P -7.06, L0 116.11, rotation 1977.
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"), 830);
        writeText(r.observer, QStringLiteral("Jana Nováková"));
        writeText(r.station, QStringLiteral("Ondřejov"));
        r.conditions = 2;
        r.imageQuality = 3;
        r.seeingQuality = 4;
        r.centralGroups = 5;
        r.centralSpots = 26;
        r.centralR = 76;
        r.faculaTotal = 9;
        r.rotation = 1; // the stored values are not what the view shows: it computes them
        const DrawingModel m = buildDrawingModel(r, settings());
        QCOMPARE(m.dateText, QStringLiteral("21.06.2001"));
        QCOMPARE(m.observer, QStringLiteral("Jana Nováková"));
        QCOMPARE(m.station, QStringLiteral("Ondřejov"));
        QCOMPARE(m.rowValues[RowTime], QStringLiteral("8:30:00"));
        QCOMPARE(m.rowValues[RowConditions], QStringLiteral("2"));
        QCOMPARE(m.rowValues[RowImageQuality], QStringLiteral("3"));
        QCOMPARE(m.rowValues[RowSeeingQuality], QStringLiteral("4"));
        QCOMPARE(m.rowValues[RowRotation], QStringLiteral("1977"));
        QCOMPARE(m.rowValues[RowL0], QStringLiteral("116.11"));
        QCOMPARE(m.rowValues[RowB0], QStringLiteral("1.77"));
        QCOMPARE(m.rowValues[RowP], QStringLiteral("-7.06"));
        QCOMPARE(m.rowValues[RowCentralGroups], QStringLiteral("5"));
        QCOMPARE(m.rowValues[RowCentralSpots], QStringLiteral("26"));
        QCOMPARE(m.rowValues[RowCentralR], QStringLiteral("76"));
        QCOMPARE(m.rowValues[RowFaculaTotal], QStringLiteral("9"));
    }

    void indicesFromTheSummary() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"), 830);
        addGroup(r, 0, 625).spotCount = 4;    // north
        addGroup(r, 200, 900).spotCount = 7;  // north
        addGroup(r, 1800, 625).spotCount = 5; // south
        r.summary = RecordSummary{};          // nothing stored: the view computes it
        const DrawingModel m = buildDrawingModel(r, settings());
        QCOMPARE(m.summary.northGroups, uint16_t(2));
        QCOMPARE(m.summary.southGroups, uint16_t(1));
        const std::array<int, 3> g{3, 2, 1};
        const std::array<int, 3> f{16, 11, 5};
        const std::array<int, 3> R{46, 31, 15};
        QCOMPARE(m.indices[0], g);
        QCOMPARE(m.indices[1], f);
        QCOMPARE(m.indices[2], R);
    }

    void specialRecord() {
        ObservationRecord r = drawingRecord(QStringLiteral("21.06.2001"));
        QVERIFY(!buildDrawingModel(r, settings()).special);
        writeText(r.specialMark, specialMarkText());
        QVERIFY(buildDrawingModel(r, settings()).special);
    }

    // The window and the command line build their settings here: the data set's radius
    // (the reference radius before one is chosen), the orientation asked for, and record 1's
    // date for a record whose own date does not read.
    void settingsFromTheStore() {
        ObservationStore store(QDate(2026, 12, 8));
        ObservationRecord first = drawingRecord(QStringLiteral("07.05.2001"));
        first.drawingSetup = 1100; // heliographic entry, R = 100
        store.appendRecord(first);
        store.appendRecord(drawingRecord(QStringLiteral("xx.05.2001")));
        store.appendRecord(drawingRecord(QStringLiteral("21.06.2001")));
        DrawingState mirrored;
        mirrored.orientX = -1;
        DrawingSettings s = drawingSettings(store, mirrored);
        QCOMPARE(s.drawingRadius, 125.0);
        QVERIFY(s.fallbackDate.has_value());
        QCOMPARE(*s.fallbackDate, (CalendarDate{2001, 5, 7}));
        QCOMPARE(s.orientX, -1);
        QCOMPARE(s.orientY, 1);
        store.applyDrawingSetup(first.drawingSetup);
        s = drawingSettings(store, {});
        QCOMPARE(s.drawingRadius, 100.0);
        QVERIFY(s.heliographicEntry);
        // The record without a date is drawn for the moment of record 1's date.
        const DrawingModel m = buildDrawingModel(store.record(2), s);
        QVERIFY(!m.recordDateRead);
        QCOMPARE(m.date, (CalendarDate{2001, 5, 7}));
    }

    void withoutADateTheFallbackDateIsUsed_data() {
        QTest::addColumn<QString>("date");
        QTest::newRow("empty") << QString();
        QTest::newRow("unreadable") << QStringLiteral("31.02.2001");
    }
    void withoutADateTheFallbackDateIsUsed() {
        QFETCH(QString, date);
        ObservationRecord r = drawingRecord(date, 1000);
        DrawingSettings s = settings();
        s.fallbackDate = CalendarDate{1995, 3, 15};
        const DrawingModel m = buildDrawingModel(r, s);
        QVERIFY(!m.recordDateRead);
        QCOMPARE(m.date, (CalendarDate{1995, 3, 15}));
        QCOMPARE(m.ephemeris.L0, solarEphemeris({1995, 3, 15}, 1000).L0);
        QCOMPARE(m.dateText, date);
    }

    void timeOfDay_data() {
        QTest::addColumn<int>("timeUT");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7:05") << 705 << QStringLiteral("7:05:00");
        QTest::newRow("midnight") << 0 << QStringLiteral("0:00:00");
        QTest::newRow("23:59") << 2359 << QStringLiteral("23:59:00");
        QTest::newRow("minutes above 59 carry") << 1075 << QStringLiteral("11:15:00");
        QTest::newRow("2400 is midnight") << 2400 << QStringLiteral("0:00:00");
    }
    void timeOfDay() {
        QFETCH(int, timeUT);
        QFETCH(QString, expected);
        QCOMPARE(timeOfDayText(static_cast<uint16_t>(timeUT)), expected);
    }

    void caption_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date") << QStringLiteral("07.05.2001")
                              << QStringLiteral("Zákres    07.05.2001");
        QTest::newRow("no date") << QString() << QStringLiteral("Zákres    ");
        QTest::newRow("cut to 20")
            << QStringLiteral("7.5.2001 xyz") << QStringLiteral("Zákres    7.5.2001 x");
    }
    void caption() {
        QFETCH(QString, date);
        QFETCH(QString, expected);
        QCOMPARE(drawingCaption(date), expected);
    }

    void readOut_data() {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("b");
        // B0 0, P 0, L0 100: distance 625 at 90 deg is b 0, l 70; at 0 deg b 30, l 100.
        QTest::newRow("right of the centre") << QPoint(405, 280) << 1 << 1 << true << 70.0 << 0.0;
        QTest::newRow("left, mirrored") << QPoint(155, 280) << -1 << 1 << true << 70.0 << 0.0;
        QTest::newRow("above the centre") << QPoint(280, 155) << 1 << 1 << true << 100.0 << 30.0;
        QTest::newRow("below, mirrored") << QPoint(280, 405) << 1 << -1 << true << 100.0 << 30.0;
        QTest::newRow("left of the centre") << QPoint(155, 280) << 1 << 1 << true << 130.0 << 0.0;
        QTest::newRow("the centre pixel") << QPoint(280, 280) << 1 << 1 << true << 100.0 << 0.0;
        QTest::newRow("just inside the limb") << QPoint(529, 280) << 1 << 1 << true << 0.0 << 0.0;
        QTest::newRow("on the limb") << QPoint(530, 280) << 1 << 1 << false << 0.0 << 0.0;
        QTest::newRow("outside") << QPoint(280, 20) << 1 << 1 << false << 0.0 << 0.0;
    }
    void readOut() {
        QFETCH(QPoint, press);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(bool, inside);
        QFETCH(double, l);
        QFETCH(double, b);
        const auto position = readOutAt(press, uprightSun(100), orientX, orientY);
        QCOMPARE(position.has_value(), inside);
        if (!inside || press.x() == 529)
            return;
        QVERIFY2(std::abs(position->helioLongitude - l) < 0.01,
                 qPrintable(QString::number(position->helioLongitude)));
        QVERIFY2(std::abs(position->helioLatitude - b) < 0.01,
                 qPrintable(QString::number(position->helioLatitude)));
    }

    void readOutText_data() {
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three-digit l, southern b")
            << 123.44 << -12.26 << QStringLiteral("123.4 , -12.3");
        QTest::newRow("small values") << 5.0 << 3.04 << QStringLiteral("5.0 , 3.0");
        QTest::newRow("zero") << 0.0 << 0.0 << QStringLiteral("0.0 , 0.0");
    }
    void readOutText() {
        QFETCH(double, l);
        QFETCH(double, b);
        QFETCH(QString, expected);
        HeliographicPosition h;
        h.helioLongitude = l;
        h.helioLatitude = b;
        QCOMPARE(orvanek::readOutText(h), expected);
    }
};

ORVANEK_REGISTER_TEST(TestDrawingModel);
#include "tst_drawingmodel.moc"
