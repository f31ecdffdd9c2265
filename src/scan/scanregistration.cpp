#include "scan/scanregistration.h"

#include "data/dates.h"
#include "data/units.h"
#include "views/sheet/sheetmodel.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <QCoreApplication>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "ScanRegistration".
struct ScanRegistrationTexts {
    Q_DECLARE_TR_FUNCTIONS(ScanRegistration)
};

constexpr double kRadPerDeg = std::numbers::pi / 180;

// --- The limb --------------------------------------------------------------------------------

// The reduced copy the circle is looked for on: its longer side about this many pixels.
constexpr int kCoarseSide = 500;
// The disk's radius is looked for between these parts of the image's shorter side.
constexpr double kSmallestDisk = 0.1;
// A reduced copy narrower than this many pixels holds no disk worth fitting.
constexpr int kLeastCoarseSide = 16;
constexpr double kLargestDisk = 0.5;
// Candidates of the circle transform (where no dark shape gives the limb) weighed by how
// much of their round is a drawn line.
constexpr int kCoarseCandidates = 6;
constexpr int kCoarseRays = 360;
// The circle transform (OpenCV's HOUGH_GRADIENT_ALT): Canny's upper threshold on the
// Scharr gradient, and how whole a circle must be (1 a perfect one).
constexpr double kEdgeThreshold = 300;
constexpr double kPerfectCircle = 0.5;
constexpr double kRoughCircle = 0.3;
// The windows along the rays on the reduced copy, parts of the radius: the transform's
// centre may be a few per cent off.
constexpr std::initializer_list<double> kCoarseWindows = {0.12, 0.05, 0.02};
// A pixel darker than the ray's paper by this many grey levels is on a line.
constexpr double kLineContrast = 40;
// A circle is the limb only when a line shows on this part of its round, its points this
// close to it on the reduced copy (pixels).
constexpr double kLeastRound = 0.5;
constexpr double kCoarseRms = 1.5;
// A dark shape is taken for a circle's first guess when its box is this near a square.
constexpr double kSquareness = 0.15;
// Rays from the centre along which the line is looked for at full resolution.
constexpr int kFineRays = 720;
// The windows along the rays at full resolution, parts of the radius (and two pixels of the
// reduced copy): the coarse circle's error, then narrower round the first fit, so that the
// grid's lines near the limb and the scale's ticks fall outside.
constexpr std::initializer_list<double> kRayWindows = {0.015, 0.006};
constexpr double kRayStepPx = 0.5;
// An edge point farther from the fitted circle than this many robust deviations (and at
// least kLeastOutlierPx) is an outlier: a tick, the axis mark, a spot at the limb.
constexpr double kOutlierDeviations = 3;
constexpr double kLeastOutlierPx = 0.75;
// A fit is a limb when it keeps this part of the rays and its points lie this close.
constexpr double kLeastInliers = 0.4;
constexpr double kLargestRms = 0.005; // of the radius

// Grey level at a point between pixels; -1 outside the image.
double sample(const cv::Mat &grey, double x, double y) {
    if (x < 0 || y < 0 || x > grey.cols - 1.001 || y > grey.rows - 1.001)
        return -1;
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const double fx = x - x0;
    const double fy = y - y0;
    const uchar *r0 = grey.ptr<uchar>(y0);
    const uchar *r1 = grey.ptr<uchar>(y0 + 1);
    return (r0[x0] * (1 - fx) + r0[x0 + 1] * fx) * (1 - fy) +
           (r1[x0] * (1 - fx) + r1[x0 + 1] * fx) * fy;
}

// The darkest line crossing a ray from `centre` in direction `angle` between radii `from` and
// `to`: the middle of its darkness and how dark it is against the paper there; nothing
// where the ray leaves the image or finds no line.
struct RayEdge {
    double radius = 0;
    double darkness = 0;
};
std::optional<RayEdge> edgeOnRay(const cv::Mat &grey, QPointF centre, double angle, double from,
                                 double to, double expected, double lineWidthPx) {
    const double ux = std::cos(angle);
    const double uy = std::sin(angle);
    const int n = static_cast<int>((to - from) / kRayStepPx) + 1;
    if (n < 3)
        return std::nullopt;
    std::vector<double> level(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double r = from + i * kRayStepPx;
        level[static_cast<size_t>(i)] = sample(grey, centre.x() + ux * r, centre.y() + uy * r);
        if (level[static_cast<size_t>(i)] < 0)
            return std::nullopt;
    }
    // The paper: the brighter end of the profile.
    std::vector<double> sorted = level;
    const size_t bright = sorted.size() * 9 / 10;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(bright),
                     sorted.end());
    const double paper = sorted[bright];
    // Darkness summed over a line's width, slightly preferring the expected radius.
    const int half = std::max(1, static_cast<int>(lineWidthPx / kRayStepPx / 2));
    double best = 0;
    int bestAt = -1;
    double window = 0;
    for (int i = 0; i < n; ++i) {
        window += std::max(0.0, paper - level[static_cast<size_t>(i)]);
        if (i >= 2 * half + 1)
            window -= std::max(0.0, paper - level[static_cast<size_t>(i - 2 * half - 1)]);
        if (i < 2 * half)
            continue;
        const int middle = i - half;
        const double off = (from + middle * kRayStepPx - expected) / std::max(to - expected, 1.0);
        const double score = window * (1 - 0.3 * off * off);
        if (score > best) {
            best = score;
            bestAt = middle;
        }
    }
    if (bestAt < 0)
        return std::nullopt;
    // The middle of the darkness round the best place.
    double sum = 0;
    double moment = 0;
    for (int i = std::max(0, bestAt - 2 * half); i <= std::min(n - 1, bestAt + 2 * half); ++i) {
        const double d = std::max(0.0, paper - level[static_cast<size_t>(i)]);
        sum += d;
        moment += d * (from + i * kRayStepPx);
    }
    if (sum <= 0)
        return std::nullopt;
    return RayEdge{moment / sum, best / (2 * half + 1)};
}

struct Circle {
    double x = 0, y = 0, r = 0;
};

// The circle through points, least squares on x² + y² = 2ax + 2by + c (Kåsa).
std::optional<Circle> fitCircle(const std::vector<QPointF> &points) {
    if (points.size() < 3)
        return std::nullopt;
    // Centred on the mean for a well-conditioned system.
    QPointF mean;
    for (const QPointF &p : points)
        mean += p;
    mean /= static_cast<double>(points.size());
    cv::Matx33d a = cv::Matx33d::zeros();
    cv::Vec3d b(0, 0, 0);
    for (const QPointF &q : points) {
        const QPointF p = q - mean;
        const cv::Vec3d row(2 * p.x(), 2 * p.y(), 1);
        const double z = p.x() * p.x() + p.y() * p.y();
        a += row * row.t();
        b += row * z;
    }
    cv::Vec3d s;
    if (!cv::solve(cv::Mat(a), cv::Mat(b), s, cv::DECOMP_CHOLESKY))
        return std::nullopt;
    const double r2 = s[2] + s[0] * s[0] + s[1] * s[1];
    if (!(r2 > 0))
        return std::nullopt;
    return Circle{s[0] + mean.x(), s[1] + mean.y(), std::sqrt(r2)};
}

// How far from a fit a point may lie before it is an outlier (a tick, the axis mark, a spot
// at the limb): a few robust deviations of the points' distances from it, read from their
// median, and never less than `least`.
double outlierLimit(std::vector<double> distances, double least) {
    const auto middle = distances.begin() + static_cast<std::ptrdiff_t>(distances.size() / 2);
    std::nth_element(distances.begin(), middle, distances.end());
    return std::max(least, kOutlierDeviations * 1.4826 * *middle);
}

// Fits a circle to the edge points, leaving out those farther than a few robust deviations
// from it, until the set stays.
std::optional<LimbFit> robustFit(std::vector<QPointF> points) {
    std::optional<Circle> c = fitCircle(points);
    for (int round = 0; c && round < 6; ++round) {
        std::vector<double> residual;
        residual.reserve(points.size());
        for (const QPointF &p : points)
            residual.push_back(std::abs(std::hypot(p.x() - c->x, p.y() - c->y) - c->r));
        const double limit = outlierLimit(residual, kLeastOutlierPx);
        std::vector<QPointF> kept;
        for (size_t i = 0; i < points.size(); ++i)
            if (residual[i] <= limit)
                kept.push_back(points[i]);
        const bool stable = kept.size() == points.size();
        points = std::move(kept);
        c = fitCircle(points);
        if (stable)
            break;
    }
    if (!c)
        return std::nullopt;
    double squares = 0;
    for (const QPointF &p : points) {
        const double d = std::hypot(p.x() - c->x, p.y() - c->y) - c->r;
        squares += d * d;
    }
    return LimbFit{QPointF(c->x, c->y), c->r, static_cast<int>(points.size()),
                   std::sqrt(squares / static_cast<double>(points.size()))};
}

