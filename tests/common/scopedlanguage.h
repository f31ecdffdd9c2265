#pragma once

#include "language/language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace orvanek::testing {

// The program's texts in `language` while the object lives, as the programs install them at
// their start; afterwards the texts are Czech again and the default locale what it was.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(Language language)
        : locale_(QLocale()),
          translator_(installProgramTranslation(*QCoreApplication::instance(), language)) {}
    ~ScopedLanguage() {
        if (translator_) {
            QCoreApplication::removeTranslator(translator_);
            delete translator_;
        }
        QLocale::setDefault(locale_);
    }
    ScopedLanguage(const ScopedLanguage &) = delete;
    ScopedLanguage &operator=(const ScopedLanguage &) = delete;

    // Whether the language's texts were found among the program's resources (Czech's hold
    // its plural forms).
    bool installed() const { return translator_ != nullptr; }

  private:
    QLocale locale_;
    QTranslator *translator_;
};

} // namespace orvanek::testing
