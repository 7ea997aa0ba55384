#pragma once

#include <windows.h>

class FormController;

// Keys and clicks in the main window's fields to which the dialog manager
// gives no meaning, or not the one a person expects:
// - Ctrl+Enter in a calculator's input runs that calculator's Calculate, as
//   a click on its button does, and the focus stays in the field: no other
//   field, and so no interlock, lies on the way (the controller runs the
//   field's own on its first edit). Plain Enter stays the default button's.
// - Ctrl+A selects the whole text of the field that has the focus.
// - A click into an input that shows the program's own 0 (written by the
//   program, not typed) selects the 0, so that what the user types replaces
//   it, whether or not the field had the focus already.
//
// The dialog hands them over before the dialog manager sees them (its
// pre-translate step), so Ctrl+Enter never reaches the default button, and
// no control is subclassed.
class FieldKeys {
public:
    FieldKeys() = default;
    FieldKeys(const FieldKeys&) = delete;
    FieldKeys& operator=(const FieldKeys&) = delete;

    // `message` is for a control of `dialog`. True when it was taken here
    // and must go no further.
    bool Handle(HWND dialog, const MSG& message, FormController& form);

private:
    HWND m_clickedIntoZero = nullptr;  // between the press and the release
};
