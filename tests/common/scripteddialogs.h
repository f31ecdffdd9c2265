#pragma once

#include "data/dialogs.h"

#include <QStringList>

#include <deque>

namespace orvanek::testing {

// Dialogs answered from a script: every text shown is recorded, questions take their
// answers in order (No when the script has run out), prompts and file names likewise.
// There is no printer, so every print is offered as a PDF file.
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
    bool hasPrinter() override { return printerExists; }
    std::optional<QString> saveFileName(const QString &caption, const QString &suggestedPath,
                                        const QString &) override {
        shown << caption + QLatin1Char('|') + suggestedPath;
        if (fileAnswers.empty())
            return std::nullopt;
        const std::optional<QString> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    // Takes its answers from fileAnswers too, in the order the questions come.
    std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                        const QString &) override {
        shown << caption + QLatin1Char('|') + directory;
        if (fileAnswers.empty())
            return std::nullopt;
        const std::optional<QString> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    QStringList shown;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> promptAnswers;
    bool printerConfirmed = true;
    bool printerExists = false; // tests never reach a real printer
    std::deque<std::optional<QString>> fileAnswers;
    int printerSetups = 0;
};

} // namespace orvanek::testing
