#pragma once

#include <windows.h>

#include "cstring.h"

// Puts `text` (ANSI, of any length) on the clipboard as the only thing there,
// as an edit control's own copy puts its selection; `owner` is the window
// the clipboard is opened for. Nothing is put there when the clipboard
// cannot be had (another program holds it open) or the memory is missing.
void PutOnClipboard(HWND owner, const CString& text);
