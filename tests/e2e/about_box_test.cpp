// The About box, opened again and again from the About button and from the
// system menu, and closed each time a different way.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "identifiers.h"
#include "velquor_session.h"

namespace {

struct Round {
    const char* opening;
    std::function<void(VelquorSession&)> open;
    const char* closing;
    std::function<void(VelquorSession&, HWND about)> close;
};

void ClickAbout(VelquorSession& app) { app.ClickItem(IDC_ABOUT); }

// The system-menu command itself; the low four bits are the platform's and
// must not matter.
std::function<void(VelquorSession&)> PostSysCommand(WPARAM command)
{
    return [command](VelquorSession& app) {
        ASSERT_TRUE(::PostMessageA(app.Main(), WM_SYSCOMMAND, command, 0));
    };
}

// Alt+Space opens the system menu; Up wraps round to its last item.
void ChooseLastSystemMenuItem(VelquorSession& app)
{
    app.Press(VK_SPACE, {VK_MENU});
    ASSERT_TRUE(support::WaitUntil([&] { return !app.OtherWindows("#32768").empty(); }))
        << "Alt+Space opened no menu";
    app.Press(VK_UP);
    app.Press(VK_RETURN);
}

void PressEnter(VelquorSession& app, HWND) { app.Press(VK_RETURN); }
void PressEscape(VelquorSession& app, HWND) { app.Press(VK_ESCAPE); }
void ClickClose(VelquorSession& app, HWND about) { app.Click(::GetDlgItem(about, IDOK)); }

using AboutBox = VelquorTest;

TEST_F(AboutBox, OpensEveryTimeFromButtonAndSystemMenuAndClosesEveryWay)
{
    // A value the About box must leave alone; leaving the field reads it.
    app.Type("100");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "100"));

    const Round rounds[] = {
        {"About button", ClickAbout, "Enter", PressEnter},
        {"About button", ClickAbout, "Escape", PressEscape},
        {"About button", ClickAbout, "Close button", ClickClose},
        {"system command 0x0010", PostSysCommand(IDM_ABOUTBOX), "Enter", PressEnter},
        {"system command 0x001F", PostSysCommand(IDM_ABOUTBOX | 0xF), "Close button", ClickClose},
        {"system menu by keyboard", ChooseLastSystemMenuItem, "Escape", PressEscape},
        {"About button", ClickAbout, "Close button", ClickClose},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(std::string("opened by ") + round.opening + ", closed by " + round.closing);
        round.open(app);
        ASSERT_FALSE(HasFatalFailure());
        const HWND about = app.WaitForAboutBox();
        ASSERT_NE(about, nullptr) << "no About box";
        EXPECT_EQ(app.OtherDialogs().size(), 1u) << "more than one box is open";
        EXPECT_EQ(::GetWindow(about, GW_OWNER), app.Main());
        EXPECT_FALSE(::IsWindowEnabled(app.Main())) << "the main window takes input under the box";
        EXPECT_EQ(VelquorSession::ChildText(about, IDOK), "Close");

        round.close(app, about);
        ASSERT_TRUE(VelquorSession::WaitForGone(about)) << "the About box stayed open";
        ASSERT_TRUE(support::WaitUntil([&] { return ::IsWindowEnabled(app.Main()) != FALSE; }))
            << "the main window stayed disabled";
        app.Settle();
        ASSERT_TRUE(app.IsRunning()) << "closing the About box ended the program";
        EXPECT_TRUE(app.OtherDialogs().empty());
        EXPECT_EQ(app.Text(IDC_CURRENT_POWER), "100");
    }

    // The window still works afterwards.
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "146.52"));
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "6.715807"));
}

// The address is the one line a user must be able to copy down exactly.
TEST_F(AboutBox, EveryTextIsShownWhole)
{
    ClickAbout(app);
    const HWND about = app.WaitForAboutBox();
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(VelquorSession::TextsCutOff(about), std::vector<std::string>{})
        << "the About box cuts these texts off";
}

}  // namespace
