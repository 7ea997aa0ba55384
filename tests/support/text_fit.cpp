#include "text_fit.h"

#include "window_query.h"

namespace support {

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
}

TEXTMETRICA MetricsOf(HFONT font)
{
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return metrics;
}

SIZE MeasureText(HFONT font, const std::string& text, int width, UINT format)
{
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    RECT needed{0, 0, width, 0};
    ::DrawTextA(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return {needed.right, needed.bottom};
}

std::string Describe(HWND control)
{
    std::string text = TextOf(control);
    if (text.size() > 40)
        text = text.substr(0, 40) + "...";
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return "control " + std::to_string(static_cast<short>(ControlId(control))) + " (" + ClassOf(control) +
           " \"" + text + "\")";
}

bool IsButtonOfKind(HWND control, std::initializer_list<LONG> kinds)
{
    if (ClassOf(control) != "Button")
        return false;
    const LONG kind = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    for (LONG wanted : kinds)
        if (kind == wanted)
            return true;
    return false;
}

namespace {

std::string SizeText(SIZE size)
{
    return std::to_string(size.cx) + " x " + std::to_string(size.cy);
}

bool IsTextStatic(HWND control)
{
    if (ClassOf(control) != "Static")
        return false;
    const LONG kind = ::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
}

}  // namespace

std::string StaticTextCutOff(HWND control, const std::string& text, HFONT font)
{
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (::GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    const SIZE client = ClientSize(control);
    const SIZE needed = MeasureText(font, text, client.cx, format);
    if (needed.cx <= client.cx && needed.cy <= client.cy)
        return {};
    return Describe(control) + " needs " + SizeText(needed) + " pixels for its text, has " + SizeText(client);
}

std::vector<std::string> TextsCutOff(HWND dialog, HFONT font)
{
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE);
    const int edgeY = ::GetSystemMetrics(SM_CYEDGE);
    std::vector<std::string> cutOff;
    for (HWND control : ChildWindows(dialog)) {
        const std::string text = TextOf(control);
        const SIZE client = ClientSize(control);
        const HFONT shownIn = font != nullptr ? font : FontOf(control);
        if (IsTextStatic(control)) {
            if (text.empty())
                continue;
            const std::string problem = StaticTextCutOff(control, text, shownIn);
            if (!problem.empty())
                cutOff.push_back(problem);
        } else if (IsButtonOfKind(control, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON})) {
            const SIZE needed = MeasureText(shownIn, text, 0, DT_SINGLELINE);
            const SIZE face{client.cx - 2 * edgeX, client.cy - 2 * edgeY};
            if (needed.cx > face.cx || needed.cy > face.cy)
                cutOff.push_back(Describe(control) + " needs " + SizeText(needed) + " pixels, its face is " +
                                 SizeText(face));
        } else if (IsButtonOfKind(control, {BS_GROUPBOX})) {
            const SIZE needed = MeasureText(shownIn, text, 0, DT_SINGLELINE);
            const LONG spare = 2 * MetricsOf(shownIn).tmAveCharWidth;
            if (needed.cx + spare > client.cx)
                cutOff.push_back(Describe(control) + " needs " + std::to_string(needed.cx + spare) +
                                 " pixels across, has " + std::to_string(client.cx));
        } else if (ClassOf(control) == "Edit") {
            const LONG line = MetricsOf(shownIn).tmHeight;
            if (line > client.cy)
                cutOff.push_back(Describe(control) + " shows lines " + std::to_string(line) + " pixels high in " +
                                 std::to_string(client.cy));
        }
    }
    return cutOff;
}

}  // namespace support
