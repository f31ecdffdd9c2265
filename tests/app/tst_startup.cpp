// How the program starts: its arguments, the data directory it refuses, its icon.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/observationstore.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

Q_DECLARE_METATYPE(orvanek::Language)

using namespace orvanek;
using namespace orvanek::testing;

namespace {

using Action = StartRequest::Action;

// The icon drawn at its own size of 48 px, where one unit of its drawing is one pixel:
// outside the disk (radius 21.5 around 24, 24) it is clear, on the bare disk warm yellow,
// in the umbra of the leading spot (radius 2.4 around 14.5, 15) nearly black.
void checkIcon(const QIcon &icon) {
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(48, 48).toImage();
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(image.pixelColor(1, 1).alpha(), 0);
    const QColor disk = image.pixelColor(36, 14); // 15.6 from the centre, off every line
    QCOMPARE(disk.alpha(), 255);
    QVERIFY2(disk.red() > 200 && disk.green() > 150 && disk.blue() < 150, qPrintable(disk.name()));
    const QColor umbra = image.pixelColor(14, 15);
    QVERIFY2(umbra.red() < 80 && umbra.green() < 80 && umbra.blue() < 80, qPrintable(umbra.name()));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void readArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<bool>("measureStartup");
        QTest::newRow("nothing: the current directory")
            << QStringList{} << Action::Open << "/cwd" << false;
        QTest::newRow("a directory") << QStringList{"/data"} << Action::Open << "/data" << false;
        QTest::newRow("the first of two directories")
            << QStringList{"/data", "/other"} << Action::Open << "/data" << false;
        QTest::newRow("startup time and a directory")
            << QStringList{"--startup-time", "/data"} << Action::Open << "/data" << true;
        QTest::newRow("--version")
            << QStringList{"--version"} << Action::ShowVersion << "/cwd" << false;
        QTest::newRow("--version after a directory")
            << QStringList{"/data", "--version"} << Action::ShowVersion << "/data" << false;
        QTest::newRow("--help") << QStringList{"--help"} << Action::ShowHelp << "/cwd" << false;
        QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << "/cwd" << false;
        QTest::newRow("--version wins over --help")
            << QStringList{"--version", "-h"} << Action::ShowVersion << "/cwd" << false;
    }
    void readArguments() {
        QFETCH(QStringList, args);
        QFETCH(Action, action);
        QFETCH(QString, dataDir);
        QFETCH(bool, measureStartup);
        const StartRequest request = readStartRequest(args, QStringLiteral("/cwd"));
        QCOMPARE(request.action, action);
        QCOMPARE(request.dataDir, dataDir);
        QCOMPARE(request.measureStartup, measureStartup);
    }

    void versionLine() {
        // The project's version, as CMake's project() gives it to the build.
        QCOMPARE(programVersionLine(), QStringLiteral("orvanek " ORVANEK_VERSION));
        QVERIFY(programUsage().startsWith(QStringLiteral("použití: orvanek [ADRESÁŘ]")));
    }

    // A directory that is not there, or a file, is refused with one message and never made.
    void refusedDirectory_data() {
        QTest::addColumn<QString>("name"); // under a fresh temporary directory
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "pozorovani"
                                 << "Adresář %1 neexistuje.";
        QTest::newRow("missing, within a missing one") << "a/b"
                                                       << "Adresář %1 neexistuje.";
        QTest::newRow("a file") << "data1.dat"
                                << "%1 není adresář.";
        QTest::newRow("a directory") << "sub"
                                     << "";
    }
    void refusedDirectory() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir("sub"));
        QFile file(root.filePath("data1.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QStringList before = QDir(root.path()).entryList(QDir::AllEntries);
        const QString dir = root.filePath(name);

        const std::optional<QString> problem = dataDirectoryProblem(dir);
        if (message.isEmpty())
            QVERIFY(!problem);
        else
            QCOMPARE(problem.value_or(QString()), message.arg(dir));
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries), before);
    }

    void iconOfTheProgramAndItsWindow() {
        checkIcon(applicationIcon());
        QTemporaryDir dir;
        ObservationStore store;
        ScriptedDialogs dialogs;
        MainWindow window(
            store, dialogs, dir.path(),
            [](ObservationStore &s, Dialogs &, QWidget *) { s.setDrawingSetup(125, false); });
        checkIcon(window.windowIcon());
    }

    // Qt's standard buttons speak the program's language: Czech in the words of Qt's own
    // Czech catalogue (qtbase_cs) but "Storno", English as Qt has them.
    void qtButtonsInTheLanguage_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QMessageBox::StandardButton>("button");
        QTest::addColumn<QString>("text"); // without the shortcut's '&'
        QTest::newRow("Yes") << Language::Czech << QMessageBox::Yes << "Ano";
        QTest::newRow("No") << Language::Czech << QMessageBox::No << "Ne";
        QTest::newRow("OK") << Language::Czech << QMessageBox::Ok << "OK";
        QTest::newRow("Cancel") << Language::Czech << QMessageBox::Cancel << "Storno";
        QTest::newRow("Cancel, English") << Language::English << QMessageBox::Cancel << "Cancel";
        QTest::newRow("No, English") << Language::English << QMessageBox::No << "No";
    }
    void qtButtonsInTheLanguage() {
        QFETCH(Language, language);
        QFETCH(QMessageBox::StandardButton, button);
        QFETCH(QString, text);
        QTranslator *translator = installQtTranslation(*QCoreApplication::instance(), language);
        if (language == Language::Czech)
            QVERIFY2(translator, "no qtbase_cs: is qt6-translations-l10n installed?");
        QMessageBox box;
        box.setStandardButtons(button);
        const QString shown = box.button(button)->text();
        // The rest of the tests expect Qt's texts as they were.
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QCOMPARE(QString(shown).remove(QLatin1Char('&')), text);
    }
};

ORVANEK_REGISTER_TEST(TestStartup);
#include "tst_startup.moc"
