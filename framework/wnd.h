#pragma once

#include <windows.h>

#include "message_map.h"

class CDataExchange;

// A window the program owns, seen from C++. The object never outlives its
// use and is never copied; m_hWnd is set while the window exists.
class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    // The child with identifier `id`, or null. A dialog finds its template's
    // controls without asking the system each time.
    virtual HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    // The read pass (true: every control into the members) or the write pass
    // (false: every member into its control), by running DoDataExchange.
    // Returns false when a read pass stopped at a field that is not a number,
    // after telling the user. A pass asked for while one is running (from a
    // notification raised by the first, such as the focus moving to the
    // message and back) is refused: it does nothing and returns false. A
    // window whose form is exchanged another way overrides it, so that the
    // same pass runs whether it is asked through the window's own type or
    // through CWnd.
    virtual bool UpdateData(bool saveAndValidate = true);
    bool InDataExchange() const { return m_inDataExchange; }

    // Called when a read pass meets control `id` holding text that is not a
    // number. Here it beeps and puts the focus on the control with its whole
    // text selected, for the user to correct; a window that has words for
    // the user overrides it to say them.
    virtual void OnDataExchangeError(int id);

    // Inside a handler: lets the dialog manager handle the message being
    // processed, as if no entry had matched. Returns 0.
    LRESULT Default();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual void DoDataExchange(CDataExchange*) {}

    // The message being handled, innermost first; Default() marks it.
    struct CurrentMessage {
        UINT message;
        bool useDefault;
        CurrentMessage* outer;
    };
    CurrentMessage* m_currentMessage = nullptr;

private:
    bool m_inDataExchange = false;
};
