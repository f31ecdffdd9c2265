#include "scan/scanspots.h"

#include "scan/scanoverlay.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace orvanek {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The spots are looked for at about this many pixels per mm (a 300-dpi scan is halved):
// a spot of 0.5 mm still spans three pixels, and the area is measured to a fraction of a
// pixel from the grey levels of its edge.
constexpr double kWorkDotsPerMm = 6;

// --- The paper's light --------------------------------------------------------------------
// The light the paper reflects (tint, uneven light, a shadow band) is judged on cells of this
// size, every mark narrower than kWidestMarkMm taken off: what is left is the paper's light.
constexpr double kPaperCellMm = 1;
constexpr double kWidestMarkMm = 11;

// --- The print, as this scan shows it -------------------------------------------------------
// The rendered sheet is moved onto the print of the scan in this many tiles across and down
// (a shift each, by the gradient of the print), at most this far (working pixels).
constexpr int kAlignTiles = 6;
constexpr double kLargestShiftPx = 3;
constexpr int kAlignRounds = 2;
// The scanner's blur is the one of these (working pixels) that makes the rendered sheet most
// like the scan.
constexpr std::array<double, 6> kBlurs = {0.4, 0.7, 1.0, 1.4, 2.0, 2.8};
// How dark each printed level comes out is learnt in this many classes of the blurred
// render's darkness; a pixel is darker than the print where it exceeds the class's middle by
// this many of its robust deviations, and never by less than kLeastTolerance.
constexpr int kToneClasses = 40;
constexpr int kLeastClassPixels = 40;
constexpr double kToleranceDeviations = 5;
constexpr double kLeastTolerance = 0.06; // darkness: a part of the paper's light
// Darkness steps of the histograms the classes are measured with.
constexpr int kDarknessSteps = 300;
constexpr double kDarknessFrom = -0.5;
constexpr double kDarknessTo = 1.0;

// --- The pencil -----------------------------------------------------------------------------
// The pencil's darkness (a part of the paper's light): graphite of level 70-130 on paper of
// 240 is 0.45-0.7, dark pencil 0.85-0.9. Measured on the marks; this without any.
constexpr double kUsualInk = 0.55;
constexpr double kLeastInk = 0.3;
// A mark starts where it is darker than the print by this part of the pencil (and by the
// print's tolerance, and at least kLeastSeed), and reaches where it is darker by kEdgePart.
constexpr double kSeedPart = 0.4;
constexpr double kLeastSeed = 0.15;
constexpr double kEdgePart = 0.28;
constexpr int kEdgeSteps = 3;
// The print may lie this far (working pixels) off its place where lines crowd: where more than
// kCrowdedPart of the kCrowdPx square round a pixel is printed. Elsewhere it lies within
// kSeedBandPx of it (moved onto the scan tile by tile), and a mark starts where it is darker
// than the darkest print, and than its tolerance, that near (a dot drawn between a bold line
// and a thin one lies within two pixels of either).
constexpr int kBandPx = 2;
constexpr int kSeedBandPx = 1;
constexpr int kCrowdPx = 7;
constexpr double kCrowdedPart = 0.6;
// A soft eraser's smudge: its darker part does not come to half of the pencil's darkness.
constexpr double kSmudgePart = 0.5;
constexpr double kSmudgePercentile = 0.95;
// Where the print is darker than the pencil less this, the pencil cannot be seen on it; a
// spot drawn across such a line is joined over it where its pencil shows on both sides, up
// to kBridgeMm.
constexpr double kHiddenMargin = 0.15;
// Pencil over print darkens what the print leaves of the light by its own part (the two
// absorb one after the other): seen over print of darkness e, pencil of darkness p makes the
// scan darker than the print by p (1 - e). The print lets at least this part through where
// the pencil is still told on it.
constexpr float kLeastShown = 0.2f;
constexpr double kBridgeMm = 1.4;
// Strokes that the scan's blur joins across a narrow strip of paper (a core drawn close
// inside its outline, a small spot beside it) are parted again along the strip: pixels
// lighter than kValleyLight of the pencil, lighter by kValleyDepth of the pencil than the
// pencil on both sides within kValleyMm. Not beside the print, where what is left of its
// lines makes such strips of its own.
constexpr double kValleyMm = 0.8;
constexpr double kValleyDepth = 0.2;
constexpr double kValleyLight = 0.7;
// Print is where the blurred render is at least this dark; a mark smaller than
// kLeastSpotAtPrintMm2 there is what is left of the print itself.
constexpr double kPrintDarkness = 0.05;
constexpr double kLeastSpotAtPrintMm2 = 0.2;
constexpr double kAllOnPrint = 0.9;
// A mark within a pixel of the print all along, this many times as long as wide and lighter
// than this part of the pencil, is what is left of a printed line.
constexpr double kAlongPrint = 0.95;
constexpr double kStreakLength = 2.5;
constexpr double kStreakInk = 0.6;
// No spot is drawn larger than this (mm² of paper): the largest sunspots cover about 0.6 % of
// the disk, 120 mm² on a drawing of R 80 and 300 on one of R 125. A round larger than this is
// what the limb's line or the print closes, no outline.
constexpr double kLargestSpotMm2 = 400;
// A band this wide inside the fitted limb's middle is left out: the limb's own line; wider by
// this many times the line's scatter about the fitted circle where the limb is drawn by hand
// (a printed one is taken out with the print).
constexpr double kLimbBandMm = 0.5;
constexpr double kLimbScatters = 3;

// --- Shapes ---------------------------------------------------------------------------------
// An outline round a core (a spot with a penumbra) may have gaps up to 1 mm: they are closed
// by this much, and the paper it then encloses, at least kLeastHoleMm2, is the penumbra's.
constexpr double kOutlineGapMm = 1.1;
constexpr double kLeastHoleMm2 = 0.4;
// An open outline is looked for on this many rays from its core, out to this far; its gaps
// come out of the scan up to this wide (a drawn gap of 1 mm and the stroke's thinning ends).
constexpr double kOutlineGapSeenMm = 1.5;
constexpr int kOutlineRays = 48;
constexpr double kLargestOutlineMm = 5;
// A gap where print hides the pencil no farther out than this part of the outline's radius
// is taken for the outline running under the print.
constexpr double kFarthestHidden = 1.3;
// A mark met on rays reaching this many times farther than the outline on both sides of it
// lies beside the outline.
constexpr double kBesideOutline = 1.3;
// A mark is ringed by an outline where this part of kRingRays rays from its middle meet other
// pencil.
constexpr int kRingRays = 24;
constexpr double kRingedPart = 0.75;
// A stroke met on no more than 1 / kFewRays of the rays is judged so too (writing beyond a
// gap).
constexpr int kFewRays = 6;
// A core's own edge this near the outline's radius is the outline drawn against the core.
constexpr double kCoreAgainstOutline = 0.75;
// A ray stopped short of this part of the middle radius of the kDipRays rays on each side
// met something inside the outline.
constexpr double kDipPart = 0.7;
constexpr int kDipRays = 3;
// Writing (numbers, letters, crosses, arrows) and hand-drawn lines: strokes of even width up
// to kWidestStrokeMm, at least kStrokeLength times as long as wide, enclosing nothing
// filled.
constexpr double kWidestStrokeMm = 1.2;
constexpr double kStrokeLength = 4.2; // a disk comes to pi, an ellipse of 2:1 to 3.7
// A mark with a part this many times as wide as its strokes holds a filled core.
constexpr double kFilledPart = 1.6;
// Strokes opened away by a disk this many times their width leave a core.
constexpr double kCoreOfStrokes = 1.4;
constexpr double kLeastCoreMm2 = 0.4;
// A core is this deep (mm from its edge) at least: a pencil's stroke, written or drawn, is
// never as wide as twice this.
constexpr double kCoreDepthMm = 0.35;
// A filled spot that writing or a line runs into: a core at least this large (mm²) opened out
// of the strokes, this many times as deep as the strokes are (where strokes cross or join the
// pencil comes to about twice their depth; at an arrow's head, its barbs 40 degrees off the
// shaft, to nearly three times, over 0.9-1.1 mm²).
constexpr double kSpotAmongStrokesMm2 = 1.2;
constexpr double kSpotOverStrokes = 2.5;
constexpr double kSmallOutlineMm = 3.5;
// An outline joined to a core no wider than its strokes is looked for round marks at least
// this far across (mm) each way, and is that mark for this part of its pencil at least.
constexpr double kLeastJoinedOutlineMm = 0.6;
constexpr double kOwnOutlinePart = 0.6;
// Unless its core is this much darker than the rest of the mark (the thickest point of written
// digits comes to about 0.8 of their strokes, a core drawn against a photographed outline in
// three pieces to 1.35).
constexpr double kPlainCoreInk = 1.25;
// How much deeper than its strokes a core is where the mark closes more than one piece of
// paper.
constexpr double kCoreOverStrokes = 1.5;
// A core opened out of its mark, or found in it where the mark is all strokes, is this many
// times as dark as the rest of the mark (the middle of each; drawn cores come out 1.23 times
// and more, the joints of writing and print crossing it 1.17 and less).
constexpr double kOpenedCoreInk = 1.2;
// A core this many times as dark as its outline's pencil (a faint outline that the scan's
// blur joins to its core; the joints of writing come to 2.1 at most) needs paper between
// them on a sixth of the rays only.
constexpr double kFaintOutline = 2.5;
// An outline joined to its core has paper round the core on this part of rays at least.
constexpr int kWrapRays = 16;
constexpr double kWrapPart = 0.75;
// The part an outline wraps is at least this dark against the middle of the mark's pencil
// (blurred over a working pixel: drawn cores 0.6-4, the print's sliver in a written 4 0.3).
constexpr double kWrappedCoreInk = 0.45;
// A hand-drawn line: at least this long, and its area spread along it narrower than this.
constexpr double kShortestLineMm = 2;
constexpr double kThinLineMm = 0.5;
// A mark whose deepest point lies at most this part of the radius of a disk of its area from
// its edge is strokes, not a filled spot.
constexpr double kShallowPart = 0.64;
// The drawn part of a written stroke that a 100-dpi scanner blurs is at most this deep (mm):
// 0.5-0.72 where strokes 0.45 mm wide meet; a dot drawn that deep is 1.5 mm across.
constexpr double kBlurredStrokeMm = 0.75;
// The depth of a mark away from the print, as the pixels' grid gives it, may fall short by this
// (pixels).
constexpr double kDepthGridPx = 0.25;
// Dots the scan's blur joins are parted where their neck is narrower than this part of the
// depth of the deepest, each at least this part of it deep.
constexpr double kNeckPart = 0.6;
constexpr double kPartDepth = 0.75;
// Such dots are the disks round their cores' peaks, as deep as the peaks and this much wider
// (working pixels: the scan's blur), for this part of the mark at least.
constexpr double kCoreRimPx = 1;
// A mark's darkest pencil: this part of its pixels are lighter. Its drawn edge: where the
// pencil falls to this part of that.
constexpr double kDarkestPart = 0.9;
constexpr double kDrawnEdge = 0.5;
constexpr double kJoinedDotsCover = 0.85;
// Their drawn cores are this deep at least (mm): a dot of 1 mm comes to 0.45-0.5 through the
// blur, the joints of heavy writing in grey pencil to 0.4.
constexpr double kDotCoreMm = 0.42;
// Paper inside a filled mark (lighter than this part of its darkest pencil) of this much at least
// is what an outline drawn close round its core leaves.
constexpr double kLightInside = 0.75;
constexpr double kOwnInkPart = 0.85;
constexpr double kLeastLightInsideMm2 = 0.1;
// A piece of a stroke cut by the print: at most this large (mm²), this many times as long as
// wide.
constexpr double kLargestPieceMm2 = 1.0;
// A piece of writing cut off by such print, of any shape: at most this large (mm²), writing
// met straight across the print from this many of its edge's pixels.
constexpr double kLargestCutPieceMm2 = 2.0;
constexpr int kCutPieceRays = 3;
// A mark whose pencil covers less than this (mm² of paper) is smaller than the least spot drawn
// seen through the scan's blur: a crumb of writing where print cut it off.
constexpr double kCrumbMm2 = 0.4;
// Print on two sides of a mark is on opposite sides when they lie at least this far apart
// round its middle; a piece of a stroke seen between such print lies within this many working
// pixels of it, and is no larger than this (mm²).
constexpr double kOppositeRad = 0.85 * std::numbers::pi;
constexpr double kBoxedPx = 3.1;
constexpr double kBoxedPieceMm2 = 0.75;
// A mark shows on a side of the print with this many working pixels at least.
constexpr int kLeastSidePx = 3;
constexpr double kPieceLength = 2.0;
// A sliver of a stroke the print cut: at least this many times as long as wide, at most this
// wide (mm).
constexpr double kSliverLength = 2.9;
constexpr double kSliverWidthMm = 0.45;
// Pencil drawn along such print: seen through it darker than this part of the pencil, at
// least this long (mm) and this many times as long as the mark beside it.
constexpr double kUnderPrintInk = 0.5;
constexpr double kAlongLineMm = 2.0;
constexpr double kAlongLine = 2.0;
// A click takes the mark within this of it, and looks this far round it for the paper and
// the print.
constexpr double kClickReachMm = 1;
constexpr double kClickRegionMm = 14;
// The pencil's own darkness is measured on a mark's plateau: pixels this far (working pixels)
// inside its edge, past the scan's blur, this many at least; a mark too small or too blurred
// for one is weighed against the plateaus of the drawing's other marks (one pencil draws
// them all), never against its own blurred middle, which makes it larger than drawn.
constexpr int kPlateauPx = 2;
constexpr size_t kLeastPlateauPx = 4;
// Print as dark as the pencil is looked for this far (working pixels) past a mark's dark
// edge: a printed line it touches, which may hide more of it.
constexpr int kUnderPrintPx = 2;

cv::Mat matOf(const QImage &grey) {
    return cv::Mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                   static_cast<size_t>(grey.bytesPerLine()));
}

// Image pixels per mm of the paper: the sheet's R where the code gives it (an option may say
// another R for the drawing; the pencil and the print keep their size on paper).
double paperDotsPerMm(const ScanRegistration &reg) {
    return reg.code ? reg.frame.radiusPx / reg.code->radiusMm : reg.frame.dotsPerMm();
}

// A region of the scan at the working scale: how much darker than the paper each pixel is,
// what the print alone gives there and how far that may go, and the mapping back.
struct WorkRegion {
    cv::Mat darkness;     // CV_32F: 1 - level / the paper's light
    cv::Mat expected;     // CV_32F: the darkness of the print alone (0 where nothing is printed)
    cv::Mat tolerance;    // CV_32F: how far the print's darkness goes round `expected`
    cv::Mat printed;      // CV_8U: 255 where something is printed
    cv::Mat hidden;       // CV_8U: 255 where the print is as dark as the pencil
    cv::Mat obscured;     // CV_8U: 255 where the print may hide a pencil line beside it
    cv::Mat disk;         // CV_8U: 255 inside the limb, its line left out
    cv::Point origin;     // the region's top-left pixel in the image
    int factor = 1;       // image pixels per working pixel
    double dotsPerMm = 1; // working pixels per mm of the paper
    double drawingPerPaper = 1; // mm of the drawing of radius R per mm of paper
    double ink = kUsualInk;

    QPointF toImage(QPointF p) const {
        return (p + QPointF(0.5, 0.5)) * factor - QPointF(0.5, 0.5) + QPointF(origin.x, origin.y);
    }
    QTransform imageToWork() const {
        return QTransform::fromTranslate(0.5 - origin.x, 0.5 - origin.y) *
               QTransform::fromScale(1.0 / factor, 1.0 / factor) *
               QTransform::fromTranslate(-0.5, -0.5);
    }
    // How much of a working pixel the pencil covers, 0..1, against a pencil of `inkLevel`.
    double cover(int x, int y, double inkLevel) const {
        const float e = expected.at<float>(y, x);
        const double above = (darkness.at<float>(y, x) - e) / std::max(1 - e, kLeastShown);
        return std::clamp(above / inkLevel, 0.0, 1.0);
    }
};

