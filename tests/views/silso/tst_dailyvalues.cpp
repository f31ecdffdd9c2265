// The daily values for networks: every ordinary record in date and time order, with the
// counts the drawing view shows (computed afresh from the groups, not the stored summary).
#include "data/dates.h"
#include "silsotesthelpers.h"
#include "testregistry.h"
#include "views/silso/dailyvalues.h"

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// Groups placed straight up and down the disk, half way out: north and south of the
// equator whenever B0 and P are small (early January: B0 -3, P 2).
ObservationRecord drawing(const QString &date, uint16_t time, int northSpots, int southSpots) {
    ObservationRecord r = datedRecord(date, time, QStringLiteral("Svobodová"));
    addGroup(r, 0, 625).spotCount = static_cast<uint8_t>(northSpots);
    addGroup(r, 1800, 625).spotCount = static_cast<uint8_t>(southSpots);
    r.seeingQuality = 3;
    r.summary.northR = 999; // stale: the view computes its own
    return r;
}

QString rowText(const DailyValues &v) {
    QStringList fields{shortDate(v.date), QString::number(v.timeUT), v.observer};
    // As `daily` prints them: g, f, R of the whole disk, then of the north, then the south.
    for (size_t part = 0; part < 3; ++part)
        fields << QString::number(v.groups[part]) << QString::number(v.spots[part])
               << QString::number(v.relative[part]);
    fields << QString::number(v.seeingQuality);
    return fields.join(';');
}

} // namespace

class TestDailyValues : public QObject {
    Q_OBJECT

  private slots:
    void rows_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("rows");
        // One north group and one south group: g 1 + 1, f the spots, R = 10 g + f.
        const QString early = "03.01.2001;700;Svobodová;2;8;28;1;5;15;1;3;13;3";
        const QString late = "03.01.2001;900;Svobodová;2;3;23;1;1;11;1;2;12;3";
        const QString fifth = "05.01.2001;1200;Svobodová;2;11;31;1;10;20;1;1;11;3";
        QTest::newRow("all") << ""
                             << "" << QStringList{early, late, fifth};
        QTest::newRow("from the 4th") << "04.01.2001"
                                      << "" << QStringList{fifth};
        QTest::newRow("up to the 3rd") << ""
                                       << "03.01.2001" << QStringList{early, late};
        QTest::newRow("none in range") << "06.01.2001"
                                       << "31.01.2001" << QStringList{};
    }
    void rows() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, rows);
        ObservationStore store(QDate(2026, 12, 8));
        // Stored out of time order on the 3rd, a special record and one whose date is gone.
        fillStore(store, {drawing("05.01.2001", 1200, 10, 1), drawing("03.01.2001", 900, 1, 2),
                          drawing("03.01.2001", 700, 5, 3), recordWithR("04.01.2001", 5, 5, true)});
        store.appendRecord(datedRecord("31.02.2001"));
        const DailyValuesResult result =
            dailyValues(store, parseDate(from, 2000), parseDate(to, 2000));
        QStringList texts;
        for (const DailyValues &v : result.rows)
            texts << rowText(v);
        QCOMPARE(texts, rows);
        QCOMPARE(result.unreadableDates, 1);
    }
};

ORVANEK_REGISTER_TEST(TestDailyValues);
#include "tst_dailyvalues.moc"
