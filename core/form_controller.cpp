#include "form_controller.h"

#include <bit>
#include <cstring>

#include "bad_field_message.h"
#include "calculator_table.h"
#include "notification_table.h"
#include "number_text.h"

bool FormController::UpdateData(bool saveAndValidate)
{
    if (m_inPass)
        return false;
    if (m_calculating >= 0 && !saveAndValidate)
        m_wrote = true;
    m_inPass = true;
    const int focused = saveAndValidate ? 0 : m_controls.FocusedControl();
    bool complete = true;
    for (const ExchangeRow& row : kExchangeTable) {
        switch (row.kind) {
        case ExchangeKind::Number:
            if (saveAndValidate)
                complete = ReadNumber(row.control, m_form.*row.number);
            else if (row.control != m_keep)
                WriteNumber(row.control, m_form.*row.number, focused);
            break;
        case ExchangeKind::Selection:
            if (saveAndValidate)
                m_form.*row.selection = m_controls.ReadSelection(row.control);
            else
                m_controls.WriteSelection(row.control, m_form.*row.selection);
            break;
        case ExchangeKind::Text:
            if (saveAndValidate)
                m_controls.ReadText(row.control, m_form.*row.text);
            else
                m_controls.WriteText(row.control, m_form.*row.text);
            break;
        }
        if (!complete)
            break;
    }
    m_inPass = false;
    // What the Calculate's result fields held when it read the form: where
    // a calculator has two, it fills the one that was empty.
    if (m_calculating >= 0 && saveAndValidate && !m_read) {
        m_read = true;
        for (int i = 0; i < 2; ++i) {
            const auto field = NumberField(ControlOf(m_calculating, IsResult, i));
            m_wasEmpty[i] = field != nullptr && IsEmpty(m_form.*field);
        }
    }
    return complete;
}

bool FormController::Fit(int control, double value, char (&out)[kRoundedNumberSize])
{
    return FitRounded(value, out, [&](const char* text) { return m_controls.Fits(control, text); });
}

FormController::Written* FormController::WrittenOf(int control)
{
    const ExchangeRow* row = FindExchangeRow(control);
    return row != nullptr ? &m_written[row - kExchangeTable.data()] : nullptr;
}

// Fitting measures text in the field, try after try: what the field was
// given for the same value is what it shows, whatever its width became.
bool FormController::Shown(int control, double value, char (&out)[kRoundedNumberSize])
{
    const Written* written = WrittenOf(control);
    if (written == nullptr || written->shown[0] == '\0' || written->bits != std::bit_cast<std::uint64_t>(value))
        return Fit(control, value, out);
    std::memcpy(out, written->shown, sizeof out);
    return written->rounded;
}

bool FormController::ReadNumber(int control, double& value)
{
    m_controls.ReadText(control, m_text);
    // Text the user has not touched since the program wrote it keeps the
    // exact value it stood for, even when the field shows it rounded: no
    // number drifts through repeated passes.
    if (!m_controls.IsModified(control)) {
        char shown[kRoundedNumberSize];
        Shown(control, value, shown);
        if (m_text == shown)
            return true;
    }
    const auto number = ParseNumber(m_text.view());
    if (!number) {
        BadField(control);
        return false;
    }
    value = *number;
    return true;
}

void FormController::WriteNumber(int control, double value, int focused)
{
    char shown[kRoundedNumberSize];
    char exact[kRoundedNumberSize];
    const bool rounded = Fit(control, value, shown);
    if (Written* written = WrittenOf(control)) {
        written->bits = std::bit_cast<std::uint64_t>(value);
        written->rounded = rounded;
        std::memcpy(written->shown, shown, sizeof shown);
    }
    if (rounded)
        FormatRounded(value, kAllDigits, exact);
    m_controls.WriteNumber(control, shown, rounded ? exact : nullptr);
    // Rewriting the field the user is in selects its whole text, as entering
    // it with Tab does, so what the user types next replaces it.
    if (control == focused)
        m_controls.FocusAndSelect(control);
}

// While the owed read runs, the window is in the middle of coming back to
// the front: the report waits until it has.
void FormController::BadField(int control)
{
    if (control == m_press.field)
        return;  // said already, for this press
    if (m_leaving)
        m_press = {control, FocusedNamedControl()};
    if (m_settling) {
        m_badField = control;
        m_controls.PostReport();
        return;
    }
    Report(control);
}

// The focus moving to the message and back raises notifications of its own;
// they are no leaving of the window and start no pass.
void FormController::Report(int control)
{
    char message[kBadFieldMessageSize];
    m_controls.ReadText(control, m_text);
    BadFieldMessage(control, m_text.view(), message);
    m_reporting = true;
    m_controls.ReportBadField(control, message);
    m_controls.FocusAndSelect(control);
    m_reporting = false;
}

void FormController::ReportOwed()
{
    const int field = m_badField;
    m_badField = 0;
    if (field == 0)
        return;
    if (!IsBack()) {
        m_owed = true;
        return;
    }
    Report(field);
}

bool FormController::IsBack()
{
    return m_controls.IsActive() && m_controls.HoldsFocus();
}

