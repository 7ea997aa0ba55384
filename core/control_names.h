#pragma once

#include <array>

#include "identifiers.h"

// What each control of the main window is called, for the words the program
// says about a control (a message about a field, a name a screen reader
// reads): the label a person sees beside it, the unit of its number, and the
// calculator whose group holds it. Labels repeat across calculators
// ("Frequency", "Calculate"), so a name that must tell controls apart adds
// the calculator.
struct ControlName {
    int control;
    const char* label;
    const char* unit;        // null where the control holds no number
    const char* calculator;  // the group's caption; null outside the groups
};

inline constexpr char kRatioCalculator[] = "Inverse Square Ratio Calculator";
inline constexpr char kWavelengthCalculator[] = "Wavelength Calculator";
inline constexpr char kAntennaCalculator[] = "Antenna Length Calculator";

inline constexpr std::array<ControlName, 17> kControlNames = {{
    {IDC_CURRENT_POWER, "Current Power", "watts", kRatioCalculator},
    {IDC_CURRENT_DISTANCE, "Current Distance", "miles", kRatioCalculator},
    {IDC_PROPOSED_POWER, "Proposed Power", "watts", kRatioCalculator},
    {IDC_PROPOSED_DISTANCE, "Proposed Distance", "miles", kRatioCalculator},
    {IDC_RATIO_CALCULATE, "Calculate", nullptr, kRatioCalculator},
    {IDC_RATIO_INSTRUCTIONS, "Instructions", nullptr, kRatioCalculator},
    {IDC_WAVELENGTH_FREQUENCY, "Frequency", "MHz", kWavelengthCalculator},
    {IDC_WAVELENGTH, "Wavelength", "feet", kWavelengthCalculator},
    {IDC_WAVELENGTH_CALCULATE, "Calculate", nullptr, kWavelengthCalculator},
    {IDC_WAVELENGTH_INSTRUCTIONS, "Instructions", nullptr, kWavelengthCalculator},
    {IDC_ANTENNA_FREQUENCY, "Frequency", "MHz", kAntennaCalculator},
    {IDC_WAVE_FACTOR, "Wave Factor", nullptr, kAntennaCalculator},
    {IDC_ANTENNA_LENGTH, "Antenna Length", "feet", kAntennaCalculator},
    {IDC_ANTENNA_CALCULATE, "Calculate", nullptr, kAntennaCalculator},
    {IDC_ANTENNA_INSTRUCTIONS, "Instructions", nullptr, kAntennaCalculator},
    {IDC_ABOUT, "About", nullptr, nullptr},
    {IDC_INSTRUCTIONS_TEXT, "Instructions", nullptr, nullptr},
}};

// The row of `control`, or null when the table does not name it.
constexpr const ControlName* FindControlName(int control)
{
    for (const ControlName& row : kControlNames)
        if (row.control == control)
            return &row;
    return nullptr;
}
