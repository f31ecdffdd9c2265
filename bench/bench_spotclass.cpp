// The classes proposed for groups drawn as observers draw them, and what classing adds to
// finding the spots.
//
// A generator draws every class of the class table (and more A and B groups) onto the
// program's own sheet in grainy pencil: spots as irregular blobs, penumbrae as hand-drawn
// outlines round a core (round and centred for s and h, lobed, stretched and off-centre for a
// and k, an arc ending on the core for r), each group laid out on the Sun by its class
// (lengths in heliographic degrees, the spots between leader and follower for o, i and c)
// and drawn foreshortened where it lies. The page is scanned at 200 or 300 dpi, a little
// turned, noisy, through JPEG. The evaluation runs registration, the spot finder, the
// grouping and the class over every page and prints the confusion table of first letters,
// first-letter and whole-class accuracy and the proposals outside the table, and the drawn
// spots the finder missed. The benchmark times the class for a 300-dpi A4 scan's spots.
//
// The pencil is dark (levels 30-60) and its outlines closed: the spot finder of today takes
// lighter pencil along the printed grid for spots. With --observer-pencil it is as observers
// press it, grey (levels 70-130) with gaps of up to 1 mm in the outlines.
//
//   bench_spotclass --evaluate [--observer-pencil] [--seed N]   the evaluation, then the
//   benchmarks; --seed draws other pages of the same classes
//
// ORVANEK_CLASS_PAGES=DIR saves the pages; ORVANEK_CLASS_SPOTS=1 lists the found spots of each
// group classed wrong (the finder's area, core and penumbra, the class's measurement).

#include "data/dates.h"
#include "entry/summary.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"
#include "scan/spotclass.h"
#include "scancorpus.h"
#include "views/sheet/sheetpainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPathStroker>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <random>

