#include "views/drawing/drawingpainter.h"

#include "views/common/padleft.h"
#include "views/common/screenimage.h"
#include "views/common/viewfont.h"

#include <QCoreApplication>
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

// The texts of the drawing, translated in the context "Drawing".
struct DrawingTexts {
    Q_DECLARE_TR_FUNCTIONS(Drawing)
};

constexpr int kFontLabels = 9;
constexpr int kFontHeader = 13;
constexpr int kFontValues = 9;
constexpr int kFontGroups = 8;

// The text block right of the disk, in view pixels: labels, their values and the three
// index columns (whole disk, north, south) of the rows g, f, r.
constexpr int kLabelX = 580;
constexpr int kValueX = 658;
constexpr int kValueWidth = 50;
constexpr int kIndexWidth = 28;
constexpr std::array<int, 3> kIndexX = {650, 680, 710};
// The header above the block: date, observer, station.
constexpr int kHeaderX = 540;
constexpr std::array<int, 3> kHeaderY = {20, 45, 70};
// The rows of group values under the disk, and their labels left of the first column.
constexpr int kTypeRowY = 540;
constexpr int kLatitudeRowY = 560;
constexpr int kLongitudeRowY = 580;
constexpr int kSpotCountRowY = 600;
constexpr int kGlobalNumberRowY = 623;
constexpr int kRotationNumberRowY = 638;
constexpr int kRowLabelX = 20;
constexpr int kWideRowLabelX = 10;
constexpr int kGroupNumberLabelY = 630; // "číslo sku." between the two number rows
// The group's rotation number beside its circle: 2 px right of it, 6 px above its middle.
constexpr int kMarkerLabelGap = 2;
constexpr int kMarkerLabelRise = 6;
// The ring at the place the days around the drawing expect a misplaced group at.
constexpr int kExpectedRingRadius = 6;

// The labels of the text block; the symbols stay as they are in every language.
std::array<QString, 15> labelTexts() {
    static const char *const texts[] = {QT_TRANSLATE_NOOP("Drawing", "Čas UT"),
                                        QT_TRANSLATE_NOOP("Drawing", "Podmínky"),
                                        QT_TRANSLATE_NOOP("Drawing", "Obraz"),
                                        QT_TRANSLATE_NOOP("Drawing", "Kvalita"),
                                        QT_TRANSLATE_NOOP("Drawing", "Rotace"),
                                        QT_TRANSLATE_NOOP("Drawing", "Lt"),
                                        QT_TRANSLATE_NOOP("Drawing", "Bo"),
                                        "P",
                                        "gc",
                                        "fc",
                                        "rc",
                                        "F",
                                        "g",
                                        "f",
                                        "r"};
    std::array<QString, 15> translated;
    for (size_t k = 0; k < translated.size(); ++k)
        translated[k] = DrawingTexts::tr(texts[k]);
    return translated;
}

// The size of a row label under the disk that starts at x: the labels' size, or smaller where
// the language's word would reach the first group column ("group no." in English).
int rowLabelSize(const QString &text, int x) {
    constexpr int kGapBeforeColumn = 4;
    constexpr int kSmallestRowLabel = 7;
    const double room = groupColumnX(1) - kGapBeforeColumn - x;
    int size = kFontLabels;
    while (size > kSmallestRowLabel &&
           QFontMetricsF(drawingFont(size)).horizontalAdvance(text) > room)
        --size;
    return size;
}

// Label row k (1..15) of the text block.
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

// A text placed by the top-left corner of its line, with its font size and colour.
struct PlacedText {
    int x;
    int y;
    int size;
    QString text;
    QColor colour = Qt::black;
};

