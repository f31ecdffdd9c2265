#include "testregistry.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    return orvanek::testing::runRegisteredTests(argc, argv);
}
