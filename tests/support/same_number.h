#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

// The bit pattern of a double, so that results compare exactly, with NaN
// and -0.0 kept apart from their look-alikes.
inline std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The same double to the bit; any NaN matches any NaN, since the text of a
// NaN does not keep its sign or payload.
inline bool SameNumber(double actual, double expected)
{
    if (std::isnan(expected))
        return std::isnan(actual);
    return Bits(actual) == Bits(expected);
}
