#include "reports/monthprompt.h"

#include "data/dates.h"

#include <algorithm>

namespace orvanek {

namespace {

constexpr int kMaxYearDigits = 4;
constexpr int kMaxMonthDigits = 2;

// The whole text as a decimal number of 1..maxDigits digits, blanks around it allowed.
std::optional<int> wholeNumber(QStringView text, int maxDigits) {
    const QStringView digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

std::optional<AskedMonth> parseMonthPrompt(const QString &text, int pivotYear) {
    qsizetype separator = text.indexOf(QLatin1Char('.'));
    if (separator < 0)
        separator = text.indexOf(QLatin1Char(','));
    if (separator < 0)
        return std::nullopt;
    const QStringView view(text);
    const auto month = wholeNumber(view.first(separator), kMaxMonthDigits);
    const QStringView yearText = view.sliced(separator + 1).trimmed();
    const auto year = wholeNumber(yearText, kMaxYearDigits);
    if (!month || !year || *month < 1 || *month > 12)
        return std::nullopt;
    int fullYear = *year;
    if (yearText.size() <= 2)
        fullYear = expandTwoDigitYear(fullYear, pivotYear);
    if (fullYear < 1)
        return std::nullopt;
    return AskedMonth{*month, fullYear};
}

} // namespace orvanek