// The texts of the block right of the disk and of the row labels under it.
std::vector<PlacedText> textBlockLayout(const DrawingModel &m) {
    const ColumnAligner aligner;
    std::vector<PlacedText> texts;
    texts.reserve(40);
    const std::array<QString, 15> labels = labelTexts();
    for (int k = 1; k <= 15; ++k)
        texts.push_back({kLabelX, labelY(k), kFontLabels, labels[static_cast<size_t>(k - 1)]});
    const auto rowLabel = [&texts](int x, int y, const QString &text) {
        texts.push_back({x, y, rowLabelSize(text, x), text});
    };
    rowLabel(kRowLabelX, kTypeRowY, DrawingTexts::tr("Typ"));
    texts.push_back({kRowLabelX, kLatitudeRowY, kFontLabels, QStringLiteral("b")});
    texts.push_back({kRowLabelX, kLongitudeRowY, kFontLabels, QStringLiteral("l")});
    rowLabel(kWideRowLabelX, kSpotCountRowY, DrawingTexts::tr("poč.skv."));
    rowLabel(kWideRowLabelX, kGroupNumberLabelY, DrawingTexts::tr("číslo sku."));

    // The header's values in one column after the widest label, as wide as the language's
    // words make it (the Czech labels end in the blanks that always set it).
    const QString headerLabels[3] = {DrawingTexts::tr("Datum :             "),
                                     DrawingTexts::tr("Pozorovatel :   "),
                                     DrawingTexts::tr("Stanice :           ")};
    const QString headerValues[3] = {m.dateText, m.observer, m.station};
    const QFontMetricsF headerMetrics(drawingFont(kFontHeader));
    double labelWidth = 0;
    for (const QString &label : headerLabels)
        labelWidth = std::max(labelWidth, headerMetrics.horizontalAdvance(label));
    const int valueX = kHeaderX + static_cast<int>(std::ceil(labelWidth));
    for (size_t k = 0; k < 3; ++k) {
        texts.push_back({kHeaderX, kHeaderY[k], kFontHeader, headerLabels[k]});
        texts.push_back({valueX, kHeaderY[k], kFontHeader, headerValues[k]});
    }

    for (int row = 0; row < TextBlockRowCount; ++row)
        texts.push_back({kValueX, labelY(row + 1), kFontValues,
                         aligner.padLeft(m.rowValues[static_cast<size_t>(row)], kValueWidth)});
    for (int index = 0; index < 3; ++index)
        for (int column = 0; column < 3; ++column)
            texts.push_back(
                {kIndexX[static_cast<size_t>(column)], labelY(13 + index), kFontValues,
                 aligner.padLeft(
                     QString::number(
                         m.indices[static_cast<size_t>(index)][static_cast<size_t>(column)]),
                     kIndexWidth)});
    return texts;
}

// A group's values in its column under the disk: spot count (blue), the two numbers, type.
std::array<PlacedText, 4> groupTableTexts(const DrawingGroup &g) {
    return {{{g.column, kSpotCountRowY, kFontGroups, g.spotCountText, spotCountColour()},
             {g.column, kGlobalNumberRowY, kFontGroups, g.globalNumberText},
             {g.column, kRotationNumberRowY, kFontGroups, g.rotationNumberText,
              g.misplaced ? misplacedColour() : QColor(Qt::black)},
             {g.column, kTypeRowY, kFontGroups, g.typeText}}};
}

// What only an ordinary record shows of a group's place: its rotation number beside the
// circle, and l and b in its column.
std::array<PlacedText, 3> groupPositionTexts(const DrawingGroup &g) {
    const GroupMarker &c = g.marker;
    return {{{c.x + 2 * c.r + kMarkerLabelGap, c.y + c.r - kMarkerLabelRise, kFontGroups,
              g.rotationNumberText, g.misplaced ? misplacedColour() : QColor(Qt::black)},
             {g.column, kLongitudeRowY, kFontGroups, g.longitudeText},
             {g.column, kLatitudeRowY, kFontGroups, g.latitudeText}}};
}

// Writes placed texts at the top-left corner of their line, as the view places them.
// Drawing at the baseline (top + ascent) keeps text on the painter's quick path; pens and
// fonts are set only when they change.
class TextWriter {
  public:
    explicit TextWriter(QPainter &painter) : painter_(painter) {}
    void write(const PlacedText &t) {
        if (t.size != size_) {
            size_ = t.size;
            const QFont font = drawingFont(t.size);
            painter_.setFont(font);
            ascent_ = std::round(QFontMetricsF(font).ascent());
        }
        if (t.colour != colour_) {
            colour_ = t.colour;
            painter_.setPen(plainPen(t.colour));
        }
        painter_.drawText(QPointF(t.x, t.y + ascent_), t.text);
    }
    // After other drawing changed the pen.
    void forgetPen() { colour_ = QColor(); }

