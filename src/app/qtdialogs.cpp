#include "app/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace orvanek {

void QtDialogs::information(const QString &text) {
    QMessageBox::information(parent_, QApplication::applicationDisplayName(), text);
}

bool QtDialogs::question(const QString &text) {
    return QMessageBox::question(parent_, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::prompt(const QString &caption, const QString &label,
                                         const QString &text) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, caption, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool QtDialogs::printerSetup(QPrinter *printer) {
    // The print dialog offers the printers and printing to a PDF file.
    QPrintDialog dialog(printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::hasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::optional<QString> QtDialogs::saveFileName(const QString &caption, const QString &suggestedPath,
                                               const QString &filter) {
    const QString path = QFileDialog::getSaveFileName(parent_, caption, suggestedPath, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::openFileName(const QString &caption, const QString &directory,
                                               const QString &filter) {
    const QString path = QFileDialog::getOpenFileName(parent_, caption, directory, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace orvanek
