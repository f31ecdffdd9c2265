#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace orvanek {

class ObservationStore;

// Which values the table shows: the whole disk (north + south), or one hemisphere.
enum class StatRegion { Total = 1, North = 2, South = 3 };

// The value columns after the month label, in the grid's order. The first three exist for
// every region and are the ones smoothed; the rest are whole-disk values only.
enum StatisticsColumn {
    StatG,             // groups
    StatF,             // spots
    StatR,             // relative number
    StatCentralGroups, // "gc"
    StatCentralSpots,  // "fc"
    StatCentralR,      // "rc"
    StatFaculae,       // "F"
    StatConditions,    // "p", observing conditions
    StatImageQuality,  // "o", image quality
    StatSeeing,        // "Q"
    StatisticsColumnCount
};
inline constexpr int kRegionQuantities = 3; // g, f, R

// Short name of a value column ("g", "gc", "Q"); the grid's heading is three spaces and it.
QString statisticsColumnName(int column);
QString statisticsHeading(int column);

// One month of the table; a value that is not shown is empty.
struct StatisticsRow {
    int year = 0;
    int month = 0; // 1..12
    std::array<std::optional<double>, StatisticsColumnCount> values;
};

// The monthly statistics as the grid shows them: one row for every calendar month from the
// first to the last month with a readable record, months without records included.
struct StatisticsTable {
    bool smoothed = false;
    StatRegion region = StatRegion::Total;
    std::vector<StatisticsRow> rows;
    // Smoothed table only: for each month the mean g, f, R of the region in tenths,
    // truncated, with missing months filled in: the values that are smoothed.
    std::vector<std::array<int, kRegionQuantities>> monthlyTenths;

    // Index of the last month (the first is 0); -1 for a store without a readable date.
    int lastMonthIndex() const { return static_cast<int>(rows.size()) - 1; }
    // Value columns the table has: 10 measured, 3 smoothed.
    int valueColumns() const { return smoothed ? kRegionQuantities : StatisticsColumnCount; }
    // Columns of the grid, the label included: 11 measured, 4 smoothed. Only g, f and R are
    // smoothed: the smoothed grid has no columns that could never hold a value.
    int gridColumns() const { return valueColumns() + 1; }
};

// Monthly means of the daily values. A month is a calendar month: records of the same month
// in different years never share a row. The placeholder of a new data set is no observation
// and makes no month. Hemisphere tables leave the whole-disk columns empty.
StatisticsTable measuredStatistics(const ObservationStore &store, StatRegion region);

// The 13-month running means of the monthly g, f and R (weights 1/24 at both ends, 1/12
// between). A month without records, or whose mean g is below 0.1, is filled in by a straight
// line between the months around it; a run of such months at the end stays 0. Values are
// given for the months from the seventh to the eighth last, when the table spans at least
// 14 months; the other cells are empty.
StatisticsTable smoothedStatistics(const ObservationStore &store, StatRegion region);

// " 03.1999": the grid's month label.
QString statisticsMonthLabel(int year, int month);

// The text of grid cell (column, row) with row 1 the first month and column 1 the first
// value, before it is aligned in the grid: measured values with one decimal right-aligned in
// 5 characters, smoothed values with one decimal; empty cells empty; row 0 the headings.
QString statisticsGridText(const StatisticsTable &table, int column, int row);
// The longest text of a column's cells below its heading (the month column's, or the text of
// the column's largest or smallest value), for sizing the column without making every text.
QString statisticsWidestText(const StatisticsTable &table, int column);

// The table for scripts: a header line "month;g;f;r;gc;fc;rc;F;p;o;Q" ("month;g;f;r" smoothed),
// then one line per month: "03.1999" and each value with one decimal, empty cells empty.
std::vector<QStringList> statisticsCsvRows(const StatisticsTable &table);

// --- Pages -----------------------------------------------------------------------------

// A printer page in device pixels.
struct PageSize {
    int width = 0;
    int height = 0;
};
// When no printer is known: A4 at 600 dpi (210 x 297 mm).
inline constexpr PageSize kFallbackPage{4961, 7016};

// The scale a statistics page is printed at: page width div 704, at least 1.
int statisticsPrintScale(PageSize page);
// Month rows on one printed page: (page height - 400) div (15 x scale), at least 1.
int statisticsLinesPerPage(PageSize page);
// Pages the table fills, with one decimal: the grid's rows over the rows of a page.
double statisticsPageEstimate(const StatisticsTable &table, PageSize page);
// "Počet hodnot je = 52   ( 1.3  str.)": the print panel's label.
QString statisticsCountLabel(const StatisticsTable &table, PageSize page);

// The print panel's choices: "Všechny hodnoty", "Vše od kurzoru", "1 strana od kurzoru".
enum class StatisticsPrintRange { AllValues, FromCursor, OnePageFromCursor };

// One printed page: its number from 1 and the grid rows it holds (month rows, 1-based).
struct PrintedPage {
    int number = 0;
    int firstRow = 0;
    int lastRow = 0;
    friend bool operator==(const PrintedPage &, const PrintedPage &) = default;
};

// The pages of a printout of rows 1..lastRow: from row 1, or from the grid's cursor row
// (kept within the month rows), linesPerPage rows a page; one page only for
// OnePageFromCursor.
std::vector<PrintedPage> statisticsPrintPages(int lastRow, int linesPerPage,
                                              StatisticsPrintRange range, int cursorRow);

} // namespace orvanek
