#include "views/sheet/sheetpainter.h"

#include "data/dates.h"
#include "views/sheet/sheetcode.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace orvanek {

namespace {

constexpr double kMmPerInch = 25.4;
// Texts are drawn with the painter at 1/100 mm per unit, so that font sizes in whole
// units come to a hundredth of a millimetre.
constexpr double kTextUnitsPerMm = 100;
// Sizes on the page may differ from the model's by rounding to device pixels.
constexpr double kPageToleranceMm = 0.5;

// Pen widths in mm.
constexpr double kLimbPenMm = 0.35;
constexpr double kGridPenMm = 0.12;
constexpr double kBoldGridPenMm = 0.3;
constexpr double kTickPenMm = 0.2;
constexpr double kAxisPenMm = 0.5;

QPen penMm(double widthMm, const QColor &colour = Qt::black) {
    QPen pen(colour, widthMm);
    pen.setCosmetic(false);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPen strokePen(SheetStroke stroke) {
    switch (stroke) {
    case SheetStroke::Grid:
        return penMm(kGridPenMm, sheetGridColour());
    case SheetStroke::GridBold:
        return penMm(kBoldGridPenMm);
    case SheetStroke::Tick:
        return penMm(kTickPenMm);
    case SheetStroke::Axis:
        return penMm(kAxisPenMm);
    }
    return penMm(kTickPenMm);
}

void paintTexts(QPainter &painter, const SheetModel &model) {
    painter.save();
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    painter.setPen(Qt::black);
    for (const SheetText &t : model.texts) {
        const QFont font = sheetFont(t.sizeMm, t.bold);
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        const QPointF anchor = t.anchor * kTextUnitsPerMm;
        double x = anchor.x();
        const double width = metrics.horizontalAdvance(t.text);
        if (t.align == SheetText::Centre)
            x -= width / 2;
        else if (t.align == SheetText::Right)
            x -= width;
        const double baseline = t.middle ? anchor.y() + metrics.capHeight() / 2 : anchor.y();
        painter.drawText(QPointF(x, baseline), t.text);
    }
    painter.restore();
}

// The code's dark modules as one path, each row's runs one rectangle, so that no seam shows
// between neighbouring modules.
QPainterPath codePath(const SheetModel &model) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const SheetCodeSymbol &symbol = model.codeSymbol;
    const double module = model.codeMm.width() / std::max(symbol.size, 1);
    for (int y = 0; y < symbol.size; ++y)
        for (int x = 0; x < symbol.size;) {
            if (!symbol.at(x, y)) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < symbol.size && symbol.at(x, y))
                ++x;
            path.addRect(QRectF(model.codeMm.left() + from * module,
                                model.codeMm.top() + y * module, (x - from) * module, module));
        }
    return path;
}

void paintRegistrationMarks(QPainter &painter, const SheetModel &model) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QPointF &f : model.fiducials)
        painter.drawEllipse(f, kFiducialDiameterMm / 2, kFiducialDiameterMm / 2);
    painter.drawPath(codePath(model));
    painter.restore();
}

} // namespace

QFont sheetFont(double sizeMm, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(sizeMm * kTextUnitsPerMm + 0.5));
    font.setBold(bold);
    return font;
}

double sheetTextWidthMm(const QString &text, double sizeMm, bool bold) {
    return QFontMetricsF(sheetFont(sizeMm, bold)).horizontalAdvance(text) / kTextUnitsPerMm;
}

