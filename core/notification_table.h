#pragma once

#include <array>

#include "calculator_form.h"
#include "calculators.h"
#include "form_exchange.h"
#include "help_texts.h"
#include "identifiers.h"

// Control notification codes, as the platform numbers them.
inline constexpr unsigned kClicked = 0x0000;         // BN_CLICKED
inline constexpr unsigned kListKillFocus = 0x0004;   // CBN_KILLFOCUS
inline constexpr unsigned kEditSetFocus = 0x0100;    // EN_SETFOCUS
inline constexpr unsigned kEditKillFocus = 0x0200;   // EN_KILLFOCUS
inline constexpr unsigned kEditChange = 0x0300;      // EN_CHANGE

using NotificationHandler = void (*)(CalculatorForm&, FormExchange&);

struct NotificationRow {
    int control;
    unsigned code;
    NotificationHandler handler;
};

// Entering a field clears the value that competes with it (the other proposed
// value, or that calculator's result) and shows the form; nothing is read
// first, so text typed into the competing field and not yet read is dropped.
template <double CalculatorForm::*Competitor>
void ClearAndShow(CalculatorForm& form, FormExchange& window)
{
    form.*Competitor = 0.0;
    window.UpdateData(false);
}
inline constexpr NotificationHandler OnSetFocusProposedDistance =
    ClearAndShow<&CalculatorForm::m_proposedPower>;
inline constexpr NotificationHandler OnSetFocusProposedPower =
    ClearAndShow<&CalculatorForm::m_proposedDistance>;
inline constexpr NotificationHandler OnSetFocusFrequency = ClearAndShow<&CalculatorForm::m_wavelength>;
inline constexpr NotificationHandler OnSetFocusAntennaFrequency =
    ClearAndShow<&CalculatorForm::m_antennaLength>;

// Leaving an input that has no competitor stores what the user typed.
void OnKillFocusField(CalculatorForm& form, FormExchange& window);

// An Instructions button puts its calculator's help text into the pane.
template <const char* Text>
void ShowHelp(CalculatorForm& form, FormExchange& window)
{
    form.m_instructions = Text;
    window.UpdateData(false);
}
inline constexpr NotificationHandler OnInstructionsRatio = ShowHelp<kRatioHelpText>;
inline constexpr NotificationHandler OnInstructionsWavelength = ShowHelp<kWavelengthHelpText>;
inline constexpr NotificationHandler OnInstructionsAntenna = ShowHelp<kAntennaHelpText>;
// Help asked for outside the calculators: the pane as the window opens.
inline constexpr NotificationHandler OnOpeningPrompt = ShowHelp<kOpeningPrompt>;

void OnAbout(CalculatorForm& form, FormExchange& window);

// Read top to bottom, first match wins. A notification not listed here
// (typing, entering Current Power, leaving a proposed field, the result
// fields, Exit) belongs to the window's default handling.
inline constexpr std::array<NotificationRow, 16> kNotificationTable = {{
    {IDC_PROPOSED_DISTANCE, kEditSetFocus, OnSetFocusProposedDistance},
    {IDC_PROPOSED_POWER, kEditSetFocus, OnSetFocusProposedPower},
    {IDC_CURRENT_DISTANCE, kEditKillFocus, OnKillFocusField},
    {IDC_CURRENT_POWER, kEditKillFocus, OnKillFocusField},
    {IDC_RATIO_CALCULATE, kClicked, OnCalculateRatio},
    {IDC_WAVELENGTH_FREQUENCY, kEditSetFocus, OnSetFocusFrequency},
    {IDC_WAVELENGTH_FREQUENCY, kEditKillFocus, OnKillFocusField},
    {IDC_WAVELENGTH_CALCULATE, kClicked, OnCalculateWavelength},
    {IDC_ANTENNA_CALCULATE, kClicked, OnCalculateAntenna},
    {IDC_ANTENNA_FREQUENCY, kEditSetFocus, OnSetFocusAntennaFrequency},
    {IDC_ANTENNA_FREQUENCY, kEditKillFocus, OnKillFocusField},
    {IDC_RATIO_INSTRUCTIONS, kClicked, OnInstructionsRatio},
    {IDC_WAVELENGTH_INSTRUCTIONS, kClicked, OnInstructionsWavelength},
    {IDC_ANTENNA_INSTRUCTIONS, kClicked, OnInstructionsAntenna},
    {IDC_ABOUT, kClicked, OnAbout},
    {IDC_WAVE_FACTOR, kListKillFocus, OnKillFocusField},
}};

// The first row matching (control, code), or null when none does.
const NotificationRow* FindNotification(int control, unsigned code);

// Runs the first row matching (control, code); false when no row matches.
bool DispatchNotification(CalculatorForm& form, FormExchange& window,
                          int control, unsigned code);
