#pragma once

#include <cmath>
#include <cstddef>

// Room for any text FormatRounded writes, terminator included.
inline constexpr std::size_t kRoundedNumberSize = 32;

// As many digits as any double's shortest text has: FormatRounded with
// kAllDigits rounds nothing away and gives the shortest text that reads
// back to the same double.
inline constexpr int kAllDigits = 17;

// `value` rounded to `digits` significant digits (1 to 17), for a field too
// narrow for its shortest text, with FormatNumber's conventions: plain or
// exponent notation, whichever is shorter (plain when they tie), no trailing
// zeros, the exponent signed and with at least two digits ("1.111e-05",
// "140.5714", "2000"); "inf", "-inf" and "nan" as they are.
//
// The rounding is of the shortest decimal text, half away from zero: the
// digits the user sees in full elsewhere (6.715806715806715) round as a
// person rounds them by hand (2.675 to three digits is 2.68, although the
// double nearest 2.675 lies just below it). Writes into `out`, which must
// hold kRoundedNumberSize characters, always terminated; returns the length.
std::size_t FormatRounded(double value, int digits, char* out);

// The text a field of limited width shows for `value`: its shortest text
// when `fits` accepts it, otherwise `value` rounded to as many significant
// digits as `fits` accepts (one at the least), never cut through. `fits`
// tells whether a text fits the field; the infinities and not-a-number are
// never rounded. Writes into `out` (kRoundedNumberSize characters); returns
// true when digits were rounded away.
template <class Fits>
bool FitRounded(double value, char* out, Fits fits)
{
    FormatRounded(value, kAllDigits, out);
    if (!std::isfinite(value) || fits(static_cast<const char*>(out)))
        return false;
    for (int digits = kAllDigits - 1; digits >= 1; --digits) {
        FormatRounded(value, digits, out);
        if (digits == 1 || fits(static_cast<const char*>(out)))
            break;
    }
    return true;
}
