#pragma once

// Scans made for the tests: the program's own observing sheet rendered at a resolution, with
// dots drawn on it, turned and shifted as paper lies on a scanner, with noise and saved as
// JPEG; and plain drawings (a circle and a north mark). Each comes with the exact transform
// from the drawing's millimetres to image pixels, so that expected places are computed, not
// measured. Image pixels count from the top-left pixel's centre (pixel column i is at x i).

#include "data/dates.h"
#include "views/sheet/sheetpainter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <vector>

namespace orvanek::testing {

// The sheet of 21 June 2001, 8:30 UT (B0 1.77, P -7.06, L0 116.11, rotation 1977: the
// reference moment of the solar tests), on the paper given or the smallest that holds it.
inline SheetModel sheetOf2001(double radiusMm, int orientX = 1, int orientY = 1,
                              std::optional<SheetPaper> paper = std::nullopt) {
    SheetSettings s;
    s.date = *parseDate(QStringLiteral("21.06.2001"), 2000);
    s.timeUT = 830;
    s.radiusMm = radiusMm;
    s.orientX = orientX;
    s.orientY = orientY;
    s.paper = paper;
    return buildSheetModel(s);
}

struct ScanRecipe {
    int dpi = 150;
    double turnDeg = 0;   // the paper turned clockwise as the image is seen
    QPointF shiftMm;      // and moved on the scanner
    double noise = 0;     // grey levels, standard deviation
    int jpegQuality = -1; // saved as JPEG of this quality and read back; -1 not
};

struct MadeScan {
    QImage image; // grey levels
    // Millimetres from the disk's centre (x to the right, y down as drawn) to image pixels.
    QTransform drawingToImage;
};

inline double pixelsPerMm(int dpi) {
    return dpi / 25.4;
}

// Where a point of a page (its painter's coordinates) lies in the scan the recipe makes of
// it: turned about the page's middle, then shifted; pixel centres at whole numbers.
inline QTransform pageToScan(QSize page, const ScanRecipe &r) {
    const double k = pixelsPerMm(r.dpi);
    const QPointF middle(page.width() / 2.0, page.height() / 2.0);
    return QTransform::fromTranslate(-middle.x(), -middle.y()) * QTransform().rotate(r.turnDeg) *
           QTransform::fromTranslate(middle.x() + r.shiftMm.x() * k,
                                     middle.y() + r.shiftMm.y() * k) *
           QTransform::fromTranslate(-0.5, -0.5);
}

// The page (grey, white paper) turned, shifted, made noisy and saved as the recipe says.
inline QImage scanPage(const QImage &page, const ScanRecipe &r) {
    QImage scan(page.size(), QImage::Format_Grayscale8);
    scan.fill(Qt::white);
    {
        QPainter p(&scan);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::Antialiasing);
        // The painter's coordinates put a pixel's centre at a half.
        p.setTransform(pageToScan(page.size(), r) * QTransform::fromTranslate(0.5, 0.5));
        p.drawImage(0, 0, page);
    }
    if (r.noise > 0) {
        std::mt19937 random(7);
        std::normal_distribution<double> normal(0, r.noise);
        for (int y = 0; y < scan.height(); ++y) {
            uchar *row = scan.scanLine(y);
            for (int x = 0; x < scan.width(); ++x)
                row[x] = static_cast<uchar>(std::clamp(row[x] + normal(random), 0.0, 255.0));
        }
    }
    if (r.jpegQuality >= 0) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        scan.save(&buffer, "JPG", r.jpegQuality);
        scan = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_Grayscale8);
    }
    return scan;
}

// Pencil dots of `diameterMm` at places given in mm from the disk's centre.
inline void drawDots(QImage &page, const QTransform &drawingToPage,
                     const std::vector<QPointF> &dots, double diameterMm, double pixelsPerMm) {
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    const double r = diameterMm / 2 * pixelsPerMm;
    for (const QPointF &d : dots)
        p.drawEllipse(drawingToPage.map(d), r, r);
}

