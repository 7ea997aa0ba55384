// The monkey's actions, drawn at random for what the program shows at the
// time, and carried out through the platform's input queue.

#include <algorithm>
#include <map>
#include <utility>

#include "identifiers.h"
#include "monkey.h"

namespace monkey {

namespace {

// A closing action (Escape, Enter where it reaches Exit, a click on Exit or
// on the close button) is carried out only once in this many draws;
// otherwise another action is drawn. Runs then last some hundreds of events,
// and the program still ends and starts again several times in a couple of
// thousand events.
constexpr unsigned kCloseOneIn = 40;

void ClickAt(POINT point)
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
    static const std::map<WORD, const char*> kNames = {
        {VK_BACK, "Backspace"}, {VK_DELETE, "Delete"}, {VK_LEFT, "Left"}, {VK_RIGHT, "Right"},
        {VK_UP, "Up"}, {VK_DOWN, "Down"}, {VK_HOME, "Home"}, {VK_END, "End"}, {VK_F1, "F1"},
        {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Escape"}, {VK_SPACE, "Space"},
    };
    const auto found = kNames.find(key);
    return found != kNames.end() ? found->second : std::string(1, static_cast<char>(key));
}

Action KeyAction(WORD key, std::vector<WORD> modifiers = {})
{
    Action action;
    action.key = key;
    action.modifiers = std::move(modifiers);
    return action;
}

Action OfKind(Action::Kind kind, std::string text = {})
{
    Action action;
    action.kind = kind;
    action.text = std::move(text);
    return action;
}

}  // namespace

std::string TypableGarbage(std::string& dropped)
{
    static const char kCandidates[] = "abcdefghijklmnopqrstuvwxyzABCXYZ0123456789.-+eE ,;:!?@#$%&*()[]/_=";
    std::string typable;
    for (const char* c = kCandidates; *c; ++c)
        (::VkKeyScanA(*c) == -1 ? dropped : typable) += *c;
    return typable;
}

Action Monkey::DrawAction(const Scene& scene)
{
    if (scene.iconic)
        return OfKind(Action::Restore);
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
    if (m_random.OneIn(2))
        return KeyAction(m_random.Pick(kKeys));
    return OfKind(Action::Text, std::string(1, kCharacters[m_random.Below(static_cast<unsigned>(kCharacters.size()))]));
}

Action Monkey::DrawClickIn(HWND window, unsigned childPercent)
{
    Action action = OfKind(Action::Click);
    // A dialog's controls stay for as long as it is open: they are listed
    // once, not on every click (each query of another process's window is
    // a round trip to the Wine server).
    if (window != m_childrenOf) {
        m_children = support::ChildWindows(window, true);
        m_childrenOf = window;
    }
    if (!m_children.empty() && m_random.Below(100) < childPercent)
        action.point = m_random.PointIn(RectOf(m_random.Pick(m_children)));
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
            text += m_garbage[m_random.Below(static_cast<unsigned>(m_garbage.size()))];
        return text;
    }
    default: {  // long text
        std::string text;
        const int length = m_random.Between(40, 250);
        const bool number = m_random.OneIn(2);
        for (int i = 0; i < length; ++i)
            text += number ? static_cast<char>('0' + m_random.Below(10))
                           : m_garbage[m_random.Below(static_cast<unsigned>(m_garbage.size()))];
        return text;
    }
    }
}

Action Monkey::DrawForMain()
{
    switch (m_random.Choose({34, 22, 3, 12, 10, 5, 6, 2, 2, 5})) {
    case 0: return DrawClickIn(Main(), 60);
    case 1: return DrawKey();
    case 2: return KeyAction(static_cast<WORD>('A' + m_random.Below(26)), {VK_MENU});
    case 3: return OfKind(Action::Text, DrawText());
    case 4: return KeyAction(VK_TAB);
    case 5: return KeyAction(VK_TAB, {VK_SHIFT});
    case 6: return KeyAction(VK_RETURN);
    case 7: return KeyAction(VK_ESCAPE);
    case 8: return OfKind(Action::PostAbout);
    default: return OfKind(Action::Uncover);
    }
}

Action Monkey::DrawForAbout(const Scene& scene)
{
    const HWND about = scene.aboutBoxes.back();
    switch (m_random.Choose({55, 15, 5, 12, 5, 5, 3})) {
    case 0: return DrawClickIn(about, 100);
    case 1: return DrawClickIn(about, 0);
    case 2: return DrawClickIn(Main(), 50);
    case 3: return m_random.OneIn(4) ? KeyAction(VK_TAB) : DrawKey();
    case 4: return KeyAction(VK_RETURN);
    case 5: return KeyAction(VK_ESCAPE);
    default: return OfKind(Action::Text, DrawText());
    }
}

Action Monkey::DrawForDropDown(const Scene& scene)
{
    static const std::vector<WORD> kKeys = {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_RETURN, VK_ESCAPE, VK_TAB, '1', 'A'};
    switch (m_random.Choose({40, 30, 30})) {
    case 0: return DrawClickIn(scene.dropDown, 0);
    case 1: return KeyAction(m_random.Pick(kKeys));
    default: return DrawClickIn(Main(), 60);
    }
}

Action Monkey::DrawForMenu(const Scene& scene)
{
    static const std::vector<WORD> kKeys = {
        VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, VK_ESCAPE, 'A', 'C', 'M', 'N', 'R', 'S', 'X',
    };
    switch (m_random.Choose({50, scene.menu != nullptr ? 30u : 0u, 20})) {
    case 0: return KeyAction(m_random.Pick(kKeys));
    case 1: return DrawClickIn(scene.menu, 0);
    default: return DrawClickIn(Main(), 60);
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
            const bool defaultButton = focus != nullptr && support::ClassOf(focus) == "Button" &&
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
        ::SendMessageTimeoutA(Main(), WM_NCHITTEST, 0, MAKELPARAM(action.point.x, action.point.y),
                              SMTO_NORMAL, kAnswerTimeoutMs, &hit);
        return hit == HTCLOSE;
    }
    default:
        return false;
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
        const std::string what = "click " + Describe(action.point, target, Main());
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

}  // namespace monkey
