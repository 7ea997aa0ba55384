#include "field_keys.h"

#include "calculator_table.h"
#include "form_controller.h"

namespace {

bool CtrlAlone()
{
    return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
           ::GetKeyState(VK_MENU) >= 0;
}

bool IsEdit(HWND control)
{
    char name[8] = "";
    ::GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Edit") == 0;
}

bool NothingSelected(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end;
}

}  // namespace

bool FieldKeys::Handle(HWND dialog, const MSG& message, FormController& form)
{
    const HWND control = message.hwnd;
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.wParam == VK_RETURN && CtrlAlone()) {
            const int button = CalculateButtonFor(::GetDlgCtrlID(control));
            if (button == 0)
                return false;
            // An open list takes Enter itself, to choose.
            if (!IsEdit(control) && ::SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0))
                return false;
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
            return true;
        }
        if (message.wParam == 'A' && CtrlAlone() && IsEdit(control)) {
            ::SendMessageA(control, EM_SETSEL, 0, -1);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
        m_clickedIntoZero = form.SelectsOnClick(::GetDlgCtrlID(control)) ? control : nullptr;
        return false;
    case WM_LBUTTONUP:
        // The press placed the caret where it fell, also in a field that had
        // the focus with its 0 selected; a drag that selected something is
        // left as the user made it.
        if (control == m_clickedIntoZero && ::GetFocus() == control && NothingSelected(control))
            ::SendMessageA(control, EM_SETSEL, 0, -1);
        m_clickedIntoZero = nullptr;
        return false;
    default:
        return false;
    }
}
