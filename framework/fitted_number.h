#pragma once

#include <windows.h>

#include "rounded_number.h"

// The text a number field shows: the shortest text that reads back to
// `value` when it fits the field's visible width in the field's own font,
// otherwise `value` rounded to as many significant digits as fit (one at
// the least), never cut through. The width is measured, not counted in
// characters, so the rule holds in any font at any DPI. Writes into `out`
// (kRoundedNumberSize characters); returns true when digits were rounded
// away.
bool FitNumber(HWND edit, double value, char* out);
