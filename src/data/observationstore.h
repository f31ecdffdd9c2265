#pragma once

#include "data/hugepages.h"
#include "data/instrumentfile.h"
#include "data/observationrecord.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace orvanek {

// What a store operation reports: ok, or a message for the user.
struct StoreStatus {
    bool ok = true;
    QString message;
    explicit operator bool() const { return ok; }
    static StoreStatus failure(const QString &text) { return {false, text}; }
};

inline constexpr int kObserverSlots = 30;

// The records of a data set, in huge pages when they are many. Records added by resize are
// not zeroed: they are for a file's bytes to be read into.
using RecordVector = std::vector<ObservationRecord, HugePageAllocator<ObservationRecord>>;

inline constexpr int kButterflyBlockSize = 25000;

// The positions that put records with the keys `keys` in ascending order, equal keys in
// the order they came (a stable sort reached through an index, so records move only once).
std::vector<uint32_t> stableOrder(const std::vector<int32_t> &keys);

// The one in-memory copy of data1.dat with the state the windows share. Created once by
// the program and handed by reference to whoever needs it. Everything that changes it goes
// through its methods, which keep the current record, its index and the modified flag in
// step and say what changed by signals; whoever only shows data holds it as const.
class ObservationStore : public QObject {
    Q_OBJECT

  public:
    // `today` is the date a new data set's first record carries and the year two-digit
    // years are read around; the program passes the clock's date, tests a fixed one.
    explicit ObservationStore(const QDate &today = QDate::currentDate(), QObject *parent = nullptr);

    static QString dataFileName() { return QStringLiteral("data1.dat"); }
    static QString backupFileName() { return QStringLiteral("data1.bak"); }
    static QString removedFileName() { return QStringLiteral("data1.removed"); }

    // Loads the data directory: Motfakul.dat, pristroj.dat, data1.dat, special marks,
    // observer names, the drawing setup of record 1, the last record current. Without
    // data1.dat (or with one shorter than a record) the store starts with one placeholder
    // record carrying only today's date.
    StoreStatus loadStore(const QString &dataDir);
    // The same on another day: `today` replaces the one the store was made with.
    StoreStatus loadStore(const QString &dataDir, const QDate &today) {
        today_ = today;
        pivotYear_ = today.year();
        return loadStore(dataDir);
    }

    // Writes the drawing setup into record 1 and every record to data1.dat. The file is
    // replaced whole or not at all; the previous one is kept as data1.bak.
    StoreStatus saveStore();

    // On close: the setup always goes into record 1; the file is written only when modified.
    StoreStatus closeStore();

    // --- Reading --------------------------------------------------------------------------

    int recordCount() const { return static_cast<int>(records_.size()); }
    // Record by its 1-based number.
    const ObservationRecord &record(int number) const {
        return records_[static_cast<size_t>(number - 1)];
    }
    const RecordVector &records() const { return records_; }
    // The day number (serialDay) of every record's date, kept with the records, so that
    // sorting, date ranges and statistics need not read 100 000 dates again.
    static constexpr int32_t kUnreadableDay = std::numeric_limits<int32_t>::min();
    const std::vector<int32_t> &dayNumbers() const { return days_; }
    // 0-based, as the date list counts lines; -1 when no record is current.
    int currentIndex() const { return currentIndex_; }
    // The working copy of the current record: what the drawing view shows and a
    // correction starts from.
    const ObservationRecord &currentRecord() const { return currentRecord_; }
    bool dataModified() const { return dataModified_; }
    const QString &dataDirectory() const { return dataDirectory_; }
    const QDate &today() const { return today_; }
    // The year two-digit years of dates are read around.
    int pivotYear() const { return pivotYear_; }
    // The record's date as this store reads dates.
    std::optional<CalendarDate> dateOf(const ObservationRecord &record) const {
        return recordDate(record, pivotYear());
    }
    const std::array<QString, kObserverSlots> &observerNames() const { return observerNames_; }
    double drawingRadius() const { return drawingRadius_; } // R, mm; 0 until known
    bool heliographicEntry() const { return heliographicEntry_; }
    bool hasDrawingSetup() const { return drawingRadius_ > 0; }
    // Drawing setup as record 1 stores it: R, plus 1000 for heliographic entry, 0 unset.
    uint16_t drawingSetupValue() const;
    const InstrumentLines &instrumentLines() const { return instrumentLines_; }
    const QByteArray &butterflyBlock() const { return butterflyBlock_; } // Motfakul.dat
    // Bytes at the end of data1.dat that make no whole record (kept only in data1.bak).
    qint64 trailingBytes() const { return trailingBytes_; }
    // True while record 1 is the placeholder a new data set starts with.
    bool holdsOnlyPlaceholder() const { return placeholder_ && records_.size() == 1; }

