#include "views/common/viewfont.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orvanek {

QFont viewFont(int pixels) {
    QFont font(QStringLiteral("Ms sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixels));
    return font;
}

int pointsToPixels(int points, int dotsPerInch) {
    constexpr double kPointsPerInch = 72;
    return static_cast<int>(std::lround(points * dotsPerInch / kPointsPerInch));
}

void drawTextTopLeft(QPainter &painter, QPointF topLeft, const QString &text) {
    const qreal ascent = std::round(QFontMetricsF(painter.font(), painter.device()).ascent());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent), text);
}

} // namespace orvanek
