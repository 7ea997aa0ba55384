#pragma once

#include <windows.h>

#include "calculator_form.h"
#include "form_exchange.h"

// Gives each control of the main window a name a listener can act on: the
// label a person sees beside it, its unit, and its calculator where the
// label alone repeats ("Frequency, MHz, Wavelength Calculator"). The
// template places every label after every input, so the platform's own rule
// (the nearest label before a control) names none of them.
void ExposeMainWindowControls(HWND dialog);

// The About box's address, and the portrait that opens the same mail link,
// as links whose default action opens it.
void ExposeAboutBoxControls(HWND about);

struct ResultFields;

// Stands between the calculator logic and the main window for one control
// notification. When that notification is a Calculate that produced a
// result (the calculators make a write pass only then), Announce() says
// the field that received it, as the field shows it, to a screen reader:
// "Proposed Distance 20 miles".
class ResultAnnouncer final : public FormExchange {
public:
    ResultAnnouncer(FormExchange& window, const CalculatorForm& form, HWND dialog, int control);

    bool UpdateData(bool saveAndValidate) override;
    void RunAboutBox() override { m_window.RunAboutBox(); }

    void Announce() const;

private:
    FormExchange& m_window;
    const CalculatorForm& m_form;
    const HWND m_dialog;
    const ResultFields* m_results;  // null: not a Calculate button
    bool m_read = false;
    bool m_wrote = false;
    bool m_wasEmpty[2] = {};  // per result field, as the first read pass found it
};
