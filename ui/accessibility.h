#pragma once

#include <windows.h>

#include "full_text_source.h"
#include "wnd.h"

// Gives each control of the main window a name a listener can act on: the
// label a person sees beside it, its unit, and its calculator where the
// label alone repeats ("Frequency, MHz, Wavelength Calculator"). The
// template places every label after every input, so the platform's own rule
// (the nearest label before a control) names none of them. A number field
// showing its number rounded gives the full number from `numbers` as its
// description.
void ExposeMainWindowControls(const CWnd& window, FullTextSource& numbers);

// The About box by name, which it has no caption to show; its address, and
// the portrait that opens the same mail link, as links whose default action
// opens it.
void ExposeAboutBoxControls(const CWnd& about);
