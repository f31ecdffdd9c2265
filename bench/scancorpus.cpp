#include "bench/scancorpus.h"

#include "scan/scanframe.h"
#include "solar/ephemeris.h"
#include "views/sheet/sheetpainter.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace orvanek::bench {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMmPerInch = 25.4;
const QSizeF kA4(210, 297);

using Random = std::mt19937;

double uniform(Random &r, double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(r);
}
bool chance(Random &r, double p) {
    return uniform(r, 0, 1) < p;
}

double shoelace(const QPolygonF &p) {
    double a = 0;
    for (int i = 0; i < p.size(); ++i) {
        const QPointF &u = p[i];
        const QPointF &v = p[(i + 1) % p.size()];
        a += u.x() * v.y() - v.x() * u.y();
    }
    return std::abs(a) / 2;
}

QPointF centroidOf(const QPolygonF &p) {
    double a = 0;
    QPointF c;
    for (int i = 0; i < p.size(); ++i) {
        const QPointF &u = p[i];
        const QPointF &v = p[(i + 1) % p.size()];
        const double cross = u.x() * v.y() - v.x() * u.y();
        a += cross;
        c += (u + v) * cross;
    }
    return c / (3 * a);
}

double perimeterOf(const QPolygonF &p) {
    double s = 0;
    for (int i = 0; i < p.size(); ++i)
        s += QLineF(p[i], p[(i + 1) % p.size()]).length();
    return s;
}

// An irregular blob as a hand fills it: a wavy round of mean radius r.
QPolygonF blob(Random &r, QPointF centre, double radius, double irregular) {
    const double a2 = uniform(r, 0, 0.25) * irregular, p2 = uniform(r, 0, 2 * kPi);
    const double a3 = uniform(r, 0, 0.12) * irregular, p3 = uniform(r, 0, 2 * kPi);
    const double a5 = uniform(r, 0, 0.06) * irregular, p5 = uniform(r, 0, 2 * kPi);
    QPolygonF p;
    constexpr int kVertices = 72;
    for (int i = 0; i < kVertices; ++i) {
        const double t = 2 * kPi * i / kVertices;
        const double k =
            1 + a2 * std::cos(2 * t + p2) + a3 * std::cos(3 * t + p3) + a5 * std::cos(5 * t + p5);
        p << centre + QPointF(std::cos(t), std::sin(t)) * radius * k;
    }
    return p;
}

// What the pencil leaves: a coverage mask (0 none .. 255 full) at the page's resolution and
// the pencil's level for each stroke drawn.
struct Pencil {
    QImage coverage;
    QImage level; // grey level of the pencil where it covers
    QTransform drawingToPage;

    QPainter *begin(QPainter &p, double levelValue, QPainter &l) {
        p.begin(&coverage);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(drawingToPage);
        l.begin(&level);
        l.setTransform(drawingToPage);
        const QColor c(static_cast<int>(levelValue), static_cast<int>(levelValue),
                       static_cast<int>(levelValue));
        l.setPen(QPen(c, 1.2));
        l.setBrush(c);
        return &p;
    }
};

void fillShape(Pencil &pencil, const QPainterPath &path, double level) {
    QPainter p, l;
    pencil.begin(p, level, l);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(path);
    // The level layer drawn a little wider, so that the coverage's edge has a level.
    l.drawPath(path);
}

