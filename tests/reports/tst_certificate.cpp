// The monthly certificate: the month prompt, the day rows, sums, means, share and layout.
#include "reports/certificatelayout.h"
#include "reports/certificatemodel.h"
#include "reports/monthprompt.h"
#include "reporttesthelpers.h"
#include "testregistry.h"

#include <QTest>

#include <algorithm>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

InstrumentLines stationLines() {
    InstrumentLines lines = defaultInstrumentLines(); // 80 mm, eyepiece 18, focus 1350
    lines[5] = QStringLiteral("Ondřejov");
    return lines;
}

// The text placed at (x, y), or a marker that none is.
QString textAt(const CertificateLayout &layout, int x, int y) {
    const auto found = std::find_if(layout.texts.begin(), layout.texts.end(),
                                    [&](const PlacedText &t) { return t.place == QPoint(x, y); });
    return found == layout.texts.end() ? QStringLiteral("<none>") : found->text;
}

} // namespace

class TestCertificate : public QObject {
    Q_OBJECT

  private slots:
    void monthPrompt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("month"); // 0: refused
        QTest::addColumn<int>("year");
        QTest::newRow("point") << "2.2000" << 2 << 2000;
        QTest::newRow("comma") << "2,2000" << 2 << 2000;
        QTest::newRow("leading zero") << "02.2000" << 2 << 2000;
        QTest::newRow("two-digit year") << "3.99" << 3 << 1999; // read around 2026
        QTest::newRow("no separator") << "22000" << 0 << 0;
        QTest::newRow("month 13") << "13.2000" << 0 << 0;
        QTest::newRow("no year") << "2." << 0 << 0;
        QTest::newRow("five-digit year") << "2.20001" << 0 << 0;
        QTest::newRow("text after year") << "2.2000x" << 0 << 0;
    }
    void monthPrompt() {
        QFETCH(QString, text);
        QFETCH(int, month);
        QFETCH(int, year);
        const auto asked = parseMonthPrompt(text, kTestToday.year());
        QCOMPARE(asked.has_value(), month != 0);
        if (asked)
            QCOMPARE(*asked, (AskedMonth{month, year}));
    }

    void daysInMonth_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        // Gregorian calendar: century years are leap years only when divisible by 400.
        QTest::newRow("February 2000") << 2 << 2000 << 29;
        QTest::newRow("February 1900") << 2 << 1900 << 28;
        QTest::newRow("February 2100") << 2 << 2100 << 28;
        QTest::newRow("April") << 4 << 2001 << 30;
    }
    void daysInMonth() {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, days);
        QCOMPARE(static_cast<int>(
                     buildCertificate(ObservationStore(kTestToday), {month, year}, stationLines())
                         .days.size()),
                 days);
    }

    // Two records on the 3rd: the first fills the row, the second is left out, and the days
    // after it keep their own records. February of the year before is another month, and the
    // placeholder saved on the 29th (a date and nothing else) no observed day.
    void severalRecordsOnADay() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("03.02.1999", {9, 9, 99}),
                          summaryRecord("03.02.2000", {1, 4, 14}, {}, 805, "Eva"),
                          summaryRecord("03.02.2000", {5, 5, 55}, {}, 1530, "Jan"),
                          summaryRecord("04.02.2000", {2, 3, 23}, {1, 1, 11}),
                          summaryRecord("28.02.2000", {0, 0, 0}, {2, 6, 26}),
                          datedRecord("29.02.2000", 0), summaryRecord("01.03.2000", {9, 9, 99})});
        const CertificateModel m = buildCertificate(store, {2, 2000}, stationLines());
        QCOMPARE(m.days[2].recordNumber, 2);
        QCOMPARE(m.days[3].recordNumber, 4);
        QCOMPARE(m.days[27].recordNumber, 5);
        QCOMPARE(m.skippedRecords, 1);
        QCOMPARE(m.observingDays, 3);
        // g: 1 + 3 + 2; R: 14 + 34 + 26.
        QCOMPARE(m.sums[CertG], 6);
        QCOMPARE(m.sums[CertR], 74);
        QCOMPARE(monthRecordIndex(store, {2, 2000}), std::optional<int>(1));
        QCOMPARE(monthRecordIndex(store, {4, 2000}), std::nullopt);
    }

    // April 2001 observed on its first 14 days: 14 of 30 days is 46.67 %. The sums and
    // means rows of the drawn certificate, with the values worked out by hand.
    void sumsMeansAndShare() {
        ObservationStore store(kTestToday);
        for (int day = 1; day <= 14; ++day) {
            // g is 2 on odd days and 1 on even ones: 7 x 2 + 7 x 1 = 21, mean 1.50.
            store.appendRecord(
                summaryRecord(QStringLiteral("%1.04.2001").arg(day, 2, 10, QLatin1Char('0')),
                              {1, 0, 10}, {static_cast<uint16_t>(day % 2), 0, 0}, 1005));
        }
        const CertificateLayout layout =
            certificateLayout(buildCertificate(store, {4, 2001}, stationLines()));
        QCOMPARE(textAt(layout, 610, 782), QStringLiteral("14"));
        QCOMPARE(textAt(layout, 610, 798), QStringLiteral(" 46.67%"));
        QCOMPARE(textAt(layout, 220, 782), QStringLiteral("21"));
        QCOMPARE(textAt(layout, 220, 798), QStringLiteral("  1.50"));
        // Day 14 at y = 270 + 16 x 14 shows 10:05; day 15 its date and nothing else.
        QCOMPARE(textAt(layout, 160, 494), QStringLiteral(" 10:  5"));
        QCOMPARE(textAt(layout, 60, 510), QStringLiteral("  15   4  2001"));
        QCOMPARE(textAt(layout, 160, 510), QStringLiteral("<none>"));
    }

    // A month without any record shows no observed day and a share of 0, not 1 day.
    void emptyMonth() {
        const CertificateModel m =
            buildCertificate(ObservationStore(kTestToday), {4, 2001}, stationLines());
        QCOMPARE(m.observingDays, 0);
        QCOMPARE(textAt(certificateLayout(m), 610, 798), QStringLiteral("  0.00%"));
    }

    // Each column and header field where it belongs, with values no two of which are
    // alike: 1 and 2 April 2001, North R 31 and 52, South R 47 and 29, Center R 13 and 8,
    // F 5 and 7, Q 2 and 4. Day 1's row at y 286, the sums at 782 (the columns from R on
    // 10 further left), the means at 798.
    void columnsAndHeader_data() {
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QString>("text");
        QTest::newRow("North, day 1") << QPoint(370, 286) << "31";
        QTest::newRow("Center, day 1") << QPoint(470, 286) << "13";
        QTest::newRow("F, day 1") << QPoint(520, 286) << "5";
        QTest::newRow("South, sum") << QPoint(410, 782) << "76";
        QTest::newRow("Q, sum") << QPoint(560, 782) << "6";
        QTest::newRow("Center, mean") << QPoint(460, 798) << " 10.50";
        QTest::newRow("station") << QPoint(120, 48) << "Ondřejov";
        QTest::newRow("instrument") << QPoint(120, 158) << "Coudé";
        QTest::newRow("aperture") << QPoint(280, 158) << "150  mm";
        QTest::newRow("focal length") << QPoint(440, 158) << "2250  mm";
        QTest::newRow("eyepiece") << QPoint(600, 158) << "25  mm";
    }
    void columnsAndHeader() {
        QFETCH(QPoint, place);
        QFETCH(QString, text);
        ObservationRecord day1 = summaryRecord("01.04.2001", {2, 3, 31}, {4, 7, 47}, 905, "Eva");
        ObservationRecord day2 = summaryRecord("02.04.2001", {5, 2, 52}, {2, 9, 29}, 1010, "Jan");
        day1.summary.centralR = 13, day2.summary.centralR = 8;
        day1.faculaTotal = 5, day2.faculaTotal = 7;
        day1.seeingQuality = 2, day2.seeingQuality = 4;
        ObservationStore store(kTestToday);
        fillStore(store, {day1, day2});
        // Lines 1..6: observatory, instrument, aperture, eyepiece, focal length, station.
        const InstrumentLines lines = {"Hvězdárna", "Coudé", "150", "25", "2250", "Ondřejov"};
        QCOMPARE(textAt(certificateLayout(buildCertificate(store, {4, 2001}, lines)), place.x(),
                        place.y()),
                 text);
    }

    void magnification_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("eyepiece");
        QTest::addColumn<QString>("text");
        QTest::newRow("1350 / 18") << "1350"
                                   << "18"
                                   << "   75 x";
        QTest::newRow("whole times, cut") << "1000"
                                          << "3"
                                          << "  333 x";
        QTest::newRow("empty eyepiece") << "1350"
                                        << ""
                                        << "    -";
        QTest::newRow("zero eyepiece") << "1350"
                                       << "0"
                                       << "    -";
        QTest::newRow("eyepiece not a number") << "1350"
                                               << "18mm"
                                               << "    -";
    }
    void magnification() {
        QFETCH(QString, focus);
        QFETCH(QString, eyepiece);
        QFETCH(QString, text);
        InstrumentLines lines = stationLines();
        lines[4] = focus;
        lines[3] = eyepiece;
        const CertificateModel m = buildCertificate(ObservationStore(kTestToday), {1, 2000}, lines);
        QCOMPARE(textAt(certificateLayout(m), 580, 218), text);
        lines[5].clear(); // no station: the instrument box comes first, nothing is drawn
        QVERIFY(certificateLayout(buildCertificate(ObservationStore(kTestToday), {1, 2000}, lines))
                    .texts.empty());
    }

    // Texts wider than their room, measured here as half their height a character. The
    // labels share the height all of them fit at: "Instrument:", 11 characters in the 56
    // units before its value, needs 10 (11 x 5 = 55). The instrument (36 characters) shrinks
    // to 12, 7/10 of 17, and is cut to the 20 that fit 126 units with "…" (21 x 6).
    // Numbers and headings move left in their cell (2 units off its lines) and shrink only
    // where it is too narrow: "65535.00", 52 wide, is 44 at 11 in the cell 302..348. The
    // observer's room, 605..708, holds 19 characters and "…" at 10.
    void textsFitTheirRoom_data() {
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("font");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("label fits, in the labels' size") << QPoint(60, 50) << QPoint(60, 50) << 10 << "Station:";
        QTest::newRow("label shrinks") << QPoint(60, 160) << QPoint(60, 160) << 10 << "Instrument:";
        QTest::newRow("instrument shrinks and is cut") << QPoint(120, 158) << QPoint(120, 158) << 12 << "Refraktor Zeiss AS 8…";
        // "  1.00", 39 wide, from 220 would end at 259: it ends at 248 instead.
        QTest::newRow("g's mean moves left") << QPoint(220, 798) << QPoint(209, 798) << 13 << "  1.00";
        QTest::newRow("R's mean shrinks") << QPoint(310, 798) << QPoint(304, 798) << 11 << "65535.00";
        QTest::newRow("heading moves left") << QPoint(460, 270) << QPoint(452, 270) << 13 << " Center";
        QTest::newRow("observer is cut") << QPoint(605, 286) << QPoint(605, 286) << 10 << "Bohuslava Kratochví…";
        // clang-format on
    }
    void textsFitTheirRoom() {
        QFETCH(QPoint, place);
        QFETCH(QPoint, pos);
        QFETCH(int, font);
        QFETCH(QString, text);
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("01.04.2001", {1, 0, 40000}, {0, 0, 25535}, 900,
                                        "Bohuslava Kratochvílová-Novákov")});
        InstrumentLines lines = stationLines();
        lines[1] = QStringLiteral("Refraktor Zeiss AS 80/1200, projekce");
        const auto halfHeight = [](const QString &t, int height, bool) {
            return t.size() * height / 2.0;
        };
        const CertificateLayout layout =
            certificateLayout(buildCertificate(store, {4, 2001}, lines), halfHeight);
        const auto found = std::find_if(layout.texts.begin(), layout.texts.end(),
                                        [&](const PlacedText &t) { return t.place == place; });
        QVERIFY(found != layout.texts.end());
        QCOMPARE(found->pos, pos);
        QCOMPARE(found->fontHeight, font);
        QCOMPARE(found->text, text);
    }

    // With the reports' own font, the demo's instrument line and a month of large numbers:
    // no text of the header reaches the next one on its line, and no text of the table
    // crosses a grid line.
    void noTextRunsIntoItsNeighbour() {
        ObservationStore store(kTestToday);
        for (int day = 1; day <= 30; ++day)
            store.appendRecord(
                summaryRecord(QStringLiteral("%1.04.2001").arg(day, 2, 10, QLatin1Char('0')),
                              {29, 999, 1289}, {31, 987, 1297}, 1159, "Bohuslava Kratochvílová"));
        InstrumentLines lines = stationLines();
        lines[1] = QStringLiteral("Refraktor Zeiss AS 80/1200, projekce");
        lines[2] = QStringLiteral("150");
        lines[4] = QStringLiteral("12000");
        const CertificateLayout layout =
            certificateLayout(buildCertificate(store, {4, 2001}, lines));
        std::vector<QRectF> boxes;
        for (const PlacedText &t : layout.texts)
            boxes.emplace_back(
                t.pos, QSizeF(certificateTextWidth(t.text, t.fontHeight, t.bold), t.fontHeight));
        for (size_t i = 0; i < boxes.size(); ++i) {
            const QString what = layout.texts[i].text;
            QVERIFY2(boxes[i].right() <= 710, qPrintable(what));
            for (size_t j = i + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[i].intersects(boxes[j]),
                         qPrintable(what + QStringLiteral(" | ") + layout.texts[j].text));
            for (const QLine &line : layout.gridLines)
                if (line.x1() == line.x2() && boxes[i].top() >= 266)
                    QVERIFY2(line.x1() <= boxes[i].left() || line.x1() >= boxes[i].right(),
                             qPrintable(what));
        }
    }

    // 11 column lines and the closing one from y 266 to 810; 35 rows 16 apart, 266 to 810.
    void grid() {
        const auto lines = certificateLayout(buildCertificate(ObservationStore(kTestToday),
                                                              {1, 2000}, stationLines()))
                               .gridLines;
        QCOMPARE(lines.size(), 12u + 35u);
        for (const QLine &line : {QLine(60, 266, 60, 810), QLine(710, 266, 710, 810),
                                  QLine(60, 266, 710, 266), QLine(60, 810, 710, 810)})
            QVERIFY(std::find(lines.begin(), lines.end(), line) != lines.end());
    }
};

ORVANEK_REGISTER_TEST(TestCertificate);

#include "tst_certificate.moc"
