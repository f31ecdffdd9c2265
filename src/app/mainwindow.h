#pragma once

#include "entry/entrydialog.h"
#include "language/language.h"
#include "views/common/namedactions.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>

class QDockWidget;
class QLabel;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class QToolButton;

namespace orvanek {

class ButterflyWindow;
class DateListWindow;
class DrawingWindow;
class MapWindow;
class GraphWindow;
class SmoothedWindow;
class Dialogs;
class ResultsWindow;
class ObservationStore;
class ScanWindow;
class SilsoWindow;

// TForm1: the frame that holds every view, the main menu and the tool panels.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // How the coordinate-mode choice is made for a data set without a drawing setup;
    // the program runs the dialog, tests answer it themselves.
    using CoordinateModeAsker = std::function<void(ObservationStore &, Dialogs &, QWidget *)>;

    MainWindow(ObservationStore &store, Dialogs &dialogs, QString dataDir,
               CoordinateModeAsker askCoordinateMode, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Loads the data directory, sets aside records whose date cannot be read (into
    // data1.removed, with one message), shows the window, takes or asks the drawing setup
    // and sets the caption. False when the data could not be read: nothing may be written
    // then.
    bool FormCreate(bool show = true);
    // The date list and the drawing view, created after the main window (start-up order).
    void createViews();

    // Menu and button handlers.
    // Opens the entry dialog; the three entry commands are disabled until it closes.
    void openEntryDialog(EntryMode mode);
    EntryDialog *entryDialog() const { return entryDialog_; }
    void novyClick();
    void zvlastniClick();
    void opravaClick();
    void ulozitdatClick();
    void ulozASciClick();
    void posledni1Click();
    void tisk1Click();
    void konecClick();
    void napoveClick();
    void SpeedButton1Click();
    // The butterfly diagram and the map (menu `motylek1` and `map`, buttons `motylekz` and
    // `mapyz`): each opens a new window, the newest one answers the panel's buttons.
    void motylek1Click();
    void mapClick();
    // vysledky1 and vysledekz: a new results window, with its panel in the tool bar.
    void openResultsWindow();
    ResultsWindow *resultsWindow() const;

    // The graph windows: `graf` and `grafyz` open TForm6, `vyhlazovaci` and `vyhladitz` the
    // smoothed graphs TForm8, the hidden `asymetrie` the asymmetry window.
    void grafClick();
    void vyhlazovaciClick();
    void asymetrieClick();
    GraphWindow *graphWindow() const;
    SmoothedWindow *smoothedWindow() const;

    // "Zadávání › Šablona pro kresbu…" (`sablona`): the observing sheet of a moment asked for,
    // printed at true scale in the drawing view's orientation.
    void sablonaClick();
    // "Grafy › Srovnání s SILSO…" (`srovnanisilso`): a SILSO daily file chosen, then the
    // comparison window.
    void srovnaniClick();
    SilsoWindow *silsoWindow() const;
    // "Zadávání › Ze skenu…" (`zeskenu`): a scanned drawing chosen and registered in the scan
    // window; an entry dialog opened while it is there gets the scan beside it to click on.
    void zeskenuClick();
    ScanWindow *scanWindow() const;

    // "Nastavení › Jazyk": the language the windows speak now and the one the environment
    // names, as the program found them at its start (it may have changed the environment's
    // formats since).
    void setLanguages(Language running, Language system);
    // A language chosen in the menu is kept in the settings and taken at the next start; the
    // user is told so when it differs from the language shown now.
    void jazykClick(LanguageChoice choice);

    QAction *action(const QString &name) const;
    QWidget *panel(const QString &name) const;
    bool panelVisible(const QString &name) const;
    // Shows one view's panel at the left end and hides the others.
    void showPanel(const QString &name);

    DateListWindow *dateList() const { return dateList_; }
    DrawingWindow *drawing() const { return drawing_; }
    ButterflyWindow *butterfly() const;
    MapWindow *mapWindow() const;
    QMdiArea *mdiArea() const { return mdi_; }
    // What the last save or export did, as the status bar shows it.
    QString statusText() const;

    // After a commit: the groups of the stored drawing that the drawings of the days around it
    // place elsewhere, listed in the panel `polohaskupin`, which hides when there are none.
    void showPositionNotice(const ObservationRecord &record);
    // The lines of that panel while it shows.
    QStringList positionNotices() const;
    QListWidget *positionList() const { return positionList_; }

    QString modeText;
    QString resolutionWarning;
    int smoothedMode = 0;
    bool viewsPinned = false;
    bool hintsEnabled = true;

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void showStatus(const QString &text);
    // What a save or an export wrote (or why not); it gives way to a note when the data
    // change afterwards.
    void showWriteReport(const QString &text);
    QToolButton *addButton(QWidget *panel, const QString &name, const QString &text,
                           const QString &hint, const std::function<void()> &handler = {});
    QWidget *addPanel(const QString &name);
    void updateCaption();
    void repairUnreadableDates();
    void showResolutionWarningOnce();
    QMdiSubWindow *addView(QWidget *view, bool closable);
    // Widens the drawing view to its whole drawing where the frame has room.
    void fitDrawingView();
    void connectButterflyAndMap();
    void closeMapWindow();
    void connectResultsPanel();
    // Presses the results panel's button of the view the newest results window shows.
    void pressShownResultsView();
    // The graph commands and the buttons of `prografy` and `provyhlazovaci`.
    void connectGraphCommands();
    void openSmoothedWindow();
    void pressButton(const QString &name);
    // The sheet's and the comparison's menu commands.
    void createSheetCommands();
    void createPositionPanel();
    // "Nastavení › Jazyk" and its three choices.
    void createLanguageMenu();
    void showLanguageChoice();
    // "Ze skenu…", put into the menu beside the sheet.
    QAction *createScanCommand();
    void attachScan(EntryDialog *dialog);
    // A closable child window over most of the frame, made active.
    void showLargeView(QWidget *view);

    ObservationStore &store_;
    Dialogs &dialogs_;
    QString dataDir_;
    CoordinateModeAsker askCoordinateMode_;
    QMdiArea *mdi_ = nullptr;
    QToolBar *toolBar_ = nullptr; // ToolBar1
    QLabel *statusLabel_ = nullptr;
    QDockWidget *positionPanel_ = nullptr; // polohaskupin
    QListWidget *positionList_ = nullptr;
    DateListWindow *dateList_ = nullptr;
    DrawingWindow *drawing_ = nullptr;
    QPointer<EntryDialog> entryDialog_;
    QPointer<ButterflyWindow> butterfly_;
    QPointer<MapWindow> map_;
    QPointer<ResultsWindow> results_;         // the newest results window
    const QObject *newestResults_ = nullptr;  // the same, only compared, never used
    QPointer<GraphWindow> graphWindow_;       // the newest; its panel's buttons act on it
    QPointer<SmoothedWindow> smoothedWindow_; // likewise
    QPointer<SilsoWindow> silsoWindow_;       // the newest comparison window
    QPointer<ScanWindow> scanWindow_;
    NamedActions actions_;
    std::map<QString, QWidget *> panels_;
    std::map<QString, QAction *> panelActions_;
    Language runningLanguage_ = Language::Czech;
    Language systemLanguage_ = Language::Czech;
    bool resolutionWarningShown_ = false;
    bool statusReportsWrite_ = false; // the status bar tells what a save or export wrote
    bool closing_ = false;
};

} // namespace orvanek
