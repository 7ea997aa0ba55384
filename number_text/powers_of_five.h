#pragma once

// fast_float reads a decimal by multiplying its digits by a 128-bit power of
// five taken from a table of 651 of them, 5^-342 to 5^308: 10 KB, half of
// what reading numbers adds to the program. The table here takes its place,
// made on first use from the rule the library's own follows, and checked
// against it entry by entry in the tests. This header must come before
// fast_float's own: its parser then finds this table instead of the library's.

#include <cstdint>

#include <fast_float/float_common.h>
#include <fast_float/fast_table.h>

namespace fast_float {

template <>
struct powers_template<void> {
    constexpr static int smallest_power_of_five = binary_format<double>::smallest_power_of_ten();
    constexpr static int largest_power_of_five = binary_format<double>::largest_power_of_ten();
    constexpr static int number_of_entries = 2 * (largest_power_of_five - smallest_power_of_five + 1);
    // Each power's 128 bits from its leading one down, the upper half first.
    // (A reference, so that the table lies in the image's zeroed data, which
    // takes no room in the file.)
    static std::uint64_t (&power_of_five_128)[number_of_entries];
};

}  // namespace fast_float

// Fills the table the first time; later calls return at once.
void MakePowersOfFive();
