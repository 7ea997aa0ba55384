#include <float.h>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "win_app.h"

namespace {

// Whatever state the process starts in, the start-up leaves every
// floating-point exception masked and, on 32-bit x86, the x87 unit rounding
// to double. (On x86-64 every double operation runs on SSE2, which has no
// precision setting: there the exception masks are what the start-up sets.)
TEST(StartUp, MasksExceptionsAndRoundsToDouble)
{
#if defined(__i386__)
    _controlfp(_PC_64, _MCW_PC);
#endif
    _controlfp(_MCW_EM & ~(_EM_ZERODIVIDE | _EM_INVALID), _MCW_EM);

    AfxSetDoubleArithmetic();

    const unsigned control = _controlfp(0, 0);
    EXPECT_EQ(control & _MCW_EM, static_cast<unsigned>(_MCW_EM));

    volatile double zero = 0.0;
    EXPECT_EQ(1.0 / zero, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(zero / zero));

#if defined(__i386__)
    EXPECT_EQ(control & _MCW_PC, static_cast<unsigned>(_PC_53));

    // Long double arithmetic runs on the x87 unit: with 53-bit precision
    // its quotient is the double quotient.
    volatile long double one = 1.0L;
    volatile long double three = 3.0L;
    const long double third = one / three;
    EXPECT_EQ(third, static_cast<long double>(1.0 / 3.0));
#endif
}

}  // namespace
