// The main window: caption, start without data, saving, closing, hints, the lock.
#include "app/datelistwindow.h"
#include "app/mainwindow.h"
#include "apptesthelpers.h"
#include "data/datalock.h"
#include "entry/entrydialog.h"
#include "observedrecord.h"
#include "scripteddialogs.h"
#include "setasidebytes.h"
#include "testregistry.h"
#include "views/butterfly/butterflywindow.h"
#include "views/drawing/drawingwindow.h"
#include "views/map/mapwindow.h"
#include "widgettests.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QToolButton>

using namespace orvanek;
using namespace orvanek::testing;

namespace {
// Answers the coordinate-mode question as a user would, counting how often it is asked.
struct Asker {
    int calls = 0;
    double radius = 125;
    bool heliographic = false;
    MainWindow::CoordinateModeAsker function() {
        return [this](ObservationStore &store, Dialogs &, QWidget *) {
            ++calls;
            store.setDrawingSetup(radius, heliographic);
        };
    }
};
// A main window on a data directory with everything it is handed.
struct Shell {
    explicit Shell(const QString &dir) : window(store, dialogs, dir, asker.function()) {}
    ObservationStore store;
    ScriptedDialogs dialogs;
    Asker asker;
    MainWindow window;
};
// Three drawings of March 2001 with three groups between them, the setup in the first.
void writeMarchDrawings(const QString &dir) {
    std::vector<ObservationRecord> records{
        observedRecord("01.03.2001"), observedRecord("02.03.2001"), observedRecord("03.03.2001")};
    records[0].drawingSetup = 125;
    addGroup(records[0], 900, 500);
    addGroup(records[0], 2700, 300);
    addGroup(records[2], 1800, 100);
    writeDataFile(dir, records);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void caption_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("caption");
        QTest::newRow("polar 125")
            << 125 << "Orvanek  (Polární souřednice)  (průměr zákresu  250 mm)";
        QTest::newRow("polar 100")
            << 100 << "Orvanek  (Polární souřednice)  (průměr zákresu  200 mm)";
        QTest::newRow("heliographic 125") << 1125 << "Orvanek   (Heliografické souřadnice)";
    }
    void caption() {
        QFETCH(int, setup);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{datedRecord("01.01.2000")};
        records[0].drawingSetup = static_cast<uint16_t>(setup);
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        QCOMPARE(window.windowTitle(), caption);
        QCOMPARE(asker.calls, 0);
    }

