#include "calculator_app.h"

#include "calculator_dlg.h"

CCalculatorApp theApp;

bool CCalculatorApp::InitInstance()
{
    Enable3dControls();

    CCalculatorDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;  // the window is gone; nothing may reach it now

    return false;  // no message loop: the application ends here
}

void CCalculatorApp::OnHelp()
{
    ::MessageBoxA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                  "Velquor has no help file. Each calculator's Instructions "
                  "button explains how to use it.",
                  m_pszAppName, MB_OK | MB_ICONINFORMATION);
}

DEFINE_MESSAGE_MAP(CCalculatorApp, CWinApp,
    OnCommand<&CCalculatorApp::OnHelp>(ID_HELP, 0),)