    // --- Changing -------------------------------------------------------------------------

    // A data set in a directory that cannot be written is only shown: saving says why it
    // cannot, with `reason`. A data1.dat the observer has made read-only is shown the same
    // way: loadStore finds it and gives the reason itself.
    void setReadOnly(const QString &reason) { readOnlyReason_ = reason; }
    bool readOnly() const { return !readOnlyReason().isEmpty(); }
    const QString &readOnlyReason() const {
        return readOnlyReason_.isEmpty() ? dataFileReadOnly_ : readOnlyReason_;
    }

    // Where saveStore writes, for a data set made in memory rather than loaded.
    void setDataDirectory(const QString &dir) { dataDirectory_ = dir; }
    // Takes R and the entry kind as chosen for a data set without a setup.
    void setDrawingSetup(double radius, bool heliographic);
    // Takes R and the entry kind from a drawingSetup value; false for 0 (not chosen yet).
    bool applyDrawingSetup(uint16_t value);
    void writeSetupIntoRecord1();
    void setInstrumentLines(const InstrumentLines &lines) { instrumentLines_ = lines; }

    // Makes record index + 1 current (0-based index, as the date list counts lines).
    void selectRecord(int index);
    // Shows another record in place of the current one without selecting it (the map while
    // a rotation is being chosen); selectRecord(currentIndex()) brings the current one back.
    void setWorkingRecord(const ObservationRecord &record);

    // Marks the data as changed (or saved), so that closing writes it (or not).
    void setModified(bool modified) { dataModified_ = modified; }

    // Stable sort by calendar date; a record appended after others of its date stays
    // behind them. Refuses, leaving the order unchanged, when any date cannot be read.
    StoreStatus sortByDate();

    // Stores a committed observation: over the current record when `overCurrent`, else
    // behind the last one, or in place of the placeholder a new data set starts with (the
    // drawing setup of record 1 kept). Sets the modified flag, puts the store in date order and
    // makes the first record of the stored record's date current. The record is stored in any case;
    // a failure only says the store could not be put in date order.
    StoreStatus storeRecord(const ObservationRecord &record, bool overCurrent);

    // Appends many records at once, all or nothing: refuses, storing nothing, when a record
    // already held has an unreadable date (the new ones must read). The placeholder of a
    // new data set gives way to them. Sorted by date once,
    // modified flag set, the last record current.
    StoreStatus appendRecords(std::vector<ObservationRecord> records);

    // Appends a record behind the last one as it is, without sorting, and marks the data
    // modified; the current record stays.
    void appendRecord(const ObservationRecord &record);

    // Removes record number (1-based); the records behind move down by one. The current
    // record stays the same record where it can, else the one now at its place.
    void removeRecord(int number);

    // What setAsideDamagedData took out of the data.
    struct DamagedData {
        int records = 0;          // records whose date cannot be read
        qint64 trailingBytes = 0; // bytes at the end of data1.dat that make no whole record
    };
    // What the last save put into data1.removed before it wrote data1.dat (the end of the
    // file read that makes no whole record), so that the one who saved can say so.
    const DamagedData &setAsideBySave() const { return setAsideBySave_; }
    // Takes out every record whose date cannot be read, in one pass, and the bytes at the end
    // of data1.dat that make no whole record. Their bytes are first appended to
    // data1.removed in the data directory, so nothing is lost, and bytes an earlier start
    // already put there are not appended again. When no record remains, the store starts as
    // it does without a data file. Fails, taking out nothing, when data1.removed cannot be
    // written.
    StoreStatus setAsideDamagedData(DamagedData *setAside);

