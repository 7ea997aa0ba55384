// The main window's exchange on its real controls: the write pass's texts
// and selection, the read pass's parsing, the stop at a field that is not a
// number with its one message, the guard against a second pass started from
// the focus notifications that message raises, and the window's keys and
// system menu.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "announcement.h"
#include "calculator_dlg.h"
#include "framework.h"
#include "help_texts.h"
#include "identifiers.h"
#include "modal_test_support.h"
#include "same_number.h"

namespace {

using namespace modal_test;

constexpr double kInf = std::numeric_limits<double>::infinity();

// The main window, with the About box replaced by a count so that nothing
// here opens it by accident.
class TestCalculatorDlg : public CCalculatorDlg {
public:
    void RunAboutBox() override { ++aboutRuns; }
    int aboutRuns = 0;
};

void Type(HWND dialog, int id, const char* text)
{
    ::SetDlgItemTextA(dialog, id, text);
}

int Selection(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_WAVE_FACTOR, CB_GETCURSEL, 0, 0));
}

// What the mouse resting on control `id` shows: the text the window's number
// tooltip holds for it, empty when there is none.
std::string TipText(HWND dialog, int id)
{
    const HWND tip = ThreadTooltip();
    if (tip == nullptr)
        return "";
    char text[80] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, id));
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// The exchange's number rows, in the order a pass takes them.
const std::span<const ExchangeRow> kNumberRows = std::span(kExchangeTable).first(8);

// Gives every exchanged field a value of its own: 1001, 1002, ... in table
// order, the third wave factor and a marker text.
void FillWithMarkers(CalculatorForm& form)
{
    double marker = 1001;
    for (const ExchangeRow& row : kNumberRows)
        form.*row.number = marker++;
    form.m_waveFactor = 2;
    form.m_instructions = "marker";
}

// ---------------------------------------------------------------------------
// The write pass

