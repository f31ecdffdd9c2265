#pragma once

#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QPointF>
#include <QTransform>

namespace orvanek {

// How a drawing lies in the image of its scan: the limb fitted to it, how far the paper is
// turned, how the drawing is oriented and its radius on paper. Image pixels have x to the
// right and y down; the sheet's own millimetres (sheetcode.h) count from the disk's centre,
// x to the right and y down as printed.
struct ScanFrame {
    ScanFrame() = default;
    // The perspective last and optional: a frame is written as the six values of a scan.
    ScanFrame(QPointF centre, double radiusPx, double turnDeg, int orientX, int orientY,
              double radiusMm, const QTransform &perspective = QTransform())
        : centre(centre), radiusPx(radiusPx), turnDeg(turnDeg), orientX(orientX), orientY(orientY),
          radiusMm(radiusMm), perspective(perspective) {}

    QPointF centre;        // the limb's centre, image pixels
    double radiusPx = 0;   // the limb's radius, image pixels
    double turnDeg = 0;    // the paper turned clockwise (as the image is seen) by this, -180..180
    int orientX = 1;       // +1: east on the right of the drawing ("Z - V"); -1 mirrored
    int orientY = 1;       // +1: north at its top ("S - J"); -1 mirrored
    double radiusMm = 125; // R: the drawing's radius on paper
    // A photo's perspective: offsets from `centre` as a flat scan would show them to the
    // offsets the photo shows, both in limb radii (radiusPx), a projective map that keeps the
    // centre and neither turns nor scales there, so that `radiusPx` and `turnDeg` are
    // the scale and the turn at the disk (and a frame scaled with its centre keeps it). The
    // identity for a scan.
    QTransform perspective;

    bool valid() const { return radiusPx > 0 && radiusMm > 0; }
    double dotsPerMm() const { return radiusPx / radiusMm; }
};

// The sheet's millimetres (from the disk's centre) to image pixels, and back; projective
// where the frame has a perspective.
QTransform sheetToImage(const ScanFrame &frame);
QPointF imageFromSheet(const ScanFrame &frame, QPointF sheetMm);
QPointF sheetFromImage(const ScanFrame &frame, QPointF pixel);

// The frame of a projective map from the sheet's millimetres (of a drawing of radius
// `radiusMm`) to image pixels: the centre where the map puts the disk's centre, the scale
// and turn it has there, and the rest as the frame's perspective.
ScanFrame frameFromProjective(const QTransform &sheetToPixels, double radiusMm);

// A place on the drawing as the entry dialog takes it: the position angle from the top of
// the disk towards the right (each mirrored with its orientation), 0 <= angle < 360, and
// the distance from the centre in mm on the drawing of radius R.
struct DrawingPlace {
    double angleDeg = 0;
    double distanceMm = 0;
};
DrawingPlace drawingPlaceAt(const ScanFrame &frame, QPointF pixel);
QPointF imageAtPlace(const ScanFrame &frame, const DrawingPlace &place);

// Where position angle 0 (the drawing's north point) lies in the image, in degrees from the
// image's top towards its right; and the turn that puts it at `northAngleDeg`.
double northAngleOf(const ScanFrame &frame);
double turnForNorthAngle(double northAngleDeg, int orientY);
// The turn that puts the north point on the limb in the direction of `pixel`.
double turnForNorthPoint(const ScanFrame &frame, QPointF pixel);

// The direction of a vector of image pixels in degrees, clockwise from the x axis (y is down).
double directionDeg(QPointF v);

// An angle in degrees brought into -180 < a <= 180.
double normalizedTurn(double degrees);

// What a click at `pixel` means at a moment: the place on the drawing, whether it lies on
// the disk (within R), and its heliographic latitude and longitude by the program's own
// conversion of the stored units (angle in tenths of a degree, distance in tenths of a mm
// on the 125 mm drawing), as a typed position would be converted.
struct ScanPoint {
    DrawingPlace place;
    bool onDisk = false;
    HeliographicPosition helio;
};
ScanPoint scanPointAt(const ScanFrame &frame, const Ephemeris &ephemeris, QPointF pixel);

} // namespace orvanek
