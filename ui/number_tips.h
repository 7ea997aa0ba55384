#pragma once

#include <windows.h>

// The full text of numbers that their fields show rounded: resting the mouse
// on such a field shows the shortest text that reads back to its value, in
// a tooltip. The tooltip control lives in the common controls library, which
// is loaded from the system folder the first time a number is rounded, so a
// window that never rounds one starts without it.
class CNumberTips {
public:
    CNumberTips() = default;
    CNumberTips(const CNumberTips&) = delete;
    CNumberTips& operator=(const CNumberTips&) = delete;

    // The tip of `field`, a control of `owner`: `fullText`, or none when
    // null (the field shows its value in full).
    void Show(HWND owner, HWND field, const char* fullText);

    // The user changed the field's text: it no longer shows the number the
    // tip tells about.
    void Forget(HWND owner, HWND field);

private:
    HWND TipWindow(HWND owner, bool create);

    HWND m_tip = nullptr;  // owned by the owner window, destroyed with it
};
