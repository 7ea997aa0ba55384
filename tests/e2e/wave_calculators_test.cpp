// The wavelength and antenna-length calculators, typed into and chosen from
// with keyboard and mouse, the clearing of each result when the focus
// enters its frequency field, and a rounded result copied.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "help_texts.h"
#include "identifiers.h"
#include "velquor_session.h"

namespace {

using WaveCalculators = VelquorTest;

// The text on the clipboard, emptied first: whatever the program puts there
// in `copy`. The clipboard is opened only once there is text: while this
// process holds it open, the program could not put it there.
std::string ClipboardAfter(const std::function<void()>& copy)
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    copy();
    std::string text;
    if (support::WaitUntil([] { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }, 2000) &&
        ::OpenClipboard(nullptr)) {
        if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
            if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
                text = bytes;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
    }
    return text;
}

// A result shown rounded is copied whole with its full value, whichever way
// the copy is asked for; part of it copies the part that is shown.
TEST_F(WaveCalculators, RoundedResultCopiesItsFullValue)
{
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "146.52"));
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    ASSERT_TRUE(app.Shows(IDC_WAVELENGTH, "6.715807"));
    app.ClickItem(IDC_WAVELENGTH);
    ASSERT_TRUE(app.FocusReaches(IDC_WAVELENGTH));

    const struct {
        const char* way;
        std::function<void()> copy;
    } rows[] = {
        {"Ctrl+C", [&] { app.Press('C', {VK_CONTROL}); }},
        {"Ctrl+Insert", [&] { app.Press(VK_INSERT, {VK_CONTROL}); }},
        {"the context menu's Copy", [&] {
             app.Press(VK_F10, {VK_SHIFT});
             app.Press('C');
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.way);
        app.Press('A', {VK_CONTROL});
        EXPECT_EQ(ClipboardAfter(row.copy), "6.715806715806715");
    }
    app.Press(VK_HOME);
    app.Press(VK_RIGHT, {VK_SHIFT});
    app.Press(VK_RIGHT, {VK_SHIFT});
    app.Press(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(ClipboardAfter([&] { app.Press('C', {VK_CONTROL}); }), "6.7");
}

TEST_F(WaveCalculators, WavelengthOfTypedFrequencyAndClearedOnReentry)
{
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "146.52"));
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "6.715807"));
    EXPECT_EQ(app.Text(IDC_WAVELENGTH_FREQUENCY), "146.52");

    app.ClickItem(IDC_WAVELENGTH_FREQUENCY);
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "0")) << "entering Frequency keeps the old wavelength";
    EXPECT_EQ(app.Text(IDC_WAVELENGTH_FREQUENCY), "146.52");

    // Typing goes on in the frequency field: the result field is read-only.
    app.Press(VK_HOME);
    app.Press(VK_END, {VK_SHIFT});
    app.Type("7.2");
    ASSERT_TRUE(app.Shows(IDC_WAVELENGTH_FREQUENCY, "7.2"));
    EXPECT_EQ(app.Text(IDC_WAVELENGTH), "0");
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "136.6667"));

    // After Ctrl+Enter typing clears it as re-entering would; F1 reads the 28.
    app.ClickItem(IDC_WAVELENGTH_FREQUENCY);
    app.Press(VK_RETURN, {VK_CONTROL});
    ASSERT_TRUE(app.Shows(IDC_WAVELENGTH, "136.6667"));
    app.Type("28");  // over the whole text, which Ctrl+Enter selected
    EXPECT_TRUE(app.Shows(IDC_WAVELENGTH, "0"));
    app.Press(VK_F1);
    EXPECT_TRUE(app.Shows(IDC_INSTRUCTIONS_TEXT, kWavelengthHelpText));
    EXPECT_EQ(app.Text(IDC_WAVELENGTH_FREQUENCY), "28");
}

TEST_F(WaveCalculators, AntennaLengthNeedsAChosenWaveFactor)
{
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_ANTENNA_FREQUENCY, "146.52"));

    // Nothing chosen in the list: Calculate leaves every field as it was.
    app.ClickItem(IDC_ANTENNA_CALCULATE);
    ASSERT_TRUE(app.FocusReaches(IDC_ANTENNA_CALCULATE));
    app.Settle();
    EXPECT_EQ(app.Text(IDC_ANTENNA_LENGTH), "0");
    EXPECT_EQ(app.Text(IDC_ANTENNA_FREQUENCY), "146.52");
    EXPECT_EQ(app.Send(IDC_WAVE_FACTOR, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(app.Text(IDC_INSTRUCTIONS_TEXT), kOpeningPrompt);
    EXPECT_TRUE(app.OtherDialogs().empty());

    // "1/4 Wave" by keyboard: Tab from the frequency into the closed list,
    // Home for its first entry, then down two.
    app.ClickItem(IDC_ANTENNA_FREQUENCY);
    ASSERT_TRUE(app.FocusReaches(IDC_ANTENNA_FREQUENCY));
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_WAVE_FACTOR));
    app.Press(VK_HOME);
    ASSERT_TRUE(app.Shows(IDC_WAVE_FACTOR, "5/8 Wave"));
    app.Press(VK_DOWN);
    ASSERT_TRUE(app.Shows(IDC_WAVE_FACTOR, "1/2 Wave"));
    app.Press(VK_DOWN);
    ASSERT_TRUE(app.Shows(IDC_WAVE_FACTOR, "1/4 Wave"));
    EXPECT_EQ(app.Send(IDC_WAVE_FACTOR, CB_GETCURSEL), 2);
    app.ClickItem(IDC_ANTENNA_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_ANTENNA_LENGTH, "1.597052"));

    // A new frequency clears the length on entry; "1/2 Wave" by mouse.
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_ANTENNA_FREQUENCY, "7.2"));
    EXPECT_EQ(app.Text(IDC_ANTENNA_LENGTH), "0");
    ASSERT_TRUE(app.ChooseWithMouse(IDC_WAVE_FACTOR, 1));
    EXPECT_EQ(app.Text(IDC_WAVE_FACTOR), "1/2 Wave");
    app.ClickItem(IDC_ANTENNA_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_ANTENNA_LENGTH, "65"));
    EXPECT_EQ(app.Text(IDC_ANTENNA_FREQUENCY), "7.2");

    // The wavelength calculator was not touched by any of it.
    EXPECT_EQ(app.Text(IDC_WAVELENGTH_FREQUENCY), "0");
    EXPECT_EQ(app.Text(IDC_WAVELENGTH), "0");
}

}  // namespace
