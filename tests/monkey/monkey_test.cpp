// Monkey test of VelQUOR.exe under Wine: thousands of random clicks, keys
// and typed text go into the real window, through the platform's input
// queue, the way a careless user's would. The program is started again
// whenever it ends. The run fails when the program crashes, stops answering,
// stacks message boxes or brings them back in a cascade, leaves its window
// taking input under the modal About box, or opens a mail link other than
// its own (or one nobody clicked).
//
// Message boxes are closed as a user would, with Enter or their OK button.
// The mail link goes to a stand-in registered in the monkey's own Wine
// prefix, never to a real mail program.
//
//     monkey_tests [EVENTS [SEED]]
//
// Without arguments, VELQUOR_MONKEY_EVENTS and VELQUOR_MONKEY_SEED are read;
// then the defaults below; VELQUOR_EXE points it at another build of the
// program. The seed is printed first, so that any run can be
// made again (the input sequence follows from the seed; where the program
// is in its work when each input arrives does not, exactly).

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "identifiers.h"
#include "paths.h"
#include "velquor_session.h"

namespace {

constexpr unsigned kDefaultEvents = 2000;
constexpr std::uint32_t kDefaultSeed = 1;

constexpr DWORD kAnswerTimeoutMs = 5000;  // longer without an answer is a hang
constexpr DWORD kGoneTimeoutMs = 5000;    // for a box to close, a process to end
constexpr DWORD kInputTakenTimeoutMs = 2000;  // for the program to work through its input
constexpr DWORD kOtherMonkeyTimeoutMs = 300000;
constexpr unsigned kFaultsShownPerKind = 3;
constexpr unsigned kMaxFaults = 200;      // a program this broken: stop
constexpr unsigned kBoxesPerEventLimit = 5;

// A closing action (Escape, Enter where it reaches Exit, a click on Exit or
// on the close button) is carried out only once in this many draws;
// otherwise another action is drawn. Runs then last some hundreds of events,
// and the program still ends and starts again several times in a couple of
// thousand events.
constexpr unsigned kCloseOneIn = 40;

constexpr char kSelfCheckLink[] = "mailto:monkey-self-check@example.com";

struct Options {
    unsigned events = kDefaultEvents;
    std::uint32_t seed = kDefaultSeed;
};
Options g_options;

using support::ClassOf;
using support::ProcessOf;
using support::WindowsPath;

RECT RectOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT Centre(HWND window)
{
    const RECT rect = RectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool Inside(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The visible direct children of `parent`.
std::vector<HWND> VisibleChildren(HWND parent)
{
    return support::ChildWindows(parent, true);
}

// Whether `processId` runs Wine's debugger, which shows the crash dialog.
bool IsCrashReporter(DWORD processId)
{
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    char path[MAX_PATH] = "";
    DWORD length = sizeof path;
    const bool named = ::QueryFullProcessImageNameA(process, 0, path, &length) != FALSE;
    ::CloseHandle(process);
    if (!named)
        return false;
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "winedbg.exe";
}

// The texts of a message box's statics, joined.
std::string MessageText(HWND box)
{
    std::string text;
    for (HWND child : VisibleChildren(box)) {
        if (ClassOf(child) != "Static")
            continue;
        const std::string part = support::TextOf(child);
        if (part.empty())
            continue;
        if (!text.empty())
            text += " | ";
        text += part;
    }
    return text;
}

std::string Quoted(const std::string& text, std::size_t limit = 40)
{
    std::string shown = text.size() > limit ? text.substr(0, limit) + "...(" + std::to_string(text.size()) + " chars)" : text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';  // a picture's resource number, say
    return "\"" + shown + "\"";
}

// Characters for garbage text: the ones the keyboard layout Wine chose can
// type (Type() presses keys; a character without a key cannot be sent).
std::string TypableGarbage(std::string& dropped)
{
    static const char kCandidates[] = "abcdefghijklmnopqrstuvwxyzABCXYZ0123456789.-+eE ,;:!?@#$%&*()[]/_=";
    std::string typable;
    for (const char* c = kCandidates; *c; ++c)
        (::VkKeyScanA(*c) == -1 ? dropped : typable) += *c;
    return typable;
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// The random source. The engine is the standard Mersenne twister, whose
// output the standard fixes, and every draw below is a plain modulo, so a
// seed gives the same input sequence with any library.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    unsigned Below(unsigned n) { return static_cast<unsigned>(m_engine() % n); }
    bool OneIn(unsigned n) { return Below(n) == 0; }
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<unsigned>(high - low + 1))); }

