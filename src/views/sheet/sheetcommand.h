#pragma once

#include "views/common/printview.h"

#include <QDateTime>

namespace orvanek {

class Dialogs;
class ObservationStore;

// "Zadávání › Šablona pro kresbu…": asks the date and the UT time of the sheet (the date and
// time of `nowUtc` offered), then prints the sheet of that moment at true scale in the
// drawing view's orientation, through the one print path (a PDF file without a printer). A
// date or time that does not read, or a disk too large for the paper, is said in a message
// and nothing is printed.
PrintOutcome printObservingSheet(const ObservationStore &store, Dialogs &dialogs, int orientX,
                                 int orientY, const QDateTime &nowUtc);

} // namespace orvanek
