#include "scan/spotclass.h"

#include "entry/summary.h"

#include <QCoreApplication>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "SpotClass".
struct SpotClassTexts {
    Q_DECLARE_TR_FUNCTIONS(SpotClass)
};

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The two ends of a bipolar group: the spots within this part of its length from either
// extreme spot. A penumbra in an end's part is a penumbra "at that end".
constexpr double kEndPart = 1.0 / 3;
// A spot this close along the group's axis to the leader's or the follower's penumbra (to the
// spot itself without one) belongs to it, not to the middle between them (the small spots an
// observer draws round a large one).
constexpr double kEndReachDeg = 1.2;

// A symmetric penumbra, from its pencil outline as it lies on the Sun (the drawing's
// foreshortening undone): nearly round — its area at least this part of its convex hull's
// (a hand-drawn outline wobbles; lobes and notches cut deeper), its longest axis at most this
// many times its shortest — with its core near the middle (at most this part of its radius
// from the outline's centre).
constexpr double kLeastSymmetricSolidity = 0.9;
constexpr double kMostSymmetricElongation = 1.35;
constexpr double kMostSymmetricCoreOffset = 0.22;
// An outline less than this wide on paper shows no shape a pencil can be judged by, and one
// further than this from the disk's centre is foreshortened beyond telling (degrees).
constexpr double kLeastShapeMm = 1.2;
constexpr double kFarthestShapeDeg = 70;
// The core: the pencil inside the outline that an opening this wide leaves (the outline's
// stroke and the printed grid are narrower).
constexpr double kCoreOpeningMm = 0.6;
// A rudimentary penumbra leaves its core bare on a part of its edge: more than this part of
// the outline's edge, in one stretch, lies within kCoreReachMm of the core. A whole outline
// touches its core at most where the core is drawn off its middle, and where the drawing's
// foreshortening narrows the penumbra: on two sides.
constexpr double kRudimentaryBareEdge = 0.25;
constexpr double kCoreReachMm = 0.35;
// A mark whose core fills at least this part of its outline, or makes at least this part of
// its edge, is a filled spot (its grain may leave light pixels inside that look like a
// penumbra's paper), not a penumbra round a core.
constexpr double kFilledCore = 0.7;
constexpr double kFilledBareEdge = 0.85;
// The finder's core (the pencil its outline encloses, paper left out) under this part of the
// spot's area leaves paper round the core: a penumbra.
constexpr double kSmallestFilledCore = 0.5;
// Notches narrower than this (and than a quarter of the outline's width) are closed before
// an outline's shape is judged: a printed line across the stroke, a gap in it.
constexpr double kNotchMm = 0.6;
// The paper round a spot: a band this wide outside its outline's box.
constexpr double kPaperBandMm = 0.6;
// Pencil is at least this much darker than the paper.
constexpr double kLeastPencilContrast = 30;
// A hand-drawn outline may have gaps up to this (the finder joins a mark's strokes across
// them): its edge traced round an open stroke encloses the stroke alone, so the region it
// bounds is closed across gaps this wide and filled before it is measured.
constexpr double kOutlineGapMm = 1.1;
// A spot's area on the Sun is its area on the drawing divided by the foreshortening, taken
// no further out than this part of the radius (where a tenth of a millimetre changes it).
constexpr double kMostFromCentre = 0.98;
// A pencil stroke is narrower than this: pencil wider than it round the core is a shaded
// penumbra, not an outline.
constexpr double kWidestStrokeMm = 0.7;
// The smallest spot drawn with a penumbra (mm² on the drawing): an outline of 1.5 mm across
// round a core.
constexpr double kLeastOutlinedMm2 = 1.8;
// The outline kept on the Sun for the group's rules: this many of its points.
constexpr size_t kOutlinePoints = 90;

