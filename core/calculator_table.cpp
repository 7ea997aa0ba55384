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

constexpr bool SameLabel(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b)
        ++a, ++b;
    return *a == *b;
}

constexpr const char* CaptionTelling(const NamedControl& named)
{
    int same = 0;
    for (const NamedControl& other : kNamedControls)
        same += SameLabel(other.label, named.label) ? 1 : 0;
    return same > 1 && named.calculator >= 0 ? kCalculators[named.calculator].caption : nullptr;
}

constexpr std::size_t WriteSpokenName(const NamedControl& named, char* out)
{
    NameWriter name{out};
    name += named.label;
    if (named.unit != nullptr) {
        name += ", ";
        name += named.unit;
    }
    if (const char* caption = CaptionTelling(named)) {
        name += ", ";
        name += caption;
    }
    return name.length;
}

constexpr bool EveryNameFits()
{
    for (const NamedControl& named : kNamedControls)
        if (WriteSpokenName(named, nullptr) >= kSpokenNameSize)
            return false;
    return true;
}
static_assert(EveryNameFits(), "kSpokenNameSize must hold every spoken name");

}  // namespace

const char* TellingCaption(int control)
{
    const NamedControl* named = FindNamedControl(control);
    return named != nullptr ? CaptionTelling(*named) : nullptr;
}

std::size_t SpokenName(int control, char* out)
{
    const NamedControl* named = FindNamedControl(control);
    const std::size_t length = named != nullptr ? WriteSpokenName(*named, out) : 0;
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
    // At most 31 characters of the number; a view, since substr's bounds
    // check would bring the library's exception machinery into the program.
    speech += std::string_view(shown.data(), shown.size() < 31 ? shown.size() : 31);
    if (named != nullptr && named->unit != nullptr) {
        speech += " ";
        speech += named->unit;
    }
    out[speech.length] = '\0';
    return speech.length;
}
static_assert(kResultSpeechSize >= kSpokenNameSize + 32, "a label, a unit and a shown number fit");
