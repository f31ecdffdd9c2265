// The observers table: drawings per observer and year, and the totals.
#include "reports/observerstable.h"
#include "reporttesthelpers.h"
#include "testregistry.h"

#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

void addObservers(ObservationStore &store, const QStringList &names) {
    for (const QString &name : names)
        store.collectObserver(name);
}

QString joined(const std::vector<QStringList> &rows) {
    QStringList lines;
    for (const QStringList &row : rows)
        lines << row.join(u';');
    return lines.join(u'\n');
}

} // namespace

class TestObservers : public QObject {
    Q_OBJECT

  private slots:
    // 1998 to 2001 with three observers: Eva draws in 1998, 1999 and 2001, Jan in 2000
    // only, Petr never; one drawing without a name and one by an unknown "eva" count in the
    // grand total only.
    void countsAndTotals() {
        ObservationStore store(kTestToday);
        addObservers(store, {"Eva", "Jan", "Petr"});
        fillStore(store,
                  {datedRecord("05.01.1998", 900, "Eva"), datedRecord("06.01.1998", 900, "Eva"),
                   datedRecord("07.01.1998", 900), datedRecord("01.06.1999", 900, "Eva"),
                   datedRecord("01.06.2000", 900, "Jan"), datedRecord("02.06.2000", 900, "eva"),
                   datedRecord("03.06.2000", 900, "Jan"), datedRecord("31.12.2001", 900, "Eva")});
        const ObserverTable t = buildObserverTable(store);
        QCOMPARE(t.yearCount(), 4);
        QCOMPARE(joined(observerTableCsvRows(t)),
                 QStringLiteral("observer;1998;1999;2000;2001;Suma\n"
                                "Eva;2;1;;1;4\n"
                                "Jan;;;2;;2\n"
                                "Petr;;;;;0\n"
                                "Suma;2;1;2;1;8"));
        QCOMPARE(t.observerTotals, (std::vector<int>{4, 2, 0}));
        QCOMPARE(t.yearTotals, (std::vector<int>{2, 1, 2, 1}));
    }

    void countText_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("emptyWhenZero");
        QTest::addColumn<QString>("text");
        QTest::newRow("year cell") << 3 << true << "    3";
        QTest::newRow("empty year cell") << 0 << true << "";
        QTest::newRow("total of none") << 0 << false << "    0";
    }
    void countText() {
        QFETCH(int, count);
        QFETCH(bool, emptyWhenZero);
        QFETCH(QString, text);
        QCOMPARE(observerCountText(count, emptyWhenZero), text);
    }

    // The table is sized to the data: 29 observers and 112 years all have their cells.
    void manyObserversAndYears() {
        ObservationStore store(kTestToday);
        QStringList names;
        for (int k = 1; k <= 29; ++k)
            names << QStringLiteral("Pozorovatel %1").arg(k);
        addObservers(store, names);
        fillStore(store, {datedRecord("01.01.1890", 900, names.first()),
                          datedRecord("01.01.2001", 900, names.last())});
        const ObserverTable t = buildObserverTable(store);
        QCOMPARE(static_cast<int>(t.observers.size()), 29);
        QCOMPARE(t.yearCount(), 112);
        QCOMPARE(t.counts[28][111], 1);
        QCOMPARE(t.yearTotals.front(), 1);
        QCOMPARE(observerTableCsvRows(t).back().size(), 114);
    }
};

ORVANEK_REGISTER_TEST(TestObservers);

#include "tst_observers.moc"
