#pragma once

// Helpers for tests that run the program's dialogs for real: small readers of
// window state, a watcher that answers message boxes, and a script that
// drives a dialog from inside its own modal loop. Nothing here waits for a
// person, and a run that goes wrong ends with a failure, not a hang.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework.h"
#include "window_query.h"

namespace modal_test {

// ---------------------------------------------------------------------------
// Reading windows

using support::BitmapSize;
using support::ChildWindows;
using support::ClassOf;
using support::ClientSize;
using support::ControlId;
using support::TextOf;
using support::WindowRectInParent;

inline std::string ItemText(HWND dialog, int id)
{
    return TextOf(::GetDlgItem(dialog, id));
}

// A window's rectangle in the client coordinates of `parent`.
inline RECT RectIn(HWND parent, const RECT& screenRect)
{
    RECT rect = screenRect;
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The selection of an edit control as (start, end).
inline std::pair<int, int> EditSelection(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

inline BOOL CALLBACK CollectDialogWindow(HWND window, LPARAM found)
{
    if (ClassOf(window) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// This thread's top-level dialog windows (class "#32770"), message boxes
// included.
inline std::vector<HWND> ThreadDialogWindows()
{
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectDialogWindow,
                        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The one dialog window of this thread other than `except`, or null when
// there is none or more than one.
inline HWND OtherDialogWindow(HWND except)
{
    HWND other = nullptr;
    for (HWND window : ThreadDialogWindows()) {
        if (window == except)
            continue;
        if (other != nullptr)
            return nullptr;
        other = window;
    }
    return other;
}

inline BOOL CALLBACK CollectTooltip(HWND window, LPARAM found)
{
    if (ClassOf(window) == "tooltips_class32")
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

// This thread's tooltip window (the main window's number tips), or null.
inline HWND ThreadTooltip()
{
    HWND tip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTooltip, reinterpret_cast<LPARAM>(&tip));
    return tip;
}

// Input as the dialog manager sees it: posted, so that it goes through the
// running modal loop (and IsDialogMessage) like a real key or click.
inline void PostKey(HWND target, UINT virtualKey)
{
    const UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000u);
}

inline void PostClickAtCentre(HWND control)
{
    const SIZE size = ClientSize(control);
    const LPARAM at = MAKELPARAM(size.cx / 2, size.cy / 2);
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// ---------------------------------------------------------------------------
// Message boxes

// Answers every message box this thread shows while the watcher lives: a
// thread timer, dispatched by the box's own modal loop, finds each top-level
// dialog window that is not one of the test's own dialogs, records it and
// presses its OK button. Only one watcher exists at a time.
class MessageBoxWatcher {
public:
    struct Box {
        std::string text;  // the message, from the box's static controls
        HWND owner;
    };

    // `ownDialogs`: the test's dialog objects, whose windows are not boxes.
    explicit MessageBoxWatcher(std::vector<const CWnd*> ownDialogs)
        : m_ownDialogs(std::move(ownDialogs))
    {
        s_active = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &Tick);
    }

    ~MessageBoxWatcher()
    {
        ::KillTimer(nullptr, m_timer);
        s_active = nullptr;
    }

    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }
    // The most boxes that were open together at any one tick.
    int MostOpenAtOnce() const { return m_mostOpenAtOnce; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_active != nullptr)
            s_active->Scan();
    }

    bool IsOwnDialog(HWND window) const
    {
        for (const CWnd* dialog : m_ownDialogs)
            if (dialog->m_hWnd == window)
                return true;
        return false;
    }

    void Scan()
    {
        int open = 0;
        for (HWND window : ThreadDialogWindows()) {
            if (IsOwnDialog(window) || !::IsWindowVisible(window))
                continue;
            ++open;
            if (!m_answered.insert(window).second)
                continue;  // answered on an earlier tick, not gone yet
            std::string text;
            for (HWND child : ChildWindows(window)) {
                if (ClassOf(child) != "Static" || TextOf(child).empty())
                    continue;
                if (!text.empty())
                    text += '\n';
                text += TextOf(child);
            }
            m_boxes.push_back({text, ::GetWindow(window, GW_OWNER)});
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
        if (open > m_mostOpenAtOnce)
            m_mostOpenAtOnce = open;
    }

    static inline MessageBoxWatcher* s_active = nullptr;

    std::vector<const CWnd*> m_ownDialogs;
    UINT_PTR m_timer = 0;
    std::set<HWND> m_answered;
    std::vector<Box> m_boxes;
    int m_mostOpenAtOnce = 0;
};

// ---------------------------------------------------------------------------
// Driving a modal dialog

// Runs a dialog with DoModal and drives it from inside its own modal loop.
// Each step runs on its own tick of a thread timer, the first once the
// dialog is on screen. A timer message only comes when the queue holds
// nothing else, so whatever a step posts has gone through the dialog
// manager before the next step starts. A step that opens a nested modal
// loop itself (a message box) holds the next step back until it returns;
// a step that only posts what opens one (a click on About) lets the next
// step run inside the nested loop.
//
// After the last step the script waits for the dialog to end by itself. A
// run that a step's fatal failure stops, or that has not ended within the
// time limit, is ended: every dialog window of the thread, boxes included,
// is closed, and the test fails.
class ModalScript {
public:
    using Step = std::function<void(HWND dialog)>;

    // Results the script ends a run with.
    static constexpr INT_PTR kEndedByScript = 0x5EED;
    static constexpr INT_PTR kStopped = -0x57;
    static constexpr DWORD kTimeLimitMs = 20000;

    explicit ModalScript(CDialog& dialog) : m_dialog(dialog) {}
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // A last step that ends the run with kEndedByScript.
    ModalScript& ThenEnd()
    {
        return Then([this](HWND) { m_dialog.EndDialog(static_cast<int>(kEndedByScript)); });
    }

    // Runs the dialog modally; returns what DoModal returned.
    INT_PTR Run()
    {
        EXPECT_EQ(s_active, nullptr) << "modal scripts do not nest";
        s_active = this;
        m_next = 0;
        m_inStep = false;
        m_stopping = false;
        m_start = ::GetTickCount();
        m_timer = ::SetTimer(nullptr, 0, 10, &Tick);
        const INT_PTR result = m_dialog.DoModal();
        ::KillTimer(nullptr, m_timer);
        s_active = nullptr;
        EXPECT_EQ(m_next, m_steps.size()) << "the dialog ended before the script did";
        return result;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalScript* self = s_active;
        if (self == nullptr)
            return;
        if (self->m_stopping || ::GetTickCount() - self->m_start > kTimeLimitMs) {
            self->Stop("the modal run did not end in time");
            return;
        }
        if (self->m_inStep || self->m_next >= self->m_steps.size() ||
            self->m_dialog.m_hWnd == nullptr)
            return;
        // A dialog whose template leaves it hidden is shown by the modal
        // loop once its queue is empty, which can come after the first tick.
        if (self->m_next == 0 && !::IsWindowVisible(self->m_dialog.m_hWnd))
            return;
        TakeBackTheActivationFromTheDesktop();
        self->m_inStep = true;
        const std::size_t step = self->m_next++;
        self->m_steps[step](self->m_dialog.m_hWnd);
        self->m_inStep = false;
        if (::testing::Test::HasFatalFailure())
            self->Stop(nullptr);
    }

    // Wine with no window manager now and then handles the X focus events of
    // a message box only after the box has gone, and then makes the desktop
    // the foreground window: the dialog is no longer active and GetFocus()
    // is null. Windows never does this. Activating the top dialog again
    // gives the focus back to the control the dialog manager saved when the
    // dialog was deactivated, so a step sees the focus where the program put
    // it.
    static void TakeBackTheActivationFromTheDesktop()
    {
        const HWND foreground = ::GetForegroundWindow();
        if (foreground != nullptr && foreground != ::GetDesktopWindow())
            return;
        HWND target = nullptr;
        for (HWND window : ThreadDialogWindows())
            if (::IsWindowVisible(window) && ::IsWindowEnabled(window))
                target = window;
        if (target != nullptr)
            ::SetForegroundWindow(target);
    }

    void Stop(const char* why)
    {
        if (!m_stopping && why != nullptr)
            ADD_FAILURE() << why;
        m_stopping = true;
        m_next = m_steps.size();
        for (HWND window : ThreadDialogWindows())
            ::EndDialog(window, kStopped);
    }

    static inline ModalScript* s_active = nullptr;

    CDialog& m_dialog;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_inStep = false;
    bool m_stopping = false;
    DWORD m_start = 0;
    UINT_PTR m_timer = 0;
};

// Runs `dialog` modally, hands it to `check` once it is on screen, and ends
// the run.
inline void RunAndCheck(CDialog& dialog, ModalScript::Step check)
{
    ModalScript script(dialog);
    script.Then(std::move(check)).ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

}  // namespace modal_test