std::vector<QPointF> edgePoints(const cv::Mat &grey, QPointF centre, double radius, double window,
                                double lineWidthPx, int rays) {
    std::vector<QPointF> points;
    points.reserve(static_cast<size_t>(rays));
    for (int k = 0; k < rays; ++k) {
        const double a = 2 * std::numbers::pi * k / rays;
        const auto edge =
            edgeOnRay(grey, centre, a, radius - window, radius + window, radius, lineWidthPx);
        if (edge && edge->darkness > kLineContrast / 4)
            points.push_back(centre + QPointF(std::cos(a), std::sin(a)) * edge->radius);
    }
    return points;
}

// The circle fitted again and again to the line found along rays round it, each time in a
// narrower window (parts of the radius, plus `slack` pixels).
std::optional<LimbFit> fitAlongRays(const cv::Mat &grey, QPointF centre, double radius,
                                    std::initializer_list<double> windows, double slack,
                                    double lineWidthPx, int rays) {
    std::optional<LimbFit> fit;
    for (double part : windows) {
        fit = robustFit(edgePoints(grey, centre, radius, part * radius + slack, lineWidthPx, rays));
        if (!fit)
            return std::nullopt;
        centre = fit->centre;
        radius = fit->radiusPx;
    }
    return fit;
}

// A reduced copy, each pixel the darkest of the factor x factor block it stands for, so that
// thin lines stay dark in it (an average would fade them). One pass over the image: an
// erosion followed by sampling costs several times as much.
cv::Mat darkestOfBlocks(const cv::Mat &grey, int factor) {
    const int width = grey.cols / factor;
    const int height = grey.rows / factor;
    cv::Mat small(height, width, CV_8UC1, cv::Scalar(255));
    for (int y = 0; y < height * factor; ++y) {
        const uchar *row = grey.ptr<uchar>(y);
        uchar *out = small.ptr<uchar>(y / factor);
        for (int x = 0; x < width; ++x) {
            const uchar *block = row + x * factor;
            uchar darkest = out[x];
            for (int i = 0; i < factor; ++i)
                darkest = std::min(darkest, block[i]);
            out[x] = darkest;
        }
    }
    return small;
}

// A rough circle fitted again on the reduced copy; nothing unless it is a drawn circle, a
// line on most of its round.
std::optional<LimbFit> refinedCandidate(const cv::Mat &small, QPointF centre, double radius) {
    const auto fit = fitAlongRays(small, centre, radius, kCoarseWindows, 1, 1.5, kCoarseRays);
    if (!fit || fit->points < kLeastRound * kCoarseRays || fit->rmsPx > kCoarseRms)
        return std::nullopt;
    return fit;
}

// Keeps the better of two circles: the more whole one, or of two equally whole ones the
// larger (the limb, not a drawn spot's outline).
void keepBetter(std::optional<LimbFit> &best, const std::optional<LimbFit> &candidate) {
    if (!candidate)
        return;
    constexpr int kSameRound = kCoarseRays / 20;
    if (!best || candidate->points > best->points + kSameRound ||
        (candidate->points > best->points - kSameRound && candidate->radiusPx > best->radiusPx))
        best = candidate;
}

// The limb's first guess: the square-ish dark shapes of the reduced copy, whole (not cut by
// the image's edge) and large, each taken as the circle its box holds. The limb with what
// touches it (the grid, ticks, spots) is one such shape; its box is the limb's give or take
// the ticks.
void candidatesFromShapes(const cv::Mat &small, std::optional<LimbFit> &best) {
    if (small.empty())
        return;
    cv::Mat dark;
    cv::threshold(small, dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(dark, labels, stats, centroids, 8, CV_32S);
    const int shorter = std::min(small.cols, small.rows);
    for (int i = 1; i < n; ++i) {
        const int left = stats.at<int>(i, cv::CC_STAT_LEFT);
        const int top = stats.at<int>(i, cv::CC_STAT_TOP);
        const int width = stats.at<int>(i, cv::CC_STAT_WIDTH);
        const int height = stats.at<int>(i, cv::CC_STAT_HEIGHT);
        if (left == 0 || top == 0 || left + width == small.cols || top + height == small.rows ||
            std::min(width, height) < 2 * kSmallestDisk * shorter ||
            std::abs(width - height) > kSquareness * std::max(width, height))
            continue;
        keepBetter(best, refinedCandidate(small, QPointF(left + width / 2.0, top + height / 2.0),
                                          (width + height) / 4.0));
    }
}

std::optional<LimbFit> coarseLimb(const cv::Mat &grey, int &factor) {
    const int longer = std::max(grey.cols, grey.rows);
    factor = std::max(1, (longer + kCoarseSide - 1) / kCoarseSide);
    const cv::Mat small = factor > 1 ? darkestOfBlocks(grey, factor) : grey;
    // A strip (600 x 1 reduces to no row at all) holds no disk.
    if (std::min(small.cols, small.rows) < kLeastCoarseSide)
        return std::nullopt;
    std::optional<LimbFit> best;
    candidatesFromShapes(small, best);
    if (!best) {
        // A circle broken into arcs (a faint pencil line, a photo's uneven light): the
        // circle transform, for circles as whole as a compass draws them first, then rougher.
        cv::Mat smooth;
        cv::GaussianBlur(small, smooth, cv::Size(5, 5), 1.2);
        const int shorter = std::min(smooth.cols, smooth.rows);
        const int least = std::max(2, static_cast<int>(shorter * kSmallestDisk));
        for (double perfectness : {kPerfectCircle, kRoughCircle}) {
            std::vector<cv::Vec3f> circles;
            cv::HoughCircles(smooth, circles, cv::HOUGH_GRADIENT_ALT, 1, shorter / 8.0,
                             kEdgeThreshold, perfectness, least,
                             static_cast<int>(shorter * kLargestDisk));
            for (size_t i = 0; i < std::min<size_t>(circles.size(), kCoarseCandidates); ++i)
                keepBetter(best, refinedCandidate(small, QPointF(circles[i][0], circles[i][1]),
                                                  circles[i][2]));
            if (best)
                break;
        }
    }
    if (best) {
        best->centre = (best->centre + QPointF(0.5, 0.5)) * factor - QPointF(0.5, 0.5);
        best->radiusPx *= factor;
    }
    return best;
}

cv::Mat matOf(const QImage &grey) {
    return cv::Mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                   static_cast<size_t>(grey.bytesPerLine()));
}

// --- The code and the fiducial dots ----------------------------------------------------------

// Where the code is looked for, in limb radii from the centre: from kCodeNearest out to
// kCodeReachAside across the sheet and kCodeReachDown along it.
constexpr double kCodeNearest = 0.6;
constexpr double kCodeReachAside = 2.6;
constexpr double kCodeReachDown = 1.9;
// A corner with less than this share of pixels darker than kCodeDarkLevel holds no code: the
// code alone darkens about 1 % of the corner round the largest disk.
constexpr double kCodeDarkLevel = 128;
constexpr double kCodeLeastDarkShare = 0.003;
// How far from its expected place a fiducial dot is looked for when it is not near it: a
// photo's perspective moves the dots of a large sheet by several millimetres.
constexpr double kWideDotReachMm = 12;

struct FoundCode {
    SheetCode code;
    QString text;
    QPolygonF corners; // image pixels
};

std::vector<FoundCode> readCodesIn(const cv::Mat &grey, cv::Rect region, int reduce) {
    std::vector<FoundCode> codes;
    region &= cv::Rect(0, 0, grey.cols, grey.rows);
    if (region.width < 21 || region.height < 21)
        return codes;
    reduce = std::clamp(reduce, 1, std::min(region.width, region.height) / 21);
    cv::Mat part = grey(region);
    if (reduce > 1)
        cv::resize(part, part, cv::Size(part.cols / reduce, part.rows / reduce), 0, 0,
                   cv::INTER_AREA);
    else
        part = part.clone(); // a continuous block for the reader
    // Blank paper (a plain drawing's corner) is not read at all.
    cv::Mat dark;
    cv::threshold(part, dark, kCodeDarkLevel, 255, cv::THRESH_BINARY_INV);
    if (cv::countNonZero(dark) < kCodeLeastDarkShare * static_cast<double>(part.total()))
        return codes;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryRotate(false);
    hints.setTryDownscale(false);
    const ZXing::Results results =
        ZXing::ReadBarcodes(ZXing::ImageView(part.data, part.cols, part.rows,
                                             ZXing::ImageFormat::Lum, static_cast<int>(part.step)),
                            hints);
    for (const ZXing::Result &r : results) {
        if (!r.isValid())
            continue;
        const QString text = QString::fromStdString(r.text());
        const auto code = parseSheetCode(text);
        // A code whose R no sheet is scanned with is not taken for one.
        if (!code || code->radiusMm < kSmallestScannedRadiusMm ||
            code->radiusMm > kLargestScannedRadiusMm)
            continue;
        FoundCode found{*code, text, {}};
        const double k = reduce;
        for (int i = 0; i < 4; ++i)
            found.corners << QPointF(region.x + (r.position()[i].x + 0.5) * k - 0.5,
                                     region.y + (r.position()[i].y + 0.5) * k - 0.5);
        codes.push_back(found);
    }
    return codes;
}

