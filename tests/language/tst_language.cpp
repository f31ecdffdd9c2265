// The language the programs speak: from the environment, the settings or --lang; the formats
// of dates and numbers that go with it; the English texts built into the programs.
#include "language/language.h"
#include "scopedlanguage.h"

#include <QDate>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;

Q_DECLARE_METATYPE(orvanek::Language)
Q_DECLARE_METATYPE(orvanek::LanguageChoice)

namespace {

// Restores the locale variables a test changes.
class SavedEnvironment {
  public:
    SavedEnvironment() {
        for (const char *name : kNames)
            saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    }
    ~SavedEnvironment() {
        for (const auto &[name, value, set] : saved_) {
            if (set)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
    }
    static constexpr const char *kNames[] = {"LANGUAGE", "LC_ALL",     "LC_MESSAGES",
                                             "LC_TIME",  "LC_NUMERIC", "LANG"};

  private:
    struct Saved {
        const char *name;
        QByteArray value;
        bool set;
    };
    QList<Saved> saved_;
};

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

  private slots:
    // Qt reads the language of messages from LANGUAGE (a list), else the first of LC_ALL,
    // LC_MESSAGES and LANG that is set; C and POSIX name no language.
    void languageOfTheEnvironment_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<Language>("expected");
        const Language cs = Language::Czech, en = Language::English;
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << ""
                                     << "" << cs;
        QTest::newRow("C") << ""
                           << ""
                           << ""
                           << "C" << cs;
        QTest::newRow("C.UTF-8") << ""
                                 << ""
                                 << ""
                                 << "C.UTF-8" << cs;
        QTest::newRow("POSIX") << ""
                               << ""
                               << ""
                               << "POSIX" << cs;
        QTest::newRow("Czech") << ""
                               << ""
                               << ""
                               << "cs_CZ.UTF-8" << cs;
        QTest::newRow("American") << ""
                                  << ""
                                  << ""
                                  << "en_US.UTF-8" << en;
        QTest::newRow("German: not spoken, so English") << ""
                                                        << ""
                                                        << ""
                                                        << "de_DE.UTF-8" << en;
        QTest::newRow("Serbian with a modifier") << ""
                                                 << ""
                                                 << ""
                                                 << "sr_RS@latin" << en;
        QTest::newRow("LC_MESSAGES before LANG") << ""
                                                 << ""
                                                 << "en_GB.UTF-8"
                                                 << "cs_CZ.UTF-8" << en;
        QTest::newRow("LC_ALL before LC_MESSAGES") << ""
                                                   << "cs_CZ.UTF-8"
                                                   << "en_GB.UTF-8"
                                                   << "en_US.UTF-8" << cs;
        QTest::newRow("LC_ALL=C names none") << ""
                                             << "C"
                                             << ""
                                             << "en_US.UTF-8" << cs;
        QTest::newRow("LANGUAGE before the rest") << "en:cs"
                                                  << "cs_CZ.UTF-8"
                                                  << ""
                                                  << "" << en;
        QTest::newRow("first spoken one of LANGUAGE") << "sk:cs:en"
                                                      << ""
                                                      << ""
                                                      << "sk_SK" << cs;
        QTest::newRow("LANGUAGE without a spoken one") << "de:fr"
                                                       << ""
                                                       << ""
                                                       << "cs_CZ" << en;
    }
    void languageOfTheEnvironment() {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(Language, expected);
        LocaleEnvironment e;
        e.language = language;
        e.lcAll = lcAll;
        e.lcMessages = lcMessages;
        e.lang = lang;
        QCOMPARE(environmentLanguage(e), expected);
    }