// Shows each value as its shortest exact text, or rounded where that does
// not fit the field, with the full text in the field's tooltip.
TEST(CalculatorExchange, WritePassShowsEachValueAsItsShortestTextOrRoundedToFit)
{
    struct Row {
        int control;
        double CalculatorForm::*field;
        double value;
        const char* text;
        const char* tip = "";
    };
    const Row rows[] = {
        {IDC_CURRENT_POWER, &CalculatorForm::m_currentPower, -kInf, "-inf"},
        {IDC_WAVELENGTH_FREQUENCY, &CalculatorForm::m_frequency, 146.52, "146.52"},
        {IDC_WAVELENGTH, &CalculatorForm::m_wavelength, 984.0 / 146.52, "6.715807",
         "6.715806715806715"},
        {IDC_ANTENNA_LENGTH, &CalculatorForm::m_antennaLength, 984.0 / 0.5, "1968"},
    };

    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            for (const Row& row : rows)
                dialog.m_form.*row.field = row.value;
            dialog.m_form.m_waveFactor = 2;
            dialog.m_form.m_instructions = "First line\r\n\r\nThird line";
            EXPECT_TRUE(dialog.UpdateData(false));

            for (const Row& row : rows) {
                EXPECT_EQ(ItemText(window, row.control), row.text) << "control " << row.control;
                EXPECT_EQ(TipText(window, row.control), row.tip) << "control " << row.control;
            }
            EXPECT_EQ(Selection(window), 2);
            EXPECT_EQ(ItemText(window, IDC_WAVE_FACTOR), "1/4 Wave");
            EXPECT_EQ(ItemText(window, IDC_INSTRUCTIONS_TEXT), "First line\r\n\r\nThird line");

            // No wave factor clears the list's selection.
            dialog.m_form.m_waveFactor = -1;
            EXPECT_TRUE(dialog.UpdateData(false));
            EXPECT_EQ(Selection(window), CB_ERR);
            EXPECT_EQ(ItemText(window, IDC_WAVE_FACTOR), "");

            // A value that fits takes the tip away; so does the user typing.
            dialog.m_form.m_wavelength = 6.5;
            dialog.UpdateData(false);
            EXPECT_EQ(TipText(window, IDC_WAVELENGTH), "");
            dialog.m_form.m_wavelength = 984.0 / 146.52;
            dialog.UpdateData(false);
            EXPECT_EQ(TipText(window, IDC_WAVELENGTH), "6.715806715806715");
            ::PostMessageA(::GetDlgItem(window, IDC_WAVELENGTH_FREQUENCY), WM_CHAR, '1', 1);
        })
        .Then([&](HWND window) {
            EXPECT_EQ(TipText(window, IDC_WAVELENGTH), "6.715806715806715");
            dialog.m_form.m_frequency = 1.0 / 3.0;
            dialog.UpdateData(false);
            EXPECT_EQ(TipText(window, IDC_WAVELENGTH_FREQUENCY), "0.3333333333333333");
            ::PostMessageA(::GetDlgItem(window, IDC_WAVELENGTH_FREQUENCY), WM_CHAR, '1', 1);
        })
        .Then([&](HWND window) {
            EXPECT_EQ(TipText(window, IDC_WAVELENGTH_FREQUENCY), "");
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    EXPECT_EQ(watcher.Boxes().size(), 0u);
}

// A field the user has not touched keeps the exact value it stands for
// through every pass, though it shows it rounded; what the user types over
// it is read as typed.
TEST(CalculatorExchange, RoundedValuesDoNotDriftAndTypedTextReadsAsTyped)
{
    const double values[] = {25.000000000000004, 9.03696114115064, 6.715806715806715};
    const int controls[] = {IDC_CURRENT_POWER, IDC_PROPOSED_DISTANCE, IDC_ANTENNA_LENGTH};
    TestCalculatorDlg dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            dialog.m_form.m_currentPower = values[0];
            dialog.m_form.m_proposedDistance = values[1];
            dialog.m_form.m_antennaLength = values[2];
            for (int pass = 0; pass < 3; ++pass) {
                EXPECT_TRUE(dialog.UpdateData(false));
                EXPECT_TRUE(dialog.UpdateData(true));
            }
            EXPECT_EQ(Bits(dialog.m_form.m_currentPower), Bits(values[0]));
            EXPECT_EQ(Bits(dialog.m_form.m_proposedDistance), Bits(values[1]));
            EXPECT_EQ(Bits(dialog.m_form.m_antennaLength), Bits(values[2]));
            for (int i = 0; i < 3; ++i)
                EXPECT_NE(ItemText(window, controls[i]), TipText(window, controls[i]));

            // The focus is in Current Power, which shows "25": typed over
            // with the same text, it reads as 25.
            ASSERT_EQ(ItemText(window, IDC_CURRENT_POWER), "25");
            const HWND power = ::GetDlgItem(window, IDC_CURRENT_POWER);
            ::SendMessageA(power, EM_SETSEL, 0, -1);
            ::PostMessageA(power, WM_CHAR, '2', 1);
            ::PostMessageA(power, WM_CHAR, '5', 1);
        })
        .Then([&](HWND) {
            EXPECT_TRUE(dialog.UpdateData(true));
            EXPECT_EQ(dialog.m_form.m_currentPower, 25.0);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// Rewriting the field being typed in selects its whole text, so that what
// the user types next replaces it.
TEST(CalculatorExchange, WritePassSelectsTheWholeTextOfTheFocusedField)
{
    TestCalculatorDlg dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            const HWND power = ::GetDlgItem(window, IDC_CURRENT_POWER);
            ASSERT_EQ(::GetFocus(), power);
            Type(window, IDC_CURRENT_POWER, "x");
            ::SendMessageA(power, EM_SETSEL, 1, 1);  // the caret after the x

            dialog.m_form.m_currentPower = 146.52;
            dialog.m_form.m_currentDistance = 1968;
            dialog.UpdateData(false);
            EXPECT_EQ(ItemText(window, IDC_CURRENT_POWER), "146.52");
            EXPECT_EQ(EditSelection(power), std::make_pair(0, 6));
            // A field without the focus gets no selection.
            const HWND distance = ::GetDlgItem(window, IDC_CURRENT_DISTANCE);
            EXPECT_EQ(EditSelection(distance), std::make_pair(0, 0));
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// ---------------------------------------------------------------------------
// The read pass

TEST(CalculatorExchange, ReadPassParsesEveryFieldTheListAndThePane)
{
    struct Row {
        int control;
        const char* text;
        double CalculatorForm::*field;
        double value;
    };
    const Row rows[] = {
        {IDC_CURRENT_DISTANCE, " 12.5 ", &CalculatorForm::m_currentDistance, 12.5},
        {IDC_PROPOSED_POWER, "", &CalculatorForm::m_proposedPower, 0.0},
        {IDC_WAVELENGTH, "-inf", &CalculatorForm::m_wavelength, -kInf},
        {IDC_ANTENNA_LENGTH, "6.715806715806715", &CalculatorForm::m_antennaLength,
         984.0 / 146.52},
    };

    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            FillWithMarkers(dialog.m_form);
            for (const Row& row : rows)
                Type(window, row.control, row.text);
            ::SendDlgItemMessageA(window, IDC_WAVE_FACTOR, CB_SETCURSEL, 3, 0);
            Type(window, IDC_INSTRUCTIONS_TEXT, "Pane text");

            EXPECT_TRUE(dialog.UpdateData(true));
            for (const Row& row : rows)
                EXPECT_EQ(dialog.m_form.*row.field, row.value) << "control " << row.control;
            EXPECT_EQ(dialog.m_form.m_waveFactor, 3);
            EXPECT_EQ(dialog.m_form.m_instructions, "Pane text");

            ::SendDlgItemMessageA(window, IDC_WAVE_FACTOR, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            EXPECT_TRUE(dialog.UpdateData(true));
            EXPECT_EQ(dialog.m_form.m_waveFactor, -1);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    EXPECT_EQ(watcher.Boxes().size(), 0u);
}

// Current Power is the exchange's second row: the first is read, it and
// every later row keep their values, the user is told once, and the field
// gets the focus with its text selected.
TEST(CalculatorExchange, ReadPassStopsAtTheFirstFieldThatIsNotANumber)
{
    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    bool result = true;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            // The focus starts elsewhere, so that the pass has to move it.
            ::SetFocus(::GetDlgItem(window, IDC_RATIO_CALCULATE));
        })
        .Then([&](HWND window) {
            FillWithMarkers(dialog.m_form);
            int typed = 1;
            for (const ExchangeRow& row : kNumberRows)
                Type(window, row.control, std::to_string(typed++).c_str());
            Type(window, IDC_CURRENT_POWER, "12abc");
            ::SendDlgItemMessageA(window, IDC_WAVE_FACTOR, CB_SETCURSEL, 0, 0);
            Type(window, IDC_INSTRUCTIONS_TEXT, "typed");

            result = dialog.UpdateData(true);
        })
        .Then([&](HWND window) {
            EXPECT_FALSE(result);
            ASSERT_EQ(watcher.Boxes().size(), 1u);
            EXPECT_EQ(watcher.Boxes()[0].text, "Current Power: please enter a number.");
            EXPECT_EQ(watcher.Boxes()[0].owner, window);

            EXPECT_EQ(dialog.m_form.m_currentDistance, 1.0);  // row 1, read
            double marker = 1002;
            for (std::size_t i = 1; i < kNumberRows.size(); ++i)
                EXPECT_EQ(dialog.m_form.*kNumberRows[i].number, marker++)
                    << "control " << kNumberRows[i].control;
            EXPECT_EQ(dialog.m_form.m_waveFactor, 2);
            EXPECT_EQ(dialog.m_form.m_instructions, "marker");

            const HWND power = ::GetDlgItem(window, IDC_CURRENT_POWER);
            EXPECT_EQ(::GetFocus(), power);
            EXPECT_EQ(EditSelection(power), std::make_pair(0, 5));
            EXPECT_EQ(ItemText(window, IDC_CURRENT_POWER), "12abc");
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    EXPECT_EQ(watcher.MostOpenAtOnce(), 1);
}

// Leaving Current Power with text that is not a number starts a read pass
// from its focus notification, as the real window does. The message takes
// the focus away and gives it back, raising more focus notifications; none
// of them may start a second pass, and afterwards the window works on.
TEST(CalculatorExchange, FocusNotificationsDuringTheMessageStartNoSecondPass)
{
    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_CURRENT_POWER));
            Type(window, IDC_CURRENT_DISTANCE, "10");
            Type(window, IDC_CURRENT_POWER, "abc");
            ::SetFocus(::GetDlgItem(window, IDC_CURRENT_DISTANCE));
        })
        .Then([&](HWND window) {
            ASSERT_EQ(watcher.Boxes().size(), 1u);
            EXPECT_EQ(watcher.Boxes()[0].text, "Current Power: please enter a number.");
            EXPECT_EQ(watcher.MostOpenAtOnce(), 1);
            EXPECT_FALSE(dialog.InDataExchange());
            EXPECT_EQ(dialog.m_form.m_currentDistance, 10.0);
            const HWND power = ::GetDlgItem(window, IDC_CURRENT_POWER);
            EXPECT_EQ(::GetFocus(), power);
            EXPECT_EQ(EditSelection(power), std::make_pair(0, 3));

            // The user corrects the field and calculates: 100 W reach 10
            // miles, so 400 W reach 20.
            Type(window, IDC_CURRENT_POWER, "100");
            Type(window, IDC_PROPOSED_POWER, "400");
            Type(window, IDC_PROPOSED_DISTANCE, "");
            ::PostMessageA(::GetDlgItem(window, IDC_RATIO_CALCULATE), BM_CLICK, 0, 0);
        })
        .Then([&](HWND window) {
            EXPECT_EQ(ItemText(window, IDC_PROPOSED_DISTANCE), "20");
            EXPECT_EQ(dialog.m_form.m_proposedDistance, 20.0);
            EXPECT_EQ(watcher.Boxes().size(), 1u);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    EXPECT_EQ(watcher.MostOpenAtOnce(), 1);
    EXPECT_EQ(dialog.aboutRuns, 0);
}

// Runs what is queued, answering (through the watcher) any message box that
// opens on the way; returns once no box is open and the queue is empty.
void LetPendingMessagesRun(HWND window)
{
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < 5000) {
        if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
            continue;
        }
        const HWND box = OtherDialogWindow(window);
        if (box == nullptr || !::IsWindowVisible(box))
            return;
        ::Sleep(1);
    }
}

