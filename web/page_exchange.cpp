#include "page_exchange.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "bad_field_message.h"
#include "number_text.h"
#include "page_imports.h"

namespace {

// A control's whole text: in place when short, on the heap when not, so that
// no long text is ever read cut (a cut number would read as another one).
class ControlText {
public:
    explicit ControlText(int control)
    {
        m_length = PageReadText(control, m_local, sizeof m_local);
        if (m_length > sizeof m_local) {
            m_heap.reset(new char[m_length]);
            m_length = std::min(PageReadText(control, m_heap.get(), m_length), m_length);
        }
    }
    std::string_view view() const { return {m_heap ? m_heap.get() : m_local, m_length}; }

private:
    char m_local[64];
    std::unique_ptr<char[]> m_heap;
    std::size_t m_length = 0;
};

}  // namespace

bool PageExchange::UpdateData(bool saveAndValidate)
{
    if (m_inExchange)
        return false;
    m_inExchange = true;
    bool complete = true;
    for (const ExchangeRow& row : kExchangeTable) {
        switch (row.kind) {
        case ExchangeKind::Number:
            if (saveAndValidate)
                complete = ReadNumber(row.control, m_form.*row.number);
            else
                WriteNumber(row.control, m_form.*row.number);
            break;
        case ExchangeKind::Selection:
            if (saveAndValidate)
                m_form.*row.selection = PageReadSelection(row.control);
            else
                PageWriteSelection(row.control, m_form.*row.selection);
            break;
        case ExchangeKind::Text:
            if (saveAndValidate)
                (m_form.*row.text).Assign(ControlText(row.control).view());
            else
                PageWriteText(row.control, (m_form.*row.text).c_str(), (m_form.*row.text).size());
            break;
        }
        if (!complete)
            break;
    }
    m_inExchange = false;
    return complete;
}

void PageExchange::RunAboutBox()
{
    PageRunAbout();
}

bool PageExchange::Shown(int control, double value, char (&out)[kRoundedNumberSize])
{
    return FitRounded(value, out, [control](const char* text) {
        return PageFits(control, text, std::strlen(text)) != 0;
    });
}

bool PageExchange::ReadNumber(int control, double& value)
{
    const ControlText text(control);
    // Text the user has not touched since the program wrote it keeps the
    // exact value it stood for, even when the field shows it rounded.
    if (!PageIsModified(control)) {
        char shown[kRoundedNumberSize];
        Shown(control, value, shown);
        if (text.view() == shown)
            return true;
    }
    const auto number = ParseNumber(text.view());
    if (!number) {
        char message[kBadFieldMessageSize];
        const std::size_t length = BadFieldMessage(control, text.view(), message);
        PageReportBadField(control, message, length);
        return false;
    }
    value = *number;
    return true;
}

void PageExchange::WriteNumber(int control, double value)
{
    char shown[kRoundedNumberSize];
    char exact[kRoundedNumberSize] = "";
    if (Shown(control, value, shown))
        FormatRounded(value, kAllDigits, exact);
    PageWriteNumber(control, shown, std::strlen(shown), exact, std::strlen(exact));
}

void PageExchange::Refit()
{
    if (m_inExchange)
        return;
    for (const ExchangeRow& row : kExchangeTable)
        if (row.kind == ExchangeKind::Number && !PageIsModified(row.control))
            WriteNumber(row.control, m_form.*row.number);
}
