#include "views/graphs/smoothedpainter.h"

#include "views/common/padleft.h"
#include "views/common/screenimage.h"
#include "views/common/viewfont.h"
#include "views/graphs/graphpainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanek {

namespace {

constexpr int kLabelFont = 8; // points
constexpr int kTitleFont = 18;
constexpr int kSmoothedPen = 2;

void writeText(QPainter &p, const GraphText &t) {
    drawTextTopLeft(p, t.pos, t.text);
}

} // namespace

void paintSmoothed(QPainter &p, const SmoothedLayout &l, const SmoothedGeometry &g) {
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setBrush(Qt::NoBrush);
    const QPen textPen(Qt::black);

    p.setFont(graphFont(kLabelFont, g.dotsPerInch));
    p.setPen(smoothedGridColour());
    p.drawLines(l.gridLines.data(), static_cast<int>(l.gridLines.size()));
    p.setPen(textPen);
    const ColumnAligner aligner;
    for (const GraphText &label : l.valueLabels)
        writeText(p, {label.pos, aligner.padLeft(label.text, kValueLabelWidth)});

    // Year lines in the grid's colour; only those in view. A year's label is left out where
    // it would touch the one before (a low window gives a year only 12 pixels), so that the
    // years stay readable.
    const int right = g.scrollRange - g.offset;
    const QFontMetricsF labelMetrics(p.font(), p.device());
    const qreal labelGap = labelMetrics.horizontalAdvance(QLatin1Char(' '));
    qreal labelsEnd = std::numeric_limits<qreal>::lowest();
    for (size_t k = 0; k < l.yearLines.size(); ++k) {
        const QLine &line = l.yearLines[k];
        if (line.x1() > std::max(right, 0) + 100)
            break;
        p.setPen(smoothedGridColour());
        p.drawLine(line);
        const GraphText &label = l.yearLabels[k];
        if (label.pos.x() < labelsEnd + labelGap)
            continue;
        p.setPen(textPen);
        writeText(p, label);
        labelsEnd = label.pos.x() + labelMetrics.horizontalAdvance(label.text);
    }

    p.setPen(QPen(Qt::black, 1));
    p.drawLine(l.baseLine);
    p.drawLine(l.axis);
    const QFont titleFont = graphFont(kTitleFont, g.dotsPerInch);
    p.setFont(titleFont);
    writeText(p, l.title);

    // The curves stay in the grid, below its top row and the title: a value beyond the
    // scale (an RB or an area of a busy year) is cut there rather than drawn over the title.
    const int titleBottom =
        l.title.pos.y() +
        static_cast<int>(std::ceil(QFontMetricsF(titleFont, p.device()).height()));
    p.setClipRect(QRect(QPoint(p.window().left(), std::max(g.rowHeight, titleBottom)),
                        QPoint(p.window().right(), p.window().bottom())),
                  Qt::IntersectClip);
    // Centuries of months lie outside the window: only what can be seen is stroked.
    const QRect area = p.window();
    p.setPen(QPen(monthlyMeanColour(), 1));
    p.drawPolyline(visiblePolyline(l.means, area.left(), area.right()));
    p.setPen(QPen(Qt::black, kSmoothedPen));
    p.drawPolyline(visiblePolyline(l.smoothed, area.left(), area.right()));
    p.restore();
}

void paintAsymmetryScale(QPainter &p, const AsymmetryScale &scale) {
    p.save();
    p.setPen(Qt::white);
    p.setBrush(Qt::white);
    p.drawRect(scale.box);
    p.setPen(Qt::black);
    p.setFont(graphFont(kLabelFont));
    for (const GraphText &label : scale.labels)
        writeText(p, label);
    p.restore();
}

QImage renderSmoothed(const SmoothedLayout &layout, const SmoothedGeometry &geometry, QSize size) {
    QImage image = screenImage(size);
    QPainter painter(&image);
    paintSmoothed(painter, layout, geometry);
    return image;
}

PageSetup smoothedPage() {
    PageSetup page;
    page.orientation = QPageLayout::Landscape;
    return page;
}

SmoothedGeometry smoothedPageGeometry(int pageWidth, int dotsPerInch,
                                      const SmoothedGeometry &screen) {
    const SmoothedGeometry unscrolled =
        smoothedPaperGeometry(pageWidth, screen.pixelsPerMonth, 0, 0);
    // The page starts at the month at the window's left edge, counted in the page's steps.
    const int months = screen.monthStep > 0 ? screen.offset / screen.monthStep : 0;
    const int offset = months * unscrolled.monthStep;
    SmoothedGeometry g =
        smoothedPaperGeometry(pageWidth, screen.pixelsPerMonth, offset, offset + pageWidth);
    g.dotsPerInch = dotsPerInch;
    return g;
}

bool printSmoothed(PrintJob &job, const MonthlySeries &series, const SmoothedGeometry &screen) {
    const SmoothedGeometry g =
        smoothedPageGeometry(job.pageWidth(), job.canvas().device()->logicalDpiY(), screen);
    paintSmoothed(job.canvas(), layoutSmoothed(series, g), g);
    return true;
}

} // namespace orvanek
