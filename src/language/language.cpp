#include "language/language.h"

#include "data/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTranslator>

#include <clocale>

namespace orvanek {

namespace {

constexpr char kLanguageKey[] = "language";

// The language part of a locale name: "cs" of "cs_CZ.UTF-8@euro" or "cs-CZ"; empty for the
// C and POSIX locales and for what is no name (":"), which name none.
QString languagePart(const QString &localeName) {
    const qsizetype end = localeName.indexOf(QRegularExpression(QStringLiteral("[_.@-]")));
    const QString part = localeName.left(end).trimmed().toLower();
    // A language is named by letters ("cs", "ckb"): a ':' alone (an empty list) names none.
    static const QRegularExpression letters(QStringLiteral("^[a-z]+$"));
    if (part == QLatin1String("c") || part == QLatin1String("posix") ||
        !letters.match(part).hasMatch())
        return {};
    return part;
}

QString firstSet(std::initializer_list<const QString *> values) {
    for (const QString *value : values)
        if (!value->isEmpty())
            return *value;
    return {};
}

} // namespace

LocaleEnvironment LocaleEnvironment::current() {
    LocaleEnvironment e;
    e.language = qEnvironmentVariable("LANGUAGE");
    e.lcAll = qEnvironmentVariable("LC_ALL");
    e.lcMessages = qEnvironmentVariable("LC_MESSAGES");
    e.lcTime = qEnvironmentVariable("LC_TIME");
    e.lcNumeric = qEnvironmentVariable("LC_NUMERIC");
    e.lang = qEnvironmentVariable("LANG");
    return e;
}

Language environmentLanguage(const LocaleEnvironment &environment) {
    QStringList names = environment.language.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (names.isEmpty())
        names << firstSet({&environment.lcAll, &environment.lcMessages, &environment.lang});
    bool otherLanguage = false;
    for (const QString &name : names) {
        if (const auto known = languageFromCode(name))
            return *known;
        otherLanguage = otherLanguage || !languagePart(name).isEmpty();
    }
    return otherLanguage ? Language::English : Language::Czech;
}

std::optional<Language> languageFromCode(const QString &code) {
    const QString part = languagePart(code);
    if (part == QLatin1String("cs"))
        return Language::Czech;
    if (part == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) {
    return language == Language::Czech ? QStringLiteral("cs") : QStringLiteral("en");
}

LanguageChoice languageChoiceFromSettings(const QByteArray &text) {
    QByteArray code;
    bool general = true; // keys before any section are those of [General]
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.mid(start, end - start).trimmed();
        start = end + 1;
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith('['))
            general = line.toLower() == "[general]";
        else if (general && equals > 0 && line.left(equals).trimmed() == kLanguageKey)
            code = line.mid(equals + 1).trimmed(); // the last one counts, as in QSettings
    }
    if (code.size() >= 2 && code.startsWith('"') && code.endsWith('"'))
        code = code.mid(1, code.size() - 2);
    if (code == "cs")
        return LanguageChoice::Czech;
    if (code == "en")
        return LanguageChoice::English;
    return LanguageChoice::System;
}

LanguageChoice readLanguageChoice(const QString &path, QString *problem) {
    if (!QFileInfo::exists(path))
        return LanguageChoice::System;
    QFile file;
    if (const auto refused = openForReading(file, path, kLargestShortFileBytes)) {
        if (problem)
            *problem = *refused;
        return LanguageChoice::System;
    }
    return languageChoiceFromSettings(file.readAll());
}

std::optional<QString> storeLanguageChoice(const QString &path, LanguageChoice choice) {
    QString problem;
    readLanguageChoice(path, &problem);
    if (!problem.isEmpty())
        return problem;
    const QString code =
        choice == LanguageChoice::System
            ? QStringLiteral("system")
            : languageCode(choice == LanguageChoice::Czech ? Language::Czech : Language::English);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeNamedFile(path,
                          "[General]\n" + QByteArray(kLanguageKey) + '=' + code.toLatin1() + '\n');
}

Language chosenLanguage(LanguageChoice choice, Language systemLanguage) {
    switch (choice) {
    case LanguageChoice::Czech:
        return Language::Czech;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::System:
        break;
    }
    return systemLanguage;
}

QLocale formatLocale(Language language, const QLocale &systemLocale) {
    if (language == Language::Czech)
        return systemLocale.language() == QLocale::Czech
                   ? systemLocale
                   : QLocale(QLocale::Czech, QLocale::Czechia);
    return systemLocale.language() == QLocale::English
               ? systemLocale
               : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QString environmentFormatLocaleName(const LocaleEnvironment &environment) {
    const QString name = firstSet(
        {&environment.lcAll, &environment.lcTime, &environment.lcNumeric, &environment.lang});
    return name.isEmpty() ? QStringLiteral("C") : name;
}

void useFormatsOf(Language language) {
    const QString current = environmentFormatLocaleName(LocaleEnvironment::current());
    if (languageFromCode(current) == language)
        return;
    const QLocale wanted = formatLocale(language, QLocale(current));
    qputenv("LC_ALL", (wanted.name() + QStringLiteral(".UTF-8")).toLatin1());
}

void restoreNumericCLocale() {
    // Qt has set the C library's locale from the environment; numbers written with printf or
    // std::to_string keep their '.', whatever the windows show.
    std::setlocale(LC_NUMERIC, "C");
}

QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Orvanek/orvanek.conf");
}

Language startLanguage(Language *systemLanguage, bool *settingsRefused) {
    const Language system = environmentLanguage(LocaleEnvironment::current());
    if (systemLanguage)
        *systemLanguage = system;
    QString problem;
    const Language language = chosenLanguage(readLanguageChoice(settingsFile(), &problem), system);
    if (settingsRefused)
        *settingsRefused = !problem.isEmpty();
    useFormatsOf(language);
    return language;
}

QString translationResource(Language language) {
    // Czech too: the sources are Czech, but a text with a number takes its plural form here.
    return QStringLiteral(":/i18n/orvanek_%1.qm").arg(languageCode(language));
}

QTranslator *installProgramTranslation(QCoreApplication &app, Language language) {
    QLocale::setDefault(formatLocale(language, QLocale::system()));
    const QString resource = translationResource(language);
    if (resource.isEmpty())
        return nullptr;
    auto *translator = new QTranslator(&app);
    if (!translator->load(resource) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace orvanek
