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

namespace {

// Reads or writes control `id` as the pass goes, unless it has already
// stopped at a field that is not a number.
template <class Read, class Write>
void Exchange(CDataExchange* pDX, int id, Read read, Write write)
{
    if (pDX->Failed())
        return;
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        read(control);
    else
        write(control);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    Exchange(
        pDX, id,
        [&](HWND control) {
            const CString text = ControlText(control);
            const auto number = ParseNumber({text, static_cast<std::size_t>(text.GetLength())});
            if (number)
                value = *number;
            else
                pDX->Fail(id);
        },
        [&](HWND control) {
            char shown[kRoundedNumberSize];
            FormatRounded(value, kAllDigits, shown);
            ::SetWindowTextA(control, shown);
        });
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    Exchange(
        pDX, id, [&](HWND control) { value = ControlText(control); },
        [&](HWND control) { ::SetWindowTextA(control, value); });
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    Exchange(
        pDX, id,
        [&](HWND control) { index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0)); },
        [&](HWND control) {
            ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        });
}
