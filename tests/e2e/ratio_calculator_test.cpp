// The inverse-square ratio calculator driven by keyboard and mouse: a
// 100 W station reaching 10 miles, and how far 400 W would reach; the
// interlocks between the two proposed fields; and what becomes of a
// proposed value that no read pass has taken.

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "help_texts.h"
#include "identifiers.h"
#include "velquor_session.h"

namespace {

using RatioCalculator = VelquorTest;

// 100 W reaching 10 miles; typed into the first two fields with the focus
// starting in Current Power, and Tab on into Proposed Power.
void EnterCurrentSystemAndTabToProposedPower(VelquorSession& app)
{
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_POWER));
    app.Type("100");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_POWER, "100")) << "the opening 0 was not replaced";
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_DISTANCE));
    app.Type("10");
    ASSERT_TRUE(app.Shows(IDC_CURRENT_DISTANCE, "10"));
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_PROPOSED_POWER));
    app.Sync();  // the entering notification's write pass has run
}

TEST_F(RatioCalculator, TypedWalkthroughFindsProposedDistance)
{
    EnterCurrentSystemAndTabToProposedPower(app);
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "0");
    EXPECT_EQ(app.Selection(IDC_PROPOSED_POWER), std::make_pair(0, 1))
        << "Proposed Power's text is not wholly selected, so typing would not replace it";

    app.Type("400");
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_POWER, "400"));
    app.ClickItem(IDC_RATIO_CALCULATE);

    EXPECT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "20"));
    EXPECT_EQ(app.Text(IDC_CURRENT_POWER), "100");
    EXPECT_EQ(app.Text(IDC_CURRENT_DISTANCE), "10");
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "400");
    EXPECT_EQ(app.Text(IDC_INSTRUCTIONS_TEXT), kOpeningPrompt);
}

TEST_F(RatioCalculator, EnteringOneProposedFieldClearsTheOther)
{
    EnterCurrentSystemAndTabToProposedPower(app);
    app.Type("400");
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_POWER, "400"));
    app.ClickItem(IDC_RATIO_CALCULATE);
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "20"));

    // Both proposed values are set now: Calculate has nothing to find.
    app.ClickItem(IDC_RATIO_CALCULATE);
    app.Settle();
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "400");
    EXPECT_EQ(app.Text(IDC_PROPOSED_DISTANCE), "20");

    app.ClickItem(IDC_PROPOSED_DISTANCE);
    EXPECT_TRUE(app.Shows(IDC_PROPOSED_POWER, "0")) << "entering Proposed Distance";
    EXPECT_EQ(app.Text(IDC_PROPOSED_DISTANCE), "20");

    app.ClickItem(IDC_PROPOSED_POWER);
    EXPECT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "0")) << "entering Proposed Power";
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "0");

    // The other way round: a proposed range gives the power it needs.
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_PROPOSED_DISTANCE));
    app.Type("5");
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "5"));
    app.ClickItem(IDC_RATIO_CALCULATE);
    EXPECT_TRUE(app.Shows(IDC_PROPOSED_POWER, "25"));
    EXPECT_EQ(app.Text(IDC_PROPOSED_DISTANCE), "5");
}

// Leaving a proposed field reads nothing, so an Instructions button's write
// pass puts the form's value back over what was typed; the current values
// were read when the focus left them and survive.
TEST_F(RatioCalculator, InstructionsRestoreTheFormsEarlierProposedValues)
{
    EnterCurrentSystemAndTabToProposedPower(app);
    app.Type("400");
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_POWER, "400"));
    app.ClickItem(IDC_RATIO_CALCULATE);
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "20"));

    // Into Proposed Power from Current Distance, so that the form keeps 400:
    // leaving Current Distance reads every field, entering Proposed Power
    // clears only Proposed Distance.
    app.ClickItem(IDC_CURRENT_DISTANCE);
    ASSERT_TRUE(app.FocusReaches(IDC_CURRENT_DISTANCE));
    app.Press(VK_TAB);
    ASSERT_TRUE(app.FocusReaches(IDC_PROPOSED_POWER));
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "0"));
    app.Sync();
    EXPECT_EQ(app.Selection(IDC_PROPOSED_POWER), std::make_pair(0, 3));
    app.Type("900");
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_POWER, "900"));
    app.ClickItem(IDC_WAVELENGTH_INSTRUCTIONS);

    EXPECT_TRUE(app.Shows(IDC_INSTRUCTIONS_TEXT, kWavelengthHelpText));
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "400") << "the typed 900 should be lost";
    EXPECT_EQ(app.Text(IDC_PROPOSED_DISTANCE), "0");

    // The same with Proposed Distance, after a calculation that filled it.
    app.ClickItem(IDC_RATIO_CALCULATE);
    ASSERT_TRUE(app.Shows(IDC_PROPOSED_DISTANCE, "20"));
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_PROPOSED_DISTANCE, "35"));
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "0");
    app.ClickItem(IDC_ANTENNA_INSTRUCTIONS);

    EXPECT_TRUE(app.Shows(IDC_INSTRUCTIONS_TEXT, kAntennaHelpText));
    EXPECT_EQ(app.Text(IDC_PROPOSED_DISTANCE), "20") << "the typed 35 should be lost";
    EXPECT_EQ(app.Text(IDC_PROPOSED_POWER), "0");
    EXPECT_EQ(app.Text(IDC_CURRENT_POWER), "100");
    EXPECT_EQ(app.Text(IDC_CURRENT_DISTANCE), "10");
}

}  // namespace
