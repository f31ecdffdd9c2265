#pragma once

#include "solar/calendar.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

class ObservationStore;

// The values of one ordinary record as the drawing view shows them, the summary computed
// afresh from its groups for its moment: what observers' networks ask to be sent.
struct DailyValues {
    CalendarDate date;
    uint16_t timeUT = 0; // hhmm
    QString observer;
    // [whole disk, north, south]; the whole disk is north plus south.
    std::array<int, 3> groups{};
    std::array<int, 3> spots{};
    std::array<int, 3> relative{};
    int seeingQuality = 0; // "Q"
};

struct DailyValuesResult {
    std::vector<DailyValues> rows;
    int unreadableDates = 0; // ordinary records left out because their date does not read
};

// Every ordinary (not special) record whose date lies within [from, to] (either end open
// when not given), in date order and, within a date, by time; records of equal date and
// time keep the store's order.
DailyValuesResult dailyValues(const ObservationStore &store, std::optional<CalendarDate> from,
                              std::optional<CalendarDate> to);

} // namespace orvanek
