#pragma once

#include <QPalette>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;
class QScrollBar;

namespace orvanek {

// The white surface a view is painted on, one widget pixel per view pixel. Each window's
// canvas adds its own painting and events.
class ViewCanvas : public QWidget {
  public:
    ViewCanvas(const QString &objectName, QWidget *parent) : QWidget(parent) {
        setObjectName(objectName);
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
    }
};

// The canvas of a view that scrolls only sideways (the graphs), laid out in `window` above
// its horizontal scroll bar "HorzScrollBar": the window paints it and follows its size; the
// bar and the mouse wheel move it.
class SidewaysCanvas : public ViewCanvas {
  public:
    SidewaysCanvas(QWidget *window, const QString &objectName, int scrollStep,
                   std::function<void(QPainter &)> paint, std::function<void()> resized);
    QScrollBar *scrollBar() const { return scrollBar_; }
    // The window's keys that move the view: the arrows by a step, Page Up and Page Down by
    // the width, Home and End to either end. False for any other key.
    bool scrollByKey(int key);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    std::function<void(QPainter &)> paint_;
    std::function<void()> resized_;
    QScrollBar *scrollBar_ = nullptr;
};

} // namespace orvanek
