#pragma once

#include "views/drawing/drawingmodel.h"

#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace orvanek {

class Dialogs;
class ObservationStore;
class DrawingCanvas;

// The drawing view (TForm2): the current record redrawn on the grid of its moment. It
// lives for the whole run, repaints whenever the store's current record or records change,
// and refuses to be closed while the views are pinned (from creation until the main window
// clears the flag on its own close).
class DrawingWindow : public QWidget {
    Q_OBJECT

  public:
    DrawingWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);
    ~DrawingWindow() override;

    void setViewsPinned(bool pinned) { viewsPinned_ = pinned; }
    bool viewsPinned() const { return viewsPinned_; }

    int orientX() const { return state_.orientX; }
    int orientY() const { return state_.orientY; }

    // The drawing of the store's current record as the view paints it now.
    DrawingModel currentModel() const;

    // "Zakres" + the date text + ".bmp", and where F10 saves it: folder "Obrázek" of the
    // data directory.
    static QString bitmapFileName(const QString &dateText);
    QString bitmapPath() const;

    // F10: asks "Uložit bitmapu zákresu"; on Yes saves the whole drawing as a Windows
    // bitmap, creating the folder when needed. True when a file was written.
    bool saveBitmap();

    // The view's print command ("Tisk zákresu"), for the main window's menu.
    QAction *printAction() const { return tiskzakres_; }

    // The scrolled widget the drawing is painted on; its pixels are the view's pixels.
    QWidget *canvas() const;

    QSize sizeHint() const override;

    // How wide the window must be to show the whole width of its drawing (a long observer
    // or station name widens it) when it is `height` tall: the drawing, and the vertical
    // scroll bar when the drawing is taller.
    int wholeDrawingWidth(int height) const;

  signals:
    // The drawing took another size (another record, a longer name).
    void drawingResized();
    // What F10 did, for the main window's status bar: where the bitmap was saved, or why not.
    void bitmapReport(const QString &text);

  public slots:
    // SpeedButton1 of the main window.
    void showOrientationBox();
    // Esc here or in the date list.
    void hideOrientationBox();
    // The main window's "Tisk zákresu": prints at once on the default printer, or offers
    // a PDF file where there is no printer.
    void tiskzakresClick();
    // The orientation buttons: mirror east-west ("Z - V" / "V - Z"), north-south
    // ("S - J" / "J - S").
    void vyzaClick();
    void sejiClick();
    // Caption, size and picture from the store's current record.
    void refresh();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

  private:
    friend class DrawingCanvas;
    void readOut(QPoint point);
    void endReadOut();

    const ObservationStore &store_;
    Dialogs &dialogs_;
    bool viewsPinned_ = true;
    DrawingState state_;
    QScrollArea *scrollArea_ = nullptr;
    DrawingCanvas *canvas_ = nullptr;
    QLabel *readOutLabel_ = nullptr;      // Label1
    QGroupBox *orientationBox_ = nullptr; // GroupBox1
    QPushButton *vyza_ = nullptr;
    QPushButton *seji_ = nullptr;
    QAction *tiskzakres_ = nullptr;
};

} // namespace orvanek
