#include "result_watch.h"

#include "control_names.h"
#include "identifiers.h"

namespace {

constexpr ResultWatch::Results kResults[] = {
    {IDC_RATIO_CALCULATE, {IDC_PROPOSED_DISTANCE, IDC_PROPOSED_POWER}},
    {IDC_WAVELENGTH_CALCULATE, {IDC_WAVELENGTH, 0}},
    {IDC_ANTENNA_CALCULATE, {IDC_ANTENNA_LENGTH, 0}},
};

}  // namespace

ResultWatch::ResultWatch(FormExchange& window, const CalculatorForm& form, int control)
    : m_window(window), m_form(form)
{
    for (const Results& row : kResults)
        if (row.button == control)
            m_results = &row;
}

bool ResultWatch::UpdateData(bool saveAndValidate)
{
    const bool complete = m_window.UpdateData(saveAndValidate);
    if (m_results != nullptr && saveAndValidate && !m_read) {
        m_read = true;
        for (int i = 0; i < 2; ++i) {
            const auto field = NumberField(m_results->fields[i]);
            m_wasEmpty[i] = field != nullptr && IsEmpty(m_form.*field);
        }
    }
    m_wrote = m_wrote || !saveAndValidate;
    return complete;
}

int ResultWatch::FilledField() const
{
    if (m_results == nullptr || !m_wrote)
        return 0;
    if (m_results->fields[1] == 0)
        return m_results->fields[0];
    return m_wasEmpty[0] ? m_results->fields[0] : m_wasEmpty[1] ? m_results->fields[1] : 0;
}

std::size_t ResultSpeech(int field, std::string_view shown, char* out)
{
    const ControlName* name = FindControlName(field);
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
