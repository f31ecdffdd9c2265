#pragma once

// What the graph windows share as child windows of the main window: they close themselves
// when another child window is activated.

class QWidget;

namespace orvanek {

// Once `view` sits in a sub-window of an MDI area: closes that sub-window as soon as another
// sub-window of the area is activated. The program losing activation as a whole (a dialog
// or another program in front) does not close it. Calling it again does nothing.
void closeOnDeactivation(QWidget *view);

// Closes the view's sub-window, or the view itself when it has none.
void closeView(QWidget *view);

} // namespace orvanek
