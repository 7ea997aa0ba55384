#include "decimal_reader.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

// A decimal D × 10^e is read in one of two ways. When D has at most 15
// digits and |e| is at most 22, D and 10^|e| are both exact doubles, and one
// multiplication or division rounds their product or quotient correctly:
// most of what anyone types. Otherwise the value is taken apart exactly, as
// the quotient of two integers times a power of two,
//     D × 10^e = (D × 5^e) / 1 × 2^e   or   D / 5^-e × 2^e,
// whose first 64 bits and whether anything is left over decide the
// rounding. That is slower, and takes no table.

namespace {

// An unsigned integer of up to kLimbs 32-bit limbs, the least significant
// first. The largest made below has under 2,800 bits (800 digits, divided by
// 5^1125 at most and shifted to a 64-bit quotient); an operation that would
// pass the capacity leaves the number as it is rather than write past it.
class BigNumber {
public:
    explicit BigNumber(std::uint32_t value) : m_size(value != 0) { m_limbs[0] = value; }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (int i = 0; i < m_size; ++i) {
            carry += std::uint64_t(m_limbs[i]) * factor;
            m_limbs[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0 && m_size < kLimbs)
            m_limbs[m_size++] = static_cast<std::uint32_t>(carry);
    }

    void MultiplyByPowerOfFive(std::int64_t exponent)
    {
        constexpr std::uint32_t kFiveToThe13 = 1220703125;  // the largest that fits
        for (; exponent >= 13; exponent -= 13)
            MultiplyAdd(kFiveToThe13, 0);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= 5;
        MultiplyAdd(rest, 0);
    }

    void ShiftLeft(int bits)
    {
        const int whole = bits / 32;
        const int part = bits % 32;
        if (m_size == 0 || m_size + whole + 1 > kLimbs)
            return;
        m_limbs[m_size + whole] = 0;
        for (int i = m_size - 1; i >= 0; --i) {
            const std::uint64_t wide = std::uint64_t(m_limbs[i]) << part;
            m_limbs[i + whole + 1] |= static_cast<std::uint32_t>(wide >> 32);
            m_limbs[i + whole] = static_cast<std::uint32_t>(wide);
        }
        std::memset(m_limbs, 0, sizeof m_limbs[0] * whole);
        m_size += whole + 1;
        Trim();
    }

    // The quotient by `divisor`, which must be less than 2^64, leaving what
    // is left over in this number, scaled by a power of two: nothing stays
    // nothing. Long division a limb at a time, each quotient limb guessed
    // from the leading limbs and put right by at most two.
    std::uint64_t Divide(BigNumber divisor)
    {
        const int n = divisor.m_size;
        const int normal = std::countl_zero(divisor.m_limbs[n - 1]);
        divisor.ShiftLeft(normal);
        ShiftLeft(normal);
        if (m_size >= kLimbs)
            return 0;
        m_limbs[m_size] = 0;  // every step has a limb above it
        const std::uint64_t lead = divisor.m_limbs[n - 1];
        const std::uint64_t second = n > 1 ? divisor.m_limbs[n - 2] : 0;
        std::uint64_t quotient = 0;
        for (int j = m_size - n; j >= 0; --j) {
            const std::uint64_t high = std::uint64_t(m_limbs[j + n]) << 32 | m_limbs[j + n - 1];
            std::uint64_t guess = high / lead;
            std::uint64_t rest = high % lead;
            while (guess > 0xFFFFFFFF ||
                   guess * second > (rest << 32 | (n > 1 ? m_limbs[j + n - 2] : 0))) {
                --guess;
                rest += lead;
                if (rest > 0xFFFFFFFF)
                    break;
            }
            std::int64_t borrow = 0;
            for (int i = 0; i < n; ++i) {
                const std::uint64_t product = guess * divisor.m_limbs[i];
                const std::int64_t left = std::int64_t(m_limbs[i + j]) - borrow - std::int64_t(product & 0xFFFFFFFF);
                m_limbs[i + j] = static_cast<std::uint32_t>(left);
                borrow = std::int64_t(product >> 32) - (left >> 32);
            }
            const std::int64_t left = std::int64_t(m_limbs[j + n]) - borrow;
            m_limbs[j + n] = static_cast<std::uint32_t>(left);
            if (left < 0) {  // the guess was one too many: add one divisor back
                --guess;
                std::uint64_t carry = 0;
                for (int i = 0; i < n; ++i) {
                    carry += std::uint64_t(m_limbs[i + j]) + divisor.m_limbs[i];
                    m_limbs[i + j] = static_cast<std::uint32_t>(carry);
                    carry >>= 32;
                }
                m_limbs[j + n] += static_cast<std::uint32_t>(carry);
            }
            quotient = quotient << 32 | guess;
        }
        ++m_size;
        Trim();
        return quotient;
    }

    bool NotLess(const BigNumber& other) const
    {
        if (m_size != other.m_size)
            return m_size > other.m_size;
        for (int i = m_size - 1; i >= 0; --i)
            if (m_limbs[i] != other.m_limbs[i])
                return m_limbs[i] > other.m_limbs[i];
        return true;
    }

