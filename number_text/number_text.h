#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The text of one number, held in place: no double's text is longer than
// kMaxLength characters (the longest is a negative number in scientific
// notation with 17 digits and a three-digit exponent,
// "-2.2250738585072014e-308").
class NumberText {
public:
    static constexpr std::size_t kMaxLength = 24;

    const char* c_str() const { return m_text; }
    std::size_t size() const { return m_length; }
    std::string_view view() const { return {m_text, m_length}; }
    operator std::string_view() const { return view(); }

    friend bool operator==(const NumberText& a, std::string_view b) { return a.view() == b; }

private:
    friend class NumberTextWriter;

    char m_text[kMaxLength + 1] = {};
    std::size_t m_length = 0;
};

// How a double looks in an edit control and how edit text reads back.
//
// FormatNumber gives the shortest text that reads back to the same double
// ("6.715806715806715", "1968", "1e+21"), "inf" and "-inf" for the
// infinities, and "nan" for a not-a-number value whatever its sign bit.
NumberText FormatNumber(double value);

// ParseNumber accepts surrounding blanks, one leading '+' or '-', decimal and
// exponent notation, and "inf", "infinity" and "nan" in any case, so every
// text FormatNumber makes reads back. Blank text reads as 0. A number too
// large for a double reads as the infinity of its sign, one too small as the
// correctly rounded tiny value or zero. Anything else (letters, two numbers,
// hexadecimal, a comma) is not a number: the result is empty.
std::optional<double> ParseNumber(std::string_view text);