// The middle of a set of values (of an even count the upper of the two middle ones), and the
// value `part` of the way from its least to its largest; the values are reordered, one at
// least.
template <typename T> T middleOf(std::vector<T> &values) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}
template <typename T> T partOf(std::vector<T> &values, double part) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(part * (values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// The paper's light: the scan with every mark narrower than kWidestMarkMm closed over, on
// cells of kPaperCellMm, smoothed and brought back to the working scale.
cv::Mat paperLight(const cv::Mat &grey, double dotsPerMm) {
    const double cell = std::max(1.0, kPaperCellMm * dotsPerMm);
    cv::Mat small;
    cv::resize(grey, small,
               cv::Size(std::max(1, static_cast<int>(grey.cols / cell)),
                        std::max(1, static_cast<int>(grey.rows / cell))),
               0, 0, cv::INTER_AREA);
    const int reach = static_cast<int>(std::lround(kWidestMarkMm / kPaperCellMm)) | 1;
    cv::morphologyEx(small, small, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(reach, reach)));
    cv::Mat light;
    small.convertTo(light, CV_32F);
    cv::GaussianBlur(light, light, cv::Size(3, 3), 0);
    cv::resize(light, light, grey.size(), 0, 0, cv::INTER_LINEAR);
    cv::max(light, 1.0, light);
    return light;
}

// The rendered print moved onto the scan's print: a shift for each tile from the print's
// gradient (the brightness-constancy step of optical flow), interpolated between tiles.
cv::Mat alignPrint(const cv::Mat &print, const cv::Mat &darkness) {
    cv::Mat seen;
    cv::GaussianBlur(darkness, seen, cv::Size(), 1.0);
    cv::Mat aligned = print;
    cv::Mat shiftX = cv::Mat::zeros(kAlignTiles, kAlignTiles, CV_32F);
    cv::Mat shiftY = cv::Mat::zeros(kAlignTiles, kAlignTiles, CV_32F);
    for (int round = 0; round < kAlignRounds; ++round) {
        cv::Mat model, gx, gy;
        cv::GaussianBlur(aligned, model, cv::Size(), 1.0);
        cv::Sobel(model, gx, CV_32F, 1, 0, 3, 1.0 / 8);
        cv::Sobel(model, gy, CV_32F, 0, 1, 3, 1.0 / 8);
        const double gain = model.dot(model) > 0 ? seen.dot(model) / model.dot(model) : 1;
        if (gain <= 0.05)
            return aligned;
        std::vector<cv::Matx22d> a(kAlignTiles * kAlignTiles, cv::Matx22d::zeros());
        std::vector<cv::Vec2d> b(kAlignTiles * kAlignTiles, cv::Vec2d(0, 0));
        cv::Matx22d all = cv::Matx22d::zeros();
        cv::Vec2d allB(0, 0);
        for (int y = 0; y < model.rows; ++y) {
            const float *m = model.ptr<float>(y);
            const float *s = seen.ptr<float>(y);
            const float *dx = gx.ptr<float>(y);
            const float *dy = gy.ptr<float>(y);
            const int ty = y * kAlignTiles / model.rows;
            for (int x = 0; x < model.cols; ++x) {
                const double e = (s[x] - gain * m[x]) / gain;
                if (std::abs(e) > 0.4 || (dx[x] == 0 && dy[x] == 0))
                    continue; // the pencil, or nothing printed
                const int t = ty * kAlignTiles + x * kAlignTiles / model.cols;
                const cv::Matx22d g(dx[x] * dx[x], dx[x] * dy[x], dx[x] * dy[x], dy[x] * dy[x]);
                a[static_cast<size_t>(t)] += g;
                b[static_cast<size_t>(t)] += cv::Vec2d(dx[x] * e, dy[x] * e);
                all += g;
                allB += cv::Vec2d(dx[x] * e, dy[x] * e);
            }
        }
        const auto solve = [](const cv::Matx22d &m, const cv::Vec2d &v, cv::Vec2d &out) {
            const double det = cv::determinant(m);
            if (!(det > 1e-9 * (m(0, 0) + m(1, 1)) * (m(0, 0) + m(1, 1))) || m(0, 0) + m(1, 1) < 1)
                return false;
            out = m.inv() * v;
            return true;
        };
        cv::Vec2d overall(0, 0);
        solve(all, allB, overall);
        for (int t = 0; t < kAlignTiles * kAlignTiles; ++t) {
            cv::Vec2d s = overall;
            solve(a[static_cast<size_t>(t)], b[static_cast<size_t>(t)], s);
            float &sx = shiftX.at<float>(t / kAlignTiles, t % kAlignTiles);
            float &sy = shiftY.at<float>(t / kAlignTiles, t % kAlignTiles);
            sx = static_cast<float>(std::clamp(sx + s[0], -kLargestShiftPx, kLargestShiftPx));
            sy = static_cast<float>(std::clamp(sy + s[1], -kLargestShiftPx, kLargestShiftPx));
        }
        cv::Mat mapX, mapY;
        cv::resize(shiftX, mapX, print.size(), 0, 0, cv::INTER_LINEAR);
        cv::resize(shiftY, mapY, print.size(), 0, 0, cv::INTER_LINEAR);
        for (int y = 0; y < mapX.rows; ++y) {
            float *mx = mapX.ptr<float>(y);
            float *my = mapY.ptr<float>(y);
            for (int x = 0; x < mapX.cols; ++x) {
                mx[x] += static_cast<float>(x);
                my[x] += static_cast<float>(y);
            }
        }
        cv::remap(print, aligned, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(0));
    }
    return aligned;
}

int darknessStep(float d) {
    return std::clamp(
        static_cast<int>((d - kDarknessFrom) / (kDarknessTo - kDarknessFrom) * kDarknessSteps), 0,
        kDarknessSteps - 1);
}
float darknessOfStep(int step) {
    return static_cast<float>(kDarknessFrom +
                              (step + 0.5) * (kDarknessTo - kDarknessFrom) / kDarknessSteps);
}
int stepOfHistogram(const std::vector<int> &histogram, int count, double part) {
    int seen = 0;
    for (int i = 0; i < kDarknessSteps; ++i) {
        seen += histogram[static_cast<size_t>(i)];
        if (seen > part * count)
            return i;
    }
    return kDarknessSteps - 1;
}

// How dark each printed level comes out on this scan: for the classes of the blurred render's
// darkness, the middle of the scan's darkness and the tolerance round it; `expected` and
// `tolerance` then for every pixel.
void learnTone(const cv::Mat &model, WorkRegion &w) {
    const size_t classes = kToneClasses;
    const auto classOf = [&](float p) {
        return std::clamp(static_cast<int>(p * kToneClasses), 0, kToneClasses - 1);
    };
    std::vector<std::vector<int>> histogram(classes, std::vector<int>(kDarknessSteps, 0));
    std::vector<int> count(classes, 0);
    for (int y = 0; y < model.rows; ++y) {
        const float *m = model.ptr<float>(y);
        const float *d = w.darkness.ptr<float>(y);
        const uchar *inside = w.disk.ptr<uchar>(y);
        for (int x = 0; x < model.cols; ++x) {
            if (!inside[x])
                continue;
            const int c = classOf(m[x]);
            ++histogram[static_cast<size_t>(c)][static_cast<size_t>(darknessStep(d[x]))];
            ++count[static_cast<size_t>(c)];
        }
    }
    std::vector<float> middle(classes, -1), spread(classes, -1);
    for (size_t c = 0; c < classes; ++c) {
        if (count[c] < kLeastClassPixels)
            continue;
        const int m = stepOfHistogram(histogram[c], count[c], 0.5);
        std::vector<int> deviation(kDarknessSteps, 0);
        for (int i = 0; i < kDarknessSteps; ++i)
            deviation[static_cast<size_t>(std::abs(i - m))] += histogram[c][static_cast<size_t>(i)];
        const double step = (kDarknessTo - kDarknessFrom) / kDarknessSteps;
        middle[c] = darknessOfStep(m);
        spread[c] = static_cast<float>(std::max(
            kLeastTolerance, kToleranceDeviations * 1.4826 *
                                 (stepOfHistogram(deviation, count[c], 0.5) + 0.5) * step));
    }
    // Classes without enough pixels take their neighbours'; darker print never comes out
    // lighter.
    float lastMiddle = 0;
    float lastSpread = static_cast<float>(kLeastTolerance);
    for (size_t c = 0; c < classes; ++c) {
        if (middle[c] < 0) {
            middle[c] = lastMiddle;
            spread[c] = lastSpread;
        }
        middle[c] = std::max(middle[c], lastMiddle);
        lastMiddle = middle[c];
        lastSpread = spread[c];
    }
    w.expected.create(model.size(), CV_32F);
    w.tolerance.create(model.size(), CV_32F);
    for (int y = 0; y < model.rows; ++y) {
        const float *m = model.ptr<float>(y);
        float *e = w.expected.ptr<float>(y);
        float *t = w.tolerance.ptr<float>(y);
        for (int x = 0; x < model.cols; ++x) {
            const auto c = static_cast<size_t>(classOf(m[x]));
            e[x] = middle[c];
            t[x] = spread[c];
        }
    }
}

// The sheet's print at the working scale as a darkness 0..1, moved onto the scan's and
// blurred as the scanner blurred it; empty where the sheet is not the program's.
cv::Mat printModel(const ScanRegistration &reg, const WorkRegion &w) {
    if (!reg.code)
        return {};
    ScanRegistration here = reg;
    // The print lies as the paper does, whatever north an option gives the drawing.
    if (reg.measuredTurnDeg)
        here.frame.turnDeg = *reg.measuredTurnDeg;
    const QImage sheet =
        renderSheetOnScan(here, QSize(w.darkness.cols, w.darkness.rows), w.imageToWork());
    if (sheet.isNull())
        return {};
    cv::Mat print;
    matOf(sheet).convertTo(print, CV_32F, -1.0 / 255, 1.0);
    print = alignPrint(print, w.darkness);
    // The blur that makes the render most like the scan, the pencil's pixels weighing little.
    cv::Mat best;
    double bestError = 0;
    for (double sigma : kBlurs) {
        cv::Mat model;
        cv::GaussianBlur(print, model, cv::Size(), sigma);
        const double gain = model.dot(model) > 0 ? w.darkness.dot(model) / model.dot(model) : 1;
        double error = 0;
        for (int y = 0; y < model.rows; y += 2) {
            const float *m = model.ptr<float>(y);
            const float *d = w.darkness.ptr<float>(y);
            for (int x = 0; x < model.cols; x += 2)
                if (m[x] > 0.01) {
                    const double e = std::min(std::abs(d[x] - gain * m[x]), 0.3);
                    error += e * e;
                }
        }
        if (best.empty() || error < bestError) {
            best = model;
            bestError = error;
        }
    }
    return best;
}

WorkRegion workRegion(const cv::Mat &grey, const ScanRegistration &reg, cv::Rect box) {
    WorkRegion w;
    const ScanFrame &f = reg.frame;
    const double dotsPerMm = paperDotsPerMm(reg);
    w.drawingPerPaper = dotsPerMm / f.dotsPerMm();
    w.factor = std::max(1, static_cast<int>(std::lround(dotsPerMm / kWorkDotsPerMm)));
    box.x -= box.x % w.factor;
    box.y -= box.y % w.factor;
    box &= cv::Rect(0, 0, grey.cols, grey.rows);
    box.width -= box.width % w.factor;
    box.height -= box.height % w.factor;
    w.origin = box.tl();
    w.dotsPerMm = dotsPerMm / w.factor;
    if (box.width < 3 * w.factor || box.height < 3 * w.factor)
        return w;
    cv::Mat level;
    if (w.factor > 1)
        cv::resize(grey(box), level, cv::Size(box.width / w.factor, box.height / w.factor), 0, 0,
                   cv::INTER_AREA);
    else
        level = grey(box);
    const cv::Mat light = paperLight(level, w.dotsPerMm);
    level.convertTo(w.darkness, CV_32F);
    cv::divide(w.darkness, light, w.darkness);
    cv::subtract(1.0, w.darkness, w.darkness);

    // Inside the limb, its line left out: the circle of the drawing mapped as the frame maps.
    w.disk = cv::Mat::zeros(w.darkness.size(), CV_8UC1);
    const QTransform toWork = sheetToImage(f) * w.imageToWork();
    const double scatterMm = reg.limb && !reg.programSheet() ? reg.limb->rmsPx / dotsPerMm : 0.0;
    const double inner = f.radiusMm - (kLimbBandMm + kLimbScatters * scatterMm) / w.drawingPerPaper;
    constexpr int kLimbVertices = 360;
    constexpr int kShift = 4; // vertices to a sixteenth of a pixel
    std::vector<cv::Point> limb;
    for (int k = 0; k < kLimbVertices; ++k) {
        const double a = 2 * std::numbers::pi * k / kLimbVertices;
        const QPointF p = toWork.map(QPointF(std::cos(a), std::sin(a)) * inner);
        limb.emplace_back(static_cast<int>(std::lround(p.x() * 16)),
                          static_cast<int>(std::lround(p.y() * 16)));
    }
    cv::fillPoly(w.disk, std::vector<std::vector<cv::Point>>{limb}, cv::Scalar(255), cv::LINE_8,
                 kShift);

    const cv::Mat model = printModel(reg, w);
    if (model.empty()) {
        learnTone(cv::Mat::zeros(w.darkness.size(), CV_32F), w);
        w.printed = cv::Mat::zeros(w.darkness.size(), CV_8UC1);
    } else {
        learnTone(model, w);
        w.printed = model > kPrintDarkness;
    }
    // The pencil's darkness: the middle of what is clearly darker than the print.
    std::vector<float> clearly;
    for (int y = 0; y < w.darkness.rows; ++y) {
        const float *d = w.darkness.ptr<float>(y);
        const float *e = w.expected.ptr<float>(y);
        const float *t = w.tolerance.ptr<float>(y);
        const uchar *inside = w.disk.ptr<uchar>(y);
        for (int x = 0; x < w.darkness.cols; ++x)
            if (inside[x] && d[x] - e[x] > std::max<float>(t[x], 0.2f) && e[x] < kPrintDarkness)
                clearly.push_back(d[x] - e[x]);
    }
    if (clearly.size() >= kLeastClassPixels) {
        w.ink = std::clamp<double>(middleOf(clearly), kLeastInk, 1.0);
    }
    w.hidden = w.expected > w.ink - kHiddenMargin;
    // Where the print, as unsure as the scan shows it, leaves no room for a line of pencil to
    // start beside it: a mark starts there only darker than the print by its tolerance.
    cv::Mat toleranceNear, shownNear;
    const cv::Mat band =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * kBandPx + 1, 2 * kBandPx + 1));
    cv::dilate(w.tolerance, toleranceNear, band);
    cv::dilate(w.expected, shownNear, band);
    shownNear = 1 - shownNear;
    w.obscured = w.hidden | (toleranceNear > shownNear * (kSeedPart * w.ink));
    return w;
}

// What is measured of a spot: its pixels (working scale), whether it is an outline round a
// core, and the core's pixels.
struct Shape {
    std::vector<cv::Point> pixels;
    bool penumbra = false;
    int corePixels = 0;
};

// The marks of a mask (8-connected) and what is known of each.
struct Marks {
    cv::Mat labels;
    cv::Mat stats;
    int count = 0;
    std::vector<float> thickness; // the largest distance from the mark's edge, pixels
};

// A mark's box in the labels' image, and that box grown by a pixel each way (room for the
// paper round the mark), clipped to the image.
cv::Rect markBox(const Marks &m, int k) {
    return {m.stats.at<int>(k, cv::CC_STAT_LEFT), m.stats.at<int>(k, cv::CC_STAT_TOP),
            m.stats.at<int>(k, cv::CC_STAT_WIDTH), m.stats.at<int>(k, cv::CC_STAT_HEIGHT)};
}
cv::Rect markBoxGrown(const Marks &m, int k) {
    const cv::Rect box = markBox(m, k);
    return cv::Rect(box.x - 1, box.y - 1, box.width + 2, box.height + 2) &
           cv::Rect(0, 0, m.labels.cols, m.labels.rows);
}

// The convex hull of a mark, and whether a point lies inside it (a core inside the strokes of
// its outline).
std::vector<cv::Point> hullOf(const Marks &m, int k) {
    const cv::Rect box = markBox(m, k);
    std::vector<cv::Point> its, hull;
    cv::findNonZero(m.labels(box) == k, its);
    cv::convexHull(its, hull);
    for (cv::Point &p : hull)
        p += box.tl();
    return hull;
}
bool inside(const std::vector<cv::Point> &hull, cv::Point2d p) {
    return cv::pointPolygonTest(hull, cv::Point2f(static_cast<float>(p.x), static_cast<float>(p.y)),
                                false) > 0;
}
// Whether other pencil rings a mark all round, within kLargestOutlineMm of its middle: a core
// inside its outline, however the print cuts the outline into pieces.
bool ringedByPencil(const Marks &m, int k, cv::Point2d middle, double dotsPerMm) {
    const double reach = kLargestOutlineMm * dotsPerMm;
    int met = 0;
    for (int r = 0; r < kRingRays; ++r) {
        const double a = 2 * std::numbers::pi * r / kRingRays;
        for (double t = 1; t <= reach; t += 0.5) {
            const cv::Point q(static_cast<int>(std::lround(middle.x + t * std::cos(a))),
                              static_cast<int>(std::lround(middle.y + t * std::sin(a))));
            if (q.x < 0 || q.y < 0 || q.x >= m.labels.cols || q.y >= m.labels.rows)
                break;
            const int l = m.labels.at<int>(q);
            if (l != 0 && l != k) {
                ++met;
                break;
            }
        }
    }
    return met >= kRingedPart * kRingRays;
}

// The first stroke that mark `k` reaches through print (`cutting`) within `reach` pixels, 0
// for none: the pencil on, or leaving, the print on either side.
int strokeThroughPrint(const Marks &m, int k, const cv::Mat &cutting,
                       const std::vector<bool> &isStroke, int reach) {
    const cv::Rect all(0, 0, m.labels.cols, m.labels.rows);
    const cv::Rect box = markBox(m, k);
    const cv::Rect room = cv::Rect(box.x - reach - 1, box.y - reach - 1, box.width + 2 * reach + 2,
                                   box.height + 2 * reach + 2) &
                          all;
    cv::Mat seen = cv::Mat::zeros(room.size(), CV_8UC1);
    std::vector<cv::Point> front;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            if (m.labels.at<int>(y, x) == k) {
                front.emplace_back(x, y);
                seen.at<uchar>(y - room.y, x - room.x) = 1;
            }
    for (int step = 0; step < reach && !front.empty(); ++step) {
        std::vector<cv::Point> next;
        for (const cv::Point &p : front)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const cv::Point q(p.x + dx, p.y + dy);
                    if (!room.contains(q) || seen.at<uchar>(q - room.tl()))
                        continue;
                    seen.at<uchar>(q - room.tl()) = 1;
                    const int l = m.labels.at<int>(q);
                    if (l != 0 && l != k && isStroke[static_cast<size_t>(l)])
                        return l;
                    if (l == 0 && cutting.at<uchar>(q))
                        next.push_back(q);
                }
        front = std::move(next);
    }
    return 0;
}

