#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QString>

#include <functional>

class QPagedPaintDevice;

class QImage;

namespace orvanek {

// How a view's pages are laid out on paper.
struct PageSetup {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
};

// One print job on a printer or PDF writer: the canvas of the current page, the page
// size in device pixels, and new pages. The views draw on canvas() scaled by
// pageWidth() / their own width, so screen and paper share one painter.
class PrintJob {
  public:
    explicit PrintJob(QPagedPaintDevice &device);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    bool isActive() const { return painter_.isActive(); }
    QPainter &canvas() { return painter_; }
    int pageWidth() const;
    int pageHeight() const;
    // Device pixels per view pixel when `width` view pixels fill the page width.
    double scaleToWidth(double width) const { return pageWidth() / width; }
    bool newPage();
    // Ends the document; also done by the destructor.
    bool end();

  private:
    QPagedPaintDevice &device_;
    QPainter painter_;
};

// What a view prints: paints every page of the job; false when it could not.
using PrintPages = std::function<bool(PrintJob &)>;

// Prints on a paged device (a printer) with the set-up's orientation and margins; the
// paper stays the one the device has. False when nothing could be painted.
bool printOn(QPagedPaintDevice &device, const PageSetup &setup, const PrintPages &pages);

// Prints into a PDF file of vectors with the whole set-up (paper too): what the command
// line writes and what a print becomes where no printer exists. False when the file
// cannot be written; `problem`, when given, then gets the file and the cause when it was the
// writing that failed ("<file>: <cause>"), else stays empty.
bool printToPdf(const QString &path, const QString &title, const PageSetup &setup,
                const PrintPages &pages, QString *problem = nullptr);

// Saves a picture in `format` (PNG, BMP) as a file the observer named, in one step as
// printToPdf writes. False when it cannot be written, with `problem` as printToPdf gives it.
bool saveImageFile(const QImage &image, const QString &path, const char *format,
                   QString *problem = nullptr);

} // namespace orvanek