    // An index into `weights`, drawn in proportion to them.
    unsigned Choose(std::initializer_list<unsigned> weights)
    {
        unsigned total = 0;
        for (unsigned weight : weights)
            total += weight;
        unsigned draw = Below(total);
        unsigned index = 0;
        for (unsigned weight : weights) {
            if (draw < weight)
                return index;
            draw -= weight;
            ++index;
        }
        return index - 1;
    }

    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[Below(static_cast<unsigned>(items.size()))]; }

    POINT PointIn(const RECT& rect)
    {
        const int width = std::max<int>(1, rect.right - rect.left);
        const int height = std::max<int>(1, rect.bottom - rect.top);
        return {rect.left + static_cast<LONG>(Below(width)), rect.top + static_cast<LONG>(Below(height))};
    }

private:
    std::mt19937 m_engine;
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

class Monkey {
public:
    explicit Monkey(const Options& options) : m_options(options), m_random(options.seed) {}

    // Runs the whole monkey, once no other monkey runs in this Wine prefix.
    void Run();

    unsigned FaultCount() const { return m_faultCount; }
    void PrintSummary() const;

private:
    void RunAlone();

    // --- Set-up ---------------------------------------------------------
    bool PrepareMailHandler();
    std::vector<std::string> NewMailLines();

    // --- Program runs ---------------------------------------------------
    bool StartProgram();
    void EndRun(const std::string& how);
    void KillProgram(const std::string& why);

    // --- Looking --------------------------------------------------------
    Scene Look() const;
    HWND Main() const { return m_session->Main(); }
    HWND ClickTarget(POINT point) const;
    std::string Describe(POINT point, HWND target) const;

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
    void ClickAt(POINT point);

    // --- Checking after each event -------------------------------------
    void AfterEvent();
    bool Answers();
    void WaitForInputTaken();
    void HandleBoxes();
    void CheckCrashDialogs(const Scene& scene);

    // Records a fault of kind `kind`. The first few of each kind are
    // reported in full, with the events that led to them; later ones are
    // only counted.
    void Fault(const std::string& kind, const std::string& what);
    void Trace(const std::string& line);

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
    std::string m_lastAction;
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

// --- Set-up ------------------------------------------------------------------

// Registers our stand-in as the program that opens mailto: links in this
// Wine prefix, then checks that the shell really runs it.
bool Monkey::PrepareMailHandler()
{
    // A file of this run's own, even with other monkeys in other prefixes.
    char log[MAX_PATH] = "";
    if (::GetTempFileNameA(m_artifacts.c_str(), "mail", 0, log) == 0) {
        Fault("set-up", "cannot make a file for the mail links in " + m_artifacts);
        return false;
    }
    m_mailLog = log;
    const std::string command = "\"" + WindowsPath(VELQUOR_MONKEY_MAIL_HANDLER) + "\" \"" + m_mailLog + "\" \"%1\"";

    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        Fault("set-up", "cannot register the mail handler under HKEY_CLASSES_ROOT\\mailto");
        return false;
    }
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    ::RegCloseKey(key);

    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, nullptr, kSelfCheckLink, "", "", SW_SHOWNORMAL));
    std::vector<std::string> lines;
    support::WaitUntil([&] {
        for (const std::string& line : NewMailLines())
            lines.push_back(line);
        return !lines.empty();
    }, 15000);
    if (lines != std::vector<std::string>{kSelfCheckLink}) {
        Fault("set-up", "the mail handler registered in this Wine prefix did not run as it should: ShellExecute "
              "returned " + std::to_string(result) + ", the handler logged " + std::to_string(lines.size()) +
              " links" + (lines.empty() ? "" : ", the first " + Quoted(lines.front())));
        return false;
    }
    std::printf("mail links: handled by %s\n", command.c_str());
    return true;
}

