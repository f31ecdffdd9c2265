#include "views/common/printview.h"

#include "data/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>

namespace orvanek {

namespace {
// This file's texts, translated in the context "PrintView".
struct PrintViewTexts {
    Q_DECLARE_TR_FUNCTIONS(PrintView)
};
} // namespace

PrintOutcome printView(Dialogs &dialogs, const QString &dataDir, const PrintRequest &request) {
    if (dialogs.hasPrinter()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(request.title);
        if (request.usePaper)
            printer.setPageSize(QPageSize(request.page.paper));
        if (request.askSetup && !dialogs.printerSetup(&printer))
            return PrintOutcome::Cancelled;
        if (!printOn(printer, request.page, request.pages)) {
            dialogs.information(PrintViewTexts::tr("Tisk se nepodařil."));
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }
    const auto path = dialogs.saveFileName(
        PrintViewTexts::tr("Tiskárna není k dispozici – uložit tisk do souboru PDF"),
        QDir(dataDir).filePath(request.pdfFileName), PrintViewTexts::tr("Dokument PDF (*.pdf)"));
    if (!path || path->isEmpty())
        return PrintOutcome::Cancelled;
    if (!printToPdf(*path, request.title, request.page, request.pages)) {
        dialogs.information(
            PrintViewTexts::tr("Soubor %1 nelze zapsat.").arg(QDir::toNativeSeparators(*path)));
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

void printerSetupOnly(Dialogs &dialogs) {
    if (!dialogs.hasPrinter()) {
        dialogs.information(PrintViewTexts::tr("Není vybráno nic k tisku."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    dialogs.printerSetup(&printer);
}

} // namespace orvanek
