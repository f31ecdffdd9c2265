#include "views/graphs/graphwindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"
#include "views/graphs/graphpainter.h"

#include "views/common/viewcanvas.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orvanek {

namespace {
constexpr int kScrollStep = 8;    // pixels per arrow of the scroll bar
constexpr int kFrameMarginX = 10; // the window is this much narrower than the client area
constexpr int kFrameMarginY = 40; // and this much lower
} // namespace

GraphWindow::GraphWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm6"));
    viewLabel_ = initialViewLabel();
    buildTimeAxis(series_, store_, kScreenPixelsPerDay);

    // The panels, one widget pixel per view pixel; the scroll bar moves them in time.
    canvas_ = new SidewaysCanvas(
        this, QStringLiteral("grafy"), kScrollStep,
        [this](QPainter &painter) { FormPaint(painter); }, [this] { FormResize(); });
    scrollBar_ = canvas_->scrollBar();
    createMenu();
    static_cast<QVBoxLayout *>(layout())->setMenuBar(
        findChild<QMenuBar *>(QStringLiteral("MainMenu1")));
    setFocusPolicy(Qt::StrongFocus);

    connect(&store_, &ObservationStore::recordsChanged, this, &GraphWindow::recordsChanged);
    updateCaption();
}

GraphWindow::~GraphWindow() = default;

QRect GraphWindow::placement(QSize client) {
    return {1, 1, client.width() - kFrameMarginX, client.height() - kFrameMarginY};
}

void GraphWindow::createMenu() {
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto add = [this](const char *name, const QString &caption) {
        return actions_.add(this, name, caption);
    };
    auto menu = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    bar->addAction(add("zaviratgraf", tr("&Zavřít")));
    connect(action("zaviratgraf"), &QAction::triggered, this, &GraphWindow::zaviratgrafClick);

    QMenu *vybergraf = menu("vybergraf", tr("&Výběr grafu"));
    auto *quantities = new QActionGroup(this);
    const struct {
        const char *name;
        QString caption;
        void (GraphWindow::*handler)();
    } quantityItems[] = {
        {"ggraf", tr("&g    Počet skupin"), &GraphWindow::ggrafClick},
        {"fgraf", tr("&f      Počet skvrn"), &GraphWindow::fgrafClick},
        {"rrelativni", tr("&r     Relativní číslo"), &GraphWindow::rrelativniClick},
    };
    for (const auto &item : quantityItems) {
        QAction *a = add(item.name, item.caption);
        a->setCheckable(true);
        quantities->addAction(a);
        vybergraf->addAction(a);
        connect(a, &QAction::triggered, this, item.handler);
    }
    action("ggraf")->setChecked(true);
    // CV, SN, RB and the two areas are offered only by the smoothed graphs: here they are
    // hidden and do nothing.
    const std::pair<const char *, QString> hiddenItems[] = {
        {"cvgraf", tr("CV  (McIntoshovo číslo)")},  {"sngraf", tr("SN  (Pettisovo číslo)")},
        {"rbgraf", tr("RB  (Beckovo číslo)")},      {"plochagraf", tr("Plocha skupin")},
        {"polokoulegraf", tr("Plocha  polokoule")},
    };
    for (const auto &[name, caption] : hiddenItems) {
        QAction *a = add(name, caption);
        a->setVisible(false);
        vybergraf->addAction(a);
    }

    QMenu *typzobraz = menu("typzobraz", tr("Ty&p zobrazení"));
    auto *modes = new QActionGroup(this);
    const struct {
        const char *name;
        QString caption;
        void (GraphWindow::*handler)();
    } modeItems[] = {
        {"vsechny", tr("Všechny tři"), &GraphWindow::vsechnyClick},
        {"celkovy", tr("Celkový"), &GraphWindow::celkovyClick},
        {"severg", tr("Sever"), &GraphWindow::severgClick},
        {"jihg", tr("Jih"), &GraphWindow::jihgClick},
    };
    for (const auto &item : modeItems) {
        QAction *a = add(item.name, item.caption);
        a->setCheckable(true);
        modes->addAction(a);
        typzobraz->addAction(a);
        connect(a, &QAction::triggered, this, item.handler);
    }
    action("vsechny")->setChecked(true);

    bar->addAction(add("tiskgraf", tr("&Tisk ")));
    connect(action("tiskgraf"), &QAction::triggered, this, &GraphWindow::tiskgrafClick);
    bar->addAction(add("stupnice", tr("&Stupnice")));
    connect(action("stupnice"), &QAction::triggered, this, &GraphWindow::stupniceClick);

    // Saving the window as a picture was never finished: the submenu stays hidden.
    QMenu *dosouboru = menu("dosouboru", tr("&Rozměr uložení"));
    for (const QString &caption :
         {tr("400x400"), tr("500x500"), tr("600x600"), tr("Celé okno"), tr("Uložit ")})
        dosouboru->addAction(caption);
    dosouboru->menuAction()->setVisible(false);
}

QAction *GraphWindow::action(const QString &name) const {
    return actions_.find(name);
}

QWidget *GraphWindow::canvas() const {
    return canvas_;
}

int GraphWindow::scrollPosition() const {
    return scrollBar_->value();
}

void GraphWindow::setScrollPosition(int position) {
    scrollBar_->setValue(position);
}

GraphGeometry GraphWindow::screenGeometry() const {
    return screenGraphGeometry(canvas_->width(), canvas_->height(), mode_, scrollBar_->value());
}

