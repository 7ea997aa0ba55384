#include "about_dlg.h"

#include <shellapi.h>

#include "accessibility.h"
#include "identifiers.h"

const char kMailLink[] = "mailto:qso@example.com";

ShellExecuteFunction g_shellExecute = &::ShellExecuteA;

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ExposeAboutBoxControls(m_hWnd);
    return true;
}

void CAboutDlg::OnMailLink()
{
    g_shellExecute(nullptr, nullptr, kMailLink, "", "", SW_SHOWNORMAL);
}

const MessageMap* CAboutDlg::GetThisMessageMap()
{
    static const MessageEntry entries[] = {
        OnCommand(IDC_MAIL_ADDRESS, STN_CLICKED, &CAboutDlg::OnMailLink),
        OnCommand(IDC_PORTRAIT, STN_CLICKED, &CAboutDlg::OnMailLink),
        kEndOfMessages,
    };
    static const MessageMap map = {&CDialog::GetThisMessageMap, entries};
    return &map;
}
