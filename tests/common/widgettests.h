#pragma once

#include <QApplication>
#include <QWidget>

namespace orvanek::testing {

// For cleanup() of every test that opens windows: hides whatever a test left on screen, a
// dialog a failing test never answered included, and deletes the ones that were to delete
// themselves on close, so the next test starts alone and a failure fails at once instead
// of waiting on a dialog. Hiding, not closing: a close would run the window's own close
// handling, which may ask the test's dialogs, gone with the test by now.
inline void closeTopLevelWidgets() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible())
            continue;
        widget->hide();
        if (widget->testAttribute(Qt::WA_DeleteOnClose))
            widget->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace orvanek::testing
