#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orvanek {

// How the entry dialog was opened: `novy`, `zvlastni` or `oprava`.
enum class EntryMode { New, Special, Correction };

inline constexpr int kGroupColumns = 15;  // "Typ" … "plo.2"
inline constexpr int kFaculaColumns = 12; // "  U1", "  V1" … "  U6", "  V6"
inline constexpr int kMaxTableRows = 30;

// Columns of the group table, numbered as the observer counts them (1 = "Typ").
enum GroupColumn {
    ColType = 1,
    ColSpots = 2,
    ColPenumbrae = 3,
    ColAngle = 4,    // or heliographic longitude l; or a hemisphere letter
    ColDistance = 5, // or heliographic latitude b
    ColArea = 6,
    ColSmallSpots = 7,
    ColGlobalNumber = 8,
    ColRotationNumber = 9,
    ColAux1Angle = 10,
    ColAux1Distance = 11,
    ColAux1Area = 12,
    ColAux2Angle = 13,
    ColAux2Distance = 14,
    ColAux2Area = 15,
};
// Heliographic entry shows only the columns up to "č.sk2".
inline constexpr int kHeliographicGroupColumns = ColRotationNumber;

// Every control of the entry dialog a commit reads, and the two tables.
enum class EntryField {
    None,
    Observer,         // ComboBox1
    Date,             // MaskEdit1
    TimeUT,           // Edit3
    Conditions,       // Edit4
    ImageQuality,     // Edit5
    SeeingQuality,    // Edit6
    CentralGroups,    // Edit7
    CentralSpots,     // Edit8
    CentralR,         // Edit9
    FaculaTotal,      // Edit10
    GroupCount,       // Edit11
    FaculaFieldCount, // Edit12
    Station,          // Edit13
    SpecialMark,      // Edit25
    Groups,           // StringGrid1
    Faculae,          // StringGrid2
};

// What the observer typed, exactly as typed: the texts of the header fields and of every
// table cell, plus the mode the dialog was opened in. The commit reads nothing else from
// the dialog, so the dialog, the import and the tests all go through the same door.
struct EntryForm {
    EntryMode mode = EntryMode::New;
    QString observer;
    QString date; // as the masked field shows it, "08.12.2026" or "  .  .    "
    QString timeUT;
    QString conditions;
    QString imageQuality;
    QString seeingQuality;
    QString centralGroups;
    QString centralSpots;
    QString centralR;
    QString faculaTotal;
    QString groupCount;
    QString faculaFieldCount;
    QString station;
    QString specialMark; // any text marks the record special
    // groups[i - 1][c - 1] is column c of group row i; faculae[i - 1][c - 1] column c of
    // faculae row i (U1, V1, …, U6, V6). Missing rows and cells read as empty.
    QList<QStringList> groups;
    QList<QStringList> faculae;

    QString groupCell(int row, int column) const { return cell(groups, row, column); }
    QString faculaCell(int row, int column) const { return cell(faculae, row, column); }

  private:
    static QString cell(const QList<QStringList> &table, int row, int column) {
        if (row < 1 || row > table.size())
            return {};
        const QStringList &cells = table[row - 1];
        return column >= 1 && column <= cells.size() ? cells[column - 1] : QString();
    }
};

// Where a message points: a header field, or a cell (row and column from 1) of a table.
struct EntryLocation {
    EntryField field = EntryField::None;
    int row = 0;
    int column = 0;
    friend bool operator==(const EntryLocation &, const EntryLocation &) = default;
};

// One message for the observer and the field or cell to select with it.
struct EntryMessage {
    QString text;
    EntryLocation where;
};

// The label of a header field as messages name it ("Čas UT", "Počet skupin").
QString entryFieldLabel(EntryField field);
// The heading of a group column (1 = "Typ"); "l" and "b" in heliographic entry.
QString groupColumnLabel(int column, bool heliographicEntry);
// The heading of a faculae column: "U1", "V1", … "V6".
QString faculaColumnLabel(int column);

} // namespace orvanek
