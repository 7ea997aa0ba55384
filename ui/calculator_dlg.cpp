#include "calculator_dlg.h"

#include "about_dlg.h"
#include "accessibility.h"
#include "announcement.h"
#include "data_exchange.h"
#include "field_measure.h"
#include "help_texts.h"
#include "identifiers.h"
#include "notification_table.h"
#include "number_copy.h"

namespace {

// The notification table speaks the platform's codes.
static_assert(kClicked == BN_CLICKED && kListKillFocus == CBN_KILLFOCUS &&
              kEditSetFocus == EN_SETFOCUS && kEditKillFocus == EN_KILLFOCUS);

// Posted to the window to report the field the owed read stopped at.
constexpr UINT kOwedReportMessage = WM_APP + 0x52;

}  // namespace

CCalculatorDlg::CCalculatorDlg(CWnd* parent) : CDialog(IDD_CALCULATOR, parent)
{
    const LPCSTR icon = MAKEINTRESOURCEA(IDR_MAINFRAME);
    m_hIcon = ::LoadIconA(AfxFindResourceHandle(icon, reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), icon);
}

CCalculatorDlg::~CCalculatorDlg() = default;

bool CCalculatorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();  // fills the wave-factor list

    if (CMenu* systemMenu = CMenu::FromHandle(::GetSystemMenu(m_hWnd, FALSE))) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_form.m_instructions = kOpeningPrompt;
    UpdateData(false);
    ExposeMainWindowControls(*this, *this);
    CopyFullNumbers(*this, *this);
    return true;  // the focus goes to the first tab stop, Current Power
}

void CCalculatorDlg::RunAboutBox()
{
    CAboutDlg about;
    about.DoModal();
}

void CCalculatorDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX)
        RunAboutBox();
    else
        Default();
}

// Minimised, the window shows the application icon centred in its client
// area; otherwise the dialog manager paints.
void CCalculatorDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

void CCalculatorDlg::OnOwedReport()
{
    m_controller.ReportOwed();
}

void CCalculatorDlg::OnCommandHelp()
{
    m_controller.HelpForFocus();
}

HCURSOR CCalculatorDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

bool CCalculatorDlg::OnControlNotification(UINT id, UINT code)
{
    // The user changed a field: a tip about the number it showed would lie.
    if (code == EN_CHANGE && IsModified(static_cast<int>(id)))
        m_numberTips.Forget(m_hWnd, GetDlgItem(static_cast<int>(id)));
    return m_controller.Notify(static_cast<int>(id), code);
}

void CCalculatorDlg::ReadText(int control, FormText& out)
{
    const CString text = ControlText(GetDlgItem(control));
    out.Assign({text, static_cast<std::size_t>(text.GetLength())});
}

bool CCalculatorDlg::IsModified(int control)
{
    return ::SendMessageA(GetDlgItem(control), EM_GETMODIFY, 0, 0) != 0;
}

int CCalculatorDlg::ReadSelection(int control)
{
    return static_cast<int>(::SendMessageA(GetDlgItem(control), CB_GETCURSEL, 0, 0));
}

bool CCalculatorDlg::Fits(int control, const char* text)
{
    return FieldMeasure(GetDlgItem(control)).Fits(text);
}

void CCalculatorDlg::WriteNumber(int control, const char* shown, const char* exact)
{
    const HWND field = GetDlgItem(control);
    ::SetWindowTextA(field, shown);
    ::SendMessageA(field, EM_SETMODIFY, FALSE, 0);  // written by the program, not typed
    m_numberTips.Show(m_hWnd, field, exact);
}

void CCalculatorDlg::WriteSelection(int control, int index)
{
    ::SendMessageA(GetDlgItem(control), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CCalculatorDlg::WriteText(int control, const FormText& text)
{
    ::SetWindowTextA(GetDlgItem(control), text.c_str());
}

// Under Wine each GetFocus is a round trip to the server: the controller
// asks once for a whole pass.
int CCalculatorDlg::FocusedControl()
{
    const HWND focus = ::GetFocus();
    return focus != nullptr && ::GetParent(focus) == m_hWnd ? ::GetDlgCtrlID(focus) : 0;
}

// During a field's leaving notification the focus is already where it went.
bool CCalculatorDlg::HoldsFocus()
{
    const HWND focus = ::GetFocus();
    return focus != nullptr && ::IsChild(m_hWnd, focus);
}

bool CCalculatorDlg::IsActive()
{
    return ::GetActiveWindow() == m_hWnd && ::IsWindowEnabled(m_hWnd);
}

void CCalculatorDlg::FocusAndSelect(int control)
{
    const HWND field = GetDlgItem(control);
    ::SetFocus(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
}

void CCalculatorDlg::ReportBadField(int, const char* message)
{
    ::MessageBoxA(m_hWnd, message, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

// The owed read runs in the middle of the window's coming back (activation,
// restoring from the taskbar), where a message box would run its own loop
// before the window has finished: a restored window then stays drawn as
// minimised. The report comes once the window is back.
void CCalculatorDlg::PostReport()
{
    ::PostMessageA(m_hWnd, kOwedReportMessage, 0, 0);
}

bool CCalculatorDlg::FullText(HWND control, CString& out)
{
    char exact[kRoundedNumberSize];
    if (!m_controller.ExactText(::GetDlgCtrlID(control), exact))
        return false;
    out = exact;
    return true;
}

void CCalculatorDlg::Announce(int field, const char* text)
{
    AnnounceToScreenReader(GetDlgItem(field), text);
}

DEFINE_MESSAGE_MAP(CCalculatorDlg, CDialog,
    OnSysCommandMessage<&CCalculatorDlg::OnSysCommand>(),
    OnMessage<&CCalculatorDlg::OnPaint>(WM_PAINT),
    OnMessage<&CCalculatorDlg::OnOwedReport>(kOwedReportMessage),
    OnMessage<&CCalculatorDlg::OnCommandHelp>(WM_COMMANDHELP),
    OnQueryDragIconMessage<&CCalculatorDlg::OnQueryDragIcon>(),
    OnNotificationRange<&CCalculatorDlg::OnControlNotification>(0, 0xFFFF),)
