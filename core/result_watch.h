#pragma once

#include <cstddef>
#include <string_view>

#include "calculator_form.h"
#include "form_exchange.h"

struct Calculator;

// Stands between the calculator logic and a window for one notification and
// notes which field a Calculate filled, so that the window can say the
// result to a screen reader. The calculators make a write pass only when
// they produced a result; where a calculator has two result fields, it fills
// the one that was empty when it read the form.
class ResultWatch final : public FormExchange {
public:
    ResultWatch(FormExchange& window, const CalculatorForm& form, int control);

    bool UpdateData(bool saveAndValidate) override;
    void RunAboutBox() override { m_window.RunAboutBox(); }

    // The field the notification filled with a result; 0 when none.
    int FilledField() const;

private:
    FormExchange& m_window;
    const CalculatorForm& m_form;
    const Calculator* m_calculator = nullptr;  // null: not a Calculate button
    bool m_read = false;
    bool m_wrote = false;
    bool m_wasEmpty[2] = {};  // per result field, as the first read pass found it
};

// Room for any text ResultSpeech writes, terminator included.
inline constexpr std::size_t kResultSpeechSize = 96;

// What a screen reader says of a result: the field's label, the number as
// the field shows it, and its unit ("Proposed Distance 20 miles"). Writes
// into `out` (kResultSpeechSize characters), always terminated; returns the
// length.
std::size_t ResultSpeech(int field, std::string_view shown, char* out);
