#pragma once

#include "data/instrumentfile.h"
#include "data/observationrecord.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
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
inline constexpr int kButterflyBlockSize = 25000;

// The one in-memory copy of data1.dat with the state the windows share. Created once by
// the program and handed by reference to whoever needs it; it says what changed by signals.
class ObservationStore : public QObject {
    Q_OBJECT

  public:
    explicit ObservationStore(QObject *parent = nullptr);

    static QString dataFileName() { return QStringLiteral("data1.dat"); }
    static QString backupFileName() { return QStringLiteral("data1.bak"); }

    // Loads the data directory: today's date into the working record, Motfakul.dat,
    // pristroj.dat, data1.dat, special marks, observer names, the last record current.
    // Without data1.dat (or with one shorter than a record) the store starts with one
    // placeholder record carrying only today's date.
    StoreStatus loadStore(const QString &dataDir, const QDate &today = QDate::currentDate());

    // Writes the drawing setup into record 1 and every record to data1.dat. The file is
    // replaced whole or not at all; the previous one is kept as data1.bak.
    StoreStatus saveStore();

    // On close: the setup always goes into record 1; the file is written only when modified.
    StoreStatus closeStore();

    // Makes record index + 1 current (0-based index, as the date list counts lines).
    void selectRecord(int index);

    // Stable sort by calendar date; a record appended after others of its date stays
    // behind them. Refuses, leaving the order unchanged, when any date cannot be read.
    StoreStatus sortByDate();

    // Drawing setup as record 1 stores it: R, plus 1000 for heliographic entry, 0 unset.
    uint16_t drawingSetupValue() const;
    // Takes R and the entry kind from a drawingSetup value; false for 0 (not chosen yet).
    bool applyDrawingSetup(uint16_t value);
    bool hasDrawingSetup() const { return drawingRadius > 0; }
    void writeSetupIntoRecord1();

    int recordCount() const { return static_cast<int>(records_.size()); }
    // Record by its 1-based number.
    ObservationRecord &record(int number) { return records_[static_cast<size_t>(number - 1)]; }
    const ObservationRecord &record(int number) const {
        return records_[static_cast<size_t>(number - 1)];
    }
    std::vector<ObservationRecord> &records() { return records_; }
    const std::vector<ObservationRecord> &records() const { return records_; }

    // Appends a record behind the last one; the array grows as needed.
    void appendRecord(const ObservationRecord &record);
    // Removes record number (1-based); the records behind move down by one.
    void removeRecord(int number);

    // Removes every record whose date cannot be read, in one pass. Each removed record's
    // 1314 bytes are first appended to data1.removed in the data directory, so nothing is
    // lost. When no record remains, the store starts as it does without a data file.
    // Returns how many were removed; fails (removing nothing) when data1.removed cannot be
    // written.
    StoreStatus removeUnreadableRecords(int *removed, const QDate &today = QDate::currentDate());
    static QString removedFileName() { return QStringLiteral("data1.removed"); }

    // Adds a name to the first empty slot of 1..limit; false when it is known or no slot is free.
    bool collectObserver(const QString &name, int limit = kObserverSlots - 1);

    // Announces changes made through records() directly.
    void notifyRecordsChanged() { emit recordsChanged(); }
    // Announces a new currentIndex or currentRecord set directly.
    void notifyCurrentChanged() { emit currentRecordChanged(currentIndex); }

    QString dataDirectory;
    int currentIndex = -1;
    ObservationRecord currentRecord{};
    bool dataModified = false;
    std::array<QString, kObserverSlots> observerNames; // slot k is observerNames[k - 1]
    double drawingRadius = 0;                          // R, mm; 0 until the setup is known
    bool heliographicEntry = false;
    InstrumentLines instrumentLines = defaultInstrumentLines();
    QByteArray butterflyBlock = QByteArray(kButterflyBlockSize, '\0'); // Motfakul.dat
    // Bytes at the end of data1.dat that make no whole record (kept only in data1.bak).
    qint64 trailingBytes = 0;

  signals:
    void recordsChanged();
    void currentRecordChanged(int index);

  private:
    StoreStatus writeDataFile();

    std::vector<ObservationRecord> records_;
};

// Reads data1.dat as it stands, without any repair, for checking; trailingBytes gets
// the bytes past the last whole record.
StoreStatus readDataFile(const QString &path, std::vector<ObservationRecord> &records,
                         qint64 *trailingBytes = nullptr);

// True when the special mark compares greater than "zvl" and so stands for the
// canonical mark; then it is rewritten as "zvlášťní".
bool normaliseSpecialMark(ObservationRecord &record);

} // namespace orvanek
