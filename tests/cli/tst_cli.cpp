// orvanek-cli, driven through the same entry point as the program.
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "clirunner.h"
#include "data/datalock.h"
#include "data/observationstore.h"
#include "filebytes.h"
#include "localeenvironment.h"
#include "scopedlanguage.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

using namespace orvanek;

Q_DECLARE_METATYPE(orvanek::Language)

namespace {

using Run = orvanek::testing::CliRun;

Run run(const QStringList &args) {
    return orvanek::testing::runCliCommand(args);
}

ObservationRecord record(const char *date, uint16_t time, const QString &observer = {}) {
    ObservationRecord r = zeroRecord();
    writeText(r.dateText, QString::fromLatin1(date));
    r.timeUT = time;
    writeText(r.observer, observer);
    return r;
}

void writeData(const QString &dir, const std::vector<ObservationRecord> &records,
               const QByteArray &tail = {}) {
    QFile file(QDir(dir).filePath("data1.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(records.data()),
               static_cast<qint64>(records.size() * sizeof(ObservationRecord)));
    file.write(tail);
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList rows(const QString &text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

// A manual page as its reader sees it: in roff a hyphen is written \-.
QString manualPage(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

  private slots:
    // Wrong usage says in one line what was wrong, then the usage of that command; with no
    // command at all the usage of every command is the one line.
    void wrongUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("problem"); // empty: the whole usage alone
        QTest::addColumn<QString>("usage");
        const QString info = QStringLiteral("použití: orvanek-cli [-d ADRESÁŘ] info");
        // clang-format off
        QTest::newRow("nothing") << QStringList{} << "" << "";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "neznámý příkaz „frobnicate“" << "příkazy: info, records, groups, export-ascii, check, ephemeris, render, ";
        QTest::newRow("-d without directory") << QStringList{"info", "-d"} << "volbě -d chybí hodnota" << info;
        QTest::newRow("extra argument") << QStringList{"info", "more"} << "příkaz info nebere argument „more“" << info;
        QTest::newRow("unknown option") << QStringList{"info", "--verbose"} << "neznámá volba --verbose" << info;
        QTest::newRow("ephemeris without time") << QStringList{"ephemeris", "01.01.2000"} << "ke každému datu patří čas" << "použití: orvanek-cli [-d ADRESÁŘ] ephemeris DD.MM.RRRR HHMM";
        QTest::newRow("ephemeris bad date") << QStringList{"ephemeris", "31.02.2000", "1200"} << "„31.02.2000“ není datum DD.MM.RRRR" << "";
        QTest::newRow("ephemeris bad time") << QStringList{"ephemeris", "01.01.2000", "12:00"} << "„12:00“ není čas HHMM" << "";
        QTest::newRow("ephemeris at 2400") << QStringList{"ephemeris", "01.01.2000", "2400"} << "„2400“ není čas HHMM" << "";
        QTest::newRow("language not spoken") << QStringList{"--lang", "de", "info"} << "--lang: „de“ není cs ani en" << "";
        QTest::newRow("language without a name") << QStringList{"info", "--lang"} << "volbě --lang chybí hodnota" << info;
        // clang-format on
    }
    void wrongUsage() {
        QFETCH(QStringList, args);
        QFETCH(QString, problem);
        QFETCH(QString, usage);
        const Run r = run(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        const QStringList err = rows(r.err);
        QCOMPARE(err.value(0), problem.isEmpty() ? cliUsage() : problem);
        QVERIFY2(usage.isEmpty() ? err.size() == 1 : err.size() == 2 && err[1].startsWith(usage),
                 qPrintable(r.err));
    }

    // An unknown command is told every command's name.
    void unknownCommandShowsTheUsage() {
        const QString usage = rows(run({"draw"}).err).value(1);
        for (const char *command : {"info", "records", "groups", "export-ascii", "check",
                                    "ephemeris", "render", "import", "make-demo", "daily"})
            QVERIFY2(usage.contains(QLatin1String(command)), command);
    }

    // --help and --version answer on standard output with status 0, whatever else is given:
    // no data directory is read, no command is run.
    void helpAndVersion_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("help");
        QTest::newRow("--version") << QStringList{"--version"} << false;
        QTest::newRow("--version after a command")
            << QStringList{"-d", "/no/such/orvanek/dir", "info", "--version"} << false;
        QTest::newRow("--help") << QStringList{"--help"} << true;
        QTest::newRow("-h") << QStringList{"-h"} << true;
        QTest::newRow("--help after a command")
            << QStringList{"render", "drawing", "--help"} << true;
        QTest::newRow("-h with an unknown command") << QStringList{"draw", "-h"} << true;
    }
    void helpAndVersion() {
        QFETCH(QStringList, args);
        QFETCH(bool, help);
        const Run r = run(args);
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        if (!help) {
            // The project's version, as CMake's project() gives it to the build.
            QCOMPARE(r.out, QStringLiteral("orvanek-cli " ORVANEK_VERSION "\n"));
            return;
        }
        // First every command of the usage that wrong usage prints on standard error, one
        // per line with the program's name, then the options every command knows and where
        // the whole description is.
        const QStringList out = rows(r.out);
        QString usage = cliUsage();
        usage.remove(QStringLiteral("použití: orvanek-cli [-d ADRESÁŘ] "));
        const QStringList commands = usage.split(QStringLiteral(" | "));
        QCOMPARE(out.value(0), QStringLiteral("použití:"));
        for (qsizetype i = 0; i < commands.size(); ++i)
            QCOMPARE(out.value(i + 1), QStringLiteral("  orvanek-cli [-d ADRESÁŘ] ") + commands[i]);
        for (const char *option : {"--data", "--help", "--version", "man orvanek-cli"})
            QVERIFY2(out.filter(QLatin1String(option)).size() == 1, option);
    }

    // The manual page describes every command and option the usage names: a command added
    // without its section (.SS) or an option without its entry fails here. The English page
    // is checked against the English usage.
    void manualPageCoversTheUsage_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("usagePrefix");
        QTest::addColumn<QString>("exitStatus");
        QTest::newRow("Czech") << Language::Czech << QStringLiteral(ORVANEK_MANUAL_PAGE)
                               << "použití: orvanek-cli [-d ADRESÁŘ] "
                               << ".SH NÁVRATOVÁ HODNOTA";
        QTest::newRow("English") << Language::English << QStringLiteral(ORVANEK_ENGLISH_MANUAL_PAGE)
                                 << "usage: orvanek-cli [-d DIR] "
                                 << ".SH EXIT STATUS";
    }
    void manualPageCoversTheUsage() {
        QFETCH(Language, language);
        QFETCH(QString, path);
        QFETCH(QString, usagePrefix);
        QFETCH(QString, exitStatus);
        const QString page = manualPage(path);
        QVERIFY2(!page.isEmpty(), qPrintable(path));
        QString usage = [&] {
            const orvanek::testing::ScopedLanguage scope(language);
            return cliUsage();
        }();
        QVERIFY2(usage.startsWith(usagePrefix), qPrintable(usage.left(60)));
        usage.remove(0, usagePrefix.size());
        int commands = 0;
        // Each alternative of the usage starts with its command, in lower case.
        static const QRegularExpression command(QStringLiteral("^[a-z][a-z-]*( [a-z][a-z-]*)*"));
        for (const QString &alternative : usage.split(QStringLiteral(" | "))) {
            const QString name = command.match(alternative).captured(0);
            if (name.isEmpty())
                continue;
            ++commands;
            QVERIFY2(page.contains(QStringLiteral("\n.SS ") + name + QLatin1Char('\n')),
                     qPrintable(name));
        }
        QVERIFY(commands >= 9);
        static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
        for (const QRegularExpressionMatch &match :
             option.globalMatch(usage + " --data --lang --help --version"))
            QVERIFY2(page.contains(match.captured(0)), qPrintable(match.captured(0)));
        QVERIFY(page.contains(exitStatus));
    }

    // The two languages' pages describe the same commands, options and columns: a section or
    // a column added to one page only fails here.
    void manualPagesAgree() {
        const auto names = [](const QString &page) {
            static const QRegularExpression pattern(QStringLiteral(
                "(?:\\n\\.SS [^\\n]+|--[a-z][a-z0-9-]*|\\.B[RI]? [a-z][A-Za-z0-9]+)"));
            QSet<QString> found;
            for (const QRegularExpressionMatch &m : pattern.globalMatch(page))
                found.insert(m.captured(0).trimmed());
            return found;
        };
        const QSet<QString> czech = names(manualPage(QStringLiteral(ORVANEK_MANUAL_PAGE)));
        const QSet<QString> english =
            names(manualPage(QStringLiteral(ORVANEK_ENGLISH_MANUAL_PAGE)));
        QStringList onlyCzech(czech.begin(), czech.end());
        onlyCzech.removeIf([&](const QString &n) { return english.contains(n); });
        QStringList onlyEnglish(english.begin(), english.end());
        onlyEnglish.removeIf([&](const QString &n) { return czech.contains(n); });
        QVERIFY2(onlyCzech.isEmpty(), qPrintable(onlyCzech.join(QLatin1Char(' '))));
        QVERIFY2(onlyEnglish.isEmpty(), qPrintable(onlyEnglish.join(QLatin1Char(' '))));
        // The pattern finds what it should: a section, an option, a column.
        for (const char *name : {".SS compare-silso", "--rotation-width", ".B recordCount"})
            QVERIFY2(czech.contains(QLatin1String(name)), name);
    }

    // The program itself, run under each locale: its messages in the environment's language
    // or --lang's, its tables the same in every language (B0 = -3.02 deg at 1 January 2000,
    // 12 h UT: Astronomical Almanac 2000, ephemeris for physical observations of the Sun).
    void languageOfTheProgram_data() {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("out");
        const QStringList info{"-d", "/no/such/dir", "info"};
        const QString czech = QStringLiteral("adresář /no/such/dir neexistuje\n");
        const QString english = QStringLiteral("directory /no/such/dir does not exist\n");
        // clang-format off
        QTest::newRow("American") << QStringList{"LANG=en_US.UTF-8"} << info << english << "";
        QTest::newRow("Czech") << QStringList{"LANG=cs_CZ.UTF-8"} << info << czech << "";
        QTest::newRow("nothing set: Czech") << QStringList{} << info << czech << "";
        QTest::newRow("LANGUAGE before LANG") << QStringList{"LANGUAGE=en", "LANG=cs_CZ.UTF-8"} << info << english << "";
        QTest::newRow("--lang en on a Czech system") << QStringList{"LANG=cs_CZ.UTF-8"} << QStringList{"--lang", "en"} + info << english << "";
        QTest::newRow("--lang=cs on an English system") << QStringList{"LC_ALL=en_GB.UTF-8"} << QStringList{"--lang=cs"} + info << czech << "";
        QTest::newRow("English usage") << QStringList{"LANG=en_US.UTF-8"} << QStringList{} << "usage: orvanek-cli [-d DIR] info" << "";
        QTest::newRow("English, wrong option") << QStringList{"LANG=en_US.UTF-8"} << QStringList{"info", "--radius", "5"} << "the command info takes no option --radius\nusage: orvanek-cli [-d DIR] info\n" << "";
        QTest::newRow("not a directory") << QStringList{"LANG=en_US.UTF-8"} << QStringList{"-d", "/etc/passwd", "info"} << "/etc/passwd is not a directory\n" << "";
        QTest::newRow("table in English") << QStringList{"LANG=en_US.UTF-8"} << QStringList{"ephemeris", "01.01.2000", "1200"} << ""
                                          << "date;timeUT;B0;P;L0;rotation\n01.01.2000;1200;-3.0";
        // clang-format on
    }
    void languageOfTheProgram() {
        QFETCH(QStringList, locale);
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        QFETCH(QString, out);
        QProcess process;
        process.setProcessEnvironment(testing::localeEnvironment(locale));
        process.start(QStringLiteral(ORVANEK_CLI_PROGRAM), args);
        QVERIFY(process.waitForFinished(60000));
        const QString shownErr = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(err.isEmpty() ? shownErr.isEmpty() : shownErr.startsWith(err),
                 qPrintable(shownErr.left(80)));
        const QString shownOut = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(out.isEmpty() ? shownOut.isEmpty() : shownOut.startsWith(out),
                 qPrintable(shownOut.left(80)));
    }

    // A scan the image libraries cannot read is told in the program's one line: nothing they
    // print (libpng, Qt's allocation limit) reaches the terminal.
    void scanProblemsInOneLine_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("err"); // %1: the image's path
        // PNG files made with zlib: 4 x 4 grey rows with filter byte 7 (no such filter), and a
        // header of 40000 x 40000 RGBA pixels, 6.4 GB in memory.
        QTest::newRow("damaged PNG")
            << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000040000000408000000008c9a"
                                   "c1a20000000e49444154789c63670002765402000172001dacbec27b0000"
                                   "000049454e44ae426082")
            << "The image %1 cannot be read: the image data are damaged.\n";
        QTest::newRow("more than 1 GB")
            << QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200009c4000009c40080600000051"
                                   "0c0e050000000b49444154789c6360800100000a00017f80745e00000000"
                                   "49454e44ae426082")
            << "The image %1 cannot be read: it would take more than 1 GB of memory when opened "
               "(40000 × 40000 pixels).\n";
    }
    void scanProblemsInOneLine() {
        QFETCH(QByteArray, image);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scan.png"));
        orvanek::testing::writeBytes(path, image);
        QProcess process;
        process.start(QStringLiteral(ORVANEK_CLI_PROGRAM),
                      {"--lang", "en", "-d", dir.path(), "scan", path, "--date", "01.01.2000",
                       "--time", "1200"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err.arg(path));
    }

    void missingDirectoryIsADataProblem() {
        const Run r = run({"-d", "/no/such/orvanek/dir", "info"});
        QCOMPARE(r.status, 1);
        QCOMPARE(rows(r.err).size(), 1);
    }

    void ephemerisRows() {
        const Run r = run({"ephemeris", "01.01.1989", "0", "01.01.2000", "1200", "15.03.1995",
                           "1015", "21.06.2001", "0830"});
        QCOMPARE(r.status, 0);
        QCOMPARE(rows(r.out), (QStringList{
                                  "date;timeUT;B0;P;L0;rotation",
                                  "01.01.1989;0;-3.053326;2.038705;107.600305;1810",
                                  "01.01.2000;1200;-3.016294;2.127434;1.464230;1957",
                                  "15.03.1995;1015;-7.164124;-24.457919;102.148453;1893",
                                  "21.06.2001;830;1.771362;-7.057571;116.111985;1977",
                              }));
    }

    void infoOfADataSet() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("02.01.2000", 800, "Novák"),
                                               record("01.01.2000", 900, "Dvořáková"),
                                               record("05.01.2000", 900, "Novák")};
        records[0].drawingSetup = 1125;
        writeData(dir.path(), records);
        const Run r = run({"info", "--data", dir.path()});
        QCOMPARE(r.status, 0);
        const QStringList out = rows(r.out);
        QCOMPARE(out.value(0), QStringLiteral("field;value"));
        QVERIFY(out.contains("recordCount;3"));
        QVERIFY(out.contains("firstDate;01.01.2000"));
        QVERIFY(out.contains("lastDate;05.01.2000"));
        QVERIFY(out.contains("drawingRadius;125"));
        QVERIFY(out.contains("entry;heliographic"));
        QVERIFY(out.contains("observer;Novák"));
        QVERIFY(out.contains("observer;Dvořáková"));
        QVERIFY(out.contains("instrument2;Přístroj"));
        QCOMPARE(out.filter("observer;").size(), 2);
    }

    void infoOfAnEmptyDirectory() {
        QTemporaryDir dir;
        const Run r = run({"-d", dir.path(), "info"});
        QCOMPARE(r.status, 0);
        // The record a new data set starts with is no record of the file.
        QVERIFY(rows(r.out).contains("recordCount;0"));
        QVERIFY(rows(r.out).contains("entry;unset"));
        QCOMPARE(rows(run({"-d", dir.path(), "records"}).out).size(), 1); // the header only
        QVERIFY(!QFile::exists(dir.filePath("data1.dat")));               // reading writes nothing
    }

    // A damaged record's control bytes are escaped, not written raw into the output.
    void controlBytesAreEscaped() {
        QTemporaryDir dir;
        writeData(dir.path(), {record("0\x01.01.2000", 705, "Jan\nNov\x7f")});
        const QStringList out = rows(run({"-d", dir.path(), "records"}).out);
        QCOMPARE(out.size(), 2);
        QVERIFY2(out[1].startsWith("1;0\\x01.01.2000;705;Jan\\x0aNov\\x7f;"), qPrintable(out[1]));
        const Run check = run({"-d", dir.path(), "check"});
        QVERIFY2(check.out.contains("„0\\x01.01.2000“"), qPrintable(check.out));
    }

    void recordRows() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("01.01.2000", 705, "Novák; st.")};
        records[0].groupCount = 2;
        records[0].summary.northGroups = 1;
        records[0].summary.southCorrectedArea = 777;
        writeText(records[0].specialMark, "zvlastni");
        writeText(records[0].station, "Hvězdárna \"Ďáblice\"");
        writeData(dir.path(), records);
        const Run r = run({"-d", dir.path(), "records"});
        QCOMPARE(r.status, 0);
        const QStringList out = rows(r.out);
        QCOMPARE(out.size(), 2);
        QCOMPARE(out[0].split(';').size(), 33);
        QVERIFY(out[0].startsWith("number;date;timeUT;observer;station;special;"));
        QVERIFY(out[0].endsWith(";southArea;southCorrectedArea"));
        QVERIFY(out[1].startsWith(
            "1;01.01.2000;705;\"Novák; st.\";\"Hvězdárna \"\"Ďáblice\"\"\";zvlášťní;"));
        QVERIFY(out[1].endsWith(";777"));
    }

    // Every column shows its own field: each field holds a value no other field holds.
    void recordColumns_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        const std::pair<const char *, const char *> expected[] = {{"number", "1"},
                                                                  {"timeUT", "22"},
                                                                  {"conditions", "11"},
                                                                  {"imageQuality", "12"},
                                                                  {"seeingQuality", "13"},
                                                                  {"centralGroups", "14"},
                                                                  {"centralSpots", "15"},
                                                                  {"centralR", "16"},
                                                                  {"faculaTotal", "17"},
                                                                  {"groupCount", "18"},
                                                                  {"faculaFieldCount", "19"},
                                                                  {"rotation", "2020"},
                                                                  {"centralLongitude", "21"},
                                                                  {"northGroups", "31"},
                                                                  {"northSpots", "32"},
                                                                  {"northR", "33"},
                                                                  {"northClassSum", "34"},
                                                                  {"northSN", "35"},
                                                                  {"northRB", "36"},
                                                                  {"northArea", "37"},
                                                                  {"northCorrectedArea", "38"},
                                                                  {"southGroups", "41"},
                                                                  {"southSpots", "42"},
                                                                  {"southR", "43"},
                                                                  {"southClassSum", "44"},
                                                                  {"southSN", "45"},
                                                                  {"southRB", "46"},
                                                                  {"southArea", "47"},
                                                                  {"southCorrectedArea", "48"}};
        for (const auto &[column, value] : expected)
            QTest::newRow(column) << QString(column) << QString(value);
    }
    void recordColumns() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        ObservationRecord r = record("01.01.2000", 22);
        r.conditions = 11;
        r.imageQuality = 12;
        r.seeingQuality = 13;
        r.centralGroups = 14;
        r.centralSpots = 15;
        r.centralR = 16;
        r.faculaTotal = 17;
        r.groupCount = 18;
        r.faculaFieldCount = 19;
        r.rotation = 2020;
        r.centralLongitude = 21;
        uint16_t *north = &r.summary.northGroups; // the eight northern words in file order
        uint16_t *south = &r.summary.southGroups;
        for (int k = 0; k < 8; ++k) {
            north[k] = static_cast<uint16_t>(31 + k);
            south[k] = static_cast<uint16_t>(41 + k);
        }
        QTemporaryDir dir;
        writeData(dir.path(), {r});
        const QStringList out = rows(run({"-d", dir.path(), "records"}).out);
        QCOMPARE(out.size(), 2);
        const qsizetype at = out[0].split(';').indexOf(column);
        QVERIFY(at >= 0);
        QCOMPARE(out[1].split(';').value(at), value);
    }

    void groupColumns_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        const std::pair<const char *, const char *> expected[] = {
            {"record", "1"},        {"timeUT", "1200"},          {"slot", "1"},
            {"type", "Dkc"},        {"spotCount", "51"},         {"penumbraCount", "52"},
            {"angle", "53"},        {"distance", "54"},          {"area", "55"},
            {"smallSpots", "56"},   {"globalGroupNumber", "57"}, {"rotationGroupNumber", "58"},
            {"aux1Position", "59"}, {"aux1Area", "60"},          {"aux2Position", "61"},
            {"aux2Area", "62"}};
        for (const auto &[column, value] : expected)
            QTest::newRow(column) << QString(column) << QString(value);
    }
    void groupColumns() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        ObservationRecord r = record("01.01.2000", 1200);
        r.groupCount = 1;
        SunspotGroup &g = r.group(1);
        writeText(g.type, "Dkc");
        g.spotCount = 51;
        g.penumbraCount = 52;
        uint16_t *words = &g.angle; // angle .. aux2Area, ten words in file order
        for (int k = 0; k < 10; ++k)
            words[k] = static_cast<uint16_t>(53 + k);
        QTemporaryDir dir;
        writeData(dir.path(), {r});
        const QStringList out = rows(run({"-d", dir.path(), "groups"}).out);
        QCOMPARE(out.size(), 2);
        const qsizetype at = out[0].split(';').indexOf(column);
        QVERIFY(at >= 0);
        QCOMPARE(out[1].split(';').value(at), value);
    }

    void groupRows() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("01.01.2000", 1200)};
        records[0].groupCount = 1;
        writeText(records[0].group(1).type, "Dkc");
        records[0].group(1).angle = 0;
        records[0].group(1).distance = 0;
        records[0].group(1).aux1Position = 5790;
        writeData(dir.path(), records);
        const Run r = run({"-d", dir.path(), "groups"});
        QCOMPARE(r.status, 0);
        const QStringList out = rows(r.out);
        QCOMPARE(out.size(), 2);
        QCOMPARE(out[0].split(';').size(), 20);
        const QStringList cells = out[1].split(';');
        QCOMPARE(cells.mid(0, 5), (QStringList{"1", "01.01.2000", "1200", "1", "Dkc"}));
        QCOMPARE(cells[13], QStringLiteral("5790"));
        // At the disk centre the longitude is L0 of the moment (1.464230, as above).
        QCOMPARE(cells[18], QStringLiteral("1.464230"));
        QCOMPARE(cells[19], QStringLiteral("0.000000"));
    }

    void exportAsciiWritesTheFile() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("01.01.2000", 1200)};
        records[0].groupCount = 1;
        writeData(dir.path(), records);
        const Run r = run({"-d", dir.path(), "export-ascii"});
        QCOMPARE(r.status, 0);
        QVERIFY(rows(r.out).value(1).endsWith("SoubASCI.dat;1"));
        const QByteArray content = fileBytes(dir.filePath("SoubASCI.dat"));
        QVERIFY(content.contains("01:01:2000 12 00 00 *** 001 "));
    }

    void checkReportsEveryProblem() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("01.01.2000", 1), record("31.02.2000", 2),
                                               record("05.01.2000", 3), record("03.01.2000", 4)};
        records[2].groupCount = 45;
        records[3].faculaFieldCount = 31;
        writeData(dir.path(), records, QByteArray(100, 'x'));
        const QByteArray before = fileBytes(dir.filePath("data1.dat"));
        const Run r = run({"-d", dir.path(), "check"});
        QCOMPARE(r.status, 1);
        const QStringList out = rows(r.out);
        QCOMPARE(out.value(0), QStringLiteral("record;problem"));
        QCOMPARE(out.size(), 6);
        QVERIFY(out[1].startsWith("2;") && out[1].contains("31.02.2000"));
        QVERIFY(out[2].startsWith("3;") && out[2].contains("45"));
        QVERIFY(out[3].startsWith("4;") && out[3].contains("03.01.2000"));
        QVERIFY(out[4].startsWith("4;") && out[4].contains("31"));
        QVERIFY(out[5].startsWith("5;") && out[5].contains("100"));
        QCOMPARE(fileBytes(dir.filePath("data1.dat")), before);
        QVERIFY(!QFile::exists(dir.filePath("data1.bak")));
    }

    void importWaitsForTheProgramToClose() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{record("01.01.2000", 1)};
        records[0].drawingSetup = 125;
        writeData(dir.path(), records);
        QFile input(dir.filePath("in.txt"));
        QVERIFY(input.open(QIODevice::WriteOnly));
        input.write("O;02.01.2000;800;Novák;Praha;1;1;1;0;0;0;0\n");
        input.close();
        const QByteArray before = fileBytes(dir.filePath("data1.dat"));
        {
            const auto held = lockDataDirectory(dir.path()); // the program has it open
            QVERIFY(held);
            const Run r = run({"-d", dir.path(), "import", input.fileName()});
            QCOMPARE(r.status, 1);
            QVERIFY(r.err.contains("jiná spuštěná kopie"));
            QCOMPARE(rows(r.err).size(), 1);
            QCOMPARE(fileBytes(dir.filePath("data1.dat")), before);
        }
        const Run r = run({"-d", dir.path(), "import", input.fileName()});
        QCOMPARE(r.status, 0);
        QCOMPARE(fileBytes(dir.filePath("data1.dat")).size(), 2 * 1314);
    }

    void checkOfSoundData() {
        QTemporaryDir dir;
        writeData(dir.path(), {record("01.01.2000", 1), record("01.01.2000", 2)});
        const Run r = run({"-d", dir.path(), "check"});
        QCOMPARE(r.status, 0);
        QCOMPARE(rows(r.out), QStringList{"record;problem"});
    }
};

ORVANEK_REGISTER_TEST(TestCli);
#include "tst_cli.moc"
