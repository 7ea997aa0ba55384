#pragma once

#include <cstdint>

#include "form_text.h"

// Everything the main window shows or works with. The first five fields are
// the ratio calculation's scratch values: never shown, set before each use.
// Fields from m_currentDistance on are exchanged with the controls.
struct CalculatorForm {
    double m_scale = 0.0;
    double m_ratio = 0.0;
    double m_workPower = 0.0;
    double m_workDistance = 0.0;
    double m_workQuotient = 0.0;

    double m_currentDistance = 0.0;   // miles
    double m_currentPower = 0.0;      // watts
    double m_proposedDistance = 0.0;  // miles, input or result
    double m_proposedPower = 0.0;     // watts, input or result
    double m_frequency = 0.0;         // MHz
    double m_wavelength = 0.0;        // feet, result
    double m_antennaFrequency = 0.0;  // MHz
    double m_antennaLength = 0.0;     // feet, result
    std::int32_t m_waveFactor = -1;   // index in the wave-factor list, -1: none
    FormText m_instructions;

    CalculatorForm() = default;
    // One form per window, never copied.
    CalculatorForm(const CalculatorForm&) = delete;
    CalculatorForm& operator=(const CalculatorForm&) = delete;
};

// A field counts as empty when it equals zero (either sign) or is not a
// number: the comparison treats an unordered result like equality.
bool IsEmpty(double value);
