#pragma once

#include "solar/calendar.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string_view>

namespace orvanek {

// Reads a date in day, month, year order with '.' as the separator, as observers type
// it and as the record stores it ("08.12.2026", also "8.12.2026" or " 8. 12. 2026").
// A two-digit year falls into the 100 years around pivotYear (the 50 years before it
// and the 49 after); "d.m" alone takes pivotYear. Anything else, or a day that does not
// exist, gives no date.
// The caller says which year it is: the program reads the clock once, where it starts.
std::optional<CalendarDate> parseDate(std::string_view text, int pivotYear);
// The year a two-digit year 0..99 stands for: the one of that ending among the 50 years
// before pivotYear and the 49 after.
int expandTwoDigitYear(int year, int pivotYear);
std::optional<CalendarDate> parseDate(const QString &text, int pivotYear);

// Formats with the patterns "dd mm yyyy", "dd:mm:yyyy", "dd.mm.yyyy": dd, mm are two-digit
// day and month, d and m without a leading zero, yyyy the four-digit year, yy its last two
// digits; every other character is copied.
QString formatDate(const CalendarDate &date, QStringView pattern);

// The short date format: "dd.mm.yyyy".
QString shortDate(const CalendarDate &date);

// The hours and minutes of an hhmm time with a pattern of hh, nn (two digits), h, n and
// literal characters: "hh nn" gives "07 05" for 705. The parts are taken as they stand,
// so 2375 gives "23 75".
QString formatTimeUT(uint16_t timeUT, QStringView pattern);

// Whether an hhmm time is a time of day: hours 0 to 23, minutes 0 to 59 (2400, 1260 and
// 9999 are not).
bool isTimeOfDay(int hhmm);
// A time typed as hhmm, one to four digits with blanks around them (7:05 is "705"): the
// time, or nothing when it is no number of that form or no time of day.
std::optional<uint16_t> parseTimeOfDay(QStringView text);

CalendarDate toCalendarDate(const QDate &date);
QDate toQDate(const CalendarDate &date);

} // namespace orvanek
