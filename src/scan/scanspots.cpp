#include "scan/scanspots.h"

#include "scan/scanoverlay.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace orvanek {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The spots are looked for at about this many pixels per mm (a 300-dpi scan is halved):
// a spot of 0.5 mm still spans three pixels, and the area is measured to a fraction of a
// pixel from the grey levels of its edge.
constexpr double kWorkDotsPerMm = 6;
// What the sheet prints is widened by this on every side before the pencil is looked for,
// so that the registration's last fraction of a pixel and JPEG's ringing round the print
// leave nothing behind.
constexpr double kPrintMarginMm = 0.2;
constexpr int kLeastPrintMarginPx = 2; // a scan's own resampling blurs a line by a pixel
// Where the print is nearly as dark as pencil (a label, the bold central meridian) the
// pencil cannot be seen; a spot drawn across such a line is joined over it where its pencil
// shows on both sides, up to this far.
constexpr double kBridgeMm = 1.4;
// A mark smaller than this that touches such print is what is left of the print itself (a
// letter printed a little otherwise than it was rendered), not a spot.
constexpr double kLeastSpotAtPrintMm2 = 0.3;
// A band this wide inside the fitted limb's middle is left out: the limb's own line.
constexpr double kLimbBandMm = 0.5;
// Pencil is at least twice this many grey levels darker than the paper; the marks' ink
// level is the median of such pixels, and a pixel is pencil when it is darker than half-way
// between. Print nearer the pencil's level than half this hides it.
constexpr double kPencilContrast = 60;
// Without any pencil to measure, the pencil is taken this dark (a part of the paper's level).
constexpr double kDarkestPart = 0.2;
// A line, not a spot: at least this long (the longer side of its box) and, its area spread
// along that length, narrower than this (a pencil line is 0.2-0.4 mm wide).
constexpr double kShortestLineMm = 2;
constexpr double kThinLineMm = 0.5;
// An outline round a core (a spot with its penumbra): the paper left inside the outline
// comes to this much at least.
constexpr double kLeastPenumbraGapMm2 = 0.05;
// A mark's own pencil level is taken from this many pixels inside its edge at least.
constexpr size_t kLeastCorePixels = 5;
// A click takes the mark within this of it.
constexpr double kClickReachMm = 1;

cv::Mat matOf(const QImage &grey) {
    return cv::Mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                   static_cast<size_t>(grey.bytesPerLine()));
}

// A region of the scan at the working scale: its grey levels, the levels the printed sheet
// alone gives there (the paper's where nothing is printed) and the mapping back.
struct WorkRegion {
    cv::Mat grey;
    cv::Mat expected;
    cv::Mat printedCore;        // 255 where the sheet itself prints (before it is widened)
    cv::Point origin;           // the region's top-left pixel in the image
    int factor = 1;             // image pixels per working pixel
    double dotsPerMm = 1;       // working pixels per mm of the paper
    double drawingPerPaper = 1; // mm of the drawing of radius R per mm of paper
    double paper = 255;
    double ink = 0;

    QPointF toImage(QPointF p) const {
        return (p + QPointF(0.5, 0.5)) * factor - QPointF(0.5, 0.5) + QPointF(origin.x, origin.y);
    }
    QPointF fromImage(QPointF p) const {
        return (p - QPointF(origin.x, origin.y) + QPointF(0.5, 0.5)) / factor - QPointF(0.5, 0.5);
    }
    // How much of a pixel of grey `level` the pencil covers where the print alone gives
    // `printed`, 0..1; none where the print is nearly as dark as the pencil.
    double pencil(double printed, double level) const { return pencil(printed, level, ink); }
    static double pencil(double printed, double level, double inkLevel) {
        if (printed - inkLevel < kPencilContrast / 2)
            return 0;
        return std::clamp((printed - level) / (printed - inkLevel), 0.0, 1.0);
    }
};

// The median of every `step`-th level of `levels` that `keep` accepts; `fallback` when none.
template <typename Keep>
double medianOf(const cv::Mat &levels, int step, Keep keep, double fallback) {
    std::vector<uchar> kept;
    for (int y = 0; y < levels.rows; y += step) {
        const uchar *row = levels.ptr<uchar>(y);
        for (int x = 0; x < levels.cols; x += step)
            if (keep(x, y, row[x]))
                kept.push_back(row[x]);
    }
    if (kept.empty())
        return fallback;
    auto middle = kept.begin() + static_cast<std::ptrdiff_t>(kept.size() / 2);
    std::nth_element(kept.begin(), middle, kept.end());
    return *middle;
}

