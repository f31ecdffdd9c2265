#include "viewtesthelpers.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <vector>

namespace orvanek::testing {
std::vector<TestFactory> &factories();
}

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    int failures = 0;
    for (auto factory : orvanek::testing::factories()) {
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
