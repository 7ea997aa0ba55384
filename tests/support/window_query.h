#pragma once

// Reading windows, the test's own or another process's. Everything sent to
// another process times out instead of hanging on a program that does not
// answer.

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// How long one message to another process's window may take.
constexpr DWORD kAnswerTimeoutMs = 2000;

// A window's text through WM_GETTEXT, of any length: "<no window>" for a
// null handle, "<no answer>" when its thread does not answer in time.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// The 16-bit identifier the dialog manager gave a control (IDC_STATIC is
// 0xFFFF there).
WORD ControlId(HWND control);

// The direct children of `parent` in z-order, which for a dialog is template
// order; with `visibleOnly`, the visible ones.
std::vector<HWND> ChildWindows(HWND parent, bool visibleOnly = false);

// Every top-level window of every process, hidden ones too.
std::vector<HWND> AllTopLevelWindows();

// The visible top-level windows of `process`, of class `className` and
// captioned `caption` where those are given.
std::vector<HWND> TopLevelWindows(DWORD process, const char* className = nullptr,
                                  const char* caption = nullptr);

// A visible dialog window (class "#32770") of `process` other than `except`;
// null when there is none.
HWND FindDialog(DWORD process, HWND except = nullptr);

// A window's rectangle in the client coordinates of its parent.
RECT WindowRectInParent(HWND window);
// The size of a window's client area.
SIZE ClientSize(HWND window);
// A bitmap's size in pixels; zero for none.
SIZE BitmapSize(HBITMAP bitmap);

// The identifiers of the controls of `dialog` that a person types into,
// chooses in or presses (no read-only field, label, picture or group box),
// in the order a person reads them: group box by group box, top to bottom
// and then left to right, what lies in none last; in each, its fields from
// left to right, then its buttons from top to bottom.
std::vector<int> ControlsInReadingOrder(HWND dialog);

// Returns once the window's thread has handled everything sent to it so
// far; false when it did not answer within `timeoutMs`.
bool Answers(HWND window, DWORD timeoutMs = kAnswerTimeoutMs);

}  // namespace support
