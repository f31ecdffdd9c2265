#include "views/drawing/drawingpainter.h"

#include "views/common/padleft.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace orvanek {

namespace {

constexpr int kFontLabels = 9;
constexpr int kFontHeader = 13;
constexpr int kFontValues = 9;
constexpr int kFontGroups = 8;

constexpr int kValueX = 658;
constexpr int kValueWidth = 50;
constexpr int kIndexWidth = 28;
constexpr std::array<int, 3> kIndexX = {650, 680, 710};

const std::array<QString, 15> &labelTexts() {
    static const std::array<QString, 15> texts = {
        QStringLiteral("Čas UT"),  QStringLiteral("Podmínky"), QStringLiteral("Obraz"),
        QStringLiteral("Kvalita"), QStringLiteral("Rotace"),   QStringLiteral("Lt"),
        QStringLiteral("Bo"),      QStringLiteral("P"),        QStringLiteral("gc"),
        QStringLiteral("fc"),      QStringLiteral("rc"),       QStringLiteral("F"),
        QStringLiteral("g"),       QStringLiteral("f"),        QStringLiteral("r")};
    return texts;
}

// A text placed by its top-left corner, with the font size it is drawn in.
struct PlacedText {
    int x;
    int y;
    int size;
    QString text;
};

QString headerDate(const DrawingModel &m) {
    return QStringLiteral("Datum :             ") + m.dateText;
}
QString headerObserver(const DrawingModel &m) {
    return QStringLiteral("Pozorovatel :   ") + m.observer;
}
QString headerStation(const DrawingModel &m) {
    return QStringLiteral("Stanice :           ") + m.station;
}

int labelY(int k) {
    return 100 + 18 * k;
}

QPen plainPen(const QColor &colour) {
    QPen pen(colour, 1.0);
    pen.setCosmetic(false); // scales with the drawing on a printer page
    return pen;
}

QRect circleBox(int x, int y, int radius) {
    return {x, y, 2 * radius, 2 * radius};
}

// Writes texts placed by the top-left corner of their line, as the view places them.
// Drawing at the baseline (top + ascent) keeps text on the painter's quick path.
class TextWriter {
  public:
    explicit TextWriter(QPainter &painter) : painter_(painter) {}
    void setFont(int size) {
        const QFont font = drawingFont(size);
        painter_.setFont(font);
        ascent_ = std::round(QFontMetricsF(font).ascent());
    }
    void at(int x, int y, const QString &text) { painter_.drawText(QPointF(x, y + ascent_), text); }

