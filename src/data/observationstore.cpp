#include "data/observationstore.h"

#include "data/dates.h"
#include "solar/rounding.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace orvanek {

namespace {

// Up to this many records out of order are moved one by one.
constexpr size_t kFewDescents = 16;

QString fileError(const QString &name, const QFileDevice &file) {
    return name + QStringLiteral(": ") + file.errorString();
}

// Keeps the current data1.dat as data1.bak. A hard link costs nothing and leaves the old
// bytes exactly as they were; where links are not possible the file is copied.
bool keepBackup(const QString &dataPath, const QString &backupPath, QString *error) {
    if (!QFile::exists(dataPath))
        return true;
    const QString temporary = backupPath + QStringLiteral(".new");
    QFile::remove(temporary);
#ifdef Q_OS_UNIX
    const QByteArray from = QFile::encodeName(dataPath);
    const QByteArray to = QFile::encodeName(temporary);
    bool made = ::link(from.constData(), to.constData()) == 0;
#else
    bool made = false;
#endif
    if (!made)
        made = QFile::copy(dataPath, temporary);
    if (made) {
        QFile::remove(backupPath);
        made = QFile::rename(temporary, backupPath);
    }
    if (!made && error)
        *error = QStringLiteral("Nelze uložit zálohu %1").arg(backupPath);
    return made;
}

} // namespace

ObservationStore::ObservationStore(QObject *parent) : QObject(parent) {
    std::memset(&currentRecord, 0, sizeof currentRecord);
}

