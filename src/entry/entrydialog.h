#pragma once

#include "data/dialogs.h"
#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "entry/entryform.h"

#include <QDialog>
#include <QMap>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvanek {

// TForm3: the dialog in which the observer types one drawing, its header values, the
// table of sunspot groups and the table of faculae fields. It keeps nothing of its own
// beyond its controls: `ukoncit` ("Potvrdit  zadávání") gathers them into an EntryForm
// and hands it to commitEntry, and shows what comes back; `Navrat` ("Návrat"), Esc or
// the close box store nothing.
//
// The main window opens it with the text of its coordinate mode and disables its three
// opening menu items while it is open:
//
//     auto *dialog = new EntryDialog(store, EntryMode::New, modeText, dialogs, this);
//     connect(dialog, &QDialog::finished, this, [this] { /* enable novy, zvlastni, oprava */ });
//     dialog->open(); // or exec()
//
// The dialog is application-modal and deletes itself when it closes.
//
// Controls carry the object names the observer's manual uses: ComboBox1, MaskEdit1,
// Edit3 … Edit13, Edit25, StringGrid1 (groups), StringGrid2 (faculae), ukoncit, Navrat.
// In the grids, row r (from 0) is table row r + 1, column c (from 0) is column c + 1
// ("Typ" is column 0); the row numbers are the vertical header.
class EntryDialog : public QDialog {
    Q_OBJECT

  public:
    // modeText: " (Heliografické souřadnice)" or " (Polární souřednice)".
    EntryDialog(ObservationStore &store, EntryMode mode, const QString &modeText, Dialogs &dialogs,
                QWidget *parent = nullptr);

    EntryMode mode() const { return mode_; }

    // Everything typed so far, as the commit reads it.
    EntryForm entryForm() const;

    void ukoncitClick();
    void NavratClick();
    void Edit11Change();
    void Edit12Change();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void createControls();
    void FormCreate(const QString &modeText);
    void clearRecord();
    void fillFromRecord();
    void useHeliographicLayout();
    void setRed(bool red);
    void resizeTable(QTableWidget *table, QLineEdit *count, const QString &tooMany,
                     QMap<int, QStringList> &keptRows);
    void select(const EntryLocation &where, bool focus);
    QLineEdit *lineEditFor(EntryField field) const;

    ObservationStore &store_;
    const EntryMode mode_;
    Dialogs &dialogs_;
    ObservationRecord record_{}; // what the dialog was filled from

    QComboBox *ComboBox1 = nullptr;
    QLineEdit *MaskEdit1 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit9 = nullptr;
    QLineEdit *Edit10 = nullptr;
    QLineEdit *Edit11 = nullptr;
    QLineEdit *Edit12 = nullptr;
    QLineEdit *Edit13 = nullptr;
    QLineEdit *Edit25 = nullptr;
    QLabel *Label10 = nullptr; // "F"
    QGroupBox *tabulkaskv = nullptr;
    QGroupBox *tabulkafak = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    QTableWidget *StringGrid2 = nullptr;
    QPushButton *ukoncit = nullptr;
    QPushButton *Navrat = nullptr;

    // Cells of rows cut off when a count was lowered, given back when it grows again, so a
    // count typed digit by digit loses nothing.
    QMap<int, QStringList> keptGroupRows_;
    QMap<int, QStringList> keptFaculaRows_;
};

} // namespace orvanek