void strokeShape(Pencil &pencil, const QPainterPath &path, double widthMm, double level) {
    QPainter p, l;
    pencil.begin(p, level, l);
    p.setPen(QPen(Qt::white, widthMm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    l.setPen(QPen(l.pen().color(), widthMm + 0.3, Qt::SolidLine, Qt::RoundCap));
    l.setBrush(Qt::NoBrush);
    l.drawPath(path);
}

// Where a drawing's layout is checked against the rule the groups are made by: spots of a
// group within reach of a neighbour on the Sun, groups far apart.
struct Layout {
    Ephemeris ephemeris;
    ScanFrame frame; // the drawing's millimetres as "pixels"
    HeliographicPosition at(QPointF mm) const { return scanPointAt(frame, ephemeris, mm).helio; }
};

double sphereDeg(const HeliographicPosition &a, const HeliographicPosition &b) {
    const double d = kPi / 180;
    const double c = std::sin(a.helioLatitude * d) * std::sin(b.helioLatitude * d) +
                     std::cos(a.helioLatitude * d) * std::cos(b.helioLatitude * d) *
                         std::cos((a.helioLongitude - b.helioLongitude) * d);
    return std::acos(std::clamp(c, -1.0, 1.0)) / d;
}

struct Marks {
    std::vector<CorpusSpot> spots;
    std::vector<std::pair<QPointF, double>> taken; // places (mm) and their radii kept free
    bool freeAt(QPointF mm, double radius, double gap) const {
        for (const auto &[at, r] : taken)
            if (QLineF(at, mm).length() < r + radius + gap)
                return false;
        return true;
    }
};

// The pencil of one case: groups of spots, their numbers, other writing and a smudge.
void drawPencil(Random &r, const CorpusCase &c, const Layout &layout, Pencil &pencil, Marks &marks,
                QImage &smudge) {
    const double R = c.radiusMm;
    const double baseLevel = c.darkPencil ? uniform(r, 20, 40) : uniform(r, 70, 130);
    const auto levelOf = [&] { return std::clamp(baseLevel + uniform(r, -8, 8), 10.0, 140.0); };
    std::vector<std::vector<HeliographicPosition>> groupsOnSun;
    for (int g = 0; g < c.groups; ++g) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            const double rho = R * std::sqrt(uniform(r, 0, 0.5));
            const double phi = uniform(r, 0, 2 * kPi);
            const QPointF centre(rho * std::cos(phi), rho * std::sin(phi));
            // The leader: an outline round a core or a filled blob, then smaller spots and
            // satellite dots beside it, a little apart.
            struct Planned {
                QPointF mm;
                double radius;
                bool outline;
            };
            std::vector<Planned> planned;
            // One group in five a single small spot, as most groups are when they appear.
            const bool single = chance(r, 0.2);
            const bool outlined = !single && chance(r, 0.55);
            planned.push_back({centre,
                               single     ? std::sqrt(uniform(r, 0.25, 1.0) / kPi)
                               : outlined ? uniform(r, 1.6, 2.8)
                                          : uniform(r, 0.6, 1.2),
                               outlined});
            const int more = single ? 0 : static_cast<int>(uniform(r, 0, 5));
            for (int i = 0; i < more; ++i) {
                const Planned &from = planned[static_cast<size_t>(uniform(r, 0, planned.size()))];
                const bool dot = chance(r, 0.45);
                const double radius =
                    dot ? std::sqrt(uniform(r, 0.15, 0.5) / kPi) : uniform(r, 0.45, 1.0);
                const double a = uniform(r, 0, 2 * kPi);
                const double d = from.radius + radius + uniform(r, 0.8, 2.2);
                planned.push_back({from.mm + QPointF(std::cos(a), std::sin(a)) * d, radius, false});
            }
            bool fits = true;
            std::vector<HeliographicPosition> onSun;
            for (size_t i = 0; i < planned.size() && fits; ++i) {
                const Planned &p = planned[i];
                fits = std::hypot(p.mm.x(), p.mm.y()) < 0.8 * R &&
                       marks.freeAt(p.mm, p.radius, i == 0 ? 14 : 0.8);
                for (size_t j = 0; j < i && fits; ++j)
                    fits =
                        QLineF(planned[j].mm, p.mm).length() > planned[j].radius + p.radius + 0.6;
                onSun.push_back(layout.at(p.mm));
            }
            // Every spot within 3.5 degrees of another of its group, every other group
            // farther than 12 degrees.
            for (size_t i = 1; i < onSun.size() && fits; ++i) {
                double nearest = 1e9;
                for (size_t j = 0; j < onSun.size(); ++j)
                    if (j != i)
                        nearest = std::min(nearest, sphereDeg(onSun[i], onSun[j]));
                fits = nearest < 3.5;
            }
            for (const auto &other : groupsOnSun)
                for (const auto &a : other)
                    for (const auto &b : onSun)
                        fits = fits && sphereDeg(a, b) > 12;
            if (!fits)
                continue;
            groupsOnSun.push_back(onSun);
            for (const Planned &p : planned) {
                CorpusSpot s;
                s.group = g + 1;
                s.outline = p.outline;
                const double level = levelOf();
                if (p.outline) {
                    // A hand-drawn outline, 0.2-0.35 mm wide, with up to two gaps of up to
                    // 1 mm, round a core.
                    const double width = uniform(r, 0.2, 0.35);
                    const QPolygonF line = blob(r, p.mm, p.radius - width / 2, 0.8);
                    const int gaps = static_cast<int>(uniform(r, 0, 3));
                    const QPainterPath path = gappedOutline(r, line, width, gaps);
                    strokeShape(pencil, path, width, level);
                    s.areaMm2 = shoelace(line) + perimeterOf(line) * width / 2;
                    s.mm = centroidOf(line);
                    // Its umbrae, one or (one outline in three) two, together a twenty-fifth
                    // to three tenths of the outline's area as umbrae of real spots are (about a
                    // fifth), each at least 0.3 mm².
                    const int cores = chance(r, 0.33) ? 2 : 1;
                    QPainterPath corePath;
                    corePath.setFillRule(Qt::WindingFill);
                    for (int k = 0; k < cores; ++k) {
                        const double part = std::exp(uniform(r, std::log(0.04), std::log(0.3)));
                        const double coreArea =
                            std::max(0.3, part * kPi * p.radius * p.radius / cores);
                        const double reach = cores == 1 ? 0.2 : 0.3;
                        corePath.addPolygon(blob(
                            r,
                            p.mm + QPointF(uniform(r, -reach, reach), uniform(r, -reach, reach)) *
                                       p.radius,
                            std::sqrt(coreArea / kPi), 1));
                    }
                    fillShape(pencil, corePath, level);
                } else {
                    const QPolygonF shape = blob(r, p.mm, p.radius, p.radius > 0.5 ? 1 : 0.3);
                    QPainterPath path;
                    path.addPolygon(shape);
                    fillShape(pencil, path, level);
                    s.areaMm2 = shoelace(shape);
                    s.mm = centroidOf(shape);
                }
                s.radiusMm = std::sqrt(s.areaMm2 / kPi);
                marks.spots.push_back(s);
                marks.taken.emplace_back(p.mm, p.radius);
            }
            break;
        }
    }
    // Writing: each group's number beside it, then a cross, an arrow, a letter and a number
    // somewhere on the disk; strokes of even width.
    const auto placeFree = [&](double radius, QPointF near, double from, double to) {
        for (int attempt = 0; attempt < 300; ++attempt) {
            const double a = uniform(r, 0, 2 * kPi);
            const QPointF at = near + QPointF(std::cos(a), std::sin(a)) * uniform(r, from, to);
            if (std::hypot(at.x(), at.y()) < 0.85 * R - radius && marks.freeAt(at, radius, 2.5))
                return std::optional<QPointF>(at);
        }
        return std::optional<QPointF>();
    };
    const auto write = [&](const QString &text, QPointF at, double heightMm) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(100);
        QPainterPath glyphs;
        glyphs.addText(0, 0, font, text);
        const QRectF box = glyphs.boundingRect();
        QTransform t;
        t.translate(at.x(), at.y());
        t.rotate(uniform(r, -15, 15));
        t.scale(heightMm / box.height(), heightMm / box.height());
        t.translate(-box.center().x(), -box.center().y());
        fillShape(pencil, t.map(glyphs), levelOf());
        marks.taken.emplace_back(at, heightMm * 0.5 * std::max(1.0, box.width() / box.height()));
    };
    const int drawnGroups = marks.spots.empty() ? 0 : marks.spots.back().group;
    for (int g = 1; g <= drawnGroups; ++g) {
        QPointF leader;
        for (const CorpusSpot &s : marks.spots)
            if (s.group == g) {
                leader = s.mm;
                break;
            }
        if (const auto at = placeFree(2.5, leader, 6, 9))
            write(QString::number(g), *at, uniform(r, 3, 4.5));
    }
    if (c.groups > 0) {
        if (const auto at = placeFree(2.5, {}, 0, R)) {
            QPainterPath cross;
            const double a = uniform(r, 0, 90) * kPi / 180;
            const QPointF u(std::cos(a), std::sin(a)), v(-u.y(), u.x());
            cross.moveTo(*at - u * 2);
            cross.lineTo(*at + u * 2);
            cross.moveTo(*at - v * 2);
            cross.lineTo(*at + v * 2);
            strokeShape(pencil, cross, uniform(r, 0.25, 0.4), levelOf());
            marks.taken.emplace_back(*at, 2.2);
        }
        if (const auto at = placeFree(3.5, {}, 0, R)) {
            QPainterPath arrow;
            const double a = uniform(r, 0, 2 * kPi);
            const QPointF u(std::cos(a), std::sin(a)), v(-u.y(), u.x());
            arrow.moveTo(*at - u * 3);
            arrow.lineTo(*at + u * 3);
            arrow.lineTo(*at + u * 2 + v * 0.9);
            arrow.moveTo(*at + u * 3);
            arrow.lineTo(*at + u * 2 - v * 0.9);
            strokeShape(pencil, arrow, uniform(r, 0.25, 0.4), levelOf());
            marks.taken.emplace_back(*at, 3.5);
        }
        const QStringList words = {QStringLiteral("A"), QStringLiteral("p"), QStringLiteral("12"),
                                   QStringLiteral("N"), QStringLiteral("8"), QStringLiteral("f")};
        for (int i = 0; i < 2; ++i)
            if (const auto at = placeFree(3, {}, 0, R))
                write(words[static_cast<int>(uniform(r, 0, words.size()))], *at, uniform(r, 3, 5));
        // An eraser's smudge: a soft grey of 15-45 levels, 3-8 mm, rubbed along a direction.
        if (const auto at = placeFree(4, {}, 0, R)) {
            QPainter p(&smudge);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(pencil.drawingToPage);
            p.translate(*at);
            p.rotate(uniform(r, 0, 180));
            const double length = uniform(r, 3, 8);
            QRadialGradient soft(QPointF(), length / 2);
            const int darkness = static_cast<int>(uniform(r, 15, 45));
            soft.setColorAt(0, QColor(darkness, darkness, darkness));
            soft.setColorAt(1, QColor(0, 0, 0));
            p.scale(1, uniform(r, 0.4, 0.8));
            p.setPen(Qt::NoPen);
            p.setBrush(soft);
            p.drawEllipse(QPointF(), length / 2, length / 2);
            marks.taken.emplace_back(*at, length / 2);
        }
    }
}

