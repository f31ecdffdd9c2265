#pragma once

#include "views/common/namedactions.h"
#include "views/graphs/graphview.h"

#include <QRect>
#include <QWidget>

#include <optional>

class QAction;
class QGroupBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QScrollBar;

namespace orvanek {

class Dialogs;
class SidewaysCanvas;

// The smoothed-graph window (TForm8, "Vyhlazovací   grafy"): for one of eight quantities
// the monthly means of the whole-disk daily values and their 13-month smoothing, against
// months. Opened in the asymmetry mode ("Asymetrie    graf") it draws nothing and offers
// only its scale. It closes itself when another child window of the main window is
// activated.
class SmoothedWindow : public QWidget {
    Q_OBJECT

  public:
    SmoothedWindow(const ObservationStore &store, Dialogs &dialogs, SmoothedMode mode,
                   QWidget *parent = nullptr);
    ~SmoothedWindow() override;

    // Where the window stands in a main window whose client area is `client`: at (1, 1),
    // 8 pixels narrower and 40 lower than the client area.
    static QRect placement(QSize client);

    SmoothedMode mode() const { return mode_; }
    const SmoothedState &state() const { return state_; }
    bool scaleShown() const { return scaleShown_; }
    int scrollPosition() const;
    void setScrollPosition(int position);
    int scrollRange() const; // the range as the content's width, not the bar's maximum
    QWidget *canvas() const;
    QAction *action(const QString &name) const;
    QGroupBox *widthBox() const { return widthBox_; }
    QLineEdit *widthEdit() const { return widthEdit_; }

    // The window's paint as it stands, from the monthly series it keeps while the records
    // and the quantity stay.
    SmoothedView currentView() const;

  public slots:
    // The eight quantities; only the first three are in the window's own menu.
    void gvyhlClick();
    void fvyhlClick();
    void rvyhlClick();
    void cvvyhlClick();
    void snvyhlClick();
    void rbvyhlClick();
    void plochavyhlClick();
    void polokvyhlClick();
    // The width box: shows it filled with the present width and focused.
    void zvetsitClick();
    // "Potvrdit" (or Enter in the box): 1..5 pixels a month step; 0, a negative number or
    // anything unreadable is 3, above 5 is 5.
    void Button1Click();
    // The asymmetry window's scale.
    void stupnicClick();
    // Prints the smoothed graph from the month at the window's left edge.
    void tiskvyhlClick();
    void zaviratvClick();
    void FormDeactivate();

  signals:
    void quantityChosen(orvanek::SmoothedQuantity quantity);
    // FormClose: the main window shows its default panel again.
    void closed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    friend class SidewaysCanvas;
    void FormPaint(QPainter &painter);
    void chooseQuantity(SmoothedQuantity quantity);
    void updateScrollRange();
    // The monthly series of the quantity shown, built once per records and quantity.
    const MonthlySeries &series() const;
    void createMenu();
    void createWidthBox();

    const ObservationStore &store_;
    Dialogs &dialogs_;
    SmoothedMode mode_;
    SmoothedState state_;
    mutable std::optional<MonthlySeries> series_;
    bool scrollPlaced_ = false;
    bool scaleShown_ = false;
    SidewaysCanvas *canvas_ = nullptr;
    QScrollBar *scrollBar_ = nullptr; // HorzScrollBar
    QGroupBox *widthBox_ = nullptr;   // GroupBox1
    QLineEdit *widthEdit_ = nullptr;  // Edit1
    QPushButton *confirm_ = nullptr;  // Button1
    NamedActions actions_;
};

} // namespace orvanek
