#include "scan/scanframe.h"

#include "data/units.h"

#include <cmath>
#include <numbers>

namespace orvanek {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

} // namespace

double directionDeg(QPointF v) {
    return std::atan2(v.y(), v.x()) / kRadPerDeg;
}

double normalizedTurn(double degrees) {
    double a = std::remainder(degrees, 360.0);
    if (a <= -180)
        a += 360;
    return a;
}

QTransform sheetToImage(const ScanFrame &frame) {
    QTransform t;
    t.translate(frame.centre.x(), frame.centre.y());
    t.rotate(frame.turnDeg); // clockwise on an image whose y runs down
    t.scale(frame.dotsPerMm(), frame.dotsPerMm());
    if (frame.perspective.isIdentity())
        return t;
    // The sheet turned, in limb radii, then the photo's perspective, then scaled and moved to
    // the centre: a frame scaled with its centre (a reduced copy) keeps its perspective.
    QTransform turned;
    turned.rotate(frame.turnDeg);
    turned.scale(1 / frame.radiusMm, 1 / frame.radiusMm);
    return turned * frame.perspective * QTransform::fromScale(frame.radiusPx, frame.radiusPx) *
           QTransform::fromTranslate(frame.centre.x(), frame.centre.y());
}

ScanFrame frameFromProjective(const QTransform &h, double radiusMm) {
    ScanFrame f;
    f.radiusMm = radiusMm;
    f.centre = h.map(QPointF(0, 0));
    // The map's derivative at the disk's centre, by columns: d image / d sheet x, d sheet y.
    const double w = h.m33();
    const QPointF dx = (QPointF(h.m11(), h.m12()) - f.centre * h.m13()) / w;
    const QPointF dy = (QPointF(h.m21(), h.m22()) - f.centre * h.m23()) / w;
    // Its rotation (the polar decomposition's) and its scale, the root of its determinant.
    const double det = dx.x() * dy.y() - dy.x() * dx.y();
    if (!(det > 0) || !std::isfinite(det))
        return {};
    f.turnDeg = normalizedTurn(std::atan2(dx.y() - dy.x(), dx.x() + dy.y()) / kRadPerDeg);
    f.radiusPx = std::sqrt(det) * radiusMm;
    QTransform turned;
    turned.rotate(f.turnDeg);
    turned.scale(1 / radiusMm, 1 / radiusMm);
    f.perspective = turned.inverted() * h *
                    QTransform::fromTranslate(-f.centre.x(), -f.centre.y()) *
                    QTransform::fromScale(1 / f.radiusPx, 1 / f.radiusPx);
    return f;
}

QPointF imageFromSheet(const ScanFrame &frame, QPointF sheetMm) {
    if (!frame.perspective.isIdentity())
        return sheetToImage(frame).map(sheetMm);
    const double a = frame.turnDeg * kRadPerDeg;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double k = frame.dotsPerMm();
    return frame.centre +
           QPointF(c * sheetMm.x() - s * sheetMm.y(), s * sheetMm.x() + c * sheetMm.y()) * k;
}

QPointF sheetFromImage(const ScanFrame &frame, QPointF pixel) {
    if (!frame.perspective.isIdentity())
        return sheetToImage(frame).inverted().map(pixel);
    const double a = frame.turnDeg * kRadPerDeg;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const QPointF v = (pixel - frame.centre) / frame.dotsPerMm();
    return {c * v.x() + s * v.y(), -s * v.x() + c * v.y()};
}

DrawingPlace drawingPlaceAt(const ScanFrame &frame, QPointF pixel) {
    const QPointF m = sheetFromImage(frame, pixel);
    // On paper the angle a points to (orientX sin a, -orientY cos a).
    double angle = std::atan2(frame.orientX * m.x(), -frame.orientY * m.y()) / kRadPerDeg;
    if (angle < 0)
        angle += 360;
    if (angle >= 360)
        angle -= 360;
    return {angle, std::hypot(m.x(), m.y())};
}

QPointF imageAtPlace(const ScanFrame &frame, const DrawingPlace &place) {
    const double a = place.angleDeg * kRadPerDeg;
    return imageFromSheet(frame,
                          QPointF(frame.orientX * std::sin(a), -frame.orientY * std::cos(a)) *
                              place.distanceMm);
}

double northAngleOf(const ScanFrame &frame) {
    // Position angle 0 is up on the paper, or down where north and south are mirrored.
    return normalizedTurn(frame.turnDeg + (frame.orientY > 0 ? 0.0 : 180.0));
}

double turnForNorthAngle(double northAngleDeg, int orientY) {
    return normalizedTurn(northAngleDeg - (orientY > 0 ? 0.0 : 180.0));
}

double turnForNorthPoint(const ScanFrame &frame, QPointF pixel) {
    // The image's up is -90 degrees from its x axis.
    return turnForNorthAngle(directionDeg(pixel - frame.centre) + 90, frame.orientY);
}

ScanPoint scanPointAt(const ScanFrame &frame, const Ephemeris &ephemeris, QPointF pixel) {
    ScanPoint p;
    p.place = drawingPlaceAt(frame, pixel);
    p.onDisk = p.place.distanceMm <= frame.radiusMm;
    const double storedDistance = p.place.distanceMm / frame.radiusMm * kLimbDistance;
    p.helio = polarToHeliographic(ephemeris, storedDistance, p.place.angleDeg * 10);
    return p;
}

} // namespace orvanek
