#include "owed_read.h"

#include "wnd.h"

namespace {

bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    return focus != nullptr && ::IsChild(window, focus);
}

}  // namespace

bool OwedRead::FocusLeaves(HWND window)
{
    return !HoldsFocus(window);
}

bool OwedRead::SettleIn(CWnd& window)
{
    const HWND hwnd = window.m_hWnd;
    if (!m_owed || ::GetActiveWindow() != hwnd || !::IsWindowEnabled(hwnd) || !HoldsFocus(hwnd))
        return true;
    m_owed = false;
    return window.UpdateData(true);
}
