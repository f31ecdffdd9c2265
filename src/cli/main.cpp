#include "cli/cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    orvanek::CliStreams streams{stdout, stderr};
    return orvanek::runCli(arguments, streams);
}
