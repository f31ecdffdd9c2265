#include "data/observationstore.h"

#include "data/dates.h"
#include "data/safefile.h"
#include "data/setaside.h"
#include "solar/rounding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <numeric>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace orvanek {

namespace {

// Up to this many records out of place are moved one by one.
constexpr size_t kFewOutOfPlace = 16;
// Room kept beyond the records loaded, for the observations of a session.
constexpr size_t kSpareRecords = 256;
// The file is read in pieces that stay in the processor's cache until what is read from
// every record at start has been taken from them.
constexpr qint64 kReadPieceBytes = qint64{1} << 20;

QString fileError(const QString &name, const QFileDevice &file) {
    return fileProblemText(name, file);
}

// Keeps the current data1.dat as data1.bak. A hard link costs nothing and leaves the old
// bytes exactly as they were; where links are not possible the file is copied. The new
// name replaces the old backup in one step, so there is a data1.bak at every moment.
bool keepBackup(const QString &dataPath, const QString &backupPath, QString *error) {
    if (!QFile::exists(dataPath))
        return true;
    const QString temporary = backupPath + QStringLiteral(".new");
    QFile::remove(temporary);
    const QByteArray from = QFile::encodeName(dataPath);
    const QByteArray to = QFile::encodeName(temporary);
#ifdef Q_OS_UNIX
    bool made = ::link(from.constData(), to.constData()) == 0;
#else
    bool made = false;
#endif
    if (!made)
        made = QFile::copy(dataPath, temporary);
    if (made)
        made = std::rename(to.constData(), QFile::encodeName(backupPath).constData()) == 0;
    if (!made && error)
        *error = fileProblemText(backupPath, errno);
    return made;
}

} // namespace

ObservationStore::ObservationStore(const QDate &today, QObject *parent)
    : QObject(parent), today_(today), pivotYear_(today.year()) {
    std::memset(&currentRecord_, 0, sizeof currentRecord_);
}

std::vector<uint32_t> stableOrder(const std::vector<int32_t> &keys) {
    std::vector<uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    return order;
}

StoreStatus readDataFile(const QString &path, RecordVector &records, qint64 *trailingBytes,
                         size_t spareRecords,
                         const std::function<void(size_t first, size_t end)> &pieceRead) {
    records.clear();
    if (trailingBytes)
        *trailingBytes = 0;
    // Only a regular file no larger than the memory its records need: a pipe is not waited
    // on, a huge sparse file not allocated for.
    QFile file;
    if (const auto refused = openForReading(file, path, largestDataFileBytes()))
        return StoreStatus::failure(*refused);
    const qint64 size = file.size();
    const qint64 count = size / kRecordSize;
    if (trailingBytes)
        *trailingBytes = size % kRecordSize;
    if (count == 0)
        return {};
    // The file is read straight into the records' own memory, which resize leaves untouched
    // (see RecordVector): every page is touched once, by the file's bytes, and no second
    // image of the file is held beside them. Room for a few more is kept, so that a commit
    // does not move them all.
    records.reserve(static_cast<size_t>(count) + spareRecords);
    records.resize(static_cast<size_t>(count));
    char *const start = reinterpret_cast<char *>(records.data());
    const qint64 total = count * kRecordSize;
    size_t taken = 0; // records handed to pieceRead
    for (qint64 done = 0; done < total;) {
        const qint64 got = file.read(start + done, std::min(total - done, kReadPieceBytes));
        if (got <= 0) {
            // A file cut short while read (0) reads as one that failed.
            const QString problem = fileError(path, file);
            records.clear();
            return StoreStatus::failure(problem);
        }
        done += got;
        const auto whole = static_cast<size_t>(done / kRecordSize);
        if (pieceRead && whole > taken) {
            pieceRead(taken, whole);
            taken = whole;
        }
    }
    return {};
}

bool normaliseSpecialMark(ObservationRecord &record) {
    const StoredText<39> &mark = record.specialMark;
    if (mark.length == 0)
        return false;
    static constexpr unsigned char prefix[] = {'z', 'v', 'l'};
    const int length = mark.usedLength();
    const int common = std::min(length, 3);
    int order = std::memcmp(mark.chars, prefix, static_cast<size_t>(common));
    if (order == 0)
        order = length - 3;
    if (order <= 0)
        return false;
    writeText(record.specialMark, specialMarkText());
    return true;
}

