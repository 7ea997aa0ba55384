#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "calculator_table.h"
#include "help_texts.h"
#include "notification_table.h"

namespace {

// Every value the form shows, for checking what a handler left alone.
struct Shown {
    explicit Shown(const CalculatorForm& f)
        : values{f.m_currentDistance, f.m_currentPower, f.m_proposedDistance,
                 f.m_proposedPower,   f.m_frequency,    f.m_wavelength,
                 f.m_antennaFrequency, f.m_antennaLength},
          waveFactor(f.m_waveFactor),
          instructions(f.m_instructions.view())
    {
    }
    double values[8];
    std::int32_t waveFactor;
    std::string instructions;
};

// A form whose every shown field holds a distinct non-zero value.
class Dispatch : public ::testing::Test {
protected:
    Dispatch()
    {
        const char* typed[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
        for (std::size_t i = 0; i < 8; ++i)
            window.Type(kExchangeTable[i].control, typed[i]);
        window.Choose(1);
        window.Type(IDC_INSTRUCTIONS_TEXT, "pane");
        window.UpdateData(true);
        window.reads = 0;
    }

    // Runs one notification and checks that only `changed` (if any) moved.
    void ExpectOnlyChanged(int control, unsigned code, double CalculatorForm::*changed)
    {
        const Shown before(form);
        ASSERT_TRUE(DispatchNotification(form, window, control, code));
        const Shown after(form);
        for (std::size_t i = 0; i < 8; ++i) {
            if (kExchangeTable[i].number == changed)
                EXPECT_EQ(Bits(after.values[i]), Bits(0.0)) << "row " << i + 1;
            else
                EXPECT_EQ(after.values[i], before.values[i]) << "row " << i + 1;
        }
        EXPECT_EQ(after.waveFactor, before.waveFactor);
        EXPECT_EQ(after.instructions, before.instructions);
    }

    CalculatorForm form;
    FakeWindow window{form};
};

TEST_F(Dispatch, InterlocksClearExactlyTheCompetingFieldWithNoReadFirst)
{
    struct {
        int control;
        double CalculatorForm::*cleared;
    } interlocks[] = {
        {IDC_PROPOSED_DISTANCE, &CalculatorForm::m_proposedPower},
        {IDC_PROPOSED_POWER, &CalculatorForm::m_proposedDistance},
        {IDC_WAVELENGTH_FREQUENCY, &CalculatorForm::m_wavelength},
        {IDC_ANTENNA_FREQUENCY, &CalculatorForm::m_antennaLength},
    };
    int writes = 0;
    for (const auto& interlock : interlocks) {
        // Typed but not read: the interlock must not pick it up.
        window.Type(IDC_CURRENT_POWER, "555");
        ExpectOnlyChanged(interlock.control, kEditSetFocus, interlock.cleared);
        EXPECT_EQ(window.reads, 0);
        EXPECT_EQ(window.writes, ++writes);
        EXPECT_EQ(form.m_currentPower, 2.0);
        EXPECT_EQ(window.texts[IDC_CURRENT_POWER], "2");
        form.*interlock.cleared = 42.0;
    }
}

TEST_F(Dispatch, LeavingAFieldMakesOneReadPassAndNoWrite)
{
    const std::pair<int, unsigned> leaving[] = {
        {IDC_CURRENT_DISTANCE, kEditKillFocus}, {IDC_CURRENT_POWER, kEditKillFocus},
        {IDC_WAVELENGTH_FREQUENCY, kEditKillFocus}, {IDC_ANTENNA_FREQUENCY, kEditKillFocus},
        {IDC_WAVE_FACTOR, kListKillFocus}};
    int reads = 0;
    for (const auto& [control, code] : leaving) {
        window.Type(IDC_ANTENNA_FREQUENCY, std::to_string(100 + reads));
        window.Choose(reads % 4);
        // As the window raises it: the controller makes the pass itself.
        ASSERT_TRUE(window.controller.Notify(control, code));
        EXPECT_EQ(window.reads, ++reads);
        EXPECT_EQ(window.writes, 0);
        // The pass covers every row, not just the field that was left.
        EXPECT_EQ(form.m_antennaFrequency, 100.0 + reads - 1);
        EXPECT_EQ(form.m_waveFactor, (reads - 1) % 4);
    }
}

TEST_F(Dispatch, NotificationsWithNoRowAreUnhandledAndTouchNothing)
{
    const std::pair<int, unsigned> unlisted[] = {
        {IDC_PROPOSED_POWER, kEditKillFocus},   {IDC_PROPOSED_DISTANCE, kEditKillFocus},
        {IDC_CURRENT_POWER, kEditSetFocus},     {IDC_CURRENT_DISTANCE, kEditSetFocus},
        {IDC_CURRENT_POWER, 0x0300},            // EN_CHANGE: typing
        {IDC_WAVE_FACTOR, 3},                   // CBN_SETFOCUS
        {IDC_WAVE_FACTOR, 1},                   // CBN_SELCHANGE
        {IDC_WAVELENGTH, kEditSetFocus},        {IDC_ANTENNA_LENGTH, kEditKillFocus},
        {IDOK, kClicked},                       {IDC_RATIO_CALCULATE, kEditSetFocus},
        {IDC_ABOUT, 5},                         {IDC_BANNER, kClicked},
        {0, 0},                                 {-1, kClicked},
        {IDC_WAVE_FACTOR, kEditKillFocus}};
    window.Type(IDC_CURRENT_POWER, "777");
    for (const auto& [control, code] : unlisted) {
        const Shown before(form);
        EXPECT_FALSE(DispatchNotification(form, window, control, code))
            << control << " / " << code;
        EXPECT_EQ(Shown(form).values[1], before.values[1]);
    }
    EXPECT_EQ(window.reads, 0);
    EXPECT_EQ(window.writes, 0);
    EXPECT_EQ(window.aboutRuns, 0);
    EXPECT_EQ(form.m_currentPower, 2.0);
}

TEST_F(Dispatch, InstructionsButtonsShowTheirTextAndRewriteEveryControl)
{
    const std::pair<int, const char*> buttons[] = {
        {IDC_RATIO_INSTRUCTIONS, kRatioHelpText},
        {IDC_WAVELENGTH_INSTRUCTIONS, kWavelengthHelpText},
        {IDC_ANTENNA_INSTRUCTIONS, kAntennaHelpText}};
    int writes = 0;
    for (const auto& [button, text] : buttons) {
        // 400 typed into Proposed Power is never read, so the write pass
        // puts the form's earlier value back: the 400 is lost.
        window.Type(IDC_PROPOSED_POWER, "400");
        ASSERT_TRUE(DispatchNotification(form, window, button, kClicked));
        EXPECT_EQ(form.m_instructions, text);
        EXPECT_EQ(window.texts[IDC_INSTRUCTIONS_TEXT], text);
        EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "4");
        EXPECT_EQ(window.reads, 0);
        EXPECT_EQ(window.writes, ++writes);
    }
}

TEST_F(Dispatch, AboutButtonRunsTheBoxAndMakesNoPass)
{
    ExpectOnlyChanged(IDC_ABOUT, kClicked, nullptr);
    EXPECT_EQ(window.aboutRuns, 1);
    EXPECT_EQ(window.reads, 0);
    EXPECT_EQ(window.writes, 0);
}

TEST_F(Dispatch, CalculateButtonsRunTheirCalculator)
{
    window.Type(IDC_WAVELENGTH_FREQUENCY, "146.52");
    window.Type(IDC_ANTENNA_FREQUENCY, "7.2");
    ASSERT_TRUE(DispatchNotification(form, window, IDC_WAVELENGTH_CALCULATE, kClicked));
    EXPECT_EQ(window.texts[IDC_WAVELENGTH], "6.715806715806715");
    // The choice made in the list reaches the calculation through its read pass.
    window.Choose(1);
    ASSERT_TRUE(DispatchNotification(form, window, IDC_ANTENNA_CALCULATE, kClicked));
    EXPECT_EQ(window.texts[IDC_ANTENNA_LENGTH], "65");
    window.Type(IDC_PROPOSED_POWER, "0");
    ASSERT_TRUE(DispatchNotification(form, window, IDC_RATIO_CALCULATE, kClicked));
    EXPECT_EQ(Bits(form.m_proposedPower), Bits(2.0 * (3.0 / 1.0) * (3.0 / 1.0)));
}

// A Calculate that produced a result says the field that received it, with
// its label, the number as the field shows it, and its unit; one that
// produced nothing says nothing, and neither does any other button.
TEST(Announcements, ACalculateThatProducesAResultSaysIt)
{
    struct Step {
        std::vector<std::pair<int, const char*>> typed;
        int button;
        const char* said;
    };
    const Step steps[] = {
        {{{IDC_CURRENT_POWER, "100"}, {IDC_CURRENT_DISTANCE, "10"}, {IDC_PROPOSED_POWER, "4e2"}},
         IDC_RATIO_CALCULATE, "Proposed Distance 20 miles"},
        {{}, IDC_RATIO_CALCULATE, ""},  // both proposed values given
        {{{IDC_PROPOSED_POWER, "0"}, {IDC_PROPOSED_DISTANCE, "30"}}, IDC_RATIO_CALCULATE,
         "Proposed Power 900 watts"},
        {{}, IDC_RATIO_INSTRUCTIONS, ""},
        {{{IDC_WAVELENGTH_FREQUENCY, "3"}}, IDC_WAVELENGTH_CALCULATE, "Wavelength 328 feet"},
        {{}, IDC_WAVELENGTH_CALCULATE, "Wavelength 328 feet"},  // asked again
        {{{IDC_ANTENNA_FREQUENCY, "2"}}, IDC_ANTENNA_CALCULATE, ""},  // no wave factor
        {{{IDC_ANTENNA_FREQUENCY, "0"}}, IDC_ANTENNA_CALCULATE, ""},
    };
    CalculatorForm form;
    FakeWindow window(form);
    window.UpdateData(false);
    for (const Step& step : steps) {
        SCOPED_TRACE("button " + std::to_string(step.button));
        window.announced.clear();
        for (const auto& [control, text] : step.typed)
            window.Type(control, text);
        window.controller.Notify(step.button, kClicked);
        EXPECT_EQ(window.announced, step.said);
    }
    // Said as the field shows it: rounded where it is.
    window.width = 6;
    window.Type(IDC_WAVELENGTH_FREQUENCY, "146.52");
    window.controller.Notify(IDC_WAVELENGTH_CALCULATE, kClicked);
    EXPECT_EQ(window.announced, "Wavelength 6.7158 feet");
}

// Ctrl+Enter calculates with the focus left in the field: its first edit
// runs the interlock that clicking back into it would have run, once, and
// leaves the text being typed alone; leaving the field ends that.
TEST(FirstEditAfterCalculating, RunsTheEnteringInterlockOnce)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_CURRENT_POWER, "100");
    window.Type(IDC_CURRENT_DISTANCE, "10");
    window.focus = IDC_PROPOSED_POWER;
    const auto edit = [&](const char* text) {
        window.Type(IDC_PROPOSED_POWER, text);
        window.controller.Notify(IDC_PROPOSED_POWER, kEditChange);
    };
    for (const bool leave : {true, false}) {
        window.Type(IDC_PROPOSED_POWER, "400");
        window.Type(IDC_PROPOSED_DISTANCE, "0");
        window.controller.Notify(IDC_RATIO_CALCULATE, kClicked);
        ASSERT_EQ(window.texts[IDC_PROPOSED_DISTANCE], "20");
        window.controller.Notify(IDC_PROPOSED_POWER, kEditChange);  // the program's own rewrite
        if (leave)
            window.controller.Notify(IDC_PROPOSED_POWER, kEditKillFocus);
        edit("4");
        EXPECT_EQ(window.texts[IDC_PROPOSED_DISTANCE], leave ? "20" : "0");
    }
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "4");
    window.texts[IDC_PROPOSED_DISTANCE] = "5";
    edit("4000");  // a second edit writes nothing more
    EXPECT_EQ(window.texts[IDC_PROPOSED_DISTANCE], "5");
}

