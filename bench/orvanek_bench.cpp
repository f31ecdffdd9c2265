// Benchmarks of the data layer over generated data sets of 1 000, 10 000 and 100 000
// records: the first touch of fresh memory in ordinary and in huge pages, loading and
// saving data1.dat (next to a plain file copy for scale), sorting
// after an append, the ephemeris and the coordinate conversion, and the ASCII export.
// Each data set is generated once per size and kept for the whole run.

#include "bench/datagenerator.h"

#include "data/asciiexport.h"
#include "data/dates.h"
#include "data/hugepages.h"
#include "data/observationstore.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace orvanek;

constexpr uint32_t kSeed = 1996;
constexpr long long kMillionGroups = 1'000'000;
const QDate kToday(2026, 12, 8); // loadStore's working record; fixed so runs compare

const std::vector<ObservationRecord> &dataSet(int count) {
    static std::map<int, std::vector<ObservationRecord>> cache;
    auto found = cache.find(count);
    if (found == cache.end())
        found = cache.emplace(count, bench::generateRecords(count, kSeed)).first;
    return found->second;
}

// The first records of the generated series that hold a million groups.
const std::vector<ObservationRecord> &millionGroups() {
    static const std::vector<ObservationRecord> records = [] {
        int count = 150'000;
        std::vector<ObservationRecord> all = bench::generateRecords(count, kSeed);
        while (bench::countGroups(all) < kMillionGroups) {
            count *= 2;
            all = bench::generateRecords(count, kSeed);
        }
        return bench::takeGroups(all, kMillionGroups);
    }();
    return records;
}

QTemporaryDir &scratch() {
    static QTemporaryDir dir;
    return dir;
}

// A directory named `purpose`-count holding data1.dat of the data set `count`, written once.
QString dataDirectory(const char *purpose, int count) {
    static std::map<std::pair<std::string, int>, QString> made;
    const auto key = std::make_pair(std::string(purpose), count);
    auto found = made.find(key);
    if (found != made.end())
        return found->second;
    const QString dir = scratch().filePath(QStringLiteral("%1-%2").arg(purpose).arg(count));
    if (!bench::writeDataSet(dir, dataSet(count)))
        return {};
    return made.emplace(key, dir).first->second;
}

void setRecordCounters(benchmark::State &state, const std::vector<ObservationRecord> &records) {
    const auto count = static_cast<int64_t>(records.size());
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * count * kRecordSize);
    state.counters["records"] = static_cast<double>(count);
}

// --- load, save, and a plain copy of the same file ------------------------------------

// A fresh store per iteration, as at start-up; data1.dat is in the page cache (it was just
// written), so this is the memory-to-memory cost, as `cp` of a cached file is.
void BM_LoadStore(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    const QString dir = dataDirectory("load", count);
    for (auto _ : state) {
        ObservationStore store;
        const StoreStatus status = store.loadStore(dir, kToday);
        if (!status || store.recordCount() != count) {
            state.SkipWithError("loadStore failed");
            break;
        }
        benchmark::DoNotOptimize(store.records().data());
    }
    setRecordCounters(state, dataSet(count));
}

// Writes the same records again and again: a temporary file, the old file kept as
// data1.bak (hard link), rename over data1.dat.
void BM_SaveStore(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    ObservationStore store;
    if (!store.loadStore(dataDirectory("save", count), kToday)) {
        state.SkipWithError("loadStore failed");
        return;
    }
    store.applyDrawingSetup(store.record(1).drawingSetup); // as the main window does
    for (auto _ : state) {
        if (!store.saveStore()) {
            state.SkipWithError("saveStore failed");
            break;
        }
    }
    setRecordCounters(state, dataSet(count));
}

// Start-up and "Uložit data" in one: what has to stay within a few times a file copy.
void BM_LoadAndSave(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    const QString dir = dataDirectory("loadsave", count);
    for (auto _ : state) {
        ObservationStore store;
        if (!store.loadStore(dir, kToday)) {
            state.SkipWithError("loadStore failed");
            break;
        }
        store.applyDrawingSetup(store.record(1).drawingSetup);
        if (!store.saveStore()) {
            state.SkipWithError("saveStore failed");
            break;
        }
    }
    setRecordCounters(state, dataSet(count));
}

// QFile::copy onto a new name; removing the previous copy is not timed.
void BM_CopyFile_QFileCopy(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    const QString source = QDir(dataDirectory("load", count)).filePath(QStringLiteral("data1.dat"));
    const QString target = scratch().filePath(QStringLiteral("copy-%1.dat").arg(count));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        if (!QFile::copy(source, target)) {
            state.SkipWithError("QFile::copy failed");
            break;
        }
    }
    setRecordCounters(state, dataSet(count));
}

