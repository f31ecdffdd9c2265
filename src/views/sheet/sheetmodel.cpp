#include "views/sheet/sheetmodel.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "entry/entryform.h"
#include "solar/vectorstate.h"
#include "views/sheet/sheetcode.h"
#include "views/sheet/sheetpainter.h"

#include <QCoreApplication>
#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvanek {

namespace {

// The texts of the sheet, translated in the context "Sheet".
struct SheetTexts {
    Q_DECLARE_TR_FUNCTIONS(Sheet)
};

constexpr double kRadPerDeg = std::numbers::pi / 180;

// --- The layout, in millimetres on paper ----------------------------------------------------

constexpr double kHeaderMm = 36; // the header block above the disk
constexpr double kGapMm = 4;     // between header, disk and table
// Beyond the limb: the position-angle ticks, their numbers and the compass letters.
constexpr double kRingMm = kSheetRingMm;
constexpr double kShortTickMm = 1.5;   // every 10 degrees
constexpr double kLongTickMm = 3;      // every 30 degrees, where the numbers are
constexpr double kLabelGapMm = 0.7;    // between a tick and its number
constexpr double kAxisInsideMm = 4;    // the axis mark crosses the limb from here ...
constexpr double kAxisOutsideMm = 3.5; // ... to here, short of the scale's numbers
constexpr double kAxisLabelInMm = 6;   // "P" inside the limb, beside the axis
constexpr double kAxisLabelSideMm = 2.5;
constexpr double kTableRowMm = 7;
constexpr int kMinTableRows = 3; // a sheet without room for these is refused
constexpr double kNumberColumnMm = 8;

// Character heights.
constexpr double kTitleMm = 5;
constexpr double kHeaderTextMm = 3.5;
constexpr double kSmallTextMm = 2.5;
constexpr double kScaleTextMm = 2.4;
constexpr double kCompassTextMm = 3.6;
constexpr double kGridTextMm = 2.2;

// The header's lines (baselines) and its blank fields.
constexpr double kTitleY = 5;
constexpr double kMomentY = 12;
constexpr double kEphemerisY = 18;
constexpr double kObserverY = 26;
constexpr double kConditionsY = 33;
constexpr double kUnderlineDropMm = 0.6; // a blank field's line under the baseline
constexpr double kScaleBarMm = 100;      // printed to check that nothing scaled the page

// A blank field: its label at x and the line to write on from lineFrom to lineTo (mm from
// the left; a negative lineTo counts from the right edge).
struct BlankField {
    const char *label;
    double y;
    double x;
    double lineFrom;
    double lineTo;
};
// clang-format off
constexpr BlankField kBlankFields[] = {
    {QT_TRANSLATE_NOOP("Sheet", "Pozorovatel:"), kObserverY, 0, 25, 105},
    {QT_TRANSLATE_NOOP("Sheet", "Stanice:"), kObserverY, 110, 128, 0},
    {QT_TRANSLATE_NOOP("Sheet", "PP:"), kConditionsY, 0, 7, 22},
    {QT_TRANSLATE_NOOP("Sheet", "Obr.:"), kConditionsY, 26, 36, 51},
    {QT_TRANSLATE_NOOP("Sheet", "Q:"), kConditionsY, 55, 60, 75},
};
// clang-format on

// Parallels every 10 degrees up to 80, labelled up to 70 (nearer the pole they crowd).
constexpr int kGridStepDeg = 10;
// The grid's curves are sampled every 2 degrees: on a disk of 125 mm a chord then strays
// 0.02 mm from the arc, and crossings (multiples of 10) stay vertices of both curves.
constexpr int kSampleStepDeg = 2;
constexpr int kLastParallel = 80;
constexpr int kLastLabelledParallel = 70;
// A meridian is numbered at the equator while it lies within 70 degrees of the centre.
constexpr double kMeridianLabelDepth = 0.34; // cos 70 degrees
// The central meridian's label, at this latitude beside the line.
constexpr double kCentralLabelLatitude = -60;
// Texts placed against others are measured by estimate, in character heights: the width
// of a digit, of a bold capital, and the height of both.
constexpr double kCharWidthPerHeight = 0.64;
constexpr double kBoldCapitalWidthPerHeight = 0.8;
constexpr double kCapHeightPerHeight = 0.73;

// How far a text box of that size reaches from its middle in the unit direction d.
double reach(QPointF d, double width, double height) {
    return std::abs(d.x()) * width / 2 + std::abs(d.y()) * height / 2;
}

QSizeF contentSize(SheetPaper paper) {
    const QSizeF p = paperSizeMm(paper);
    return {p.width() - 2 * kSheetMarginMm, p.height() - 2 * kSheetMarginMm};
}

QString millimetres(double value) {
    return formatNumber(value, "0.#");
}

QString degrees(double value) {
    return formatNumber(value, "##0.00") + QStringLiteral("°");
}

// Projects heliographic points onto the sheet for one moment and orientation, as the
// drawing view projects its grid: north of the axis up (by P), larger longitudes to the
// left, each mirrored with its orientation sign.
class Projector {
  public:
    Projector(const Ephemeris &e, double radius, int orientX, int orientY, QPointF centre)
        : sinB0_(std::sin(e.B0 * kRadPerDeg)), cosB0_(std::cos(e.B0 * kRadPerDeg)),
          sinP_(std::sin(e.P * kRadPerDeg)), cosP_(std::cos(e.P * kRadPerDeg)), L0_(e.L0),
          radius_(radius), orientX_(orientX), orientY_(orientY), centre_(centre) {}

