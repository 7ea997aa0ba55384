#include "owed_read.h"

#include "wnd.h"

namespace {

bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    return focus != nullptr && ::IsChild(window, focus);
}

bool IsBack(HWND window)
{
    return ::GetActiveWindow() == window && ::IsWindowEnabled(window) && HoldsFocus(window);
}

}  // namespace

bool OwedRead::FocusLeaves(HWND window)
{
    return !HoldsFocus(window);
}

bool OwedRead::SettleIn(CWnd& window)
{
    if (!m_owed || !IsBack(window.m_hWnd))
        return true;
    m_owed = false;
    m_settling = true;
    const bool complete = window.UpdateData(true);
    m_settling = false;
    return complete;
}

void OwedRead::Defer(HWND window, int field)
{
    m_badField = field;
    ::PostMessageA(window, kReportMessage, 0, 0);
}

int OwedRead::TakeReport(HWND window)
{
    const int field = m_badField;
    m_badField = 0;
    if (field != 0 && !IsBack(window)) {
        m_owed = true;
        return 0;
    }
    return field;
}
