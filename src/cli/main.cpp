#include "cli/cli.h"
#include "data/safefile.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <new>

namespace {

QtMessageHandler gQtHandler = nullptr;

// Painting starts a GUI application, which on a machine without a desktop session warns that
// XDG_RUNTIME_DIR is not set. The command line keeps nothing at run time, so the line tells
// the user nothing about the command and is dropped; every other message goes on as before.
void dropRuntimeDirNotice(QtMsgType type, const QMessageLogContext &context,
                          const QString &message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    gQtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[]) {
    // A write beyond `ulimit -f` fails with its cause instead of ending the program unseen.
    orvanek::ignoreFileSizeSignal();
    // "render" paints text, which needs a GUI application; the other commands only read
    // and write files and stay quiet about displays. The command line never opens a
    // window, so painting runs on the offscreen platform unless the caller chose another.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<QCoreApplication> app;
    if (orvanek::cliPaints(words)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        gQtHandler = qInstallMessageHandler(dropRuntimeDirNotice);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    orvanek::installProgramTranslation(
        *app, orvanek::cliLanguage(
                  words, orvanek::environmentLanguage(orvanek::LocaleEnvironment::current())));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    orvanek::CliStreams streams{stdout, stderr};
    try {
        return orvanek::runCli(arguments, streams);
    } catch (const std::bad_alloc &) {
        // Whatever asked for more memory than there is: a data problem with a message, the
        // lock released on the way out, never an abort.
        const QByteArray message =
            QCoreApplication::translate("Cli", "nedostatek paměti, příkaz nebyl dokončen").toUtf8();
        std::fprintf(stderr, "%s\n", message.constData());
        return orvanek::CliDataProblem;
    }
}