// The sheet as a printer prints it at `dpi`: rendered at twice the resolution (at most 1200
// dpi), with or without anti-aliasing, its ink heavier or lighter, its tone, then taken to
// the page's pixels. Reflectance 0..1.
cv::Mat printedSheet(const SheetModel &model, int dpi, const CorpusPrint &print, QSize page) {
    const int fine = print.strokeAdjust ? dpi * 3 : (dpi * 2 <= 1200 ? dpi * 2 : dpi);
    QImage rendered = renderSheet(model, fine);
    cv::Mat m(rendered.height(), rendered.width(), CV_8UC1, rendered.bits(),
              static_cast<size_t>(rendered.bytesPerLine()));
    cv::Mat levels = m.clone();
    if (!print.antialiased) {
        // A rasteriser without anti-aliasing: a pixel is the ink's colour or paper.
        const uchar grid = static_cast<uchar>(sheetGridColour().red());
        levels.forEach<uchar>([grid](uchar &v, const int *) {
            v = v > (255 + grid) / 2 ? 255 : (v < grid / 2 ? 0 : grid);
        });
    }
    if (print.inkGainPx > 0)
        cv::erode(levels, levels, cv::Mat(), {-1, -1}, print.inkGainPx);
    else if (print.inkGainPx < 0)
        cv::dilate(levels, levels, cv::Mat(), {-1, -1}, -print.inkGainPx);
    if (print.strokeAdjust) {
        cv::Mat darkest;
        cv::erode(levels, darkest, cv::Mat::ones(3, 3, CV_8U), {0, 0});
        cv::resize(darkest, levels, cv::Size(page.width(), page.height()), 0, 0, cv::INTER_NEAREST);
    }
    cv::Mat reflect;
    levels.convertTo(reflect, CV_32F, 1 / 255.0);
    cv::pow(reflect, print.gamma, reflect);
    cv::Mat out;
    cv::resize(reflect, out, cv::Size(page.width(), page.height()), 0, 0, cv::INTER_AREA);
    return out;
}

} // namespace

