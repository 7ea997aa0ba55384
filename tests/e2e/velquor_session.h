#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "wait.h"
#include "window_query.h"

// One running VelQUOR.exe, driven from outside the way a person would drive
// it: keystrokes and mouse clicks go in through SendInput to whatever window
// of the program has the focus, and everything is read back from the
// controls with messages that time out instead of hanging.
//
// The program runs on its own thread; nothing it does is synchronous with
// the driver. Every step therefore waits, with a bound, for the effect that
// proves the program has taken the input (text shown, focus moved, button
// released) before the test reads anything.
class VelquorSession {
public:
    VelquorSession() = default;
    VelquorSession(const VelquorSession&) = delete;
    VelquorSession& operator=(const VelquorSession&) = delete;

    // Starts the program and waits for its main window.
    ::testing::AssertionResult Start();

    // The program's file, a Windows path (VELQUOR_EXE names another one).
    static std::string ProgramPath();

    HWND Main() const { return m_program.Main(); }
    // A control of the main window. The controls live as long as the window,
    // so each is looked up once: under Wine, finding a control of another
    // process's dialog asks the server about every control in turn.
    HWND Item(int id) const;
    DWORD ProcessId() const { return m_program.ProcessId(); }

    // --- Reading -----------------------------------------------------------

    // A control's text (support::TextOf).
    std::string Text(int id) const { return support::TextOf(Item(id)); }

    // SendMessageTimeout to a control of the main window; nullopt when the
    // program did not answer.
    std::optional<LRESULT> Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The window that has the keyboard focus in the program's thread, and
    // its control identifier (0 when there is no focus).
    HWND Focus() const;
    int FocusId() const;

    // The selection of an edit control: first and one-past-last character.
    std::pair<int, int> Selection(int id) const;

    // The texts of a drop-down list's entries, in list order.
    std::vector<std::string> ListEntries(int id) const;

    // Visible top-level windows of the program of class `className`, other
    // than the main window.
    std::vector<HWND> OtherWindows(const char* className) const;
    // The program's dialog boxes other than the main window (About box,
    // message boxes), and among them those that show `text` somewhere.
    std::vector<HWND> OtherDialogs() const { return OtherWindows("#32770"); }
    std::vector<HWND> DialogsShowing(const std::string& text) const;
    // Whether any child of `window` shows exactly `text`.
    static bool ShowsText(HWND window, const std::string& text);
    // The child of `window` with identifier `id` and its text.
    static std::string ChildText(HWND window, int id);

    // The texts of `dialog` that do not fit where they are shown
    // (support::TextsCutOff), each described with the size it needs and the
    // size it has. Measured in the font the dialog's template names, made
    // again here: a font handle of the program's means nothing in another
    // process.
    static std::vector<std::string> TextsCutOff(HWND dialog);

    // --- Waiting -----------------------------------------------------------

    // Waits for control `id` to show exactly `expected`; on failure says
    // what it showed instead.
    ::testing::AssertionResult Shows(int id, const std::string& expected, DWORD timeoutMs = 5000) const;
    // Waits for the focus to reach control `id`.
    ::testing::AssertionResult FocusReaches(int id, DWORD timeoutMs = 5000) const;
    // Waits for a dialog showing `text` to appear; null on timeout.
    HWND WaitForDialogShowing(const std::string& text, DWORD timeoutMs = 5000) const;
    // Whether `dialog` is the About box: the one dialog with the mail
    // address in it.
    static bool IsAboutBox(HWND dialog);
    // Waits for the About box to show; null on timeout.
    HWND WaitForAboutBox(DWORD timeoutMs = 5000) const;
    // Waits for `window` to be gone (destroyed or hidden).
    static bool WaitForGone(HWND window, DWORD timeoutMs = 5000);

    // Returns once the program's thread has handled everything sent to it
    // so far. Input that is still queued may come later: this is a floor.
    void Sync() const;
    // Returns once the program has worked through all the input sent to it
    // so far (or `timeoutMs` has passed): its thread is given WM_PAINT only
    // when no other message and no input waits for it, so once a control
    // marked as needing paint has been painted, every keystroke and click
    // before has been handled, or has started a modal loop (a box), which
    // paints too, and shows its box once it has. A hung program never
    // paints, and Sync() then tells. False, at once, when the main window is
    // hidden or minimised.
    bool WaitForInputTaken(DWORD timeoutMs = 2000) const;
    // Sync, all input taken, Sync again: for checks that something did NOT
    // change.
    void Settle() const;

    // Waits for the program to end; its exit code, or nullopt on timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 5000) { return m_program.WaitForExit(timeoutMs); }
    bool IsRunning() const { return m_program.IsRunning(); }

    // --- Input -------------------------------------------------------------

    // Makes the program's active window the foreground window if another
    // program's is, so that keystrokes reach the program.
    void BringToFront() const;

    // One key pressed and released, with modifiers (VK_SHIFT, VK_MENU,
    // VK_CONTROL) held down around it.
    void Press(WORD key, std::initializer_list<WORD> modifiers = {}) const;
    // Types `text` as keystrokes, shifting where the keyboard layout needs it.
    void Type(const std::string& text) const;

    // A left click at the centre of `window` (screen coordinates from its
    // window rectangle). Waits for the press and the release to have been
    // taken by the program when the clicked control captures the mouse, as
    // buttons, edits and lists do.
    void ClickAt(POINT screen) const;
    void Click(HWND window) const;
    void ClickItem(int id) const { Click(Item(id)); }

    // Clicks into edit control `id`, selects its whole text with Home and
    // Shift+End, types `text` over it and waits for the control to show it.
    ::testing::AssertionResult ClickAndReplaceText(int id, const std::string& text) const;
    // Drops drop-down list `id` down with a click and clicks its entry
    // `index`; waits for the list to close with that entry chosen.
    ::testing::AssertionResult ChooseWithMouse(int id, int index) const;

    // --- Artefacts ---------------------------------------------------------

    // Writes the screen area covered by the program's visible windows to
    // <artefact folder>/<name>.bmp. Returns the file's path, or an empty
    // string when nothing could be captured.
    std::string SaveScreenshot(const std::string& name) const;

    // Ends the program at once if it is still running.
    void Kill() { m_program.Kill(); }

private:
    support::Program m_program;
    mutable HWND m_itemsOf = nullptr;  // the main window m_items belong to
    mutable std::map<int, HWND> m_items;
};

// Every scenario gets a program of its own; the picture of its last state
// is kept, and the program never outlives the test, even a failing one.
class VelquorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Keeps the picture now, for scenarios that end the program themselves.
    void KeepScreenshot();

    VelquorSession app;

private:
    bool m_screenshotKept = false;
};
