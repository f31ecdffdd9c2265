// orvanek-cli scan: a scanned drawing registered, and the places of points given in its
// pixels, as a click in the scan window would fill them; or the spots drawn on it and the
// groups they are proposed in.
#include "cli/entrycommands.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "scan/scanimage.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>

#include <cmath>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "ScanCommand".
struct ScanCommandTexts {
    Q_DECLARE_TR_FUNCTIONS(ScanCommand)
};

// The largest radius and the widest angle an option takes.
constexpr double kLargestRadiusOption = 1000; // mm
constexpr double kFullTurn = 360;

// Decimals: pixels and the turn with two, and a place one more than the entry dialog shows
// (angle, distance, l and b to a tenth there).
constexpr int kPixelDecimals = 2;
constexpr int kPlaceDecimals = 2;
constexpr int kScaleDecimals = 3;
constexpr int kAreaDecimals = 2; // mm², the entry dialog takes whole ones

QString fixed(double value, int decimals) {
    // No "-0.00" for a value that rounds to nothing.
    const QString text = QString::number(value, 'f', decimals);
    return text.startsWith(u'-') && text.mid(1).remove(u'0').remove(u'.').isEmpty() ? text.mid(1)
                                                                                    : text;
}

std::optional<double> numberOption(const QString &text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// "X,Y" in image pixels.
std::optional<QPointF> pointOption(const QString &text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    const auto x = numberOption(parts[0]);
    const auto y = numberOption(parts[1]);
    return x && y ? std::optional<QPointF>(QPointF(*x, *y)) : std::nullopt;
}

// The spots, by group and round the disk within it, then the groups:
//     spot;group;x;y;angle;distance;areaMm2;latitude;longitude
//     group;spots;penumbrae;angle;distance;areaMm2;latitude;longitude
void printSpots(CommandContext &c, const QImage &image, const ScanRegistration &reg,
                const Ephemeris &e) {
    std::vector<FoundSpot> spots = findSpots(image, reg);
    groupSpots(spots, reg.frame, e);
    const std::vector<SpotGroup> groups = spotGroups(spots, reg.frame, e);
    std::vector<std::pair<FoundSpot, ScanPoint>> placed;
    for (const FoundSpot &s : spots)
        placed.emplace_back(s, scanPointAt(reg.frame, e, s.pixel));
    std::stable_sort(placed.begin(), placed.end(), [](const auto &a, const auto &b) {
        return a.first.group != b.first.group ? a.first.group < b.first.group
                                              : a.second.place.angleDeg < b.second.place.angleDeg;
    });
    const auto place = [](const DrawingPlace &p, double area, const HeliographicPosition &h) {
        return QStringList{fixed(p.angleDeg, kPlaceDecimals), fixed(p.distanceMm, kPlaceDecimals),
                           fixed(area, kAreaDecimals), fixed(h.helioLatitude, kPlaceDecimals),
                           fixed(h.helioLongitude, kPlaceDecimals)};
    };
    for (const auto &[s, point] : placed)
        c.out.row(QStringList{QStringLiteral("spot"), QString::number(s.group),
                              fixed(s.pixel.x(), kPixelDecimals),
                              fixed(s.pixel.y(), kPixelDecimals)} +
                  place(point.place, s.areaMm2, point.helio));
    for (const SpotGroup &g : groups)
        c.out.row(QStringList{QStringLiteral("group"), QString::number(g.spots),
                              QString::number(g.penumbrae)} +
                  place(g.place, g.areaMm2, g.helio));
}

// A row for each point given, as a click there would place it; a point beyond the limb is a
// data problem.
int placePoints(CommandContext &c, const ScanFrame &f, const Ephemeris &e,
                const QList<QPointF> &points) {
    int status = CliOk;
    for (const QPointF &p : points) {
        const ScanPoint point = scanPointAt(f, e, p);
        QStringList row{QStringLiteral("at"), QString::number(p.x()), QString::number(p.y()),
                        fixed(point.place.angleDeg, kPlaceDecimals),
                        fixed(point.place.distanceMm, kPlaceDecimals)};
        if (point.onDisk) {
            row << fixed(point.helio.helioLatitude, kPlaceDecimals)
                << fixed(point.helio.helioLongitude, kPlaceDecimals);
        } else {
            row << QString() << QString();
            c.out.warn(
                ScanCommandTexts::tr("Bod %1,%2 leží mimo kotouč (%3 mm od středu, poloměr %4 mm).")
                    .arg(QString::number(p.x()), QString::number(p.y()),
                         fixed(point.place.distanceMm, 1), QString::number(f.radiusMm)));
            status = CliDataProblem;
        }
        c.out.row(row);
    }
    return status;
}

} // namespace

