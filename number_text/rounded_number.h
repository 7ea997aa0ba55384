#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Room for any text FormatRounded writes, terminator included.
inline constexpr std::size_t kRoundedNumberSize = 32;

// As many digits as any double's shortest text has: FormatRounded with
// kAllDigits rounds nothing away and gives the shortest text that reads
// back to the same double.
inline constexpr int kAllDigits = 17;

// `value` rounded to `digits` significant digits (1 to 17), for a field too
// narrow for its shortest text: plain or exponent notation, whichever is
// shorter (plain when they tie unless `tie` asks for the exponent), no
// trailing zeros, the exponent signed and with at least two digits
// ("1.111e-05", "140.5714", "2000"); "inf", "-inf" and "nan" whatever the
// sign bit of a not-a-number. Plain digits past the shortest ones are zeros
// ("123456789012345680000"), never digits nobody asked for.
//
// The rounding is of the shortest decimal text, half away from zero: the
// digits the user sees in full elsewhere (6.715806715806715) round as a
// person rounds them by hand (2.675 to three digits is 2.68, although the
// double nearest 2.675 lies just below it). Writes into `out`, which must
// hold kRoundedNumberSize characters, always terminated; returns the length.
enum class OnATie { Plain, Exponent };

// A double taken apart once for any number of roundings of it: what it is
// and, when finite and not zero, its shortest decimal, significand x
// 10^exponent, the significand `digits` long with no trailing zero.
struct ShortestDecimal {
    enum class Kind { Finite, Zero, Infinite, NotANumber };
    Kind kind;
    bool negative;
    std::uint64_t significand;
    int exponent;
    int digits;
};
ShortestDecimal ShortestDecimalOf(double value);

// `tied`, when given, is set to whether the two notations are as long, so
// that `tie` chose between them: only then does the other one differ.
std::size_t FormatRounded(const ShortestDecimal& value, int digits, char* out,
                          OnATie tie = OnATie::Plain, bool* tied = nullptr);
inline std::size_t FormatRounded(double value, int digits, char* out, OnATie tie = OnATie::Plain)
{
    return FormatRounded(ShortestDecimalOf(value), digits, out, tie);
}

// The text a field of limited width shows for `value`: its shortest text
// when `fits` accepts it, otherwise `value` rounded to as many significant
// digits as `fits` accepts (one at the least), never cut through. `fits`
// tells whether a text fits the field; the infinities and not-a-number are
// never rounded. Writes into `out` (kRoundedNumberSize characters); returns
// true when digits were rounded away.
template <class Fits>
bool FitRounded(double value, char* out, Fits fits)
{
    // Two notations as long in characters are not as wide in a proportional
    // font, so the exponent one gets its turn before a digit goes. The
    // shortest decimal is worked out once for every rounding tried.
    const ShortestDecimal decimal = ShortestDecimalOf(value);
    const auto shown = [&](int digits) {
        bool tied = false;
        FormatRounded(decimal, digits, out, OnATie::Plain, &tied);
        if (fits(static_cast<const char*>(out)))
            return true;
        if (!tied)
            return false;  // the other notation would write the same text
        char other[kRoundedNumberSize];
        FormatRounded(decimal, digits, other, OnATie::Exponent);
        if (!fits(static_cast<const char*>(other)))
            return false;
        std::memcpy(out, other, sizeof other);
        return true;
    };
    if (shown(kAllDigits) || !std::isfinite(value))
        return false;
    // Rounded to as many digits as it has or more, the shortest decimal is
    // the text just tried: the first that can differ has one digit less.
    int digits = decimal.digits - 1;
    if (digits < 1)
        digits = 1;
    while (!shown(digits) && digits > 1)
        --digits;
    return true;
}
