#pragma once

// The image a view is rendered into when it is painted as its window shows it.

#include <QImage>
#include <QSize>

namespace orvanek {

// A white image of `size` (at least 1 x 1 pixel) at a screen's 96 dpi, so that fonts and pen
// widths given in points come out as in the window.
QImage screenImage(QSize size);

} // namespace orvanek