GraphGeometry GraphWindow::preparedGeometry() {
    const GraphGeometry geometry = screenGeometry();
    // The heights follow the grid: computed at the first paint and again whenever the
    // division's height has changed since, so the curves always match the value labels.
    if (!seriesReady_ || series_.divisionHeight != geometry.panel.divisionHeight) {
        recomputeSelected(series_, store_, geometry.panel.divisionHeight);
        seriesReady_ = true;
        modelPlaced_ = false;
        updateCaption();
    }
    return geometry;
}

const GraphModel &GraphWindow::placedModel(const GraphGeometry &geometry) {
    const GraphGeometry &was = modelGeometry_;
    if (!modelPlaced_ || was.mode != geometry.mode || was.width != geometry.width ||
        was.height != geometry.height || was.step != geometry.step ||
        was.panel.panelHeight != geometry.panel.panelHeight) {
        model_ = buildGraphModel(series_, geometry);
        modelGeometry_ = geometry;
        modelPlaced_ = true;
    }
    return model_;
}

GraphView GraphWindow::currentView() {
    GraphView view;
    view.geometry = preparedGeometry();
    view.series = series_;
    view.model = buildGraphModel(series_, view.geometry);
    return view;
}

void GraphWindow::FormPaint(QPainter &painter) {
    const GraphGeometry geometry = preparedGeometry();
    paintGraphs(painter, placedModel(geometry), geometry);
    if (scaleShown_)
        paintGraphScale(painter, graphScale(series_, geometry, width()), geometry);
}

void GraphWindow::FormResize() {
    updateScrollRange();
    canvas_->update();
}

void GraphWindow::updateScrollRange() {
    const int width = canvas_->width();
    const GraphScroll scroll = graphScroll(series_, width);
    scrollBar_->setRange(0, std::max(scroll.range - width, 0));
    scrollBar_->setPageStep(std::max(width, 1));
    // The newest data in view when the window first has its size.
    if (!scrollPlaced_ && isVisible() && width > 0) {
        scrollPlaced_ = true;
        scrollBar_->setValue(scroll.position);
    }
}

void GraphWindow::updateCaption() {
    setWindowTitle(graphCaption(viewLabel_, series_.quantityLabel));
}

void GraphWindow::recordsChanged() {
    buildTimeAxis(series_, store_, kScreenPixelsPerDay);
    seriesReady_ = false;
    modelPlaced_ = false;
    updateScrollRange();
    canvas_->update();
}

void GraphWindow::chooseQuantity(GraphQuantity quantity, const char *item) {
    selectQuantity(series_, store_, quantity, screenGeometry().panel.divisionHeight);
    seriesReady_ = true;
    modelPlaced_ = false;
    scaleShown_ = false;
    action(QString::fromLatin1(item))->setChecked(true);
    updateCaption();
    canvas_->update();
    emit quantityChosen(quantity);
}

void GraphWindow::ggrafClick() {
    chooseQuantity(GraphQuantity::Groups, "ggraf");
}

void GraphWindow::fgrafClick() {
    chooseQuantity(GraphQuantity::Spots, "fgraf");
}

void GraphWindow::rrelativniClick() {
    chooseQuantity(GraphQuantity::Relative, "rrelativni");
}

void GraphWindow::chooseMode(DisplayMode mode, const char *item) {
    mode_ = mode;
    viewLabel_ = orvanek::viewLabel(mode);
    scaleShown_ = false;
    action(QString::fromLatin1(item))->setChecked(true);
    updateCaption();
    canvas_->update();
    emit modeChosen(mode);
}

void GraphWindow::vsechnyClick() {
    chooseMode(DisplayMode::All, "vsechny");
}

void GraphWindow::celkovyClick() {
    chooseMode(DisplayMode::Whole, "celkovy");
}

void GraphWindow::severgClick() {
    chooseMode(DisplayMode::North, "severg");
}

void GraphWindow::jihgClick() {
    chooseMode(DisplayMode::South, "jihg");
}

void GraphWindow::stupniceClick() {
    scaleShown_ = true;
    canvas_->update();
}

void GraphWindow::tiskgrafClick() {
    QAction *tiskgraf = action("tiskgraf");
    if (!tiskgraf->isEnabled())
        return;
    tiskgraf->setEnabled(false); // one print at a time
    preparedGeometry();          // the heights of the present size, should no paint have come yet
    const GraphSeries screen = series_;
    const DisplayMode mode = mode_;
    const int scroll = scrollBar_->value();
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName = tr("Grafy.pdf");
    request.page = graphPage();
    request.askSetup = true;
    request.pages = [&](PrintJob &job) {
        stupniceClick(); // the window shows the values the page is read by
        return printGraphs(job, screen, store_, mode, scroll);
    };
    printView(dialogs_, store_.dataDirectory(), request);
    tiskgraf->setEnabled(true);
    plneoknoClick();
}

void GraphWindow::plneoknoClick() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()); sub && sub->mdiArea())
        sub->setGeometry(placement(sub->mdiArea()->viewport()->size()));
    // The caption the window opened with, unless it shows a single panel: then its name
    // stays, not three panels that are not shown.
    viewLabel_ = mode_ == DisplayMode::All ? initialViewLabel() : orvanek::viewLabel(mode_);
    buildTimeAxis(series_, store_, kScreenPixelsPerDay);
    seriesReady_ = false; // the heights follow at the new size
    modelPlaced_ = false;
    updateCaption();
    updateScrollRange();
    canvas_->update();
}

void GraphWindow::zaviratgrafClick() {
    closeView(this);
}

void GraphWindow::FormDeactivate() {
    closeView(this);
}

void GraphWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    emit closed();
}

void GraphWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    closeOnDeactivation(this);
    updateScrollRange();
}

void GraphWindow::keyPressEvent(QKeyEvent *event) {
    if (canvas_->scrollByKey(event->key()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

} // namespace orvanek
