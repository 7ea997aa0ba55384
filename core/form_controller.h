#pragma once

#include <cstdint>

#include "calculator_form.h"
#include "calculator_table.h"
#include "form_exchange.h"
#include "form_text.h"
#include "rounded_number.h"

// What the form controller needs of a window's controls, each named by its
// control identifier. The Windows dialog, the web page and the tests' double
// implement it; none of them holds a rule of its own.
class FormControls {
public:
    // The control's whole text, of any length.
    virtual void ReadText(int control, FormText& out) = 0;
    // Whether the user has changed the field since the program last wrote it.
    virtual bool IsModified(int control) = 0;
    virtual int ReadSelection(int control) = 0;  // -1 for none
    // Whether `text` fits the field's visible width in the field's own font.
    virtual bool Fits(int control, const char* text) = 0;

    // Shows `shown` in number field `control`, which then counts as not
    // modified; `exact` is the full value when `shown` is rounded, null
    // otherwise.
    virtual void WriteNumber(int control, const char* shown, const char* exact) = 0;
    virtual void WriteSelection(int control, int index) = 0;
    virtual void WriteText(int control, const FormText& text) = 0;

    // The control that has the focus; 0 when none of the window's has it.
    virtual int FocusedControl() = 0;
    // Whether the focus is on one of the window's controls, or on its way
    // to one: false once it has gone to another window or program.
    virtual bool HoldsFocus() = 0;
    // Whether the window is in front and takes input.
    virtual bool IsActive() = 0;
    // Puts the focus on `control` with its whole text selected.
    virtual void FocusAndSelect(int control) = 0;

    // Tells the user `message` about field `control`; returns once told.
    virtual void ReportBadField(int control, const char* message) = 0;
    // Asks for FormController::ReportOwed to be called once the window has
    // finished what it is doing (a message box must not open in the middle
    // of the window's coming back to the front).
    virtual void PostReport() = 0;
    // Says `text` to a screen reader, as the outcome of a change of `field`.
    virtual void Announce(int field, const char* text) = 0;
    virtual void RunAboutBox() = 0;

protected:
    ~FormControls() = default;
};

// The one place where the main window's rules live, for every window that
// shows the form: the read and write passes over kExchangeTable, the field
// the user has not touched keeping its exact value, the guard against a
// pass inside a pass, the read owed while the focus is outside the window,
// the dispatch through the notification table and the saying of a result.
class FormController final : public FormExchange {
public:
    FormController(CalculatorForm& form, FormControls& controls) : m_form(form), m_controls(controls)
    {
    }
    FormController(const FormController&) = delete;
    FormController& operator=(const FormController&) = delete;

    // The read pass (true) or the write pass (false). A pass asked for while
    // one runs (from a notification the first one raised, such as the focus
    // moving to a bad field's message and back) is refused: it does nothing
    // and returns false.
    bool UpdateData(bool saveAndValidate) override;
    void RunAboutBox() override { m_controls.RunAboutBox(); }

    // One control notification (platform codes, as in the notification
    // table); true when the table has a row for it, whether or not it ran.
    bool Notify(int control, unsigned code);

    // Help (F1) for where the focus is: what the Instructions button of the
    // calculator holding the focused control shows, through that button's
    // own handler, after the read that leaving the control for the button
    // would have made; the opening prompt when the focus is in no
    // calculator.
    void HelpForFocus();

    // The report asked for with PostReport: shows it, unless the window has
    // gone away again (the read is then owed once more).
    void ReportOwed();

    // Shows each number the user has not typed over again, fitted anew to
    // the fields after their widths changed.
    void Refit();

    // The text number field `control` shows for `value`; true when rounded.
    bool Shown(int control, double value, char (&out)[kRoundedNumberSize]);

    // The full text of the number field `control` shows rounded, while the
    // user has not changed it; false (and `out` empty) otherwise.
    bool ExactText(int control, char (&out)[kRoundedNumberSize]);

    // Whether a click into `control` selects its whole text: an input that
    // shows the program's own 0, so that what the user types replaces it.
    bool SelectsOnClick(int control);

    bool InPass() const { return m_inPass; }

private:
    bool ReadNumber(int control, double& value);
    // `focused`: the control with the focus, asked once for a whole pass,
    // since writing a field moves no focus.
    void WriteNumber(int control, double value, int focused);
    void BadField(int control);
    void Report(int control);
    bool IsBack();
    bool SettleIn();
    int FilledField() const;
    int FocusedNamedControl();
    void Rearm();
    void FirstEdit(int control);
    bool Fit(int control, double value, char (&out)[kRoundedNumberSize]);

    // What each number field was last given to show, by exchange row: a
    // field that still shows it for the same value is not fitted again. A
    // field not written yet has no text.
    struct Written {
        std::uint64_t bits = 0;  // of the value
        bool rounded = false;
        char shown[kRoundedNumberSize] = {};
    };
    Written* WrittenOf(int control);

    CalculatorForm& m_form;
    FormControls& m_controls;
    FormText m_text;  // the text being read
    bool m_inPass = false;
    bool m_owed = false;       // a read owed since the focus left the window
    bool m_settling = false;   // the owed read is running
    bool m_reporting = false;  // a bad field's report is on screen
    int m_badField = 0;        // the owed read's bad field, until reported
    // The Calculate being run, and what it did: which field it filled is
    // said to a screen reader.
    int m_calculating = -1;  // index in kCalculators
    bool m_read = false;
    bool m_wrote = false;
    bool m_wasEmpty[2] = {};
    // One press, one message: a field reported by the read that the focus
    // leaving for `button` made is not reported again by that button's
    // click (delivered once the message is closed) nor by anything the
    // click runs, such as the read owed when its About box closes.
    struct Press {
        int field = 0;
        int button = 0;
    };
    Press m_press;
    bool m_leaving = false;  // a leaving notification's read is running
    // The field in which a Calculate ran with the focus staying there: its
    // first edit runs the entering interlock that a click back into it
    // would have run, leaving the field itself as the user typed it.
    int m_rearmed = 0;
    int m_keep = 0;  // the field the write pass leaves alone
    Written m_written[kExchangeTable.size()];
};