std::vector<std::string> Monkey::NewMailLines()
{
    std::vector<std::string> lines;
    FILE* log = std::fopen(m_mailLog.c_str(), "rb");
    if (log == nullptr)
        return lines;
    std::string content;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, log)) > 0)
        content.append(buffer, read);
    std::fclose(log);
    // Only whole lines: a handler may be writing its own right now.
    std::size_t end = content.rfind('\n');
    if (end == std::string::npos || end + 1 <= m_mailLogRead)
        return lines;
    std::size_t at = m_mailLogRead;
    while (at <= end) {
        std::size_t newline = content.find('\n', at);
        std::string line = content.substr(at, newline - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        at = newline + 1;
    }
    m_mailLogRead = end + 1;
    return lines;
}

// --- Program runs ------------------------------------------------------------

bool Monkey::StartProgram()
{
    m_session = std::make_unique<VelquorSession>();
    const auto started = m_session->Start();
    if (!started) {
        Fault("start", std::string("the program did not start: ") + started.message());
        m_session.reset();
        return false;
    }

    ProgramRun run;
    run.number = static_cast<unsigned>(m_runs.size()) + 1;
    run.firstEvent = m_event;
    m_runs.push_back(run);
    m_eventInRun = 0;
    m_recent.clear();
    m_knownAboutBoxes.clear();
    Trace("-- run " + std::to_string(run.number) + ": program started, process " +
          std::to_string(m_session->ProcessId()));

    m_session->Settle();
    return true;
}

void Monkey::EndRun(const std::string& how)
{
    ProgramRun& run = m_runs.back();
    run.events = m_eventInRun;
    run.ending = how;
    Trace("-- run " + std::to_string(run.number) + " ended: " + how);
    m_session.reset();  // ends the program if it still runs
}

void Monkey::KillProgram(const std::string& why)
{
    EndRun(why + "; ended by the monkey");
}

// --- Looking -----------------------------------------------------------------

Scene Monkey::Look() const
{
    Scene scene;
    const DWORD program = m_session->ProcessId();
    const DWORD self = ::GetCurrentProcessId();
    for (HWND window : TopLevelWindows()) {
        const DWORD owner = ProcessOf(window);
        if (owner == self || !::IsWindowVisible(window))
            continue;
        if (owner == program) {
            const std::string kind = ClassOf(window);
            if (window == Main())
                continue;
            if (kind == "#32770") {
                if (VelquorSession::IsAboutBox(window))
                    scene.aboutBoxes.push_back(window);
                else
                    scene.messageBoxes.push_back(window);
            } else if (kind == "ComboLBox") {
                scene.dropDown = window;
            } else if (kind == "#32768") {
                scene.menu = window;
            }
        } else if (IsCrashReporter(owner)) {
            scene.crashDialogs.push_back(window);
        }
    }
    scene.iconic = ::IsIconic(Main()) != FALSE;
    scene.mainEnabled = ::IsWindowEnabled(Main()) != FALSE;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(Main(), nullptr), &info))
        scene.modalLoop = (info.flags & GUI_INMOVESIZE) != 0;
    return scene;
}

// The window a click at `point` goes to: the top-level window in front
// there and, in it, the child control under the point. Group boxes lie over
// the controls they frame, and the click goes through them.
HWND Monkey::ClickTarget(POINT point) const
{
    HWND top = ::WindowFromPoint(point);
    if (top == nullptr)
        return nullptr;
    top = ::GetAncestor(top, GA_ROOT);
    POINT client = point;
    ::ScreenToClient(top, &client);
    const HWND child = ::RealChildWindowFromPoint(top, client);
    return child != nullptr ? child : top;
}

// What `target`, the window a click at `point` goes to, is: the child
// control, or the top-level window.
std::string Monkey::Describe(POINT point, HWND target) const
{
    const HWND top = target != nullptr ? ::GetAncestor(target, GA_ROOT) : nullptr;
    std::string where = "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
    if (top == nullptr)
        return where + " on nothing";
    std::string name = top == Main() ? "main window" : ClassOf(top);
    if (VelquorSession::IsAboutBox(top))
        name = "About box";
    if (target != top) {
        const int id = static_cast<short>(::GetDlgCtrlID(target));
        std::string text = ClassOf(target) == "Static" || ClassOf(target) == "Button" ? support::TextOf(target) : "";
        return where + " on " + name + " " + ClassOf(target) + " " + std::to_string(id) +
               (text.empty() ? "" : " " + Quoted(text, 24));
    }
    return where + " on " + name;
}

// --- Acting ------------------------------------------------------------------

