#include "reports/statisticspainter.h"

#include "reports/reporttext.h"

#include <QCoreApplication>
#include <QPainter>

namespace orvanek {

namespace {

// The printed page in table units (device pixels over the scale).
constexpr int kFontHeight = 13;
constexpr QPoint kPageNumberAt{300, 30};
constexpr int kHeadingY = 65;
constexpr int kHeadingX0 = 45;  // heading of column c at kHeadingX0 + kColumnStep * c
constexpr int kLabelX = 10;     // the month label
constexpr int kValueX0 = 30;    // value of column c at kValueX0 + kColumnStep * c
constexpr int kColumnStep = 40; // a value column
constexpr int kFirstRowY0 = 70; // row i of the page at kFirstRowY0 + kRowStep * i
constexpr int kRowStep = 15;    // a printed row

} // namespace

QString statisticsCellText(const StatisticsTable &table, int column, int row,
                           const ColumnAligner &aligner) {
    const QString text = statisticsGridText(table, column, row);
    if (row == 0 || column == 0 || text.isEmpty())
        return text;
    return aligner.padLeft(text, kStatisticsCellWidth);
}

int statisticsPrintedColumns(const StatisticsTable &table) {
    return table.valueColumns();
}

void paintStatisticsPage(QPainter &painter, const StatisticsTable &table, const PrintedPage &page,
                         int scale) {
    const ColumnAligner aligner;
    const auto at = [scale](int x, int y) { return QPoint(x * scale, y * scale); };
    painter.save();
    painter.setPen(Qt::black);
    TopLeftWriter writer(painter);
    writer.setFont(kFontHeight * scale);
    writer.write(at(kPageNumberAt.x(), kPageNumberAt.y()),
                 QCoreApplication::translate("Statistics", "Stránka ") +
                     QString::number(page.number));
    const int columns = statisticsPrintedColumns(table);
    for (int c = 1; c <= columns; ++c)
        writer.write(at(kHeadingX0 + kColumnStep * c, kHeadingY),
                     statisticsCellText(table, c, 0, aligner));
    for (int row = page.firstRow; row <= page.lastRow; ++row) {
        const int y = kFirstRowY0 + kRowStep * (row - page.firstRow + 1);
        writer.write(at(kLabelX, y), statisticsCellText(table, 0, row, aligner));
        for (int c = 1; c <= columns; ++c)
            writer.write(at(kValueX0 + kColumnStep * c, y),
                         statisticsCellText(table, c, row, aligner));
    }
    painter.restore();
}

std::vector<PrintedPage> statisticsJobPages(const PrintJob &job, const StatisticsTable &table,
                                            StatisticsPrintRange range, int cursorRow) {
    const PageSize size{job.pageWidth(), job.pageHeight()};
    return statisticsPrintPages(static_cast<int>(table.rows.size()), statisticsLinesPerPage(size),
                                range, cursorRow);
}

bool printStatistics(PrintJob &job, const StatisticsTable &table, StatisticsPrintRange range,
                     int cursorRow) {
    const std::vector<PrintedPage> pages = statisticsJobPages(job, table, range, cursorRow);
    const int scale = statisticsPrintScale({job.pageWidth(), job.pageHeight()});
    for (const PrintedPage &page : pages) {
        if (page.number > 1 && !job.newPage())
            return false;
        paintStatisticsPage(job.canvas(), table, page, scale);
    }
    return !pages.empty();
}

PageSetup statisticsPage() {
    return {}; // A4 upright, 10 mm margins
}

} // namespace orvanek
