#include "data_exchange.h"

#include "number_text.h"
#include "rounded_number.h"
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
    if (pDX->m_bSaveAndValidate) {
        const CString text = ControlText(control);
        const auto number = ParseNumber({text, static_cast<std::size_t>(text.GetLength())});
        if (!number) {
            pDX->Fail(id);
            return;
        }
        value = *number;
    } else {
        char shown[kRoundedNumberSize];
        FormatRounded(value, kAllDigits, shown);
        ::SetWindowTextA(control, shown);
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