Action Monkey::DrawAction(const Scene& scene)
{
    if (scene.iconic) {
        Action restore;
        restore.kind = Action::Restore;
        return restore;
    }
    // With the main window wrongly enabled under an open About box, the
    // user can work in either.
    if (!scene.aboutBoxes.empty() && (!scene.mainEnabled || m_random.OneIn(2)))
        return DrawForAbout(scene);
    if (scene.dropDown != nullptr)
        return DrawForDropDown(scene);
    if (scene.menu != nullptr || scene.modalLoop)
        return DrawForMenu(scene);
    for (int draw = 0;; ++draw) {
        Action action = DrawForMain();
        if (draw < 50 && WouldClose(action) && !m_random.OneIn(kCloseOneIn))
            continue;
        return action;
    }
}

Action Monkey::DrawKey()
{
    static const std::vector<WORD> kKeys = {
        VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_F1,
    };
    static const std::string kCharacters = "abcdefghijklmnopqrstuvwxyz0123456789.-+e ";
    Action action;
    if (m_random.OneIn(2)) {
        action.kind = Action::Key;
        action.key = m_random.Pick(kKeys);
    } else {
        action.kind = Action::Text;
        action.text = std::string(1, kCharacters[m_random.Below(static_cast<unsigned>(kCharacters.size()))]);
    }
    return action;
}

Action Monkey::DrawClickIn(HWND window, unsigned childPercent)
{
    Action action;
    action.kind = Action::Click;
    // A dialog's controls stay for as long as it is open: they are listed
    // once, not on every click (each query of another process's window is
    // a round trip to the Wine server).
    if (window != m_childrenOf) {
        m_children = VisibleChildren(window);
        m_childrenOf = window;
    }
    const std::vector<HWND>& children = m_children;
    if (!children.empty() && m_random.Below(100) < childPercent)
        action.point = m_random.PointIn(RectOf(m_random.Pick(children)));
    else
        action.point = m_random.PointIn(RectOf(window));
    return action;
}

std::string Monkey::DrawText()
{
    static const std::vector<std::string> kSpecial = {
        "inf", "nan", "-inf", "1e999", "1e-999", "-0", "0.0", "00012", "5e-324", "1.7976931348623157e308",
        "146.52", "100", "10", "0", "-", ".", "e", "+", "1e", "1.2.3",
    };
    const std::string& garbage = m_garbage;
    auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + m_random.Below(10));
        return text;
    };
    switch (m_random.Choose({45, 15, 30, 10})) {
    case 0:  // a number, in one of the ways people write them
        switch (m_random.Below(7)) {
        case 0: return digits(m_random.Between(1, 6));
        case 1: return digits(m_random.Between(1, 4)) + "." + digits(m_random.Between(1, 6));
        case 2: return "." + digits(m_random.Between(1, 3));
        case 3: return "-" + digits(m_random.Between(1, 4));
        case 4: return digits(m_random.Between(1, 2)) + (m_random.OneIn(2) ? "e" : "E") +
                       (m_random.OneIn(2) ? "-" : "") + digits(m_random.Between(1, 3));
        case 5: return "+" + digits(m_random.Between(1, 3));
        default: return digits(m_random.Between(15, 40));
        }
    case 1:
        return m_random.Pick(kSpecial);
    case 2: {  // garbage
        std::string text;
        const int length = m_random.Between(1, 12);
        for (int i = 0; i < length; ++i)
            text += garbage[m_random.Below(static_cast<unsigned>(garbage.size()))];
        return text;
    }
    default: {  // long text
        std::string text;
        const int length = m_random.Between(40, 250);
        const bool number = m_random.OneIn(2);
        for (int i = 0; i < length; ++i)
            text += number ? static_cast<char>('0' + m_random.Below(10))
                           : garbage[m_random.Below(static_cast<unsigned>(garbage.size()))];
        return text;
    }
    }
}

Action Monkey::DrawForMain()
{
    Action action;
    switch (m_random.Choose({34, 22, 3, 12, 10, 5, 6, 2, 2, 5})) {
    case 0:
        return DrawClickIn(Main(), 60);
    case 1:
        return DrawKey();
    case 2:
        action.key = static_cast<WORD>('A' + m_random.Below(26));
        action.modifiers = {VK_MENU};
        return action;
    case 3:
        action.kind = Action::Text;
        action.text = DrawText();
        return action;
    case 4:
        action.key = VK_TAB;
        return action;
    case 5:
        action.key = VK_TAB;
        action.modifiers = {VK_SHIFT};
        return action;
    case 6:
        action.key = VK_RETURN;
        return action;
    case 7:
        action.key = VK_ESCAPE;
        return action;
    case 8:
        action.kind = Action::PostAbout;
        return action;
    default:
        action.kind = Action::Uncover;
        return action;
    }
}