namespace {

using namespace orvanek;

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kRadiusMm = 83; // the A4 sheet's disk
constexpr double kPaper = 255;
// The pencil's level on the page, and as observers press it.
constexpr double kLightestInk = 30;
constexpr double kDarkestInk = 60;
constexpr double kLightestGreyInk = 70;
constexpr double kDarkestGreyInk = 130;
// An outline is left open along at most this part of its length, by gaps of at most this
// (mm; bench::gappedOutline cuts 0.3 to 1 mm and the stroke's width).
constexpr double kMostOpen = 0.2;
constexpr double kLongestGapMm = 1.0;
// The width of an outline's stroke (mm).
constexpr double kStrokeMm = 0.3;
bool observerPencil = false;
// --seed N: other pages of the same classes (a check on drawings not tuned on).
unsigned long pageSeed = 0;

using Random = std::mt19937;

double uniform(Random &r, double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(r);
}
int between(Random &r, int a, int b) {
    return std::uniform_int_distribution<int>(a, b)(r);
}

// A shape on the Sun: its outline in degrees east and north of a centre.
using SunShape = std::vector<QPointF>;

// A hand-drawn closed outline: a radius that wanders by `wobble` and by the lobes given, the
// whole stretched by `stretch` along a turned axis.
SunShape handOutline(Random &r, double radiusDeg, double wobble, double lobes, double stretch) {
    const double turn = uniform(r, 0, std::numbers::pi);
    const double phase2 = uniform(r, 0, 2 * std::numbers::pi);
    const double phase3 = uniform(r, 0, 2 * std::numbers::pi);
    const double w1 = uniform(r, -1, 1), w2 = uniform(r, -1, 1), w3 = uniform(r, -1, 1);
    SunShape shape;
    constexpr int kVertices = 72;
    for (int k = 0; k < kVertices; ++k) {
        const double a = 2 * std::numbers::pi * k / kVertices;
        const double radius =
            radiusDeg *
            (1 + lobes * (0.6 * std::cos(2 * a + phase2) + 0.4 * std::cos(3 * a + phase3)) +
             wobble * (w1 * std::cos(a) + w2 * std::sin(4 * a) + w3 * std::cos(5 * a)));
        const QPointF p(radius * std::cos(a) * stretch, radius * std::sin(a) / stretch);
        shape.push_back({p.x() * std::cos(turn) - p.y() * std::sin(turn),
                         p.x() * std::sin(turn) + p.y() * std::cos(turn)});
    }
    return shape;
}

// One spot as drawn: its centre on the Sun, its core (a filled blob) and, for a penumbra, its
// outline (closed) or an arc (rudimentary: open, its ends on the core).
struct DrawnSpot {
    double latDeg = 0;
    double lonDeg = 0;
    SunShape core;
    SunShape outline;
    bool arc = false;
    int arcStart = 0; // the arc drawn: this many vertices of the outline from this one
    int arcSpan = 0;
    QPointF coreOffset; // degrees
};

struct DrawnGroup {
    QString type;
    std::vector<DrawnSpot> spots;
    double latDeg = 0;
    double lonDeg = 0;
};

// A spot without a penumbra, `sizeDeg` across.
DrawnSpot bareSpot(Random &r, double sizeDeg) {
    DrawnSpot s;
    s.core = handOutline(r, sizeDeg / 2, 0.12, 0.08, uniform(r, 1, 1.3));
    return s;
}

// Penumbra is drawn at least this wide (degrees on the Sun) between a whole outline and its
// core: a core that comes closer to the outline, or crosses it, leaves the outline open round
// it, as a rudimentary penumbra is drawn.
constexpr double kPenumbraBandDeg = 0.3;

DrawnSpot penumbralSpotOnce(Random &r, char kind, double nsDeg);

// A spot with a penumbra of kind s, a, h, k or r, `nsDeg` from north to south.
DrawnSpot penumbralSpot(Random &r, char kind, double nsDeg) {
    for (int attempt = 0;; ++attempt) {
        DrawnSpot s = penumbralSpotOnce(r, kind, nsDeg);
        if (s.arc || attempt == 100)
            return s;
        const QPolygonF outline(QList<QPointF>(s.outline.begin(), s.outline.end()));
        bool clear = true;
        for (const QPointF &c : s.core) {
            const QPointF q = c + s.coreOffset;
            clear = clear && outline.containsPoint(q, Qt::OddEvenFill);
            for (qsizetype i = 0; clear && i < outline.size(); ++i) {
                const QPointF a = outline[i], b = outline[(i + 1) % outline.size()];
                const QPointF ab = b - a;
                const double t = std::clamp(QPointF::dotProduct(q - a, ab) /
                                                std::max(QPointF::dotProduct(ab, ab), 1e-12),
                                            0.0, 1.0);
                const QPointF d = q - (a + t * ab);
                clear = std::hypot(d.x(), d.y()) >= kPenumbraBandDeg;
            }
        }
        if (clear)
            return s;
    }
}

DrawnSpot penumbralSpotOnce(Random &r, char kind, double nsDeg) {
    DrawnSpot s;
    const double radius = nsDeg / 2;
    switch (kind) {
    case 's':
    case 'h':
        s.outline = handOutline(r, radius, 0.04, 0, uniform(r, 1, 1.15));
        s.coreOffset = QPointF(uniform(r, -0.08, 0.08), uniform(r, -0.08, 0.08)) * radius;
        s.core = handOutline(r, radius * uniform(r, 0.3, 0.45), 0.08, 0.05, 1.1);
        break;
    case 'a':
    case 'k': {
        s.outline = handOutline(r, radius, 0.06, uniform(r, 0.25, 0.35), uniform(r, 1.3, 1.7));
        const double a = uniform(r, 0, 2 * std::numbers::pi);
        s.coreOffset = QPointF(std::cos(a), std::sin(a)) * radius * uniform(r, 0.3, 0.45);
        s.core = handOutline(r, radius * uniform(r, 0.22, 0.32), 0.1, 0.1, 1.2);
        break;
    }
    default: // 'r': an arc round one side of a large core, its ends drawn onto it
        s.arc = true;
        s.arcStart = between(r, 0, 71);
        s.arcSpan = static_cast<int>(72 * uniform(r, 0.4, 0.55));
        s.core = handOutline(r, radius * uniform(r, 0.45, 0.55), 0.08, 0.05, 1.1);
        s.outline = handOutline(r, radius, 0.04, 0, 1.05);
        break;
    }
    // The north-south extent as asked for, whatever the stretch and turn made of it.
    double south = 0, north = 0;
    for (const QPointF &p : s.outline) {
        south = std::min(south, p.y());
        north = std::max(north, p.y());
    }
    const double scale = nsDeg / (north - south);
    for (QPointF &p : s.outline)
        p *= scale;
    for (QPointF &p : s.core)
        p *= scale;
    s.coreOffset *= scale;
    return s;
}

// How far a spot's drawing reaches east or west of its centre (degrees; to the west with
// `west`, the side of positive x): a stretched or lobed outline reaches beyond half its
// north-south extent (a rudimentary one only where its arc is drawn), and the spots beside it
// are drawn clear of it.
double reachDeg(const DrawnSpot &s, bool west) {
    const double sign = west ? 1 : -1;
    double reach = 0;
    for (size_t v = 0; v < s.outline.size(); ++v)
        if (!s.arc || (v + s.outline.size() - static_cast<size_t>(s.arcStart)) % s.outline.size() <=
                          static_cast<size_t>(s.arcSpan))
            reach = std::max(reach, sign * s.outline[v].x());
    for (const QPointF &p : s.core)
        reach = std::max(reach, sign * (p.x() + s.coreOffset.x()));
    return reach;
}
double halfWidthDeg(const DrawnSpot &s) {
    return std::max(reachDeg(s, true), reachDeg(s, false));
}

// A spot's area on the Sun (square degrees): its outline's, of a rudimentary penumbra the
// half of it the arc bounds, of a spot without a penumbra its core's.
double sunAreaDeg2(const DrawnSpot &s) {
    const SunShape &shape = s.outline.empty() ? s.core : s.outline;
    double area = 0;
    for (size_t i = 0; i < shape.size(); ++i) {
        const QPointF a = shape[i];
        const QPointF b = shape[(i + 1) % shape.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(area) / 2 * (s.arc ? 0.5 : 1);
}

// The leader is drawn at least this much larger than any other spot of its group.
constexpr double kLeaderLarger = 1.3;

// A group built to be `type`, laid along an axis tilted by a few degrees, the leader (the
// largest penumbra) at the western end.
DrawnGroup buildGroup(Random &r, const QString &type) {
    DrawnGroup g;
    g.type = type;
    const char zurich = type[0].toLatin1();
    const char penumbra = type[1].toLatin1();
    const char spread = type[2].toLatin1();
    const double leaderNs = penumbra == 'h' || penumbra == 'k' ? uniform(r, 3.0, 4.4)
                            : penumbra == 'r'                  ? uniform(r, 1.8, 3.6)
                                                               : uniform(r, 1.5, 2.2);
    const auto place = [](DrawnSpot s, double along, double across) {
        s.lonDeg = along;
        s.latDeg = across;
        return s;
    };
    switch (zurich) {
    case 'A':
        g.spots.push_back(place(bareSpot(r, uniform(r, 0.5, 1)), 0, 0));
        if (between(r, 0, 1))
            g.spots.push_back(
                place(bareSpot(r, uniform(r, 0.4, 0.7)), uniform(r, 1, 2), uniform(r, -0.5, 0.5)));
        return g;
    case 'H': {
        g.spots.push_back(place(penumbralSpot(r, penumbra, leaderNs), 0, 0));
        const double half = reachDeg(g.spots.front(), false);
        if (between(r, 0, 1))
            g.spots.push_back(place(bareSpot(r, uniform(r, 0.4, 0.6)), -half - uniform(r, 0.6, 1.2),
                                    uniform(r, -0.5, 0.5)));
        return g;
    }
    default:
        break;
    }
    // The spots of a group lie within the grouping's reach of a neighbour (5 degrees), as
    // a group an observer draws is seen as one: long groups trail small spots from their
    // leader and follower. Lengths are kept clear of the classes' bounds (drawAsClass checks
    // them on the Sun).
    const bool penumbralFollower = zurich == 'D' || zurich == 'E' || zurich == 'F';
    DrawnSpot follower = penumbralFollower ? penumbralSpot(r, 's', uniform(r, 1.3, 1.55))
                                           : bareSpot(r, uniform(r, 0.7, 1.1));
    // The leader: the group's largest spot, no longer east to west than its group has room
    // for.
    DrawnSpot leader =
        zurich == 'B' ? bareSpot(r, uniform(r, 0.8, 1.2)) : penumbralSpot(r, penumbra, leaderNs);
    for (int attempt = 0; attempt < 50 && zurich != 'B' &&
                          (halfWidthDeg(leader) > 0.9 * leaderNs ||
                           sunAreaDeg2(leader) < kLeaderLarger * sunAreaDeg2(follower));
         ++attempt)
        leader = penumbralSpot(r, penumbra, leaderNs);
    // How far the leader reaches east towards the follower, and the follower west.
    const double leaderHalf = zurich == 'B' ? 0.5 : reachDeg(leader, false);
    const double followerHalf = penumbralFollower ? reachDeg(follower, true) : 0.5;
    // A bipolar group's follower lies well over 3 degrees from the leader's penumbra.
    const double shortest = std::max(4.5, leaderHalf + 3.8);
    const double length = zurich == 'E'   ? uniform(r, 10.6, 14.4)
                          : zurich == 'F' ? uniform(r, 15.6, 18)
                          : spread == 'o' ? uniform(r, shortest, 9.3)
                                          : uniform(r, std::max(8.0, shortest), 9.4);
    const double tilt = uniform(r, -0.15, 0.15);
    const auto onAxis = [&](DrawnSpot s, double along, double across) {
        return place(std::move(s), along, across + along * tilt);
    };
    // Leader at 0 (west), follower at -length.
    g.spots.push_back(onAxis(std::move(leader), 0, 0));
    g.spots.push_back(onAxis(std::move(follower), -length, 0));
    // Long groups trail small spots close to the leader's and the follower's penumbrae (not
    // between them: the class takes a spot within 1.2 degrees of an end's penumbra as that
    // end's).
    double near = 0;
    double far = -length;
    if (length > 10) {
        near = -leaderHalf - 0.8;
        far = -length + followerHalf + 0.8;
        g.spots.push_back(onAxis(bareSpot(r, 0.55), near, uniform(r, -0.4, 0.4)));
        g.spots.push_back(onAxis(bareSpot(r, 0.55), far, uniform(r, -0.4, 0.4)));
    }
    // The middle, spaced evenly clear of the leader and the follower: an open group has at
    // most two spots between, and as many as keep each within the grouping's reach of the
    // next.
    const double first = -leaderHalf - 1.6;
    const double last = -length + followerHalf + 1.6;
    constexpr double kLongestGapDeg = 3.6;
    const int bridging = static_cast<int>(std::ceil((near - far) / kLongestGapDeg)) - 1;
    const int inside = spread == 'o' ? std::min(2, std::max(between(r, 0, 2), bridging))
                                     : between(r, 3, length > 10 ? 5 : 4);
    for (int k = 0; k < inside; ++k) {
        const double along = first + (last - first) * (k + 0.5) / inside + uniform(r, -0.15, 0.15);
        const double across = (k % 2 ? 1 : -1) * uniform(r, 0.2, 0.9);
        if (spread == 'c' && k == inside / 2)
            g.spots.push_back(onAxis(penumbralSpot(r, 's', 1.35), along, across));
        else
            g.spots.push_back(onAxis(bareSpot(r, uniform(r, 0.5, 0.7)), along, across));
    }
    return g;
}

// Whether what is drawn of `g` (placed on the Sun) is its class by the classification's rules,
// each clear of its bound: unipolar (A, H) when its spots lie within 3 degrees of each other,
// measured from an H group's penumbra's border; bipolar otherwise, its length (the greatest
// distance between two spots' centres) for D at most 10 degrees, for E 10 to 15, for F more;
// its leader its largest spot.
bool drawnAsClass(const DrawnGroup &g) {
    const auto onSun = [](const DrawnSpot &s) {
        const double b = s.latDeg * kRadPerDeg, l = s.lonDeg * kRadPerDeg;
        return std::array<double, 3>{std::cos(b) * std::cos(l), std::cos(b) * std::sin(l),
                                     std::sin(b)};
    };
    const auto distance = [&](const DrawnSpot &a, const DrawnSpot &b) {
        const auto u = onSun(a), v = onSun(b);
        return std::acos(std::clamp(u[0] * v[0] + u[1] * v[1] + u[2] * v[2], -1.0, 1.0)) /
               kRadPerDeg;
    };
    const DrawnSpot &leader = g.spots.front();
    // How far the leader's outline reaches towards a spot (degrees on the Sun).
    const auto reach = [&](const DrawnSpot &to) {
        const QPointF way((to.lonDeg - leader.lonDeg) * std::cos(leader.latDeg * kRadPerDeg),
                          to.latDeg - leader.latDeg);
        const double n = std::hypot(way.x(), way.y());
        double most = 0;
        for (const QPointF &p : leader.outline)
            most = std::max(most, (p.x() * way.x() + p.y() * way.y()) / n);
        return most;
    };
    double length = 0, separation = 0;
    for (size_t i = 0; i < g.spots.size(); ++i) {
        if (i > 0 && sunAreaDeg2(g.spots[i]) * kLeaderLarger > sunAreaDeg2(leader) &&
            !leader.outline.empty())
            return false;
        for (size_t j = i + 1; j < g.spots.size(); ++j) {
            const double d = distance(g.spots[i], g.spots[j]);
            length = std::max(length, d);
            separation = std::max(separation, i == 0 ? d - reach(g.spots[j]) : d);
        }
    }
    switch (g.type[0].toLatin1()) {
    case 'A':
    case 'H':
        return separation <= 2.7;
    case 'D':
        return separation >= 3.3 && length <= 9.7;
    case 'E':
        return separation >= 3.3 && length >= 10.3 && length <= 14.7;
    case 'F':
        return separation >= 3.3 && length >= 15.3;
    default:
        return separation >= 3.3;
    }
}

// A page: the program's sheet at `dpi` with the groups drawn in pencil, scanned.
struct Page {
    QImage scan;
    std::vector<DrawnGroup> groups;
    Ephemeris ephemeris;
};

SheetModel benchSheet() {
    SheetSettings s;
    s.date = *parseDate(QStringLiteral("21.06.2001"), 2000);
    s.timeUT = 830;
    s.radiusMm = kRadiusMm;
    return buildSheetModel(s);
}

// Grainy graphite: the pencil layer (255 nothing; where the pencil covers a pixel wholly,
// its level) laid onto the page as graphite darkens paper, each pixel pressed a little harder
// or lighter.
void layPencil(QImage &page, const QImage &layer, Random &r) {
    std::normal_distribution<double> grain(1, 0.18);
    for (int y = 0; y < page.height(); ++y) {
        const uchar *cover = layer.constScanLine(y);
        uchar *out = page.scanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            if (cover[x] == 255)
                continue;
            const double darkening = std::clamp((255 - cover[x]) * grain(r), 0.0, 255.0);
            out[x] = static_cast<uchar>(out[x] * (255 - darkening) / 255);
        }
    }
}

Page drawPage(Random &r, const std::vector<QString> &types, int dpi) {
    Page page;
    const SheetModel model = benchSheet();
    page.ephemeris = solarEphemeris(*parseDate(QStringLiteral("21.06.2001"), 2000), 830);
    QImage image = renderSheet(model, dpi);
    image = image.convertToFormat(QImage::Format_Grayscale8);
    // White paper to the scanner's grey paper.
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            row[x] = static_cast<uchar>(row[x] * kPaper / 255);
    }
    const double k = dpi / 25.4;
    ScanFrame frame;
    frame.centre = (model.centre + QPointF(kSheetMarginMm, kSheetMarginMm)) * k - QPointF(0.5, 0.5);
    frame.radiusPx = kRadiusMm * k;
    frame.radiusMm = kRadiusMm;
    const auto toImage = [&](double lat, double lon) {
        const PolarPosition p =
            heliographicToPolar(page.ephemeris, float(lat), float(lon), kRadiusMm);
        return imageAtPlace(frame, {p.polarAngle, p.polarDistance}) + QPointF(0.5, 0.5);
    };
    // Slots on the Sun far enough apart that no two groups come within the grouping's reach.
    std::vector<QPointF> places;
    for (double lat : {-24.0, -9.0, 9.0, 24.0})
        for (double cmd : {-42.0, -12.0, 18.0, 48.0})
            places.emplace_back(cmd, lat);
    std::shuffle(places.begin(), places.end(), r);

    QImage layer(image.size(), QImage::Format_Grayscale8);
    layer.fill(255);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < types.size() && i < places.size(); ++i) {
        // The group on its slot (a long group's middle there), rebuilt until what is drawn is
        // its class on the Sun.
        DrawnGroup g;
        for (int attempt = 0;; ++attempt) {
            g = buildGroup(r, types[i]);
            double west = 0, east = 0;
            for (const DrawnSpot &s : g.spots) {
                west = std::max(west, s.lonDeg);
                east = std::min(east, s.lonDeg);
            }
            g.latDeg = places[i].y() + uniform(r, -2, 2);
            g.lonDeg = page.ephemeris.L0 + places[i].x() + uniform(r, -3, 3);
            // Degrees along the group on the Sun to degrees of longitude where it lies.
            const double widen = 1 / std::cos(g.latDeg * kRadPerDeg);
            for (DrawnSpot &s : g.spots) {
                s.latDeg += g.latDeg;
                s.lonDeg = g.lonDeg + (s.lonDeg - (west + east) / 2) * widen;
            }
            if (drawnAsClass(g))
                break;
            if (attempt == 200) {
                std::fprintf(stderr, "no %s drawn as its class\n", qPrintable(g.type));
                break;
            }
        }
        const double ink = observerPencil ? uniform(r, kLightestGreyInk, kDarkestGreyInk)
                                          : uniform(r, kLightestInk, kDarkestInk);
        for (DrawnSpot &s : g.spots) {
            const double shrink = 1 / std::cos(s.latDeg * kRadPerDeg);
            const auto map = [&](const SunShape &shape, QPointF offset) {
                QPolygonF polygon;
                for (const QPointF &q : shape)
                    polygon << toImage(s.latDeg + q.y() + offset.y(),
                                       s.lonDeg + (q.x() + offset.x()) * shrink);
                return polygon;
            };
            const int level = static_cast<int>(ink);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(level, level, level));
            p.drawPolygon(map(s.core, s.coreOffset));
            if (s.outline.empty())
                continue;
            QPolygonF outline = map(s.outline, {});
            p.setBrush(Qt::NoBrush);
            const QPen pen(QColor(level + 10, level + 10, level + 10),
                           uniform(r, kStrokeMm - 0.05, kStrokeMm + 0.05) * k, Qt::SolidLine,
                           Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            if (s.arc) {
                // Half the outline, its ends drawn to the core's middle.
                const int n = static_cast<int>(outline.size());
                QPolygonF arc;
                const QPointF middle = toImage(s.latDeg, s.lonDeg);
                arc << middle;
                for (int v = 0; v <= s.arcSpan; ++v)
                    arc << outline[(s.arcStart + v) % n];
                arc << middle;
                p.drawPolyline(arc);
            } else {
                if (!observerPencil) {
                    p.drawPolygon(outline);
                    continue;
                }
                // One or two gaps where the pencil left the paper, as the corpus of
                // real-looking drawings cuts them (in millimetres of paper), together no more
                // than a fifth of the outline: an outline open for longer is drawn as a
                // rudimentary penumbra is.
                const QTransform toMm = QTransform::fromScale(1 / k, 1 / k);
                const QPolygonF line = toMm.map(outline);
                double length = 0;
                for (qsizetype v = 0; v < line.size(); ++v)
                    length += QLineF(line[v], line[(v + 1) % line.size()]).length();
                const int gaps = std::min(
                    between(r, 1, 2),
                    static_cast<int>(kMostOpen * length / (kLongestGapMm + pen.widthF() / k)));
                p.drawPath(
                    toMm.inverted().map(bench::gappedOutline(r, line, pen.widthF() / k, gaps)));
            }
        }
        page.groups.push_back(std::move(g));
    }
    p.end();
    layPencil(image, layer, r);

