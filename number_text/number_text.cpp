#include "number_text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include <dragonbox/dragonbox.h>
#include <fast_float/fast_float.h>

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

// Appends to a NumberText, whose characters start all zero, so the text is
// always ended. Every text FormatNumber makes fits (see kMaxLength); a
// character past the end would be dropped, never written out of bounds.
class NumberTextWriter {
public:
    explicit NumberTextWriter(NumberText& text) : m_text(text) {}

    NumberTextWriter& operator+=(char c)
    {
        if (m_text.m_length < NumberText::kMaxLength)
            m_text.m_text[m_text.m_length++] = c;
        return *this;
    }
    NumberTextWriter& operator+=(const char* text)
    {
        while (*text != '\0')
            *this += *text++;
        return *this;
    }

private:
    NumberText& m_text;
};

namespace {

void AppendDigits(NumberTextWriter& text, const char* digits, int count)
{
    for (int i = 0; i < count; ++i)
        text += digits[i];
}

// d.ddde+XX, the exponent with at least two digits, as printf's %e writes it.
void AppendScientific(NumberTextWriter& text, const char* digits, int count, int exponent)
{
    text += digits[0];
    if (count > 1) {
        text += '.';
        AppendDigits(text, digits + 1, count - 1);
    }
    text += 'e';
    text += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100)
        text += static_cast<char>('0' + magnitude / 100);
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
}

// An integral double's exact value in decimal. When the shortest digits are
// followed by zeros, the plain notation shows the integer the double really
// holds (1234567890123456774144, not 1234567890123456700000), so it reads as
// the same number whichever way it is rounded back.
void AppendExactInteger(NumberTextWriter& text, double magnitude)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int shift = binaryExponent - 53;
    while (shift < 0 && mantissa % 2 == 0) {  // below 2^53 the shift is undone
        mantissa /= 2;
        ++shift;
    }

    // Base 10^9 limbs, least significant first: doubling a limb stays far
    // inside 64 bits.
    constexpr std::uint32_t kBase = 1000000000;
    std::uint32_t limbs[40] = {
        static_cast<std::uint32_t>(mantissa % kBase),
        static_cast<std::uint32_t>(mantissa / kBase % kBase),
        static_cast<std::uint32_t>(mantissa / kBase / kBase),
    };
    int used = 3;
    for (; shift > 0; shift -= 16) {
        const int step = shift < 16 ? shift : 16;
        std::uint64_t carry = 0;
        for (int i = 0; i < used; ++i) {
            const std::uint64_t product = (std::uint64_t{limbs[i]} << step) + carry;
            limbs[i] = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        if (carry != 0)
            limbs[used++] = static_cast<std::uint32_t>(carry);
    }
    while (used > 1 && limbs[used - 1] == 0)
        --used;

    char digits[9];
    for (int i = used - 1; i >= 0; --i) {
        std::uint32_t limb = limbs[i];
        for (int d = 8; d >= 0; --d) {
            digits[d] = static_cast<char>('0' + limb % 10);
            limb /= 10;
        }
        int skip = 0;
        if (i == used - 1)
            while (skip < 8 && digits[skip] == '0')
                ++skip;
        AppendDigits(text, digits + skip, 9 - skip);
    }
}

}  // namespace

NumberText FormatNumber(double value)
{
    NumberText result;
    NumberTextWriter text(result);
    if (std::isnan(value)) {
        text += "nan";
        return result;
    }
    if (std::signbit(value))
        text += '-';
    if (std::isinf(value)) {
        text += "inf";
        return result;
    }
    if (value == 0.0) {
        text += '0';
        return result;
    }

    // The shortest digits that read back to the same double, nearest to it
    // when several are as short: value = significand * 10^exponent.
    namespace policy = jkj::dragonbox::policy;
    const auto decimal = jkj::dragonbox::to_decimal(
        value, policy::sign::ignore, policy::cache::compact);
    char digits[20];
    int count = 0;
    for (auto s = decimal.significand; s != 0; s /= 10)
        digits[count++] = static_cast<char>('0' + s % 10);
    for (int i = 0; i < count / 2; ++i) {
        const char c = digits[i];
        digits[i] = digits[count - 1 - i];
        digits[count - 1 - i] = c;
    }
    const int exponent = decimal.exponent;
    const int pointAt = count + exponent;  // digits before the decimal point

    // Plain or scientific notation, whichever is shorter; plain on a tie.
    const int scientificExponent = pointAt - 1;
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 +
        (scientificExponent >= 100 || scientificExponent <= -100 ? 3 : 2);
    const int plainLength =
        exponent >= 0 ? pointAt : pointAt > 0 ? count + 1 : 2 - exponent;
    if (plainLength > scientificLength) {
        AppendScientific(text, digits, count, scientificExponent);
    } else if (exponent >= 0) {
        AppendExactInteger(text, std::fabs(value));
    } else if (pointAt > 0) {
        AppendDigits(text, digits, pointAt);
        text += '.';
        AppendDigits(text, digits + pointAt, count - pointAt);
    } else {
        text += "0.";
        for (int i = 0; i < -pointAt; ++i)
            text += '0';
        AppendDigits(text, digits, count);
    }
    return result;
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
        // Correctly rounded; a number too large for a double comes back as
        // infinity and one too small as zero, without an error.
        const char* end = text.data() + text.size();
        const auto result = fast_float::from_chars(text.data(), end, value);
        if (result.ec != std::errc() || result.ptr != end)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return negative ? -value : value;
}