    void startWithoutDataFile() {
        QTemporaryDir dir;
        ObservationStore store;
        ScriptedDialogs dialogs;
        Asker asker;
        asker.radius = 100;
        MainWindow window(store, dialogs, dir.path(), asker.function());
        QVERIFY(window.FormCreate(false));
        QCOMPARE(asker.calls, 1);
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(readText(store.record(1).dateText),
                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(window.windowTitle().endsWith("(průměr zákresu  200 mm)"));
        window.ulozitdatClick();
        QVERIFY(dialogs.shown.isEmpty());
        const QByteArray saved = fileContent(dir.filePath("data1.dat"));
        QCOMPARE(saved.size(), 1314);
        QCOMPARE(int(static_cast<unsigned char>(saved[126])), 100);
    }

    void heliographicSetupIsWrittenAtOnce() {
        QTemporaryDir dir;
        ObservationStore store;
        ScriptedDialogs dialogs;
        Asker asker;
        asker.heliographic = true;
        MainWindow window(store, dialogs, dir.path(), asker.function());
        QVERIFY(window.FormCreate(false));
        QCOMPARE(int(store.record(1).drawingSetup), 1125);
        QCOMPARE(window.modeText, QStringLiteral(" (Heliografické souřadnice)"));
    }

    void unreadableDataStopsTheStart() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("data1.dat")); // a folder where the file should be
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(!window.FormCreate(false));
        QCOMPARE(dialogs.shown.size(), 1);
    }

    void closeSavesOnlyWhenModified() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{datedRecord("01.01.2000"),
                                               datedRecord("02.01.2000")};
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        {
            Shell shell(dir.path());
            auto &[store, dialogs, asker, window] = shell;
            QVERIFY(window.FormCreate(false));
            window.createViews();
            QVERIFY(window.close());
        }
        QVERIFY(!QFile::exists(dir.filePath("data1.bak")));
        {
            Shell shell(dir.path());
            auto &[store, dialogs, asker, window] = shell;
            QVERIFY(window.FormCreate(false));
            window.createViews();
            ObservationRecord changed = store.record(2);
            changed.timeUT = 777;
            store.selectRecord(1);
            QVERIFY(store.storeRecord(changed, true));
            QVERIFY(window.close());
            QVERIFY(!window.viewsPinned);
        }
        QCOMPARE(fileContent(dir.filePath("data1.bak")), recordsBytes(records));
        const QByteArray saved = fileContent(dir.filePath("data1.dat"));
        QCOMPARE(int(static_cast<unsigned char>(saved[1314 + 16])), 777 % 256);
    }

    void failedSaveOnCloseAsksBeforeLosingData() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        store.setModified(true);
        store.setDataDirectory(dir.filePath("gone"));
        dialogs.answers = {false};
        QVERIFY(!window.close());
        QCOMPARE(dialogs.shown.size(), 2);
        dialogs.answers = {true};
        QVERIFY(window.close());
    }

    // The start sets aside records whose date cannot be read; the date list shows the rest.
    void repairRemovesEveryUnreadableRecordInOnePass() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records;
        for (int i = 0; i < 10; ++i)
            records.push_back(datedRecord(QString("%1.03.2001").arg(i + 1), uint16_t(i)));
        records[3] = datedRecord("31.02.2001", 3);
        records[7] = datedRecord("xx.03.2001", 7);
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();

        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].startsWith("Došlo k chybě zápisu data\rbube automaticky opraven"));
        QVERIFY(dialogs.shown[0].contains("data1.removed"));
        QCOMPARE(setAsideBytes(fileContent(dir.filePath("data1.removed"))),
                 recordsBytes({records[3], records[7]}));
        QCOMPARE(store.recordCount(), 8);
        DateListWindow &list = *window.dateList();
        QCOMPARE(list.lineCount(), 8);
        QCOMPARE(list.lineText(7), QStringLiteral("    8     10 03 2001"));
        QCOMPARE(list.lineText(3), QStringLiteral("    4     05 03 2001"));
        QVERIFY(store.dataModified());
        QVERIFY(store.closeStore());
        QCOMPARE(fileContent(dir.filePath("data1.dat")).size(), 8 * 1314);
    }

    // A data1.dat the observer made read-only opens the data set read-only: the caption
    // says so, the status bar says why.
    void readOnlyDataFileOpensReadOnly() {
        QTemporaryDir dir;
        writeMarchDrawings(dir.path());
        const QString path = dir.filePath("data1.dat");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        QVERIFY(window.windowTitle().endsWith("  – jen pro čtení"));
        const QLabel *status = window.findChild<QLabel *>("StatusText");
        QVERIFY(status);
        QCOMPARE(status->text(), "Soubor " + path + " je jen pro čtení, změny nelze uložit.");
    }

    void repairOfEveryRecordStartsAfresh() {
        QTemporaryDir dir;
        writeDataFile(dir.path(), {datedRecord("bad"), datedRecord("")});
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        QCOMPARE(store.recordCount(), 1);
        QCOMPARE(readText(store.record(1).dateText), QDate::currentDate().toString("dd.MM.yyyy"));
        QCOMPARE(window.dateList()->lineCount(), 1);
        QCOMPARE(setAsideBytes(fileContent(dir.filePath("data1.removed"))).size(), 2 * 1314);
    }

    void hintsToggle() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        QVERIFY(window.hintsEnabled);
        window.napoveClick();
        QVERIFY(!window.hintsEnabled);
        window.napoveClick();
        QVERIFY(window.hintsEnabled);
        QCOMPARE(dialogs.shown, (QStringList{"Nebude se zobrazovat plovoucí nápověda",
                                             "Bude se zobrazovat plovoucí nápověda"}));
    }

    void menuAndPanels() {
        QTemporaryDir dir;
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        QCOMPARE(window.action("ulozitdat")->text(), QStringLiteral("Uložít data"));
        QCOMPARE(window.action("oprava")->text(), QStringLiteral("&Oprava  dat"));
        QCOMPARE(window.action("zvlastni")->text(), QStringLiteral("&Zvlášťní zákres"));
        QVERIFY(!window.action("asymetrie")->isVisible());
        QVERIFY(!window.action("asymetrie")->isEnabled());
        QVERIFY(window.panelVisible("zakladni"));
        for (const char *name :
             {"promotylek", "prografy", "provyhlazovaci", "promapu", "provysledky"})
            QVERIFY2(!window.panelVisible(name), name);
        window.showPanel("promapu");
        QVERIFY(window.panelVisible("promapu"));
        QVERIFY(!window.panelVisible("zakladni"));
    }

    void resolutionWarningOnlyOnce() {
        // The offscreen screen is 800 pixels wide, below 1020.
        QTemporaryDir dir;
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(true));
        QTRY_COMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown.first(), window.resolutionWarning);
        QVERIFY(window.resolutionWarning.contains("\r\n" + QString(23, ' ') + "Zobrazení"));
        for (int i = 0; i < 3; ++i) {
            window.repaint();
            QCoreApplication::processEvents();
        }
        QCOMPARE(dialogs.shown.size(), 1);
        window.close();
    }

    void newDrawingFromTheMenuReachesListAndView() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{datedRecord("01.01.2000"),
                                               datedRecord("03.01.2000")};
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();

        window.action("novy")->trigger();
        QPointer<EntryDialog> dialog = window.entryDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Nový zákres   (Polární souřednice)"));
        for (const char *name : {"novy", "zvlastni", "oprava"})
            QVERIFY2(!window.action(name)->isEnabled(), name);
        window.opravaClick(); // a second dialog is not opened
        QCOMPARE(window.entryDialog(), dialog.data());

        dialog->findChild<QComboBox *>("ComboBox1")->setEditText("Novák");
        dialog->findChild<QLineEdit *>("MaskEdit1")->setText("02.01.2000");
        dialog->findChild<QLineEdit *>("Edit3")->setText("705");
        QTest::mouseClick(dialog->findChild<QPushButton *>("ukoncit"), Qt::LeftButton);
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('|')));

        QCOMPARE(store.recordCount(), 3);
        QCOMPARE(store.currentIndex(), 1); // sorted between the two
        QCOMPARE(window.dateList()->lineCount(), 3);
        QCOMPARE(window.dateList()->lineText(1), QStringLiteral("    2     02 01 2000"));
        QCOMPARE(window.dateList()->selectedLine(), 1);
        QVERIFY(window.drawing()->windowTitle().endsWith("02.01.2000"));
        QTRY_VERIFY(window.action("novy")->isEnabled());
        QVERIFY(window.action("oprava")->isEnabled());
        QVERIFY(store.dataModified());
    }

    void butterflyAndMapWindows() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{observedRecord("25.05.2001"),
                                               observedRecord("22.06.2001")};
        records[0].drawingSetup = 125;
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        window.show();
        const auto button = [&](const char *name) {
            return window.findChild<QToolButton *>(QString::fromLatin1(name));
        };

        // The butterfly: its panel, whose buttons change the newest diagram.
        button("motylekz")->click();
        QPointer<ButterflyWindow> butterfly = window.butterfly();
        QVERIFY(butterfly);
        QVERIFY(window.panelVisible("promotylek"));
        button("vpravo")->click();
        button("vetsi")->click();
        QCOMPARE(butterfly->rotationWidth(), 2);
        QCOMPARE(butterfly->latitudeScale(), 4);

        // The map: the menu item waits for it to close; the butterfly closes as the map
        // becomes the active window.
        window.action("map")->trigger();
        QPointer<MapWindow> map = window.mapWindow();
        QVERIFY(map);
        QVERIFY(!window.action("map")->isEnabled());
        QTRY_VERIFY(!butterfly);
        QVERIFY(window.panelVisible("promapu"));

        // A rotation chosen: its first drawing is shown, until an entry starts, which first
        // closes the map so that a correction starts from the record that is current.
        button("rotacem")->click();
        QVERIFY(map->rotationList()->isVisible());
        map->rotationList()->setCurrentRow(0);
        map->ListBox1Click();
        QCOMPARE(readText(store.currentRecord().dateText), QStringLiteral("25.05.2001"));
        QVERIFY(window.drawing()->windowTitle().endsWith("25.05.2001"));
        window.opravaClick();
        QCOMPARE(readText(store.currentRecord().dateText), QStringLiteral("22.06.2001"));
        QVERIFY(window.action("map")->isEnabled());
        QVERIFY(window.panelVisible("zakladni"));
        QVERIFY(window.entryDialog());
        window.entryDialog()->reject();
        QVERIFY(button("mapyz")->isEnabled());
        QVERIFY(button("motylekz")->isEnabled());
    }

    // After a save or an export the status bar says what was written, or why nothing was.
    void statusBarSaysWhatWasWritten_data() {
        QTest::addColumn<bool>("ascii");
        QTest::addColumn<bool>("directoryGone");
        QTest::addColumn<QString>("status"); // %1: the data directory
        QTest::newRow("data: 3 records")
            << false << false << "Data uložena do %1/data1.dat, záznamů: 3";
        QTest::newRow("ASCII: the heading and 3 groups")
            << true << false << "Soubor ASCII uložen do %1/SoubASCI.dat, řádků: 4";
        QTest::newRow("data, directory gone") << false << true << "Data nebyla uložena: ";
        QTest::newRow("ASCII, directory gone") << true << true << "Soubor ASCII nebyl uložen: ";
    }
    void statusBarSaysWhatWasWritten() {
        QFETCH(bool, ascii);
        QFETCH(bool, directoryGone);
        QFETCH(QString, status);
        QTemporaryDir dir;
        writeMarchDrawings(dir.path());
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        if (directoryGone)
            store.setDataDirectory(dir.filePath("gone"));
        ascii ? window.ulozASciClick() : window.ulozitdatClick();
        if (directoryGone) { // the box's reason, on one line
            QCOMPARE(dialogs.shown.size(), 1);
            QCOMPARE(window.statusText(), status + QString(dialogs.shown[0]).replace('\r', ' '));
        } else {
            QCOMPARE(window.statusText(), status.arg(dir.path()));
        }
        if (ascii && !directoryGone)
            QCOMPARE(fileContent(dir.filePath("SoubASCI.dat")).count("\r\n"), 4);
    }

    // What a save, an export or F10 wrote stays in the status bar until the data change;
    // then the bar says they are changed and not saved. Another record chosen changes
    // nothing. F10 says where it saved the drawing, or why it did not.
    void statusBarFollowsLaterChanges_data() {
        QTest::addColumn<QString>("write");  // save, ascii, bitmap, bitmap blocked
        QTest::addColumn<QString>("then");   // nothing, correction, selection
        QTest::addColumn<QString>("status"); // %1: the data directory
        const QString changed = QStringLiteral("Data změněna, nejsou uložena");
        const QString bitmap = QStringLiteral("%1/Obrázek/Zakres03.03.2001.bmp");
        // clang-format off
        QTest::newRow("F10: where it saved") << "bitmap" << "nothing" << "Zákres uložen do " + bitmap;
        QTest::newRow("F10: a file in the folder's place") << "bitmap blocked" << "nothing" << "Zákres nebyl uložen: " + bitmap + ": část cesty není adresář";
        QTest::newRow("save, then a correction") << "save" << "correction" << changed;
        QTest::newRow("ASCII, then a correction") << "ascii" << "correction" << changed;
        QTest::newRow("F10, then a correction") << "bitmap" << "correction" << changed;
        QTest::newRow("save, then another record chosen") << "save" << "selection" << "Data uložena do %1/data1.dat, záznamů: 3";
        // clang-format on
    }
    void statusBarFollowsLaterChanges() {
        QFETCH(QString, write);
        QFETCH(QString, then);
        QFETCH(QString, status);
        QTemporaryDir dir;
        writeMarchDrawings(dir.path());
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.createViews();
        if (write == "save") {
            window.ulozitdatClick();
        } else if (write == "ascii") {
            window.ulozASciClick();
        } else {
            if (write == "bitmap blocked") {
                QFile blocker(dir.filePath("Obrázek"));
                QVERIFY(blocker.open(QIODevice::WriteOnly));
            }
            dialogs.answers = {true}; // "Uložit bitmapu zákresu"
            QTest::keyClick(window.drawing(), Qt::Key_F10);
        }
        if (then == "correction") {
            ObservationRecord corrected = store.currentRecord();
            corrected.timeUT = 1130;
            QVERIFY(store.storeRecord(corrected, true));
        } else if (then == "selection") {
            store.selectRecord(0);
        }
        QCOMPARE(window.statusText(), status.replace("%1", dir.path()));
    }

    // A long observer or station name makes the drawing wider than its usual frame: the
    // view widens to show it whole, and the date list makes room without covering it.
    void longNamesAreShownWhole() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records{datedRecord("01.01.2000", 1200, "Jan Novák"),
                                               datedRecord("02.01.2000", 1200, "Petra Svobodová")};
        records[0].drawingSetup = 125;
        writeText(records[1].station, QStringLiteral("Hvězdárna Valašské M"));
        writeDataFile(dir.path(), records);
        Shell shell(dir.path());
        auto &[store, dialogs, asker, window] = shell;
        QVERIFY(window.FormCreate(false));
        window.setGeometry(0, 0, 1280, 1000); // a screen of 1280 pixels
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.createViews();

        DrawingWindow *drawing = window.drawing();
        QVERIFY(drawing->canvas()->width() > 802); // the long names need more than usual
        auto *scroll = drawing->findChild<QScrollArea *>();
        QTRY_COMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        QVERIFY(scroll->viewport()->width() >= drawing->canvas()->width());
        const QRect drawingFrame = drawing->parentWidget()->geometry();
        const QRect listFrame = window.dateList()->parentWidget()->geometry();
        QVERIFY(!drawingFrame.intersects(listFrame));
        QVERIFY(window.mdiArea()->rect().contains(listFrame));

        // A record with short names: nothing moves under the mouse.
        store.selectRecord(0);
        QCOMPARE(drawing->parentWidget()->geometry(), drawingFrame);
        QCOMPARE(window.dateList()->parentWidget()->geometry(), listFrame);
    }

    // The buttons of every panel show each its own picture beside its letters (a null
    // picture: the resource or the SVG plugin missing; one picture twice: a button given
    // another's).
    void panelButtonsHavePictures_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("buttons");
        QTest::newRow("basic") << "zakladni" << 11;
        QTest::newRow("graphs: g f r CV SN RB Pl Pk, curves, scale") << "prografy" << 13;
        QTest::newRow("smoothed graphs: the quantities, scale") << "provyhlazovaci" << 9;
        QTest::newRow("results: Vla Ofi NC NS NJ VC VS VJ Po Ty") << "provysledky" << 10;
        QTest::newRow("butterfly") << "promotylek" << 4;
        QTest::newRow("map") << "promapu" << 2;
    }
    void panelButtonsHavePictures() {
        QFETCH(QString, panel);
        QFETCH(int, buttons);
        QTemporaryDir dir;
        Shell shell(dir.path());
        QList<QImage> pictures;
        for (const QToolButton *button : shell.window.panel(panel)->findChildren<QToolButton *>()) {
            const QByteArray name = button->objectName().toLatin1();
            const QImage picture = button->icon().pixmap(20, 20).toImage();
            QVERIFY2(!picture.isNull() && !pictures.contains(picture), name);
            pictures << picture;
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        }
        QCOMPARE(pictures.size(), buttons);
    }
};

ORVANEK_REGISTER_TEST(TestMainWindow);
#include "tst_mainwindow.moc"
