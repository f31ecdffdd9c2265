#include "app/mainwindow.h"

#include "app/datelistwindow.h"
#include "app/startup.h"
#include "app/toolicons.h"
#include "data/asciiexport.h"
#include "data/dialogs.h"
#include "data/numberformat.h"
#include "data/observationstore.h"
#include "entry/entrydialog.h"
#include "reports/resultswindow.h"
#include "views/butterfly/butterflywindow.h"
#include "views/common/childwindow.h"
#include "views/drawing/drawingwindow.h"
#include "views/map/mapwindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace orvanek {

namespace {

constexpr int kToolIconSize = 20; // pixels, in buttons 25 pixels high

// Restores the arrow cursor however the busy section ends.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

MainWindow::MainWindow(ObservationStore &store, Dialogs &dialogs, QString dataDir,
                       CoordinateModeAsker askCoordinateMode, QWidget *parent)
    : QMainWindow(parent), store_(store), dialogs_(dialogs), dataDir_(std::move(dataDir)),
      askCoordinateMode_(std::move(askCoordinateMode)) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Orvanek"));
    setWindowIcon(applicationIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("ClientArea"));
    mdi_->setBackground(palette().brush(QPalette::Dark)); // the workspace colour
    // A maximised view stays the only maximised one: the next window activated, or opened
    // after it closed, comes in its own size. The date list and the drawing view have no
    // button to come back with.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdi_);
    createActions();
    createMenus();
    createSheetCommands();
    createLanguageMenu();
    createToolBars();
    createStatusBar();
    createPositionPanel();
    connectButterflyAndMap();
    connectGraphCommands();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Results windows still open go with the frame; their panel must not be switched then.
    for (ResultsWindow *results : findChildren<ResultsWindow *>())
        results->disconnect(this);
}

bool MainWindow::FormCreate(bool show) {
    // One text, so that each language lays it out: the Czech centres its second line by
    // blanks, the English is one paragraph.
    resolutionWarning = tr("Program je určen pro rozlišení 1024x768 a větší\r\n"
                           "                       Zobrazení nebude dobré");
    const StoreStatus loaded = store_.loadStore(dataDir_);
    if (!loaded) {
        dialogs_.information(loaded.message);
        return false;
    }
    repairUnreadableDates();
    // Why nothing will be saved, where the observer looks for it: the caption says "jen pro
    // čtení", the bar gives the reason (a folder without write permission, a data1.dat made
    // read-only).
    if (store_.readOnly())
        showStatus(store_.readOnlyReason());
    hintsEnabled = true;
    if (show) {
        if (const QScreen *screen = this->screen())
            setGeometry(screen->availableGeometry()); // also where no window manager maximises
        showMaximized();
        QTimer::singleShot(0, this, &MainWindow::showResolutionWarningOnce);
    }
    if (!store_.hasDrawingSetup())
        askCoordinateMode_(store_, dialogs_, this);
    if (store_.heliographicEntry())
        store_.writeSetupIntoRecord1();
    updateCaption();
    return true;
}

void MainWindow::repairUnreadableDates() {
    ObservationStore::DamagedData setAside;
    const StoreStatus status = store_.setAsideDamagedData(&setAside);
    if (!status) {
        // The damaged records stay where they are: better shown wrongly than lost.
        dialogs_.information(status.message);
        return;
    }
    QStringList lines;
    if (setAside.records > 0)
        lines << tr("Došlo k chybě zápisu data\rbube automaticky opraven") + QLatin1Char('\r') +
                     tr("Počet odstraněných záznamů: %1, jsou uloženy v souboru %2")
                         .arg(setAside.records)
                         .arg(ObservationStore::removedFileName());
    if (setAside.trailingBytes > 0)
        lines << tr("Konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2",
                    nullptr, static_cast<int>(setAside.trailingBytes))
                     .arg(ObservationStore::dataFileName(), ObservationStore::removedFileName());
    if (!lines.isEmpty())
        dialogs_.information(lines.join(QLatin1Char('\r')));
}