// The codes: first in the corner of the square round the disk where the sheet prints it,
// then in the other three (a sheet scanned upside down or sideways). The first is the one
// taken; a second that says something else is told.
std::vector<FoundCode> findCodes(const cv::Mat &grey, const LimbFit &limb) {
    const double r = limb.radiusPx;
    // A module is 0.6 mm; on the largest disk (R 126.5 mm) that is r / 211 pixels. Reduced
    // so that a module keeps three pixels at least.
    const int reduce = std::max(1, static_cast<int>(r / 211 / 3));
    // The corner of the square round the disk where the sheet prints the code (lower left),
    // then where a sheet scanned upside down or sideways has it. The code stands beyond
    // 0.6 r; on a small disk it moves out sideways up to 2.6 r (sheetMarks), across the
    // image or, turned a quarter, along it.
    const struct {
        QPointF direction;
        bool sideways;
    } corners[] = {{{-1, 1}, false}, {{1, -1}, false}, {{-1, -1}, true}, {{1, 1}, true}};
    std::vector<FoundCode> codes;
    for (const auto &c : corners) {
        const double across = c.sideways ? kCodeReachDown : kCodeReachAside;
        const double down = c.sideways ? kCodeReachAside : kCodeReachDown;
        const double x0 =
            c.direction.x() < 0 ? limb.centre.x() - across * r : limb.centre.x() + kCodeNearest * r;
        const double y0 =
            c.direction.y() < 0 ? limb.centre.y() - down * r : limb.centre.y() + kCodeNearest * r;
        const cv::Rect region(static_cast<int>(x0), static_cast<int>(y0),
                              static_cast<int>((across - kCodeNearest) * r),
                              static_cast<int>((down - kCodeNearest) * r));
        for (FoundCode &found : readCodesIn(grey, region, reduce))
            if (std::none_of(codes.begin(), codes.end(),
                             [&](const FoundCode &f) { return f.text == found.text; }))
                codes.push_back(std::move(found));
    }
    return codes;
}

// The codes anywhere on the image, for a sheet whose limb the search missed (a disk small
// against the page, a photo's uneven light): the whole image, reduced as far as a module of a
// 300-dpi scan keeps three pixels.
std::vector<FoundCode> findCodesAnywhere(const cv::Mat &grey) {
    const int reduce = std::max(1, std::max(grey.cols, grey.rows) / 3600 + 1);
    return readCodesIn(grey, cv::Rect(0, 0, grey.cols, grey.rows), reduce);
}

// The limb where a code says it is: the code's size gives the scale, its edge the turn and
// its place on the sheet the disk's centre.
LimbFit limbFromCode(const FoundCode &found) {
    const SheetMarks marks = sheetMarks(found.code.radiusMm, sheetCodeSymbol(found.text).size);
    const QPolygonF &c = found.corners;
    const QPointF top = c[1] - c[0];
    const QPointF left = c[3] - c[0];
    const double dotsPerMm =
        (std::hypot(top.x(), top.y()) + std::hypot(left.x(), left.y())) / 2 / marks.code.width();
    const double turn = directionDeg(top);
    ScanFrame frame{{}, dotsPerMm * found.code.radiusMm, turn, 1, 1, found.code.radiusMm, {}};
    QPointF middle;
    for (const QPointF &p : c)
        middle += p / 4;
    // The code's middle is where the frame without a centre puts it.
    LimbFit limb;
    limb.centre = middle - imageFromSheet(frame, marks.code.center());
    limb.radiusPx = frame.radiusPx;
    return limb;
}

// The centre of a fiducial dot near `expected` (pixels), the darkness-weighted middle of
// the dark blob of about the dot's size there; nothing when no such blob is found.
std::optional<QPointF> findDot(const cv::Mat &grey, QPointF expected, double dotsPerMm,
                               double reachMm = 4) {
    // A scale no image holds a dot at (a code's R of 1e-300) finds none, and overflows nothing.
    if (!(dotsPerMm > 0) || reachMm * dotsPerMm > std::max(grey.cols, grey.rows) ||
        !std::isfinite(expected.x()) || !std::isfinite(expected.y()) ||
        std::abs(expected.x()) > 4.0 * grey.cols + 1e4 ||
        std::abs(expected.y()) > 4.0 * grey.rows + 1e4)
        return std::nullopt;
    const double dotRadius = kFiducialDiameterMm / 2 * dotsPerMm;
    const int half = static_cast<int>(std::ceil(reachMm * dotsPerMm)); // round the expected place
    cv::Rect box(static_cast<int>(expected.x()) - half, static_cast<int>(expected.y()) - half,
                 2 * half + 1, 2 * half + 1);
    box &= cv::Rect(0, 0, grey.cols, grey.rows);
    if (box.width < 5 || box.height < 5)
        return std::nullopt;
    const cv::Mat part = grey(box);
    double darkest = 0;
    double brightest = 0;
    cv::minMaxLoc(part, &darkest, &brightest);
    if (brightest - darkest < 60)
        return std::nullopt;
    cv::Mat dark;
    cv::threshold(part, dark, (darkest + brightest) / 2, 255, cv::THRESH_BINARY_INV);
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(dark, labels, stats, centroids, 8, CV_32S);
    const double area = std::numbers::pi * dotRadius * dotRadius;
    int chosen = -1;
    double nearest = 0;
    for (int i = 1; i < n; ++i) {
        const double a = stats.at<int>(i, cv::CC_STAT_AREA);
        if (a < 0.5 * area || a > 1.6 * area)
            continue;
        // A dot cut by the window (or by the image's edge) would pull the middle inwards.
        const int left = stats.at<int>(i, cv::CC_STAT_LEFT);
        const int top = stats.at<int>(i, cv::CC_STAT_TOP);
        if (left == 0 || top == 0 || left + stats.at<int>(i, cv::CC_STAT_WIDTH) == box.width ||
            top + stats.at<int>(i, cv::CC_STAT_HEIGHT) == box.height)
            continue;
        const QPointF c(box.x + centroids.at<double>(i, 0), box.y + centroids.at<double>(i, 1));
        const double d = std::hypot(c.x() - expected.x(), c.y() - expected.y());
        if (chosen < 0 || d < nearest) {
            chosen = i;
            nearest = d;
        }
    }
    if (chosen < 0)
        return std::nullopt;
    // The middle of the darkness within 1.5 dot radii of the blob, so that the antialiased
    // edge counts by how dark it is.
    const QPointF blob(box.x + centroids.at<double>(chosen, 0),
                       box.y + centroids.at<double>(chosen, 1));
    const double reach = 1.5 * dotRadius;
    double sum = 0;
    QPointF moment;
    for (int y = static_cast<int>(blob.y() - reach); y <= static_cast<int>(blob.y() + reach) + 1;
         ++y) {
        if (y < 0 || y >= grey.rows)
            continue;
        const uchar *row = grey.ptr<uchar>(y);
        for (int x = static_cast<int>(blob.x() - reach);
             x <= static_cast<int>(blob.x() + reach) + 1; ++x) {
            if (x < 0 || x >= grey.cols || std::hypot(x - blob.x(), y - blob.y()) > reach)
                continue;
            const double d = std::max(0.0, brightest - row[x]);
            sum += d;
            moment += QPointF(x, y) * d;
        }
    }
    return sum > 0 ? std::optional<QPointF>(moment / sum) : std::nullopt;
}

// The fiducial dots of a sheet of radius `radiusMm` in a frame (the code's rough one), each
// looked for near its place and, on a photo whose perspective moves it, a little farther.
std::vector<std::pair<QPointF, QPointF>> findDots(const cv::Mat &grey, const ScanFrame &frame,
                                                  const SheetMarks &marks) {
    std::vector<std::pair<QPointF, QPointF>> dots; // sheet mm, image pixels
    for (const QPointF &f : marks.fiducials) {
        const QPointF expected = imageFromSheet(frame, f);
        auto dot = findDot(grey, expected, frame.dotsPerMm());
        if (!dot)
            dot = findDot(grey, expected, frame.dotsPerMm(), kWideDotReachMm);
        if (dot)
            dots.emplace_back(f, *dot);
    }
    return dots;
}

