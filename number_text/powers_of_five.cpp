#include "powers_of_five.h"

namespace {

using Powers = fast_float::powers_template<void>;

std::uint64_t g_powers[Powers::number_of_entries];

// A natural number of up to 32 x 32 bits, least significant word first:
// enough for 2^960, from which the negative powers are divided down, and for
// 5^308 (716 bits).
class Wide {
public:
    explicit Wide(int powerOfTwo)
    {
        m_words[powerOfTwo / 32] = std::uint32_t(1) << (powerOfTwo % 32);
        m_size = powerOfTwo / 32 + 1;
    }

    void MultiplyBy5()
    {
        std::uint64_t carry = 0;
        for (int i = 0; i < m_size; ++i) {
            carry += std::uint64_t(m_words[i]) * 5;
            m_words[i] = std::uint32_t(carry);
            carry >>= 32;
        }
        if (carry != 0)
            m_words[m_size++] = std::uint32_t(carry);
    }

    // Rounds down: floor(floor(a / b) / 5) is floor(a / 5b), so dividing
    // step by step gives each quotient exactly. Sixteen bits at a time, so
    // that every step fits 32 bits (a 64-bit division would bring a helper
    // routine into the 32-bit program).
    void DivideBy5()
    {
        std::uint32_t remainder = 0;
        for (int i = m_size - 1; i >= 0; --i) {
            const std::uint32_t high = remainder << 16 | m_words[i] >> 16;
            remainder = high % 5;
            const std::uint32_t low = remainder << 16 | (m_words[i] & 0xFFFF);
            remainder = low % 5;
            m_words[i] = (high / 5) << 16 | low / 5;
        }
        while (m_size > 1 && m_words[m_size - 1] == 0)
            --m_size;
    }

    // The 128 bits from the leading one down, cut off below (a number of
    // fewer bits is followed by zeros), into `entry` upper half first.
    void WriteLeading128(std::uint64_t* entry) const
    {
        int bits = 32 * (m_size - 1);
        for (std::uint32_t top = m_words[m_size - 1]; top != 0; top >>= 1)
            ++bits;
        entry[0] = std::uint64_t(Bits32(bits - 32)) << 32 | Bits32(bits - 64);
        entry[1] = std::uint64_t(Bits32(bits - 96)) << 32 | Bits32(bits - 128);
    }

private:
    // The 32 bits from bit `from` up; bits below bit 0 are zeros.
    std::uint32_t Bits32(int from) const
    {
        if (from <= -32)
            return 0;
        if (from < 0)
            return Word(0) << -from;
        const int offset = from % 32;
        const std::uint32_t low = Word(from / 32) >> offset;
        return offset == 0 ? low : low | Word(from / 32 + 1) << (32 - offset);
    }
    std::uint32_t Word(int i) const { return i < m_size ? m_words[i] : 0; }

    std::uint32_t m_words[32] = {};
    int m_size = 1;
};

}  // namespace

std::uint64_t (&fast_float::powers_template<void>::power_of_five_128)[number_of_entries] = g_powers;

namespace {

std::uint64_t* Entry(int power)
{
    return Powers::power_of_five_128 + 2 * (power - Powers::smallest_power_of_five);
}

}  // namespace

void MakePowersOfFive()
{
    static bool made = false;
    if (made)
        return;
    // 5^0 to 5^308, cut off below.
    Wide power(0);
    for (int q = 0; q <= Powers::largest_power_of_five; ++q) {
        power.WriteLeading128(Entry(q));
        power.MultiplyBy5();
    }
    // 5^-1 to 5^-342: the leading 128 bits of 2^960 / 5^k (at least 128 bits
    // are left at k = 342). Down to 5^-27 the library rounds them up by one
    // unit; below, it cuts them off.
    Wide reciprocal(960);
    for (int q = -1; q >= Powers::smallest_power_of_five; --q) {
        reciprocal.DivideBy5();
        std::uint64_t* entry = Entry(q);
        reciprocal.WriteLeading128(entry);
        if (q >= -27 && ++entry[1] == 0)
            ++entry[0];
    }
    made = true;
}
