#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace orvanek {

// The main window's canvas font, "Ms sans Serif" at size 8: number columns are measured
// with it whatever canvas they are drawn on.
QFont canvasFont();

// Right-aligns number texts in columns. A space counts as 3 pixels and the padding stays
// one space short of the column; at most 15 spaces. The texts are measured with
// canvasFont(); one aligner serves a whole paint.
class ColumnAligner {
  public:
    ColumnAligner() : metrics_(canvasFont()) {}
    // The text with spaces in front of it, for a column `width` pixels wide.
    QString padLeft(const QString &text, int width) const;

  private:
    QFontMetrics metrics_;
};

// The padding rule for a text of known pixel width: the number of spaces.
int padSpaces(int textWidth, int width);

} // namespace orvanek
