#pragma once

#include "views/butterfly/butterflymodel.h"
#include "views/common/namedactions.h"

#include <QWidget>

#include <optional>

class QAbstractScrollArea;
class QAction;
class QMenu;

namespace orvanek {

class Dialogs;
class ObservationStore;
class ButterflyView;

// The butterfly diagram (Tform5): group latitudes and faculae against Carrington rotations,
// scrolled sideways. Its keys and the main window's panel `promotylek` change the scales;
// the diagram is built again only when the store or these settings change, and scrolling
// repaints what was built.
class ButterflyWindow : public QWidget {
    Q_OBJECT

  public:
    ButterflyWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);
    ~ButterflyWindow() override;

    const ButterflyState &state() const { return state_; }
    int latitudeScale() const { return state_.latitudeScale; }
    int rotationWidth() const { return state_.rotationWidth; }
    bool scaleShown() const { return scaleShown_; }

    // The diagram as it is painted now.
    const ButterflyModel &model();
    // How often the diagram was built, for those who check that scrolling reuses it.
    int modelBuilds() const { return modelBuilds_; }
    // Where the diagram lies in the scrolled area now.
    ButterflyGeometry diagramGeometry() const;
    QAbstractScrollArea *view() const;

    // A menu command by its name (konecmot, tiskmot, skvrnymot, Fakulemot, Celek1,
    // vypnout, Stupnice1) or a submenu's action (zobrazeni1, doplnkova, Ohraniceni1).
    QAction *action(const QString &name) const;

    QSize sizeHint() const override;

  public slots:
    void skvrnymotClick();
    void fakulemotClick();
    void celek1Click();
    // The supplementary data of Motfakul.dat on or off.
    void vypnoutClick();
    // The latitude labels at the visible left edge, while scrolling too; again: away.
    void Stupnice1Click();
    void tiskmotClick();
    void konecmotClick();
    // Another window was activated: this one closes.
    void FormDeactivate();
    // The main window's panel: rotations narrower or wider, latitudes larger or smaller.
    void vlevoClick();
    void vpravoClick();
    void vetsiClick();
    void mensiClick();

  signals:
    // The window has closed (FormClose): the main window shows its basic panel again.
    void closed();

  protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    friend class ButterflyView;
    void createMenu();
    void setMode(ButterflyMode mode);
    void setState(const ButterflyState &state);
    void storeChanged();
    void updateScrollRanges();
    void repaintDiagram();

    const ObservationStore &store_;
    Dialogs &dialogs_;
    ButterflyState state_;
    bool scaleShown_ = false;
    bool closed_ = false;
    std::optional<ButterflyMarks> marks_; // empty when the store changed
    std::optional<ButterflyModel> model_; // empty when the store or the state changed
    int modelBuilds_ = 0;
    ButterflyView *view_ = nullptr;
    NamedActions actions_;
};

} // namespace orvanek
