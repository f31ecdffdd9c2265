#include "views/map/mappainter.h"

#include "data/observationstore.h"
#include "views/common/screenimage.h"
#include "views/common/viewfont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace orvanek {

namespace {

constexpr int kBottomMarginPx = 4; // below the lowest text of an image

QPen plainPen(const QColor &colour) {
    QPen pen(colour, 1.0);
    pen.setCosmetic(false);
    return pen;
}

// A map point in pixels of a canvas at scale s.
QPoint toPixels(QPoint mapPoint, int scale) {
    return {mapToPixels(mapPoint.x(), scale), mapToPixels(mapPoint.y(), scale)};
}

QRect circleBox(QPoint centre, int radius) {
    return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius};
}

// Fonts by height, made once per paint: one map uses five sizes.
class MapFonts {
  public:
    const QFont &font(const MapText &t) {
        const auto key = std::pair(t.fontPx, t.cellHeight);
        auto it = fonts_.find(key);
        if (it == fonts_.end())
            it = fonts_.emplace(key, mapFont(t.fontPx, t.cellHeight)).first;
        return it->second;
    }

  private:
    std::map<std::pair<int, bool>, QFont> fonts_;
};

// The texts of the map in the order they are painted, in groups that share a moment of
// the painting: the longitude labels over the grid, the label table after the groups, the
// title and latitude labels over the margins.
std::vector<MapText> frameTexts(const MapFrame &frame) {
    return frame.longitudeLabels;
}

std::vector<MapText> tableTexts(const MapModel &m) {
    std::vector<MapText> texts;
    texts.reserve(2 * m.labels.size() + m.rowCaptions.size());
    for (const MapLabel &label : m.labels) {
        texts.push_back(label.latitude);
        texts.push_back(label.longitude);
    }
    texts.insert(texts.end(), m.rowCaptions.begin(), m.rowCaptions.end());
    return texts;
}

std::vector<MapText> titleTexts(const MapModel &m, const MapFrame &frame) {
    std::vector<MapText> texts{m.title};
    texts.insert(texts.end(), frame.latitudeLabels.begin(), frame.latitudeLabels.end());
    return texts;
}

// The top-left corner of a text's line in pixels.
QPoint textTopLeft(const MapText &t, int scale) {
    return toPixels(t.pos, scale) - QPoint(0, t.risePx);
}

// Black text on white, as the map writes every text.
void paintTexts(QPainter &p, MapFonts &fonts, const std::vector<MapText> &texts, int scale) {
    p.setPen(plainPen(Qt::black));
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    for (const MapText &t : texts) {
        const QFont &font = fonts.font(t);
        p.setFont(font);
        drawTextTopLeft(p, textTopLeft(t, scale), t.text);
    }
    p.setBackgroundMode(Qt::TransparentMode);
}

void paintGrid(QPainter &p, const MapFrame &frame, int scale) {
    std::vector<QLine> lines;
    lines.reserve(frame.grid.size());
    for (const QLine &l : frame.grid)
        lines.emplace_back(toPixels(l.p1(), scale), toPixels(l.p2(), scale));
    p.setPen(plainPen(mapGridColour()));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void paintFaculae(QPainter &p, const MapModel &m, int scale) {
    p.setPen(plainPen(mapFaculaColour()));
    p.setBrush(mapFaculaColour());
    for (const QPolygon &outline : m.faculae) {
        QPolygon pixels;
        pixels.reserve(outline.size());
        for (const QPoint &v : outline)
            pixels << toPixels(v, scale);
        p.drawPolygon(pixels);
    }
}

void paintGroups(QPainter &p, const MapModel &m, int scale) {
    const QPen auxPen = plainPen(mapAuxSpotColour());
    const QPen groupPen = plainPen(Qt::black);
    for (const MapGroup &g : m.groups) {
        p.setPen(auxPen);
        p.setBrush(mapAuxSpotColour());
        for (const MapCircle &spot : g.auxSpots)
            p.drawEllipse(circleBox(toPixels(spot.centre, scale), spot.radius));
        p.setPen(groupPen);
        p.setBrush(mapGroupFillColour());
        p.drawEllipse(circleBox(toPixels(g.circle.centre, scale), g.circle.radius));
    }
}

// The margins hide what lies beyond 360 and 0 degrees: every pixel from the rectangle's
// first corner up to, not including, its second.
void paintMargins(QPainter &p, const MapModel &m, int scale) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const QRect &margin : m.margins) {
        const QPoint from = toPixels(margin.topLeft(), scale);
        const QPoint to = toPixels(QPoint(margin.right(), margin.bottom()), scale);
        p.drawRect(QRect(from, to - QPoint(1, 1)));
    }
}

} // namespace

QFont mapFont(int pixels, bool cellHeight) {
    QFont font = viewFont(pixels);
    const int size = font.pixelSize();
    if (cellHeight) {
        // The cell is the character height and the leading above it together.
        const int cell = QFontMetrics(font).height();
        if (cell > size)
            font.setPixelSize(std::max(1, size * size / cell));
    }
    return font;
}

void paintMap(QPainter &painter, const MapModel &model) {
    const int scale = model.settings.geometry.scale;
    const MapFrame frame = mapFrame(scale);
    MapFonts fonts;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Nothing beyond the surface the map was laid out for: the window has no pixels there,
    // but a page has its margins, where the faculae moved past 0 or 360 degrees would show.
    painter.setClipRect(
        QRect(0, 0, mapToPixels(model.settings.geometry.rightEdge, scale), mapHeight(model)),
        Qt::IntersectClip);
    paintGrid(painter, frame, scale);
    paintTexts(painter, fonts, frameTexts(frame), scale);
    paintFaculae(painter, model, scale);
    paintGroups(painter, model, scale);
    paintTexts(painter, fonts, tableTexts(model), scale);
    paintMargins(painter, model, scale);
    paintTexts(painter, fonts, titleTexts(model, frame), scale);
    painter.restore();
}

int mapHeight(const MapModel &model) {
    const int scale = model.settings.geometry.scale;
    const MapFrame frame = mapFrame(scale);
    MapFonts fonts;
    int bottom = mapToPixels(kMapBottom, scale);
    for (const std::vector<MapText> &texts :
         {frameTexts(frame), tableTexts(model), titleTexts(model, frame)})
        for (const MapText &t : texts)
            bottom =
                std::max(bottom, textTopLeft(t, scale).y() + QFontMetrics(fonts.font(t)).height());
    return bottom + kBottomMarginPx;
}

QImage renderMap(const MapModel &model, int width) {
    QImage image = screenImage(QSize(width, mapHeight(model)));
    QPainter painter(&image);
    paintMap(painter, model);
    return image;
}

PageSetup mapPage() {
    PageSetup page;
    page.orientation = QPageLayout::Landscape;
    return page;
}

bool printMap(PrintJob &job, const ObservationStore &store, int rotation) {
    const MapModel model =
        buildMapModel(store, mapSettings(store, rotation, pageMapGeometry(job.pageWidth())));
    if (model.settings.geometry.scale <= 0)
        return false;
    paintMap(job.canvas(), model);
    return true;
}

} // namespace orvanek
