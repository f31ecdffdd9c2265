#include "scan/scanimage.h"

#include "data/safefile.h"
#include "scan/scanregistration.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

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

// What the image libraries print while a scan is read is kept from the terminal: the program
// says in its own words what is wrong. Qt's own lines (its allocation limit) come through its
// message handler; libpng ("libpng error: …") and libtiff ("TIFFReadDirectory: …") write to
// standard error themselves, which for the while points to /dev/null. Messages of other
// threads meanwhile go on through Qt as before.
thread_local QStringList *tLibraryLines = nullptr;
std::atomic<QtMessageHandler> gPreviousHandler{nullptr};

void keepLibraryLine(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (tLibraryLines)
        tLibraryLines->append(text);
    else if (const QtMessageHandler previous = gPreviousHandler.load())
        previous(type, context, text);
}

class QuietImageLibraries {
  public:
    QuietImageLibraries() {
        tLibraryLines = &lines_;
        gPreviousHandler = qInstallMessageHandler(keepLibraryLine);
        std::fflush(stderr);
        savedError_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (savedError_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietImageLibraries() {
        std::fflush(stderr);
        if (savedError_ >= 0) {
            ::dup2(savedError_, STDERR_FILENO);
            ::close(savedError_);
        }
        qInstallMessageHandler(gPreviousHandler.load());
        tLibraryLines = nullptr;
    }
    QuietImageLibraries(const QuietImageLibraries &) = delete;
    QuietImageLibraries &operator=(const QuietImageLibraries &) = delete;

  private:
    QStringList lines_;
    int savedError_ = -1;
};

// The bytes the image takes in memory once read, from its header; nothing when the header
// does not tell.
std::optional<qint64> decodedBytes(const QImageReader &reader) {
    const QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    const QImage::Format format = reader.imageFormat();
    const int bits = format == QImage::Format_Invalid
                         ? 32
                         : std::max(8, int{QImage::toPixelFormat(format).bitsPerPixel()});
    return qint64{size.width()} * size.height() * (bits / 8);
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
    const QuietImageLibraries quiet;
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    if (const auto bytes = decodedBytes(reader);
        bytes && *bytes > qint64{kAllocationLimitMb} * 1024 * 1024) {
        if (error)
            *error = ScanImageTexts::tr("Obrázek %1 nelze přečíst: po otevření by zabral víc "
                                        "než 1 GB paměti (%2 × %3 bodů).")
                         .arg(path)
                         .arg(reader.size().width())
                         .arg(reader.size().height());
        return {};
    }
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
