#include "scan/scanentry.h"

#include "data/numberformat.h"
#include "entry/entryform.h"
#include "solar/rounding.h"

#include <QCoreApplication>

#include <cmath>
#include <numbers>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "ScanEntry".
struct ScanEntryTexts {
    Q_DECLARE_TR_FUNCTIONS(ScanEntry)
};

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr int kTenthsPerTurn = 3600;

// A value to a tenth, as typed ("12.3"); ties to even, as the program rounds.
QString tenths(double value) {
    return formatNumber(roundHalfEven(value * 10) / 10, "0.0");
}

// How far towards the observer b, l lies: below 0 on the far side (the commit's test), where
// a typed row has no place on the drawing.
double depth(const Ephemeris &e, double b, double l) {
    return std::cos(b * kRadPerDeg) * std::cos(e.B0 * kRadPerDeg) *
               std::cos((l - e.L0) * kRadPerDeg) +
           std::sin(b * kRadPerDeg) * std::sin(e.B0 * kRadPerDeg);
}

std::optional<double> number(const QString &text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

ScanFill scanFill(const ScanFrame &frame, const std::optional<Ephemeris> &ephemeris, QPointF pixel,
                  bool heliographicEntry, double drawingRadiusMm) {
    ScanFill fill;
    const DrawingPlace place = drawingPlaceAt(frame, pixel);
    // On the data set's drawing: the same part of the radius as on the scanned one.
    const double distance = place.distanceMm / frame.radiusMm * drawingRadiusMm;
    const bool beyond = roundHalfEven(distance * 10) > roundHalfEven(drawingRadiusMm * 10);
    if (heliographicEntry) {
        if (beyond) {
            fill.refusal =
                ScanEntryTexts::tr("Bod leží za okrajem kotouče, na odvrácené straně Slunce.");
        } else if (!ephemeris) {
            fill.refusal =
                ScanEntryTexts::tr("Bez okamžiku zákresu nelze určit l a b: zadejte datum a čas.");
        } else {
            const HeliographicPosition h = scanPointAt(frame, *ephemeris, pixel).helio;
            fill.first = tenths(h.helioLongitude);
            fill.second = tenths(h.helioLatitude);
            fill.accepted = true;
        }
        return fill;
    }
    if (beyond) {
        fill.refusal =
            ScanEntryTexts::tr("Bod leží mimo kotouč: %1 mm od středu, poloměr je %2 mm.")
                .arg(tenths(distance), formatNumber(drawingRadiusMm, "0.#"));
        return fill;
    }
    const long angle = static_cast<long>(roundHalfEven(place.angleDeg * 10)) % kTenthsPerTurn;
    fill.first = tenths(angle / 10.0);
    fill.second = tenths(distance);
    fill.accepted = true;
    return fill;
}

std::optional<QPointF> scanMarkerAt(const ScanFrame &frame,
                                    const std::optional<Ephemeris> &ephemeris, const QString &first,
                                    const QString &second, bool heliographicEntry,
                                    double drawingRadiusMm) {
    const auto a = number(first);
    const auto b = number(second);
    if (!a || !b)
        return std::nullopt;
    if (heliographicEntry) {
        if (!ephemeris || depth(*ephemeris, *b, *a) < 0)
            return std::nullopt;
        const PolarPosition p =
            heliographicToPolar(*ephemeris, float(*b), float(*a), frame.radiusMm);
        return imageAtPlace(frame, {p.polarAngle, p.polarDistance});
    }
    return imageAtPlace(frame, {*a, *b / drawingRadiusMm * frame.radiusMm});
}

QList<QMap<int, QString>> proposedGroupRows(const std::vector<SpotGroup> &groups,
                                            const ScanFrame &frame,
                                            const std::optional<Ephemeris> &ephemeris,
                                            bool heliographicEntry, double drawingRadiusMm) {
    QList<QMap<int, QString>> rows;
    // mm² of the scanned drawing to mm² of the data set's.
    const double scale = std::pow(drawingRadiusMm / frame.radiusMm, 2);
    for (const SpotGroup &g : groups) {
        QMap<int, QString> cells{{ColSpots, QString::number(g.spots)},
                                 {ColPenumbrae, QString::number(g.penumbrae)},
                                 {ColArea, formatNumber(roundHalfEven(g.areaMm2 * scale), "0")}};
        const ScanFill fill =
            scanFill(frame, ephemeris, g.pixel, heliographicEntry, drawingRadiusMm);
        if (fill.accepted) {
            cells[ColAngle] = fill.first;
            cells[ColDistance] = fill.second;
        }
        rows << cells;
    }
    return rows;
}

} // namespace orvanek
