#pragma once

#include <windows.h>

#include "full_text_source.h"

// What a control tells a screen reader in place of the platform's standard
// answers. Whatever is left null, empty, zero or false keeps the standard
// answer.
// Texts are copied, whatever their length.
struct AccessibleOverride {
    const char* name = nullptr;
    LONG role = 0;               // ROLE_SYSTEM_...
    const char* value = nullptr;
    bool textIsValue = false;     // the control's current text is its value
    // A named default action; doing it posts the control's clicked
    // notification to its parent, as a click on it would, without moving
    // the focus. A push button's is "Press" unless named here.
    const char* defaultAction = nullptr;
    // The full text of a control that shows a shortened one, which a screen
    // reader hears as the description. Not owned; it must outlive the
    // control.
    FullTextSource* fullText = nullptr;
    // The window object (OBJID_WINDOW) answers too, as for a dialog that a
    // screen reader names by its window: a dialog without a caption.
    bool windowToo = false;
};

// Makes `control` answer accessibility requests (WM_GETOBJECT for its client
// object) with a wrapper around the standard object that answers `what`
// itself and forwards everything else, for as long as the control exists;
// callers that go through IDispatch get the same answers. The accessibility
// library is loaded when the first request comes, never before. False when
// the control cannot be wrapped; it keeps the standard answers then.
bool ExposeAccessible(HWND control, const AccessibleOverride& what);