// Image pixels per mm of the paper: the sheet's R where the code gives it (an option may say
// another R for the drawing; the pencil and the print keep their size on paper).
double paperDotsPerMm(const ScanRegistration &reg) {
    return reg.code ? reg.frame.radiusPx / reg.code->radiusMm : reg.frame.dotsPerMm();
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
    if (box.width < w.factor || box.height < w.factor)
        return w;
    if (w.factor > 1)
        cv::resize(grey(box), w.grey, cv::Size(box.width / w.factor, box.height / w.factor), 0, 0,
                   cv::INTER_AREA);
    else
        w.grey = grey(box);

    // The printed sheet where the scan shows it, at the working scale, and widened.
    cv::Mat printed;
    cv::Mat printedCore;
    if (reg.code) {
        ScanRegistration here = reg;
        here.frame.centre = w.fromImage(f.centre);
        here.frame.radiusPx = f.radiusPx / w.factor;
        here.frame.turnDeg = reg.measuredTurnDeg.value_or(f.turnDeg);
        const QImage sheet = renderSheetOnScan(here, QSize(w.grey.cols, w.grey.rows));
        if (!sheet.isNull()) {
            const int margin = std::max(kLeastPrintMarginPx,
                                        static_cast<int>(std::ceil(kPrintMarginMm * w.dotsPerMm)));
            printedCore = matOf(sheet) < 128;
            cv::erode(matOf(sheet), printed,
                      cv::getStructuringElement(cv::MORPH_ELLIPSE,
                                                cv::Size(2 * margin + 1, 2 * margin + 1)));
        }
    }
    // The paper: the median of what is not printed; the pencil: the median of what is
    // clearly darker than the paper.
    const bool hasPrint = !printed.empty();
    const auto unprinted = [&](int x, int y) {
        return !hasPrint || printed.at<uchar>(y, x) == 255;
    };
    w.paper = medianOf(
        w.grey, 3, [&](int x, int y, uchar) { return unprinted(x, y); }, 255);
    // Only the clearly dark: the print's blurred edge beyond the margin is not the pencil.
    w.ink = medianOf(
        w.grey, 1,
        [&](int x, int y, uchar v) { return v < w.paper - 2 * kPencilContrast && unprinted(x, y); },
        kDarkestPart * w.paper);
    w.ink = std::min(w.ink, w.paper - 2 * kPencilContrast);
    w.printedCore = printedCore;
    if (hasPrint)
        printed.convertTo(w.expected, CV_8U, (w.paper - w.ink) / 255, w.ink);
    else
        w.expected = cv::Mat(w.grey.size(), CV_8UC1, cv::Scalar(w.paper));
    return w;
}

