#include "button_press.h"

namespace {

// Every push button a dialog creates has the one procedure of the "Button"
// class, which this one wraps: nothing needs storing per button, and a
// button that another wrapper got to first is left as it is.
WNDPROC g_buttonProcedure = nullptr;

// The button whose press is being taken, and whether it lost the focus
// meanwhile. One thread; a press taken inside another (a BM_CLICK sent
// while the other's message is up) puts the outer one's back when done.
HWND g_pressed = nullptr;
bool g_lostFocus = false;

bool IsPushButton(HWND control)
{
    char className[8] = "";
    ::GetClassNameA(control, className, sizeof className);
    const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(className, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The press ends here, the button drawn up again and the mouse let go, so
// that its release clicks nothing; the click comes from the queue, after
// everything the press set off.
void DeliverSwallowedPress(HWND button)
{
    ::SendMessageA(button, BM_SETSTATE, FALSE, 0);
    if (::GetCapture() == button)
        ::ReleaseCapture();
    ::PostMessageA(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK PushButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // a push button takes a double click as a press
        const HWND outer = g_pressed;
        const bool outerLost = g_lostFocus;
        g_pressed = button;
        g_lostFocus = false;
        const LRESULT result = ::CallWindowProcA(g_buttonProcedure, button, message, wParam, lParam);
        const bool swallowed = g_lostFocus || ::GetFocus() != button;
        g_pressed = outer;
        g_lostFocus = outerLost;
        if (swallowed && ::IsWindowEnabled(button))
            DeliverSwallowedPress(button);
        return result;
    }
    case WM_KILLFOCUS:
        if (button == g_pressed)
            g_lostFocus = true;
        break;
    default:
        break;
    }
    return ::CallWindowProcA(g_buttonProcedure, button, message, wParam, lParam);
}

}  // namespace

void KeepButtonPresses(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPushButton(child))
            continue;
        const auto procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(child, GWLP_WNDPROC));
        if (g_buttonProcedure == nullptr)
            g_buttonProcedure = procedure;
        if (procedure == g_buttonProcedure)
            ::SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PushButtonProc));
    }
}
