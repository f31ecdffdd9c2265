// The sheet's code and registration marks: the text a scan reads back, the texts refused,
// and the code and fiducial dots kept clear of everything else the sheet prints.
#include "data/dates.h"
#include "madescans.h"
#include "testregistry.h"
#include "views/sheet/sheetcode.h"

#include <QLineF>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// The nearest point of a rectangle to the origin, and how far it is.
double nearestDistance(const QRectF &r) {
    const double x = std::clamp(0.0, r.left(), r.right());
    const double y = std::clamp(0.0, r.top(), r.bottom());
    return std::hypot(x, y);
}

} // namespace

class TestSheetCode : public QObject {
    Q_OBJECT

  private slots:
    void text_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("time");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::addColumn<int>("orientY");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("upright on A3") << "21.06.2001" << 830 << 125.0 << 1 << 1 << "A3" << "ORVANEK/1;21.06.2001;0830;125;0;0;A3";
        QTest::newRow("east-west mirrored, half millimetres") << "07.05.2001" << 705 << 62.5 << -1 << 1 << "A4" << "ORVANEK/1;07.05.2001;0705;62.5;1;0;A4";
        QTest::newRow("north-south mirrored at midnight") << "01.01.1996" << 0 << 80.0 << 1 << -1 << "A4" << "ORVANEK/1;01.01.1996;0000;80;0;1;A4";
        // clang-format on
    }
    void text() {
        QFETCH(QString, date);
        QFETCH(int, time);
        QFETCH(double, radius);
        QFETCH(int, orientX);
        QFETCH(int, orientY);
        QFETCH(QString, paper);
        QFETCH(QString, text);
        const SheetCode code{*parseDate(date, 2000), uint16_t(time), radius, orientX, orientY,
                             *paperFromName(paper)};
        QCOMPARE(sheetCodeText(code), text);
        QCOMPARE(parseSheetCode(text), std::optional<SheetCode>(code));
        // 29 x 29 modules (QR version 3) hold it: 17.4 mm printed.
        QCOMPARE(sheetCodeSymbol(text).size, 29);
    }

    void refused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("a later format") << "ORVANEK/2;21.06.2001;0830;125;0;0;A3";
        QTest::newRow("another program's code") << "https://example.org/sun";
        QTest::newRow("a field missing") << "ORVANEK/1;21.06.2001;0830;125;0;A3";
        QTest::newRow("a day that does not exist") << "ORVANEK/1;31.02.2001;0830;125;0;0;A3";
        QTest::newRow("a two-digit year") << "ORVANEK/1;21.06.01;0830;125;0;0;A3";
        QTest::newRow("minute 60") << "ORVANEK/1;21.06.2001;0860;125;0;0;A3";
        QTest::newRow("no radius") << "ORVANEK/1;21.06.2001;0830;0;0;0;A3";
        QTest::newRow("radius not a number") << "ORVANEK/1;21.06.2001;0830;inf;0;0;A3";
        QTest::newRow("a radius no sheet has") << "ORVANEK/1;21.06.2001;0830;1000;0;0;A3";
        QTest::newRow("a mirror flag 2") << "ORVANEK/1;21.06.2001;0830;125;2;0;A3";
        QTest::newRow("paper A5") << "ORVANEK/1;21.06.2001;0830;125;0;0;A5";
    }
    void refused() {
        QFETCH(QString, text);
        QVERIFY(!parseSheetCode(text));
    }

    void marksKeepClear_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("orientX");
        QTest::newRow("R 20 on A4") << 20.0 << 1;
        QTest::newRow("R 40 on A4, mirrored") << 40.0 << -1;
        QTest::newRow("R 83 on A4") << 83.0 << 1;
        QTest::newRow("R 125 on A3") << 125.0 << 1;
        QTest::newRow("R 126.5 on A3, mirrored") << 126.5 << -1;
    }
    void marksKeepClear() {
        QFETCH(double, radius);
        QFETCH(int, orientX);
        const SheetModel m = sheetOf2001(radius, orientX);
        QVERIFY(m.printable());
        QCOMPARE(parseSheetCode(m.codeText)->radiusMm, radius);
        // The code with its quiet zone of 4 modules (2.4 mm), from the disk's centre.
        const QRectF quiet = m.codeMm.adjusted(-2.4, -2.4, 2.4, 2.4).translated(-m.centre);
        QCOMPARE(m.codeMm.width(), 29 * 0.6);
        // Out of the ring of 12 mm beyond the limb that holds the scale's ticks, numbers and
        // the compass letters.
        QVERIFY2(nearestDistance(quiet) >= radius + 12 - 1e-9,
                 qPrintable(QString::number(nearestDistance(quiet) - radius)));
        // Below the header's 36 mm and above the group table (4 mm under the scale's ring),
        // and on the paper (its 10 mm margin left of the printable area).
        const QRectF onSheet = quiet.translated(m.centre);
        QVERIFY(onSheet.top() >= 36);
        QVERIFY(onSheet.bottom() <= m.centre.y() + radius + 12 + 4);
        QVERIFY(onSheet.left() >= -kSheetMarginMm);
        // No text of the sheet starts or ends within 3 mm of it.
        for (const SheetText &t : m.texts)
            QVERIFY2(!onSheet.adjusted(-3, -3, 3, 3).contains(t.anchor), qPrintable(t.text));
        // Three dots in the other corners of the square round the disk and its scale, each
        // out of the ring and clear of the code.
        QCOMPARE(m.fiducials.size(), size_t(3));
        const double corner = radius + 12 - 2.5;
        const QPointF expected[] = {{-corner, -corner}, {corner, -corner}, {corner, corner}};
        for (size_t i = 0; i < 3; ++i) {
            const QPointF f = m.fiducials[i] - m.centre;
            QVERIFY(QLineF(f, expected[i]).length() < 1e-9);
            QVERIFY(std::hypot(f.x(), f.y()) - 1.5 >= radius + 12);
            QVERIFY(!quiet.adjusted(-1.5, -1.5, 1.5, 1.5).contains(f));
        }
    }
};

ORVANEK_REGISTER_TEST(TestSheetCode);
#include "tst_sheetcode.moc"
