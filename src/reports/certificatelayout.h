#pragma once

#include "reports/certificatemodel.h"

#include <QLine>
#include <QPoint>
#include <QString>

#include <vector>

namespace orvanek {

// A text placed on the certificate, in certificate units (screen pixels at scale 1). The
// painter scales positions and font heights by the same factor for screen and paper.
struct PlacedText {
    QPoint pos; // top-left corner of the text
    QString text;
    int fontHeight = 0; // pixels at scale 1
    bool bold = false;
};

// The certificate as drawn: every text and every grid line, in the order they are drawn.
struct CertificateLayout {
    std::vector<PlacedText> texts;
    std::vector<QLine> gridLines; // the light grey of the grid
};

// Width of the certificate in its own units: a page is drawn at page width div this.
inline constexpr int kCertificateWidth = 700;
// Lowest point drawn: the end of the grid lines.
inline constexpr int kCertificateBottom = 810;

// The scale a printed page is drawn at; at least 1, for a page narrower than the certificate.
int certificatePrintScale(int pageWidthPx);

// Lays out the certificate once, for the painter to draw and for anyone to measure.
// Empty when the certificate needs the instrument box first.
CertificateLayout certificateLayout(const CertificateModel &model);

// The texts of single cells, as the layout writes them.
// The date column: day and month right-aligned in 4 characters, the year in 6 ("   2   2  2000").
QString certificateDateText(int day, int month, int year);
// The time: hours and minutes each right-aligned in 3 characters, minutes not zero-padded
// (" 10:  5" for 1005).
QString certificateTimeText(uint16_t timeUT);
// A mean or the share: two decimals right-aligned in 6 characters (" 46.67").
QString certificateMeanText(double value);
// The magnification right-aligned in 5 characters and " x"; "-" when it cannot be computed.
QString certificateMagnificationText(const std::optional<int> &magnification);

} // namespace orvanek