// The marks in a working region inside the limb, measured; the lines and the specks left
// out.
std::vector<FoundSpot> spotsIn(const WorkRegion &w, const ScanFrame &frame) {
    std::vector<FoundSpot> spots;
    if (w.grey.empty())
        return spots;
    // Pencil: darker than half-way from what is printed there to the ink.
    cv::Mat pencil(w.grey.size(), CV_8UC1);
    cv::Mat hidden(w.grey.size(), CV_8UC1); // dark print: the pencil cannot be seen on it
    for (int y = 0; y < pencil.rows; ++y) {
        const uchar *level = w.grey.ptr<uchar>(y);
        const uchar *printed = w.expected.ptr<uchar>(y);
        uchar *out = pencil.ptr<uchar>(y);
        uchar *dark = hidden.ptr<uchar>(y);
        for (int x = 0; x < pencil.cols; ++x) {
            out[x] = w.pencil(printed[x], level[x]) > 0.5 ? 255 : 0;
            dark[x] = printed[x] - w.ink < kPencilContrast / 2 ? 255 : 0;
        }
    }
    // In the band the print was widened by, the paper shows beside the print: a dark pixel
    // there next to the pencil is pencil (grown a few pixels from it, so that a printed line
    // a pixel off its place does not run along).
    if (!w.printedCore.empty()) {
        cv::Mat candidates = (w.grey < (w.paper + w.ink) / 2) & (w.expected < w.paper);
        candidates &= ~w.printedCore;
        const int steps = std::max(kLeastPrintMarginPx,
                                   static_cast<int>(std::ceil(kPrintMarginMm * w.dotsPerMm))) +
                          1;
        for (int i = 0; i < steps; ++i) {
            cv::Mat grown;
            cv::dilate(pencil, grown, cv::Mat());
            grown &= candidates;
            if (cv::countNonZero(grown & ~pencil) == 0)
                break;
            pencil |= grown;
        }
    }
    // Across dark print: where the pencil shows on both sides.
    if (cv::countNonZero(hidden) > 0) {
        const int bridge = static_cast<int>(std::lround(kBridgeMm * w.dotsPerMm)) | 1;
        cv::Mat joined;
        cv::morphologyEx(pencil, joined, cv::MORPH_CLOSE,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(bridge, bridge)));
        cv::bitwise_and(joined, hidden, joined);
        cv::bitwise_or(pencil, joined, pencil);
    }
    cv::Mat nearPrint;
    cv::dilate(hidden, nearPrint, cv::Mat());
    // Only inside the limb, its line left out.
    cv::Mat disk = cv::Mat::zeros(pencil.size(), CV_8UC1);
    const QPointF c = w.fromImage(frame.centre);
    constexpr int kShift = 4; // the circle's centre and radius to a sixteenth of a pixel
    cv::circle(disk,
               cv::Point(static_cast<int>(std::lround(c.x() * 16)),
                         static_cast<int>(std::lround(c.y() * 16))),
               static_cast<int>((frame.radiusPx / w.factor - kLimbBandMm * w.dotsPerMm) * 16),
               cv::Scalar(255), cv::FILLED, cv::LINE_8, kShift);
    cv::bitwise_and(pencil, disk, pencil);
    // A pixel's break in an outline (a light stroke, the print beside it) closed, so that the
    // outline still holds its core.
    cv::Mat closed;
    cv::morphologyEx(pencil, closed, cv::MORPH_CLOSE, cv::Mat());

    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(closed, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    const double mm2PerPixel = 1 / (w.dotsPerMm * w.dotsPerMm); // of paper
    for (const auto &contour : contours) {
        const cv::Rect bounds = cv::boundingRect(contour);
        const cv::RotatedRect box = cv::minAreaRect(contour);
        // The filled shape with a pixel's room round it for the edge.
        const cv::Rect room =
            cv::Rect(bounds.x - 2, bounds.y - 2, bounds.width + 4, bounds.height + 4) &
            cv::Rect(0, 0, pencil.cols, pencil.rows);
        cv::Mat filled = cv::Mat::zeros(room.size(), CV_8UC1);
        cv::drawContours(filled, std::vector<std::vector<cv::Point>>{contour}, 0, cv::Scalar(255),
                         cv::FILLED, cv::LINE_8, cv::noArray(), 0, -room.tl());
        const int filledCount = cv::countNonZero(filled);
        const double roughMm2 = filledCount * mm2PerPixel;
        const double lengthMm = std::max(box.size.width, box.size.height) / w.dotsPerMm;
        if (roughMm2 < kLeastSpotAreaMm2 / 2 ||
            (lengthMm >= kShortestLineMm && roughMm2 / lengthMm < kThinLineMm))
            continue;
        // Area and centre: whole pixels inside, the edge by how much of it is pencil.
        cv::Mat inner, outer;
        cv::erode(filled, inner, cv::Mat());
        cv::dilate(filled, outer, cv::Mat());
        // The edge weighed against this mark's own pencil (pressed harder or lighter than
        // another's): the middle level of its pencil inside the edge.
        std::vector<uchar> core;
        for (int y = 0; y < room.height; ++y) {
            const uchar *in = inner.ptr<uchar>(y);
            const uchar *mark = pencil.ptr<uchar>(room.y + y) + room.x;
            const uchar *level = w.grey.ptr<uchar>(room.y + y) + room.x;
            for (int x = 0; x < room.width; ++x)
                if (in[x] && mark[x])
                    core.push_back(level[x]);
        }
        double ink = w.ink;
        if (core.size() >= kLeastCorePixels) {
            auto middle = core.begin() + static_cast<std::ptrdiff_t>(core.size() / 2);
            std::nth_element(core.begin(), middle, core.end());
            ink = std::min<double>(*middle, w.paper - kPencilContrast);
        }
        double area = 0;
        QPointF moment;
        int gap = 0;
        for (int y = 0; y < room.height; ++y) {
            const uchar *in = inner.ptr<uchar>(y);
            const uchar *out = outer.ptr<uchar>(y);
            const uchar *fill = filled.ptr<uchar>(y);
            const uchar *mark = pencil.ptr<uchar>(room.y + y) + room.x;
            for (int x = 0; x < room.width; ++x) {
                if (!out[x])
                    continue;
                const double weight =
                    in[x] ? 1.0
                          : WorkRegion::pencil(w.expected.at<uchar>(room.y + y, room.x + x),
                                               w.grey.at<uchar>(room.y + y, room.x + x), ink);
                area += weight;
                moment += QPointF(room.x + x, room.y + y) * weight;
                if (fill[x] && !mark[x])
                    ++gap;
            }
        }
        if (area * mm2PerPixel < kLeastSpotAreaMm2 ||
            (area * mm2PerPixel < kLeastSpotAtPrintMm2 &&
             cv::countNonZero(nearPrint(room) & filled) > 0))
            continue;
        FoundSpot spot;
        spot.pixel = w.toImage(moment / area);
        spot.areaMm2 = area * mm2PerPixel * w.drawingPerPaper * w.drawingPerPaper;
        spot.penumbra = gap * mm2PerPixel >= kLeastPenumbraGapMm2;
        for (const cv::Point &p : contour)
            spot.outline << w.toImage(QPointF(p.x, p.y));
        spots.push_back(spot);
    }
    return spots;
}

