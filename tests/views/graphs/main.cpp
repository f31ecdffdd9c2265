#include "testregistry.h"

#include <QGuiApplication>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    return orvanek::testing::runRegisteredTests(argc, argv);
}
