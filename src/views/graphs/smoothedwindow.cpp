#include "views/graphs/smoothedwindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"
#include "views/graphs/smoothedpainter.h"

#include "views/common/viewcanvas.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orvanek {

namespace {
constexpr int kScrollStep = 200;  // pixels per arrow of the scroll bar
constexpr int kFrameMarginX = 8;  // the window is this much narrower than the client area
constexpr int kFrameMarginY = 40; // and this much lower
// The width box: left at a quarter of the client width less this.
constexpr int kWidthBoxIndent = 130;
constexpr QRect kWidthBoxSize{0, 10, 161, 57};

// The menu item of each quantity, in the order of the tool panel's buttons.
struct QuantityItem {
    SmoothedQuantity quantity;
    const char *name;
    const char *caption;
    bool inMenu; // only g, f and r are offered by the window's own menu
    void (SmoothedWindow::*handler)();
};
const QuantityItem kQuantityItems[] = {
    {SmoothedQuantity::Groups, "gvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "&g    Počet skupin"), true,
     &SmoothedWindow::gvyhlClick},
    {SmoothedQuantity::Spots, "fvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "&f      Počet skvrn"), true,
     &SmoothedWindow::fvyhlClick},
    {SmoothedQuantity::Relative, "rvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "&r     Relativní číslo"), true,
     &SmoothedWindow::rvyhlClick},
    {SmoothedQuantity::ClassSum, "cvvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "CV  (McIntoshovo číslo)"), false,
     &SmoothedWindow::cvvyhlClick},
    {SmoothedQuantity::Pettis, "snvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "SN  (Pettisovo číslo)"), false,
     &SmoothedWindow::snvyhlClick},
    {SmoothedQuantity::Beck, "rbvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "RB  (Beckovo číslo)"), false,
     &SmoothedWindow::rbvyhlClick},
    {SmoothedQuantity::Area, "plochavyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "Plocha  skupin"), false,
     &SmoothedWindow::plochavyhlClick},
    {SmoothedQuantity::HemisphereArea, "polokvyhl",
     QT_TRANSLATE_NOOP("orvanek::SmoothedWindow", "Plocha  polokoule"), false,
     &SmoothedWindow::polokvyhlClick},
};
} // namespace

SmoothedWindow::SmoothedWindow(const ObservationStore &store, Dialogs &dialogs, SmoothedMode mode,
                               QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs), mode_(mode) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(smoothedCaption(mode));

    // The graph, one widget pixel per view pixel; the scroll bar moves it in time.
    canvas_ = new SidewaysCanvas(
        this, QStringLiteral("vyhlazene"), kScrollStep,
        [this](QPainter &painter) { FormPaint(painter); }, [this] { updateScrollRange(); });
    scrollBar_ = canvas_->scrollBar();
    createMenu();
    static_cast<QVBoxLayout *>(layout())->setMenuBar(
        findChild<QMenuBar *>(QStringLiteral("MainMenu1")));
    createWidthBox();
    setFocusPolicy(Qt::StrongFocus);

    connect(&store_, &ObservationStore::recordsChanged, this, [this] {
        series_.reset();
        updateScrollRange();
        canvas_->update();
    });
}

SmoothedWindow::~SmoothedWindow() = default;

QRect SmoothedWindow::placement(QSize client) {
    return {1, 1, client.width() - kFrameMarginX, client.height() - kFrameMarginY};
}

void SmoothedWindow::createMenu() {
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
    const bool smoothed = mode_ == SmoothedMode::Smoothed;

    bar->addAction(add("zaviratv", tr("&Zavřít")));
    connect(action("zaviratv"), &QAction::triggered, this, &SmoothedWindow::zaviratvClick);

    QMenu *vyberkrivku = menu("vyberkrivku", tr("&Výběr grafu"));
    auto *quantities = new QActionGroup(this);
    for (const QuantityItem &item : kQuantityItems) {
        QAction *a = add(item.name, tr(item.caption));
        a->setCheckable(true);
        a->setVisible(item.inMenu); // the others come from the main window's tool panel
        quantities->addAction(a);
        vyberkrivku->addAction(a);
        connect(a, &QAction::triggered, this, item.handler);
    }
    action("gvyhl")->setChecked(true);
    QAction *zvetsit = add("zvetsit", tr("Zvětš&ovat"));
    zvetsit->setVisible(smoothed);
    vyberkrivku->addAction(zvetsit);
    connect(zvetsit, &QAction::triggered, this, &SmoothedWindow::zvetsitClick);

    // The asymmetry graph's kinds were never drawn: the items do nothing.
    QMenu *typkrivky = menu("typkrivky", tr("Ty&p grafu"));
    for (const QString &caption : {tr("&Záznamový"), tr("&Měsíční"), tr("&Roční")})
        typkrivky->addAction(caption);
    typkrivky->menuAction()->setVisible(!smoothed);

    QAction *tiskvyhl = add("tiskvyhl", tr("&Tisk "));
    bar->addAction(tiskvyhl);
    // The asymmetry window has nothing to print.
    tiskvyhl->setEnabled(smoothed);
    connect(tiskvyhl, &QAction::triggered, this, &SmoothedWindow::tiskvyhlClick);
    QAction *stupnic = add("stupnic", tr("&Stupnice"));
    bar->addAction(stupnic);
    stupnic->setVisible(!smoothed);
    connect(stupnic, &QAction::triggered, this, &SmoothedWindow::stupnicClick);
}