QPainterPath gappedOutline(Random &random, const QPolygonF &line, double widthMm, int gaps) {
    // As drawPencil cuts its outlines: each gap, between the round ends of the stroke, is
    // 0.3-1 mm, cut where it falls on the line (not at the nearest vertex), and two gaps keep
    // at least 1 mm of stroke between them (overlapping, they made one gap of up to 2 mm).
    std::vector<std::pair<double, double>> cut;
    const double perimeter = perimeterOf(line);
    for (int k = 0; k < gaps; ++k) {
        double at = uniform(random, 0, perimeter);
        const double length = uniform(random, 0.3, 1.0) + widthMm;
        for (const auto &[from, to] : cut)
            if (at < to + 1 && at + length > from - 1)
                at = std::fmod(from + perimeter / 2, perimeter);
        cut.emplace_back(at, at + length);
    }
    const auto inGap = [&](double run) {
        for (const auto &[from, to] : cut)
            if ((run > from && run < to) || (run + perimeter > from && run + perimeter < to))
                return true;
        return false;
    };
    // The line's vertices and the gaps' ends, in the order of the run along the line.
    std::vector<std::pair<double, QPointF>> points;
    double run = 0;
    for (int i = 0; i < line.size(); ++i) {
        const QPointF a = line[i], b = line[(i + 1) % line.size()];
        const double edge = QLineF(a, b).length();
        points.emplace_back(run, a);
        for (const auto &[from, to] : cut)
            for (double end : {from, to, from - perimeter, to - perimeter})
                if (end > run && end < run + edge)
                    points.emplace_back(end, a + (b - a) * ((end - run) / edge));
        run += edge;
    }
    std::sort(points.begin(), points.end(),
              [](const auto &x, const auto &y) { return x.first < y.first; });
    points.emplace_back(perimeter, line[0]);
    QPainterPath path;
    bool drawing = false;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const auto &[at, v] = points[i];
        const double middle = (at + points[i + 1].first) / 2;
        if (inGap(middle)) {
            drawing = false;
            continue;
        }
        if (!drawing)
            path.moveTo(v);
        path.lineTo(points[i + 1].second);
        drawing = true;
    }
    return path;
}

