#pragma once

#include "scan/scanregistration.h"
#include "solar/conversion.h"

#include <QImage>
#include <QPointF>
#include <QPolygonF>

#include <array>
#include <optional>
#include <vector>

namespace orvanek {

// Marks smaller than this on paper are dust or the scanner's noise, not a spot: a dot of
// about 0.36 mm across. The smallest spot an observer draws is a pencil point of 0.5 mm
// (0.2 mm²), twice as large.
inline constexpr double kLeastSpotAreaMm2 = 0.1;

// Spots of a group lie close together on the Sun: two spots belong to one group when their
// centres are at most this far apart across the latitudes (heliographic degrees; along them
// kGroupAlongDeg), and a
// group is every spot joined to it through such neighbours. Measured on the sphere, not on
// paper, so that a group near the limb, drawn foreshortened, is judged as one near the
// centre. 5 degrees are 60 000 km, 10.9 mm at the centre of a drawing of R 125 mm: wider than
// the gap between neighbouring spots of one group, narrower than the 15 mm that separate
// groups an observer draws apart.
inline constexpr double kGroupReachDeg = 5.0;
// A group is drawn out along the latitudes (a leader and its follower may lie 15 degrees and
// more apart, few spots between them): along them two spots are neighbours up to this far,
// across them up to kGroupReachDeg.
inline constexpr double kGroupAlongDeg = 7.0;

// One spot the observer drew: its centre (image pixels), its area in mm² on the drawing of
// radius R (the whole spot, penumbra and umbra, as the area column takes it; an outlined
// spot what its outline encloses), whether it is drawn as an outline round a core (a spot
// with a penumbra), and its proposed group (from 1). For classing the group: the area of the
// core (of a spot without a penumbra, the spot's own) and the spot's longest extent, mm on
// the drawing.
struct FoundSpot {
    QPointF pixel;
    double areaMm2 = 0;
    bool penumbra = false;
    int group = 0;
    double coreAreaMm2 = 0;
    double extentMm = 0;
    // The mark's outer edge (image pixels), what the class measures a penumbra by; empty for
    // a spot placed where no mark is.
    QPolygonF outline{};
};

// A proposed group: its spots, the spots with a penumbra among them, their area summed
// (mm² on the drawing of radius R) and the area-weighted centre of the spots on the Sun, as
// a place on the drawing and in the image.
struct SpotGroup {
    int number = 0;
    int spots = 0;
    int penumbrae = 0;
    double areaMm2 = 0;
    HeliographicPosition helio;
    DrawingPlace place;
    QPointF pixel;
};

// The observer's pencil inside the limb of a registered scan (grey levels, scanGrey), judged
// against the paper's own light. On the program's own sheet the sheet's print is taken out
// as this scan shows it: the rendered sheet is moved onto the scan's print to a fraction of
// a pixel, blurred as the scanner blurred it, and how dark each printed level comes out, and
// how far it varies, is learnt from the scan. Writing and lines (a hand-drawn grid, the north
// mark, numbers, letters, crosses, arrows: strokes of even width enclosing nothing filled)
// are left out by their shape, an eraser's smudge by being lighter than half the pencil, and
// marks under kLeastSpotAreaMm2; what the rules leave is judged once more by a model of
// writing learnt from drawings whose pencil is known. An outline round a core, its gaps up
// to a millimetre closed, is one spot with a penumbra. The spots come ungrouped.
std::vector<FoundSpot> findSpots(const QImage &grey, const ScanRegistration &registration);

// What the finder's last judgement weighs a mark by (see markTraitNames), for measuring that
// judgement on drawings whose pencil is known: one row for each mark that came that far, the
// marks the judgement took for writing (and left out of the spots) among them.
inline constexpr int kMarkTraits = 16;
struct MarkTraits {
    QPointF pixel;
    std::array<double, kMarkTraits> values{};
    bool writing = false;
};
std::array<const char *, kMarkTraits> markTraitNames();
std::vector<FoundSpot> findSpots(const QImage &grey, const ScanRegistration &registration,
                                 std::vector<MarkTraits> *traits);

// The spot drawn round `pixel` (a click where the finder found nothing): the mark at the
// place or within a millimetre of it, measured as findSpots measures (the observer's click,
// not the model of writing, says it is a spot); nothing where there is no mark.
std::optional<FoundSpot> spotAt(const QImage &grey, const ScanRegistration &registration,
                                QPointF pixel);

// Where a spot lies on the Sun.
HeliographicPosition spotHelio(const ScanFrame &frame, const Ephemeris &ephemeris, QPointF pixel);
// How far apart two places on the Sun are, degrees of a great circle.
double sphereDistanceDeg(const HeliographicPosition &a, const HeliographicPosition &b);

// Gives every spot its group by kGroupReachDeg and kGroupAlongDeg, groups numbered by their
// position angle.
void groupSpots(std::vector<FoundSpot> &spots, const ScanFrame &frame, const Ephemeris &ephemeris);

// The groups the spots' numbers make, numbered again from 1 without gaps (in the order of
// their old numbers; the spots' numbers follow).
std::vector<SpotGroup> spotGroups(std::vector<FoundSpot> &spots, const ScanFrame &frame,
                                  const Ephemeris &ephemeris);

} // namespace orvanek
