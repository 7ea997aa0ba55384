#include "button_press.h"

#include "subclass.h"

namespace {

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

LRESULT PushButtonProc(void*, HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                       const SubclassNext& next)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // a push button takes a double click as a press
        const HWND outer = g_pressed;
        const bool outerLost = g_lostFocus;
        g_pressed = button;
        g_lostFocus = false;
        const LRESULT result = next(message, wParam, lParam);
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
    return next(message, wParam, lParam);
}

}  // namespace

void KeepButtonPresses(HWND control)
{
    if (IsPushButton(control))
        AddSubclass(control, &PushButtonProc, nullptr);
}
