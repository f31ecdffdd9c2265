#pragma once

#include "scan/scanoverlay.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>

namespace orvanek {

// The scan at a zoom with its overlay, in a scroll area. Image pixel (x, y) (centres at
// whole numbers) is at widget point ((x + 0.5) z, (y + 0.5) z) for zoom z. The mouse drags
// the limb's centre (near the cross) or its radius (near the circle); any other press and
// release in one place is a click, reported in image pixels.
class ScanCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit ScanCanvas(QWidget *parent = nullptr);

    void setImage(const QImage &grey);
    void setOverlay(ScanOverlay overlay);
    const ScanOverlay &overlay() const { return overlay_; }

    double zoom() const { return zoom_; }
    // Resizes to the image at `zoom` (kept between kLeastZoom and kMostZoom).
    void setZoom(double zoom);
    QPointF widgetFromImage(QPointF pixel) const;
    QPointF imageFromWidget(QPointF point) const;

    static constexpr double kLeastZoom = 0.02;
    static constexpr double kMostZoom = 8;

    // What the window does with the mouse and the wheel.
    std::function<void(QPointF pixel)> clicked;
    // A press away from the limb's handles moved and let go elsewhere.
    std::function<void(QPointF from, QPointF to)> dragged;
    std::function<void(QPointF centre, double radiusPx)> limbDragged;
    std::function<void(double factor, QPointF at)> wheelZoom; // at: widget point

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    enum class Drag { None, Centre, Radius, Click };
    QTransform imageToWidget() const;

    QImage image_;
    QPixmap reduced_; // the image at a zoom below 1, made once per zoom
    double reducedZoom_ = 0;
    double zoom_ = 1;
    ScanOverlay overlay_;
    Drag drag_ = Drag::None;
    QPointF pressedAt_; // widget
};

} // namespace orvanek
