#include "testregistry.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    // The results window's tests need widgets; the model tests run alike.
    QApplication app(argc, argv);
    return orvanek::testing::runRegisteredTests(argc, argv);
}
