#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include "calculator_form.h"
#include "form_controller.h"
#include "rounded_number.h"
#include "support/same_number.h"

// A few values by control identifier, one for each row of the form at the
// most, kept inside the window: the fuzzer makes a window for every input,
// and blocks allocated for it, each tracked by the sanitizers, were a good
// part of what an input cost.
template <class Value>
class ControlTable {
public:
    Value& operator[](int control)
    {
        const std::size_t row = Row(control);
        if (row == m_rows.size())
            Missing(control);
        if (row == m_count)
            m_rows[m_count++] = {control, Value()};
        return m_rows[row].second;
    }
    Value& at(int control)
    {
        const std::size_t row = Row(control);
        if (row >= m_count)
            Missing(control);
        return m_rows[row].second;
    }
    std::size_t count(int control) const { return Row(control) < m_count; }
    bool empty() const { return m_count == 0; }
    void erase(int control)
    {
        if (const std::size_t row = Row(control); row < m_count)
            m_rows[row] = std::move(m_rows[--m_count]);
    }

private:
    // Where `control` is kept; past the end when it is not.
    std::size_t Row(int control) const
    {
        std::size_t row = 0;
        while (row < m_count && m_rows[row].first != control)
            ++row;
        return row;
    }
    // The web build has no exceptions: a control the window does not have
    // ends the test program, naming it.
    [[noreturn]] static void Missing(int control)
    {
        std::fprintf(stderr, "no control %d in the test window\n", control);
        std::abort();
    }
    std::array<std::pair<int, Value>, kExchangeTable.size()> m_rows{};
    std::size_t m_count = 0;
};

// Stands in for the main window's controls: holds each control's text, the
// list's selection, which field the user typed into and where the focus is,
// and counts what the form controller asked of it. The passes, the guards
// and the dispatch are the controller's own, as in both real windows.
// A pass is counted where the controls see it, however it was asked for (a
// notification's pass is the controller's own): a read pass asks first
// whether the user changed the first row, a write pass sets the list once.
class FakeWindow : public FormExchange, private FormControls {
public:
    explicit FakeWindow(CalculatorForm& form) : controller(form, *this)
    {
        for (const ExchangeRow& row : kExchangeTable)
            if (row.kind != ExchangeKind::Selection)
                texts[row.control] = "";
    }

    bool UpdateData(bool saveAndValidate) override { return controller.UpdateData(saveAndValidate); }
    void RunAboutBox() override { ++aboutRuns; if (whileAboutRuns) whileAboutRuns(); }

    // What the user does: type into a control, choose in the list.
    void Type(int control, std::string_view text)
    {
        texts.at(control) = text;
        modified[control] = true;
    }
    void Choose(std::int32_t index) { selection = index; }

    FormController controller;
    ControlTable<std::string> texts;
    ControlTable<std::string> exact;  // the full value of a number shown rounded
    ControlTable<bool> modified;  // the fields typed into since the program wrote them
    std::int32_t selection = -1;
    std::size_t width = 100;  // the characters a field shows
    int focus = IDC_CURRENT_POWER;  // the control with the focus; 0: none
    int selected = 0;  // the control whose whole text was selected last; 0: none yet
    bool active = true;       // the window in front
    int reads = 0;   // read passes
    int writes = 0;  // write passes
    int messages = 0;  // the bad-field messages the real window shows
    std::string message;
    int postedReports = 0;
    std::string announced;
    int aboutRuns = 0;
    std::function<void()> whileAboutRuns;  // what the window does meanwhile

private:
    void ReadText(int control, FormText& out) override { out.Assign(texts.at(control)); }
    bool IsModified(int control) override
    {
        if (controller.InPass() && control == kExchangeTable.front().control)
            ++reads;
        return modified.count(control) != 0;
    }
    int ReadSelection(int) override { return selection; }
    bool Fits(int, const char* text) override { return std::string_view(text).size() <= width; }
    void WriteNumber(int control, const char* shown, const char* full) override
    {
        texts.at(control) = shown;
        exact[control] = full != nullptr ? full : "";
        modified.erase(control);
    }
    void WriteSelection(int, int index) override { ++writes; selection = index; }
    void WriteText(int control, const FormText& text) override { texts.at(control) = text.view(); }
    int FocusedControl() override { return focus; }
    bool HoldsFocus() override { return active && focus != 0; }
    bool IsActive() override { return active; }
    void FocusAndSelect(int control) override { focus = selected = control; }
    void ReportBadField(int, const char* text) override
    {
        ++messages;
        message = text;
    }
    void PostReport() override { ++postedReports; }
    void Announce(int, const char* text) override { announced = text; }
};

// How a failed comparison shows the form's text.
inline void PrintTo(const FormText& text, std::ostream* out)
{
    *out << '"' << text.view() << '"';
}

// The shortest text that reads back to `value`, as a field shows it in full.
inline std::string Shortest(double value)
{
    char text[kRoundedNumberSize];
    FormatRounded(value, kAllDigits, text);
    return text;
}
