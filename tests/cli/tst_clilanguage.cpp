// orvanek-cli as a script runs it: the language of its messages from the environment or
// --lang, its tables the same in every language.
#include "testregistry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ProcessRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the built program with the locale variables given and no others.
ProcessRun runProgram(const QStringList &args, const QStringList &locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &assignment : locale)
        environment.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVANEK_CLI_PROGRAM), args);
    ProcessRun r;
    if (!process.waitForFinished(60000))
        return r;
    r.status = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

} // namespace

class TestCliLanguage : public QObject {
    Q_OBJECT

  private slots:
    void messagesInTheLanguage_data() {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        const QString czech = QStringLiteral("adresář /no/such/dir neexistuje\n");
        const QString english = QStringLiteral("directory /no/such/dir does not exist\n");
        QTest::newRow("American") << QStringList{"LANG=en_US.UTF-8"} << QStringList{} << english;
        QTest::newRow("Czech") << QStringList{"LANG=cs_CZ.UTF-8"} << QStringList{} << czech;
        QTest::newRow("C: the program's own Czech")
            << QStringList{"LANG=C"} << QStringList{} << czech;
        QTest::newRow("nothing set") << QStringList{} << QStringList{} << czech;
        QTest::newRow("German: English")
            << QStringList{"LANG=de_DE.UTF-8"} << QStringList{} << english;
        QTest::newRow("LANGUAGE before LANG")
            << QStringList{"LANGUAGE=en", "LANG=cs_CZ.UTF-8"} << QStringList{} << english;
        QTest::newRow("--lang en on a Czech system")
            << QStringList{"LANG=cs_CZ.UTF-8"} << QStringList{"--lang", "en"} << english;
        QTest::newRow("--lang cs on an English system")
            << QStringList{"LC_ALL=en_GB.UTF-8"} << QStringList{"--lang=cs"} << czech;
    }
    void messagesInTheLanguage() {
        QFETCH(QStringList, locale);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const ProcessRun r =
            runProgram(options + QStringList{"-d", "/no/such/dir", "info"}, locale);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, message);
        QVERIFY(r.out.isEmpty());
    }

    // Wrong usage and --help speak the language; the tables do not change with it.
    void usageAndTables_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QString>("helpLine");
        QTest::newRow("English") << "en"
                                 << "usage: orvanek-cli [-d DIR] info"
                                 << "--lang cs|en        language of the messages";
        QTest::newRow("Czech") << "cs"
                               << "použití: orvanek-cli [-d ADRESÁŘ] info"
                               << "--lang cs|en        jazyk zpráv";
    }
    void usageAndTables() {
        QFETCH(QString, lang);
        QFETCH(QString, usage);
        QFETCH(QString, helpLine);
        const ProcessRun wrong = runProgram({"--lang", lang, "draw"}, {});
        QCOMPARE(wrong.status, 2);
        QVERIFY2(wrong.err.startsWith(usage), qPrintable(wrong.err.left(80)));
        const ProcessRun help = runProgram({"--lang", lang, "--help"}, {});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.contains(helpLine), qPrintable(help.out));
        // A table's header and values are the same in both languages (B0 = -3.02 deg at
        // 1 January 2000, 12 h UT: Astronomical Almanac 2000, Sun, ephemeris for physical
        // observations).
        const ProcessRun table =
            runProgram({"--lang", lang, "ephemeris", "01.01.2000", "1200"}, {});
        QCOMPARE(table.status, 0);
        QCOMPARE(table.out.section(u'\n', 0, 0), QStringLiteral("date;timeUT;B0;P;L0;rotation"));
        QVERIFY2(table.out.section(u'\n', 1, 1).startsWith(QStringLiteral("01.01.2000;1200;-3.0")),
                 qPrintable(table.out));
    }
};

ORVANEK_REGISTER_TEST(TestCliLanguage);
#include "tst_clilanguage.moc"
