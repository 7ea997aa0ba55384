#pragma once

#include <windows.h>

// Asks a screen reader to say `text` now, as the outcome of an action that
// changed `control`: a UI Automation notification where the platform offers
// one (Windows 10 from version 1709), nothing elsewhere.
void AnnounceToScreenReader(HWND control, const char* text);

// Where announcements go. Tests put their own function here to see what
// would have been said.
using AnnounceFunction = void (*)(HWND control, const char* text);
extern AnnounceFunction g_announce;
