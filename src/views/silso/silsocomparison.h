#pragma once

#include "views/silso/silsofile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace orvanek {

class ObservationStore;

// The observer's own relative number against SILSO's on the days both have: the personal
// scaling factor k = SILSO / own, so that own R x k estimates the international number.
//
// An own day is the mean of the whole-disk R (north + south, as stored with each record) of
// the ordinary records of that date; special records and records whose date does not read
// are left out. A day counts when the file has a value for it.
struct ComparisonRow {
    int year = 0;            // 0 in the row over every day
    int month = 0;           // 1..12; 0 in the row over every day
    int days = 0;            // days both have
    double ownR = 0;         // mean of the own days
    double silso = 0;        // mean of SILSO's values on the same days
    std::optional<double> k; // silso / ownR; nothing when ownR is 0
    // With the hemispheric file, the same for each hemisphere over the days the file gives
    // it: the own northR (southR) against SILSO's north (south).
    std::optional<double> kNorth;
    std::optional<double> kSouth;
};

struct SilsoComparison {
    SilsoKind kind = SilsoKind::Total;
    QString fileName;
    std::vector<ComparisonRow> months; // calendar months with common days, in order
    ComparisonRow all;                 // over every common day
    // Why there is nothing to compare (no common day); empty when there is.
    QString problem;

    bool comparable() const { return problem.isEmpty(); }
};

SilsoComparison compareWithSilso(const ObservationStore &store, const SilsoFile &file);

// The comparison as rows of text: the header `month;year;days;ownR;silsoSN;k` (with the
// hemispheric file also `kNorth;kSouth`), a row per month and a last row `all`, numbers
// with 2 decimals, k empty where it has no value.
QList<QStringList> comparisonCsvRows(const SilsoComparison &comparison);

} // namespace orvanek
