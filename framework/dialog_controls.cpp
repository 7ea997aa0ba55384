#include "dialog_controls.h"

#include <cstring>

void DialogControls::FindAll(HWND dialog)
{
    m_count = 0;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        Add(child);
}

void DialogControls::Add(HWND control)
{
    if (m_count == m_room) {
        const int room = m_room != 0 ? 2 * m_room : 32;
        HWND* const controls = new HWND[room];
        if (m_count != 0)
            std::memcpy(controls, m_controls, sizeof *controls * m_count);
        delete[] m_controls;
        m_controls = controls;
        m_room = room;
    }
    m_controls[m_count++] = control;
}

// A destroyed control answers no identifier, and one given to another
// parent is no longer this dialog's: both are passed over.
HWND DialogControls::Find(HWND dialog, int id) const
{
    for (const HWND control : *this) {
        if (::GetDlgCtrlID(control) == id && ::GetParent(control) == dialog)
            return control;
    }
    return nullptr;
}