// The paper's turn: roughly from where the code lies about the limb's centre, then from the
// three dots, each at its known place on the sheet.
double measureTurn(const cv::Mat &grey, const LimbFit &limb, const FoundCode &found,
                   std::vector<std::pair<QPointF, QPointF>> &dots) {
    const SheetMarks marks = sheetMarks(found.code.radiusMm, sheetCodeSymbol(found.text).size);
    QPointF codeCentre;
    for (const QPointF &p : found.corners)
        codeCentre += p / 4;
    const double rough =
        normalizedTurn(directionDeg(codeCentre - limb.centre) - directionDeg(marks.code.center()));
    const ScanFrame frame{limb.centre, limb.radiusPx, rough, 1, 1, found.code.radiusMm, {}};
    dots = findDots(grey, frame, marks);
    double sinSum = 0;
    double cosSum = 0;
    for (const auto &[f, dot] : dots) {
        const double turn = (directionDeg(dot - limb.centre) - directionDeg(f)) * kRadPerDeg;
        sinSum += std::sin(turn);
        cosSum += std::cos(turn);
    }
    return !dots.empty() ? std::atan2(sinSum, cosSum) / kRadPerDeg : rough;
}

// The three fiducial dots of a sheet whose code cannot be read: filled round blobs outside
// the limb at one distance from its centre, a quarter turn apart, of the size a sheet's R
// gives them at that distance (R + kSheetRingMm - kFiducialInsetMm on either axis). The
// paper's turn is where the dots say the code's corner is; nothing unless all three are
// found.
std::optional<double> damagedSheetTurn(const cv::Mat &grey, const LimbFit &limb,
                                       std::vector<QPointF> &found) {
    const double r = limb.radiusPx;
    // The dots of the smallest sheet stand farthest out against the limb.
    const double reach =
        std::sqrt(2.0) * (1 + (kSheetRingMm - kFiducialInsetMm) / kSmallestScannedRadiusMm);
    const cv::Rect box = cv::Rect(static_cast<int>(limb.centre.x() - reach * r - r / 10),
                                  static_cast<int>(limb.centre.y() - reach * r - r / 10),
                                  static_cast<int>(2 * (reach * r + r / 10)),
                                  static_cast<int>(2 * (reach * r + r / 10))) &
                         cv::Rect(0, 0, grey.cols, grey.rows);
    if (box.width < 5 || box.height < 5)
        return std::nullopt;
    cv::Mat dark;
    cv::threshold(grey(box), dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(dark, labels, stats, centroids, 8, CV_32S);
    struct Blob {
        QPointF centre;
        double diameter;
        double distance;
        double angle;
    };
    std::vector<Blob> blobs;
    for (int i = 1; i < n; ++i) {
        const int w = stats.at<int>(i, cv::CC_STAT_WIDTH);
        const int h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
        const double area = stats.at<int>(i, cv::CC_STAT_AREA);
        const double d = (w + h) / 2.0;
        // Round and filled.
        if (w < 4 || std::abs(w - h) > 0.25 * d + 1 ||
            std::abs(area / (std::numbers::pi * d * d / 4) - 1) > 0.3)
            continue;
        const QPointF c(box.x + centroids.at<double>(i, 0), box.y + centroids.at<double>(i, 1));
        const QPointF v = c - limb.centre;
        const double distance = std::hypot(v.x(), v.y());
        if (distance < 1.05 * r)
            continue;
        blobs.push_back({c, d, distance, directionDeg(v)});
    }
    if (blobs.size() > 200)
        return std::nullopt;
    // A dot on the diagonal of the square round the disk, its half side s = R + ring - inset
    // in mm, is distance = sqrt(2) s dots; R = r / k and a dot is 3 mm, so
    // k = (distance / sqrt(2) - r) / (ring - inset) and the dot's diameter is 3 k.
    for (size_t a = 0; a < blobs.size(); ++a)
        for (size_t b = 0; b < blobs.size(); ++b)
            for (size_t c = 0; c < blobs.size(); ++c) {
                if (a == b || b == c || a == c)
                    continue;
                const Blob &ul = blobs[a], &ur = blobs[b], &lr = blobs[c];
                const double mean = (ul.distance + ur.distance + lr.distance) / 3;
                if (std::max({ul.distance, ur.distance, lr.distance}) -
                        std::min({ul.distance, ur.distance, lr.distance}) >
                    0.04 * mean)
                    continue;
                // Clockwise as the image is seen: upper left, upper right, lower right.
                if (std::abs(normalizedTurn(ur.angle - ul.angle - 90)) > 4 ||
                    std::abs(normalizedTurn(lr.angle - ur.angle - 90)) > 4)
                    continue;
                const double k = (mean / std::sqrt(2.0) - r) / (kSheetRingMm - kFiducialInsetMm);
                const double diameter = (ul.diameter + ur.diameter + lr.diameter) / 3;
                if (!(k > 0) || std::abs(diameter / (kFiducialDiameterMm * k) - 1) > 0.35)
                    continue;
                found = {ul.centre, ur.centre, lr.centre};
                // The upper right dot lies at -45 degrees on the sheet.
                double sinSum = 0, cosSum = 0;
                const double expected[] = {-135, -45, 45};
                const Blob *dots[] = {&ul, &ur, &lr};
                for (int i = 0; i < 3; ++i) {
                    const double t = (dots[i]->angle - expected[i]) * kRadPerDeg;
                    sinSum += std::sin(t);
                    cosSum += std::cos(t);
                }
                return std::atan2(sinSum, cosSum) / kRadPerDeg;
            }
    return std::nullopt;
}

// --- A photo's perspective -------------------------------------------------------------------

// Limb points for the perspective: rays from the disk's centre as the map puts it.
constexpr int kPerspectiveRays = 360;
// A perspective that moves no point of the disk by more than this (mm, and half a pixel:
// below what the scan can measure) is a flat scan's, the fit's noise.
constexpr double kFlatScanMm = 0.1;
constexpr double kFlatScanPx = 0.5;
// How much a fiducial dot weighs against one limb point, and a code's corner (read less
// exactly by the reader). Light: the limb leaves the map free only in its turn and in where
// the disk's centre lies, which the marks alone then fix; where a lens's barrel distortion
// puts the marks at the page's corners out of line with the limb, the limb wins, and points
// on the disk come out nearer (on an A4 photo of R 80 with 1 % barrel 0.15 mm worst against
// 0.22 mm with the dots weighing 20 limb points; 2 %: 0.28 against 0.42).
constexpr double kDotWeight = 1;
constexpr double kCornerWeight = 0.2;
// The windows along the rays for the limb's line, parts of the radius: round the frame found
// without perspective (a tilt of 10 degrees makes the limb 1.5 % oval), then round the fit.
constexpr double kFirstLimbWindow = 0.03;
constexpr double kLimbWindow = 0.008;
// The windows along the rays for a limb placed by the code alone (its size read to a few
// per cent), parts of the radius.
constexpr std::initializer_list<double> kLimbFromCodeWindows = {0.06, 0.02, 0.006};
// A limb found by its own search is the code's when it lies this near (parts of the radius)
// where the code puts it.
constexpr double kCodeLimbAgreement = 0.08;
// A limb this small against the image's shorter side may be another circle of a small sheet.
constexpr double kSmallDiskPart = 0.2;

// The map from image pixels to the sheet's mm (of the code's R), projective, that puts the
// limb's line on the circle of radius R round the centre and the marks found on their places
// on the sheet; Gauss-Newton from the frame found without perspective. Nothing when it does
// not settle.
std::optional<QTransform> fitPerspective(const cv::Mat &grey, const ScanFrame &start,
                                         const std::vector<std::pair<QPointF, QPointF>> &marks,
                                         const std::vector<double> &weights, double firstWindow) {
    const double radiusMm = start.radiusMm;
    // Image pixels normalized round the limb's centre: the parameters stay near 1.
    const QTransform normal = QTransform::fromTranslate(-start.centre.x(), -start.centre.y()) *
                              QTransform::fromScale(1 / start.radiusPx, 1 / start.radiusPx);
    const QTransform toSheet = sheetToImage(start).inverted();
    const QTransform fromNormal = normal.inverted();
    // The parameters: the map from normalized pixels to mm / R, its m33 kept at 1.
    QTransform p = fromNormal * toSheet * QTransform::fromScale(1 / radiusMm, 1 / radiusMm);
    const auto params = [](const QTransform &t) {
        const double w = t.m33();
        return cv::Vec<double, 8>(t.m11() / w, t.m12() / w, t.m13() / w, t.m21() / w, t.m22() / w,
                                  t.m23() / w, t.m31() / w, t.m32() / w);
    };
    const auto transformOf = [](const cv::Vec<double, 8> &v) {
        return QTransform(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], 1);
    };
    cv::Vec<double, 8> v = params(p);
    for (int round = 0; round < 3; ++round) {
        // The limb's line where the current map puts the circle, found along image rays.
        const QTransform sheetToPixels = QTransform::fromScale(1 / radiusMm, 1 / radiusMm) *
                                         transformOf(v).inverted() * fromNormal;
        const QPointF centre = sheetToPixels.map(QPointF(0, 0));
        std::vector<QPointF> limbPoints;
        const double lineWidth = std::max(2.0, 0.003 * start.radiusPx);
        for (int i = 0; i < kPerspectiveRays; ++i) {
            const double a = 2 * std::numbers::pi * i / kPerspectiveRays;
            const QPointF onLimb = sheetToPixels.map(QPointF(std::cos(a), std::sin(a)) * radiusMm);
            const QPointF ray = onLimb - centre;
            const double length = std::hypot(ray.x(), ray.y());
            if (!(length > 4))
                continue;
            const double window =
                round == 0 ? firstWindow * length : std::max(3.0, kLimbWindow * length);
            const auto edge =
                edgeOnRay(grey, centre, std::atan2(ray.y(), ray.x()), length - window - 2,
                          length + window + 2, length, lineWidth);
            if (edge && edge->darkness > kLineContrast / 4)
                limbPoints.push_back(centre + ray / length * edge->radius);
        }
        if (limbPoints.size() < kLeastInliers * kPerspectiveRays)
            return std::nullopt;
        std::vector<QPointF> limbNormal;
        for (const QPointF &q : limbPoints)
            limbNormal.push_back(normal.map(q));
        std::vector<std::pair<QPointF, QPointF>> marksNormal;
        for (const auto &[sheet, pixel] : marks)
            marksNormal.emplace_back(sheet / radiusMm, normal.map(pixel));
        // Residuals in units of R: the limb's points off the unit circle, the marks off theirs.
        std::vector<double> limbWeight(limbNormal.size(), 1.0);
        for (int iteration = 0; iteration < 8; ++iteration) {
            const auto residuals = [&](const cv::Vec<double, 8> &x) {
                const QTransform t = transformOf(x);
                std::vector<double> out;
                out.reserve(limbNormal.size() + 2 * marksNormal.size());
                for (size_t i = 0; i < limbNormal.size(); ++i) {
                    const QPointF m = t.map(limbNormal[i]);
                    out.push_back(limbWeight[i] * (std::hypot(m.x(), m.y()) - 1));
                }
                for (size_t i = 0; i < marksNormal.size(); ++i) {
                    const QPointF m = t.map(marksNormal[i].second) - marksNormal[i].first;
                    const double w = std::sqrt(weights[i]);
                    out.push_back(w * m.x());
                    out.push_back(w * m.y());
                }
                return out;
            };
            const std::vector<double> r0 = residuals(v);
            cv::Mat jt(8, static_cast<int>(r0.size()), CV_64F);
            for (int j = 0; j < 8; ++j) {
                cv::Vec<double, 8> x = v;
                const double step = 1e-7 * std::max(1.0, std::abs(v[j]));
                x[j] += step;
                const std::vector<double> r1 = residuals(x);
                for (size_t i = 0; i < r0.size(); ++i)
                    jt.at<double>(j, static_cast<int>(i)) = (r1[i] - r0[i]) / step;
            }
            const cv::Mat rv(static_cast<int>(r0.size()), 1, CV_64F,
                             const_cast<double *>(r0.data()));
            cv::Mat delta;
            if (!cv::solve(jt * jt.t(), -(jt * rv), delta, cv::DECOMP_SVD))
                return std::nullopt;
            double largest = 0;
            for (int j = 0; j < 8; ++j) {
                v[j] += delta.at<double>(j);
                largest = std::max(largest, std::abs(delta.at<double>(j)));
            }
            // Limb points far off the circle (a tick, a spot at the limb) weigh nothing.
            const QTransform t = transformOf(v);
            std::vector<double> off;
            for (const QPointF &q : limbNormal) {
                const QPointF m = t.map(q);
                off.push_back(std::abs(std::hypot(m.x(), m.y()) - 1));
            }
            const double limit = outlierLimit(off, kLeastOutlierPx / start.radiusPx);
            for (size_t i = 0; i < off.size(); ++i)
                limbWeight[i] = off[i] <= limit ? 1.0 : 0.0;
            if (largest < 1e-9)
                break;
        }
    }
    for (int j = 0; j < 8; ++j)
        if (!std::isfinite(v[j]))
            return std::nullopt;
    // Image pixels to the sheet's mm.
    return normal * transformOf(v) * QTransform::fromScale(radiusMm, radiusMm);
}

