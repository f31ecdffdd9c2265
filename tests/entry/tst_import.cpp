// Import files: read, checked and stored through the entry commit.
#include "data/dates.h"
#include "entry/commit.h"
#include "entry/demodata.h"
#include "entry/importfile.h"
#include "entrytesthelpers.h"
#include "scopedlanguage.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

ImportResult importText(ObservationStore &store, const QByteArray &text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return importObservations(store, buffer);
}

QStringList problemTexts(const ImportResult &result) {
    QStringList texts;
    for (const ImportProblem &p : result.problems)
        texts << importProblemText(p);
    return texts;
}

// A header line for a date with every number filled.
QByteArray header(const char *date, const char *rest = "1200;Jan Novák;Praha;1;1;1;0;0;0;0;") {
    return QByteArray("O;") + date + ";" + rest + "\n";
}

QByteArray groupLines(int count) {
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "G;Axx;1;0;" + QByteArray::number(10 + i) + ";50\n";
    return lines;
}

const char *const kGoodFile = "# drawings from the 2000 notebook\n"
                              "O;20.01.2000;830;Jan Novák;Praha;2;3;1;1;5;15;2;\n"
                              "G;dkc;10;3;12,5;100;10;2;1;5;200;50;2,5;45;30;1.5\n"
                              "G;axx;1;0;j\n"
                              "\n"
                              "F;10;20;30;40;50;60\n"
                              "O;05.01.2000;1200;Petra Svobodová;Brno;1;1;1;0;0;0;0;ano\n"
                              "G;Hsx;2;1;s\n";

} // namespace

class TestImport : public QObject {
    Q_OBJECT

