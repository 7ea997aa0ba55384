#pragma once

#include <windows.h>

#include "calculator_form.h"
#include "field_keys.h"
#include "form_exchange.h"
#include "framework.h"
#include "owed_read.h"

// The main window. It holds the calculator form and binds its exchange to
// the real controls; every rule about what a control does lives in the
// calculator logic's notification table.
class CCalculatorDlg : public CDialog, public FormExchange {
public:
    explicit CCalculatorDlg(CWnd* parent = nullptr);
    ~CCalculatorDlg() override;

    // FormExchange, for the notification table's handlers.
    bool UpdateData(bool saveAndValidate) override { return CDialog::UpdateData(saveAndValidate); }
    void RunAboutBox() override;

    bool OnInitDialog() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CalculatorForm m_form;
    HICON m_hIcon;  // owned by the platform: loaded from the resources, never released

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnDataExchangeError(int id) override;

    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    void OnDestroy();
    void OnOwedReadReport();
    HCURSOR OnQueryDragIcon();
    bool OnControlNotification(UINT id, UINT code);

private:
    OwedRead m_owedRead;
    FieldKeys m_fieldKeys;
};