    // The scanner: turned a little, noise, JPEG.
    const double turn = uniform(r, -2, 2);
    QImage scan(image.size(), QImage::Format_Grayscale8);
    scan.fill(static_cast<int>(kPaper));
    {
        QPainter s(&scan);
        s.setRenderHint(QPainter::SmoothPixmapTransform);
        s.translate(image.width() / 2.0, image.height() / 2.0);
        s.rotate(turn);
        s.translate(-image.width() / 2.0, -image.height() / 2.0);
        s.drawImage(0, 0, image);
    }
    std::normal_distribution<double> noise(0, 4);
    for (int y = 0; y < scan.height(); ++y) {
        uchar *row = scan.scanLine(y);
        for (int x = 0; x < scan.width(); ++x)
            row[x] = static_cast<uchar>(std::clamp(row[x] + noise(r), 0.0, 255.0));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "JPG", between(r, 70, 90));
    page.scan = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_Grayscale8);
    return page;
}

// The groups to draw: every class of the table twice, and A and B groups to have as many of
// each first letter as of the others.
std::vector<QString> corpusTypes() {
    std::vector<QString> types;
    for (int round = 0; round < 2; ++round)
        for (std::string_view name : McIntoshClasses)
            types.push_back(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    for (int k = 0; k < 10; ++k) {
        types.push_back(QStringLiteral("Axx"));
        types.push_back(k % 2 ? QStringLiteral("Bxo") : QStringLiteral("Bxi"));
    }
    return types;
}

constexpr int kGroupsPerPage = 8;

struct Classed {
    bool whole = false; // proposed as one group of as many spots as were drawn
    QString drawn;
    QString proposed; // empty: the drawn group was not proposed as one group
    bool decided = true;
    QString doubts;
    QString onDrawn; // the class proposed from the drawn spots themselves (see drawnSpots)
};

// The drawn spots of `groups` as the spot finder would report them were it right: each at its
// drawn centre, its edge the outer edge of what was drawn (the core and the outline, or the
// arc of a rudimentary penumbra, whole: gaps closed), its area what that edge encloses, with a
// penumbra where an outline was drawn; grouped as drawn (group k + 1 is groups[k]).
std::vector<FoundSpot> drawnSpots(const std::vector<DrawnGroup> &groups,
                                  const ScanRegistration &reg, const Ephemeris &e) {
    const double dotsPerMm = reg.frame.radiusPx / kRadiusMm;
    std::vector<FoundSpot> spots;
    for (size_t g = 0; g < groups.size(); ++g)
        for (const DrawnSpot &d : groups[g].spots) {
            const double shrink = 1 / std::cos(d.latDeg * kRadPerDeg);
            const auto toImage = [&](double lat, double lon) {
                const PolarPosition p = heliographicToPolar(e, float(lat), float(lon), kRadiusMm);
                return imageAtPlace(reg.frame, {p.polarAngle, p.polarDistance}) + QPointF(0.5, 0.5);
            };
            const auto map = [&](const SunShape &shape, QPointF offset) {
                QPolygonF polygon;
                for (const QPointF &q : shape)
                    polygon << toImage(d.latDeg + q.y() + offset.y(),
                                       d.lonDeg + (q.x() + offset.x()) * shrink);
                return polygon;
            };
            FoundSpot s;
            s.group = static_cast<int>(g) + 1;
            s.pixel = toImage(d.latDeg, d.lonDeg) - QPointF(0.5, 0.5);
            const QPolygonF core = map(d.core, d.coreOffset);
            QPainterPath edge;
            edge.addPolygon(core);
            edge.closeSubpath();
            if (!d.outline.empty()) {
                QPolygonF outline = map(d.outline, {});
                if (d.arc) {
                    // The arc drawn, closed through the core's middle as its ends are drawn.
                    QPolygonF arc;
                    arc << s.pixel + QPointF(0.5, 0.5);
                    for (int v = 0; v <= d.arcSpan; ++v)
                        arc << outline[(d.arcStart + v) % outline.size()];
                    outline = arc;
                }
                // The edge the finder follows is the stroke's outer edge.
                QPainterPath round;
                round.addPolygon(outline);
                if (!d.arc)
                    round.closeSubpath();
                QPainterPathStroker pen;
                pen.setWidth(kStrokeMm * dotsPerMm);
                pen.setJoinStyle(Qt::RoundJoin);
                pen.setCapStyle(Qt::RoundCap);
                edge = edge.united(round).united(pen.createStroke(round)).simplified();
                s.penumbra = true;
            }
            s.outline = edge.toFillPolygon();
            const auto areaOf = [&](const QPolygonF &q) {
                double a = 0;
                for (qsizetype i = 0; i < q.size(); ++i)
                    a +=
                        q[i].x() * q[(i + 1) % q.size()].y() - q[(i + 1) % q.size()].x() * q[i].y();
                return std::abs(a) / 2 / (dotsPerMm * dotsPerMm);
            };
            s.areaMm2 = areaOf(s.outline);
            s.coreAreaMm2 = areaOf(core);
            spots.push_back(s);
        }
    return spots;
}

// The evaluation over the whole corpus.
std::vector<Classed> classCorpus(bool verbose) {
    Random r(20261209 + pageSeed);
    std::vector<QString> types = corpusTypes();
    std::shuffle(types.begin(), types.end(), r);
    std::vector<Classed> results;
    for (size_t first = 0; first < types.size(); first += kGroupsPerPage) {
        const std::vector<QString> some(types.begin() + static_cast<std::ptrdiff_t>(first),
                                        types.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                            first + kGroupsPerPage, types.size())));
        const int dpi = (first / kGroupsPerPage) % 3 == 2 ? 200 : 300;
        const Page page = drawPage(r, some, dpi);
        const ScanRegistration reg = registerScan(page.scan, ScanOptions{});
        if (!reg.registered() || !reg.hasMoment()) {
            for (const DrawnGroup &g : page.groups)
                results.push_back(
                    {false, g.type, QString(), false, QStringLiteral("not registered"), QString()});
            continue;
        }
        const Ephemeris e = solarEphemeris(*reg.date, *reg.timeUT);
        std::vector<FoundSpot> spots = findSpots(page.scan, reg);
        groupSpots(spots, reg.frame, e);
        const std::vector<SpotGroup> groups = spotGroups(spots, reg.frame, e);
        const std::vector<ClassProposal> proposals = proposeClasses(page.scan, reg, e, spots);
        const std::vector<FoundSpot> drawn = drawnSpots(page.groups, reg, e);
        const std::vector<ClassProposal> onDrawn = proposeClasses(page.scan, reg, e, drawn);
        if (verbose) {
            size_t drawn = 0;
            for (const DrawnGroup &g : page.groups)
                drawn += g.spots.size();
            std::printf("page %zu (%d dpi): spots drawn %zu, found %zu; groups drawn %zu, "
                        "proposed %zu\n",
                        first / kGroupsPerPage + 1, dpi, drawn, spots.size(), page.groups.size(),
                        groups.size());
            if (qEnvironmentVariableIsSet("ORVANEK_CLASS_PAGES")) {
                page.scan.save(QStringLiteral("%1/page%2.png")
                                   .arg(qEnvironmentVariable("ORVANEK_CLASS_PAGES"))
                                   .arg(first / kGroupsPerPage + 1));
                // The found spots over the page: outlines red (a penumbra's) or blue, centres
                // marked, a group's spots joined to its first.
                QImage found = page.scan.convertToFormat(QImage::Format_RGB32);
                QPainter painter(&found);
                painter.setRenderHint(QPainter::Antialiasing);
                for (const FoundSpot &s : spots) {
                    painter.setPen(QPen(s.penumbra ? Qt::red : Qt::blue, 1));
                    painter.drawPolygon(s.outline);
                    painter.drawEllipse(s.pixel, 2, 2);
                    for (const FoundSpot &t : spots)
                        if (t.group == s.group) {
                            painter.setPen(QPen(QColor(0, 160, 0), 1, Qt::DotLine));
                            painter.drawLine(s.pixel, t.pixel);
                            break;
                        }
                }
                painter.end();
                found.save(QStringLiteral("%1/page%2-found.png")
                               .arg(qEnvironmentVariable("ORVANEK_CLASS_PAGES"))
                               .arg(first / kGroupsPerPage + 1));
            }
        }
        if (verbose) {
            // The drawn spots grouped as the found ones are: the drawn groups the grouping
            // alone splits or joins.
            std::vector<FoundSpot> regrouped = drawn;
            groupSpots(regrouped, reg.frame, e);
            for (size_t gi = 0; gi < page.groups.size(); ++gi) {
                std::vector<int> into;
                for (size_t k = 0; k < drawn.size(); ++k)
                    if (drawn[k].group == static_cast<int>(gi) + 1)
                        into.push_back(regrouped[k].group);
                std::sort(into.begin(), into.end());
                const auto held =
                    std::count_if(regrouped.begin(), regrouped.end(),
                                  [&](const FoundSpot &s) { return s.group == into[0]; });
                if (into.front() != into.back() || held != static_cast<long>(into.size()))
                    std::printf("    grouping the drawn spots: %s split or joined\n",
                                qPrintable(page.groups[gi].type));
            }
        }
        if (verbose) {
            // The drawn spots no found spot lies near (within half a degree), by their size.
            for (const DrawnGroup &g : page.groups)
                for (size_t k = 0; k < g.spots.size(); ++k) {
                    const DrawnSpot &d = g.spots[k];
                    double nearest = 1e9;
                    for (const FoundSpot &s : spots)
                        nearest = std::min(
                            nearest,
                            sphereDistanceDeg(spotHelio(reg.frame, e, s.pixel),
                                              {d.latDeg, std::fmod(d.lonDeg + 360, 360), 0}));
                    const PolarPosition p =
                        heliographicToPolar(e, float(d.latDeg), float(d.lonDeg), kRadiusMm);
                    const QPointF at = imageAtPlace(reg.frame, {p.polarAngle, p.polarDistance});
                    if (nearest > 0.5)
                        std::printf("    missed in %s at %.0f,%.0f: spot %zu%s, %.1f degrees "
                                    "from the nearest found\n",
                                    qPrintable(g.type), at.x(), at.y(), k,
                                    d.outline.empty() ? "" : " (penumbra)", nearest);
                }
        }
        // Each drawn group is matched to the proposed group holding the spot nearest to its
        // leader, when that group holds no spot nearer to another drawn group's spots.
        for (size_t gi = 0; gi < page.groups.size(); ++gi) {
            const DrawnGroup &g = page.groups[gi];
            Classed c{false, g.type, QString(), true, QString(), onDrawn[gi].type};
            if (verbose && c.onDrawn != g.type) {
                std::printf("  page %zu: drawn %s, from the drawn spots %s%s%s\n",
                            first / kGroupsPerPage + 1, qPrintable(g.type), qPrintable(c.onDrawn),
                            onDrawn[gi].doubts.isEmpty() ? "" : ": ",
                            qPrintable(onDrawn[gi].doubts.join(QStringLiteral("; "))));
                if (qEnvironmentVariableIsSet("ORVANEK_CLASS_SPOTS"))
                    for (const FoundSpot &s : drawn)
                        if (s.group == static_cast<int>(gi) + 1) {
                            const HeliographicPosition h = spotHelio(reg.frame, e, s.pixel);
                            const PenumbraShape sh = measurePenumbra(page.scan, reg, e, s);
                            std::printf("      drawn spot %.0f,%.0f (%.2f, %.2f) area %.2f core "
                                        "%.2f pen %d filled %d ns %.2f sym %d rud %d\n",
                                        s.pixel.x(), s.pixel.y(), h.helioLatitude, h.helioLongitude,
                                        s.areaMm2, s.coreAreaMm2, s.penumbra, sh.filled,
                                        sh.northSouthDeg, sh.symmetric.value_or(-1),
                                        sh.rudimentary);
                        }
            }
            int found = 0;
            QPointF at;
            double best = 1.5; // degrees
            for (const FoundSpot &s : spots) {
                const HeliographicPosition h = spotHelio(reg.frame, e, s.pixel);
                const double d = sphereDistanceDeg(
                    h, {g.spots[0].latDeg, std::fmod(g.spots[0].lonDeg + 360, 360), 0});
                if (d < best) {
                    best = d;
                    found = s.group;
                    at = s.pixel;
                }
            }
            // The proposed group must hold as many spots as were drawn (none split off, none
            // joined) to count as the drawn group.
            if (found > 0) {
                int held = 0;
                for (const FoundSpot &s : spots)
                    held += s.group == found ? 1 : 0;
                const ClassProposal &p = proposals[static_cast<size_t>(found - 1)];
                c.whole = held == static_cast<int>(g.spots.size());
                c.proposed = p.type;
                c.decided = p.decided();
                c.doubts = p.doubts.join(QStringLiteral("; "));
                if (verbose && (p.type != g.type || held != static_cast<int>(g.spots.size())))
                    std::printf("  page %zu at %.0f,%.0f: drawn %s (%zu spots) proposed %s (%d "
                                "spots)%s%s\n",
                                first / kGroupsPerPage + 1, at.x(), at.y(), qPrintable(g.type),
                                g.spots.size(), qPrintable(p.type), held,
                                c.doubts.isEmpty() ? "" : ": ", qPrintable(c.doubts));
                if (verbose && qEnvironmentVariableIsSet("ORVANEK_CLASS_SPOTS") && p.type != g.type)
                    for (const FoundSpot &s : spots)
                        if (s.group == found) {
                            const PenumbraShape sh = measurePenumbra(page.scan, reg, e, s);
                            std::printf("      spot %.0f,%.0f area %.2f core %.2f pen %d filled %d "
                                        "ns %.2f sym %d rud %d\n",
                                        s.pixel.x(), s.pixel.y(), s.areaMm2, s.coreAreaMm2,
                                        s.penumbra, sh.filled, sh.northSouthDeg,
                                        sh.symmetric.value_or(-1), sh.rudimentary);
                        }
            }
            results.push_back(c);
        }
    }
    return results;
}