    struct Point {
        QPointF point;
        double depth; // towards the observer, in radii: above 0 on the visible side
    };

    Point at(double b, double l) const {
        const double sb = std::sin(b * kRadPerDeg);
        const double cb = std::cos(b * kRadPerDeg);
        const double lambda = (l - L0_) * kRadPerDeg;
        const double sl = std::sin(lambda);
        const double cl = std::cos(lambda);
        const double xs = radius_ * cb * sl; // towards larger longitudes
        const double ys = radius_ * (sb * cosB0_ - cb * cl * sinB0_);
        const double right = -orientX_ * (xs * cosP_ - ys * sinP_);
        const double up = orientY_ * (ys * cosP_ + xs * sinP_);
        return {centre_ + QPointF(right, -up), cb * cl * cosB0_ + sb * sinB0_};
    }

    // The unit vector on paper of a position angle as the entry dialog reads it: from the
    // top towards the right, each direction mirrored with its orientation sign.
    QPointF direction(double angleDeg) const {
        return {orientX_ * std::sin(angleDeg * kRadPerDeg),
                -orientY_ * std::cos(angleDeg * kRadPerDeg)};
    }

  private:
    double sinB0_, cosB0_, sinP_, cosP_, L0_, radius_;
    int orientX_, orientY_;
    QPointF centre_;
};

// The runs of a curve on the visible side, sampled at `from`, `from` + step, ... `to`; where
// the curve passes behind the limb its run ends on the limb itself.
template <typename At>
std::vector<QPolygonF> visibleRuns(const At &at, int from, int to, int step = kSampleStepDeg) {
    std::vector<QPolygonF> runs;
    QPolygonF run;
    double previousT = from;
    Projector::Point previous = at(previousT);
    const auto limbCrossing = [&](double t0, double t1) {
        // depth(t0) and depth(t1) differ in sign; 40 halvings reach below 1e-12 degree.
        const bool visibleAt0 = at(t0).depth > 0;
        for (int i = 0; i < 40; ++i) {
            const double mid = (t0 + t1) / 2;
            if ((at(mid).depth > 0) == visibleAt0)
                t0 = mid;
            else
                t1 = mid;
        }
        return at((t0 + t1) / 2).point;
    };
    if (previous.depth > 0)
        run << previous.point;
    for (int t = from + step; t <= to; t += step) {
        const Projector::Point p = at(t);
        if ((previous.depth > 0) != (p.depth > 0)) {
            run << limbCrossing(previousT, t);
            if (previous.depth > 0) {
                runs.push_back(run);
                run.clear();
            }
        }
        if (p.depth > 0)
            run << p.point;
        previous = p;
        previousT = t;
    }
    if (run.size() >= 2)
        runs.push_back(run);
    return runs;
}

class Layout {
  public:
    Layout(SheetModel &m, const Projector &projector) : m_(m), projector_(projector) {}

