#pragma once

#include "data/dialogs.h"

#include <QStringList>

#include <deque>

namespace orvanek::testing {

// Dialogs answered from a script: every text shown is recorded, questions take their
// answers in order (No when the script has run out), prompts likewise.
class ScriptedDialogs : public Dialogs {
  public:
    void information(const QString &text) override { shown << text; }
    bool question(const QString &text) override {
        shown << text;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> prompt(const QString &caption, const QString &label,
                                  const QString &text) override {
        shown << caption + QLatin1Char('|') + label + QLatin1Char('|') + text;
        if (promptAnswers.empty())
            return std::nullopt;
        const std::optional<QString> answer = promptAnswers.front();
        promptAnswers.pop_front();
        return answer;
    }
    bool printerSetup(QPrinter *) override {
        ++printerSetups;
        return printerConfirmed;
    }

    QStringList shown;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> promptAnswers;
    bool printerConfirmed = true;
    int printerSetups = 0;
};

} // namespace orvanek::testing
