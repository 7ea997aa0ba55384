#include "window_query.h"

#include "text_fit.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace support {

std::string TextOf(HWND window)
{
    if (window == nullptr)
        return "<no window>";
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied))
        return "<no answer>";
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

WORD ControlId(HWND control)
{
    return static_cast<WORD>(::GetWindowLongPtrA(control, GWLP_ID));
}

std::vector<HWND> ChildWindows(HWND parent, bool visibleOnly)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (!visibleOnly || ::IsWindowVisible(child))
            children.push_back(child);
    return children;
}

RECT WindowRectInParent(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) == 0)
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

namespace {

struct TopLevelSearch {
    DWORD process;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectAny(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    if (ProcessOf(window) != search->process || !::IsWindowVisible(window))
        return TRUE;
    if (search->className != nullptr && ClassOf(window) != search->className)
        return TRUE;
    // The caption as the window manager keeps it: no message to a program
    // that may still be busy creating the window.
    char caption[256] = "";
    if (search->caption != nullptr &&
        (::GetWindowTextA(window, caption, sizeof caption), std::strcmp(caption, search->caption) != 0))
        return TRUE;
    search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> AllTopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectAny, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> TopLevelWindows(DWORD process, const char* className, const char* caption)
{
    TopLevelSearch search{process, className, caption, {}};
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialog(DWORD process, HWND except)
{
    for (HWND window : TopLevelWindows(process, "#32770"))
        if (window != except)
            return window;
    return nullptr;
}

std::vector<int> ControlsInReadingOrder(HWND dialog)
{
    const auto takesInput = [](HWND control) {
        const std::string kind = ClassOf(control);
        if (kind == "Edit")
            return (::GetWindowLongA(control, GWL_STYLE) & ES_READONLY) == 0;
        return kind == "ComboBox" || IsButtonOfKind(control, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON});
    };
    std::vector<RECT> groups;
    for (HWND child : ChildWindows(dialog, true))
        if (IsButtonOfKind(child, {BS_GROUPBOX}))
            groups.push_back(WindowRectInParent(child));
    std::sort(groups.begin(), groups.end(),
              [](const RECT& a, const RECT& b) { return std::tie(a.top, a.left) < std::tie(b.top, b.left); });
    // Group (groups.size(): none), button or not, the two coordinates in
    // the order they are read, identifier.
    std::vector<std::tuple<std::size_t, bool, LONG, LONG, int>> places;
    for (HWND child : ChildWindows(dialog, true)) {
        if (!takesInput(child) || !::IsWindowEnabled(child))
            continue;
        const RECT rect = WindowRectInParent(child);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        std::size_t group = 0;
        while (group < groups.size() && !::PtInRect(&groups[group], centre))
            ++group;
        const bool button = ClassOf(child) == "Button";
        places.emplace_back(group, button, button ? rect.top : rect.left, button ? rect.left : rect.top,
                            ControlId(child));
    }
    std::sort(places.begin(), places.end());
    std::vector<int> ids;
    for (const auto& place : places)
        ids.push_back(std::get<4>(place));
    return ids;
}

bool Answers(HWND window, DWORD timeoutMs)
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

}  // namespace support
