#include "reports/observerspainter.h"

#include "reports/reporttext.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

// Columns across a page: the years' and ten observers'.
constexpr int kPageColumns = 11;
constexpr double kLineSpacing = 1.3; // line height over the font's em
constexpr int kNameLength = 10;      // characters of a name in the heading
constexpr int kTotalsGap = 20;       // device pixels between the last year and the totals
// The heading at 3 H, year r at (4 + r) H, the totals at 5 H + 20 below the last year.
constexpr int kHeadingLine = 3;
constexpr int kFirstYearLine = 4;
constexpr int kTotalsLine = 5;
// The printer's own font: 8 points at the page's resolution.
constexpr int kFontPoints = 8;
constexpr int kPointsPerInch = 72;

} // namespace

QString observerCellText(int count, bool emptyWhenZero, const ColumnAligner &aligner) {
    return aligner.padLeft(observerCountText(count, emptyWhenZero), kObserverCellWidth);
}

ObserverPrintLayout observerPrintLayout(int pageWidth, int pageHeight, int observers,
                                        int fontPixelHeight) {
    ObserverPrintLayout layout;
    layout.columnWidth = pageWidth / std::max(kPageColumns, observers + 1);
    layout.lineHeight =
        std::max(1, static_cast<int>(std::nearbyint(fontPixelHeight * kLineSpacing)));
    const int H = layout.lineHeight;
    layout.yearsPerPage = std::max(1, (pageHeight - kTotalsLine * H - kTotalsGap - H) / H);
    return layout;
}

bool printObserverTable(PrintJob &job, const ObserverTable &table) {
    const int observers = static_cast<int>(table.observers.size());
    if (observers == 0 || table.yearCount() == 0)
        return false;
    QPainter &painter = job.canvas();
    const int dpi = painter.device()->logicalDpiY();
    const int fontPixels = (kFontPoints * dpi + kPointsPerInch / 2) / kPointsPerInch;
    const ObserverPrintLayout layout =
        observerPrintLayout(job.pageWidth(), job.pageHeight(), observers, fontPixels);
    const int W = layout.columnWidth;
    const int H = layout.lineHeight;
    const auto columnX = [W](int c) { return c * W + W / 2; };

    const ColumnAligner aligner;
    const int years = table.yearCount();
    TopLeftWriter writer(painter);
    painter.setPen(Qt::black);
    for (int first = 0; first < years; first += layout.yearsPerPage) {
        if (first > 0 && !job.newPage())
            return false;
        writer.setFont(fontPixels);
        for (int k = 1; k <= observers; ++k)
            writer.write({columnX(k), kHeadingLine * H},
                         table.observers[static_cast<size_t>(k - 1)].left(kNameLength));
        const int last = std::min(years, first + layout.yearsPerPage);
        for (int y = first; y < last; ++y) {
            const int top = kFirstYearLine * H + (y - first + 1) * H;
            writer.write({columnX(0), top}, QString::number(table.firstYear + y));
            for (int k = 1; k <= observers; ++k)
                writer.write({columnX(k), top},
                             observerCellText(
                                 table.counts[static_cast<size_t>(k - 1)][static_cast<size_t>(y)],
                                 true, aligner));
        }
        if (last == years) {
            const int top = kTotalsLine * H + kTotalsGap + (last - first) * H;
            for (int k = 1; k <= observers; ++k)
                writer.write({columnX(k), top},
                             observerCellText(table.observerTotals[static_cast<size_t>(k - 1)],
                                              false, aligner));
        }
    }
    return true;
}

PageSetup observersPage() {
    return {}; // A4 upright, 10 mm margins
}

} // namespace orvanek
