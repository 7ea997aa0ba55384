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

const MessageMap* CCalculatorApp::GetThisMessageMap()
{
    static const MessageEntry entries[] = {
        OnCommand(ID_HELP, 0, &CWinApp::OnHelp),
        kEndOfMessages,
    };
    static const MessageMap map = {&CWinApp::GetThisMessageMap, entries};
    return &map;
}
