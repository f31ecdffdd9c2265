// The results window: the month prompt, the views and their menu items, the print
// commands with the statistics' print panel, the instrument box and pristroj.dat.
#include "data/codepage1250.h"
#include "reports/certificatepainter.h"
#include "reports/resultswindow.h"
#include "reporttesthelpers.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

Q_DECLARE_METATYPE(orvanek::ResultsMode)
Q_DECLARE_METATYPE(orvanek::StatRegion)

namespace {

const QString kPromptShown = QStringLiteral("Zadaní|Zadej měsíc a rok ? (2.2000)|");

// Five drawings by Eva and Jan from January 2000 to March 2001 (or, when `months` is
// given, one drawing a month from January 1990 on) in a store whose data directory is
// `dir`; the last record current.
struct Fixture {
    explicit Fixture(const QString &dir, bool withStation = true, int months = 0) {
        store.setDataDirectory(dir);
        store.collectObserver(QStringLiteral("Eva"));
        store.collectObserver(QStringLiteral("Jan"));
        for (int m = 0; m < months; ++m)
            store.appendRecord(summaryRecord(firstOfMonth(m), {1, 2, 12}));
        if (months == 0)
            fillStore(store, {summaryRecord("03.01.2000", {2, 5, 25}, {}, 900, "Eva"),
                              summaryRecord("10.01.2000", {1, 2, 12}, {}, 900, "Jan"),
                              summaryRecord("01.02.2000", {3, 3, 33}, {}, 900, "Eva"),
                              summaryRecord("15.02.2000", {1, 1, 11}, {}, 900, "Eva"),
                              summaryRecord("15.03.2001", {4, 0, 40}, {}, 900, "Jan")});
        if (withStation) {
            InstrumentLines lines = defaultInstrumentLines();
            lines[5] = QStringLiteral("Ondřejov");
            store.setInstrumentLines(lines);
        }
        store.selectRecord(store.recordCount() - 1);
        window = std::make_unique<ResultsWindow>(store, dialogs);
    }
    template <typename T> T *child(const char *name) const {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QRadioButton *printChoice(const QString &text) const {
        for (QRadioButton *radio : window->findChildren<QRadioButton *>())
            if (radio->text() == text)
                return radio;
        return nullptr;
    }
    ObservationStore store{kTestToday};
    ScriptedDialogs dialogs;
    std::unique_ptr<ResultsWindow> window;
};

QString cellText(const QTableView *grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestResultsWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    // The prompt is asked again until it names a month with records, each refusal said; the
    // first record of that month becomes current. A cancelled prompt shows nothing and moves
    // nothing; with no observation at all the prompt is not shown.
    void monthPrompt_data() {
        QTest::addColumn<QStringList>("answers"); // the prompt is cancelled after the last
        QTest::addColumn<int>("month");           // February 2000 or 0: none chosen
        QTest::addColumn<int>("prompts");
        QTest::addColumn<int>("currentIndex");
        QTest::addColumn<QStringList>("said"); // the messages between the prompts
        QTest::addColumn<int>("months");       // Fixture's; -1: a data set with no observation
        const QString notMonth =
            QStringLiteral("„%1“ není měsíc a rok: zadejte je jako 2.2000 (měsíc 1 až 12).");
        const QString noRecords = QStringLiteral("V měsíci 5.1999 není v datech žádné pozorování.");
        QTest::newRow("02.2000") << QStringList{"02.2000"} << 2 << 1 << 2 << QStringList{} << 0;
        QTest::newRow("wrong texts, then 2.2000")
            << QStringList{"abc", "13.2000", "", "5.1999", "2.2000"} << 2 << 5 << 2
            << QStringList{notMonth.arg("abc"), notMonth.arg("13.2000"),
                           "Zadejte měsíc a rok, například 2.2000.", noRecords}
            << 0;
        QTest::newRow("no records, then cancelled")
            << QStringList{"5.1999"} << 0 << 2 << 4 << QStringList{noRecords} << 0;
        QTest::newRow("cancelled") << QStringList{} << 0 << 1 << 4 << QStringList{} << 0;
        QTest::newRow("no observation")
            << QStringList{"2.2000"} << 0 << 0 << -1
            << QStringList{"V datech není žádné pozorování, výsledky nejsou z čeho sestavit."}
            << -1;
    }
    void monthPrompt() {
        QFETCH(QStringList, answers);
        QFETCH(int, month);
        QFETCH(int, prompts);
        QFETCH(int, currentIndex);
        QFETCH(QStringList, said);
        QFETCH(int, months);
        QTemporaryDir dir;
        Fixture f(dir.path(), true, months);
        for (const QString &answer : answers)
            f.dialogs.promptAnswers.push_back(answer);
        f.window->oficialniClick();
        QCOMPARE(f.dialogs.shown.count(kPromptShown), prompts);
        f.dialogs.shown.removeAll(kPromptShown);
        QCOMPARE(f.dialogs.shown, said);
        QCOMPARE(f.window->resultsMode(), month ? ResultsMode::Certificate : ResultsMode::None);
        if (month)
            QCOMPARE(*f.window->askedMonth(), (AskedMonth{month, 2000}));
        QCOMPARE(f.store.currentIndex(), currentIndex);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Výsledky    oficiální"));
        QVERIFY(f.window->action("oficialni")->isChecked());
    }

    // Every statistics handler, the hidden ones included: view, region, grid columns (the
    // month and ten values measured, the month with g, f and r smoothed), caption
    // ("Výsledky    statistika - " and the view) and the items checked.
    void statisticsHandlers_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<ResultsMode>("mode");
        QTest::addColumn<StatRegion>("region");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("view");
        const auto measured = ResultsMode::Measured;
        const auto smoothed = ResultsMode::Smoothed;
        QTest::newRow("celkovynam")
            << "celkovynam" << measured << StatRegion::Total << 11 << "naměřené - celkový";
        QTest::newRow("severnam") << "severnam" << measured << StatRegion::North << 11
                                  << "naměřené - sever";
        QTest::newRow("jihnam") << "jihnam" << measured << StatRegion::South << 11
                                << "naměřené - jih";
        QTest::newRow("celkovyvyr")
            << "celkovyvyr" << smoothed << StatRegion::Total << 4 << "vyhlazené - celkový";
        QTest::newRow("severvyr") << "severvyr" << smoothed << StatRegion::North << 4
                                  << "vyhlazené - sever";
        QTest::newRow("jihvyr") << "jihvyr" << smoothed << StatRegion::South << 4
                                << "vyhlazené - jih";
    }
    void statisticsHandlers() {
        QFETCH(QString, handler);
        QFETCH(ResultsMode, mode);
        QFETCH(StatRegion, region);
        QFETCH(int, columns);
        QFETCH(QString, view);
        QTemporaryDir dir;
        Fixture f(dir.path());
        QVERIFY(QMetaObject::invokeMethod(f.window.get(), (handler + "Click").toLatin1()));
        QCOMPARE(f.window->resultsMode(), mode);
        QCOMPARE(f.window->statRegion(), region);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Výsledky    statistika - ") + view);
        auto *grid = f.child<QTableView>("StringGrid1");
        QVERIFY(!grid->isHidden());
        QCOMPARE(grid->model()->rowCount(), 15); // January 2000 to March 2001
        QCOMPARE(grid->model()->columnCount(), columns);
        // Each row is its month, numbers right-aligned; the heading names the month column.
        QCOMPARE(cellText(grid, 0, 0), QStringLiteral(" 01.2000"));
        QCOMPARE(cellText(grid, 14, 0), QStringLiteral(" 03.2001"));
        QCOMPARE(grid->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("   g"));
        const QString submenu = mode == ResultsMode::Measured ? "namerena" : "vyhlazena";
        for (const QString &name : {handler, QStringLiteral("Statistika"), submenu})
            QVERIFY2(f.window->action(name)->isChecked(), qPrintable(name));
        QVERIFY(!f.window->action("oficialni")->isChecked());
        // Only the measured whole-disk item is offered in the menu: the others, or their
        // submenu, stay hidden.
        const bool offered =
            f.window->action(handler)->isVisible() && f.window->action(submenu)->isVisible();
        QCOMPARE(offered, handler == "celkovynam");
    }

