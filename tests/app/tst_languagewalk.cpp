// Every text the program shows, in English and in Czech, collected while every window is
// opened on a demo data set: in English none may be Czech, in Czech none English.
#include "app/coordinatemodedialog.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/instrumentfile.h"
#include "entry/demodata.h"
#include "reports/resultswindow.h"
#include "reports/statisticsmodel.h"
#include "reports/statisticspainter.h"
#include "scan/scanwindow.h"
#include "scopedlanguage.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "textrecorder.h"
#include "views/butterfly/butterflywindow.h"
#include "views/drawing/drawingwindow.h"
#include "views/graphs/graphwindow.h"
#include "views/graphs/smoothedwindow.h"
#include "views/map/mapwindow.h"
#include "views/sheet/sheetmodel.h"
#include "views/sheet/sheetpainter.h"
#include "widgettests.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeView>
#include <functional>

#include <set>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// Everything shown, each text once, with where it was first seen.
class Shown {
  public:
    void add(const QString &where, QString text) {
        text.remove(QLatin1Char('&')); // a shortcut's mark is no letter the user reads
        text = text.trimmed();
        if (!text.isEmpty() && !texts_.count(text))
            texts_[text] = where;
    }

    // What a window paints, and what it does not paint now (menus' items, hints, titles).
    void window(const QString &where, QWidget *root) {
        add(where, root->windowTitle());
        for (QWidget *w : root->findChildren<QWidget *>()) {
            add(where, w->toolTip());
            add(where, w->windowTitle());
        }
        for (QAction *a : root->findChildren<QAction *>()) {
            add(where, a->text());
            add(where, a->toolTip());
        }
        TextRecorder recorder;
        root->render(&recorder);
        for (const QString &text : recorder.texts())
            add(where, text);
    }

    void screen(const QString &where) {
        QCoreApplication::processEvents();
        QList<QPointer<QWidget>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget> &w : windows)
            if (w && w->isVisible())
                window(where, w);
    }

    const std::map<QString, QString> &texts() const { return texts_; }

  private:
    std::map<QString, QString> texts_;
};

