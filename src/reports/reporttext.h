#pragma once

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QString>

namespace orvanek {

// The reports' font: "Ms sans Serif", or where it is missing a sans serif of about its
// width, whose line (ascent and descent) is `cellHeight` pixels of the device drawn on, as
// the tables' row heights were made for.
QFont reportFont(int cellHeight, bool bold = false);

// Writes texts by the top-left corner of their line, as every report places them. The
// font is set only when it changes, which keeps a page of a few hundred texts cheap.
class TopLeftWriter {
  public:
    explicit TopLeftWriter(QPainter &painter) : painter_(painter) {}
    void setFont(int cellHeight, bool bold = false);
    void write(QPoint topLeft, const QString &text);

  private:
    QPainter &painter_;
    int cellHeight_ = 0;
    bool bold_ = false;
    qreal ascent_ = 0;
};

} // namespace orvanek