  private slots:
    void goodFileIsStoredLikeTheDialogStoresIt() {
        ObservationStore imported;
        fillStore(imported, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        const ImportResult result = importText(imported, kGoodFile);
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        QCOMPARE(result.imported, 2);
        QCOMPARE(imported.recordCount(), 3);
        QVERIFY(imported.dataModified());

        // The same observations typed into the dialog, one commit each.
        ObservationStore typed;
        fillStore(typed, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        EntryForm first = makeForm(EntryMode::New, "20.01.2000",
                                   {groupRow({{1, "dkc"},
                                              {2, "10"},
                                              {3, "3"},
                                              {4, "12,5"},
                                              {5, "100"},
                                              {6, "10"},
                                              {7, "2"},
                                              {8, "1"},
                                              {9, "5"},
                                              {10, "200"},
                                              {11, "50"},
                                              {12, "2,5"},
                                              {13, "45"},
                                              {14, "30"},
                                              {15, "1.5"}}),
                                    groupRow({{1, "axx"}, {2, "1"}, {3, "0"}, {4, "j"}})},
                                   {faculaRow({"10", "20", "30", "40", "50", "60"})});
        first.timeUT = "830";
        first.conditions = "2";
        first.imageQuality = "3";
        first.seeingQuality = "1";
        first.centralGroups = "1";
        first.centralSpots = "5";
        first.centralR = "15";
        first.faculaTotal = "2";
        QVERIFY(commitEntry(typed, first).ok);
        EntryForm second = makeForm(EntryMode::Special, "05.01.2000",
                                    {groupRow({{1, "Hsx"}, {2, "2"}, {3, "1"}, {4, "s"}})});
        second.observer = "Petra Svobodová";
        second.station = "Brno";
        for (QString *field : {&second.conditions, &second.imageQuality, &second.seeingQuality})
            *field = "1";
        QVERIFY(commitEntry(typed, second).ok);

        QCOMPARE(recordsBytes(imported.records()), recordsBytes(typed.records()));
        QCOMPARE(readText(imported.record(1).specialMark), QStringLiteral("zvlášťní"));
        QCOMPARE(imported.observerNames(), typed.observerNames());
    }

    // The import reads cells exactly as the dialog does: a typo is refused with its line.
    void typoInACellIsRefused() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        const StoreSnapshot before(store);
        const ImportResult result = importText(store, header("01.02.2000") + "G;Axx;1;0;3OO;50\n");
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result),
                 QStringList{QStringLiteral("řádek 2: „3OO“ není číslo – úhel, řádek 1")});
        QVERIFY(StoreSnapshot(store) == before);
    }

    void oneBadCellStoresNothing() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000", 900, "Karel")}, 125);
        const StoreSnapshot before(store);
        const QByteArray text = header("01.02.2000") + groupLines(2) + //
                                header("02.02.2000") +
                                "G;Axx;1;0;10;50\n"
                                "G;Axx;1;0;400;50\n" + // line 6
                                header("03.02.2000") +
                                groupLines(1);
        const ImportResult result = importText(store, text);
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result),
                 QStringList{QStringLiteral("řádek 6: Úhel je maximálně 360 stupňů ")});
        QVERIFY(StoreSnapshot(store) == before);
    }

    void faultsAreReportedWithTheirLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("time with a colon")
            << header("01.02.2000", "7:05;Jan;Praha;1;1;1;0;0;0;0;")
            << QStringList{"řádek 1: „7:05“ není celé číslo – Čas UT"};
        QTest::newRow("time 2400")
            << header("15.06.2002", "2400;Jan;Praha;1;1;1;0;0;0;0;")
            << QStringList{
                   "řádek 1: „2400“ není čas hhmm (hodiny 0 až 23, minuty 0 až 59) – Čas UT"};
        QTest::newRow("a distance of 309 digits, quoted by its first 40")
            << header("01.02.2000") + "G;Axx;1;0;10;" + QByteArray(309, '9') + "\n"
            << QStringList{"řádek 2: „" + QString(40, u'9') + "…“ není číslo – vzd., řádek 1"};
        QTest::newRow("header numbers missing") << QByteArray("\n# note\nO;01.02.2000;1200;Jan\n")
                                                << QStringList{"řádek 3: „“ není celé číslo – PP"};
        QTest::newRow("no such date")
            << header("31.02.2000")
            << QStringList{"řádek 1: „31.02.2000“ není platné datum – Datum"};
        QTest::newRow("31 groups") << header("01.02.2000") + groupLines(31)
                                   << QStringList{"řádek 32: Maximálni počet skupin je 30 !"};
        QTest::newRow("31 faculae fields")
            << header("01.02.2000") + QByteArray("F;1;2\n").repeated(31)
            << QStringList{"řádek 32: Maximálni počet fakulí je 30 !"};
        QTest::newRow("group before any observation")
            << QByteArray("G;Axx\n") + header("01.02.2000")
            << QStringList{"řádek 1: řádek G nenásleduje po řádku O"};
        QTest::newRow("unknown line")
            << header("01.02.2000") + "X;1\n"
            << QStringList{"řádek 2: neznámý druh řádku „X“ (má být O, G nebo F)"};
        QTest::newRow("a filled 16th group cell")
            << header("01.02.2000") + "G;Axx;1;0;10;50;;;;;;;;;;;7\n"
            << QStringList{"řádek 2: příliš mnoho polí (nejvýše 15)"};
        QTest::newRow("a line read no further than 32 fields, its end unread")
            << "O;01.02.2000;1200;Jan;Praha;1;1;1;0;0;0;0" + QByteArray(1 << 20, ';') + "\xe1\n"
            << QStringList{"řádek 1: příliš mnoho polí (nejvýše 12)"};
        QTest::newRow("faculae vertex beyond R")
            << header("01.02.2000") + groupLines(1) + "F;10;20;30;126\n"
            << QStringList{"řádek 3: Špatně zadaná vzdálenost u fakulí max. 125"};
        QTest::newRow("rotation number and faculae, in line order")
            << header("01.02.2000") + "G;Axx;1;0;10;50;0;0;0;71\nF;0;126\n"
            << QStringList{"řádek 2: Maximální číslo v otočce je 70",
                           "řádek 3: Špatně zadaná vzdálenost u fakulí max. 125"};
        QTest::newRow("faults in two observations")
            << header("01.02.2000") + "G;Axx;1;0;10;130\n" + header("02.02.2000") +
                   "G;Axx;1;0;10;50;0;0;0;-1\n"
            << QStringList{"řádek 2: Špatně zadaná vzdálenost u skupin max. 125",
                           "řádek 4: Maximální číslo v otočce je 70"};
        QTest::newRow("not UTF-8") << QByteArray("O;01.02.2000;1200;Nov\xe1k;;1;1;1;0;0;0;0;\n")
                                   << QStringList{"řádek 1: text není v kódování UTF-8"};
    }
    void faultsAreReportedWithTheirLines() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, problems);
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const StoreSnapshot before(store);
        const ImportResult result = importText(store, text);
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result), problems);
        QVERIFY(StoreSnapshot(store) == before);
    }

    // The same faults in English: the import's and the commit's messages, each with its line.
    void faultsAreReportedInEnglish_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        const QByteArray o = header("01.02.2000");
        // clang-format off
        QTest::newRow("time with a colon") << header("01.02.2000", "7:05;Jan;Praha;1;1;1;0;0;0;0;") << "line 1: “7:05” is not a whole number – Time UT";
        QTest::newRow("header numbers missing") << QByteArray("\n# note\nO;01.02.2000;1200;Jan\n") << "line 3: “” is not a whole number – Cond.";
        QTest::newRow("no date") << header("") << "line 1: No date has been given";
        QTest::newRow("no such date") << header("31.02.2000") << "line 1: “31.02.2000” is not a valid date – Date";
        QTest::newRow("31 groups") << o + groupLines(31) << "line 32: The largest number of groups is 30!";
        QTest::newRow("31 faculae fields") << o + QByteArray("F;1;2\n").repeated(31) << "line 32: The largest number of faculae is 30!";
        QTest::newRow("group before any observation") << QByteArray("G;Axx\n") + o << "line 1: a G line that does not follow an O line";
        QTest::newRow("unknown line") << o + "X;1\n" << "line 2: unknown kind of line “X” (should be O, G or F)";
        QTest::newRow("a filled 16th group cell") << o + "G;Axx;1;0;10;50;;;;;;;;;;;7\n" << "line 2: too many fields (at most 15)";
        QTest::newRow("angle over 360") << o + "G;Axx;1;0;361;50\n" << "line 2: The angle is at most 360 degrees ";
        QTest::newRow("group beyond R") << o + "G;Axx;1;0;10;130\n" << "line 2: Wrong distance of a group, at most 125";
        QTest::newRow("faculae vertex beyond R") << o + "F;10;20;30;126\n" << "line 2: Wrong distance of a facula, at most 125";
        QTest::newRow("rotation number 71") << o + "G;Axx;1;0;10;50;0;0;0;71\n" << "line 2: The largest number in a rotation is 70";
        QTest::newRow("letter O for zero in the angle") << o + "G;Axx;1;0;3OO;50\n" << "line 2: “3OO” is not a number – angle, row 1";
        QTest::newRow("spots beyond their byte") << o + "G;Axx;300;0;10;50\n" << "line 2: “300” is outside the range 0 to 255 – spots, row 1";
        QTest::newRow("negative angle") << o + "G;Axx;1;0;-5;50\n" << "line 2: “-5” must not be negative – angle, row 1";
        QTest::newRow("not UTF-8") << QByteArray("O;01.02.2000;1200;Nov\xe1k;;1;1;1;0;0;0;0;\n") << "line 1: the text is not UTF-8";
        // clang-format on
    }
    void faultsAreReportedInEnglish() {
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        const ScopedLanguage english(Language::English);
        QVERIFY(english.installed());
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const StoreSnapshot before(store);
        const ImportResult result = importText(store, text);
        QVERIFY(!result.ok);
        QCOMPARE(problemTexts(result), QStringList{problem});
        QVERIFY(StoreSnapshot(store) == before);
    }

    // Padded rows, and lines ended by CR LF, LF or CR alone, with the line numbers right.
    void paddedRowsAndLineEndsAreRead_data() {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void paddedRowsAndLineEndsAreRead() {
        QFETCH(QByteArray, end);
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const ImportResult result =
            importText(store, "\xEF\xBB\xBFO;01.02.2000;1200;Jan;Praha;1;1;1;0;0;0;0;;;" + end +
                                  "G;Axx;1;0;10;50;;;;;;;;;;;;" + end);
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        QCOMPARE(store.record(2).groupCount, uint8_t(1));
        QCOMPARE(readText(store.record(2).dateText), QStringLiteral("01.02.2000"));
        const ImportResult wrong =
            importText(store, header("03.02.2000") + end + end + "X;1" + end);
        QCOMPARE(problemTexts(wrong).value(0).left(9), QStringLiteral("řádek 4: "));
    }

    // A 10 MB name is stored cut to its field, as the dialog's field cuts it, and told.
    void cutNameIsTold() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125);
        const ImportResult result = importText(
            store, "O;01.02.2000;1200;" + QByteArray(10 << 20, 'N') + ";;1;1;1;0;0;0;0;\n");
        QVERIFY(result.ok && result.cutTexts.size() == 1);
        QCOMPARE(importProblemText(result.cutTexts[0]),
                 "řádek 1: jméno pozorovatele má víc než 30 znaků; uloženo je „" +
                     QString(30, u'N') + "“");
    }

    void heliographicImportIgnoresAuxiliarySpots() {
        ObservationStore store;
        fillStore(store, {datedRecord("10.01.2000")}, 125, true);
        const Ephemeris e = solarEphemeris({2000, 9, 8}, 1200);
        const QByteArray text = header("08.09.2000") + "G;Dkc;5;2;" +
                                QByteArray::number(e.L0, 'f', 1) + ";" +
                                QByteArray::number(e.B0, 'f', 1) + ";10;0;0;0;200;50;3\n";
        const ImportResult result = importText(store, text);
        QVERIFY2(result.ok, qPrintable(problemTexts(result).join('\n')));
        const SunspotGroup &g = store.record(2).group(1);
        QVERIFY2(g.distance <= 1, qPrintable(QString::number(g.distance))); // l = L0, b = B0
        QCOMPARE(g.aux1Position, uint16_t(0));
        QCOMPARE(g.aux1Area, uint16_t(0));
    }
};

ORVANEK_REGISTER_TEST(TestImport);

#include "tst_import.moc"
