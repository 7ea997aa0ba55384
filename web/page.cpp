// The main window as a web page: the page's events reach the form
// controller here, as the Windows window's control notifications do.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "calculator_table.h"
#include "form_controller.h"
#include "form_exchange.h"
#include "help_texts.h"
#include "notification_table.h"
#include "page_imports.h"

#define VELQUOR_TO_PAGE(name) extern "C" __attribute__((export_name(name)))

namespace {

extern FormController g_controller;

// The page's controls, for the form controller: each call goes to the
// page's script through the imports of page_imports.h.
class PageControls final : public FormControls {
public:
    explicit PageControls(FormController& controller) : m_controller(controller) {}

    void ReadText(int control, FormText& out) override
    {
        // In place when short, on the heap when not, so that no long text is
        // ever read cut (a cut number would read as another one).
        char local[64];
        const std::size_t length = PageReadText(control, local, sizeof local);
        if (length <= sizeof local) {
            out.Assign({local, length});
            return;
        }
        const std::unique_ptr<char[]> heap(new char[length]);
        out.Assign({heap.get(), std::min(PageReadText(control, heap.get(), length), length)});
    }
    bool IsModified(int control) override { return PageIsModified(control) != 0; }
    int ReadSelection(int control) override { return PageReadSelection(control); }
    bool Fits(int control, const char* text) override
    {
        return PageFits(control, text, std::strlen(text)) != 0;
    }
    void WriteNumber(int control, const char* shown, const char* exact) override
    {
        PageWriteNumber(control, shown, std::strlen(shown), exact,
                        exact != nullptr ? std::strlen(exact) : 0);
    }
    void WriteSelection(int control, int index) override { PageWriteSelection(control, index); }
    void WriteText(int control, const FormText& text) override
    {
        PageWriteText(control, text.c_str(), text.size());
    }
    int FocusedControl() override { return PageFocusedControl(); }
    // The page holds the focus, and is in front, while the browser gives it
    // the keyboard.
    bool HoldsFocus() override { return PageHasFocus() != 0; }
    bool IsActive() override { return PageHasFocus() != 0; }
    void FocusAndSelect(int control) override { PageFocusAndSelect(control); }
    void ReportBadField(int control, const char* message) override
    {
        PageReportBadField(control, message, std::strlen(message));
    }
    // The page shows a bad field's message beside it, with no box of its
    // own: a report owed while the page comes back can be shown at once.
    void PostReport() override { m_controller.ReportOwed(); }
    void Announce(int, const char* text) override { PageAnnounce(text, std::strlen(text)); }
    void RunAboutBox() override { PageRunAbout(); }

private:
    FormController& m_controller;
};

CalculatorForm g_form;
PageControls g_controls(g_controller);
FormController g_controller(g_form, g_controls);

// The page's events, as the page numbers them.
enum PageEvent { kFocusIn = 0, kFocusOut = 1, kClick = 2, kChange = 3 };

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
    case kChange:  // the user typed into a number field
        return kEditChange;
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

// F1: the Instructions of the calculator that holds the focus, as its
// Instructions button shows them, or the opening prompt outside the
// calculators, as in the window.
VELQUOR_TO_PAGE("help") void Help()
{
    g_controller.HelpForFocus();
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
