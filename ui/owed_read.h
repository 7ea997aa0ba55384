#pragma once

#include <windows.h>

class CWnd;

// The read pass owed to the fields when the focus leaves the window from
// one of them. While the focus is outside (another program in front, the
// window minimised, the About box open over it) a read pass could show its
// message where the user is not looking, or over the modal box; and when
// the focus comes back, the entering field's handler rewrites every field
// from the form. So the leaving is only noted, and the read is made once the
// window is active, enabled and holds the focus again, before any handler
// that could rewrite a field.
class OwedRead {
public:
    // Whether a field losing the focus of `window` now leaves the window:
    // the focus went to no control of it.
    static bool FocusLeaves(HWND window);

    void Owe() { m_owed = true; }

    // Makes the owed read pass when it is due. False when that pass met a
    // field that is not a number: its message has then put the focus on
    // that field with the text selected, for the user to correct, and the
    // notification being handled must not rewrite it. True otherwise,
    // including when nothing is owed or the window is not back yet.
    bool SettleIn(CWnd& window);

private:
    bool m_owed = false;
};
