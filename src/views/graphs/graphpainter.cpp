#include "views/graphs/graphpainter.h"

#include "views/common/padleft.h"
#include "views/common/screenimage.h"
#include "views/common/viewfont.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

// Font sizes in points.
constexpr int kScreenGridFont = 9;
constexpr int kScreenJanuaryFont = 12;
constexpr int kMonthFont = kGraphMonthFont;
constexpr int kPaperJanuaryFont = 10;
constexpr int kPaperTitleFont = 15;

constexpr int kScreenCurvePen = 1;
constexpr int kPaperCurvePen = 3;

constexpr int kCurrentFont = 0;

// A month line on screen is drawn only when some of it can be seen: its January texts
// reach this far right of the line.
constexpr int kJanuaryTextReach = 400;

QPen pen(const QColor &colour, int width = 1) {
    QPen p(colour, width);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

// Writes texts by the top-left of their box, changing the font only when the size does.
class TextWriter {
  public:
    TextWriter(QPainter &painter, int dotsPerInch) : painter_(painter), dpi_(dotsPerInch) {}
    // `size` in points; kCurrentFont keeps the font last set.
    void write(const GraphText &t, int size) {
        if (size != kCurrentFont)
            setSize(size);
        painter_.drawText(QPointF(t.pos.x(), t.pos.y() + ascent_), t.text);
    }
    // A text hanging under a line at its top: placed so that the whole of every glyph, the
    // accents of Č, Ř and Ú included, lies at or below its top, clear of the line above.
    void writeHanging(const GraphText &t, int size) {
        setSize(size);
        painter_.drawText(QPointF(t.pos.x(), t.pos.y() + inkAscent_), t.text);
    }
    // A value label, right-aligned in its column as every number column is.
    void writeValue(const GraphText &t, int size = kCurrentFont) {
        write({t.pos, aligner_.padLeft(t.text, kValueLabelWidth)}, size);
    }
    void setFont(const QFont &font) {
        size_ = 0;
        painter_.setFont(font);
        const QFontMetricsF metrics(font, painter_.device());
        ascent_ = std::round(metrics.ascent());
        // The tallest capitals of the month names, with their accents.
        inkAscent_ =
            std::max(ascent_, std::ceil(-metrics.tightBoundingRect(QStringLiteral("ČŘÚ")).top()));
    }

  private:
    void setSize(int size) {
        if (size == size_)
            return;
        setFont(graphFont(size, dpi_));
        size_ = size;
    }
    QPainter &painter_;
    int dpi_;
    int size_ = 0;
    qreal ascent_ = 0;
    qreal inkAscent_ = 0;
    ColumnAligner aligner_;
};

// `shift`: pixels the model is moved right on screen (its offset less the paint's).
bool monthVisible(const GraphMonthLine &m, const GraphGeometry &g, int shift) {
    if (g.surface == GraphSurface::Paper)
        return true; // the model keeps only the months of the page
    const int x = m.line.x1() + shift;
    return x + kJanuaryTextReach >= 0 && x <= g.width;
}

void paintPanel(QPainter &p, TextWriter &text, const GraphPanelDrawing &d, const GraphGeometry &g,
                int shift) {
    const bool screen = g.surface == GraphSurface::Screen;
    for (size_t k = 0; k < d.gridLines.size(); ++k) {
        // On paper every grid line is black.
        p.setPen(pen(k == 0 || !screen ? QColor(Qt::black) : gridColour()));
        p.drawLine(d.gridLines[k]);
    }
    const QPen januaryPen = pen(Qt::black);
    const QPen monthPen = pen(monthLineColour());
    const int januaryFont = screen ? kScreenJanuaryFont : kPaperJanuaryFont;
    for (const GraphMonthLine &m : d.months) {
        if (!monthVisible(m, g, shift))
            continue;
        p.setPen(m.january ? januaryPen : monthPen);
        p.drawLine(m.line);
        p.setPen(januaryPen); // texts are black
        if (m.january) {
            text.write(m.year, januaryFont);
            text.write(m.title, januaryFont);
        }
        text.writeHanging(m.name, kMonthFont);
    }
    p.setPen(januaryPen);
    for (const GraphText &label : d.valueLabels)
        text.writeValue(label, kMonthFont);

    p.setPen(pen(d.panel.colour, screen ? kScreenCurvePen : kPaperCurvePen));
    // Decades of records lie outside the window: only what can be seen is stroked.
    const QRect area = p.window();
    p.drawPolyline(visiblePolyline(d.curve, area.left() - shift, area.right() - shift));
}

} // namespace

