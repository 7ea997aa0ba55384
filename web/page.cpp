// The main window as a web page: the page's events reach the calculator
// logic here, through the same notification table as the Windows window's
// control notifications.
#include <cmath>
#include <cstring>

#include "calculator_form.h"
#include "control_names.h"
#include "help_texts.h"
#include "notification_table.h"
#include "page_exchange.h"
#include "page_imports.h"

#define VELQUOR_TO_PAGE(name) extern "C" __attribute__((export_name(name)))

namespace {

CalculatorForm g_form;
PageExchange g_page(g_form);

// Set when a field lost the focus because the page did (another tab or
// program in front): its read is made once the page holds the focus again,
// before the handler of the field the focus comes back to, which rewrites
// every field from the form and would drop what the user typed.
bool g_readOwed = false;

// The page's events, as the page numbers them.
enum PageEvent { kFocusIn = 0, kFocusOut = 1, kClick = 2 };

constexpr unsigned kListSetFocus = 0x0003;  // CBN_SETFOCUS

bool IsList(int control)
{
    for (const ExchangeRow& row : kExchangeTable)
        if (row.control == control)
            return row.kind == ExchangeKind::Selection;
    return false;
}

unsigned NotificationCode(int control, int event)
{
    switch (event) {
    case kFocusIn:
        return IsList(control) ? kListSetFocus : kEditSetFocus;
    case kFocusOut:
        return IsList(control) ? kListKillFocus : kEditKillFocus;
    default:
        return kClicked;
    }
}

double CalculatorForm::*NumberOf(int control)
{
    for (const ExchangeRow& row : kExchangeTable)
        if (row.control == control && row.kind == ExchangeKind::Number)
            return row.number;
    return nullptr;
}

// The fields a Calculate button may fill. Where there are two, it fills the
// one that was empty when it read the form.
struct ResultFields {
    int button;
    int fields[2];  // 0: none
};

constexpr ResultFields kResultFields[] = {
    {IDC_RATIO_CALCULATE, {IDC_PROPOSED_DISTANCE, IDC_PROPOSED_POWER}},
    {IDC_WAVELENGTH_CALCULATE, {IDC_WAVELENGTH, 0}},
    {IDC_ANTENNA_CALCULATE, {IDC_ANTENNA_LENGTH, 0}},
};

// Stands between the calculator logic and the page for one event. When the
// event is a Calculate that produced a result (the calculators make a write
// pass only then), Announce() says the result as its field shows it:
// "Proposed Distance 20 miles".
class ResultAnnouncer final : public FormExchange {
public:
    explicit ResultAnnouncer(int control)
    {
        for (const ResultFields& row : kResultFields)
            if (row.button == control)
                m_results = &row;
    }

    bool UpdateData(bool saveAndValidate) override
    {
        const bool complete = g_page.UpdateData(saveAndValidate);
        if (m_results != nullptr && saveAndValidate && !m_read) {
            m_read = true;
            for (int i = 0; i < 2; ++i)
                m_wasEmpty[i] = m_results->fields[i] != 0 && IsEmpty(g_form.*NumberOf(m_results->fields[i]));
        }
        m_wrote = m_wrote || !saveAndValidate;
        return complete;
    }
    void RunAboutBox() override { g_page.RunAboutBox(); }

    void Announce() const
    {
        if (m_results == nullptr || !m_wrote)
            return;
        const int field = m_results->fields[1] != 0 && m_wasEmpty[1] ? m_results->fields[1]
                                                                      : m_results->fields[0];
        const ControlName* name = FindControlName(field);
        char shown[kRoundedNumberSize];
        PageExchange::Shown(field, g_form.*NumberOf(field), shown);
        char text[96] = "";
        std::strcat(std::strcat(std::strcat(text, name->label), " "), shown);
        std::strcat(std::strcat(text, " "), name->unit);
        PageAnnounce(text, std::strlen(text));
    }

private:
    const ResultFields* m_results = nullptr;
    bool m_read = false;
    bool m_wrote = false;
    bool m_wasEmpty[2] = {};
};

}  // namespace

// Called once the page is laid out: the form as the window opens.
VELQUOR_TO_PAGE("start") void Start()
{
    for (const ControlName& name : kControlNames)
        if (name.unit != nullptr)
            PageNameUnit(name.control, name.unit, std::strlen(name.unit));
    g_form.m_instructions = kOpeningPrompt;
    g_page.UpdateData(false);
}

// One event of the page on `control` (0: the page itself coming to the
// front); true when the notification table holds a row for it.
VELQUOR_TO_PAGE("notify") int Notify(int control, int event)
{
    const unsigned code = NotificationCode(control, event);
    const bool listed = FindNotification(control, code) != nullptr;
    // Raised by a pass in progress (the focus moving to a bad field): dropped.
    if (g_page.InDataExchange())
        return listed;
    if (event == kFocusOut && !PageHasFocus()) {
        g_readOwed = true;
        return listed;
    }
    if (g_readOwed && PageHasFocus()) {
        g_readOwed = false;
        if (!g_page.UpdateData(true))
            return listed;  // the bad field keeps its text and is reported
    }
    ResultAnnouncer announcer(control);
    const bool handled = DispatchNotification(g_form, announcer, control, code);
    announcer.Announce();
    return handled;
}

VELQUOR_TO_PAGE("refit") void Refit()
{
    g_page.Refit();
}

// The exact double the form holds for a number field; not a number for any
// other control.
VELQUOR_TO_PAGE("number") double Number(int control)
{
    const auto field = NumberOf(control);
    return field != nullptr ? g_form.*field : std::nan("");
}
