#include "views/graphs/graphlayout.h"
#include "views/graphs/graphpainter.h"

#include "solar/calendar.h"
#include "solar/rounding.h"

#include <QCoreApplication>
#include <QFontMetricsF>

#include <algorithm>

namespace orvanek {

namespace {

// The texts of the daily graphs, translated in the context "Graphs".
struct GraphTexts {
    Q_DECLARE_TR_FUNCTIONS(Graphs)
};

// Screen layout, pixels of the window's client area.
constexpr int kPanelMargins = 120;     // client height not given to the three panels
constexpr int kPanelGap = 25;          // above each stacked panel
constexpr int kDivisionsPerPanel = 11; // ten labelled divisions and one for the titles
constexpr int kScreenLeft = 50;        // x of 1 January of the first year
constexpr int kGridOverhang = 200;     // grid and scroll range beyond the newest record
constexpr int kNewestAt = 750;         // the newest record this far from the left edge...
constexpr int kNewestMargin = 50;      // ...and at least this far from the right one
constexpr int kLabelX = 10;
constexpr int kScaleBoxLeft = 1;
constexpr int kScaleBoxRight = 40;
constexpr int kSmallScaleBelowWidth = 601;
constexpr int kLabelRaise = 8;       // value labels stand this far above their line
constexpr int kMonthLineBelow = 10;  // month lines reach below the zero line
constexpr int kMonthNameIndent = 10; // month names right of their line
constexpr int kDaysInLongestMonth = 31;
constexpr int kMonthNameDrop = 2; // month names under the zero line
constexpr int kJanuaryTitleIndent = 50;

// Paper layout, page pixels.
constexpr int kPaperLeft = 150;       // x of 1 January of the first year
constexpr int kPaperGridLeft = 140;   // the grid starts here, fixed on the page
constexpr int kPaperMonthSlack = 400; // months drawn this far past the page's right edge
constexpr int kPaperTitleLeft = 300;  // the page title starts this far left of the middle
constexpr int kPageWidthPerDayPixel = 500;
constexpr int kPaperLabelRaise = 20;
constexpr int kPaperMonthLineBelow = 40;
constexpr int kShortNameIndent = 3;
constexpr int kPaperYearDays = 60;   // January's year this many days right of its line
constexpr int kPaperTitleDays = 105; // and the panel name this many

// The three panels: whole disk black, north red, south blue.
GraphPanel panel(int index, int baseline) {
    static const std::array<GraphPanel, 3> panels = {{
        {1, {}, GraphCurve::Whole, QColor(0, 0, 0), 0},
        {2, {}, GraphCurve::North, QColor(255, 0, 0), 0},
        {3, {}, GraphCurve::South, QColor(0, 0, 255), 0},
    }};
    static const char *const names[] = {QT_TRANSLATE_NOOP("Graphs", "SEVER + JIH"),
                                        QT_TRANSLATE_NOOP("Graphs", "SEVER"),
                                        QT_TRANSLATE_NOOP("Graphs", "JIH")};
    GraphPanel p = panels[static_cast<size_t>(index - 1)];
    p.name = GraphTexts::tr(names[index - 1]);
    p.baseline = baseline;
    return p;
}

int curveHeight(const GraphSeries &series, GraphCurve curve, int point) {
    const auto p = static_cast<size_t>(point);
    switch (curve) {
    case GraphCurve::North:
        return series.northHeight[p];
    case GraphCurve::South:
        return series.southHeight[p];
    case GraphCurve::Whole:
        break;
    }
    return series.wholeHeight(point);
}

std::array<GraphText, kScaleDivisions> valueLabels(const GraphSeries &series, int x, int baseline,
                                                   int step, int raise) {
    std::array<GraphText, kScaleDivisions> labels;
    for (int k = 1; k <= kScaleDivisions; ++k)
        labels[static_cast<size_t>(k - 1)] = {
            QPoint(x, baseline - k * step - raise),
            QString::number(series.scaleLabels[static_cast<size_t>(k)])};
    return labels;
}

std::vector<GraphMonthLine> screenMonths(const GraphSeries &series, const GraphGeometry &g,
                                         const GraphPanel &p, const std::vector<MonthMark> &marks) {
    const int yb = p.baseline;
    const int h = g.step;
    std::vector<GraphMonthLine> months;
    months.reserve(marks.size());
    const std::array<QString, 12> names = monthNames();
    const std::array<QString, 12> shortNames = shortMonthNames();
    // A month's name where it fits before the next month's line, else its short name
    // ("September" is wider than a month at one pixel a day, and in English at two).
    const QFontMetricsF metrics(graphFont(kGraphMonthFont));
    constexpr int kGapBeforeNextLine = 3;
    for (size_t k = 0; k < marks.size(); ++k) {
        const MonthMark &m = marks[k];
        const int width =
            k + 1 < marks.size() ? marks[k + 1].x - m.x : kDaysInLongestMonth * series.pixelsPerDay;
        const int monthRoom = width - kMonthNameIndent - kGapBeforeNextLine;
        const int x = m.x + kScreenLeft - g.offset;
        GraphMonthLine line;
        line.line = QLine(x, yb + kMonthLineBelow, x, yb - 10 * h);
        const auto month = static_cast<size_t>(m.month);
        line.name = {QPoint(x + kMonthNameIndent, yb + kMonthNameDrop),
                     metrics.horizontalAdvance(names[month]) <= monthRoom ? names[month]
                                                                          : shortNames[month]};
        line.january = m.month == 0;
        if (line.january) {
            line.year = {QPoint(x, yb - 11 * h), QString::number(m.year)};
            line.title = {QPoint(x + kJanuaryTitleIndent, yb - 11 * h),
                          GraphTexts::tr("%1   %2", "a panel's title: its curve, the quantity")
                              .arg(p.name, series.quantityLabel)};
        }
        months.push_back(line);
    }
    return months;
}

std::vector<GraphMonthLine> paperMonths(const GraphSeries &series, const GraphGeometry &g,
                                        const GraphPanel &p, const std::vector<MonthMark> &marks) {
    const int yb = p.baseline;
    const int h = g.step;
    const int ppd = series.pixelsPerDay;
    std::vector<GraphMonthLine> months;
    const std::array<QString, 12> names = monthNames();
    const std::array<QString, 12> shortNames = shortMonthNames();
    for (const MonthMark &m : marks) {
        const int shifted = m.x - g.offset;
        if (shifted < 0 || shifted >= g.width + kPaperMonthSlack)
            continue;
        const int x = shifted + kPaperLeft;
        GraphMonthLine line;
        line.line = QLine(x, yb + kPaperMonthLineBelow, x, yb - 10 * h);
        const auto month = static_cast<size_t>(m.month);
        const int nameY = yb + kMonthNameDrop;
        line.name = ppd > 1 ? GraphText{QPoint(x + kMonthNameIndent, nameY), names[month]}
                            : GraphText{QPoint(x + kShortNameIndent, nameY), shortNames[month]};
        line.january = m.month == 0;
        if (line.january) {
            line.year = {QPoint(shifted + kPaperYearDays * ppd, yb - 10 * h),
                         QString::number(m.year)};
            line.title = {QPoint(shifted + kPaperTitleDays * ppd, yb - 10 * h), p.name};
        }
        months.push_back(line);
    }
    return months;
}

QPolygon screenCurve(const GraphSeries &series, const GraphGeometry &g, const GraphPanel &p) {
    QPolygon curve(series.pointCount());
    for (int i = 0; i < series.pointCount(); ++i)
        curve.setPoint(i, series.graphX[static_cast<size_t>(i)] + kScreenLeft - g.offset,
                       p.baseline - g.verticalFactor * curveHeight(series, p.curve, i));
    return curve;
}

// Only the records on the page, from its left edge on (record 1 included); the first one
// of them is doubled.
QPolygon paperCurve(const GraphSeries &series, const GraphGeometry &g, const GraphPanel &p) {
    QPolygon curve;
    for (int i = 0; i < series.pointCount(); ++i) {
        const int shifted = series.graphX[static_cast<size_t>(i)] - g.offset;
        if (shifted < 0 || shifted >= g.width)
            continue;
        const QPoint point(shifted + kPaperLeft,
                           p.baseline - g.verticalFactor * curveHeight(series, p.curve, i));
        if (curve.isEmpty())
            curve << point;
        curve << point;
    }
    return curve;
}

} // namespace

int verticalFactor(DisplayMode mode) {
    return mode == DisplayMode::All ? 1 : 3;
}

QString viewLabel(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::All:
        return GraphTexts::tr("Celkový  Sever  Jih   -");
    case DisplayMode::Whole:
        return GraphTexts::tr("Celkový   -");
    case DisplayMode::North:
        return GraphTexts::tr("Sever   -");
    case DisplayMode::South:
        return GraphTexts::tr("Jih   -");
    }
    return {};
}

