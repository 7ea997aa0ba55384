#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a double looks in an edit control and how edit text reads back.
//
// FormatNumber gives the shortest text that reads back to the same double
// ("6.715806715806715", "1968", "1e+21"), "inf" and "-inf" for the
// infinities, and "nan" for a not-a-number value whatever its sign bit.
std::string FormatNumber(double value);

// ParseNumber accepts surrounding blanks, one leading '+' or '-', decimal and
// exponent notation, and "inf", "infinity" and "nan" in any case, so every
// text FormatNumber makes reads back. Blank text reads as 0. A number too
// large for a double reads as the infinity of its sign, one too small as the
// correctly rounded tiny value or zero. Anything else (letters, two numbers,
// hexadecimal, a comma) is not a number: the result is empty.
std::optional<double> ParseNumber(std::string_view text);