// Paper crossed on a ray: this many pixels of it, half a millimetre and two pixels at least
// (a pixel of paper is a light grain of the pencil; at 100 dpi the blur leaves a strip of
// 0.7 mm between a core and its outline two pixels wide).
int paperCrossedPx(double dotsPerMm) {
    return std::max(2, static_cast<int>(std::lround(0.5 * dotsPerMm)));
}

// An open outline round the core `core`: rays from the core's middle that meet a stroke
// beyond it; where they do on nearly every side, with no gap wider than kOutlineGapMm, the
// polygon through the strokes' outer edges (gaps bridged from their neighbours) is the
// outline's round, and the strokes met are its own.
std::optional<std::vector<cv::Point>>
openOutline(const Marks &m, int core, const cv::Mat &coreMask, QPointF c, const WorkRegion &w,
            const std::vector<bool> &thin, const std::vector<bool> &isStroke,
            std::vector<int> &strokesMet, bool ownAfterPaper = false, int *paperRays = nullptr,
            int leastPaperRays = kOutlineRays / 3) {
    const cv::Mat &labels = m.labels;
    const double reach = kLargestOutlineMm * w.dotsPerMm;
    std::array<double, kOutlineRays> outer{};
    // Rays that meet no stroke but print dark enough to hide the pencil: the outline may run
    // under it, and such a ray is no gap.
    std::array<double, kOutlineRays> underPrint{};
    std::array<int, kOutlineRays> hitMark{};
    // Where each ray leaves the core's own mark (a core drawn against its outline leaves it
    // by the outline's edge).
    std::array<double, kOutlineRays> coreEdge{};
    std::vector<int> met;
    int acrossPaper = 0;
    for (int k = 0; k < kOutlineRays; ++k) {
        const double a = 2 * std::numbers::pi * k / kOutlineRays;
        const QPointF u(std::cos(a), std::sin(a));
        outer[static_cast<size_t>(k)] = -1;
        int in = 0;
        bool paper = false;
        bool crossed = false;
        int paperRun = 0;
        for (double r = 0; r <= reach; r += 0.5) {
            const int x = static_cast<int>(std::lround(c.x() + u.x() * r));
            const int y = static_cast<int>(std::lround(c.y() + u.y() * r));
            if (x < 0 || y < 0 || x >= labels.cols || y >= labels.rows)
                break;
            const int l = labels.at<int>(y, x);
            if (r > 0 && in == 0 && l == 0 && w.obscured.at<uchar>(y, x) &&
                underPrint[static_cast<size_t>(k)] == 0)
                underPrint[static_cast<size_t>(k)] = r;
            // The core itself, then the first stroke beyond it: another mark, or where the
            // core is opened out of a mark its outline touches, the rest of that mark.
            // (A blob's own rim, reached from its core without crossing a pixel of paper, is
            // the core's.)
            const bool inCore = coreMask.empty() ? l == core
                                                 : coreMask.at<uchar>(y, x) != 0 ||
                                                       (ownAfterPaper && l == core && !crossed);
            paper = paper || (in == 0 && l == 0);
            paperRun = l == 0 ? paperRun + 1 : 0;
            crossed = crossed || paperRun >= paperCrossedPx(w.dotsPerMm);
            if (in == 0 && l != 0 && !inCore &&
                (l == core ? !coreMask.empty() : thin[static_cast<size_t>(l)]))
                in = l;
            if (in != 0 && l != in)
                break;
            if (in != 0)
                outer[static_cast<size_t>(k)] = r + 0.5;
            if (in == 0 && !paper && l == core)
                coreEdge[static_cast<size_t>(k)] = r + 0.5;
        }
        hitMark[static_cast<size_t>(k)] = in;
        acrossPaper += in != 0 && paper ? 1 : 0;
    }
    // A dot met through a gap well beyond where the outline runs on either side of it is a
    // spot beside the outline, no piece of it.
    for (int k = 0; k < kOutlineRays; ++k) {
        const int piece = hitMark[static_cast<size_t>(k)];
        if (piece <= 0 || std::find(met.begin(), met.end(), piece) != met.end())
            continue;
        if (piece == core) {
            met.push_back(piece);
            continue;
        }
        std::vector<int> rays;
        for (int j = 0; j < kOutlineRays; ++j)
            if (hitMark[static_cast<size_t>(j)] == piece)
                rays.push_back(j);
        // A stroke met on a few rays only may be writing met through a gap; one met on more
        // is a part of the outline, and so is a piece no wider than a stroke met on as many
        // (an arc between two gaps, however far a core drawn off the middle lies from it: a
        // spot beside the outline is seen under a narrower angle).
        if ((isStroke[static_cast<size_t>(piece)] || thin[static_cast<size_t>(piece)]) &&
            static_cast<int>(rays.size()) > kOutlineRays / kFewRays) {
            met.push_back(piece);
            continue;
        }
        double beyond = 0;
        int judged = 0;
        for (int j : rays) {
            double sides = 0;
            int found = 0;
            for (int step : {-1, 1})
                for (int d = 1; d < kOutlineRays / 2; ++d) {
                    const auto n =
                        static_cast<size_t>((j + step * d + kOutlineRays) % kOutlineRays);
                    // Judged against the outline's sure pieces: strokes, the core's own
                    // (a stroke against the others: writing met through a gap).
                    if (hitMark[n] > 0 && hitMark[n] != piece &&
                        (hitMark[n] == core || isStroke[static_cast<size_t>(hitMark[n])])) {
                        sides += outer[n];
                        ++found;
                        break;
                    }
                }
            if (found == 2) {
                beyond += outer[static_cast<size_t>(j)] / (sides / 2);
                ++judged;
            }
        }
        if (judged > 0 && beyond / judged > kBesideOutline) {
            for (int j : rays) {
                outer[static_cast<size_t>(j)] = -1;
                hitMark[static_cast<size_t>(j)] = -1;
            }
            continue;
        }
        met.push_back(piece);
    }
    // Paper lies between a core and a third of its outline at least (a core may be drawn
    // against its outline on one side): rays that go from the core straight into the rest of
    // its mark all round run along strokes (the junction of a cross, an arrow's head, a
    // written 4), not round a core.
    if (paperRays)
        *paperRays = acrossPaper;
    if (acrossPaper < leastPaperRays)
        return std::nullopt;
    // Every gap no wider than kOutlineGapMm at the radius of the outline beside it.
    double sum = 0;
    int hits = 0;
    for (double r : outer)
        if (r > 0) {
            sum += r;
            ++hits;
        }
    if (hits < kOutlineRays / 2)
        return std::nullopt;
    const double radius = sum / hits;
    // A core drawn against its outline: the outline's edge is the mark's own there, about as
    // far out as the outline on either side.
    const std::array<double, kOutlineRays> met0 = outer;
    for (int k = 0; k < kOutlineRays; ++k) {
        if (met0[static_cast<size_t>(k)] > 0 || hitMark[static_cast<size_t>(k)] != 0)
            continue;
        int before = k - 1, after = k + 1;
        while (met0[static_cast<size_t>((before + kOutlineRays) % kOutlineRays)] <= 0)
            --before;
        while (met0[static_cast<size_t>(after % kOutlineRays)] <= 0)
            ++after;
        const double t = double(k - before) / (after - before);
        const double beside =
            met0[static_cast<size_t>((before + kOutlineRays) % kOutlineRays)] * (1 - t) +
            met0[static_cast<size_t>(after % kOutlineRays)] * t;
        if (coreEdge[static_cast<size_t>(k)] >= kCoreAgainstOutline * beside)
            outer[static_cast<size_t>(k)] = coreEdge[static_cast<size_t>(k)];
    }
    // A ray stopped well inside the outline of the rays round it (a grain of the pencil, a
    // dot inside the penumbra) is taken as a gap: the outline runs round it.
    const std::array<double, kOutlineRays> unfiltered = outer;
    for (int k = 0; k < kOutlineRays; ++k) {
        if (unfiltered[static_cast<size_t>(k)] <= 0)
            continue;
        std::vector<double> round;
        for (int d = -kDipRays; d <= kDipRays; ++d) {
            const double r = unfiltered[static_cast<size_t>((k + d + kOutlineRays) % kOutlineRays)];
            if (d != 0 && r > 0)
                round.push_back(r);
        }
        if (round.size() < 2)
            continue;
        if (unfiltered[static_cast<size_t>(k)] < kDipPart * middleOf(round))
            outer[static_cast<size_t>(k)] = -1;
    }
    const double step = 2 * std::numbers::pi * radius / kOutlineRays / w.dotsPerMm; // mm
    int run = 0;
    int first = 0;
    while (first < kOutlineRays && outer[static_cast<size_t>(first)] > 0)
        ++first;
    for (int i = 0; i < kOutlineRays; ++i) {
        const auto k = static_cast<size_t>((first + i) % kOutlineRays);
        // Print hiding the pencil where the outline would run, not further out.
        if (outer[k] > 0 || (underPrint[k] > 0 && underPrint[k] <= kFarthestHidden * radius))
            run = 0;
        else if (++run * step > kOutlineGapSeenMm + step)
            return std::nullopt;
    }
    // The gaps bridged: a missing ray takes the radius between its neighbours.
    std::vector<cv::Point> polygon;
    for (int k = 0; k < kOutlineRays; ++k) {
        double r = outer[static_cast<size_t>(k)];
        if (r <= 0) {
            int before = k, after = k;
            while (outer[static_cast<size_t>((before + kOutlineRays) % kOutlineRays)] <= 0)
                --before;
            while (outer[static_cast<size_t>(after % kOutlineRays)] <= 0)
                ++after;
            const double t = double(k - before) / (after - before);
            r = outer[static_cast<size_t>((before + kOutlineRays) % kOutlineRays)] * (1 - t) +
                outer[static_cast<size_t>(after % kOutlineRays)] * t;
        }
        const double a = 2 * std::numbers::pi * k / kOutlineRays;
        polygon.emplace_back(static_cast<int>(std::lround(c.x() + std::cos(a) * r)),
                             static_cast<int>(std::lround(c.y() + std::sin(a) * r)));
    }
    strokesMet = met;
    return polygon;
}

// The filled part of a mark: what is left when its strokes are opened away by a disk
// kCoreOfStrokes times their width; its pixels (the mask's size) and count.
struct OpenedCore {
    cv::Mat mask;
    int pixels = 0;
};
OpenedCore openCore(const Marks &m, int k, cv::Size size) {
    const cv::Rect box = markBox(m, k);
    const int opening =
        static_cast<int>(std::ceil(kCoreOfStrokes * 2 * m.thickness[static_cast<size_t>(k)])) | 1;
    OpenedCore core;
    core.mask = cv::Mat::zeros(size, CV_8UC1);
    cv::morphologyEx(m.labels(box) == k, core.mask(box), cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(opening, opening)));
    core.pixels = cv::countNonZero(core.mask(box));
    return core;
}

// How deep a mark's strokes are: the middle of the highest depths along them (a core where
// they cross or a spot they run into is a little of their length), pixels in `leaveOut` (a
// core opened out of them) left out; 0 for no pixel.
float strokesDepth(const Marks &m, int k, const cv::Mat &depth, const cv::Mat &leaveOut = {}) {
    const cv::Rect box = markBox(m, k);
    std::vector<float> ridge;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x) {
            if (m.labels.at<int>(y, x) != k || (!leaveOut.empty() && leaveOut.at<uchar>(y, x)))
                continue;
            const float d = depth.at<float>(y, x);
            bool top = true;
            for (int dy = -1; dy <= 1 && top; ++dy)
                for (int dx = -1; dx <= 1 && top; ++dx) {
                    const cv::Point q(x + dx, y + dy);
                    top = q.x < 0 || q.y < 0 || q.x >= depth.cols || q.y >= depth.rows ||
                          depth.at<float>(q) <= d;
                }
            if (top)
                ridge.push_back(d);
        }
    return ridge.empty() ? 0 : middleOf(ridge);
}

// The middle of a mark's pencil as `dark` gives it (the blurred darkness over the print),
// pixels in `leaveOut` left out; 0 for no pixel.
float middleDark(const Marks &m, int k, const cv::Mat &dark, const cv::Mat &leaveOut = {}) {
    const cv::Rect box = markBox(m, k);
    std::vector<float> levels;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            if (m.labels.at<int>(y, x) == k && (leaveOut.empty() || !leaveOut.at<uchar>(y, x)))
                levels.push_back(dark.at<float>(y, x));
    return levels.empty() ? 0 : middleOf(levels);
}

// How much darker a core opened out of mark `k` (`core`, the labels' size) is than the rest of
// the mark: the middle of its pencil (`dark`; off the print, where the most of it lies off the
// print) over the middle of the rest.
double coreOverStrokes(const Marks &m, int k, const cv::Mat &core, const cv::Mat &dark,
                       const cv::Mat &printed) {
    const cv::Rect box = markBox(m, k);
    std::vector<float> offPrint, all;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            if (core.at<uchar>(y, x)) {
                all.push_back(dark.at<float>(y, x));
                if (!printed.at<uchar>(y, x))
                    offPrint.push_back(dark.at<float>(y, x));
            }
    const float rest = middleDark(m, k, dark, core);
    if (all.empty() || rest <= 0)
        return std::numeric_limits<double>::infinity(); // nothing else to weigh it against
    return (2 * offPrint.size() >= all.size() ? middleOf(offPrint) : middleOf(all)) / rest;
}

// A core drawn against its outline and no wider than the outline's strokes, so that the mark
// is all strokes: where the pencil lies thickest (the most of it round a point, or the
// deepest inside the mark), the rest of the mark round it as an outline, with paper between
// them on a part of the way round at least (openOutline's test).
std::optional<std::vector<cv::Point>> joinedCore(const Marks &m, int k, const cv::Mat &depth,
                                                 const cv::Mat &blurredAbove, const WorkRegion &w,
                                                 const std::vector<bool> &thin,
                                                 const std::vector<bool> &isStroke, bool pieces,
                                                 std::vector<int> &met, int &corePixels) {
    const cv::Rect box = markBox(m, k);
    if (std::max(box.width, box.height) > 2 * kLargestOutlineMm * w.dotsPerMm ||
        std::min(box.width, box.height) < 2 * kLeastJoinedOutlineMm * w.dotsPerMm)
        return std::nullopt;
    cv::Point darkest(-1, -1), deepest(-1, -1);
    float mostDark = -1, mostDeep = -1, deepDark = -1;
    for (int y = box.y; y < box.y + box.height; ++y) {
        const int *l = m.labels.ptr<int>(y);
        const float *d = depth.ptr<float>(y);
        const float *a = blurredAbove.ptr<float>(y);
        for (int x = box.x; x < box.x + box.width; ++x) {
            if (l[x] != k)
                continue;
            if (a[x] > mostDark) {
                mostDark = a[x];
                darkest = {x, y};
            }
            if (d[x] > mostDeep || (d[x] == mostDeep && a[x] > deepDark)) {
                mostDeep = d[x];
                deepDark = a[x];
                deepest = {x, y};
            }
        }
    }
    // A mark closing more than one piece of paper may be writing (an 8, a B, a crossed line):
    // its core is then wider than its strokes are (the middle of the highest depths along
    // them), not only where they cross.
    float strokeDepth = 0;
    if (pieces) {
        strokeDepth = strokesDepth(m, k, depth);
        if (strokeDepth <= 0)
            return std::nullopt;
    }
    for (const cv::Point c : {darkest, deepest}) {
        if (c.x < 0 || depth.at<float>(c) < kCoreOverStrokes * strokeDepth)
            continue;
        // The core: the mark's pixels within the pencil's thickness there.
        const double radius = std::max<double>(depth.at<float>(c), 1.0) + 0.5;
        cv::Mat core = cv::Mat::zeros(m.labels.size(), CV_8UC1);
        cv::Mat inBox = core(box);
        cv::circle(inBox, c - box.tl(), static_cast<int>(std::floor(radius)), cv::Scalar(255),
                   cv::FILLED);
        inBox &= m.labels(box) == k;
        const float outlineDark = middleDark(m, k, blurredAbove, core);
        // A core is pencil laid all over: the scan's blur leaves it darker than the middle of
        // the strokes round it. Where written strokes join, the pencil is hardly darker than
        // along them.
        if (coreOverStrokes(m, k, core, blurredAbove, w.printed) < kOpenedCoreInk)
            continue;
        std::vector<int> strokes;
        const int leastPaper = blurredAbove.at<float>(c) >= kFaintOutline * outlineDark
                                   ? kOutlineRays / 6
                                   : kOutlineRays / 3;
        auto polygon = openOutline(m, k, core, QPointF(c.x, c.y), w, thin, isStroke, strokes, true,
                                   nullptr, leastPaper);
        // A faint outline blurred into its core: the rest of the mark round the core is its
        // outline (paper shows between them on a few rays only).
        if (!polygon && leastPaper < kOutlineRays / 3)
            polygon = openOutline(m, k, core, QPointF(c.x, c.y), w, thin, isStroke, strokes, false,
                                  nullptr, leastPaper);
        // The outline is the mark's own, other marks met only its pieces.
        int own = 0, others = 0;
        bool othersStrokes = true;
        for (int piece : strokes) {
            (piece == k ? own : others) += m.stats.at<int>(piece, cv::CC_STAT_AREA);
            othersStrokes = othersStrokes && (piece == k || isStroke[static_cast<size_t>(piece)]);
        }
        // A core deep and plainly darker than its strokes holds its outline also where the
        // outline's gaps cut it into pieces and the most of them lie apart from the core, when
        // the core's mark is a piece of it and every other piece a stroke (dots round it are
        // no outline).
        const bool plainCore = own > 0 && othersStrokes &&
                               depth.at<float>(c) >= kCoreDepthMm * w.dotsPerMm &&
                               blurredAbove.at<float>(c) >= kPlainCoreInk * outlineDark;
        if (polygon && (own >= kOwnOutlinePart * (own + others) || plainCore)) {
            met = strokes;
            corePixels = cv::countNonZero(core);
            return polygon;
        }
    }
    return std::nullopt;
}

