// The observing sheet's model: paper, grid crossings where the conversions put them, and the
// sheet's promise that a position measured on it and typed into the entry gives back the
// l, b its grid shows there.
#include "data/dates.h"
#include "data/observationstore.h"
#include "entry/commit.h"
#include "orientations.h"
#include "solar/conversion.h"
#include "testregistry.h"
#include "views/sheet/sheetmodel.h"

#include <QLineF>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

SheetSettings settingsAt(const QString &date, uint16_t time, double radius, int orientX = 1,
                         int orientY = 1) {
    SheetSettings s;
    s.date = *parseDate(date, 2000);
    s.timeUT = time;
    s.radiusMm = radius;
    s.orientX = orientX;
    s.orientY = orientY;
    return s;
}

// The vertex of one of the curve's runs at `point`, if there is one.
bool hasVertex(const GridCurve &curve, QPointF point) {
    for (const QPolygonF &run : curve.runs)
        for (const QPointF &p : run)
            if (QLineF(p, point).length() < 1e-6)
                return true;
    return false;
}

const GridCurve *curveOf(const std::vector<GridCurve> &curves, double degrees) {
    for (const GridCurve &c : curves)
        if (c.degrees == degrees)
            return &c;
    return nullptr;
}

// Where the printed scale's number `angle` stands, as a direction from the disk centre.
QPointF scaleDirection(const SheetModel &m, int angle) {
    for (const SheetText &t : m.texts)
        if (t.text == QString::number(angle) && QLineF(m.centre, t.anchor).length() > m.radiusMm) {
            const QPointF d = t.anchor - m.centre;
            return d / std::hypot(d.x(), d.y());
        }
    return {};
}

QPointF compassDirection(const SheetModel &m, const QString &letter) {
    for (const SheetText &t : m.texts)
        if (t.text == letter && t.bold) {
            const QPointF d = t.anchor - m.centre;
            return d / std::hypot(d.x(), d.y());
        }
    return {};
}

// Grid crossings near the centre of the disk of every moment: within 40 degrees of the
// central meridian, up to 40 degrees of latitude.
std::vector<std::pair<int, int>> crossings(double L0) {
    std::vector<std::pair<int, int>> list;
    for (int dl : {-40, 0, 30})
        for (int b : {-20, 10, 40})
            list.push_back({b, (static_cast<int>(std::lround((L0 + dl) / 10)) * 10 + 360) % 360});
    return list;
}

double angleDifference(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

} // namespace

class TestSheetModel : public QObject {
    Q_OBJECT

