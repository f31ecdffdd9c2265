#include "views/butterfly/butterflypainter.h"

#include "views/common/screenimage.h"
#include "views/common/viewfont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvanek {

namespace {

constexpr int kCanvasFontPoints = 8;
constexpr int kScreenDpi = 96;

QPen plainPen(const QColor &colour) {
    QPen pen(colour, 1.0);
    pen.setCosmetic(false); // scales with the diagram on a printer page
    return pen;
}

// The part of the diagram the window shows, in diagram units.
QRect visibleDiagram(const ButterflyGeometry &g) {
    return {g.scrollX, g.scrollY - g.equatorY, g.client.width(), g.client.height()};
}

// A stroke as the window draws it: from y1 towards y2, the end pixel left out; a stroke of
// no length is one pixel, so that a mark is never lost.
QLine strokeLine(const ButterflyStroke &s) {
    const int step = s.y2 > s.y1 ? 1 : (s.y2 < s.y1 ? -1 : 0);
    return {s.x, s.y1, s.x, s.y2 - step};
}

bool strokeVisible(const ButterflyStroke &s, const QRect &visible) {
    return s.x >= visible.left() && s.x <= visible.right() &&
           std::max(s.y1, s.y2) >= visible.top() && std::min(s.y1, s.y2) <= visible.bottom();
}

void paintStrokes(QPainter &p, const std::vector<ButterflyStroke> &strokes, const QColor &colour,
                  const QRect &visible) {
    std::vector<QLine> lines;
    lines.reserve(strokes.size());
    for (const ButterflyStroke &s : strokes)
        if (strokeVisible(s, visible))
            lines.push_back(strokeLine(s));
    if (lines.empty())
        return;
    p.setPen(plainPen(colour));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// Texts placed by the top-left corner of their line, drawn at the baseline.
void paintTexts(QPainter &p, const std::vector<ButterflyText> &texts) {
    for (const ButterflyText &t : texts)
        drawTextTopLeft(p, t.pos, t.text);
}

void paintFrame(QPainter &p, const ButterflyFrame &f) {
    p.setPen(plainPen(butterflyFrameColour()));
    p.drawLines(f.verticals.data(), static_cast<int>(f.verticals.size()));
    p.drawLines(f.horizontals.data(), static_cast<int>(f.horizontals.size()));
    p.setPen(plainPen(Qt::black));
    paintTexts(p, f.latitudeLabels);
    paintTexts(p, f.rotationLabels);
}

void paintGroups(QPainter &p, const std::vector<QRect> &boxes, const QRect &visible) {
    std::vector<QRect> shown;
    shown.reserve(boxes.size());
    for (const QRect &box : boxes)
        if (box.intersects(visible))
            shown.push_back(box);
    if (shown.empty())
        return;
    // Black pen and black brush: each box is a solid block of its pixels.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRects(shown.data(), static_cast<int>(shown.size()));
    p.setBrush(Qt::white);
}

} // namespace

QFont butterflyFont() {
    return viewFont(pointsToPixels(kCanvasFontPoints, kScreenDpi));
}

void paintButterfly(QPainter &painter, const ButterflyModel &model,
                    const ButterflyGeometry &geometry, const ButterflyPaintOptions &options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(butterflyFont());
    const QRect visible = visibleDiagram(geometry);

    painter.save();
    painter.translate(-geometry.scrollX, geometry.equatorY - geometry.scrollY);
    paintFrame(painter, butterflyFrame(model, geometry));
    paintStrokes(painter, model.supplementary.faculae, supplementaryFaculaColour(), visible);
    paintStrokes(painter, model.supplementary.spots, Qt::black, visible);
    paintStrokes(painter, model.faculae, butterflyFaculaColour(), visible);
    paintGroups(painter, model.groups, visible);
    painter.restore();

    if (options.scaleLabels) {
        // On white, so that they stay readable over whatever was scrolled under them.
        painter.setPen(plainPen(Qt::black));
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        paintTexts(painter, scaleLabels(model, geometry));
    }
    painter.restore();
}

QImage renderButterfly(const ButterflyModel &model, QSize client,
                       const ButterflyPaintOptions &options) {
    QImage image = screenImage(client);
    QPainter painter(&image);
    paintButterfly(painter, model, butterflyGeometry(client), options);
    return image;
}

PageSetup butterflyPage() {
    PageSetup page;
    page.orientation = QPageLayout::Landscape;
    return page;
}

bool printButterfly(PrintJob &job, const ButterflyModel &model, const ButterflyGeometry &geometry,
                    const ButterflyPaintOptions &options) {
    const ButterflyPrintLayout layout = butterflyPrintLayout(geometry.client, job.pageWidth());
    if (layout.source.isEmpty() || layout.target.isEmpty())
        return false;
    // Stretched to the page width; a window of taller proportions than the page would run
    // off it, and is fitted to the page height with the same proportions instead.
    double fit = 1;
    if (layout.target.height() > job.pageHeight())
        fit = double(job.pageHeight()) / layout.target.height();
    QPainter &p = job.canvas();
    p.save();
    p.scale(fit * layout.target.width() / layout.source.width(),
            fit * layout.target.height() / layout.source.height());
    p.setClipRect(layout.source);
    paintButterfly(p, model, geometry, options);
    p.restore();
    return true;
}

} // namespace orvanek