    void header();
    void grid();
    void gridLabels();
    void scaleAndMarks();
    void table();
    void registrationMarks();

  private:
    void text(QPointF at, double size, const QString &text, SheetText::Align align,
              bool middle = false, bool bold = false) {
        m_.texts.push_back({at, size, text, align, middle, bold});
    }
    void line(SheetStroke stroke, QPointF from, QPointF to) {
        m_.paths.push_back({stroke, QPolygonF{from, to}});
    }
    QPointF onRadius(double angleDeg, double mm) const {
        return m_.centre + projector_.direction(angleDeg) * mm;
    }

    SheetModel &m_;
    const Projector &projector_;
};

void Layout::header() {
    const SheetSettings &s = m_.settings;
    const Ephemeris &e = m_.ephemeris;
    const double width = m_.contentMm.width();
    text({0, kTitleY}, kTitleMm, SheetTexts::tr("Šablona pro kresbu Slunce"), SheetText::Left,
         false, true);
    text({0, kMomentY}, kHeaderTextMm,
         SheetTexts::tr("Datum: %1     Čas UT: %2     Rotace: %3")
             .arg(shortDate(s.date), formatTimeUT(s.timeUT, u"hh:nn"))
             .arg(e.rotation),
         SheetText::Left);
    text({0, kEphemerisY}, kHeaderTextMm,
         SheetTexts::tr("B0 = %1     P = %2     L0 = %3     průměr kotouče %4 mm")
             .arg(degrees(e.B0), degrees(e.P), degrees(e.L0), millimetres(2 * m_.radiusMm)),
         SheetText::Left);
    for (const BlankField &f : kBlankFields) {
        const QString label = SheetTexts::tr(f.label);
        text({f.x, f.y}, kHeaderTextMm, label, SheetText::Left);
        const double to = f.lineTo > 0 ? f.lineTo : width + f.lineTo;
        // The line starts after its label where the language's word is longer ("Cond.:").
        constexpr double kGapAfterLabelMm = 1;
        const double from = std::max(
            f.lineFrom, f.x + sheetTextWidthMm(label, kHeaderTextMm, false) + kGapAfterLabelMm);
        line(SheetStroke::Tick, {from, f.y + kUnderlineDropMm}, {to, f.y + kUnderlineDropMm});
    }
    // A bar of 100 mm at the right: measured on paper it shows the print was not scaled.
    constexpr double kBarEndTickMm = 2;
    const QPointF barRight(width, kConditionsY);
    const QPointF barLeft(width - kScaleBarMm, kConditionsY);
    line(SheetStroke::Tick, barLeft, barRight);
    line(SheetStroke::Tick, barLeft, barLeft - QPointF(0, kBarEndTickMm));
    line(SheetStroke::Tick, barRight, barRight - QPointF(0, kBarEndTickMm));
    text({width - kScaleBarMm / 2, kConditionsY - kBarEndTickMm - 0.5}, kSmallTextMm,
         QStringLiteral("100 mm"), SheetText::Centre);
}

void Layout::grid() {
    SheetGrid grid =
        sheetGrid(m_.ephemeris, m_.radiusMm, m_.settings.orientX, m_.settings.orientY, m_.centre);
    m_.parallels = std::move(grid.parallels);
    m_.meridians = std::move(grid.meridians);
    m_.centralMeridian = std::move(grid.centralMeridian);
}

void Layout::gridLabels() {
    const Ephemeris &e = m_.ephemeris;
    // Sideways from the rotation axis: the parallels are numbered on one side of the
    // central meridian, the meridian itself and the pole's "P" are named on the other.
    const QPointF north = projector_.direction(e.P);
    const QPointF side(-north.y(), north.x());
    const SheetText::Align sideAlign = side.x() >= 0 ? SheetText::Left : SheetText::Right;
    const SheetText::Align otherAlign = side.x() >= 0 ? SheetText::Right : SheetText::Left;
    constexpr double kBesideMm = 1.0;
    constexpr double kAboveMm = 1.0;

    for (int b = -kLastLabelledParallel; b <= kLastLabelledParallel; b += kGridStepDeg) {
        const Projector::Point p = projector_.at(b, e.L0);
        if (p.depth <= 0)
            continue;
        text(p.point + side * kBesideMm + north * kAboveMm, kGridTextMm,
             b > 0 ? QStringLiteral("+%1").arg(b) : QString::number(b), sideAlign, true);
    }
    const Projector::Point central = projector_.at(kCentralLabelLatitude, e.L0);
    if (central.depth > 0)
        text(central.point - side * kBesideMm, kGridTextMm,
             QStringLiteral("L0 = ") + formatNumber(e.L0, "0.0"), otherAlign, true, true);

    // Meridians numbered just south of the equator, nearest the centre first, each only
    // where it keeps clear of the numbers already placed.
    struct Candidate {
        int l;
        double depth;
        QPointF at;
    };
    std::vector<Candidate> candidates;
    for (int l = 0; l < 360; l += kGridStepDeg) {
        const Projector::Point p = projector_.at(0, l);
        if (p.depth >= kMeridianLabelDepth)
            candidates.push_back({l, p.depth, p.point - north * 1.8});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate &a, const Candidate &b) { return a.depth > b.depth; });
    std::vector<QPointF> taken{projector_.at(0, e.L0).point - north * 1.8};
    for (const Candidate &c : candidates) {
        const QString label = QString::number(c.l);
        const double clearance = (label.size() + 1) * kCharWidthPerHeight * kGridTextMm;
        const bool clear = std::all_of(taken.begin(), taken.end(), [&](const QPointF &t) {
            return QLineF(t, c.at).length() >= clearance;
        });
        if (!clear)
            continue;
        taken.push_back(c.at);
        text(c.at, kGridTextMm, label, SheetText::Centre, true);
    }
}

