#pragma once

#include <QTest>

namespace orvanek::testing {

// The drawing view's four orientations as table rows: columns orientX and orientY, rows
// named by the buttons' captions.
inline void addOrientationRows() {
    QTest::addColumn<int>("orientX");
    QTest::addColumn<int>("orientY");
    QTest::newRow("Z - V, S - J") << 1 << 1;
    QTest::newRow("V - Z") << -1 << 1;
    QTest::newRow("J - S") << 1 << -1;
    QTest::newRow("both mirrored") << -1 << -1;
}

} // namespace orvanek::testing
