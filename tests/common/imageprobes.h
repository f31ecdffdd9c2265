#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>

namespace orvanek::testing {

inline QColor pixelAt(const QImage &image, QPoint point) {
    return QColor(image.pixel(point));
}

// Counts the pixels of `area` for which `accept` holds.
inline int countPixels(const QImage &image, const QRect &area,
                       const std::function<bool(QColor)> &accept) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += accept(QColor(image.pixel(x, y))) ? 1 : 0;
    return n;
}

inline bool isDark(QColor c) {
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

inline bool isBluish(QColor c) {
    return c.blue() > 180 && c.red() < 120 && c.green() < 120;
}

} // namespace orvanek::testing
