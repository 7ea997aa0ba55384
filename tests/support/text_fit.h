#pragma once

// Whether a dialog's texts fit where they are shown, measured the way each
// kind of control draws its text.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace support {

// A window's font (WM_GETFONT); meaningful only in the window's process.
HFONT FontOf(HWND window);
TEXTMETRICA MetricsOf(HFONT font);

// The size `text` takes in `font`, drawn as DrawText draws it with `format`
// into `width` pixels (DT_WORDBREAK wraps at that width; a word wider than
// it makes the result wider).
SIZE MeasureText(HFONT font, const std::string& text, int width, UINT format);

// A control by identifier, class and the start of its text, for messages.
std::string Describe(HWND control);

bool IsButtonOfKind(HWND control, std::initializer_list<LONG> kinds);

// Where a text static's `text` does not fit, wrapped as the static wraps
// it, in its client area: an empty string when it fits, otherwise what it
// needs and what it has.
std::string StaticTextCutOff(HWND control, const std::string& text, HFONT font);

// Every text of `dialog` that does not fit where it is shown:
// - a text static's text, wrapped as the static wraps it, within its client
//   area;
// - a push button's caption, on one line, within the button's face (its
//   client area less the 3-D border on each side);
// - a group box's caption, on one line, with an average character's width
//   to spare at each end for the frame's corners;
// - an edit field's line height within its client area.
// Measured in each control's own font, or in `font` where one is given: a
// font handle of another process's dialog means nothing in this one.
std::vector<std::string> TextsCutOff(HWND dialog, HFONT font = nullptr);

}  // namespace support
