#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "bad_field_message.h"
#include "support/fake_window.h"
#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What a user can leave in an edit field, and what the read pass makes of
// it: the number it reads as, or (no number) the message, with the pass
// stopped at that field.
struct BadInput {
    const char* what;
    std::string text;             // typed into Proposed Power
    std::optional<double> shown;  // or, instead of typing: a result shown there
    std::optional<double> reads;  // empty: not a number; NaN: any NaN
};

const BadInput kBadInputs[] = {
    {"empty", "", {}, 0.0},
    {"blank", " \t ", {}, 0.0},
    {"blanks around a number", "\t12.5 \r\n", {}, 12.5},
    {"letters", "abc", {}, {}},
    {"trailing letters", "12abc", {}, {}},
    {"two numbers", "1 2", {}, {}},
    {"decimal comma", "1,5", {}, {}},
    {"hexadecimal", "0x10", {}, {}},
    {"too large", "1e999", {}, kInf},
    {"too large, negative", "-1e999", {}, -kInf},
    {"too small", "1e-400", {}, 0.0},
    {"minus zero", "-0", {}, -0.0},
    {"not a number", "nan", {}, kNaN},
    {"infinity in capitals", "INF", {}, kInf},
    {"plus sign", "+7.2", {}, 7.2},
    {"30,000 characters", "0." + std::string(29998, '3'), {}, 1.0 / 3.0},
    {"30,000 characters, leading zeros", std::string(29996, '0') + "7.25", {}, 7.25},
    {"UTF-8 fullwidth digits", "\xEF\xBC\x97.\xEF\xBC\x92", {}, {}},
    {"UTF-8 minus sign", "\xE2\x88\x92" "7", {}, {}},
    {"UTF-8 no-break space after a number", "12\xC2\xA0", {}, {}},
    {"a lone high byte", "\xB5", {}, {}},
    {"a number then a high byte", "5\xFF", {}, {}},
    {"infinity shown by an earlier result", "", kInf, kInf},
    {"minus infinity shown by an earlier result", "", -kInf, -kInf},
    {"not a number shown by an earlier result", "", kNaN, kNaN},
    {"negative not a number shown by an earlier result", "", -kNaN, kNaN},
};

// The field under test is row 4, Proposed Power, so that the pass reads rows
// both before and after it. Before the pass row i holds i + 1; the user has
// typed i + 11 into every other row.
constexpr std::size_t kField = 3;

double Old(std::size_t row)
{
    return double(row + 1);
}

double Typed(std::size_t row)
{
    return double(row + 11);
}

TEST(BadInput, ReadPassTakesTheNumberOrStopsThereWithOneMessage)
{
    ASSERT_EQ(kExchangeTable[kField].control, IDC_PROPOSED_POWER);
    for (const BadInput& input : kBadInputs) {
        SCOPED_TRACE(input.what);
        CalculatorForm form;
        FakeWindow window(form);
        for (std::size_t i = 0; i < 8; ++i)
            form.*kExchangeTable[i].number = Old(i);
        form.m_waveFactor = 1;
        form.m_instructions = "old";
        if (input.shown)
            form.m_proposedPower = *input.shown;
        window.UpdateData(false);  // what an earlier result left on screen
        const double before = form.m_proposedPower;
        if (!input.shown)
            window.Type(IDC_PROPOSED_POWER, input.text);
        for (std::size_t i = 0; i < 8; ++i)
            if (i != kField)
                window.Type(kExchangeTable[i].control, Shortest(Typed(i)));
        window.Choose(3);
        window.Type(IDC_INSTRUCTIONS_TEXT, "new");

        const bool complete = window.UpdateData(true);

        for (std::size_t i = 0; i < kField; ++i)
            EXPECT_EQ(form.*kExchangeTable[i].number, Typed(i)) << "row " << i + 1;
        if (input.reads) {
            EXPECT_TRUE(complete);
            EXPECT_EQ(window.messages, 0);
            EXPECT_TRUE(SameNumber(form.m_proposedPower, *input.reads))
                << form.m_proposedPower;
            for (std::size_t i = kField + 1; i < 8; ++i)
                EXPECT_EQ(form.*kExchangeTable[i].number, Typed(i)) << "row " << i + 1;
            EXPECT_EQ(form.m_waveFactor, 3);
            EXPECT_EQ(form.m_instructions, "new");
        } else {
            EXPECT_FALSE(complete);
            EXPECT_EQ(window.messages, 1);
            EXPECT_EQ(Bits(form.m_proposedPower), Bits(before));
            for (std::size_t i = kField + 1; i < 8; ++i)
                EXPECT_EQ(form.*kExchangeTable[i].number, Old(i)) << "row " << i + 1;
            EXPECT_EQ(form.m_waveFactor, 1);
            EXPECT_EQ(form.m_instructions, "old");
        }
    }
}

// The message names the field, tells the two Frequency fields apart, and
// tells how to write decimals and thousands when the text holds a comma.
TEST(BadInput, MessageNamesTheFieldAndExplainsAComma)
{
    struct Case {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_CURRENT_POWER, "abc", "Current Power: please enter a number."},
        {IDC_CURRENT_POWER, "1,000", "Current Power: please enter a number with a point for "
                                     "decimals and no thousands separator (2.5, not 2,5; "
                                     "1000, not 1,000)."},
        {IDC_WAVELENGTH_FREQUENCY, "x", "Frequency (Wavelength Calculator): please enter a number."},
        {IDC_ANTENNA_FREQUENCY, ",", "Frequency (Antenna Length Calculator): please enter a "
                                     "number with a point for decimals and no thousands "
                                     "separator (2.5, not 2,5; 1000, not 1,000)."},
        {4242, "x", "Please enter a number."},
    };
    for (const Case& test : cases) {
        char message[kBadFieldMessageSize];
        EXPECT_EQ(BadFieldMessage(test.control, test.text, message), std::strlen(test.message));
        EXPECT_STREQ(message, test.message);
    }
}

}  // namespace
