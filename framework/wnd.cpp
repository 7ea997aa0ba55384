#include "wnd.h"

#include "data_exchange.h"

bool CWnd::UpdateData(bool saveAndValidate)
{
    if (m_inDataExchange)
        return false;
    m_inDataExchange = true;
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    m_inDataExchange = false;
    return !exchange.Failed();
}

void CWnd::OnDataExchangeError(int id)
{
    ::MessageBeep(MB_ICONEXCLAMATION);
    const HWND control = GetDlgItem(id);
    ::SetFocus(control);
    ::SendMessageA(control, EM_SETSEL, 0, -1);
}

LRESULT CWnd::Default()
{
    if (m_currentMessage != nullptr)
        m_currentMessage->useDefault = true;
    return 0;
}

DEFINE_MESSAGE_MAP(CWnd, CCmdTarget)