bool isPlaceholderRecord(const ObservationRecord &record) {
    if (record.rotation != 0)
        return false; // the commit's mark, met first in every real record
    static const ObservationRecord zero = zeroRecord();
    const auto *bytes = reinterpret_cast<const unsigned char *>(&record);
    const auto *zeros = reinterpret_cast<const unsigned char *>(&zero);
    constexpr size_t afterDate = sizeof record.dateText;
    constexpr size_t setup = offsetof(ObservationRecord, drawingSetup);
    constexpr size_t afterSetup = setup + sizeof record.drawingSetup;
    return std::memcmp(bytes + afterDate, zeros + afterDate, setup - afterDate) == 0 &&
           std::memcmp(bytes + afterSetup, zeros + afterSetup, sizeof record - afterSetup) == 0;
}

ObservationRecord ObservationStore::placeholderRecord() const {
    ObservationRecord placeholder = zeroRecord();
    writeText(placeholder.dateText, shortDate(toCalendarDate(today_)).left(10));
    return placeholder;
}

int32_t ObservationStore::dayKey(const ObservationRecord &record) const {
    const auto date = dateOf(record);
    return date ? serialDay(*date) : kUnreadableDay;
}

void ObservationStore::takeInRecords(size_t first, size_t end,
                                     const StoredText<30> *&lastObserver) {
    // Observers draw day after day, so a name is decoded only where it changes.
    days_.reserve(records_.size());
    for (size_t i = first; i < end; ++i) {
        ObservationRecord &r = records_[i];
        normaliseSpecialMark(r);
        const StoredText<30> &observer = r.observer;
        if (!lastObserver || lastObserver->usedLength() != observer.usedLength() ||
            std::memcmp(lastObserver->chars, observer.chars,
                        static_cast<size_t>(observer.usedLength())) != 0) {
            collectObserver(readText(observer));
            lastObserver = &observer;
        }
        days_.push_back(dayKey(r));
    }
}

StoreStatus ObservationStore::loadStore(const QString &dataDir) {
    dataDirectory_ = dataDir;
    const QDir dir(dataDir);
    records_.clear();
    days_.clear();
    observerNames_ = {};
    trailingBytes_ = 0;
    trailing_.clear();
    dataModified_ = false;
    placeholder_ = false;
    drawingRadius_ = 0;
    heliographicEntry_ = false;
    currentIndex_ = -1;
    currentRecord_ = placeholderRecord();

    dataFileReadOnly_.clear();
    setAsideBySave_ = {};

    butterflyBlock_ = QByteArray(kButterflyBlockSize, '\0');
    const QString butterflyPath = dir.filePath(QStringLiteral("Motfakul.dat"));
    if (QFileInfo::exists(butterflyPath)) {
        QFile butterfly;
        // Only its first block is read, whatever its size.
        if (const auto refused =
                openForReading(butterfly, butterflyPath, std::numeric_limits<qint64>::max()))
            return StoreStatus::failure(*refused);
        const QByteArray block = butterfly.read(kButterflyBlockSize);
        std::memcpy(butterflyBlock_.data(), block.constData(), static_cast<size_t>(block.size()));
    }

    QString error;
    if (!readInstrumentFile(dataDir, instrumentLines_, &error))
        return StoreStatus::failure(error);

    // Marks, observers and day numbers are taken from each piece of the file as it is read.
    const StoredText<30> *lastObserver = nullptr;
    const auto takeIn = [this, &lastObserver](size_t first, size_t end) {
        takeInRecords(first, end, lastObserver);
    };
    const QString dataPath = dir.filePath(dataFileName());
    if (QFileInfo::exists(dataPath)) {
        StoreStatus status;
        try {
            status = readDataFile(dataPath, records_, &trailingBytes_, kSpareRecords, takeIn);
        } catch (const std::bad_alloc &) {
            records_ = {};
            status = StoreStatus::failure(fileProblemText(dataPath, ENOMEM));
        }
        if (!status) {
            days_.clear();
            observerNames_ = {};
            return status;
        }
        if (trailingBytes_ > 0) {
            QFile file;
            trailingOffset_ = recordCount() * qint64{kRecordSize};
            if (!openForReading(file, dataPath, largestDataFileBytes()) &&
                file.seek(trailingOffset_))
                trailing_ = file.read(trailingBytes_);
        }
        // A data1.dat the observer has made read-only is shown, not replaced.
        if (readOnlyFileMessage(dataPath))
            dataFileReadOnly_ = QCoreApplication::translate(
                                    "orvanek", "Soubor %1 je jen pro čtení, změny nelze uložit.")
                                    .arg(QDir::toNativeSeparators(dataPath));
    }
    if (records_.empty()) {
        records_.push_back(currentRecord_); // a new data set: one record with today's date
        placeholder_ = true;
        takeIn(0, 1);
    }
    applyDrawingSetup(records_.front().drawingSetup);

    currentIndex_ = recordCount() - 1;
    currentRecord_ = records_.back();
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
    return {};
}