// How far (mm) a perspective moves the points of the disk from where the frame without it
// puts them.
double perspectiveShiftMm(const ScanFrame &frame) {
    ScanFrame flat = frame;
    flat.perspective = QTransform();
    double largest = 0;
    for (int i = 0; i < 16; ++i)
        for (const double part : {0.5, 1.0}) {
            const double a = 2 * std::numbers::pi * i / 16;
            const QPointF p = QPointF(std::cos(a), std::sin(a)) * part * frame.radiusMm;
            const QPointF d = imageFromSheet(frame, p) - imageFromSheet(flat, p);
            largest = std::max(largest, std::hypot(d.x(), d.y()) / frame.dotsPerMm());
        }
    return largest;
}

// --- A photo's page --------------------------------------------------------------------------

// The page is looked for on a copy reduced to about this many pixels along its longer side.
constexpr int kPageSide = 400;
// The page fills at least this part of a photo, and a table shows round it.
constexpr double kLeastPagePart = 0.2;
// A side of the page is fitted to its edge found across it at this many places, in the
// middle part of the side (a lens's barrel distortion bends it most near the corners).
constexpr int kPageEdgeSamples = 40;
constexpr double kPageEdgeMiddle = 0.8;
// ISO paper (A4, A3): the longer side this many times the shorter.
const double kPaperAspect = std::numbers::sqrt2;
// A page this near a rectangle (its corners this many parts of its size off one) is flat.
constexpr double kFlatPage = 0.004;

// Where the paper's edge crosses the segment from `inside` (on the page) to `outside` (on
// the table): the place the level falls half way from the paper's to the table's.
std::optional<QPointF> pageEdgeAcross(const cv::Mat &grey, QPointF inside, QPointF outside) {
    const QPointF step = outside - inside;
    const int n = static_cast<int>(std::hypot(step.x(), step.y()) / kRayStepPx) + 1;
    if (n < 4)
        return std::nullopt;
    std::vector<double> level(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QPointF q = inside + step * (static_cast<double>(i) / (n - 1));
        level[static_cast<size_t>(i)] = sample(grey, q.x(), q.y());
        if (level[static_cast<size_t>(i)] < 0)
            return std::nullopt;
    }
    const double paper = *std::max_element(level.begin(), level.begin() + n / 4 + 1);
    const double table = *std::min_element(level.end() - n / 4 - 1, level.end());
    if (paper - table < kLineContrast)
        return std::nullopt;
    const double half = (paper + table) / 2;
    // The last crossing of the half level: pencil or print near the edge lies before it.
    for (int i = n - 1; i > 0; --i)
        if (level[static_cast<size_t>(i - 1)] >= half && level[static_cast<size_t>(i)] < half) {
            const double a = level[static_cast<size_t>(i - 1)] - half;
            const double b = half - level[static_cast<size_t>(i)];
            const double t = (i - 1 + a / (a + b)) / (n - 1);
            return inside + step * t;
        }
    return std::nullopt;
}

// The line through points, as a point on it and its direction; nothing for too few.
std::optional<std::pair<QPointF, QPointF>> lineThrough(const std::vector<cv::Point2f> &points) {
    if (points.size() < kPageEdgeSamples / 2)
        return std::nullopt;
    cv::Vec4f line;
    cv::fitLine(points, line, cv::DIST_HUBER, 0, 0.01, 0.01);
    return std::make_pair(QPointF(line[2], line[3]), QPointF(line[0], line[1]));
}

std::optional<QPointF> crossing(const std::pair<QPointF, QPointF> &a,
                                const std::pair<QPointF, QPointF> &b) {
    const QPointF d = b.first - a.first;
    const double det = a.second.x() * b.second.y() - a.second.y() * b.second.x();
    if (std::abs(det) < 1e-6)
        return std::nullopt;
    const double t = (d.x() * b.second.y() - d.y() * b.second.x()) / det;
    return a.first + a.second * t;
}

