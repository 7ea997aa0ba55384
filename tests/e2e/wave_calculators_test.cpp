// The wavelength and antenna-length calculators, typed into and chosen from
// with keyboard and mouse, and the clearing of each result when the focus
// enters its frequency field.

#include <string>

#include <gtest/gtest.h>

#include "help_texts.h"
#include "identifiers.h"
#include "velquor_session.h"

namespace {

using WaveCalculators = VelquorTest;

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