void SmoothedWindow::createWidthBox() {
    widthBox_ = new QGroupBox(tr("Zvětšovat"), canvas_);
    widthBox_->setObjectName(QStringLiteral("GroupBox1"));
    widthBox_->setGeometry(kWidthBoxSize);
    widthBox_->setAutoFillBackground(true);
    auto *label = new QLabel(tr("Šířku"), widthBox_);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 24, 40, 20);
    widthEdit_ = new QLineEdit(widthBox_);
    widthEdit_->setObjectName(QStringLiteral("Edit1"));
    widthEdit_->setGeometry(48, 22, 30, 22);
    confirm_ = new QPushButton(tr("Potvrdit"), widthBox_);
    confirm_->setObjectName(QStringLiteral("Button1"));
    confirm_->setGeometry(84, 21, 70, 24);
    connect(confirm_, &QPushButton::clicked, this, &SmoothedWindow::Button1Click);
    connect(widthEdit_, &QLineEdit::returnPressed, this, &SmoothedWindow::Button1Click);
    widthBox_->hide();
}

QAction *SmoothedWindow::action(const QString &name) const {
    return actions_.find(name);
}

QWidget *SmoothedWindow::canvas() const {
    return canvas_;
}

int SmoothedWindow::scrollPosition() const {
    return scrollBar_->value();
}

void SmoothedWindow::setScrollPosition(int position) {
    scrollBar_->setValue(position);
}

int SmoothedWindow::scrollRange() const {
    return scrollBar_->maximum() + canvas_->width();
}

const MonthlySeries &SmoothedWindow::series() const {
    if (!series_)
        series_ = buildMonthlySeries(store_, state_.quantity);
    return *series_;
}

SmoothedView SmoothedWindow::currentView() const {
    return smoothedView(series(), state_, canvas_->size(), scrollBar_->value());
}

void SmoothedWindow::FormPaint(QPainter &painter) {
    if (mode_ == SmoothedMode::Smoothed) {
        const SmoothedView view = currentView();
        paintSmoothed(painter, view.layout, view.geometry);
    } else if (scaleShown_) {
        // The asymmetry graph itself was never drawn: only its scale.
        const int step = smoothedQuantityInfo(state_.quantity).scaleStep;
        paintAsymmetryScale(painter, asymmetryScale(canvas_->height(), step));
    }
}

void SmoothedWindow::updateScrollRange() {
    const int width = canvas_->width();
    int range = 0;
    int newest = 0;
    if (mode_ == SmoothedMode::Smoothed) {
        range = smoothedScrollRange(series(), canvas_->size(), state_.pixelsPerMonth);
        newest = smoothedNewestScroll(series(), canvas_->size(), state_.pixelsPerMonth, range);
    } else {
        range = asymmetryScrollRange(store_);
    }
    scrollBar_->setRange(0, std::max(range - width, 0));
    scrollBar_->setPageStep(std::max(width, 1));
    if (!scrollPlaced_ && isVisible() && width > 0) {
        scrollPlaced_ = true;
        scrollBar_->setValue(newest);
    }
}

void SmoothedWindow::chooseQuantity(SmoothedQuantity quantity) {
    state_.quantity = quantity;
    series_.reset();
    for (const QuantityItem &item : kQuantityItems)
        if (item.quantity == quantity)
            action(QString::fromLatin1(item.name))->setChecked(true);
    canvas_->update();
    emit quantityChosen(quantity);
}

void SmoothedWindow::gvyhlClick() {
    chooseQuantity(SmoothedQuantity::Groups);
}
void SmoothedWindow::fvyhlClick() {
    chooseQuantity(SmoothedQuantity::Spots);
}
void SmoothedWindow::rvyhlClick() {
    chooseQuantity(SmoothedQuantity::Relative);
}
void SmoothedWindow::cvvyhlClick() {
    chooseQuantity(SmoothedQuantity::ClassSum);
}
void SmoothedWindow::snvyhlClick() {
    chooseQuantity(SmoothedQuantity::Pettis);
}
void SmoothedWindow::rbvyhlClick() {
    chooseQuantity(SmoothedQuantity::Beck);
}
void SmoothedWindow::plochavyhlClick() {
    chooseQuantity(SmoothedQuantity::Area);
}
void SmoothedWindow::polokvyhlClick() {
    chooseQuantity(SmoothedQuantity::HemisphereArea);
}

void SmoothedWindow::zvetsitClick() {
    widthEdit_->setText(QString::number(state_.pixelsPerMonth));
    widthBox_->move(canvas_->width() / 4 - kWidthBoxIndent, kWidthBoxSize.y());
    // Never off the left edge of a narrow window.
    if (widthBox_->x() < 0)
        widthBox_->move(0, widthBox_->y());
    widthBox_->show();
    widthBox_->raise();
    widthEdit_->setFocus();
    widthEdit_->selectAll();
}

void SmoothedWindow::Button1Click() {
    state_.pixelsPerMonth = pixelsPerMonthFromText(widthEdit_->text());
    widthBox_->hide();
    updateScrollRange();
    canvas_->update();
}

void SmoothedWindow::stupnicClick() {
    scaleShown_ = true;
    canvas_->update();
}

void SmoothedWindow::tiskvyhlClick() {
    if (mode_ != SmoothedMode::Smoothed)
        return;
    const SmoothedView view = currentView();
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName = tr("Vyhlazovaci grafy.pdf");
    request.page = smoothedPage();
    request.askSetup = true;
    request.pages = [&view](PrintJob &job) {
        return printSmoothed(job, view.series, view.geometry);
    };
    printView(dialogs_, store_.dataDirectory(), request);
}

void SmoothedWindow::zaviratvClick() {
    closeView(this);
}

void SmoothedWindow::FormDeactivate() {
    closeView(this);
}

void SmoothedWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    emit closed();
}

void SmoothedWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    closeOnDeactivation(this);
    updateScrollRange();
}

void SmoothedWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && widthBox_->isVisible()) {
        widthBox_->hide();
        event->accept();
    } else if (canvas_->scrollByKey(event->key())) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace orvanek
