#include "views/common/printjob.h"

#include "data/safefile.h"

#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace orvanek {

namespace {
// Fine enough that lines and text on paper are placed to a hundredth of a millimetre.
constexpr int kPdfDotsPerInch = 1200;

// Writes the made file; a failure's file and cause go to `problem` when it is given.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *problem) {
    const std::optional<QString> failure = writeNamedFile(path, bytes);
    if (failure && problem)
        *problem = *failure;
    return !failure;
}
} // namespace

PrintJob::PrintJob(QPagedPaintDevice &device) : device_(device) {
    painter_.begin(&device_);
}

PrintJob::~PrintJob() {
    end();
}

int PrintJob::pageWidth() const {
    return device_.width();
}

int PrintJob::pageHeight() const {
    return device_.height();
}

bool PrintJob::newPage() {
    return isActive() && device_.newPage();
}

bool PrintJob::end() {
    return !painter_.isActive() || painter_.end();
}

bool printOn(QPagedPaintDevice &device, const PageSetup &setup, const PrintPages &pages) {
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(setup.orientation);
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMargins(setup.marginsMm);
    device.setPageLayout(layout);
    PrintJob job(device);
    if (!job.isActive())
        return false;
    const bool painted = pages(job);
    return job.end() && painted;
}

bool printToPdf(const QString &path, const QString &title, const PageSetup &setup,
                const PrintPages &pages, QString *problem) {
    // Made in memory and then written in one step: a file of the same name is replaced,
    // never written into (a hard link to it elsewhere keeps its bytes).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    bool ok = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setCreator(QStringLiteral("Orvanek"));
        writer.setTitle(title);
        writer.setPageLayout(QPageLayout(QPageSize(setup.paper), setup.orientation, setup.marginsMm,
                                         QPageLayout::Millimeter));
        PrintJob job(writer);
        ok = job.isActive() && pages(job);
        ok = job.end() && ok;
    }
    buffer.close();
    return ok && !bytes.isEmpty() && writeWhole(path, bytes, problem);
}

bool saveImageFile(const QImage &image, const QString &path, const char *format, QString *problem) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format) &&
           writeWhole(path, bytes, problem);
}

} // namespace orvanek
