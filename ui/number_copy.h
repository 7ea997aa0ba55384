#pragma once

#include <windows.h>

#include "full_text_source.h"
#include "wnd.h"

// Copying the whole text of a number field of the main window `window`
// (Ctrl+C, Ctrl+Insert, the context menu's Copy) while the field shows its
// number rounded puts the full number from `numbers` on the clipboard, the
// text the field's tooltip shows; a part of the text, or a number shown in
// full, is copied by the field itself. `numbers` must outlive the window.
void CopyFullNumbers(const CWnd& window, FullTextSource& numbers);
