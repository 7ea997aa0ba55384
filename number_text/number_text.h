#pragma once

#include <optional>
#include <string_view>

// How edit text reads back as a double.
//
// ParseNumber accepts surrounding blanks, one leading '+' or '-', decimal and
// exponent notation, and "inf", "infinity" and "nan" in any case, so every
// text FormatRounded makes reads back. Blank text reads as 0. A number too
// large for a double reads as the infinity of its sign, one too small as the
// correctly rounded tiny value or zero. Anything else (letters, two numbers,
// hexadecimal, a comma) is not a number: the result is empty.
std::optional<double> ParseNumber(std::string_view text);
