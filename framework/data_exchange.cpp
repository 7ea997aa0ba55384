#include "data_exchange.h"

#include <cstring>

#include "fitted_number.h"
#include "number_text.h"
#include "wnd.h"

CString ControlText(HWND window)
{
    CString text;
    const int length = ::GetWindowTextLengthA(window);
    const int copied = ::GetWindowTextA(window, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer(copied);
    return text;
}

HWND CDataExchange::PrepareCtrl(int id) const
{
    return m_pDlgWnd->GetDlgItem(id);
}

void CDataExchange::Fail(int id)
{
    m_failed = true;
    m_pDlgWnd->OnDataExchangeError(id);
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    if (pDX->Failed())
        return;
    const HWND control = pDX->PrepareCtrl(id);
    char shown[kRoundedNumberSize];
    if (pDX->m_bSaveAndValidate) {
        const CString text = ControlText(control);
        // Text the user has not touched since the program wrote it keeps the
        // exact value it stood for, even when the field shows it rounded:
        // no number drifts through repeated passes.
        if (::SendMessageA(control, EM_GETMODIFY, 0, 0) == 0) {
            FitNumber(control, value, shown);
            if (std::strcmp(text, shown) == 0)
                return;
        }
        const auto number = ParseNumber({text, static_cast<std::size_t>(text.GetLength())});
        if (!number) {
            pDX->Fail(id);
            return;
        }
        value = *number;
    } else {
        const bool rounded = FitNumber(control, value, shown);
        ::SetWindowTextA(control, shown);
        ::SendMessageA(control, EM_SETMODIFY, FALSE, 0);  // written by the program, not typed
        char full[kRoundedNumberSize];
        FormatRounded(value, kAllDigits, full);
        pDX->m_pDlgWnd->m_numberTips.Show(pDX->m_pDlgWnd->m_hWnd, control, rounded ? full : nullptr);
        if (control != nullptr && ::GetFocus() == control)
            ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    if (pDX->Failed())
        return;
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowTextA(control, value);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    if (pDX->Failed())
        return;
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