    int BitLength() const
    {
        return m_size == 0 ? 0 : 32 * m_size - std::countl_zero(m_limbs[m_size - 1]);
    }

    bool IsZero() const { return m_size == 0; }

private:
    static constexpr int kLimbs = 100;

    void Trim()
    {
        while (m_size > 0 && m_limbs[m_size - 1] == 0)
            --m_size;
    }

    std::uint32_t m_limbs[kLimbs];
    int m_size;
};

// Digits kept of a longer number. Any digit past them that is not zero
// stands as one more digit 1: no point halfway between two doubles has more
// than 767 significant digits, so where past the 768th the rest begins
// never changes the rounding, only whether there is a rest at all.
constexpr int kKeptDigits = 800;

// An exponent this far out gives infinity or zero whatever the digits (a
// text would need as many of them to bring it back); the reading stops
// growing it there.
constexpr std::int64_t kExponentLimit = 1000000000000000;

double FromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// (quotient + a rest in [0, 1), more than nothing when `rest`) × 2^binary,
// quotient at least 2^63, rounded to the nearest double, ties to even.
double Round(std::uint64_t quotient, bool rest, std::int64_t binary)
{
    const std::int64_t leading = binary + 63;  // the power of two of the leading bit
    if (leading > 1023)
        return std::numeric_limits<double>::infinity();
    // Normal numbers keep 53 bits; below the normal range, fewer.
    const std::int64_t dropped = leading >= -1022 ? 11 : 11 + (-1022 - leading);
    if (dropped > 64)
        return 0.0;  // under half the smallest double
    const std::uint64_t kept = dropped == 64 ? 0 : quotient >> dropped;
    const std::uint64_t below = dropped == 64 ? quotient : quotient & ((std::uint64_t(1) << dropped) - 1);
    const std::uint64_t half = std::uint64_t(1) << (dropped - 1);
    const bool up = below > half || (below == half && (rest || (kept & 1) != 0));
    const std::uint64_t mantissa = kept + up;
    // Rounding up to the next power of two carries into the exponent field,
    // and from the largest double into infinity's pattern, by itself.
    if (leading < -1022)
        return FromBits(mantissa);
    return FromBits((std::uint64_t(leading + 1023) << 52) + (mantissa - (std::uint64_t(1) << 52)));
}

}  // namespace

double ReadDecimal(std::string_view literal)
{
    // D's digits, without leading zeros, and the power of ten of its last.
    unsigned char digits[kKeptDigits + 1];
    int count = 0;
    bool rest = false;
    std::int64_t scale = 0;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < literal.size() && literal[i] != 'e' && literal[i] != 'E'; ++i) {
        if (literal[i] == '.') {
            fraction = true;
            continue;
        }
        const unsigned char digit = static_cast<unsigned char>(literal[i] - '0');
        if (count < kKeptDigits && (count > 0 || digit != 0)) {
            digits[count++] = digit;
            scale -= fraction;
        } else if (count == 0) {
            scale -= fraction;  // a leading zero
        } else {
            rest = rest || digit != 0;
            scale += !fraction;  // a digit dropped before the point
        }
    }
    if (rest) {
        digits[count++] = 1;
        --scale;
    }
    while (count > 0 && digits[count - 1] == 0) {
        --count;
        ++scale;
    }
    if (count == 0)
        return 0.0;

    std::int64_t exponent = 0;
    bool negative = false;
    if (i < literal.size()) {
        ++i;
        if (literal[i] == '+' || literal[i] == '-')
            negative = literal[i++] == '-';
        for (; i < literal.size(); ++i)
            if (exponent < kExponentLimit)
                exponent = exponent * 10 + (literal[i] - '0');
    }
    const std::int64_t power = scale + (negative ? -exponent : exponent);

    // D × 10^power lies in [10^(count - 1 + power), 10^(count + power)).
    if (count + power > 309)
        return std::numeric_limits<double>::infinity();
    if (count + power < -323)
        return 0.0;

    if (count <= 15 && power >= -22 && power <= 22) {
        double whole = 0;
        for (int d = 0; d < count; ++d)
            whole = whole * 10 + digits[d];
        double ten = 1;
        for (std::int64_t p = power < 0 ? -power : power; p > 0; --p)
            ten *= 10;
        return power < 0 ? whole / ten : whole * ten;
    }

    // D × 10^power = top / bottom × 2^binary.
    BigNumber top(0);
    for (int d = 0; d < count; ++d)
        top.MultiplyAdd(10, digits[d]);
    BigNumber bottom(1);
    if (power >= 0)
        top.MultiplyByPowerOfFive(power);
    else
        bottom.MultiplyByPowerOfFive(-power);
    std::int64_t binary = power;

    // Scaled so that the quotient lies in [2^63, 2^64).
    const int shift = 63 - (top.BitLength() - bottom.BitLength());
    if (shift >= 0)
        top.ShiftLeft(shift);
    else
        bottom.ShiftLeft(-shift);
    binary -= shift;
    BigNumber limit = bottom;
    limit.ShiftLeft(63);
    if (!top.NotLess(limit)) {
        top.ShiftLeft(1);
        --binary;
    }
    const std::uint64_t quotient = top.Divide(bottom);
    return Round(quotient, !top.IsZero(), binary);
}
