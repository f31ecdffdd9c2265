#pragma once

#include "views/common/printjob.h"

#include <QString>

namespace orvanek {

class Dialogs;

// A window's print command: what it prints and how.
struct PrintRequest {
    QString title;       // the document's title
    QString pdfFileName; // offered in the data directory when no printer exists
    PageSetup page;
    bool askSetup = true; // the printer set-up dialog first; the drawing view prints at once
    // The printer is offered the page's paper (before its set-up dialog) instead of its own:
    // for pages printed at true scale, which need that paper.
    bool usePaper = false;
    PrintPages pages;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// The one print path of every window. With a printer: the set-up dialog when asked (a
// cancelled dialog prints nothing), then the pages on the printer. Without any printer:
// the pages go into a PDF file whose name the user confirms (the data directory and the
// request's file name offered). A failure is shown to the user.
PrintOutcome printView(Dialogs &dialogs, const QString &dataDir, const PrintRequest &request);

// A print command with nothing chosen to print: the printer set-up dialog alone, as every
// print command of the results first shows it, and nothing printed. Without any printer
// there is nothing to set up; the user is told that nothing is chosen.
void printerSetupOnly(Dialogs &dialogs);

} // namespace orvanek
