#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "number_text.h"
#include "rounded_number.h"
#include "support/same_number.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The shortest decimal that reads back, rounded half away from zero, in the
// shorter notation, without trailing zeros.
TEST(FormatRounded, RoundsTheShortestDecimalHalfAwayFromZero)
{
    struct Case {
        double value;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {1.1111111111111112e-05, 4, "1.111e-05"},
        {984.0 / 7, 7, "140.5714"},
        {585.0 / 142, 6, "4.11972"},
        {2.675, 3, "2.68"},  // the double lies below 2.675, its shortest text does not
        {0.125, 2, "0.13"},  // a tie goes away from zero
        {9.99, 2, "10"},
        {99999.5, 5, "1e+05"},
        {25.000000000000004, 16, "25"},
        {984.0 / 0.5, 2, "2000"},  // plain when not longer than 2e+03
        {std::numeric_limits<double>::max(), 3, "1.8e+308"},
        {-1.2345678901234567e300, 4, "-1.235e+300"},
        {984.0 / 146.52, kAllDigits, "6.715806715806715"},
        {0.1, kAllDigits, "0.1"},  // not the double's own 0.10000000000000001
        {25.000000000000004, kAllDigits, "25.000000000000004"},
        {1e-3, kAllDigits, "0.001"},  // as long as 1e-03
        {1.2345678901234568e20, kAllDigits, "123456789012345680000"},
        {std::numeric_limits<double>::denorm_min(), kAllDigits, "5e-324"},
        {-std::numeric_limits<double>::min(), kAllDigits, "-2.2250738585072014e-308"},  // the longest
        {-0.0, 3, "-0"},
        {kInf, 3, "inf"},
        {-kInf, kAllDigits, "-inf"},
        {-std::numeric_limits<double>::quiet_NaN(), 3, "nan"},
    };
    for (const Case& test : cases) {
        char text[kRoundedNumberSize];
        EXPECT_EQ(FormatRounded(test.value, test.digits, text), std::strlen(test.text));
        EXPECT_STREQ(text, test.text) << test.digits << " digits";
    }
}

// A field `width` units wide, measured as a proportional font does: two
// units a character, one for the narrow point. The full text when it fits,
// else the most digits that fit, one digit when none do, never a cut text.
TEST(FitRounded, ShowsTheMostDigitsThatFit)
{
    struct Case {
        double value;
        int width;
        const char* text;
        bool rounded;
    };
    const Case cases[] = {
        {984.0 / 146.52, 33, "6.715806715806715", false},
        {984.0 / 146.52, 15, "6.715807", true},
        {1.1111111111111112e-05, 17, "1.111e-05", true},
        {1.1111111111111112e-05, 4, "1e-05", true},
        {kInf, 2, "inf", false},
        // Plain and exponent notation are as long ("41500000", "4.15e+07");
        // only the exponent one, with its narrow point, fits.
        {41490052.71543661979, 15, "4.15e+07", true},
        {41500000.0, 15, "4.15e+07", false},
    };
    for (const Case& test : cases) {
        char text[kRoundedNumberSize];
        const auto fits = [&test](const char* shown) {
            int width = 0;
            for (; *shown != '\0'; ++shown)
                width += *shown == '.' ? 1 : 2;
            return width <= test.width;
        };
        EXPECT_EQ(FitRounded(test.value, text, fits), test.rounded) << test.text;
        EXPECT_STREQ(text, test.text);
    }
}

struct ParseCase {
    std::string text;
    std::optional<double> value;  // empty: not a number
};

TEST(ParseNumber, AcceptsNumbersAndRejectsEverythingElse)
{
    const ParseCase cases[] = {
        {"", 0.0},
        {"   ", 0.0},
        {"\t 12.5 \r\n", 12.5},
        {"+7.2", 7.2},
        {"-7.2", -7.2},
        {"-0", -0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E+3", 1000.0},
        {"2.5e-3", 0.0025},
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"1e999999999999999999999", kInf},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0.000000000000000000001e-310", 0.0},
        {"1e-320", 9.99988671826831e-321},
        {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4703282292062327e-324", 0.0},  // just under half the smallest
        {"1.7976931348623158e308", std::numeric_limits<double>::max()},
        {"1.7976931348623159e308", kInf},  // rounds past the largest
        {"-1.7976931348623159e308", -kInf},
        {"1797693134862315799999", 1.7976931348623157e+21},
        {"9007199254740993", 9007199254740992.0},  // halfway: to the even one
        {"9007199254740995", 9007199254740996.0},
        {"2.2250738585072011e-308", 2.2250738585072009e-308},  // the largest below normal
        {"2.2250738585072012e-308", 2.2250738585072014e-308},  // the smallest normal
        // Rounded once: a product rounded first to the x87 unit's 64 bits
        // and then to 53 lands one unit off.
        {"2.0466713949483e+24", 2.0466713949483e+24},
        {"3.22704956115555e+22", 3.22704956115555e+22},
        {"inf", kInf},
        {"INF", kInf},
        {"-Infinity", -kInf},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1,5", std::nullopt},
        {"0x10", std::nullopt},
        {"+-1", std::nullopt},
        {"--1", std::nullopt},
        {"++1", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"e5", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"nan(1)", std::nullopt},
        {"infinit", std::nullopt},
        {"1.2.3", std::nullopt},
        {"\xC2\xBD", std::nullopt},  // a vulgar half, in UTF-8
        {std::string("1\0" "2", 3), std::nullopt},
    };
    for (const ParseCase& c : cases) {
        const auto value = ParseNumber(c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (value)
            EXPECT_EQ(Bits(*value), Bits(*c.value)) << '"' << c.text << '"';
    }
}

TEST(ParseNumber, ReadsNotANumberInAnyCaseAndSign)
{
    for (const char* text : {"nan", "NaN", "NAN", "-nan", "+nan", " nan "}) {
        const auto value = ParseNumber(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_TRUE(std::isnan(*value)) << text;
    }
}

TEST(ParseNumber, ReadsAVeryLongNumber)
{
    std::string digits = "1" + std::string(29999, '0');
    EXPECT_EQ(ParseNumber(digits), kInf);
    std::string fraction = "0." + std::string(29997, '0') + "1";
    EXPECT_EQ(Bits(*ParseNumber(fraction)), Bits(0.0));
    std::string longOne = "1." + std::string(29998, '0');
    EXPECT_EQ(ParseNumber(longOne), 1.0);
    std::string nearlyTwo = "1." + std::string(29998, '9');
    EXPECT_EQ(ParseNumber(nearlyTwo), 2.0);
    // Exactly halfway between 1 and the next double: to the even one, unless
    // a digit far past the ones that can matter says it lies above.
    const std::string half = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(ParseNumber(half), 1.0);
    EXPECT_EQ(ParseNumber(half + std::string(900, '0') + "1"), 1.0000000000000002);
    EXPECT_EQ(ParseNumber(half + std::string(900, '0')), 1.0);
}

TEST(ParseNumber, ReadsBackEveryFormattedDouble)
{
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        char text[kRoundedNumberSize];
        FormatRounded(value, kAllDigits, text);
        const auto back = ParseNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        if (std::isnan(value))
            EXPECT_TRUE(std::isnan(*back));
        else
            ASSERT_EQ(Bits(*back), bits) << text;
    }
}

}  // namespace
