#pragma once

#include "calculator_form.h"
#include "form_exchange.h"
#include "page_exchange.h"

struct ResultFields;

// Stands between the calculator logic and the page for one event. When the
// event is a Calculate that produced a result (the calculators make a write
// pass only then), Announce() says the result as its field shows it:
// "Proposed Distance 20 miles".
class ResultAnnouncer final : public FormExchange {
public:
    ResultAnnouncer(PageExchange& page, const CalculatorForm& form, int control);

    bool UpdateData(bool saveAndValidate) override;
    void RunAboutBox() override { m_page.RunAboutBox(); }

    void Announce() const;

private:
    PageExchange& m_page;
    const CalculatorForm& m_form;
    const ResultFields* m_results = nullptr;  // null: not a Calculate button
    bool m_read = false;
    bool m_wrote = false;
    bool m_wasEmpty[2] = {};  // per result field, as the first read pass found it
};
