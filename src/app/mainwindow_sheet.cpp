// The main window's part in the observing sheet and the comparison with SILSO: the two menu
// commands, added to the menus beside the others.
#include "app/mainwindow.h"

#include "data/observationstore.h"
#include "views/drawing/drawingwindow.h"
#include "views/sheet/sheetcommand.h"
#include "views/silso/silsowindow.h"

#include <QAction>
#include <QDateTime>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace orvanek {

void MainWindow::createSheetCommands() {
    const auto add = [this](const char *name, const QString &caption,
                            void (MainWindow::*handler)()) {
        QAction *a = actions_.add(this, name, caption);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    // Under "Zadávání" after the drawing's print, where the other paper is.
    QAction *sablona = add("sablona", tr("Šablona pro &kresbu…"), &MainWindow::sablonaClick);
    if (auto *zadavani = menuBar()->findChild<QMenu *>(QStringLiteral("zadavani"))) {
        QAction *before = nullptr; // the separator N1 above "Konec"
        for (QAction *item : zadavani->actions())
            if (item->objectName() == QLatin1String("N1"))
                before = item;
        zadavani->insertAction(before, sablona);
        zadavani->insertAction(before, createScanCommand()); // the sheet's scans after it
    }
    QAction *silso = add("srovnanisilso", tr("&Srovnání s SILSO…"), &MainWindow::srovnaniClick);
    if (auto *grafy = menuBar()->findChild<QMenu *>(QStringLiteral("Grafy1")))
        grafy->addAction(silso);
}

void MainWindow::sablonaClick() {
    // The sheet is mirrored as the drawing view is, so that it matches the observer's paper.
    const int orientX = drawing_ ? drawing_->orientX() : 1;
    const int orientY = drawing_ ? drawing_->orientY() : 1;
    printObservingSheet(store_, dialogs_, orientX, orientY, QDateTime::currentDateTimeUtc());
}

void MainWindow::srovnaniClick() {
    std::optional<SilsoFile> file = chooseSilsoFile(store_, dialogs_);
    if (!file)
        return;
    auto *window = new SilsoWindow(store_, dialogs_, std::move(*file));
    silsoWindow_ = window;
    showLargeView(window);
}

void MainWindow::showLargeView(QWidget *view) {
    QMdiSubWindow *sub = addView(view, true);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (mdi_->width() > 100 && mdi_->height() > 100)
        sub->setGeometry(5, 1, mdi_->width() - 10, mdi_->height() - 38);
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

SilsoWindow *MainWindow::silsoWindow() const {
    return silsoWindow_;
}

} // namespace orvanek
