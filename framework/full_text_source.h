#pragma once

#include <windows.h>

#include "cstring.h"

// Where a control that shows a shortened text (a number rounded to fit)
// finds its full text. Asked on every request, on the control's thread.
class FullTextSource {
public:
    // The full text of `control` into `out` while it shows a shortened one;
    // false when what it shows is all there is.
    virtual bool FullText(HWND control, CString& out) = 0;

protected:
    ~FullTextSource() = default;
};
