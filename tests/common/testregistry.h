#pragma once

#include <QObject>
#include <QTest>

#include <memory>
#include <vector>

namespace orvanek::testing {

// Several test classes in one test program per folder: each registers itself, and the
// folder's main() runs them all.
using TestFactory = QObject *(*)();

inline std::vector<TestFactory> &registeredTests() {
    static std::vector<TestFactory> list;
    return list;
}

inline int registerTest(TestFactory factory) {
    registeredTests().push_back(factory);
    return static_cast<int>(registeredTests().size());
}

inline int runRegisteredTests(int argc, char *argv[]) {
    int failures = 0;
    for (auto factory : registeredTests()) {
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace orvanek::testing

#define ORVANEK_REGISTER_TEST(Class)                                                               \
    static const int registered##Class =                                                           \
        orvanek::testing::registerTest([]() -> QObject * { return new Class; })
