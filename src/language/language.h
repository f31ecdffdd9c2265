#pragma once

#include <QLocale>
#include <QString>

#include <optional>

class QCoreApplication;
class QTranslator;

namespace orvanek {

// The languages the program speaks. Czech is the language its texts are written in and the
// one it speaks when nothing says otherwise.
enum class Language { Czech, English };

// What the user chose in "Nastavení › Jazyk": a language, or whatever the system says.
enum class LanguageChoice { System, Czech, English };

// The locale variables as the environment holds them, read as Qt reads them for the language
// of messages: LANGUAGE (a list separated by ':') before LC_ALL, LC_MESSAGES and LANG; and
// LC_ALL before LC_TIME, LC_NUMERIC and LANG for the formats of dates and numbers.
struct LocaleEnvironment {
    QString language;
    QString lcAll;
    QString lcMessages;
    QString lcTime;
    QString lcNumeric;
    QString lang;

    static LocaleEnvironment current();
};

// The language the environment names: the first of its names that is Czech or English wins;
// a language the program does not speak gives English, and no language at all (nothing set,
// "C", "POSIX") gives Czech, the program's own.
Language environmentLanguage(const LocaleEnvironment &environment);

// "cs" or "en" (also "cs_CZ", "en-GB"...) as a language; nothing for any other word.
std::optional<Language> languageFromCode(const QString &code);
QString languageCode(Language language);

// The choice kept in the text of the settings file, an INI file: the key "language" of its
// [General] section ("cs", "en" or "system"); System when none was made or the stored one is
// not known.
LanguageChoice languageChoiceFromSettings(const QByteArray &text);

// The choice kept in the settings file `path`, which is read as the program's other short files
// are: only a regular file of at most kLargestShortFileBytes. A pipe, a device, a folder or a
// larger file is left alone, never waited on: System, and `problem` (when given) says why,
// naming the file. A missing file is no problem.
LanguageChoice readLanguageChoice(const QString &path, QString *problem = nullptr);

// Keeps `choice` in the settings file `path`, replacing it in one step (its folder made when
// missing). A file readLanguageChoice leaves alone is left alone here too. The message of the
// failure, nothing on success.
std::optional<QString> storeLanguageChoice(const QString &path, LanguageChoice choice);

Language chosenLanguage(LanguageChoice choice, Language systemLanguage);

// The file the windows keep their settings in (the language chosen): in the user's
// configuration folder, ~/.config/Orvanek/orvanek.conf on Linux. Read by the program itself
// (readLanguageChoice), before the application object exists: Qt's native settings would read
// the system locale before the program has set it, and QSettings waits on a pipe for ever.
QString settingsFile();

// The locale whose date and number formats the windows use for `language`: the system's when
// it is of that language (an English user keeps British or American dates), else Czech
// (Czechia) for Czech and British English for English, whose day-month order Czech and
// European observers share.
QLocale formatLocale(Language language, const QLocale &systemLocale);

// The name of the locale Qt takes its system formats from under `environment`, as a locale
// name ("cs_CZ.UTF-8", "C"); "C" when nothing is set.
QString environmentFormatLocaleName(const LocaleEnvironment &environment);

// Before the application object exists: makes the system locale Qt reads (the one its file
// dialog shows dates with) that of `language` when the environment's is of another language
// or none (a C locale), by setting LC_ALL for this process. The C library keeps '.' as the
// decimal point either way (restoreNumericCLocale after the application object is made).
void useFormatsOf(Language language);
void restoreNumericCLocale();

// At the start of the program with windows, before its application object: the language
// chosen in the settings, else the environment's (into `systemLanguage`, when given), with
// the formats of that language put into the environment for Qt to read (useFormatsOf).
// `settingsRefused` (when given) tells that the settings file was left alone
// (readLanguageChoice says why, once the program's texts are installed).
Language startLanguage(Language *systemLanguage = nullptr, bool *settingsRefused = nullptr);

// Installs the program's own texts in `language` (nothing to install for Czech, the language
// the texts are written in) and makes the language's locale the default one. Returns the
// translator, owned by `app`, or nothing.
QTranslator *installProgramTranslation(QCoreApplication &app, Language language);

// The file of the program's texts in `language` among its resources (":/i18n/orvanek_en.qm");
// Czech has one for its plural forms alone.
QString translationResource(Language language);

} // namespace orvanek