int commandScan(CommandContext &c) {
    const QCommandLineParser &o = c.options;
    ScanOptions options;
    const bool hasDate = o.isSet(QStringLiteral("date"));
    if (hasDate != o.isSet(QStringLiteral("time")))
        return c.out.fail(CliUsage, ScanCommandTexts::tr("--date a --time se zadávají spolu"));
    if (hasDate) {
        const QString dateText = o.value(QStringLiteral("date"));
        options.date = parseDate(dateText, QDate::currentDate().year());
        if (!options.date)
            return c.out.fail(CliUsage,
                              ScanCommandTexts::tr("„%1“ není datum DD.MM.RRRR").arg(dateText));
        const QString timeText = o.value(QStringLiteral("time"));
        options.timeUT = parseSheetTime(timeText);
        if (!options.timeUT)
            return c.out.fail(CliUsage, ScanCommandTexts::tr("„%1“ není čas HHMM").arg(timeText));
    }
    if (o.isSet(QStringLiteral("radius"))) {
        options.radiusMm = numberOption(o.value(QStringLiteral("radius")));
        if (!options.radiusMm || !(*options.radiusMm > 0) ||
            *options.radiusMm > kLargestRadiusOption)
            return c.out.fail(CliUsage, ScanCommandTexts::tr("--radius: „%1“ není poloměr v mm")
                                            .arg(o.value(QStringLiteral("radius"))));
    }
    if (o.isSet(QStringLiteral("north-angle"))) {
        options.northAngleDeg = numberOption(o.value(QStringLiteral("north-angle")));
        if (!options.northAngleDeg || std::abs(*options.northAngleDeg) > kFullTurn)
            return c.out.fail(CliUsage,
                              ScanCommandTexts::tr("--north-angle: „%1“ není úhel ve stupních")
                                  .arg(o.value(QStringLiteral("north-angle"))));
    }
    options.mirrorX = o.isSet(QStringLiteral("mirror-x"));
    options.mirrorY = o.isSet(QStringLiteral("mirror-y"));
    QList<QPointF> points;
    for (const QString &text : o.values(QStringLiteral("at"))) {
        const auto point = pointOption(text);
        if (!point)
            return c.out.fail(CliUsage,
                              ScanCommandTexts::tr("--at: „%1“ není bod X,Y v pixelech").arg(text));
        points << *point;
    }

    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    if (store.hasDrawingSetup())
        options.fallbackRadiusMm = store.drawingRadius();
    QString problem;
    const QImage image = readScanImage(c.args.first(), &problem);
    if (image.isNull())
        return c.out.fail(CliDataProblem, problem);
    // A point off the image is no place on the drawing: refused before anything is computed.
    for (qsizetype k = 0; k < points.size(); ++k)
        if (!QRectF(QPointF(0, 0), QSizeF(image.size())).contains(points[k]))
            return c.out.fail(CliUsage, ScanCommandTexts::tr("--at: bod %1 leží mimo obrázek "
                                                             "(%2 × %3 bodů)")
                                            .arg(inputExcerpt(o.values(QStringLiteral("at"))[k]))
                                            .arg(image.width())
                                            .arg(image.height()));
    const ScanRegistration reg = registerScan(image, options);
    if (!reg.registered())
        return c.out.fail(
            CliDataProblem,
            ScanCommandTexts::tr("Na obrázku %1 není nalezen okraj kotouče.").arg(c.args.first()));
    if (!reg.hasMoment())
        return c.out.fail(
            CliDataProblem,
            ScanCommandTexts::tr(
                "Obrázek %1 nemá kód šablony: zadejte okamžik volbami --date a --time.")
                .arg(c.args.first()));
    for (const QString &text : scanDisagreements(reg, options))
        c.out.warn(ScanCommandTexts::tr("Pozor: %1; platí volba.").arg(text));

    const ScanFrame &f = reg.frame;
    const Ephemeris e = solarEphemeris(*reg.date, *reg.timeUT);
    if (o.isSet(QStringLiteral("spots"))) {
        // The sheet is rendered (its texts too) to be left out of the pencil.
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return c.out.fail(CliDataProblem, QCoreApplication::translate(
                                                  "Cli", "kreslení potřebuje grafickou aplikaci"));
        printSpots(c, image, reg, e);
        return placePoints(c, f, e, points);
    }
    const auto flag = [](int orient) {
        return orient < 0 ? QStringLiteral("1") : QStringLiteral("0");
    };
    // clang-format off
    const std::pair<const char *, QString> rows[] = {
        {"moment", shortDate(*reg.date) + u' ' + formatTimeUT(*reg.timeUT, u"hhnn")},
        {"momentFrom", reg.momentFromCode ? QStringLiteral("code") : QStringLiteral("options")},
        {"radius", QString::number(f.radiusMm)},
        {"mirrorX", flag(f.orientX)},
        {"mirrorY", flag(f.orientY)},
        {"limbX", fixed(f.centre.x(), kPixelDecimals)},
        {"limbY", fixed(f.centre.y(), kPixelDecimals)},
        {"limbRadius", fixed(f.radiusPx, kPixelDecimals)},
        {"turn", fixed(f.turnDeg, kPixelDecimals)},
        {"dotsPerMm", fixed(f.dotsPerMm(), kScaleDecimals)},
    };
    // clang-format on
    c.out.row({QStringLiteral("field"), QStringLiteral("value")});
    for (const auto &[name, value] : rows)
        c.out.row({QString::fromLatin1(name), value});

    return placePoints(c, f, e, points);
}

} // namespace orvanek
