#pragma once

#include <QApplication>
#include <QWidget>

namespace orvanek::testing {

// For cleanup() of every test that opens windows: hides whatever a test left on screen,
// a dialog a failing test never answered included (some refuse to be closed), and lets
// the closed ones delete themselves, so the next test starts alone and a failure fails
// at once instead of waiting on a dialog.
inline void closeTopLevelWidgets() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible())
            continue;
        widget->close();
        widget->hide();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace orvanek::testing
