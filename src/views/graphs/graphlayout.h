#pragma once

// Everything the graph window draws, placed: panels, grid, month lines with their names,
// value labels and curves, for the screen and for a printed page. The painter only draws
// what is placed here.

#include "views/graphs/activityseries.h"

#include <QColor>
#include <QLine>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

namespace orvanek {

// Which panels the window shows.
enum class DisplayMode { All = 1, Whole = 2, North = 3, South = 4 };
enum class GraphCurve { Whole, North, South };
enum class GraphSurface { Screen, Paper };

// The single panel of modes 2..4 is three times as tall, so are its curves.
int verticalFactor(DisplayMode mode);

// The caption fragment naming the panels of a mode, as its menu command sets it.
QString viewLabel(DisplayMode mode);
// The fragment the window opens with (and returns to after printing): spaced unlike
// the one the "Všechny tři" command sets.
QString initialViewLabel();
// "Graf   " + view label + quantity label; the first join cut to 47 characters, the
// whole caption to 87.
QString graphCaption(const QString &viewLabel, const QString &quantityLabel);

// Czech month names, January first; the three-letter forms the printed grid uses when a
// day is one pixel wide.
std::array<QString, 12> monthNames();
std::array<QString, 12> shortMonthNames();

// A panel's height and that of one of its eleven divisions, in pixels.
struct PanelSize {
    int panelHeight = 0;
    int divisionHeight = 0;
};
// From the window's client height: three panels with 120 pixels of margins, each a whole
// number of divisions. A window too low for panels gets 0.
PanelSize screenPanelSize(int clientHeight);
// From the page: three panels in five sixths of a landscape page, or in the three quarters
// of the width less a sixth on an upright one; one division is added to the panel.
PanelSize pagePanelSize(int pageWidth, int pageHeight);
// Days are pageWidth div 500 pixels wide on paper, at least 1 on a narrow page.
int pagePixelsPerDay(int pageWidth);
// The page starts at the date at the window's left edge: the screen scroll position in
// paper pixels, halved toward zero.
int paperOffset(int screenScroll, int pagePixelsPerDay);

// The horizontal scroll bar: its range and the position that brings the newest record in
// view, 750 pixels from the left edge where the window is wide enough.
struct GraphScroll {
    int range = 0;
    int position = 0;
};
GraphScroll graphScroll(const GraphSeries &series, int clientWidth);

// One drawn panel: which (1 whole disk, 2 north, 3 south), its name, its curve and colour,
// and the y of its zero line.
struct GraphPanel {
    int index = 1;
    QString name;
    GraphCurve curve = GraphCurve::Whole;
    QColor colour;
    int baseline = 0;
};
// The panels of a mode at a panel height: three stacked ones, or one of triple height.
std::vector<GraphPanel> panelLayout(DisplayMode mode, int panelHeight);

// The month grid: one mark per month from January of the first year, xm pixels from that
// January (a 29 February widens the leap year's February).
struct MonthMark {
    int year = 0;
    int month = 0; // 0 = January
    int x = 0;
};
std::vector<MonthMark> monthGrid(int firstYear, int lastX, int pixelsPerDay);

// Text sizes of the windows are points at 96 dots per inch, whatever the screen.
inline constexpr int kScreenDotsPerInch = 96;

// Where a painting of the graphs goes: screen or page, its size, the panels' sizes and the
// scroll offset subtracted from the x of everything that moves with the data.
struct GraphGeometry {
    GraphSurface surface = GraphSurface::Screen;
    DisplayMode mode = DisplayMode::All;
    int verticalFactor = 1;
    PanelSize panel;
    int step = 0; // pixels between grid lines: divisionHeight x verticalFactor
    int width = 0;
    int height = 0;
    int offset = 0; // S on screen, S' on paper
    // Text sizes are points on a device of this resolution: the screen's 96, the printer's.
    int dotsPerInch = kScreenDotsPerInch;
    std::vector<GraphPanel> panels;
};
GraphGeometry screenGraphGeometry(int clientWidth, int clientHeight, DisplayMode mode, int scroll);
GraphGeometry paperGraphGeometry(int pageWidth, int pageHeight, DisplayMode mode, int screenScroll);

// The series a page is drawn from: the screen's quantity, positions at the page's day width
// and heights at its division height.
GraphSeries paperSeries(const GraphSeries &screen, const ObservationStore &store,
                        const GraphGeometry &paper);

// A text by the top-left of its box.
struct GraphText {
    QPoint pos;
    QString text;
};

// Value labels are right-aligned in a column this wide (pixels).
inline constexpr int kValueLabelWidth = 30;

struct GraphMonthLine {
    QLine line;
    GraphText name;
    bool january = false;
    GraphText year;  // January only
    GraphText title; // January only: the panel's name (and on screen the quantity)
};

struct GraphPanelDrawing {
    GraphPanel panel;
    std::array<QLine, kScaleDivisions + 1> gridLines; // [0] the zero line
    std::array<GraphText, kScaleDivisions> valueLabels;
    std::vector<GraphMonthLine> months;
    // Through the records in store order; on screen all of them, on paper those from the
    // page's left edge to its width, the first point doubled so that a lone point still
    // leaves a dot under the wide paper pen.
    QPolygon curve;
};

struct GraphModel {
    GraphSurface surface = GraphSurface::Screen;
    std::vector<GraphPanelDrawing> panels;
    GraphText pageTitle; // paper only
    // On screen: the scroll position everything was placed at. A paint at another position
    // shifts the model by the difference rather than placing it again.
    int offset = 0;
};
GraphModel buildGraphModel(const GraphSeries &series, const GraphGeometry &geometry);

// The scale command: value labels of each visible panel at the window's left edge, on a
// white box, whatever the scroll position.
struct GraphScaleBlock {
    QRect box;
    std::array<GraphText, kScaleDivisions> labels;
};
struct GraphScale {
    bool smallFont = false; // a window narrower than 601 pixels takes Arial 6
    std::vector<GraphScaleBlock> blocks;
};
GraphScale graphScale(const GraphSeries &series, const GraphGeometry &geometry, int windowWidth);

} // namespace orvanek
