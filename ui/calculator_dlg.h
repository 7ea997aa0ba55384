#pragma once

#include <windows.h>

#include "calculator_form.h"
#include "field_keys.h"
#include "form_controller.h"
#include "framework.h"
#include "full_text_source.h"
#include "number_tips.h"

// The main window. It holds the calculator form and gives the form's
// controller its controls; every rule about what a control does lives in
// the controller and the calculator logic's tables.
class CCalculatorDlg : public CDialog, private FormControls, private FullTextSource {
public:
    explicit CCalculatorDlg(CWnd* parent = nullptr);
    ~CCalculatorDlg() override;

    // The read pass (true) or the write pass (false) of the form, made by
    // its controller.
    bool UpdateData(bool saveAndValidate = true) override { return m_controller.UpdateData(saveAndValidate); }
    void RunAboutBox() override;


    bool OnInitDialog() override;
    bool PreTranslateMessage(const MSG& message) override { return m_fieldKeys.Handle(m_hWnd, message, m_controller); }

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CalculatorForm m_form;
    HICON m_hIcon;  // owned by the platform: loaded from the resources, never released

protected:
    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    void OnOwedReport();
    void OnCommandHelp();
    HCURSOR OnQueryDragIcon();
    bool OnControlNotification(UINT id, UINT code);

private:
    // FormControls: the controller's view of the dialog's controls.
    void ReadText(int control, FormText& out) override;
    bool IsModified(int control) override;
    int ReadSelection(int control) override;
    bool Fits(int control, const char* text) override;
    void WriteNumber(int control, const char* shown, const char* exact) override;
    void WriteSelection(int control, int index) override;
    void WriteText(int control, const FormText& text) override;
    int FocusedControl() override;
    bool HoldsFocus() override;
    bool IsActive() override;
    void FocusAndSelect(int control) override;
    void ReportBadField(int control, const char* message) override;
    void PostReport() override;
    void Announce(int field, const char* text) override;

    // FullTextSource: the exact number of a field that shows it rounded,
    // while the user has not typed over it, for a screen reader and a copy.
    bool FullText(HWND control, CString& out) override;

    FormController m_controller{m_form, *this};
    CNumberTips m_numberTips;  // the full text of the numbers shown rounded
    FieldKeys m_fieldKeys;
};
