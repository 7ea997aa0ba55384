#include "gdi.h"

#include "thread_slot.h"
#include "wnd.h"

namespace {

// Each thread's menu view, made on its first FromHandle and deleted when the
// thread ends.
void CALLBACK DeleteMenuView(void* view)
{
    delete static_cast<CMenu*>(view);
}

ThreadSlot g_menuView(&DeleteMenuView);

}  // namespace

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
    auto* view = static_cast<CMenu*>(g_menuView.Get());
    if (view == nullptr) {
        view = new CMenu;
        if (!g_menuView.Set(view)) {
            delete view;
            return nullptr;
        }
    }
    view->m_hMenu = menu;
    return view;
}