QString initialViewLabel() {
    return GraphTexts::tr("Celkový   Sever   Jih  -");
}

QString graphCaption(const QString &viewLabel, const QString &quantityLabel) {
    return ((GraphTexts::tr("Graf   ") + viewLabel).left(47) + quantityLabel).left(87);
}

std::array<QString, 12> monthNames() {
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("Graphs", "Leden"),    QT_TRANSLATE_NOOP("Graphs", "Únor"),
        QT_TRANSLATE_NOOP("Graphs", "Březen"),   QT_TRANSLATE_NOOP("Graphs", "Duben"),
        QT_TRANSLATE_NOOP("Graphs", "Květen"),   QT_TRANSLATE_NOOP("Graphs", "Červen"),
        QT_TRANSLATE_NOOP("Graphs", "Červenec"), QT_TRANSLATE_NOOP("Graphs", "Srpen"),
        QT_TRANSLATE_NOOP("Graphs", "Září"),     QT_TRANSLATE_NOOP("Graphs", "Říjen"),
        QT_TRANSLATE_NOOP("Graphs", "Listopad"), QT_TRANSLATE_NOOP("Graphs", "Prosinec")};
    std::array<QString, 12> translated;
    for (size_t m = 0; m < translated.size(); ++m)
        translated[m] = GraphTexts::tr(names[m]);
    return translated;
}

