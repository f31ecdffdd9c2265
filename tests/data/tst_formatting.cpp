// Picture formats, "%5d", date parsing and formatting.
#include "data/dates.h"
#include "data/numberformat.h"
#include "testhelpers.h"

#include <QTest>

using namespace orvanek;

class TestFormatting : public QObject {
    Q_OBJECT

  private slots:
    void pictures_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.0") << 12.34 << "0.0"
                             << "12.3";
        QTest::newRow("0.0 small") << 0.04 << "0.0"
                                   << "0.0";
        QTest::newRow("0.0 tie to even") << 0.25 << "0.0"
                                         << "0.2";
        QTest::newRow("0.0 negative") << -1.26 << "0.0"
                                      << "-1.3";
        QTest::newRow("##0.00") << 3.14159 << "##0.00"
                                << "3.14";
        QTest::newRow("##0.00 wide") << 12345.678 << "##0.00"
                                     << "12345.68";
        QTest::newRow("##0.00 zero") << 0.0 << "##0.00"
                                     << "0.00";
        QTest::newRow("### diameter") << 250.0 << "###"
                                      << "250";
        QTest::newRow("### rounds") << 62.5 << "###"
                                    << "62";
        QTest::newRow("### zero is empty") << 0.0 << "###"
                                           << "";
        QTest::newRow("###.# whole") << 125.0 << "###.#"
                                     << "125";
        QTest::newRow("###.# half") << 62.5 << "###.#"
                                    << "62.5";
        QTest::newRow("###.# below one") << 0.5 << "###.#"
                                         << ".5";
        QTest::newRow("##.#") << 7.25 << "##.#"
                              << "7.2";
        QTest::newRow("00") << 5.0 << "00"
                            << "05";
        QTest::newRow("00 wider") << 123.0 << "00"
                                  << "123";
        QTest::newRow("000") << 7.0 << "000"
                             << "007";
        QTest::newRow("000 rounds up") << 359.6 << "000"
                                       << "360";
        QTest::newRow("0000") << 130.6 << "0000"
                              << "0131";
        QTest::newRow("latitude north") << 11.7 << " 00;-00"
                                        << " 12";
        QTest::newRow("latitude south") << -3.4 << " 00;-00"
                                        << "-03";
        QTest::newRow("latitude small north") << 3.4 << " 00;-00"
                                              << " 03";
        QTest::newRow("latitude rounds to 0") << -0.4 << " 00;-00"
                                              << " 00";
        QTest::newRow("latitude -45") << -45.2 << " 00;-00"
                                      << "-45";
        QTest::newRow("literal suffix") << 5.0 << "0 mm"
                                        << "5 mm";
        QTest::newRow("no whole placeholder") << 12.34 << ".00"
                                              << "12.34";
        QTest::newRow("empty negative pattern") << -12.34 << "0.0;"
                                                << "-12.3";
        QTest::newRow("too large for the decimals") << 1e308 << "0.0"
                                                    << "INF";
    }
    void pictures() {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatNumber(value, pattern.toStdString()), expected);
    }

    void fiveWideIntegers_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1") << 1 << "    1";
        QTest::newRow("999") << 999 << "  999";
        QTest::newRow("1000") << 1000 << " 1000";
        QTest::newRow("99999") << 99999 << "99999";
        QTest::newRow("wider is not cut") << 123456 << "123456";
    }
    void fiveWideIntegers() {
        QFETCH(int, value);
        QFETCH(QString, expected);
        QCOMPARE(formatInt5(value), expected);
    }

    void parseDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        // year 0 = no date. Two-digit years and "d.m" are read around the pivot 2026.
        QTest::newRow("stored form") << "08.12.2026" << 2026 << 12 << 8;
        QTest::newRow("no leading zeros") << "8.1.2026" << 2026 << 1 << 8;
        QTest::newRow("blanks") << " 8. 12. 2026 " << 2026 << 12 << 8;
        QTest::newRow("leap day") << "29.02.2000" << 2000 << 2 << 29;
        QTest::newRow("no leap day 1900") << "29.02.1900" << 0 << 0 << 0;
        QTest::newRow("31 February") << "31.02.2026" << 0 << 0 << 0;
        QTest::newRow("month 13") << "01.13.2026" << 0 << 0 << 0;
        QTest::newRow("day 0") << "00.12.2026" << 0 << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0 << 0;
        QTest::newRow("empty mask") << "  .  .    " << 0 << 0 << 0;
        QTest::newRow("dashes") << "08-12-2026" << 0 << 0 << 0;
        QTest::newRow("trailing junk") << "08.12.2026x" << 0 << 0 << 0;
        QTest::newRow("five-digit year") << "08.12.20261" << 0 << 0 << 0;
        QTest::newRow("three-digit day") << "008.12.2026" << 0 << 0 << 0;
        QTest::newRow("two-digit year, this century") << "08.12.26" << 2026 << 12 << 8;
        QTest::newRow("two-digit year 76") << "08.12.76" << 1976 << 12 << 8;
        QTest::newRow("two-digit year 75") << "08.12.75" << 2075 << 12 << 8;
        QTest::newRow("day and month") << "24.12" << 2026 << 12 << 24;
        QTest::newRow("not a number") << "abc" << 0 << 0 << 0;
    }
    void parseDates() {
        QFETCH(QString, text);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        const QByteArray latin = text.toLatin1();
        const auto date = parseDate(std::string_view(latin.constData(), latin.size()), 2026);
        QCOMPARE(date.has_value(), year != 0);
        if (date) {
            QCOMPARE(int(date->curYear), year);
            QCOMPARE(int(date->curMonth), month);
            QCOMPARE(int(date->curDay), day);
        }
        // The stored form reads the same whatever the year is (no pivot is needed).
        if (latin.size() == 10 && year >= 1000) {
            const auto fast = parseDate(std::string_view(latin.constData(), latin.size()), 1950);
            QVERIFY(fast.has_value());
            QCOMPARE(*fast, *date);
        }
    }

    void formatDates_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("list") << "dd mm yyyy"
                              << "08 01 2026";
        QTest::newRow("export") << "dd:mm:yyyy"
                                << "08:01:2026";
        QTest::newRow("short") << "dd.mm.yyyy"
                               << "08.01.2026";
        QTest::newRow("bitmap name") << "d.m.yy"
                                     << "8.1.26";
    }
    void formatDates() {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatDate(CalendarDate{2026, 1, 8}, pattern), expected);
    }

    void formatTimes_data() {
        QTest::addColumn<int>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("705") << 705 << "07 05";
        QTest::newRow("1230") << 1230 << "12 30";
        QTest::newRow("5") << 5 << "00 05";
        QTest::newRow("minutes not checked") << 2375 << "23 75";
    }
    void formatTimes() {
        QFETCH(int, time);
        QFETCH(QString, expected);
        QCOMPARE(formatTimeUT(static_cast<uint16_t>(time), u"hh nn"), expected);
    }

    // What was read, as messages quote it: 40 characters at most, control bytes escaped.
    void excerpts_data() {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QString>("shown");
        QTest::newRow("40 characters") << QByteArray(40, 'a') << QString(40, u'a');
        QTest::newRow("41 characters") << QByteArray(41, 'a') << QString(40, u'a') + u'…';
        QTest::newRow("NUL and a terminal's escape")
            << QByteArray("a\0b\x1b[2J", 7) << "a\\x00b\\x1b[2J";
        QTest::newRow("a C1 control and a turn-round mark")
            << QByteArray("x\xc2\x9by\xe2\x80\xaez") << "x\\u009by\\u202ez";
        QTest::newRow("41 two-byte letters")
            << QString(41, u'č').toUtf8() << QString(40, u'č') + u'…';
    }
    void excerpts() {
        QFETCH(QByteArray, read);
        QFETCH(QString, shown);
        QCOMPARE(inputExcerpt(QByteArrayView(read)), shown);
        QCOMPARE(inputExcerpt(QStringView(QString::fromUtf8(read))), shown);
    }

    void shortDateOfToday() {
        QCOMPARE(shortDate(toCalendarDate(QDate(2026, 12, 8))), QStringLiteral("08.12.2026"));
        QCOMPARE(toQDate(CalendarDate{1996, 2, 29}), QDate(1996, 2, 29));
    }
};

ORVANEK_REGISTER_TEST(TestFormatting);
#include "tst_formatting.moc"
