#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "help_texts.h"

namespace {

// 64-bit FNV-1a over the text's bytes: one changed character anywhere in
// several hundred changes the value.
std::uint64_t Fingerprint(const std::string& text)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text)
        hash = (hash ^ c) * 0x100000001b3ULL;
    return hash;
}

struct HelpText {
    const char* text;
    const char* title;  // nullptr: no title
    std::size_t length;
    std::uint64_t fingerprint;
};

TEST(HelpTexts, AreExactPlainAsciiWithTitleAndTwoLineFeeds)
{
    const HelpText texts[] = {
        {kOpeningPrompt, nullptr, 96, 0x09fae50e709ce3fdULL},
        {kRatioHelpText, "Inverse Square Ratio Calculator", 755, 0xddec46e1444c4409ULL},
        {kWavelengthHelpText, "Wavelength Calculator", 466, 0xe777c1666a568669ULL},
        {kAntennaHelpText, "Antenna Length Calculator", 766, 0x12dee2712f3c6869ULL},
    };
    for (const HelpText& expected : texts) {
        const std::string text = expected.text;
        SCOPED_TRACE(text.substr(0, 30));
        EXPECT_EQ(text.size(), expected.length);
        EXPECT_EQ(Fingerprint(text), expected.fingerprint);
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
