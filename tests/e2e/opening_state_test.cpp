// What the window shows before the user has done anything, and the About
// item that start-up adds to its system menu.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "help_texts.h"
#include "identifiers.h"
#include "resource_reader.h"
#include "velquor_session.h"

namespace {

using OpeningState = VelquorTest;

TEST_F(OpeningState, FieldsShowZeroListIsEmptyPaneShowsPromptFocusInCurrentPower)
{
    for (int id : {IDC_CURRENT_POWER, IDC_CURRENT_DISTANCE, IDC_PROPOSED_POWER,
                   IDC_PROPOSED_DISTANCE, IDC_WAVELENGTH_FREQUENCY, IDC_WAVELENGTH,
                   IDC_ANTENNA_FREQUENCY, IDC_ANTENNA_LENGTH}) {
        EXPECT_EQ(app.Text(id), "0") << "control " << id;
    }

    // The list and the caption as the program's resources give them.
    const HMODULE resources =
        ::LoadLibraryExA(VelquorSession::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    const std::vector<std::string> entries =
        resource_reader::DialogInitStrings(resources, IDD_CALCULATOR, IDC_WAVE_FACTOR);
    const std::string caption =
        resource_reader::ParseDialogTemplate(resource_reader::Find(resources, 5 /* RT_DIALOG */, IDD_CALCULATOR)).title;
    ::FreeLibrary(resources);
    EXPECT_EQ(app.Send(IDC_WAVE_FACTOR, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(app.Text(IDC_WAVE_FACTOR), "");
    EXPECT_FALSE(entries.empty());
    EXPECT_EQ(app.ListEntries(IDC_WAVE_FACTOR), entries);

    EXPECT_EQ(app.Text(IDC_INSTRUCTIONS_TEXT), kOpeningPrompt);
    EXPECT_EQ(app.FocusId(), IDC_CURRENT_POWER);
    EXPECT_EQ(support::TextOf(app.Main()), caption);
    EXPECT_TRUE(app.OtherDialogs().empty()) << "a dialog besides the main window is open";
}

TEST_F(OpeningState, EveryLabelAndThePromptAreShownWhole)
{
    EXPECT_EQ(VelquorSession::TextsCutOff(app.Main()), std::vector<std::string>{})
        << "the main window cuts these texts off";
}

// The system menu cannot be read from another process under Wine, so the
// last item is checked by what choosing it does: the menu is opened with
// Alt+Space, Up goes round from the first item to the last one, and Enter
// chooses it.
TEST_F(OpeningState, LastSystemMenuItemOpensTheAboutBox)
{
    app.Press(VK_SPACE, {VK_MENU});
    ASSERT_TRUE(support::WaitUntil([&] { return !app.OtherWindows("#32768").empty(); }))
        << "Alt+Space opened no menu";

    app.Press(VK_UP);
    app.Press(VK_RETURN);
    const HWND about = app.WaitForAboutBox();
    ASSERT_NE(about, nullptr) << "choosing the last system-menu item opened no About box";
    EXPECT_TRUE(app.OtherWindows("#32768").empty()) << "the menu stayed open";
    EXPECT_EQ(::GetWindow(about, GW_OWNER), app.Main());
    EXPECT_FALSE(::IsWindowEnabled(app.Main())) << "the main window takes input under the About box";

    KeepScreenshot();
    app.Press(VK_ESCAPE);
    EXPECT_TRUE(VelquorSession::WaitForGone(about));
    EXPECT_TRUE(support::WaitUntil([&] { return ::IsWindowEnabled(app.Main()) != FALSE; }));
    EXPECT_TRUE(app.IsRunning());
}

}  // namespace
