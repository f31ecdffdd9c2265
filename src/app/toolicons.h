#pragma once

#include <QIcon>
#include <QString>

namespace orvanek {

// The picture of a tool button of the main window, by the button's object name, drawn for
// this program (SVG in its resources, sharp at any size); every button of the panels has one.
// A null icon for any other name.
QIcon toolButtonIcon(const QString &buttonName);

} // namespace orvanek