// A press whose focus change met a bad field says so once: not again in the
// click that follows, nor in the read owed when its About box closes. The
// next press says it again.
TEST(OnePressOneMessage, TheClickAfterTheMessageSaysNothingMore)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_WAVELENGTH_FREQUENCY, "146.52");
    window.controller.Notify(IDC_WAVELENGTH_FREQUENCY, kEditKillFocus);
    window.whileAboutRuns = [&] {
        window.active = false;
        window.controller.Notify(IDC_CURRENT_POWER, kEditKillFocus);
        window.active = true;
        window.controller.Notify(IDC_CURRENT_POWER, kEditSetFocus);
    };
    for (const int button : {IDC_ABOUT, IDC_WAVELENGTH_CALCULATE}) {
        window.Type(IDC_CURRENT_POWER, "abc");
        window.focus = button;
        window.controller.Notify(IDC_CURRENT_POWER, kEditKillFocus);
        window.controller.Notify(button, kClicked);
    }
    EXPECT_EQ(window.messages, 2);
    EXPECT_EQ(window.postedReports, 0);
    EXPECT_EQ(window.aboutRuns, 1);
    EXPECT_EQ(window.texts[IDC_WAVELENGTH], "6.715806715806715");
    // Ctrl+Enter in the field, a press of its own.
    window.Type(IDC_CURRENT_POWER, "abc");
    window.controller.Notify(IDC_WAVELENGTH_CALCULATE, kClicked);
    EXPECT_EQ(window.messages, 3);
}

