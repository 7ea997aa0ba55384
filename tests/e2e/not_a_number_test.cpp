// Text that is not a number in a field that is read on leaving it: the user
// is told once, and the program carries on.

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "identifiers.h"
#include "velquor_session.h"

namespace {

constexpr char kNotANumber[] = "Current Power: please enter a number.";
// A box shown again comes within the focus round trip that closing the first
// one makes; a second is ample now that Wine no longer waits on closing
// windows (its prefixes leave them unmanaged).
constexpr DWORD kWatchMs = 1000;

// Every message box about a bad field seen during `ms` milliseconds.
std::set<HWND> MessagesSeenDuring(const VelquorSession& app, DWORD ms)
{
    std::set<HWND> seen;
    support::WaitUntil([&] {
        for (HWND box : app.DialogsShowing(kNotANumber))
            seen.insert(box);
        return false;
    }, ms);
    return seen;
}

using NotANumber = VelquorTest;

TEST_F(NotANumber, TabOutOfCurrentPowerShowsOneMessageThenTheProgramWorks)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    app.Type("abc");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "abc"));
    app.Press(VK_TAB);

    const HWND box = app.WaitForDialogShowing(kNotANumber);
    ASSERT_NE(box, nullptr) << "no message about the bad field";
    EXPECT_EQ(::GetWindow(box, GW_OWNER), app.Main());
    const std::set<HWND> seen = MessagesSeenDuring(app, kWatchMs);
    EXPECT_EQ(seen, std::set<HWND>{box}) << "the message was shown more than once";
    KeepScreenshot();

    app.Click(::GetDlgItem(box, IDOK));
    ASSERT_TRUE(VelquorSession::WaitForGone(box)) << "the message box did not close";
    EXPECT_TRUE(MessagesSeenDuring(app, kWatchMs).empty())
        << "the message came back after it was closed";
    ASSERT_TRUE(app.IsRunning());

    // The bad field has the focus back with its text selected, so typing
    // replaces it.
    EXPECT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    EXPECT_EQ(app.Selection(IDC_CURRENT_POWER), std::make_pair(0, 3));
    app.Type("5");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "5"));

    ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "146.52"));
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "6.715807"));
    EXPECT_EQ(app.Text(IDC_CURRENT_POWER), "5");
    EXPECT_TRUE(app.OtherDialogs().empty()) << "a box is open after a good calculation";
}

}  // namespace
