#include "views/butterfly/butterflywindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/butterfly/butterflypainter.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanek {

namespace {
constexpr int kScrollMargin = 4; // pixels kept free beyond the outermost labels
constexpr int kScrollStep = 20;  // pixels per arrow click
} // namespace

// The scrolled diagram: paints the window's model at the scroll bars' positions.
class ButterflyView : public QAbstractScrollArea {
  public:
    explicit ButterflyView(ButterflyWindow *window) : QAbstractScrollArea(window), window_(window) {
        setObjectName(QStringLiteral("diagram"));
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::StrongFocus);
        QPalette p = viewport()->palette();
        p.setColor(QPalette::Window, Qt::white);
        viewport()->setPalette(p);
        viewport()->setAutoFillBackground(true);
        horizontalScrollBar()->setSingleStep(kScrollStep);
        verticalScrollBar()->setSingleStep(kScrollStep);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }

    ButterflyGeometry diagramGeometry() const {
        return butterflyGeometry(viewport()->size(), horizontalScrollBar()->value(),
                                 verticalScrollBar()->value());
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(viewport());
        paintButterfly(painter, window_->model(), diagramGeometry(), {window_->scaleShown()});
    }
    void resizeEvent(QResizeEvent *event) override {
        QAbstractScrollArea::resizeEvent(event);
        window_->updateScrollRanges();
    }
    void scrollContentsBy(int, int) override { viewport()->update(); }
    // Home and End to either end in time, as in the graph windows.
    void keyPressEvent(QKeyEvent *event) override {
        if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
            horizontalScrollBar()->triggerAction(event->key() == Qt::Key_Home
                                                     ? QAbstractSlider::SliderToMinimum
                                                     : QAbstractSlider::SliderToMaximum);
            event->accept();
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
    }

  private:
    ButterflyWindow *window_;
};

ButterflyWindow::ButterflyWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Tform5"));
    view_ = new ButterflyView(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    createMenu();
    setWindowTitle(butterflyCaption(state_.mode));

    connect(&store_, &ObservationStore::recordsChanged, this, &ButterflyWindow::storeChanged);
    // The left axis is taken at the current record's time of day.
    connect(&store_, &ObservationStore::currentRecordChanged, this, &ButterflyWindow::storeChanged);
    updateScrollRanges();
    view_->setFocus();
}

ButterflyWindow::~ButterflyWindow() = default;

void ButterflyWindow::createMenu() {
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    static_cast<QVBoxLayout *>(layout())->setMenuBar(bar);
    const auto add = [this](QAction *a, const char *name) { return actions_.add(a, name); };
    connect(add(bar->addAction(tr("&Zavřít")), "konecmot"), &QAction::triggered, this,
            &ButterflyWindow::konecmotClick);
    connect(add(bar->addAction(tr("&Tisk ")), "tiskmot"), &QAction::triggered, this,
            &ButterflyWindow::tiskmotClick);

    QMenu *zobrazeni = bar->addMenu(tr("&Zobrazeni"));
    add(zobrazeni->menuAction(), "zobrazeni1");
    connect(add(zobrazeni->addAction(tr("&Skvrny")), "skvrnymot"), &QAction::triggered, this,
            &ButterflyWindow::skvrnymotClick);
    // Faculae alone and both together exist but are not offered.
    QAction *fakule = add(zobrazeni->addAction(tr("&Fakule")), "Fakulemot");
    connect(fakule, &QAction::triggered, this, &ButterflyWindow::fakulemotClick);
    fakule->setVisible(false);
    QAction *celek = add(zobrazeni->addAction(tr("&Celek")), "Celek1");
    connect(celek, &QAction::triggered, this, &ButterflyWindow::celek1Click);
    celek->setVisible(false);
    QMenu *ohraniceni = zobrazeni->addMenu(tr("&Ohraničení"));
    add(ohraniceni->menuAction(), "Ohraniceni1")->setVisible(false);

    QMenu *doplnkova = bar->addMenu(tr("&Doplňková data"));
    add(doplnkova->menuAction(), "doplnkova")
        ->setVisible(hasSupplementaryData(store_.butterflyBlock()));
    // The item says what it does; a check mark beside "Zapnout" would read as "on".
    connect(add(doplnkova->addAction(tr("Zapnout")), "vypnout"), &QAction::triggered, this,
            &ButterflyWindow::vypnoutClick);

    connect(add(bar->addAction(tr("&Stupnice")), "Stupnice1"), &QAction::triggered, this,
            &ButterflyWindow::Stupnice1Click);
}

QAction *ButterflyWindow::action(const QString &name) const {
    return actions_.find(name);
}

QSize ButterflyWindow::sizeHint() const {
    return {1000, 700};
}

QAbstractScrollArea *ButterflyWindow::view() const {
    return view_;
}

ButterflyGeometry ButterflyWindow::diagramGeometry() const {
    return view_->diagramGeometry();
}

