#pragma once

#include <cstddef>

#include "calculator_form.h"
#include "form_exchange.h"
#include "rounded_number.h"

// The form exchanged with the page's controls, row by row over kExchangeTable,
// as the Windows window exchanges it with its own.
class PageExchange final : public FormExchange {
public:
    explicit PageExchange(CalculatorForm& form) : m_form(form) {}

    // A pass asked for while one runs (from an event the first one raised,
    // such as the focus moving to a bad field) is refused and returns false.
    bool UpdateData(bool saveAndValidate) override;
    void RunAboutBox() override;

    bool InDataExchange() const { return m_inExchange; }

    // Shows each number the user has not typed over again, fitted to the
    // fields' widths after the page's layout changed.
    void Refit();

    // What field `control` shows for `value`; true when rounded.
    static bool Shown(int control, double value, char (&out)[kRoundedNumberSize]);

private:
    bool ReadNumber(int control, double& value);
    static void WriteNumber(int control, double value);

    CalculatorForm& m_form;
    bool m_inExchange = false;
};
