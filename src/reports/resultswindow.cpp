#include "reports/resultswindow.h"

#include "data/dialogs.h"
#include "data/instrumentfile.h"
#include "data/observationstore.h"
#include "reports/certificatelayout.h"
#include "reports/certificatepainter.h"
#include "reports/observerspainter.h"
#include "reports/statisticspainter.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"

#include "views/common/viewcanvas.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanek {

namespace {

// The grids: the month or name column and the value columns, pixels; a row.
constexpr int kStatisticsLabelWidth = 60;
constexpr int kStatisticsValueWidth = 45;
constexpr int kObserversNameWidth = 100;
constexpr int kObserversCountWidth = 35;
constexpr int kGridRowHeight = 20;
constexpr int kGridFontPixels = 12;
// The observers grid: left 5, top 50, 441 high at most, 20 narrower than the window.
constexpr int kObserversGridLeft = 5;
constexpr int kObserversGridTop = 50;
constexpr int kObserversGridHeight = 441;
constexpr int kObserversGridNarrower = 20;
constexpr int kObserversGridBottomGap = 5;
// The print panel, centred: half its width left of the middle, 100 above it.
constexpr QSize kPrintPanelSize{350, 200};
constexpr int kPrintPanelAboveMiddle = 100;
constexpr int kPanelGap = 4; // pixels between the statistics grid and the print panel
constexpr QRect kInstrumentBoxPlace{40, 40, 430, 175};

// One statistics view: what its handler sets, checks and writes in the caption.
struct StatisticsChoice {
    ResultsMode mode;
    StatRegion region;
    const char *item;
    const char *submenu;
    const char *caption;
};
const StatisticsChoice kStatisticsChoices[] = {
    {ResultsMode::Measured, StatRegion::Total, "celkovynam", "namerena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - naměřené - celkový")},
    {ResultsMode::Measured, StatRegion::North, "severnam", "namerena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - naměřené - sever")},
    {ResultsMode::Measured, StatRegion::South, "jihnam", "namerena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - naměřené - jih")},
    {ResultsMode::Smoothed, StatRegion::Total, "celkovyvyr", "vyhlazena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - vyhlazené - celkový")},
    {ResultsMode::Smoothed, StatRegion::North, "severvyr", "vyhlazena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - vyhlazené - sever")},
    {ResultsMode::Smoothed, StatRegion::South, "jihvyr", "vyhlazena",
     QT_TRANSLATE_NOOP("orvanek::ResultsWindow", "Výsledky    statistika - vyhlazené - jih")},
};

// The page the print panel's estimate is made for: the default printer's paper with the
// statistics' margins at its finest resolution, or A4 at 600 dpi without a printer.
PageSize estimatePage(Dialogs &dialogs) {
    constexpr int kCommonPrinterDpi = 600;
    if (!dialogs.hasPrinter())
        return kFallbackPage;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return kFallbackPage;
    const QList<int> resolutions = printer.supportedResolutions();
    const int dpi = resolutions.isEmpty()
                        ? kCommonPrinterDpi
                        : *std::max_element(resolutions.begin(), resolutions.end());
    const PageSetup setup = statisticsPage();
    const QRect paint = QPageLayout(printer.defaultPageSize(), setup.orientation, setup.marginsMm,
                                    QPageLayout::Millimeter)
                            .paintRectPixels(dpi);
    if (paint.isEmpty())
        return kFallbackPage;
    return {paint.width(), paint.height()};
}

template <class Grid = QTableWidget> Grid *makeGrid(QWidget *parent, const char *name) {
    auto *grid = new Grid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(kGridFontPixels);
    grid->setFont(font);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->hide();
    return grid;
}

