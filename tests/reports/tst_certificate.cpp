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
                                    [&](const PlacedText &t) { return t.pos == QPoint(x, y); });
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
        QTest::newRow("blanks") << " 12 . 1999 " << 12 << 1999;
        QTest::newRow("two-digit year, this century") << "3.05" << 3 << 2005;
        QTest::newRow("two-digit year, last century") << "3.99" << 3 << 1999;
        QTest::newRow("point before comma") << "2.2,000" << 0 << 0;
        QTest::newRow("no separator") << "22000" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("month 13") << "13.2000" << 0 << 0;
        QTest::newRow("month 0") << "0.2000" << 0 << 0;
        QTest::newRow("letters in month") << "II.2000" << 0 << 0;
        QTest::newRow("no year") << "2." << 0 << 0;
        QTest::newRow("no month") << ".2000" << 0 << 0;
        QTest::newRow("five-digit year") << "2.20001" << 0 << 0;
        QTest::newRow("text after year") << "2.2000x" << 0 << 0;
        QTest::newRow("negative year") << "2.-2000" << 0 << 0;
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
        QTest::newRow("February 2004") << 2 << 2004 << 29;
        QTest::newRow("February 2001") << 2 << 2001 << 28;
        QTest::newRow("February 1900") << 2 << 1900 << 28;
        QTest::newRow("February 2100") << 2 << 2100 << 28;
        QTest::newRow("April") << 4 << 2001 << 30;
        QTest::newRow("December") << 12 << 2001 << 31;
    }
    void daysInMonth() {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, days);
        QCOMPARE(certificateDaysInMonth(month, year), days);
        ObservationStore store(kTestToday);
        const CertificateModel m = buildCertificate(store, {month, year}, stationLines());
        QCOMPARE(static_cast<int>(m.days.size()), days);
        QCOMPARE(m.days.back().day, days);
    }

    // Two records on the 3rd: the first fills the row, the second is left out, and the days
    // after it keep their own records.
    void severalRecordsOnADay() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("31.01.2000", {9, 9, 99}),
                          summaryRecord("03.02.2000", {1, 4, 14}, {}, 805, "Eva"),
                          summaryRecord("03.02.2000", {5, 5, 55}, {}, 1530, "Jan"),
                          summaryRecord("04.02.2000", {2, 3, 23}, {1, 1, 11}),
                          summaryRecord("28.02.2000", {0, 0, 0}, {2, 6, 26}),
                          summaryRecord("01.03.2000", {9, 9, 99})});
        const CertificateModel m = buildCertificate(store, {2, 2000}, stationLines());
        QCOMPARE(m.days[2].recordNumber, 2);
        QCOMPARE(m.days[2].observer, QStringLiteral("Eva"));
        QCOMPARE(m.days[2].timeUT, 805);
        QCOMPARE(m.days[3].recordNumber, 4);
        QCOMPARE(m.days[27].recordNumber, 5);
        QVERIFY(!m.days[0].observed());
        QCOMPARE(m.skippedRecords, 1);
        QCOMPARE(m.observingDays, 3);
        // g: 1 + 3 + 2; R: 14 + 34 + 26; north R: 14 + 23 + 0.
        QCOMPARE(m.sums[CertG], 6);
        QCOMPARE(m.sums[CertR], 74);
        QCOMPARE(m.sums[CertNorthR], 37);
        QCOMPARE(m.means[CertR], 74.0 / 3);
        QCOMPARE(monthRecordIndex(store, {2, 2000}), std::optional<int>(1));
    }

    // A month a year later is another month; a month without records is not found.
    void monthMatchesYear() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("10.02.1999", {1, 1, 11}),
                          summaryRecord("10.02.2000", {2, 2, 22})});
        QCOMPARE(monthRecordIndex(store, {2, 2000}), std::optional<int>(1));
        QCOMPARE(monthRecordIndex(store, {3, 2000}), std::nullopt);
        const CertificateModel m = buildCertificate(store, {2, 2000}, stationLines());
        QCOMPARE(m.observingDays, 1);
        QCOMPARE(m.sums[CertG], 2);
    }

    // April 2001 observed on its first 14 days: 14 of 30 days is 46.67 %. The sums and
    // means rows of the drawn certificate, with the values worked out by hand.
    void sumsMeansAndShare() {
        ObservationStore store(kTestToday);
        for (int day = 1; day <= 14; ++day) {
            // g is 2 on odd days and 1 on even ones: 7 x 2 + 7 x 1 = 21, mean 1.50.
            // Seeing Q is the day itself: 1 + ... + 14 = 105, mean 7.50.
            ObservationRecord r =
                summaryRecord(QStringLiteral("%1.04.2001").arg(day, 2, 10, QLatin1Char('0')),
                              {1, 0, 10}, {static_cast<uint16_t>(day % 2), 0, 0});
            r.seeingQuality = static_cast<uint8_t>(day);
            store.appendRecord(r);
        }
        const CertificateModel m = buildCertificate(store, {4, 2001}, stationLines());
        const CertificateLayout layout = certificateLayout(m);
        QCOMPARE(textAt(layout, 610, 782), QStringLiteral("14"));
        QCOMPARE(textAt(layout, 610, 798), QStringLiteral(" 46.67%"));
        QCOMPARE(textAt(layout, 220, 782), QStringLiteral("21"));
        QCOMPARE(textAt(layout, 220, 798), QStringLiteral("  1.50"));
        QCOMPARE(textAt(layout, 560, 782), QStringLiteral("105"));
        QCOMPARE(textAt(layout, 560, 798), QStringLiteral("  7.50"));
        // Day 15 at y = 270 + 16 x 15 has its date and nothing else.
        QCOMPARE(textAt(layout, 60, 510), QStringLiteral("  15   4  2001"));
        QCOMPARE(textAt(layout, 160, 510), QStringLiteral("<none>"));
        QCOMPARE(textAt(layout, 160, 494), QStringLiteral(" 12:  0"));
    }

    // A month without any record shows no observed day, no mean and a share of 0.
    void emptyMonth() {
        ObservationStore store(kTestToday);
        fillStore(store, {summaryRecord("10.05.2001", {1, 1, 11})});
        const CertificateModel m = buildCertificate(store, {4, 2001}, stationLines());
        QCOMPARE(m.observingDays, 0);
        QCOMPARE(m.observedShare, 0.0);
        QCOMPARE(textAt(certificateLayout(m), 610, 798), QStringLiteral("  0.00%"));
    }

    void timeText_data() {
        QTest::addColumn<int>("timeUT");
        QTest::addColumn<QString>("text");
        QTest::newRow("10:05") << 1005 << " 10:  5";
        QTest::newRow("7:30") << 730 << "  7: 30";
        QTest::newRow("midnight") << 0 << "  0:  0";
    }
    void timeText() {
        QFETCH(int, timeUT);
        QFETCH(QString, text);
        QCOMPARE(certificateTimeText(static_cast<uint16_t>(timeUT)), text);
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
        QTest::newRow("focus beyond 16 bits") << "70000"
                                              << "18"
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
    }

    // Without a station the instrument box comes first and nothing is drawn.
    void emptyStationDrawsNothing() {
        InstrumentLines lines = stationLines();
        lines[5] = QStringLiteral("  ");
        const CertificateModel m = buildCertificate(ObservationStore(kTestToday), {1, 2000}, lines);
        QVERIFY(m.needsInstrument);
        QVERIFY(certificateLayout(m).texts.empty());
    }

    // 11 column lines and the closing line from y 266 to 810; 35 rows 16 apart, 266 to 810.
    void grid() {
        const CertificateModel m =
            buildCertificate(ObservationStore(kTestToday), {1, 2000}, stationLines());
        const auto &lines = certificateLayout(m).gridLines;
        const auto vertical = std::count_if(lines.begin(), lines.end(), [](const QLine &l) {
            return l.x1() == l.x2() && l.y1() == 266 && l.y2() == 810;
        });
        const auto horizontal = std::count_if(lines.begin(), lines.end(), [](const QLine &l) {
            return l.y1() == l.y2() && l.x1() == 60 && l.x2() == 710 && (l.y1() - 266) % 16 == 0 &&
                   l.y1() >= 266 && l.y1() <= 810;
        });
        QCOMPARE(vertical, 12);
        QCOMPARE(horizontal, 35);
        QVERIFY(std::any_of(lines.begin(), lines.end(),
                            [](const QLine &l) { return l == QLine(60, 266, 60, 810); }));
        QCOMPARE(certificatePrintScale(4961), 7);
        QCOMPARE(certificatePrintScale(595), 1);
    }
};

ORVANEK_REGISTER_TEST(TestCertificate);

#include "tst_certificate.moc"
