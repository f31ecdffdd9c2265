#pragma once

#include "data/observationrecord.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace orvanek {
class ObservationStore;
}

namespace orvanek::bench {

// The seed of every benchmark's data, so that runs compare.
inline constexpr uint32_t kSeed = 1996;

// Large synthetic data sets for the benchmarks and as seeds for the fuzzers: the first
// `count` records of the demo data set from 1996 on (make-demo's own generator, through the
// entry commit), long enough to hold them. The same seed gives the same records.
std::vector<ObservationRecord> generateRecords(int count, uint32_t seed);

// A store of the first `count` generated records (kSeed, today fixed at 8 December 2026 so that
// two-digit years read alike), in date order, drawn at R = 125 mm, its observers known. Made
// once per count and kept for the run; the program ends when the generator makes fewer.
const ObservationStore &generatedStore(int count);

// Keeps the first records of `records` whose groups add up to at least `groups`
// (all of them when there are fewer).
std::vector<ObservationRecord> takeGroups(const std::vector<ObservationRecord> &records,
                                          long long groups);

// Number of sunspot groups over all records (the lines an ASCII export writes).
long long countGroups(const std::vector<ObservationRecord> &records);

// Writes the records as dir/data1.dat, 1314 raw bytes each; false when it cannot.
bool writeDataSet(const QString &dir, const std::vector<ObservationRecord> &records);

} // namespace orvanek::bench