// What the user typed survives the focus leaving the window and coming back,
// for the fields whose entering handler rewrites every field. The read is
// made only once the window is back: a field that is not a number is named
// in one message then, over the window, never while another one is in
// front, and keeps its text for the user to correct. The message is posted,
// to come once the window has finished coming back.
TEST(CalculatorExchange, TypedTextSurvivesTheFocusLeavingTheWindowAndComingBack)
{
    struct Field {
        int control;
        double CalculatorForm::*value;
        const char* message;
    };
    const Field fields[] = {
        {IDC_WAVELENGTH_FREQUENCY, &CalculatorForm::m_frequency,
         "Frequency (Wavelength Calculator): please enter a number."},
        {IDC_ANTENNA_FREQUENCY, &CalculatorForm::m_antennaFrequency,
         "Frequency (Antenna Length Calculator): please enter a number."},
        {IDC_PROPOSED_POWER, &CalculatorForm::m_proposedPower,
         "Proposed Power: please enter a number."},
        {IDC_PROPOSED_DISTANCE, &CalculatorForm::m_proposedDistance,
         "Proposed Distance: please enter a number."},
    };
    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    const HWND other = ::CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                         600, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ModalScript script(dialog);
    for (const Field& field : fields) {
        for (const char* text : {"146.52", "abc"}) {
            const bool isNumber = text[0] != 'a';
            script
                .Then([&, text](HWND window) {
                    ::SetFocus(::GetDlgItem(window, field.control));
                    Type(window, field.control, text);
                    ::SetActiveWindow(other);
                })
                .Then([&, text](HWND window) {
                    SCOPED_TRACE(std::string(field.message) + " / " + text);
                    ASSERT_EQ(::GetActiveWindow(), other);
                    EXPECT_EQ(watcher.Boxes().size(), 0u) << "a message while away";
                    ::SetActiveWindow(window);
                })
                .Then([&](HWND window) { LetPendingMessagesRun(window); })
                .Then([&, text, isNumber](HWND window) {
                    SCOPED_TRACE(std::string(field.message) + " / " + text);
                    const HWND edit = ::GetDlgItem(window, field.control);
                    EXPECT_EQ(::GetFocus(), edit);
                    EXPECT_EQ(ItemText(window, field.control), text);
                    if (isNumber) {
                        EXPECT_EQ(watcher.Boxes().size(), 0u);
                        EXPECT_EQ(dialog.m_form.*field.value, 146.52);
                    } else {
                        ASSERT_EQ(watcher.Boxes().size(), 1u);
                        EXPECT_EQ(watcher.Boxes()[0].text, field.message);
                        EXPECT_EQ(watcher.Boxes()[0].owner, window);
                        EXPECT_EQ(EditSelection(edit), std::make_pair(0, 3));
                        Type(window, field.control, "1");
                        dialog.UpdateData(true);
                    }
                    watcher.Clear();
                });
        }
    }
    script.ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    EXPECT_EQ(watcher.MostOpenAtOnce(), 1);
    ::DestroyWindow(other);
}

