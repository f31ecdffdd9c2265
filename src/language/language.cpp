#include "language/language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

#include <clocale>

namespace orvanek {

namespace {

constexpr char kLanguageKey[] = "language";

// The language part of a locale name: "cs" of "cs_CZ.UTF-8@euro" or "cs-CZ"; empty for the
// C and POSIX locales, which name none.
QString languagePart(const QString &localeName) {
    const qsizetype end = localeName.indexOf(QRegularExpression(QStringLiteral("[_.@-]")));
    const QString part = localeName.left(end).trimmed().toLower();
    if (part == QLatin1String("c") || part == QLatin1String("posix"))
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

LanguageChoice storedLanguageChoice(const QSettings &settings) {
    const QString code = settings.value(QLatin1String(kLanguageKey)).toString();
    if (code == QLatin1String("cs"))
        return LanguageChoice::Czech;
    if (code == QLatin1String("en"))
        return LanguageChoice::English;
    return LanguageChoice::System;
}

void storeLanguageChoice(QSettings &settings, LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::System:
        settings.setValue(QLatin1String(kLanguageKey), QStringLiteral("system"));
        break;
    case LanguageChoice::Czech:
        settings.setValue(QLatin1String(kLanguageKey), languageCode(Language::Czech));
        break;
    case LanguageChoice::English:
        settings.setValue(QLatin1String(kLanguageKey), languageCode(Language::English));
        break;
    }
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

Language startLanguage(Language *systemLanguage) {
    const Language system = environmentLanguage(LocaleEnvironment::current());
    if (systemLanguage)
        *systemLanguage = system;
    const Language language = chosenLanguage(
        storedLanguageChoice(QSettings(settingsFile(), QSettings::IniFormat)), system);
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
