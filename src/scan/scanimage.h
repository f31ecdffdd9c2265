#pragma once

#include <QImage>
#include <QString>

namespace orvanek {

// A scan or a photo of a drawing read through Qt's image plugins (PNG, JPEG, TIFF, BMP),
// turned upright as a camera's orientation tag says, and made grey: what registration
// reads. A null image, with `error` set to a sentence for the user, where it cannot be read.
QImage readScanImage(const QString &path, QString *error);

// The file dialog's filter for the images that can be read.
QString scanImageFilter();

} // namespace orvanek