// ---------------------------------------------------------------------------
// What a screen reader is told

std::vector<std::string> g_said;

void RecordAnnouncement(HWND, const char* text)
{
    g_said.push_back(text);
}

// A Calculate that produced a result says it through the platform's
// announcement, as the field shows it (the words are the controller's).
TEST(CalculatorAnnouncements, ACalculateThatProducesAResultSaysIt)
{
    const AnnounceFunction saved = g_announce;
    g_announce = &RecordAnnouncement;
    TestCalculatorDlg dialog;
    ModalScript script(dialog);
    script.Then([](HWND window) {
        g_said.clear();
        Type(window, IDC_WAVELENGTH_FREQUENCY, "146.52");
        ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_WAVELENGTH_CALCULATE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_WAVELENGTH_CALCULATE)));
        EXPECT_EQ(g_said, std::vector<std::string>{"Wavelength " + ItemText(window, IDC_WAVELENGTH) + " feet"});
        EXPECT_EQ(ItemText(window, IDC_WAVELENGTH), "6.715807");
    });
    script.ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    g_announce = saved;
}

// ---------------------------------------------------------------------------
// Keys and the system menu

// Enter in a field presses Exit, the default button; Escape cancels. Both
// go through the notification table, which declines them, to the dialog's
// own OK and Cancel.
TEST(CalculatorCommands, EnterInAFieldPressesExitAndEscapeCancels)
{
    struct Case {
        int field;
        UINT key;
        INT_PTR result;
    };
    for (const Case& test : {Case{IDC_CURRENT_POWER, VK_RETURN, IDOK},
                             Case{IDC_ANTENNA_FREQUENCY, VK_RETURN, IDOK},
                             Case{IDC_WAVE_FACTOR, VK_RETURN, IDOK},
                             Case{IDC_CURRENT_POWER, VK_ESCAPE, IDCANCEL}}) {
        SCOPED_TRACE("control " + std::to_string(test.field) + ", key " + std::to_string(test.key));
        TestCalculatorDlg dialog;
        MessageBoxWatcher watcher({&dialog});
        ModalScript script(dialog);
        script
            .Then([&](HWND window) { ::SetFocus(::GetDlgItem(window, test.field)); })
            .Then([&](HWND window) {
                ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, test.field));
                PostKey(::GetFocus(), test.key);
            });
        EXPECT_EQ(script.Run(), test.result);
        EXPECT_EQ(watcher.Boxes().size(), 0u);
    }
}

