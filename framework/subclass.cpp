#include "subclass.h"

#include <new>

// A control needs a procedure or two of its own (a push button's press and
// its accessible object, a number field's copy and its accessible object).
struct SubclassChain {
    struct Link {
        SubclassProcedure procedure;
        void* data;
    };
    static constexpr int kRoom = 4;

    WNDPROC own;  // the control's procedure before the chain
    int count = 0;
    Link links[kRoom];  // in the order they were put on: the last sees a message first
};

namespace {

SubclassChain* ChainOf(HWND control)
{
    return reinterpret_cast<SubclassChain*>(::GetWindowLongPtrA(control, GWLP_USERDATA));
}

LRESULT CALLBACK ChainProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    SubclassChain* const chain = ChainOf(control);
    if (chain == nullptr)  // after the last message, if someone put this back
        return ::DefWindowProcA(control, message, wParam, lParam);
    const LRESULT result = SubclassNext(*chain, control, chain->count)(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Whoever subclassed the control after the chain has put back what
        // they found, or will: only a chain still on top puts back its own.
        if (::GetWindowLongPtrA(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc))
            ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->own));
        ::SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        delete chain;
    }
    return result;
}

}  // namespace

// Everything is read before the call: a message can end in the control's
// destruction, and the chain goes with it.
LRESULT SubclassNext::operator()(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_below == 0)
        return ::CallWindowProcA(m_chain.own, m_control, message, wParam, lParam);
    const SubclassChain::Link link = m_chain.links[m_below - 1];
    return link.procedure(link.data, m_control, message, wParam, lParam,
                          SubclassNext(m_chain, m_control, m_below - 1));
}

bool AddSubclass(HWND control, SubclassProcedure procedure, void* data)
{
    if (control == nullptr || procedure == nullptr)
        return false;
    SubclassChain* chain = nullptr;
    if (::GetWindowLongPtrA(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc)) {
        chain = ChainOf(control);
    } else if (::GetWindowLongPtrA(control, GWLP_USERDATA) == 0) {
        chain = new (std::nothrow) SubclassChain{};
        if (chain == nullptr)
            return false;
        chain->own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(control, GWLP_WNDPROC));
        ::SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(chain));
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc));
    }
    if (chain == nullptr || chain->count == SubclassChain::kRoom)
        return false;
    chain->links[chain->count++] = {procedure, data};
    return true;
}