// F1 shows what the Instructions button of the calculator holding the focus
// shows, after the read that leaving the field for that button makes; the
// opening prompt outside the calculators.
TEST(HelpForFocus, ShowsTheFocusedCalculatorsInstructions)
{
    const struct {
        int focus;
        const char* pane;
        const char* currentPower;  // typed 55, unread
    } rows[] = {
        {IDC_PROPOSED_DISTANCE, kRatioHelpText, "0"},
        {IDC_WAVE_FACTOR, kAntennaHelpText, "55"},  // its leaving read reads every field
        {IDC_ABOUT, kOpeningPrompt, "0"},
    };
    for (const auto& row : rows) {
        CalculatorForm form;
        FakeWindow window(form);
        window.Type(IDC_CURRENT_POWER, "55");
        window.focus = row.focus;
        window.controller.HelpForFocus();
        EXPECT_EQ(window.texts[IDC_INSTRUCTIONS_TEXT], row.pane) << row.focus;
        EXPECT_EQ(window.texts[IDC_CURRENT_POWER], row.currentPower) << row.focus;
    }
}

// The user's road through the ratio calculator, as the window raises it:
// leaving a field before entering the next one.
TEST(DispatchWalkthrough, HundredWattsAtTenMilesThenFourHundredWatts)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.UpdateData(false);

    window.Type(IDC_CURRENT_POWER, "100");
    DispatchNotification(form, window, IDC_CURRENT_POWER, kEditKillFocus);
    DispatchNotification(form, window, IDC_CURRENT_DISTANCE, kEditSetFocus);
    window.Type(IDC_CURRENT_DISTANCE, "10");
    DispatchNotification(form, window, IDC_CURRENT_DISTANCE, kEditKillFocus);
    DispatchNotification(form, window, IDC_PROPOSED_POWER, kEditSetFocus);
    window.Type(IDC_PROPOSED_POWER, "400");
    DispatchNotification(form, window, IDC_RATIO_CALCULATE, kClicked);
    EXPECT_EQ(window.texts[IDC_PROPOSED_DISTANCE], "20");
    EXPECT_EQ(window.texts[IDC_CURRENT_POWER], "100");
    EXPECT_EQ(window.texts[IDC_CURRENT_DISTANCE], "10");

    // Clicking into Proposed Power again clears the distance at once.
    DispatchNotification(form, window, IDC_PROPOSED_POWER, kEditSetFocus);
    EXPECT_EQ(window.texts[IDC_PROPOSED_DISTANCE], "0");
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "400");

    // 900 typed and then abandoned for Proposed Distance never reaches the form.
    window.Type(IDC_PROPOSED_POWER, "900");
    DispatchNotification(form, window, IDC_PROPOSED_POWER, kEditKillFocus);
    DispatchNotification(form, window, IDC_PROPOSED_DISTANCE, kEditSetFocus);
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "0");
    EXPECT_EQ(form.m_proposedPower, 0.0);
    window.Type(IDC_PROPOSED_DISTANCE, "40");
    DispatchNotification(form, window, IDC_RATIO_CALCULATE, kClicked);
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "1600");
}

}  // namespace