// The whole file read into memory and written over an existing file: the same work as
// load + save without any record handling. With fsync when `sync` is set, for comparison
// with a save that syncs.
void copyByReadWrite(benchmark::State &state, bool sync) {
    const int count = static_cast<int>(state.range(0));
    const QString source = QDir(dataDirectory("load", count)).filePath(QStringLiteral("data1.dat"));
    const QString target = scratch().filePath(QStringLiteral("readwrite-%1.dat").arg(count));
    for (auto _ : state) {
        QFile in(source);
        QFile out(target);
        if (!in.open(QIODevice::ReadOnly) ||
            !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            state.SkipWithError("open failed");
            break;
        }
        const QByteArray bytes = in.readAll();
        if (out.write(bytes) != bytes.size() || !out.flush()) {
            state.SkipWithError("write failed");
            break;
        }
        if (sync)
            ::fsync(out.handle());
    }
    setRecordCounters(state, dataSet(count));
}

void BM_CopyFile_ReadWrite(benchmark::State &state) {
    copyByReadWrite(state, false);
}
void BM_CopyFile_ReadWriteFsync(benchmark::State &state) {
    copyByReadWrite(state, true);
}

// --- the first touch of fresh memory ----------------------------------------------------

long minorPageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The records of 100 000 (131.4 MB) newly allocated and written once every 4096 bytes:
// from the heap (4 KiB pages, a page fault each) or as the records' blocks are (2 MiB huge
// pages where the kernel gives them). On a virtual machine a page fault costs so much that
// the first can take several times a copy of the file; pageFaults counts them.
void touchFreshMemory(benchmark::State &state, bool hugePages) {
    constexpr size_t kBytes = size_t{100000} * kRecordSize;
    long faults = 0;
    for (auto _ : state) {
        const long before = minorPageFaults();
        auto *block = static_cast<char *>(hugePages ? allocateBlock(kBytes) : std::malloc(kBytes));
        if (!block) {
            state.SkipWithError("no memory");
            break;
        }
        for (size_t i = 0; i < kBytes; i += 4096)
            block[i] = 1;
        benchmark::DoNotOptimize(block);
        if (hugePages)
            releaseBlock(block, kBytes);
        else
            std::free(block);
        faults += minorPageFaults() - before;
    }
    state.counters["pageFaults"] =
        benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kBytes));
}

void BM_TouchFreshMemory_Heap(benchmark::State &state) {
    touchFreshMemory(state, false);
}
void BM_TouchFreshMemory_HugePages(benchmark::State &state) {
    touchFreshMemory(state, true);
}

// --- sortByDate after one appended record -----------------------------------------------

enum class NewDate { AfterLast, WithinLastMonth, BeforeAll };

