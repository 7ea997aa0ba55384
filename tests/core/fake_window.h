#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <ostream>
#include <string>

#include "calculator_form.h"
#include "form_exchange.h"
#include "number_text.h"

// Stands in for the main window: holds each control's text and the list's
// selection, runs the two passes over the exchange table the way the real
// window does, and counts what the logic asked of it.
class FakeWindow : public FormExchange {
public:
    explicit FakeWindow(CalculatorForm& form) : m_form(form)
    {
        for (const ExchangeRow& row : kExchangeTable)
            if (row.kind != ExchangeKind::Selection)
                texts[row.control] = "";
    }

    bool UpdateData(bool saveAndValidate) override
    {
        if (saveAndValidate) {
            ++reads;
            for (const ExchangeRow& row : kExchangeTable) {
                if (!ReadRow(row)) {
                    ++messages;
                    return false;
                }
            }
        } else {
            ++writes;
            for (const ExchangeRow& row : kExchangeTable)
                WriteRow(row);
        }
        return true;
    }

    void RunAboutBox() override { ++aboutRuns; }

    // What the user does: type into a control, choose in the list.
    void Type(int control, std::string_view text) { texts.at(control) = text; }
    void Choose(std::int32_t index) { selection = index; }

    std::map<int, std::string> texts;
    std::int32_t selection = -1;
    int reads = 0;
    int writes = 0;
    int messages = 0;  // "Please enter a number." boxes the real window shows
    int aboutRuns = 0;

private:
    bool ReadRow(const ExchangeRow& row)
    {
        switch (row.kind) {
        case ExchangeKind::Number: {
            const auto value = ParseNumber(texts.at(row.control));
            if (!value)
                return false;
            m_form.*row.number = *value;
            return true;
        }
        case ExchangeKind::Selection:
            m_form.*row.selection = selection;
            return true;
        case ExchangeKind::Text:
            (m_form.*row.text).Assign(texts.at(row.control));
            return true;
        }
        return false;
    }

    void WriteRow(const ExchangeRow& row)
    {
        switch (row.kind) {
        case ExchangeKind::Number:
            texts.at(row.control) = FormatNumber(m_form.*row.number);
            break;
        case ExchangeKind::Selection:
            selection = m_form.*row.selection;
            break;
        case ExchangeKind::Text:
            texts.at(row.control) = (m_form.*row.text).view();
            break;
        }
    }

    CalculatorForm& m_form;
};

// How a failed comparison shows the form's text.
inline void PrintTo(const FormText& text, std::ostream* out)
{
    *out << '"' << text.view() << '"';
}

// The bit pattern of a double, so that results compare exactly, with NaN
// and -0.0 kept apart from their look-alikes.
inline std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