// The part of a mark (`own`, 8-bit) inside its drawn edge: where its pencil (`above`, the
// same size) is at least kDrawnEdge of its darkest (the scan's blur spreads the pencil's faint
// rim over the paper round a mark and over a narrow strip of paper between two marks; half
// way down its darkness is where the drawn edge was). Its darkest is measured off the print
// (`printed`: the pencil over it is known less surely); where the print hides the pencil
// (`hidden`), the mark is taken as it was joined across it.
cv::Mat drawnPart(const cv::Mat &own, const cv::Mat &above, const cv::Mat &hidden,
                  const cv::Mat &printed) {
    std::vector<float> levels;
    for (const cv::Mat &leaveOut : {printed, hidden}) {
        for (int y = 0; y < own.rows; ++y)
            for (int x = 0; x < own.cols; ++x)
                if (own.at<uchar>(y, x) && !leaveOut.at<uchar>(y, x))
                    levels.push_back(above.at<float>(y, x));
        if (levels.size() >= kLeastPlateauPx)
            break;
        levels.clear();
    }
    if (levels.empty())
        return own.clone();
    return own & ((above >= kDrawnEdge * partOf(levels, kDarkestPart)) | hidden);
}

// The round filled cores of a mark, from its distance to the paper (`depth`, zero off the
// mark): the pieces its part deeper than kNeckPart of its depth falls into, each at least
// `leastDepth` (pixels) and kPartDepth of the deepest deep; a piece whose peak lies within
// the two depths of a deeper one's is a grain of that core (the pixels' grid breaks a small
// core up). Dots the scan's blur joins have one core each with a neck between them; a
// stroke of even width has one core along its length, or none.
struct RoundCores {
    cv::Mat pieces;               // the deep pieces, labelled
    std::vector<int> partOf;      // each piece's core, -1 for none
    std::vector<cv::Point> peaks; // each core's deepest point
    std::vector<float> radii;     // and its depth there
};
RoundCores roundCores(const cv::Mat &depth, double leastDepth) {
    RoundCores cores;
    double deepest = 0;
    cv::minMaxLoc(depth, nullptr, &deepest);
    const int n = cv::connectedComponents(depth > kNeckPart * deepest, cores.pieces, 8, CV_32S);
    std::vector<float> pieceDepth(static_cast<size_t>(n), 0);
    std::vector<cv::Point> peak(static_cast<size_t>(n));
    for (int y = 0; y < depth.rows; ++y)
        for (int x = 0; x < depth.cols; ++x) {
            const auto j = static_cast<size_t>(cores.pieces.at<int>(y, x));
            if (depth.at<float>(y, x) > pieceDepth[j]) {
                pieceDepth[j] = depth.at<float>(y, x);
                peak[j] = cv::Point(x, y);
            }
        }
    std::vector<int> order(static_cast<size_t>(std::max(n - 1, 0)));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return pieceDepth[static_cast<size_t>(a)] > pieceDepth[static_cast<size_t>(b)];
    });
    leastDepth = std::max(leastDepth, kPartDepth * deepest);
    cores.partOf.assign(static_cast<size_t>(n), -1);
    std::vector<int> heads;
    for (const int j : order) {
        const auto uj = static_cast<size_t>(j);
        if (pieceDepth[uj] < leastDepth)
            break;
        for (const int h : heads) {
            const auto uh = static_cast<size_t>(h);
            const cv::Point d = peak[uj] - peak[uh];
            if (std::hypot(d.x, d.y) < pieceDepth[uj] + pieceDepth[uh]) {
                cores.partOf[uj] = cores.partOf[uh];
                break;
            }
        }
        if (cores.partOf[uj] < 0) {
            cores.partOf[uj] = static_cast<int>(heads.size());
            heads.push_back(j);
            cores.peaks.push_back(peak[uj]);
            cores.radii.push_back(pieceDepth[uj]);
        }
    }
    return cores;
}

