// The input is a pristroj.dat. It is read as the program reads it at start and written back
// as the results window writes it, and the promises are checked: six lines whatever the
// file holds, no CR or LF inside a line (so every write succeeds; one is refused exactly
// when a line holds one), and what was written reads back as it was written.

#include "fuzz/fuzzfiles.h"

#include "data/instrumentfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace orvanek;

namespace {

bool holdsLineEnd(const InstrumentLines &lines) {
    for (const QString &line : lines)
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTemporaryDir &dir = fuzzWorkDirectory();
    writeInputFile(QStringLiteral("pristroj.dat"), data, size);
    InstrumentLines lines;
    QString error;
    FUZZ_CHECK(readInstrumentFile(dir.path(), lines, &error));
    FUZZ_CHECK(!holdsLineEnd(lines));

    const bool written = writeInstrumentFile(dir.path(), lines, &error);
    FUZZ_CHECK(written == !holdsLineEnd(lines));
    if (!written) {
        // The line is quoted by 40 characters, each at most six when escaped.
        FUZZ_CHECK(!error.isEmpty() && error.size() <= 400);
        return 0;
    }
    // Characters code page 1250 has no byte for become '?' once; after that the lines
    // stay as they are.
    InstrumentLines again;
    FUZZ_CHECK(readInstrumentFile(dir.path(), again, &error));
    FUZZ_CHECK(writeInstrumentFile(dir.path(), again, &error));
    InstrumentLines third;
    FUZZ_CHECK(readInstrumentFile(dir.path(), third, &error));
    FUZZ_CHECK(third == again);
    return 0;
}
