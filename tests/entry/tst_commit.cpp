// The commit: how cells and fields are read, every check and its message, the stored
// units, the summary, and what a commit does to the store.
#include "entry/commit.h"
#include "entry/summary.h"
#include "entrytesthelpers.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

int groupField(const SunspotGroup &g, const QString &name) {
    static const QHash<QString, std::function<int(const SunspotGroup &)>> fields{
        {"spotCount", [](const SunspotGroup &g) { return g.spotCount; }},
        {"penumbraCount", [](const SunspotGroup &g) { return g.penumbraCount; }},
        {"angle", [](const SunspotGroup &g) { return g.angle; }},
        {"distance", [](const SunspotGroup &g) { return g.distance; }},
        {"area", [](const SunspotGroup &g) { return g.area; }},
        {"smallSpots", [](const SunspotGroup &g) { return g.smallSpots; }},
        {"globalGroupNumber", [](const SunspotGroup &g) { return g.globalGroupNumber; }},
        {"rotationGroupNumber", [](const SunspotGroup &g) { return g.rotationGroupNumber; }},
        {"aux1Position", [](const SunspotGroup &g) { return g.aux1Position; }},
        {"aux1Area", [](const SunspotGroup &g) { return g.aux1Area; }},
        {"aux2Position", [](const SunspotGroup &g) { return g.aux2Position; }},
        {"aux2Area", [](const SunspotGroup &g) { return g.aux2Area; }},
    };
    return fields.value(name)(g);
}

// "G1:4" for row 1, column 4 of the group table, "F2:6" for the faculae table.
QString locationText(const EntryLocation &where) {
    const QString table = where.field == EntryField::Groups    ? QStringLiteral("G")
                          : where.field == EntryField::Faculae ? QStringLiteral("F")
                                                               : QStringLiteral("?");
    return QStringLiteral("%1%2:%3").arg(table).arg(where.row).arg(where.column);
}

// A store of three records in January 2000, the last one current, R = 125, polar entry.
void januaryStore(ObservationStore &store, double radius = 125) {
    fillStore(store,
              {datedRecord("01.01.2000", 900, "Petra"), datedRecord("10.01.2000", 900, "Petra"),
               datedRecord("20.01.2000", 900, "Petra")},
              radius);
}

const ObservationRecord &committed(const ObservationStore &store) {
    return store.record(store.currentIndex() + 1);
}

void setFormField(EntryForm &form, const QString &name, const QString &text) {
    static const QHash<QString, QString EntryForm::*> fields{
        {"date", &EntryForm::date},
        {"timeUT", &EntryForm::timeUT},
        {"conditions", &EntryForm::conditions},
        {"imageQuality", &EntryForm::imageQuality},
        {"seeingQuality", &EntryForm::seeingQuality},
        {"centralGroups", &EntryForm::centralGroups},
        {"centralSpots", &EntryForm::centralSpots},
        {"centralR", &EntryForm::centralR},
        {"faculaTotal", &EntryForm::faculaTotal},
        {"groupCount", &EntryForm::groupCount},
        {"faculaFieldCount", &EntryForm::faculaFieldCount},
    };
    QVERIFY2(fields.contains(name), qPrintable(name));
    form.*fields.value(name) = text;
}

} // namespace

class TestCommit : public QObject {
    Q_OBJECT

