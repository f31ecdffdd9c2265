#pragma once

#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "entry/entryform.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

// Table cells are read by their leading numeric part: blanks skipped, an optional sign,
// then digits; whatever follows the first character that does not belong to the number
// is ignored, and an empty cell is 0 ("12abc" is 12, "12.5" as an integer is 12).
int64_t cellInteger(QStringView text);
// The same with a decimal part. Observers type a decimal comma as often as a point, so
// either is the decimal separator: "12,5" and "12.5" are both 12.5.
double cellDecimal(QStringView text);
// Header fields are whole numbers and nothing else: blanks around them are allowed, an
// empty text or any other character is not. Nothing when the text is not an integer.
std::optional<int> strictInteger(QStringView text);

// The record a new drawing starts from (the dialog's `clearRecord`), made from the store's
// working record: no observer, date or special mark, every count and header number 0,
// every slot cleared with its type "***", the station of record 1 when the store holds
// more than one record. Rotation, central longitude, the reserved word, the drawing setup
// and the summary stay as they were.
ObservationRecord clearedRecord(const ObservationStore &store);

// What the dialog shows for a record (`fillFromRecord`): every header number as a decimal
// integer, positions as angle and distance in mm on this drawing ("0.0"), or as
// heliographic l and b for the record's date and time in heliographic entry, "s" or "j"
// for a group placed only by hemisphere, areas in mm² on this drawing, packed positions
// unpacked. One row per group and per faculae field.
EntryForm entryFormFromRecord(const ObservationRecord &record, EntryMode mode, double drawingRadius,
                              bool heliographicEntry, int pivotYear);

// A form that passed every check, converted into the record it will be stored as
// (summary included) and the observer's name as the record holds it.
struct PreparedEntry {
    ObservationRecord record{};
    QString observer;
    bool dateChanged = false; // the date differs from the record's old date
};

// Reads, checks and converts a form; changes nothing. Returns the messages for the
// observer, in the order they are shown, each with the field or cell to select; empty
// when the form is sound and `entry` holds the record.
//
// The order: the two counts; then the group cells and the faculae cells (angle over 360,
// distances over R, "č.sk2" outside 0..70), whose messages come out as group distance,
// faculae distance, angle, rotation number; then the date; then the header numbers from
// "Čas UT" to "F". A form is checked to the end before anything is stored, so a faulty
// field never leaves a half-written record behind.
QList<EntryMessage> prepareEntry(const ObservationStore &store, const EntryForm &form,
                                 PreparedEntry &entry);

// A group's class that is none of the class table's 60 adds 0 to the class sum (CV) of its
// day. Such a class is stored as typed (files hold them from before), but the observer is
// told: the text for a class, and the rows of a form that hold one (an empty cell and "***"
// are no class), each the text with its Typ cell.
bool listedClass(const QString &type);
QString unlistedClassText(const QString &type);
QList<EntryMessage> unlistedClassNotices(const EntryForm &form);

struct CommitResult {
    bool ok = false;
    QList<EntryMessage> messages; // when not ok: nothing has changed
    bool dateChanged = false;     // the date list must show a new or moved date
    QString warning; // stored, but the store could not be put in date order (an unreadable date)
    ObservationRecord record{}; // when ok: the record as it was stored
};

// The dialog's confirm button (`ukoncitClick`): checks the form and, when it is sound,
// appends the record (New, Special) or overwrites the current one (Correction), learns
// the observer's name, sets dataModified, puts the store in date order and makes the
// first record of the committed date current. Announces the change with the store's
// signals.
CommitResult commitEntry(ObservationStore &store, const EntryForm &form);

// Many new observations at once, for the import and the demo data set: each form goes
// through the same checks as the dialog's confirm button, and the records are stored all
// together or not at all, put in date order once at the end.
class EntryBatch {
  public:
    explicit EntryBatch(ObservationStore &store) : store_(store) {}

    // Checks one New or Special form and keeps its record; the messages when it fails.
    QList<EntryMessage> add(const EntryForm &form);

    int size() const { return static_cast<int>(records_.size()); }
    // The records kept so far, in the order their forms came.
    const std::vector<ObservationRecord> &records() const { return records_; }
    bool failed() const { return failed_; }

    // Appends every kept record, learns the observers' names, sets dataModified, puts the
    // store in date order and makes the last record current. Refuses, storing nothing,
    // when any form failed or a record already in the store has an unreadable date.
    StoreStatus commit();

  private:
    ObservationStore &store_;
    std::vector<ObservationRecord> records_;
    QStringList observers_;
    bool failed_ = false;
};

} // namespace orvanek
