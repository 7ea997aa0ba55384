#include "number_text.h"

#include <limits>

#include "decimal_reader.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerWord)
{
    if (text.size() != lowerWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerWord[i])
            return false;
    }
    return true;
}

std::size_t SkipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

// digits [. digits] [e|E [+|-] digits], with at least one mantissa digit.
// Checked here rather than left to the reader so that nothing beyond this
// grammar (such as "nan(...)" or "0x1p3") slips through.
bool IsDecimalLiteral(std::string_view s)
{
    std::size_t i = SkipDigits(s, 0);
    std::size_t mantissaDigits = i;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionStart = i + 1;
        i = SkipDigits(s, fractionStart);
        mantissaDigits += i - fractionStart;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        i = SkipDigits(s, exponentStart);
        if (i == exponentStart)
            return false;
    }
    return i == s.size();
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return 0.0;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    double value = 0.0;
    if (EqualsIgnoringCase(text, "inf") || EqualsIgnoringCase(text, "infinity")) {
        value = std::numeric_limits<double>::infinity();
    } else if (EqualsIgnoringCase(text, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
    } else if (IsDecimalLiteral(text)) {
        // Correctly rounded; a number too large for a double comes back as
        // infinity and one too small as zero, without an error.
        value = ReadDecimal(text);
    } else {
        return std::nullopt;
    }
    return negative ? -value : value;
}
