// The map window: the rotation list, the working record replaced while choosing and brought
// back on close, printing.
#include "data/observationstore.h"
#include "imageprobes.h"
#include "observedrecord.h"
#include "pdfpages.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "views/map/mapwindow.h"
#include "widgettests.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

QString dateOf(const ObservationRecord &r) {
    return readText(r.dateText);
}

// Drawings of rotations 1976 (25.05.2001) and 1977 (21.06, 22.06.2001), the last one current.
struct Fixture {
    Fixture() {
        store.setDataDirectory(dir.path());
        for (const char *date : {"25.05.2001", "21.06.2001", "22.06.2001"}) {
            ObservationRecord r = observedRecord(QString::fromLatin1(date));
            addGroupSeenAt(r, 10, ephemerisOf(r).L0, 400, 1);
            store.appendRecord(r);
        }
        store.setDrawingSetup(125, false);
        store.selectRecord(2);
        window = std::make_unique<MapWindow>(store, dialogs);
        window->resize(900, 700);
        window->show();
    }
    QListWidget *list() const { return window->rotationList(); }

    QTemporaryDir dir;
    ObservationStore store{QDate(2026, 1, 1)};
    ScriptedDialogs dialogs;
    std::unique_ptr<MapWindow> window;
};

} // namespace

class TestMapWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void choosingShowsTheRotationsFirstRecordUntilClosed_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }
    void choosingShowsTheRotationsFirstRecordUntilClosed() {
        QFETCH(bool, byEnter);
        Fixture f;
        QCOMPARE(f.window->windowTitle(), mapCaption(1977));
        f.window->action(QStringLiteral("vyberm"))->trigger();
        QCOMPARE(f.list()->count(), 2);
        QCOMPARE(f.list()->item(0)->text(), QStringLiteral("1976"));
        QCOMPARE(f.list()->currentRow(), 1); // the current record's rotation
        f.list()->clearSelection();
        QTest::keyClick(f.list(), Qt::Key_Return); // nothing chosen: nothing happens
        QVERIFY(f.list()->isVisible());
        QCOMPARE(f.window->rotation(), 1977);
        f.list()->setCurrentRow(0);
        if (byEnter)
            QTest::keyClick(f.list(), Qt::Key_Return);
        else
            QTest::mouseClick(f.list()->viewport(), Qt::LeftButton, {},
                              f.list()->visualItemRect(f.list()->item(0)).center());
        QVERIFY(!f.list()->isVisible());
        QCOMPARE(dateOf(f.store.currentRecord()), QStringLiteral("25.05.2001"));
        QCOMPARE(f.store.currentIndex(), 2); // shown, not selected
        QCOMPARE(f.window->rotation(), 1976);
        QCOMPARE(f.window->windowTitle(), mapCaption(1976));
        f.window->vybermClick();
        QCOMPARE(f.list()->currentRow(), 0); // remembered
        f.window->zavritmClick();
        QCOMPARE(dateOf(f.store.currentRecord()), QStringLiteral("22.06.2001"));
        QCOMPARE(f.store.currentIndex(), 2);
    }

    // A new data set holds only its placeholder: no rotation to list, no map of rotation 0
    // with its dates of 1853, nothing to print.
    void newDataSetShowsNoRotation() {
        QTemporaryDir dir;
        ObservationStore store(QDate(2026, 1, 1));
        QVERIFY(store.loadStore(dir.path()));
        ScriptedDialogs dialogs;
        MapWindow window(store, dialogs);
        window.resize(900, 700);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Mapa"));
        window.vybermClick();
        QCOMPARE(window.rotationList()->count(), 0);
        window.Tisk1Click();
        QCOMPARE(dialogs.shown, QStringList());
        const QImage shown = window.canvas()->grab().toImage();
        QCOMPARE(countPixels(shown, shown.rect(), isDark), 0); // no "Číslo rotace  0"
    }

    void printGoesToAPdfWithoutAPrinter() {
        Fixture f;
        const QString pdf = f.dir.filePath(QStringLiteral("tisk.pdf"));
        f.dialogs.fileAnswers.push_back(pdf);
        f.window->action(QStringLiteral("Tisk1"))->trigger();
        QVERIFY(f.dialogs.shown.last().endsWith(QStringLiteral("Mapa1977.pdf")));
        QCOMPARE(pdfPageCount(pdf), 1);
    }
};

ORVANEK_REGISTER_TEST(TestMapWindow);
#include "tst_mapwindow.moc"
