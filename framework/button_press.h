#pragma once

#include <windows.h>

// Makes `control`, when it is a push button, keep a press that the focus
// change it caused swallowed; any other control is left as it is. A press
// first moves the focus to the button; whatever leaving the focused control
// sets off (a read that met a field that is not a number, and said so in a
// message box) can take the focus away before the button counts itself
// pressed, and the release that would have clicked then goes nowhere. Such
// a press is delivered once that is over: the button's clicked notification
// goes to the dialog exactly once, and the button's own release clicks
// nothing. Mouse presses and BM_CLICK alike.
void KeepButtonPresses(HWND control);
