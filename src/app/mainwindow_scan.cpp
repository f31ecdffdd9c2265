// The main window's part in entering drawings from their scans: "Zadávání › Ze skenu…", and
// the scan handed to the entry dialog while it is open.
#include "app/mainwindow.h"

#include "data/observationstore.h"
#include "scan/scanwindow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace orvanek {

void MainWindow::createScanCommands() {
    QAction *zeskenu = actions_.add(this, "zeskenu", tr("Ze &skenu…"));
    connect(zeskenu, &QAction::triggered, this, &MainWindow::zeskenuClick);
    // Under "Zadávání" after the sheet it is made from.
    if (auto *zadavani = menuBar()->findChild<QMenu *>(QStringLiteral("zadavani"))) {
        QAction *before = nullptr; // the separator N1 above "Konec"
        for (QAction *item : zadavani->actions())
            if (item->objectName() == QLatin1String("N1"))
                before = item;
        zadavani->insertAction(before, zeskenu);
    }
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
    QMdiSubWindow *sub = addView(window, true);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (mdi_->width() > 100 && mdi_->height() > 100)
        sub->setGeometry(5, 1, mdi_->width() - 10, mdi_->height() - 38);
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

ScanWindow *MainWindow::scanWindow() const {
    return scanWindow_;
}

void MainWindow::attachScan(EntryDialog *dialog) {
    if (scanWindow_)
        scanWindow_->attachEntryDialog(dialog);
}

} // namespace orvanek