    void languageCodes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("expected"); // -1: no language
        QTest::newRow("cs") << "cs" << int(Language::Czech);
        QTest::newRow("en") << "en" << int(Language::English);
        QTest::newRow("upper case") << "EN" << int(Language::English);
        QTest::newRow("with a country") << "cs_CZ" << int(Language::Czech);
        QTest::newRow("BCP 47") << "en-GB" << int(Language::English);
        QTest::newRow("German") << "de" << -1;
        QTest::newRow("the C locale") << "c" << -1;
        QTest::newRow("a word") << "czech" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void languageCodes() {
        QFETCH(QString, code);
        QFETCH(int, expected);
        const std::optional<Language> language = languageFromCode(code);
        QCOMPARE(language ? int(*language) : -1, expected);
    }

    // The menu's choice is kept in the settings file and read back at the next start.
    void choiceIsKeptInTheSettings_data() {
        QTest::addColumn<QString>("stored"); // what the file says; empty: nothing
        QTest::addColumn<LanguageChoice>("choice");
        QTest::addColumn<Language>("underCzech");
        QTest::addColumn<Language>("underEnglish");
        const Language cs = Language::Czech, en = Language::English;
        QTest::newRow("never chosen") << "" << LanguageChoice::System << cs << en;
        QTest::newRow("Czech") << "cs" << LanguageChoice::Czech << cs << cs;
        QTest::newRow("English") << "en" << LanguageChoice::English << en << en;
        QTest::newRow("as the system") << "system" << LanguageChoice::System << cs << en;
        QTest::newRow("unknown word") << "de" << LanguageChoice::System << cs << en;
    }
    void choiceIsKeptInTheSettings() {
        QFETCH(QString, stored);
        QFETCH(LanguageChoice, choice);
        QFETCH(Language, underCzech);
        QFETCH(Language, underEnglish);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orvanek.conf"));
        if (!stored.isEmpty()) {
            QSettings file(path, QSettings::IniFormat);
            file.setValue(QStringLiteral("language"), stored);
        }
        const QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(storedLanguageChoice(settings), choice);
        QCOMPARE(chosenLanguage(storedLanguageChoice(settings), Language::Czech), underCzech);
        QCOMPARE(chosenLanguage(storedLanguageChoice(settings), Language::English), underEnglish);
        // What is stored reads back as the same choice.
        QSettings again(dir.filePath(QStringLiteral("again.conf")), QSettings::IniFormat);
        storeLanguageChoice(again, choice);
        QCOMPARE(storedLanguageChoice(again), choice);
    }

