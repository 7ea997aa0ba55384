#pragma once

// What the two dialog templates must hold, control by control in template
// order. The template tests compare the bytes of the resources with these
// rows; the dialog tests compare the windows the dialog manager builds.

#include <windows.h>

#include "identifiers.h"

namespace expected {

struct ControlRow {
    int id;                  // IDC_STATIC for a label with no number
    const char* className;   // as GetClassName reports it
    const char* caption;     // null: a picture, or a text fixed elsewhere
    WORD picture;            // bitmap resource of a picture, else 0
    DWORD style;             // the full style word of the template
    short x, y, width, height;  // dialog units
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kInput = kChild | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kResult = kChild | WS_BORDER | ES_CENTER | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | WS_GROUP | SS_CENTER | SS_SUNKEN;
constexpr DWORD kPicture = kChild | SS_BITMAP | SS_REALSIZEIMAGE | SS_SUNKEN;

inline constexpr ControlRow kCalculatorControls[] = {
    {IDC_CURRENT_POWER, "Edit", "", 0, kInput, 39, 100, 40, 14},
    {IDC_CURRENT_DISTANCE, "Edit", "", 0, kInput, 94, 100, 40, 14},
    {IDC_PROPOSED_POWER, "Edit", "", 0, kInput, 149, 100, 40, 14},
    {IDC_PROPOSED_DISTANCE, "Edit", "", 0, kInput, 204, 100, 40, 14},
    {IDC_RATIO_CALCULATE, "Button", "Calculate", 0, kButton, 267, 85, 50, 11},
    {IDC_RATIO_INSTRUCTIONS, "Button", "Instructions", 0, kButton, 267, 98, 50, 11},
    {IDC_WAVELENGTH_FREQUENCY, "Edit", "", 0, kInput, 31, 161, 40, 14},
    {IDC_WAVELENGTH_CALCULATE, "Button", "Calculate", 0, kButton, 31, 182, 50, 11},
    {IDC_WAVELENGTH_INSTRUCTIONS, "Button", "Instructions", 0, kButton, 31, 195, 50, 11},
    {IDC_ANTENNA_FREQUENCY, "Edit", "", 0, kInput, 159, 161, 40, 14},
    {IDC_WAVE_FACTOR, "ComboBox", "", 0, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
     213, 161, 48, 50},
    {IDC_ANTENNA_CALCULATE, "Button", "Calculate", 0, kButton, 159, 182, 50, 11},
    {IDC_ANTENNA_INSTRUCTIONS, "Button", "Instructions", 0, kButton, 159, 195, 50, 11},
    {IDC_ABOUT, "Button", "About", 0, kButton, 225, 330, 50, 11},
    {IDOK, "Button", "Exit", 0, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 282, 330, 50, 11},
    {IDC_RATIO_GROUP, "Button", "Inverse Square Ratio Calculator", 0, kGroupBox, 24, 67, 308, 56},
    {IDC_LABEL_CURRENT_POWER, "Static", "Current Power", 0, kLabel, 43, 80, 33, 18},
    {IDC_LABEL_CURRENT_DISTANCE, "Static", "Current Distance", 0, kLabel, 98, 80, 33, 18},
    {IDC_LABEL_PROPOSED_POWER, "Static", "Proposed Power", 0, kLabel, 153, 80, 33, 18},
    {IDC_LABEL_PROPOSED_DISTANCE, "Static", "Proposed Distance", 0, kLabel, 208, 80, 33, 18},
    {IDC_WAVELENGTH_GROUP, "Button", "Wavelength Calculator", 0, kGroupBox, 24, 131, 105, 80},
    {IDC_STATIC, "Static", "Frequency", 0, kLabel, 30, 145, 43, 10},
    {IDC_STATIC, "Static", "Wavelength", 0, kLabel, 80, 145, 43, 10},
    {IDC_WAVELENGTH, "Edit", "", 0, kResult, 81, 161, 40, 14},
    {IDC_ANTENNA_GROUP, "Button", "Antenna Length Calculator", 0, kGroupBox, 146, 131, 186, 80},
    {IDC_STATIC, "Static", "Frequency", 0, kLabel, 151, 145, 54, 10},
    {IDC_STATIC, "Static", "Wave Factor", 0, kLabel, 211, 145, 54, 10},
    {IDC_STATIC, "Static", "Antenna Length", 0, kLabel, 271, 145, 54, 10},
    {IDC_ANTENNA_LENGTH, "Edit", "", 0, kResult, 278, 161, 40, 14},
    {IDC_INSTRUCTIONS_GROUP, "Button", "Instructions", 0, kGroupBox, 24, 219, 308, 103},
    {IDC_INSTRUCTIONS_TEXT, "Static", "", 0, kChild | WS_GROUP | SS_LEFT | SS_SUNKEN,
     29, 229, 297, 87},
    {IDC_BANNER, "Static", nullptr, IDB_BANNER, kPicture, 23, 10, 309, 51},
};

// The notice line's words are free and the address is the mail link's, so
// both are checked on their own.
inline constexpr ControlRow kAboutControls[] = {
    {IDOK, "Button", "Close", 0, kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON,
     117, 132, 50, 14},
    {IDC_PORTRAIT, "Static", nullptr, IDB_PORTRAIT, kPicture | SS_NOTIFY, 22, 56, 61, 68},
    {IDC_STATIC, "Static", "Velquor Version 1.0.0", 0, kChild | WS_GROUP | SS_LEFT, 108, 61, 93, 9},
    {IDC_STATIC, "Static", nullptr, 0, kChild | WS_GROUP | SS_LEFT, 108, 78, 96, 17},
    {IDC_MAIL_ADDRESS, "Static", nullptr, 0, kChild | WS_GROUP | SS_LEFT | SS_NOTIFY,
     108, 106, 67, 8},
    {IDC_BANNER, "Static", nullptr, IDB_ABOUT_BANNER, kPicture, 19, 13, 198, 33},
};

inline constexpr int kNoticeIndex = 3;  // the About box's notice line

// The windows themselves.
inline constexpr DWORD kCalculatorStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE |
                                          WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kCalculatorExStyle = WS_EX_APPWINDOW;
inline constexpr DWORD kAboutStyle = DS_MODALFRAME | DS_SETFONT | DS_3DLOOK | WS_POPUP;

}  // namespace expected
