#pragma once

#include <windows.h>

// What a control tells a screen reader in place of the platform's standard
// answers. Whatever is left null, zero or false keeps the standard answer.
struct AccessibleOverride {
    const char* name = nullptr;  // copied
    LONG role = 0;               // ROLE_SYSTEM_...
    const char* value = nullptr;  // copied
    bool textIsValue = false;     // the control's current text is its value
    // A named default action; doing it posts the control's clicked
    // notification to its parent, as a click on it would.
    const char* defaultAction = nullptr;  // copied
};

// Makes `control` answer accessibility requests (WM_GETOBJECT for its client
// object) with a wrapper around the standard object that answers `what`
// itself and forwards everything else, for as long as the control exists.
// The accessibility library is loaded when the first request comes, never
// before. False when the control cannot be wrapped; it keeps the standard
// answers then.
bool ExposeAccessible(HWND control, const AccessibleOverride& what);

// Asks a screen reader to say `text` now, as the outcome of an action that
// changed `control`: a UI Automation notification where the platform offers
// one (Windows 10 from version 1709), nothing elsewhere.
void AnnounceToScreenReader(HWND control, const char* text);

// Where announcements go. Tests put their own function here to see what
// would have been said.
using AnnounceFunction = void (*)(HWND control, const char* text);
extern AnnounceFunction g_announce;
