#pragma once

#include <QByteArray>
#include <QString>

namespace orvanek {

// Code page 1250 (Central European Windows), the encoding of every text in the
// observation file, the instrument file and the ASCII export. Own table rather than
// a codec lookup: it does not depend on how Qt was built and runs in the hot export path.
QString decode1250(const char *bytes, qsizetype length);
QString decode1250(const QByteArray &bytes);
// Characters that code page 1250 cannot hold become '?'.
QByteArray encode1250(const QString &text);

} // namespace orvanek