// Round pencil spots at places in mm from the disk's centre, each filled or an outline 0.3 mm
// wide round a core of 0.35 of its radius; the radius is the outer edge's.
struct PencilSpot {
    QPointF mm;
    double radiusMm = 1;
    bool outline = false;
};
inline void drawPencilSpots(QImage &page, const QTransform &drawingToPage,
                            const std::vector<PencilSpot> &spots) {
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(drawingToPage);
    const QColor pencil(30, 30, 30);
    for (const PencilSpot &s : spots) {
        p.setPen(s.outline ? QPen(pencil, 0.3) : QPen(Qt::NoPen));
        p.setBrush(s.outline ? QBrush(Qt::NoBrush) : QBrush(pencil));
        const double r = s.outline ? s.radiusMm - 0.15 : s.radiusMm;
        p.drawEllipse(s.mm, r, r);
        if (s.outline) {
            p.setPen(Qt::NoPen);
            p.setBrush(pencil);
            p.drawEllipse(s.mm, 0.35 * s.radiusMm, 0.35 * s.radiusMm);
        }
    }
}

// The sheet's page at the recipe's resolution, and its millimetres from the disk's centre to
// the page's painter coordinates (the printable area starts at the margin).
inline QSize sheetPageSize(const SheetModel &model, int dpi) {
    const QSizeF paper = paperSizeMm(*model.paper);
    return {qRound(paper.width() * pixelsPerMm(dpi)), qRound(paper.height() * pixelsPerMm(dpi))};
}
inline QTransform sheetDrawingToPage(const SheetModel &model, int dpi) {
    const double k = pixelsPerMm(dpi);
    return QTransform::fromTranslate(model.centre.x() + kSheetMarginMm,
                                     model.centre.y() + kSheetMarginMm) *
           QTransform::fromScale(k, k);
}

// Where the sheet's drawing lands in its scan, without making the scan.
inline QTransform sheetDrawingToScan(const SheetModel &model, const ScanRecipe &recipe) {
    return sheetDrawingToPage(model, recipe.dpi) *
           pageToScan(sheetPageSize(model, recipe.dpi), recipe);
}

// The program's own sheet as scanned.
inline MadeScan scanOfSheet(const SheetModel &model, const ScanRecipe &recipe,
                            const std::vector<QPointF> &dotsMm = {}) {
    QImage page = renderSheet(model, recipe.dpi);
    drawDots(page, sheetDrawingToPage(model, recipe.dpi), dotsMm, 1.2, pixelsPerMm(recipe.dpi));
    return {scanPage(page, recipe), sheetDrawingToScan(model, recipe)};
}

// A drawing on plain paper of `paperMm`: its millimetres from the disk's centre, in the
// middle of the paper, to the scan.
inline QTransform plainDrawingToScan(QSizeF paperMm, const ScanRecipe &recipe) {
    const double k = pixelsPerMm(recipe.dpi);
    const QSize page(qRound(paperMm.width() * k), qRound(paperMm.height() * k));
    return QTransform::fromTranslate(paperMm.width() / 2, paperMm.height() / 2) *
           QTransform::fromScale(k, k) * pageToScan(page, recipe);
}

// A circle of radius R (a pencil line 0.4 mm wide) and a short mark across the limb at the
// north point, position angle 0 (up, or down where north and south are mirrored), with dots.
inline MadeScan scanOfPlainDrawing(QSizeF paperMm, double radiusMm, int orientY,
                                   const ScanRecipe &recipe,
                                   const std::vector<QPointF> &dotsMm = {}) {
    const double k = pixelsPerMm(recipe.dpi);
    QImage page(qRound(paperMm.width() * k), qRound(paperMm.height() * k),
                QImage::Format_Grayscale8);
    page.fill(Qt::white);
    const QTransform drawingToPage =
        QTransform::fromTranslate(paperMm.width() / 2, paperMm.height() / 2) *
        QTransform::fromScale(k, k);
    {
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(drawingToPage);
        p.setPen(QPen(QColor(70, 70, 70), 0.4));
        p.drawEllipse(QPointF(), radiusMm, radiusMm);
        p.drawLine(QPointF(0, -orientY * (radiusMm - 4)), QPointF(0, -orientY * (radiusMm + 4)));
    }
    drawDots(page, drawingToPage, dotsMm, 1.2, k);
    return {scanPage(page, recipe), plainDrawingToScan(paperMm, recipe)};
}

} // namespace orvanek::testing
