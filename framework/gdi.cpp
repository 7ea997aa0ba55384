#include "gdi.h"

#include "wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (menu == nullptr)
        return nullptr;
    thread_local CMenu view;
    view.m_hMenu = menu;
    return &view;
}
