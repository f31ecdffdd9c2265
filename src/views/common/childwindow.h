#pragma once

// What the views share as child windows of the main window: they close themselves when
// another child window is activated, and their close command closes the frame around them.

#include <functional>

class QMdiSubWindow;
class QWidget;

namespace orvanek {

// Closes the view's sub-window, or the view itself when it has none.
void closeView(QWidget *view);

// Once `view` sits in a sub-window of an MDI area: as soon as another sub-window of the area
// is activated, `deactivate` runs (without one, the view's sub-window closes), once the
// activation has been handled. The program losing activation as a whole (a dialog of its own,
// such as a print dialog, or another program in front) does not count. Calling it again for
// the same view does nothing.
void closeOnDeactivation(QWidget *view, std::function<void()> deactivate = {});

// A sub-window without title-bar buttons (the date list, the drawing view) would have no way
// back from a maximised or minimised state: whatever puts it there, it returns at once to
// its normal size and place.
void keepNormalSize(QMdiSubWindow *sub);

} // namespace orvanek