// The page of a photo: the four corners (clockwise from the image's upper left) of the
// bright paper lying on a darker table, its sides fitted at full resolution; nothing when no
// such page shows whole.
std::optional<std::array<QPointF, 4>> findPage(const cv::Mat &grey) {
    const int longer = std::max(grey.cols, grey.rows);
    if (std::min(grey.cols, grey.rows) < kLeastCoarseSide)
        return std::nullopt;
    const double factor = std::max(1.0, static_cast<double>(longer) / kPageSide);
    cv::Mat small;
    cv::resize(grey, small, cv::Size(), 1 / factor, 1 / factor, cv::INTER_AREA);
    if (std::min(small.cols, small.rows) < kLeastCoarseSide)
        return std::nullopt;
    cv::Mat bright;
    cv::threshold(small, bright, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    // The print and the pencil on the page: closed over.
    cv::morphologyEx(bright, bright, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 5)));
    // The largest bright shape not cut by the image's edge.
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(bright, labels, stats, centroids, 8, CV_32S);
    int page = 0;
    for (int i = 1; i < n; ++i) {
        const int left = stats.at<int>(i, cv::CC_STAT_LEFT),
                  top = stats.at<int>(i, cv::CC_STAT_TOP);
        if (left > 0 && top > 0 && left + stats.at<int>(i, cv::CC_STAT_WIDTH) < small.cols &&
            top + stats.at<int>(i, cv::CC_STAT_HEIGHT) < small.rows &&
            (page == 0 ||
             stats.at<int>(i, cv::CC_STAT_AREA) > stats.at<int>(page, cv::CC_STAT_AREA)))
            page = i;
    }
    if (page == 0 ||
        stats.at<int>(page, cv::CC_STAT_AREA) < kLeastPagePart * small.cols * small.rows)
        return std::nullopt;
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(labels == page, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    if (contours.empty())
        return std::nullopt;
    const auto largest = contours.begin();
    std::vector<cv::Point> hull;
    cv::convexHull(*largest, hull);
    std::vector<cv::Point> quad;
    const double perimeter = cv::arcLength(hull, true);
    for (double part : {0.01, 0.02, 0.03, 0.05}) {
        cv::approxPolyDP(hull, quad, part * perimeter, true);
        if (quad.size() <= 4)
            break;
    }
    if (quad.size() != 4)
        return std::nullopt;
    // A page cut by the image's edge shows no corner there.
    for (const cv::Point &p : quad)
        if (p.x <= 1 || p.y <= 1 || p.x >= small.cols - 2 || p.y >= small.rows - 2)
            return std::nullopt;
    std::array<QPointF, 4> rough;
    for (int i = 0; i < 4; ++i)
        rough[static_cast<size_t>(i)] =
            (QPointF(quad[static_cast<size_t>(i)].x, quad[static_cast<size_t>(i)].y) +
             QPointF(0.5, 0.5)) *
                factor -
            QPointF(0.5, 0.5);
    // Clockwise as the image is seen, from the corner nearest its upper left.
    QPointF middle;
    for (const QPointF &p : rough)
        middle += p / 4;
    std::sort(rough.begin(), rough.end(), [&](QPointF a, QPointF b) {
        return directionDeg(a - middle) < directionDeg(b - middle);
    });
    const auto first = std::min_element(rough.begin(), rough.end(), [](QPointF a, QPointF b) {
        return a.x() + a.y() < b.x() + b.y();
    });
    std::rotate(rough.begin(), first, rough.end());
    // Each side fitted to the paper's edge found across it.
    std::array<std::pair<QPointF, QPointF>, 4> sides;
    const double reach = 3 * factor + 3;
    for (size_t i = 0; i < 4; ++i) {
        const QPointF a = rough[i], b = rough[(i + 1) % 4];
        const QPointF along = b - a;
        const double length = std::hypot(along.x(), along.y());
        if (!(length > 0))
            return std::nullopt;
        // Outwards: to the left of a clockwise round on an image whose y runs down.
        const QPointF out = QPointF(along.y(), -along.x()) / length;
        std::vector<cv::Point2f> points;
        for (int k = 0; k < kPageEdgeSamples; ++k) {
            const double t =
                (1 - kPageEdgeMiddle) / 2 + kPageEdgeMiddle * (k + 0.5) / kPageEdgeSamples;
            const QPointF on = a + along * t;
            if (const auto edge = pageEdgeAcross(grey, on - out * reach, on + out * reach))
                points.emplace_back(static_cast<float>(edge->x()), static_cast<float>(edge->y()));
        }
        const auto line = lineThrough(points);
        if (!line)
            return std::nullopt;
        sides[i] = *line;
    }
    std::array<QPointF, 4> corners;
    for (size_t i = 0; i < 4; ++i) {
        const auto corner = crossing(sides[(i + 3) % 4], sides[i]);
        if (!corner)
            return std::nullopt;
        corners[i] = *corner;
    }
    return corners;
}

// The map from the image to the page seen square on: the page's corners to a rectangle of
// ISO paper's proportions, about as many pixels across as the photo shows it, with a margin
// of the table round it; nothing for a page already flat in the image.
std::optional<std::pair<QTransform, cv::Size>>
pageRectification(const std::array<QPointF, 4> &corners) {
    const auto length = [](QPointF v) { return std::hypot(v.x(), v.y()); };
    const double across = (length(corners[1] - corners[0]) + length(corners[2] - corners[3])) / 2;
    const double down = (length(corners[3] - corners[0]) + length(corners[2] - corners[1])) / 2;
    // The longer pair of sides is the paper's longer side.
    const double scale = std::sqrt(across * down / kPaperAspect);
    const QSizeF page =
        across >= down ? QSizeF(scale * kPaperAspect, scale) : QSizeF(scale, scale * kPaperAspect);
    const double margin = 0.03 * std::max(page.width(), page.height());
    const QRectF target(margin, margin, page.width(), page.height());
    QPolygonF from, to;
    for (const QPointF &p : corners)
        from << p;
    to << target.topLeft() << target.topRight() << target.bottomRight() << target.bottomLeft();
    QTransform h;
    if (!QTransform::quadToQuad(from, to, h))
        return std::nullopt;
    // A scan's page, square on already: its far side as long as its near one.
    const double projective = std::hypot(h.m13(), h.m23()) * std::max(page.width(), page.height());
    if (projective < kFlatPage)
        return std::nullopt;
    return std::make_pair(h, cv::Size(static_cast<int>(page.width() + 2 * margin),
                                      static_cast<int>(page.height() + 2 * margin)));
}

} // namespace

QImage scanGrey(const QImage &image) {
    return image.format() == QImage::Format_Grayscale8
               ? image
               : image.convertToFormat(QImage::Format_Grayscale8);
}

