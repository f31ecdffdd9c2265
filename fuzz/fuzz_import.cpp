// The input is an import file. Its first byte chooses the data set's drawing setup (polar
// or heliographic entry, a radius of 1 to 255 mm); the rest goes through importObservations
// into a data set of two records, and the outcome is checked against what the import
// promises: all or nothing, every stored record with a date that reads, a time of day and at
// most 30 groups and faculae fields, every fault with its line and a message of one short
// line.

#include "fuzz/fuzzcheck.h"

#include "data/dates.h"
#include "data/observationstore.h"
#include "entry/importfile.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace orvanek;

namespace {

const QDate kToday(2026, 12, 8);
// A quoted cell is cut after 40 characters; no message comes near this.
constexpr qsizetype kLongestMessage = 400;

QTemporaryDir &dataDirectory() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvanek-fuzz-import-XXXXXX"));
    static bool written = false;
    if (!written) {
        std::vector<ObservationRecord> records(2, zeroRecord());
        writeText(records[0].dateText, QStringLiteral("01.06.2002"));
        writeText(records[1].dateText, QStringLiteral("03.06.2002"));
        QFile file(dir.filePath(ObservationStore::dataFileName()));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(records.data()),
                   static_cast<qint64>(records.size() * sizeof(ObservationRecord)));
        written = true;
    }
    return dir;
}

int lineCount(const QByteArray &text) {
    // Lines end with LF, CR LF or CR alone, as the import reads them.
    int lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\n' || text[i] == '\r')
            ++lines;
    }
    return lines + (text.isEmpty() || text.endsWith('\n') || text.endsWith('\r') ? 0 : 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    ObservationStore store(kToday);
    FUZZ_CHECK(store.loadStore(dataDirectory().path()).ok);
    const bool heliographic = data[0] & 0x80;
    const int radius = (data[0] & 0x7f) * 2 + 1; // odd radii 1..255 mm
    store.setDrawingSetup(radius, heliographic);

    QByteArray text(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    QBuffer file(&text);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const int before = store.recordCount();
    const ImportResult result = importObservations(store, file);

    if (!result.ok) {
        FUZZ_CHECK(store.recordCount() == before);
        FUZZ_CHECK(!store.dataModified());
        FUZZ_CHECK(!result.problems.isEmpty() || !result.failure.isEmpty());
        const int lines = lineCount(text);
        for (const ImportProblem &problem : result.problems) {
            FUZZ_CHECK(problem.line >= 1 && problem.line <= lines);
            const QString shown = importProblemText(problem);
            FUZZ_CHECK(shown.size() <= kLongestMessage);
            FUZZ_CHECK(!shown.contains(QLatin1Char('\n')) && !shown.contains(QChar(0)));
        }
        return 0;
    }
    FUZZ_CHECK(store.recordCount() == before + result.imported);
    for (const ObservationRecord &r : store.records()) {
        FUZZ_CHECK(store.dateOf(r).has_value());
        FUZZ_CHECK(isTimeOfDay(r.timeUT));
        FUZZ_CHECK(r.groupCount <= kMaxSlots && r.faculaFieldCount <= kMaxSlots);
    }
    return 0;
}
