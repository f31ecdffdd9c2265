// The input is a data1.dat. It goes through what the program does with a file it is given:
// loadStore, sortByDate, the ASCII export and saveStore, and each step is checked against
// what it promises (records as in the file, a stable sort or none, one export line per
// group, the file written back byte for byte).

#include "fuzz/fuzzfiles.h"

#include "data/asciiexport.h"
#include "data/observationstore.h"
#include "solar/calendar.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

using namespace orvanek;

namespace {

const QDate kToday(2026, 12, 8);

bool sameBytes(const ObservationRecord &a, const ObservationRecord &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void checkLoad(const ObservationStore &store, const uint8_t *data, size_t size) {
    const size_t whole = size / kRecordSize;
    FUZZ_CHECK(store.trailingBytes() == static_cast<qint64>(size % kRecordSize));
    if (whole == 0) {
        // A new data set: one record carrying today's date.
        FUZZ_CHECK(store.recordCount() == 1);
        FUZZ_CHECK(readText(store.record(1).dateText) == QStringLiteral("08.12.2026"));
        return;
    }
    FUZZ_CHECK(store.recordCount() == static_cast<int>(whole));
    for (size_t i = 0; i < whole; ++i) {
        ObservationRecord expected;
        std::memcpy(&expected, data + i * kRecordSize, sizeof expected);
        normaliseSpecialMark(expected);
        FUZZ_CHECK(sameBytes(store.records()[i], expected));
    }
    FUZZ_CHECK(store.currentIndex() == store.recordCount() - 1);
    FUZZ_CHECK(sameBytes(store.currentRecord(), store.records().back()));
}

void checkSort(ObservationStore &store) {
    const RecordVector before = store.records();
    std::vector<std::optional<CalendarDate>> dates;
    bool allDates = true;
    for (const ObservationRecord &record : before) {
        dates.push_back(recordDate(record, kToday.year()));
        allDates = allDates && dates.back().has_value();
    }

    const StoreStatus status = store.sortByDate();
    const RecordVector &after = store.records();
    FUZZ_CHECK(after.size() == before.size());

    std::vector<size_t> order(before.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (before.size() > 2 && allDates) {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return serialDay(*dates[a]) < serialDay(*dates[b]);
        });
    }
    // Unsortable (an unreadable date) or too short to sort: nothing moves.
    FUZZ_CHECK(status.ok == (allDates || before.size() <= 2));
    for (size_t i = 0; i < order.size(); ++i)
        FUZZ_CHECK(sameBytes(after[i], before[order[i]]));
}

void checkExport(std::span<const ObservationRecord> records) {
    const AsciiExportResult result = buildAsciiExport(records, kToday.year());
    long long groups = 0;
    bool unreadable = false;
    for (const ObservationRecord &record : records) {
        groups += record.usedGroups();
        unreadable = unreadable || (record.usedGroups() > 0 && !recordDate(record, kToday.year()));
    }
    FUZZ_CHECK(result.ok == !unreadable);
    if (!result.ok) {
        FUZZ_CHECK(result.content.isEmpty());
        FUZZ_CHECK(!result.message.isEmpty());
        return;
    }
    FUZZ_CHECK(result.groupLines == groups);
    // A header line and one line per group, each at most 100 characters before CR LF. A
    // damaged class text may hold a line feed of its own; it is written as it stands.
    qsizetype feedsInTypes = 0;
    for (const ObservationRecord &record : records)
        for (int g = 1; g <= record.usedGroups(); ++g) {
            const auto &type = record.group(g).type;
            feedsInTypes += std::count(type.chars, type.chars + type.usedLength(), '\n');
        }
    FUZZ_CHECK(result.content.count('\n') == groups + 1 + feedsInTypes);
    FUZZ_CHECK(result.content.endsWith("\r\n"));
    if (feedsInTypes == 0) {
        const QList<QByteArray> lines = result.content.split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            FUZZ_CHECK(lines[i].endsWith('\r'));
            FUZZ_CHECK(lines[i].size() <= 101);
        }
    }
}

// `setup` is what record 1 held when the file was loaded; after sorting, another record may
// be first, and the setup goes into that one.
void checkSave(ObservationStore &store, const QString &dataPath, uint16_t setup) {
    const StoreStatus status = store.saveStore();
    FUZZ_CHECK(status.ok);
    FUZZ_CHECK(store.record(1).drawingSetup == setup);
    QFile file(dataPath);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    const auto &records = store.records();
    FUZZ_CHECK(saved.size() == static_cast<qsizetype>(records.size()) * kRecordSize);
    FUZZ_CHECK(std::memcmp(saved.constData(), records.data(), static_cast<size_t>(saved.size())) ==
               0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTemporaryDir &dir = fuzzWorkDirectory();
    // Each input starts in a directory of its own data1.dat alone: what an earlier input set
    // aside or backed up would otherwise grow with every run.
    QFile::remove(dir.filePath(ObservationStore::removedFileName()));
    QFile::remove(dir.filePath(ObservationStore::backupFileName()));
    const QString dataPath = writeInputFile(ObservationStore::dataFileName(), data, size);

    ObservationStore store;
    FUZZ_CHECK(store.loadStore(dir.path(), kToday).ok);
    checkLoad(store, data, size);
    const uint16_t setup = store.record(1).drawingSetup;
    store.applyDrawingSetup(setup); // as the main window does on start
    FUZZ_CHECK(store.drawingSetupValue() == setup);
    checkSort(store);
    checkExport(store.records());
    checkSave(store, dataPath, setup);
    return 0;
}