bool ObservationStore::collectObserver(const QString &name, int limit) {
    if (std::find(observerNames_.begin(), observerNames_.end(), name) != observerNames_.end())
        return false;
    for (int slot = 0; slot < limit && slot < kObserverSlots; ++slot) {
        if (observerNames_[static_cast<size_t>(slot)].isEmpty()) {
            observerNames_[static_cast<size_t>(slot)] = name;
            return true;
        }
    }
    return false;
}

void ObservationStore::learnObserver(const QString &name) {
    if (name.isEmpty())
        return;
    if (std::find(observerNames_.begin(), observerNames_.end(), name) != observerNames_.end())
        return;
    if (!collectObserver(name, kObserverSlots - 1))
        observerNames_[kObserverSlots - 1] = name;
}

uint16_t ObservationStore::drawingSetupValue() const {
    return roundToWord(heliographicEntry_ ? drawingRadius_ + kHeliographicSetupOffset
                                          : drawingRadius_);
}

void ObservationStore::setDrawingSetup(double radius, bool heliographic) {
    drawingRadius_ = radius;
    heliographicEntry_ = heliographic;
}

bool ObservationStore::applyDrawingSetup(uint16_t value) {
    if (value == kNoSetup)
        return false;
    heliographicEntry_ = value > kHeliographicSetupOffset;
    drawingRadius_ = heliographicEntry_ ? value - kHeliographicSetupOffset : value;
    return true;
}

void ObservationStore::writeSetupIntoRecord1() {
    if (records_.empty())
        return;
    records_.front().drawingSetup = drawingSetupValue();
    if (currentIndex_ == 0)
        currentRecord_.drawingSetup = records_.front().drawingSetup;
}

StoreStatus ObservationStore::writeDataFile() {
    const QDir dir(dataDirectory_);
    const QString dataPath = dir.filePath(dataFileName());
    const QString backupPath = dir.filePath(backupFileName());
    for (const QString &path : {dataPath, backupPath, backupPath + QStringLiteral(".new")})
        if (const auto refused = unsafeTargetMessage(path))
            return StoreStatus::failure(*refused);
    // Made read-only while the program ran: not replaced either.
    if (const auto refused = readOnlyFileMessage(dataPath))
        return StoreStatus::failure(*refused);
    // Bytes at the end of the file read that make no whole record are not written back:
    // they go to data1.removed first, or nothing is saved.
    setAsideBySave_ = {};
    if (!trailing_.isEmpty()) {
        if (const StoreStatus kept = keepInRemoved({{trailing_, trailingOffset_}}); !kept)
            return kept;
        setAsideBySave_.trailingBytes = trailing_.size();
        trailing_.clear();
    }
    const qint64 bytes = static_cast<qint64>(records_.size()) * kRecordSize;
    // The backup is made once the new file is complete, just before it takes the name.
    const auto failed = replaceFile(dataPath, reinterpret_cast<const char *>(records_.data()),
                                    bytes, [&]() -> std::optional<QString> {
                                        QString error;
                                        if (!keepBackup(dataPath, backupPath, &error))
                                            return error;
                                        return std::nullopt;
                                    });
    if (failed)
        return StoreStatus::failure(*failed);
    return {};
}

StoreStatus ObservationStore::saveStore() {
    if (readOnly())
        return StoreStatus::failure(readOnlyReason());
    writeSetupIntoRecord1();
    return writeDataFile();
}

