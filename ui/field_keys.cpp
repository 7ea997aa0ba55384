#include "field_keys.h"

#include "calculator_table.h"

namespace {

bool CtrlAlone()
{
    return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
           ::GetKeyState(VK_MENU) >= 0;
}

// The Calculate button of the calculator that takes `control` as an input;
// 0 when no calculator does.
int CalculateButtonFor(int control)
{
    for (const Calculator& calculator : kCalculators)
        for (const NamedControl& input : calculator.inputs)
            if (input.control != 0 && input.control == control)
                return calculator.calculate.control;
    return 0;
}

bool IsEdit(HWND control)
{
    char name[8] = "";
    ::GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Edit") == 0;
}

bool IsInput(HWND control)
{
    return IsEdit(control) && !(::GetWindowLongA(control, GWL_STYLE) & ES_READONLY);
}

// A 0 the user typed is the user's to place the caret in; the one the
// program wrote stands for an empty field.
bool ShowsTheProgramsZero(HWND edit)
{
    char text[3] = "";
    return ::GetWindowTextLengthA(edit) == 1 && ::GetWindowTextA(edit, text, sizeof text) == 1 &&
           text[0] == '0' && ::SendMessageA(edit, EM_GETMODIFY, 0, 0) == 0;
}

bool NothingSelected(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end;
}

}  // namespace

bool FieldKeys::Handle(HWND dialog, const MSG& message)
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
        m_clickedIntoZero = IsInput(control) && ShowsTheProgramsZero(control) ? control : nullptr;
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
