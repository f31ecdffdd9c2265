#pragma once

#include <cmath>
#include <cstdint>

namespace orvanek {

// Every real value that becomes an integer goes through here: nearest, ties to even
// (2.5 -> 2, 3.5 -> 4), as observers' older data sets were rounded.
inline double roundHalfEven(double value) {
    return std::nearbyint(value);
}

// Rounded and kept to the low 16 bits, as the record's unsigned words store it
// (a value beyond the word wraps, it is not clamped).
inline uint16_t roundToWord(double value) {
    const double r = std::nearbyint(value);
    if (!std::isfinite(r))
        return 0;
    return static_cast<uint16_t>(static_cast<int64_t>(std::fmod(r, 65536.0)));
}

} // namespace orvanek
