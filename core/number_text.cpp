#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

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
// Checked here rather than left to from_chars so that nothing beyond this
// grammar (such as "nan(...)") slips through.
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

// from_chars reports a result that rounds to zero or overflows as out of
// range without giving a value. Which of the two it was follows from the
// decimal exponent of the first significant digit, which for such a
// literal is far from zero either way.
bool Overflows(std::string_view s)
{
    long long exponent = 0;
    std::size_t i = 0;
    while (i < s.size() && s[i] == '0')
        ++i;
    const std::size_t intStart = i;
    i = SkipDigits(s, i);
    exponent = static_cast<long long>(i - intStart);
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (exponent == 0) {
            while (i < s.size() && s[i] == '0') {
                --exponent;
                ++i;
            }
        }
        i = SkipDigits(s, i);
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (s[i] == '+' || s[i] == '-')
            negative = s[i++] == '-';
        long long written = 0;
        for (; i < s.size(); ++i) {
            if (written < 1000000000LL)  // saturate: far past any double
                written = written * 10 + (s[i] - '0');
        }
        exponent += negative ? -written : written;
    }
    return exponent > 0;
}

}  // namespace

std::string FormatNumber(double value)
{
    if (std::isnan(value))
        return "nan";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

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
        const char* end = text.data() + text.size();
        const auto result = std::from_chars(text.data(), end, value);
        if (result.ec == std::errc::result_out_of_range)
            value = Overflows(text) ? std::numeric_limits<double>::infinity() : 0.0;
        else if (result.ec != std::errc() || result.ptr != end)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return negative ? -value : value;
}
