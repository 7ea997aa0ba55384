#include <type_traits>

#include <gtest/gtest.h>

#include "support/fake_window.h"

namespace {

TEST(Form, StartsEmptyAndCannotBeCopied)
{
    static_assert(!std::is_copy_constructible_v<CalculatorForm>);
    static_assert(!std::is_copy_assignable_v<CalculatorForm>);
    static_assert(std::is_same_v<decltype(CalculatorForm::m_waveFactor), std::int32_t>);
    CalculatorForm form;
    FakeWindow window(form);
    window.texts[IDC_INSTRUCTIONS_TEXT] = "old";
    window.selection = 3;
    window.UpdateData(false);
    for (const ExchangeRow& row : kExchangeTable)
        if (row.kind == ExchangeKind::Number)
            EXPECT_EQ(window.texts[row.control], "0") << row.control;
    EXPECT_EQ(window.selection, -1);
    EXPECT_EQ(window.texts[IDC_INSTRUCTIONS_TEXT], "");
}

// The pane's text keeps its buffer while a new text fits, and may be given
// a part of itself.
TEST(Form, TextTakesAPartOfItselfAndGrowsAndShrinks)
{
    FormText text;
    text = "Wavelength Calculator";
    text.Assign(text.view().substr(4));
    EXPECT_EQ(text, "length Calculator");
    EXPECT_STREQ(text.c_str(), "length Calculator");
    text = "Antenna Length Calculator";
    EXPECT_STREQ(text.c_str(), "Antenna Length Calculator");
    text = nullptr;
    EXPECT_STREQ(text.c_str(), "");
    EXPECT_EQ(text.size(), 0u);
}

TEST(Form, EmptyMeansZeroOfEitherSignOrNotANumber)
{
    EXPECT_TRUE(IsEmpty(0.0));
    EXPECT_TRUE(IsEmpty(-0.0));
    EXPECT_TRUE(IsEmpty(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(IsEmpty(-std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsEmpty(std::numeric_limits<double>::denorm_min()));
    EXPECT_FALSE(IsEmpty(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsEmpty(-1e-300));
}

TEST(ReadPass, TakesEveryRowWhenAllAreNumbers)
{
    CalculatorForm form;
    FakeWindow window(form);
    const char* typed[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (std::size_t i = 0; i < 8; ++i)
        window.Type(kExchangeTable[i].control, typed[i]);
    window.Choose(2);  // "1/4 Wave"
    window.Type(IDC_INSTRUCTIONS_TEXT, "pane");
    EXPECT_TRUE(window.UpdateData(true));
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(form.*kExchangeTable[i].number, double(i + 1));
    EXPECT_EQ(form.m_waveFactor, 2);
    EXPECT_EQ(form.m_instructions, "pane");
    EXPECT_EQ(window.messages, 0);
}

TEST(ReadPass, StopsAtTheFirstFieldThatIsNotANumber)
{
    CalculatorForm form;
    form.m_currentPower = 50.0;
    form.m_proposedPower = 60.0;
    form.m_frequency = 70.0;
    form.m_instructions = "kept";
    FakeWindow window(form);
    window.Type(IDC_CURRENT_DISTANCE, "12");
    window.Type(IDC_CURRENT_POWER, "12abc");
    window.Type(IDC_PROPOSED_POWER, "99");
    window.Type(IDC_WAVELENGTH_FREQUENCY, "99");
    window.Type(IDC_INSTRUCTIONS_TEXT, "changed");
    window.Choose(1);

    EXPECT_FALSE(window.UpdateData(true));
    EXPECT_EQ(window.messages, 1);
    EXPECT_EQ(form.m_currentDistance, 12.0);
    EXPECT_EQ(form.m_currentPower, 50.0);
    EXPECT_EQ(form.m_proposedPower, 60.0);
    EXPECT_EQ(form.m_frequency, 70.0);
    EXPECT_EQ(form.m_waveFactor, -1);
    EXPECT_EQ(form.m_instructions, "kept");

    // The next write pass puts the form's values back over the bad text.
    window.UpdateData(false);
    EXPECT_EQ(window.texts[IDC_CURRENT_POWER], "50");
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "60");
    EXPECT_EQ(window.selection, -1);
}

// The field the user is in is selected whole once rewritten, so that what
// the user types next replaces it; a pass with the focus on a button selects
// nothing.
TEST(WritePass, RewritesResultsAndThePaneAsWellAsInputs)
{
    CalculatorForm form;
    form.m_wavelength = 6.715806715806715;
    form.m_antennaLength = -0.0;
    form.m_waveFactor = 3;
    form.m_instructions = "Title\n\nText";
    FakeWindow window(form);
    window.focus = IDC_RATIO_CALCULATE;
    window.UpdateData(false);
    EXPECT_EQ(window.selected, 0);
    window.focus = IDC_PROPOSED_DISTANCE;
    window.Type(IDC_CURRENT_POWER, "typing in progress");
    window.UpdateData(false);
    EXPECT_EQ(window.texts[IDC_WAVELENGTH], "6.715806715806715");
    EXPECT_EQ(window.texts[IDC_ANTENNA_LENGTH], "-0");
    EXPECT_EQ(window.texts[IDC_CURRENT_POWER], "0");
    EXPECT_EQ(window.texts[IDC_INSTRUCTIONS_TEXT], "Title\n\nText");
    EXPECT_EQ(window.selection, 3);
    EXPECT_EQ(window.selected, IDC_PROPOSED_DISTANCE);
}

// A field too narrow for its number shows it rounded; its full text is at
// hand (tooltip, copy, screen reader) until the user types over it.
TEST(WritePass, RoundsToFitAndKeepsTheFullTextOfAnUntouchedField)
{
    CalculatorForm form;
    form.m_wavelength = 984.0 / 146.52;
    form.m_frequency = 146.52;
    FakeWindow window(form);
    window.width = 8;
    window.UpdateData(false);
    EXPECT_EQ(window.texts[IDC_WAVELENGTH], "6.715807");
    EXPECT_EQ(window.exact[IDC_WAVELENGTH], "6.715806715806715");
    char exact[kRoundedNumberSize];
    EXPECT_TRUE(window.controller.ExactText(IDC_WAVELENGTH, exact));
    EXPECT_STREQ(exact, "6.715806715806715");
    EXPECT_FALSE(window.controller.ExactText(IDC_WAVELENGTH_FREQUENCY, exact));  // shown whole
    EXPECT_STREQ(exact, "");
    // Narrowed before it is fitted again, the field still stands for what
    // it was given: a read keeps every digit.
    window.width = 4;
    EXPECT_TRUE(window.UpdateData(true));
    EXPECT_EQ(Bits(form.m_wavelength), Bits(984.0 / 146.52));
    window.Type(IDC_WAVELENGTH, "6.715807");
    EXPECT_FALSE(window.controller.ExactText(IDC_WAVELENGTH, exact));
}

// A click into an input that shows the program's own 0 selects it, so that
// what the user types replaces it; not a 0 the user typed, another number,
// or a result.
TEST(Form, AClickSelectsTheProgramsOwnZeroOfAnInput)
{
    CalculatorForm form;
    form.m_frequency = 7.0;
    FakeWindow window(form);
    window.UpdateData(false);
    EXPECT_TRUE(window.controller.SelectsOnClick(IDC_CURRENT_POWER));
    EXPECT_TRUE(window.controller.SelectsOnClick(IDC_ANTENNA_FREQUENCY));
    EXPECT_FALSE(window.controller.SelectsOnClick(IDC_WAVELENGTH_FREQUENCY));
    EXPECT_FALSE(window.controller.SelectsOnClick(IDC_ANTENNA_LENGTH));
    EXPECT_FALSE(window.controller.SelectsOnClick(IDC_WAVE_FACTOR));
    window.Type(IDC_CURRENT_DISTANCE, "0");
    EXPECT_FALSE(window.controller.SelectsOnClick(IDC_CURRENT_DISTANCE));
}

}  // namespace