StoreStatus ObservationStore::closeStore() {
    if (readOnly())
        return dataModified_ ? StoreStatus::failure(readOnlyReason()) : StoreStatus{};
    writeSetupIntoRecord1();
    if (dataModified_)
        return writeDataFile();
    return {};
}

void ObservationStore::makeCurrent(int index) {
    currentIndex_ = index;
    if (index >= 0 && index < recordCount())
        currentRecord_ = records_[static_cast<size_t>(index)];
}

void ObservationStore::selectRecord(int index) {
    if (index < 0 || index >= recordCount())
        return;
    makeCurrent(index);
    emit currentRecordChanged(currentIndex_);
}

void ObservationStore::setWorkingRecord(const ObservationRecord &record) {
    currentRecord_ = record;
    emit currentRecordChanged(currentIndex_);
}

StoreStatus ObservationStore::sortRecords(bool *moved, size_t fewest) {
    if (moved)
        *moved = false;
    const size_t count = records_.size();
    if (count < fewest)
        return {};
    // Every date is known to read before anything moves, so an unreadable one leaves the
    // order alone.
    const auto unreadable = std::find(days_.begin(), days_.end(), kUnreadableDay);
    if (unreadable != days_.end()) {
        const auto i = static_cast<size_t>(unreadable - days_.begin());
        return StoreStatus::failure(unreadableDateText(i + 1, records_[i]));
    }
    // A stable sort by date: records of one date keep their order, so a record appended
    // after others of its date stays behind them. After one commit only one record is out
    // of place; it is moved in front of the first record of a later date (found by
    // halving) in one rotation. Many records out of place are sorted through an index.
    // The current index follows its record.
    // Out of place is every record dated before one in front of it: a batch of older
    // records appended in their own order is one step down but many records to move.
    size_t outOfPlace = 0;
    int32_t latest = days_[0];
    for (size_t i = 1; i < count && outOfPlace <= kFewOutOfPlace; ++i) {
        if (days_[i] < latest)
            ++outOfPlace;
        else
            latest = days_[i];
    }
    if (moved)
        *moved = outOfPlace > 0;
    if (outOfPlace > kFewOutOfPlace) {
        const std::vector<uint32_t> order = stableOrder(days_);
        RecordVector sorted;
        sorted.reserve(records_.capacity());
        std::vector<int32_t> sortedDays;
        sortedDays.reserve(count);
        for (size_t k = 0; k < count; ++k) {
            sorted.push_back(records_[order[k]]);
            sortedDays.push_back(days_[order[k]]);
            if (static_cast<int>(order[k]) == currentIndex_)
                currentIndex_ = static_cast<int>(k);
        }
        records_ = std::move(sorted);
        days_ = std::move(sortedDays);
    } else if (outOfPlace > 0) {
        for (size_t i = 1; i < count; ++i) {
            if (days_[i] >= days_[i - 1])
                continue;
            const auto j = static_cast<size_t>(
                std::upper_bound(days_.begin(), days_.begin() + static_cast<ptrdiff_t>(i),
                                 days_[i]) -
                days_.begin());
            std::rotate(days_.begin() + static_cast<ptrdiff_t>(j),
                        days_.begin() + static_cast<ptrdiff_t>(i),
                        days_.begin() + static_cast<ptrdiff_t>(i + 1));
            std::rotate(records_.begin() + static_cast<ptrdiff_t>(j),
                        records_.begin() + static_cast<ptrdiff_t>(i),
                        records_.begin() + static_cast<ptrdiff_t>(i + 1));
            const auto current = static_cast<size_t>(currentIndex_);
            if (currentIndex_ >= 0 && current == i)
                currentIndex_ = static_cast<int>(j);
            else if (currentIndex_ >= 0 && current >= j && current < i)
                ++currentIndex_;
        }
    }
    return {};
}

StoreStatus ObservationStore::sortByDate() {
    const int index = currentIndex_;
    bool moved = false;
    const StoreStatus status = sortRecords(&moved);
    if (moved)
        emit recordsChanged();
    if (currentIndex_ != index)
        emit currentRecordChanged(currentIndex_);
    return status;
}

