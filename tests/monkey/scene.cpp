// What the program under test shows, read from its windows.

#include <cctype>

#include "monkey.h"

namespace monkey {

namespace {

using support::ClassOf;

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

}  // namespace

Scene Look(const VelquorSession& session)
{
    Scene scene;
    const HWND main = session.Main();
    const DWORD program = session.ProcessId();
    const DWORD self = ::GetCurrentProcessId();
    // Every process's, for Wine's crash dialog too.
    for (HWND window : support::AllTopLevelWindows()) {
        const DWORD owner = support::ProcessOf(window);
        if (owner == self || !::IsWindowVisible(window))
            continue;
        if (owner == program) {
            const std::string kind = ClassOf(window);
            if (window == main)
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
    scene.iconic = ::IsIconic(main) != FALSE;
    scene.mainEnabled = ::IsWindowEnabled(main) != FALSE;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info))
        scene.modalLoop = (info.flags & GUI_INMOVESIZE) != 0;
    return scene;
}

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

std::string MessageText(HWND box)
{
    std::string text;
    for (HWND child : support::ChildWindows(box, true)) {
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

HWND ClickTarget(POINT point)
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

std::string Describe(POINT point, HWND target, HWND main)
{
    const HWND top = target != nullptr ? ::GetAncestor(target, GA_ROOT) : nullptr;
    std::string where = "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
    if (top == nullptr)
        return where + " on nothing";
    std::string name = top == main ? "main window" : ClassOf(top);
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

}  // namespace monkey
