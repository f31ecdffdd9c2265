#include "scan/scanregistration.h"

#include "data/dates.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <QCoreApplication>
#include <QRectF>

#include <algorithm>
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

// Fits a circle to the edge points, leaving out those farther than a few robust deviations
// from it, until the set stays.
std::optional<LimbFit> robustFit(std::vector<QPointF> points) {
    std::optional<Circle> c = fitCircle(points);
    for (int round = 0; c && round < 6; ++round) {
        std::vector<double> residual;
        residual.reserve(points.size());
        for (const QPointF &p : points)
            residual.push_back(std::abs(std::hypot(p.x() - c->x, p.y() - c->y) - c->r));
        std::vector<double> sorted = residual;
        std::nth_element(sorted.begin(),
                         sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2),
                         sorted.end());
        const double mad = sorted[sorted.size() / 2] * 1.4826;
        const double limit = std::max(kLeastOutlierPx, kOutlierDeviations * mad);
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
    std::optional<LimbFit> best;
    candidatesFromShapes(small, best);
    if (!best) {
        // A circle broken into arcs (a faint pencil line, a photo's uneven light): the
        // circle transform, for circles as whole as a compass draws them first, then rougher.
        cv::Mat smooth;
        cv::GaussianBlur(small, smooth, cv::Size(5, 5), 1.2);
        const int shorter = std::min(smooth.cols, smooth.rows);
        for (double perfectness : {kPerfectCircle, kRoughCircle}) {
            std::vector<cv::Vec3f> circles;
            cv::HoughCircles(smooth, circles, cv::HOUGH_GRADIENT_ALT, 1, shorter / 8.0,
                             kEdgeThreshold, perfectness, static_cast<int>(shorter * kSmallestDisk),
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

struct FoundCode {
    SheetCode code;
    QString text;
    QPolygonF corners; // image pixels
};

std::optional<FoundCode> readCodeIn(const cv::Mat &grey, cv::Rect region, int reduce) {
    region &= cv::Rect(0, 0, grey.cols, grey.rows);
    if (region.width < 21 || region.height < 21)
        return std::nullopt;
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
        return std::nullopt;
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
        if (!code)
            continue;
        FoundCode found{*code, text, {}};
        const double k = reduce;
        for (int i = 0; i < 4; ++i)
            found.corners << QPointF(region.x + (r.position()[i].x + 0.5) * k - 0.5,
                                     region.y + (r.position()[i].y + 0.5) * k - 0.5);
        return found;
    }
    return std::nullopt;
}

// The code: first in the corner of the square round the disk where the sheet prints it,
// then in the other three (a sheet scanned upside down or sideways), then anywhere.
std::optional<FoundCode> findCode(const cv::Mat &grey, const LimbFit &limb) {
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
        if (auto found = readCodeIn(grey, region, reduce))
            return found;
    }
    return std::nullopt;
}

// The centre of a fiducial dot near `expected` (pixels), the darkness-weighted middle of
// the dark blob of about the dot's size there; nothing when no such blob is found.
std::optional<QPointF> findDot(const cv::Mat &grey, QPointF expected, double dotsPerMm) {
    const double dotRadius = kFiducialDiameterMm / 2 * dotsPerMm;
    const int half = static_cast<int>(std::ceil(4 * dotsPerMm)); // 4 mm round the expected place
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

// The paper's turn: roughly from where the code lies about the limb's centre, then from the
// three dots, each at its known place on the sheet.
double measureTurn(const cv::Mat &grey, const LimbFit &limb, const FoundCode &found,
                   int &dotsFound) {
    const SheetMarks marks = sheetMarks(found.code.radiusMm, sheetCodeSymbol(found.text).size);
    QPointF codeCentre;
    for (const QPointF &p : found.corners)
        codeCentre += p / 4;
    const double rough =
        normalizedTurn(directionDeg(codeCentre - limb.centre) - directionDeg(marks.code.center()));
    ScanFrame frame{limb.centre, limb.radiusPx, rough, 1, 1, found.code.radiusMm};
    double sinSum = 0;
    double cosSum = 0;
    dotsFound = 0;
    for (const QPointF &f : marks.fiducials) {
        const auto dot = findDot(grey, imageFromSheet(frame, f), frame.dotsPerMm());
        if (!dot)
            continue;
        const double turn = (directionDeg(*dot - limb.centre) - directionDeg(f)) * kRadPerDeg;
        sinSum += std::sin(turn);
        cosSum += std::cos(turn);
        ++dotsFound;
    }
    return dotsFound > 0 ? std::atan2(sinSum, cosSum) / kRadPerDeg : rough;
}

} // namespace

QImage scanGrey(const QImage &image) {
    return image.format() == QImage::Format_Grayscale8
               ? image
               : image.convertToFormat(QImage::Format_Grayscale8);
}

std::optional<LimbFit> findLimb(const QImage &greyImage) {
    if (greyImage.isNull() || greyImage.format() != QImage::Format_Grayscale8)
        return std::nullopt;
    const cv::Mat grey = matOf(greyImage);
    int factor = 1;
    const std::optional<LimbFit> coarse = coarseLimb(grey, factor);
    if (!coarse)
        return std::nullopt;
    // The drawn line is about 0.3 % of the radius wide (0.35 mm at R 125), a few pixels.
    const double lineWidth = std::max(2.0, 0.003 * coarse->radiusPx);
    const auto fit = fitAlongRays(grey, coarse->centre, coarse->radiusPx, kRayWindows, 2.0 * factor,
                                  lineWidth, kFineRays);
    if (!fit || fit->points < kLeastInliers * kFineRays || fit->rmsPx > kLargestRms * fit->radiusPx)
        return std::nullopt;
    return fit;
}

ScanRegistration registerScan(const QImage &greyImage, const ScanOptions &options) {
    ScanRegistration reg;
    reg.limb = findLimb(greyImage);
    if (reg.limb) {
        const cv::Mat grey = matOf(greyImage);
        if (const auto found = findCode(grey, *reg.limb)) {
            reg.code = found->code;
            reg.codeCorners = found->corners;
            reg.measuredTurnDeg = measureTurn(grey, *reg.limb, *found, reg.fiducialsFound);
        }
        reg.frame.centre = reg.limb->centre;
        reg.frame.radiusPx = reg.limb->radiusPx;
    }
    applyScanOptions(reg, options);
    return reg;
}

void applyScanOptions(ScanRegistration &reg, const ScanOptions &options) {
    const std::optional<SheetCode> &code = reg.code;
    reg.frame.radiusMm =
        options.radiusMm ? *options.radiusMm : (code ? code->radiusMm : options.fallbackRadiusMm);
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
}

QStringList scanDisagreements(const ScanRegistration &reg, const ScanOptions &options) {
    QStringList texts;
    if (!reg.code)
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