void paintSheet(QPainter &painter, const SheetModel &model, const SheetGeometry &geometry) {
    if (!model.printable())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(geometry.offset);
    painter.scale(geometry.pixelsPerMmX, geometry.pixelsPerMmY);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(strokePen(SheetStroke::Grid));
    for (const auto *curves : {&model.parallels, &model.meridians})
        for (const GridCurve &curve : *curves) {
            if (curve.bold)
                continue;
            for (const QPolygonF &run : curve.runs)
                painter.drawPolyline(run);
        }
    painter.setPen(strokePen(SheetStroke::GridBold));
    for (const GridCurve &curve : model.parallels)
        if (curve.bold)
            for (const QPolygonF &run : curve.runs)
                painter.drawPolyline(run);
    for (const QPolygonF &run : model.centralMeridian)
        painter.drawPolyline(run);

    painter.setPen(penMm(kLimbPenMm));
    painter.drawEllipse(model.centre, model.radiusMm, model.radiusMm);

    for (const SheetPath &path : model.paths) {
        painter.setPen(strokePen(path.stroke));
        painter.drawPolyline(path.points);
    }
    paintTexts(painter, model);
    paintRegistrationMarks(painter, model);
    painter.restore();
}

QImage renderSheet(const SheetModel &model, int dotsPerInch) {
    if (!model.printable())
        return {};
    const double pixelsPerMm = dotsPerInch / kMmPerInch;
    const QSizeF paper = paperSizeMm(*model.paper);
    // Grey levels are all the sheet has: a quarter of the memory of colour, and as fast.
    QImage image(qRound(paper.width() * pixelsPerMm), qRound(paper.height() * pixelsPerMm),
                 QImage::Format_Grayscale8);
    const int dotsPerMetre = qRound(dotsPerInch / kMmPerInch * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double margin = kSheetMarginMm * pixelsPerMm;
    paintSheet(painter, model, {pixelsPerMm, pixelsPerMm, QPointF(margin, margin)});
    return image;
}

PageSetup sheetPage(const SheetModel &model) {
    PageSetup page;
    page.paper = model.paper == SheetPaper::A3 ? QPageSize::A3 : QPageSize::A4;
    page.orientation = QPageLayout::Portrait;
    page.marginsMm = QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm);
    return page;
}

bool printSheet(PrintJob &job, const SheetModel &model) {
    const QPaintDevice *device = job.canvas().device();
    if (!model.printable() || !device)
        return false;
    // True scale from the device's own resolution; the page is never fitted.
    const double perMmX = device->logicalDpiX() / kMmPerInch;
    const double perMmY = device->logicalDpiY() / kMmPerInch;
    const double pageWidthMm = job.pageWidth() / perMmX;
    const double pageHeightMm = job.pageHeight() / perMmY;
    const QSizeF needed = sheetNeededSize(model.radiusMm);
    if (pageWidthMm + kPageToleranceMm < needed.width() ||
        pageHeightMm + kPageToleranceMm < needed.height())
        return false;
    // A smaller page than the sheet was laid out for (another paper chosen in the printer's
    // set-up): laid out again on the page, so that nothing is cut off.
    const QSizeF page(pageWidthMm, pageHeightMm);
    SheetModel fitted;
    const SheetModel *sheet = &model;
    if (page.width() + kPageToleranceMm < model.contentMm.width() ||
        page.height() + kPageToleranceMm < model.contentMm.height()) {
        SheetSettings settings = model.settings;
        settings.paper = model.paper;
        settings.areaMm = page;
        fitted = buildSheetModel(settings);
        sheet = &fitted;
    }
    const double left = (pageWidthMm - sheet->contentMm.width()) / 2;
    paintSheet(job.canvas(), *sheet, {perMmX, perMmY, QPointF(left * perMmX, 0)});
    return true;
}

QString sheetTitle(const SheetModel &model) {
    return QCoreApplication::translate("Sheet", "Šablona pro kresbu  ") +
           shortDate(model.settings.date) + QLatin1Char(' ') +
           formatTimeUT(model.settings.timeUT, u"hh:nn");
}

QString sheetFileName(const SheetModel &model) {
    // The file name offered in the language shown: "Sablona15.06.2005_1030.pdf".
    return QCoreApplication::translate("Sheet", "Sablona%1_%2.pdf")
        .arg(shortDate(model.settings.date), formatTimeUT(model.settings.timeUT, u"hhnn"));
}

} // namespace orvanek