const ButterflyModel &ButterflyWindow::model() {
    if (!model_) {
        // A key changes the scales or the mode: the marks of the records stay as they were.
        const ButterflySettings settings = butterflySettings(store_, state_);
        if (!marks_ || !marksServe(*marks_, settings))
            marks_ = butterflyMarks(store_, settings.pivotYear, settings.drawingRadius,
                                    settings.state.mode != ButterflyMode::Spots);
        model_ = buildButterflyModel(*marks_, store_.butterflyBlock(), settings);
        ++modelBuilds_;
    }
    return *model_;
}

void ButterflyWindow::updateScrollRanges() {
    const ButterflyModel &m = model();
    const ButterflyGeometry g = diagramGeometry();
    const QSize client = g.client;
    const ButterflyFrame frame = butterflyFrame(m, g);
    const QFontMetrics metrics(butterflyFont());
    // As far as the marks and the frame reach, and the last rotation label under the frame.
    int right = m.contentRight;
    if (!frame.rotationLabels.empty()) {
        const ButterflyText &last = frame.rotationLabels.back();
        right =
            std::max(right, last.pos.x() + metrics.horizontalAdvance(last.text) + kScrollMargin);
    }
    view_->horizontalScrollBar()->setRange(0, std::max(0, right - client.width()));
    view_->horizontalScrollBar()->setPageStep(client.width());
    // From the latitude labels above the frame to the rotation labels under it; a frame
    // taller than the window scrolls up as well as down.
    const int textHeight = metrics.height();
    int top = g.equatorY + frame.top - kScrollMargin;
    int bottom = g.equatorY + frame.bottom + textHeight + kScrollMargin;
    if (!frame.rotationLabels.empty())
        bottom = std::max(bottom, g.equatorY + frame.rotationLabels.front().pos.y() + textHeight +
                                      kScrollMargin);
    if (!frame.latitudeLabels.empty())
        top = std::min(top, g.equatorY + frame.latitudeLabels.front().pos.y() - kScrollMargin);
    view_->verticalScrollBar()->setRange(std::min(0, top), std::max(0, bottom - client.height()));
    view_->verticalScrollBar()->setPageStep(client.height());
}

void ButterflyWindow::repaintDiagram() {
    updateScrollRanges();
    view_->viewport()->update();
}

void ButterflyWindow::storeChanged() {
    marks_.reset();
    model_.reset();
    repaintDiagram();
}

void ButterflyWindow::setState(const ButterflyState &state) {
    // Every key and button repaints; the diagram is built again only when it changed.
    if (state.mode != state_.mode || state.latitudeScale != state_.latitudeScale ||
        state.rotationWidth != state_.rotationWidth ||
        state.supplementaryOn != state_.supplementaryOn)
        model_.reset();
    state_ = state;
    repaintDiagram();
}

void ButterflyWindow::setMode(ButterflyMode mode) {
    ButterflyState s = state_;
    s.mode = mode;
    setWindowTitle(butterflyCaption(mode));
    setState(s);
}

void ButterflyWindow::skvrnymotClick() {
    setMode(ButterflyMode::Spots);
}

void ButterflyWindow::fakulemotClick() {
    setMode(ButterflyMode::Faculae);
}

void ButterflyWindow::celek1Click() {
    setMode(ButterflyMode::SpotsAndFaculae);
}

void ButterflyWindow::vypnoutClick() {
    ButterflyState s = state_;
    s.supplementaryOn = !s.supplementaryOn;
    action(QStringLiteral("vypnout"))->setText(s.supplementaryOn ? tr("Vypnout") : tr("Zapnout"));
    setState(s);
}

void ButterflyWindow::Stupnice1Click() {
    scaleShown_ = !scaleShown_;
    view_->viewport()->update();
}

void ButterflyWindow::tiskmotClick() {
    const ButterflyGeometry g = diagramGeometry();
    const ButterflyModel &m = model();
    const ButterflyPaintOptions options{scaleShown_};
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName = tr("Motylek.pdf");
    request.page = butterflyPage();
    request.pages = [&](PrintJob &job) { return printButterfly(job, m, g, options); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void ButterflyWindow::konecmotClick() {
    closeView(this);
}

void ButterflyWindow::FormDeactivate() {
    konecmotClick();
}

void ButterflyWindow::vlevoClick() {
    setState(narrowerRotations(state_));
}

void ButterflyWindow::vpravoClick() {
    setState(widerRotations(state_));
}

void ButterflyWindow::vetsiClick() {
    setState(largerLatitudeScale(state_));
}

void ButterflyWindow::mensiClick() {
    setState(smallerLatitudeScale(state_));
}

void ButterflyWindow::keyReleaseEvent(QKeyEvent *event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        setState(withLatitudeScale(state_, key - Qt::Key_0));
    else if (key == Qt::Key_F12)
        setState(widerRotations(state_));
    else if (key == Qt::Key_F11)
        setState(narrowerRotations(state_));
    else
        return QWidget::keyReleaseEvent(event);
    event->accept();
}

void ButterflyWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    if (!closed_) { // the frame and the window may both be closed
        closed_ = true;
        emit closed();
    }
}

} // namespace orvanek