QPolygon visiblePolyline(const QPolygon &line, int left, int right) {
    const auto byX = [](const QPoint &a, const QPoint &b) { return a.x() < b.x(); };
    if (!std::is_sorted(line.begin(), line.end(), byX))
        return line;
    auto first = std::lower_bound(line.begin(), line.end(), QPoint(left, 0), byX);
    if (first != line.begin())
        --first;
    auto last = std::upper_bound(first, line.end(), QPoint(right, 0), byX);
    if (last != line.end())
        ++last;
    return QPolygon(QList<QPoint>(first, last));
}

QFont graphFont(int size, int dotsPerInch) {
    return viewFont(pointsToPixels(size, dotsPerInch));
}

void paintGraphs(QPainter &painter, const GraphModel &model, const GraphGeometry &geometry) {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(Qt::NoBrush);
    TextWriter text(painter, geometry.dotsPerInch);
    if (model.surface == GraphSurface::Paper && !model.pageTitle.text.isEmpty()) {
        painter.setPen(pen(Qt::black));
        text.write(model.pageTitle, kPaperTitleFont);
    }
    // A screen model placed at another scroll position is moved by whole pixels.
    const int shift = model.surface == GraphSurface::Screen ? model.offset - geometry.offset : 0;
    if (shift != 0)
        painter.translate(shift, 0);
    for (const GraphPanelDrawing &d : model.panels)
        paintPanel(painter, text, d, geometry, shift);
    painter.restore();
}

void paintGraphScale(QPainter &painter, const GraphScale &scale, const GraphGeometry &geometry) {
    painter.save();
    TextWriter text(painter, geometry.dotsPerInch);
    if (scale.smallFont) {
        QFont arial(QStringLiteral("Arial"));
        arial.setStyleHint(QFont::SansSerif);
        arial.setPixelSize(std::lround(6 * geometry.dotsPerInch / 72.0));
        text.setFont(arial);
    }
    for (const GraphScaleBlock &block : scale.blocks) {
        painter.setPen(pen(Qt::white));
        painter.setBrush(Qt::white);
        painter.drawRect(block.box);
        painter.setPen(pen(Qt::black));
        for (const GraphText &label : block.labels)
            text.writeValue(label, scale.smallFont ? kCurrentFont : kMonthFont);
    }
    painter.restore();
}

QImage renderGraphs(const GraphModel &model, const GraphGeometry &geometry) {
    QImage image = screenImage(QSize(geometry.width, geometry.height));
    QPainter painter(&image);
    paintGraphs(painter, model, geometry);
    return image;
}

PageSetup graphPage() {
    PageSetup page;
    page.orientation = QPageLayout::Landscape;
    return page;
}

bool printGraphs(PrintJob &job, const GraphSeries &screen, const ObservationStore &store,
                 DisplayMode mode, int screenScroll) {
    GraphGeometry geometry =
        paperGraphGeometry(job.pageWidth(), job.pageHeight(), mode, screenScroll);
    geometry.dotsPerInch = job.canvas().device()->logicalDpiY();
    const GraphSeries series = paperSeries(screen, store, geometry);
    paintGraphs(job.canvas(), buildGraphModel(series, geometry), geometry);
    return true;
}

} // namespace orvanek