// Dots the scan's blur joins (a mark `own`, 8-bit, its pencil `above` and the print hiding
// it `hidden`, the same size): two round cores or more, with a neck between them, whose disks
// hold nearly all of the mark, however long and narrow it comes out. A stroke of even width
// has one core along its length, or none as deep as a core; where written strokes join, the
// joint is one core and the strokes run on beyond it.
std::optional<RoundCores> joinedDotsOf(const cv::Mat &own, const cv::Mat &above,
                                       const cv::Mat &hidden, const cv::Mat &printed,
                                       double dotsPerMm) {
    // Paper inside the drawn part is an outline's (a small spot drawn as an outline round
    // light paper), no dots.
    cv::Mat drawn = drawnPart(own, above, hidden, printed);
    {
        std::vector<std::vector<cv::Point>> edges;
        std::vector<cv::Vec4i> nesting;
        cv::findContours(drawn.clone(), edges, nesting, cv::RETR_CCOMP, cv::CHAIN_APPROX_SIMPLE);
        for (const cv::Vec4i &n : nesting)
            if (n[3] >= 0)
                return std::nullopt;
    }
    cv::Mat depth;
    cv::distanceTransform(drawn, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    RoundCores cores = roundCores(depth, kDotCoreMm * dotsPerMm);
    if (cores.peaks.size() < 2)
        return std::nullopt;
    cv::Mat disks = cv::Mat::zeros(own.size(), CV_8UC1);
    for (size_t c = 0; c < cores.peaks.size(); ++c)
        cv::circle(disks, cores.peaks[c],
                   static_cast<int>(std::lround(cores.radii[c] + kCoreRimPx)), cv::Scalar(255),
                   cv::FILLED);
    // (The print the mark is joined across is no part of the dots.)
    const cv::Mat pencil = own & ~printed;
    if (cv::countNonZero(disks & pencil) < kJoinedDotsCover * cv::countNonZero(pencil))
        return std::nullopt;
    return cores;
}

// Dots the scan's blur joins: a spot without a penumbra with two round cores or more is as
// many spots, each pixel going to the core nearest to it.
std::vector<Shape> partedDots(std::vector<Shape> shapes, const WorkRegion &w,
                              const cv::Mat &above) {
    std::vector<Shape> parted;
    for (Shape &shape : shapes) {
        if (shape.penumbra || shape.pixels.empty()) {
            parted.push_back(std::move(shape));
            continue;
        }
        const cv::Rect box = cv::boundingRect(shape.pixels);
        cv::Mat own = cv::Mat::zeros(box.height + 2, box.width + 2, CV_8UC1);
        const cv::Point origin = box.tl() - cv::Point(1, 1);
        for (const cv::Point &p : shape.pixels)
            own.at<uchar>(p - origin) = 255;
        const cv::Rect grown(origin, own.size());
        cv::Mat pencil = cv::Mat::zeros(own.size(), CV_32F);
        cv::Mat hidden = cv::Mat::zeros(own.size(), CV_8UC1);
        cv::Mat printed = cv::Mat::zeros(own.size(), CV_8UC1);
        const cv::Rect inRegion = grown & cv::Rect(0, 0, above.cols, above.rows);
        above(inRegion).copyTo(pencil(inRegion - origin));
        w.hidden(inRegion).copyTo(hidden(inRegion - origin));
        w.printed(inRegion).copyTo(printed(inRegion - origin));
        // The mark's own depth parts dots whose neck the blur leaves narrow; where it fills
        // the neck up, their drawn part does.
        cv::Mat depth;
        cv::distanceTransform(own, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
        std::optional<RoundCores> cores = roundCores(depth, kCoreDepthMm * w.dotsPerMm);
        if (cores->peaks.size() < 2)
            cores = joinedDotsOf(own, pencil, hidden, printed, w.dotsPerMm);
        if (!cores) {
            parted.push_back(std::move(shape));
            continue;
        }
        const cv::Mat &pieces = cores->pieces;
        const std::vector<int> &partOf = cores->partOf;
        const int parts = static_cast<int>(cores->peaks.size());
        std::vector<cv::Point> seeds;
        std::vector<int> seedPart;
        for (int y = 0; y < pieces.rows; ++y)
            for (int x = 0; x < pieces.cols; ++x)
                if (const int part = partOf[static_cast<size_t>(pieces.at<int>(y, x))]; part >= 0) {
                    seeds.emplace_back(x, y);
                    seedPart.push_back(part);
                }
        std::vector<Shape> dots(static_cast<size_t>(parts));
        for (const cv::Point &p : shape.pixels) {
            const cv::Point q = p - origin;
            size_t nearest = 0;
            double best = 1e18;
            for (size_t k = 0; k < seeds.size(); ++k) {
                const cv::Point d = seeds[k] - q;
                const double far = d.x * d.x + d.y * d.y;
                if (far < best) {
                    best = far;
                    nearest = k;
                }
            }
            dots[static_cast<size_t>(seedPart[nearest])].pixels.push_back(p);
        }
        for (Shape &dot : dots)
            parted.push_back(std::move(dot));
    }
    return parted;
}

// Spots from marks: an outline round a core (closed, or open with gaps up to kOutlineGapMm)
// becomes one spot with what it encloses; writing and lines (strokes of even width,
// enclosing nothing filled) are left out; every other mark is a spot, its small holes
// filled. A mark enclosing paper of kLeastHoleMm2 or more (an outline drawn into its core)
// is a spot with a penumbra too.
// The width of a mark's strokes (`part`, 8-bit), in pixels: twice its area over its edge's
// length (a strip's, a ring's alike), and the pixel the edge runs on pixel centres. The light
// grains of grey pencil inside a spot are no edge of its strokes.
double widthOf(const cv::Mat &part, double dotsPerMm) {
    std::vector<std::vector<cv::Point>> edges;
    std::vector<cv::Vec4i> nesting;
    cv::findContours(part, edges, nesting, cv::RETR_CCOMP, cv::CHAIN_APPROX_NONE);
    double edge = 0;
    for (size_t e = 0; e < edges.size(); ++e)
        if (nesting[e][3] < 0 ||
            cv::contourArea(edges[e]) >= kLeastLightInsideMm2 * dotsPerMm * dotsPerMm)
            edge += std::max(cv::arcLength(edges[e], true), 2.0);
    return 2 * cv::countNonZero(part) / std::max(edge, 1.0) + 1;
}

std::vector<Shape> shapesOf(const cv::Mat &mask, const WorkRegion &w, const cv::Mat &above) {
    Marks m;
    cv::Mat centroids;
    m.count = cv::connectedComponentsWithStats(mask, m.labels, m.stats, centroids, 8, CV_32S);
    const auto count = static_cast<size_t>(m.count);
    // A stroke: no wider than a pencil line and long for its width. Its width is twice its
    // area over its edge's length (a strip's, a ring's alike), its length its area over that.
    std::vector<bool> isStroke(count, false);
    std::vector<bool> thin(count, false);
    std::vector<bool> filledPart(count, false);
    std::vector<bool> joinedDots(count, false);
    cv::Mat depth;
    cv::distanceTransform(mask, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    std::vector<float> deepest(count, 0);
    for (int y = 0; y < mask.rows; ++y) {
        const int *l = m.labels.ptr<int>(y);
        const float *d = depth.ptr<float>(y);
        for (int x = 0; x < mask.cols; ++x)
            deepest[static_cast<size_t>(l[x])] = std::max(deepest[static_cast<size_t>(l[x])], d[x]);
    }
    m.thickness.assign(count, 0);
    for (size_t i = 1; i < count; ++i) {
        const int k = static_cast<int>(i);
        const cv::Rect box = markBoxGrown(m, k);
        const cv::Mat part = m.labels(box) == k;
        const double area = m.stats.at<int>(k, cv::CC_STAT_AREA);
        const double width = widthOf(part, w.dotsPerMm);
        m.thickness[i] = static_cast<float>(width / 2);
        thin[i] = width / w.dotsPerMm <= kWidestStrokeMm;
        // A line drawn by hand (a grid line, the north mark): long, its area spread along it
        // narrower than a pencil line.
        std::vector<cv::Point> pixels;
        cv::findNonZero(part, pixels);
        const cv::RotatedRect along = cv::minAreaRect(pixels);
        const double length = std::max(along.size.width, along.size.height);
        filledPart[i] = 2 * deepest[i] >= kFilledPart * width;
        isStroke[i] =
            (thin[i] && area >= kStrokeLength * width * width) ||
            (length >= kShortestLineMm * w.dotsPerMm && area / length < kThinLineMm * w.dotsPerMm);
        // Writing that the scan's blur spreads wider than a pencil's stroke (a letter at 100
        // dpi): its drawn part is strokes, long for their width, nowhere as deep as a filled
        // mark of its area is, nor as kBlurredStrokeMm.
        if (!thin[i]) {
            const cv::Mat drawn = drawnPart(part, above(box), w.hidden(box), w.printed(box));
            const double drawnArea = cv::countNonZero(drawn);
            const double drawnWidth = widthOf(drawn, w.dotsPerMm);
            cv::Mat drawnDepth;
            cv::distanceTransform(drawn, drawnDepth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
            double drawnDeepest = 0;
            cv::minMaxLoc(drawnDepth, nullptr, &drawnDeepest);
            if (drawnWidth / w.dotsPerMm <= kWidestStrokeMm &&
                drawnArea >= kStrokeLength * drawnWidth * drawnWidth &&
                drawnDeepest < kShallowPart * std::sqrt(drawnArea / std::numbers::pi) &&
                drawnDeepest < kBlurredStrokeMm * w.dotsPerMm) {
                thin[i] = true;
                isStroke[i] = true;
            }
        }
        // Dots the scan's blur joins hold filled cores, however long and narrow the mark
        // comes out.
        if (thin[i] && deepest[i] >= kCoreDepthMm * w.dotsPerMm &&
            joinedDotsOf(part, above(box), w.hidden(box), w.printed(box), w.dotsPerMm)) {
            joinedDots[i] = true;
            filledPart[i] = true;
            isStroke[i] = false;
        }
    }
    // The marks with their holes filled, and which marks each such round holds.
    cv::Mat around = cv::Mat::zeros(mask.rows + 2, mask.cols + 2, CV_8UC1);
    mask.copyTo(around(cv::Rect(1, 1, mask.cols, mask.rows)));
    cv::floodFill(around, cv::Point(0, 0), cv::Scalar(128));
    const cv::Mat filled = around(cv::Rect(1, 1, mask.cols, mask.rows)) != 128;
    cv::Mat rounds;
    const auto roundCount = static_cast<size_t>(cv::connectedComponents(filled, rounds, 8, CV_32S));
    std::vector<int> holePixels(roundCount, 0);
    std::vector<cv::Point2d> holeMiddle(roundCount, cv::Point2d(0, 0));
    std::vector<int> roundOf(count, 0);
    for (int y = 0; y < mask.rows; ++y) {
        const int *r = rounds.ptr<int>(y);
        const int *l = m.labels.ptr<int>(y);
        const uchar *inMask = mask.ptr<uchar>(y);
        for (int x = 0; x < mask.cols; ++x) {
            if (r[x] && !inMask[x]) {
                ++holePixels[static_cast<size_t>(r[x])];
                holeMiddle[static_cast<size_t>(r[x])] += cv::Point2d(x, y);
            }
            if (l[x])
                roundOf[static_cast<size_t>(l[x])] = r[x];
        }
    }
    const double leastHole = kLeastHoleMm2 * w.dotsPerMm * w.dotsPerMm;
    // A piece of writing the print cut short, or a letter too short for its width: nowhere as
    // deep as a filled mark of its area is (a spot drawn as an ellipse up to 2.5 : 1 is), and
    // no wider than a pencil's stroke (dots the scan's blur joins are wider).
    // Away from the print that may cut it, a mark's depth is known to a part of a pixel only
    // (a small spot drawn aslant is two pixels and a half across, its depth √2).
    std::vector<bool> besideHidden(count, false);
    {
        cv::Mat near;
        cv::dilate(w.hidden, near,
                   cv::getStructuringElement(cv::MORPH_ELLIPSE,
                                             cv::Size(2 * kBandPx + 1, 2 * kBandPx + 1)));
        for (int y = 0; y < mask.rows; ++y) {
            const int *l = m.labels.ptr<int>(y);
            const uchar *n = near.ptr<uchar>(y);
            for (int x = 0; x < mask.cols; ++x)
                if (l[x] && n[x])
                    besideHidden[static_cast<size_t>(l[x])] = true;
        }
    }
    for (size_t i = 1; i < count; ++i) {
        const double area = m.stats.at<int>(static_cast<int>(i), cv::CC_STAT_AREA);
        const double grid = besideHidden[i] ? 0.0 : kDepthGridPx;
        if (thin[i] && !filledPart[i] && holePixels[static_cast<size_t>(roundOf[i])] == 0 &&
            deepest[i] + grid < kShallowPart * std::sqrt(area / std::numbers::pi))
            isStroke[i] = true;
    }
    // A piece of a line drawn along print as dark as the pencil: a short mark beside the print
    // where the pencil goes on over the print (as the scan shows it through) much farther.
    {
        cv::Mat under = w.hidden & (above > kUnderPrintInk * w.ink);
        cv::Mat parts, partStats, partMiddles;
        const int n = cv::connectedComponentsWithStats(under, parts, partStats, partMiddles, 8);
        std::vector<double> partLength(static_cast<size_t>(n), 0);
        for (int j = 1; j < n; ++j)
            partLength[static_cast<size_t>(j)] = std::hypot(
                partStats.at<int>(j, cv::CC_STAT_WIDTH), partStats.at<int>(j, cv::CC_STAT_HEIGHT));
        for (size_t i = 1; i < count; ++i) {
            const int k = static_cast<int>(i);
            if (isStroke[i] || !besideHidden[i] ||
                m.stats.at<int>(k, cv::CC_STAT_AREA) > kLargestPieceMm2 * w.dotsPerMm * w.dotsPerMm)
                continue;
            const cv::Rect inside = markBoxGrown(m, k);
            const double own = std::hypot(m.stats.at<int>(k, cv::CC_STAT_WIDTH),
                                          m.stats.at<int>(k, cv::CC_STAT_HEIGHT));
            for (int y = inside.y; y < inside.y + inside.height && !isStroke[i]; ++y)
                for (int x = inside.x; x < inside.x + inside.width; ++x) {
                    const int part = parts.at<int>(y, x);
                    if (part > 0 && partLength[static_cast<size_t>(part)] >=
                                        std::max(kAlongLineMm * w.dotsPerMm, kAlongLine * own)) {
                        isStroke[i] = true;
                        break;
                    }
                }
        }
    }
    // A piece of a stroke that print cuts: a short mark ending at the print and pointing across
    // it at pencil on its other side (the arms of a cross, a letter drawn over a line). Print
    // lighter than the pencil cuts a stroke too, where the stroke is no darker than the print
    // within kSeedBandPx of it (grey writing over a thin line). A spot beside a line is no
    // longer one way than the other, or meets nothing.
    cv::Mat cutting;
    cv::dilate(w.printed, cutting,
               cv::getStructuringElement(cv::MORPH_ELLIPSE,
                                         cv::Size(2 * kSeedBandPx + 1, 2 * kSeedBandPx + 1)));
    cutting |= w.hidden;
    for (size_t i = 1; i < count; ++i) {
        const int k = static_cast<int>(i);
        const double area = m.stats.at<int>(k, cv::CC_STAT_AREA);
        if (isStroke[i] || filledPart[i] || area > kLargestPieceMm2 * w.dotsPerMm * w.dotsPerMm)
            continue;
        std::vector<cv::Point> pixels;
        const cv::Rect box = markBox(m, k);
        cv::findNonZero(m.labels(box) == k, pixels);
        const cv::RotatedRect r = cv::minAreaRect(pixels);
        const double length = std::max(r.size.width, r.size.height);
        if (length < kPieceLength * std::max(1.0f, std::min(r.size.width, r.size.height)))
            continue;
        const double a = (r.size.width >= r.size.height ? r.angle : r.angle + 90) * kRadPerDeg;
        const QPointF u(std::cos(a), std::sin(a));
        const QPointF middle(box.x + r.center.x, box.y + r.center.y);
        // A sliver of a stroke that print lying along it cut away from the rest (the arm of a
        // written 3 beside a line): as long as kSliverLength times its width and no wider than
        // kSliverWidthMm, it points across the print at that rest sideways too. A dot beside a
        // line comes out as wide as drawn.
        const double width = std::min(r.size.width, r.size.height);
        const bool sliver =
            length >= kSliverLength * std::max(1.0, width) && width <= kSliverWidthMm * w.dotsPerMm;
        struct Way {
            QPointF u;
            double from;
        };
        std::vector<Way> ways{{u, length / 2}};
        if (sliver)
            ways.push_back({QPointF(-u.y(), u.x()), width / 2});
        for (const Way &way : ways)
            for (int side : {-1, 1}) {
                bool acrossPrint = false;
                bool met = false;
                for (double t = way.from; t <= way.from + kBridgeMm * w.dotsPerMm && !met;
                     t += 0.5) {
                    const cv::Point q(
                        static_cast<int>(std::lround(middle.x() + side * t * way.u.x())),
                        static_cast<int>(std::lround(middle.y() + side * t * way.u.y())));
                    if (q.x < 0 || q.y < 0 || q.x >= mask.cols || q.y >= mask.rows)
                        break;
                    const int l = m.labels.at<int>(q);
                    acrossPrint = acrossPrint || cutting.at<uchar>(q) != 0;
                    // The print where the piece ends, then pencil beyond it.
                    if (!acrossPrint && t > way.from + kBandPx + 1)
                        break;
                    met = l != 0 && l != k && acrossPrint;
                    // Not the outline round a core.
                    if (met) {
                        if (inside(hullOf(m, l), cv::Point2d(middle.x(), middle.y())))
                            break;
                        isStroke[i] = true;
                    }
                }
            }
    }
    // A piece of writing that print as dark as the pencil cuts off, whatever its shape (the
    // foot of a 2 between two lines, the end of a 1): straight across the print from its edge
    // the writing goes on, on several of its pixels. A spot beside a line has paper there, or
    // another spot.
    {
        const int reach = static_cast<int>(std::lround(kBridgeMm * w.dotsPerMm));
        const cv::Rect all(0, 0, mask.cols, mask.rows);
        for (size_t i = 1; i < count; ++i) {
            const int k = static_cast<int>(i);
            if (isStroke[i] || !besideHidden[i] || filledPart[i] ||
                m.stats.at<int>(k, cv::CC_STAT_AREA) >
                    kLargestCutPieceMm2 * w.dotsPerMm * w.dotsPerMm)
                continue;
            const cv::Rect box = markBoxGrown(m, k);
            const cv::Point2d middle(centroids.at<double>(k, 0), centroids.at<double>(k, 1));
            std::vector<int> across;
            for (int y = box.y; y < box.y + box.height; ++y)
                for (int x = box.x; x < box.x + box.width; ++x) {
                    if (m.labels.at<int>(y, x) != k)
                        continue;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            if ((dx == 0 && dy == 0) || !all.contains({x + dx, y + dy}) ||
                                !w.hidden.at<uchar>(y + dy, x + dx))
                                continue;
                            for (int t = 2; t <= reach; ++t) {
                                const cv::Point q(x + t * dx, y + t * dy);
                                if (!all.contains(q))
                                    break;
                                const int l = m.labels.at<int>(q);
                                if (l == k)
                                    break;
                                if (l != 0) {
                                    if (isStroke[static_cast<size_t>(l)])
                                        across.push_back(l);
                                    break;
                                }
                                if (!w.hidden.at<uchar>(q) && t > kBandPx + 1 &&
                                    !w.hidden.at<uchar>(q - cv::Point(dx, dy) * (kBandPx + 1)))
                                    break; // paper beyond the print
                            }
                        }
                }
            // Not the outline round a core, whole or in the pieces the print cuts it into;
            // nor across the print from the outline round another spot's core (a dot drawn
            // beside a line, an outlined spot beyond it).
            const auto ringsCore = [&](int l) {
                const std::vector<cv::Point> hull = hullOf(m, l);
                const cv::Rect around = markBox(m, l);
                for (size_t j = 1; j < count; ++j) {
                    const cv::Point2d c(centroids.at<double>(static_cast<int>(j), 0),
                                        centroids.at<double>(static_cast<int>(j), 1));
                    if (j != i && !isStroke[j] && around.contains(cv::Point(c)) &&
                        m.stats.at<int>(static_cast<int>(j), cv::CC_STAT_AREA) >=
                            kLeastSpotAtPrintMm2 * w.dotsPerMm * w.dotsPerMm &&
                        inside(hull, c) && ringedByPencil(m, static_cast<int>(j), c, w.dotsPerMm))
                        return true;
                }
                return false;
            };
            std::sort(across.begin(), across.end());
            for (auto from = across.begin(); from != across.end();) {
                const auto to = std::upper_bound(from, across.end(), *from);
                if (to - from >= kCutPieceRays && !inside(hullOf(m, *from), middle) &&
                    !ringedByPencil(m, k, middle, w.dotsPerMm) && !ringsCore(*from))
                    isStroke[i] = true;
                from = to;
            }
        }
    }
    // A piece of a stroke drawn along print as dark as the pencil, where the print lets it
    // show: a small mark (kBoxedPieceMm2) that such print bounds on two opposite sides, every pixel
    // of it within kBoxedPx of the print. A spot beside a line or in a corner of two meets the
    // print on one side, or on two at an angle, and reaches farther from it.
    cv::Mat fromHidden;
    cv::distanceTransform(~w.hidden, fromHidden, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    for (size_t i = 1; i < count; ++i) {
        const int k = static_cast<int>(i);
        const double area = m.stats.at<int>(k, cv::CC_STAT_AREA);
        if (isStroke[i] || area > kBoxedPieceMm2 * w.dotsPerMm * w.dotsPerMm)
            continue;
        const cv::Rect box = markBoxGrown(m, k);
        const cv::Mat part = m.labels(box) == k;
        double farthest = 0;
        for (int y = 0; y < part.rows; ++y)
            for (int x = 0; x < part.cols; ++x)
                if (part.at<uchar>(y, x))
                    farthest =
                        std::max<double>(farthest, fromHidden.at<float>(box.y + y, box.x + x));
        if (farthest > kBoxedPx)
            continue;
        cv::Mat ring;
        cv::dilate(part, ring, cv::Mat());
        ring &= ~part & w.hidden(box);
        const cv::Point2d middle(centroids.at<double>(k, 0) - box.x,
                                 centroids.at<double>(k, 1) - box.y);
        std::vector<double> angles;
        for (int y = 0; y < ring.rows; ++y)
            for (int x = 0; x < ring.cols; ++x)
                if (ring.at<uchar>(y, x))
                    angles.push_back(std::atan2(y - middle.y, x - middle.x));
        bool opposite = false;
        double along = 0; // towards the print on one side
        for (size_t a = 0; a < angles.size() && !opposite; ++a)
            for (size_t b = a + 1; b < angles.size() && !opposite; ++b) {
                opposite = std::abs(std::remainder(angles[a] - angles[b], 2 * std::numbers::pi)) >=
                           kOppositeRad;
                along = angles[a];
            }
        // A dot drawn across the print shows on both sides of it, a piece of a stroke along
        // it on one.
        if (opposite) {
            cv::Mat sides, sideStats, sideMiddles;
            const int n = cv::connectedComponentsWithStats(part & ~w.hidden(box), sides, sideStats,
                                                           sideMiddles, 8);
            bool before = false, after = false;
            for (int j = 1; j < n; ++j) {
                if (sideStats.at<int>(j, cv::CC_STAT_AREA) < kLeastSidePx)
                    continue;
                const double across = (sideMiddles.at<double>(j, 1) - middle.y) * std::cos(along) -
                                      (sideMiddles.at<double>(j, 0) - middle.x) * std::sin(along);
                (across < 0 ? before : after) = true;
            }
            opposite = !(before && after);
        }
        isStroke[i] = opposite;
    }
    // A crumb of writing that print cut off (the end of a 5's bar peeking out from under a
    // bold line): a mark smaller than the least spot that reaches, through the print within
    // kBridgeMm, the strokes of its letter, and lies outside them. Not strokes round a mark
    // of their own: a satellite dot beside an outline across a printed label is a spot.
    {
        const int reach = static_cast<int>(std::lround(kBridgeMm * w.dotsPerMm));
        for (size_t i = 1; i < count; ++i) {
            const int k = static_cast<int>(i);
            if (isStroke[i] || filledPart[i] ||
                m.stats.at<int>(k, cv::CC_STAT_AREA) > kCrumbMm2 * w.dotsPerMm * w.dotsPerMm)
                continue;
            const int letter = strokeThroughPrint(m, k, cutting, isStroke, reach);
            if (letter == 0)
                continue;
            const std::vector<cv::Point> hull = hullOf(m, letter);
            bool outline = false;
            for (size_t j = 1; j < count && !outline; ++j)
                outline = j != i && !isStroke[j] &&
                          inside(hull, cv::Point2d(centroids.at<double>(static_cast<int>(j), 0),
                                                   centroids.at<double>(static_cast<int>(j), 1)));
            if (!outline &&
                !inside(hull, cv::Point2d(centroids.at<double>(k, 0), centroids.at<double>(k, 1))))
                isStroke[i] = true;
        }
    }
    // An outline joined to its core (along a printed line, by the scan's blur): the one piece
    // of paper it encloses lies round a part of the mark, its middle on the pencil. The paper
    // of a written 0, 6, 9 or e has its middle on paper, an 8 encloses two pieces.
    cv::Mat blurredAbove;
    cv::GaussianBlur(above, blurredAbove, cv::Size(), 1.0);
    std::vector<bool> wrapsCore(count, false);
    cv::Mat holeParts;
    cv::connectedComponents(filled & ~mask, holeParts, 8, CV_32S);
    std::vector<int> holeOf(roundCount, 0); // the round's one piece of paper, -1 for more
    for (int y = 0; y < mask.rows; ++y)
        for (int x = 0; x < mask.cols; ++x) {
            const int h = holeParts.at<int>(y, x);
            int &own = holeOf[static_cast<size_t>(rounds.at<int>(y, x))];
            if (h > 0 && own != h)
                own = own == 0 ? h : -1;
        }
    for (size_t i = 1; i < count; ++i) {
        const auto r = static_cast<size_t>(roundOf[i]);
        if (!isStroke[i] || holePixels[r] < leastHole || holeOf[r] < 0)
            continue;
        const cv::Point middle(static_cast<int>(std::lround(holeMiddle[r].x / holePixels[r])),
                               static_cast<int>(std::lround(holeMiddle[r].y / holePixels[r])));
        // The part is pencil (a core), not a sliver of it that the print leaves where strokes
        // cross (a written 4 that printed lines cut).
        if (m.labels.at<int>(middle) != static_cast<int>(i) ||
            blurredAbove.at<float>(middle) <
                kWrappedCoreInk * middleDark(m, static_cast<int>(i), blurredAbove))
            continue;
        // Paper round that part on nearly every side.
        int round = 0;
        for (int k = 0; k < kWrapRays; ++k) {
            const double a = 2 * std::numbers::pi * k / kWrapRays;
            for (double t = 1;; t += 0.5) {
                const cv::Point q(static_cast<int>(std::lround(middle.x + t * std::cos(a))),
                                  static_cast<int>(std::lround(middle.y + t * std::sin(a))));
                if (q.x < 0 || q.y < 0 || q.x >= mask.cols || q.y >= mask.rows ||
                    rounds.at<int>(q) != static_cast<int>(r))
                    break;
                if (!mask.at<uchar>(q)) {
                    ++round;
                    break;
                }
            }
        }
        if (round >= kWrapPart * kWrapRays) {
            isStroke[i] = false;
            wrapsCore[i] = true;
        }
    }
    // A stroke round paper with a part much wider than the rest is an outline drawn into its
    // core, no writing.
    // An open outline drawn into its core: the core opened out of the strokes (the corner of
    // a cross or an arrow's head leaves little), and the rest of the mark round it on nearly
    // every side.
    std::vector<std::optional<std::vector<cv::Point>>> touchingOutline(count);
    std::vector<int> openedCore(count, 0);
    std::vector<std::vector<int>> touchingMet(count);
    std::vector<int> marksInRound(roundCount, 0);
    for (size_t i = 1; i < count; ++i)
        ++marksInRound[static_cast<size_t>(roundOf[i])];
    std::vector<std::pair<std::vector<cv::Point>, int>> spotsAmongStrokes; // and their round
    for (size_t i = 1; i < count; ++i) {
        if (!isStroke[i])
            continue;
        const int k = static_cast<int>(i);
        // A core the strokes' width does not tell (an outline closed round marks of its own
        // has its core among them).
        const auto joined = [&] {
            if (marksInRound[static_cast<size_t>(roundOf[i])] > 1)
                return;
            touchingOutline[i] = joinedCore(m, k, depth, blurredAbove, w, thin, isStroke,
                                            holeOf[static_cast<size_t>(roundOf[i])] < 0,
                                            touchingMet[i], openedCore[i]);
            if (touchingOutline[i])
                isStroke[i] = false;
        };
        if (!filledPart[i]) {
            joined();
            continue;
        }
        const cv::Rect box = markBox(m, k);
        const int opening = static_cast<int>(std::ceil(kCoreOfStrokes * 2 * m.thickness[i])) | 1;
        cv::Mat core = cv::Mat::zeros(mask.size(), CV_8UC1);
        cv::morphologyEx(m.labels(box) == k, core(box), cv::MORPH_OPEN,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(opening, opening)));
        const cv::Moments moments = cv::moments(core(box), true);
        // A closed outline into its core: paper inside and a core (not the junction of a
        // written 8 or A). Its round may be a part of what the outline encloses (the core
        // touching the outline on one side, the outline open on the other).
        const bool closed = holePixels[static_cast<size_t>(roundOf[i])] >= leastHole &&
                            moments.m00 >= kLeastCoreMm2 * w.dotsPerMm * w.dotsPerMm;
        // A small outline (the scan shows no core opened out of it) round paper its stroke
        // barely leaves: a spot, its outline told by the paper inside (a cross encloses none;
        // a written 4 closes more paper in its corner than the core its strokes' joint leaves,
        // and is judged below).
        // (Not asking the core to lie amid the paper: a core drawn against its outline leaves
        // a crescent whose middle is as far from it as a written 4's corner is.)
        if (holePixels[static_cast<size_t>(roundOf[i])] > 0 &&
            holePixels[static_cast<size_t>(roundOf[i])] < moments.m00 &&
            std::max(box.width, box.height) <= kSmallOutlineMm * w.dotsPerMm &&
            moments.m00 >= kLeastSpotAtPrintMm2 * w.dotsPerMm * w.dotsPerMm)
            isStroke[i] = false;
        if (moments.m00 < kLeastCoreMm2 * w.dotsPerMm * w.dotsPerMm) {
            if (isStroke[i])
                joined();
            continue;
        }
        const QPointF middle(box.x + moments.m10 / moments.m00, box.y + moments.m01 / moments.m00);
        int paperRays = 0;
        // The rest of the mark is outline beyond paper (the core's own grains are none), or
        // where that leaves the outline open, all of it (a core drawn against its outline).
        for (const bool ownAfterPaper : {true, false})
            if (!touchingOutline[i])
                touchingOutline[i] = openOutline(m, k, core, middle, w, thin, isStroke,
                                                 touchingMet[i], ownAfterPaper, &paperRays);
        // A core is pencil laid all over: the scan's blur leaves it darker than the rest of
        // its mark. Where written strokes join or print crosses them, it is hardly so.
        if (touchingOutline[i] &&
            coreOverStrokes(m, k, core, blurredAbove, w.printed) < kOpenedCoreInk) {
            touchingOutline[i].reset();
            touchingMet[i].clear();
        }
        if (touchingOutline[i]) {
            isStroke[i] = false;
            openedCore[i] = static_cast<int>(moments.m00);
        } else if (closed && paperRays >= kOutlineRays / 3) {
            // The paper it closes lies round the core (a fifth of the way round at least),
            // not beside it (the triangle of a written 4 at its corner).
            isStroke[i] = false;
        } else {
            joined();
        }
        // Still strokes: a filled spot the writing or a line runs into is the core they leave
        // (where strokes cross they leave less).
        if (isStroke[i] && !touchingOutline[i]) {
            cv::Mat parts, partStats, partMiddles;
            const int n =
                cv::connectedComponentsWithStats(core(box), parts, partStats, partMiddles, 8);
            const float strokeDepth = strokesDepth(m, k, depth, core);
            for (int j = 1; j < n; ++j) {
                if (partStats.at<int>(j, cv::CC_STAT_AREA) <
                    kSpotAmongStrokesMm2 * w.dotsPerMm * w.dotsPerMm)
                    continue;
                std::vector<cv::Point> pixels;
                cv::findNonZero(parts == j, pixels);
                float deepestHere = 0;
                for (cv::Point &p : pixels) {
                    p += box.tl();
                    deepestHere = std::max(deepestHere, depth.at<float>(p));
                }
                // Where strokes cross or join (a written 4, an arrow's head) the pencil is
                // deeper than along them, not as deep as a spot drawn among them; nor darker
                // than they are (the blur fills an arrow's head at 100 dpi as deep).
                if (deepestHere < kSpotOverStrokes * strokeDepth)
                    continue;
                cv::Mat part = cv::Mat::zeros(mask.size(), CV_8UC1);
                part(box).setTo(255, parts == j);
                if (coreOverStrokes(m, k, part, blurredAbove, w.printed) < kOpenedCoreInk)
                    continue;
                spotsAmongStrokes.push_back({std::move(pixels), roundOf[i]});
            }
        }
    }
    std::vector<int> strokes(roundCount, 0), blobs(roundCount, 0), corePixels(roundCount, 0);
    std::vector<int> largestBlob(roundCount, 0), blobMark(roundCount, 0);
    for (size_t i = 1; i < count; ++i) {
        const auto r = static_cast<size_t>(roundOf[i]);
        const int area = m.stats.at<int>(static_cast<int>(i), cv::CC_STAT_AREA);
        if (isStroke[i]) {
            ++strokes[r];
        } else {
            ++blobs[r];
            corePixels[r] += area;
            if (area > largestBlob[r]) {
                largestBlob[r] = area;
                blobMark[r] = static_cast<int>(i);
            }
        }
    }
    // Whether a round holds a filled core: a mark wider than a stroke, one that the strokes'
    // width opens no core out of is writing, or a piece of it, however the print cuts it.
    std::vector<bool> holdsCore(roundCount, false);
    for (size_t i = 1; i < count; ++i) {
        const auto r = static_cast<size_t>(roundOf[i]);
        if (isStroke[i] || holdsCore[r])
            continue;
        holdsCore[r] = !thin[i] || wrapsCore[i] || touchingOutline[i] ||
                       deepest[i] >= kCoreDepthMm * w.dotsPerMm ||
                       openCore(m, static_cast<int>(i), mask.size()).pixels >=
                           kLeastCoreMm2 * w.dotsPerMm * w.dotsPerMm;
    }
    std::vector<Shape> shapes;
    std::vector<int> shapeOfRound(roundCount, -1);
    std::vector<int> shapeOfMark(count, -1);
    for (size_t r = 1; r < roundCount; ++r) {
        if (blobs[r] == 0)
            continue; // writing, a line, an empty ring
        // A closed outline round a core, or a blob holding paper: a penumbra. Thin marks
        // holding paper without a core among them are writing (a 6, 8, 9, A, p, a 4 that a
        // printed line cuts in pieces).
        const bool outlined = strokes[r] > 0 || holePixels[r] >= leastHole;
        if (strokes[r] == 0 && holePixels[r] >= leastHole && !holdsCore[r])
            continue;
        shapeOfRound[r] = static_cast<int>(shapes.size());
        shapes.push_back({{}, outlined, outlined ? corePixels[r] : 0});
    }
    // Open outlines round a core not yet in a penumbra, the largest cores first; the pieces of
    // an outline (short ones may have been taken for spots) join its spot.
    std::vector<int> redirect(shapes.size());
    std::iota(redirect.begin(), redirect.end(), 0);
    std::vector<int> cores;
    for (size_t i = 1; i < count; ++i)
        if (!isStroke[i] && shapeOfRound[static_cast<size_t>(roundOf[i])] >= 0)
            cores.push_back(static_cast<int>(i));
    std::stable_sort(cores.begin(), cores.end(), [&](int a, int b) {
        return m.stats.at<int>(a, cv::CC_STAT_AREA) > m.stats.at<int>(b, cv::CC_STAT_AREA);
    });
    std::vector<std::vector<cv::Point>> polygons;
    std::vector<int> polygonShape;
    for (size_t i = 1; i < count; ++i) {
        const int own = shapeOfRound[static_cast<size_t>(roundOf[i])];
        if (!touchingOutline[i] || own < 0)
            continue;
        shapes[static_cast<size_t>(own)].penumbra = true;
        shapes[static_cast<size_t>(own)].corePixels = openedCore[i];
        for (int piece : touchingMet[i]) {
            shapeOfMark[static_cast<size_t>(piece)] = own;
            const int other =
                shapeOfRound[static_cast<size_t>(roundOf[static_cast<size_t>(piece)])];
            if (other >= 0 && other != own)
                redirect[static_cast<size_t>(other)] = own;
        }
        polygons.push_back(*touchingOutline[i]);
        polygonShape.push_back(own);
    }
    for (int i : cores) {
        const int own = shapeOfRound[static_cast<size_t>(roundOf[static_cast<size_t>(i)])];
        // Dots joined by the blur are no core and its outline.
        if (redirect[static_cast<size_t>(own)] != own ||
            shapes[static_cast<size_t>(own)].penumbra || joinedDots[static_cast<size_t>(i)])
            continue;
        std::vector<int> met;
        QPointF middle(
            m.stats.at<int>(i, cv::CC_STAT_LEFT) + m.stats.at<int>(i, cv::CC_STAT_WIDTH) / 2.0,
            m.stats.at<int>(i, cv::CC_STAT_TOP) + m.stats.at<int>(i, cv::CC_STAT_HEIGHT) / 2.0);
        // A piece of the outline joined to the core is no part of the core.
        OpenedCore opened = openCore(m, i, mask.size());
        if (opened.pixels >= kLeastCoreMm2 * w.dotsPerMm * w.dotsPerMm &&
            opened.pixels < m.stats.at<int>(i, cv::CC_STAT_AREA)) {
            const cv::Moments moments = cv::moments(opened.mask, true);
            middle = QPointF(moments.m10 / moments.m00, moments.m01 / moments.m00);
        } else {
            opened.mask = cv::Mat();
        }
        const auto polygon = openOutline(m, i, opened.mask, middle, w, thin, isStroke, met, true);
        if (!polygon)
            continue;
        Shape &shape = shapes[static_cast<size_t>(own)];
        shape.penumbra = true;
        shape.corePixels = m.stats.at<int>(i, cv::CC_STAT_AREA);
        for (int piece : met) {
            shapeOfMark[static_cast<size_t>(piece)] = own;
            const int other =
                shapeOfRound[static_cast<size_t>(roundOf[static_cast<size_t>(piece)])];
            if (other >= 0 && other != own)
                redirect[static_cast<size_t>(other)] = own;
        }
        polygons.push_back(*polygon);
        polygonShape.push_back(own);
    }
    cv::Mat owner(mask.size(), CV_32S, cv::Scalar(-1));
    for (size_t k = 0; k < polygons.size(); ++k)
        cv::fillPoly(owner, std::vector<std::vector<cv::Point>>{polygons[k]},
                     cv::Scalar(polygonShape[k]));
    for (int y = 0; y < mask.rows; ++y) {
        const int *r = rounds.ptr<int>(y);
        const int *l = m.labels.ptr<int>(y);
        const int *o = owner.ptr<int>(y);
        for (int x = 0; x < mask.cols; ++x) {
            int s = o[x];
            if (s < 0 && r[x])
                s = shapeOfRound[static_cast<size_t>(r[x])];
            if (s < 0 && l[x])
                s = shapeOfMark[static_cast<size_t>(l[x])];
            if (s >= 0)
                shapes[static_cast<size_t>(redirect[static_cast<size_t>(s)])].pixels.emplace_back(
                    x, y);
        }
    }
    for (auto &[pixels, round] : spotsAmongStrokes)
        if (shapeOfRound[static_cast<size_t>(round)] < 0 && owner.at<int>(pixels.front()) < 0)
            shapes.push_back({std::move(pixels), false, 0});
    return partedDots(std::move(shapes), w, above);
}

// The last judgement, writing or a spot: a mark the rules above left as a spot is still
// writing where its traits (traitsOf) say so. Learnt from drawings whose pencil is known
// (bench/scancorpus: spots as observers draw them, written numbers and letters, crosses,
// arrows, on the sheet and on plain paper, scanned and photographed), by boosting small
// trees of two levels on the traits of what the rules kept (bench/fit_writing, seeds 100-179):
// each tree sends a mark left or right by one trait at its root and one on that side, and
// adds its leaf to the mark's score; a score above kWritingScore is writing. What tells
// writing most is what it is made of and what lies round it: a piece of a letter is long for
// its width, shallow for its area and has the letter's other strokes within 2 mm, where a
// spot has its group's other spots.
struct WritingTree {
    int trait[3];
    double threshold[3];
    double leaf[4];
};
constexpr std::array<WritingTree, 80> kWritingTrees = {
    {{{3, 14, 13}, {0.91792, 0.87935, 0.16834}, {0.33674, -0.23599, -0.34595, 0.33638}},
     {{3, 14, 13}, {0.91792, 0.030014, 0.16834}, {0.31073, 0.045874, -0.28634, 0.28022}},
     {{10, 13, 14}, {0.14799, 0.58427, 0.071483}, {-0.28961, 0.26818, 0.26603, -0.0053219}},
     {{3, 7, 13}, {0.8906, 1.1205, 0.16834}, {0.2652, -0.1047, -0.22422, 0.23882}},
     {{10, 13, 7}, {0.16386, 0.57398, 1.0831}, {-0.23738, 0.22034, 0.20056, -0.14615}},
     {{3, 14, 13}, {0.92347, 0.030014, 0.64484}, {0.21731, 0.01033, -0.19498, 0.20519}},
     {{10, 13, 7}, {0.14799, 0.58427, 0.98624}, {-0.21431, 0.18896, 0.19963, -0.021866}},
     {{6, 13, 7}, {0.44327, 0.25723, 1.0148}, {-0.1725, 0.18408, 0.22069, 0.029159}},
     {{3, 14, 13}, {0.8906, 0.87935, 0.25723}, {0.20493, -0.08374, -0.15114, 0.1765}},
     {{4, 10, 7}, {0.36764, 0.30263, 1.0101}, {-0.17095, 0.074745, 0.24299, 0.040417}},
     {{14, 4, 4}, {0.030006, 0.26222, 0.40539}, {0.014727, 0.20484, -0.18522, 0.14032}},
     {{10, 3, 9}, {0.23311, 0.89899, 0.81092}, {0.14255, -0.17556, 0.17245, -0.039984}},
     {{13, 2, 5}, {0.12371, 0.023778, 1.5271}, {0.29422, -0.10458, 0.18497, -0.14691}},
     {{4, 10, 7}, {0.26222, 0.40867, 1.0109}, {-0.16866, 0.072482, 0.19309, -0.065691}},
     {{3, 8, 8}, {0.85774, 1.4248, 1.0596}, {0.19475, -0.038529, 0.19382, -0.099633}},
     {{14, 9, 6}, {0.030006, 0.78381, 0.55971}, {0.15729, -0.038903, -0.1556, 0.089508}},
     {{13, 2, 5}, {0.12371, 0.023778, 1.5271}, {0.24771, -0.089422, 0.16882, -0.12548}},
     {{10, 6, 7}, {0.23311, 0.489, 1.1129}, {-0.15566, 0.095922, 0.1119, -0.16607}},
     {{4, 3, 7}, {0.28989, 0.85459, 1.0109}, {0.16556, -0.10452, 0.18404, -0.05508}},
     {{13, 8, 5}, {0.12371, 1.0596, 1.5271}, {0.16379, -0.090113, 0.15686, -0.11383}},
     {{14, 9, 12}, {0.030006, 0.78381, 1.6529}, {0.13195, -0.037039, 0.075038, -0.15162}},
     {{6, 12, 14}, {0.64629, 1.7757, 0.87877}, {0.041424, -0.15099, 0.16744, -0.052629}},
     {{2, 14, 15}, {0.023778, 0.0080005, 1.9545}, {0.24585, 0.0060614, 0.12714, -0.074464}},
     {{10, 2, 8}, {0.23311, 0.026132, 1.06}, {0.16191, -0.12402, 0.21205, 0.024367}},
     {{3, 7, 5}, {0.93969, 1.0145, 0.23945}, {0.10878, -0.060134, 0.16094, -0.12714}},
     {{4, 3, 9}, {0.26796, 0.93439, 0.79025}, {0.020298, -0.1625, 0.13966, -0.019988}},
     {{6, 2, 8}, {0.65355, 0.023778, 1.3249}, {0.18292, -0.057573, 0.16901, 0.027607}},
     {{13, 8, 15}, {0.46481, 0.94806, 0.99875}, {0.1841, -0.059431, 0.15997, -0.0022801}},
     {{14, 7, 15}, {0.87879, 1.1128, 1.5287}, {0.051613, -0.1807, 0.025485, -0.19959}},
     {{3, 8, 13}, {0.85774, 1.4248, 0.6214}, {0.14758, -0.068329, -0.064044, 0.12824}},
     {{10, 15, 8}, {0.1816, 0.95518, 1.06}, {0.094316, -0.12658, 0.17581, 0.015411}},
     {{2, 14, 4}, {0.023778, 0.0080005, 0.51552}, {0.20256, -0.011507, -0.054893, 0.13931}},
     {{14, 7, 7}, {0.87879, 1.1128, 1.1885}, {0.044525, -0.16743, -0.18764, 0.022555}},
     {{12, 8, 6}, {1.6529, 1.423, 0.64629}, {0.13537, -0.14271, -0.079509, 0.11939}},
     {{2, 9, 15}, {0.023778, 0.77598, 0.98447}, {0.18111, -0.017567, 0.12246, -0.049324}},
     {{10, 2, 8}, {0.23311, 0.026132, 0.9524}, {0.099589, -0.10503, 0.18378, 0.019523}},
     {{4, 3, 8}, {0.26796, 0.93439, 1.4196}, {0.016583, -0.14134, 0.085264, -0.14114}},
     {{3, 9, 8}, {0.85401, 0.65966, 0.94806}, {-0.045104, 0.13153, 0.13921, -0.048602}},
     {{9, 9, 9}, {0.80146, 0.62644, 0.9595}, {-0.11762, 0.071925, -0.11215, 0.12804}},
     {{15, 0, 6}, {0.479, 1e+300, 0.65355}, {0.13913, 0, -0.045716, 0.11425}},
     {{2, 14, 4}, {0.023778, 0.0080005, 0.71708}, {0.16365, -0.016076, -0.038451, 0.14146}},
     {{14, 7, 15}, {0.87877, 1.1128, 1.5195}, {0.038247, -0.15403, 0.023568, -0.17134}},
     {{12, 8, 6}, {1.7757, 1.363, 0.64629}, {0.07811, -0.072417, -0.11581, 0.11167}},
     {{15, 0, 10}, {0.479, 1e+300, 0.18412}, {0.13127, 0, -0.10194, 0.021899}},
     {{2, 9, 13}, {0.023778, 0.77598, 0.12371}, {0.14905, -0.019779, -0.048456, 0.078614}},
     {{8, 14, 4}, {0.94806, 0.53868, 0.11261}, {0.15601, -0.050737, -0.1034, 0.017653}},
     {{10, 14, 3}, {0.91987, 0.030006, 0.93559}, {0.036644, -0.082206, 0.15238, -0.018717}},
     {{4, 2, 0}, {0.76703, 0.023778, 1e+300}, {0.11901, -0.031443, 0.12877, 0}},
     {{13, 3, 15}, {0.85713, 0.85774, 0.46934}, {0.08708, -0.042595, 0.13054, 0.01937}},
     {{9, 13, 9}, {0.62644, 0.29269, 0.77438}, {-0.18302, 0.029313, 0.073518, -0.046075}},
     {{12, 8, 9}, {1.6529, 1.4895, 0.77438}, {0.097944, -0.16989, 0.028381, -0.099439}},
     {{10, 15, 9}, {0.23311, 0.95518, 0.66294}, {0.067043, -0.096181, -0.10854, 0.054281}},
     {{8, 14, 6}, {0.94806, 0.53868, 0.64629}, {0.13762, -0.041942, -0.039782, 0.080619}},
     {{13, 7, 15}, {0.85713, 0.98515, 0.46934}, {0.021952, -0.082643, 0.12249, 0.013724}},
     {{4, 3, 8}, {0.26796, 0.93439, 1.4196}, {0.013791, -0.11741, 0.06415, -0.11309}},
     {{2, 15, 15}, {0.023778, 2.0237, 0.41789}, {-0.029372, 0.12347, 0.10988, -0.032026}},
     {{3, 9, 4}, {0.77601, 0.71823, 0.71708}, {0.016547, 0.1196, -0.029494, 0.11359}},
     {{9, 13, 12}, {0.65224, 0.29269, 1.6529}, {-0.14239, 0.030608, 0.097081, -0.0168}},
     {{7, 14, 14}, {1.1128, 0.87877, 1.0219}, {0.031061, -0.13852, -0.14264, 0.0094317}},
     {{10, 14, 15}, {0.91987, 0.030006, 2.0321}, {0.024222, -0.066912, -0.016048, 0.1283}},
     {{5, 2, 0}, {1.8946, 0.92641, 3.2356}, {0.09741, -0.012825, -0.13253, -0.0044992}},
     {{8, 12, 4}, {1.363, 1.7757, 0.48764}, {0.058954, -0.042799, -0.11685, 0.032942}},
     {{13, 9, 15}, {0.85713, 0.66309, 0.46934}, {-0.11489, 0.0053822, 0.11211, 0.0082839}},
     {{4, 7, 0}, {0.76703, 1.0894, 1e+300}, {0.0049553, -0.11894, 0.10462, 0}},
     {{3, 0, 13}, {0.77601, 1e+300, 0.85713}, {0.10078, 0, -0.030283, 0.088281}},
     {{2, 15, 8}, {0.023778, 2.0318, 0.94806}, {-0.028356, 0.11515, 0.096615, -0.030244}},
     {{10, 0, 9}, {0.23311, 0.3437, 0.66294}, {-0.11866, 0.013633, -0.087015, 0.047224}},
     {{5, 2, 0}, {1.8946, 0.92641, 3.2356}, {0.083692, -0.010154, -0.12112, -0.0042689}},
     {{4, 7, 0}, {0.83709, 1.0894, 1e+300}, {0.0055516, -0.11254, 0.1062, 0}},
     {{10, 13, 3}, {0.91987, 0.6214, 0.93559}, {-0.032726, 0.07554, 0.1165, -0.025013}},
     {{12, 8, 9}, {1.6529, 1.423, 0.77438}, {0.08176, -0.10655, 0.027252, -0.088808}},
     {{9, 13, 7}, {0.66309, 0.29269, 0.9513}, {-0.11001, 0.01854, 0.05909, -0.02437}},
     {{3, 4, 4}, {0.77601, 0.51108, 0.71708}, {0.10187, 0.01218, -0.026889, 0.096075}},
     {{13, 10, 0}, {1.2801, 0.23311, 1e+300}, {-0.073861, 0.018005, 0.098534, 0}},
     {{2, 3, 9}, {0.0083026, 0.92857, 0.66309}, {0.11164, -0.024284, -0.098471, 0.0093281}},
     {{12, 8, 7}, {1.9198, 1.363, 0.67819}, {0.034796, -0.064666, 0.057535, -0.11236}},
     {{15, 0, 4}, {0.41789, 1e+300, 0.26796}, {0.087776, 0, -0.052703, 0.031633}},
     {{2, 15, 12}, {0.023778, 2.0318, 1.9198}, {-0.02873, 0.10205, 0.0057556, -0.11289}},
     {{3, 0, 13}, {0.77601, 1e+300, 0.85713}, {0.08916, 0, -0.026274, 0.075738}},
     {{8, 14, 0}, {0.94806, 0.35416, -0.51789}, {0.11191, -0.035874, -0.071215, 0.016089}}}};
constexpr double kWritingScore = 3.5;

bool writtenByTraits(const MarkTraits &t) {
    double score = 0;
    for (const WritingTree &tree : kWritingTrees) {
        const auto &v = t.values;
        const int side = v[static_cast<size_t>(tree.trait[0])] > tree.threshold[0] ? 1 : 0;
        const int next =
            v[static_cast<size_t>(tree.trait[1 + side])] > tree.threshold[1 + side] ? 1 : 0;
        score += tree.leaf[2 * side + next];
    }
    return score > kWritingScore;
}

// How far round a mark other pencil counts as its neighbour (the rest of a written word, a
// group's other spots).
constexpr double kNeighbourMm = 2;

// The traits of a mark the last judgement weighs (markTraitNames): `own8` the mark in `room`,
// `owner` each working pixel's mark, `middle` and `darkest` its pencil, `nearPart` its part
// beside print.
MarkTraits traitsOf(const Shape &shape, const cv::RotatedRect &box, const cv::Mat &own8,
                    cv::Rect room, const WorkRegion &w, const cv::Mat &mask, const cv::Mat &owner,
                    int self, double middle, double darkest, double nearPart, const FoundSpot &spot,
                    double paperMm2) {
    MarkTraits t;
    auto &v = t.values;
    const double pixels = static_cast<double>(shape.pixels.size());
    v[0] = std::log(paperMm2);
    v[1] = spot.penumbra ? 1 : 0;
    v[2] = spot.coreAreaMm2 / std::max(spot.areaMm2, 1e-9);
    std::vector<cv::Point> hull;
    cv::convexHull(shape.pixels, hull);
    const double hullArea = cv::contourArea(hull) + cv::arcLength(hull, true) / 2 + 1;
    v[3] = std::min(1.0, pixels / hullArea);
    v[4] = std::log((std::max(box.size.width, box.size.height) + 1) /
                    (std::min(box.size.width, box.size.height) + 1));
    cv::Mat depth;
    cv::distanceTransform(own8, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    double deepest = 0;
    cv::minMaxLoc(depth, nullptr, &deepest);
    v[5] = deepest / w.dotsPerMm;
    v[6] = std::log(pixels / (std::numbers::pi * std::max(deepest, 0.5) * std::max(deepest, 0.5)));
    v[7] = middle / w.ink;
    v[8] = darkest / w.ink;
    v[9] = middle / std::max(darkest, 1e-6);
    v[10] = nearPart;
    {
        // Paper the mark encloses.
        cv::Mat paper = ~own8, parts;
        const int n = cv::connectedComponents(paper, parts, 4);
        std::vector<bool> open(static_cast<size_t>(n), false);
        for (int y = 0; y < parts.rows; ++y)
            for (int x = 0; x < parts.cols; ++x)
                if (x == 0 || y == 0 || x == parts.cols - 1 || y == parts.rows - 1)
                    open[static_cast<size_t>(parts.at<int>(y, x))] = true;
        int holes = 0;
        for (int k = 1; k < n; ++k)
            holes += open[static_cast<size_t>(k)] ? 0 : 1;
        v[11] = std::min(holes, 3);
    }
    v[12] = std::log(w.dotsPerMm);
    {
        const int reach = static_cast<int>(std::ceil(kNeighbourMm * w.dotsPerMm));
        const cv::Rect around = cv::Rect(room.x - reach, room.y - reach, room.width + 2 * reach,
                                         room.height + 2 * reach) &
                                cv::Rect(0, 0, owner.cols, owner.rows);
        const cv::Mat mine = owner(around) == self;
        cv::Mat near;
        cv::dilate(
            mine, near,
            cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * reach + 1, 2 * reach + 1)));
        const double mm2 = w.dotsPerMm * w.dotsPerMm;
        const cv::Mat strokes = near & (owner(around) < 0) & mask(around);
        v[13] = std::log1p(cv::countNonZero(strokes) / mm2);
        v[14] = std::log1p(cv::countNonZero(near & (owner(around) >= 0) & ~mine) / mm2);
        // How far the nearest of those strokes lies.
        cv::Mat toStroke;
        cv::distanceTransform(~strokes, toStroke, cv::DIST_L2, cv::DIST_MASK_PRECISE);
        double nearest = reach;
        cv::minMaxLoc(toStroke, &nearest, nullptr, nullptr, nullptr, mine);
        v[15] = std::min<double>(nearest, reach) / w.dotsPerMm;
    }
    t.pixel = spot.pixel;
    return t;
}

// The marks in a working region inside the limb, measured; writing, lines, smudges and
// specks left out, by the last judgement too where `judged` (not where the observer points
// at a mark). With `traits`, what that judgement weighed each mark by.
std::vector<FoundSpot> spotsIn(const WorkRegion &w, bool judged,
                               std::vector<MarkTraits> *traits = nullptr) {
    std::vector<FoundSpot> spots;
    if (w.darkness.empty())
        return spots;
    // How dark the pencil is over the print, and the part of the light the print lets through.
    cv::Mat shown = 1 - w.expected;
    cv::max(shown, kLeastShown, shown);
    cv::Mat above;
    cv::divide(w.darkness - w.expected, shown, above);
    // The print may lie a pixel off its place: a mark starts only where it is darker than
    // the darkest print round it, and reaches into the band along the print by what the scan
    // shows there.
    cv::Mat expectedNear, toleranceNear;
    const cv::Mat band = cv::getStructuringElement(
        cv::MORPH_ELLIPSE, cv::Size(2 * kSeedBandPx + 1, 2 * kSeedBandPx + 1));
    cv::dilate(w.expected, expectedNear, band);
    cv::dilate(w.tolerance, toleranceNear, band);
    {
        // Where lines crowd (meridians running into the limb) the print may lie farther off.
        cv::Mat printedPart;
        cv::blur(w.printed, printedPart, cv::Size(kCrowdPx, kCrowdPx));
        const cv::Mat crowded = printedPart > 255 * kCrowdedPart;
        cv::Mat wideExpected, wideTolerance;
        const cv::Mat wide = cv::getStructuringElement(cv::MORPH_ELLIPSE,
                                                       cv::Size(2 * kBandPx + 1, 2 * kBandPx + 1));
        cv::dilate(w.expected, wideExpected, wide);
        cv::dilate(w.tolerance, wideTolerance, wide);
        wideExpected.copyTo(expectedNear, crowded);
        wideTolerance.copyTo(toleranceNear, crowded);
    }
    // The pencil's part as the print lets it show, never within the print's own tolerance.
    cv::Mat shownNear = 1 - expectedNear;
    cv::max(shownNear, kLeastShown, shownNear);
    cv::Mat seedLimit, edgeLimit;
    cv::max(toleranceNear, shownNear * std::max(kLeastSeed, kSeedPart * w.ink), seedLimit);
    cv::max(w.tolerance, shown * (kEdgePart * w.ink), edgeLimit);
    cv::Mat mask = (w.darkness - expectedNear) > seedLimit;
    const cv::Mat edge = (w.darkness - w.expected) > edgeLimit;
    for (int i = 0; i < kEdgeSteps; ++i) {
        cv::Mat grown;
        cv::dilate(mask, grown, cv::Mat());
        mask |= grown & edge;
    }
    // Across dark print: where the pencil shows on both sides of the line, across it (not
    // along it: a core and its outline near one line are two marks).
    if (cv::countNonZero(w.hidden) > 0) {
        const int bridge = static_cast<int>(std::lround(kBridgeMm * w.dotsPerMm)) | 1;
        cv::Mat joined;
        cv::morphologyEx(mask, joined, cv::MORPH_CLOSE,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(bridge, bridge)));
        joined &= w.hidden & ~mask;
        cv::Mat gx, gy;
        cv::Sobel(w.expected, gx, CV_32F, 1, 0);
        cv::Sobel(w.expected, gy, CV_32F, 0, 1);
        const cv::Mat pencil = mask.clone();
        const double reach = bridge / 2.0 + 1;
        const cv::Rect all(0, 0, mask.cols, mask.rows);
        // The pencil beside the line: the across direction is the print's gradient, taken
        // where it is strong (the line's sides, not its ridge).
        cv::Mat blurredX, blurredY;
        cv::GaussianBlur(gx.mul(gx) - gy.mul(gy), blurredX, cv::Size(), 1.5);
        cv::GaussianBlur(2 * gx.mul(gy), blurredY, cv::Size(), 1.5);
        for (int y = 0; y < mask.rows; ++y)
            for (int x = 0; x < mask.cols; ++x) {
                if (!joined.at<uchar>(y, x))
                    continue;
                // The direction across the line from the doubled angle of the gradient.
                const double a = std::atan2(blurredY.at<float>(y, x), blurredX.at<float>(y, x)) / 2;
                const QPointF u(std::cos(a), std::sin(a));
                bool sides = true;
                for (int side : {-1, 1}) {
                    bool met = false;
                    for (double t = 1; t <= reach && !met; t += 0.5) {
                        const cv::Point q(static_cast<int>(std::lround(x + side * t * u.x())),
                                          static_cast<int>(std::lround(y + side * t * u.y())));
                        met = all.contains(q) && pencil.at<uchar>(q) != 0;
                    }
                    sides = sides && met;
                }
                if (sides)
                    mask.at<uchar>(y, x) = 255;
            }
    }
    mask &= w.disk;
    // A pixel's break in a stroke (the pencil's grain, the print beside it) closed.
    cv::morphologyEx(mask, mask, cv::MORPH_CLOSE, cv::Mat());
    cv::Mat nearPrint;
    cv::dilate(w.printed, nearPrint, cv::Mat());
    {
        const int across = static_cast<int>(std::lround(kValleyMm * w.dotsPerMm)) | 1;
        cv::Mat sides;
        cv::morphologyEx(above, sides, cv::MORPH_CLOSE,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(across, across)));
        const cv::Mat valley = (sides - above > kValleyDepth * w.ink) &
                               (above < kValleyLight * w.ink) & ~w.hidden & ~nearPrint;
        mask &= ~valley;
    }

    const std::vector<Shape> shapes = shapesOf(mask, w, above);
    cv::Mat owner(mask.size(), CV_32S, cv::Scalar(-1));
    for (size_t s = 0; s < shapes.size(); ++s)
        for (const cv::Point &p : shapes[s].pixels)
            owner.at<int>(p) = static_cast<int>(s);
    const double mm2PerPixel = 1 / (w.dotsPerMm * w.dotsPerMm); // of paper
    // The pencil's full darkness: the middle of the marks' plateaus, pixels kPlateauPx from
    // every edge (past the scan's blur), away from the print.
    cv::Mat plateau;
    cv::erode(mask, plateau,
              cv::getStructuringElement(cv::MORPH_ELLIPSE,
                                        cv::Size(2 * kPlateauPx + 1, 2 * kPlateauPx + 1)));
    plateau &= ~nearPrint & ~w.hidden;
    const double fullInk = [&] {
        std::vector<float> levels;
        for (int y = 0; y < plateau.rows; ++y)
            for (int x = 0; x < plateau.cols; ++x)
                if (plateau.at<uchar>(y, x))
                    levels.push_back(above.at<float>(y, x));
        if (levels.size() >= kLeastClassPixels) {
            return static_cast<double>(middleOf(levels));
        }
        // Marks too small or too blurred for a plateau (a few dots at 100 dpi): the darkest
        // mark's pencil, away from the print (what is left of the print is lighter).
        double darkest = 0;
        for (const Shape &shape : shapes) {
            std::vector<float> own;
            for (const cv::Point &p : shape.pixels)
                if (mask.at<uchar>(p) && !nearPrint.at<uchar>(p) && !w.hidden.at<uchar>(p))
                    own.push_back(above.at<float>(p));
            if (own.size() < kLeastPlateauPx)
                continue;
            darkest = std::max<double>(darkest, partOf(own, kSmudgePercentile));
        }
        return darkest;
    }();
    const double drawing2 = w.drawingPerPaper * w.drawingPerPaper;
    const cv::Rect all(0, 0, mask.cols, mask.rows);
    for (size_t s = 0; s < shapes.size(); ++s) {
        const Shape &shape = shapes[s];
        if (shape.pixels.empty())
            continue;
        // The mark's own pencil: how much darker than the print its pixels are.
        std::vector<float> own;
        bool atPrint = false;
        size_t marked = 0;
        size_t onPrint = 0;
        size_t alongPrint = 0;
        for (const cv::Point &p : shape.pixels) {
            if (mask.at<uchar>(p) && !w.hidden.at<uchar>(p))
                own.push_back(above.at<float>(p));
            atPrint = atPrint || nearPrint.at<uchar>(p);
            if (mask.at<uchar>(p)) {
                ++marked;
                onPrint += w.printed.at<uchar>(p) ? 1 : 0;
                alongPrint += nearPrint.at<uchar>(p) ? 1 : 0;
            }
        }
        // Where the print crowds (meridians running into the limb) what is left of it may
        // join into marks; a mark lying all on the print is taken for such (pencil shows
        // beside the print somewhere).
        if (own.empty())
            continue;
        const double middle = middleOf(own);
        if (onPrint >= kAllOnPrint * marked)
            continue;
        // A streak lying along a printed line, within a pixel of it, is the line coming out
        // darker than the print's tone there (a scan adjusted in contrast, lines crowding).
        if (!shape.penumbra && alongPrint >= kAlongPrint * marked && middle < kStreakInk * w.ink) {
            const cv::RotatedRect along = cv::minAreaRect(shape.pixels);
            if (std::max(along.size.width, along.size.height) >=
                kStreakLength * std::max(1.0f, std::min(along.size.width, along.size.height)))
                continue;
        }
        const double darkest = partOf(own, kSmudgePercentile);
        if (darkest < kSmudgePart * w.ink)
            continue; // a smudge
        // The edge is weighed against the mark's own pencil: its middle level, or near its
        // darkest where the mark is mostly thin strokes that the scan shows lighter.
        double ink = std::max({middle, kOwnInkPart * darkest, kEdgePart * w.ink});
        {
            std::vector<float> flat;
            for (const cv::Point &p : shape.pixels)
                if (plateau.at<uchar>(p))
                    flat.push_back(above.at<float>(p));
            if (flat.size() >= kLeastPlateauPx) {
                ink = std::max<double>(middleOf(flat), kEdgePart * w.ink);
            } else {
                ink = std::max(ink, fullInk);
            }
        }
        // Area and centre: the pixels well inside whole, the edge by how much of it is pencil.
        const cv::Rect bounds = cv::boundingRect(shape.pixels);
        const cv::Rect room =
            cv::Rect(bounds.x - 3, bounds.y - 3, bounds.width + 6, bounds.height + 6) & all;
        cv::Mat own8 = cv::Mat::zeros(room.size(), CV_8UC1);
        for (const cv::Point &p : shape.pixels)
            own8.at<uchar>(p - room.tl()) = 255;
        cv::Mat inner, outer;
        cv::erode(own8, inner, cv::Mat());
        cv::dilate(own8, outer, cv::Mat(), cv::Point(-1, -1), 2);
        // Print as dark as the pencil against the mark's pencil: the pencil may stop anywhere
        // under it, on the mark's side of its middle as likely as beyond it; half of it counts
        // (its visible area still decides whether the mark is a spot).
        cv::Mat underPrint = cv::Mat::zeros(room.size(), CV_8UC1);
        for (int y = 0; y < room.height; ++y)
            for (int x = 0; x < room.width; ++x)
                if (own8.at<uchar>(y, x) && !w.hidden.at<uchar>(room.y + y, room.x + x) &&
                    w.cover(room.x + x, room.y + y, ink) >= 0.5)
                    underPrint.at<uchar>(y, x) = 255;
        for (int i = 0; i < kUnderPrintPx; ++i) {
            cv::Mat grown;
            cv::dilate(underPrint, grown, cv::Mat());
            underPrint |= grown & w.hidden(room);
        }
        underPrint &= w.hidden(room) & ~own8;
        double area = 0;
        double hiddenArea = 0;
        QPointF moment;
        for (int y = 0; y < room.height; ++y)
            for (int x = 0; x < room.width; ++x) {
                if (underPrint.at<uchar>(y, x) && owner.at<int>(room.y + y, room.x + x) < 0) {
                    hiddenArea += 0.5;
                    moment += QPointF(room.x + x, room.y + y) * 0.5;
                    continue;
                }
                if (!outer.at<uchar>(y, x))
                    continue;
                const int gx = room.x + x;
                const int gy = room.y + y;
                const int other = owner.at<int>(gy, gx);
                if (other >= 0 && other != static_cast<int>(s))
                    continue;
                const double weight =
                    inner.at<uchar>(y, x) || (own8.at<uchar>(y, x) && w.hidden.at<uchar>(gy, gx))
                        ? 1.0
                    : w.hidden.at<uchar>(gy, gx) ? 0.0
                                                 : w.cover(gx, gy, ink);
                area += weight;
                moment += QPointF(gx, gy) * weight;
            }
        const double areaMm2 = area * mm2PerPixel;
        if (area <= 0 || areaMm2 < kLeastSpotAreaMm2 || areaMm2 > kLargestSpotMm2 ||
            (areaMm2 < kLeastSpotAtPrintMm2 && atPrint))
            continue;
        FoundSpot spot;
        area += hiddenArea;
        spot.pixel = w.toImage(moment / area);
        spot.areaMm2 = area * mm2PerPixel * drawing2;
        spot.penumbra = shape.penumbra;
        spot.coreAreaMm2 =
            shape.penumbra ? shape.corePixels * mm2PerPixel * drawing2 : spot.areaMm2;
        if (!shape.penumbra) {
            // An outline drawn so close round its core that the scan joins them: paper lighter
            // than half the spot's pencil inside it, kLeastLightInsideMm2 at least (a light
            // grain of the pencil is a pixel or two).
            // Away from the spot's blurred edge.
            cv::Mat deep;
            cv::erode(own8, deep, cv::Mat(), cv::Point(-1, -1), 2);
            cv::Mat light = cv::Mat::zeros(room.size(), CV_8UC1);
            for (int y = 0; y < room.height; ++y)
                for (int x = 0; x < room.width; ++x)
                    if (deep.at<uchar>(y, x) && !nearPrint.at<uchar>(room.y + y, room.x + x) &&
                        above.at<float>(room.y + y, room.x + x) < kLightInside * darkest)
                        light.at<uchar>(y, x) = 255;
            cv::Mat parts, partStats, partMiddles;
            const int n = cv::connectedComponentsWithStats(light, parts, partStats, partMiddles, 8);
            int lightInside = 0;
            for (int k = 1; k < n; ++k)
                lightInside = std::max(lightInside, partStats.at<int>(k, cv::CC_STAT_AREA));
            cv::Mat edge;
            cv::dilate(~own8, edge, cv::Mat());
            if (lightInside * mm2PerPixel >= kLeastLightInsideMm2) {
                spot.penumbra = true;
                // The core: the pencil the light ring encloses.
                const cv::Mat solid = own8 & ~light;
                int core = 0;
                cv::Mat solidParts, solidStats, solidMiddles;
                const int m = cv::connectedComponentsWithStats(solid, solidParts, solidStats,
                                                               solidMiddles, 8);
                for (int k = 1; k < m; ++k)
                    if (cv::countNonZero((solidParts == k) & edge) == 0)
                        core += solidStats.at<int>(k, cv::CC_STAT_AREA);
                spot.coreAreaMm2 = core * mm2PerPixel * drawing2;
            }
        }
        const cv::RotatedRect box = cv::minAreaRect(shape.pixels);
        spot.extentMm = std::max(box.size.width, box.size.height) / w.dotsPerMm * w.drawingPerPaper;
        {
            // The mark's outer edge, what the class measures a penumbra by.
            std::vector<std::vector<cv::Point>> edges;
            cv::findContours(own8.clone(), edges, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
            const auto largest =
                std::max_element(edges.begin(), edges.end(),
                                 [](const auto &a, const auto &b) { return a.size() < b.size(); });
            if (largest != edges.end())
                for (const cv::Point &p : *largest)
                    spot.outline << w.toImage(QPointF(p.x + room.x, p.y + room.y));
        }
        // The model of writing judges what the rules kept, an outline round a core too (the
        // corpus draws one or two umbrae of a twenty-fifth of it and more, each of 0.3 mm² or
        // more), but not where the observer points at a mark.
        if (traits || judged) {
            MarkTraits t =
                traitsOf(shape, box, own8, room, w, mask, owner, static_cast<int>(s), middle,
                         darkest, static_cast<double>(alongPrint) / marked, spot, areaMm2);
            t.writing = judged && writtenByTraits(t);
            if (traits)
                traits->push_back(t);
            if (t.writing)
                continue;
        }
        spots.push_back(spot);
    }
    return spots;
}

// The image's box round the drawing's disk, a little beyond the limb.
cv::Rect diskBox(const ScanFrame &f) {
    const double r = f.radiusMm * 1.02 + 1;
    const QRectF box = sheetToImage(f).mapRect(QRectF(-r, -r, 2 * r, 2 * r));
    return cv::Rect(static_cast<int>(std::floor(box.left())),
                    static_cast<int>(std::floor(box.top())),
                    static_cast<int>(std::ceil(box.width())) + 2,
                    static_cast<int>(std::ceil(box.height())) + 2);
}

cv::Vec3d unitVector(double b, double l) {
    return {std::cos(b * kRadPerDeg) * std::cos(l * kRadPerDeg),
            std::cos(b * kRadPerDeg) * std::sin(l * kRadPerDeg), std::sin(b * kRadPerDeg)};
}

// The areas brought onto the drawing where a photo's perspective makes its scale vary over
// the disk: the spot's area scaled by how much more of the drawing an image pixel covers at
// the spot than at the disk's centre, where the scale is taken.
std::vector<FoundSpot> onDrawing(std::vector<FoundSpot> spots, const ScanFrame &f) {
    if (f.perspective.isIdentity())
        return spots;
    const double centreScale = f.dotsPerMm() * f.dotsPerMm();
    for (FoundSpot &s : spots) {
        const QPointF o = sheetFromImage(f, s.pixel);
        const QPointF dx = sheetFromImage(f, s.pixel + QPointF(1, 0)) - o;
        const QPointF dy = sheetFromImage(f, s.pixel + QPointF(0, 1)) - o;
        const double scale = std::abs(dx.x() * dy.y() - dx.y() * dy.x()) * centreScale;
        s.areaMm2 *= scale;
        s.coreAreaMm2 *= scale;
    }
    return spots;
}

} // namespace

