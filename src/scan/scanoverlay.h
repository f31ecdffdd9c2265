#pragma once

#include "scan/scanframe.h"
#include "scan/scanregistration.h"
#include "views/sheet/sheetmodel.h"

#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

namespace orvanek {

// A numbered marker on the scan: a group row's position.
struct ScanMarker {
    int row = 0; // from 1
    QPointF pixel;
};

// A spot found on the scan, marked with its group's number.
struct ScanSpotMark {
    QPointF pixel;
    double radiusPx = 0; // a circle of the spot's area
    int group = 0;
    QString groupClass; // the group's proposed class, beside one spot of each group
};

// What is drawn over a scan, in image pixels: the limb, its centre and north point, the grid
// of the moment as the sheet prints it (parallels and meridians every 10 degrees, the equator
// and the central meridian bold) and the markers of the rows placed so far.
struct ScanOverlay {
    ScanFrame frame;
    QPointF northPoint; // on the limb
    std::vector<QPolygonF> grid;
    std::vector<QPolygonF> boldGrid;
    std::vector<ScanMarker> markers;
    std::vector<ScanSpotMark> spots;
};

// The overlay of a registered scan; without a moment (or with `withGrid` false) no grid.
ScanOverlay buildScanOverlay(const ScanFrame &frame, const std::optional<Ephemeris> &ephemeris,
                             bool withGrid, std::vector<ScanMarker> markers = {});

// Paints the overlay with `imageToDevice` mapping image pixels to the device; lines keep
// their width on the device whatever the zoom.
void paintScanOverlay(QPainter &painter, const ScanOverlay &overlay,
                      const QTransform &imageToDevice);

// The observing sheet of a registered scan painted where the scan shows it, on white, at
// the image's size: what is printed on the paper, so that the observer's own pencil can be
// told from it. A null image without a code (and so without a sheet to paint).
// `imageToTarget` maps the scan's pixels to the image painted (pixel centres at whole
// numbers in both), for a part of the scan or another scale.
QImage renderSheetOnScan(const ScanRegistration &registration, QSize imageSize,
                         const QTransform &imageToTarget = QTransform());

} // namespace orvanek