    // The print panel: no choice, a message and nothing printed; a choice prints as many
    // pages as the rows need. 150 months on the PDF page (70 rows a page, see the painter
    // tests): all rows 3 pages, from row 75 on 2, one page from row 145.
    void statisticsPrintPanel_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("cursorRow");
        QTest::addColumn<int>("pages");
        QTest::newRow("Všechny hodnoty") << "Všechny hodnoty" << 100 << 3;
        QTest::newRow("Vše od kurzoru") << "Vše od kurzoru" << 75 << 2;
        QTest::newRow("1 strana od kurzoru") << "1 strana od kurzoru" << 145 << 1;
    }
    void statisticsPrintPanel() {
        QFETCH(QString, choice);
        QFETCH(int, cursorRow);
        QFETCH(int, pages);
        QTemporaryDir dir;
        Fixture f(dir.path(), true, 150);
        f.window->celkovynamClick();
        auto *panel = f.child<QGroupBox>("GroupBox1");
        QVERIFY(panel->isHidden());
        f.window->tiskvyslClick();
        QVERIFY(!panel->isHidden());
        // No printer: the estimate is for A4 at 600 dpi, 63 rows a page; 151 values.
        QCOMPARE(f.child<QLabel>("Label6")->text(),
                 QStringLiteral("Počet hodnot je = 151   ( 2.4  str.)"));
        f.window->Button2Click();
        QCOMPARE(f.dialogs.shown, QStringList{QStringLiteral("Nebyl zybrán typ tisku! ")});
        QVERIFY(!panel->isHidden());

        const QString pdf = dir.filePath(QStringLiteral("statistika.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        {
            auto *grid = f.child<QTableView>("StringGrid1");
            grid->setCurrentIndex(grid->model()->index(cursorRow - 1, 1));
        }
        f.printChoice(choice)->setChecked(true);
        f.window->Button2Click();
        QCOMPARE(pdfPageCount(pdf), pages);
        QVERIFY(panel->isHidden());
        QVERIFY(!f.printChoice(choice)->isChecked());
    }

    // The print panel's title is a line inside its frame (a group box's title would hang
    // above the frame and left of it), and the panel stands beside the statistics it prints,
    // or at the window's right edge when both do not fit, the months still in sight. It goes
    // when another view is chosen.
    void printPanelPlace_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("1100: beside the grid") << 1100;
        QTest::newRow("700: at the right edge") << 700;
    }
    void printPanelPlace() {
        QFETCH(int, width);
        QTemporaryDir dir;
        Fixture f(dir.path(), true, 150);
        f.window->resize(width, 600);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.window->celkovynamClick();
        f.window->tiskvyslClick();
        auto *panel = f.child<QGroupBox>("GroupBox1");
        const auto *grid = f.child<QTableView>("StringGrid1");
        QVERIFY(panel->title().isEmpty());
        const auto labels = panel->findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel *label) {
            return label->text() == "Tiskový panel" && label->isVisible() &&
                   panel->contentsRect().contains(label->geometry());
        }));
        const QRect frame = panel->geometry();
        const int client = panel->parentWidget()->width();
        QVERIFY(frame.left() >= grid->x() + grid->columnWidth(0) && frame.right() < client);
        QVERIFY(frame.left() > grid->geometry().right() || frame.right() == client - 1);
        f.window->pozorovateleClick();
        QVERIFY(panel->isHidden());
    }

    // Eva and Jan in 2000 and 2001; the grid has the years, "Suma", an empty row and the
    // year totals; the table prints at once into one page.
    void observers() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->pozorovateleClick();
        QCOMPARE(f.window->resultsMode(), ResultsMode::Observers);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Výsledky    pozorovatelé"));
        auto *grid = f.child<QTableWidget>("StringGrid3");
        QVERIFY(!grid->isHidden());
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(cellText(grid, 0, 1), QStringLiteral("3")); // Eva in 2000
        QCOMPARE(cellText(grid, 1, 1), QStringLiteral("1")); // Jan in 2000
        QCOMPARE(cellText(grid, 0, 2), QString());           // Eva in 2001
        QCOMPARE(cellText(grid, 3, 0), QStringLiteral("Suma"));
        QCOMPARE(cellText(grid, 3, 3), QStringLiteral("5"));

        const QString pdf = dir.filePath(QStringLiteral("pozorovatele.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        f.window->tiskvyslClick();
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(f.dialogs.printerSetups, 0);
    }

    void observersWithoutNames() {
        QTemporaryDir dir;
        ObservationStore store(kTestToday);
        store.setDataDirectory(dir.path());
        store.appendRecord(datedRecord("01.01.2000", 900, QStringLiteral("Eva")));
        ScriptedDialogs dialogs;
        ResultsWindow window(store, dialogs);
        window.pozorovateleClick();
        QVERIFY(window.findChild<QTableWidget *>(QStringLiteral("StringGrid3"))->isHidden());
        window.tiskvyslClick();
        QCOMPARE(dialogs.shown, (QStringList{QStringLiteral("Mení zadáno žádné jméno pozorovatele"),
                                             QStringLiteral("Ještě není znám žádný pozorovatel")}));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    // The print command before any view is chosen: the printer set-up dialog and nothing
    // printed; without a printer, the word that nothing is chosen.
    void printWithNoViewChosen() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.window->tiskvyslClick();
        QCOMPARE(f.dialogs.shown, QStringList{"Není vybráno nic k tisku."});
        f.dialogs.printerExists = true;
        f.window->tiskvyslClick();
        QCOMPARE(f.dialogs.printerSetups, 1);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    // The window paints the certificate exactly as the image of the command line shows it,
    // and prints it on one page.
    void certificatePaintAndPrint() {
        QTemporaryDir dir;
        Fixture f(dir.path());
        f.dialogs.promptAnswers.push_back(QStringLiteral("1.2000"));
        f.window->oficialniClick();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QImage image = renderCertificate(f.window->certificateModel());
        const QImage screen =
            f.window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(screen.size(), image.size());
        QCOMPARE(screen, image);

        const QString pdf = dir.filePath(QStringLiteral("certifikat.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        f.window->tiskvyslClick();
        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(f.dialogs.shown.last().endsWith(QStringLiteral("Certifikat_01_2000.pdf")));
    }

    // Without pristroj.dat the station is empty: the certificate opens the instrument box
    // and paints nothing. OK there creates the file from the defaults with the station.
    void instrumentBoxCreatesTheFile() {
        QTemporaryDir dir;
        Fixture f(dir.path(), false);
        f.dialogs.promptAnswers.push_back(QStringLiteral("2.2000"));
        f.window->oficialniClick();
        auto *box = f.child<QGroupBox>("GroupBox2");
        QVERIFY(!box->isHidden());
        QCOMPARE(f.window->canvas()->size(), QSize(1, 1));
        QCOMPARE(f.child<QLineEdit>("Edit2")->text(), QStringLiteral("Přístroj"));
        QCOMPARE(f.child<QLineEdit>("Edit5")->text(), QStringLiteral("1350"));

        f.child<QLineEdit>("Edit1")->setText(QStringLiteral("Ondřejov"));
        f.child<QPushButton>("Button1")->click();
        QVERIFY(box->isHidden());
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("pristroj.dat"))),
                 QByteArray("\r\n") + encode1250(QStringLiteral("Přístroj")) +
                     "\r\n80\r\n18\r\n1350\r\n" + encode1250(QStringLiteral("Ondřejov")) + "\r\n");
        QCOMPARE(f.store.instrumentLines()[5], QStringLiteral("Ondřejov"));
        QCOMPARE(f.store.instrumentLines()[0], QString()); // the observatory keeps its line
        QCOMPARE(f.window->canvas()->size(),
                 certificateSize(certificateLayout(f.window->certificateModel())));
    }

    // A file that cannot be written: the message, and the box stays for another try.
    void instrumentBoxWriteFailure() {
        QTemporaryDir dir;
        Fixture f(dir.filePath(QStringLiteral("missing/folder")));
        f.window->pristrojClick();
        f.window->Button1Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown.first().contains(QStringLiteral("pristroj.dat")));
        QVERIFY(!f.child<QGroupBox>("GroupBox2")->isHidden());
    }
};

ORVANEK_REGISTER_TEST(TestResultsWindow);

#include "tst_resultswindow.moc"
