#pragma once

#include "scan/scanframe.h"
#include "scan/scanspots.h"

#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace orvanek {

// What a click on a scan gives a row of the entry dialog's group table: its two position
// cells as they would be typed, angle and distance (to a tenth of a degree and of a mm on
// the data set's drawing of radius `drawingRadiusMm`) or, in heliographic entry, l and b (to
// a tenth of a degree; they need the moment). A click beyond the limb is refused as the
// commit refuses such a typed row (a distance beyond R; in heliographic entry a place on the
// far side), and so is l, b without a moment, each with the reason.
struct ScanFill {
    bool accepted = false;
    QString first;  // "úhel" or "l"
    QString second; // "vzd." or "b"
    QString refusal;
};
ScanFill scanFill(const ScanFrame &frame, const std::optional<Ephemeris> &ephemeris, QPointF pixel,
                  bool heliographicEntry, double drawingRadiusMm);

// Where a row's typed position lies on the scan: the inverse of scanFill, for the numbered
// marker. Nothing where a cell does not read as a number (an empty row, a hemisphere letter),
// or for l, b on the far side or without a moment.
std::optional<QPointF> scanMarkerAt(const ScanFrame &frame,
                                    const std::optional<Ephemeris> &ephemeris, const QString &first,
                                    const QString &second, bool heliographicEntry,
                                    double drawingRadiusMm);

// The group rows a scan's groups propose, each its cells by the entry dialog's column: the
// spots ("poč"), those with a penumbra ("s pen."), the position of the group's centre as a
// click there fills it (angle and distance, or l and b) and the area in whole mm² on the
// data set's drawing of radius `drawingRadiusMm`. A group whose centre a click could not
// place (l, b without a moment) gets no position.
QList<QMap<int, QString>> proposedGroupRows(const std::vector<SpotGroup> &groups,
                                            const ScanFrame &frame,
                                            const std::optional<Ephemeris> &ephemeris,
                                            bool heliographicEntry, double drawingRadiusMm);

} // namespace orvanek
