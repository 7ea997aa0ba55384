// The main window as a web page: the page's events reach the calculator
// logic here, through the same notification table as the Windows window's
// control notifications.
#include <cmath>
#include <cstring>

#include "calculator_form.h"
#include "calculator_table.h"
#include "help_texts.h"
#include "notification_table.h"
#include "page_exchange.h"
#include "page_imports.h"
#include "result_watch.h"

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
    const ExchangeRow* row = FindExchangeRow(control);
    return row != nullptr && row->kind == ExchangeKind::Selection;
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

}  // namespace

// Called once the page is laid out: the form as the window opens.
VELQUOR_TO_PAGE("start") void Start()
{
    ForEachNamedControl([](const Calculator*, const NamedControl& named) {
        char name[kSpokenNameSize];
        PageName(named.control, name, SpokenName(named.control, name));
    });
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
    ResultWatch watch(g_page, g_form, control);
    const bool handled = DispatchNotification(g_form, watch, control, code);
    if (const int field = watch.FilledField()) {
        char shown[kRoundedNumberSize];
        PageExchange::Shown(field, g_form.*NumberField(field), shown);
        char text[kResultSpeechSize];
        PageAnnounce(text, ResultSpeech(field, shown, text));
    }
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
    const auto field = NumberField(control);
    return field != nullptr ? g_form.*field : std::nan("");
}
