#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace orvanek::testing {

// The pages of a PDF file, -1 when it cannot be read: each page object says "/Type /Page",
// the page tree "/Type /Pages".
inline int pdfPageCount(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(file.readAll())
            .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

} // namespace orvanek::testing
