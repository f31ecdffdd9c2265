#pragma once

#include "reports/observerstable.h"
#include "views/common/padleft.h"
#include "views/common/printjob.h"

class QPainter;

namespace orvanek {

// Width of a count column the grid's texts are aligned in, pixels of the screen font.
inline constexpr int kObserverCellWidth = 35;

// The text of a count as the grid holds it and the printout prints it: right-aligned in
// 5 characters (a year cell of 0 empty), then aligned to the column by leading spaces.
QString observerCellText(int count, bool emptyWhenZero, const ColumnAligner &aligner);

// How the printout is laid out on a page of the given size, device pixels.
struct ObserverPrintLayout {
    int columnWidth = 0;  // W: the years' column and one per observer
    int lineHeight = 0;   // H: the font's height x 1.3
    int yearsPerPage = 0; // year lines that fit under the heading, the totals line below
};

// W is page width div 11, narrower when more than ten observers share the page, so that
// every observer has a column on it; H is 1.3 times the em of `fontPixelHeight`.
ObserverPrintLayout observerPrintLayout(int pageWidth, int pageHeight, int observers,
                                        int fontPixelHeight);

// Prints the table with the years as lines and the observers as columns: the names'
// first ten characters, one line per year, and the observers' totals below. Years that
// do not fit on a page continue on the next, under the names again. False when no
// observer is known.
bool printObserverTable(PrintJob &job, const ObserverTable &table);

// A4 upright.
PageSetup observersPage();

} // namespace orvanek
