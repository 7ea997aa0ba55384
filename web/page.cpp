// The main window as a web page: the page's events reach the form
// controller here, as the Windows window's control notifications do.
#include <cmath>

#include "calculator_table.h"
#include "form_controller.h"
#include "form_exchange.h"
#include "help_texts.h"
#include "notification_table.h"
#include "page_controls.h"
#include "page_imports.h"

#define VELQUOR_TO_PAGE(name) extern "C" __attribute__((export_name(name)))

namespace {

CalculatorForm g_form;
PageControls g_controls;
FormController g_controller(g_form, g_controls);

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
    g_controls.m_controller = &g_controller;
    ForEachNamedControl([](const Calculator*, const NamedControl& named) {
        char name[kSpokenNameSize];
        PageName(named.control, name, SpokenName(named.control, name));
    });
    g_form.m_instructions = kOpeningPrompt;
    g_controller.UpdateData(false);
}

// One event of the page on `control` (0: the page itself coming to the
// front); true when the notification table holds a row for it.
VELQUOR_TO_PAGE("notify") int Notify(int control, int event)
{
    return g_controller.Notify(control, NotificationCode(control, event));
}

VELQUOR_TO_PAGE("refit") void Refit()
{
    g_controller.Refit();
}

// The Calculate button Ctrl+Enter runs from `control`; 0 for none.
VELQUOR_TO_PAGE("calculate_button") int CalculateButton(int control)
{
    return CalculateButtonFor(control);
}

VELQUOR_TO_PAGE("selects_on_click") int SelectsOnClick(int control)
{
    return g_controller.SelectsOnClick(control);
}

// The exact double the form holds for a number field; not a number for any
// other control.
VELQUOR_TO_PAGE("number") double Number(int control)
{
    const auto field = NumberField(control);
    return field != nullptr ? g_form.*field : std::nan("");
}
