// Keyboard navigation through the dialog manager, typing over a field's 0,
// and every way the window can be closed: each must end the process
// cleanly, with exit code 0.

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "identifiers.h"
#include "velquor_session.h"
#include "window_query.h"

namespace {

constexpr DWORD kExitTimeoutMs = 5000;

using KeyboardNavigation = VelquorTest;

// Tab and Shift+Tab take the focus through the controls a person acts on in
// the order a person reads the window, from Current Power, where it starts,
// round to it again.
TEST_F(KeyboardNavigation, TabVisitsEveryStopInReadingOrder)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    std::vector<int> stops = support::ControlsInReadingOrder(app.Main());
    ASSERT_FALSE(stops.empty());
    std::rotate(stops.begin(), stops.begin() + 1, stops.end());
    for (int id : stops) {
        app.Press(VK_TAB);
        ASSERT_TRUE(app.FocusReaches(id)) << "after Tab";
    }
    EXPECT_TRUE(app.OtherDialogs().empty());
}

TEST_F(KeyboardNavigation, ShiftTabVisitsThemBackwards)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    const std::vector<int> stops = support::ControlsInReadingOrder(app.Main());
    ASSERT_FALSE(stops.empty());
    for (auto id = stops.rbegin(); id != stops.rend(); ++id) {
        app.Press(VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(app.FocusReaches(*id)) << "after Shift+Tab";
    }
}

// A click into a field that shows the program's 0 selects the 0, so that
// typing replaces it, wherever beside the 0 the click falls: also in a field
// that had the focus already, at the start or by Tab, with the 0 selected
// until the click put the caret beside it.
TEST_F(KeyboardNavigation, AClickIntoTheProgramsZeroSelectsItInAFocusedFieldToo)
{
    struct Case {
        int field;
        bool leftOfTheZero;  // else right of it
    };
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    for (const Case& test : {Case{IDC_CURRENT_POWER, true}, Case{IDC_CURRENT_DISTANCE, false},
                             Case{IDC_PROPOSED_POWER, true}}) {
        SCOPED_TRACE("control " + std::to_string(test.field));
        ASSERT_TRUE(app.FocusReaches(test.field));
        ASSERT_EQ(app.Text(test.field), "0");
        RECT field{};
        ::GetWindowRect(app.Item(test.field), &field);
        const int y = (field.top + field.bottom) / 2;
        app.ClickAt({test.leftOfTheZero ? field.left + 4 : field.right - 4, y});
        app.Type("100");
        EXPECT_TRUE(app.Shows(test.field, "100"));
        app.Press(VK_TAB);
    }
}

// One way of ending the program, from the state a test leaves it in.
struct ClosingPath {
    const char* name;
    std::function<void(VelquorSession&)> prepare;  // may be empty
    std::function<void(VelquorSession&)> close;
};

// Names the case in test listings instead of its bytes.
void PrintTo(const ClosingPath& path, std::ostream* out)
{
    *out << path.name;
}

void TypeIntoCurrentPower(VelquorSession& app)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    app.Type("25");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "25"));
}

// Closing reads no field, so text that is not a number must not bring up
// a message on the way out.
void TypeTextThatIsNotANumber(VelquorSession& app)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    app.Type("abc");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "abc"));
}

void TabIntoClosedWaveFactorList(VelquorSession& app)
{
    app.ClickItem(IDC_ANTENNA_FREQUENCY);
    ASSERT_TRUE(app.FocusReaches(IDC_ANTENNA_FREQUENCY));
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_WAVE_FACTOR));
}

void PostToMain(VelquorSession& app, UINT message, WPARAM wParam)
{
    ASSERT_TRUE(::PostMessageA(app.Main(), message, wParam, 0));
}

const ClosingPath kClosingPaths[] = {
    {"EnterInCurrentPower", TypeIntoCurrentPower,
     [](VelquorSession& app) { app.Press(VK_RETURN); }},
    {"EnterOnTextThatIsNotANumber", TypeTextThatIsNotANumber,
     [](VelquorSession& app) { app.Press(VK_RETURN); }},
    {"EnterInWavelengthFrequency",
     [](VelquorSession& app) { ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "3.5")); },
     [](VelquorSession& app) { app.Press(VK_RETURN); }},
    {"EnterInClosedWaveFactorList", TabIntoClosedWaveFactorList,
     [](VelquorSession& app) { app.Press(VK_RETURN); }},
    {"Escape", TypeIntoCurrentPower,
     [](VelquorSession& app) { app.Press(VK_ESCAPE); }},
    {"EscapeOnTextThatIsNotANumber", TypeTextThatIsNotANumber,
     [](VelquorSession& app) { app.Press(VK_ESCAPE); }},
    {"ExitClicked", TypeIntoCurrentPower,
     [](VelquorSession& app) { app.ClickItem(IDOK); }},
    {"AltF4", nullptr,
     [](VelquorSession& app) { app.Press(VK_F4, {VK_MENU}); }},
    {"WmClose", nullptr,
     [](VelquorSession& app) { PostToMain(app, WM_CLOSE, 0); }},
    {"SysCommandClose", nullptr,
     [](VelquorSession& app) { PostToMain(app, WM_SYSCOMMAND, SC_CLOSE); }},
};

class Closing : public VelquorTest, public ::testing::WithParamInterface<ClosingPath> {};

TEST_P(Closing, EndsTheProcessWithExitCodeZero)
{
    const ClosingPath& path = GetParam();
    if (path.prepare) {
        path.prepare(app);
        ASSERT_FALSE(HasFatalFailure());
    }
    KeepScreenshot();

    const DWORD start = ::GetTickCount();
    path.close(app);
    ASSERT_FALSE(HasFatalFailure());
    const auto exitCode = app.WaitForExit(kExitTimeoutMs);
    RecordProperty("exit_ms", static_cast<int>(::GetTickCount() - start));
    ASSERT_TRUE(exitCode.has_value())
        << "still running " << kExitTimeoutMs << " ms later"
        << (app.OtherDialogs().empty() ? "" : ", with a dialog open");
    EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Paths, Closing, ::testing::ValuesIn(kClosingPaths),
                         [](const ::testing::TestParamInfo<ClosingPath>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
