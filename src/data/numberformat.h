#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orvanek {

// Formats a number with a picture pattern such as "0.0", "##0.00", "###", "###.#",
// "00", "0000" or " 00;-00": '0' is a digit always written, '#' a digit written only when
// significant, '.' the decimal point (dropped when no decimal digit follows), ';' starts
// the pattern for negative values, every other character is copied. The value is rounded
// (ties to even) to as many decimals as the pattern has; a value that rounds to zero uses
// the first pattern.
std::string formatNumberAscii(double value, std::string_view pattern);
QString formatNumber(double value, std::string_view pattern);

// "%5d": the integer right-aligned in five characters (wider numbers are not cut).
QString formatInt5(int value);

} // namespace orvanek