// The confusion table of first letters and the share right of `proposed` against the drawn
// classes.
void printAccuracy(const std::vector<Classed> &results, QString Classed::*proposedBy) {
    const QString letters = QStringLiteral("AHBCDEF");
    std::map<std::pair<QChar, QChar>, int> confusion;
    int firstRight = 0, wholeRight = 0, outside = 0;
    std::map<int, int> letterRight; // per letter position
    for (const Classed &c : results) {
        const QString &proposedClass = c.*proposedBy;
        const QChar proposed = proposedClass.isEmpty() ? QChar(u'-') : proposedClass[0];
        ++confusion[{c.drawn[0], proposed}];
        firstRight += proposed == c.drawn[0] ? 1 : 0;
        wholeRight += proposedClass == c.drawn ? 1 : 0;
        if (!proposedClass.isEmpty() && classNumber(proposedClass.toStdString()) == 0)
            ++outside;
        for (int k = 1; k < 3; ++k)
            letterRight[k] += proposedClass.size() == 3 && proposedClass[k] == c.drawn[k] ? 1 : 0;
    }
    std::printf("First letters: drawn (rows) against proposed (columns; - not proposed as "
                "one group)\n      ");
    const QString columns = letters + u'-';
    for (QChar col : columns)
        std::printf("%5c", col.toLatin1());
    std::printf("\n");
    for (QChar row : letters) {
        std::printf("%5c ", row.toLatin1());
        for (QChar col : columns)
            std::printf("%5d", confusion[{row, col}]);
        std::printf("\n");
    }
    const double n = static_cast<double>(results.size());
    std::printf("groups %zu\nfirst letter right %d (%.1f %%)\nwhole class right %d (%.1f %%)\n"
                "second letter right %.1f %%, third letter right %.1f %%\n"
                "proposals outside the table %d\n",
                results.size(), firstRight, 100 * firstRight / n, wholeRight, 100 * wholeRight / n,
                100.0 * letterRight[1] / n, 100.0 * letterRight[2] / n, outside);
}