Action Monkey::DrawForAbout(const Scene& scene)
{
    const HWND about = scene.aboutBoxes.back();
    Action action;
    switch (m_random.Choose({55, 15, 5, 12, 5, 5, 3})) {
    case 0:
        return DrawClickIn(about, 100);
    case 1:
        return DrawClickIn(about, 0);
    case 2:
        return DrawClickIn(Main(), 50);
    case 3:
        if (m_random.OneIn(4)) {
            action.key = VK_TAB;
            return action;
        }
        return DrawKey();
    case 4:
        action.key = VK_RETURN;
        return action;
    case 5:
        action.key = VK_ESCAPE;
        return action;
    default:
        action.kind = Action::Text;
        action.text = DrawText();
        return action;
    }
}

Action Monkey::DrawForDropDown(const Scene& scene)
{
    static const std::vector<WORD> kKeys = {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_RETURN, VK_ESCAPE, VK_TAB, '1', 'A'};
    Action action;
    switch (m_random.Choose({40, 30, 30})) {
    case 0:
        return DrawClickIn(scene.dropDown, 0);
    case 1:
        action.key = m_random.Pick(kKeys);
        return action;
    default:
        return DrawClickIn(Main(), 60);
    }
}

Action Monkey::DrawForMenu(const Scene& scene)
{
    static const std::vector<WORD> kKeys = {
        VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, VK_ESCAPE, 'A', 'C', 'M', 'N', 'R', 'S', 'X',
    };
    Action action;
    switch (m_random.Choose({50, scene.menu != nullptr ? 30u : 0u, 20})) {
    case 0:
        action.key = m_random.Pick(kKeys);
        return action;
    case 1:
        return DrawClickIn(scene.menu, 0);
    default:
        return DrawClickIn(Main(), 60);
    }
}

