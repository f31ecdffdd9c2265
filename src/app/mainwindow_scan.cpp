// The main window's part in entering drawings from their scans: "Zadávání › Ze skenu…", and
// the scan handed to the entry dialog while it is open.
#include "app/mainwindow.h"

#include "data/observationstore.h"
#include "scan/scanwindow.h"

#include <QAction>

namespace orvanek {

QAction *MainWindow::createScanCommand() {
    QAction *zeskenu = actions_.add(this, "zeskenu", tr("Ze &skenu…"));
    connect(zeskenu, &QAction::triggered, this, &MainWindow::zeskenuClick);
    return zeskenu;
}

void MainWindow::zeskenuClick() {
    std::optional<ChosenScan> scan = chooseScan(store_, dialogs_);
    if (!scan)
        return;
    // One scan at a time: another one takes the place of the first.
    if (scanWindow_)
        scanWindow_->close();
    auto *window = new ScanWindow(store_, dialogs_, std::move(*scan));
    scanWindow_ = window;
    showLargeView(window);
}

ScanWindow *MainWindow::scanWindow() const {
    return scanWindow_;
}

void MainWindow::attachScan(EntryDialog *dialog) {
    if (scanWindow_)
        scanWindow_->attachEntryDialog(dialog);
}

} // namespace orvanek
