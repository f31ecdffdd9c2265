#pragma once

#include <QProcessEnvironment>
#include <QStringList>

namespace orvanek::testing {

// This process's environment for a program run under a locale: no locale variable but the
// assignments given ("LANG=C", "LANGUAGE=en").
inline QProcessEnvironment localeEnvironment(const QStringList &assignments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_TIME", "LC_NUMERIC", "LANG"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &assignment : assignments)
        environment.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    return environment;
}

} // namespace orvanek::testing