// A SILSO daily file with a value for every day of 2000 and 2001.
QString writeSilsoFile(const QString &dir) {
    const QString path = QDir(dir).filePath(QStringLiteral("SN_d_tot_V2.0.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    for (QDate d(2000, 1, 1); d.year() < 2002; d = d.addDays(1))
        file.write(d.toString(u"yyyy;MM;dd;").toLatin1() +
                   QByteArray::number(d.year() + d.dayOfYear() / 366.0, 'f', 3) +
                   ";120;8.0;30;1\n");
    return path;
}

void walkTheProgram(const QString &dir, Language language, Shown &shown) {
    ObservationStore store;
    ScriptedDialogs dialogs;
    MainWindow window(store, dialogs, dir, [](ObservationStore &, Dialogs &, QWidget *) {});
    window.setLanguages(language, language);
    QVERIFY(window.FormCreate(false));
    window.resize(1100, 800);
    window.show();
    window.createViews();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    shown.add(QStringLiteral("resolution warning"), window.resolutionWarning);
    const auto step = [&](const char *where, const std::function<void()> &action) {
        action();
        shown.screen(QString::fromLatin1(where));
    };
    const auto entry = [&](void (MainWindow::*open)()) {
        step("entry dialog", [&] { (window.*open)(); });
        QVERIFY(window.entryDialog());
        window.entryDialog()->done(QDialog::Rejected);
        QCoreApplication::processEvents(); // the closed dialog goes
    };

    entry(&MainWindow::novyClick);
    entry(&MainWindow::zvlastniClick);
    entry(&MainWindow::opravaClick);
    for (void (MainWindow::*save)() : {&MainWindow::ulozitdatClick, &MainWindow::ulozASciClick})
        step("status bar", [&] { (window.*save)(); });
    window.tisk1Click();
    step("orientation", [&] { window.SpeedButton1Click(); });
    step("orientation mirrored",
         [&] { window.drawing()->vyzaClick(), window.drawing()->sejiClick(); });
    window.napoveClick();
    window.napoveClick();

    step("butterfly", [&] { window.motylek1Click(), window.butterfly()->Stupnice1Click(); });
    window.butterfly()->tiskmotClick();
    step("map, rotation list", [&] { window.mapClick(), window.mapWindow()->vybermClick(); });
    step("map", [&] {
        window.mapWindow()->rotationList()->setCurrentRow(0);
        window.mapWindow()->rotationList()->currentItem()->setSelected(true);
        window.mapWindow()->ListBox1Click();
        window.mapWindow()->mapkyClick();
    });
    window.grafClick();
    for (void (GraphWindow::*choose)() :
         {&GraphWindow::celkovyClick, &GraphWindow::severgClick, &GraphWindow::jihgClick,
          &GraphWindow::fgrafClick, &GraphWindow::rrelativniClick, &GraphWindow::stupniceClick})
        step("graphs", [&] { (window.graphWindow()->*choose)(); });
    window.vyhlazovaciClick();
    window.smoothedWindow()->zvetsitClick();
    for (void (SmoothedWindow::*choose)() :
         {&SmoothedWindow::gvyhlClick, &SmoothedWindow::fvyhlClick, &SmoothedWindow::rvyhlClick,
          &SmoothedWindow::cvvyhlClick, &SmoothedWindow::snvyhlClick, &SmoothedWindow::rbvyhlClick,
          &SmoothedWindow::plochavyhlClick, &SmoothedWindow::polokvyhlClick})
        step("smoothed graphs", [&] { (window.smoothedWindow()->*choose)(); });
    dialogs.fileAnswers.push_back(writeSilsoFile(dir));
    step("SILSO comparison", [&] { window.srovnaniClick(); });
    dialogs.promptAnswers = {QStringLiteral("15.06.2000"), QStringLiteral("1200")};
    window.sablonaClick();
    SheetState sheet;
    sheet.date = {2000, 6, 15};
    for (const SheetText &t : buildSheetModel(sheetSettings(store, sheet)).texts)
        shown.add(QStringLiteral("observing sheet"), t.text);

    // That sheet scanned, alone and beside a new drawing's entry dialog.
    const QString scan = QDir(dir).filePath(QStringLiteral("sken.png"));
    QVERIFY(renderSheet(buildSheetModel(sheetSettings(store, sheet)), 100).save(scan));
    dialogs.fileAnswers.push_back(scan);
    step("scan", [&] { window.zeskenuClick(); });
    QVERIFY(window.scanWindow());
    entry(&MainWindow::novyClick);

    window.openResultsWindow();
    ResultsWindow *results = window.resultsWindow();
    dialogs.promptAnswers = {QStringLiteral("13.2000"), QStringLiteral("6.2000")};
    for (void (ResultsWindow::*view)() :
         {&ResultsWindow::oficialniClick, &ResultsWindow::vlastniClick,
          &ResultsWindow::severnamClick, &ResultsWindow::jihnamClick,
          &ResultsWindow::celkovyvyrClick, &ResultsWindow::severvyrClick,
          &ResultsWindow::jihvyrClick, &ResultsWindow::pozorovateleClick,
          &ResultsWindow::Vvojskupin1Click, &ResultsWindow::pristrojClick,
          &ResultsWindow::celkovynamClick, &ResultsWindow::tiskvyslClick})
        step("results", [&] { (results->*view)(); });
    TextRecorder page;
    {
        QPainter painter(&page);
        paintStatisticsPage(painter, results->statistics(), {1, 1, 3}, 1);
    }
    for (const QString &text : page.texts())
        shown.add(QStringLiteral("statistics page"), text);

    // A heliographic entry dialog, the coordinate-mode dialog, the other language chosen.
    store.setDrawingSetup(125, true);
    entry(&MainWindow::novyClick);
    CoordinateModeDialog mode(store, dialogs, &window);
    step("coordinate mode", [&] { mode.show(); });
    mode.Button1Click();
    window.jazykClick(language == Language::Czech ? LanguageChoice::English
                                                  : LanguageChoice::Czech);

    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvanek"), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    QDir(dir).mkdir(QStringLiteral("Obrázek"));
    QFileDialog files(nullptr, QString(), dir);
    files.setOption(QFileDialog::DontUseNativeDialog);
    // No file listed: their sizes and dates are in the test's own locale. A folder is, with
    // its kind in the details.
    files.setNameFilter(QStringLiteral("*.pdf"));
    files.setViewMode(QFileDialog::Detail);
    files.findChild<QTreeView *>()->setColumnHidden(3, true); // its date, in the test's locale
    step("Qt's dialogs", [&] {
        box.show(), files.show();
        // The dialog lists a folder from a thread of its own: wait until it is listed.
        const QTreeView *list = files.findChild<QTreeView *>();
        QTRY_VERIFY(list->model()->rowCount(list->rootIndex()) > 0);
    });
    for (const QString &text : dialogs.shown)
        for (const QString &part : text.split(QLatin1Char('|')))
            shown.add(QStringLiteral("message"), part);
    closeTopLevelWidgets();
}

// The words of the data set and of the files, not of the program.
QStringList dataWords(const QString &dir) {
    ObservationStore store;
    store.loadStore(dir);
    std::set<QString> words;
    for (int n = 1; n <= store.recordCount(); ++n) {
        const ObservationRecord &r = store.record(n);
        words.insert(readText(r.observer));
        words.insert(readText(r.station));
        words.insert(readText(r.specialMark));
        for (int g = 1; g <= r.usedGroups(); ++g)
            words.insert(readText(r.group(g).type));
    }
    for (const QString &line : store.instrumentLines())
        words.insert(line);
    words.insert(QDir::toNativeSeparators(dir));
    words.insert(dir);
    words.insert(QDir::home().dirName()); // in the file dialog's list of places
    for (const char *name : {"Obrázek", "Zakres", "SN_d_tot_V2.0.csv", "SN_d_tot", "SN_d_hem",
                             "SN_m_tot", "data1.dat", "SoubASCI.dat", "pristroj.dat"})
        words.insert(QString::fromUtf8(name));
    words.erase(QString());
    QStringList list(words.begin(), words.end());
    // The longest first, so that a name is taken out whole before a part of it.
    std::sort(list.begin(), list.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return list;
}

QString withoutData(QString text, const QStringList &data) {
    // The files the program suggests keep their names in every language.
    static const QRegularExpression fileName(QStringLiteral("\\S*\\.(pdf|bmp|png|dat|csv)\\b"));
    text.remove(fileName);
    for (const QString &word : data) {
        text.replace(word, QStringLiteral(" "));
        // Cut where its room ends: "Refraktor Zeiss AS …".
        for (qsizetype k = word.size() - 1; k >= 3 && text.contains(QChar(u'…')); --k)
            text.replace(word.left(k) + QChar(u'…'), QStringLiteral(" "));
    }
    return text;
}

// Texts that are the same in both languages on purpose.
const QStringList kSameInBothLanguages =
    QStringLiteral("Orvanek|English|Čeština|OK|Station:|Instrument:|Lens:|Focus lens:|Eyepiece:|"
                   "Method:|Magnification:|CERTIFICATE  OF  DRAWING  SUN  SPOTS|North|South|"
                   "Center|Projection drawing|ToolBar1")
        .split(QLatin1Char('|'));

const QRegularExpression kEnglishWords(
    QStringLiteral("\\b(the|and|of|is|not|file|files|open|save|print|cancel|close|yes|help|"
                   "apply|restore|minimize|maximize|move|size|stay|top|window|error|page|"
                   "number|group|groups|spots|drawing|graph|month|year|results|observer|"
                   "directory|folder|exit|settings|language|look|name|type|date|back|"
                   "forward|parent|detail|list|view|new)\\b"),
    QRegularExpression::CaseInsensitiveOption);

const QRegularExpression kCzechLetters(QStringLiteral("[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]"));
const QRegularExpression kWord(QStringLiteral("[A-Za-zÀ-ž]{3,}"));

} // namespace

class TestLanguageWalk : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList data_;
    Shown czech_;
    Shown english_;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        ObservationStore store;
        store.setDataDirectory(dir_.path());
        QVERIFY(makeDemoData(store, DemoOptions{2000, 2001, 7}));
        QVERIFY(store.saveStore());
        QString error;
        QVERIFY2(writeInstrumentFile(dir_.path(), demoInstrumentLines(), &error),
                 qPrintable(error));
        data_ = dataWords(dir_.path());

        {
            QTranslator *qt = installQtTranslation(*QCoreApplication::instance(), Language::Czech);
            QVERIFY2(qt, "no qtbase_cs: is qt6-translations-l10n installed?");
            const ScopedLanguage czech(Language::Czech);
            walkTheProgram(dir_.path(), Language::Czech, czech_);
            QCoreApplication::removeTranslator(qt);
            delete qt;
        }
        {
            const ScopedLanguage english(Language::English);
            QVERIFY(english.installed());
            walkTheProgram(dir_.path(), Language::English, english_);
        }
        QFile::remove(settingsFile());
    }
    void cleanup() { closeTopLevelWidgets(); }

    // The walk met the windows it went through: a walk that opened nothing finds no fault.
    void everyWindowWasSeen_data() {
        QTest::addColumn<QString>("czech");
        QTest::addColumn<QString>("english");
        // clang-format off
        QTest::newRow("heliographic entry") << "heliografická šířka" << "heliographic latitude";
        QTest::newRow("drawing, its whole date") << "Zákres    31.12.2001" << "Drawing 31.12.2001";
        QTest::newRow("entry dialog") << "Nový zákres" << "New drawing";
        QTest::newRow("butterfly") << "Motýlek   Skvrny" << "Butterfly diagram – spots";
        QTest::newRow("map") << "Číslo rotace" << "Rotation number";
        QTest::newRow("daily graphs") << "SEVER + JIH    Počet skupin" << "NORTH + SOUTH – Number of groups";
        QTest::newRow("smoothed graphs") << "Vyhlazovací   grafy" << "Smoothed graphs";
        QTest::newRow("Wolf number") << " Relativní číslo" << " Relative sunspot number (Wolf number)";
        QTest::newRow("certificate") << "CERTIFICATE  OF  DRAWING  SUN  SPOTS" << "CERTIFICATE OF SUNSPOT DRAWINGS";
        QTest::newRow("month refused") << "„13.2000“ není měsíc a rok" << "“13.2000” is not a month and a year";
        QTest::newRow("sheet's file") << "Sablona15.06.2000_1200.pdf" << "Sheet15.06.2000_1200.pdf";
        QTest::newRow("tooltips switch") << "Nápověda" << "Tooltips";
        QTest::newRow("SILSO") << "SILSO, průměr ze stejných dní" << "SILSO, mean of the same days";
        QTest::newRow("sheet") << "Šablona pro kresbu Slunce" << "Sheet for drawing the Sun";
        QTest::newRow("scan") << "Šablona: 15.06.2000 00:00 UT" << "Sheet: 15.06.2000 00:00 UT";
        QTest::newRow("scan beside the entry dialog") << "Sken – klepnutím na skupinu vyplníte její polohu" << "Scan – a click on a group fills its position";
        QTest::newRow("statistics") << "Výsledky    statistika - vyhlazené - jih" << "Results – statistics – smoothed – south";
        QTest::newRow("statistics page") << "Stránka 1" << "Page 1";
        QTest::newRow("coordinate mode") << "Zadání souřadnic" << "Coordinates";
        QTest::newRow("language menu") << "Jazyk se změní při příštím spuštění programu." << "The language changes when the program next starts.";
        QTest::newRow("Qt's buttons") << "Storno" << "Cancel";
        QTest::newRow("a folder in the file dialog") << "Složka" << "Folder";
        // clang-format on
    }
    void everyWindowWasSeen() {
        QFETCH(QString, czech);
        QFETCH(QString, english);
        const auto holds = [](const Shown &shown, const QString &text) {
            return std::any_of(
                shown.texts().begin(), shown.texts().end(),
                [&](const auto &shownText) { return shownText.first.contains(text); });
        };
        QVERIFY2(holds(czech_, czech), qPrintable(czech));
        QVERIFY2(holds(english_, english), qPrintable(english));
    }

    // In English no text holds a Czech letter or stays as it is in Czech; in Czech none is
    // English. Names and numbers of the data are not the program's.
    void noTextInTheOtherLanguage() {
        QStringList faults;
        for (const auto &[text, where] : english_.texts()) {
            const QString own = withoutData(text, data_);
            if ((own.contains(kCzechLetters) && text != u"Čeština") ||
                (czech_.texts().count(text) && own.contains(kWord) &&
                 !kSameInBothLanguages.contains(text)))
                faults << "English, " + where + QStringLiteral(": ") + text;
        }
        for (const auto &[text, where] : czech_.texts())
            if (withoutData(text, data_).contains(kEnglishWords) &&
                !kSameInBothLanguages.contains(text))
                faults << "Czech, " + where + QStringLiteral(": ") + text;
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

ORVANEK_REGISTER_TEST(TestLanguageWalk);
#include "tst_languagewalk.moc"
