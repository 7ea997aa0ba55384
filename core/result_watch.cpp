#include "result_watch.h"

#include "calculator_table.h"
#include "identifiers.h"

ResultWatch::ResultWatch(FormExchange& window, const CalculatorForm& form, int control)
    : m_window(window), m_form(form)
{
    for (const Calculator& calculator : kCalculators)
        if (calculator.calculate.control == control)
            m_calculator = &calculator;
}

bool ResultWatch::UpdateData(bool saveAndValidate)
{
    const bool complete = m_window.UpdateData(saveAndValidate);
    if (m_calculator != nullptr && saveAndValidate && !m_read) {
        m_read = true;
        for (int i = 0; i < 2; ++i) {
            const auto field = NumberField(m_calculator->results[i].control);
            m_wasEmpty[i] = field != nullptr && IsEmpty(m_form.*field);
        }
    }
    m_wrote = m_wrote || !saveAndValidate;
    return complete;
}

int ResultWatch::FilledField() const
{
    if (m_calculator == nullptr || !m_wrote)
        return 0;
    const auto& results = m_calculator->results;
    if (results[1].control == 0)
        return results[0].control;
    return m_wasEmpty[0] ? results[0].control : m_wasEmpty[1] ? results[1].control : 0;
}

std::size_t ResultSpeech(int field, std::string_view shown, char* out)
{
    const NamedControl* name = FindNamedControl(field);
    std::size_t length = 0;
    const auto append = [&](std::string_view part) {
        for (const char c : part)
            if (length + 1 < kResultSpeechSize)
                out[length++] = c;
    };
    if (name != nullptr) {
        append(name->label);
        append(" ");
    }
    append(shown);
    if (name != nullptr && name->unit != nullptr) {
        append(" ");
        append(name->unit);
    }
    out[length] = '\0';
    return length;
}
