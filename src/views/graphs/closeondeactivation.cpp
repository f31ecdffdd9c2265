#include "views/graphs/closeondeactivation.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>
#include <QWidget>

namespace orvanek {

namespace {
constexpr const char *kWatched = "orvanekClosesOnDeactivation";

QMdiSubWindow *subWindowOf(QWidget *view) {
    return qobject_cast<QMdiSubWindow *>(view->parentWidget());
}
} // namespace

void closeOnDeactivation(QWidget *view) {
    QMdiSubWindow *sub = subWindowOf(view);
    if (!sub || !sub->mdiArea() || sub->property(kWatched).toBool())
        return;
    sub->setProperty(kWatched, true);
    QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, sub,
                     [sub](QMdiSubWindow *active) {
                         // nullptr: no sub-window is active because the program is not.
                         if (active && active != sub)
                             sub->close();
                     });
}

void closeView(QWidget *view) {
    if (QMdiSubWindow *sub = subWindowOf(view))
        sub->close();
    else
        view->close();
}

} // namespace orvanek