void Layout::scaleAndMarks() {
    const double R = m_.radiusMm;
    constexpr int kScaleStepDeg = 10;
    constexpr int kScaleNumberStepDeg = 30;
    for (int angle = 0; angle < 360; angle += kScaleStepDeg) {
        const bool numbered = angle % kScaleNumberStepDeg == 0;
        line(SheetStroke::Tick, onRadius(angle, R),
             onRadius(angle, R + (numbered ? kLongTickMm : kShortTickMm)));
        if (!numbered)
            continue;
        const QString number = QString::number(angle);
        const double out =
            reach(projector_.direction(angle), number.size() * kCharWidthPerHeight * kScaleTextMm,
                  kCapHeightPerHeight * kScaleTextMm);
        text(onRadius(angle, R + kLongTickMm + kLabelGapMm + out), kScaleTextMm, number,
             SheetText::Centre, true);
    }
    // The compass of the sky as the orientation puts it: north (S) up, where the scale's 0
    // is, and east (V) on the right, where its 90 is and where the lower Carrington
    // longitudes lie (l = L0 - meridian distance), each side swapped by its mirror; read left
    // to right and top to bottom the letters are the drawing view's buttons ("Z - V", "S - J").
    const struct {
        const char *letter[2]; // the letter and the direction it names
        double angle;          // position angle, degrees
    } compass[] = {{QT_TRANSLATE_NOOP3("Sheet", "S", "north"), 0},
                   {QT_TRANSLATE_NOOP3("Sheet", "V", "east"), 90},
                   {QT_TRANSLATE_NOOP3("Sheet", "J", "south"), 180},
                   {QT_TRANSLATE_NOOP3("Sheet", "Z", "west"), 270}};
    // Outermost: each letter's far edge on the ring's edge.
    for (const auto &c : compass) {
        const QPointF direction = projector_.direction(c.angle);
        const double in = reach(direction, kBoldCapitalWidthPerHeight * kCompassTextMm,
                                kCapHeightPerHeight * kCompassTextMm);
        text(m_.centre + direction * (R + kRingMm - in), kCompassTextMm,
             SheetTexts::tr(c.letter[0], c.letter[1]), SheetText::Centre, true, true);
    }

    // The rotation axis: its north end at position angle P, its south end opposite.
    const double P = m_.ephemeris.P;
    for (double end : {P, P + 180})
        line(SheetStroke::Axis, onRadius(end, R - kAxisInsideMm),
             onRadius(end, R + kAxisOutsideMm));
    const QPointF north = projector_.direction(P);
    const QPointF side(-north.y(), north.x());
    text(onRadius(P, R - kAxisLabelInMm) - side * kAxisLabelSideMm, kScaleTextMm,
         QStringLiteral("P"), SheetText::Centre, true, true);
}

