#include "reports/reporttext.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

QFont reportFamily(bool bold) {
    QFont font;
    // The desktop font the reports were laid out with, then fonts of a similar width: a
    // wide fallback would run the certificate's columns into each other.
    font.setFamilies({QStringLiteral("Ms sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

// The font's em over its line height (ascent + descent), measured once at a large size.
double emPerLine(bool bold) {
    constexpr int kReferencePixels = 1000;
    QFont font = reportFamily(bold);
    font.setPixelSize(kReferencePixels);
    const QFontMetricsF metrics(font);
    return kReferencePixels / (metrics.ascent() + metrics.descent());
}

} // namespace

QFont reportFont(int cellHeight, bool bold) {
    static const double kEmPerLine[2] = {emPerLine(false), emPerLine(true)};
    QFont font = reportFamily(bold);
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(cellHeight * kEmPerLine[bold ? 1 : 0]))));
    return font;
}

void TopLeftWriter::setFont(int cellHeight, bool bold) {
    if (cellHeight == cellHeight_ && bold == bold_)
        return;
    cellHeight_ = cellHeight;
    bold_ = bold;
    const QFont font = reportFont(cellHeight, bold);
    painter_.setFont(font);
    // Measured on the painter's device, so that a printer page places the line as the
    // screen does.
    ascent_ = std::round(QFontMetricsF(font, painter_.device()).ascent());
}

void TopLeftWriter::write(QPoint topLeft, const QString &text) {
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + ascent_), text);
}

} // namespace orvanek
