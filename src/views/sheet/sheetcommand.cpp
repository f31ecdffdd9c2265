#include "views/sheet/sheetcommand.h"

#include "data/dates.h"
#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/sheet/sheetpainter.h"

#include <QCoreApplication>

namespace orvanek {

namespace {
// This file's texts, translated in the context "SheetCommand".
struct SheetCommandTexts {
    Q_DECLARE_TR_FUNCTIONS(SheetCommand)
};
} // namespace

PrintOutcome printObservingSheet(const ObservationStore &store, Dialogs &dialogs, int orientX,
                                 int orientY, const QDateTime &nowUtc) {
    const QString caption = SheetCommandTexts::tr("Šablona pro kresbu");
    const auto dateText = dialogs.prompt(caption, SheetCommandTexts::tr("Datum (DD.MM.RRRR)"),
                                         shortDate(toCalendarDate(nowUtc.date())));
    if (!dateText)
        return PrintOutcome::Cancelled;
    const auto date = parseDate(*dateText, store.pivotYear());
    if (!date) {
        dialogs.information(
            SheetCommandTexts::tr("„%1“ není platné datum.").arg(inputExcerpt(*dateText)));
        return PrintOutcome::Failed;
    }
    const QTime now = nowUtc.time();
    const auto timeText =
        dialogs.prompt(caption, SheetCommandTexts::tr("Čas UT (bez dvojtečky, 7:05 = 705)"),
                       QString::number(now.hour() * 100 + now.minute()));
    if (!timeText)
        return PrintOutcome::Cancelled;
    const auto time = parseSheetTime(*timeText);
    if (!time) {
        dialogs.information(
            SheetCommandTexts::tr("„%1“ není čas HHMM (0 až 2359).").arg(inputExcerpt(*timeText)));
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
        dialogs.information(
            SheetCommandTexts::tr("Kotouč o průměru %1 mm se na zvolený papír nevejde; zvolte %2.")
                .arg(2 * model.radiusMm)
                .arg(paperName(*model.paper)));
    return outcome;
}

} // namespace orvanek
