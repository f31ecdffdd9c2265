#include "bench/datagenerator.h"

#include "data/observationstore.h"
#include "data/units.h"
#include "entry/demodata.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>
#include <memory>

namespace orvanek::bench {

std::vector<ObservationRecord> generateRecords(int count, uint32_t seed) {
    if (count <= 0)
        return {};
    // The demo data set, typed through the entry dialog's own commit: about 290 drawings a
    // year, so a span of count / 250 years holds enough of them.
    DemoOptions options;
    options.seed = seed;
    options.fromYear = 1996;
    options.toYear = std::min(9999, options.fromYear + count / 250 + 1);
    ObservationStore store(QDate(2026, 12, 8));
    if (!makeDemoData(store, options))
        return {};
    store.writeSetupIntoRecord1(); // as a saved data set holds it
    const auto &all = store.records();
    return {all.begin(), all.begin() + std::min<ptrdiff_t>(count, std::ssize(all))};
}

const ObservationStore &generatedStore(int count) {
    static std::map<int, std::unique_ptr<ObservationStore>> stores;
    std::unique_ptr<ObservationStore> &store = stores[count];
    if (!store) {
        store = std::make_unique<ObservationStore>(QDate(2026, 12, 8));
        const std::vector<ObservationRecord> records = generateRecords(count, kSeed);
        for (const ObservationRecord &r : records)
            store->collectObserver(readText(r.observer));
        if (!store->appendRecords(records) || store->recordCount() != count)
            qFatal("%d records asked, %d made", count, store->recordCount());
        store->setDrawingSetup(kReferenceRadiusMm, false);
    }
    return *store;
}

std::vector<ObservationRecord> takeGroups(const std::vector<ObservationRecord> &records,
                                          long long groups) {
    long long sum = 0;
    size_t n = 0;
    while (n < records.size() && sum < groups)
        sum += records[n++].usedGroups();
    return {records.begin(), records.begin() + static_cast<ptrdiff_t>(n)};
}

long long countGroups(const std::vector<ObservationRecord> &records) {
    long long sum = 0;
    for (const ObservationRecord &record : records)
        sum += record.usedGroups();
    return sum;
}

bool writeDataSet(const QString &dir, const std::vector<ObservationRecord> &records) {
    if (!QDir().mkpath(dir))
        return false;
    QFile file(QDir(dir).filePath(ObservationStore::dataFileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 bytes = static_cast<qint64>(records.size()) * kRecordSize;
    return file.write(reinterpret_cast<const char *>(records.data()), bytes) == bytes;
}

} // namespace orvanek::bench