namespace {

// The limb's first guess on the reduced copy and the circle fitted at full resolution; a
// photo's oval limb may give the first and not the second.
struct LimbSearch {
    std::optional<LimbFit> coarse;
    std::optional<LimbFit> fine;
};

std::optional<LimbFit> fineLimb(const cv::Mat &grey, const LimbFit &guess,
                                std::initializer_list<double> windows, double slack) {
    // The drawn line is about 0.3 % of the radius wide (0.35 mm at R 125), a few pixels.
    const double lineWidth = std::max(2.0, 0.003 * guess.radiusPx);
    const auto fit =
        fitAlongRays(grey, guess.centre, guess.radiusPx, windows, slack, lineWidth, kFineRays);
    if (!fit || fit->points < kLeastInliers * kFineRays || fit->rmsPx > kLargestRms * fit->radiusPx)
        return std::nullopt;
    return fit;
}

LimbSearch searchLimb(const cv::Mat &grey) {
    LimbSearch search;
    int factor = 1;
    search.coarse = coarseLimb(grey, factor);
    if (search.coarse)
        search.fine = fineLimb(grey, *search.coarse, kRayWindows, 2.0 * factor);
    return search;
}

// The frame of the code's sheet (its R, no mirrors) found from a limb and a turn.
ScanFrame codeFrame(const LimbFit &limb, double turnDeg, const SheetCode &code) {
    return {limb.centre, limb.radiusPx, turnDeg, 1, 1, code.radiusMm, {}};
}

// The program's sheet with its code read: the dots, the paper's turn and, on a photo, the
// perspective the dots, the code's corners and the limb's line give together.
void registerWithCode(const cv::Mat &grey, ScanRegistration &reg, const LimbSearch &limbs,
                      const FoundCode &found) {
    reg.code = found.code;
    reg.codeState = CodeState::Read;
    reg.codeCorners = found.corners;
    // The limb where the code says it is, fitted at full resolution; the one found by its
    // own search where it agrees (on a small disk that search may take another circle).
    const LimbFit fromCode = limbFromCode(found);
    const auto agrees = [&](const std::optional<LimbFit> &limb) {
        return limb &&
               std::hypot(limb->centre.x() - fromCode.centre.x(),
                          limb->centre.y() - fromCode.centre.y()) <
                   kCodeLimbAgreement * fromCode.radiusPx &&
               std::abs(limb->radiusPx / fromCode.radiusPx - 1) < kCodeLimbAgreement;
    };
    std::optional<LimbFit> fine = agrees(limbs.fine) ? limbs.fine : std::nullopt;
    std::optional<LimbFit> guide = fine ? fine : agrees(limbs.coarse) ? limbs.coarse : std::nullopt;
    if (!guide) {
        fine = fineLimb(grey, fromCode, kLimbFromCodeWindows, 2.0);
        guide = fine ? fine : fromCode;
    }
    std::vector<std::pair<QPointF, QPointF>> dots;
    const double turn = measureTurn(grey, *guide, found, dots);
    reg.fiducialsFound = static_cast<int>(dots.size());
    // The marks: the dots, and the code's corners (upper left, upper right, lower right,
    // lower left as the reader gives them) on the sheet's code square.
    const SheetMarks marks = sheetMarks(found.code.radiusMm, sheetCodeSymbol(found.text).size);
    const QPointF square[] = {marks.code.topLeft(), marks.code.topRight(), marks.code.bottomRight(),
                              marks.code.bottomLeft()};
    const auto pointsOf = [&](const std::vector<std::pair<QPointF, QPointF>> &dotsFound,
                              std::vector<double> &weights) {
        std::vector<std::pair<QPointF, QPointF>> points = dotsFound;
        weights.assign(dotsFound.size(), kDotWeight);
        for (int i = 0; i < 4 && i < found.corners.size(); ++i) {
            points.emplace_back(square[i], found.corners[i]);
            weights.push_back(kCornerWeight);
        }
        return points;
    };
    std::optional<LimbFit> limb = fine;
    double measured = turn;
    // Two dots and the code's corners hold the perspective; a dot the first frame missed is
    // looked for again where the perspective puts it.
    std::optional<ScanFrame> photo;
    ScanFrame start = codeFrame(*guide, turn, found.code);
    const double firstWindow = fine ? kFirstLimbWindow : kLimbFromCodeWindows.begin()[0];
    for (int round = 0; round < 2 && dots.size() >= 2; ++round) {
        std::vector<double> weights;
        const auto points = pointsOf(dots, weights);
        const auto toSheet = fitPerspective(grey, start, points, weights, firstWindow);
        if (!toSheet)
            break;
        const ScanFrame f = frameFromProjective(toSheet->inverted(), found.code.radiusMm);
        if (!f.valid())
            break;
        photo = f;
        if (dots.size() == marks.fiducials.size())
            break;
        start = f;
        dots = findDots(grey, f, marks);
        reg.fiducialsFound = static_cast<int>(dots.size());
    }
    if (photo) {
        const double shift = perspectiveShiftMm(*photo);
        const double flat = std::max(kFlatScanMm, kFlatScanPx / photo->dotsPerMm());
        // A flat scan keeps the limb fitted as a circle and the dots' turn.
        if (!limb || shift > flat) {
            limb = LimbFit{photo->centre, photo->radiusPx, limb ? limb->points : 0,
                           limb ? limb->rmsPx : 0};
            measured = photo->turnDeg;
            if (shift > flat)
                reg.frame.perspective = photo->perspective;
        }
    }
    if (!limb)
        return;
    reg.limb = limb;
    reg.measuredTurnDeg = measured;
}

ScanRegistration registerImage(const cv::Mat &grey) {
    ScanRegistration reg;
    const LimbSearch limbs = searchLimb(grey);
    std::vector<FoundCode> codes;
    if (const std::optional<LimbFit> &guide = limbs.fine ? limbs.fine : limbs.coarse)
        codes = findCodes(grey, *guide);
    // A small disk's own limb search may take another circle: the code looked for anywhere.
    if (codes.empty() &&
        (!limbs.fine || limbs.fine->radiusPx < kSmallDiskPart * std::min(grey.cols, grey.rows)))
        codes = findCodesAnywhere(grey);
    if (!codes.empty()) {
        for (const FoundCode &other : codes)
            if (other.code != codes.front().code) {
                reg.otherCode = other.code;
                break;
            }
        registerWithCode(grey, reg, limbs, codes.front());
        if (reg.limb)
            return reg;
        // The code's sheet without its limb: as a drawing of its own.
        reg = ScanRegistration{};
    }
    reg.limb = limbs.fine;
    if (!reg.limb)
        return reg;
    std::vector<QPointF> dots;
    if (const auto turn = damagedSheetTurn(grey, *reg.limb, dots)) {
        reg.codeState = CodeState::Unreadable;
        reg.fiducialsFound = static_cast<int>(dots.size());
        reg.measuredTurnDeg = *turn;
    }
    return reg;
}

// A drawn circle seen as an oval on a page made square on by its corners alone (a lens's
// distortion bends the page's sides, paper not of ISO proportions is stretched): the affine
// map about the limb's centre that makes the oval fitted to its line round again, keeping its
// area; the identity where the line does not give an oval.
QTransform roundedLimb(const cv::Mat &page, const LimbFit &limb) {
    const double lineWidth = std::max(2.0, 0.003 * limb.radiusPx);
    const std::vector<QPointF> points =
        edgePoints(page, limb.centre, limb.radiusPx, kFirstLimbWindow * limb.radiusPx + 2,
                   lineWidth, kFineRays);
    if (points.size() < kLeastInliers * kFineRays)
        return {};
    std::vector<cv::Point2f> kept;
    for (const QPointF &q : points)
        kept.emplace_back(static_cast<float>(q.x()), static_cast<float>(q.y()));
    QTransform round;
    for (int pass = 0; pass < 3; ++pass) {
        const cv::RotatedRect oval = cv::fitEllipseDirect(kept);
        const double a = oval.size.width / 2, b = oval.size.height / 2;
        if (!(a > 0) || !(b > 0) || std::abs(a / b - 1) > 0.2)
            return {};
        const double r = std::sqrt(a * b);
        const QPointF c(oval.center.x, oval.center.y);
        round = QTransform::fromTranslate(-c.x(), -c.y()) * QTransform().rotate(-oval.angle) *
                QTransform::fromScale(r / a, r / b) * QTransform().rotate(oval.angle) *
                QTransform::fromTranslate(c.x(), c.y());
        // The points off the round (a tick, the north mark, a spot at the limb) left out.
        std::vector<double> off;
        for (const cv::Point2f &q : kept) {
            const QPointF m = round.map(QPointF(q.x, q.y)) - c;
            off.push_back(std::abs(std::hypot(m.x(), m.y()) - r));
        }
        const double limit = outlierLimit(off, kLeastOutlierPx);
        std::vector<cv::Point2f> inliers;
        for (size_t i = 0; i < kept.size(); ++i)
            if (off[i] <= limit)
                inliers.push_back(kept[i]);
        if (inliers.size() == kept.size() || inliers.size() < kLeastInliers * kFineRays)
            break;
        kept = std::move(inliers);
    }
    return round;
}

// A photo whose limb the search missed (a page tilted more than the limb's round allows), or
// of plain paper without marks: the page seen square on by its four corners, registered there,
// and the frame found there carried back to the photo with the page's perspective.
std::optional<ScanRegistration> registerByPage(const cv::Mat &grey) {
    const auto corners = findPage(grey);
    if (!corners)
        return std::nullopt;
    const auto rectification = pageRectification(*corners);
    if (!rectification)
        return std::nullopt;
    const auto &[h, size] = *rectification;
    const cv::Matx33d toPage(h.m11(), h.m21(), h.m31(), h.m12(), h.m22(), h.m32(), h.m13(), h.m23(),
                             h.m33());
    cv::Mat page;
    cv::warpPerspective(grey, page, toPage, size, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    ScanRegistration reg = registerImage(page);
    if (!reg.limb)
        return std::nullopt;
    // The frame on the page (R 1: the perspective is kept in limb radii), then the page's
    // perspective back to the photo. A sheet's own marks have set its perspective on the
    // page already; plain paper has only the limb to make the page round.
    QTransform toPhoto = h.inverted();
    if (reg.codeState == CodeState::None) {
        const QTransform round = roundedLimb(page, *reg.limb);
        const LimbFit before = *reg.limb;
        reg.limb->centre = round.map(before.centre);
        reg.limb->radiusPx = std::sqrt(std::abs(round.determinant())) * before.radiusPx;
        toPhoto = round.inverted() * toPhoto;
    }
    const ScanFrame onPage{
        reg.limb->centre,     reg.limb->radiusPx, reg.measuredTurnDeg.value_or(0), 1, 1, 1,
        reg.frame.perspective};
    const ScanFrame f = frameFromProjective(sheetToImage(onPage) * toPhoto, 1);
    if (!f.valid())
        return std::nullopt;
    reg.limb = LimbFit{f.centre, f.radiusPx, reg.limb->points,
                       reg.limb->rmsPx * f.radiusPx / reg.limb->radiusPx};
    reg.frame.perspective = f.perspective;
    // Without a code the turn stays unmeasured: north is where the options put it, as the
    // photo shows it at the disk's centre.
    if (reg.measuredTurnDeg)
        reg.measuredTurnDeg = f.turnDeg;
    reg.codeCorners = toPhoto.map(reg.codeCorners);
    return reg;
}

ScanRegistration registerUnguarded(const QImage &greyImage) {
    if (greyImage.isNull() || greyImage.format() != QImage::Format_Grayscale8)
        return {};
    const cv::Mat grey = matOf(greyImage);
    ScanRegistration reg = registerImage(grey);
    // Plain paper photographed fits its limb as a circle all the same, off by the tilt.
    if (!reg.limb || reg.codeState == CodeState::None)
        if (auto byPage = registerByPage(grey))
            reg = std::move(*byPage);
    return reg;
}

} // namespace

std::optional<LimbFit> findLimb(const QImage &greyImage) {
    if (greyImage.isNull() || greyImage.format() != QImage::Format_Grayscale8)
        return std::nullopt;
    try {
        return searchLimb(matOf(greyImage)).fine;
    } catch (const std::exception &) {
        // No image aborts the program: what OpenCV refuses holds no limb.
        return std::nullopt;
    }
}

ScanRegistration registerScan(const QImage &greyImage, const ScanOptions &options) {
    ScanRegistration reg;
    try {
        reg = registerUnguarded(greyImage);
    } catch (const std::exception &) {
        // No image aborts the program: what OpenCV refuses is registered as nothing.
        reg = ScanRegistration{};
    }
    reg.frame.centre = reg.limb ? reg.limb->centre : QPointF();
    reg.frame.radiusPx = reg.limb ? reg.limb->radiusPx : 0;
    applyScanOptions(reg, options);
    return reg;
}

void applyScanOptions(ScanRegistration &reg, const ScanOptions &options) {
    // A code that cannot be read is made again of what is given now.
    if (reg.codeState == CodeState::Unreadable)
        reg.code.reset();
    const std::optional<SheetCode> &code = reg.code;
    // An R no sheet has (the command line and the window refuse it first) is not taken: it
    // would make a millimetre more pixels than any image holds.
    const bool usableRadius = options.radiusMm && *options.radiusMm >= kSmallestScannedRadiusMm &&
                              *options.radiusMm <= kLargestScannedRadiusMm;
    if (usableRadius) {
        reg.frame.radiusMm = *options.radiusMm;
        reg.radiusFrom = RadiusSource::Options;
    } else if (code) {
        reg.frame.radiusMm = code->radiusMm;
        reg.radiusFrom = RadiusSource::Code;
    } else if (options.dataSetRadiusMm && *options.dataSetRadiusMm >= kSmallestScannedRadiusMm &&
               *options.dataSetRadiusMm <= kLargestScannedRadiusMm) {
        reg.frame.radiusMm = *options.dataSetRadiusMm;
        reg.radiusFrom = RadiusSource::DataSet;
    } else {
        reg.frame.radiusMm = kReferenceRadiusMm;
        reg.radiusFrom = RadiusSource::Default;
    }
    reg.frame.orientX = options.mirrorX || (code && code->orientX < 0) ? -1 : 1;
    reg.frame.orientY = options.mirrorY || (code && code->orientY < 0) ? -1 : 1;
    if (options.northAngleDeg)
        reg.frame.turnDeg = turnForNorthAngle(*options.northAngleDeg, reg.frame.orientY);
    else
        reg.frame.turnDeg = reg.measuredTurnDeg.value_or(0.0);
    reg.momentFromCode = false;
    if (options.date && options.timeUT) {
        reg.date = options.date;
        reg.timeUT = options.timeUT;
        reg.momentFromCode = code && code->date == *options.date && code->timeUT == *options.timeUT;
    } else if (code) {
        reg.date = code->date;
        reg.timeUT = code->timeUT;
        reg.momentFromCode = true;
    } else {
        reg.date.reset();
        reg.timeUT.reset();
    }
    settleUnreadableCode(reg);
}

void settleUnreadableCode(ScanRegistration &reg) {
    if (reg.codeState != CodeState::Unreadable)
        return;
    reg.code.reset();
    reg.momentFromCode = false;
    // Not without a moment and an R the observer gave (or the data set's).
    if (!reg.hasMoment() || reg.radiusFrom == RadiusSource::Default ||
        reg.frame.radiusMm < kSmallestScannedRadiusMm ||
        reg.frame.radiusMm > kLargestScannedRadiusMm)
        return;
    SheetCode code;
    code.date = *reg.date;
    code.timeUT = *reg.timeUT;
    code.radiusMm = reg.frame.radiusMm;
    code.orientX = reg.frame.orientX;
    code.orientY = reg.frame.orientY;
    reg.code = code;
}

QString radiusSourceText(RadiusSource source) {
    switch (source) {
    case RadiusSource::Code:
        return ScanRegistrationTexts::tr("z kódu šablony");
    case RadiusSource::Options:
        return ScanRegistrationTexts::tr("zadaný");
    case RadiusSource::DataSet:
        return ScanRegistrationTexts::tr("z nastavení souboru dat");
    case RadiusSource::Default:
        break;
    }
    return ScanRegistrationTexts::tr("neznámý, výchozí");
}

QString radiusSourceName(RadiusSource source) {
    switch (source) {
    case RadiusSource::Code:
        return QStringLiteral("code");
    case RadiusSource::Options:
        return QStringLiteral("options");
    case RadiusSource::DataSet:
        return QStringLiteral("dataset");
    case RadiusSource::Default:
        break;
    }
    return QStringLiteral("default");
}

QStringList scanNotes(const ScanRegistration &reg) {
    QStringList notes;
    if (reg.codeState == CodeState::Unreadable && !reg.code)
        notes << ScanRegistrationTexts::tr(
            "Kód šablony nelze přečíst (terčíky nalezeny): zadejte datum, čas UT a poloměr R "
            "zákresu, tisk šablony se pak odečte jako s přečteným kódem.");
    else if (reg.codeState == CodeState::Unreadable)
        notes << ScanRegistrationTexts::tr(
                     "Kód šablony nelze přečíst: platí zadaný okamžik a poloměr R %1 mm.")
                     .arg(reg.frame.radiusMm);
    if (reg.otherCode && reg.code)
        notes << ScanRegistrationTexts::tr(
                     "Na skenu jsou dva různé kódy šablony: platí %1 %2 UT, R %3 mm; "
                     "druhý (%4 %5 UT, R %6 mm) se nepoužije.")
                     .arg(shortDate(reg.code->date), formatTimeUT(reg.code->timeUT, u"hh:nn"))
                     .arg(reg.code->radiusMm)
                     .arg(shortDate(reg.otherCode->date),
                          formatTimeUT(reg.otherCode->timeUT, u"hh:nn"))
                     .arg(reg.otherCode->radiusMm);
    if (reg.registered() && reg.radiusFrom == RadiusSource::Default)
        notes << ScanRegistrationTexts::tr(
                     "Poloměr R není znám (ani z kódu, ani zadaný, ani ze souboru dat): "
                     "počítá se s %1 mm, zadejte skutečný.")
                     .arg(reg.frame.radiusMm);
    return notes;
}

QStringList scanDisagreements(const ScanRegistration &reg, const ScanOptions &options) {
    QStringList texts;
    if (!reg.code || reg.codeState != CodeState::Read)
        return texts;
    const SheetCode &code = *reg.code;
    if (options.date && options.timeUT &&
        (*options.date != code.date || *options.timeUT != code.timeUT))
        texts << ScanRegistrationTexts::tr("okamžik %1 %2 se liší od kódu šablony (%3 %4)")
                     .arg(shortDate(*options.date), formatTimeUT(*options.timeUT, u"hhnn"),
                          shortDate(code.date), formatTimeUT(code.timeUT, u"hhnn"));
    if (options.radiusMm && *options.radiusMm != code.radiusMm)
        texts << ScanRegistrationTexts::tr("poloměr %1 mm se liší od kódu šablony (%2 mm)")
                     .arg(*options.radiusMm)
                     .arg(code.radiusMm);
    if (options.mirrorX && code.orientX > 0)
        texts << ScanRegistrationTexts::tr(
            "zrcadlení východ–západ se liší od kódu šablony (nezrcadleno)");
    if (options.mirrorY && code.orientY > 0)
        texts << ScanRegistrationTexts::tr(
            "zrcadlení sever–jih se liší od kódu šablony (nezrcadleno)");
    if (options.northAngleDeg && reg.measuredTurnDeg) {
        const int orientY = options.mirrorY || code.orientY < 0 ? -1 : 1;
        const double measured = normalizedTurn(*reg.measuredTurnDeg + (orientY > 0 ? 0.0 : 180.0));
        if (std::abs(normalizedTurn(*options.northAngleDeg - measured)) > 0.05)
            texts << ScanRegistrationTexts::tr(
                         "sever ve směru %1° se liší od změřeného podle šablony (%2°)")
                         .arg(QString::number(*options.northAngleDeg, 'f', 2),
                              QString::number(measured, 'f', 2));
    }
    return texts;
}

} // namespace orvanek
