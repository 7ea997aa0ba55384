#include "field_keys.h"

#include <array>

#include "identifiers.h"

namespace {

// A key that stands for a click on a button while the focus is in one of
// `fields`, with exactly `modifiers` held.
struct FieldKey {
    UINT key;
    UINT modifiers;             // MOD_CONTROL, MOD_SHIFT, MOD_ALT
    std::array<int, 4> fields;  // 0 pads
    int button;
};

// Each calculator's Calculate, from any of its inputs.
constexpr FieldKey kFieldKeys[] = {
    {VK_RETURN, MOD_CONTROL,
     {IDC_CURRENT_POWER, IDC_CURRENT_DISTANCE, IDC_PROPOSED_POWER, IDC_PROPOSED_DISTANCE},
     IDC_RATIO_CALCULATE},
    {VK_RETURN, MOD_CONTROL, {IDC_WAVELENGTH_FREQUENCY}, IDC_WAVELENGTH_CALCULATE},
    {VK_RETURN, MOD_CONTROL, {IDC_ANTENNA_FREQUENCY, IDC_WAVE_FACTOR}, IDC_ANTENNA_CALCULATE},
};

FieldKeys* g_active = nullptr;  // the one installed; a hook procedure has no context

UINT HeldModifiers()
{
    return (::GetKeyState(VK_CONTROL) < 0 ? MOD_CONTROL : 0) |
           (::GetKeyState(VK_SHIFT) < 0 ? MOD_SHIFT : 0) |
           (::GetKeyState(VK_MENU) < 0 ? MOD_ALT : 0);
}

const FieldKey* FindFieldKey(WPARAM key, UINT modifiers, int field)
{
    for (const FieldKey& row : kFieldKeys) {
        if (row.key != key || row.modifiers != modifiers)
            continue;
        for (int candidate : row.fields)
            if (candidate != 0 && candidate == field)
                return &row;
    }
    return nullptr;
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

bool ShowsZero(HWND control)
{
    char text[3] = "";
    return ::GetWindowTextLengthA(control) == 1 && ::GetWindowTextA(control, text, sizeof text) == 1 &&
           text[0] == '0';
}

bool NothingSelected(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end;
}

}  // namespace

void FieldKeys::Install(HWND dialog)
{
    Remove();
    if (g_active != nullptr)
        g_active->Remove();
    m_hook = ::SetWindowsHookExA(WH_MSGFILTER, &FieldKeys::Filter, nullptr, ::GetCurrentThreadId());
    if (m_hook == nullptr)
        return;
    m_dialog = dialog;
    g_active = this;
}

void FieldKeys::Remove()
{
    if (m_hook != nullptr)
        ::UnhookWindowsHookEx(m_hook);
    if (g_active == this)
        g_active = nullptr;
    m_hook = nullptr;
    m_dialog = nullptr;
    m_clickedIntoEmpty = nullptr;
}

LRESULT CALLBACK FieldKeys::Filter(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && g_active != nullptr && message != nullptr &&
        ::GetParent(message->hwnd) == g_active->m_dialog && g_active->Handle(*message))
        return TRUE;  // taken: the dialog manager does nothing more with it
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool FieldKeys::Handle(const MSG& message)
{
    const HWND control = message.hwnd;
    switch (message.message) {
    case WM_KEYDOWN:
        if (const FieldKey* row = FindFieldKey(message.wParam, HeldModifiers(), ::GetDlgCtrlID(control))) {
            // An open list takes Enter itself, to choose.
            if (!IsEdit(control) && ::SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0))
                return false;
            ::SendMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(row->button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(m_dialog, row->button)));
            return true;
        }
        if (message.wParam == 'A' && HeldModifiers() == MOD_CONTROL && IsEdit(control)) {
            ::SendMessageA(control, EM_SETSEL, 0, -1);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
        m_clickedIntoEmpty =
            IsInput(control) && ::GetFocus() != control && ShowsZero(control) ? control : nullptr;
        return false;
    case WM_LBUTTONUP:
        // The press placed the caret where it fell; a drag that selected
        // something is left as the user made it.
        if (control == m_clickedIntoEmpty && ::GetFocus() == control && NothingSelected(control))
            ::SendMessageA(control, EM_SETSEL, 0, -1);
        m_clickedIntoEmpty = nullptr;
        return false;
    default:
        return false;
    }
}