  private:
    QPainter &painter_;
    qreal ascent_ = 0;
};

void paintTextBlock(QPainter &p, TextWriter &text, const DrawingModel &m) {
    p.setPen(plainPen(Qt::black));
    text.setFont(kFontLabels);
    for (int k = 1; k <= 15; ++k)
        text.at(580, labelY(k), labelTexts()[static_cast<size_t>(k - 1)]);

    text.at(20, 540, QStringLiteral("Typ"));
    text.at(20, 560, QStringLiteral("b"));
    text.at(20, 580, QStringLiteral("l"));
    text.at(10, 600, QStringLiteral("poč.skv."));
    text.at(10, 630, QStringLiteral("číslo sku."));

    text.setFont(kFontHeader);
    text.at(540, 20, headerDate(m));
    text.at(540, 45, headerObserver(m));
    text.at(540, 70, headerStation(m));

    text.setFont(kFontValues);
    for (int row = 0; row < TextBlockRowCount; ++row)
        text.at(kValueX, labelY(row + 1),
                padLeft(m.rowValues[static_cast<size_t>(row)], kValueWidth));
    for (int index = 0; index < 3; ++index)
        for (int column = 0; column < 3; ++column)
            text.at(kIndexX[static_cast<size_t>(column)], labelY(13 + index),
                    padLeft(QString::number(
                                m.indices[static_cast<size_t>(index)][static_cast<size_t>(column)]),
                            kIndexWidth));
}

void paintDiskAndGrid(QPainter &p, const DrawingModel &m) {
    p.setPen(plainPen(Qt::black));
    p.setBrush(m.special ? specialDiskColour() : diskColour());
    p.drawEllipse(QRect(kDiskCentreX - kDiskRadiusPx, kDiskCentreY - kDiskRadiusPx,
                        2 * kDiskRadiusPx, 2 * kDiskRadiusPx));
    p.setBrush(Qt::white);
    for (const QPolygon &parallel : m.parallels)
        p.drawPolyline(parallel);
    if (!m.meridian.isEmpty())
        p.drawPolyline(m.meridian);
}

void paintFaculae(QPainter &p, const DrawingModel &m) {
    p.setPen(plainPen(faculaPenColour()));
    p.setBrush(faculaFillColour());
    for (const QPolygon &field : m.faculae)
        p.drawPolygon(field, Qt::OddEvenFill);
    p.setBrush(Qt::white);
    p.setPen(plainPen(Qt::black));
}

void paintGroups(QPainter &p, TextWriter &text, const DrawingModel &m) {
    // Pens and brushes made once: the painter skips a change to the pen or brush it
    // already holds, which keeps thirty groups cheap.
    const QPen blackPen = plainPen(Qt::black);
    const QPen countPen = plainPen(spotCountColour());
    const QPen auxPen = plainPen(auxSpotColour());
    const QBrush auxBrush(auxSpotColour());
    const QBrush groupBrush(groupFillColour());
    const QBrush whiteBrush(Qt::white);
    text.setFont(kFontGroups);
    for (const DrawingGroup &g : m.groups) {
        const int x = g.column;
        p.setPen(countPen);
        text.at(x, 600, g.spotCountText);
        p.setPen(blackPen);
        text.at(x, 623, g.globalNumberText);
        text.at(x, 638, g.rotationNumberText);
        text.at(x, 540, g.typeText);

        if (!m.special) {
            if (g.auxSpotsShown) {
                p.setPen(auxPen);
                p.setBrush(auxBrush);
                for (const AuxSpotMarker &spot : g.auxSpots)
                    p.drawEllipse(circleBox(spot.x, spot.y, spot.s));
            }
            // Texts have a transparent background, so only the pen matters for them.
            const GroupMarker &c = g.marker;
            p.setPen(blackPen);
            text.at(c.x + 2 * c.r + 2, c.y + c.r - 6, g.rotationNumberText);
            text.at(x, 580, g.longitudeText);
            text.at(x, 560, g.latitudeText);
            p.setBrush(groupBrush);
            p.drawEllipse(circleBox(c.x, c.y, c.r));
        }
    }
    p.setPen(blackPen);
    p.setBrush(whiteBrush);
}

// Every text the drawing holds, with its place and size, for measuring the extent.
std::vector<PlacedText> placedTexts(const DrawingModel &m) {
    std::vector<PlacedText> texts;
    texts.reserve(40 + 7 * m.groups.size());
    for (int k = 1; k <= 15; ++k)
        texts.push_back({580, labelY(k), kFontLabels, labelTexts()[static_cast<size_t>(k - 1)]});
    texts.push_back({10, 630, kFontLabels, QStringLiteral("číslo sku.")});
    texts.push_back({540, 20, kFontHeader, headerDate(m)});
    texts.push_back({540, 45, kFontHeader, headerObserver(m)});
    texts.push_back({540, 70, kFontHeader, headerStation(m)});
    for (int row = 0; row < TextBlockRowCount; ++row)
        texts.push_back({kValueX, labelY(row + 1), kFontValues,
                         padLeft(m.rowValues[static_cast<size_t>(row)], kValueWidth)});
    for (int index = 0; index < 3; ++index)
        texts.push_back(
            {kIndexX[2], labelY(13 + index), kFontValues,
             padLeft(QString::number(m.indices[static_cast<size_t>(index)][2]), kIndexWidth)});
    for (const DrawingGroup &g : m.groups) {
        for (const QString *t : {&g.typeText, &g.spotCountText, &g.globalNumberText,
                                 &g.rotationNumberText, &g.longitudeText, &g.latitudeText})
            texts.push_back({g.column, 638, kFontGroups, *t});
        if (!m.special)
            texts.push_back({g.marker.x + 2 * g.marker.r + 2, g.marker.y + g.marker.r - 6,
                             kFontGroups, g.rotationNumberText});
    }
    return texts;
}

} // namespace

QFont drawingFont(int size) {
    QFont font(QStringLiteral("Ms sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // Points of a 96-dpi screen, rounded to whole pixels: size 8 is 11 px, 9 is 12, 13 is 17.
    font.setPixelSize((size * 96 + 36) / 72);
    return font;
}

void paintDrawing(QPainter &painter, const DrawingModel &model, const DrawingGeometry &geometry) {
    painter.save();
    painter.translate(geometry.offset);
    painter.scale(geometry.scale, geometry.scale);
    painter.setBackgroundMode(Qt::TransparentMode);

    TextWriter text(painter);
    paintTextBlock(painter, text, model);
    paintDiskAndGrid(painter, model);
    paintFaculae(painter, model);
    paintGroups(painter, text, model);

    painter.restore();
}

QSize drawingSize(const DrawingModel &model) {
    constexpr int kMargin = 8;
    int right = 750;
    int bottom = 650;
    std::array<std::optional<QFontMetrics>, 14> metrics;
    for (const PlacedText &t : placedTexts(model)) {
        auto &fm = metrics[static_cast<size_t>(t.size)];
        if (!fm)
            fm.emplace(drawingFont(t.size));
        right = std::max(right, t.x + fm->horizontalAdvance(t.text) + kMargin);
        bottom = std::max(bottom, t.y + fm->height() + kMargin);
    }
    return {right, bottom};
}

QImage renderDrawing(const DrawingModel &model) {
    QImage image(drawingSize(model), QImage::Format_RGB32);
    constexpr int kDotsPerMetreAt96Dpi = 3780;
    image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDrawing(painter, model);
    return image;
}

bool printDrawing(QPagedPaintDevice &device, const DrawingModel &model) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize size = drawingSize(model);
    const double scale =
        std::min(double(device.width()) / size.width(), double(device.height()) / size.height());
    DrawingGeometry geometry;
    geometry.scale = scale;
    geometry.offset = QPointF((device.width() - size.width() * scale) / 2, 0);
    paintDrawing(painter, model, geometry);
    return painter.end();
}

} // namespace orvanek
