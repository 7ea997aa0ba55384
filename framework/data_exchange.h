#pragma once

#include <windows.h>

#include <cstdint>

#include "cstring.h"

class CWnd;

// One pass between a window's members and its controls. After the first
// failure every later exchange of the pass does nothing, so a pass stops at
// the first field that is not a number without exceptions.
class CDataExchange {
public:
    CDataExchange(CWnd* wnd, bool saveAndValidate)
        : m_pDlgWnd(wnd), m_bSaveAndValidate(saveAndValidate)
    {
    }

    HWND PrepareCtrl(int id) const;
    void Fail(int id);
    bool Failed() const { return m_failed; }

    CWnd* const m_pDlgWnd;
    const bool m_bSaveAndValidate;

private:
    bool m_failed = false;
};

// A window's whole text, of any length.
CString ControlText(HWND window);

// An edit control's text as a number: written as the shortest text that
// reads back to the same double; read with ParseNumber, and a text that is
// not a number fails the pass.
void DDX_Text(CDataExchange* pDX, int id, double& value);

// A control's text as a string, of any length.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

// A drop-down list's selected index, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
