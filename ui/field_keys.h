#pragma once

#include <windows.h>

// Keys and clicks in the main window's fields to which the dialog manager
// gives no meaning, or not the one a person expects:
// - Ctrl+Enter in a calculator's input field runs that calculator's
//   Calculate, as a click on its button does, and the focus stays in the
//   field: no other field, and so no interlock, lies on the way. Plain
//   Enter stays the default button's.
// - Ctrl+A selects the whole text of the field that has the focus.
// - A click that brings the focus into an input showing 0 (an empty field)
//   selects the 0, so that what the user types replaces it.
//
// They are caught by a message-filter hook: the dialog manager hands every
// message of a modal dialog to the thread's message filters (MSGF_DIALOGBOX,
// from IsDialogMessage) before it handles keys itself, so Ctrl+Enter never
// reaches the default button, and no control is subclassed.
class FieldKeys {
public:
    FieldKeys() = default;
    ~FieldKeys() { Remove(); }
    FieldKeys(const FieldKeys&) = delete;
    FieldKeys& operator=(const FieldKeys&) = delete;

    // Starts watching the fields of `dialog`, on this thread. One dialog at
    // a time: installing again moves the watch.
    void Install(HWND dialog);
    // Stops watching; does nothing when not installed.
    void Remove();

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
    bool Handle(const MSG& message);

    HHOOK m_hook = nullptr;
    HWND m_dialog = nullptr;
    HWND m_clickedIntoEmpty = nullptr;  // between the press and the release
};
