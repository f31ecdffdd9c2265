#include "reports/certificatepainter.h"

#include "reports/reporttext.h"
#include "views/common/screenimage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <map>
#include <utility>

namespace orvanek {

namespace {

// Room left around what is painted, certificate units.
constexpr int kMargin = 10;
// The certificate's smallest extent: the grid and its right edge with the margin.
constexpr int kMinWidth = 720;

} // namespace

void paintCertificate(QPainter &painter, const CertificateLayout &layout,
                      const CertificateGeometry &geometry) {
    painter.save();
    painter.translate(geometry.offset);
    painter.scale(geometry.scale, geometry.scale);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(Qt::black, 1.0));
    TopLeftWriter writer(painter);
    for (const PlacedText &t : layout.texts) {
        writer.setFont(t.fontHeight, t.bold);
        writer.write(t.pos, t.text);
    }
    // A line one unit wide, so that it stays visible on paper at the page's scale.
    painter.setPen(QPen(certificateGridColour(), 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(layout.gridLines.data(), static_cast<int>(layout.gridLines.size()));
    painter.restore();
}

QSize certificateSize(const CertificateLayout &layout) {
    int right = kMinWidth;
    int bottom = kCertificateBottom + kMargin;
    std::map<std::pair<int, bool>, QFontMetrics> metrics;
    for (const PlacedText &t : layout.texts) {
        const auto key = std::make_pair(t.fontHeight, t.bold);
        auto found = metrics.find(key);
        if (found == metrics.end())
            found = metrics.emplace(key, QFontMetrics(reportFont(t.fontHeight, t.bold))).first;
        right = std::max(right, t.pos.x() + found->second.horizontalAdvance(t.text) + kMargin);
        bottom = std::max(bottom, t.pos.y() + found->second.height() + kMargin);
    }
    return {right, bottom};
}

QImage renderCertificate(const CertificateModel &model) {
    const CertificateLayout layout = certificateLayout(model);
    QImage image = screenImage(certificateSize(layout));
    QPainter painter(&image);
    paintCertificate(painter, layout);
    return image;
}

PageSetup certificatePage() {
    return {}; // A4 upright, 10 mm margins
}

bool printCertificate(PrintJob &job, const CertificateModel &model) {
    if (model.needsInstrument)
        return false;
    CertificateGeometry geometry;
    geometry.scale = certificatePrintScale(job.pageWidth());
    paintCertificate(job.canvas(), certificateLayout(model), geometry);
    return true;
}

} // namespace orvanek
