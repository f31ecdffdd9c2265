#pragma once

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace orvanek {

class Dialogs;
class ObservationStore;

// "Zadání souřadnic": fixes, once for a new data set, how groups are entered and the
// drawing radius. It stays open until a coordinate kind and a positive radius have been
// confirmed; the close box and Esc do nothing before that, since every later division
// by the radius depends on it. The store takes the choice only when it is confirmed.
class CoordinateModeDialog : public QDialog {
    Q_OBJECT

  public:
    CoordinateModeDialog(ObservationStore &store, Dialogs &dialogs, QWidget *parent = nullptr);

    void Button1Click();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

  private:
    ObservationStore &store_;
    Dialogs &dialogs_;
    QButtonGroup *kindGroup_;    // RadioGroup1
    QLineEdit *radiusEdit_;      // Edit1
    QPushButton *confirmButton_; // Button1
    bool confirmed_ = false;
};

// Runs the dialog modally on the store; used by the main window for a data set without
// a drawing setup.
void askCoordinateMode(ObservationStore &store, Dialogs &dialogs, QWidget *parent);

} // namespace orvanek
