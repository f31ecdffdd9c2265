// Date texts through every parseDate overload, and numbers through formatNumber with a
// picture pattern taken from the input. Input layout (FuzzedDataProvider): the pivot year
// and the number are taken from the end, then a pattern of up to 64 characters, and the
// rest is the date text.

#include "fuzz/fuzzcheck.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "solar/calendar.h"
#include "solar/rounding.h"

#include <QDate>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

using namespace orvanek;

namespace {

std::optional<CalendarDate> parseLatin1(const QString &text, int pivotYear) {
    const QByteArray bytes = text.toLatin1();
    return parseDate(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                     pivotYear);
}

void checkDates(const std::string &text, int pivotYear) {
    const std::string_view view(text);

    const std::optional<CalendarDate> withPivot = parseDate(view, pivotYear);
    if (withPivot) {
        FUZZ_CHECK(isValidDate(*withPivot));
        // What was read is written back in the stored form and reads the same again.
        const QString stored = shortDate(*withPivot);
        FUZZ_CHECK(stored.size() == 10);
        // The stored form reads the same whatever the year is.
        FUZZ_CHECK(parseDate(stored, 1950) == withPivot);
        FUZZ_CHECK(parseLatin1(stored, pivotYear) == withPivot);
    }

    // The QString overload reads the same characters.
    FUZZ_CHECK(parseDate(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                         pivotYear) == withPivot);
    FUZZ_CHECK(parseDate(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                         pivotYear) == withPivot);
}

bool isPlainPattern(std::string_view pattern) {
    // Placeholders only, at least one before an optional single point.
    const size_t point = pattern.find('.');
    const std::string_view whole = pattern.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    auto placeholders = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c == '0' || c == '#'; });
    };
    return !whole.empty() && placeholders(whole) && placeholders(decimals) && decimals.size() <= 6;
}

void checkNumber(double value, const std::string &pattern) {
    const std::string ascii = formatNumberAscii(value, pattern);
    const QString text = formatNumber(value, pattern);
    FUZZ_CHECK(text == QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size())));
    // Beyond about 1e245 the value times 10^decimals (up to 63 of them) overflows, and the
    // digits of "inf" end up in the text; known, and of no use to keep finding.
    if (!std::isfinite(value) || std::fabs(value) > 1e200)
        return;

    // Digits, sign and point, and otherwise only what the pattern itself holds.
    for (char c : ascii)
        FUZZ_CHECK((c >= '0' && c <= '9') || c == '-' || c == '.' ||
                   pattern.find(c) != std::string::npos);

    // A pattern of placeholders keeps the value, rounded to its decimals (ties to even).
    if (isPlainPattern(pattern) && std::fabs(value) < 1e12) {
        const size_t point = pattern.find('.');
        const int decimals =
            point == std::string::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
        const double scale = std::pow(10.0, decimals);
        const double scaled = roundHalfEven(std::fabs(value) * scale);
        const double expected = (value < 0 ? -scaled : scaled) / scale;
        const double read = ascii.empty() ? 0 : std::strtod(ascii.c_str(), nullptr);
        FUZZ_CHECK(std::fabs(read - expected) <= 1e-9 * std::max(1.0, std::fabs(expected)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int pivotYear = input.ConsumeIntegralInRange<int>(1, 9999);
    double value = 0;
    switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: // any bits: NaN, infinities, subnormals
        value = std::bit_cast<double>(input.ConsumeIntegral<uint64_t>());
        break;
    case 1: // thousandths, where the halves that round to even live
        value =
            static_cast<double>(input.ConsumeIntegralInRange<int64_t>(-100'000'000, 100'000'000)) /
            1000;
        break;
    default:
        value = input.ConsumeIntegral<int32_t>();
        break;
    }
    const std::string pattern = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();

    checkDates(text, pivotYear);
    checkNumber(value, pattern);

    // The other pictures of the same module take patterns too; they must merely survive any.
    const QString picture =
        QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size()));
    if (const auto date = parseDate(std::string_view(text), pivotYear))
        (void)formatDate(*date, picture);
    (void)formatTimeUT(static_cast<uint16_t>(pivotYear * 7), picture);
    return 0;
}
