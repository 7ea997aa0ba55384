#include <string>

#include <gtest/gtest.h>

#include "calculator_table.h"
#include "help_texts.h"

namespace {

// Each help text is titled with its calculator's caption, then two line
// feeds and one paragraph; the opening prompt has no title.
TEST(HelpTexts, AreExactPlainAsciiWithTitleAndTwoLineFeeds)
{
    const struct {
        const char* text;
        const char* title;  // nullptr: no title
        std::size_t length;
    } texts[] = {
        {kOpeningPrompt, nullptr, 96},
        {kRatioHelpText, kCalculators[0].caption, 755},
        {kWavelengthHelpText, kCalculators[1].caption, 466},
        {kAntennaHelpText, kCalculators[2].caption, 766},
    };
    for (const auto& expected : texts) {
        const std::string text = expected.text;
        SCOPED_TRACE(text.substr(0, 30));
        EXPECT_EQ(text.size(), expected.length);
        for (unsigned char c : text)
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
        const auto breaks = text.find('\n');
        if (expected.title == nullptr) {
            EXPECT_EQ(breaks, std::string::npos);
        } else {
            EXPECT_EQ(text.substr(0, breaks), expected.title);
            EXPECT_EQ(text.substr(breaks, 3), "\n\n" + text.substr(breaks + 2, 1));
            EXPECT_NE(text[breaks + 2], '\n');
            EXPECT_EQ(text.find('\n', breaks + 2), std::string::npos);
        }
    }
    EXPECT_EQ(std::string(kOpeningPrompt),
              "Click on the appropriate 'Instructions' button above for information "
              "on the use of that section.");
}

}  // namespace
