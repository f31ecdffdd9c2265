#include "views/common/childwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace orvanek {

namespace {
constexpr const char *kWatched = "orvanekClosesOnDeactivation";

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

} // namespace orvanek