void Layout::table() {
    const bool helio = m_.settings.heliographicEntry;
    const int columns = helio ? kHeliographicGroupColumns : kGroupColumns;
    const double width = m_.contentMm.width();
    const double top = m_.centre.y() + m_.radiusMm + kRingMm + kGapMm;
    const int fit = static_cast<int>(std::floor((m_.contentMm.height() - top) / kTableRowMm)) - 1;
    m_.tableRows = std::clamp(fit, 0, kMaxTableRows);
    const double bottom = top + (m_.tableRows + 1) * kTableRowMm;
    const double columnMm = (width - kNumberColumnMm) / columns;
    const auto columnX = [&](int c) { return c == 0 ? 0.0 : kNumberColumnMm + (c - 1) * columnMm; };

    for (int r = 0; r <= m_.tableRows + 1; ++r)
        line(SheetStroke::Tick, {0, top + r * kTableRowMm}, {width, top + r * kTableRowMm});
    for (int c = 0; c <= columns + 1; ++c) {
        const double x = c <= columns ? columnX(c) : width;
        line(SheetStroke::Tick, {x, top}, {x, bottom});
    }
    const double headingY = top + kTableRowMm / 2;
    text({kNumberColumnMm / 2, headingY}, kSmallTextMm, SheetTexts::tr("č."), SheetText::Centre,
         true, true);
    for (int c = 1; c <= columns; ++c)
        text({columnX(c) + columnMm / 2, headingY}, kSmallTextMm, groupColumnLabel(c, helio),
             SheetText::Centre, true, true);
    for (int r = 1; r <= m_.tableRows; ++r)
        text({kNumberColumnMm / 2, top + (r + 0.5) * kTableRowMm}, kSmallTextMm, QString::number(r),
             SheetText::Centre, true);
}

void Layout::registrationMarks() {
    const SheetSettings &s = m_.settings;
    m_.codeText = sheetCodeText({s.date, s.timeUT, m_.radiusMm, s.orientX, s.orientY, *m_.paper});
    m_.codeSymbol = sheetCodeSymbol(m_.codeText);
    const SheetMarks marks = sheetMarks(m_.radiusMm, m_.codeSymbol.size);
    m_.codeMm = marks.code.translated(m_.centre);
    for (const QPointF &f : marks.fiducials)
        m_.fiducials.push_back(m_.centre + f);
}

} // namespace

SheetGrid sheetGrid(const Ephemeris &e, double radiusMm, int orientX, int orientY, QPointF centre) {
    const Projector projector(e, radiusMm, orientX, orientY, centre);
    SheetGrid grid;
    // Parallels sampled at even Carrington degrees, half a turn either side of the centre.
    const int first = kSampleStepDeg * static_cast<int>(std::floor(e.L0 / kSampleStepDeg)) - 180;
    for (int b = -kLastParallel; b <= kLastParallel; b += kGridStepDeg) {
        GridCurve curve{double(b), b == 0, {}};
        curve.runs = visibleRuns([&](double l) { return projector.at(b, l); }, first, first + 360);
        grid.parallels.push_back(std::move(curve));
    }
    for (int l = 0; l < 360; l += kGridStepDeg) {
        GridCurve curve{double(l), false, {}};
        curve.runs = visibleRuns([&](double b) { return projector.at(b, l); }, -90, 90);
        if (!curve.runs.empty())
            grid.meridians.push_back(std::move(curve));
    }
    grid.centralMeridian = visibleRuns([&](double b) { return projector.at(b, e.L0); }, -90, 90);
    return grid;
}

