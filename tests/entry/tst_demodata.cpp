// The demo data set: typed through the entry commit, following the solar cycle.
#include "data/observationstore.h"
#include "entry/commit.h"
#include "entry/demodata.h"
#include "entrytesthelpers.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

class TestDemoData : public QObject {
    Q_OBJECT

  private slots:
    void sameSeedSameRecords() {
        ObservationStore a, b, c;
        QVERIFY(makeDemoData(a, {2000, 2000, 7}));
        QVERIFY(makeDemoData(b, {2000, 2000, 7}));
        QVERIFY(makeDemoData(c, {2000, 2000, 8}));
        QCOMPARE(recordsBytes(a.records()), recordsBytes(b.records()));
        QVERIFY(recordsBytes(a.records()) != recordsBytes(c.records()));
    }

    void everyRecordIsWhatTheDialogWouldStore() {
        // Each record shown in the dialog and confirmed untouched is stored unchanged: the
        // demo's records went through the same commit, with nothing the dialog can't show.
        ObservationStore store;
        QVERIFY(makeDemoData(store, {2001, 2001, 3}));
        QVERIFY(store.recordCount() > 250);
        const QByteArray before = recordsBytes(store.records());
        for (int index = 0; index < store.recordCount(); ++index) {
            store.selectRecord(index);
            const EntryForm form =
                entryFormFromRecord(store.currentRecord(), EntryMode::Correction, 125, false, 2026);
            const CommitResult result = commitEntry(store, form);
            QVERIFY2(result.ok, qPrintable(result.messages.value(0).text));
            QVERIFY(!result.dateChanged);
        }
        QCOMPARE(recordsBytes(store.records()), before);
    }

    void demoFollowsTheSolarCycle() {
        ObservationStore store;
        QVERIFY(makeDemoData(store, {1996, 2008, 1}));
        QCOMPARE(store.drawingRadius(), 125.0);
        QVERIFY(!store.heliographicEntry());
        QMap<int, double> groups, latitude;
        QMap<int, int> days, groupDays;
        int previous = 0;
        QSet<QString> observers;
        for (const ObservationRecord &r : store.records()) {
            const auto date = recordDate(r, 2026);
            QVERIFY(date);
            QVERIFY(serialDay(*date) >= previous); // in date order
            previous = serialDay(*date);
            const int year = date->curYear;
            ++days[year];
            groups[year] += r.usedGroups();
            const Ephemeris e = solarEphemeris(*date, r.timeUT);
            for (int i = 1; i <= r.usedGroups(); ++i) {
                latitude[year] += std::fabs(
                    polarToHeliographic(e, r.group(i).distance, r.group(i).angle).helioLatitude);
                ++groupDays[year];
            }
            observers << readText(r.observer);
        }
        // No placeholder: the first observation is from the first year.
        QCOMPARE(recordDate(store.record(1), 2026)->curYear, uint16_t(1996));
        QCOMPARE(days.firstKey(), 1996);
        QCOMPARE(days.lastKey(), 2008);
        // An observation on most days.
        for (int year = 1996; year <= 2008; ++year)
            QVERIFY2(days[year] > 250, qPrintable(QString::number(year)));
        auto mean = [&](int year) { return groups[year] / days[year]; };
        // The cycle rises from the 1996 minimum, peaks around 2000 and falls to 2008.
        QVERIFY(mean(2000) > 4 * mean(1996));
        QVERIFY(mean(2000) > 4 * mean(2007));
        QVERIFY(mean(1998) > mean(1996) && mean(2003) > mean(2006));
        // Spörer's law: the groups of the rising cycle lie far from the equator, those of
        // its end near it.
        QVERIFY(latitude[1997] / groupDays[1997] > latitude[2004] / groupDays[2004] + 5);
        QVERIFY(observers.size() >= 3);
    }
};

ORVANEK_REGISTER_TEST(TestDemoData);

#include "tst_demodata.moc"
