#include "win_app.h"

#include <float.h>

#include <cstring>

#include "wnd.h"

namespace {

CWinApp* g_app = nullptr;

void ProgramName(char (&out)[MAX_PATH])
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* at = path; *at; ++at)
        if (*at == '\\' || *at == '/' || *at == ':')
            name = at + 1;
    std::strncpy(out, name, MAX_PATH - 1);
    out[MAX_PATH - 1] = '\0';
    if (char* dot = std::strrchr(out, '.'))
        *dot = '\0';
}

}  // namespace

CWinApp::CWinApp() : m_pszAppName(m_appName)
{
    ProgramName(m_appName);
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::OnHelp()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_COMMANDHELP);
}

DEFINE_MESSAGE_MAP(CWinApp, CCmdTarget)

CWinApp* AfxGetApp()
{
    return g_app;
}

const char* AfxGetAppName()
{
    if (g_app != nullptr)
        return g_app->m_pszAppName;
    static char name[MAX_PATH] = "";
    if (name[0] == '\0')
        ProgramName(name);
    return name;
}

HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR)
{
    // Every resource is linked into the program's own module.
    return ::GetModuleHandleA(nullptr);
}

void AfxSetDoubleArithmetic()
{
    _clearfp();
    _controlfp(_MCW_EM, _MCW_EM);
#if defined(__i386__)
    _controlfp(_PC_53, _MCW_PC);
#endif
}

int AfxWinMain()
{
    AfxSetDoubleArithmetic();

    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->InitInstance();
    return 0;
}
