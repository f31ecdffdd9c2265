#include "views/map/mapwindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"
#include "views/map/mappainter.h"

#include "views/common/viewcanvas.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orvanek {

namespace {
// The rotation list: 81 x 185 pixels, items 20 high in a 16-pixel font, centred a little
// above the middle of the window.
constexpr int kListWidth = 81;
constexpr int kListHeight = 185;
constexpr int kListLeftOfCentre = 42;
constexpr int kListAboveCentre = 92;
constexpr int kListFontPx = 16;
constexpr int kListItemHeight = 20;
} // namespace

// The map itself, as wide as the window; as tall as the map at that width, scrolled
// vertically when the window is lower.
class MapCanvas : public ViewCanvas {
  public:
    explicit MapCanvas(MapWindow *window)
        : ViewCanvas(QStringLiteral("mapa"), nullptr), window_(window) {}

  protected:
    void paintEvent(QPaintEvent *) override {
        // The map is shown while `mapky` is disabled, which is from the start on.
        if (window_->action(QStringLiteral("mapky"))->isEnabled() || !window_->showsRotation())
            return;
        QPainter painter(this);
        paintMap(painter, window_->model());
    }
    void resizeEvent(QResizeEvent *event) override {
        QWidget::resizeEvent(event);
        window_->refresh();
    }

  private:
    MapWindow *window_;
};

MapWindow::MapWindow(ObservationStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(tr("Mapa"));
    canvas_ = new MapCanvas(this);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidget(canvas_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);
    createMenu();
    createRotationList();

    connect(&store_, &ObservationStore::recordsChanged, this, [this] {
        fillRotationList();
        storeChanged();
    });
    connect(&store_, &ObservationStore::currentRecordChanged, this, &MapWindow::storeChanged);
}

MapWindow::~MapWindow() = default;

void MapWindow::createMenu() {
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    static_cast<QVBoxLayout *>(layout())->setMenuBar(bar);
    const auto add = [this](QAction *a, const char *name) { return actions_.add(a, name); };
    connect(add(bar->addAction(tr("&Zavřít")), "zavritm"), &QAction::triggered, this,
            &MapWindow::zavritmClick);
    connect(add(bar->addAction(tr(" &Rotace")), "vyberm"), &QAction::triggered, this,
            &MapWindow::vybermClick);
    QMenu *mapka = bar->addMenu(tr("&Mapy"));
    add(mapka->menuAction(), "mapka");
    QAction *mapky = add(mapka->addAction(tr("Mapa otočky")), "mapky");
    connect(mapky, &QAction::triggered, this, &MapWindow::mapkyClick);
    mapky->setEnabled(false); // the map is shown from the start
    // The long and the high map were never made.
    add(mapka->addAction(tr("Dlouhá  mapa")), "dlouhamap")->setVisible(false);
    add(mapka->addAction(tr("Vysoká  mapa")), "vysokamap")->setVisible(false);
    connect(add(bar->addAction(tr("&Tisk")), "Tisk1"), &QAction::triggered, this,
            &MapWindow::Tisk1Click);
}

void MapWindow::createRotationList() {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setFixedSize(kListWidth, kListHeight);
    QFont font = list_->font();
    font.setPixelSize(kListFontPx);
    list_->setFont(font);
    list_->setUniformItemSizes(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tip = list_->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
    list_->setPalette(tip);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemClicked, this, &MapWindow::ListBox1Click);
    list_->hide();
    fillRotationList();
}

void MapWindow::fillRotationList() {
    rotations_ = orvanek::rotationList(store_);
    list_->clear();
    for (const RotationItem &item : rotations_) {
        auto *line = new QListWidgetItem(QString::number(item.rotation), list_);
        line->setSizeHint(QSize(kListWidth, kListItemHeight));
    }
    rememberedItem_ = rotationItemOf(rotations_, rotation());
}

QAction *MapWindow::action(const QString &name) const {
    return actions_.find(name);
}

QWidget *MapWindow::canvas() const {
    return canvas_;
}

QSize MapWindow::sizeHint() const {
    return {1000, 700};
}

int MapWindow::rotation() const {
    return store_.currentRecord().rotation;
}

bool MapWindow::showsRotation() const {
    return !isPlaceholderRecord(store_.currentRecord());
}

const MapModel &MapWindow::model() {
    const int width = canvas_->width();
    if (!model_ || modelWidth_ != width) {
        model_ = buildMapModel(store_, mapSettings(store_, rotation(), screenMapGeometry(width)));
        modelWidth_ = width;
        ++modelBuilds_;
    }
    return *model_;
}

void MapWindow::refresh() {
    const MapModel &m = model();
    setWindowTitle(showsRotation() ? m.caption : tr("Mapa"));
    canvas_->setMinimumHeight(showsRotation() ? mapHeight(m) : 0);
    canvas_->update();
}

void MapWindow::storeChanged() {
    model_.reset();
    refresh();
}

void MapWindow::vybermClick() {
    list_->move(width() / 2 - kListLeftOfCentre, height() / 2 - kListAboveCentre);
    if (rememberedItem_ >= 0)
        list_->setCurrentRow(rememberedItem_);
    list_->show();
    list_->raise();
    list_->setFocus();
}

void MapWindow::ListBox1Click() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(rotations_.size()) || !list_->currentItem() ||
        !list_->currentItem()->isSelected())
        return;
    list_->hide();
    rememberedItem_ = row;
    store_.setWorkingRecord(store_.record(rotations_[static_cast<size_t>(row)].firstRecord));
}

void MapWindow::mapkyClick() {
    action(QStringLiteral("mapky"))->setEnabled(false);
    canvas_->update();
}

void MapWindow::Tisk1Click() {
    if (action(QStringLiteral("mapky"))->isEnabled() || !showsRotation())
        return;
    const int n = rotation();
    const ObservationStore &store = store_;
    PrintRequest request;
    request.title = model().caption;
    request.pdfFileName = tr("Mapa%1.pdf").arg(n);
    request.page = mapPage();
    request.pages = [&store, n](PrintJob &job) { return printMap(job, store, n); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void MapWindow::zavritmClick() {
    closeView(this);
}

void MapWindow::FormDeactivate() {
    zavritmClick();
}

bool MapWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_ && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBox1Click();
            return true;
        }
        if (key == Qt::Key_Escape) { // leaves the list without choosing
            list_->hide();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MapWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    list_->move(width() / 2 - kListLeftOfCentre, height() / 2 - kListAboveCentre);
}

void MapWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    if (closed_) // the frame and the window may both be closed
        return;
    closed_ = true;
    // The rotation's first record was shown in place of the current one.
    store_.selectRecord(store_.currentIndex());
    emit closed();
}

} // namespace orvanek