std::array<QString, 12> shortMonthNames() {
    // June and July (Červen, Červenec) both print as "Čer"; the month tells the translations
    // apart.
    static const char *const names[][2] = {QT_TRANSLATE_NOOP3("Graphs", "Led", "January"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Úno", "February"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Bře", "March"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Dub", "April"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Kvě", "May"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Čer", "June"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Čer", "July"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Srp", "August"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Zář", "September"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Říj", "October"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Lis", "November"),
                                           QT_TRANSLATE_NOOP3("Graphs", "Pro", "December")};
    std::array<QString, 12> translated;
    for (size_t m = 0; m < translated.size(); ++m)
        translated[m] = GraphTexts::tr(names[m][0], names[m][1]);
    return translated;
}

PanelSize screenPanelSize(int clientHeight) {
    const int panelHeight = std::max(clientHeight - kPanelMargins, 0) / 3;
    const int divisionHeight = panelHeight / kDivisionsPerPanel;
    return {divisionHeight * kDivisionsPerPanel, divisionHeight};
}

PanelSize pagePanelSize(int pageWidth, int pageHeight) {
    const int panelHeight = pageHeight < pageWidth ? (pageHeight - pageHeight / 6) / 3
                                                   : ((3 * pageWidth) / 4 - pageWidth / 6) / 3;
    const int divisionHeight = std::max(panelHeight, 0) / kDivisionsPerPanel;
    return {std::max(panelHeight, 0) + divisionHeight, divisionHeight};
}

int pagePixelsPerDay(int pageWidth) {
    return std::max(pageWidth / kPageWidthPerDayPixel, 1);
}

int paperOffset(int screenScroll, int pagePixelsPerDay) {
    return screenScroll * pagePixelsPerDay / 2; // C++ division truncates toward zero
}

GraphScroll graphScroll(const GraphSeries &series, int clientWidth) {
    const int lastX = series.lastX();
    GraphScroll scroll;
    scroll.range = lastX + kGridOverhang;
    const int highest = std::max(scroll.range - clientWidth, 0);
    // The newest record 750 pixels in, or nearer the left edge in a narrow window.
    const int wanted =
        std::max({0, lastX - kNewestAt, lastX + kScreenLeft + kNewestMargin - clientWidth});
    scroll.position = std::min(wanted, highest);
    return scroll;
}

std::vector<GraphPanel> panelLayout(DisplayMode mode, int panelHeight) {
    const int tall = 3 * panelHeight;
    switch (mode) {
    case DisplayMode::All:
        return {panel(1, panelHeight + kPanelGap), panel(2, 2 * (panelHeight + kPanelGap)),
                panel(3, 3 * (panelHeight + kPanelGap))};
    case DisplayMode::Whole:
        return {panel(1, tall)};
    case DisplayMode::North:
        return {panel(2, tall)};
    case DisplayMode::South:
        return {panel(3, tall)};
    }
    return {};
}

