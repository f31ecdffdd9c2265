#pragma once

#include "scan/scanoverlay.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"
#include "scan/spotclass.h"
#include "views/common/namedactions.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace orvanek {

class Dialogs;
class EntryDialog;
class ObservationStore;
class ScanCanvas;

// A scan chosen with the file dialog (Dialogs::openFileName in the data directory) and read;
// an image that cannot be read is said in a message, and then nothing.
struct ChosenScan {
    QString path;
    QImage grey;
};
std::optional<ChosenScan> chooseScan(const ObservationStore &store, Dialogs &dialogs);

// Where the entry dialog (its frame `dialog`) and the scan beside it go on a screen's
// `room`: side by side in the middle where both fit, else the dialog at the left edge and
// the scan in the width left (at least 360 pixels, over the dialog's right part only where
// the screen is narrower than that).
struct ScanBeside {
    QPoint dialog; // the dialog frame's top-left corner
    QRect scan;    // the scan window's geometry
};
ScanBeside scanBesideDialog(const QRect &dialog, const QRect &room);

// "Zadávání › Ze skenu…": a scanned or photographed drawing, registered at once (the limb
// fitted; on the program's own sheet the code's moment, R and orientation and the paper's
// turn), shown zoomable (wheel, + and −, "Přizpůsobit") with the limb, its centre and north
// point and, switchable, the grid of the moment drawn over it. The limb's centre and its
// radius are dragged where a fit went wrong; a drawing without the code gets its north point
// by a click on the limb ("Sever kliknutím") or the turn field (0.1 degree steps), its
// orientation by the drawing view's buttons, R and the moment by its fields.
//
// With no entry dialog open a click tells the place (angle, distance, b, l) below the scan.
// When the entry dialog opens (new drawing or correction) the scan moves into a window of
// the dialog's own, beside it, so that it can be clicked while the dialog stays modal for
// everything else; there a click fills the current group row's position and moves on, each
// row's numbered marker showing where it is, and it comes back here when the dialog closes.
//
// "Najít skvrny" finds the spots drawn inside the limb and marks each with its proposed
// group's number; while they show, a click on a spot takes it out, a click on an empty place
// adds the spot there, and a spot dragged onto another joins that one's group (dragged
// elsewhere, a group of its own). The entry dialog's "Převzít skupiny" takes the groups.
class ScanWindow : public QWidget {
    Q_OBJECT

  public:
    ScanWindow(const ObservationStore &store, Dialogs &dialogs, ChosenScan scan,
               QWidget *parent = nullptr);
    ~ScanWindow() override;

    const ScanRegistration &registration() const { return registration_; }
    const QImage &image() const { return image_; }
    ScanCanvas *canvas() const { return canvas_; }
    double zoom() const;
    // The scan's panel (its controls and the scan): here, or beside an entry dialog.
    QWidget *panel() const { return panel_; }
    // The status line under the scan: the registration, a place clicked, a refusal.
    QString statusText() const;
    // prizpusobit, priblizit, oddalit, sit, severklik, vyza, seji, najitskvrny, zavritsken
    QAction *action(const QString &name) const;

    // Gives the scan to an entry dialog while it is open (see the class).
    void attachEntryDialog(EntryDialog *dialog);
    EntryDialog *entryDialog() const;

    // A click on the scan at an image pixel, as the canvas reports it.
    void scanClicked(QPointF pixel);
    // The limb moved or resized by dragging.
    void limbDragged(QPointF centre, double radiusPx);
    // A press at `from` let go at `to`, image pixels: a spot moved to another group.
    void spotDragged(QPointF from, QPointF to);

    // The spots found and edited so far, each with its group.
    const std::vector<FoundSpot> &spots() const { return spots_; }
    // The group rows the spots propose, for the entry dialog (found first where they were
    // not yet).
    QList<QMap<int, QString>> proposedRows();

    // The controls' handlers, by their commands.
    void prizpusobitClick();
    void priblizitClick();
    void oddalitClick();
    void vyzaClick();
    void sejiClick();
    void najitskvrnyClick();
    void zavritClick();

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void createPanel();
    void showRegistration();
    void fieldsChanged();
    // R, the moment or a mirror changed in the fields: a code that cannot be read made again.
    void sheetFieldsChanged();
    // The registration in the status line's words.
    QString registrationText() const;
    void updateOverlay();
    void setStatus(const QString &text);
    std::optional<Ephemeris> scanEphemeris() const;
    std::optional<Ephemeris> entryEphemeris() const;
    void detachEntryDialog();
    std::optional<Ephemeris> moment() const;
    void spotClicked(QPointF pixel);
    // The spot under `pixel` (within a few screen pixels of its edge), or -1.
    int spotNear(QPointF pixel) const;
    // Groups numbered again without gaps, the marks and the count told.
    void spotsEdited(const QString &what);
    // The proposed class of each group of the spots (element k: group k + 1), and the marks
    // that show them.
    std::vector<ClassProposal> groupClasses() const;
    void labelGroupClasses(std::vector<ScanSpotMark> &marks) const;

    const ObservationStore &store_;
    Dialogs &dialogs_;
    QString path_;
    QImage image_;
    ScanRegistration registration_;
    NamedActions actions_;

    QWidget *panel_ = nullptr;
    QLabel *placeholder_ = nullptr; // here while the panel is beside the entry dialog
    QScrollArea *scrollArea_ = nullptr;
    ScanCanvas *canvas_ = nullptr;
    QLabel *statusLabel_ = nullptr;
    QLineEdit *dateEdit_ = nullptr;
    QLineEdit *timeEdit_ = nullptr;
    QDoubleSpinBox *radiusBox_ = nullptr;
    QDoubleSpinBox *turnBox_ = nullptr;
    bool updatingFields_ = false;
    bool closing_ = false;
    bool fitPending_ = false; // fit the scan when its view next gets its size
    std::vector<FoundSpot> spots_;
    bool spotsFound_ = false;

    QPointer<EntryDialog> entryDialog_;
    QPointer<QWidget> companion_; // the dialog's window the panel stands in
};

} // namespace orvanek