  private slots:
    void cellsAreReadByTheirLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("integer");
        QTest::addColumn<double>("decimal");
        QTest::newRow("empty") << "" << qint64(0) << 0.0;
        QTest::newRow("leading blanks") << "   12" << qint64(12) << 12.0;
        QTest::newRow("decimal point") << "12.5" << qint64(12) << 12.5;
        QTest::newRow("decimal comma") << "12,5" << qint64(12) << 12.5;
        QTest::newRow("text after the number") << "7x5" << qint64(7) << 7.0;
        QTest::newRow("negative") << "-3.5" << qint64(-3) << -3.5;
        QTest::newRow("plus sign") << "+8" << qint64(8) << 8.0;
        QTest::newRow("no digits") << "abc" << qint64(0) << 0.0;
        QTest::newRow("fraction only") << ",5" << qint64(0) << 0.5;
        QTest::newRow("second separator ends it") << "1.5.3" << qint64(1) << 1.5;
    }
    void cellsAreReadByTheirLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(qint64, integer);
        QFETCH(double, decimal);
        QCOMPARE(cellInteger(text), integer);
        QCOMPARE(cellDecimal(text), decimal);
    }

    void headerFieldsAreStrictIntegers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isInteger");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "705" << true << 705;
        QTest::newRow("blanks around") << " 705 " << true << 705;
        QTest::newRow("negative") << "-3" << true << -3;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("colon") << "7:05" << false << 0;
        QTest::newRow("decimal") << "1.0" << false << 0;
        QTest::newRow("letters after") << "12a" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("beyond 32 bits") << "4294967296" << false << 0;
    }
    void headerFieldsAreStrictIntegers() {
        QFETCH(QString, text);
        QFETCH(bool, isInteger);
        QFETCH(int, value);
        const std::optional<int> read = strictInteger(text);
        QCOMPARE(read.has_value(), isInteger);
        if (isInteger)
            QCOMPARE(*read, value);
    }

    void groupCellsAreStoredInRecordUnits_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("expected");
        auto add = [](const char *name, double radius, QStringList row, const char *field,
                      int expected) {
            QTest::newRow(name) << radius << row << QString(field) << expected;
        };
        const QStringList comma = groupRow({{ColAngle, "12,5"}, {ColDistance, "100"}});
        add("decimal comma in the angle", 125, comma, "angle", 125);
        add("distance beside it", 125, comma, "distance", 1000);
        add("limb at R 62.5", 62.5, groupRow({{ColDistance, "62.5"}}), "distance", 1250);
        add("limb at R 62.5, comma", 62.5, groupRow({{ColDistance, "62,5"}}), "distance", 1250);
        // round(62.5 x 10 x 125 / 100) = round(781.25)
        add("62.5 mm at R 100", 100, groupRow({{ColDistance, "62.5"}}), "distance", 781);
        add("angle 360 accepted", 125, groupRow({{ColAngle, "360"}}), "angle", 3600);
        add("angle tie to even", 125, groupRow({{ColAngle, "0.25"}}), "angle", 2);
        const QStringList north = groupRow({{ColAngle, "s"}, {ColDistance, "100"}});
        add("s overrides the angle", 125, north, "angle", 10);
        add("s overrides the distance", 125, north, "distance", 1200);
        add("S without distance", 125, groupRow({{ColAngle, "S"}}), "distance", 1200);
        const QStringList south = groupRow({{ColAngle, "j"}, {ColDistance, "50"}});
        add("j overrides the angle", 125, south, "angle", 1790);
        add("j overrides the distance", 125, south, "distance", 1200);
        add("J with blanks", 125, groupRow({{ColAngle, " J "}}), "angle", 1790);
        add("area 10 mm2 at R 125", 125, groupRow({{ColArea, "10"}}), "area", 204);
        add("area 10 mm2 at R 100", 100, groupRow({{ColArea, "10"}}), "area", 255);
        // 3 x 20.4 x 125 / 100 = 76.5, a tie
        add("area tie to even", 100, groupRow({{ColArea, "3"}}), "area", 76);
        add("auxiliary spot at 200 deg, 50 mm", 125,
            groupRow({{ColAux1Angle, "200"}, {ColAux1Distance, "50"}}), "aux1Position", 25650);
        add("second auxiliary spot at 45 deg, 30 mm", 125,
            groupRow({{ColAux2Angle, "45"}, {ColAux2Distance, "30"}}), "aux2Position", 5790);
        add("auxiliary area with a comma", 125, groupRow({{ColAux1Area, "2,5"}}), "aux1Area", 51);
        // 2.5 x 20.4 x 125 / 100 = 63.75
        add("auxiliary area at R 100", 100, groupRow({{ColAux2Area, "2.5"}}), "aux2Area", 64);
        add("spots fill their byte", 125, groupRow({{ColSpots, "255"}}), "spotCount", 255);
        add("penumbrae", 125, groupRow({{ColPenumbrae, " 7 "}}), "penumbraCount", 7);
        add("small spots", 125, groupRow({{ColSmallSpots, "2"}}), "smallSpots", 2);
        add("global number", 125, groupRow({{ColGlobalNumber, "1234"}}), "globalGroupNumber", 1234);
        add("rotation number 70", 125, groupRow({{ColRotationNumber, "70"}}), "rotationGroupNumber",
            70);
        add("rotation number 0", 125, groupRow({{ColRotationNumber, "0"}}), "rotationGroupNumber",
            0);
    }
    void groupCellsAreStoredInRecordUnits() {
        QFETCH(double, radius);
        QFETCH(QStringList, row);
        QFETCH(QString, field);
        QFETCH(int, expected);
        ObservationStore store;
        januaryStore(store, radius);
        const CommitResult result =
            commitEntry(store, makeForm(EntryMode::New, "15.01.2000", {row}));
        QVERIFY2(result.ok, qPrintable(result.messages.value(0).text));
        QCOMPARE(groupField(committed(store).group(1), field), expected);
    }

    // A class none of the table's is stored as typed, with a notice on its Typ cell.
    void groupTypeIsCapitalisedOnce_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("notice");
        QTest::newRow("lower case") << "dkc"
                                    << "Dkc" << false;
        QTest::newRow("upper case") << "DKC"
                                    << "Dkc" << false;
        QTest::newRow("blank in front") << " hsx"
                                        << "Hsx" << false;
        QTest::newRow("fourth letter dropped") << "fkci"
                                               << "Fkc" << false;
        QTest::newRow("no class") << "***"
                                  << "***" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("not in the table") << "dxo"
                                          << "Dxo" << true;
        QTest::newRow("cut to one not in it") << "Dsox"
                                              << "Dso" << false;
    }
    void groupTypeIsCapitalisedOnce() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, notice);
        ObservationStore store;
        januaryStore(store);
        const EntryForm form =
            makeForm(EntryMode::New, "15.01.2000", {groupRow({}), groupRow({{ColType, typed}})});
        const QList<EntryMessage> notices = unlistedClassNotices(form);
        QCOMPARE(notices.size(), notice ? 1 : 0);
        if (notice) {
            QCOMPARE(notices[0].where.row, 2);
            QVERIFY(notices[0].text.contains(QStringLiteral("„%1“").arg(stored)));
        }
        QVERIFY(commitEntry(store, form).ok);
        QCOMPARE(readText(committed(store).group(2).type), stored);
    }

    void refusedCellsChangeNothing_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<QList<QStringList>>("groups");
        QTest::addColumn<QList<QStringList>>("faculae");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("cells");
        const QString angle = "Úhel je maximálně 360 stupňů ";
        const QString rotation = "Maximální číslo v otočce je 70";
        const QString groups125 = "Špatně zadaná vzdálenost u skupin max. 125";
        const QString faculae125 = "Špatně zadaná vzdálenost u fakulí max. 125";
        using Rows = QList<QStringList>;
        QTest::newRow("angle 360.1") << 125.0 << Rows{groupRow({{ColAngle, "360.1"}})} << Rows{}
                                     << QStringList{angle} << QStringList{"G1:4"};
        QTest::newRow("angle 360,1") << 125.0 << Rows{groupRow({{ColAngle, "360,1"}})} << Rows{}
                                     << QStringList{angle} << QStringList{"G1:4"};
        QTest::newRow("distance 62.6 at R 62.5")
            << 62.5 << Rows{groupRow({{ColDistance, "62.6"}})} << Rows{}
            << QStringList{"Špatně zadaná vzdálenost u skupin max. 62.5"} << QStringList{"G1:5"};
        QTest::newRow("distance 125.1") << 125.0 << Rows{groupRow({{ColDistance, "125.1"}})}
                                        << Rows{} << QStringList{groups125} << QStringList{"G1:5"};
        QTest::newRow("auxiliary spot 1 beyond R")
            << 125.0 << Rows{groupRow({{ColAux1Distance, "126"}})} << Rows{}
            << QStringList{groups125} << QStringList{"G1:11"};
        QTest::newRow("auxiliary spot 2 beyond R")
            << 125.0 << Rows{groupRow({{ColAux2Distance, "126"}})} << Rows{}
            << QStringList{groups125} << QStringList{"G1:14"};
        QTest::newRow("rotation number 71")
            << 125.0 << Rows{groupRow({{ColRotationNumber, "71"}})} << Rows{}
            << QStringList{rotation} << QStringList{"G1:9"};
        QTest::newRow("rotation number -1")
            << 125.0 << Rows{groupRow({{ColRotationNumber, "-1"}})} << Rows{}
            << QStringList{rotation} << QStringList{"G1:9"};
        QTest::newRow("fault in the second row")
            << 125.0 << Rows{groupRow({{ColAngle, "10"}}), groupRow({{ColAngle, "361"}})} << Rows{}
            << QStringList{angle} << QStringList{"G2:4"};
        QTest::newRow("group check ends at the first fault")
            << 125.0 << Rows{groupRow({{ColRotationNumber, "71"}}), groupRow({{ColAngle, "400"}})}
            << Rows{} << QStringList{rotation} << QStringList{"G1:9"};
        QTest::newRow("angle before rotation number in one row")
            << 125.0 << Rows{groupRow({{ColAngle, "400"}, {ColRotationNumber, "71"}})} << Rows{}
            << QStringList{angle} << QStringList{"G1:4"};
        QTest::newRow("faculae V beyond R")
            << 125.0 << Rows{} << Rows{faculaRow({"10", "20", "30", "126"})}
            << QStringList{faculae125} << QStringList{"F1:4"};
        QTest::newRow("faculae: the last offending row is selected")
            << 125.0 << Rows{}
            << Rows{faculaRow({"0", "126"}), faculaRow({}), faculaRow({"0", "0", "0", "130"})}
            << QStringList{faculae125} << QStringList{"F3:4"};
        QTest::newRow("faculae error replaces a group error")
            << 125.0 << Rows{groupRow({{ColDistance, "130"}})} << Rows{faculaRow({"0", "126"})}
            << QStringList{faculae125} << QStringList{"F1:2"};
        // A cell that is not wholly a number, or does not fit its field, is refused rather
        // than stored as another number.
        auto cellRow = [](const char *name, double radius, QList<QStringList> groups,
                          QList<QStringList> faculae, const QString &message, const char *cell) {
            QTest::newRow(name) << radius << groups << faculae << QStringList{message}
                                << QStringList{cell};
        };
        cellRow("letter O for zero in the angle", 125, {groupRow({{ColAngle, "3OO"}})}, {},
                "„3OO“ není číslo – úhel, řádek 1", "G1:4");
        cellRow("letter after the spots", 125, {groupRow({}), groupRow({{ColSpots, "12a"}})}, {},
                "„12a“ není celé číslo – poč, řádek 2", "G2:2");
        cellRow("decimals in the area", 125, {groupRow({{ColArea, "10,7"}})}, {},
                "„10,7“ není celé číslo – plocha., řádek 1", "G1:6");
        cellRow("two decimal points", 125, {groupRow({{ColDistance, "1.2.3"}})}, {},
                "„1.2.3“ není číslo – vzd., řádek 1", "G1:5");
        cellRow("spots beyond their byte", 125, {groupRow({{ColSpots, "300"}})}, {},
                "„300“ je mimo rozsah 0 až 255 – poč, řádek 1", "G1:2");
        cellRow("negative angle", 125, {groupRow({{ColAngle, "-5"}})}, {},
                "„-5“ nesmí být záporné – úhel, řádek 1", "G1:4");
        cellRow("area beyond the stored word", 125, {groupRow({{ColArea, "3213"}})}, {},
                "„3213“ je mimo rozsah 0 až 3212 – plocha., řádek 1", "G1:6");
        // A pasted page is quoted by its first 40 characters.
        cellRow("400 digits", 125, {groupRow({{ColGlobalNumber, QString(400, u'9')}})}, {},
                QString("„%1…“ je mimo rozsah 0 až 65535 – č.sk1, řádek 1").arg(QString(40, u'9')),
                "G1:8");
        cellRow("auxiliary spot past 127 mm", 300, {groupRow({{ColAux1Distance, "128"}})}, {},
                "„128“ je mimo rozsah 0 až 127 – vzd.1, řádek 1", "G1:11");
        cellRow("faculae vertex not a number", 125, {}, {faculaRow({"1O", "20"})},
                "„1O“ není celé číslo – U1, řádek 1", "F1:1");
        // A number too long for a double is a typo, never 0; one that is merely large is
        // refused by the limit it passes, which names R, never 1e+300.
        cellRow("distance of 309 digits", 125, {groupRow({{ColDistance, QString(309, u'9')}})}, {},
                QString("„%1…“ není číslo – vzd., řádek 1").arg(QString(40, u'9')), "G1:5");
        cellRow("distance of 308 digits", 125, {groupRow({{ColDistance, QString(308, u'9')}})}, {},
                groups125, "G1:5");
        QTest::newRow("faculae error, then the rotation number")
            << 125.0 << Rows{groupRow({{ColRotationNumber, "71"}})} << Rows{faculaRow({"0", "126"})}
            << QStringList{faculae125, rotation} << QStringList{"F1:2", "G1:9"};
    }
    void refusedCellsChangeNothing() {
        QFETCH(double, radius);
        QFETCH(QList<QStringList>, groups);
        QFETCH(QList<QStringList>, faculae);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, cells);
        for (const EntryMode mode : {EntryMode::New, EntryMode::Correction}) {
            ObservationStore store;
            januaryStore(store, radius);
            const StoreSnapshot before(store);
            QSignalSpy changed(&store, &ObservationStore::recordsChanged);
            const CommitResult result =
                commitEntry(store, makeForm(mode, "15.01.2000", groups, faculae));
            QVERIFY(!result.ok);
            QStringList texts, where;
            for (const EntryMessage &m : result.messages) {
                texts << m.text;
                where << locationText(m.where);
            }
            QCOMPARE(texts, messages);
            QCOMPARE(where, cells);
            QVERIFY(StoreSnapshot(store) == before);
            QCOMPARE(changed.count(), 0);
        }
    }

    void rowsPastTheCountAreNotRead() {
        ObservationStore store;
        januaryStore(store);
        EntryForm form = makeForm(EntryMode::New, "15.01.2000",
                                  {groupRow({{ColAngle, "10"}}), groupRow({{ColAngle, "999"}})});
        form.groupCount = "1";
        QVERIFY(commitEntry(store, form).ok);
        QCOMPARE(committed(store).groupCount, uint8_t(1));
    }

    void refusedHeaderFieldsChangeNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        const int isNew = int(EntryMode::New), special = int(EntryMode::Special),
                  correction = int(EntryMode::Correction);
        auto add = [](const char *name, int mode, const char *field, const char *text,
                      const char *message, EntryField focus) {
            QTest::newRow(name) << mode << QString(field) << QString(text) << QString(message)
                                << int(focus);
        };
        add("time, new", isNew, "timeUT", "abc", "„abc“ není celé číslo – Čas UT",
            EntryField::TimeUT);
        add("time with a colon, special", special, "timeUT", "7:05",
            "„7:05“ není celé číslo – Čas UT", EntryField::TimeUT);
        add("time, correction", correction, "timeUT", "12h", "„12h“ není celé číslo – Čas UT",
            EntryField::TimeUT);
        // A time of day only: 9999 would be read as a moment four days on.
        add("time 2400", isNew, "timeUT", "2400",
            "„2400“ není čas hhmm (hodiny 0 až 23, minuty 0 až 59) – Čas UT", EntryField::TimeUT);
        add("time 9999", special, "timeUT", "9999",
            "„9999“ není čas hhmm (hodiny 0 až 23, minuty 0 až 59) – Čas UT", EntryField::TimeUT);
        add("PP empty", isNew, "conditions", "", "„“ není celé číslo – PP", EntryField::Conditions);
        add("Obr.", special, "imageQuality", "2b", "„2b“ není celé číslo – Obr.",
            EntryField::ImageQuality);
        add("Q", isNew, "seeingQuality", "x", "„x“ není celé číslo – Q", EntryField::SeeingQuality);
        add("qc", isNew, "centralGroups", "1.0", "„1.0“ není celé číslo – qc",
            EntryField::CentralGroups);
        add("fc", isNew, "centralSpots", "-", "„-“ není celé číslo – fc", EntryField::CentralSpots);
        add("rc", special, "centralR", "1 2", "„1 2“ není celé číslo – rc", EntryField::CentralR);
        add("F", isNew, "faculaTotal", "abc", "„abc“ není celé číslo – F", EntryField::FaculaTotal);
        add("group count", isNew, "groupCount", "x", "„x“ není celé číslo – Počet skupin",
            EntryField::GroupCount);
        add("31 groups", special, "groupCount", "31", "Maximálni počet skupin je 30 !",
            EntryField::GroupCount);
        add("31 faculae fields", isNew, "faculaFieldCount", "31", "Maximálni počet fakulí je 30 !",
            EntryField::FaculaFieldCount);
        add("negative count", isNew, "groupCount", "-1",
            "„-1“ není počet od 0 do 30 – Počet skupin", EntryField::GroupCount);
        add("day 32", isNew, "date", "32.01.2000", "„32.01.2000“ není platné datum – Datum",
            EntryField::Date);
        add("29 February 2001", correction, "date", "29.02.2001",
            "„29.02.2001“ není platné datum – Datum", EntryField::Date);
        add("empty date", special, "date", "  .  .    ", "Není zadáno datum", EntryField::Date);
    }
    void refusedHeaderFieldsChangeNothing() {
        QFETCH(int, mode);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, focus);
        ObservationStore store;
        januaryStore(store);
        store.selectRecord(1);
        const StoreSnapshot before(store);
        EntryForm form = makeForm(EntryMode(mode), "15.01.2000", {groupRow({{ColAngle, "10"}})});
        setFormField(form, field, text);
        const CommitResult result = commitEntry(store, form);
        QVERIFY(!result.ok);
        QCOMPARE(result.messages.size(), 1);
        QCOMPARE(result.messages[0].text, message);
        QCOMPARE(int(result.messages[0].where.field), focus);
        QVERIFY(StoreSnapshot(store) == before);
        QCOMPARE(store.recordCount(), 3);
    }

    void cellChecksComeBeforeTheDateAndTheDateBeforeTheHeader() {
        ObservationStore store;
        januaryStore(store);
        EntryForm form = makeForm(EntryMode::New, "32.01.2000", {groupRow({{ColAngle, "400"}})});
        form.timeUT = "abc";
        QCOMPARE(commitEntry(store, form).messages.value(0).text,
                 QStringLiteral("Úhel je maximálně 360 stupňů "));
        form.groups[0][ColAngle - 1] = "10";
        QCOMPARE(commitEntry(store, form).messages.value(0).text,
                 QStringLiteral("„32.01.2000“ není platné datum – Datum"));
        form.date = "15.01.2000";
        QCOMPARE(commitEntry(store, form).messages.value(0).text,
                 QStringLiteral("„abc“ není celé číslo – Čas UT"));
    }

    void newRecordIsSortedIntoPlaceAndBecomesCurrent() {
        ObservationStore store;
        januaryStore(store);
        QSignalSpy records(&store, &ObservationStore::recordsChanged);
        QSignalSpy current(&store, &ObservationStore::currentRecordChanged);
        const CommitResult result = commitEntry(store, makeForm(EntryMode::New, "5.1.2000"));
        QVERIFY(result.ok);
        QVERIFY(result.dateChanged);
        QCOMPARE(store.recordCount(), 4);
        QCOMPARE(readText(store.record(2).dateText), QStringLiteral("05.01.2000"));
        QCOMPARE(readText(store.record(2).observer), QStringLiteral("Jan Novák"));
        QCOMPARE(store.currentIndex(), 1);
        QCOMPARE(recordBytes(store.currentRecord()), recordBytes(store.record(2)));
        QVERIFY(store.dataModified());
        QVERIFY(records.count() >= 1);
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.at(0).at(0).toInt(), 1);
    }

    void newRecordDatedLikeAnExistingOneGoesBehindIt() {
        ObservationStore store;
        fillStore(store,
                  {datedRecord("01.01.2000", 900, "Karel"), datedRecord("05.01.2000", 800, "Petra"),
                   datedRecord("10.01.2000", 900, "Karel")},
                  125);
        QVERIFY(commitEntry(store, makeForm(EntryMode::New, "05.01.2000")).ok);
        QCOMPARE(readText(store.record(2).observer), QStringLiteral("Petra"));
        QCOMPARE(readText(store.record(3).observer), QStringLiteral("Jan Novák"));
        QCOMPARE(readText(store.record(3).dateText), QStringLiteral("05.01.2000"));
        // The first record of the date is current, and the working record is that record,
        // so a correction opened next changes the record the list shows.
        QCOMPARE(store.currentIndex(), 1);
        QCOMPARE(recordBytes(store.currentRecord()), recordBytes(store.record(2)));
    }

    void correctionMovesTheRecordAndKeepsTheCount() {
        ObservationStore store;
        ObservationRecord corrected = datedRecord("05.01.2000", 800, "Petra");
        corrected.groupCount = 2;
        writeText(corrected.group(1).type, QStringLiteral("Axx"));
        writeText(corrected.group(2).type, QStringLiteral("Dkc"));
        corrected.group(2).area = 777;
        fillStore(store,
                  {datedRecord("01.01.2000"), corrected, datedRecord("10.01.2000"),
                   datedRecord("20.01.2000")},
                  125, false, 1);
        EntryForm form =
            entryFormFromRecord(store.currentRecord(), EntryMode::Correction, 125, false, 2026);
        form.date = "15.01.2000";
        form.groupCount = "1";
        const CommitResult result = commitEntry(store, form);
        QVERIFY(result.ok);
        QVERIFY(result.dateChanged);
        QCOMPARE(store.recordCount(), 4);
        QStringList dates;
        for (const ObservationRecord &r : store.records())
            dates << readText(r.dateText);
        QCOMPARE(dates, (QStringList{"01.01.2000", "10.01.2000", "15.01.2000", "20.01.2000"}));
        QCOMPARE(store.currentIndex(), 2);
        const ObservationRecord &moved = store.record(3);
        QCOMPARE(readText(moved.observer), QStringLiteral("Petra"));
        QCOMPARE(moved.groupCount, uint8_t(1));
        // A slot past the new count keeps what it held.
        QCOMPARE(readText(moved.group(2).type), QStringLiteral("Dkc"));
        QCOMPARE(moved.group(2).area, uint16_t(777));

        // Corrected again on the same date: the date list needs no rebuild.
        form = entryFormFromRecord(store.currentRecord(), EntryMode::Correction, 125, false, 2026);
        form.timeUT = "905";
        const CommitResult again = commitEntry(store, form);
        QVERIFY(again.ok);
        QVERIFY(!again.dateChanged);
        QCOMPARE(store.record(3).timeUT, uint16_t(905));
    }

    void rotationAndCentralLongitudeOfTheMoment() {
        // Carrington rotation 2133 began on 25.83 January 2013 and 2134 on 22.17 February
        // (Astronomical Almanac 2013, p. C4), so on 8 February 2013 at 18:00 UT about
        // 13.9 of 27.3 days have passed and L0 is near 176 degrees; the ephemeris gives
        // 176.87, which is cut, not rounded, to 176.
        ObservationStore store;
        januaryStore(store);
        EntryForm form = makeForm(EntryMode::New, "08.02.2013");
        form.timeUT = "1800";
        QVERIFY(commitEntry(store, form).ok);
        QCOMPARE(committed(store).rotation, uint16_t(2133));
        QCOMPARE(committed(store).centralLongitude, uint16_t(176));
    }

    void observerNamesAreLearned() {
        ObservationStore store;
        januaryStore(store); // knows "Petra"
        auto commitBy = [&](const QString &name) {
            EntryForm form = makeForm(EntryMode::New, "15.01.2000");
            form.observer = name;
            QVERIFY(commitEntry(store, form).ok);
        };
        commitBy("Jan");
        QCOMPARE(store.observerNames()[1], QStringLiteral("Jan"));
        commitBy("jan"); // another name: case counts
        QCOMPARE(store.observerNames()[2], QStringLiteral("jan"));
        commitBy("Jan");
        QVERIFY(store.observerNames()[3].isEmpty());
        for (int slot = 4; slot <= 29; ++slot)
            QVERIFY(store.collectObserver(QStringLiteral("O%1").arg(slot)));
        commitBy("Marie"); // slots 1..29 are taken: slot 30
        QCOMPARE(store.observerNames()[29], QStringLiteral("Marie"));
        commitBy("Karel"); // and slot 30 takes the next new name
        QCOMPARE(store.observerNames()[29], QStringLiteral("Karel"));
        QCOMPARE(store.observerNames()[28], QStringLiteral("O29"));
    }

    void specialMarkFollowsTheMarkField_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("wasSpecial");
        QTest::addColumn<QString>("markField");
        QTest::addColumn<QString>("stored");
        QTest::newRow("new") << int(EntryMode::New) << false << ""
                             << "";
        QTest::newRow("special") << int(EntryMode::Special) << false << "zvlášťní"
                                 << "zvlášťní";
        QTest::newRow("correction keeps the mark")
            << int(EntryMode::Correction) << true << "zvlášťní"
            << "zvlášťní";
        QTest::newRow("correction with the mark cleared")
            << int(EntryMode::Correction) << true << ""
            << "";
        QTest::newRow("any text marks the record") << int(EntryMode::Correction) << false << "x"
                                                   << "zvlášťní";
    }
    void specialMarkFollowsTheMarkField() {
        QFETCH(int, mode);
        QFETCH(bool, wasSpecial);
        QFETCH(QString, markField);
        QFETCH(QString, stored);
        ObservationStore store;
        januaryStore(store);
        if (wasSpecial) {
            ObservationRecord special = store.record(3);
            writeText(special.specialMark, specialMarkText());
            QVERIFY(store.storeRecord(special, true));
            QCOMPARE(store.currentIndex(), 2);
        }
        EntryForm form = makeForm(EntryMode(mode), "25.01.2000"); // no other record that day
        form.specialMark = markField;
        QVERIFY(commitEntry(store, form).ok);
        QCOMPARE(readText(committed(store).specialMark), stored);
    }

    // Foreshortening: a group ρ of the radius from the centre is seen on sqrt(1 - ρ²) of its
    // true area; the corrected value is half the stored area divided by that. ρ is taken
    // 0.001 short of the drawn place and never beyond 0.999, so a group drawn on or past
    // the limb counts as at 0.999 rather than giving the root of a negative number.
    void correctedArea_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("corrected");
        QTest::newRow("centre") << 100 << 0 << 50;           // 50 / 0.9999995
        QTest::newRow("half way") << 100 << 625 << 58;       // 50 / sqrt(1 - 0.499²) = 57.70
        QTest::newRow("just inside") << 100 << 1249 << 834;  // 50 / sqrt(1 - 0.998²) = 833.7
        QTest::newRow("on the limb") << 100 << 1250 << 1118; // 50 / sqrt(1 - 0.999²) = 1118.3
        QTest::newRow("beyond the limb") << 100 << 2000 << 1118;
        QTest::newRow("far beyond") << 100 << 65535 << 1118;
    }
    void correctedArea() {
        QFETCH(int, area);
        QFETCH(int, distance);
        QFETCH(int, corrected);
        QCOMPARE(int(orvanek::correctedArea(area, distance)), corrected);
    }

    void summaryOfNorthernAndSouthernGroups() {
        // Four groups placed by hemisphere letter (latitude far from 0 on any date), sums
        // worked out by hand: Dkc is class 55 with weight 18, Axx 1 and 4, Hsx 10 and 44,
        // "***" 0 and 0. Areas at R = 125: 10 mm² = 204, a small spot 15.3, 4 mm² = 81.6.
        // Corrected at distance 1200: rho = 0.959, A x 0.5 / sqrt(1 - rho²) = A x 1.7642.
        ObservationStore store;
        januaryStore(store);
        EntryForm form = makeForm(
            EntryMode::New, "15.01.2000",
            {groupRow({{ColType, "dkc"},
                       {ColSpots, "10"},
                       {ColPenumbrae, "3"},
                       {ColAngle, "s"},
                       {ColArea, "10"},
                       {ColSmallSpots, "2"}}),
             groupRow({{ColType, "axx"}, {ColSpots, "1"}, {ColAngle, "j"}, {ColSmallSpots, "1"}}),
             groupRow({{ColType, "Hsx"},
                       {ColSpots, "2"},
                       {ColPenumbrae, "1"},
                       {ColAngle, "j"},
                       {ColArea, "4"}}),
             groupRow({{ColType, "***"}, {ColSpots, "3"}, {ColAngle, "s"}})});
        form.conditions = "2";
        form.imageQuality = "3";
        form.seeingQuality = "4";
        form.centralGroups = "1";
        form.centralSpots = "3";
        form.centralR = "13";
        form.faculaTotal = "2";
        QVERIFY(commitEntry(store, form).ok);
        const RecordSummary &s = committed(store).summary;
        QCOMPARE(s.northGroups, uint16_t(2));
        QCOMPARE(s.northSpots, uint16_t(13));
        QCOMPARE(s.northR, uint16_t(33));
        QCOMPARE(s.northClassSum, uint16_t(55));
        QCOMPARE(s.northSN, uint16_t(40));             // 10 + 9 x 3, and 3
        QCOMPARE(s.northRB, uint16_t(180));            // 10 x 18, and 3 x 0
        QCOMPARE(s.northArea, uint16_t(235));          // round(204 + 2 x 15.3)
        QCOMPARE(s.northCorrectedArea, uint16_t(415)); // round(414.60)
        QCOMPARE(s.southGroups, uint16_t(2));
        QCOMPARE(s.southSpots, uint16_t(3));
        QCOMPARE(s.southR, uint16_t(23));
        QCOMPARE(s.southClassSum, uint16_t(11));
        QCOMPARE(s.southSN, uint16_t(12));             // 1, and 2 + 9
        QCOMPARE(s.southRB, uint16_t(92));             // 1 x 4 + 2 x 44
        QCOMPARE(s.southArea, uint16_t(97));           // round(15.3) + round(81.6)
        QCOMPARE(s.southCorrectedArea, uint16_t(171)); // round(26.46) + round(144.67)
        QCOMPARE(s.timeUT, uint16_t(1200));
        QCOMPARE(s.centralGroups, uint16_t(1));
        QCOMPARE(s.centralSpots, uint16_t(3));
        QCOMPARE(s.centralR, uint16_t(13));
        QCOMPARE(s.faculaTotal, uint16_t(2));
        QCOMPARE(s.conditions, uint8_t(2));
        QCOMPARE(s.imageQuality, uint8_t(3));
        QCOMPARE(s.seeingQuality, uint8_t(4));
        QCOMPARE(s.zero, uint8_t(0));
    }

    void groupAtTheDiskCentreLiesWhereB0Is_data() {
        // The centre of the disk is at latitude B0: about -7.2 degrees early in March and
        // +7.2 early in September (the Sun's equator is tilted 7.25 degrees to the ecliptic).
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("north");
        QTest::newRow("March, south") << "07.03.2000" << false;
        QTest::newRow("September, north") << "08.09.2000" << true;
    }
    void groupAtTheDiskCentreLiesWhereB0Is() {
        QFETCH(QString, date);
        QFETCH(bool, north);
        ObservationStore store;
        januaryStore(store);
        QVERIFY(commitEntry(store, makeForm(EntryMode::New, date,
                                            {groupRow({{ColAngle, "0"},
                                                       {ColDistance, "0"},
                                                       {ColArea, "10"},
                                                       {ColSmallSpots, "2"}})}))
                    .ok);
        const RecordSummary &s = committed(store).summary;
        QCOMPARE(committed(store).group(1).area, uint16_t(204));
        // A = round(204 + 2 x 15.3) = 235; at the centre round(235 x 0.5 / sqrt(1 - 0.000001))
        QCOMPARE(north ? s.northArea : s.southArea, uint16_t(235));
        QCOMPARE(north ? s.northCorrectedArea : s.southCorrectedArea, uint16_t(118));
        QCOMPARE(north ? s.southGroups : s.northGroups, uint16_t(0));
    }

    // A position more than 90 degrees from the centre of the disk lies on the far side: it
    // would be stored as some other place on the drawing, so it is refused.
    void farSideIsRefused_data() {
        QTest::addColumn<double>("fromCentralMeridian");
        QTest::addColumn<bool>("refused");
        QTest::newRow("85 deg west of the meridian") << 85.0 << false;
        QTest::newRow("120 deg east") << -120.0 << true;
        QTest::newRow("opposite the centre") << 180.0 << true;
    }
    void farSideIsRefused() {
        QFETCH(double, fromCentralMeridian);
        QFETCH(bool, refused);
        ObservationStore store;
        fillStore(store, {datedRecord("01.09.2000")}, 125, true);
        const StoreSnapshot before(store);
        const Ephemeris e = solarEphemeris({2000, 9, 8}, 1200);
        const double l = std::fmod(e.L0 + fromCentralMeridian + 360, 360);
        const CommitResult result = commitEntry(
            store, makeForm(EntryMode::New, "08.09.2000",
                            {groupRow({}), groupRow({{ColAngle, QString::number(l, 'f', 1)},
                                                     {ColDistance, "0"}})}));
        QCOMPARE(result.ok, !refused);
        if (!refused)
            return;
        QCOMPARE(result.messages.size(), 1);
        QVERIFY2(result.messages[0].text.contains(QStringLiteral("odvrácené straně")) &&
                     result.messages[0].text.contains(
                         QStringLiteral("L0 = %1").arg(QString::number(e.L0, 'f', 1))),
                 qPrintable(result.messages[0].text));
        QCOMPARE(result.messages[0].where, (EntryLocation{EntryField::Groups, 2, ColAngle}));
        QVERIFY(StoreSnapshot(store) == before);
    }

    // A new data set starts with a placeholder dated today; the first observation takes its
    // place, so no empty day is kept. Every later one is added.
    void firstObservationReplacesThePlaceholder() {
        QTemporaryDir dir;
        ObservationStore store(QDate(2026, 12, 8));
        QVERIFY(store.loadStore(dir.path()));
        store.setDrawingSetup(125, false);
        store.writeSetupIntoRecord1();
        QVERIFY(store.holdsOnlyPlaceholder());
        QVERIFY(commitEntry(store, makeForm(EntryMode::New, "07.12.2026")).ok);
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(readText(store.record(1).dateText), QStringLiteral("07.12.2026"));
        QCOMPARE(store.record(1).drawingSetup, uint16_t(125));
        QVERIFY(commitEntry(store, makeForm(EntryMode::New, "08.12.2026")).ok);
        QCOMPARE(store.recordCount(), 2);
        // A data set of one real record keeps it.
        QVERIFY(store.saveStore());
        ObservationStore again(QDate(2026, 12, 9));
        QVERIFY(again.loadStore(dir.path()));
        QVERIFY(!again.holdsOnlyPlaceholder());
        QCOMPARE(again.recordCount(), 2);
    }

    void heliographicEntryComesBackAsTyped_data() {
        QTest::addColumn<double>("fromCentralMeridian"); // degrees of longitude, l - L0
        QTest::addColumn<double>("latitude");            // b, degrees; NaN: B0
        QTest::newRow("disk centre") << 0.0 << qQNaN();
        QTest::newRow("north-east") << 30.0 << 20.0;
        QTest::newRow("south-west") << -45.0 << -15.0;
        QTest::newRow("near the limb") << 70.0 << 35.0;
    }
    void heliographicEntryComesBackAsTyped() {
        QFETCH(double, fromCentralMeridian);
        QFETCH(double, latitude);
        ObservationStore store;
        fillStore(store, {datedRecord("01.09.2000")}, 125, true);
        const Ephemeris e = solarEphemeris({2000, 9, 8}, 1200);
        const double b = std::isnan(latitude) ? e.B0 : latitude;
        const double l = std::fmod(e.L0 + fromCentralMeridian + 360, 360);
        const EntryForm typed = makeForm(EntryMode::New, "08.09.2000",
                                         {groupRow({{ColAngle, QString::number(l, 'f', 1)},
                                                    {ColDistance, QString::number(b, 'f', 1)}})});
        QVERIFY(commitEntry(store, typed).ok);
        const ObservationRecord &r = committed(store);
        if (std::isnan(latitude)) // l = L0, b = B0 is the centre of the disk
            QVERIFY2(r.group(1).distance <= 1, qPrintable(QString::number(r.group(1).distance)));
        const EntryForm shown = entryFormFromRecord(r, EntryMode::Correction, 125, true, 2026);
        const double lShown = cellDecimal(shown.groupCell(1, ColAngle));
        const double bShown = cellDecimal(shown.groupCell(1, ColDistance));
        QVERIFY2(std::fabs(std::remainder(lShown - l, 360)) <= 0.2,
                 qPrintable(QStringLiteral("l %1 shown %2").arg(l).arg(lShown)));
        QVERIFY2(std::fabs(bShown - b) <= 0.2,
                 qPrintable(QStringLiteral("b %1 shown %2").arg(b).arg(bShown)));
        QCOMPARE((b >= 0 ? r.summary.northGroups : r.summary.southGroups), uint16_t(1));
    }

    void shownRecordFields_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("angleCell");
        QTest::addColumn<QString>("distanceCell");
        QTest::addColumn<QString>("areaCell");
        QTest::newRow("north letter") << 10 << 1200 << 204 << "s"
                                      << ""
                                      << " 10";
        QTest::newRow("south letter") << 1790 << 1200 << 0 << "j"
                                      << ""
                                      << "  0";
        QTest::newRow("angle 1 degree, other distance") << 10 << 1000 << 2040 << "1.0"
                                                        << "50.0"
                                                        << "100";
        QTest::newRow("position") << 3455 << 1250 << 4080 << "345.5"
                                  << "62.5"
                                  << "200";
    }
    void shownRecordFields() {
        // Shown at R = 62.5: distances and areas go back to this drawing's millimetres.
        QFETCH(int, angle);
        QFETCH(int, distance);
        QFETCH(int, area);
        QFETCH(QString, angleCell);
        QFETCH(QString, distanceCell);
        QFETCH(QString, areaCell);
        ObservationRecord r = datedRecord("01.01.2000");
        r.groupCount = 1;
        r.group(1).angle = static_cast<uint16_t>(angle);
        r.group(1).distance = static_cast<uint16_t>(distance);
        r.group(1).area = static_cast<uint16_t>(area * 2); // x 2550 / 62.5 = x 40.8 per mm²
        const EntryForm form = entryFormFromRecord(r, EntryMode::Correction, 62.5, false, 2026);
        QCOMPARE(form.groupCell(1, ColAngle), angleCell);
        QCOMPARE(form.groupCell(1, ColDistance), distanceCell);
        QCOMPARE(form.groupCell(1, ColArea), areaCell);
    }
};

ORVANEK_REGISTER_TEST(TestCommit);

#include "tst_commit.moc"
