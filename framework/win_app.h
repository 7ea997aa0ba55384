#pragma once

#include <windows.h>

#include "message_map.h"

class CWnd;

// The command that asks for help.
#define ID_HELP 0xE146

// Sent by CWinApp::OnHelp to the main window: show the help for where the
// user is. A window that has none leaves it to default handling.
inline constexpr UINT WM_COMMANDHELP = 0x0365;

// The application: one global object, found by the entry point.
class CWinApp : public CCmdTarget {
public:
    // The application's name is its program file's name without the folder
    // and extension, as the platform derives it.
    CWinApp();
    ~CWinApp() override;

    // Runs the application; returning false ends it with no message loop.
    virtual bool InitInstance() { return false; }

    // The look of dialogs and controls is three-dimensional on every 32-bit
    // Windows this program runs on; there is nothing left to switch on.
    bool Enable3dControls() { return true; }

    // The help command's standard action: asks the main window, while there
    // is one, for the help of where the user is (WM_COMMANDHELP).
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    char m_appName[MAX_PATH];
};

// The one application object, or null when there is none (as in tests).
CWinApp* AfxGetApp();
// The application's name; with no application object, the program file's
// name, derived the same way.
const char* AfxGetAppName();

// The module that holds resource `name` of `type`: the program itself.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// Every operation rounds to double and a division by zero gives an infinity
// or not-a-number rather than a fault: masks every floating-point exception
// and, for any x87 code, sets 53-bit precision.
void AfxSetDoubleArithmetic();

// The entry point's work: strict double arithmetic, then InitInstance.
int AfxWinMain();
