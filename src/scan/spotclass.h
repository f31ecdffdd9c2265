#pragma once

// The McIntosh class of a group proposed from its drawing (McIntosh 1990, Solar Physics 125,
// 251): three letters from where the spots lie on the Sun, which of them are drawn with a
// penumbra, and the shape of the largest penumbra's outline.

#include "scan/scanspots.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace orvanek {

// A group is unipolar while its spots lie within this of each other (the greatest distance
// between two of its spots, degrees of a great circle on the Sun; from a spot to the largest
// penumbra, to that penumbra's border).
inline constexpr double kUnipolarDeg = 3;
// Bipolar groups with a penumbra at both ends: D up to this long, E up to the next, F longer.
inline constexpr double kLongestDDeg = 10;
inline constexpr double kLongestEDeg = 15;
// A penumbra at most this wide from north to south is small (s, a), a wider one large (h, k).
inline constexpr double kSmallPenumbraDeg = 2.5;
// Spots between the leader and the follower: this many make the group's middle "several"
// (i, c), fewer are "few" (o).
inline constexpr int kSeveralBetween = 3;

// What the drawing shows of a penumbra: the outline's north-south extent on the Sun, whether
// it encloses only part of its core (a rudimentary penumbra), and whether it is symmetric —
// nothing where the drawing cannot tell, with the reason.
struct PenumbraShape {
    bool measured = false;    // an outline was there to be measured
    bool filled = false;      // the core fills the outline: a spot without a penumbra
    double northSouthDeg = 0; // at the outline stroke's middle
    double areaMm2 = 0;       // on the drawing, enclosed by the outline with its gaps closed
    bool rudimentary = false;
    std::optional<bool> symmetric;
    QString doubt; // why the symmetry cannot be told
    // The outline on the Sun, degrees east and north of the spot's centre (gaps closed): how
    // far the penumbra reaches towards the group's other spots.
    std::vector<QPointF> outlineDeg;
};

// A spot as the class sees it.
struct ClassSpot {
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    bool penumbra = false;
    double areaMm2 = 0; // its size on the Sun, only compared between the spots of one group
    PenumbraShape shape;
};

// A group's proposed class: always one of the class table's; `sure` says which letters the
// drawing decides, `doubts` why the others are not (shown beside the class).
struct ClassProposal {
    QString type;
    std::array<bool, 3> sure{true, true, true};
    QStringList doubts;
    double lengthDeg = 0; // the greatest distance between two of the group's spots

    bool decided() const { return sure[0] && sure[1] && sure[2]; }
    // The class as the scan window shows it: "Dso", or "Dso?" where a letter is in doubt.
    QString label() const { return decided() ? type : type + u'?'; }
};

// The class of a group of spots by the rules above.
ClassProposal proposeClass(const std::vector<ClassSpot> &spots);

// The outline of a found spot measured on the Sun (its north-south extent and symmetry) and
// in the grey image (the core inside it, to tell a rudimentary penumbra).
PenumbraShape measurePenumbra(const QImage &grey, const ScanRegistration &registration,
                              const Ephemeris &ephemeris, const FoundSpot &spot);

// The proposals for the groups of `spots` (numbered from 1 as groupSpots and spotGroups leave
// them): element k is group k + 1's. The spots found with a penumbra are measured; one whose
// core fills its outline counts as without.
std::vector<ClassProposal> proposeClasses(const QImage &grey, const ScanRegistration &registration,
                                          const Ephemeris &ephemeris,
                                          const std::vector<FoundSpot> &spots);

} // namespace orvanek
