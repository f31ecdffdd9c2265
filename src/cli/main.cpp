#include "cli/cli.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    // "render" paints text, which needs a GUI application. The command line never opens
    // a window, so it runs on the offscreen platform unless the caller chose another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    orvanek::CliStreams streams{stdout, stderr};
    return orvanek::runCli(arguments, streams);
}
