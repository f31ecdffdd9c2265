#include "scan/scancanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace orvanek {

namespace {

// How near (widget pixels) the mouse must be to grab the limb's centre or its circle, and
// how far it may move for a press and release to stay a click.
constexpr double kGrabCentrePx = 10;
constexpr double kGrabLimbPx = 6;
constexpr double kClickSlackPx = 4;
// One step of the wheel (120 units) zooms by this.
constexpr double kWheelZoomStep = 1.25;

} // namespace

ScanCanvas::ScanCanvas(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("skencanvas"));
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScanCanvas::setImage(const QImage &grey) {
    image_ = grey;
    reduced_ = QPixmap();
    reducedZoom_ = 0;
    setZoom(zoom_);
}

void ScanCanvas::setOverlay(ScanOverlay overlay) {
    overlay_ = std::move(overlay);
    update();
}

void ScanCanvas::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, kLeastZoom, kMostZoom);
    resize(std::max(1, qRound(image_.width() * zoom_)),
           std::max(1, qRound(image_.height() * zoom_)));
    update();
}

QTransform ScanCanvas::imageToWidget() const {
    return QTransform::fromTranslate(0.5, 0.5) * QTransform::fromScale(zoom_, zoom_);
}

QPointF ScanCanvas::widgetFromImage(QPointF pixel) const {
    return imageToWidget().map(pixel);
}

QPointF ScanCanvas::imageFromWidget(QPointF point) const {
    return point / zoom_ - QPointF(0.5, 0.5);
}

void ScanCanvas::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::lightGray);
    if (image_.isNull())
        return;
    if (zoom_ < 1) {
        // Reduced once per zoom, smoothly; painting then only copies.
        if (reducedZoom_ != zoom_) {
            reduced_ = QPixmap::fromImage(
                image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            reducedZoom_ = zoom_;
        }
        painter.drawPixmap(event->rect(), reduced_, event->rect());
    } else {
        // Enlarged, each pixel a square: only what is exposed.
        const QRectF target = event->rect();
        const QRectF source(target.topLeft() / zoom_, target.size() / zoom_);
        painter.drawImage(target, image_, source);
    }
    paintScanOverlay(painter, overlay_, imageToWidget());
}

void ScanCanvas::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressedAt_ = event->position();
    drag_ = Drag::Click;
    const ScanFrame &f = overlay_.frame;
    if (f.valid()) {
        const QPointF centre = widgetFromImage(f.centre);
        const double distance =
            std::hypot(pressedAt_.x() - centre.x(), pressedAt_.y() - centre.y());
        if (distance <= kGrabCentrePx)
            drag_ = Drag::Centre;
        else if (std::abs(distance - f.radiusPx * zoom_) <= kGrabLimbPx)
            drag_ = Drag::Radius;
    }
}

void ScanCanvas::mouseMoveEvent(QMouseEvent *event) {
    const ScanFrame &f = overlay_.frame;
    const QPointF at = imageFromWidget(event->position());
    if (drag_ == Drag::Centre && limbDragged)
        limbDragged(at, f.radiusPx);
    else if (drag_ == Drag::Radius && limbDragged)
        limbDragged(f.centre, std::hypot(at.x() - f.centre.x(), at.y() - f.centre.y()));
}

void ScanCanvas::mouseReleaseEvent(QMouseEvent *event) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF moved = event->position() - pressedAt_;
    // A press on the limb or its centre that did not move is a click all the same.
    const bool still = std::hypot(moved.x(), moved.y()) <= kClickSlackPx;
    if (drag != Drag::None && still && clicked)
        clicked(imageFromWidget(event->position()));
    else if (drag == Drag::Click && !still && dragged)
        dragged(imageFromWidget(pressedAt_), imageFromWidget(event->position()));
}

void ScanCanvas::wheelEvent(QWheelEvent *event) {
    const int steps = event->angleDelta().y();
    if (steps == 0 || !wheelZoom) {
        QWidget::wheelEvent(event);
        return;
    }
    wheelZoom(std::pow(kWheelZoomStep, steps / 120.0), event->position());
    event->accept();
}

} // namespace orvanek
