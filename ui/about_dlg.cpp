#include "about_dlg.h"

#include <shellapi.h>

#include "accessibility.h"
#include "identifiers.h"
#include "system_library.h"

const char kMailLink[] = "mailto:qso@example.com";

namespace {

// The shell is loaded when a link is first opened, not with the program:
// most runs never open one, and the shell and the libraries it brings with
// it are a good part of what start-up would otherwise cost beyond the
// dialog itself.
struct Shell {
    ShellExecuteFunction execute;
};

bool LoadShell(Shell& shell)
{
    return FindFunction(LoadSystemLibrary(L"shell32.dll"), "ShellExecuteA", shell.execute);
}

HINSTANCE WINAPI OpenWithShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                               INT show)
{
    const Shell* shell = LoadOnce<Shell, &LoadShell>();
    if (shell == nullptr)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return shell->execute(owner, verb, file, parameters, folder, show);
}

}  // namespace

ShellExecuteFunction g_shellExecute = &OpenWithShell;

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ExposeAboutBoxControls(*this);
    return true;
}

void CAboutDlg::OnMailLink()
{
    g_shellExecute(nullptr, nullptr, kMailLink, "", "", SW_SHOWNORMAL);
}

DEFINE_MESSAGE_MAP(CAboutDlg, CDialog,
    OnCommand<&CAboutDlg::OnMailLink>(IDC_MAIL_ADDRESS, STN_CLICKED),
    OnCommand<&CAboutDlg::OnMailLink>(IDC_PORTRAIT, STN_CLICKED),)