QSizeF paperSizeMm(SheetPaper paper) {
    return paper == SheetPaper::A4 ? QSizeF(210, 297) : QSizeF(297, 420);
}

QString paperName(SheetPaper paper) {
    return paper == SheetPaper::A4 ? QStringLiteral("A4") : QStringLiteral("A3");
}

std::optional<SheetPaper> paperFromName(const QString &name) {
    for (SheetPaper paper : {SheetPaper::A4, SheetPaper::A3})
        if (name.compare(paperName(paper), Qt::CaseInsensitive) == 0)
            return paper;
    return std::nullopt;
}

std::optional<uint16_t> parseSheetTime(const QString &text) {
    return parseTimeOfDay(text);
}

SheetSettings sheetSettings(const ObservationStore &store, const SheetState &state) {
    SheetSettings s;
    s.date = state.date;
    s.timeUT = state.timeUT;
    s.orientX = state.orientX;
    s.orientY = state.orientY;
    s.radiusMm = state.radiusMm
                     ? *state.radiusMm
                     : (store.hasDrawingSetup() ? store.drawingRadius() : kReferenceRadiusMm);
    s.heliographicEntry = store.heliographicEntry();
    s.paper = state.paper;
    return s;
}

QSizeF sheetNeededSize(double radiusMm) {
    const double disk = 2 * (radiusMm + kRingMm);
    return {disk, kHeaderMm + kGapMm + disk + kGapMm + (1 + kMinTableRows) * kTableRowMm};
}

bool sheetFits(double radiusMm, SheetPaper paper) {
    const QSizeF needed = sheetNeededSize(radiusMm);
    const QSizeF content = contentSize(paper);
    return radiusMm > 0 && needed.width() <= content.width() && needed.height() <= content.height();
}

int largestSheetRadius(SheetPaper paper) {
    int radius = 0;
    while (sheetFits(radius + 1, paper))
        ++radius;
    return radius;
}

SheetModel buildSheetModel(const SheetSettings &settings) {
    clearUpperVectorState();
    SheetModel m;
    m.settings = settings;
    m.radiusMm = settings.radiusMm;
    m.ephemeris = solarEphemeris(settings.date, settings.timeUT);

    const QString diameter = millimetres(2 * settings.radiusMm);
    if (settings.paper) {
        if (sheetFits(settings.radiusMm, *settings.paper))
            m.paper = settings.paper;
        else
            m.refusal = SheetTexts::tr("Kotouč o průměru %1 mm se s okraji nevejde na papír %2 "
                                       "(největší průměr na něm je %3 mm).")
                            .arg(diameter, paperName(*settings.paper))
                            .arg(2 * largestSheetRadius(*settings.paper));
    } else {
        for (SheetPaper paper : {SheetPaper::A4, SheetPaper::A3})
            if (!m.paper && sheetFits(settings.radiusMm, paper))
                m.paper = paper;
        if (!m.paper)
            m.refusal = SheetTexts::tr("Kotouč o průměru %1 mm se s okraji nevejde ani na papír "
                                       "A3 (největší průměr je %2 mm).")
                            .arg(diameter)
                            .arg(2 * largestSheetRadius(SheetPaper::A3));
    }
    if (!m.paper)
        return m;

    m.contentMm = contentSize(*m.paper);
    if (settings.areaMm)
        m.contentMm = m.contentMm.boundedTo(*settings.areaMm);
    m.centre = QPointF(m.contentMm.width() / 2, kHeaderMm + kGapMm + kRingMm + m.radiusMm);
    const Projector projector(m.ephemeris, m.radiusMm, settings.orientX, settings.orientY,
                              m.centre);
    Layout layout(m, projector);
    layout.header();
    layout.grid();
    layout.gridLabels();
    layout.scaleAndMarks();
    layout.table();
    layout.registrationMarks();
    return m;
}

SheetPlace sheetPlace(const SheetModel &model, double b, double l) {
    const Projector projector(model.ephemeris, model.radiusMm, model.settings.orientX,
                              model.settings.orientY, model.centre);
    const Projector::Point p = projector.at(b, l);
    return {p.point, p.depth > 0};
}

} // namespace orvanek
