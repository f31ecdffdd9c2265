#include "scan/scanimage.h"

#include "data/safefile.h"
#include "scan/scanregistration.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "ScanImage".
struct ScanImageTexts {
    Q_DECLARE_TR_FUNCTIONS(ScanImage)
};

// An A3 sheet scanned at 600 dpi is 70 million pixels: 280 MB in colour, above Qt's
// default limit of 256 MB.
constexpr int kAllocationLimitMb = 1024;
// The largest file read as a scan: an A3 sheet at 600 dpi, uncompressed colour, is 210 MB.
constexpr qint64 kLargestScanBytes = qint64{1024} * 1024 * 1024;

// Why an image could not be read, in the program's words.
QString readerProblem(QImageReader::ImageReaderError error) {
    switch (error) {
    case QImageReader::FileNotFoundError:
        return ScanImageTexts::tr("soubor neexistuje");
    case QImageReader::DeviceError:
        return ScanImageTexts::tr("soubor nelze číst");
    case QImageReader::UnsupportedFormatError:
        return ScanImageTexts::tr("takový druh obrázku program nečte");
    case QImageReader::InvalidDataError:
        return ScanImageTexts::tr("data obrázku jsou poškozená");
    case QImageReader::UnknownError:
        break;
    }
    return ScanImageTexts::tr("neznámá chyba");
}

} // namespace

QImage readScanImage(const QString &path, QString *error) {
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    // Only a regular file, never a pipe or a device waited on.
    QFile file;
    if (const auto refused = openForReading(file, path, kLargestScanBytes)) {
        if (error)
            *error = *refused;
        return {};
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = ScanImageTexts::tr("Obrázek %1 nelze přečíst: %2.")
                         .arg(path, readerProblem(reader.error()));
        return {};
    }
    return scanGrey(image);
}

QString scanImageFilter() {
    return ScanImageTexts::tr(
        "Obrázky (*.png *.jpg *.jpeg *.tif *.tiff *.bmp);;Všechny soubory (*)");
}

} // namespace orvanek
