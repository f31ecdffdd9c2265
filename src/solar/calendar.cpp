#include "solar/calendar.h"

#include <algorithm>

namespace orvanek {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValidDate(const CalendarDate &date) {
    return date.curYear >= 1 && date.curYear <= 9999 && date.curMonth >= 1 && date.curMonth <= 12 &&
           date.curDay >= 1 && date.curDay <= daysInMonth(date.curYear, date.curMonth);
}

float dayNumber(const CalendarDate &date) {
    // The integer parts are truncations toward zero, done in extended precision.
    long double y = date.curYear;
    long double m = date.curMonth;
    const long double d = date.curDay;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const long double a = static_cast<long double>(static_cast<int64_t>(y * 365.25L));
    const long double s =
        static_cast<long double>(static_cast<int64_t>((m + 1) * 30.6001L)) + a + d - 679003.5L;
    const long double c = static_cast<long double>(static_cast<int64_t>(y / 100));
    const long double result = static_cast<long double>(static_cast<int64_t>(c / 4)) + (s - c);
    return static_cast<float>(result);
}

int32_t serialDay(const CalendarDate &date) {
    // Days before the year, then before the month (a month past December counts the whole
    // year), then the day itself.
    static constexpr int32_t daysBefore[13] = {0,   31,  59,  90,  120, 151, 181,
                                               212, 243, 273, 304, 334, 365};
    const int32_t y = date.curYear - 1;
    const int month = std::clamp<int>(date.curMonth, 1, 13);
    const int32_t leapDay = month > 2 && isLeapYear(date.curYear) ? 1 : 0;
    return y * 365 + y / 4 - y / 100 + y / 400 + daysBefore[month - 1] + leapDay + date.curDay;
}

CalendarDate dateOfSerialDay(int32_t day) {
    // The year from the mean Gregorian year, then put right by at most one step.
    int32_t year = static_cast<int32_t>(day / 365.2425) + 1;
    auto yearStart = [](int32_t y) { return serialDay({static_cast<uint16_t>(y), 1, 1}); };
    while (year > 1 && yearStart(year) > day)
        --year;
    while (year < 9999 && yearStart(year + 1) <= day)
        ++year;
    CalendarDate date{static_cast<uint16_t>(year), 1, 1};
    int32_t left = day - yearStart(year);
    while (date.curMonth < 12 && left >= daysInMonth(year, date.curMonth)) {
        left -= daysInMonth(year, date.curMonth);
        ++date.curMonth;
    }
    date.curDay = static_cast<uint16_t>(left + 1);
    return date;
}

} // namespace orvanek