StoreStatus ObservationStore::storeRecord(const ObservationRecord &record, bool overCurrent) {
    size_t stored;
    if (overCurrent) {
        if (currentIndex_ < 0 || currentIndex_ >= recordCount())
            return StoreStatus::failure(
                QCoreApplication::translate("Store", "Není vybrán žádný záznam k opravě"));
        stored = static_cast<size_t>(currentIndex_);
        records_[stored] = record;
        days_[stored] = dayKey(record);
    } else if (holdsOnlyPlaceholder()) {
        // The first observation of a new data set takes the placeholder's place, so that no
        // empty day is kept; record 1 keeps the drawing setup.
        const uint16_t setup = records_.front().drawingSetup;
        records_.front() = record;
        records_.front().drawingSetup = setup;
        days_.front() = dayKey(record);
        stored = 0;
    } else {
        reserveFor(1);
        records_.push_back(record);
        days_.push_back(dayKey(record));
        stored = records_.size() - 1;
    }
    placeholder_ = false;
    dataModified_ = true;
    currentIndex_ = static_cast<int>(stored);

    const StoreStatus sorted = sortRecords();
    if (sorted) {
        // The first record of the stored date becomes current (the earlier of two
        // drawings of one day).
        const auto same = [&record](const ObservationRecord &r) {
            return r.dateText.usedLength() == record.dateText.usedLength() &&
                   std::memcmp(r.dateText.chars, record.dateText.chars,
                               static_cast<size_t>(record.dateText.usedLength())) == 0;
        };
        const auto first = std::find_if(records_.begin(), records_.end(), same);
        if (first != records_.end())
            currentIndex_ = static_cast<int>(first - records_.begin());
    }
    // The working record is the current record itself, so a correction opened next edits
    // the record the list shows, whichever drawing of the day that is.
    makeCurrent(currentIndex_);
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
    return sorted;
}

StoreStatus ObservationStore::appendRecords(std::vector<ObservationRecord> added) {
    // As with one observation: the placeholder of a new data set gives way to the first
    // records stored.
    const bool replacesPlaceholder = holdsOnlyPlaceholder() && !added.empty();
    const size_t kept = replacesPlaceholder ? 0 : records_.size();
    // Every date is known to read before anything is stored.
    for (size_t i = 0; i < kept; ++i)
        if (days_[i] == kUnreadableDay)
            return StoreStatus::failure(unreadableDateText(i + 1, records_[i]));
    std::vector<int32_t> addedDays(added.size());
    for (size_t i = 0; i < added.size(); ++i) {
        addedDays[i] = dayKey(added[i]);
        if (addedDays[i] == kUnreadableDay)
            return StoreStatus::failure(unreadableDateText(kept + i + 1, added[i]));
    }

    if (replacesPlaceholder) {
        added.front().drawingSetup = records_.front().drawingSetup;
        records_.clear();
        days_.clear();
        placeholder_ = false;
    }
    reserveFor(added.size());
    records_.insert(records_.end(), added.begin(), added.end());
    days_.insert(days_.end(), addedDays.begin(), addedDays.end());
    added.clear();
    added.shrink_to_fit();

    // By date, records of one date in the order they came, as sortByDate puts them: a few
    // records out of place are moved in place, a batch of old notes in front of a long data
    // set is sorted through an index in n log n rather than moving it once for each. Two
    // records are put in order too.
    sortRecords(nullptr, 2);
    dataModified_ = true;
    makeCurrent(recordCount() - 1);
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
    return {};
}

void ObservationStore::reserveFor(size_t more) {
    // Grown with room to spare: one more record must not move a long data set each time.
    const size_t needed = records_.size() + more;
    if (needed > records_.capacity())
        records_.reserve(needed + needed / 8 + kSpareRecords);
}

void ObservationStore::appendRecord(const ObservationRecord &record) {
    reserveFor(1);
    records_.push_back(record);
    days_.push_back(dayKey(record));
    placeholder_ = false;
    dataModified_ = true;
    emit recordsChanged();
}

void ObservationStore::removeRecord(int number) {
    if (number < 1 || number > recordCount())
        return;
    records_.erase(records_.begin() + (number - 1));
    days_.erase(days_.begin() + (number - 1));
    if (records_.empty()) {
        records_.push_back(placeholderRecord());
        days_.push_back(dayKey(records_.back()));
        placeholder_ = true;
    }
    if (currentIndex_ > number - 1)
        --currentIndex_;
    makeCurrent(std::clamp(currentIndex_, 0, recordCount() - 1));
    dataModified_ = true;
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
}

