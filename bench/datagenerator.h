#pragma once

#include "data/observationrecord.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace orvanek::bench {

// Large synthetic data sets for the benchmarks and as seeds for the fuzzers: the first
// `count` records of the demo data set from 1996 on (make-demo's own generator, through the
// entry commit), long enough to hold them. The same seed gives the same records.
std::vector<ObservationRecord> generateRecords(int count, uint32_t seed);

// Keeps the first records of `records` whose groups add up to at least `groups`
// (all of them when there are fewer).
std::vector<ObservationRecord> takeGroups(const std::vector<ObservationRecord> &records,
                                          long long groups);

// Number of sunspot groups over all records (the lines an ASCII export writes).
long long countGroups(const std::vector<ObservationRecord> &records);

// Writes the records as dir/data1.dat, 1314 raw bytes each; false when it cannot.
bool writeDataSet(const QString &dir, const std::vector<ObservationRecord> &records);

} // namespace orvanek::bench
