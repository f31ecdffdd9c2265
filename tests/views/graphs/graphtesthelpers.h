#pragma once

#include "data/observationstore.h"
#include "datedrecord.h"
#include "pdfpages.h"
#include "views/graphs/monthlyseries.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace orvanek::testing {

// Fills the store with one record per "dd.mm.yyyy=value" in the given order (no sorting).
// The value is split between the hemispheres, north the smaller half, in the two summary
// fields given; a text that is no date stays in the record as it is.
inline void fillStore(ObservationStore &store, const QStringList &days,
                      uint16_t RecordSummary::*north = &RecordSummary::northGroups,
                      uint16_t RecordSummary::*south = &RecordSummary::southGroups) {
    for (const QString &day : days) {
        const QStringList parts = day.split(QLatin1Char('='));
        ObservationRecord r = datedRecord(parts.at(0));
        const int value = parts.size() > 1 ? parts.at(1).toInt() : 0;
        r.summary.*north = static_cast<uint16_t>(value / 2);
        r.summary.*south = static_cast<uint16_t>(value - value / 2);
        store.appendRecord(r);
    }
}

// Monthly means (eighths) of `quantity` for months 1, 2, ... from January of `firstYear`,
// without a smoothed value.
inline MonthlySeries seriesOfMeans(SmoothedQuantity quantity, std::vector<int32_t> eighths,
                                   int firstYear = 2001) {
    MonthlySeries series;
    series.quantity = quantity;
    series.firstYear = static_cast<uint16_t>(firstYear);
    for (size_t m = 1; m <= eighths.size(); ++m)
        series.monthNumber.push_back(static_cast<int>(m));
    series.monthlyMean = std::move(eighths);
    return series;
}

} // namespace orvanek::testing
