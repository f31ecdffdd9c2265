#include "data/numberformat.h"

#include "solar/rounding.h"

#include <cmath>
#include <cstdint>

namespace orvanek {

namespace {
bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}
} // namespace

std::string formatNumberAscii(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");

    const size_t semicolon = pattern.find(';');
    const std::string_view positive = pattern.substr(0, semicolon);
    const std::string_view negative =
        semicolon == std::string_view::npos ? std::string_view() : pattern.substr(semicolon + 1);

    auto countDecimals = [](std::string_view section) {
        const size_t point = section.find('.');
        int n = 0;
        if (point != std::string_view::npos)
            for (char c : section.substr(point + 1))
                n += isPlaceholder(c) ? 1 : 0;
        return n;
    };

    // The section is chosen by the sign of the rounded value.
    int decimals = countDecimals(positive);
    double scaled = roundHalfEven(std::fabs(value) * std::pow(10.0, decimals));
    const bool isNegative = value < 0 && scaled != 0;
    std::string_view section = positive;
    bool prefixMinus = false;
    if (!std::isfinite(scaled)) // beyond what a double holds with these decimals
        return value < 0 ? "-INF" : "INF";
    if (isNegative) {
        if (semicolon != std::string_view::npos && !negative.empty()) {
            section = negative;
            const int negativeDecimals = countDecimals(negative);
            if (negativeDecimals != decimals) {
                decimals = negativeDecimals;
                scaled = roundHalfEven(std::fabs(value) * std::pow(10.0, decimals));
            }
        } else {
            prefixMinus = true;
        }
    }

    const size_t point = section.find('.');
    const std::string_view intPart = section.substr(0, point);
    const std::string_view decPart =
        point == std::string_view::npos ? std::string_view() : section.substr(point + 1);

    // Split the scaled integer into whole and decimal digits.
    std::string digits = scaled < 1e18 ? std::to_string(static_cast<int64_t>(scaled))
                                       : std::to_string(static_cast<long double>(scaled));
    if (const size_t dot = digits.find('.'); dot != std::string::npos)
        digits.resize(dot);
    while (static_cast<int>(digits.size()) <= decimals)
        digits.insert(digits.begin(), '0');
    std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    std::string fraction = digits.substr(digits.size() - static_cast<size_t>(decimals));
    if (whole == "0")
        whole.clear();

    // Decimals: trailing zeros beyond the last '0' placeholder are not written.
    int minDecimals = 0, placeholderIndex = 0;
    for (char c : decPart) {
        if (isPlaceholder(c)) {
            ++placeholderIndex;
            if (c == '0')
                minDecimals = placeholderIndex;
        }
    }
    while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0')
        fraction.pop_back();

    // Whole digits: at least as many as there are placeholders from the first '0' on.
    int minWhole = 0;
    bool seenZero = false;
    for (char c : intPart) {
        if (c == '0')
            seenZero = true;
        if (seenZero && isPlaceholder(c))
            ++minWhole;
    }
    while (static_cast<int>(whole.size()) < minWhole)
        whole.insert(whole.begin(), '0');

    // Fill the placeholders of the whole part from the right; the leftmost takes the rest.
    std::string out;
    int placeholdersLeft = 0;
    for (char c : intPart)
        placeholdersLeft += isPlaceholder(c) ? 1 : 0;
    std::string left;
    size_t wholeLeft = whole.size();
    for (size_t i = intPart.size(); i-- > 0;) {
        const char c = intPart[i];
        if (!isPlaceholder(c)) {
            left.insert(left.begin(), c);
            continue;
        }
        --placeholdersLeft;
        if (placeholdersLeft == 0) {
            left.insert(0, whole.substr(0, wholeLeft));
            wholeLeft = 0;
        } else if (wholeLeft > 0) {
            left.insert(left.begin(), whole[--wholeLeft]);
        }
    }
    if (prefixMinus)
        out += '-';
    // A pattern without any whole-part placeholder still shows a whole part that is not 0.
    if (wholeLeft > 0)
        left += whole.substr(0, wholeLeft);
    out += left;

    if (!fraction.empty()) {
        out += '.';
        size_t next = 0;
        for (char c : decPart) {
            if (isPlaceholder(c)) {
                if (next < fraction.size())
                    out += fraction[next++];
            } else {
                out += c;
            }
        }
    }
    return out;
}

QString formatNumber(double value, std::string_view pattern) {
    return QString::fromLatin1(formatNumberAscii(value, pattern));
}

QString formatInt5(int value) {
    return QString::number(value).rightJustified(5, QLatin1Char(' '));
}

} // namespace orvanek
