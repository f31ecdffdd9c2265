#include "app/coordinatemodedialog.h"
#include "app/mainwindow.h"
#include "app/qtdialogs.h"
#include "data/datalock.h"
#include "data/observationstore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTimer>

#include <cstdio>

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

} // namespace

int main(int argc, char *argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanek"));
    app.setStyle(new HintStyle);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    // --startup-time: print the milliseconds to the first painted main window and quit.
    const bool measureStartup = args.removeAll(QStringLiteral("--startup-time")) > 0;
    const QString dataDir = args.isEmpty() ? QDir::currentPath() : args.first();
    if (!QFileInfo(dataDir).isDir()) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvanek"),
                              QStringLiteral("Adresář %1 neexistuje.").arg(dataDir));
        return 1;
    }
    const auto lock = orvanek::lockDataDirectory(dataDir);
    if (!lock) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvanek"),
                              orvanek::dataDirectoryInUseMessage(dataDir));
        return 1;
    }

    orvanek::ObservationStore store;
    orvanek::QtDialogs dialogs;
    orvanek::MainWindow window(store, dialogs, dataDir, orvanek::askCoordinateMode);
    dialogs.setParent(&window);
    if (!window.FormCreate())
        return 1;
    window.createViews();

    if (measureStartup) {
        QTimer::singleShot(0, &window, [&] {
            window.repaint();
            std::printf("%lld ms\n", static_cast<long long>(sinceStart.elapsed()));
            std::exit(0);
        });
    }
    return app.exec();
}