std::vector<CorpusCase> scanCorpus(uint32_t salt) {
    std::vector<CorpusCase> cases;
    const auto add = [&](QString name, bool plain, int dpi, double turn, auto tweak) {
        CorpusCase c;
        c.name = std::move(name);
        // The seed from the name (FNV-1a), so that adding a case changes no other.
        uint32_t seed = 2166136261u;
        for (const QChar ch : c.name)
            seed = (seed ^ ch.unicode()) * 16777619u;
        c.seed = seed ^ (salt * 2654435761u);
        c.plain = plain;
        c.scan.dpi = dpi;
        c.scan.turnDeg = turn;
        tweak(c);
        cases.push_back(c);
    };
    const auto none = [](CorpusCase &) {};
    // Blank sheets as rasterisers and scanners give them.
    for (int dpi : {100, 150, 200, 300, 600})
        add(QStringLiteral("blank %1 dpi").arg(dpi), false, dpi, 0,
            [](CorpusCase &c) { c.blank = true; });
    add(QStringLiteral("blank 300 no-aa"), false, 300, 0, [](CorpusCase &c) {
        c.blank = true;
        c.print.antialiased = false;
    });
    add(QStringLiteral("blank 150 no-aa turned"), false, 150, 2.5, [](CorpusCase &c) {
        c.blank = true;
        c.print.antialiased = false;
    });
    add(QStringLiteral("blank 200 colour jpeg60"), false, 200, -1.5, [](CorpusCase &c) {
        c.blank = true;
        c.scan.colour = true;
        c.scan.paperLevel = 228;
        c.scan.jpegQuality = 60;
        c.scan.noise = 3;
    });
    add(QStringLiteral("blank 300 heavy ink, blur"), false, 300, 180, [](CorpusCase &c) {
        c.blank = true;
        c.print.inkGainPx = 1;
        c.print.gamma = 1.4;
        c.scan.blurPx = 1.2;
    });
    for (int dpi : {75, 150, 200, 300})
        add(QStringLiteral("blank %1 adjusted").arg(dpi), false, dpi, dpi == 200 ? 1.2 : 0,
            [](CorpusCase &c) {
                c.blank = true;
                c.print.strokeAdjust = true;
            });
    add(QStringLiteral("blank A3 R125 150"), false, 150, 0, [](CorpusCase &c) {
        c.blank = true;
        c.radiusMm = 125;
    });
    // Drawn sheets.
    add(QStringLiteral("sheet 150 grey adjusted"), false, 150, 0,
        [](CorpusCase &c) { c.print.strokeAdjust = true; });
    add(QStringLiteral("sheet 200 grey turned"), false, 200, 3, [](CorpusCase &c) {
        c.scan.noise = 3;
        c.scan.jpegQuality = 80;
    });
    add(QStringLiteral("sheet 300 grey jpeg70"), false, 300, -2, [](CorpusCase &c) {
        c.scan.noise = 4;
        c.scan.jpegQuality = 70;
    });
    add(QStringLiteral("sheet 300 dark no-aa"), false, 300, 0.7, [](CorpusCase &c) {
        c.darkPencil = true;
        c.print.antialiased = false;
    });
    add(QStringLiteral("sheet 150 upside down"), false, 150, 180, [](CorpusCase &c) {
        c.print.strokeAdjust = true;
        c.scan.noise = 3;
        c.scan.jpegQuality = 75;
    });
    add(QStringLiteral("sheet 200 sideways tint"), false, 200, 90, [](CorpusCase &c) {
        c.scan.colour = true;
        c.scan.paperLevel = 225;
        c.scan.unevenLight = 0.12;
    });
    add(QStringLiteral("sheet 300 shadow crease"), false, 300, -90, [](CorpusCase &c) {
        c.scan.shadowBand = true;
        c.scan.crease = true;
        c.scan.noise = 3;
        c.scan.jpegQuality = 85;
    });
    add(QStringLiteral("sheet 100 blur"), false, 100, 1, [](CorpusCase &c) {
        c.scan.blurPx = 0.6;
        c.scan.noise = 2;
    });
    add(QStringLiteral("sheet 400 heavy ink"), false, 400, -3, [](CorpusCase &c) {
        c.print.inkGainPx = 1;
        c.print.gamma = 1.3;
        c.scan.blurPx = 1;
    });
    add(QStringLiteral("sheet 600 light ink"), false, 600, 0.3, [](CorpusCase &c) {
        c.print.inkGainPx = -1;
        c.scan.noise = 4;
        c.scan.jpegQuality = 90;
    });
    add(QStringLiteral("sheet A3 R125 150 dark"), false, 150, -0.5, [](CorpusCase &c) {
        c.radiusMm = 125;
        c.darkPencil = true;
        c.groups = 7;
    });
    add(QStringLiteral("sheet 200 6 groups uneven"), false, 200, 179, [](CorpusCase &c) {
        c.print.strokeAdjust = true;
        c.groups = 6;
        c.scan.unevenLight = 0.2;
        c.scan.paperLevel = 232;
    });
    // Plain paper with a hand-drawn circle.
    add(QStringLiteral("plain 150 grey"), true, 150, 2, none);
    add(QStringLiteral("plain 300 dark jpeg65"), true, 300, -4, [](CorpusCase &c) {
        c.darkPencil = true;
        c.scan.noise = 4;
        c.scan.jpegQuality = 65;
    });
    add(QStringLiteral("plain 200 tint shadow"), true, 200, 180, [](CorpusCase &c) {
        c.scan.colour = true;
        c.scan.paperLevel = 222;
        c.scan.shadowBand = true;
    });
    add(QStringLiteral("plain blank 150"), true, 150, 0, [](CorpusCase &c) { c.blank = true; });
    // Photos.
    add(QStringLiteral("photo sheet tilt 6"), false, 150, 0, [](CorpusCase &c) {
        c.scan.tiltDeg = 6;
        c.scan.barrel = 0.02;
        c.scan.unevenLight = 0.15;
        c.scan.noise = 4;
        c.scan.jpegQuality = 85;
    });
    add(QStringLiteral("photo sheet tilt 8 turned"), false, 150, 90, [](CorpusCase &c) {
        c.scan.tiltDeg = 8;
        c.scan.barrel = 0.03;
        c.scan.noise = 4;
        c.scan.jpegQuality = 80;
    });
    add(QStringLiteral("photo plain tilt 5"), true, 150, 180, [](CorpusCase &c) {
        c.scan.tiltDeg = 5;
        c.scan.barrel = 0.02;
        c.scan.noise = 4;
        c.scan.jpegQuality = 85;
    });
    return cases;
}

