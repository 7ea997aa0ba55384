#pragma once

#include <windows.h>

#include "dialog_controls.h"
#include "wnd.h"

// A modal dialog built from a template in the program's resources.
class CDialog : public CWnd {
public:
    // Binds the object to template `templateId`. With no parent, the
    // application's main window (if there is one) owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override = default;

    // Creates the window, runs OnInitDialog and a modal loop that routes
    // messages and control notifications through the message tables, with
    // the owner disabled. Returns what the dialog ended with: 1 for OK,
    // 2 for Cancel, -1 when the window could not be created. A dialog may
    // run another modally from a handler; each run ends before its caller's.
    INT_PTR DoModal();

    // Sees each message the modal loop takes from the queue for one of the
    // dialog's controls, before the dialog manager does anything with it
    // (Tab, Enter, Escape, the default button). True takes the message: it
    // goes no further, not even to the control. The default takes nothing.
    virtual bool PreTranslateMessage(const MSG&) { return false; }

    // Fills list controls from the template's initialisation data, lets
    // picture controls show their bitmaps unscaled and push buttons keep a
    // press that a message about a field swallowed (button_press.h).
    // Returns true: the dialog manager puts the focus on the first tab stop.
    virtual bool OnInitDialog();

    // Ends the modal run with 1, without reading the fields: nothing is
    // saved, so a field that is not a number never keeps the user in.
    virtual void OnOK();
    // Escape and the close command: ends the modal run with 2.
    virtual void OnCancel();

    void EndDialog(int result);

    HWND GetDlgItem(int id) const override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    // F1: raises the help command, ID_HELP.
    void OnHelpKey();

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FilterMessage(int code, WPARAM wParam, LPARAM lParam);
    static CDialog* FromControl(HWND control);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ExecuteDialogInit();
    void ReleasePictures();

    UINT m_templateId;
    CWnd* m_pParentWnd;
    DialogControls m_controls;  // from WM_INITDIALOG to WM_NCDESTROY
    // True from the moment the modal run is asked to end: the commands
    // raised while the window is taken down (focus leaving a field) are not
    // handled any more.
    bool m_ending = false;
};
