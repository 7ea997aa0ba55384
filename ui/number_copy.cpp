#include "number_copy.h"

#include "clipboard.h"
#include "form_exchange.h"
#include "subclass.h"

namespace {

// True when the copy was done here.
bool CopyFullNumber(HWND field, FullTextSource& numbers)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int length = ::GetWindowTextLengthA(field);
    CString full;
    if (length == 0 || start != 0 || end != static_cast<DWORD>(length) || !numbers.FullText(field, full))
        return false;
    PutOnClipboard(field, full);
    return true;
}

// The field's link in its subclass chain; `data` is the source of its numbers.
LRESULT NumberFieldProc(void* data, HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                        const SubclassNext& next)
{
    FullTextSource& numbers = *static_cast<FullTextSource*>(data);
    switch (message) {
    case WM_COPY:  // Ctrl+C and the context menu's Copy
        if (CopyFullNumber(field, numbers))
            return 0;
        break;
    case WM_KEYDOWN:
        // Ctrl+Insert copies too, but an edit may copy for it without a
        // WM_COPY (Wine's does).
        if (wParam == VK_INSERT && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
            CopyFullNumber(field, numbers))
            return 0;
        break;
    default:
        break;
    }
    return next(message, wParam, lParam);
}

}  // namespace

void CopyFullNumbers(const CWnd& window, FullTextSource& numbers)
{
    for (const ExchangeRow& row : kExchangeTable)
        if (row.kind == ExchangeKind::Number)
            AddSubclass(window.GetDlgItem(row.control), &NumberFieldProc, &numbers);
}
