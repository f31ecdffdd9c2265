#pragma once

#include "data/setaside.h"

#include <QByteArray>

namespace orvanek::testing {

// The bytes data1.removed keeps, its entries' headers left out, in the order they were set
// aside.
inline QByteArray setAsideBytes(const QByteArray &removedFile) {
    QByteArray bytes;
    for (const SetAsideEntry &entry : readSetAsideEntries(removedFile))
        bytes += entry.bytes;
    return bytes;
}

} // namespace orvanek::testing
