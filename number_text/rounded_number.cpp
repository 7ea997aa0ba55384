#include "rounded_number.h"

#include <cmath>
#include <cstdint>

#include <dragonbox/dragonbox.h>

namespace {

int CountDigits(std::uint64_t value)
{
    int count = 0;
    for (; value != 0; value /= 10)
        ++count;
    return count;
}

std::uint64_t PowerOfTen(int n)
{
    std::uint64_t power = 1;
    while (n-- > 0)
        power *= 10;
    return power;
}

class Writer {
public:
    explicit Writer(char* out) : m_out(out) {}
    void Put(char c) { m_out[m_length++] = c; }
    void Put(const char* text, int count)
    {
        for (int i = 0; i < count; ++i)
            Put(text[i]);
    }
    void Repeat(char c, int count)
    {
        for (int i = 0; i < count; ++i)
            Put(c);
    }
    std::size_t Finish()
    {
        m_out[m_length] = '\0';
        return m_length;
    }
private:
    char* m_out;
    std::size_t m_length = 0;
};

// Lengths of digits[0..count) x 10^exponent in the two notations.
int PlainLength(int count, int exponent)
{
    const int point = count + exponent;  // digits before the decimal point
    if (exponent >= 0)
        return point;
    return point > 0 ? count + 1 : 2 - point + count;
}

int ScientificLength(int count, int exponent)
{
    const int leading = exponent + count - 1;
    const int magnitude = leading < 0 ? -leading : leading;
    return count + (count > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
}

void WritePlain(Writer& out, const char* digits, int count, int exponent)
{
    const int point = count + exponent;
    if (exponent >= 0) {
        out.Put(digits, count);
        out.Repeat('0', exponent);
    } else if (point > 0) {
        out.Put(digits, point);
        out.Put('.');
        out.Put(digits + point, count - point);
    } else {
        out.Put("0.", 2);
        out.Repeat('0', -point);
        out.Put(digits, count);
    }
}

// d.ddde+XX, the exponent with at least two digits.
void WriteScientific(Writer& out, const char* digits, int count, int exponent)
{
    const int leading = exponent + count - 1;
    out.Put(digits[0]);
    if (count > 1) {
        out.Put('.');
        out.Put(digits + 1, count - 1);
    }
    out.Put('e');
    out.Put(leading < 0 ? '-' : '+');
    const int magnitude = leading < 0 ? -leading : leading;
    if (magnitude >= 100)
        out.Put(static_cast<char>('0' + magnitude / 100));
    out.Put(static_cast<char>('0' + magnitude / 10 % 10));
    out.Put(static_cast<char>('0' + magnitude % 10));
}

}  // namespace

// The shortest decimal that reads back to the value, nearest to it when
// several are as short.
ShortestDecimal ShortestDecimalOf(double value)
{
    ShortestDecimal decimal{ShortestDecimal::Kind::Finite, std::signbit(value) != 0, 0, 0, 0};
    if (std::isnan(value)) {
        decimal.kind = ShortestDecimal::Kind::NotANumber;
    } else if (std::isinf(value)) {
        decimal.kind = ShortestDecimal::Kind::Infinite;
    } else if (value == 0.0) {
        decimal.kind = ShortestDecimal::Kind::Zero;
    } else {
        namespace policy = jkj::dragonbox::policy;
        const auto shortest = jkj::dragonbox::to_decimal(std::fabs(value), policy::sign::ignore,
                                                         policy::cache::compact);
        decimal.significand = shortest.significand;
        decimal.exponent = shortest.exponent;
        decimal.digits = CountDigits(shortest.significand);
    }
    return decimal;
}

std::size_t FormatRounded(const ShortestDecimal& value, int digits, char* out, OnATie tie, bool* tied)
{
    Writer text(out);
    if (tied != nullptr)
        *tied = false;
    if (value.kind == ShortestDecimal::Kind::NotANumber) {
        text.Put("nan", 3);
        return text.Finish();
    }
    if (value.negative)
        text.Put('-');
    if (value.kind == ShortestDecimal::Kind::Infinite) {
        text.Put("inf", 3);
        return text.Finish();
    }
    if (value.kind == ShortestDecimal::Kind::Zero) {
        text.Put('0');
        return text.Finish();
    }

    std::uint64_t significand = value.significand;
    int exponent = value.exponent;
    digits = digits < 1 ? 1 : digits > 17 ? 17 : digits;
    const int dropped = value.digits - digits;
    if (dropped > 0) {
        const std::uint64_t unit = PowerOfTen(dropped);
        const std::uint64_t rest = significand % unit;
        significand /= unit;
        exponent += dropped;
        if (rest >= unit / 2)  // half away from zero
            ++significand;
        while (significand % 10 == 0) {  // 9.99 -> 10.0 -> 1e1, and any zeros
            significand /= 10;
            ++exponent;
        }
    }

    char digitText[20];
    const int count = CountDigits(significand);
    for (int i = count - 1; i >= 0; --i, significand /= 10)
        digitText[i] = static_cast<char>('0' + significand % 10);

    const int plain = PlainLength(count, exponent);
    const int scientific = ScientificLength(count, exponent);
    if (tied != nullptr)
        *tied = plain == scientific;
    if (plain < scientific || (plain == scientific && tie == OnATie::Plain))
        WritePlain(text, digitText, count, exponent);
    else
        WriteScientific(text, digitText, count, exponent);
    return text.Finish();
}
