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

// F1, through the dialog's help command: the main window shows the
// instructions of the calculator the user is in.
DEFINE_MESSAGE_MAP(CCalculatorApp, CWinApp,
    OnCommand<&CWinApp::OnHelp>(ID_HELP, 0),)