// Makes the owed read once the window is back, before any handler that
// could rewrite a field. False when it met a field that is not a number:
// the field keeps its text and the notification must not rewrite it.
bool FormController::SettleIn()
{
    if (!m_owed || !IsBack())
        return true;
    m_owed = false;
    m_settling = true;
    const bool complete = UpdateData(true);
    m_settling = false;
    return complete;
}

bool FormController::Notify(int control, unsigned code)
{
    const bool listed = FindNotification(control, code) != nullptr;
    if (code == kEditKillFocus && control == m_rearmed)
        m_rearmed = 0;  // entering it again runs the interlock itself
    // Raised by a pass in progress or by a bad field's report: taken and
    // dropped, since a handler must not start a second pass inside the first.
    if (m_inPass || m_reporting)
        return listed;
    // A field also loses the focus when the focus leaves the window (another
    // program in front, the window minimised, the About box opened from the
    // system menu). A read then could show its message where the user is not
    // looking, so it is owed until the window is back.
    if ((code == kEditKillFocus || code == kListKillFocus) && !m_controls.HoldsFocus()) {
        m_owed = true;
        return listed;
    }
    if (!SettleIn())
        return listed;
    const bool pressArrives = code == kClicked && control == m_press.button && control != 0;
    if (!pressArrives && (listed || code == kClicked))
        m_press = {};
    if (code == kEditChange) {
        FirstEdit(control);
        return listed;
    }
    const NamedControl* named = FindNamedControl(control);
    m_calculating = code == kClicked && named != nullptr && IsCalculate(named->part) ? named->calculator : -1;
    m_read = m_wrote = false;
    m_leaving = code == kEditKillFocus || code == kListKillFocus;
    const bool handled = DispatchNotification(m_form, *this, control, code);
    m_leaving = false;
    if (const int field = FilledField()) {
        char shown[kRoundedNumberSize];
        Shown(field, m_form.*NumberField(field), shown);
        char text[kResultSpeechSize];
        ResultSpeech(field, shown, text);
        m_controls.Announce(field, text);
    }
    if (m_calculating >= 0)
        Rearm();
    m_calculating = -1;
    if (pressArrives)
        m_press = {};
    return handled;
}

// Ctrl+Enter, or a screen reader's press, runs a Calculate with the focus
// left in the field: no leaving and no entering lie on the way, as they do
// when the user clicks the button and then back into the field.
void FormController::Rearm()
{
    const int field = FocusedNamedControl();
    m_rearmed = FindNotification(field, kEditSetFocus) != nullptr ? field : 0;
}

// Typing has begun: the field's own text is the user's and stays, caret and
// all; the value that competes with it is cleared and shown.
void FormController::FirstEdit(int control)
{
    if (control != m_rearmed || !m_controls.IsModified(control))
        return;
    m_rearmed = 0;
    m_keep = control;
    DispatchNotification(m_form, *this, control, kEditSetFocus);
    m_keep = 0;
}

void FormController::HelpForFocus()
{
    if (m_inPass || m_reporting)
        return;
    const int focused = FocusedNamedControl();
    const int button = InstructionsButtonFor(focused);
    if (button == 0) {
        if (SettleIn())
            OnOpeningPrompt(m_form, *this);
        return;
    }
    for (const unsigned leaving : {kEditKillFocus, kListKillFocus})
        if (FindNotification(focused, leaving) != nullptr)
            Notify(focused, leaving);
    Notify(button, kClicked);
}

// The named control that has the focus; 0 when another or none has it.
int FormController::FocusedNamedControl()
{
    const int focused = m_controls.FocusedControl();
    return FindNamedControl(focused) != nullptr ? focused : 0;
}

// The calculators make a write pass only when they produced a result.
int FormController::FilledField() const
{
    if (m_calculating < 0 || !m_wrote)
        return 0;
    const int first = ControlOf(m_calculating, IsResult, 0);
    const int second = ControlOf(m_calculating, IsResult, 1);
    if (second == 0)
        return first;
    return m_wasEmpty[0] ? first : m_wasEmpty[1] ? second : 0;
}

void FormController::Refit()
{
    if (m_inPass)
        return;
    const int focused = m_controls.FocusedControl();
    for (const ExchangeRow& row : kExchangeTable)
        if (row.kind == ExchangeKind::Number && !m_controls.IsModified(row.control))
            WriteNumber(row.control, m_form.*row.number, focused);
}

bool FormController::ExactText(int control, char (&out)[kRoundedNumberSize])
{
    out[0] = '\0';
    const auto field = NumberField(control);
    if (field == nullptr || m_controls.IsModified(control))
        return false;
    char shown[kRoundedNumberSize];
    if (!Shown(control, m_form.*field, shown))
        return false;
    FormatRounded(m_form.*field, kAllDigits, out);
    return true;
}

bool FormController::SelectsOnClick(int control)
{
    const NamedControl* named = FindNamedControl(control);
    if (named == nullptr || !IsInput(named->part) || NumberField(control) == nullptr ||
        m_controls.IsModified(control))
        return false;
    m_controls.ReadText(control, m_text);
    return m_text == "0";
}
