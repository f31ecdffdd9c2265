#pragma once

#include "views/common/namedactions.h"
#include "views/graphs/graphview.h"

#include <QRect>
#include <QWidget>

class QAction;
class QMenu;
class QPainter;
class QScrollBar;

namespace orvanek {

class Dialogs;
class SidewaysCanvas;

// The graph window (TForm6, "Grafy"): the daily g, f or R of every record as curves
// against calendar time, in three stacked panels (whole disk, north, south) or one tall
// panel, scrolled horizontally over the whole period. It closes itself when another child
// window of the main window is activated.
class GraphWindow : public QWidget {
    Q_OBJECT

  public:
    GraphWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);
    ~GraphWindow() override;

    // Where the window stands in a main window whose client area is `client`: at (1, 1),
    // 10 pixels narrower and 40 lower than the client area.
    static QRect placement(QSize client);

    const GraphSeries &series() const { return series_; }
    DisplayMode displayMode() const { return mode_; }
    QString viewLabel() const { return viewLabel_; }
    bool scaleShown() const { return scaleShown_; }
    int scrollPosition() const;
    void setScrollPosition(int position);
    // The widget the graphs are painted on: its size is the client size of the panels.
    QWidget *canvas() const;
    QAction *action(const QString &name) const;

    // The window's paint as it stands: series, geometry and the placed model.
    GraphView currentView();

  public slots:
    // Quantity: groups, spots, relative number; heights recomputed at the present size.
    void ggrafClick();
    void fgrafClick();
    void rrelativniClick();
    // Panels: all three, whole disk, north, south; the heights stay as they are.
    void vsechnyClick();
    void celkovyClick();
    void severgClick();
    void jihgClick();
    // Value labels of the visible panels at the window's left edge, wherever it is scrolled.
    void stupniceClick();
    // Prints the panels shown from the date at the window's left edge; then resets the
    // window (plneoknoClick).
    void tiskgrafClick();
    // Back to the whole frame: position and size, caption, two pixels a day, heights.
    // Run after printing.
    void plneoknoClick();
    void zaviratgrafClick();
    void FormDeactivate();

  signals:
    // For the main window's tool panel, whose matching button stays pressed.
    void quantityChosen(orvanek::GraphQuantity quantity);
    void modeChosen(orvanek::DisplayMode mode);
    // FormClose: the main window enables `graf` and shows its default panel again.
    void closed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    friend class SidewaysCanvas;
    void FormPaint(QPainter &painter);
    void FormResize();
    void chooseQuantity(GraphQuantity quantity, const char *item);
    void chooseMode(DisplayMode mode, const char *item);
    GraphGeometry screenGeometry() const;
    // The geometry of a paint now, the heights brought to its division first.
    GraphGeometry preparedGeometry();
    // The model of the series in the panels of `geometry`: the one placed before while the
    // series and the panels stay, whatever the scroll position (the painter shifts it).
    const GraphModel &placedModel(const GraphGeometry &geometry);
    void recordsChanged();
    void updateScrollRange();
    void updateCaption();
    void createMenu();

    const ObservationStore &store_;
    Dialogs &dialogs_;
    GraphSeries series_;
    GraphModel model_;
    bool modelPlaced_ = false; // model_ shows series_ in the panels of modelGeometry_
    GraphGeometry modelGeometry_;
    DisplayMode mode_ = DisplayMode::All;
    QString viewLabel_;
    bool seriesReady_ = false; // heights computed at the first paint, once the size is known
    bool scrollPlaced_ = false;
    bool scaleShown_ = false;
    SidewaysCanvas *canvas_ = nullptr;
    QScrollBar *scrollBar_ = nullptr; // HorzScrollBar
    NamedActions actions_;
};

} // namespace orvanek
