// The entry dialog driven through its widgets, with the message boxes answered by a script.
#include "entry/entrydialog.h"
#include "entry/summary.h"
#include "entrytesthelpers.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

const QString kPolar = QStringLiteral(" (Polární souřednice)");
const QString kHeliographic = QStringLiteral(" (Heliografické souřadnice)");

template <typename T> T *control(QWidget *dialog, const char *name) {
    T *widget = dialog->findChild<T *>(QLatin1String(name));
    if (!widget)
        qWarning("no control %s", name);
    return widget;
}

// Opens the dialog the way the main window does and waits until it has the keyboard.
QPointer<EntryDialog> openDialog(ObservationStore &store, EntryMode mode, ScriptedDialogs &dialogs,
                                 const QString &modeText = kPolar) {
    auto *dialog = new EntryDialog(store, mode, modeText, dialogs);
    dialog->show();
    QApplication::setActiveWindow(dialog);
    if (!QTest::qWaitForWindowActive(dialog))
        qWarning("the dialog did not become active");
    return dialog;
}

// Key presses for a text, Czech letters included.
void typeText(QWidget *widget, const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces a field's text by typing, as the observer does after selecting it.
void typeInto(QLineEdit *edit, const QString &text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    typeText(edit, text);
}

// Types a cell: the first key opens the cell's editor, Enter closes it (or the click on
// the next control, as an observer often does).
void typeIntoCell(QTableWidget *grid, int row, int column, const QString &text, bool enter = true) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    typeText(grid, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != grid);
    typeText(editor, text.mid(1));
    if (enter)
        QTest::keyClick(editor, Qt::Key_Return);
}

QString cellText(QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

QStringList rowNumbers(QTableWidget *grid) {
    QStringList numbers;
    for (int row = 0; row < grid->rowCount(); ++row)
        numbers << grid->model()->headerData(row, Qt::Vertical).toString();
    return numbers;
}

bool isRed(QWidget *dialog) {
    return dialog->palette().color(QPalette::Window) == QColor(255, 0, 0);
}

// Lets the closed dialog delete itself.
void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A store of three January records; the middle one (current) has one group placed in the
// north by letter, 10 mm² of spots, and two auxiliary spots.
void storeWithGroup(ObservationStore &store, double radius = 125) {
    ObservationRecord first = datedRecord("01.01.2000", 900, "Petra");
    writeText(first.station, QStringLiteral("Ondřejov"));
    ObservationRecord middle = datedRecord("05.01.2000", 815, "Karel");
    writeText(middle.station, QStringLiteral("Brno"));
    middle.groupCount = 1;
    SunspotGroup &g = middle.group(1);
    writeText(g.type, QStringLiteral("Axx"));
    g.spotCount = 1;
    g.angle = 10;
    g.distance = 1200;
    g.area = 204;
    g.aux1Position = 25650; // 200 degrees, 50 mm
    g.aux1Area = 51;        // 2.5 mm²
    fillStore(store, {first, middle, datedRecord("10.01.2000", 900, "Petra")}, radius, false, 1);
}

} // namespace

