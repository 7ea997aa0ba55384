#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "identifiers.h"

// The three calculators as the main window groups them: each one's inputs,
// results and buttons, with the label a person sees beside each control and
// the unit of its number. Every word the program says about a control (the
// message about a field, a name a screen reader reads, a result said aloud)
// and every "which calculator does this control belong to" comes from here.
// The labels are the resource script's captions; a test holds them to it.
struct NamedControl {
    int control;        // 0 pads a short list
    const char* label;  // null where control is 0
    const char* unit;   // null where the control holds no number
};

struct Calculator {
    int group;            // the group box
    const char* caption;  // its caption
    std::array<NamedControl, 4> inputs;   // what Ctrl+Enter runs Calculate from
    std::array<NamedControl, 2> results;  // what its Calculate may fill
    NamedControl calculate;
    NamedControl instructions;
};

inline constexpr std::array<Calculator, 3> kCalculators = {{
    {IDC_RATIO_GROUP,
     "Inverse Square Ratio Calculator",
     {{{IDC_CURRENT_POWER, "Current Power", "watts"},
       {IDC_CURRENT_DISTANCE, "Current Distance", "miles"},
       {IDC_PROPOSED_POWER, "Proposed Power", "watts"},
       {IDC_PROPOSED_DISTANCE, "Proposed Distance", "miles"}}},
     // Calculate fills whichever proposed value was empty.
     {{{IDC_PROPOSED_DISTANCE, "Proposed Distance", "miles"},
       {IDC_PROPOSED_POWER, "Proposed Power", "watts"}}},
     {IDC_RATIO_CALCULATE, "Calculate", nullptr},
     {IDC_RATIO_INSTRUCTIONS, "Instructions", nullptr}},
    {IDC_WAVELENGTH_GROUP,
     "Wavelength Calculator",
     {{{IDC_WAVELENGTH_FREQUENCY, "Frequency", "MHz"}, {}, {}, {}}},
     {{{IDC_WAVELENGTH, "Wavelength", "feet"}, {}}},
     {IDC_WAVELENGTH_CALCULATE, "Calculate", nullptr},
     {IDC_WAVELENGTH_INSTRUCTIONS, "Instructions", nullptr}},
    {IDC_ANTENNA_GROUP,
     "Antenna Length Calculator",
     {{{IDC_ANTENNA_FREQUENCY, "Frequency", "MHz"},
       {IDC_WAVE_FACTOR, "Wave Factor", nullptr},
       {},
       {}}},
     {{{IDC_ANTENNA_LENGTH, "Antenna Length", "feet"}, {}}},
     {IDC_ANTENNA_CALCULATE, "Calculate", nullptr},
     {IDC_ANTENNA_INSTRUCTIONS, "Instructions", nullptr}},
}};

// The named controls outside the three groups.
inline constexpr std::array<NamedControl, 2> kOtherControls = {{
    {IDC_ABOUT, "About", nullptr},
    {IDC_INSTRUCTIONS_TEXT, "Instructions", nullptr},
}};

namespace calculator_table_detail {

// Every named control once, in the table's order: each calculator's inputs,
// results and buttons, then the others; a result that is also an input (the
// ratio calculator's proposed values) comes once. Worked out by the compiler.
struct NamedEntry {
    NamedControl named;
    const Calculator* calculator;  // null outside the groups
    const char* caption;           // the calculator's; null outside the groups
    // The caption again where another named control has the same label; null
    // where the label alone tells the control.
    const char* tellingCaption;
};

template <class Visit>
consteval void Walk(Visit visit)
{
    for (const Calculator& calculator : kCalculators) {
        for (const NamedControl& input : calculator.inputs)
            if (input.control != 0)
                visit(&calculator, calculator.caption, input);
        for (const NamedControl& result : calculator.results) {
            bool alsoInput = false;
            for (const NamedControl& input : calculator.inputs)
                alsoInput = alsoInput || input.control == result.control;
            if (result.control != 0 && !alsoInput)
                visit(&calculator, calculator.caption, result);
        }
        visit(&calculator, calculator.caption, calculator.calculate);
        visit(&calculator, calculator.caption, calculator.instructions);
    }
    for (const NamedControl& other : kOtherControls)
        visit(static_cast<const Calculator*>(nullptr), static_cast<const char*>(nullptr), other);
}

consteval bool SameLabel(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b)
        ++a, ++b;
    return *a == *b;
}

consteval std::size_t CountNamed()
{
    std::size_t count = 0;
    Walk([&](const Calculator*, const char*, const NamedControl&) { ++count; });
    return count;
}

consteval std::array<NamedEntry, CountNamed()> MakeNamedEntries()
{
    std::array<NamedEntry, CountNamed()> entries{};
    std::size_t at = 0;
    Walk([&](const Calculator* calculator, const char* caption, const NamedControl& named) {
        entries[at++] = {named, calculator, caption, nullptr};
    });
    for (NamedEntry& entry : entries) {
        int same = 0;
        for (const NamedEntry& other : entries)
            same += SameLabel(other.named.label, entry.named.label) ? 1 : 0;
        entry.tellingCaption = same > 1 ? entry.caption : nullptr;
    }
    return entries;
}

inline constexpr auto kNamedEntries = MakeNamedEntries();

}  // namespace calculator_table_detail

// Calls visit(calculator or null, named control) for every named control:
// each calculator's inputs, results and buttons, then the others.
template <class Visit>
void ForEachNamedControl(Visit visit)
{
    for (const auto& entry : calculator_table_detail::kNamedEntries)
        visit(entry.calculator, entry.named);
}

// The label and unit of `control`; null when the table does not name it.
inline const NamedControl* FindNamedControl(int control)
{
    for (const auto& entry : calculator_table_detail::kNamedEntries)
        if (entry.named.control == control)
            return &entry.named;
    return nullptr;
}

// The caption of the calculator that holds `control` when another named
// control has the same label ("Frequency", "Calculate"): a name that must
// tell them apart adds it. Null otherwise.
inline const char* TellingCaption(int control)
{
    for (const auto& entry : calculator_table_detail::kNamedEntries)
        if (entry.named.control == control)
            return entry.tellingCaption;
    return nullptr;
}

// The Calculate button that Ctrl+Enter runs from input `control`; 0 when
// `control` is no calculator's input.
constexpr int CalculateButtonFor(int control)
{
    for (const Calculator& calculator : kCalculators)
        for (const NamedControl& input : calculator.inputs)
            if (input.control != 0 && input.control == control)
                return calculator.calculate.control;
    return 0;
}

// Room for the longest SpokenName, terminator included.
inline constexpr std::size_t kSpokenNameSize = 64;

// What a screen reader calls `control`: its label, its unit, and its
// calculator where the label repeats ("Current Power, watts",
// "Frequency, MHz, Wavelength Calculator", "Calculate, Antenna Length
// Calculator", "Wave Factor"). Empty for a control the table does not name.
// Writes into `out` (kSpokenNameSize characters); returns the length.
std::size_t SpokenName(int control, char* out);

// Room for any text ResultSpeech writes, terminator included.
inline constexpr std::size_t kResultSpeechSize = 96;

// What a screen reader says of a result: the field's label, the number as
// the field shows it (at most 31 characters), and its unit ("Proposed
// Distance 20 miles"). Writes into `out` (kResultSpeechSize characters);
// returns the length.
std::size_t ResultSpeech(int field, std::string_view shown, char* out);
