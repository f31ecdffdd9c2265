#pragma once

#include "reports/certificatelayout.h"
#include "reports/certificatemodel.h"
#include "reports/monthprompt.h"
#include "reports/observerstable.h"
#include "reports/statisticsmodel.h"
#include "views/common/namedactions.h"

#include <QWidget>

#include <optional>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QMenuBar;
class QScrollArea;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace orvanek {

class StatisticsGridModel;

class Dialogs;
class ObservationStore;
class ResultsCanvas;

// What the results window shows; the values are the ones its handlers have always set.
enum class ResultsMode {
    None = 0,             // at creation, or after the month prompt was cancelled
    Own = 1,              // own results (no content)
    Certificate = 2,      // the monthly certificate
    GroupDevelopment = 3, // group development (no content)
    Observers = 4,        // the observers table
    Measured = 5,         // measured monthly statistics
    Smoothed = 6,         // smoothed monthly statistics
    GroupTypes = 7,       // occurrence of group types (no content)
    MapData = 8,          // data for the map (no content)
};

// TForm9, "Výsledky": the monthly certificate, the monthly statistics and the observers
// table, with their print commands, the instrument box that edits pristroj.dat and the
// (hidden) rotation field. It closes itself when another child window of the main window
// becomes active. Every view is rebuilt from the store when the view is chosen and
// whenever the store's records or current record change.
class ResultsWindow : public QWidget {
    Q_OBJECT

  public:
    // The store is not const: choosing a month makes its first record current, and the
    // instrument box keeps the instrument lines there. Nothing else is changed.
    ResultsWindow(ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);
    ~ResultsWindow() override;

    ResultsMode resultsMode() const { return resultsMode_; }
    StatRegion statRegion() const { return statRegion_; }
    // The month the certificate shows; nothing until one was chosen.
    const std::optional<AskedMonth> &askedMonth() const { return askedMonth_; }

    // The certificate of the chosen month as the window paints it now.
    CertificateModel certificateModel() const;
    // The tables as the grids show them now.
    const StatisticsTable &statistics() const { return statistics_; }
    const ObserverTable &observerTable() const { return observers_; }
    const std::optional<CertificateLayout> &certificateShown() const { return certificate_; }

    // Menu items by their names ("oficialni", "celkovynam", "tiskvysl", ...).
    QAction *action(const QString &name) const;
    // The widget the certificate is painted on; its pixels are certificate units.
    QWidget *canvas() const;

    QSize sizeHint() const override;

  signals:
    // What the window shows may have changed (a view chosen, a month prompt cancelled, the
    // records changed): the main window's results panel presses the button of the view shown.
    void viewShown();

  public slots:
    // The views (menu items and the main window's results panel).
    void vlastniClick();
    void oficialniClick();
    void celkovynamClick();
    void severnamClick();
    void jihnamClick();
    void celkovyvyrClick();
    void severvyrClick();
    void jihvyrClick();
    void pozorovateleClick();
    void Vvojskupin1Click();
    void vyskitClick();
    void udajmapaClick();
    // "Tisk": prints the certificate (after the printer set-up), the observers table at
    // once, or opens the statistics' print panel; with no view chosen it shows the printer
    // set-up alone.
    void tiskvyslClick();
    // "Změna přístroje": shows the instrument box.
    void pristrojClick();
    // The instrument box's OK: keeps the lines and writes pristroj.dat.
    void Button1Click();
    // The print panel's "Tisk" and "Storno".
    void Button2Click();
    void Button3Click();
    // Rebuilds what the chosen view shows from the store.
    void refresh();

  protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void createMenu();
    void createGrids();
    void createPrintPanel();
    void createInstrumentBox();
    void createRotationField();
    // Checks exactly the menu items named, unchecking every other.
    void checkItems(std::initializer_list<const char *> names);
    void chooseStatistics(ResultsMode mode, StatRegion region);
    // The month prompt until a month with records is named; false when it was cancelled.
    bool askMonthWithRecords(std::optional<AskedMonth> &month, int &recordIndex);
    void showInstrumentBox();
    void fillStatisticsGrid();
    void fillObserversGrid();
    void placeChildren();
    void printCertificateView();
    void printObserversView();

    ObservationStore &store_;
    Dialogs &dialogs_;
    ResultsMode resultsMode_ = ResultsMode::None;
    StatRegion statRegion_ = StatRegion::Total;
    std::optional<AskedMonth> askedMonth_;
    StatisticsTable statistics_;
    ObserverTable observers_;
    // The certificate as laid out by the last refresh; nothing while it waits for the
    // station line or another view is chosen. The canvas only paints it.
    std::optional<CertificateLayout> certificate_;
    std::optional<PageSize> estimatePage_; // the page the print panel's estimate is for

    QMenuBar *menu_ = nullptr; // MainMenu1
    NamedActions actions_;
    QWidget *client_ = nullptr;
    QScrollArea *scrollArea_ = nullptr;
    ResultsCanvas *canvas_ = nullptr;
    // The statistics are shown from the table itself, row by row as they come into sight: at
    // 100 000 records a cell of its own for each of 50 000 values took longer than a frame.
    QTableView *statisticsGrid_ = nullptr; // StringGrid1
    StatisticsGridModel *statisticsCells_ = nullptr;
    QTableWidget *observersGrid_ = nullptr; // StringGrid3
    QGroupBox *printPanel_ = nullptr;       // GroupBox1
    QLabel *countLabel_ = nullptr;          // Label6
    QButtonGroup *printRange_ = nullptr;    // RadioGroup1
    QGroupBox *instrumentBox_ = nullptr;    // GroupBox2
    QLineEdit *instrumentFields_[5] = {};   // Edit1 .. Edit5
    QWidget *rotationPanel_ = nullptr;      // Panel2
    QSpinBox *rotationField_ = nullptr;     // SpinEdit1
};

} // namespace orvanek
