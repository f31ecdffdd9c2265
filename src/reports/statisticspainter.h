#pragma once

#include "reports/statisticsmodel.h"
#include "views/common/padleft.h"
#include "views/common/printjob.h"

class QPainter;

namespace orvanek {

// Width of a value column the cell texts are aligned in, pixels of the screen font.
inline constexpr int kStatisticsCellWidth = 40;

// The text of grid cell (column, row) as the grid holds it and the printout prints it:
// the heading, the month label, or the value aligned to the column by leading spaces.
QString statisticsCellText(const StatisticsTable &table, int column, int row,
                           const ColumnAligner &aligner);

// Value columns printed: 1..10 of the measured table, g, f and R of the smoothed one.
int statisticsPrintedColumns(const StatisticsTable &table);

// Paints one printed page at `scale` device pixels per table unit: "Stránka N", the
// headings, and the page's month rows.
void paintStatisticsPage(QPainter &painter, const StatisticsTable &table, const PrintedPage &page,
                         int scale);

// The pages of a printout on the job's page size.
std::vector<PrintedPage> statisticsJobPages(const PrintJob &job, const StatisticsTable &table,
                                            StatisticsPrintRange range, int cursorRow);

// Prints the table from the first month row (AllValues) or from the grid's cursor row,
// as many rows a page as page height allows; one page only for OnePageFromCursor. False
// when there is no month to print.
bool printStatistics(PrintJob &job, const StatisticsTable &table, StatisticsPrintRange range,
                     int cursorRow);

// A4 upright.
PageSetup statisticsPage();

} // namespace orvanek
