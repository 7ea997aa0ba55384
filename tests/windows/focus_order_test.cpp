// The platform's dialog manager raises a field's leaving notification before
// the next field's entering one, and the main window hands them to its
// table in that order: what a field read on leaving is in the form before
// the next field's interlock writes the form back.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "calculator_dlg.h"
#include "identifiers.h"
#include "modal_test_support.h"

namespace {

using namespace modal_test;

struct FocusEvent {
    UINT control;
    UINT code;
    double currentPower;  // the form's value when the notification arrived
};

// The main window, noting each focus notification before its own table
// runs it: the note's entry declines, so the search goes on.
class RecordingCalculatorDlg : public CCalculatorDlg {
public:
    void RunAboutBox() override {}

    bool Note(UINT id, UINT code)
    {
        if (code == EN_SETFOCUS || code == EN_KILLFOCUS)
            events.push_back({id, code, m_form.m_currentPower});
        return false;
    }

    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnNotificationRange<&RecordingCalculatorDlg::Note>(0, 0xFFFF),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&CCalculatorDlg::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    std::vector<FocusEvent> events;
};

TEST(FocusOrder, LeavingComesBeforeEnteringAndReachesTheFormFirst)
{
    RecordingCalculatorDlg dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_CURRENT_POWER));
            dialog.events.clear();
            ::SetDlgItemTextA(window, IDC_CURRENT_POWER, "100");
            PostKey(::GetFocus(), VK_TAB);
        })
        .Then([&](HWND window) {
            ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_CURRENT_DISTANCE));
            ASSERT_EQ(dialog.events.size(), 2u);
            EXPECT_EQ(dialog.events[0].control, static_cast<UINT>(IDC_CURRENT_POWER));
            EXPECT_EQ(dialog.events[0].code, static_cast<UINT>(EN_KILLFOCUS));
            EXPECT_EQ(dialog.events[1].control, static_cast<UINT>(IDC_CURRENT_DISTANCE));
            EXPECT_EQ(dialog.events[1].code, static_cast<UINT>(EN_SETFOCUS));
            EXPECT_EQ(dialog.events[0].currentPower, 0.0);
            EXPECT_EQ(dialog.events[1].currentPower, 100.0);  // read on leaving

            // Typed into Proposed Distance but never read: the mouse entering
            // Proposed Power clears it.
            dialog.events.clear();
            ::SetDlgItemTextA(window, IDC_PROPOSED_DISTANCE, "5");
            PostClickAtCentre(::GetDlgItem(window, IDC_PROPOSED_POWER));
        })
        .Then([&](HWND window) {
            ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_PROPOSED_POWER));
            ASSERT_EQ(dialog.events.size(), 2u);
            EXPECT_EQ(dialog.events[0].control, static_cast<UINT>(IDC_CURRENT_DISTANCE));
            EXPECT_EQ(dialog.events[0].code, static_cast<UINT>(EN_KILLFOCUS));
            EXPECT_EQ(dialog.events[1].control, static_cast<UINT>(IDC_PROPOSED_POWER));
            EXPECT_EQ(dialog.events[1].code, static_cast<UINT>(EN_SETFOCUS));
            EXPECT_EQ(ItemText(window, IDC_PROPOSED_DISTANCE), "0");
            EXPECT_EQ(ItemText(window, IDC_CURRENT_POWER), "100");
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

}  // namespace
