#pragma once

#include <windows.h>

#include "framework.h"

// The mail link that the address and the portrait open. The address also
// stands, as plain text, in the About box's template.
extern const char kMailLink[];

// The shell call that opens the link. Tests put their own function here to
// see exactly what the shell would have been given.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellExecuteFunction g_shellExecute;

// The modal About box: banner, version, notice, portrait and address.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    bool OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange*) override {}  // nothing to exchange

    // Hands the link to the shell's default action and returns at once; if
    // no mail program takes it, nothing is said and the box stays open.
    void OnMailLink();
};
