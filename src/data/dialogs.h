#pragma once

#include <QString>

#include <optional>

class QPrinter;

namespace orvanek {

// The few questions the program asks the user. The program implements them with Qt
// message boxes; tests implement them with a script of answers. Code below the windows
// never asks anything itself: it returns an error value for the window to show.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // An information box with OK.
    virtual void information(const QString &text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool question(const QString &text) = 0;
    // A one-line prompt; the edited text, or nothing when cancelled.
    virtual std::optional<QString> prompt(const QString &caption, const QString &label,
                                          const QString &text) = 0;
    // The printer set-up dialog for this printer; true when confirmed.
    virtual bool printerSetup(QPrinter *printer) = 0;
    // Whether any printer is installed; without one, prints are offered as PDF files.
    virtual bool hasPrinter() = 0;
    // Asks where to save a file, starting from `suggestedPath`; nothing when cancelled.
    virtual std::optional<QString>
    saveFileName(const QString &caption, const QString &suggestedPath, const QString &filter) = 0;
    // Asks which existing file to read, starting in `directory`; nothing when cancelled.
    virtual std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                                const QString &filter) = 0;
};

} // namespace orvanek