void printEvaluation() {
    {
        // The same sheet without pencil: what the finder takes for spots on the print alone.
        Random r(1);
        const Page blank = drawPage(r, {}, 300);
        const ScanRegistration reg = registerScan(blank.scan, ScanOptions{});
        std::printf("blank page (300 dpi): %zu spots found\n", findSpots(blank.scan, reg).size());
        if (qEnvironmentVariableIsSet("ORVANEK_CLASS_PAGES"))
            blank.scan.save(
                QStringLiteral("%1/blank.png").arg(qEnvironmentVariable("ORVANEK_CLASS_PAGES")));
    }
    const std::vector<Classed> results = classCorpus(true);
    std::printf("\nThe classes of the spots found:\n");
    printAccuracy(results, &Classed::proposed);
    int undecided = 0, undecidedRight = 0, whole = 0, wholeFirst = 0, wholeClass = 0;
    for (const Classed &c : results) {
        if (!c.decided) {
            ++undecided;
            undecidedRight += c.proposed == c.drawn ? 1 : 0;
        }
        if (!c.whole)
            continue;
        ++whole;
        wholeFirst += c.proposed[0] == c.drawn[0] ? 1 : 0;
        wholeClass += c.proposed == c.drawn ? 1 : 0;
    }
    std::printf("proposals with a letter in doubt %d (%d of them right)\n"
                "groups found whole (as many spots as drawn, in one group) %d: first letter "
                "right %.1f %%, whole class right %.1f %%\n",
                undecided, undecidedRight, whole, 100.0 * wholeFirst / std::max(whole, 1),
                100.0 * wholeClass / std::max(whole, 1));
    std::printf("\nThe classes of the drawn spots themselves (the finder right):\n");
    printAccuracy(results, &Classed::onDrawn);
    std::printf("\n");
}

