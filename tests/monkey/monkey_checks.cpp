// What the monkey checks after each event: that the program answers, and
// ends cleanly when its window goes; that it never stacks message boxes or
// brings them back in a cascade, nor leaves its window taking input under
// the modal About box; that it does not crash; and that the mail links
// opened are the ones clicked (mail_links.cpp). Message boxes are closed as
// a user would, with Enter or their OK button.

#include <algorithm>

#include "monkey.h"

namespace monkey {

namespace {

constexpr DWORD kGoneTimeoutMs = 5000;        // for a box to close, a process to end
constexpr DWORD kInputTakenTimeoutMs = 2000;  // for the program to work through its input
constexpr unsigned kBoxesPerEventLimit = 5;

}  // namespace

void Monkey::AfterEvent()
{
    if (!Settled())
        return;
    HandleBoxes();
    if (!m_session)
        return;
    CheckCrashDialogs(m_scene);
    if (!m_session)
        return;
    CheckMailLinksOpened();
}

// Waits, with WM_NULL, for the program to get round to its messages. False
// when the program has ended or been ended (the run is over then).
bool Monkey::Answers()
{
    const DWORD start = ::GetTickCount();
    DWORD_PTR ignored = 0;
    if (::SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored)) {
        if (::IsWindowVisible(Main()))
            return true;
        // Hidden: the main window's dialog has ended, the program is ending.
    } else {
        const DWORD waited = ::GetTickCount() - start;
        if (m_session->IsRunning() && ::IsWindow(Main())) {
            if (waited + 100 < kAnswerTimeoutMs)
                return true;  // a window being destroyed; not a hang
            // A program that crashed is held by Wine's debugger while its
            // crash dialog is up: it does not answer either.
            const Scene scene = Look(*m_session);
            if (!scene.crashDialogs.empty()) {
                CheckCrashDialogs(scene);
                return false;
            }
            Fault("hang", "the program stopped answering: WM_NULL unanswered for " + std::to_string(waited) + " ms");
            KillProgram("hung after event #" + std::to_string(m_event));
            return false;
        }
    }
    // The main window is gone: the program must end at once, and cleanly.
    const auto exitCode = m_session->WaitForExit(kGoneTimeoutMs);
    if (!exitCode) {
        Fault("no exit", "the main window closed but the process was still running " + std::to_string(kGoneTimeoutMs) +
              " ms later");
        KillProgram("still running without its window after event #" + std::to_string(m_event));
        return false;
    }
    if (*exitCode != 0) {
        Fault("crash", "the program ended with exit code " + Hex(*exitCode) +
              (*exitCode >= 0xC0000000u ? " (an exception: it crashed)" : ""));
    }
    EndRun("exit code " + Hex(*exitCode) + " (the last events: " + LastEvents(3) + ")");
    return false;
}

bool Monkey::Settled()
{
    if (!Answers())
        return false;
    m_session->WaitForInputTaken(kInputTakenTimeoutMs);
    return Answers();
}

bool Monkey::Closes(HWND box, const std::string& what, const std::string& how)
{
    if (VelquorSession::WaitForGone(box, kGoneTimeoutMs))
        return Settled();
    Fault("box stays", what + " did not close on " + how);
    KillProgram(what + " would not close after event #" + std::to_string(m_event));
    return false;
}

void Monkey::HandleBoxes()
{
    unsigned boxes = 0;
    bool cascadeReported = false;
    for (;;) {
        m_scene = Look(*m_session);
        const Scene& scene = m_scene;
        if (scene.messageBoxes.size() > 1) {
            std::string texts;
            for (HWND box : scene.messageBoxes)
                texts += " " + Quoted(MessageText(box), 60);
            Fault("boxes at once", std::to_string(scene.messageBoxes.size()) + " message boxes open at once:" + texts);
        }
        if (scene.aboutBoxes.size() > 1 && scene.aboutBoxes != m_aboutBoxesReported) {
            m_aboutBoxesReported = scene.aboutBoxes;  // once for as long as they stay open
            Fault("boxes at once", std::to_string(scene.aboutBoxes.size()) + " About boxes open at once");
        }
        for (HWND about : scene.aboutBoxes) {
            if (std::find(m_knownAboutBoxes.begin(), m_knownAboutBoxes.end(), about) == m_knownAboutBoxes.end()) {
                m_knownAboutBoxes.push_back(about);
                ++m_aboutBoxes;
                ++m_runs.back().aboutBoxes;
            }
        }
        if (scene.messageBoxes.empty()) {
            // A modal box keeps its owner disabled for as long as it is
            // open. When it does not, the main window takes input (and, with
            // no window manager, lies in front of the box): the fault is
            // reported and the box closed, as a user who found it would, so
            // that the run goes on from a sane state.
            if (!scene.mainEnabled || scene.aboutBoxes.empty())
                return;
            const HWND about = scene.aboutBoxes.back();
            Fault("modal", std::string("the About box is open but the main window is enabled and takes input") +
                               (::WindowFromPoint(Centre(about)) == Main() ? ", in front of the About box" : ""));
            Trace("   the About box closed with a posted IDOK");
            ::PostMessageA(about, WM_COMMAND, IDOK, 0);
            if (!Closes(about, "the About box", "a posted IDOK"))
                return;
            continue;
        }

        // The one in front is the enabled one.
        HWND box = scene.messageBoxes.back();
        for (HWND candidate : scene.messageBoxes)
            if (::IsWindowEnabled(candidate))
                box = candidate;
        const std::string text = MessageText(box);
        ++boxes;
        ++m_boxesSeen;
        ++m_boxTexts[text];
        ++m_runs.back().messageBoxes;
        if (boxes > 1 && !cascadeReported) {
            Fault("cascade", "message boxes in a cascade: box " + std::to_string(boxes) + " " + Quoted(text, 60) +
                  " came up after the previous one was closed, within one event");
            cascadeReported = true;
        }
        if (boxes > kBoxesPerEventLimit) {
            KillProgram("message boxes kept coming back after event #" + std::to_string(m_event));
            return;
        }

        const bool pressEnter = m_random.OneIn(2);
        Trace("   message box " + Quoted(text, 60) + ", closed with " + (pressEnter ? "Enter" : "a posted IDOK"));
        if (pressEnter)
            m_session->Press(VK_RETURN);
        else
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!Closes(box, "the message box " + Quoted(text, 60), pressEnter ? "Enter" : "a posted IDOK"))
            return;
    }
}

void Monkey::CheckCrashDialogs(const Scene& scene)
{
    for (HWND dialog : scene.crashDialogs) {
        char caption[256] = "";
        ::GetWindowTextA(dialog, caption, sizeof caption);
        Fault("crash", std::string("Wine's crash dialog appeared: ") + Quoted(caption) + " " +
                           Quoted(MessageText(dialog), 160));
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (!scene.crashDialogs.empty() && m_session)
        KillProgram("crashed after event #" + std::to_string(m_event));
}

}  // namespace monkey