// Holds Ctrl down for the keys a step posts, as the key state says it.
void HoldControl(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Ctrl+Enter in a field runs its calculator where the focus is: from
// Proposed Power the distance comes out without Proposed Distance's
// interlock clearing the power on the way. Ctrl+A selects the field's text,
// and a click into a field showing 0 selects the 0, so typing replaces it.
TEST(CalculatorCommands, CtrlEnterCalculatesInPlaceCtrlASelectsAndAClickSelectsAZero)
{
    TestCalculatorDlg dialog;
    MessageBoxWatcher watcher({&dialog});
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            Type(window, IDC_CURRENT_POWER, "100");
            Type(window, IDC_CURRENT_DISTANCE, "10");
            ::SetFocus(::GetDlgItem(window, IDC_PROPOSED_POWER));
            Type(window, IDC_PROPOSED_POWER, "400");
            HoldControl(true);
            PostKey(::GetFocus(), VK_RETURN);
        })
        .Then([&](HWND window) {
            const HWND power = ::GetDlgItem(window, IDC_PROPOSED_POWER);
            EXPECT_EQ(::GetFocus(), power);
            EXPECT_EQ(ItemText(window, IDC_PROPOSED_DISTANCE), "20");
            EXPECT_EQ(ItemText(window, IDC_PROPOSED_POWER), "400");

            ::SendMessageA(power, EM_SETSEL, 1, 1);
            PostKey(power, 'A');
        })
        .Then([&](HWND window) {
            HoldControl(false);
            EXPECT_EQ(EditSelection(::GetDlgItem(window, IDC_PROPOSED_POWER)), std::make_pair(0, 3));
            EXPECT_EQ(ItemText(window, IDC_PROPOSED_POWER), "400");

            // Left of the 0, where the caret would stand before it.
            const HWND distance = ::GetDlgItem(window, IDC_CURRENT_DISTANCE);
            Type(window, IDC_CURRENT_DISTANCE, "0");
            const LPARAM leftEdge = MAKELPARAM(1, ClientSize(distance).cy / 2);
            ::PostMessageA(distance, WM_LBUTTONDOWN, MK_LBUTTON, leftEdge);
            ::PostMessageA(distance, WM_LBUTTONUP, 0, leftEdge);
            ::PostMessageA(distance, WM_CHAR, '1', 1);
            ::PostMessageA(distance, WM_CHAR, '0', 1);
        })
        .Then([&](HWND window) {
            EXPECT_EQ(ItemText(window, IDC_CURRENT_DISTANCE), "10");
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
    HoldControl(false);
    EXPECT_EQ(watcher.Boxes().size(), 0u);
}

// A press whose focus change showed the message about a bad field takes
// effect once the message is closed, once, with no second message: by
// BM_CLICK, and by a mouse released while the message was up.
TEST(CalculatorCommands, APressThatMetABadFieldTakesEffectOnceTheMessageIsClosed)
{
    void (*const ways[])(HWND button) = {
        [](HWND button) { ::SendMessageA(button, BM_CLICK, 0, 0); },
        [](HWND button) {
            ::PostMessageA(button, WM_LBUTTONUP, 0, 0);
            ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        }};
    const struct {
        int button;
        int shown;  // 0: the press ends the run
        const char* text;
    } buttons[] = {{IDC_RATIO_INSTRUCTIONS, IDC_INSTRUCTIONS_TEXT, kRatioHelpText},
                   {IDC_WAVELENGTH_CALCULATE, IDC_WAVELENGTH, "6.715807"},
                   {IDC_ABOUT, IDC_INSTRUCTIONS_TEXT, kOpeningPrompt},
                   {IDOK, 0, nullptr}};
    for (const auto press : ways) {
        for (const auto& button : buttons) {
            TestCalculatorDlg dialog;
            MessageBoxWatcher watcher({&dialog});
            ModalScript script(dialog);
            script.Then([&](HWND window) {
                Type(window, IDC_WAVELENGTH_FREQUENCY, "146.52");
                dialog.UpdateData(true);
                Type(window, IDC_CURRENT_POWER, "abc");
                press(::GetDlgItem(window, button.button));
            });
            if (button.shown != 0)
                script.Then([&](HWND window) { EXPECT_EQ(ItemText(window, button.shown), button.text); })
                    .ThenEnd();
            EXPECT_EQ(script.Run(), button.shown != 0 ? ModalScript::kEndedByScript : IDOK) << button.button;
            EXPECT_EQ(dialog.aboutRuns, button.button == IDC_ABOUT ? 1 : 0);
            EXPECT_EQ(watcher.Boxes().size(), 1u) << button.button;
        }
    }
}

// The About item is added to the window's system menu, and choosing it runs
// the About box owned by the main window, which is disabled meanwhile.
TEST(CalculatorCommands, SystemMenuAboutItemOpensTheAboutBoxOverTheWindow)
{
    CWinApp app;
    CCalculatorDlg dialog;  // with its real About box
    app.m_pMainWnd = &dialog;
    HWND box = nullptr;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            const HMENU menu = ::GetSystemMenu(window, FALSE);
            ASSERT_NE(menu, nullptr);
            const int count = ::GetMenuItemCount(menu);
            ASSERT_GE(count, 2);
            EXPECT_EQ(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR,
                      static_cast<UINT>(MF_SEPARATOR));
            EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
            char text[64] = "";
            ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About Velquor...");

            ::PostMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        })
        .Then([&](HWND window) {
            // Inside the About box's own modal loop.
            box = OtherDialogWindow(window);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(::GetDlgCtrlID(::GetWindow(box, GW_CHILD)), IDOK);
            EXPECT_EQ(::GetWindow(box, GW_OWNER), window);
            EXPECT_FALSE(::IsWindowEnabled(window));
            PostKey(::GetFocus(), VK_ESCAPE);
        })
        .Then([&](HWND window) {
            EXPECT_FALSE(::IsWindow(box));
            EXPECT_TRUE(::IsWindowEnabled(window));
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

}  // namespace