// What the class adds to a 300-dpi A4 scan's spots: its eight groups found and grouped
// beforehand, the class of each measured and proposed.
void BM_ProposeClasses(benchmark::State &state) {
    Random r(7);
    static const Page page =
        drawPage(r,
                 {QStringLiteral("Fkc"), QStringLiteral("Ehi"), QStringLiteral("Dso"),
                  QStringLiteral("Cro"), QStringLiteral("Hhx"), QStringLiteral("Bxi"),
                  QStringLiteral("Axx"), QStringLiteral("Dac")},
                 300);
    const ScanRegistration reg = registerScan(page.scan, ScanOptions{});
    if (!reg.hasMoment()) {
        state.SkipWithError("not registered");
        return;
    }
    const Ephemeris e = solarEphemeris(*reg.date, *reg.timeUT);
    std::vector<FoundSpot> spots = findSpots(page.scan, reg);
    groupSpots(spots, reg.frame, e);
    spotGroups(spots, reg.frame, e);
    for (auto _ : state) {
        std::vector<ClassProposal> proposals = proposeClasses(page.scan, reg, e, spots);
        benchmark::DoNotOptimize(proposals);
    }
    state.counters["spots"] = static_cast<double>(spots.size());
}
BENCHMARK(BM_ProposeClasses)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool evaluate = false;
    for (int i = 1; i < argc;) {
        const std::string_view option(argv[i]);
        int taken = 1;
        if (option == "--seed" && i + 1 < argc) {
            pageSeed = std::strtoul(argv[i + 1], nullptr, 10);
            taken = 2;
        } else if (option == "--evaluate" || option == "--observer-pencil") {
            (option == "--evaluate" ? evaluate : observerPencil) = true;
        } else {
            ++i;
            continue;
        }
        for (int j = i; j + taken < argc; ++j)
            argv[j] = argv[j + taken];
        argc -= taken;
    }
    if (evaluate)
        printEvaluation();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
