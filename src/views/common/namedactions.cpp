#include "views/common/namedactions.h"

#include <QAction>

namespace orvanek {

QAction *NamedActions::add(QAction *action, const char *name) {
    action->setObjectName(QString::fromLatin1(name));
    byName_[action->objectName()] = action;
    return action;
}

QAction *NamedActions::add(QObject *parent, const char *name, const QString &caption) {
    return add(new QAction(caption, parent), name);
}

QAction *NamedActions::find(const QString &name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

} // namespace orvanek
