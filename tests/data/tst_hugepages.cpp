// The memory of the records: large blocks in huge pages, and data files read in pieces
// whose boundaries fall inside records.
#include "data/hugepages.h"
#include "data/observationstore.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <cstring>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// The mapping of this process that holds `address`: its end and its flags ("hg" once huge
// pages were asked for), from /proc/self/smaps.
struct Mapping {
    std::uintptr_t end = 0;
    QByteArray flags;
};
std::optional<Mapping> mappingOf(const void *address) {
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return std::nullopt;
    static const QRegularExpression header(QStringLiteral("^([0-9a-f]+)-([0-9a-f]+) "));
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::optional<Mapping> found;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const QRegularExpressionMatch m = header.match(QString::fromLatin1(line));
        if (m.hasMatch()) {
            if (found)
                break; // the next mapping: the one found has no flags line
            const auto end = m.captured(2).toULongLong(nullptr, 16);
            if (m.captured(1).toULongLong(nullptr, 16) <= at && at < end)
                found = Mapping{end, {}};
        } else if (found && line.startsWith("VmFlags:")) {
            found->flags = line.mid(8);
            break;
        }
    }
    return found;
}

bool kernelHasHugePages() {
    return QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
}

// Record k (0-based) of a long data set: one day after the other from 1 January 2000, the
// observer named after its thousand, and record `marked` with a special mark that loading
// rewrites ("zvm" sorts after "zvl").
ObservationRecord longSetRecord(int k, int marked) {
    const QDate day = QDate(2000, 1, 1).addDays(k);
    ObservationRecord r = datedRecord(day.toString(QStringLiteral("dd.MM.yyyy")), 1200,
                                      QStringLiteral("Pozorovatel %1").arg(k / 1000));
    if (k == marked)
        writeText(r.specialMark, QStringLiteral("zvm"));
    return r;
}

} // namespace

class TestHugePages : public QObject {
    Q_OBJECT

  private slots:
    void blocks_data() {
        QTest::addColumn<qulonglong>("bytes");
        QTest::addColumn<bool>("mapped");
        QTest::addColumn<qulonglong>("span"); // what a mapped block takes
        QTest::newRow("one record") << qulonglong(1314) << false << qulonglong(0);
        QTest::newRow("a byte short of a huge page")
            << qulonglong(2 * kMiB - 1) << false << qulonglong(0);
        QTest::newRow("one huge page") << qulonglong(2 * kMiB) << true << qulonglong(2 * kMiB);
        QTest::newRow("a byte over") << qulonglong(2 * kMiB + 1) << true << qulonglong(4 * kMiB);
    }
    void blocks() {
        QFETCH(qulonglong, bytes);
        QFETCH(bool, mapped);
        QFETCH(qulonglong, span);
        QCOMPARE(inHugePages(bytes), mapped);
        if (mapped)
            QCOMPARE(qulonglong(hugePageSpan(bytes)), span);
        auto *block = static_cast<unsigned char *>(allocateBlock(bytes));
        QVERIFY(block);
        block[0] = 0x5a;
        block[bytes - 1] = 0xa5;
        QCOMPARE(int(block[0]), 0x5a);
        QCOMPARE(int(block[bytes - 1]), 0xa5);
#ifdef __linux__
        if (mapped) {
            QCOMPARE(reinterpret_cast<std::uintptr_t>(block) % (2 * kMiB), std::uintptr_t{0});
            const std::optional<Mapping> mapping = mappingOf(block);
            QVERIFY(mapping);
            QVERIFY(mapping->end - reinterpret_cast<std::uintptr_t>(block) >= span);
            if (kernelHasHugePages())
                QVERIFY2(mapping->flags.contains(" hg"), mapping->flags.constData());
        }
#endif
        releaseBlock(block, bytes);
    }

    // A vector grown past 2 MiB moves from the heap into a mapped block with every record.
    void vectorGrowsAcrossTheHugePageSize() {
        RecordVector records;
        for (int k = 0; k < 1700; ++k) // 2.2 MB
            records.push_back(longSetRecord(k, -1));
        QVERIFY(records.capacity() * sizeof(ObservationRecord) >= 2 * kMiB);
        QCOMPARE(readText(records[0].dateText), QStringLiteral("01.01.2000"));
        // 1 January 2004 is day 366 + 3 x 365 = 1461; day 1699 is 238 days later, in a leap
        // year: 26 August 2004.
        QCOMPARE(readText(records[1699].dateText), QStringLiteral("26.08.2004"));
    }

    void longFilesLoadAcrossPieces_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("marked");
        // The file is read in pieces of 1 MiB: 798 records are 1 048 572 bytes, so record
        // 799 (index 798) lies across the first boundary and index 1596 across the second
        // (2 097 152 / 1314 = 1596.0). From 1597 records on the records take a huge page.
        QTest::newRow("within one piece") << 798 << 797;
        QTest::newRow("across the first boundary") << 799 << 798;
        QTest::newRow("across the second") << 1700 << 1596;
        QTest::newRow("the last record marked") << 1700 << 1699;
    }
    void longFilesLoadAcrossPieces() {
        QFETCH(int, count);
        QFETCH(int, marked);
        QByteArray file;
        for (int k = 0; k < count; ++k)
            file += recordBytes(longSetRecord(k, marked));
        QTemporaryDir dir;
        writeFile(QDir(dir.path()).filePath(QStringLiteral("data1.dat")), file);
        ObservationStore store;
        QVERIFY(store.loadStore(dir.path(), QDate(2026, 12, 8)));
        QCOMPARE(store.recordCount(), count);
        // Every record's day number, once: day k is k days after 1 January 2000.
        const int32_t first = serialDay(CalendarDate{2000, 1, 1});
        QCOMPARE(store.dayNumbers().size(), size_t(count));
        for (int k = 0; k < count; k += 1 + (k % 7 == 0 ? 0 : 5))
            QCOMPARE(store.dayNumbers()[size_t(k)], first + k);
        QCOMPARE(store.dayNumbers().back(), first + count - 1);
        // The observers of every thousand, each once, and the mark rewritten where it was.
        QCOMPARE(store.observerNames()[0], QStringLiteral("Pozorovatel 0"));
        QCOMPARE(store.observerNames()[1],
                 count > 1000 ? QStringLiteral("Pozorovatel 1") : QString());
        QVERIFY(store.observerNames()[2].isEmpty());
        QCOMPARE(readText(store.record(marked + 1).specialMark), specialMarkText());
        QVERIFY(!store.record(marked == 0 ? 2 : marked).isSpecial());
        // Apart from that mark, the bytes are the file's.
        for (const int k : {0, marked - 1, count - 1}) {
            if (k == marked)
                continue;
            QCOMPARE(recordBytes(store.record(k + 1)), file.mid(qsizetype(k) * 1314, 1314));
        }
    }
};

ORVANEK_REGISTER_TEST(TestHugePages);
#include "tst_hugepages.moc"
