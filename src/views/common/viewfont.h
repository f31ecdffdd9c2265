#pragma once

// The font the views paint their texts in, and texts placed by the top-left of their line.

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace orvanek {

// "Ms sans Serif" (a sans serif where it is missing), `pixels` high (at least 1). Set in
// pixels, so that a view's texts keep their size on every device it is painted on.
QFont viewFont(int pixels);

// The pixels of `points` on a device of `dotsPerInch`, rounded: 8 points on a 96-dpi screen
// are 11 pixels.
int pointsToPixels(int points, int dotsPerInch);

// Draws `text` in the painter's font with the top-left corner of its line at `topLeft`: the
// baseline lies the font's ascent, in whole pixels, below it.
void drawTextTopLeft(QPainter &painter, QPointF topLeft, const QString &text);

} // namespace orvanek
