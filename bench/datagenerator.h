#pragma once

#include "data/observationrecord.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace orvanek::bench {

// Large synthetic data sets for the benchmarks and as seeds for the fuzzers. The records
// look like a long series of real drawings: one observation on most days from 01.01.1996,
// a group count that follows an 11-year cycle, groups in the activity belts drifting
// towards the equator, a handful of observers and stations. The same seed always gives the
// same bytes, on every machine and library version (own generator, no <random>
// distributions).
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