std::vector<MonthMark> monthGrid(int firstYear, int lastX, int pixelsPerDay) {
    const int ppd = std::max(pixelsPerDay, 1);
    // Enough months to pass the newest record (30.6 days a month on average)...
    const int count = static_cast<int>(roundHalfEven(lastX / (ppd * 30.6))) + ppd;
    std::vector<MonthMark> marks;
    marks.reserve(static_cast<size_t>(count) + 1);
    int xm = 0;
    // ...but a month is 30.44 days long: after some thirty years that count falls short of
    // the newest record. The grid always runs to `ppd` months past the one it lies in.
    int firstAfter = -1; // the first month beginning after the newest record
    for (int m = 0; m <= count || firstAfter < 0 || m < firstAfter + ppd; ++m) {
        const int year = firstYear + m / 12;
        const int month = m % 12;
        if (firstAfter < 0 && xm > lastX)
            firstAfter = m;
        marks.push_back({year, month, xm});
        xm += daysInMonth(year, month + 1) * ppd; // 29 February in leap years
    }
    return marks;
}

GraphGeometry screenGraphGeometry(int clientWidth, int clientHeight, DisplayMode mode, int scroll) {
    GraphGeometry g;
    g.surface = GraphSurface::Screen;
    g.mode = mode;
    g.verticalFactor = verticalFactor(mode);
    g.panel = screenPanelSize(clientHeight);
    g.step = g.panel.divisionHeight * g.verticalFactor;
    g.width = clientWidth;
    g.height = clientHeight;
    g.offset = scroll;
    g.panels = panelLayout(mode, g.panel.panelHeight);
    return g;
}

GraphGeometry paperGraphGeometry(int pageWidth, int pageHeight, DisplayMode mode,
                                 int screenScroll) {
    GraphGeometry g;
    g.surface = GraphSurface::Paper;
    g.mode = mode;
    g.verticalFactor = verticalFactor(mode);
    g.panel = pagePanelSize(pageWidth, pageHeight);
    g.step = g.panel.divisionHeight * g.verticalFactor;
    g.width = pageWidth;
    g.height = pageHeight;
    g.offset = paperOffset(screenScroll, pagePixelsPerDay(pageWidth));
    g.panels = panelLayout(mode, g.panel.panelHeight);
    return g;
}

GraphSeries paperSeries(const GraphSeries &screen, const ObservationStore &store,
                        const GraphGeometry &paper) {
    GraphSeries series = screen;
    buildTimeAxis(series, store, pagePixelsPerDay(paper.width));
    recomputeSelected(series, store, paper.panel.divisionHeight);
    return series;
}

GraphModel buildGraphModel(const GraphSeries &series, const GraphGeometry &g) {
    GraphModel model;
    model.surface = g.surface;
    const bool screen = g.surface == GraphSurface::Screen;
    model.offset = screen ? g.offset : 0;
    const std::vector<MonthMark> marks =
        monthGrid(series.firstYear, series.lastX(), series.pixelsPerDay);
    for (const GraphPanel &p : g.panels) {
        GraphPanelDrawing d;
        d.panel = p;
        const int left = screen ? kScreenLeft - g.offset : kPaperGridLeft;
        const int right =
            screen ? series.lastX() + kGridOverhang - g.offset : g.width + kGridOverhang;
        for (int k = 0; k <= kScaleDivisions; ++k) {
            const int y = p.baseline - k * g.step;
            d.gridLines[static_cast<size_t>(k)] = QLine(left, y, right, y);
        }
        d.valueLabels =
            screen ? valueLabels(series, kLabelX - g.offset, p.baseline, g.step, kLabelRaise)
                   : valueLabels(series, kLabelX, p.baseline, g.step, kPaperLabelRaise);
        d.months = screen ? screenMonths(series, g, p, marks) : paperMonths(series, g, p, marks);
        d.curve = screen ? screenCurve(series, g, p) : paperCurve(series, g, p);
        model.panels.push_back(std::move(d));
    }
    if (!screen)
        model.pageTitle = {QPoint(g.width / 2 - kPaperTitleLeft, 10 * g.verticalFactor),
                           series.quantityLabel};
    return model;
}

GraphScale graphScale(const GraphSeries &series, const GraphGeometry &g, int windowWidth) {
    GraphScale scale;
    scale.smallFont = windowWidth < kSmallScaleBelowWidth;
    for (const GraphPanel &p : g.panels) {
        GraphScaleBlock block;
        // From the top value's label down: the panel's title on the row above stays readable
        // when the graph is scrolled under the scale.
        block.box =
            QRect(QPoint(kScaleBoxLeft, p.baseline - kScaleDivisions * g.step - kLabelRaise),
                  QPoint(kScaleBoxRight, p.baseline));
        block.labels = valueLabels(series, kLabelX, p.baseline, g.step, kLabelRaise);
        scale.blocks.push_back(block);
    }
    return scale;
}

} // namespace orvanek
