#include "data/dates.h"

#include <QStringView>

#include <algorithm>

namespace orvanek {

namespace {

// Reads blanks, then 1..maxDigits digits; returns -1 when no digit follows.
int readNumber(std::string_view text, size_t &pos, int maxDigits, int &digits) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    int value = 0;
    digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (++digits > maxDigits)
            return -1;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return digits == 0 ? -1 : value;
}

bool readSeparator(std::string_view text, size_t &pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        return true;
    }
    return false;
}

void appendTwoDigits(QString &out, int value) {
    if (value >= 0 && value < 10)
        out += QLatin1Char('0');
    out += QString::number(value);
}

} // namespace

static std::optional<CalendarDate> parseAnyDate(std::string_view text, int pivotYear) {
    pivotYear = std::clamp(pivotYear, 100, 9999);
    size_t pos = 0;
    int digits = 0;
    const int day = readNumber(text, pos, 2, digits);
    if (day < 0 || !readSeparator(text, pos))
        return std::nullopt;
    const int month = readNumber(text, pos, 2, digits);
    if (month < 0)
        return std::nullopt;
    int year = pivotYear;
    size_t rest = pos;
    if (readSeparator(text, rest)) {
        pos = rest;
        year = readNumber(text, pos, 4, digits);
        if (year < 0)
            return std::nullopt;
        if (digits <= 2)
            year = expandTwoDigitYear(year, pivotYear);
    }
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos != text.size())
        return std::nullopt;
    const CalendarDate date{static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                            static_cast<uint16_t>(day)};
    if (!isValidDate(date))
        return std::nullopt;
    return date;
}

int expandTwoDigitYear(int year, int pivotYear) {
    const int base = std::clamp(pivotYear, 100, 9999) - 50;
    int expanded = year + base / 100 * 100;
    if (expanded < base)
        expanded += 100;
    return expanded;
}

std::optional<CalendarDate> parseDate(std::string_view text, int pivotYear) {
    // Fast path for the stored form "dd.mm.yyyy"; the pivot is only needed otherwise.
    if (text.size() == 10 && text[2] == '.' && text[5] == '.') {
        auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9'; };
        if (digit(0) && digit(1) && digit(3) && digit(4) && digit(6) && digit(7) && digit(8) &&
            digit(9)) {
            auto num = [&](size_t i) { return text[i] - '0'; };
            const CalendarDate date{
                static_cast<uint16_t>(num(6) * 1000 + num(7) * 100 + num(8) * 10 + num(9)),
                static_cast<uint16_t>(num(3) * 10 + num(4)),
                static_cast<uint16_t>(num(0) * 10 + num(1))};
            if (!isValidDate(date))
                return std::nullopt;
            return date;
        }
    }
    return parseAnyDate(text, pivotYear);
}

std::optional<CalendarDate> parseDate(const QString &text, int pivotYear) {
    const QByteArray latin = text.toLatin1();
    return parseDate(std::string_view(latin.constData(), static_cast<size_t>(latin.size())),
                     pivotYear);
}

QString formatDate(const CalendarDate &date, QStringView pattern) {
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QStringView rest = pattern.mid(i);
        if (rest.startsWith(u"yyyy")) {
            out += QString::number(date.curYear).rightJustified(4, QLatin1Char('0'));
            i += 4;
        } else if (rest.startsWith(u"yy")) {
            appendTwoDigits(out, date.curYear % 100);
            i += 2;
        } else if (rest.startsWith(u"dd")) {
            appendTwoDigits(out, date.curDay);
            i += 2;
        } else if (rest.startsWith(u"mm")) {
            appendTwoDigits(out, date.curMonth);
            i += 2;
        } else if (rest.front() == u'd') {
            out += QString::number(date.curDay);
            ++i;
        } else if (rest.front() == u'm') {
            out += QString::number(date.curMonth);
            ++i;
        } else {
            out += rest.front();
            ++i;
        }
    }
    return out;
}

QString shortDate(const CalendarDate &date) {
    return formatDate(date, u"dd.mm.yyyy");
}

QString formatTimeUT(uint16_t timeUT, QStringView pattern) {
    const int hours = timeUT / 100;
    const int minutes = timeUT % 100;
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QStringView rest = pattern.mid(i);
        if (rest.startsWith(u"hh")) {
            appendTwoDigits(out, hours);
            i += 2;
        } else if (rest.startsWith(u"nn")) {
            appendTwoDigits(out, minutes);
            i += 2;
        } else if (rest.front() == u'h') {
            out += QString::number(hours);
            ++i;
        } else if (rest.front() == u'n') {
            out += QString::number(minutes);
            ++i;
        } else {
            out += rest.front();
            ++i;
        }
    }
    return out;
}

bool isTimeOfDay(int hhmm) {
    constexpr int kLastHour = 23;
    constexpr int kLastMinute = 59;
    return hhmm >= 0 && hhmm / 100 <= kLastHour && hhmm % 100 <= kLastMinute;
}

std::optional<uint16_t> parseTimeOfDay(QStringView text) {
    const QStringView t = text.trimmed();
    constexpr qsizetype kMostDigits = 4;
    if (t.isEmpty() || t.size() > kMostDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (!isTimeOfDay(value))
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

CalendarDate toCalendarDate(const QDate &date) {
    return {static_cast<uint16_t>(date.year()), static_cast<uint16_t>(date.month()),
            static_cast<uint16_t>(date.day())};
}

QDate toQDate(const CalendarDate &date) {
    return QDate(date.curYear, date.curMonth, date.curDay);
}

} // namespace orvanek