  private slots:
    void paper_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("paper"); // empty: refused
        // The disk takes 2 (R + 12) mm across with its scale and compass; the printable width
        // is 190 mm on A4 and 277 mm on A3 (10 mm margins): R up to 83 and 126.5.
        QTest::newRow("small disk on A4") << 50.0 << ""
                                          << "A4";
        QTest::newRow("largest on A4") << 83.0 << ""
                                       << "A4";
        QTest::newRow("a mm more takes A3") << 84.0 << ""
                                            << "A3";
        QTest::newRow("the usual 125 mm on A3") << 125.0 << ""
                                                << "A3";
        QTest::newRow("largest on A3") << 126.5 << ""
                                       << "A3";
        QTest::newRow("too large for any") << 127.0 << ""
                                           << "";
        QTest::newRow("A3 asked for a small disk") << 50.0 << "A3"
                                                   << "A3";
        QTest::newRow("A4 asked for a large disk") << 100.0 << "A4"
                                                   << "";
    }
    void paper() {
        QFETCH(double, radius);
        QFETCH(QString, asked);
        QFETCH(QString, paper);
        SheetSettings s = settingsAt("21.06.2001", 830, radius);
        s.paper = paperFromName(asked);
        const SheetModel m = buildSheetModel(s);
        QCOMPARE(m.printable(), !paper.isEmpty());
        if (paper.isEmpty()) {
            // The reason names the diameter and what the paper would hold.
            QVERIFY2(m.refusal.contains(QString::number(2 * radius)), qPrintable(m.refusal));
            QVERIFY(m.refusal.contains(asked == "A4" ? "166 mm" : "252 mm"));
            QVERIFY(m.parallels.empty() && m.texts.empty());
            return;
        }
        QCOMPARE(paperName(*m.paper), paper);
        QVERIFY(m.tableRows >= 3);
        // The disk and its ring stay on the printable area.
        QVERIFY(m.centre.x() - radius - 12 >= -1e-9);
        QVERIFY(m.centre.x() + radius + 12 <= m.contentMm.width() + 1e-9);
    }

    void crossingsAndPromise_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("time");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        // Moments with B0 and P far from 0 and near it.
        QTest::newRow("15.03.1995, upright") << "15.03.1995" << 1015 << 125.0 << 1 << 1;
        QTest::newRow("15.03.1995, east-west") << "15.03.1995" << 1015 << 125.0 << -1 << 1;
        QTest::newRow("21.06.2001, north-south") << "21.06.2001" << 830 << 80.0 << 1 << -1;
        QTest::newRow("21.06.2001, both") << "21.06.2001" << 830 << 80.0 << -1 << -1;
        QTest::newRow("07.09.2013, upright") << "07.09.2013" << 1342 << 100.0 << 1 << 1;
        QTest::newRow("07.09.2013, both") << "07.09.2013" << 1342 << 100.0 << -1 << -1;
    }
    void crossingsAndPromise() {
        QFETCH(QString, date);
        QFETCH(int, time);
        QFETCH(double, radius);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        const SheetModel m =
            buildSheetModel(settingsAt(date, uint16_t(time), radius, orientX, orientY));
        QVERIFY(m.printable());
        const Ephemeris &e = m.ephemeris;

        ObservationStore store(QDate(2026, 12, 8));
        store.setDrawingSetup(radius, false);
        const QPointF zero = scaleDirection(m, 0);
        const QPointF ninety = scaleDirection(m, 90);

        for (const auto &[b, l] : crossings(e.L0)) {
            const QByteArray where = QStringLiteral("b %1, l %2").arg(b).arg(l).toUtf8();
            // The crossing is a vertex of both its parallel and its meridian.
            const QPointF at = sheetPlace(m, b, l).point;
            QVERIFY2(hasVertex(*curveOf(m.parallels, b), at), where);
            QVERIFY2(hasVertex(*curveOf(m.meridians, l), at), where);

            // It lies where the entry's own conversion puts b, l: at polar angle a (from the
            // top towards the right) and distance d, mirrored as the drawing view mirrors
            // a group (x = orientX d sin a, y = -orientY d cos a on paper).
            const PolarPosition p = heliographicToPolar(e, float(b), float(l), radius);
            const QPointF expected(orientX * p.polarDistance * std::sin(p.polarAngle * kDeg),
                                   -orientY * p.polarDistance * std::cos(p.polarAngle * kDeg));
            QVERIFY2(QLineF(at - m.centre, expected).length() < 0.001, where);

            // Measured on the sheet as an observer measures it: the angle on the printed
            // scale (from its 0 towards its 90), the distance in mm, both to a tenth ...
            const QPointF v = at - m.centre;
            double angle =
                std::atan2(QPointF::dotProduct(v, ninety), QPointF::dotProduct(v, zero)) / kDeg;
            if (angle < 0)
                angle += 360;
            EntryForm form;
            form.observer = "Pozorovatel";
            form.date = date;
            form.timeUT = QString::number(time);
            for (QString *field :
                 {&form.conditions, &form.imageQuality, &form.seeingQuality, &form.centralGroups,
                  &form.centralSpots, &form.centralR, &form.faculaTotal, &form.faculaFieldCount})
                *field = "0";
            form.groupCount = "1";
            form.groups = {{"Axx", "1", "0", QString::number(angle, 'f', 1),
                            QString::number(std::hypot(v.x(), v.y()), 'f', 1)}};
            // ... and typed into the entry give back the l, b of the crossing.
            PreparedEntry entry;
            const QList<EntryMessage> messages = prepareEntry(store, form, entry);
            QVERIFY2(messages.isEmpty(), where);
            const SunspotGroup &g = entry.record.group(1);
            const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
            QVERIFY2(std::abs(h.helioLatitude - b) < 0.1, where);
            QVERIFY2(angleDifference(h.helioLongitude, l) < 0.1, where);
        }
    }

    void orientationMarks_data() { addOrientationRows(); }
    void orientationMarks() {
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        const SheetModel m = buildSheetModel(settingsAt("21.06.2001", 830, 80, orientX, orientY));
        // North (S) up and east (V) on the right, each flipped by its mirror: position angle
        // 90 is east (a group there has meridian distance +, so l = L0 - meridian distance is
        // below L0), and the drawing view's "Z - V" reads west, east from left to right.
        const QPointF up(0, -1);
        const QPointF right(1, 0);
        QCOMPARE(compassDirection(m, "S"), up * orientY);
        QCOMPARE(compassDirection(m, "J"), -up * orientY);
        QCOMPARE(compassDirection(m, "V"), right * orientX);
        QCOMPARE(compassDirection(m, "Z"), -right * orientX);
        QVERIFY(QLineF(scaleDirection(m, 0), up * orientY).length() < 1e-9);
        QVERIFY(QLineF(scaleDirection(m, 90), right * orientX).length() < 1e-9);
        // Each letter on the side of its scale number and of its longitudes: the equator at
        // L0 - 40 (east) and L0 + 40 (west) lies towards V and Z, 40 degrees of latitude
        // towards S and J.
        const double L0 = m.ephemeris.L0;
        const auto towards = [&](QPointF from, QPointF to) {
            const QPointF d = to - from;
            return d / std::hypot(d.x(), d.y());
        };
        const QPointF east =
            towards(sheetPlace(m, 0, L0 + 40).point, sheetPlace(m, 0, L0 - 40).point);
        const QPointF north = towards(sheetPlace(m, -40, L0).point, sheetPlace(m, 40, L0).point);
        const struct {
            const char *letter;
            int scale;
            QPointF side;
        } letters[] = {{"S", 0, north}, {"V", 90, east}, {"J", 180, -north}, {"Z", 270, -east}};
        for (const auto &l : letters) {
            const QPointF d = compassDirection(m, QString::fromLatin1(l.letter));
            QVERIFY2(QPointF::dotProduct(d, scaleDirection(m, l.scale)) > 0.999, l.letter);
            // cos 15: P is -7.06 degrees on that day, the grid turned with it.
            QVERIFY2(QPointF::dotProduct(d, l.side) > 0.96, l.letter);
        }
        // The rotation axis: its north end at position angle P (-7.06 on 21 June 2001 8:30).
        const QPointF northEnd(orientX * std::sin(-7.06 * kDeg), -orientY * std::cos(-7.06 * kDeg));
        bool axisFound = false;
        for (const SheetPath &path : m.paths)
            if (path.stroke == SheetStroke::Axis) {
                const QPointF d = path.points.last() - m.centre;
                axisFound |= QLineF(d / std::hypot(d.x(), d.y()), northEnd).length() < 1e-3;
            }
        QVERIFY(axisFound);
    }

    void gridStaysOnTheVisibleDisk() {
        const SheetModel m = buildSheetModel(settingsAt("15.03.1995", 1015, 125));
        int limbEnds = 0;
        for (const auto *curves : {&m.parallels, &m.meridians})
            for (const GridCurve &curve : *curves)
                for (const QPolygonF &run : curve.runs) {
                    for (const QPointF &p : run)
                        QVERIFY(QLineF(m.centre, p).length() <= 125 + 1e-6);
                    // A run that stops short of the pole ends on the limb.
                    for (const QPointF &end : {run.first(), run.last()})
                        limbEnds += std::abs(QLineF(m.centre, end).length() - 125) < 1e-6;
                }
        QVERIFY(limbEnds > 2 * 17);
        // B0 = -7.16: the south pole is visible, so every meridian shows at least near it;
        // no parallel goes all round (tan 80 tan 7.16 < 1), each is cut by the limb.
        QCOMPARE(m.meridians.size(), size_t(36));
        QCOMPARE(m.parallels.size(), size_t(17));
        QCOMPARE(m.centralMeridian.size(), size_t(1));
    }

    void headerAndTable_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("polar entry")
            << false << QStringList{"č.",      "Typ",    "poč",   "s pen.", "úhel",  "vzd.",
                                    "plocha.", "mal.s.", "č.sk1", "č.sk2",  "úhel1", "vzd.1",
                                    "plo.1",   "úhel2",  "vzd.2", "plo.2"};
        QTest::newRow("heliographic entry")
            << true << QStringList{"č.", "Typ",     "poč",    "s pen.", "l",
                                   "b",  "plocha.", "mal.s.", "č.sk1",  "č.sk2"};
    }
    void headerAndTable() {
        QFETCH(bool, heliographic);
        QFETCH(QStringList, headings);
        SheetSettings s = settingsAt("21.06.2001", 830, 125);
        s.heliographicEntry = heliographic;
        const SheetModel m = buildSheetModel(s);
        QStringList texts;
        for (const SheetText &t : m.texts)
            texts << t.text;
        // The ephemeris of 21 June 2001 8:30 UT: B0 1.77, P -7.06, L0 116.11, rotation 1977
        // (the reference moments of the solar tests).
        QVERIFY(texts.contains("Datum: 21.06.2001     Čas UT: 08:30     Rotace: 1977"));
        QVERIFY(
            texts.contains("B0 = 1.77°     P = -7.06°     L0 = 116.11°     průměr kotouče 250 mm"));
        for (const char *field : {"Pozorovatel:", "Stanice:", "PP:", "Obr.:", "Q:"})
            QVERIFY2(texts.contains(QString::fromUtf8(field)), field);
        // The headings in the order of the entry dialog's group table, after the row number.
        const qsizetype first = texts.indexOf("č.");
        QCOMPARE(texts.mid(first, headings.size()), headings);
        QCOMPARE(m.tableRows, 10); // (400 - 36 - 4 - 274 - 4) / 7 - 1 rows on A3
    }

    void sheetTime_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("time"); // -1: refused
        QTest::newRow("hhmm") << "0830" << 830;
        QTest::newRow("without the zero") << "705" << 705;
        QTest::newRow("midnight") << "0" << 0;
        QTest::newRow("last minute") << "2359" << 2359;
        QTest::newRow("24 h") << "2400" << -1;
        QTest::newRow("minute 60") << "760" << -1;
        QTest::newRow("colon") << "7:05" << -1;
        QTest::newRow("five digits") << "12345" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("other digits") << QString::fromUtf8("\uff11\uff12\uff13\uff10") << -1;
    }
    void sheetTime() {
        QFETCH(QString, text);
        QFETCH(int, time);
        const auto parsed = parseSheetTime(text);
        QCOMPARE(parsed ? int(*parsed) : -1, time);
    }
};

ORVANEK_REGISTER_TEST(TestSheetModel);
#include "tst_sheetmodel.moc"