std::vector<FoundSpot> findSpots(const QImage &greyImage, const ScanRegistration &reg) {
    return findSpots(greyImage, reg, nullptr);
}

std::vector<FoundSpot> findSpots(const QImage &greyImage, const ScanRegistration &reg,
                                 std::vector<MarkTraits> *traits) {
    if (traits)
        traits->clear();
    if (!reg.registered() || !reg.frame.valid() || greyImage.isNull() ||
        greyImage.format() != QImage::Format_Grayscale8)
        return {};
    return onDrawing(spotsIn(workRegion(matOf(greyImage), reg, diskBox(reg.frame)), true, traits),
                     reg.frame);
}

std::array<const char *, kMarkTraits> markTraitNames() {
    return {"log area mm2",
            "penumbra",
            "core part",
            "solidity",
            "log elongation",
            "depth mm",
            "log fill",
            "middle/ink",
            "darkest/ink",
            "middle/darkest",
            "near print",
            "holes",
            "log dots/mm",
            "log1p strokes near mm2",
            "log1p spots near mm2",
            "nearest stroke mm"};
}

std::optional<FoundSpot> spotAt(const QImage &greyImage, const ScanRegistration &reg,
                                QPointF pixel) {
    if (!reg.registered() || !reg.frame.valid() || greyImage.isNull() ||
        greyImage.format() != QImage::Format_Grayscale8)
        return std::nullopt;
    // The largest spot drawn, and paper and print enough round it to judge them by.
    const double dotsPerMm = paperDotsPerMm(reg);
    const int half = static_cast<int>(std::ceil(kClickRegionMm * dotsPerMm));
    const cv::Rect box(static_cast<int>(pixel.x()) - half, static_cast<int>(pixel.y()) - half,
                       2 * half + 1, 2 * half + 1);
    std::optional<FoundSpot> nearest;
    double best = kClickReachMm * dotsPerMm;
    for (const FoundSpot &s :
         onDrawing(spotsIn(workRegion(matOf(greyImage), reg, box), false), reg.frame)) {
        // A spot's own middle may lie a little off the click; its radius counts as near (its
        // area is the drawing's, so is its radius in pixels).
        const double reach = std::hypot(s.pixel.x() - pixel.x(), s.pixel.y() - pixel.y()) -
                             std::sqrt(s.areaMm2 / std::numbers::pi) * reg.frame.dotsPerMm();
        if (reach <= best) {
            best = reach;
            nearest = s;
        }
    }
    return nearest;
}

