#include "views/common/padleft.h"

#include <algorithm>

namespace orvanek {

namespace {
constexpr int kSpaceWidthPx = 3;
constexpr int kMaxSpaces = 15;
} // namespace

QFont canvasFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

int padSpaces(int textWidth, int width) {
    if (width <= textWidth)
        return 0;
    return std::clamp((width - textWidth) / kSpaceWidthPx - 1, 0, kMaxSpaces);
}

QString ColumnAligner::padLeft(const QString &text, int width) const {
    return QString(padSpaces(metrics_.horizontalAdvance(text), width), QLatin1Char(' ')) + text;
}

} // namespace orvanek
