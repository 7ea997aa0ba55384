#include "calculator_table.h"

namespace {

// Appends the parts of a spoken name; the sizes are checked below, at
// compile time, against every name the table can make.
struct NameWriter {
    char* out;
    std::size_t length = 0;

    constexpr void operator+=(std::string_view part)
    {
        for (const char c : part)
            if (out != nullptr)
                out[length++] = c;
            else
                ++length;
    }
};

constexpr std::size_t WriteSpokenName(const NamedControl& named, const char* caption, char* out)
{
    NameWriter name{out};
    name += named.label;
    if (named.unit != nullptr) {
        name += ", ";
        name += named.unit;
    }
    if (caption != nullptr) {
        name += ", ";
        name += caption;
    }
    return name.length;
}

consteval bool EveryNameFits()
{
    for (const auto& entry : calculator_table_detail::kNamedEntries)
        if (WriteSpokenName(entry.named, entry.tellingCaption, nullptr) >= kSpokenNameSize)
            return false;
    return true;
}
static_assert(EveryNameFits(), "kSpokenNameSize must hold every spoken name");

}  // namespace

std::size_t SpokenName(int control, char* out)
{
    const NamedControl* named = FindNamedControl(control);
    const std::size_t length = named != nullptr ? WriteSpokenName(*named, TellingCaption(control), out) : 0;
    out[length] = '\0';
    return length;
}

std::size_t ResultSpeech(int field, std::string_view shown, char* out)
{
    NameWriter speech{out};
    const NamedControl* named = FindNamedControl(field);
    if (named != nullptr) {
        speech += named->label;
        speech += " ";
    }
    speech += shown.substr(0, 31);
    if (named != nullptr && named->unit != nullptr) {
        speech += " ";
        speech += named->unit;
    }
    out[speech.length] = '\0';
    return speech.length;
}
static_assert(kResultSpeechSize >= kSpokenNameSize + 32, "a label, a unit and a shown number fit");
