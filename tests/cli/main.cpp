#include "testregistry.h"

#include <QGuiApplication>

int main(int argc, char *argv[]) {
    // render paints text, which needs a GUI application; the offscreen platform will do.
    QGuiApplication app(argc, argv);
    return orvanek::testing::runRegisteredTests(argc, argv);
}
