#include "views/common/screenimage.h"

namespace orvanek {

QImage screenImage(QSize size) {
    constexpr int kDotsPerMetreAt96Dpi = 3780; // 96 / 0.0254
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    image.fill(Qt::white);
    return image;
}

} // namespace orvanek