    // The windows' dates and numbers follow the language, whatever the system's locale.
    // Short dates of 9 December 2024 as the Unicode CLDR gives them: cs "dd.MM.yy",
    // en_GB "dd/MM/y", en_US "M/d/yy".
    void formatsFollowTheLanguage_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("number");
        const Language cs = Language::Czech, en = Language::English;
        QTest::newRow("Czech under C") << cs << "C"
                                       << "cs_CZ"
                                       << "09.12.24"
                                       << "1,5";
        QTest::newRow("Czech under American") << cs << "en_US"
                                              << "cs_CZ"
                                              << "09.12.24"
                                              << "1,5";
        QTest::newRow("Czech system kept") << cs << "cs_CZ"
                                           << "cs_CZ"
                                           << "09.12.24"
                                           << "1,5";
        QTest::newRow("English under C") << en << "C"
                                         << "en_GB"
                                         << "09/12/2024"
                                         << "1.5";
        QTest::newRow("English under German") << en << "de_DE"
                                              << "en_GB"
                                              << "09/12/2024"
                                              << "1.5";
        QTest::newRow("English under Czech") << en << "cs_CZ"
                                             << "en_GB"
                                             << "09/12/2024"
                                             << "1.5";
        QTest::newRow("American system kept") << en << "en_US"
                                              << "en_US"
                                              << "12/9/24"
                                              << "1.5";
    }
    void formatsFollowTheLanguage() {
        QFETCH(Language, language);
        QFETCH(QString, system);
        QFETCH(QString, name);
        QFETCH(QString, date);
        QFETCH(QString, number);
        const QLocale locale = formatLocale(language, QLocale(system));
        QCOMPARE(locale.name(), name);
        QCOMPARE(locale.toString(QDate(2024, 12, 9), QLocale::ShortFormat), date);
        QCOMPARE(locale.toString(1.5), number);
    }

    // Before the application exists, the formats Qt will take from the environment are made
    // those of the language: LC_ALL is set only where the environment's are of another
    // language or none.
    void environmentFormatsAreMadeTheLanguages_data() {
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcTime");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("expected"); // LC_ALL afterwards; empty: unset
        const Language cs = Language::Czech, en = Language::English;
        QTest::newRow("Czech under C") << ""
                                       << ""
                                       << "C" << cs << "cs_CZ.UTF-8";
        QTest::newRow("Czech with nothing set") << ""
                                                << ""
                                                << "" << cs << "cs_CZ.UTF-8";
        QTest::newRow("Czech system left alone") << ""
                                                 << ""
                                                 << "cs_CZ.UTF-8" << cs << "";
        QTest::newRow("English chosen on a Czech system") << ""
                                                          << ""
                                                          << "cs_CZ.UTF-8" << en << "en_GB.UTF-8";
        QTest::newRow("English system left alone") << ""
                                                   << ""
                                                   << "en_AU.UTF-8" << en << "";
        QTest::newRow("LC_TIME decides before LANG") << ""
                                                     << "C"
                                                     << "cs_CZ.UTF-8" << cs << "cs_CZ.UTF-8";
        QTest::newRow("LC_ALL=C is replaced") << "C"
                                              << ""
                                              << "cs_CZ.UTF-8" << cs << "cs_CZ.UTF-8";
    }
    void environmentFormatsAreMadeTheLanguages() {
        QFETCH(QString, lcAll);
        QFETCH(QString, lcTime);
        QFETCH(QString, lang);
        QFETCH(Language, language);
        QFETCH(QString, expected);
        const SavedEnvironment saved;
        for (const char *name : SavedEnvironment::kNames)
            qunsetenv(name);
        if (!lcAll.isEmpty())
            qputenv("LC_ALL", lcAll.toLatin1());
        if (!lcTime.isEmpty())
            qputenv("LC_TIME", lcTime.toLatin1());
        if (!lang.isEmpty())
            qputenv("LANG", lang.toLatin1());
        useFormatsOf(language);
        QCOMPARE(qEnvironmentVariable("LC_ALL"), expected.isEmpty() ? lcAll : expected);
    }

    // The English texts are built into the program: a text of each kind of place reads in
    // English once they are installed, and in Czech again after.
    void englishTextsAreBuiltIn_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("czech");
        QTest::addColumn<QString>("english");
        QTest::newRow("window") << "orvanek::MainWindow"
                                << "&Nový zákres"
                                << "&New drawing";
        QTest::newRow("command line") << "Cli"
                                      << "adresář %1 neexistuje"
                                      << "directory %1 does not exist";
        QTest::newRow("view") << "Graphs"
                              << "Červenec"
                              << "July";
        QTest::newRow("certificate heading") << "Certificate"
                                             << "DATUM"
                                             << "DATE";
    }
    void englishTextsAreBuiltIn() {
        QFETCH(QString, context);
        QFETCH(QString, czech);
        QFETCH(QString, english);
        const auto translated = [&] {
            return QCoreApplication::translate(context.toLatin1(), czech.toUtf8());
        };
        {
            const testing::ScopedLanguage scope(Language::English);
            QVERIFY(scope.installed());
            QCOMPARE(translated(), english);
            QCOMPARE(QLocale().language(), QLocale::English);
        }
        QCOMPARE(translated(), czech);
        const testing::ScopedLanguage czechScope(Language::Czech);
        QVERIFY(!czechScope.installed()); // Czech is the language the texts are written in
        QCOMPARE(translated(), czech);
        QCOMPARE(QLocale().language(), QLocale::Czech);
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
