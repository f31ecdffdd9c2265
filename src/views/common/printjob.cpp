#include "views/common/printjob.h"

#include <QPagedPaintDevice>

namespace orvanek {

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

} // namespace orvanek