// Whether the action, in the main window with nothing open over it, would
// end the program.
bool Monkey::WouldClose(const Action& action) const
{
    const HWND focus = m_session->Focus();
    const bool onExit = focus != nullptr && ::GetDlgCtrlID(focus) == IDOK;
    switch (action.kind) {
    case Action::Key:
        if (!action.modifiers.empty())
            return false;
        if (action.key == VK_ESCAPE)
            return true;
        if (action.key == VK_RETURN) {
            // Enter clicks the focused button only when that button has
            // become the default one; otherwise it clicks the default, Exit.
            const bool defaultButton = focus != nullptr && ClassOf(focus) == "Button" &&
                                       (::GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            return onExit || !defaultButton;
        }
        return false;
    case Action::Text:
        return onExit && action.text.find(' ') != std::string::npos;
    case Action::Click: {
        if (Inside(RectOf(m_session->Item(IDOK)), action.point))
            return true;
        DWORD_PTR hit = HTNOWHERE;
        ::SendMessageTimeoutA(Main(), WM_NCHITTEST, 0, MAKELPARAM(action.point.x, action.point.y), SMTO_NORMAL,
                              kAnswerTimeoutMs, &hit);
        return hit == HTCLOSE;
    }
    default:
        return false;
    }
}

void Monkey::ClickAt(POINT point)
{
    point.x = std::clamp<LONG>(point.x, 0, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    point.y = std::clamp<LONG>(point.y, 0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ::SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

std::string KeyName(WORD key)
{
    switch (key) {
    case VK_BACK: return "Backspace";
    case VK_DELETE: return "Delete";
    case VK_LEFT: return "Left";
    case VK_RIGHT: return "Right";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    case VK_HOME: return "Home";
    case VK_END: return "End";
    case VK_F1: return "F1";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Escape";
    case VK_SPACE: return "Space";
    default: return std::string(1, static_cast<char>(key));
    }
}

std::string Monkey::Perform(const Action& action, const Scene& scene)
{
    switch (action.kind) {
    case Action::Click: {
        if (scene.menu == nullptr)
            m_session->BringToFront();
        // One look at what lies under the point, once the windows are in
        // the order the click meets them, gives both the log line and the
        // count: only a click that really lands on the address or the
        // portrait (not on a window in front of them) may open the link,
        // and the box it lands in counts whether or not the scene, taken
        // before, had seen it open.
        const HWND target = ClickTarget(action.point);
        const std::string what = "click " + Describe(action.point, target);
        const HWND top = target != nullptr ? ::GetAncestor(target, GA_ROOT) : nullptr;
        if (top != nullptr && top != target && VelquorSession::IsAboutBox(top)) {
            const int id = ::GetDlgCtrlID(target);
            if (id == IDC_MAIL_ADDRESS || id == IDC_PORTRAIT) {
                ++m_linkClicks;
                m_mailLink = "mailto:" + VelquorSession::ChildText(top, IDC_MAIL_ADDRESS);
            }
        }
        ClickAt(action.point);
        return what;
    }
    case Action::Key: {
        std::string what = "key ";
        for (WORD modifier : action.modifiers)
            what += modifier == VK_MENU ? "Alt+" : modifier == VK_SHIFT ? "Shift+" : "Ctrl+";
        what += KeyName(action.key);
        if (action.modifiers.empty())
            m_session->Press(action.key);
        else if (action.modifiers.size() == 1)
            m_session->Press(action.key, {action.modifiers[0]});
        return what;
    }
    case Action::Text:
        m_session->Type(action.text);
        return "type " + Quoted(action.text);
    case Action::PostAbout:
        ::PostMessageA(Main(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        return "post WM_SYSCOMMAND 0x0010 (About)";
    case Action::Uncover:
        // What another window moving off this one would do: everything is
        // painted again, the frame and the controls too.
        ::RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return "uncover the main window (RedrawWindow)";
    case Action::Restore:
        ++m_restores;
        ::PostMessageA(Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
        return "restore the minimised window (post WM_SYSCOMMAND SC_RESTORE)";
    }
    return "nothing";
}

// --- Checking after each event -----------------------------------------------

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
            const Scene scene = Look();
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
    std::string lastEvents;
    for (std::size_t i = m_recent.size() > 3 ? m_recent.size() - 3 : 0; i < m_recent.size(); ++i)
        lastEvents += (lastEvents.empty() ? "" : "; ") + m_recent[i];
    EndRun("exit code " + Hex(*exitCode) + " (the last events: " + lastEvents + ")");
    return false;
}

void Monkey::WaitForInputTaken()
{
    m_session->WaitForInputTaken(kInputTakenTimeoutMs);
}

void Monkey::HandleBoxes()
{
    unsigned boxes = 0;
    bool cascadeReported = false;
    for (;;) {
        m_scene = Look();
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
            if (!VelquorSession::WaitForGone(about, kGoneTimeoutMs)) {
                Fault("box stays", "the About box did not close on a posted IDOK");
                KillProgram("the About box would not close after event #" + std::to_string(m_event));
                return;
            }
            if (!Answers())
                return;
            WaitForInputTaken();
            if (!Answers())
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
        if (!VelquorSession::WaitForGone(box, kGoneTimeoutMs)) {
            Fault("box stays", "the message box " + Quoted(text, 60) + " did not close on " +
                  (pressEnter ? "Enter" : "a posted IDOK"));
            KillProgram("a message box would not close after event #" + std::to_string(m_event));
            return;
        }
        if (!Answers())
            return;
        WaitForInputTaken();
        if (!Answers())
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

void Monkey::AfterEvent()
{
    if (!Answers())
        return;
    WaitForInputTaken();
    if (!Answers())
        return;
    HandleBoxes();
    if (!m_session)
        return;
    CheckCrashDialogs(m_scene);
    if (!m_session)
        return;
    for (const std::string& line : NewMailLines()) {
        ++m_linksOpened;
        Trace("   mail link opened: " + Quoted(line, 80));
        if (line != m_mailLink)
            Fault("mail link", "the mail link opened was " + Quoted(line, 80) + ", not " + Quoted(m_mailLink));
    }
}

void Monkey::Fault(const std::string& kind, const std::string& what)
{
    const std::string where = m_event == 0 ? "before the first event" : "at event #" + std::to_string(m_event);
    FaultKind& faults = m_faults[kind];
    ++faults.count;
    ++m_faultCount;
    Trace("FAULT (" + kind + ") " + where + ": " + what);
    if (faults.count > kFaultsShownPerKind)
        return;
    faults.first.push_back(where + ": " + what);
    std::string report = kind + ", " + where + ": " + what;
    if (!m_recent.empty()) {
        report += "\n  the last events:";
        for (const std::string& line : m_recent)
            report += "\n    " + line;
    }
    if (m_session) {
        const std::string picture = m_session->SaveScreenshot("monkey-seed-" + std::to_string(m_options.seed) +
                                                              "-event-" + std::to_string(m_event));
        if (!picture.empty())
            report += "\n  screenshot: " + picture;
    }
    ADD_FAILURE() << report;
    std::fflush(stdout);
}

void Monkey::Trace(const std::string& line)
{
    if (m_trace) {
        std::fprintf(m_trace, "%s\n", line.c_str());
        std::fflush(m_trace);
    }
}

// --- The run -----------------------------------------------------------------

void Monkey::Run()
{
    // Two monkeys in one Wine prefix (two test runs in one build tree) would
    // click into each other's windows: the second waits for the first.
    const HANDLE oneAtATime = ::CreateMutexA(nullptr, FALSE, "VelquorMonkeyOneAtATime");
    DWORD turn = ::WaitForSingleObject(oneAtATime, 0);
    if (turn == WAIT_TIMEOUT) {
        std::printf("another monkey is running in this Wine prefix; waiting for it to finish\n");
        std::fflush(stdout);
        turn = ::WaitForSingleObject(oneAtATime, kOtherMonkeyTimeoutMs);
    }
    if (turn != WAIT_OBJECT_0 && turn != WAIT_ABANDONED) {
        Fault("set-up", "another monkey kept running in this Wine prefix for " +
                            std::to_string(kOtherMonkeyTimeoutMs / 1000) + " s");
        ::CloseHandle(oneAtATime);
        return;
    }
    RunAlone();
    ::ReleaseMutex(oneAtATime);
    ::CloseHandle(oneAtATime);
}

void Monkey::RunAlone()
{
    m_startTicks = ::GetTickCount();
    m_artifacts = WindowsPath(VELQUOR_MONKEY_ARTIFACTS);
    ::CreateDirectoryA(m_artifacts.c_str(), nullptr);
    const std::string tracePath = m_artifacts + "\\monkey-seed-" + std::to_string(m_options.seed) + ".log";
    m_trace = std::fopen(tracePath.c_str(), "w");
    std::printf("monkey: seed %lu, %u events\n", static_cast<unsigned long>(m_options.seed), m_options.events);
    std::printf("event log: %s\n", tracePath.c_str());

    std::string dropped;
    m_garbage = TypableGarbage(dropped);
    if (!dropped.empty())
        std::printf("garbage text: no key types %s here; typing the rest\n", Quoted(dropped).c_str());

    const bool mailReady = PrepareMailHandler();
    std::fflush(stdout);
    if (!mailReady) {
        // Clicks on the address would start whatever else opens mail here.
        m_endTicks = ::GetTickCount();
        return;
    }

    for (m_event = 1; m_event <= m_options.events && m_faultCount < kMaxFaults; ++m_event) {
        if (!m_session) {
            const DWORD start = ::GetTickCount();
            if (!StartProgram())
                break;
            Timing& timing = m_timings["(program start)"];
            ++timing.count;
            timing.ms += ::GetTickCount() - start;
        }
        ++m_eventInRun;
        const DWORD start = ::GetTickCount();
        const Scene scene = Look();
        const Action action = DrawAction(scene);
        m_lastAction = Perform(action, scene);
        const std::string line = "#" + std::to_string(m_event) + " " + m_lastAction;
        m_recent.push_back(line);
        if (m_recent.size() > 12)
            m_recent.pop_front();
        Trace(line);
        AfterEvent();
        Timing& timing = m_timings[m_lastAction.substr(0, m_lastAction.find(' '))];
        ++timing.count;
        timing.ms += ::GetTickCount() - start;
    }
    if (m_event > m_options.events)
        m_event = m_options.events;

    if (m_session)
        EndRun("still running after the last event; ended by the monkey");

    // Handlers started by the last clicks may still be on their way.
    {
        support::WaitUntil([&] {
            for (const std::string& line : NewMailLines()) {
                ++m_linksOpened;
                if (line != m_mailLink)
                    Fault("mail link", "the mail link opened was " + Quoted(line, 80) + ", not " + Quoted(m_mailLink));
            }
            return m_linksOpened >= m_linkClicks;
        }, 3000);
        if (m_linksOpened > m_linkClicks)
            Fault("mail link", "the mail link was opened " + std::to_string(m_linksOpened) + " times, but only " +
                  std::to_string(m_linkClicks) + " clicks went to the address or the portrait");
        if (m_linkClicks > 0 && m_linksOpened == 0)
            Fault("mail link", std::to_string(m_linkClicks) + " clicks on the address or the portrait opened no mail link");
    }
    if (!m_mailLog.empty())
        ::DeleteFileA(m_mailLog.c_str());
    m_endTicks = ::GetTickCount();
    if (m_trace)
        std::fclose(m_trace);
    m_trace = nullptr;
}

void Monkey::PrintSummary() const
{
    unsigned events = 0;
    for (const ProgramRun& run : m_runs)
        events += run.events;
    const double seconds = (m_endTicks - m_startTicks) / 1000.0;
    std::printf("\n== monkey summary\n");
    std::printf("seed: %lu\n", static_cast<unsigned long>(m_options.seed));
    std::printf("events: %u of %u planned, in %.1f s (%.0f ms per event)\n", events, m_options.events, seconds,
                events ? 1000.0 * seconds / events : 0.0);
    std::printf("time by action (including what follows each: syncs, closing boxes, restarts):");
    for (const auto& [kind, timing] : m_timings)
        std::printf(" %s %u x %.0f ms;", kind.c_str(), timing.count, timing.count ? double(timing.ms) / timing.count : 0.0);
    std::printf("\n");
    std::printf("program runs: %zu, restarts: %zu\n", m_runs.size(), m_runs.empty() ? 0 : m_runs.size() - 1);
    for (const ProgramRun& run : m_runs)
        std::printf("  run %u: events #%u-#%u (%u), %u message boxes, %u About boxes; ended: %s\n", run.number,
                    run.firstEvent, run.firstEvent + (run.events ? run.events - 1 : 0), run.events,
                    run.messageBoxes, run.aboutBoxes, run.ending.c_str());
    std::printf("message boxes seen: %u\n", m_boxesSeen);
    for (const auto& [text, count] : m_boxTexts)
        std::printf("  %u x %s\n", count, Quoted(text, 80).c_str());
    std::printf("About boxes opened: %u; mail link opened %u times for %u clicks on the address or the portrait\n",
                m_aboutBoxes, m_linksOpened, m_linkClicks);
    if (m_restores > 0)
        std::printf("minimised window restored: %u times\n", m_restores);
    std::printf("faults: %u\n", m_faultCount);
    for (const auto& [kind, faults] : m_faults) {
        std::printf("  %s: %u\n", kind.c_str(), faults.count);
        for (const std::string& fault : faults.first)
            std::printf("    %s\n", fault.c_str());
    }
    std::printf("monkey: %s\n", m_faultCount == 0 ? "PASSED" : "FAILED");
    std::fflush(stdout);
}

TEST(Monkey, RandomInputNeverBreaksTheProgram)
{
    Monkey monkey(g_options);
    monkey.Run();
    monkey.PrintSummary();
    EXPECT_EQ(monkey.FaultCount(), 0u) << "faults, listed above";
}

// A decimal number of at most 32 bits.
bool ParseNumber(const char* text, unsigned long& value)
{
    if (text == nullptr || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed > 0xFFFFFFFFull)
        return false;
    value = static_cast<unsigned long>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const char* events = argc > 1 ? argv[1] : std::getenv("VELQUOR_MONKEY_EVENTS");
    const char* seed = argc > 2 ? argv[2] : std::getenv("VELQUOR_MONKEY_SEED");
    unsigned long value = 0;
    if (events != nullptr) {
        if (!ParseNumber(events, value) || value == 0) {
            std::fprintf(stderr, "usage: monkey_tests [EVENTS [SEED]]; bad event count \"%s\"\n", events);
            return 2;
        }
        g_options.events = static_cast<unsigned>(value);
    }
    if (seed != nullptr) {
        if (!ParseNumber(seed, value)) {
            std::fprintf(stderr, "usage: monkey_tests [EVENTS [SEED]]; bad seed \"%s\"\n", seed);
            return 2;
        }
        g_options.seed = static_cast<std::uint32_t>(value);
    }
    return RUN_ALL_TESTS();
}
