// The language the programs speak: read from the environment, and at the start of the
// program as a whole process (the test runs itself as the program would start).
#include "language/language.h"
#include "localeenvironment.h"
#include "scopedlanguage.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/stat.h>

using namespace orvanek;

Q_DECLARE_METATYPE(orvanek::Language)

namespace {

constexpr char kProbe[] = "--probe";

// The program's start, then what Qt's system locale has become, on one line.
int probe(int argc, char *argv[]) {
    bool refused = false;
    const Language language = startLanguage(nullptr, &refused);
    QCoreApplication app(argc, argv);
    const QLocale system = QLocale::system();
    std::printf("%s;%s;%s%s\n", qPrintable(languageCode(language)), qPrintable(system.name()),
                qPrintable(system.toString(QDate(2024, 12, 9), QLocale::ShortFormat)),
                refused ? ";settings refused" : "");
    return 0;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

  private slots:
    // Qt reads the language of messages from LANGUAGE (a list), else the first of LC_ALL,
    // LC_MESSAGES and LANG that is set; C and POSIX name no language.
    void languageOfTheEnvironment_data() {
        QTest::addColumn<QString>("variables"); // LANGUAGE|LC_ALL|LC_MESSAGES|LANG
        QTest::addColumn<Language>("expected");
        const Language cs = Language::Czech, en = Language::English;
        QTest::newRow("nothing set") << "|||" << cs;
        QTest::newRow("C.UTF-8") << "|||C.UTF-8" << cs;
        QTest::newRow("POSIX") << "|||POSIX" << cs;
        QTest::newRow("Czech") << "|||cs_CZ.UTF-8" << cs;
        QTest::newRow("German: not spoken, so English") << "|||de_DE.UTF-8" << en;
        QTest::newRow("Serbian with a modifier") << "|||sr_RS@latin" << en;
        QTest::newRow("LC_MESSAGES before LANG") << "||en_GB.UTF-8|cs_CZ.UTF-8" << en;
        QTest::newRow("LC_ALL before LC_MESSAGES") << "|cs_CZ.UTF-8|en_GB.UTF-8|en_US.UTF-8" << cs;
        QTest::newRow("LC_ALL=C names none") << "|C||en_US.UTF-8" << cs;
        QTest::newRow("LC_ALL=: names none") << "|:||" << cs;
        QTest::newRow("LANGUAGE before the rest") << "en:cs|cs_CZ.UTF-8||" << en;
        QTest::newRow("first spoken one of LANGUAGE") << "sk:cs:en|||sk_SK" << cs;
        QTest::newRow("LANGUAGE without a spoken one") << "de:fr|||cs_CZ" << en;
    }
    void languageOfTheEnvironment() {
        QFETCH(QString, variables);
        QFETCH(Language, expected);
        const QStringList v = variables.split(QLatin1Char('|'));
        LocaleEnvironment e;
        e.language = v[0];
        e.lcAll = v[1];
        e.lcMessages = v[2];
        e.lang = v[3];
        QCOMPARE(environmentLanguage(e), expected);
    }

    // Short dates of 9 December 2024 as the Unicode CLDR gives them: cs "dd.MM.yy", en_US
    // "M/d/yy", en_GB "dd/MM/y".
    void languageAndFormatsAtTheStart_data() {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QString>("stored"); // the settings file's choice; empty: no file
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("C: Czech and its formats") << QStringList{"LANG=C"} << "" << "cs;cs_CZ;09.12.24";
        QTest::newRow("LC_ALL=C") << QStringList{"LC_ALL=C", "LANG=en_US.UTF-8"} << "" << "cs;cs_CZ;09.12.24";
        QTest::newRow("American") << QStringList{"LANG=en_US.UTF-8"} << "" << "en;en_US;12/9/24";
        QTest::newRow("German: English, British dates") << QStringList{"LANG=de_DE.UTF-8"} << "" << "en;en_GB;09/12/2024";
        QTest::newRow("LC_TIME's formats replaced") << QStringList{"LC_TIME=C", "LANG=cs_CZ.UTF-8"} << "" << "cs;cs_CZ;09.12.24";
        QTest::newRow("Czech chosen on an American system") << QStringList{"LANG=en_US.UTF-8"} << "cs" << "cs;cs_CZ;09.12.24";
        QTest::newRow("English chosen on a Czech system") << QStringList{"LANG=cs_CZ.UTF-8"} << "en" << "en;en_GB;09/12/2024";
        QTest::newRow("as the system, chosen") << QStringList{"LANG=en_US.UTF-8"} << "system" << "en;en_US;12/9/24";
        QTest::newRow("unknown choice: as the system") << QStringList{"LANG=C"} << "de" << "cs;cs_CZ;09.12.24";
        QTest::newRow("LC_ALL's formats before LANG's") << QStringList{"LC_ALL=en_US.UTF-8", "LANG=de_DE.UTF-8"} << "" << "en;en_US;12/9/24";
        QTest::newRow("a pipe as the settings file") << QStringList{"LANG=en_US.UTF-8"} << "<pipe>" << "en;en_US;12/9/24;settings refused";
        // clang-format on
    }
    void languageAndFormatsAtTheStart() {
        QFETCH(QStringList, locale);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QTemporaryDir config;
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Orvanek")));
        if (stored == QLatin1String("<pipe>")) // opened as QSettings opens it, waited on for ever
            QVERIFY(::mkfifo(qPrintable(config.filePath("Orvanek/orvanek.conf")), 0600) == 0);
        else if (!stored.isEmpty()) {
            QFile file(config.filePath(QStringLiteral("Orvanek/orvanek.conf")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[General]\nlanguage=" + stored.toLatin1() + "\n");
        }
        QProcessEnvironment environment = testing::localeEnvironment(locale);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kProbe)});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(), expected);
    }

    // A count takes its plural form in both languages: Czech has three (1, 2-4, 5 and more),
    // English two.
    void pluralForms_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cs 1") << Language::Czech << 1 << "neúplný záznam na konci souboru (1 bajt)";
        QTest::newRow("cs 3") << Language::Czech << 3
                              << "neúplný záznam na konci souboru (3 bajty)";
        QTest::newRow("cs 5") << Language::Czech << 5
                              << "neúplný záznam na konci souboru (5 bajtů)";
        QTest::newRow("en 1") << Language::English << 1
                              << "incomplete record at the end of the file (1 byte)";
    }
    void pluralForms() {
        QFETCH(Language, language);
        QFETCH(int, count);
        QFETCH(QString, expected);
        const testing::ScopedLanguage scope(language);
        QCOMPARE(QCoreApplication::translate("Cli", "neúplný záznam na konci souboru (%n bajtů)",
                                             nullptr, count),
                 expected);
    }
};

int main(int argc, char *argv[]) {
    if (argc > 1 && qstrcmp(argv[1], kProbe) == 0)
        return probe(argc, argv);
    QCoreApplication app(argc, argv);
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
