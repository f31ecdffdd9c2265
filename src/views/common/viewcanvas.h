#pragma once

#include <QPalette>
#include <QString>
#include <QWidget>

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

} // namespace orvanek
