#include "scan/scanoverlay.h"

#include "views/sheet/sheetpainter.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <vector>

namespace orvanek {

namespace {

// Colours that stand out on grey paper and pencil.
const QColor kLimbColour(230, 40, 40);
const QColor kGridColour(0, 150, 220);
const QColor kMarkerColour(20, 160, 20);
const QColor kSpotColour(235, 120, 0);
// Widths and sizes in device pixels.
constexpr double kLimbPen = 1.5;
constexpr double kGridPen = 1;
constexpr double kBoldGridPen = 2;
constexpr double kCrossPx = 8;
constexpr double kMarkerRadiusPx = 9;
constexpr double kNorthMarkPx = 14;
constexpr double kLeastSpotMarkPx = 5; // a spot's ring however small the spot

QPen cosmetic(const QColor &colour, double width) {
    QPen pen(colour, width);
    pen.setCosmetic(true);
    return pen;
}

void appendRuns(std::vector<QPolygonF> &to, const std::vector<QPolygonF> &runs,
                const QTransform &t) {
    for (const QPolygonF &run : runs)
        to.push_back(t.map(run));
}

} // namespace

ScanOverlay buildScanOverlay(const ScanFrame &frame, const std::optional<Ephemeris> &ephemeris,
                             bool withGrid, std::vector<ScanMarker> markers) {
    ScanOverlay o;
    o.frame = frame;
    o.northPoint = imageAtPlace(frame, {0, frame.radiusMm});
    o.markers = std::move(markers);
    if (!withGrid || !ephemeris || !frame.valid())
        return o;
    const SheetGrid grid = sheetGrid(*ephemeris, frame.radiusMm, frame.orientX, frame.orientY);
    const QTransform t = sheetToImage(frame);
    for (const GridCurve &c : grid.parallels)
        appendRuns(c.bold ? o.boldGrid : o.grid, c.runs, t);
    for (const GridCurve &c : grid.meridians)
        appendRuns(o.grid, c.runs, t);
    appendRuns(o.boldGrid, grid.centralMeridian, t);
    return o;
}

void paintScanOverlay(QPainter &painter, const ScanOverlay &o, const QTransform &imageToDevice) {
    if (!o.frame.valid())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(cosmetic(kGridColour, kGridPen));
    for (const QPolygonF &run : o.grid)
        painter.drawPolyline(imageToDevice.map(run));
    painter.setPen(cosmetic(kGridColour, kBoldGridPen));
    for (const QPolygonF &run : o.boldGrid)
        painter.drawPolyline(imageToDevice.map(run));

    // The limb as a polygon through the mapped circle, so that any zoom keeps it exact (and a
    // photo's perspective shows it as the oval it is).
    constexpr int kLimbVertices = 360;
    QPolygonF limb;
    for (int k = 0; k <= kLimbVertices; ++k) {
        const double a = 2 * std::numbers::pi * k / kLimbVertices;
        limb << imageToDevice.map(
            imageFromSheet(o.frame, QPointF(std::cos(a), std::sin(a)) * o.frame.radiusMm));
    }
    painter.setPen(cosmetic(kLimbColour, kLimbPen));
    painter.drawPolyline(limb);
    const QPointF centre = imageToDevice.map(o.frame.centre);
    painter.drawLine(centre - QPointF(kCrossPx, 0), centre + QPointF(kCrossPx, 0));
    painter.drawLine(centre - QPointF(0, kCrossPx), centre + QPointF(0, kCrossPx));
    // North ("S") just outside the limb, a tick across it.
    const QPointF north = imageToDevice.map(o.northPoint);
    QPointF out = north - centre;
    const double length = std::hypot(out.x(), out.y());
    if (length > 0) {
        out /= length;
        painter.drawLine(north - out * kNorthMarkPx / 2, north + out * kNorthMarkPx / 2);
        QFont font = painter.font();
        font.setPixelSize(static_cast<int>(kNorthMarkPx));
        font.setBold(true);
        painter.setFont(font);
        const QPointF at = north + out * kNorthMarkPx * 1.3;
        painter.drawText(
            QRectF(at - QPointF(kNorthMarkPx, kNorthMarkPx), QSizeF(2, 2) * kNorthMarkPx),
            Qt::AlignCenter, QCoreApplication::translate("ScanOverlay", "S", "north"));
    }

    QFont small = painter.font();
    small.setPixelSize(static_cast<int>(kMarkerRadiusPx * 1.2));
    small.setBold(true);
    painter.setFont(small);
    for (const ScanMarker &m : o.markers) {
        const QPointF p = imageToDevice.map(m.pixel);
        painter.setPen(cosmetic(kMarkerColour, 2));
        painter.drawEllipse(p, kMarkerRadiusPx, kMarkerRadiusPx);
        painter.drawText(QRectF(p + QPointF(kMarkerRadiusPx, -2 * kMarkerRadiusPx),
                                QSizeF(4, 2) * kMarkerRadiusPx),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(m.row));
    }
    // Each spot ringed, its group's number beside it; the group's class beside one of them.
    // A label goes up right of its ring, or where it covers no label already written (groups
    // drawn close together, seen small, keep every label readable).
    const double scale = std::sqrt(std::abs(imageToDevice.determinant()));
    const QFontMetricsF metrics(small);
    std::vector<QRectF> written;
    for (const ScanSpotMark &m : o.spots) {
        const QPointF p = imageToDevice.map(m.pixel);
        const double r = std::max(kLeastSpotMarkPx, m.radiusPx * scale + 3);
        painter.setPen(cosmetic(kSpotColour, 1.5));
        painter.drawEllipse(p, r, r);
        const QString label = m.groupClass.isEmpty()
                                  ? QString::number(m.group)
                                  : QString::number(m.group) + u' ' + m.groupClass;
        const QSizeF size(metrics.horizontalAdvance(label) + 2, metrics.height());
        const double off = r * 0.7;
        const QRectF places[] = {
            QRectF(p + QPointF(off, -off - size.height()), size),
            QRectF(p + QPointF(off, off), size),
            QRectF(p + QPointF(-off - size.width(), -off - size.height()), size),
            QRectF(p + QPointF(-off - size.width(), off), size),
        };
        const QRectF *place =
            std::find_if(std::begin(places), std::end(places), [&](const QRectF &c) {
                return std::none_of(written.begin(), written.end(),
                                    [&](const QRectF &w) { return w.intersects(c); });
            });
        const QRectF at = place == std::end(places) ? places[0] : *place;
        written.push_back(at);
        painter.drawText(at, Qt::AlignLeft | Qt::AlignBottom, label);
    }
    painter.restore();
}

QImage renderSheetOnScan(const ScanRegistration &reg, QSize imageSize,
                         const QTransform &imageToTarget) {
    if (!reg.code || !reg.registered())
        return {};
    SheetSettings s;
    s.date = reg.code->date;
    s.timeUT = reg.code->timeUT;
    s.radiusMm = reg.code->radiusMm;
    s.orientX = reg.code->orientX;
    s.orientY = reg.code->orientY;
    s.paper = reg.code->paper;
    const SheetModel model = buildSheetModel(s);
    if (!model.printable())
        return {};
    QImage image(imageSize, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The printable area's millimetres to pixels: from the disk's centre, then as scanned.
    ScanFrame frame = reg.frame;
    frame.radiusMm = model.radiusMm;
    // Pixel centres are whole coordinates here, a painter's are half ones.
    painter.setTransform(QTransform::fromTranslate(-model.centre.x(), -model.centre.y()) *
                         sheetToImage(frame) * imageToTarget * QTransform::fromTranslate(0.5, 0.5));
    paintSheet(painter, model, {1, 1, QPointF()});
    return image;
}

} // namespace orvanek