class TestEntryDialog : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void newDrawingIsTypedAndCommitted() {
        ObservationStore store;
        storeWithGroup(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::New, dialogs);
        QSignalSpy finished(dialog.data(), &QDialog::finished);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Nový zákres  ") + kPolar);
        QCOMPARE(dialog->size(), QSize(700, 460));
        QVERIFY(!isRed(dialog));
        // A cleared record: the station of record 1, an empty masked date, zeros.
        QCOMPARE(control<QLineEdit>(dialog, "Edit13")->text(), QStringLiteral("Ondřejov"));
        QCOMPARE(control<QLineEdit>(dialog, "MaskEdit1")->displayText(),
                 QStringLiteral("  .  .    "));
        QCOMPARE(control<QLineEdit>(dialog, "Edit3")->text(), QStringLiteral("0"));
        QVERIFY(!control<QLineEdit>(dialog, "Edit25")->isVisible());
        auto *combo = control<QComboBox>(dialog, "ComboBox1");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("Karel"));
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        QVERIFY(!groups->isEnabled());
        QCOMPARE(groups->rowCount(), 1);

        typeInto(combo->lineEdit(), QStringLiteral("Jan Novák"));
        // Day and month typed short: the separator key moves on to the next part.
        typeInto(control<QLineEdit>(dialog, "MaskEdit1"), QStringLiteral("5.1.2000"));
        QCOMPARE(control<QLineEdit>(dialog, "MaskEdit1")->displayText(),
                 QStringLiteral("5 .1 .2000"));
        typeInto(control<QLineEdit>(dialog, "Edit3"), QStringLiteral("830"));
        typeInto(control<QLineEdit>(dialog, "Edit11"), QStringLiteral("2"));
        QVERIFY(groups->isEnabled());
        QCOMPARE(rowNumbers(groups), (QStringList{"1", "2"}));
        const QStringList first{"dkc", "10", "3", "12,5", "100", "10", "2"};
        for (int column = 0; column < first.size(); ++column)
            typeIntoCell(groups, 0, column, first[column]);
        typeIntoCell(groups, 1, 0, QStringLiteral("axx"));
        typeIntoCell(groups, 1, 3, QStringLiteral("j"), false); // still being edited
        QTest::mouseClick(control<QPushButton>(dialog, "ukoncit"), Qt::LeftButton);

        QCOMPARE(dialogs.shown, QStringList());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        processDeletes();
        QVERIFY(dialog.isNull());
        QCOMPARE(store.recordCount(), 4);
        // Sorted behind the record of the same date, which stays current.
        const ObservationRecord &r = store.record(3);
        QCOMPARE(readText(r.dateText), QStringLiteral("05.01.2000"));
        QCOMPARE(readText(r.observer), QStringLiteral("Jan Novák"));
        QCOMPARE(readText(r.station), QStringLiteral("Ondřejov"));
        QCOMPARE(r.timeUT, uint16_t(830));
        QCOMPARE(r.groupCount, uint8_t(2));
        QCOMPARE(readText(r.group(1).type), QStringLiteral("Dkc"));
        QCOMPARE(r.group(1).spotCount, uint8_t(10));
        QCOMPARE(r.group(1).penumbraCount, uint8_t(3));
        QCOMPARE(r.group(1).angle, uint16_t(125));
        QCOMPARE(r.group(1).distance, uint16_t(1000));
        QCOMPARE(r.group(1).area, uint16_t(204));
        QCOMPARE(r.group(1).smallSpots, uint16_t(2));
        QCOMPARE(readText(r.group(2).type), QStringLiteral("Axx"));
        QCOMPARE(r.group(2).angle, uint16_t(1790));
        QCOMPARE(r.group(2).distance, uint16_t(1200));
        QCOMPARE(store.observerNames()[2], QStringLiteral("Jan Novák"));
        QVERIFY(store.dataModified());
    }

    // A class none of the table's: one question; "No" goes back to its cell, "Yes" stores it.
    void classOutsideTheTableIsAskedAbout() {
        ObservationStore store;
        storeWithGroup(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs);
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        typeIntoCell(groups, 0, 0, QStringLiteral("dxo"));
        groups->setCurrentCell(0, 5);
        auto *confirm = control<QPushButton>(dialog, "ukoncit");
        QTest::mouseClick(confirm, Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].contains(u"„Dxo“"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(groups->currentColumn(), 0);
        QCOMPARE(readText(store.record(2).group(1).type), QStringLiteral("Axx"));
        dialogs.answers = {true};
        QTest::mouseClick(confirm, Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 2);
        processDeletes();
        QVERIFY(dialog.isNull());
        QCOMPARE(readText(store.record(2).group(1).type), QStringLiteral("Dxo"));
    }

    void correctionShowsTheRecordAndStoresTheChange() {
        ObservationStore store;
        storeWithGroup(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Oprava dat  ") + kPolar);
        QCOMPARE(control<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("Karel"));
        QCOMPARE(control<QLineEdit>(dialog, "MaskEdit1")->displayText(),
                 QStringLiteral("05.01.2000"));
        QCOMPARE(control<QLineEdit>(dialog, "Edit13")->text(), QStringLiteral("Brno"));
        QCOMPARE(control<QLineEdit>(dialog, "Edit11")->text(), QStringLiteral("1"));
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        QCOMPARE(cellText(groups, 0, ColType - 1), QStringLiteral("Axx"));
        QCOMPARE(cellText(groups, 0, ColAngle - 1), QStringLiteral("s"));
        QCOMPARE(cellText(groups, 0, ColDistance - 1), QString());
        QCOMPARE(cellText(groups, 0, ColArea - 1), QStringLiteral(" 10"));
        QCOMPARE(cellText(groups, 0, ColAux1Angle - 1), QStringLiteral("200"));
        QCOMPARE(cellText(groups, 0, ColAux1Distance - 1), QStringLiteral("50"));
        QCOMPARE(cellText(groups, 0, ColAux1Area - 1), QStringLiteral("2.5"));

        typeInto(control<QLineEdit>(dialog, "Edit3"), QStringLiteral("905"));
        typeIntoCell(groups, 0, ColSpots - 1, QStringLiteral("4"));
        QTest::mouseClick(control<QPushButton>(dialog, "ukoncit"), Qt::LeftButton);

        QCOMPARE(dialogs.shown, QStringList());
        processDeletes();
        QVERIFY(dialog.isNull());
        QCOMPARE(store.recordCount(), 3);
        const ObservationRecord &r = store.record(2);
        QCOMPARE(r.timeUT, uint16_t(905));
        QCOMPARE(r.group(1).spotCount, uint8_t(4));
        // What was not touched is stored as it was.
        QCOMPARE(r.group(1).angle, uint16_t(10));
        QCOMPARE(r.group(1).distance, uint16_t(1200));
        QCOMPARE(r.group(1).area, uint16_t(204));
        QCOMPARE(r.group(1).aux1Position, uint16_t(25650));
        QCOMPARE(r.group(1).aux1Area, uint16_t(51));
        QCOMPARE(store.currentIndex(), 1);
    }

    void countsSizeTheTables_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("tooMany");
        QTest::newRow("groups") << "Edit11"
                                << "StringGrid1"
                                << "Maximálni počet skupin je 30 !";
        QTest::newRow("faculae") << "Edit12"
                                 << "StringGrid2"
                                 << "Maximálni počet fakulí je 30 !";
    }
    void countsSizeTheTables() {
        QFETCH(QString, count);
        QFETCH(QString, grid);
        QFETCH(QString, tooMany);
        ObservationStore store;
        fillStore(store, {datedRecord("01.01.2000"), datedRecord("05.01.2000")}, 125);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs);
        auto *edit = control<QLineEdit>(dialog, count.toLatin1());
        auto *table = control<QTableWidget>(dialog, grid.toLatin1());
        // A record without groups: a disabled table with one empty row.
        QVERIFY(!table->isEnabled());
        QCOMPARE(rowNumbers(table), QStringList{"1"});

        typeInto(edit, QStringLiteral("3"));
        QVERIFY(table->isEnabled());
        QCOMPARE(rowNumbers(table), (QStringList{"1", "2", "3"}));
        typeIntoCell(table, 2, 0, QStringLiteral("7"));

        // Not a number: disabled, nothing lost.
        typeInto(edit, QStringLiteral("x"));
        QVERIFY(!table->isEnabled());
        QCOMPARE(table->rowCount(), 3);
        // Lowered and raised again while typing: the cut rows come back.
        typeInto(edit, QStringLiteral("1"));
        QCOMPARE(table->rowCount(), 1);
        typeInto(edit, QStringLiteral("3"));
        QCOMPARE(cellText(table, 2, 0), QStringLiteral("7"));

        typeInto(edit, QStringLiteral("45"));
        QCOMPARE(dialogs.shown, QStringList{tooMany});
        QCOMPARE(edit->text(), QStringLiteral("30"));
        QCOMPARE(table->rowCount(), 30);
        QCOMPARE(rowNumbers(table).constLast(), QStringLiteral("30"));
        typeInto(edit, QStringLiteral("0"));
        QVERIFY(!table->isEnabled());
        QCOMPARE(table->rowCount(), 1);
        dialog->reject();
    }

    void refusedCommitKeepsTheDialogOpen_data() {
        QTest::addColumn<QString>("edit"); // a field name, or "cell" for the angle of group 1
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("angle") << "cell"
                               << "400"
                               << "Úhel je maximálně 360 stupňů ";
        QTest::newRow("time") << "Edit3"
                              << "abc"
                              << "„abc“ není celé číslo – Čas UT";
        QTest::newRow("date") << "MaskEdit1"
                              << "31.02.2000"
                              << "„31.02.2000“ není platné datum – Datum";
    }
    void refusedCommitKeepsTheDialogOpen() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        ObservationStore store;
        storeWithGroup(store);
        const StoreSnapshot before(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::New, dialogs);
        QSignalSpy finished(dialog.data(), &QDialog::finished);
        typeInto(control<QLineEdit>(dialog, "MaskEdit1"), QStringLiteral("06.01.2000"));
        typeInto(control<QLineEdit>(dialog, "Edit11"), QStringLiteral("1"));
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        if (edit == QLatin1String("cell"))
            typeIntoCell(groups, 0, ColAngle - 1, text);
        else
            typeInto(control<QLineEdit>(dialog, edit.toLatin1()), text);
        QTest::mouseClick(control<QPushButton>(dialog, "ukoncit"), Qt::LeftButton);

        QCOMPARE(dialogs.shown, QStringList{message});
        QCOMPARE(finished.count(), 0);
        QVERIFY(dialog->isVisible());
        QVERIFY(StoreSnapshot(store) == before);
        if (edit == QLatin1String("cell")) {
            QCOMPARE(groups->currentRow(), 0);
            QCOMPARE(groups->currentColumn(), ColAngle - 1);
            QVERIFY(groups->hasFocus());
        } else {
            QVERIFY(control<QLineEdit>(dialog, edit.toLatin1())->hasFocus());
        }
        dialog->reject();
    }

    void escapeStoresNothing() {
        ObservationStore store;
        storeWithGroup(store);
        const StoreSnapshot before(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs);
        QSignalSpy finished(dialog.data(), &QDialog::finished);
        typeInto(control<QLineEdit>(dialog, "Edit3"), QStringLiteral("1111"));
        // Typed work is not thrown away without a word: No keeps the dialog as it was.
        QTest::keyClick(control<QLineEdit>(dialog, "Edit3"), Qt::Key_Escape);
        QCOMPARE(dialogs.shown, QStringList{QStringLiteral("Zahodit zadané údaje?")});
        QCOMPARE(finished.count(), 0);
        QCOMPARE(control<QLineEdit>(dialog, "Edit3")->text(), QStringLiteral("1111"));
        dialogs.answers = {true};
        QTest::keyClick(control<QLineEdit>(dialog, "Edit3"), Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        processDeletes();
        QVERIFY(dialog.isNull());
        QVERIFY(StoreSnapshot(store) == before);
    }

    void navratStoresNothing() {
        ObservationStore store;
        storeWithGroup(store);
        const StoreSnapshot before(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::New, dialogs);
        QSignalSpy finished(dialog.data(), &QDialog::finished);
        // Nothing typed yet: "Návrat" closes at once.
        QTest::mouseClick(control<QPushButton>(dialog, "Navrat"), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(dialogs.shown.isEmpty());
        processDeletes();
        QVERIFY(dialog.isNull());
        QVERIFY(StoreSnapshot(store) == before);
    }

    void specialRecordsAreRed_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("recordIsSpecial");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("red");
        QTest::newRow("new") << int(EntryMode::New) << true << "Nový zákres  " << false;
        QTest::newRow("special") << int(EntryMode::Special) << false << "Zvlášťní záznam  " << true;
        QTest::newRow("correction of a special record")
            << int(EntryMode::Correction) << true << "Oprava dat  " << true;
        QTest::newRow("correction of an ordinary record")
            << int(EntryMode::Correction) << false << "Oprava dat  " << false;
    }
    void specialRecordsAreRed() {
        QFETCH(int, mode);
        QFETCH(bool, recordIsSpecial);
        QFETCH(QString, caption);
        QFETCH(bool, red);
        ObservationStore store;
        storeWithGroup(store);
        if (recordIsSpecial) {
            ObservationRecord special = store.currentRecord();
            writeText(special.specialMark, specialMarkText());
            QVERIFY(store.storeRecord(special, true));
        }
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode(mode), dialogs);
        QCOMPARE(dialog->windowTitle(), caption + kPolar);
        QCOMPARE(isRed(dialog), red);
        auto *mark = control<QLineEdit>(dialog, "Edit25");
        QCOMPARE(mark->isVisible(), red);
        QCOMPARE(mark->text(), red ? QStringLiteral("zvlášťní") : QString());
        dialog->reject();
    }

    void heliographicEntryLayout() {
        ObservationStore store;
        storeWithGroup(store);
        store.setDrawingSetup(store.drawingRadius(), true);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog =
            openDialog(store, EntryMode::Correction, dialogs, kHeliographic);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Oprava dat  ") + kHeliographic);
        QCOMPARE(dialog->size(), QSize(700, 365));
        QVERIFY(!control<QGroupBox>(dialog, "tabulkafak")->isVisible());
        QVERIFY(!control<QLabel>(dialog, "Label10")->isVisible());
        QVERIFY(!control<QLineEdit>(dialog, "Edit12")->isVisible());
        QCOMPARE(control<QLineEdit>(dialog, "Edit10")->geometry(), QRect(144, 160, 121, 21));
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        int visible = 0;
        for (int column = 0; column < groups->columnCount(); ++column)
            visible += groups->isColumnHidden(column) ? 0 : 1;
        QCOMPARE(visible, 9); // "Typ" … "č.sk2", and the row numbers beside them
        QCOMPARE(groups->horizontalHeaderItem(ColAngle - 1)->text(), QStringLiteral("    l "));
        QCOMPARE(groups->horizontalHeaderItem(ColDistance - 1)->text(), QStringLiteral("   b "));
        QVERIFY(groups->toolTip().contains(QStringLiteral("č.sk2. = číslo skupiny v rotaci( "
                                                          "dúležité)")));
        // A group placed by letter shows the letter in heliographic entry too.
        QCOMPARE(cellText(groups, 0, ColAngle - 1), QStringLiteral("s"));
        dialog->reject();
    }

    void polarEntryLayout() {
        ObservationStore store;
        storeWithGroup(store);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs);
        auto *groups = control<QTableWidget>(dialog, "StringGrid1");
        QStringList headings;
        for (int column = 0; column < groups->columnCount(); ++column)
            headings << groups->horizontalHeaderItem(column)->text();
        QCOMPARE(headings,
                 (QStringList{"Typ", "poč", "s pen.", "úhel", "vzd.", "plocha.", "mal.s.", "č.sk1",
                              "č.sk2", "úhel1", "vzd.1", "plo.1", "úhel2", "vzd.2", "plo.2"}));
        auto *faculae = control<QTableWidget>(dialog, "StringGrid2");
        QCOMPARE(faculae->columnCount(), 12);
        QCOMPARE(faculae->horizontalHeaderItem(0)->text(), QStringLiteral("  U1"));
        QCOMPARE(faculae->horizontalHeaderItem(11)->text(), QStringLiteral("  V6"));
        QVERIFY(control<QGroupBox>(dialog, "tabulkafak")->isVisible());
        QVERIFY(groups->toolTip().contains(QStringLiteral("č.sk2. = číslo skupiny v rotaci( "
                                                          "důležité)")));
        dialog->reject();
    }

    // At the opening size every heading and the widest value of every column show whole
    // (the values: the largest a correction shows, "300.0" and group "2079" among them),
    // and all columns fit without scrolling sideways, 30 rows numbered beside them.
    void tablesShowHeadingsAndValuesWhole_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("widest");
        QTest::newRow("groups, polar")
            << false << "StringGrid1"
            << QStringList{"Fkc", "255", "255", "300.0", "124.9", "9999", "999", "65535",
                           "999", "359", "125", "99.9",  "359",   "125",  "99.9"};
        QTest::newRow("faculae") << false << "StringGrid2"
                                 << QStringList{"359", "125", "359", "125", "359", "125",
                                                "359", "125", "359", "125", "359", "125"};
        QTest::newRow("groups, heliographic")
            << true << "StringGrid1"
            << QStringList{"Fkc", "255", "255", "359.9", "-45.5", "9999", "999", "2079", "999"};
    }
    void tablesShowHeadingsAndValuesWhole() {
        QFETCH(bool, heliographic);
        QFETCH(QString, grid);
        QFETCH(QStringList, widest);
        ObservationStore store;
        storeWithGroup(store);
        store.setDrawingSetup(store.drawingRadius(), heliographic);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs,
                                                  heliographic ? kHeliographic : kPolar);
        auto *table = control<QTableWidget>(dialog, grid.toLatin1());
        auto *count = control<QLineEdit>(dialog, grid == "StringGrid1" ? "Edit11" : "Edit12");
        typeInto(count, QStringLiteral("30"));
        for (int column = 0; column < widest.size(); ++column)
            table->setItem(0, column, new QTableWidgetItem(widest[column]));
        const QHeaderView *header = table->horizontalHeader();
        const QAbstractItemView *view = table;
        for (int column = 0; column < widest.size(); ++column) {
            // A heading is cut where its text is wider than the label's room in the section.
            QStyleOptionHeader option;
            option.initFrom(header);
            option.text = header->model()->headerData(column, Qt::Horizontal).toString();
            option.rect = QRect(0, 0, header->sectionSize(column), header->height());
            const QRect label =
                header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
            const QByteArray what = option.text.toUtf8();
            QVERIFY2(option.fontMetrics.horizontalAdvance(option.text) <= label.width(), what);
            QVERIFY2(table->columnWidth(column) >= view->sizeHintForColumn(column), what);
        }
        QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        dialog->reject();
    }

    // Every value a column takes shows whole in its cell at the table's font: the text is
    // no wider than the cell less its grid line and the style's text margins. "class" is
    // every McIntosh class; in a number pattern each "#" stands for one digit, tried with
    // every digit. At R = 125 a distance reaches 125.0, an area 65535.5 x 125 / 2550 = 3212,
    // a group number in a rotation 70; counts are bytes (255), small spots and global group
    // numbers words (65535); angles have one decimal, the auxiliary spots' whole degrees and
    // millimetres, their areas one decimal.
    void columnsHoldEveryValueTheyTake_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("patterns");
        QTest::newRow("groups, polar")
            << false << "StringGrid1"
            << QStringList{"class", "###", "###", "###.#",  "###.#", "####", "#####", "#####",
                           "##",    "###", "###", "####.#", "###",   "###",  "####.#"};
        QTest::newRow("groups, heliographic: l and b")
            << true << "StringGrid1"
            << QStringList{"class", "###", "###", "###.#", "-##.#", "####", "#####", "#####", "##"};
        QTest::newRow("faculae") << false << "StringGrid2"
                                 << QStringList{"###", "###", "###", "###", "###", "###",
                                                "###", "###", "###", "###", "###", "###"};
    }
    void columnsHoldEveryValueTheyTake() {
        QFETCH(bool, heliographic);
        QFETCH(QString, grid);
        QFETCH(QStringList, patterns);
        ObservationStore store;
        storeWithGroup(store);
        store.setDrawingSetup(store.drawingRadius(), heliographic);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog =
            openDialog(store, EntryMode::New, dialogs, heliographic ? kHeliographic : kPolar);
        const auto *table = control<QTableWidget>(dialog, grid.toLatin1());
        const QFontMetricsF metrics(table->font());
        const int textMargin =
            table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
        const int gridLine = table->showGrid() ? 1 : 0;
        for (int column = 0; column < patterns.size(); ++column) {
            QStringList values;
            if (patterns[column] == "class") {
                for (std::string_view name : McIntoshClasses)
                    values << QString::fromLatin1(name.data(), qsizetype(name.size()));
            } else {
                for (char digit = '0'; digit <= '9'; ++digit)
                    values << QString(patterns[column]).replace('#', QChar(digit));
            }
            const double room = table->columnWidth(column) - gridLine - 2 * textMargin;
            for (const QString &value : values)
                QVERIFY2(metrics.horizontalAdvance(value) <= room,
                         qPrintable(value + QStringLiteral(" in column ") +
                                    QString::number(column + 1)));
        }
        dialog->reject();
    }

    // An enlarged dialog gives its tables the room: the width to both, the height where
    // rows are hidden, shared when both need it. 30 rows in each table.
    void enlargedDialogGivesTheTablesTheRoom_data() {
        QTest::addColumn<bool>("heliographic");
        QTest::addColumn<int>("faculae");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("allShown"); // every row of both tables in sight
        QTest::newRow("one facula: the groups take the room")
            << false << 1 << QSize(900, 1000) << true;
        QTest::newRow("30 faculae, a large screen") << false << 30 << QSize(700, 1400) << true;
        QTest::newRow("30 faculae, too little room") << false << 30 << QSize(700, 800) << false;
        QTest::newRow("heliographic") << true << 0 << QSize(700, 900) << true;
    }
    void enlargedDialogGivesTheTablesTheRoom() {
        QFETCH(bool, heliographic);
        QFETCH(int, faculae);
        QFETCH(QSize, size);
        QFETCH(bool, allShown);
        ObservationStore store;
        storeWithGroup(store);
        store.setDrawingSetup(store.drawingRadius(), heliographic);
        ScriptedDialogs dialogs;
        QPointer<EntryDialog> dialog = openDialog(store, EntryMode::Correction, dialogs,
                                                  heliographic ? kHeliographic : kPolar);
        auto *groupTable = control<QTableWidget>(dialog, "StringGrid1");
        auto *faculaTable = control<QTableWidget>(dialog, "StringGrid2");
        const QSize extra = size - dialog->size();
        const QSize groupsAtOpening = groupTable->size();
        const int faculaeAtOpening = faculaTable->height();
        typeInto(control<QLineEdit>(dialog, "Edit11"), QStringLiteral("30"));
        if (!heliographic)
            typeInto(control<QLineEdit>(dialog, "Edit12"), QString::number(faculae));
        dialog->resize(size);
        QTRY_COMPARE(dialog->size(), size);

        QCOMPARE(groupTable->width(), groupsAtOpening.width() + extra.width());
        QTRY_COMPARE(groupTable->verticalScrollBar()->maximum() == 0, allShown);
        if (heliographic) {
            QCOMPARE(groupTable->height(), groupsAtOpening.height() + extra.height());
            return;
        }
        QTRY_COMPARE(faculaTable->verticalScrollBar()->maximum() == 0, allShown);
        // All the extra height is the tables', and the faculae stay below the groups.
        QCOMPARE(groupTable->height() + faculaTable->height(),
                 groupsAtOpening.height() + faculaeAtOpening + extra.height());
        QVERIFY(control<QGroupBox>(dialog, "tabulkafak")->y() >
                control<QGroupBox>(dialog, "tabulkaskv")->geometry().bottom());
    }
};

ORVANEK_REGISTER_TEST(TestEntryDialog);

#include "tst_entrydialog.moc"
