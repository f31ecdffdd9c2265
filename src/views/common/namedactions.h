#pragma once

// The commands of a window kept by their names, so that the window's panels, its tests and
// the main window find them by the names they have always had.

#include <QString>

#include <map>

class QAction;
class QObject;

namespace orvanek {

class NamedActions {
  public:
    // Gives `action` the object name `name` and keeps it under that name; returns it.
    QAction *add(QAction *action, const char *name);
    // A new action of `parent` with this caption, named and kept as above.
    QAction *add(QObject *parent, const char *name, const QString &caption);
    // The action of that name; nullptr when there is none.
    QAction *find(const QString &name) const;

    auto begin() const { return byName_.begin(); }
    auto end() const { return byName_.end(); }

  private:
    std::map<QString, QAction *> byName_;
};

} // namespace orvanek
