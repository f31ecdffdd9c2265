#include "views/silso/silsopainter.h"

#include "views/common/screenimage.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace orvanek {

namespace {

constexpr int kFontPixels = 12;
constexpr double kPointRadiusPx = 3;
constexpr double kCurvePenPx = 1.5;
// The printed chart is laid out this many view pixels wide, then scaled to the page.
constexpr double kPrintWidthPx = 1100;

QPen pen(const QColor &colour, double width = 1, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, width, style);
    p.setCosmetic(false); // scales with the chart on paper
    return p;
}

// A curve as its segments: a long zigzag stroked as one polyline makes one outline crossing
// itself hundreds of times, which the rasteriser fills many times slower.
void drawCurve(QPainter &painter, const QPolygonF &run) {
    if (run.size() == 1) {
        painter.drawPoint(run.first());
        return;
    }
    QList<QLineF> segments;
    segments.reserve(run.size() - 1);
    for (qsizetype i = 1; i < run.size(); ++i)
        segments.append(QLineF(run[i - 1], run[i]));
    painter.drawLines(segments);
}

void paintLabels(QPainter &painter, const std::vector<ChartLabel> &labels) {
    for (const ChartLabel &l : labels) {
        const QFont font = silsoChartFont(l.bold);
        painter.setFont(font);
        painter.setPen(pen(l.colour));
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(l.text);
        double x = l.at.x();
        if (l.align == ChartLabel::Centre)
            x -= width / 2;
        else if (l.align == ChartLabel::Right)
            x -= width;
        painter.drawText(QPointF(x, l.at.y() + metrics.capHeight() / 2), l.text);
    }
}

} // namespace

QFont silsoChartFont(bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    font.setBold(bold);
    return font;
}

void paintSilsoChart(QPainter &painter, const SilsoChart &chart) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    if (!chart.message.isEmpty()) {
        painter.setFont(silsoChartFont());
        painter.setPen(pen(Qt::black));
        painter.drawText(QRectF(QPointF(0, 0), chart.size), Qt::AlignCenter | Qt::TextWordWrap,
                         chart.message);
        painter.restore();
        return;
    }
    painter.setPen(pen(QColor(220, 220, 220)));
    for (const QLineF &line : chart.gridLines)
        painter.drawLine(line);
    painter.setPen(pen(Qt::black));
    painter.drawRect(chart.upper);
    painter.drawRect(chart.lower);
    for (const QLineF &tick : chart.ticks)
        painter.drawLine(tick);

    // Round caps close the joints between a curve's segments.
    QPen curvePen = pen(silsoCurveColour(), kCurvePenPx);
    curvePen.setCapStyle(Qt::RoundCap);
    painter.setPen(curvePen);
    painter.drawLine(chart.silsoLegend);
    for (const QPolygonF &run : chart.silsoCurve)
        drawCurve(painter, run);
    curvePen.setColor(ownCurveColour());
    painter.setPen(curvePen);
    painter.drawLine(chart.ownLegend);
    for (const QPolygonF &run : chart.ownCurve)
        drawCurve(painter, run);

    if (chart.kLine) {
        painter.setPen(pen(Qt::darkGray, 1, Qt::DashLine));
        painter.drawLine(*chart.kLine);
    }
    painter.setPen(pen(kPointColour()));
    painter.setBrush(kPointColour());
    for (const QPointF &point : chart.kPoints)
        painter.drawEllipse(point, kPointRadiusPx, kPointRadiusPx);
    painter.setBrush(Qt::NoBrush);

    paintLabels(painter, chart.labels);
    painter.restore();
}

QImage renderSilsoChart(const SilsoComparison &comparison, QSize size) {
    QImage image = screenImage(size);
    QPainter painter(&image);
    paintSilsoChart(painter, silsoChart(comparison, QSizeF(size)));
    return image;
}

PageSetup silsoPage() {
    PageSetup page;
    page.orientation = QPageLayout::Landscape;
    return page;
}

bool printSilsoChart(PrintJob &job, const SilsoComparison &comparison) {
    const double scale = job.scaleToWidth(kPrintWidthPx);
    const QSizeF size(kPrintWidthPx, job.pageHeight() / scale);
    QPainter &painter = job.canvas();
    painter.save();
    painter.scale(scale, scale);
    paintSilsoChart(painter, silsoChart(comparison, size));
    painter.restore();
    return true;
}

QString silsoCaption(const SilsoComparison &comparison) {
    return QCoreApplication::translate("Silso", "Srovnání s SILSO  ") + comparison.fileName;
}

} // namespace orvanek
