#pragma once

#include <QPainter>

class QPagedPaintDevice;

namespace orvanek {

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
    bool newPage();
    // Ends the document; also done by the destructor.
    bool end();

  private:
    QPagedPaintDevice &device_;
    QPainter painter_;
};

} // namespace orvanek