void MainWindow::updateCaption() {
    if (store_.heliographicEntry()) {
        modeText = tr(" (Heliografické souřadnice)");
        // The spacing is the language's: Czech keeps its wide gaps, English has none.
        setWindowTitle(tr("Orvanek  %1").arg(modeText));
    } else {
        modeText = tr(" (Polární souřednice)");
        setWindowTitle(tr("Orvanek %1  (průměr zákresu  %2 mm)")
                           .arg(modeText, formatNumber(2 * store_.drawingRadius(), "###")));
    }
    if (store_.readOnly())
        setWindowTitle(windowTitle() + tr("  – jen pro čtení"));
}

void MainWindow::showResolutionWarningOnce() {
    // Once per start: shown on every repaint, closing the box would repaint the window
    // and bring it back for ever.
    if (resolutionWarningShown_)
        return;
    resolutionWarningShown_ = true;
    const QScreen *screen = this->screen();
    if (screen && screen->geometry().width() < 1020)
        dialogs_.information(resolutionWarning);
}

void MainWindow::createActions() {
    struct Item {
        const char *name;
        QString caption;
        std::function<void()> handler;
    };
    const Item items[] = {
        {"zadavani", tr("&Zadávání"), {}},
        {"novy", tr("&Nový zákres"), [this] { novyClick(); }},
        {"zvlastni", tr("&Zvlášťní zákres"), [this] { zvlastniClick(); }},
        {"oprava", tr("&Oprava  dat"), [this] { opravaClick(); }},
        {"ulozitdata", tr("&Uložit data"), {}},
        {"ulozitdat", tr("Uložít data"), [this] { ulozitdatClick(); }},
        {"ulozASci", tr("Uložit jako ASCI"), [this] { ulozASciClick(); }},
        {"posledni1", tr("&Poslední zákres"), [this] { posledni1Click(); }},
        {"tisk1", tr("Tisk zákresu"), [this] { tisk1Click(); }},
        {"konec", tr("&Konec"), [this] { konecClick(); }},
        {"Grafy1", tr("&Grafy"), {}},
        {"motylek1", tr("&Motýlek"), {}},
        {"graf", tr("&Grafy"), {}},
        {"vyhlazovaci", tr("&Vyhlazovací"), {}},
        {"asymetrie", tr("&Asymetrie"), {}},
        {"map", tr("&Mapy"), {}},
        {"vysledky1", tr("&Výsledky"), [this] { openResultsWindow(); }},
        {"napove", tr("Nápověda"), [this] { napoveClick(); }},
    };
    for (const Item &item : items) {
        QAction *a = actions_.add(this, item.name, item.caption);
        if (item.handler)
            connect(a, &QAction::triggered, this, item.handler);
    }
    // Their windows are not part of the program yet.
    for (const char *name : {"motylek1", "graf", "vyhlazovaci", "map"})
        actions_.find(QString::fromLatin1(name))->setEnabled(false);
    // Hidden and disabled, as it always was.
    actions_.find(QStringLiteral("asymetrie"))->setVisible(false);
    actions_.find(QStringLiteral("asymetrie"))->setEnabled(false);
}

QAction *MainWindow::action(const QString &name) const {
    return actions_.find(name);
}

void MainWindow::createMenus() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto submenu = [&](const QString &name) {
        QMenu *menu = bar->addMenu(action(name)->text());
        menu->setObjectName(name);
        return menu;
    };
    QMenu *zadavani = submenu(QStringLiteral("zadavani"));
    zadavani->addAction(action("novy"));
    zadavani->addAction(action("zvlastni"));
    zadavani->addAction(action("oprava"));
    QMenu *ulozitdata = zadavani->addMenu(action("ulozitdata")->text());
    ulozitdata->setObjectName(QStringLiteral("ulozitdata"));
    ulozitdata->addAction(action("ulozitdat"));
    ulozitdata->addAction(action("ulozASci"));
    zadavani->addAction(action("posledni1"));
    zadavani->addAction(action("tisk1"));
    QAction *separator = zadavani->addSeparator();
    separator->setObjectName(QStringLiteral("N1"));
    zadavani->addAction(action("konec"));

    QMenu *grafy = submenu(QStringLiteral("Grafy1"));
    for (const char *name : {"motylek1", "graf", "vyhlazovaci", "asymetrie", "map"})
        grafy->addAction(action(QString::fromLatin1(name)));
    bar->addAction(action("vysledky1"));
    bar->addAction(action("napove"));
}

