#pragma once

#include <QIcon>
#include <QString>

namespace orvanek {

// The picture of a tool button of the main window, by the button's object name, drawn for
// this program (SVG in its resources, sharp at any size). A null icon for the buttons whose
// letters say more than a picture could: the quantities g, f, r, CV … and the results'
// tables.
QIcon toolButtonIcon(const QString &buttonName);

} // namespace orvanek