// The store holds the sorted data set plus one appended record. Only sortByDate is timed:
// putting the record back at the end between the iterations runs with the clock paused.
// sortByDate reads every date (the keys) before it moves anything, so even the usual case
// is linear in the records.
void sortAfterAppend(benchmark::State &state, NewDate when) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<ObservationRecord> &records = dataSet(count);
    ObservationStore store(kToday);
    if (!store.appendRecords(records)) {
        state.SkipWithError("appendRecords failed");
        return;
    }

    ObservationRecord added = records.back();
    QDate date = toQDate(*store.dateOf(added));
    switch (when) {
    case NewDate::AfterLast:
        date = date.addDays(1);
        break;
    case NewDate::WithinLastMonth:
        date = date.addDays(-20);
        break;
    case NewDate::BeforeAll:
        date = QDate(1995, 12, 31);
        break;
    }
    writeText(added.dateText, shortDate(toCalendarDate(date)));
    store.appendRecord(added);

    // The place the record sorts into, found once.
    if (!store.sortByDate()) {
        state.SkipWithError("sortByDate failed");
        return;
    }
    const RecordVector &held = store.records();
    size_t place = held.size();
    while (place-- > 0)
        if (std::memcmp(&held[place], &added, sizeof added) == 0)
            break;
    const auto moved = static_cast<int64_t>(held.size() - 1 - place);

    for (auto _ : state) {
        state.PauseTiming();
        store.removeRecord(static_cast<int>(place) + 1);
        store.appendRecord(added);
        state.ResumeTiming();
        if (!store.sortByDate()) {
            state.SkipWithError("sortByDate failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(held.size()));
    state.counters["records"] = static_cast<double>(held.size());
    state.counters["movedBack"] = static_cast<double>(moved);
}

void BM_SortByDate_AppendAfterLast(benchmark::State &state) {
    sortAfterAppend(state, NewDate::AfterLast);
}
void BM_SortByDate_AppendWithinLastMonth(benchmark::State &state) {
    sortAfterAppend(state, NewDate::WithinLastMonth);
}
void BM_SortByDate_AppendBeforeAll(benchmark::State &state) {
    sortAfterAppend(state, NewDate::BeforeAll);
}

// An import of 1 000 older observations, in their own date order, into the data set: one
// step down in the dates but a thousand records to put in place.
void BM_ImportOlderBatch(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<ObservationRecord> &records = dataSet(count);
    std::vector<ObservationRecord> batch(records.begin(),
                                         records.begin() + std::min<ptrdiff_t>(1000, count));
    for (ObservationRecord &r : batch) {
        const QString date = readText(r.dateText);
        writeText(r.dateText, date.left(6) + QString::number(date.mid(6).toInt() - 100));
    }
    std::optional<ObservationStore> store;
    for (auto _ : state) {
        state.PauseTiming();
        store.reset(); // the last one goes with the clock paused
        store.emplace(kToday);
        if (!store->appendRecords(records)) {
            state.SkipWithError("appendRecords failed");
            break;
        }
        state.ResumeTiming();
        if (!store->appendRecords(batch)) {
            state.SkipWithError("the batch did not store");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * (count + std::ssize(batch)));
}

// --- ephemeris and conversion ------------------------------------------------------------

// Dates and times of the 10 000-record set, taken in turn so no call sees a constant.
struct Moment {
    CalendarDate date;
    uint16_t timeUT;
};

const std::vector<Moment> &moments() {
    static const std::vector<Moment> list = [] {
        std::vector<Moment> out;
        for (const ObservationRecord &record : dataSet(10000))
            out.push_back({*recordDate(record, kToday.year()), record.timeUT});
        return out;
    }();
    return list;
}

void BM_SolarEphemeris(benchmark::State &state) {
    const std::vector<Moment> &list = moments();
    size_t i = 0;
    for (auto _ : state) {
        const Moment &m = list[i];
        benchmark::DoNotOptimize(solarEphemeris(m.date, m.timeUT));
        if (++i == list.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

struct GroupPlace {
    Ephemeris ephemeris;
    double distance;
    double angle;
};

void BM_PolarToHeliographic(benchmark::State &state) {
    static const std::vector<GroupPlace> places = [] {
        std::vector<GroupPlace> out;
        for (const ObservationRecord &record : dataSet(10000)) {
            const Ephemeris e = solarEphemeris(*recordDate(record, kToday.year()), record.timeUT);
            for (int g = 1; g <= record.usedGroups(); ++g)
                out.push_back({e, static_cast<double>(record.group(g).distance),
                               static_cast<double>(record.group(g).angle)});
        }
        return out;
    }();
    size_t i = 0;
    for (auto _ : state) {
        const GroupPlace &p = places[i];
        benchmark::DoNotOptimize(polarToHeliographic(p.ephemeris, p.distance, p.angle));
        if (++i == places.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// What every view that places groups does: the date read, one ephemeris per record and
// one conversion per group. Items are groups.
void BM_EphemerisAndConversionPerGroup(benchmark::State &state) {
    const std::vector<ObservationRecord> &records = dataSet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        for (const ObservationRecord &record : records) {
            const auto date = recordDate(record, kToday.year());
            if (!date)
                continue;
            const Ephemeris e = solarEphemeris(*date, record.timeUT);
            for (int g = 1; g <= record.usedGroups(); ++g) {
                const SunspotGroup &group = record.group(g);
                const HeliographicPosition h = polarToHeliographic(e, group.distance, group.angle);
                sum += h.helioLatitude + h.helioLongitude;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    const long long groups = bench::countGroups(records);
    state.SetItemsProcessed(state.iterations() * groups);
    state.counters["records"] = static_cast<double>(records.size());
    state.counters["groups"] = static_cast<double>(groups);
}

// --- ASCII export ------------------------------------------------------------------------

// Items are group lines.
void exportRecords(benchmark::State &state, std::vector<ObservationRecord> records) {
    int lines = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const AsciiExportResult result = buildAsciiExport(records, kToday.year());
        if (!result.ok) {
            state.SkipWithError("buildAsciiExport failed");
            break;
        }
        lines = result.groupLines;
        bytes = result.content.size();
        benchmark::DoNotOptimize(result.content.constData());
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["records"] = static_cast<double>(records.size());
    state.counters["groups"] = lines;
}

void BM_AsciiExport(benchmark::State &state) {
    exportRecords(state, dataSet(static_cast<int>(state.range(0))));
}

void BM_AsciiExport_MillionGroups(benchmark::State &state) {
    exportRecords(state, millionGroups());
}

#define ORVANEK_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_TouchFreshMemory_Heap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TouchFreshMemory_HugePages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStore) ORVANEK_SIZES;
BENCHMARK(BM_SaveStore) ORVANEK_SIZES;
BENCHMARK(BM_LoadAndSave) ORVANEK_SIZES;
BENCHMARK(BM_CopyFile_QFileCopy) ORVANEK_SIZES;
BENCHMARK(BM_CopyFile_ReadWrite) ORVANEK_SIZES;
BENCHMARK(BM_CopyFile_ReadWriteFsync) ORVANEK_SIZES;
BENCHMARK(BM_SortByDate_AppendAfterLast) ORVANEK_SIZES;
BENCHMARK(BM_SortByDate_AppendWithinLastMonth) ORVANEK_SIZES;
BENCHMARK(BM_SortByDate_AppendBeforeAll) ORVANEK_SIZES;
BENCHMARK(BM_ImportOlderBatch) ORVANEK_SIZES;
BENCHMARK(BM_SolarEphemeris);
BENCHMARK(BM_PolarToHeliographic);
BENCHMARK(BM_EphemerisAndConversionPerGroup) ORVANEK_SIZES;
BENCHMARK(BM_AsciiExport) ORVANEK_SIZES;
BENCHMARK(BM_AsciiExport_MillionGroups)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
