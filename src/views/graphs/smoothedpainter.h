#pragma once

// The smoothed-graph window's one drawing routine, for the window, images, the printer and
// the command line, and the asymmetry window's scale.

#include "views/common/printjob.h"
#include "views/graphs/smoothedlayout.h"

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

namespace orvanek {

// The grid and year lines nearly white, the monthly means crimson, the smoothed curve black.
inline QColor smoothedGridColour() {
    return {240, 240, 240};
}
inline QColor monthlyMeanColour() {
    return {255, 0, 100};
}

// Paints the layout: grid, value labels, year lines and years, axes, title, the monthly
// means and the smoothed curve, both cut at the grid's top row or under the title, whichever
// is lower. No background.
void paintSmoothed(QPainter &painter, const SmoothedLayout &layout,
                   const SmoothedGeometry &geometry);

// The asymmetry window's scale command.
void paintAsymmetryScale(QPainter &painter, const AsymmetryScale &scale);

// The window's client area of `size` as an image, white, 96 dpi.
QImage renderSmoothed(const SmoothedLayout &layout, const SmoothedGeometry &geometry, QSize size);

// The smoothed graph's page: A4 landscape, 10 mm margins.
PageSetup smoothedPage();

// Prints the monthly series on the job's page at s = page width div 64, starting at the
// month at the window's left edge (`screen` is the window's last paint).
bool printSmoothed(PrintJob &job, const MonthlySeries &series, const SmoothedGeometry &screen);

// The page geometry for a window's: the scroll carried over in whole months, the grid to
// the page's right edge.
SmoothedGeometry smoothedPageGeometry(int pageWidth, int dotsPerInch,
                                      const SmoothedGeometry &screen);

} // namespace orvanek
