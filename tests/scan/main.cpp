#include "testregistry.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    return orvanek::testing::runRegisteredTests(argc, argv);
}
