// The input is a Motfakul.dat, the butterfly diagram's supplementary data. It is loaded as
// the program loads it at start and drawn as strokes at the smallest and the largest scales,
// and the promises are checked: one block of 25000 bytes, the file's first bytes and zeros
// after a short file; every stroke in a column of the diagram and within the latitudes its
// bytes can give, never more strokes than bytes.

#include "fuzz/fuzzfiles.h"

#include "data/observationstore.h"
#include "views/butterfly/butterflymodel.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace orvanek;

namespace {

// Columns 1 to 649 at x = xs c + 49. Faculae ends are drawn only for bytes 31..219, that is
// latitudes -97..91; spots only under 95 degrees, 2 pixels either side.
void checkStrokes(const std::vector<ButterflyStroke> &strokes, const ButterflyState &state) {
    const int vs = state.latitudeScale;
    const int xs = state.rotationWidth;
    for (const ButterflyStroke &s : strokes) {
        FUZZ_CHECK(s.x >= xs + 49 && s.x <= xs * 649 + 49);
        for (int y : {s.y1, s.y2})
            FUZZ_CHECK(std::abs(y) <= 97 * vs + 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTemporaryDir &dir = fuzzWorkDirectory();
    writeInputFile(QStringLiteral("Motfakul.dat"), data, size);
    ObservationStore store(QDate(2026, 12, 8));
    FUZZ_CHECK(store.loadStore(dir.path()).ok);
    const QByteArray &block = store.butterflyBlock();
    FUZZ_CHECK(block.size() == kButterflyBlockSize);
    const size_t kept = std::min(size, static_cast<size_t>(kButterflyBlockSize));
    FUZZ_CHECK(std::memcmp(block.constData(), data, kept) == 0);
    for (qsizetype i = static_cast<qsizetype>(kept); i < block.size(); ++i)
        FUZZ_CHECK(block[i] == 0);

    for (const auto &[scale, width] : {std::pair{kMinLatitudeScale, kMinRotationWidth},
                                       std::pair{kMaxLatitudeScale, kMaxRotationWidth}}) {
        ButterflyState state;
        state.latitudeScale = scale;
        state.rotationWidth = width;
        state.supplementaryOn = true;
        const SupplementaryStrokes strokes = supplementaryStrokes(block, state);
        FUZZ_CHECK(strokes.faculae.size() + strokes.spots.size() <= size_t(block.size()));
        checkStrokes(strokes.faculae, state);
        checkStrokes(strokes.spots, state);
    }
    return 0;
}