  private:
    QPainter &painter_;
    int size_ = 0;
    QColor colour_;
    qreal ascent_ = 0;
};

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
    const QPen auxPen = plainPen(auxSpotColour());
    const QBrush auxBrush(auxSpotColour());
    const QBrush groupBrush(groupFillColour());
    const QBrush whiteBrush(Qt::white);
    QPen ringPen = plainPen(misplacedColour());
    ringPen.setWidthF(1.5);
    text.forgetPen();
    for (const DrawingGroup &g : m.groups) {
        for (const PlacedText &t : groupTableTexts(g))
            text.write(t);
        if (m.special)
            continue;
        if (g.auxSpotsShown) {
            p.setPen(auxPen);
            p.setBrush(auxBrush);
            for (const AuxSpotMarker &spot : g.auxSpots)
                p.drawEllipse(circleBox(spot.x, spot.y, spot.s));
            text.forgetPen();
        }
        for (const PlacedText &t : groupPositionTexts(g))
            text.write(t);
        p.setPen(blackPen);
        p.setBrush(groupBrush);
        const GroupMarker &c = g.marker;
        p.drawEllipse(circleBox(c.x, c.y, c.r));
        if (g.misplaced) {
            p.setPen(ringPen);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPoint(g.expectedCentre), kExpectedRingRadius, kExpectedRingRadius);
            text.forgetPen();
        }
    }
    p.setPen(blackPen);
    p.setBrush(whiteBrush);
}

} // namespace

QFont drawingFont(int size) {
    // Points of a 96-dpi screen, rounded to whole pixels: size 8 is 11 px, 9 is 12, 13 is 17.
    constexpr int kViewDpi = 96;
    return viewFont(pointsToPixels(size, kViewDpi));
}

void paintDrawing(QPainter &painter, const DrawingModel &model, const DrawingGeometry &geometry) {
    painter.save();
    painter.translate(geometry.offset);
    painter.scale(geometry.scale, geometry.scale);
    painter.setBackgroundMode(Qt::TransparentMode);

    TextWriter text(painter);
    for (const PlacedText &t : textBlockLayout(model))
        text.write(t);
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
    const auto extend = [&](const PlacedText &t) {
        auto &fm = metrics[static_cast<size_t>(t.size)];
        if (!fm)
            fm.emplace(drawingFont(t.size));
        right = std::max(right, t.x + fm->horizontalAdvance(t.text) + kMargin);
        bottom = std::max(bottom, t.y + fm->height() + kMargin);
    };
    // The same texts the paint writes, where it writes them.
    for (const PlacedText &t : textBlockLayout(model))
        extend(t);
    // The label by a group's circle widens the drawing only where the circle can be: on
    // the disk or near it. A damaged record places groups thousands of pixels out; its
    // drawing keeps its frame rather than growing to a picture of hundreds of megabytes.
    const QRect nearTheDisk(0, 0, right, bottom);
    for (const DrawingGroup &g : model.groups) {
        for (const PlacedText &t : groupTableTexts(g))
            extend(t);
        if (model.special)
            continue;
        const auto texts = groupPositionTexts(g); // the label by the circle, then l and b
        for (size_t k = 0; k < texts.size(); ++k)
            if (k > 0 || nearTheDisk.contains(texts[k].x, texts[k].y))
                extend(texts[k]);
    }
    return {right, bottom};
}

QImage renderDrawing(const DrawingModel &model) {
    QImage image = screenImage(drawingSize(model));
    QPainter painter(&image);
    paintDrawing(painter, model);
    return image;
}

PageSetup drawingPage() {
    return {}; // A4 upright, 10 mm margins
}

bool printDrawing(PrintJob &job, const DrawingModel &model) {
    const QSize size = drawingSize(model);
    const double scale =
        std::min(job.scaleToWidth(size.width()), double(job.pageHeight()) / size.height());
    DrawingGeometry geometry;
    geometry.scale = scale;
    geometry.offset = QPointF((job.pageWidth() - size.width() * scale) / 2, 0);
    paintDrawing(job.canvas(), model, geometry);
    return true;
}

} // namespace orvanek