CorpusDrawing makeCorpusDrawing(const CorpusCase &c) {
    Random random(c.seed);
    CorpusDrawing d;
    d.date = CalendarDate{2005, 6, 15};
    d.timeUT = 1030;
    d.radiusMm = c.radiusMm;
    const double k = c.scan.dpi / kMmPerInch;

    SheetModel model;
    QSizeF paperMm = kA4;
    QTransform drawingToPage; // mm from the disk's centre to page pixels (centres at halves)
    if (!c.plain) {
        SheetSettings s;
        s.date = d.date;
        s.timeUT = d.timeUT;
        s.radiusMm = c.radiusMm;
        model = buildSheetModel(s);
        paperMm = paperSizeMm(*model.paper);
        drawingToPage = QTransform::fromTranslate(model.centre.x() + kSheetMarginMm,
                                                  model.centre.y() + kSheetMarginMm) *
                        QTransform::fromScale(k, k);
    } else {
        drawingToPage = QTransform::fromTranslate(paperMm.width() / 2, paperMm.height() / 2) *
                        QTransform::fromScale(k, k);
    }
    const QSize page(qRound(paperMm.width() * k), qRound(paperMm.height() * k));

    // The paper's reflectance: the print, or a hand-drawn circle, a north mark and an axis.
    cv::Mat reflect = c.plain ? cv::Mat(page.height(), page.width(), CV_32F, cv::Scalar(1.0f))
                              : printedSheet(model, c.scan.dpi, c.print, page);
    Pencil pencil{QImage(page, QImage::Format_Grayscale8), QImage(page, QImage::Format_Grayscale8),
                  drawingToPage};
    pencil.coverage.fill(0);
    pencil.level.fill(255);
    QImage smudge(page, QImage::Format_Grayscale8);
    smudge.fill(0);
    if (c.plain) {
        QPainterPath circle;
        const double p1 = uniform(random, 0, 2 * kPi), p3 = uniform(random, 0, 2 * kPi);
        for (int i = 0; i <= 720; ++i) {
            const double t = 2 * kPi * i / 720;
            // A first harmonic of the wavering is a shifted circle: the observer aligns the
            // projected Sun with the circle as drawn, so the shift is taken back out (the
            // spots lie about the drawn circle's own centre).
            const double rr = c.radiusMm + 0.2 * std::sin(t + p1) + 0.1 * std::sin(3 * t + p3);
            const QPointF p = QPointF(rr * std::cos(t), rr * std::sin(t)) -
                              0.2 * QPointF(std::sin(p1), std::cos(p1));
            i == 0 ? circle.moveTo(p) : circle.lineTo(p);
        }
        strokeShape(pencil, circle, 0.4, 80);
        QPainterPath marksPath;
        marksPath.moveTo(0, -c.radiusMm + 4);
        marksPath.lineTo(0, -c.radiusMm - 4);
        strokeShape(pencil, marksPath, 0.35, 80);
    }
    Layout layout{solarEphemeris(d.date, d.timeUT),
                  ScanFrame{QPointF(), c.radiusMm, 0, 1, 1, c.radiusMm}};
    Marks marks;
    if (!c.blank)
        drawPencil(random, c, layout, pencil, marks, smudge);
    d.spots = marks.spots;
    d.groups = d.spots.empty() ? 0 : d.spots.back().group;

    // Graphite: its level with grain (paper's tooth shows through here and there).
    const double paper = c.scan.paperLevel;
    std::normal_distribution<double> grain(0, c.darkPencil ? 8 : 15);
    for (int y = 0; y < page.height(); ++y) {
        const uchar *cov = pencil.coverage.constScanLine(y);
        const uchar *lev = pencil.level.constScanLine(y);
        const uchar *sm = smudge.constScanLine(y);
        float *out = reflect.ptr<float>(y);
        for (int x = 0; x < page.width(); ++x) {
            double v = out[x] * (1 - sm[x] / 240.0);
            if (cov[x]) {
                double level = lev[x] + grain(random);
                if (chance(random, 0.06))
                    level += uniform(random, 30, 90);
                const double pencilReflect = std::clamp(level / 240, 0.0, 1.0);
                v *= 1 - cov[x] / 255.0 * (1 - pencilReflect);
            }
            out[x] = static_cast<float>(v);
        }
    }

    // The scanner's or the camera's geometry: the page turned, or photographed tilted with
    // barrel distortion, on the glass or on a table.
    const bool photo = c.scan.tiltDeg > 0;
    const QPointF pageMiddle(page.width() / 2.0, page.height() / 2.0);
    QTransform turn = QTransform::fromTranslate(-pageMiddle.x(), -pageMiddle.y()) *
                      QTransform().rotate(c.scan.turnDeg);
    const QRectF turnedBox = turn.mapRect(QRectF(0, 0, page.width(), page.height()));
    const double margin = (photo ? 15 : 3) * k;
    const QSize out(static_cast<int>(turnedBox.width() + 2 * margin),
                    static_cast<int>(turnedBox.height() + 2 * margin));
    turn *= QTransform::fromTranslate(out.width() / 2.0, out.height() / 2.0);
    QTransform pageToImage = turn;
    if (photo) {
        // The far edge (the image's top) narrower: a trapezoid of the tilt.
        const QRectF box = turn.mapRect(QRectF(0, 0, page.width(), page.height()));
        const double shrink = std::sin(c.scan.tiltDeg * kPi / 180) * 1.6 * box.width() / 2;
        QPolygonF from, to;
        from << box.topLeft() << box.topRight() << box.bottomRight() << box.bottomLeft();
        to << box.topLeft() + QPointF(shrink, shrink * 0.6)
           << box.topRight() + QPointF(-shrink, shrink * 0.6) << box.bottomRight()
           << box.bottomLeft();
        QTransform tilt;
        QTransform::quadToQuad(from, to, tilt);
        pageToImage = turn * tilt;
    }
    const QPointF imageMiddle(out.width() / 2.0, out.height() / 2.0);
    const double corner2 = QPointF::dotProduct(imageMiddle, imageMiddle);
    const double barrel = c.scan.barrel;
    // Barrel distortion: the undistorted point u of an image point p is p pushed outwards.
    const auto undistort = [=](QPointF p) {
        const QPointF v = p - imageMiddle;
        return imageMiddle + v * (1 + barrel * QPointF::dotProduct(v, v) / corner2);
    };
    const auto distort = [=](QPointF u) {
        QPointF p = u;
        for (int i = 0; i < 20; ++i) {
            const QPointF v = p - imageMiddle;
            p = imageMiddle +
                (u - imageMiddle) / (1 + barrel * QPointF::dotProduct(v, v) / corner2);
        }
        return p;
    };
    d.drawingToImage = [=](QPointF mm) {
        return distort(pageToImage.map(drawingToPage.map(mm))) + QPointF(-0.5, -0.5);
    };
    const QTransform imageToPage = pageToImage.inverted();
    cv::Mat mapX(out.height(), out.width(), CV_32F), mapY(out.height(), out.width(), CV_32F);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QPointF p = imageToPage.map(undistort(QPointF(x + 0.5, y + 0.5)));
            mapX.at<float>(y, x) = static_cast<float>(p.x() - 0.5);
            mapY.at<float>(y, x) = static_cast<float>(p.y() - 0.5);
        }
    cv::Mat image;
    const float background = photo ? 0.35f : 1.0f; // a table, or the scanner's white lid
    cv::remap(reflect, image, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_CONSTANT,
              cv::Scalar(background));

    // The light: uneven across the page, a shadow band, a crease.
    const double tx = uniform(random, -1, 1), ty = uniform(random, -1, 1);
    const double creaseAngle = uniform(random, 0, kPi);
    const QPointF creaseAt = d.drawingToImage(QPointF(uniform(random, -20, 20), 0));
    const bool bandLeft = chance(random, 0.5);
    for (int y = 0; y < image.rows; ++y) {
        float *row = image.ptr<float>(y);
        for (int x = 0; x < image.cols; ++x) {
            double light = 1;
            const double u = (x - imageMiddle.x()) / image.cols,
                         v = (y - imageMiddle.y()) / image.rows;
            light -= c.scan.unevenLight * (0.5 + tx * u + ty * v + u * u);
            if (c.scan.shadowBand) {
                // A book's gutter: dark along one side, fading over 40 mm.
                const double from = (bandLeft ? x : image.cols - 1 - x) / k;
                light *= 1 - 0.45 * std::exp(-from / 22);
            }
            if (c.scan.crease) {
                const double across = ((x - creaseAt.x()) * std::sin(creaseAngle) -
                                       (y - creaseAt.y()) * std::cos(creaseAngle)) /
                                      k;
                light *= 1 - 0.12 * std::exp(-across * across / 0.08) +
                         0.04 * std::exp(-(across - 0.8) * (across - 0.8) / 0.3);
            }
            row[x] = static_cast<float>(row[x] * light * paper / 255.0);
        }
    }
    if (c.scan.blurPx > 0)
        cv::GaussianBlur(image, image, cv::Size(), c.scan.blurPx);
    if (c.scan.noise > 0) {
        cv::Mat noise(image.size(), CV_32F);
        cv::setRNGSeed(static_cast<int>(c.seed));
        cv::randn(noise, 0, c.scan.noise / 255.0);
        image += noise;
    }
    cv::Mat bytes;
    image.convertTo(bytes, CV_8U, 255);
    QImage result(bytes.cols, bytes.rows, QImage::Format_Grayscale8);
    for (int y = 0; y < bytes.rows; ++y)
        std::copy_n(bytes.ptr<uchar>(y), bytes.cols, result.scanLine(y));
    if (c.scan.colour) {
        // Cream paper in colour: the pencil and print grey, the paper yellower.
        QImage colour(result.size(), QImage::Format_RGB32);
        for (int y = 0; y < result.height(); ++y) {
            const uchar *g = result.constScanLine(y);
            QRgb *o = reinterpret_cast<QRgb *>(colour.scanLine(y));
            for (int x = 0; x < result.width(); ++x) {
                const double share = g[x] / paper;
                o[x] = qRgb(std::min(255, g[x] + static_cast<int>(12 * share)), g[x],
                            std::max(0, g[x] - static_cast<int>(30 * share)));
            }
        }
        result = colour;
    }
    if (c.scan.jpegQuality >= 0) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        result.save(&buffer, "JPG", c.scan.jpegQuality);
        result = QImage::fromData(jpeg, "JPG");
    }
    d.image = result.convertToFormat(QImage::Format_Grayscale8);
    // North (the drawing's top) in the image: where the point above the centre lies.
    const QPointF centre = d.drawingToImage(QPointF());
    const QPointF north = d.drawingToImage(QPointF(0, -c.radiusMm));
    d.northAngleDeg = std::atan2(north.x() - centre.x(), -(north.y() - centre.y())) * 180 / kPi;
    return d;
}

} // namespace orvanek::bench
