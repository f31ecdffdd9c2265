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
        QCOMPARE(observerCountText(t.counts[0][0], true), QStringLiteral("    2"));
        QCOMPARE(observerCountText(t.counts[0][2], true), QString());
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
        QCOMPARE(t.counts[28][111], 1); // the 29th observer in 2001
        const auto rows = observerTableCsvRows(t);
        QCOMPARE(rows.size(), 31u);        // heading, 29 observers, totals
        QCOMPARE(rows.back().size(), 114); // "Suma", 112 years, grand total
    }
};

ORVANEK_REGISTER_TEST(TestObservers);

#include "tst_observers.moc"
