#include "views/common/viewcanvas.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <utility>

namespace orvanek {

SidewaysCanvas::SidewaysCanvas(QWidget *window, const QString &objectName, int scrollStep,
                               std::function<void(QPainter &)> paint, std::function<void()> resized)
    : ViewCanvas(objectName, window), paint_(std::move(paint)), resized_(std::move(resized)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    scrollBar_ = new QScrollBar(Qt::Horizontal, window);
    scrollBar_->setObjectName(QStringLiteral("HorzScrollBar"));
    scrollBar_->setSingleStep(scrollStep);
    connect(scrollBar_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(this);
    layout->addWidget(scrollBar_);
}

bool SidewaysCanvas::scrollByKey(int key) {
    static const std::pair<int, QAbstractSlider::SliderAction> kKeys[] = {
        {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum},
    };
    for (const auto &[k, action] : kKeys)
        if (k == key) {
            scrollBar_->triggerAction(action);
            return true;
        }
    return false;
}

void SidewaysCanvas::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    paint_(painter);
}

void SidewaysCanvas::resizeEvent(QResizeEvent *) {
    resized_();
}

void SidewaysCanvas::wheelEvent(QWheelEvent *event) {
    // The view only scrolls sideways: the wheel moves it in time.
    QCoreApplication::sendEvent(scrollBar_, event);
}

} // namespace orvanek
