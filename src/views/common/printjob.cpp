#include "views/common/printjob.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace orvanek {

namespace {
// Fine enough that lines and text on paper are placed to a hundredth of a millimetre.
constexpr int kPdfDotsPerInch = 1200;
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
                const PrintPages &pages) {
    bool ok = false;
    {
        QPdfWriter writer(path);
        writer.setResolution(kPdfDotsPerInch);
        writer.setCreator(QStringLiteral("Orvanek"));
        writer.setTitle(title);
        writer.setPageLayout(QPageLayout(QPageSize(setup.paper), setup.orientation, setup.marginsMm,
                                         QPageLayout::Millimeter));
        PrintJob job(writer);
        ok = job.isActive() && pages(job);
        ok = job.end() && ok;
    }
    // A writer that could not open its file paints nothing and says so only by the file.
    return ok && QFile::exists(path);
}

} // namespace orvanek
