#include "views/sheet/sheetcommand.h"

#include "data/dates.h"
#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/sheet/sheetpainter.h"

#include <QCoreApplication>

namespace orvanek {

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("orvanek::SheetCommand", text);
}
} // namespace

PrintOutcome printObservingSheet(const ObservationStore &store, Dialogs &dialogs, int orientX,
                                 int orientY, const QDateTime &nowUtc) {
    const QString caption = tr("Šablona pro kresbu");
    const auto dateText =
        dialogs.prompt(caption, tr("Datum (DD.MM.RRRR)"), shortDate(toCalendarDate(nowUtc.date())));
    if (!dateText)
        return PrintOutcome::Cancelled;
    const auto date = parseDate(*dateText, store.pivotYear());
    if (!date) {
        dialogs.information(tr("„%1“ není platné datum.").arg(inputExcerpt(*dateText)));
        return PrintOutcome::Failed;
    }
    const QTime now = nowUtc.time();
    const auto timeText = dialogs.prompt(caption, tr("Čas UT (bez dvojtečky, 7:05 = 705)"),
                                         QString::number(now.hour() * 100 + now.minute()));
    if (!timeText)
        return PrintOutcome::Cancelled;
    const auto time = parseSheetTime(*timeText);
    if (!time) {
        dialogs.information(tr("„%1“ není čas HHMM (0 až 2359).").arg(inputExcerpt(*timeText)));
        return PrintOutcome::Failed;
    }

    SheetState state;
    state.date = *date;
    state.timeUT = *time;
    state.orientX = orientX;
    state.orientY = orientY;
    const SheetModel model = buildSheetModel(sheetSettings(store, state));
    if (!model.printable()) {
        dialogs.information(model.refusal);
        return PrintOutcome::Failed;
    }
    bool pageTooSmall = false;
    PrintRequest request;
    request.title = sheetTitle(model);
    request.pdfFileName = sheetFileName(model);
    request.page = sheetPage(model);
    request.usePaper = true; // an A3 sheet asks the printer for A3 first
    request.pages = [&](PrintJob &job) {
        pageTooSmall = !printSheet(job, model);
        return !pageTooSmall;
    };
    const PrintOutcome outcome = printView(dialogs, store.dataDirectory(), request);
    if (outcome == PrintOutcome::Failed && pageTooSmall)
        dialogs.information(tr("Kotouč o průměru %1 mm se na zvolený papír nevejde; zvolte %2.")
                                .arg(2 * model.radiusMm)
                                .arg(paperName(*model.paper)));
    return outcome;
}

} // namespace orvanek
