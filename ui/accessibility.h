#pragma once

#include <windows.h>


// Gives each control of the main window a name a listener can act on: the
// label a person sees beside it, its unit, and its calculator where the
// label alone repeats ("Frequency, MHz, Wavelength Calculator"). The
// template places every label after every input, so the platform's own rule
// (the nearest label before a control) names none of them.
void ExposeMainWindowControls(HWND dialog);

// The About box's address, and the portrait that opens the same mail link,
// as links whose default action opens it.
void ExposeAboutBoxControls(HWND about);
