#pragma once

#include <cstddef>
#include <string_view>

#include "identifiers.h"

// The three calculators as the main window groups them, and every control
// the program names: the label a person sees beside it, the unit of its
// number, its calculator and its part there. Every word the program says
// about a control (the message about a field, a name a screen reader reads,
// a result said aloud) and every "which calculator does this control belong
// to" comes from here. The labels are the resource script's captions; a test
// holds them to it.
struct Calculator {
    int group;            // the group box
    const char* caption;  // its caption
};

inline constexpr Calculator kCalculators[] = {
    {IDC_RATIO_GROUP, "Inverse Square Ratio Calculator"},
    {IDC_WAVELENGTH_GROUP, "Wavelength Calculator"},
    {IDC_ANTENNA_GROUP, "Antenna Length Calculator"},
};

enum class Part {
    Input,           // Ctrl+Enter in it runs its calculator's Calculate
    Result,          // its calculator's Calculate may fill it
    InputAndResult,  // both: the ratio calculator fills whichever proposed value was empty
    Calculate,
    Instructions,
    Other,
};

struct NamedControl {
    int control;
    const char* label;
    const char* unit;  // null where the control holds no number
    int calculator;    // index in kCalculators; -1 outside the groups
    Part part;
};

inline constexpr NamedControl kNamedControls[] = {
    {IDC_CURRENT_POWER, "Current Power", "watts", 0, Part::Input},
    {IDC_CURRENT_DISTANCE, "Current Distance", "miles", 0, Part::Input},
    {IDC_PROPOSED_POWER, "Proposed Power", "watts", 0, Part::InputAndResult},
    {IDC_PROPOSED_DISTANCE, "Proposed Distance", "miles", 0, Part::InputAndResult},
    {IDC_RATIO_CALCULATE, "Calculate", nullptr, 0, Part::Calculate},
    {IDC_RATIO_INSTRUCTIONS, "Instructions", nullptr, 0, Part::Instructions},
    {IDC_WAVELENGTH_FREQUENCY, "Frequency", "MHz", 1, Part::Input},
    {IDC_WAVELENGTH, "Wavelength", "feet", 1, Part::Result},
    {IDC_WAVELENGTH_CALCULATE, "Calculate", nullptr, 1, Part::Calculate},
    {IDC_WAVELENGTH_INSTRUCTIONS, "Instructions", nullptr, 1, Part::Instructions},
    {IDC_ANTENNA_FREQUENCY, "Frequency", "MHz", 2, Part::Input},
    {IDC_WAVE_FACTOR, "Wave Factor", nullptr, 2, Part::Input},
    {IDC_ANTENNA_LENGTH, "Antenna Length", "feet", 2, Part::Result},
    {IDC_ANTENNA_CALCULATE, "Calculate", nullptr, 2, Part::Calculate},
    {IDC_ANTENNA_INSTRUCTIONS, "Instructions", nullptr, 2, Part::Instructions},
    {IDC_ABOUT, "About", nullptr, -1, Part::Other},
    {IDC_INSTRUCTIONS_TEXT, "Instructions", nullptr, -1, Part::Other},
};

// The row of `control`; null when the table does not name it.
constexpr const NamedControl* FindNamedControl(int control)
{
    for (const NamedControl& named : kNamedControls)
        if (named.control == control)
            return &named;
    return nullptr;
}

// Calls visit(calculator or null, named control) for every named control.
template <class Visit>
void ForEachNamedControl(Visit visit)
{
    for (const NamedControl& named : kNamedControls)
        visit(named.calculator >= 0 ? &kCalculators[named.calculator] : nullptr, named);
}

// The control of `calculator` (an index in kCalculators) that plays `part`,
// the `nth` one where several do; 0 when there is none.
constexpr int ControlOf(int calculator, bool (*plays)(Part), int nth = 0)
{
    for (const NamedControl& named : kNamedControls)
        if (named.calculator == calculator && plays(named.part) && nth-- == 0)
            return named.control;
    return 0;
}

constexpr bool IsInput(Part part)
{
    return part == Part::Input || part == Part::InputAndResult;
}
constexpr bool IsResult(Part part)
{
    return part == Part::Result || part == Part::InputAndResult;
}
constexpr bool IsCalculate(Part part)
{
    return part == Part::Calculate;
}
constexpr bool IsInstructions(Part part)
{
    return part == Part::Instructions;
}

// The Calculate button that Ctrl+Enter runs from input `control`; 0 when
// `control` is no calculator's input.
constexpr int CalculateButtonFor(int control)
{
    const NamedControl* named = FindNamedControl(control);
    return named != nullptr && IsInput(named->part) ? ControlOf(named->calculator, IsCalculate) : 0;
}

// The Instructions button of the calculator that holds `control` (any of
// its fields and buttons): what help for `control` shows. 0 when no
// calculator holds it.
constexpr int InstructionsButtonFor(int control)
{
    const NamedControl* named = FindNamedControl(control);
    return named != nullptr && named->calculator >= 0 ? ControlOf(named->calculator, IsInstructions) : 0;
}

// The caption of the calculator that holds `control` when another named
// control has the same label ("Frequency", "Calculate"): a name that must
// tell them apart adds it. Null otherwise.
const char* TellingCaption(int control);

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
