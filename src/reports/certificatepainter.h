#pragma once

#include "reports/certificatelayout.h"
#include "reports/certificatemodel.h"
#include "views/common/printjob.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

class QPainter;

namespace orvanek {

// Where the certificate goes on a device: how many device pixels one certificate unit
// takes (a whole number, as screen and paper both use) and the device position of the
// certificate's (0, 0).
struct CertificateGeometry {
    int scale = 1;
    QPoint offset;
};

// The grid's light grey: the button face of the desktop the certificate was made for.
inline QColor certificateGridColour() {
    return {212, 208, 200};
}

// Paints the certificate's texts and then its grid; no background (the device brings
// white). Fonts, positions and lines all scale with the geometry.
void paintCertificate(QPainter &painter, const CertificateLayout &layout,
                      const CertificateGeometry &geometry = {});

// The extent of everything the layout paints, in certificate units, with a small margin:
// what the window scrolls over and the size of the image.
QSize certificateSize(const CertificateLayout &layout);

// The certificate as the window shows it: one pixel per unit, white background, 96 dpi.
// A certificate that waits for the station line is an empty white image.
QImage renderCertificate(const CertificateModel &model);

// One A4 page, upright.
PageSetup certificatePage();

// Prints the certificate on the job's page at page width div 700 device pixels per unit.
// False, printing nothing, when the certificate waits for the station line.
bool printCertificate(PrintJob &job, const CertificateModel &model);

} // namespace orvanek
