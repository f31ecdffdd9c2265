#pragma once

#include "data/dialogs.h"

class QWidget;

namespace orvanek {

// The program's dialogs: Qt message boxes, input, print and file dialogs.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void information(const QString &text) override;
    bool question(const QString &text) override;
    std::optional<QString> prompt(const QString &caption, const QString &label,
                                  const QString &text) override;
    bool printerSetup(QPrinter *printer) override;
    bool hasPrinter() override;
    std::optional<QString> saveFileName(const QString &caption, const QString &suggestedPath,
                                        const QString &filter) override;
    std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override;

  private:
    QWidget *parent_;
};

} // namespace orvanek
