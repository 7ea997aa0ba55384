#include "dialog.h"

#include <cstdint>
#include <cstring>

#include "button_press.h"
#include "thread_slot.h"
#include "win_app.h"

namespace {

// The dialog whose window is being created on this thread. Its object is
// bound to the window on the first message the window receives (which comes
// before WM_INITDIALOG), so every message reaches the C++ object.
ThreadSlot g_dialogBeingCreated;

CDialog* DialogBeingCreated()
{
    return static_cast<CDialog*>(g_dialogBeingCreated.Get());
}

// The dialog initialisation data of the template: records of control
// identifier (16 bits), 16-bit-era message (16 bits), data length (32 bits)
// and data, packed without alignment, ended by a zero identifier.
constexpr WORD kOldListBoxAddString = 0x0401;
constexpr WORD kOldComboBoxAddString = 0x0403;
const LPCSTR kDialogInitType = MAKEINTRESOURCEA(240);

template <class T>
bool ReadField(const BYTE*& at, const BYTE* end, T& value)
{
    if (static_cast<std::size_t>(end - at) < sizeof value)
        return false;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return true;
}

// Messages whose result the dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
    case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

bool IsPicture(HWND control)
{
    char className[8] = "";
    ::GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Static") == 0 &&
           (::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

// A picture control sizes its window, border included, to its bitmap and
// then stretches the bitmap into what is left inside the border: a sunken
// picture would lose two pixels each way. Growing the window by its border
// lets the bitmap be drawn at its own pixel size.
void FitPictureToItsBitmap(HWND picture)
{
    const LONG style = ::GetWindowLongA(picture, GWL_STYLE);
    const auto bitmap = reinterpret_cast<HBITMAP>(
        ::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) == 0)
        return;
    RECT frame{0, 0, info.bmWidth, info.bmHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(style), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(picture, GWL_EXSTYLE)));
    ::SetWindowPos(picture, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_pParentWnd(parent)
{
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr) {
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;
    }
    const LPCSTR name = MAKEINTRESOURCEA(m_templateId);
    const HINSTANCE module = AfxFindResourceHandle(name, reinterpret_cast<LPCSTR>(RT_DIALOG));

    m_ending = false;
    // The dialog manager hands every message its loop takes to the thread's
    // message filters before it acts on it. The run owns its filter: one
    // nested inside it (a box opened from a handler) puts its own in front
    // and takes it out again when it ends.
    const HHOOK filter = ::SetWindowsHookExA(WH_MSGFILTER, &CDialog::FilterMessage, nullptr,
                                             ::GetCurrentThreadId());
    g_dialogBeingCreated.Set(this);
    const INT_PTR result = ::DialogBoxParamA(module, name, owner, &CDialog::DialogProc, 0);
    g_dialogBeingCreated.Set(nullptr);
    if (filter != nullptr)
        ::UnhookWindowsHookEx(filter);
    m_hWnd = nullptr;
    return result;
}

// The dialog object behind `control`'s parent, when the parent is one of
// ours: a dialog whose procedure is DialogProc keeps its object in its user
// data from its first message to its last.
CDialog* CDialog::FromControl(HWND control)
{
    if (control == nullptr || !(::GetWindowLongA(control, GWL_STYLE) & WS_CHILD))
        return nullptr;  // a top-level window's parent is its owner
    const HWND parent = ::GetParent(control);
    if (parent == nullptr ||
        ::GetWindowLongPtrA(parent, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CDialog::DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(parent, DWLP_USER));
}

LRESULT CALLBACK CDialog::FilterMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message != nullptr) {
        // Every run's filter is this one function: the filters of the runs
        // further out in the chain would only ask the same dialog again.
        if (CDialog* dialog = FromControl(message->hwnd))
            return dialog->PreTranslateMessage(*message) ? TRUE : FALSE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CDialog::OnInitDialog()
{
    ExecuteDialogInit();
    for (const HWND control : m_controls) {
        if (IsPicture(control))
            FitPictureToItsBitmap(control);
        else
            KeepButtonPresses(control);  // which passes over all but push buttons
    }
    return true;
}

HWND CDialog::GetDlgItem(int id) const
{
    if (const HWND control = m_controls.Find(m_hWnd, id))
        return control;
    return CWnd::GetDlgItem(id);
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// F1 arrives as WM_HELP from the control that has the focus, passed up to
// the dialog; it becomes the help command, which goes where every command
// goes: the dialog's tables, then the application's.
void CDialog::OnHelpKey()
{
    SendMessage(WM_COMMAND, ID_HELP, 0);
}

void CDialog::EndDialog(int result)
{
    m_ending = true;
    ::EndDialog(m_hWnd, result);
}

void CDialog::ExecuteDialogInit()
{
    const LPCSTR name = MAKEINTRESOURCEA(m_templateId);
    const HINSTANCE module = AfxFindResourceHandle(name, kDialogInitType);
    const HRSRC found = ::FindResourceA(module, name, kDialogInitType);
    if (found == nullptr)
        return;
    const HGLOBAL loaded = ::LoadResource(module, found);
    const BYTE* at = static_cast<const BYTE*>(::LockResource(loaded));
    if (at == nullptr)
        return;
    const BYTE* const end = at + ::SizeofResource(module, found);

    WORD control = 0;
    while (ReadField(at, end, control) && control != 0) {
        WORD message = 0;
        DWORD length = 0;
        if (!ReadField(at, end, message) || !ReadField(at, end, length) ||
            length > static_cast<std::size_t>(end - at))
            return;  // damaged data: stop rather than read past it
        const char* text = reinterpret_cast<const char*>(at);
        at += length;
        // The text must end inside its record, with its zero byte.
        if (length == 0 || text[length - 1] != '\0')
            continue;
        if (message == kOldComboBoxAddString)
            ::SendMessageA(GetDlgItem(control), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        else if (message == kOldListBoxAddString)
            ::SendMessageA(GetDlgItem(control), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

// A picture control does not always delete the bitmap it loaded from the
// template when it is destroyed: take each one back and delete it here, so
// that opening a dialog again and again costs nothing.
void CDialog::ReleasePictures()
{
    for (const HWND control : m_controls) {
        if (!IsPicture(control))
            continue;
        const auto bitmap = reinterpret_cast<HBITMAP>(
            ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        self = DialogBeingCreated();
        if (self == nullptr)
            return FALSE;
        g_dialogBeingCreated.Set(nullptr);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->m_controls.Forget();
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->HandleMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        m_controls.FindAll(m_hWnd);
        return OnInitDialog() ? TRUE : FALSE;
    }
    if (message == WM_DESTROY)
        ReleasePictures();
    if (message == WM_COMMAND && m_ending)
        return FALSE;

    CurrentMessage current{message, false, m_currentMessage};
    m_currentMessage = &current;
    LRESULT result = 0;
    bool handled = DispatchToTables(message, wParam, lParam, result);
    // Commands nobody in the dialog took go on to the application.
    if (!handled && message == WM_COMMAND && lParam == 0 && AfxGetApp() != nullptr)
        handled = AfxGetApp()->DispatchToTables(message, wParam, lParam, result);
    m_currentMessage = current.outer;

    if (!handled || current.useDefault)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

DEFINE_MESSAGE_MAP(CDialog, CWnd,
    OnCommand<&CDialog::OnOK>(IDOK, BN_CLICKED),
    OnCommand<&CDialog::OnCancel>(IDCANCEL, BN_CLICKED),
    OnMessage<&CDialog::OnHelpKey>(WM_HELP),)
