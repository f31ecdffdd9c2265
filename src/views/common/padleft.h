#pragma once

#include <QFont>
#include <QString>

namespace orvanek {

// The main window's canvas font, "Ms sans Serif" at size 8: number columns are measured
// with it whatever canvas they are drawn on.
QFont canvasFont();

// Right-aligns a number text in a column `width` pixels wide by putting spaces in front
// of it. A space counts as 3 pixels and the padding stays one space short of the column;
// at most 15 spaces. The text is measured with canvasFont().
QString padLeft(const QString &text, int width);

// The same rule for a text of known pixel width.
int padSpaces(int textWidth, int width);

} // namespace orvanek