    // Groups without a class get "***" (as the ASCII export shows them); the records change
    // in memory only, the modified flag stays as it is.
    void markUnclassifiedGroups();

    // Adds a name to the first empty slot of 1..limit; false when it is known or no slot is free.
    bool collectObserver(const QString &name, int limit = kObserverSlots - 1);
    // The observer of a committed record: collected into slots 1..29, or slot 30 when
    // those are full. Empty names are not kept.
    void learnObserver(const QString &name);

  signals:
    void recordsChanged();
    void currentRecordChanged(int index);

  private:
    StoreStatus writeDataFile();
    // A piece of data1.dat to set aside: its bytes and where in the file they stood.
    struct Piece {
        QByteArrayView bytes;
        qint64 offset = 0;
    };
    // Adds to data1.removed, as an entry of its own, each piece it does not hold yet (the
    // same bytes from the same place), and replaces the file in one step, synced to the disk.
    StoreStatus keepInRemoved(const std::vector<Piece> &pieces);
    // Sorts when the store holds at least `fewest` records: a data set of two records is
    // left as it is by sortByDate and the commit, as it always was.
    StoreStatus sortRecords(bool *moved = nullptr, size_t fewest = 3);
    int32_t dayKey(const ObservationRecord &record) const;
    // Marks, observers and day numbers of records first..end - 1, just read.
    void takeInRecords(size_t first, size_t end, const StoredText<30> *&lastObserver);
    void reserveFor(size_t more);
    void makeCurrent(int index);
    ObservationRecord placeholderRecord() const;

    RecordVector records_;
    std::vector<int32_t> days_; // dayNumbers(), one per record
    QString dataDirectory_;
    QDate today_;
    int pivotYear_ = 0; // today_.year(), asked for every date read
    int currentIndex_ = -1;
    ObservationRecord currentRecord_{};
    bool dataModified_ = false;
    bool placeholder_ = false;
    std::array<QString, kObserverSlots> observerNames_; // slot k is observerNames_[k - 1]
    double drawingRadius_ = 0;
    bool heliographicEntry_ = false;
    InstrumentLines instrumentLines_ = defaultInstrumentLines();
    QByteArray butterflyBlock_ = QByteArray(kButterflyBlockSize, '\0');
    qint64 trailingBytes_ = 0;
    QByteArray trailing_;       // those bytes, until they are set aside
    qint64 trailingOffset_ = 0; // where they began in data1.dat
    QString readOnlyReason_;
    QString dataFileReadOnly_; // why data1.dat may not be written, found by loadStore
    DamagedData setAsideBySave_;
};

// Reads data1.dat as it stands, without any repair, for checking; trailingBytes gets
// the bytes past the last whole record. The file is read a piece at a time; after each,
// `pieceRead` (when given) is called with the records it brought, first..end - 1, while
// they are still in the processor's cache.
StoreStatus readDataFile(const QString &path, RecordVector &records,
                         qint64 *trailingBytes = nullptr, size_t spareRecords = 0,
                         const std::function<void(size_t first, size_t end)> &pieceRead = {});

// True for a record that holds nothing but its date (and, as record 1, the drawing setup):
// the placeholder a new data set starts with, also after it was saved. It is no
// observation, so the maps, the certificate, the statistics and the observers table leave
// it out. A committed record always has a rotation, which no date after 1853 makes 0.
bool isPlaceholderRecord(const ObservationRecord &record);

// True when the special mark compares greater than "zvl" and so stands for the
// canonical mark; then it is rewritten as "zvlášťní".
bool normaliseSpecialMark(ObservationRecord &record);

} // namespace orvanek
