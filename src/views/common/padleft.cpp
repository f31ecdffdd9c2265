#include "views/common/padleft.h"

#include <QFontMetrics>

#include <algorithm>

namespace orvanek {

QFont canvasFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

int padSpaces(int textWidth, int width) {
    if (width <= textWidth)
        return 0;
    return std::clamp((width - textWidth) / 3 - 1, 0, 15);
}

QString padLeft(const QString &text, int width) {
    static const QFontMetrics metrics(canvasFont());
    return QString(padSpaces(metrics.horizontalAdvance(text), width), QLatin1Char(' ')) + text;
}

} // namespace orvanek
