#pragma once

#include <cstdint>

namespace orvanek {

// A calendar date as the solar routines read it (Gregorian, day/month/year).
struct CalendarDate {
    uint16_t curYear = 0;
    uint16_t curMonth = 0;
    uint16_t curDay = 0;

    friend bool operator==(const CalendarDate &, const CalendarDate &) = default;
};

// The Gregorian calendar: every fourth year a leap year, but not the centuries that 400
// does not divide (1900 none, 2000 one).
bool isLeapYear(int year);
// Days of month 1..12 of the year; 0 for any other month.
int daysInMonth(int year, int month);

// True when the date exists in the Gregorian calendar (years 1..9999).
bool isValidDate(const CalendarDate &date);

// Julian Day at 0h UT of the date, minus 2400000 (1 January 2000 gives 51544.5).
// Kept as a 32-bit float: stored rotation numbers were computed from this value.
float dayNumber(const CalendarDate &date);

// Days since 1 January 0001 in the proleptic Gregorian calendar; a cheap sort key.
int32_t serialDay(const CalendarDate &date);
// The date of a serial day (the inverse of serialDay), for days 1 .. 3652059 (1.1.1 to
// 31.12.9999).
CalendarDate dateOfSerialDay(int32_t day);

} // namespace orvanek
