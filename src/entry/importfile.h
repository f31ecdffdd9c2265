#pragma once

#include "data/observationstore.h"

#include <QList>
#include <QString>

class QIODevice;

namespace orvanek {

// A line of the import file and what is wrong there.
struct ImportProblem {
    int line = 0; // from 1
    QString message;
};

struct ImportResult {
    bool ok = false;
    int imported = 0;              // observations stored
    QList<ImportProblem> problems; // lines at fault, in file order
    QString failure;               // a fault of the data set itself (no line)
    // When stored: the groups that the drawings of the days around place elsewhere, each with
    // the line of its G row and what the observer is told. Only a notice; they are stored.
    QList<ImportProblem> positionNotices;
    // When stored: the observers' names and stations longer than their fields, stored cut as
    // the dialog's fields cut them, each with its line and what was kept. Only a notice.
    QList<ImportProblem> cutTexts;
};

// "řádek N: " followed by the message, as the command prints it.
QString importProblemText(const ImportProblem &problem);

// Observers move drawings from spreadsheets and older notes with a text file, UTF-8,
// fields separated by ';', blank lines and lines starting with '#' skipped:
//
//   O;date;timeUT;observer;station;PP;Obr;Q;qc;fc;rc;F;special
//   G;Typ;poč;s pen.;úhel;vzd.;plocha.;mal.s.;č.sk1;č.sk2;úhel1;vzd.1;plo.1;úhel2;vzd.2;plo.2
//   F;U1;V1;U2;V2;U3;V3;U4;V4;U5;V5;U6;V6
//
// An O line starts an observation: the header fields as the observer types them into the
// entry dialog, a non-empty `special` making it a special record. Each G line that follows
// is one row of the group table and each F line one row of the faculae table; their numbers
// are the counts. Missing trailing fields are empty cells. In heliographic entry the
// 4th and 5th group cells are l and b and the auxiliary-spot cells are ignored, as the
// dialog has no such columns then.
//
// Every observation goes through the dialog's own commit, in New or Special mode, with the
// store's drawing radius and entry kind. All or nothing: when any line is at fault nothing
// is stored and every fault is reported with the line of the offending cell; otherwise
// every observation is appended, the store is put in date order once and dataModified is
// set; the groups placed elsewhere than the days around them say are noted. The store is
// not saved here.
ImportResult importObservations(ObservationStore &store, QIODevice &file);

} // namespace orvanek
