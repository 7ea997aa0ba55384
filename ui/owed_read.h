#pragma once

#include <windows.h>

class CWnd;

// The read pass owed to the fields when the focus leaves the window from
// one of them. While the focus is outside (another program in front, the
// window minimised, the About box open over it) a read pass could show its
// message where the user is not looking, or over the modal box; and when
// the focus comes back, the entering field's handler rewrites every field
// from the form. So the leaving is only noted, and the read is made once the
// window is active, enabled and holds the focus again, before any handler
// that could rewrite a field.
//
// That moment falls in the middle of the window's coming back (activation,
// restoring from the taskbar), where a message box would run its own loop
// before the window has finished: a restored window then stays drawn as
// minimised. So a field that is not a number stops the pass as usual, but
// is reported by a posted message, once the window is back.
class OwedRead {
public:
    // Posted to the window to report the field the owed read stopped at.
    static constexpr UINT kReportMessage = WM_APP + 0x52;

    // Whether a field losing the focus of `window` now leaves the window:
    // the focus went to no control of it.
    static bool FocusLeaves(HWND window);

    void Owe() { m_owed = true; }

    // Makes the owed read pass when it is due. False when that pass met a
    // field that is not a number: the field keeps the text, its report is
    // posted, and the notification being handled must not rewrite it. True
    // otherwise, including when nothing is owed or the window is not back.
    bool SettleIn(CWnd& window);

    // True while SettleIn's pass runs: a bad field is then to be deferred.
    bool IsSettling() const { return m_settling; }
    void Defer(HWND window, int field);

    // On kReportMessage: runs `report` with the field to report, unless the
    // window has gone away again (the read is then owed once more).
    template <class Report>
    void ReportNow(HWND window, Report report)
    {
        const int field = TakeReport(window);
        if (field == 0)
            return;
        m_reporting = true;
        report(field);
        m_reporting = false;
    }

    // True while the report runs: the focus moving to its message and back
    // is no leaving of the window and owes nothing.
    bool IsReporting() const { return m_reporting; }

private:
    int TakeReport(HWND window);

    bool m_owed = false;
    bool m_settling = false;
    bool m_reporting = false;
    int m_badField = 0;
};
