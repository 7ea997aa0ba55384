#include "result_announcer.h"

#include <cstring>

#include "control_names.h"
#include "identifiers.h"
#include "page_imports.h"

// The fields a Calculate button may fill. Where there are two, it fills the
// one that was empty when it read the form.
struct ResultFields {
    int button;
    int fields[2];  // 0: none
};

namespace {

constexpr ResultFields kResultFields[] = {
    {IDC_RATIO_CALCULATE, {IDC_PROPOSED_DISTANCE, IDC_PROPOSED_POWER}},
    {IDC_WAVELENGTH_CALCULATE, {IDC_WAVELENGTH, 0}},
    {IDC_ANTENNA_CALCULATE, {IDC_ANTENNA_LENGTH, 0}},
};

}  // namespace

ResultAnnouncer::ResultAnnouncer(PageExchange& page, const CalculatorForm& form, int control)
    : m_page(page), m_form(form)
{
    for (const ResultFields& row : kResultFields)
        if (row.button == control)
            m_results = &row;
}

bool ResultAnnouncer::UpdateData(bool saveAndValidate)
{
    const bool complete = m_page.UpdateData(saveAndValidate);
    if (m_results != nullptr && saveAndValidate && !m_read) {
        m_read = true;
        for (int i = 0; i < 2; ++i)
            m_wasEmpty[i] =
                m_results->fields[i] != 0 && IsEmpty(m_form.*NumberField(m_results->fields[i]));
    }
    m_wrote = m_wrote || !saveAndValidate;
    return complete;
}

void ResultAnnouncer::Announce() const
{
    if (m_results == nullptr || !m_wrote)
        return;
    const int field = m_results->fields[1] != 0 && m_wasEmpty[1] ? m_results->fields[1]
                                                                  : m_results->fields[0];
    const ControlName* name = FindControlName(field);
    char shown[kRoundedNumberSize];
    PageExchange::Shown(field, m_form.*NumberField(field), shown);
    // Label, number and unit: at most 17 + 31 + 5 characters and two blanks.
    char text[96] = "";
    std::strcat(std::strcat(std::strcat(text, name->label), " "), shown);
    std::strcat(std::strcat(text, " "), name->unit);
    PageAnnounce(text, std::strlen(text));
}
