#pragma once

// The monkey: thousands of random clicks, keys and typed text into the real
// program, started again whenever it ends, each event followed by checks.
// Its parts, one file each: the runs (monkey.cpp), what the program shows
// (scene.cpp), the random actions (random_actions.cpp), the checks after
// each event (monkey_checks.cpp), the mail links (mail_links.cpp) and the
// event log with its faults (event_log.cpp).

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "random_source.h"
#include "velquor_session.h"

namespace monkey {

constexpr DWORD kAnswerTimeoutMs = 5000;  // longer without an answer is a hang

struct Options {
    unsigned events = 2000;
    std::uint32_t seed = 1;
};

// What the program under test shows, and whether Wine's crash dialog is up.
struct Scene {
    std::vector<HWND> aboutBoxes;
    std::vector<HWND> messageBoxes;
    std::vector<HWND> crashDialogs;    // Wine's debugger telling of a crash
    HWND dropDown = nullptr;           // the wave-factor list, dropped down
    HWND menu = nullptr;               // the system menu, open
    bool iconic = false;
    bool modalLoop = false;            // moving or sizing the window by keyboard
    bool mainEnabled = true;
};

// One action of the monkey's.
struct Action {
    enum Kind { Click, Key, Text, PostAbout, Restore, Uncover } kind = Key;
    POINT point{};
    WORD key = 0;
    std::vector<WORD> modifiers;
    std::string text;
};

struct ProgramRun {
    unsigned number = 0;
    unsigned firstEvent = 0;
    unsigned events = 0;
    std::string ending;
    unsigned messageBoxes = 0;
    unsigned aboutBoxes = 0;
};

// scene.cpp
Scene Look(const VelquorSession& session);
RECT RectOf(HWND window);
POINT Centre(HWND window);
bool Inside(const RECT& rect, POINT point);
// The texts of a message box's statics, joined.
std::string MessageText(HWND box);
// The window a click at `point` goes to: the top-level window in front
// there and, in it, the child control under the point. Group boxes lie over
// the controls they frame, and the click goes through them.
HWND ClickTarget(POINT point);
// What `target`, the window a click at `point` goes to, is: the child
// control, or the top-level window.
std::string Describe(POINT point, HWND target, HWND main);

// random_actions.cpp: the characters for garbage text, those the keyboard
// layout Wine chose can type (a character without a key cannot be sent);
// the others go to `dropped`.
std::string TypableGarbage(std::string& dropped);

// event_log.cpp
std::string Quoted(const std::string& text, std::size_t limit = 40);
std::string Hex(DWORD value);

class Monkey {
public:
    explicit Monkey(const Options& options) : m_options(options), m_random(options.seed) {}

    // Runs the whole monkey, once no other monkey runs in this Wine prefix.
    void Run();

    unsigned FaultCount() const { return m_faultCount; }
    void PrintSummary() const;

private:
    void RunAlone();
    void MakeEvent();

    // --- Program runs ---------------------------------------------------
    bool StartProgram();
    void EndRun(const std::string& how);
    void KillProgram(const std::string& why);
    HWND Main() const { return m_session->Main(); }

    // --- Acting ---------------------------------------------------------
    Action DrawAction(const Scene& scene);
    Action DrawForMain();
    Action DrawForAbout(const Scene& scene);
    Action DrawForDropDown(const Scene& scene);
    Action DrawForMenu(const Scene& scene);
    Action DrawKey();
    Action DrawClickIn(HWND window, unsigned childPercent);
    std::string DrawText();
    bool WouldClose(const Action& action) const;
    std::string Perform(const Action& action, const Scene& scene);

    // --- Checking after each event -------------------------------------
    void AfterEvent();
    // Whether the program answers once it has worked through its input;
    // false when the run is over.
    bool Settled();
    bool Answers();
    void HandleBoxes();
    // Waits for `box` (`what`, closed with `how`) to go; false when the run
    // is over.
    bool Closes(HWND box, const std::string& what, const std::string& how);
    void CheckCrashDialogs(const Scene& scene);

    // --- Mail links -----------------------------------------------------
    bool PrepareMailHandler();
    std::vector<std::string> NewMailLines();
    void CheckMailLinksOpened();
    // Once the last click is made: waits for the links still on their way,
    // then checks that every click on the address or the portrait opened
    // one, and only those.
    void CheckAllMailLinksOpened();

    // --- The event log --------------------------------------------------
    // Records a fault of kind `kind`. The first few of each kind are
    // reported in full, with the events that led to them; later ones are
    // only counted.
    void Fault(const std::string& kind, const std::string& what);
    void Trace(const std::string& line);
    void LogEvent(const std::string& what);
    std::string LastEvents(std::size_t count) const;

    const Options m_options;
    Random m_random;
    std::unique_ptr<VelquorSession> m_session;
    std::vector<ProgramRun> m_runs;
    unsigned m_event = 0;
    unsigned m_eventInRun = 0;
    std::deque<std::string> m_recent;  // the last events, for fault reports
    struct FaultKind {
        unsigned count = 0;
        std::vector<std::string> first;
    };
    std::map<std::string, FaultKind> m_faults;
    unsigned m_faultCount = 0;
    FILE* m_trace = nullptr;
    std::string m_artifacts;
    std::string m_garbage;  // the characters of TypableGarbage()
    DWORD m_startTicks = 0;
    DWORD m_endTicks = 0;

    struct Timing {
        unsigned count = 0;
        DWORD ms = 0;
    };
    std::map<std::string, Timing> m_timings;  // by the action's first word

    std::map<std::string, unsigned> m_boxTexts;
    unsigned m_boxesSeen = 0;
    std::vector<HWND> m_knownAboutBoxes;
    std::vector<HWND> m_aboutBoxesReported;  // the last set reported as open at once
    unsigned m_aboutBoxes = 0;
    unsigned m_restores = 0;

    HWND m_childrenOf = nullptr;  // whose controls m_children lists
    std::vector<HWND> m_children;
    Scene m_scene;  // the last look HandleBoxes took

    std::string m_mailLog;
    std::size_t m_mailLogRead = 0;
    unsigned m_linkClicks = 0;
    unsigned m_linksOpened = 0;
    std::string m_mailLink;  // the link of the address the About box showed when clicked
};

}  // namespace monkey
