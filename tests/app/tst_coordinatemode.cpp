// "Zadání souřadnic": only a chosen kind and a positive radius close it.
#include "app/coordinatemodedialog.h"
#include "data/observationstore.h"
#include "scripteddialogs.h"
#include "testregistry.h"
#include "widgettests.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace orvanek;
using namespace orvanek::testing;

class TestCoordinateMode : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void choices_data() {
        QTest::addColumn<int>("kind"); // -1 none, 0 polar, 1 heliographic
        QTest::addColumn<QString>("radius");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("storedRadius");
        QTest::addColumn<QString>("message");
        QTest::newRow("defaults, polar") << 0 << "125" << true << 125.0 << "";
        QTest::newRow("heliographic") << 1 << "125" << true << 125.0 << "";
        QTest::newRow("whole, with a decimal comma") << 0 << "62,0" << true << 62.0 << "";
        QTest::newRow("largest") << 1 << "999" << true << 999.0 << "";
        // Record 1 keeps whole millimetres, and above 1000 heliographic entry: neither would
        // come back as chosen after the next start.
        QTest::newRow("a fraction") << 0 << "62,5" << false << 0.0 << "celé číslo";
        QTest::newRow("1250 for 125") << 0 << "1250" << false << 0.0 << "nejvýše 999";
        QTest::newRow("no kind, nothing taken")
            << -1 << "100" << false << 0.0 << "Nebyl zvolen typ souřednic";
        QTest::newRow("not a number") << 0 << "abc" << false << 0.0 << "kladné celé číslo";
        QTest::newRow("zero") << 0 << "0" << false << 0.0 << "kladné celé číslo";
        QTest::newRow("negative") << 1 << "-125" << false << 0.0 << "kladné celé číslo";
        QTest::newRow("empty") << 0 << "" << false << 0.0 << "kladné celé číslo";
    }
    void choices() {
        QFETCH(int, kind);
        QFETCH(QString, radius);
        QFETCH(bool, accepted);
        QFETCH(double, storedRadius);
        QFETCH(QString, message);
        ObservationStore store;
        ScriptedDialogs dialogs;
        CoordinateModeDialog dialog(store, dialogs);
        dialog.show();
        auto *edit = dialog.findChild<QLineEdit *>("Edit1");
        QCOMPARE(edit->text(), QStringLiteral("125"));
        edit->setText(radius);
        if (kind >= 0)
            QTest::mouseClick(dialog.findChild<QRadioButton *>(QString("RadioGroup1_%1").arg(kind)),
                              Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(store.drawingRadius(), storedRadius);
        if (accepted) {
            QVERIFY(dialogs.shown.isEmpty());
            QCOMPARE(store.heliographicEntry(), kind == 1);
        } else {
            // A click on a kind is no choice until it is confirmed.
            QVERIFY(!store.heliographicEntry());
            QCOMPARE(dialogs.shown.size(), 1);
            QVERIFY2(dialogs.shown[0].contains(message), qPrintable(dialogs.shown[0]));
        }
    }

    void cannotBeClosedWithoutAChoice() {
        ObservationStore store;
        ScriptedDialogs dialogs;
        CoordinateModeDialog dialog(store, dialogs);
        dialog.show();
        QVERIFY(!dialog.close());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(store.drawingRadius(), 0.0);
    }
};

ORVANEK_REGISTER_TEST(TestCoordinateMode);
#include "tst_coordinatemode.moc"