cv::Vec3d unitVector(double b, double l) {
    return {std::cos(b * kRadPerDeg) * std::cos(l * kRadPerDeg),
            std::cos(b * kRadPerDeg) * std::sin(l * kRadPerDeg), std::sin(b * kRadPerDeg)};
}

double angleDeg(const cv::Vec3d &a, const cv::Vec3d &b) {
    return std::acos(std::clamp(a.dot(b), -1.0, 1.0)) / kRadPerDeg;
}

QString letters(char a, char b, char c) {
    return QString(QChar::fromLatin1(a)) + QChar::fromLatin1(b) + QChar::fromLatin1(c);
}

double paperDotsPerMm(const ScanRegistration &reg) {
    return reg.code ? reg.frame.radiusPx / reg.code->radiusMm : reg.frame.dotsPerMm();
}

} // namespace

ClassProposal proposeClass(const std::vector<ClassSpot> &spots) {
    ClassProposal p;
    if (spots.empty()) {
        p.type = QStringLiteral("Axx");
        p.sure = {false, false, false};
        p.doubts << SpotClassTexts::tr("ve skupině nejsou skvrny");
        return p;
    }
    std::vector<cv::Vec3d> onSun;
    for (const ClassSpot &s : spots)
        onSun.push_back(unitVector(s.latitudeDeg, s.longitudeDeg));
    // The two spots farthest apart are the group's ends.
    size_t first = 0;
    size_t last = 0;
    for (size_t i = 0; i < spots.size(); ++i)
        for (size_t j = i + 1; j < spots.size(); ++j)
            if (const double d = angleDeg(onSun[i], onSun[j]); d > p.lengthDeg) {
                p.lengthDeg = d;
                first = i;
                last = j;
            }
    // How far spot k's penumbra reaches from its centre towards spot `to` (degrees): its
    // outline's furthest point that way, half its north-south extent where only that is known.
    const auto reach = [&](size_t k, size_t to) {
        const ClassSpot &s = spots[k];
        if (!s.penumbra || !s.shape.measured)
            return 0.0;
        const double east = std::remainder(spots[to].longitudeDeg - s.longitudeDeg, 360.0) *
                            std::cos(s.latitudeDeg * kRadPerDeg);
        const double north = spots[to].latitudeDeg - s.latitudeDeg;
        const double way = std::hypot(east, north);
        if (s.shape.outlineDeg.empty() || !(way > 0))
            return s.shape.northSouthDeg / 2;
        double most = 0;
        for (const QPointF &q : s.shape.outlineDeg)
            most = std::max(most, (q.x() * east + q.y() * north) / way);
        return most;
    };

    // The second letter: the largest penumbra.
    std::optional<size_t> largest;
    for (size_t i = 0; i < spots.size(); ++i)
        if (spots[i].penumbra && (!largest || spots[i].areaMm2 > spots[*largest].areaMm2))
            largest = i;
    char penumbra = 'x';
    if (largest) {
        const PenumbraShape &shape = spots[*largest].shape;
        const bool small = shape.northSouthDeg <= kSmallPenumbraDeg;
        if (!shape.measured) {
            p.sure[1] = false;
            p.doubts << SpotClassTexts::tr("obrys penumbry není změřen");
        } else if (!shape.rudimentary && !shape.symmetric) {
            p.sure[1] = false;
            p.doubts << shape.doubt;
        }
        // Where the symmetry is not told, a small penumbra is taken round, a large one not:
        // as most are drawn.
        const bool symmetric = shape.symmetric.value_or(small);
        if (shape.rudimentary)
            penumbra = 'r';
        else if (small)
            penumbra = symmetric ? 's' : 'a';
        else
            penumbra = symmetric ? 'h' : 'k';
    }

    // Unipolar: every spot within kUnipolarDeg of the others, of the largest penumbra's border.
    double separation = 0;
    for (size_t i = 0; i < spots.size(); ++i)
        for (size_t j = i + 1; j < spots.size(); ++j)
            separation = std::max(separation, angleDeg(onSun[i], onSun[j]) -
                                                  (i == largest ? reach(i, j) : 0) -
                                                  (j == largest ? reach(j, i) : 0));
    if (separation <= kUnipolarDeg) {
        p.type = largest ? letters('H', penumbra, 'x') : QStringLiteral("Axx");
        return p;
    }

    // Bipolar: each spot's place along the axis from the first end to the last.
    const double length = p.lengthDeg;
    std::vector<double> along(spots.size());
    for (size_t k = 0; k < spots.size(); ++k) {
        const double a = angleDeg(onSun[first], onSun[k]);
        const double b = angleDeg(onSun[last], onSun[k]);
        along[k] = (a * a - b * b + length * length) / (2 * length);
    }
    bool firstEnd = false;
    bool lastEnd = false;
    size_t leader = first;
    size_t follower = last;
    for (size_t k = 0; k < spots.size(); ++k) {
        if (along[k] <= length * kEndPart) {
            firstEnd = firstEnd || spots[k].penumbra;
            if (spots[k].areaMm2 > spots[leader].areaMm2)
                leader = k;
        } else if (along[k] >= length * (1 - kEndPart)) {
            lastEnd = lastEnd || spots[k].penumbra;
            if (spots[k].areaMm2 > spots[follower].areaMm2)
                follower = k;
        }
    }
    char zurich = 'B';
    if (firstEnd && lastEnd)
        zurich = length <= kLongestDDeg ? 'D' : length <= kLongestEDeg ? 'E' : 'F';
    else if (largest)
        zurich = 'C';

    // Beside the leader or the follower is within its penumbra's reach along the group and a
    // little more.
    const double besideLeader = along[leader] + reach(leader, follower) + kEndReachDeg;
    const double besideFollower = along[follower] - reach(follower, leader) - kEndReachDeg;
    int between = 0;
    bool penumbraBetween = false;
    for (size_t k = 0; k < spots.size(); ++k) {
        if (k == leader || k == follower || along[k] <= besideLeader || along[k] >= besideFollower)
            continue;
        ++between;
        penumbraBetween = penumbraBetween || spots[k].penumbra;
    }
    char spread = between < kSeveralBetween ? 'o' : penumbraBetween ? 'c' : 'i';
    if (zurich == 'B' && penumbra != 'x')
        penumbra = 'x';
    QString type = letters(zurich, penumbra, spread);
    if (classNumber(type.toStdString()) == 0) {
        // The letters the drawing gives make no class of the table (a compact group whose
        // largest penumbra is rudimentary, or whose penumbrae are between its ends only):
        // the spread said without the interior penumbra.
        const QString taken = letters(zurich, penumbra, 'i');
        p.sure[2] = false;
        p.doubts
            << SpotClassTexts::tr("třída %1 není v tabulce tříd, navržena %2").arg(type, taken);
        type = taken;
    }
    p.type = type;
    return p;
}

