#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace orvanek {

class ObservationStore;

// Drawings per known observer and calendar year, with the totals.
struct ObserverTable {
    // Years from the first to the last record's year; lastYear < firstYear when no record
    // has a readable date.
    int firstYear = 0;
    int lastYear = -1;
    // The known observers in the order they were collected: the names before the first
    // empty name slot, however many there are.
    std::vector<QString> observers;
    std::vector<std::vector<int>> counts; // [observer][year - firstYear]
    std::vector<int> observerTotals;      // per observer, over all years
    std::vector<int> yearTotals;          // per year, over the listed observers
    // Every drawing of the store, also those of no listed observer (an empty name, say) and
    // those whose date does not read: it can exceed the sum of the year totals. The
    // placeholder of a new data set is no drawing.
    int grandTotal = 0;

    int yearCount() const { return lastYear >= firstYear ? lastYear - firstYear + 1 : 0; }
};

// Counts every record under the first listed observer whose name equals its observer
// exactly (case counts) and the year of its date.
ObserverTable buildObserverTable(const ObservationStore &store);

// A count as the grid shows it: right-aligned in 5 characters; a year cell of 0 is empty.
QString observerCountText(int count, bool emptyWhenZero);

// The table for scripts: "observer;<year>;...;Suma", one line per observer with the year
// counts (empty for none) and the total, and last "Suma" with the year totals and the
// grand total.
std::vector<QStringList> observerTableCsvRows(const ObserverTable &table);

// The heading of the totals column and row in the table for scripts (the window's grid shows
// it in the program's language).
inline QString observerTotalsHeading() {
    return QStringLiteral("Suma");
}

} // namespace orvanek