// A grid cell: the month or name left, numbers right-aligned in their column.
Qt::Alignment cellAlignment(bool number) {
    return number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

QTableWidgetItem *cell(const QString &text, bool number) {
    auto *item = new QTableWidgetItem(number ? text.trimmed() : text);
    item->setTextAlignment(cellAlignment(number));
    return item;
}

// Width that shows every column and the vertical scroll bar.
int gridWidth(const QTableView *grid) {
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

// Columns at least `width` wide, wider where their texts need it.
void sizeColumns(QTableView *grid, int firstWidth, int width) {
    grid->resizeColumnsToContents();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        grid->setColumnWidth(c, std::max(grid->columnWidth(c), c == 0 ? firstWidth : width));
}

} // namespace

// The statistics table as the grid shows it: each cell's text made when the grid asks for it.
class StatisticsGridModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The table shown (none while it is being replaced); it must live as long as it is shown.
    void show(const StatisticsTable *table) {
        beginResetModel();
        table_ = table;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override {
        return table_ && !parent.isValid() ? static_cast<int>(table_->rows.size()) : 0;
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return table_ && !parent.isValid() ? table_->gridColumns() : 0;
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!table_ || !index.isValid())
            return {};
        const bool number = index.column() > 0;
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(cellAlignment(number));
        if (role != Qt::DisplayRole)
            return {};
        const QString text = statisticsGridText(*table_, index.column(), index.row() + 1);
        return number ? text.trimmed() : text;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (table_ && orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return statisticsGridText(*table_, section, 0);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

  private:
    const StatisticsTable *table_ = nullptr;
};

// The certificate, one widget pixel per certificate unit, scrolled as a whole.
class ResultsCanvas : public ViewCanvas {
  public:
    explicit ResultsCanvas(ResultsWindow *window)
        : ViewCanvas(QStringLiteral("vysledky"), nullptr), window_(window) {}

  protected:
    void paintEvent(QPaintEvent *) override {
        if (window_->resultsMode() != ResultsMode::Certificate || !window_->certificateShown())
            return;
        QPainter painter(this);
        paintCertificate(painter, *window_->certificateShown());
    }

  private:
    ResultsWindow *window_;
};

ResultsWindow::ResultsWindow(ObservationStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(tr("Výsledky"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    createMenu();
    layout->setMenuBar(menu_);
    client_ = new QWidget(this);
    layout->addWidget(client_);
    canvas_ = new ResultsCanvas(this);
    scrollArea_ = new QScrollArea(client_);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setWidget(canvas_);
    // The window's white: the panels and boxes over it keep the desktop's colours.
    QPalette white = scrollArea_->palette();
    white.setColor(QPalette::Window, Qt::white);
    scrollArea_->setPalette(white);
    scrollArea_->viewport()->setPalette(white);
    scrollArea_->viewport()->setAutoFillBackground(true);
    createGrids();
    createPrintPanel();
    createInstrumentBox();
    createRotationField();

    connect(&store_, &ObservationStore::recordsChanged, this, &ResultsWindow::refresh);
    refresh();
}

ResultsWindow::~ResultsWindow() = default;

QSize ResultsWindow::sizeHint() const {
    return {783, 566};
}

QAction *ResultsWindow::action(const QString &name) const {
    return actions_.find(name);
}

QWidget *ResultsWindow::canvas() const {
    return canvas_;
}

void ResultsWindow::createMenu() {
    menu_ = new QMenuBar(this);
    menu_->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](const char *name, const QString &caption, void (ResultsWindow::*handler)(),
                       bool visible = true, bool checkable = true) {
        QAction *a = actions_.add(this, name, caption);
        a->setCheckable(checkable);
        a->setVisible(visible);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto submenu = [this](QWidget *parent, const char *name, const QString &caption,
                          bool visible = true) {
        auto *m = new QMenu(caption, parent);
        m->setObjectName(QString::fromLatin1(name));
        actions_.add(m->menuAction(), name);
        m->menuAction()->setCheckable(true);
        m->menuAction()->setVisible(visible);
        return m;
    };

    QAction *zavrit = actions_.add(menu_->addAction(tr("&Zavřit")), "zavritvys");
    connect(zavrit, &QAction::triggered, this, [this] { closeView(this); });

    QMenu *vybervys = submenu(menu_, "vybervys", tr("&Výběr "));
    menu_->addMenu(vybervys);
    vybervys->addAction(item("vlastni", tr("&Vlastní"), &ResultsWindow::vlastniClick, false));
    vybervys->addAction(item("oficialni", tr("&Oficiální"), &ResultsWindow::oficialniClick));
    QMenu *statistika = submenu(vybervys, "Statistika", tr("&Statistika"));
    vybervys->addMenu(statistika);
    QMenu *namerena = submenu(statistika, "namerena", tr("&Naměřená"));
    statistika->addMenu(namerena);
    namerena->addAction(item("celkovynam", tr("&Celkový"), &ResultsWindow::celkovynamClick));
    // The hemispheres were never offered in the menu; their handlers work all the same.
    namerena->addAction(item("severnam", tr("&Sever"), &ResultsWindow::severnamClick, false));
    namerena->addAction(item("jihnam", tr("&Jih"), &ResultsWindow::jihnamClick, false));
    QMenu *vyhlazena = submenu(statistika, "vyhlazena", tr("&Vyhlazená"), false);
    statistika->addMenu(vyhlazena);
    vyhlazena->addAction(item("celkovyvyr", tr("&Celkový"), &ResultsWindow::celkovyvyrClick));
    vyhlazena->addAction(item("severvyr", tr("&Sever"), &ResultsWindow::severvyrClick, false));
    vyhlazena->addAction(item("jihvyr", tr("&Jih"), &ResultsWindow::jihvyrClick, false));
    statistika->addAction(
        item("pozorovatele", tr("&Pozorovatelé"), &ResultsWindow::pozorovateleClick));
    vybervys->addAction(
        item("vyskit", tr("Výskyt  typu &skupiny"), &ResultsWindow::vyskitClick, false));
    vybervys->addAction(
        item("Vvojskupin1", tr("Vývo&j skupin"), &ResultsWindow::Vvojskupin1Click, false));
    vybervys->addAction(
        item("udajmapa", tr("Ú&daje pro mapu"), &ResultsWindow::udajmapaClick, false, false));

    menu_->addAction(item("tiskvysl", tr("&Tisk"), &ResultsWindow::tiskvyslClick, true, false));
    menu_->addAction(
        item("pristroj", tr("Změna &přístroje"), &ResultsWindow::pristrojClick, true, false));
    // Saving the results into a file was never built.
    menu_->addAction(item("dosouboru", tr("&Uložit do souboru"), nullptr, false, false));
}

void ResultsWindow::createGrids() {
    statisticsGrid_ = makeGrid<QTableView>(client_, "StringGrid1");
    statisticsCells_ = new StatisticsGridModel(statisticsGrid_);
    statisticsGrid_->setModel(statisticsCells_);
    observersGrid_ = makeGrid(client_, "StringGrid3");
}

void ResultsWindow::createPrintPanel() {
    // The title is a line inside the frame: a group box's own title is drawn above the frame
    // and to its left, over the grid's scroll bar beside it.
    printPanel_ = new QGroupBox(client_);
    printPanel_->setObjectName(QStringLiteral("GroupBox1"));
    printPanel_->setAutoFillBackground(true);
    printPanel_->resize(kPrintPanelSize);
    auto *layout = new QVBoxLayout(printPanel_);
    auto *title = new QLabel(tr("Tiskový panel"), printPanel_);
    title->setObjectName(QStringLiteral("GroupBox1Title"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    countLabel_ = new QLabel(printPanel_);
    countLabel_->setObjectName(QStringLiteral("Label6"));
    layout->addWidget(countLabel_);
    auto *radioGroup = new QGroupBox(tr("Výběr typu tisku"), printPanel_);
    radioGroup->setObjectName(QStringLiteral("RadioGroup1"));
    auto *radios = new QVBoxLayout(radioGroup);
    printRange_ = new QButtonGroup(this);
    const std::pair<StatisticsPrintRange, QString> ranges[] = {
        {StatisticsPrintRange::AllValues, tr("Všechny hodnoty")},
        {StatisticsPrintRange::FromCursor, tr("Vše od kurzoru")},
        {StatisticsPrintRange::OnePageFromCursor, tr("1 strana od kurzoru")},
    };
    for (const auto &[range, text] : ranges) {
        auto *radio = new QRadioButton(text, radioGroup);
        radios->addWidget(radio);
        printRange_->addButton(radio, static_cast<int>(range));
    }
    layout->addWidget(radioGroup);
    auto *buttons = new QHBoxLayout;
    auto *tisk = new QPushButton(tr("Tisk"), printPanel_);
    tisk->setObjectName(QStringLiteral("Button2"));
    auto *storno = new QPushButton(tr("Storno"), printPanel_);
    storno->setObjectName(QStringLiteral("Button3"));
    buttons->addWidget(tisk);
    buttons->addWidget(storno);
    layout->addLayout(buttons);
    connect(tisk, &QPushButton::clicked, this, &ResultsWindow::Button2Click);
    connect(storno, &QPushButton::clicked, this, &ResultsWindow::Button3Click);
    printPanel_->hide();
}

void ResultsWindow::createInstrumentBox() {
    instrumentBox_ = new QGroupBox(tr("Prametry přístroje"), client_);
    instrumentBox_->setObjectName(QStringLiteral("GroupBox2"));
    instrumentBox_->setAutoFillBackground(true);
    instrumentBox_->setGeometry(kInstrumentBoxPlace);
    auto *grid = new QGridLayout(instrumentBox_);
    for (int k = 0; k < 5; ++k) {
        instrumentFields_[k] = new QLineEdit(instrumentBox_);
        instrumentFields_[k]->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
    }
    auto label = [this](const QString &text) { return new QLabel(text, instrumentBox_); };
    grid->addWidget(label(tr("Observatoř")), 0, 0);
    grid->addWidget(instrumentFields_[0], 0, 1, 1, 2);
    grid->addWidget(label(tr("Přístroj")), 1, 0);
    grid->addWidget(instrumentFields_[1], 1, 1, 1, 2);
    // Objective diameter and focal length side by side: Edit3 and Edit5.
    grid->addWidget(label(tr("Průměr/ohnisko")), 2, 0);
    grid->addWidget(instrumentFields_[2], 2, 1);
    grid->addWidget(instrumentFields_[4], 2, 2);
    grid->addWidget(label(tr("Okulár")), 3, 0);
    grid->addWidget(instrumentFields_[3], 3, 1);
    auto *ok = new QPushButton(tr("OK"), instrumentBox_);
    ok->setObjectName(QStringLiteral("Button1"));
    grid->addWidget(ok, 4, 2);
    connect(ok, &QPushButton::clicked, this, &ResultsWindow::Button1Click);
    // Tab goes as the fields are laid out: the focal length beside the diameter first.
    QWidget::setTabOrder(instrumentFields_[0], instrumentFields_[1]);
    QWidget::setTabOrder(instrumentFields_[1], instrumentFields_[2]);
    QWidget::setTabOrder(instrumentFields_[2], instrumentFields_[4]);
    QWidget::setTabOrder(instrumentFields_[4], instrumentFields_[3]);
    QWidget::setTabOrder(instrumentFields_[3], ok);
    // OK is the default and the cancel button alike: Enter and Esc both confirm.
    for (QLineEdit *field : instrumentFields_)
        connect(field, &QLineEdit::returnPressed, this, &ResultsWindow::Button1Click);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), instrumentBox_);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &ResultsWindow::Button1Click);
    const InstrumentLines &lines = store_.instrumentLines();
    for (int k = 0; k < 5; ++k)
        instrumentFields_[k]->setText(lines[static_cast<size_t>(k)]);
    instrumentBox_->hide();
}

void ResultsWindow::createRotationField() {
    rotationPanel_ = new QWidget(client_);
    rotationPanel_->setObjectName(QStringLiteral("Panel2"));
    auto *row = new QHBoxLayout(rotationPanel_);
    row->addWidget(new QLabel(tr("Číslo otočky"), rotationPanel_));
    rotationField_ = new QSpinBox(rotationPanel_);
    rotationField_->setObjectName(QStringLiteral("SpinEdit1"));
    constexpr int kLastRotation = 3000; // four digits at most
    rotationField_->setRange(0, kLastRotation);
    row->addWidget(rotationField_);
    if (store_.recordCount() > 0) {
        const int first = store_.record(1).rotation;
        const int last = store_.record(store_.recordCount()).rotation;
        rotationField_->setRange(std::min(first, kLastRotation), std::min(last, kLastRotation));
        rotationField_->setValue(last);
    }
    connect(rotationField_, &QSpinBox::valueChanged, canvas_, qOverload<>(&QWidget::update));
    connect(rotationField_, &QSpinBox::editingFinished, canvas_, qOverload<>(&QWidget::update));
    // No view reads the rotation; the panel was never shown.
    rotationPanel_->hide();
}

void ResultsWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Another child window becoming active closes this one. A dialog of the program (the
    // month prompt, the printer set-up) activates no child window, so it closes nothing.
    closeOnDeactivation(this);
}

void ResultsWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void ResultsWindow::placeChildren() {
    const QSize client = client_->size();
    scrollArea_->setGeometry(QRect(QPoint(0, 0), client));
    statisticsGrid_->setGeometry(0, 2, gridWidth(statisticsGrid_),
                                 std::max(0, client.height() - 3));
    observersGrid_->setGeometry(
        kObserversGridLeft, kObserversGridTop, std::max(0, client.width() - kObserversGridNarrower),
        std::clamp(client.height() - kObserversGridTop - kObserversGridBottomGap, 0,
                   kObserversGridHeight));
    // Centred, unless it would cover the statistics it prints: then beside the grid, or at
    // the right edge where the window is too narrow for both.
    int panelLeft = client.width() / 2 - kPrintPanelSize.width() / 2;
    if (statisticsGrid_->isVisible() && panelLeft <= statisticsGrid_->geometry().right())
        panelLeft = std::max(0, std::min(statisticsGrid_->geometry().right() + 1 + kPanelGap,
                                         client.width() - kPrintPanelSize.width()));
    printPanel_->move(panelLeft, client.height() / 2 - kPrintPanelAboveMiddle);
}

void ResultsWindow::checkItems(std::initializer_list<const char *> names) {
    for (const auto &[name, a] : actions_)
        if (a->isCheckable())
            a->setChecked(false);
    for (const char *name : names)
        actions_.find(QString::fromLatin1(name))->setChecked(true);
}

CertificateModel ResultsWindow::certificateModel() const {
    return buildCertificate(store_, askedMonth_.value_or(AskedMonth{}), store_.instrumentLines());
}

// --- The views ------------------------------------------------------------------------------

bool ResultsWindow::askMonthWithRecords(std::optional<AskedMonth> &month, int &recordIndex) {
    // With no observation no month has records: asking would bring the prompt back forever.
    const auto &records = store_.records();
    if (std::all_of(records.begin(), records.end(), isPlaceholderRecord)) {
        dialogs_.information(
            tr("V datech není žádné pozorování, výsledky nejsou z čeho sestavit."));
        return false;
    }
    for (;;) {
        const auto answer = dialogs_.prompt(monthPromptCaption(), monthPromptText(), QString());
        if (!answer)
            return false;
        const auto asked = parseMonthPrompt(*answer, store_.pivotYear());
        if (!asked) {
            dialogs_.information(
                answer->trimmed().isEmpty()
                    ? tr("Zadejte měsíc a rok, například 2.2000.")
                    : tr("„%1“ není měsíc a rok: zadejte je jako 2.2000 (měsíc 1 až 12).")
                          .arg(inputExcerpt(*answer)));
            continue;
        }
        if (const auto index = monthRecordIndex(store_, *asked)) {
            month = asked;
            recordIndex = *index;
            return true;
        }
        dialogs_.information(tr("V měsíci %1.%2 není v datech žádné pozorování.")
                                 .arg(asked->month)
                                 .arg(asked->year));
    }
}

void ResultsWindow::oficialniClick() {
    statisticsGrid_->hide();
    checkItems({"oficialni"});
    resultsMode_ = ResultsMode::None;
    std::optional<AskedMonth> month;
    int index = 0;
    if (askMonthWithRecords(month, index)) {
        askedMonth_ = month;
        resultsMode_ = ResultsMode::Certificate;
        store_.selectRecord(index);
    }
    // A cancelled prompt leaves the current record where it was.
    setWindowTitle(tr("Výsledky    oficiální"));
    refresh();
    scrollArea_->verticalScrollBar()->setValue(0);
}

void ResultsWindow::vlastniClick() {
    checkItems({"vlastni"});
    resultsMode_ = ResultsMode::None;
    std::optional<AskedMonth> month;
    int index = 0;
    if (askMonthWithRecords(month, index)) {
        resultsMode_ = ResultsMode::Own;
        store_.selectRecord(index);
    }
    setWindowTitle(tr("Výsledky  vlastní"));
    refresh();
}

void ResultsWindow::chooseStatistics(ResultsMode mode, StatRegion region) {
    const auto choice = std::find_if(
        std::begin(kStatisticsChoices), std::end(kStatisticsChoices),
        [&](const StatisticsChoice &c) { return c.mode == mode && c.region == region; });
    resultsMode_ = mode;
    statRegion_ = region;
    checkItems({choice->item, "Statistika", choice->submenu});
    setWindowTitle(tr(choice->caption));
    refresh();
}

void ResultsWindow::celkovynamClick() {
    chooseStatistics(ResultsMode::Measured, StatRegion::Total);
}

void ResultsWindow::severnamClick() {
    chooseStatistics(ResultsMode::Measured, StatRegion::North);
}

void ResultsWindow::jihnamClick() {
    chooseStatistics(ResultsMode::Measured, StatRegion::South);
}

void ResultsWindow::celkovyvyrClick() {
    chooseStatistics(ResultsMode::Smoothed, StatRegion::Total);
}

void ResultsWindow::severvyrClick() {
    chooseStatistics(ResultsMode::Smoothed, StatRegion::North);
}

void ResultsWindow::jihvyrClick() {
    chooseStatistics(ResultsMode::Smoothed, StatRegion::South);
}

void ResultsWindow::pozorovateleClick() {
    resultsMode_ = ResultsMode::Observers;
    statisticsGrid_->hide();
    checkItems({"pozorovatele", "Statistika"});
    setWindowTitle(tr("Výsledky    pozorovatelé"));
    refresh();
    if (observers_.observers.empty())
        dialogs_.information(tr("Mení zadáno žádné jméno pozorovatele"));
}

void ResultsWindow::Vvojskupin1Click() {
    resultsMode_ = ResultsMode::GroupDevelopment;
    statisticsGrid_->hide();
    checkItems({"Vvojskupin1"});
    setWindowTitle(tr("Výsledky    vývoj skupin"));
    refresh();
}

void ResultsWindow::vyskitClick() {
    resultsMode_ = ResultsMode::GroupTypes;
    checkItems({"vyskit"});
    refresh();
}

void ResultsWindow::udajmapaClick() {
    resultsMode_ = ResultsMode::MapData;
    refresh();
}

void ResultsWindow::refresh() {
    const bool certificate = resultsMode_ == ResultsMode::Certificate;
    QSize canvasSize(1, 1);
    certificate_.reset();
    if (certificate) {
        const CertificateModel model = certificateModel();
        if (model.needsInstrument) {
            showInstrumentBox(); // the certificate waits for the station line
        } else {
            certificate_ = certificateLayout(model);
            canvasSize = certificateSize(*certificate_);
        }
    }
    canvas_->setFixedSize(canvasSize);
    canvas_->update();

    const bool statistics =
        resultsMode_ == ResultsMode::Measured || resultsMode_ == ResultsMode::Smoothed;
    if (statistics)
        fillStatisticsGrid();
    statisticsGrid_->setVisible(statistics);

    observers_ = {};
    if (resultsMode_ == ResultsMode::Observers)
        fillObserversGrid();
    observersGrid_->setVisible(resultsMode_ == ResultsMode::Observers &&
                               !observers_.observers.empty());
    // The print panel belongs to the view it was opened for.
    if (!statistics && resultsMode_ != ResultsMode::GroupTypes)
        printPanel_->hide();
    placeChildren();
    emit viewShown();
}

void ResultsWindow::fillStatisticsGrid() {
    const int cursorRow = statisticsGrid_->currentIndex().row();
    statisticsCells_->show(nullptr);
    statistics_ = resultsMode_ == ResultsMode::Smoothed ? smoothedStatistics(store_, statRegion_)
                                                        : measuredStatistics(store_, statRegion_);
    const StatisticsTable &table = statistics_;
    statisticsCells_->show(&table);
    // Each column as wide as its widest text, found from the values rather than from the
    // text of every cell, and no narrower than the grid's own width for it.
    const QFontMetrics metrics(statisticsGrid_->font());
    const int margins =
        2 * (statisticsGrid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 1;
    for (int c = 0; c < table.gridColumns(); ++c) {
        const int text = metrics.horizontalAdvance(statisticsWidestText(table, c)) + margins;
        const int heading = statisticsGrid_->horizontalHeader()->sectionSizeHint(c);
        statisticsGrid_->setColumnWidth(
            c, std::max({text, heading, c == 0 ? kStatisticsLabelWidth : kStatisticsValueWidth}));
    }
    if (cursorRow >= 0 && cursorRow < statisticsCells_->rowCount())
        statisticsGrid_->setCurrentIndex(statisticsCells_->index(cursorRow, 0));
    // The printer is asked once: its paper does not change while the window is open.
    if (!estimatePage_)
        estimatePage_ = estimatePage(dialogs_);
    countLabel_->setText(statisticsCountLabel(table, *estimatePage_));
}

void ResultsWindow::fillObserversGrid() {
    observers_ = buildObserverTable(store_);
    const ObserverTable &t = observers_;
    if (t.observers.empty())
        return;
    const int years = t.yearCount();
    const int observers = static_cast<int>(t.observers.size());
    observersGrid_->clear();
    // The observers, an empty row, the year totals; the years and the observers' totals.
    observersGrid_->setRowCount(observers + 2);
    observersGrid_->setColumnCount(years + 2);
    QStringList headings{QString()};
    for (int year = t.firstYear; year <= t.lastYear; ++year)
        headings << QString::number(year);
    headings << tr("Suma");
    observersGrid_->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < observers; ++r) {
        const auto row = static_cast<size_t>(r);
        observersGrid_->setItem(r, 0, cell(t.observers[row], false));
        for (int y = 0; y < years; ++y)
            observersGrid_->setItem(
                r, y + 1,
                cell(observerCountText(t.counts[row][static_cast<size_t>(y)], true), true));
        observersGrid_->setItem(r, years + 1,
                                cell(observerCountText(t.observerTotals[row], false), true));
    }
    const int totalsRow = observers + 1;
    observersGrid_->setItem(totalsRow, 0, cell(tr("Suma"), false));
    for (int y = 0; y < years; ++y)
        observersGrid_->setItem(
            totalsRow, y + 1,
            cell(observerCountText(t.yearTotals[static_cast<size_t>(y)], false), true));
    observersGrid_->setItem(totalsRow, years + 1,
                            cell(observerCountText(t.grandTotal, false), true));
    sizeColumns(observersGrid_, kObserversNameWidth, kObserversCountWidth);
}

// --- Printing -------------------------------------------------------------------------------

void ResultsWindow::tiskvyslClick() {
    switch (resultsMode_) {
    case ResultsMode::Certificate:
        printCertificateView();
        break;
    case ResultsMode::Observers:
        printObserversView();
        break;
    case ResultsMode::Measured:
    case ResultsMode::Smoothed:
    case ResultsMode::GroupTypes:
        placeChildren();
        printPanel_->show();
        printPanel_->raise();
        break;
    case ResultsMode::None:
    case ResultsMode::Own:
        // Nothing chosen yet: the printer set-up alone, nothing printed.
        printerSetupOnly(dialogs_);
        break;
    default:
        // A view without content: there is nothing to print.
        break;
    }
}

void ResultsWindow::printCertificateView() {
    const CertificateModel model = certificateModel();
    if (model.needsInstrument) {
        showInstrumentBox();
        return;
    }
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName = tr("Certifikat_%1_%2.pdf")
                              .arg(model.month.month, 2, 10, QLatin1Char('0'))
                              .arg(model.month.year);
    request.page = certificatePage();
    request.pages = [&model](PrintJob &job) { return printCertificate(job, model); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void ResultsWindow::printObserversView() {
    if (observers_.observers.empty()) {
        dialogs_.information(tr("Ještě není znám žádný pozorovatel"));
        return;
    }
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName = tr("Pozorovatele.pdf");
    request.page = observersPage();
    request.askSetup = false; // the observers table prints at once
    const ObserverTable &table = observers_;
    request.pages = [&table](PrintJob &job) { return printObserverTable(job, table); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void ResultsWindow::Button2Click() {
    if (resultsMode_ != ResultsMode::Measured && resultsMode_ != ResultsMode::Smoothed)
        return;
    const int choice = printRange_->checkedId();
    if (choice < 0) {
        dialogs_.information(tr("Nebyl zybrán typ tisku! "));
        return;
    }
    const auto range = static_cast<StatisticsPrintRange>(choice);
    const int cursorRow = std::max(0, statisticsGrid_->currentIndex().row()) + 1;
    PrintRequest request;
    request.title = windowTitle();
    request.pdfFileName =
        statistics_.smoothed ? tr("Statistika_vyhlazena.pdf") : tr("Statistika.pdf");
    request.page = statisticsPage();
    request.askSetup = false; // the print panel is where the print is set up
    const StatisticsTable &table = statistics_;
    request.pages = [&table, range, cursorRow](PrintJob &job) {
        return printStatistics(job, table, range, cursorRow);
    };
    if (printView(dialogs_, store_.dataDirectory(), request) != PrintOutcome::Printed)
        return; // the panel stays for another try or Storno
    printPanel_->hide();
    printRange_->setExclusive(false);
    if (QAbstractButton *checked = printRange_->checkedButton())
        checked->setChecked(false);
    printRange_->setExclusive(true);
}

void ResultsWindow::Button3Click() {
    printPanel_->hide();
}

// --- The instrument box ---------------------------------------------------------------------

void ResultsWindow::pristrojClick() {
    showInstrumentBox();
}

void ResultsWindow::showInstrumentBox() {
    if (!instrumentBox_->isVisible()) {
        // The first field shows the line OK keeps it in: the observatory in the own
        // results, the station printed on the certificate otherwise.
        const InstrumentLines &lines = store_.instrumentLines();
        instrumentFields_[0]->setText(lines[resultsMode_ == ResultsMode::Own ? 0 : 5]);
        for (int k = 1; k < 5; ++k)
            instrumentFields_[k]->setText(lines[static_cast<size_t>(k)]);
    }
    instrumentBox_->show();
    instrumentBox_->raise();
    instrumentFields_[0]->setFocus();
}

void ResultsWindow::Button1Click() {
    InstrumentLines lines = store_.instrumentLines();
    lines[resultsMode_ == ResultsMode::Own ? 0 : 5] = instrumentFields_[0]->text();
    for (int k = 1; k < 5; ++k)
        lines[static_cast<size_t>(k)] = instrumentFields_[k]->text();
    store_.setInstrumentLines(lines);
    QString error;
    if (!writeInstrumentFile(store_.dataDirectory(), lines, &error)) {
        dialogs_.information(error); // the box stays open for another try
        return;
    }
    instrumentBox_->hide();
    refresh();
}

} // namespace orvanek
