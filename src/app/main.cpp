#include "app/coordinatemodedialog.h"
#include "app/mainwindow.h"
#include "app/qtdialogs.h"
#include "app/startup.h"
#include "data/datalock.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "language/language.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTimer>

#include <cstdio>
#include <new>

namespace {

// Hints appear 200 ms after the mouse stops over a button.
class HintStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 200;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

void printLine(FILE *stream, const QString &text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

// A reason not to start, said once: on standard error for a terminal or a script, and in
// a message box for a start from the desktop menu. Platforms that show no window
// (offscreen, minimal) get no box, which nobody could close there.
int refuseStart(const QString &message, int status) {
    printLine(stderr, QString(message).replace(QLatin1Char('\r'), QLatin1Char(' ')));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QStringLiteral("Orvanek"), message);
    return status;
}

// Exit statuses of the program.
constexpr int kStartFailed = 1; // the data could not be read, or another copy has them
constexpr int kWrongUsage = 2;  // the directory named cannot be a data directory

int runProgram(int argc, char *argv[]);

} // namespace

int main(int argc, char *argv[]) {
    // A save beyond `ulimit -f` fails with its cause, the old file kept, instead of ending
    // the program unseen with the lock left behind.
    orvanek::ignoreFileSizeSignal();
    try {
        return runProgram(argc, argv);
    } catch (const std::bad_alloc &) {
        // Memory runs out only with a data set far beyond any observer's; said, never an abort.
        printLine(stderr, QCoreApplication::translate("orvanek", "Nedostatek paměti."));
        return kStartFailed;
    }
}

namespace {

int runProgram(int argc, char *argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // --version and --help answer before any window system is asked for, so that they
    // work in a terminal without a display.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i)
        rawArgs << QString::fromLocal8Bit(argv[i]);
    // The language chosen in "Nastavení › Jazyk", else the environment's, with its formats.
    orvanek::Language systemLanguage = orvanek::Language::Czech;
    bool settingsRefused = false;
    const orvanek::Language language = orvanek::startLanguage(&systemLanguage, &settingsRefused);
    // A settings file left alone (a pipe, a device, a huge file) is said once, in the
    // language the program starts in, and the start goes on.
    auto sayRefusedSettings = [&] {
        QString problem;
        if (settingsRefused)
            orvanek::readLanguageChoice(orvanek::settingsFile(), &problem);
        if (!problem.isEmpty())
            printLine(stderr, problem);
    };
    switch (orvanek::readStartRequest(rawArgs, QString()).action) {
    case orvanek::StartRequest::Action::ShowVersion:
        printLine(stdout, orvanek::programVersionLine());
        return 0;
    case orvanek::StartRequest::Action::ShowHelp: {
        QCoreApplication core(argc, argv);
        orvanek::installProgramTranslation(core, language);
        sayRefusedSettings();
        printLine(stdout, orvanek::programUsage());
        return 0;
    }
    case orvanek::StartRequest::Action::Open:
        break;
    }

    QApplication app(argc, argv);
    orvanek::restoreNumericCLocale();
    QApplication::setApplicationName(QStringLiteral("Orvanek"));
    QApplication::setWindowIcon(orvanek::applicationIcon());
    orvanek::installProgramTranslation(app, language);
    orvanek::installQtTranslation(app, language);
    sayRefusedSettings();
    app.setStyle(new HintStyle);

    // Qt's own options (-platform, -style ...) are gone from arguments() by now.
    QStringList args = QApplication::arguments();
    args.removeFirst();
    const orvanek::StartRequest request = orvanek::readStartRequest(args, QDir::currentPath());
    const QString &dataDir = request.dataDir;
    if (const auto problem = orvanek::dataDirectoryProblem(dataDir))
        return refuseStart(*problem, kWrongUsage);
    const orvanek::DirectoryLock lock = orvanek::lockDataDirectory(dataDir);
    if (!lock && !lock.readOnly)
        return refuseStart(lock.refusal, kStartFailed);
    if (lock)
        orvanek::removeLeftovers(dataDir);

    orvanek::ObservationStore store;
    // A directory that cannot be written is opened to look at; saving says why it cannot.
    if (lock.readOnly)
        store.setReadOnly(lock.refusal);
    orvanek::QtDialogs dialogs;
    orvanek::MainWindow window(store, dialogs, dataDir, orvanek::askCoordinateMode);
    window.setLanguages(language, systemLanguage);
    dialogs.setParent(&window);
    if (!window.FormCreate())
        return kStartFailed;
    window.createViews();

    if (request.measureStartup) {
        QTimer::singleShot(0, &window, [&] {
            window.repaint();
            std::printf("%lld ms\n", static_cast<long long>(sinceStart.elapsed()));
            std::exit(0);
        });
    }
    return app.exec();
}

} // namespace
