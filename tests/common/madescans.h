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
#include <random>
#include <vector>

namespace orvanek::testing {

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

// The page (grey, white paper) turned, shifted, made noisy and saved as the recipe says.
// `pageToImage` is told where a point of the page (its painter's coordinates) went.
inline QImage scanPage(const QImage &page, const ScanRecipe &r, QTransform &pageToImage) {
    const double k = pixelsPerMm(r.dpi);
    QImage scan(page.size(), QImage::Format_Grayscale8);
    scan.fill(Qt::white);
    {
        QPainter p(&scan);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF middle(page.width() / 2.0, page.height() / 2.0);
        pageToImage = QTransform::fromTranslate(-middle.x(), -middle.y()) *
                      QTransform().rotate(r.turnDeg) *
                      QTransform::fromTranslate(middle.x() + r.shiftMm.x() * k,
                                                middle.y() + r.shiftMm.y() * k);
        p.setTransform(pageToImage);
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
    // Painter coordinates put a pixel's centre at a half; ours at a whole number.
    pageToImage = pageToImage * QTransform::fromTranslate(-0.5, -0.5);
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

// The program's own sheet as scanned.
inline MadeScan scanOfSheet(const SheetModel &model, const ScanRecipe &recipe,
                            const std::vector<QPointF> &dotsMm = {}) {
    const double k = pixelsPerMm(recipe.dpi);
    QImage page = renderSheet(model, recipe.dpi);
    // The printable area starts at the margin; the disk's centre is model.centre in it.
    const QTransform drawingToPage = QTransform::fromTranslate(model.centre.x() + kSheetMarginMm,
                                                               model.centre.y() + kSheetMarginMm) *
                                     QTransform::fromScale(k, k);
    drawDots(page, drawingToPage, dotsMm, 1.2, k);
    QTransform pageToImage;
    MadeScan made;
    made.image = scanPage(page, recipe, pageToImage);
    made.drawingToImage = drawingToPage * pageToImage;
    return made;
}

// A drawing on plain paper of `paperMm`: a circle of radius R (a pencil line 0.4 mm wide)
// centred on the paper and a short mark across the limb at the north point, position angle
// 0 (up, or down where north and south are mirrored), with dots.
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
    QTransform pageToImage;
    MadeScan made;
    made.image = scanPage(page, recipe, pageToImage);
    made.drawingToImage = drawingToPage * pageToImage;
    return made;
}

} // namespace orvanek::testing