StoreStatus ObservationStore::keepInRemoved(const std::vector<Piece> &pieces) {
    const QString path = QDir(dataDirectory_).filePath(removedFileName());
    if (const auto refused = unsafeTargetMessage(path))
        return StoreStatus::failure(*refused);
    if (const auto refused = readOnlyFileMessage(path))
        return StoreStatus::failure(*refused);
    QByteArray content;
    if (QFileInfo::exists(path)) {
        QFile old;
        if (const auto refused = openForReading(old, path, largestDataFileBytes()))
            return StoreStatus::failure(*refused);
        content = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return StoreStatus::failure(fileError(path, old));
    }
    // What an earlier start set aside but could not yet save away is not added again: an
    // entry of the same bytes from the same place vouches for one piece.
    std::vector<SetAsideEntry> earlier = readSetAsideEntries(content);
    const QString source = dataFileName();
    const QDateTime now = QDateTime::currentDateTime();
    const qsizetype before = content.size();
    for (const Piece &piece : pieces) {
        SetAsideEntry entry{source, piece.offset, now, piece.bytes.toByteArray()};
        const auto kept = std::find_if(earlier.begin(), earlier.end(), [&](const SetAsideEntry &e) {
            return e.sameBytesFrom(entry);
        });
        if (kept != earlier.end()) {
            earlier.erase(kept);
            continue;
        }
        content += setAsideEntryBytes(entry);
    }
    if (content.size() == before)
        return {};
    // Replaced whole rather than appended to: a second name of the file (a hard link to a
    // file elsewhere) keeps its bytes.
    if (const auto failed = replaceFile(path, content.constData(), content.size()))
        return StoreStatus::failure(*failed);
    return {};
}

StoreStatus ObservationStore::setAsideDamagedData(DamagedData *setAside) {
    *setAside = {};
    const auto unreadable =
        static_cast<size_t>(std::count(days_.begin(), days_.end(), kUnreadableDay));
    if (unreadable == 0 && trailing_.isEmpty())
        return {};

    std::vector<Piece> pieces;
    for (size_t i = 0; i < records_.size(); ++i)
        if (days_[i] == kUnreadableDay)
            pieces.push_back(
                {QByteArrayView(reinterpret_cast<const char *>(&records_[i]), kRecordSize),
                 static_cast<qint64>(i) * kRecordSize});
    if (!trailing_.isEmpty())
        pieces.push_back({trailing_, trailingOffset_});
    if (const StoreStatus kept = keepInRemoved(pieces); !kept)
        return kept;

    setAside->records = static_cast<int>(unreadable);
    setAside->trailingBytes = trailing_.size();
    trailing_.clear();
    dataModified_ = true;
    if (unreadable == 0)
        return {};
    // The readable records close up in place, their order kept.
    size_t kept = 0;
    for (size_t i = 0; i < records_.size(); ++i) {
        if (days_[i] == kUnreadableDay)
            continue;
        if (kept != i) {
            records_[kept] = records_[i];
            days_[kept] = days_[i];
        }
        ++kept;
    }
    records_.resize(kept);
    days_.resize(kept);
    if (records_.empty()) {
        records_.push_back(placeholderRecord());
        days_.push_back(dayKey(records_.back()));
        placeholder_ = true;
    }
    currentIndex_ = std::min(currentIndex_, recordCount() - 1);
    if (currentIndex_ < 0)
        currentIndex_ = recordCount() - 1;
    makeCurrent(currentIndex_);
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
    return {};
}

void ObservationStore::markUnclassifiedGroups() {
    bool changed = false;
    for (ObservationRecord &r : records_) {
        for (int g = 1; g <= r.usedGroups(); ++g) {
            StoredText<3> &type = r.group(g).type;
            if (type.length != 0)
                continue;
            type.length = static_cast<uint8_t>(kUnclassifiedType.size());
            std::memcpy(type.chars, kUnclassifiedType.data(), kUnclassifiedType.size());
            changed = true;
        }
    }
    if (!changed)
        return;
    makeCurrent(currentIndex_);
    emit recordsChanged();
    emit currentRecordChanged(currentIndex_);
}

} // namespace orvanek
