#pragma once

#include "data/dialogs.h"
#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "entry/entryform.h"

#include <QDialog>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvanek {

// TForm3: the dialog in which the observer types one drawing, its header values, the
// table of sunspot groups and the table of faculae fields. It keeps nothing of its own
// beyond its controls: `confirmButton_` ("Potvrdit  zadávání") gathers them into an EntryForm
// and hands it to commitEntry, and shows what comes back; `returnButton_` ("Návrat"), Esc or
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
// Controls carry the object names the observer's manual uses: observerBox_, dateEdit_,
// timeEdit_ … stationEdit_, specialMarkEdit_, groupTable_ (groups), faculaTable_ (faculae),
// confirmButton_, returnButton_. In the grids, row r (from 0) is table row r + 1, column c (from 0)
// is column c + 1
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

    // Closes without storing; asks first when anything differs from how the dialog opened.
    void reject() override;

    // What the scan window fills, a click on the scan at a time. The group row a click goes
    // to, from 1: the row of the current cell, else the first row without a position, else
    // the row after the last.
    int currentGroupRow() const;
    // Puts a position into group row `row` ("úhel" and "vzd.", or "l" and "b"), making the
    // table that long first where it is shorter, then moves on to the next row. False, and
    // nothing changed, for a row beyond the 30 the table holds.
    bool setGroupPosition(int row, const QString &first, const QString &second);
    // The drawing's date and UT time (hhmm), as its sheet's code gives them when the dialog
    // opens.
    void setMoment(const QString &date, const QString &timeUT);

    // Group rows proposed from a scan: row i's cells by column (ColSpots, ColAngle …), the
    // other cells of the row left as typed.
    using GroupCells = QMap<int, QString>;
    // Shows "Převzít skupiny", whose click asks `source` for the rows and takes them.
    void offerGroups(std::function<QList<GroupCells>()> source);
    // Puts the rows into the group table's empty rows in order, never over a row the observer
    // typed or placed by a click, the table made as long as that needs ("Počet skupin" typed
    // up to 30); nothing is stored until the commit. Says how many were taken and how many
    // did not fit into the 30 rows.
    void takeGroups(const QList<GroupCells> &rows);

  signals:
    // A cell of the group table changed, or the table's length.
    void groupsEdited();
    // The form was stored: the record as the store now holds it, before the dialog closes.
    void committed(const orvanek::ObservationRecord &record);

  protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void createControls();
    void FormCreate(const QString &modeText);
    // Before a sound form is stored: the classes it holds that are none of the class table's
    // told in one question; false when the observer goes back to them.
    bool acceptUnlistedClasses(const EntryForm &form);
    void clearRecord();
    void fillFromRecord();
    void useHeliographicLayout();
    void setRed(bool red);
    // The tables at their opening places, with the room the dialog has beyond its opening
    // size: more width to both, more height to the table whose rows do not all show.
    void placeTables();
    // How much taller than at the opening size (`opening`) a table `width` pixels wide
    // must be to show all its rows.
    static int extraHeightWanted(const QTableWidget *table, QRect opening, int width);
    void resizeTable(QTableWidget *table, QLineEdit *count, const QString &tooMany,
                     QMap<int, QStringList> &keptRows);
    void select(const EntryLocation &where, bool focus);
    QLineEdit *lineEditFor(EntryField field) const;

    ObservationStore &store_;
    const EntryMode mode_;
    Dialogs &dialogs_;
    ObservationRecord record_{}; // what the dialog was filled from
    EntryForm openedForm_;       // what it showed when it opened
    bool heliographic_ = false;  // l, b typed: no faculae table

    // Controls keep their old component names as objectName (in the comments).
    QComboBox *observerBox_ = nullptr;
    QLineEdit *dateEdit_ = nullptr;
    QLineEdit *timeEdit_ = nullptr;
    QLineEdit *conditionsEdit_ = nullptr;
    QLineEdit *imageQualityEdit_ = nullptr;
    QLineEdit *seeingQualityEdit_ = nullptr;
    QLineEdit *centralGroupsEdit_ = nullptr;
    QLineEdit *centralSpotsEdit_ = nullptr;
    QLineEdit *centralREdit_ = nullptr;
    QLineEdit *faculaTotalEdit_ = nullptr;
    QLineEdit *groupCountEdit_ = nullptr;
    QLineEdit *faculaCountEdit_ = nullptr;
    QLineEdit *stationEdit_ = nullptr;
    QLineEdit *specialMarkEdit_ = nullptr;
    QLabel *faculaTotalLabel_ = nullptr; // Label10, "F"
    QGroupBox *groupTableBox_ = nullptr;
    QGroupBox *faculaTableBox_ = nullptr;
    QTableWidget *groupTable_ = nullptr;
    QTableWidget *faculaTable_ = nullptr;
    QPushButton *confirmButton_ = nullptr;
    QPushButton *returnButton_ = nullptr;
    QPushButton *takeGroupsButton_ = nullptr; // prevzitskupiny, with a scan only
    std::function<QList<GroupCells>()> groupSource_;
    QSet<QString> acceptedClasses_; // "row class" the observer chose to store as typed

    // Cells of rows cut off when a count was lowered, given back when it grows again, so a
    // count typed digit by digit loses nothing.
    QMap<int, QStringList> keptGroupRows_;
    QMap<int, QStringList> keptFaculaRows_;
};

} // namespace orvanek
