// The main window's part in the graph windows: the menu commands that open them, the
// buttons of their tool panels, and the panels shown while they are open.
#include "app/mainwindow.h"

#include "views/graphs/graphwindow.h"
#include "views/graphs/smoothedwindow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <QToolButton>

namespace orvanek {

namespace {

// The graph panel's buttons: quantities, panel modes and the scale.
struct GraphButton {
    const char *name;
    void (GraphWindow::*handler)();
};
const GraphButton kGraphButtons[] = {
    {"gb", &GraphWindow::ggrafClick},        {"fb", &GraphWindow::fgrafClick},
    {"rb", &GraphWindow::rrelativniClick},   {"vsechny", &GraphWindow::vsechnyClick},
    {"celkovy", &GraphWindow::celkovyClick}, {"sevrni", &GraphWindow::severgClick},
    {"jizni", &GraphWindow::jihgClick},      {"stupnice", &GraphWindow::stupniceClick},
};
// cvb, snb, rbb, plochb and polob have hints but no action: they stay as they are.

const std::pair<GraphQuantity, const char *> kGraphQuantityButtons[] = {
    {GraphQuantity::Groups, "gb"}, {GraphQuantity::Spots, "fb"}, {GraphQuantity::Relative, "rb"}};
const std::pair<DisplayMode, const char *> kModeButtons[] = {{DisplayMode::All, "vsechny"},
                                                             {DisplayMode::Whole, "celkovy"},
                                                             {DisplayMode::North, "sevrni"},
                                                             {DisplayMode::South, "jizni"}};

// The smoothed panel's buttons, the eight quantities in their order, and the scale.
struct SmoothedButton {
    const char *name;
    SmoothedQuantity quantity;
    void (SmoothedWindow::*handler)();
};
const SmoothedButton kSmoothedButtons[] = {
    {"gv", SmoothedQuantity::Groups, &SmoothedWindow::gvyhlClick},
    {"fv", SmoothedQuantity::Spots, &SmoothedWindow::fvyhlClick},
    {"rv", SmoothedQuantity::Relative, &SmoothedWindow::rvyhlClick},
    {"cvv", SmoothedQuantity::ClassSum, &SmoothedWindow::cvvyhlClick},
    {"snv", SmoothedQuantity::Pettis, &SmoothedWindow::snvyhlClick},
    {"rbv", SmoothedQuantity::Beck, &SmoothedWindow::rbvyhlClick},
    {"plochv", SmoothedQuantity::Area, &SmoothedWindow::plochavyhlClick},
    {"polokouv", SmoothedQuantity::HemisphereArea, &SmoothedWindow::polokvyhlClick},
};

} // namespace

void MainWindow::connectGraphCommands() {
    const auto enable = [this](QAction *a, void (MainWindow::*handler)()) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, handler);
    };
    enable(action("graf"), &MainWindow::grafClick);
    enable(action("vyhlazovaci"), &MainWindow::vyhlazovaciClick);
    // Hidden and disabled as it always was; it would open the asymmetry window.
    connect(action("asymetrie"), &QAction::triggered, this, &MainWindow::asymetrieClick);

    const auto button = [this](const char *name) {
        QToolButton *b = toolBar_->findChild<QToolButton *>(QString::fromLatin1(name));
        b->setEnabled(true);
        return b;
    };
    connect(button("grafyz"), &QToolButton::clicked, this, &MainWindow::grafClick);
    connect(button("vyhladitz"), &QToolButton::clicked, this, &MainWindow::vyhlazovaciClick);
    for (const GraphButton &b : kGraphButtons)
        connect(button(b.name), &QToolButton::clicked, this, [this, handler = b.handler] {
            if (graphWindow_)
                (graphWindow_->*handler)();
        });
    for (const SmoothedButton &b : kSmoothedButtons)
        connect(button(b.name), &QToolButton::clicked, this, [this, handler = b.handler] {
            if (smoothedWindow_)
                (smoothedWindow_->*handler)();
        });
    connect(button("stupnicevyhl"), &QToolButton::clicked, this, [this] {
        if (smoothedWindow_)
            smoothedWindow_->stupnicClick();
    });
}

GraphWindow *MainWindow::graphWindow() const {
    return graphWindow_;
}

SmoothedWindow *MainWindow::smoothedWindow() const {
    return smoothedWindow_;
}

void MainWindow::pressButton(const QString &name) {
    if (QToolButton *b = toolBar_->findChild<QToolButton *>(name))
        b->setChecked(true);
}

void MainWindow::grafClick() {
    auto *window = new GraphWindow(store_, dialogs_);
    graphWindow_ = window;
    action("graf")->setEnabled(false);
    showPanel(QStringLiteral("prografy"));
    pressButton(QStringLiteral("vsechny"));
    pressButton(QStringLiteral("gb"));
    connect(window, &GraphWindow::quantityChosen, this, [this](GraphQuantity quantity) {
        for (const auto &[q, name] : kGraphQuantityButtons)
            if (q == quantity)
                pressButton(QString::fromLatin1(name));
    });
    connect(window, &GraphWindow::modeChosen, this, [this](DisplayMode mode) {
        for (const auto &[m, name] : kModeButtons)
            if (m == mode)
                pressButton(QString::fromLatin1(name));
    });
    connect(window, &GraphWindow::closed, this, [this, window] {
        // A newer graph window opened by `grafyz` keeps the menu item and its panel.
        if (graphWindow_ && graphWindow_ != window)
            return;
        action("graf")->setEnabled(true);
        if (panelVisible(QStringLiteral("prografy")))
            showPanel(QStringLiteral("zakladni"));
    });
    QMdiSubWindow *sub = addView(window, true);
    sub->setGeometry(GraphWindow::placement(mdi_->viewport()->size()));
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

void MainWindow::vyhlazovaciClick() {
    smoothedMode = static_cast<int>(SmoothedMode::Smoothed);
    openSmoothedWindow();
}

void MainWindow::asymetrieClick() {
    smoothedMode = static_cast<int>(SmoothedMode::Asymmetry);
    openSmoothedWindow();
}

void MainWindow::openSmoothedWindow() {
    const auto mode = static_cast<SmoothedMode>(smoothedMode);
    auto *window = new SmoothedWindow(store_, dialogs_, mode);
    smoothedWindow_ = window;
    showPanel(QStringLiteral("provyhlazovaci"));
    // The scale button belongs to the asymmetry window only.
    toolBar_->findChild<QToolButton *>(QStringLiteral("stupnicevyhl"))
        ->setVisible(mode == SmoothedMode::Asymmetry);
    pressButton(QStringLiteral("gv"));
    connect(window, &SmoothedWindow::quantityChosen, this, [this](SmoothedQuantity quantity) {
        for (const SmoothedButton &b : kSmoothedButtons)
            if (b.quantity == quantity)
                pressButton(QString::fromLatin1(b.name));
    });
    connect(window, &SmoothedWindow::closed, this, [this, window] {
        if (smoothedWindow_ && smoothedWindow_ != window)
            return;
        if (panelVisible(QStringLiteral("provyhlazovaci")))
            showPanel(QStringLiteral("zakladni"));
    });
    QMdiSubWindow *sub = addView(window, true);
    sub->setGeometry(SmoothedWindow::placement(mdi_->viewport()->size()));
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

} // namespace orvanek
