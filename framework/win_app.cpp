#include "win_app.h"

#include <float.h>

#include <cstring>

#include "wnd.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() : m_pszAppName(m_appName)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* at = path; *at; ++at)
        if (*at == '\\' || *at == '/' || *at == ':')
            name = at + 1;
    std::strncpy(m_appName, name, MAX_PATH - 1);
    m_appName[MAX_PATH - 1] = '\0';
    if (char* dot = std::strrchr(m_appName, '.'))
        *dot = '\0';
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::OnHelp()
{
    ::MessageBoxA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                  "Velquor has no help file. Each calculator's Instructions "
                  "button explains how to use it.",
                  m_pszAppName, MB_OK | MB_ICONINFORMATION);
}

const MessageMap* CWinApp::GetThisMessageMap()
{
    static const MessageEntry entries[] = {kEndOfMessages};
    static const MessageMap map = {&CCmdTarget::GetThisMessageMap, entries};
    return &map;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

const char* AfxGetAppName()
{
    return g_app ? g_app->m_pszAppName : "Velquor";
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
