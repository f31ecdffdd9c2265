#pragma once

#include "views/common/printjob.h"
#include "views/silso/silsochart.h"

#include <QFont>
#include <QImage>
#include <QSize>

class QPainter;

namespace orvanek {

// The chart's font: a sans serif of `pixels` height in view pixels.
QFont silsoChartFont(bool bold = false);

// Paints the chart in its own view pixels (the painter's transform brings them to the
// device): panels, faint value lines, curves, k points and line, marks, every label. When
// there is nothing to compare, the message instead. It paints no background.
void paintSilsoChart(QPainter &painter, const SilsoChart &chart);

// The window's picture at `size`, white background, 96 dpi.
QImage renderSilsoChart(const SilsoComparison &comparison, QSize size);

// A4 landscape with 10 mm margins.
PageSetup silsoPage();

// Prints the chart on one page, laid out at a fixed width of view pixels and the page's
// proportions, scaled to the page width.
bool printSilsoChart(PrintJob &job, const SilsoComparison &comparison);

// "Srovnání s SILSO  SN_d_tot_V2.0.csv"
QString silsoCaption(const SilsoComparison &comparison);

} // namespace orvanek
