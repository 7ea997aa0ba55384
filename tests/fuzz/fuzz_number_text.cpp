// Arbitrary bytes through the edit-text number reader, and arbitrary doubles
// through the writer and back.
//
// What must hold for every input:
// - ParseNumber never crashes, whatever the bytes.
// - Blank text reads as +0.
// - Any other text it accepts reads as the very double that the C library's
//   strtod makes of the same text in the "C" locale, and strtod reads all of
//   it (blanks at the end aside). strtod stops at a NUL byte while
//   ParseNumber sees the whole view, so a text with a NUL inside must be
//   refused. Two NaNs count as the same number, whatever their bits.
// - With 8 bytes or more, the first 8 are a double's bit pattern: its text
//   with all digits from FormatRounded reads back to the same bits (a NaN to
//   a NaN), and strtod agrees on that text too.
// Any violation is printed and aborts, so that libFuzzer keeps the input.

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "number_text.h"
#include "rounded_number.h"
#include "support/same_number.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\r';
}

bool IsBlankText(std::string_view text)
{
    for (char c : text)
        if (!IsBlank(c))
            return false;
    return true;
}

// The text with every byte outside printable ASCII escaped, cut short when
// long, for the report.
std::string Printable(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (text.size() > 200)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

[[noreturn]] void Fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "\nnumber text: %s\n  text: \"%s\"\n", what,
                 Printable(text).c_str());
    std::abort();
}

[[noreturn]] void FailNumbers(const char* what, std::string_view text,
                              double ours, double theirs)
{
    std::fprintf(stderr,
                 "\nnumber text: %s\n  text: \"%s\"\n"
                 "  ParseNumber: %.17g (bits %016llX)\n"
                 "  expected:    %.17g (bits %016llX)\n",
                 what, Printable(text).c_str(), ours,
                 static_cast<unsigned long long>(Bits(ours)), theirs,
                 static_cast<unsigned long long>(Bits(theirs)));
    std::abort();
}

// What strtod makes of the whole text: empty when it converts nothing, or
// when anything but blanks follows the part it read (a NUL included, since
// strtod cannot see past one).
std::optional<double> ReadWithStrtod(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin)
        return std::nullopt;
    const char* const stop = begin + text.size();
    while (end != stop && IsBlank(*end))
        ++end;
    if (end != stop)
        return std::nullopt;
    return value;
}

void CheckAgainstStrtod(const std::string& text, const char* context)
{
    const std::optional<double> ours = ParseNumber(text);
    if (!ours)
        return;
    if (IsBlankText(text)) {
        if (Bits(*ours) != Bits(0.0))
            FailNumbers("blank text does not read as +0", text, *ours, 0.0);
        return;
    }
    if (text.find('\0') != std::string::npos)
        Fail("accepted a text with a NUL inside", text);
    const std::optional<double> theirs = ReadWithStrtod(text);
    if (!theirs)
        Fail(context, text);
    if (!SameNumber(*ours, *theirs))
        FailNumbers("differs from strtod", text, *ours, *theirs);
}

void CheckRoundTrip(double value)
{
    char shown[kRoundedNumberSize];
    const std::string text(shown, FormatRounded(value, kAllDigits, shown));
    const std::optional<double> back = ParseNumber(text);
    if (!back)
        Fail("a formatted double does not read back", text);
    if (!SameNumber(*back, value))
        FailNumbers("a formatted double reads back changed", text, *back, value);
    CheckAgainstStrtod(text, "strtod does not read all of a formatted double");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckAgainstStrtod(text, "accepted a text that strtod does not read whole");

    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        CheckRoundTrip(value);
    }
    return 0;
}
