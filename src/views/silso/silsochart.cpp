#include "views/silso/silsochart.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

// The frame, in view pixels.
constexpr double kLeftPx = 64; // value marks left of the panels
constexpr double kRightPx = 24;
constexpr double kTopPx = 48;        // title and legend
constexpr double kBetweenPx = 44;    // years under the upper panel, the lower panel's title
constexpr double kBottomPx = 30;     // years under the lower panel
constexpr double kUpperShare = 0.62; // of the height both panels share
constexpr double kTitleY = 16;
constexpr double kLegendY = 36;
constexpr double kLegendLinePx = 28;
constexpr double kLabelGapPx = 6;
constexpr double kYearLabelDropPx = 12;
constexpr double kTickPx = 5;
constexpr double kMinYearLabelPx = 40; // years are labelled at least this far apart
constexpr int kValueMarks = 5;         // about this many marks up each panel
constexpr int kMostValueMarks = 20;    // and never more than this
// Room above the highest value and about the k values.
constexpr double kHeadroom = 1.05;
constexpr double kSmallestKSpan = 0.2;
constexpr double kKPadding = 0.1;

// Of 1, 2 and 5 times a power of ten, the nearest to `x` (by ratio).
double niceStep(double x) {
    if (!(x > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    double best = power;
    for (double m : {2.0, 5.0, 10.0})
        if (std::abs(std::log(m * power / x)) < std::abs(std::log(best / x)))
            best = m * power;
    return best;
}

int decimalsFor(double step) {
    return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

QString kText(double k) {
    return QString::number(k, 'f', 2);
}

int monthNumber(int year, int month) {
    return year * 12 + month - 1;
}

class ChartBuilder {
  public:
    ChartBuilder(const SilsoComparison &c, SilsoChart &chart) : c_(c), chart_(chart) {}
    void build();

  private:
    double x(int month) const {
        return chart_.upper.left() +
               (month - chart_.firstMonth + 0.5) * chart_.upper.width() / chart_.monthCount;
    }
    double upperY(double value) const {
        return chart_.upper.bottom() - value / chart_.upperTop * chart_.upper.height();
    }
    double lowerY(double k) const {
        return chart_.lower.bottom() -
               (k - chart_.lowerLow) / (chart_.lowerHigh - chart_.lowerLow) * chart_.lower.height();
    }
    void label(QPointF at, const QString &text, ChartLabel::Align align,
               const QColor &colour = Qt::black, bool bold = false) {
        chart_.labels.push_back({at, text, align, colour, bold});
    }
    void curves();
    void valueMarks();
    void years();
    void legend();

    const SilsoComparison &c_;
    SilsoChart &chart_;
    double upperStep_ = 1; // between the upper panel's value marks
};

void ChartBuilder::build() {
    const QSizeF size = chart_.size;
    const double plotHeight = size.height() - kTopPx - kBetweenPx - kBottomPx;
    const double width = size.width() - kLeftPx - kRightPx;
    chart_.upper = QRectF(kLeftPx, kTopPx, width, plotHeight * kUpperShare);
    chart_.lower =
        QRectF(kLeftPx, chart_.upper.bottom() + kBetweenPx, width, plotHeight * (1 - kUpperShare));
    const ComparisonRow &first = c_.months.front();
    const ComparisonRow &last = c_.months.back();
    chart_.firstMonth = monthNumber(first.year, first.month);
    chart_.monthCount = monthNumber(last.year, last.month) - chart_.firstMonth + 1;

    const double k = c_.all.k.value_or(1);
    double highest = 0;
    std::vector<double> ks;
    for (const ComparisonRow &m : c_.months) {
        highest = std::max({highest, m.ownR * k, m.silso});
        if (m.k)
            ks.push_back(*m.k);
    }
    // The top at a whole value mark above the highest value.
    upperStep_ = niceStep(highest * kHeadroom / kValueMarks);
    chart_.upperTop = std::max(upperStep_ * std::ceil(highest * kHeadroom / upperStep_), 1.0);
    if (c_.all.k)
        ks.push_back(*c_.all.k);
    double low = ks.empty() ? 0 : *std::min_element(ks.begin(), ks.end());
    double high = ks.empty() ? 2 : *std::max_element(ks.begin(), ks.end());
    const double pad = std::max((high - low) * kKPadding, (kSmallestKSpan - (high - low)) / 2);
    chart_.lowerLow = low - std::max(pad, 0.0);
    chart_.lowerHigh = high + std::max(pad, 0.0);
    // Values so large that the padding is lost in their rounding still get a panel.
    if (!(chart_.lowerHigh > chart_.lowerLow)) {
        const double wide = std::max(std::abs(low), 1.0) * kKPadding;
        chart_.lowerLow = low - wide;
        chart_.lowerHigh = high + wide;
    }

    curves();
    valueMarks();
    years();
    legend();
}

void ChartBuilder::curves() {
    const double k = c_.all.k.value_or(1);
    QPolygonF own;
    QPolygonF silso;
    int previous = 0;
    for (const ComparisonRow &m : c_.months) {
        const int month = monthNumber(m.year, m.month);
        if (!own.isEmpty() && month != previous + 1) {
            chart_.ownCurve.push_back(own);
            chart_.silsoCurve.push_back(silso);
            own.clear();
            silso.clear();
        }
        own << QPointF(x(month), upperY(m.ownR * k));
        silso << QPointF(x(month), upperY(m.silso));
        if (m.k)
            chart_.kPoints.push_back({x(month), lowerY(*m.k)});
        previous = month;
    }
    chart_.ownCurve.push_back(own);
    chart_.silsoCurve.push_back(silso);
    if (c_.all.k)
        chart_.kLine =
            QLineF(chart_.lower.left(), lowerY(*c_.all.k), chart_.lower.right(), lowerY(*c_.all.k));
}

void ChartBuilder::valueMarks() {
    // The marks are counted, never stepped through by adding: at large values a step can be
    // too small to change the value, and such a loop would never end.
    const double upperStep = upperStep_;
    const double upperMarks = std::floor(chart_.upperTop / upperStep * (1 + 1e-9));
    for (int i = 0; i <= upperMarks && i <= kMostValueMarks; ++i) {
        const double v = i * upperStep;
        const double y = upperY(v);
        chart_.gridLines.push_back({chart_.upper.left(), y, chart_.upper.right(), y});
        label({chart_.upper.left() - kLabelGapPx, y},
              QString::number(v, 'f', decimalsFor(upperStep)), ChartLabel::Right);
    }
    const double span = chart_.lowerHigh - chart_.lowerLow;
    const double lowerStep = niceStep(span / kValueMarks);
    const double first = std::ceil(chart_.lowerLow / lowerStep - 1e-9);
    const double lowerMarks = std::floor(chart_.lowerHigh / lowerStep + 1e-9) - first;
    for (int i = 0; i <= lowerMarks && i <= kMostValueMarks; ++i) {
        const double v = (first + i) * lowerStep;
        const double y = lowerY(v);
        chart_.gridLines.push_back({chart_.lower.left(), y, chart_.lower.right(), y});
        label({chart_.lower.left() - kLabelGapPx, y},
              QString::number(v, 'f', decimalsFor(lowerStep)), ChartLabel::Right);
    }
}

void ChartBuilder::years() {
    const double monthPx = chart_.upper.width() / chart_.monthCount;
    int stride = 1;
    for (int s : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        stride = s;
        if (s * 12 * monthPx >= kMinYearLabelPx)
            break;
    }
    const int firstYear = chart_.firstMonth / 12;
    const int lastYear = (chart_.firstMonth + chart_.monthCount - 1) / 12;
    for (int year = firstYear; year <= lastYear; ++year) {
        if (year % stride != 0)
            continue;
        // The year's mark at its January, or at the first month when the data start later.
        const double at = x(std::max(monthNumber(year, 1), chart_.firstMonth)) - monthPx / 2;
        for (const QRectF &panel : {chart_.upper, chart_.lower}) {
            chart_.ticks.push_back({at, panel.bottom(), at, panel.bottom() + kTickPx});
            label({at, panel.bottom() + kYearLabelDropPx}, QString::number(year),
                  ChartLabel::Centre);
        }
    }
}

void ChartBuilder::legend() {
    const ComparisonRow &all = c_.all;
    const auto kOrNone = [](const std::optional<double> &k) {
        return k ? kText(*k) : QCoreApplication::translate("Silso", "nelze určit");
    };
    QString title =
        QCoreApplication::translate("Silso", "Srovnání s SILSO: %1, %n společných dní, k = %2",
                                    nullptr, all.days)
            .arg(c_.fileName, kOrNone(all.k));
    if (c_.kind == SilsoKind::Hemispheric)
        title += QCoreApplication::translate("Silso", ", sever %1, jih %2")
                     .arg(kOrNone(all.kNorth), kOrNone(all.kSouth));
    label({kLeftPx, kTitleY}, title, ChartLabel::Left, Qt::black, true);
    const double x0 = kLeftPx;
    chart_.ownLegend = QLineF(x0, kLegendY, x0 + kLegendLinePx, kLegendY);
    label({x0 + kLegendLinePx + kLabelGapPx, kLegendY},
          all.k ? QCoreApplication::translate("Silso", "vlastní měsíční R × k")
                : QCoreApplication::translate("Silso", "vlastní měsíční R"),
          ChartLabel::Left, ownCurveColour());
    const double x1 = x0 + chart_.upper.width() / 3;
    chart_.silsoLegend = QLineF(x1, kLegendY, x1 + kLegendLinePx, kLegendY);
    label({x1 + kLegendLinePx + kLabelGapPx, kLegendY},
          QCoreApplication::translate("Silso", "SILSO, průměr ze stejných dní"), ChartLabel::Left,
          silsoCurveColour());
    label({kLeftPx, chart_.lower.top() - kLabelGapPx - 4},
          QCoreApplication::translate("Silso", "měsíční k") +
              (all.k ? QCoreApplication::translate("Silso", " (čára: k = %1 ze všech dní)")
                           .arg(kText(*all.k))
                     : QString()),
          ChartLabel::Left, kPointColour());
}

} // namespace

SilsoChart silsoChart(const SilsoComparison &comparison, QSizeF size) {
    SilsoChart chart;
    chart.size = size;
    if (!comparison.comparable() || comparison.months.empty()) {
        chart.message = comparison.problem;
        return chart;
    }
    ChartBuilder(comparison, chart).build();
    return chart;
}

double silsoChartMonthX(const SilsoChart &chart, int year, int month) {
    if (chart.monthCount == 0)
        return 0;
    return chart.upper.left() + (monthNumber(year, month) - chart.firstMonth + 0.5) *
                                    chart.upper.width() / chart.monthCount;
}

} // namespace orvanek
