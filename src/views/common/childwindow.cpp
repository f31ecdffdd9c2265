#include "views/common/childwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace orvanek {

namespace {
constexpr const char *kWatched = "orvanekClosesOnDeactivation";
constexpr Qt::WindowStates kNotNormal =
    Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

QMdiSubWindow *subWindowOf(QWidget *view) {
    return qobject_cast<QMdiSubWindow *>(view->parentWidget());
}
} // namespace

void closeView(QWidget *view) {
    if (QMdiSubWindow *sub = subWindowOf(view))
        sub->close();
    else
        view->close();
}

void closeOnDeactivation(QWidget *view, std::function<void()> deactivate) {
    QMdiSubWindow *sub = subWindowOf(view);
    if (!sub || !sub->mdiArea() || sub->property(kWatched).toBool())
        return;
    sub->setProperty(kWatched, true);
    if (!deactivate)
        deactivate = [sub] { sub->close(); };
    QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, sub,
                     [sub, deactivate](QMdiSubWindow *active) {
                         // nullptr: no sub-window is active because the program is not.
                         if (active && active != sub)
                             QTimer::singleShot(0, sub, deactivate);
                     });
}

void keepNormalSize(QMdiSubWindow *sub) {
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, sub,
                     [sub](Qt::WindowStates, Qt::WindowStates now) {
                         // Once the area has finished what it was doing with the state.
                         if (now & kNotNormal)
                             QTimer::singleShot(0, sub, [sub] {
                                 if (sub->windowState() & kNotNormal)
                                     sub->showNormal();
                             });
                     });
}

} // namespace orvanek