PenumbraShape measurePenumbra(const QImage &grey, const ScanRegistration &reg,
                              const Ephemeris &ephemeris, const FoundSpot &spot) {
    PenumbraShape shape;
    if (spot.outline.size() < 3 || grey.format() != QImage::Format_Grayscale8 || !reg.registered())
        return shape;
    const ScanFrame &frame = reg.frame;
    const double dotsPerMm = paperDotsPerMm(reg);
    const HeliographicPosition centre = spotHelio(frame, ephemeris, spot.pixel);
    // The outline on the Sun, in degrees east and north of the spot's centre.
    const double shrink = std::cos(centre.helioLatitude * kRadPerDeg);
    const auto onSun = [&](QPointF pixel) {
        const HeliographicPosition h = spotHelio(frame, ephemeris, pixel);
        const double east = std::remainder(h.helioLongitude - centre.helioLongitude, 360.0);
        return cv::Point2f(static_cast<float>(east * shrink),
                           static_cast<float>(h.helioLatitude - centre.helioLatitude));
    };
    std::vector<cv::Point2f> outline;
    for (const QPointF &p : spot.outline)
        outline.push_back(onSun(p));
    float south = outline.front().y;
    float north = south;
    for (const cv::Point2f &p : outline) {
        south = std::min(south, p.y);
        north = std::max(north, p.y);
    }
    shape.measured = true;
    shape.northSouthDeg = north - south;
    const auto keepOutline = [&](const auto &points, QPointF shift) {
        // At most kOutlinePoints of them, evenly along it.
        shape.outlineDeg.clear();
        const size_t step = std::max<size_t>(1, points.size() / kOutlinePoints);
        for (size_t i = 0; i < points.size(); i += step) {
            const cv::Point2f q = onSun(QPointF(points[i].x, points[i].y) + shift);
            shape.outlineDeg.emplace_back(q.x, q.y);
        }
    };
    {
        std::vector<cv::Point2d> finders;
        for (const QPointF &q : spot.outline)
            finders.emplace_back(q.x(), q.y());
        keepOutline(finders, {});
    }

    // The core: in the outline's box, the pencil darker than half-way from the paper round
    // it to the darkest inside, left by an opening wider than a stroke.
    const QRectF bounds = spot.outline.boundingRect();
    const int band = static_cast<int>(std::ceil(kPaperBandMm * dotsPerMm));
    const cv::Rect box = cv::Rect(static_cast<int>(std::floor(bounds.left())) - band,
                                  static_cast<int>(std::floor(bounds.top())) - band,
                                  static_cast<int>(std::ceil(bounds.width())) + 2 * band + 1,
                                  static_cast<int>(std::ceil(bounds.height())) + 2 * band + 1) &
                         cv::Rect(0, 0, grey.width(), grey.height());
    if (box.width < 3 || box.height < 3)
        return shape;
    const cv::Mat image(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                        static_cast<size_t>(grey.bytesPerLine()));
    const cv::Mat levels = image(box);
    std::vector<cv::Point> polygon;
    for (const QPointF &p : spot.outline)
        polygon.emplace_back(static_cast<int>(std::lround(p.x())) - box.x,
                             static_cast<int>(std::lround(p.y())) - box.y);
    cv::Mat inside = cv::Mat::zeros(box.size(), CV_8UC1);
    cv::fillPoly(inside, std::vector<std::vector<cv::Point>>{polygon}, cv::Scalar(255));
    {
        // The outline's gaps closed and what it encloses filled: the region of the spot.
        // A disc closes the gaps narrower than it.
        const int gap = (static_cast<int>(std::ceil(kOutlineGapMm * dotsPerMm)) + 1) | 1;
        cv::Mat closed;
        cv::copyMakeBorder(inside, closed, gap, gap, gap, gap, cv::BORDER_CONSTANT);
        cv::morphologyEx(closed, closed, cv::MORPH_CLOSE,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(gap, gap)));
        std::vector<std::vector<cv::Point>> edges;
        cv::findContours(closed, edges, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE,
                         cv::Point(-gap, -gap));
        const auto widest =
            std::max_element(edges.begin(), edges.end(), [](const auto &a, const auto &b) {
                return std::abs(cv::contourArea(a)) < std::abs(cv::contourArea(b));
            });
        if (widest != edges.end() && std::abs(cv::contourArea(*widest)) > 0) {
            polygon = *widest;
            keepOutline(polygon, QPointF(box.x, box.y));
            inside = cv::Mat::zeros(box.size(), CV_8UC1);
            cv::fillPoly(inside, std::vector<std::vector<cv::Point>>{polygon}, cv::Scalar(255));
        }
    }
    std::vector<uchar> paper;
    std::vector<uchar> pencil;
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x)
            (inside.at<uchar>(y, x) ? pencil : paper).push_back(levels.at<uchar>(y, x));
    if (paper.empty() || pencil.empty())
        return shape;
    const auto quantile = [](std::vector<uchar> &v, double q) {
        auto at = v.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(v.size() - 1));
        std::nth_element(v.begin(), at, v.end());
        return static_cast<double>(*at);
    };
    const double paperLevel = quantile(paper, 0.5);
    const double inkLevel = quantile(pencil, 0.1);
    cv::Mat core;
    cv::Mat pencilInside;
    if (paperLevel - inkLevel >= kLeastPencilContrast) {
        pencilInside = (levels < (paperLevel + inkLevel) / 2) & inside;
        core = pencilInside.clone();
        cv::morphologyEx(core, core, cv::MORPH_CLOSE, cv::Mat());
        const int opening = std::max(3, static_cast<int>(std::lround(kCoreOpeningMm * dotsPerMm)));
        cv::morphologyEx(core, core, cv::MORPH_OPEN,
                         cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(opening, opening)));
    }
    cv::Moments coreMoments =
        core.empty() ? cv::Moments() : cv::moments(core, /*binaryImage=*/true);

    const double filledArea = std::abs(cv::contourArea(polygon));
    shape.areaMm2 = filledArea / (dotsPerMm * dotsPerMm);
    // The region follows the outer edge of the outline's stroke; the penumbra's border is the
    // stroke's middle: the region narrowed by half the stroke's mean width (its pencil
    // outside the core over the edge's length) before the north-south extent is taken.
    if (!pencilInside.empty()) {
        const double width = cv::countNonZero(pencilInside & ~core) / cv::arcLength(polygon, true);
        const int half = static_cast<int>(std::lround(width / 2));
        if (coreMoments.m00 == 0 && width < kWidestStrokeMm * dotsPerMm) {
            // A core smaller than the opening: the pencil inside, clear of the outline's
            // stroke by a pixel.
            const int clear = 2 * static_cast<int>(std::ceil(width)) + 3;
            cv::Mat interior;
            cv::erode(inside, interior,
                      cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(clear, clear)));
            core = pencilInside & interior;
            cv::morphologyEx(core, core, cv::MORPH_OPEN, cv::Mat());
            coreMoments = cv::moments(core, /*binaryImage=*/true);
        }
        if (half >= 1 && width < kWidestStrokeMm * dotsPerMm) {
            cv::Mat middle;
            cv::erode(
                inside, middle,
                cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * half + 1, 2 * half + 1)));
            std::vector<std::vector<cv::Point>> edges;
            cv::findContours(middle, edges, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
            if (!edges.empty()) {
                const auto widest =
                    std::max_element(edges.begin(), edges.end(), [](const auto &a, const auto &b) {
                        return a.size() < b.size();
                    });
                keepOutline(*widest, QPointF(box.x, box.y));
                double south = shape.outlineDeg.front().y();
                double north = south;
                for (const QPointF &q : shape.outlineDeg) {
                    south = std::min(south, q.y());
                    north = std::max(north, q.y());
                }
                shape.northSouthDeg = north - south;
            }
        }
    }

    // Rudimentary: the outline's edge bare of a stroke round the core along a part of it.
    // Near the limb the drawing narrows the penumbra towards the disk's centre: its width is
    // judged as it lies on the Sun (the reach shortened that way by the foreshortening).
    if (coreMoments.m00 > 0) {
        cv::Mat reach;
        const int r = std::max(1, static_cast<int>(std::lround(kCoreReachMm * dotsPerMm)));
        const QPointF out = spot.pixel - frame.centre;
        const double fromCentre =
            std::min(std::hypot(out.x(), out.y()) / frame.radiusPx, kMostFromCentre);
        cv::Mat disc = cv::Mat::zeros(2 * r + 1, 2 * r + 1, CV_8UC1);
        cv::ellipse(disc, cv::Point(r, r),
                    cv::Size(std::max(1, static_cast<int>(std::lround(
                                             r * std::sqrt(1 - fromCentre * fromCentre)))),
                             r),
                    std::atan2(out.y(), out.x()) / kRadPerDeg, 0, 360, cv::Scalar(255), cv::FILLED);
        cv::dilate(core, reach, disc);
        int samples = 0;
        int bare = 0;
        std::vector<bool> bareAlong;
        for (size_t i = 0; i < polygon.size(); ++i) {
            const cv::Point a = polygon[i];
            const cv::Point b = polygon[(i + 1) % polygon.size()];
            const int steps = std::max(1, std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
            for (int s = 0; s < steps; ++s) {
                const cv::Point p(a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps);
                if (!cv::Rect(0, 0, box.width, box.height).contains(p))
                    continue;
                ++samples;
                bare += reach.at<uchar>(p) ? 1 : 0;
                bareAlong.push_back(reach.at<uchar>(p) != 0);
            }
        }
        // The longest stretch of the edge bare without a break (round the end too).
        size_t run = 0;
        size_t longest = 0;
        for (size_t i = 0; i < 2 * bareAlong.size(); ++i) {
            run = bareAlong[i % bareAlong.size()] ? run + 1 : 0;
            longest = std::max(longest, std::min(run, bareAlong.size()));
        }
        shape.rudimentary =
            samples > 0 && static_cast<double>(longest) > kRudimentaryBareEdge * samples;
        shape.filled = samples > 0 && bare >= kFilledBareEdge * samples;
    }
    // A spot the finder saw a small core in (paper round it inside the outline) is not
    // filled, whatever the pencil's grain inside the outline suggests.
    const bool smallCore =
        spot.coreAreaMm2 > 0 && spot.coreAreaMm2 < kSmallestFilledCore * spot.areaMm2;
    shape.filled = shape.filled && !smallCore;
    if (!smallCore &&
        (shape.filled || (filledArea > 0 && coreMoments.m00 >= kFilledCore * filledArea))) {
        shape.filled = true;
        shape.rudimentary = false;
        return shape;
    }

    // Symmetry, where the outline is wide enough on paper and not too foreshortened.
    const double widthMm = 2 * std::sqrt(filledArea / std::numbers::pi) / dotsPerMm;
    const DrawingPlace place = drawingPlaceAt(frame, spot.pixel);
    const double fromCentreDeg =
        std::asin(std::clamp(place.distanceMm / frame.radiusMm, 0.0, 1.0)) / kRadPerDeg;
    if (widthMm < kLeastShapeMm) {
        shape.doubt = SpotClassTexts::tr("obrys penumbry je příliš malý na posouzení souměrnosti");
        return shape;
    }
    if (fromCentreDeg > kFarthestShapeDeg) {
        shape.doubt = SpotClassTexts::tr(
            "skvrna leží blízko okraje kotouče, souměrnost penumbry nelze posoudit");
        return shape;
    }
    // The outline with its notches closed (a printed line across it takes a stroke's width
    // out of the pencil, a gap in the stroke lets the edge run in): the lobes stay.
    cv::Mat whole;
    const double widthPx = 2 * std::sqrt(filledArea / std::numbers::pi);
    const int notch =
        std::max(3, static_cast<int>(std::lround(std::min(kNotchMm * dotsPerMm, widthPx / 4))) | 1);
    cv::copyMakeBorder(inside, whole, notch, notch, notch, notch, cv::BORDER_CONSTANT);
    cv::morphologyEx(whole, whole, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(notch, notch)));
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(whole, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    if (!contours.empty()) {
        const auto widest =
            std::max_element(contours.begin(), contours.end(), [](const auto &a, const auto &b) {
                return std::abs(cv::contourArea(a)) < std::abs(cv::contourArea(b));
            });
        outline.clear();
        for (const cv::Point &q : *widest)
            outline.push_back(onSun(QPointF(q.x - notch + box.x, q.y - notch + box.y)));
    }
    const double area = std::abs(cv::contourArea(outline));
    std::vector<cv::Point2f> hull;
    cv::convexHull(outline, hull);
    const double hullArea = cv::contourArea(hull);
    const cv::Moments m = cv::moments(outline);
    if (!(area > 0) || !(hullArea > 0) || !(m.m00 != 0)) {
        shape.doubt = SpotClassTexts::tr("obrys penumbry je příliš malý na posouzení souměrnosti");
        return shape;
    }
    const double a = m.mu20 / m.m00;
    const double b = m.mu02 / m.m00;
    const double c = m.mu11 / m.m00;
    const double spread = std::sqrt((a - b) * (a - b) + 4 * c * c);
    const double longest = (a + b + spread) / 2;
    const double shortest = std::max((a + b - spread) / 2, 1e-12);
    const double elongation = std::sqrt(longest / shortest);
    double offset = 0;
    if (coreMoments.m00 > 0) {
        const cv::Point2f coreOnSun = onSun(QPointF(box.x + coreMoments.m10 / coreMoments.m00,
                                                    box.y + coreMoments.m01 / coreMoments.m00));
        const cv::Point2f middle(static_cast<float>(m.m10 / m.m00),
                                 static_cast<float>(m.m01 / m.m00));
        offset = cv::norm(coreOnSun - middle) / std::sqrt(area / std::numbers::pi);
    }
    shape.symmetric = area / hullArea >= kLeastSymmetricSolidity &&
                      elongation <= kMostSymmetricElongation && offset <= kMostSymmetricCoreOffset;
    return shape;
}

