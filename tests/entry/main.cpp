#include "testregistry.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv); // the entry dialog is among the tests
    return orvanek::testing::runRegisteredTests(argc, argv);
}