cv::Vec3d unitVector(double b, double l) {
    return {std::cos(b * kRadPerDeg) * std::cos(l * kRadPerDeg),
            std::cos(b * kRadPerDeg) * std::sin(l * kRadPerDeg), std::sin(b * kRadPerDeg)};
}

} // namespace

std::vector<FoundSpot> findSpots(const QImage &greyImage, const ScanRegistration &reg) {
    if (!reg.registered() || greyImage.format() != QImage::Format_Grayscale8)
        return {};
    const ScanFrame &f = reg.frame;
    const int r = static_cast<int>(std::ceil(f.radiusPx)) + 2;
    const cv::Rect box(static_cast<int>(f.centre.x()) - r, static_cast<int>(f.centre.y()) - r,
                       2 * r + 1, 2 * r + 1);
    return spotsIn(workRegion(matOf(greyImage), reg, box), f);
}

std::optional<FoundSpot> spotAt(const QImage &greyImage, const ScanRegistration &reg,
                                QPointF pixel) {
    if (!reg.registered() || greyImage.format() != QImage::Format_Grayscale8)
        return std::nullopt;
    // The largest spot drawn and a margin of paper round it.
    const double dotsPerMm = paperDotsPerMm(reg);
    const int half = static_cast<int>(std::ceil(8 * dotsPerMm));
    const cv::Rect box(static_cast<int>(pixel.x()) - half, static_cast<int>(pixel.y()) - half,
                       2 * half + 1, 2 * half + 1);
    std::optional<FoundSpot> nearest;
    double best = kClickReachMm * dotsPerMm;
    for (const FoundSpot &s : spotsIn(workRegion(matOf(greyImage), reg, box), reg.frame)) {
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
    std::vector<cv::Vec3d> onSun;
    for (const FoundSpot &s : spots) {
        const HeliographicPosition h = spotHelio(frame, ephemeris, s.pixel);
        onSun.push_back(unitVector(h.helioLatitude, h.helioLongitude));
    }
    // Single linkage: a spot joins every group it has a neighbour in.
    std::vector<size_t> root(n);
    std::iota(root.begin(), root.end(), size_t{0});
    const auto find = [&](size_t i) {
        while (root[i] != i)
            i = root[i] = root[root[i]];
        return i;
    };
    const double nearest = std::cos(kGroupReachDeg * kRadPerDeg);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (onSun[i].dot(onSun[j]) >= nearest)
                root[find(i)] = find(j);
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
