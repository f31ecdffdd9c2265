#pragma once

#include "scan/scanframe.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace orvanek {

// What a click on a scan gives a row of the entry dialog's group table: its two position
// cells as they would be typed, angle and distance (to a tenth of a degree and of a mm on
// the data set's drawing of radius `drawingRadiusMm`) or, in heliographic entry, l and b (to
// a tenth of a degree). A click beyond the limb, or one whose l and b fall on the far side
// once rounded, is refused as the commit refuses such a typed row, with the reason.
struct ScanFill {
    bool accepted = false;
    QString first;  // "úhel" or "l"
    QString second; // "vzd." or "b"
    QString refusal;
};
ScanFill scanFill(const ScanFrame &frame, const Ephemeris &ephemeris, QPointF pixel,
                  bool heliographicEntry, double drawingRadiusMm);

// Where a row's typed position lies on the scan: the inverse of scanFill, for the numbered
// marker. Nothing where a cell does not read as a number (an empty row, a hemisphere letter)
// or a typed l, b lies on the far side.
std::optional<QPointF> scanMarkerAt(const ScanFrame &frame, const Ephemeris &ephemeris,
                                    const QString &first, const QString &second,
                                    bool heliographicEntry, double drawingRadiusMm);

} // namespace orvanek
