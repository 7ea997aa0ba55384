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

// The controls that have a chain, with their chains. A window's messages
// come on the thread that made it, but a chain may be put on from another,
// so the list is locked; never across a call into a chain, which can make
// and destroy controls of its own. The main window and the About box hold
// a few dozen chains at the most.
class ChainList {
public:
    SubclassChain* Find(HWND control)
    {
        ::AcquireSRWLockShared(&m_lock);
        SubclassChain* chain = nullptr;
        for (int i = 0; i < m_count && chain == nullptr; ++i)
            if (m_entries[i].control == control)
                chain = m_entries[i].chain;
        ::ReleaseSRWLockShared(&m_lock);
        return chain;
    }

    bool Add(HWND control, SubclassChain* chain)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        const bool room = m_count < kRoom;
        if (room)
            m_entries[m_count++] = {control, chain};
        ::ReleaseSRWLockExclusive(&m_lock);
        return room;
    }

    void Remove(HWND control)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        for (int i = 0; i < m_count; ++i) {
            if (m_entries[i].control == control) {
                m_entries[i] = m_entries[--m_count];
                break;
            }
        }
        ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    static constexpr int kRoom = 256;
    struct Entry {
        HWND control;
        SubclassChain* chain;
    };
    SRWLOCK m_lock = SRWLOCK_INIT;
    Entry m_entries[kRoom];
    int m_count = 0;
};

ChainList g_chains;

LRESULT CALLBACK ChainProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    SubclassChain* const chain = g_chains.Find(control);
    if (chain == nullptr)  // after the last message, if someone put this back
        return ::DefWindowProcA(control, message, wParam, lParam);
    const LRESULT result = SubclassNext(*chain, control, chain->count)(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Whoever subclassed the control after the chain has put back what
        // they found, or will: only a chain still on top puts back its own.
        if (::GetWindowLongPtrA(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc))
            ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->own));
        g_chains.Remove(control);
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
    SubclassChain* chain = g_chains.Find(control);
    if (chain != nullptr) {
        if (::GetWindowLongPtrA(control, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ChainProc))
            return false;  // hidden by a later subclass
    } else {
        // Another process's control gives no procedure to put the chain in front of.
        const auto own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(control, GWLP_WNDPROC));
        if (own == nullptr)
            return false;
        chain = new (std::nothrow) SubclassChain{};
        if (chain == nullptr)
            return false;
        chain->own = own;
        if (!g_chains.Add(control, chain)) {
            delete chain;
            return false;
        }
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc));
    }
    if (chain->count == SubclassChain::kRoom)
        return false;
    chain->links[chain->count++] = {procedure, data};
    return true;
}
