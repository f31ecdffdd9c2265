// The comparison window: the file chosen and checked, the chart following the store, the
// print as a PDF page, another file refused without losing the one shown.
#include "scripteddialogs.h"
#include "silsotesthelpers.h"
#include "testregistry.h"
#include "views/silso/silsochart.h"
#include "views/silso/silsowindow.h"
#include "widgettests.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &text) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    return file.fileName();
}

struct Fixture {
    Fixture() : store(QDate(2026, 12, 8)) {
        fillStore(store, ownRecords());
        store.setDataDirectory(dir.path());
    }
    QTemporaryDir dir;
    ObservationStore store;
    ScriptedDialogs dialogs;
};

} // namespace

class TestSilsoWindow : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeTopLevelWidgets(); }

    void chooseFile_data() {
        QTest::addColumn<QByteArray>("text"); // empty: the question is cancelled
        QTest::addColumn<QString>("message"); // empty: the file is taken
        QTest::newRow("the daily file") << silsoTotals() << "";
        QTest::newRow("cancelled") << QByteArray() << "";
        QTest::newRow("a broken line") << QByteArray("2001;01;02;2001.004; x; 1.0; 10;1\n")
                                       << "Soubor SN.csv, řádek 1: „x“ není číslo.";
        QTest::newRow("no common day")
            << QByteArray("1999;01;02;1999.004; 5; 1.0; 10;1\n")
            << "Soubor SN.csv nemá s pozorováními žádný společný den (pozorování 02.01.2001 – "
               "01.04.2001, soubor 02.01.1999 – 02.01.1999).";
    }
    void chooseFile() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        Fixture f;
        if (text.isEmpty())
            f.dialogs.fileAnswers.push_back(std::nullopt);
        else
            f.dialogs.fileAnswers.push_back(writeFile(f.dir, "SN.csv", text));
        const std::optional<SilsoFile> file = chooseSilsoFile(f.store, f.dialogs);
        // Asked in the data directory.
        QVERIFY(f.dialogs.shown.value(0).endsWith('|' + f.dir.path()));
        QCOMPARE(file.has_value(), !text.isEmpty() && message.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), message.isEmpty() ? 1 : 2);
        if (!message.isEmpty())
            QCOMPARE(f.dialogs.shown.value(1), message);
    }

    void followsTheStoreAndPrints() {
        Fixture f;
        SilsoWindow window(f.store, f.dialogs, *parseSilsoFile(silsoTotals(), "SN.csv").file);
        QCOMPARE(window.windowTitle(), "Srovnání s SILSO  SN.csv");
        QCOMPARE(window.comparison().all.days, 6);
        // A drawing of 1 March (file: 12) joins the comparison at once.
        f.store.appendRecord(recordWithR("01.03.2001", 4, 4));
        QCOMPARE(window.comparison().all.days, 7);
        QCOMPARE(window.comparison().months.size(), size_t(4));

        const QString pdf = f.dir.filePath("srovnani.pdf");
        f.dialogs.fileAnswers.push_back(pdf);
        window.action("tisksilso")->trigger();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(file.readAll());
        QCOMPARE(content.count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
        QVERIFY(content.contains("/MediaBox [0 0 842.000000 595.000000]")); // A4 landscape
    }

    void anotherBrokenFileKeepsTheShownOne() {
        Fixture f;
        SilsoWindow window(f.store, f.dialogs, *parseSilsoFile(silsoTotals(), "SN.csv").file);
        f.dialogs.fileAnswers.push_back(writeFile(f.dir, "jiny.csv", "nic\n"));
        window.action("souborsilso")->trigger();
        QVERIFY(f.dialogs.shown.last().startsWith("Soubor jiny.csv, řádek 1: počet polí 1;"));
        QCOMPARE(window.file().name, "SN.csv");
        QCOMPARE(window.comparison().all.days, 6);
        // A good one replaces it.
        f.dialogs.fileAnswers.push_back(writeFile(f.dir, "hem.csv", silsoHemispheres()));
        window.action("souborsilso")->trigger();
        QCOMPARE(window.file().kind, SilsoKind::Hemispheric);
        // The chart's title gives the hemispheres' k too.
        const SilsoChart chart = silsoChart(window.comparison(), QSizeF(800, 600));
        QStringList texts;
        for (const ChartLabel &label : chart.labels)
            texts << label.text;
        QVERIFY(texts.contains(
            "Srovnání s SILSO: hem.csv, 6 společných dní, k = 1.50, sever 1.50, jih 1.50"));
        QCOMPARE(window.windowTitle(), "Srovnání s SILSO  hem.csv");
    }
};

ORVANEK_REGISTER_TEST(TestSilsoWindow);
#include "tst_silsowindow.moc"