HeliographicPosition spotHelio(const ScanFrame &frame, const Ephemeris &ephemeris, QPointF pixel) {
    return scanPointAt(frame, ephemeris, pixel).helio;
}

double sphereDistanceDeg(const HeliographicPosition &a, const HeliographicPosition &b) {
    const double c = unitVector(a.helioLatitude, a.helioLongitude)
                         .dot(unitVector(b.helioLatitude, b.helioLongitude));
    return std::acos(std::clamp(c, -1.0, 1.0)) / kRadPerDeg;
}

void groupSpots(std::vector<FoundSpot> &spots, const ScanFrame &frame, const Ephemeris &ephemeris) {
    const size_t n = spots.size();
    // Single linkage: a spot joins every group it has a neighbour in.
    std::vector<size_t> root(n);
    std::iota(root.begin(), root.end(), size_t{0});
    const auto find = [&](size_t i) {
        while (root[i] != i)
            i = root[i] = root[root[i]];
        return i;
    };
    // Near enough within an ellipse on the Sun: kGroupReachDeg across the latitudes,
    // kGroupAlongDeg along them.
    std::vector<HeliographicPosition> places;
    for (const FoundSpot &s : spots)
        places.push_back(spotHelio(frame, ephemeris, s.pixel));
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j) {
            const double across =
                (places[i].helioLatitude - places[j].helioLatitude) / kGroupReachDeg;
            const double along =
                (std::fmod(places[i].helioLongitude - places[j].helioLongitude + 540, 360) - 180) *
                std::cos((places[i].helioLatitude + places[j].helioLatitude) / 2 * kRadPerDeg) /
                kGroupAlongDeg;
            if (across * across + along * along <= 1)
                root[find(i)] = find(j);
        }
    for (size_t i = 0; i < n; ++i)
        spots[i].group = static_cast<int>(find(i)) + 1;
    // Numbered by position angle, as the observer goes round the disk.
    std::vector<SpotGroup> groups = spotGroups(spots, frame, ephemeris);
    std::vector<int> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return groups[static_cast<size_t>(a)].place.angleDeg <
               groups[static_cast<size_t>(b)].place.angleDeg;
    });
    std::vector<int> renumbered(groups.size() + 1);
    for (size_t k = 0; k < order.size(); ++k)
        renumbered[static_cast<size_t>(order[k]) + 1] = static_cast<int>(k) + 1;
    for (FoundSpot &s : spots)
        s.group = renumbered[static_cast<size_t>(s.group)];
}

