#pragma once

#include "views/common/namedactions.h"
#include "views/map/mapmodel.h"

#include <QWidget>

#include <optional>
#include <vector>

class QAction;
class QListWidget;
class QScrollArea;

namespace orvanek {

class Dialogs;
class ObservationStore;
class MapCanvas;

// The synoptic map (TForm7) of the rotation of the store's current record. The rotation
// list (ListBox1) chooses another: its first record is shown as the current one while the
// window is open, and the current record comes back when the window closes.
class MapWindow : public QWidget {
    Q_OBJECT

  public:
    // The store is not const only for that: choosing a rotation shows its first record in
    // place of the current one (setWorkingRecord), closing selects the current one again.
    MapWindow(ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);
    ~MapWindow() override;

    // N: the rotation of the current record.
    int rotation() const;
    // False while the current record is the placeholder of a new data set: no rotation,
    // no map.
    bool showsRotation() const;
    // The map as it is painted now, at the canvas' width.
    const MapModel &model();
    int modelBuilds() const { return modelBuilds_; }
    // The rotations of the store, each with its first record, as the list shows them.
    const std::vector<RotationItem> &rotations() const { return rotations_; }
    QListWidget *rotationList() const { return list_; }
    QWidget *canvas() const;
    // zavritm, vyberm, mapka, mapky, dlouhamap, vysokamap, Tisk1
    QAction *action(const QString &name) const;

    QSize sizeHint() const override;

  public slots:
    // The rotation list, at the remembered rotation.
    void vybermClick();
    // The rotation chosen in the list (a click, or Enter): its first record is shown.
    void ListBox1Click();
    void mapkyClick();
    void Tisk1Click();
    void zavritmClick();
    // Another window was activated: this one closes.
    void FormDeactivate();

  signals:
    // The window has closed (FormClose): the main window enables its map command again.
    void closed();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    friend class MapCanvas;
    void createMenu();
    void createRotationList();
    void fillRotationList();
    void storeChanged();
    void refresh();

    ObservationStore &store_;
    Dialogs &dialogs_;
    std::vector<RotationItem> rotations_;
    int rememberedItem_ = -1; // the list's selection when it is shown again
    std::optional<MapModel> model_;
    int modelWidth_ = 0; // the canvas width the model was built for
    int modelBuilds_ = 0;
    bool closed_ = false;
    QScrollArea *scrollArea_ = nullptr;
    MapCanvas *canvas_ = nullptr;
    QListWidget *list_ = nullptr; // ListBox1
    NamedActions actions_;
};

} // namespace orvanek
