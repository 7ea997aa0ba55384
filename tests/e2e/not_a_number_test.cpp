// Text that is not a number in a field that is read on leaving it: the user
// is told once, and the program carries on.

#include <windows.h>
#include <oleacc.h>

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

// Every message box showing `message` seen during `ms` milliseconds.
std::set<HWND> MessagesSeenDuring(const VelquorSession& app, DWORD ms,
                                  const char* message = kNotANumber)
{
    std::set<HWND> seen;
    support::WaitUntil([&] {
        for (HWND box : app.DialogsShowing(message))
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

// Presses `button` as automation tools and screen readers do, from another
// process and without the mouse: the button's own click message (sent, not
// posted, without waiting for the program), or its accessible default
// action.
void SendClick(HWND button)
{
    ::SendNotifyMessageA(button, BM_CLICK, 0, 0);
}

void DoDefaultAction(HWND button)
{
    IAccessible* object = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(button, OBJID_CLIENT, __uuidof(IAccessible),
                                                          reinterpret_cast<void**>(&object)));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
    object->Release();
}

// The button's press first takes the focus from Current Power, whose read
// meets the other calculator's bad field and says so; the click that ends
// the press must not say it again once the message is closed.
TEST_F(NotANumber, CalculatePressedFromAnotherProcessShowsOneMessage)
{
    constexpr char kBadFrequency[] = "Frequency (Wavelength Calculator): please enter a number.";
    ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
    const struct {
        const char* way;
        void (*press)(HWND button);
        WORD closeKey;  // 0: a click on OK
    } rows[] = {
        {"BM_CLICK, closed with Enter", &SendClick, VK_RETURN},
        {"BM_CLICK, closed with OK", &SendClick, 0},
        {"default action, closed with Escape", &DoDefaultAction, VK_ESCAPE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.way);
        // Frequency holds a number while the focus goes to Current Power,
        // and text that is not one by the time of the press.
        ASSERT_TRUE(app.Send(IDC_WAVELENGTH_FREQUENCY, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1")));
        app.ClickItem(IDC_CURRENT_POWER);
        ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
        ASSERT_TRUE(app.Send(IDC_WAVELENGTH_FREQUENCY, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc")));
        app.Settle();

        row.press(app.Item(IDC_WAVELENGTH_CALCULATE));
        const HWND box = app.WaitForDialogShowing(kBadFrequency);
        ASSERT_NE(box, nullptr) << "no message about the bad field";
        EXPECT_EQ(MessagesSeenDuring(app, kWatchMs, kBadFrequency), std::set<HWND>{box});
        if (row.closeKey != 0)
            app.Press(row.closeKey);
        else
            app.Click(::GetDlgItem(box, IDOK));
        ASSERT_TRUE(VelquorSession::WaitForGone(box)) << "the message box did not close";
        EXPECT_TRUE(MessagesSeenDuring(app, kWatchMs, kBadFrequency).empty())
            << "the message came back after it was closed";
        EXPECT_TRUE(app.FocusReaches(IDC_WAVELENGTH_FREQUENCY));
    }
    ::CoUninitialize();
}

}  // namespace