std::vector<SpotGroup> spotGroups(std::vector<FoundSpot> &spots, const ScanFrame &frame,
                                  const Ephemeris &ephemeris) {
    std::vector<int> numbers;
    for (const FoundSpot &s : spots)
        numbers.push_back(s.group);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<SpotGroup> groups(numbers.size());
    std::vector<cv::Vec3d> sums(numbers.size(), cv::Vec3d(0, 0, 0));
    for (FoundSpot &s : spots) {
        const size_t k = static_cast<size_t>(
            std::lower_bound(numbers.begin(), numbers.end(), s.group) - numbers.begin());
        s.group = static_cast<int>(k) + 1;
        SpotGroup &g = groups[k];
        g.number = s.group;
        ++g.spots;
        g.penumbrae += s.penumbra ? 1 : 0;
        g.areaMm2 += s.areaMm2;
        const HeliographicPosition h = spotHelio(frame, ephemeris, s.pixel);
        // A spot added by a click over no mark has no area; it still weighs a little.
        sums[k] += unitVector(h.helioLatitude, h.helioLongitude) * std::max(s.areaMm2, 1e-3);
    }
    for (size_t k = 0; k < groups.size(); ++k) {
        SpotGroup &g = groups[k];
        const cv::Vec3d v = cv::normalize(sums[k]);
        const double b = std::asin(std::clamp(v[2], -1.0, 1.0)) / kRadPerDeg;
        const double l = std::fmod(std::atan2(v[1], v[0]) / kRadPerDeg + 360, 360);
        const PolarPosition p = heliographicToPolar(ephemeris, float(b), float(l), frame.radiusMm);
        g.place = {std::fmod(p.polarAngle + 360, 360), p.polarDistance};
        g.pixel = imageAtPlace(frame, g.place);
        // b and l as a click on the centre would give them.
        g.helio = spotHelio(frame, ephemeris, g.pixel);
    }
    return groups;
}

} // namespace orvanek
