#include "calculator_dlg.h"

#include "about_dlg.h"
#include "accessibility.h"
#include "bad_field_message.h"
#include "help_texts.h"
#include "identifiers.h"
#include "notification_table.h"
#include "result_watch.h"

CCalculatorDlg::CCalculatorDlg(CWnd* parent) : CDialog(IDD_CALCULATOR, parent)
{
    const LPCSTR icon = MAKEINTRESOURCEA(IDR_MAINFRAME);
    m_hIcon = ::LoadIconA(AfxFindResourceHandle(icon, reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), icon);
}

CCalculatorDlg::~CCalculatorDlg() = default;

void CCalculatorDlg::DoDataExchange(CDataExchange* pDX)
{
    for (const ExchangeRow& row : kExchangeTable) {
        switch (row.kind) {
        case ExchangeKind::Number:
            DDX_Text(pDX, row.control, m_form.*row.number);
            break;
        case ExchangeKind::Selection:
            DDX_CBIndex(pDX, row.control, m_form.*row.selection);
            break;
        case ExchangeKind::Text: {
            CString text = (m_form.*row.text).c_str();
            DDX_Text(pDX, row.control, text);
            (m_form.*row.text).Assign({text, static_cast<std::size_t>(text.GetLength())});
            break;
        }
        }
    }
}

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

    m_fieldKeys.Install(m_hWnd);

    m_form.m_instructions = kOpeningPrompt;
    UpdateData(false);
    ExposeMainWindowControls(m_hWnd);
    return true;  // the focus goes to the first tab stop, Current Power
}

void CCalculatorDlg::RunAboutBox()
{
    CAboutDlg about;
    about.DoModal();
}

void CCalculatorDlg::OnDataExchangeError(int id)
{
    if (m_owedRead.IsSettling()) {
        m_owedRead.Defer(m_hWnd, id);
        return;
    }
    char message[kBadFieldMessageSize];
    const CString text = ControlText(GetDlgItem(id));
    BadFieldMessage(id, {text, static_cast<std::size_t>(text.GetLength())}, message);
    ReportBadField(id, message);
}

void CCalculatorDlg::OnOwedReadReport()
{
    m_owedRead.ReportNow(m_hWnd, [this](int field) { OnDataExchangeError(field); });
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

void CCalculatorDlg::OnDestroy()
{
    m_fieldKeys.Remove();
    Default();
}

HCURSOR CCalculatorDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

bool CCalculatorDlg::OnControlNotification(UINT id, UINT code)
{
    const bool listed = FindNotification(static_cast<int>(id), code) != nullptr;
    // A notification raised by a pass in progress, or by the report of a
    // bad field (the focus moving to the message and back), must not start
    // a second pass: it is taken and dropped.
    if (InDataExchange() || m_owedRead.IsReporting())
        return listed;
    // A field also loses the focus when the focus leaves the window: another
    // program comes to the front, the window is minimised, the About box
    // opens from the system menu. The read is owed until the window is back
    // (see OwedRead), so that no message shows over anything else and what
    // the user typed is read before any handler writes the fields again.
    if ((code == kEditKillFocus || code == kListKillFocus) && OwedRead::FocusLeaves(m_hWnd)) {
        m_owedRead.Owe();
        return listed;
    }
    if (!m_owedRead.SettleIn(*this))
        return listed;
    ResultWatch watch(*this, m_form, static_cast<int>(id));
    const bool handled = DispatchNotification(m_form, watch, static_cast<int>(id), code);
    if (const int field = watch.FilledField())
        AnnounceResult(m_hWnd, field);
    return handled;
}

const MessageMap* CCalculatorDlg::GetThisMessageMap()
{
    static const MessageEntry entries[] = {
        OnSysCommandMessage(&CCalculatorDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CCalculatorDlg::OnPaint),
        OnMessage(WM_DESTROY, &CCalculatorDlg::OnDestroy),
        OnMessage(OwedRead::kReportMessage, &CCalculatorDlg::OnOwedReadReport),
        OnQueryDragIconMessage(&CCalculatorDlg::OnQueryDragIcon),
        OnNotificationRange(0, 0xFFFF, &CCalculatorDlg::OnControlNotification),
        kEndOfMessages,
    };
    static const MessageMap map = {&CDialog::GetThisMessageMap, entries};
    return &map;
}
