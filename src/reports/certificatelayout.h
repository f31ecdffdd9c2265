#pragma once

#include "reports/certificatemodel.h"

#include <QLine>
#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

namespace orvanek {

// A text placed on the certificate, in certificate units (screen pixels at scale 1). The
// painter scales positions and font heights by the same factor for screen and paper.
struct PlacedText {
    QPoint pos;         // top-left corner of the text as drawn
    QString text;       // as drawn: cut with "…" where even the smallest font had no room
    int fontHeight = 0; // pixels at scale 1, as drawn: smaller where the text had no room
    bool bold = false;
    // Where the certificate puts the text. A text wider than its room (up to its neighbour
    // or its cell's grid line) is drawn elsewhere than here only when it is a number or a
    // column heading: moved left within its cell.
    QPoint place;
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

// The width of a text in certificate units at a font height.
using CertificateTextWidth = std::function<double(const QString &text, int fontHeight, bool bold)>;
// The reports' font as the painter draws it: the wider of its width on screen, in whole
// pixels, and its outline's width, which paper shows.
double certificateTextWidth(const QString &text, int fontHeight, bool bold);

// Lays out the certificate once, for the painter to draw and for anyone to measure.
// Empty when the certificate needs the instrument box first. Every text keeps its place
// where it fits its room: the header's texts up to the next label or value, the table's
// between their cell's grid lines. One that does not fit never runs into its neighbour: a
// number or a heading moves left within its cell and shrinks only where the cell is too
// narrow; other texts shrink to seven tenths of their height and are then cut with "…".
// The header's labels share the size at which all of them fit.
CertificateLayout certificateLayout(const CertificateModel &model,
                                    const CertificateTextWidth &width = certificateTextWidth);

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
