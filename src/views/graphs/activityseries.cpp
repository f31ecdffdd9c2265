#include "views/graphs/activityseries.h"

#include "solar/calendar.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace orvanek {

const GraphQuantityInfo &graphQuantityInfo(GraphQuantity quantity) {
    static const std::array<GraphQuantityInfo, 3> table = {{
        {GraphQuantity::Groups, &RecordSummary::northGroups, &RecordSummary::southGroups, 3,
         QT_TRANSLATE_NOOP("Graphs", " Počet skupin")},
        {GraphQuantity::Spots, &RecordSummary::northSpots, &RecordSummary::southSpots, 50,
         QT_TRANSLATE_NOOP("Graphs", " Počet skvrn")},
        {GraphQuantity::Relative, &RecordSummary::northR, &RecordSummary::southR, 50,
         QT_TRANSLATE_NOOP("Graphs", " Relativní číslo")},
    }};
    return table[static_cast<size_t>(quantity)];
}

std::array<int, kScaleDivisions + 1> GraphSeries::initialScaleLabels() {
    std::array<int, kScaleDivisions + 1> labels{};
    for (int k = 1; k <= kScaleDivisions; ++k)
        labels[static_cast<size_t>(k)] = kInitialScaleStep * k;
    return labels;
}

int32_t GraphSeries::lastX() const {
    return graphX.empty() ? 0 : *std::max_element(graphX.begin(), graphX.end());
}

namespace {

// The day number at 0 h UT is a whole number and a half. Its floor, not its truncation,
// is the day's start: dates before 17 November 1858 have negative day numbers, and a
// truncation toward zero would put every day of such a year one day early.
int32_t dayStart(const CalendarDate &date) {
    return static_cast<int32_t>(std::floor(static_cast<double>(dayNumber(date))));
}

} // namespace

int32_t graphXOf(const CalendarDate &date, int32_t graphDayZero, int pixelsPerDay) {
    const int64_t days = static_cast<int64_t>(dayStart(date)) - graphDayZero;
    return static_cast<int32_t>(std::clamp<int64_t>(days * pixelsPerDay, 0, kMaxGraphX));
}

void buildTimeAxis(GraphSeries &series, const ObservationStore &store, int pixelsPerDay) {
    series.pixelsPerDay = pixelsPerDay;
    series.recordIndex.clear();
    series.graphX.clear();
    // The store keeps the day of every date: no date is read again. Days between two dates
    // are the same count on both day scales, so a position is the serial days since 1
    // January of the first year.
    const std::vector<int32_t> &days = store.dayNumbers();
    series.recordIndex.reserve(days.size());
    series.graphX.reserve(days.size());
    int32_t firstDay = 0; // serial day of 1 January of firstYear
    for (size_t i = 0; i < days.size(); ++i) {
        const int32_t day = days[i];
        if (day == ObservationStore::kUnreadableDay)
            continue;
        if (series.recordIndex.empty()) {
            const CalendarDate january{dateOfSerialDay(day).curYear, 1, 1};
            series.firstYear = january.curYear;
            series.graphDayZero = dayStart(january);
            firstDay = serialDay(january);
        }
        const int64_t x = (static_cast<int64_t>(day) - firstDay) * pixelsPerDay;
        series.recordIndex.push_back(static_cast<int>(i));
        series.graphX.push_back(static_cast<int32_t>(std::clamp<int64_t>(x, 0, kMaxGraphX)));
    }
    series.northHeight.assign(series.graphX.size(), 0);
    series.southHeight.assign(series.graphX.size(), 0);
    series.divisionHeight = 0;
}

uint16_t quantisedHeight(int value, int divisionHeight, int scaleStep) {
    // Formed wide so that no size of division overflows; the quotient is kept to 16 bits
    // as the height tables store it.
    const int64_t product = static_cast<int64_t>(value) * divisionHeight;
    return static_cast<uint16_t>(product / scaleStep);
}

void selectQuantity(GraphSeries &series, const ObservationStore &store, GraphQuantity quantity,
                    int divisionHeight) {
    const GraphQuantityInfo &info = graphQuantityInfo(quantity);
    series.quantity = quantity;
    series.quantityLabel = QCoreApplication::translate("Graphs", info.quantityLabel);
    series.scaleStep = info.scaleStep;
    for (int k = 1; k <= kScaleDivisions; ++k)
        series.scaleLabels[static_cast<size_t>(k)] = info.scaleStep * k;
    // A window too small for a panel has no height to give.
    series.divisionHeight = std::max(divisionHeight, 0);

    const size_t count = series.recordIndex.size();
    series.northHeight.assign(count, 0);
    series.southHeight.assign(count, 0);
    for (size_t p = 0; p < count; ++p) {
        const int index = series.recordIndex[p];
        if (index >= store.recordCount()) // the store shrank since the axis was built
            continue;
        const RecordSummary &s = store.records()[static_cast<size_t>(index)].summary;
        series.northHeight[p] =
            quantisedHeight(s.*info.northField, series.divisionHeight, info.scaleStep);
        series.southHeight[p] =
            quantisedHeight(s.*info.southField, series.divisionHeight, info.scaleStep);
    }
}

void recomputeSelected(GraphSeries &series, const ObservationStore &store, int divisionHeight) {
    selectQuantity(series, store, series.quantity, divisionHeight);
}

GraphSeries graphSeries(const ObservationStore &store, GraphQuantity quantity, int pixelsPerDay,
                        int divisionHeight) {
    GraphSeries series;
    buildTimeAxis(series, store, pixelsPerDay);
    selectQuantity(series, store, quantity, divisionHeight);
    return series;
}

} // namespace orvanek