QWidget *MainWindow::addPanel(const QString &name) {
    auto *panel = new QWidget(toolBar_);
    panel->setObjectName(name);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(3, 0, 0, 0);
    layout->setSpacing(0);
    panels_[name] = panel;
    QAction *holder = toolBar_->addWidget(panel);
    holder->setVisible(false);
    panelActions_[name] = holder;
    return panel;
}

QToolButton *MainWindow::addButton(QWidget *panel, const QString &name, const QString &text,
                                   const QString &hint, const std::function<void()> &handler) {
    auto *button = new QToolButton(panel);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setToolTipDuration(5000);
    button->setFixedHeight(25);
    button->setMinimumWidth(25);
    button->setAutoRaise(true);
    // A picture where one says what the button does; the letters stay beside it.
    if (const QIcon icon = toolButtonIcon(name); !icon.isNull()) {
        button->setIcon(icon);
        button->setIconSize(QSize(kToolIconSize, kToolIconSize));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    if (handler)
        connect(button, &QToolButton::clicked, this, handler);
    else
        button->setEnabled(false); // its window is not part of the program yet
    panel->layout()->addWidget(button);
    return button;
}

void MainWindow::createToolBars() {
    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFixedHeight(31);

    QWidget *zakladni = addPanel(QStringLiteral("zakladni"));
    addButton(zakladni, "novyzakres", tr("N"), tr("Nový  zákres"), [this] { novyClick(); });
    addButton(zakladni, "zvlastnizakrrs", tr("Z"), tr("Zvláštní zákres"),
              [this] { zvlastniClick(); });
    addButton(zakladni, "opravazaz", tr("O"), tr("Oprava  záznamu"), [this] { opravaClick(); });
    addButton(zakladni, "ulozit", tr("U"), tr("Uložit data"), [this] { ulozitdatClick(); });
    addButton(zakladni, "poslednizaz", tr("P"), tr("Poslední záznam"),
              [this] { posledni1Click(); });
    addButton(zakladni, "motylekz", tr("M"), tr("Motýlek"));
    addButton(zakladni, "grafyz", tr("G"), tr("Grafy"));
    addButton(zakladni, "vyhladitz", tr("V"), tr("Vyhlazené"));
    addButton(zakladni, "mapyz", tr("Ma"), tr("Mapy"));
    addButton(zakladni, "vysledekz", tr("Vý"), tr("Výsledky"), [this] { openResultsWindow(); });
    addButton(zakladni, "SpeedButton1", tr("Or"), tr("Orientace"), [this] { SpeedButton1Click(); });

    // The panels of the other views; their buttons act once those windows exist.
    QWidget *promotylek = addPanel(QStringLiteral("promotylek"));
    addButton(promotylek, "vlevo", tr("<"), tr("Zúžit "));
    addButton(promotylek, "vpravo", tr(">"), tr("Rozšířit"));
    addButton(promotylek, "vetsi", tr("+"), tr("Zvýšit"));
    addButton(promotylek, "mensi", tr("-"), tr("Snížit"));

    QWidget *prografy = addPanel(QStringLiteral("prografy"));
    prografy->layout()->setContentsMargins(1, 0, 0, 0);
    const std::pair<const char *, QString> graphButtons[] = {
        {"gb", tr("Počet skupin")},           {"fb", tr("Počet skvrn")},
        {"rb", tr("Relativní číslo")},        {"cvb", tr("CV  (McIntoshovo číslo)")},
        {"snb", tr("SN  (Pettisovo číslo)")}, {"rbb", tr("RB  (Beckovo číslo)")},
        {"plochb", tr("Plocha skupin")},      {"polob", tr("Plocha  polokoule")},
    };
    // The quantities' symbols; the two areas' letters are words.
    const QString graphTexts[] = {QStringLiteral("g"),
                                  QStringLiteral("f"),
                                  QStringLiteral("r"),
                                  QStringLiteral("CV"),
                                  QStringLiteral("SN"),
                                  QStringLiteral("RB"),
                                  tr("Pl"),
                                  tr("Pk")};
    for (int i = 0; i < 8; ++i)
        addButton(prografy, graphButtons[i].first, graphTexts[i], graphButtons[i].second);
    addButton(prografy, "vsechny", tr("3"), tr("Tři  křivky"));
    addButton(prografy, "celkovy", tr("C"), tr("Celá plocha"));
    addButton(prografy, "sevrni", tr("S"), tr("Severní  polokoule"));
    addButton(prografy, "jizni", tr("J"), tr("Jižní polokoule"));
    addButton(prografy, "stupnice", tr("St"), tr("Stupnice"));

    QWidget *provyhlazovaci = addPanel(QStringLiteral("provyhlazovaci"));
    const std::pair<const char *, QString> smoothedButtons[] = {
        {"gv", tr("Počet skupin")},           {"fv", tr("Počet skvrn")},
        {"rv", tr("Relativní číslo")},        {"cvv", tr("CV  (McIntoshovo číslo)")},
        {"snv", tr("SN  (Pettisovo číslo)")}, {"rbv", tr("RB  (Beckovo číslo)")},
        {"plochv", tr("Plocha  skupin")},     {"polokouv", tr("Plocha  polokoule")},
    };
    for (int i = 0; i < 8; ++i)
        addButton(provyhlazovaci, smoothedButtons[i].first, graphTexts[i],
                  smoothedButtons[i].second);
    addButton(provyhlazovaci, "stupnicevyhl", tr("St"), tr("Stupnice"));

    QWidget *promapu = addPanel(QStringLiteral("promapu"));
    addButton(promapu, "rotacem", tr("R"), tr("Výběr rotace"));
    addButton(promapu, "mapam", tr("Ma"), tr("Mapa"));

    QWidget *provysledky = addPanel(QStringLiteral("provysledky"));
    addButton(provysledky, "vlastniv", tr("Vla"), tr("Vlastní výsledky"));
    addButton(provysledky, "oficialv", tr("Ofi"), tr("Oficiální výsledky"));
    const std::pair<const char *, QString> resultButtons[] = {
        {"namercelek", tr("Naměřené  celkové")}, {"namersever", tr("Naměřené  sever")},
        {"namerjih", tr("Naměřené  jih")},       {"vyhlcelek", tr("Vyhlazené  celkové")},
        {"vyhlsever", tr("Vyhlazené sever")},    {"vyhljih", tr("Vyhlazené  jih")},
        {"pozorovatelv", tr("Pozorovatelé")},    {"vyvojskup", tr("Výskyt typu skupin")},
    };
    const QString resultTexts[] = {tr("NC"), tr("NS"), tr("NJ"), tr("VC"),
                                   tr("VS"), tr("VJ"), tr("Po"), tr("Ty")};
    for (int i = 0; i < 8; ++i)
        addButton(provysledky, resultButtons[i].first, resultTexts[i], resultButtons[i].second);

    // Buttons of one group stay pressed like radio buttons: the quantity shown, the curves.
    const QList<QStringList> radioGroups = {
        {"gb", "fb", "rb", "cvb", "snb", "rbb", "plochb", "polob"},
        {"vsechny", "celkovy", "sevrni", "jizni"},
        {"gv", "fv", "rv", "cvv", "snv", "rbv", "plochv", "polokouv"},
        // One view of the results window at a time: its ten buttons are one group.
        {"vlastniv", "oficialv", "namercelek", "namersever", "namerjih", "vyhlcelek", "vyhlsever",
         "vyhljih", "pozorovatelv", "vyvojskup"}};
    for (const QStringList &names : radioGroups) {
        auto *group = new QButtonGroup(this);
        group->setExclusive(true);
        for (const QString &name : names) {
            auto *button = toolBar_->findChild<QToolButton *>(name);
            button->setCheckable(true);
            group->addButton(button);
        }
    }
    connectResultsPanel();
}

QWidget *MainWindow::panel(const QString &name) const {
    const auto it = panels_.find(name);
    return it == panels_.end() ? nullptr : it->second;
}

bool MainWindow::panelVisible(const QString &name) const {
    const auto it = panelActions_.find(name);
    return it != panelActions_.end() && it->second->isVisible();
}

void MainWindow::showPanel(const QString &name) {
    for (const auto &[panelName, holder] : panelActions_)
        holder->setVisible(panelName == name);
}

QMdiSubWindow *MainWindow::addView(QWidget *view, bool closable) {
    QMdiSubWindow *sub = mdi_->addSubWindow(view);
    if (!closable) {
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        keepNormalSize(sub);
    }
    return sub;
}

void MainWindow::createViews() {
    dateList_ = new DateListWindow(store_);
    QMdiSubWindow *dateSub = addView(dateList_, false);
    const QScreen *screen = this->screen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    const int clientHeight = mdi_->height() > 100 ? mdi_->height() : 700;
    int left = screenWidth > 1024 ? 804 : screenWidth - 220;
    // Never past the right edge of a frame narrower than the screen.
    if (mdi_->width() > 400)
        left = std::min(left, mdi_->width() - 204);
    dateSub->setGeometry(left, 1, 200, clientHeight - 38);
    dateSub->show();

    drawing_ = new DrawingWindow(store_, dialogs_);
    QMdiSubWindow *drawingSub = addView(drawing_, false);
    drawingSub->setGeometry(2, 1, std::min(802, std::max(300, left - 4)), clientHeight - 38);
    drawingSub->show();
    connect(dateList_, &DateListWindow::escapePressed, drawing_,
            &DrawingWindow::hideOrientationBox);
    connect(drawing_, &DrawingWindow::drawingResized, this, &MainWindow::fitDrawingView);
    connect(drawing_, &DrawingWindow::bitmapReport, this, &MainWindow::showWriteReport);
    fitDrawingView();

    // The drawing view pins itself and the date list for the whole run.
    viewsPinned = true;
    dateList_->setViewsPinned(true);
    drawing_->setViewsPinned(true);
    showPanel(QStringLiteral("zakladni"));
}

// The drawing's texts reach past its usual 802 pixels when a name is long: its frame
// widens to the whole drawing as far as the date list, kept whole at the right, leaves room,
// and the list moves along. It never narrows again, or the list would jump under the mouse
// while the observer steps through the records.
void MainWindow::fitDrawingView() {
    auto *drawingSub = qobject_cast<QMdiSubWindow *>(drawing_->parentWidget());
    auto *dateSub = dateList_ ? qobject_cast<QMdiSubWindow *>(dateList_->parentWidget()) : nullptr;
    if (!drawingSub || !dateSub)
        return;
    constexpr int kGap = 2;         // pixels between the two windows
    constexpr int kRightMargin = 4; // pixels the list keeps from the frame's right edge
    // The sub-window's borders and title bar, whatever the style draws.
    const QSize borders = drawingSub->sizeHint() - drawing_->sizeHint();
    const int wanted =
        drawing_->wholeDrawingWidth(drawingSub->height() - borders.height()) + borders.width();
    const int room = mdi_->width() - kRightMargin - dateSub->width() - kGap - drawingSub->x();
    const int width = std::min(wanted, room);
    if (width <= drawingSub->width())
        return;
    drawingSub->resize(width, drawingSub->height());
    const int listLeft = drawingSub->geometry().right() + 1 + kGap;
    if (dateSub->x() < listLeft)
        dateSub->move(listLeft, dateSub->y());
}

// --- The results window ---------------------------------------------------------------------

void MainWindow::openResultsWindow() {
    auto *results = new ResultsWindow(store_, dialogs_);
    results_ = results;
    QMdiSubWindow *sub = addView(results, true);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The basic panel comes back when the newest results window is gone. The window is
    // compared as a QObject: by the time it says it is destroyed it is no ResultsWindow.
    newestResults_ = results;
    connect(results, &QObject::destroyed, this, [this](QObject *gone) {
        if (newestResults_ == gone || newestResults_ == nullptr) {
            newestResults_ = nullptr;
            showPanel(QStringLiteral("zakladni"));
        }
    });
    connect(results, &ResultsWindow::viewShown, this, [this, results] {
        if (results_ == results)
            pressShownResultsView();
    });
    pressShownResultsView();
    if (mdi_->width() > 100 && mdi_->height() > 100)
        sub->setGeometry(5, 1, mdi_->width() - 10, mdi_->height() - 38);
    showPanel(QStringLiteral("provysledky"));
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

ResultsWindow *MainWindow::resultsWindow() const {
    return results_;
}

namespace {

// The results panel: each button, what it chooses and the view it stands for.
struct ResultsButton {
    const char *button;
    void (ResultsWindow::*handler)();
    bool enabled;
    ResultsMode mode;
    StatRegion region; // of the statistics; the other views have none
};
const ResultsButton kResultsButtons[] = {
    {"vlastniv", &ResultsWindow::vlastniClick, false, ResultsMode::Own, StatRegion::Total},
    {"oficialv", &ResultsWindow::oficialniClick, true, ResultsMode::Certificate, StatRegion::Total},
    {"namercelek", &ResultsWindow::celkovynamClick, true, ResultsMode::Measured, StatRegion::Total},
    {"namersever", &ResultsWindow::severnamClick, false, ResultsMode::Measured, StatRegion::North},
    {"namerjih", &ResultsWindow::jihnamClick, false, ResultsMode::Measured, StatRegion::South},
    {"vyhlcelek", &ResultsWindow::celkovyvyrClick, false, ResultsMode::Smoothed, StatRegion::Total},
    {"vyhlsever", &ResultsWindow::severvyrClick, false, ResultsMode::Smoothed, StatRegion::North},
    {"vyhljih", &ResultsWindow::jihvyrClick, false, ResultsMode::Smoothed, StatRegion::South},
    {"pozorovatelv", &ResultsWindow::pozorovateleClick, true, ResultsMode::Observers,
     StatRegion::Total},
    {"vyvojskup", &ResultsWindow::Vvojskupin1Click, false, ResultsMode::GroupDevelopment,
     StatRegion::Total},
};

bool showsView(const ResultsWindow &window, const ResultsButton &b) {
    const bool statistics = b.mode == ResultsMode::Measured || b.mode == ResultsMode::Smoothed;
    return window.resultsMode() == b.mode && (!statistics || window.statRegion() == b.region);
}

} // namespace

void MainWindow::connectResultsPanel() {
    // The buttons act on the newest results window; the panel shows only while one is open.
    QWidget *provysledky = panel(QStringLiteral("provysledky"));
    for (const ResultsButton &b : kResultsButtons) {
        auto *button = provysledky->findChild<QToolButton *>(QString::fromLatin1(b.button));
        const auto handler = b.handler;
        connect(button, &QToolButton::clicked, this, [this, handler] {
            if (results_)
                (results_.data()->*handler)();
        });
        button->setEnabled(b.enabled);
    }
}

void MainWindow::pressShownResultsView() {
    // The view shown and nothing else is pressed; none when the window shows none (a
    // cancelled month prompt), whatever the button clicked last.
    QWidget *provysledky = panel(QStringLiteral("provysledky"));
    QButtonGroup *group =
        provysledky->findChild<QToolButton *>(QStringLiteral("oficialv"))->group();
    group->setExclusive(false);
    for (const ResultsButton &b : kResultsButtons)
        provysledky->findChild<QToolButton *>(QString::fromLatin1(b.button))
            ->setChecked(results_ && showsView(*results_, b));
    group->setExclusive(true);
}

void MainWindow::openEntryDialog(EntryMode mode) {
    // One entry dialog at a time: the three commands stay disabled while it is open.
    if (entryDialog_)
        return;
    // What is typed could not be saved.
    if (store_.readOnly()) {
        dialogs_.information(tr("Data jsou otevřena jen pro čtení, zadávat nelze.\r%1")
                                 .arg(store_.readOnlyReason()));
        return;
    }
    closeMapWindow();
    for (const char *name : {"novy", "zvlastni", "oprava"})
        action(QString::fromLatin1(name))->setEnabled(false);
    entryDialog_ = new EntryDialog(store_, mode, modeText, dialogs_, this);
    connect(entryDialog_, &EntryDialog::committed, this, &MainWindow::showPositionNotice);
    connect(entryDialog_, &QDialog::finished, this, [this] {
        for (const char *name : {"novy", "zvlastni", "oprava"})
            action(QString::fromLatin1(name))->setEnabled(true);
    });
    attachScan(entryDialog_);
    entryDialog_->open();
}

void MainWindow::novyClick() {
    openEntryDialog(EntryMode::New);
}

void MainWindow::zvlastniClick() {
    openEntryDialog(EntryMode::Special);
}

void MainWindow::opravaClick() {
    openEntryDialog(EntryMode::Correction);
}

void MainWindow::ulozitdatClick() {
    StoreStatus status;
    {
        BusyCursor busy;
        status = store_.saveStore();
    }
    const QString file = QDir::toNativeSeparators(
        QDir(store_.dataDirectory()).filePath(ObservationStore::dataFileName()));
    if (!status) {
        showWriteReport(tr("Data nebyla uložena: %1").arg(status.message));
        dialogs_.information(status.message);
        return;
    }
    showWriteReport(tr("Data uložena do %1, záznamů: %2").arg(file).arg(store_.recordCount()));
}

void MainWindow::ulozASciClick() {
    AsciiExportResult result;
    {
        BusyCursor busy;
        result = exportAscii(store_);
    }
    const QString file =
        QDir::toNativeSeparators(QDir(store_.dataDirectory()).filePath(asciiExportFileName()));
    if (!result.ok) {
        showWriteReport(tr("Soubor ASCII nebyl uložen: %1").arg(result.message));
        dialogs_.information(result.message);
        return;
    }
    // The heading line and one line per group.
    showWriteReport(
        tr("Soubor ASCII uložen do %1, řádků: %2").arg(file).arg(result.groupLines + 1));
}

// --- What a command did: the status bar -------------------------------------------------

void MainWindow::createStatusBar() {
    // A label of its own rather than the bar's message: a menu item passed over with the
    // mouse would clear a message, and the observer should still read what was written.
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    statusBar()->addWidget(statusLabel_, 1);
    // What was written is no longer the data once they change: the bar must not go on
    // saying "uložena".
    connect(&store_, &ObservationStore::recordsChanged, this, [this] {
        if (statusReportsWrite_ && store_.dataModified())
            showStatus(tr("Data změněna, nejsou uložena"));
    });
}

void MainWindow::showStatus(const QString &text) {
    // Messages meant for a box may hold line breaks; the bar has one line.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    statusLabel_->setText(line);
    statusReportsWrite_ = false;
}

void MainWindow::showWriteReport(const QString &text) {
    showStatus(text);
    statusReportsWrite_ = true;
}

QString MainWindow::statusText() const {
    return statusLabel_->text();
}

void MainWindow::posledni1Click() {
    store_.selectRecord(store_.recordCount() - 1);
}

void MainWindow::tisk1Click() {
    if (drawing_)
        drawing_->tiskzakresClick();
}

void MainWindow::konecClick() {
    close();
}

void MainWindow::napoveClick() {
    if (!hintsEnabled) {
        hintsEnabled = true;
        dialogs_.information(tr("Bude se zobrazovat plovoucí nápověda"));
    } else {
        dialogs_.information(tr("Nebude se zobrazovat plovoucí nápověda"));
        hintsEnabled = false;
    }
}

void MainWindow::SpeedButton1Click() {
    if (drawing_)
        drawing_->showOrientationBox();
}

// --- The butterfly diagram and the map --------------------------------------------------

void MainWindow::connectButterflyAndMap() {
    const auto wire = [this](const QString &name, const std::function<void()> &handler) {
        QObject *item = action(name);
        if (auto *a = qobject_cast<QAction *>(item)) {
            connect(a, &QAction::triggered, this, handler);
            a->setEnabled(true);
        } else if (auto *button = toolBar_->findChild<QToolButton *>(name)) {
            connect(button, &QToolButton::clicked, this, handler);
            button->setEnabled(true);
        }
    };
    wire(QStringLiteral("motylek1"), [this] { motylek1Click(); });
    wire(QStringLiteral("motylekz"), [this] { motylek1Click(); });
    wire(QStringLiteral("map"), [this] { mapClick(); });
    wire(QStringLiteral("mapyz"), [this] { mapClick(); });
    // The panels' buttons act on the newest window of their kind.
    const std::pair<const char *, void (ButterflyWindow::*)()> butterflyButtons[] = {
        {"vlevo", &ButterflyWindow::vlevoClick},
        {"vpravo", &ButterflyWindow::vpravoClick},
        {"vetsi", &ButterflyWindow::vetsiClick},
        {"mensi", &ButterflyWindow::mensiClick},
    };
    for (const auto &[name, handler] : butterflyButtons)
        wire(QString::fromLatin1(name), [this, handler] {
            if (butterfly_)
                (butterfly_->*handler)();
        });
    const std::pair<const char *, void (MapWindow::*)()> mapButtons[] = {
        {"rotacem", &MapWindow::vybermClick},
        {"mapam", &MapWindow::mapkyClick},
    };
    for (const auto &[name, handler] : mapButtons)
        wire(QString::fromLatin1(name), [this, handler] {
            if (map_)
                (map_->*handler)();
        });
}

ButterflyWindow *MainWindow::butterfly() const {
    return butterfly_;
}

MapWindow *MainWindow::mapWindow() const {
    return map_;
}

void MainWindow::motylek1Click() {
    auto *view = new ButterflyWindow(store_, dialogs_);
    QMdiSubWindow *frame = addView(view, true);
    const QSize client = mdi_->size();
    frame->setGeometry(1, 1, client.width() - 30, client.height() - 40);
    butterfly_ = view;
    showPanel(QStringLiteral("promotylek"));
    connect(view, &ButterflyWindow::closed, this, [this, view] {
        if (butterfly_ == view && panelVisible(QStringLiteral("promotylek")))
            showPanel(QStringLiteral("zakladni"));
    });
    closeOnDeactivation(view, [view] { view->FormDeactivate(); });
    frame->show();
    view->view()->setFocus();
}

void MainWindow::mapClick() {
    action(QStringLiteral("map"))->setEnabled(false);
    auto *view = new MapWindow(store_, dialogs_);
    QMdiSubWindow *frame = addView(view, true);
    const QSize client = mdi_->size();
    frame->setGeometry(1, 1, client.width() - 8, client.height() - 37);
    map_ = view;
    showPanel(QStringLiteral("promapu"));
    connect(view, &MapWindow::closed, this, [this, view] {
        if (map_ != view)
            return;
        action(QStringLiteral("map"))->setEnabled(true);
        if (panelVisible(QStringLiteral("promapu")))
            showPanel(QStringLiteral("zakladni"));
    });
    closeOnDeactivation(view, [view] { view->FormDeactivate(); });
    frame->show();
}

void MainWindow::closeMapWindow() {
    // The map shows a chosen rotation's first record as the current one; an entry must
    // start from the record that really is current, or a correction would be stored over
    // another record.
    if (map_)
        map_->zavritmClick();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    // With hints switched off no tool tip is shown anywhere in the program.
    if (event->type() == QEvent::ToolTip && !hintsEnabled)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    const StoreStatus saved = store_.closeStore();
    if (!saved) {
        dialogs_.information(saved.message);
        if (!dialogs_.question(tr("Data se nepodařilo uložit. Ukončit program bez uložení?"))) {
            event->ignore();
            return;
        }
    }
    viewsPinned = false;
    if (dateList_)
        dateList_->setViewsPinned(false);
    if (drawing_)
        drawing_->setViewsPinned(false);
    closing_ = true;
    mdi_->closeAllSubWindows();
    event->accept();
}

} // namespace orvanek
