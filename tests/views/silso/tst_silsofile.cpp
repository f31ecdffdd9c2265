// SILSO's daily files: both layouts read, missing days left out, and every broken file
// refused with the line and the reason.
#include "testregistry.h"
#include "views/silso/silsofile.h"

#include <QTemporaryDir>

using namespace orvanek;

class TestSilsoFile : public QObject {
    Q_OBJECT

  private slots:
    void totalFile() {
        // As SILSO writes it: padded fields, no header; here also a CR LF, a blank line and
        // the byte order mark a spreadsheet may leave.
        const QByteArray text = "\xEF\xBB\xBF"
                                "2001;01;01;2001.001;  120; 10.1;  30;1\n"
                                "2001;01;02;2001.004;   -1; -1.0;   0;1\r\n"
                                "\n"
                                "2001;01;03;2001.007;   95;  8.0;  28;0\n";
        const SilsoReadResult r = parseSilsoFile(text, "SN_d_tot_V2.0.csv");
        QVERIFY2(r.file, qPrintable(r.message));
        QCOMPARE(r.file->kind, SilsoKind::Total);
        QCOMPARE(r.file->lines, 4);
        QCOMPARE(r.file->days.size(), size_t(2)); // the day of -1 has no value
        QCOMPARE(r.file->days[0].date, (CalendarDate{2001, 1, 1}));
        QCOMPARE(r.file->days[0].total, 120.0);
        QCOMPARE(r.file->days[1].date, (CalendarDate{2001, 1, 3}));
        QCOMPARE(r.file->days[1].total, 95.0);
        QCOMPARE(r.file->days[1].line, 4);
    }

    void hemisphericFile() {
        const QByteArray text =
            "1992;01;02;1992.004; 190; 18;172;   8.2;  2.6;  7.8;  21; -1; -1;1\n"
            "1992;01;01;1992.001; 186;  0;186;  14.3;  1.0; 14.3;  19; -1; -1;1\n";
        const SilsoReadResult r = parseSilsoFile(text, "SN_d_hem_V2.0.csv");
        QVERIFY2(r.file, qPrintable(r.message));
        QCOMPARE(r.file->kind, SilsoKind::Hemispheric);
        // Put in date order.
        QCOMPARE(r.file->days[0].date, (CalendarDate{1992, 1, 1}));
        QCOMPARE(r.file->days[1].north, 18.0);
        QCOMPARE(r.file->days[1].south, 172.0);
    }

    void brokenFile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray good = "2001;01;01;2001.001;  120; 10.1;  30;1\n";
        QTest::newRow("monthly file")
            << QByteArray("2001;01;2001.042;  95.6; 11.2; 900;1\n")
            << "Soubor f.csv, řádek 1: počet polí 7; denní soubor SILSO (SN_d_tot) jich má 8, "
               "hemisférický (SN_d_hem) 14. Měsíční soubor (SN_m_tot) nestačí, je třeba denní.";
        QTest::newRow("a line of another layout")
            << good + "\n" + "2001;01;02;2001.004; 190; 18;172;   8.2;  2.6;  7.8;  21; -1; -1;1\n"
            << "Soubor f.csv, řádek 3: počet polí 14 místo 8 jako na prvním řádku.";
        QTest::newRow("a header line")
            << QByteArray("year;month;day;decimal;SN;sd;n;definitive\n") + good
            << "Soubor f.csv, řádek 1: „year“ není celé číslo.";
        QTest::newRow("a value that is no number")
            << good + "2001;01;02;2001.004;  1x0; 10.1;  30;1\n"
            << "Soubor f.csv, řádek 2: „1x0“ není číslo.";
        QTest::newRow("infinity") << good + "2001;01;02;2001.004;  inf; 10.1;  30;1\n"
                                  << "Soubor f.csv, řádek 2: „inf“ není číslo.";
        // No day's sunspot number lies outside 0..2000; -1 is the file's day without one.
        const QString noNumber = "(-1 pro den bez hodnoty, jinak 0 až 2000).";
        QTest::newRow("1e18") << good + "2001;01;02;2001.004; 1e18; 1.0;   1;1\n"
                              << "Soubor f.csv, řádek 2: „1e18“ není relativní číslo " + noNumber;
        QTest::newRow("-5") << good + "2001;01;02;2001.004;   -5; 1.0;   1;1\n"
                            << "Soubor f.csv, řádek 2: „-5“ není relativní číslo " + noNumber;
        QTest::newRow("a hemisphere's -3")
            << QByteArray("1992;01;02;1992.004; 190; -3;172; 8.2; 2.6; 7.8; 21; -1; -1;1\n")
            << "Soubor f.csv, řádek 1: „-3“ není relativní číslo " + noNumber;
        // What was read is quoted with its control bytes escaped.
        QTest::newRow("a NUL byte") << good + "2001;01;02;2001.004; 1" + '\0' + "0; 1.0; 1;1\n"
                                    << "Soubor f.csv, řádek 2: „1\\x000“ není číslo.";
        QTest::newRow("a day that does not exist")
            << good + "2001;02;29;2001.160;  120; 10.1;  30;1\n"
            << "Soubor f.csv, řádek 2: datum 29.2.2001 neexistuje.";
        QTest::newRow("a day twice")
            << good + "2001;01;02;2001.004; 90; 1; 3;1\n" + "2001;01;02;2001.004; 91; 1; 3;1\n"
            << "Soubor f.csv, řádek 3: den 2.1.2001 už je na řádku 2.";
        QTest::newRow("nothing but blank lines")
            << QByteArray("\n  \n") << "Soubor f.csv neobsahuje žádný řádek s daty.";
    }
    void brokenFile() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const SilsoReadResult r = parseSilsoFile(text, "f.csv");
        QVERIFY(!r.file);
        QCOMPARE(r.message, message);
    }

    void missingFile() {
        QTemporaryDir dir;
        const SilsoReadResult r = readSilsoFile(dir.filePath("SN_d_tot_V2.0.csv"));
        QVERIFY(!r.file);
        QVERIFY(
            r.message.startsWith("Soubor " + dir.filePath("SN_d_tot_V2.0.csv") + " nelze otevřít"));
    }
};

ORVANEK_REGISTER_TEST(TestSilsoFile);
#include "tst_silsofile.moc"