StoreStatus readDataFile(const QString &path, std::vector<ObservationRecord> &records,
                         qint64 *trailingBytes) {
    records.clear();
    if (trailingBytes)
        *trailingBytes = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return StoreStatus::failure(fileError(path, file));
    const qint64 size = file.size();
    const qint64 count = size / kRecordSize;
    if (trailingBytes)
        *trailingBytes = size % kRecordSize;
    records.resize(static_cast<size_t>(count));
    const qint64 bytes = count * kRecordSize;
    if (bytes > 0 && file.read(reinterpret_cast<char *>(records.data()), bytes) != bytes) {
        records.clear();
        return StoreStatus::failure(fileError(path, file));
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

StoreStatus ObservationStore::loadStore(const QString &dataDir, const QDate &today) {
    dataDirectory = dataDir;
    const QDir dir(dataDir);
    records_.clear();
    observerNames = {};
    trailingBytes = 0;
    dataModified = false;

    std::memset(&currentRecord, 0, sizeof currentRecord);
    writeText(currentRecord.dateText, shortDate(toCalendarDate(today)).left(10));

    butterflyBlock = QByteArray(kButterflyBlockSize, '\0');
    QFile butterfly(dir.filePath(QStringLiteral("Motfakul.dat")));
    if (butterfly.exists()) {
        if (!butterfly.open(QIODevice::ReadOnly))
            return StoreStatus::failure(fileError(butterfly.fileName(), butterfly));
        const QByteArray block = butterfly.read(kButterflyBlockSize);
        std::memcpy(butterflyBlock.data(), block.constData(), static_cast<size_t>(block.size()));
    }

    QString error;
    if (!readInstrumentFile(dataDir, instrumentLines, &error))
        return StoreStatus::failure(error);

    const QString dataPath = dir.filePath(dataFileName());
    if (QFile::exists(dataPath)) {
        StoreStatus status = readDataFile(dataPath, records_, &trailingBytes);
        if (!status)
            return status;
    }
    if (records_.empty())
        records_.push_back(currentRecord); // a new data set: one record with today's date

    for (ObservationRecord &r : records_) {
        normaliseSpecialMark(r);
        collectObserver(readText(r.observer));
    }

    currentIndex = recordCount() - 1;
    currentRecord = records_.back();
    emit recordsChanged();
    emit currentRecordChanged(currentIndex);
    return {};
}

bool ObservationStore::collectObserver(const QString &name, int limit) {
    if (std::find(observerNames.begin(), observerNames.end(), name) != observerNames.end())
        return false;
    for (int slot = 0; slot < limit && slot < kObserverSlots; ++slot) {
        if (observerNames[static_cast<size_t>(slot)].isEmpty()) {
            observerNames[static_cast<size_t>(slot)] = name;
            return true;
        }
    }
    return false;
}

uint16_t ObservationStore::drawingSetupValue() const {
    return roundToWord(heliographicEntry ? drawingRadius + 1000 : drawingRadius);
}

bool ObservationStore::applyDrawingSetup(uint16_t value) {
    if (value == kNoSetup)
        return false;
    heliographicEntry = value > 1000;
    drawingRadius = heliographicEntry ? value - 1000 : value;
    return true;
}

void ObservationStore::writeSetupIntoRecord1() {
    if (!records_.empty())
        records_.front().drawingSetup = drawingSetupValue();
}

StoreStatus ObservationStore::writeDataFile() {
    const QDir dir(dataDirectory);
    const QString dataPath = dir.filePath(dataFileName());
    QSaveFile file(dataPath);
    if (!file.open(QIODevice::WriteOnly))
        return StoreStatus::failure(fileError(dataPath, file));
    const qint64 bytes = static_cast<qint64>(records_.size()) * kRecordSize;
    if (file.write(reinterpret_cast<const char *>(records_.data()), bytes) != bytes) {
        file.cancelWriting();
        return StoreStatus::failure(fileError(dataPath, file));
    }
    QString error;
    if (!keepBackup(dataPath, dir.filePath(backupFileName()), &error)) {
        file.cancelWriting();
        return StoreStatus::failure(error);
    }
    if (!file.commit())
        return StoreStatus::failure(fileError(dataPath, file));
    return {};
}

StoreStatus ObservationStore::saveStore() {
    writeSetupIntoRecord1();
    return writeDataFile();
}

StoreStatus ObservationStore::closeStore() {
    writeSetupIntoRecord1();
    if (dataModified)
        return writeDataFile();
    return {};
}

void ObservationStore::selectRecord(int index) {
    if (index < 0 || index >= recordCount())
        return;
    currentIndex = index;
    currentRecord = records_[static_cast<size_t>(index)];
    emit currentRecordChanged(currentIndex);
}

StoreStatus ObservationStore::sortByDate() {
    const size_t count = records_.size();
    if (count <= 2)
        return {};
    // Every date is read before anything moves, so an unreadable one leaves the order alone.
    std::vector<int32_t> keys(count);
    for (size_t i = 0; i < count; ++i) {
        const auto date = recordDate(records_[i]);
        if (!date)
            return StoreStatus::failure(QStringLiteral("Záznam %1: „%2“ není platné datum")
                                            .arg(i + 1)
                                            .arg(readText(records_[i].dateText)));
        keys[i] = serialDay(*date);
    }
    // A stable sort by date: records of one date keep their order, so a record appended
    // after others of its date stays behind them. After one commit only one record is out
    // of place; it is moved in front of the first record of a later date (found by
    // halving) in one rotation. Many records out of place are sorted through an index.
    size_t descents = 0;
    for (size_t i = 1; i < count && descents <= kFewDescents; ++i)
        descents += keys[i] < keys[i - 1] ? 1 : 0;
    bool moved = descents > 0;
    if (descents > kFewDescents) {
        std::vector<uint32_t> order(count);
        for (size_t i = 0; i < count; ++i)
            order[i] = static_cast<uint32_t>(i);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        std::vector<ObservationRecord> sorted;
        sorted.reserve(count);
        for (const uint32_t i : order)
            sorted.push_back(records_[i]);
        records_ = std::move(sorted);
    } else if (moved) {
        for (size_t i = 1; i < count; ++i) {
            if (keys[i] >= keys[i - 1])
                continue;
            const auto j = static_cast<size_t>(
                std::upper_bound(keys.begin(), keys.begin() + static_cast<ptrdiff_t>(i), keys[i]) -
                keys.begin());
            std::rotate(keys.begin() + static_cast<ptrdiff_t>(j),
                        keys.begin() + static_cast<ptrdiff_t>(i),
                        keys.begin() + static_cast<ptrdiff_t>(i + 1));
            std::rotate(records_.begin() + static_cast<ptrdiff_t>(j),
                        records_.begin() + static_cast<ptrdiff_t>(i),
                        records_.begin() + static_cast<ptrdiff_t>(i + 1));
        }
    }
    if (moved)
        emit recordsChanged();
    return {};
}

StoreStatus ObservationStore::removeUnreadableRecords(int *removed, const QDate &today) {
    *removed = 0;
    QByteArray kept;
    std::vector<ObservationRecord> readable;
    readable.reserve(records_.size());
    for (const ObservationRecord &r : records_) {
        if (recordDate(r))
            readable.push_back(r);
        else
            kept.append(reinterpret_cast<const char *>(&r), kRecordSize);
    }
    if (kept.isEmpty())
        return {};

    const QString path = QDir(dataDirectory).filePath(removedFileName());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(kept) != kept.size() ||
        !file.flush())
        return StoreStatus::failure(fileError(path, file));
    file.close();

    *removed = static_cast<int>(kept.size() / kRecordSize);
    records_ = std::move(readable);
    if (records_.empty()) {
        ObservationRecord placeholder = zeroRecord();
        writeText(placeholder.dateText, shortDate(toCalendarDate(today)));
        records_.push_back(placeholder);
    }
    dataModified = true;
    currentIndex = std::min(currentIndex, recordCount() - 1);
    if (currentIndex < 0)
        currentIndex = recordCount() - 1;
    currentRecord = records_[static_cast<size_t>(currentIndex)];
    emit recordsChanged();
    emit currentRecordChanged(currentIndex);
    return {};
}

void ObservationStore::appendRecord(const ObservationRecord &record) {
    records_.push_back(record);
    emit recordsChanged();
}

void ObservationStore::removeRecord(int number) {
    if (number < 1 || number > recordCount())
        return;
    records_.erase(records_.begin() + (number - 1));
    if (currentIndex >= recordCount())
        currentIndex = recordCount() - 1;
    emit recordsChanged();
}

} // namespace orvanek
