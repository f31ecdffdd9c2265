#include "solar/calendar.h"

namespace orvanek {

namespace {
bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}
} // namespace

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
    // Days before the year, then before the month, then the day itself.
    const int32_t y = date.curYear - 1;
    int32_t days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int month = 1; month < date.curMonth && month <= 12; ++month)
        days += daysInMonth(date.curYear, month);
    return days + date.curDay;
}

} // namespace orvanek
