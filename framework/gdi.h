#pragma once

#include <windows.h>

class CWnd;

// Painting of one WM_PAINT: construction begins it, destruction ends it.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    PAINTSTRUCT m_ps{};
    HDC m_hDC = nullptr;

private:
    HWND m_hWnd;
};

// A menu handle seen through the framework. FromHandle owns nothing: the
// object it returns is only a view of a menu the platform keeps, valid until
// the next call to FromHandle on the same thread.
class CMenu {
public:
    static CMenu* FromHandle(HMENU menu);

    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* text = nullptr)
    {
        return ::AppendMenuA(m_hMenu, flags, idNewItem, text) != FALSE;
    }

    HMENU m_hMenu = nullptr;
};
