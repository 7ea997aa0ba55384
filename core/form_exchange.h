#pragma once

#include <array>
#include <cstdint>

#include "calculator_form.h"
#include "identifiers.h"

// What the calculator logic needs of its window. The handlers see the window
// only through these two operations, so they run the same against the real
// dialog and against a test double.
class FormExchange {
public:
    // The read pass (true) copies every control into the form, the write pass
    // (false) the whole form into every control, always over kExchangeTable
    // in its order. A read pass stops at the first field that is not a
    // number, after telling the user, and returns false; that row and the
    // later ones keep their old values.
    virtual bool UpdateData(bool saveAndValidate) = 0;

    // Runs the About box modally; returns when it has closed.
    virtual void RunAboutBox() = 0;

protected:
    ~FormExchange() = default;
};

enum class ExchangeKind {
    Number,     // edit text <-> double
    Selection,  // drop-down list selection index <-> integer, -1 for none
    Text,       // static text <-> string
};

// One row of the exchange: which control, and the form field it mirrors.
// Exactly one of the three field pointers is set, the one that kind names.
struct ExchangeRow {
    int control;
    ExchangeKind kind;
    double CalculatorForm::*number;
    std::int32_t CalculatorForm::*selection;
    FormText CalculatorForm::*text;
};

constexpr ExchangeRow NumberRow(int control, double CalculatorForm::*field)
{
    return {control, ExchangeKind::Number, field, nullptr, nullptr};
}

// Within the ratio calculator distance comes before power; the two result
// fields are exchanged in both directions like the inputs.
inline constexpr std::array<ExchangeRow, 10> kExchangeTable = {{
    NumberRow(IDC_CURRENT_DISTANCE, &CalculatorForm::m_currentDistance),
    NumberRow(IDC_CURRENT_POWER, &CalculatorForm::m_currentPower),
    NumberRow(IDC_PROPOSED_DISTANCE, &CalculatorForm::m_proposedDistance),
    NumberRow(IDC_PROPOSED_POWER, &CalculatorForm::m_proposedPower),
    NumberRow(IDC_WAVELENGTH_FREQUENCY, &CalculatorForm::m_frequency),
    NumberRow(IDC_WAVELENGTH, &CalculatorForm::m_wavelength),
    NumberRow(IDC_ANTENNA_FREQUENCY, &CalculatorForm::m_antennaFrequency),
    NumberRow(IDC_ANTENNA_LENGTH, &CalculatorForm::m_antennaLength),
    {IDC_WAVE_FACTOR, ExchangeKind::Selection, nullptr,
     &CalculatorForm::m_waveFactor, nullptr},
    {IDC_INSTRUCTIONS_TEXT, ExchangeKind::Text, nullptr, nullptr,
     &CalculatorForm::m_instructions},
}};

// The exchange row of `control`; null for a control the form does not mirror.
constexpr const ExchangeRow* FindExchangeRow(int control)
{
    for (const ExchangeRow& row : kExchangeTable)
        if (row.control == control)
            return &row;
    return nullptr;
}

// The form's field that number field `control` mirrors; null for a control
// that holds no number.
constexpr double CalculatorForm::*NumberField(int control)
{
    const ExchangeRow* row = FindExchangeRow(control);
    return row != nullptr ? row->number : nullptr;
}
