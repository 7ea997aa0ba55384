#include "clipboard.h"

#include <cstring>

void PutOnClipboard(HWND owner, const CString& text)
{
    if (!::OpenClipboard(owner))
        return;
    const std::size_t size = static_cast<std::size_t>(text.GetLength()) + 1;
    HGLOBAL memory = ::EmptyClipboard() ? ::GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    if (void* bytes = memory != nullptr ? ::GlobalLock(memory) : nullptr) {
        std::memcpy(bytes, static_cast<const char*>(text), size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_TEXT, memory) != nullptr)
            memory = nullptr;  // the clipboard's now
    }
    if (memory != nullptr)
        ::GlobalFree(memory);
    ::CloseClipboard();
}