std::vector<ClassProposal> proposeClasses(const QImage &grey, const ScanRegistration &reg,
                                          const Ephemeris &ephemeris,
                                          const std::vector<FoundSpot> &spots) {
    int groups = 0;
    for (const FoundSpot &s : spots)
        groups = std::max(groups, s.group);
    std::vector<std::vector<ClassSpot>> members(static_cast<size_t>(groups));
    std::vector<std::vector<const FoundSpot *>> found(static_cast<size_t>(groups));
    for (const FoundSpot &s : spots) {
        if (s.group < 1)
            continue;
        const HeliographicPosition h = spotHelio(reg.frame, ephemeris, s.pixel);
        ClassSpot c;
        c.latitudeDeg = h.helioLatitude;
        c.longitudeDeg = h.helioLongitude;
        c.penumbra = s.penumbra;
        // Its area on the Sun: the drawing's foreshortening undone.
        const double fromCentre =
            std::clamp(drawingPlaceAt(reg.frame, s.pixel).distanceMm / reg.frame.radiusMm, 0.0,
                       kMostFromCentre);
        c.areaMm2 = s.areaMm2 / std::sqrt(1 - fromCentre * fromCentre);
        members[static_cast<size_t>(s.group - 1)].push_back(c);
        found[static_cast<size_t>(s.group - 1)].push_back(&s);
    }
    std::vector<ClassProposal> proposals;
    for (size_t g = 0; g < members.size(); ++g) {
        std::vector<ClassSpot> &m = members[g];
        for (size_t i = 0; i < m.size(); ++i) {
            // A spot the finder gives without a penumbra may be an outline it did not see round
            // its core (crossed by the print, open): one large enough to hold a penumbra is
            // measured too.
            if (!m[i].penumbra && found[g][i]->areaMm2 < kLeastOutlinedMm2)
                continue;
            m[i].shape = measurePenumbra(grey, reg, ephemeris, *found[g][i]);
            m[i].penumbra = !m[i].shape.filled;
            // The area the outline encloses with its gaps closed, where the finder's is less.
            if (found[g][i]->areaMm2 > 0)
                m[i].areaMm2 *= std::max(1.0, m[i].shape.areaMm2 / found[g][i]->areaMm2);
        }
        proposals.push_back(proposeClass(m));
    }
    return proposals;
}

} // namespace orvanek
