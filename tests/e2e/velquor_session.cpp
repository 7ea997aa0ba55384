#include "velquor_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "identifiers.h"
#include "narrow.h"
#include "paths.h"
#include "picture.h"
#include "resource_reader.h"
#include "text_fit.h"

namespace {

constexpr DWORD kStartTimeoutMs = 20000;  // a cold Wine start can be slow

using support::ClassOf;
using support::ProcessOf;
using support::TextOf;
using support::TopLevelWindows;
using support::WaitUntil;

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

// Whether `process` has a dialog box other than `main` that it has made
// but not shown (yet, or any more).
bool HasHiddenDialog(DWORD process, HWND main)
{
    const std::vector<HWND> windows = support::AllTopLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [&](HWND window) {
        return window != main && !::IsWindowVisible(window) && ProcessOf(window) == process &&
               ClassOf(window) == "#32770";
    });
}

GUITHREADINFO ThreadInfo(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (thread == 0 || !::GetGUIThreadInfo(thread, &info))
        std::memset(&info, 0, sizeof info);
    return info;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (key) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return input;
}

void SendInputs(std::vector<INPUT>& inputs)
{
    if (!inputs.empty())
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseButton(bool up)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    return input;
}

}  // namespace

std::string VelquorSession::ProgramPath()
{
    if (const char* fromEnvironment = std::getenv("VELQUOR_EXE"))
        return support::WindowsPath(fromEnvironment);
    return support::WindowsPath(VELQUOR_EXE_PATH);
}

::testing::AssertionResult VelquorSession::Start()
{
    if (!m_program.Start(ProgramPath(), "VelQUOR", kStartTimeoutMs))
        return ::testing::AssertionFailure() << m_program.Error();
    // The dialog manager puts the focus on the first tab stop once
    // WM_INITDIALOG has returned; wait for the window to be that far.
    WaitUntil([&] { return Focus() != nullptr; });
    return ::testing::AssertionSuccess();
}

std::optional<LRESULT> VelquorSession::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(Item(id), message, wParam, lParam, SMTO_ABORTIFHUNG,
                               support::kAnswerTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

HWND VelquorSession::Focus() const
{
    return ThreadInfo(Main()).hwndFocus;
}

int VelquorSession::FocusId() const
{
    const HWND focus = Focus();
    return focus ? ::GetDlgCtrlID(focus) : 0;
}

std::pair<int, int> VelquorSession::Selection(int id) const
{
    const auto packed = Send(id, EM_GETSEL);
    if (!packed)
        return {-1, -1};
    return {LOWORD(*packed), HIWORD(*packed)};
}

std::vector<std::string> VelquorSession::ListEntries(int id) const
{
    std::vector<std::string> entries;
    const auto count = Send(id, CB_GETCOUNT);
    for (LRESULT index = 0; count && index < *count; ++index) {
        const auto length = Send(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (!length || *length < 0) {
            entries.push_back("<unreadable>");
            continue;
        }
        // Wine hands an entry across processes in UTF-16 even to the ANSI
        // message, so ask for UTF-16 and narrow it (the entries are ASCII).
        std::wstring wide(static_cast<std::size_t>(*length) + 1, L'\0');
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                              support::kAnswerTimeoutMs, &ignored);
        entries.push_back(support::Narrow(wide.c_str()));
    }
    return entries;
}

std::vector<HWND> VelquorSession::OtherWindows(const char* className) const
{
    std::vector<HWND> others;
    for (HWND window : TopLevelWindows(ProcessId(), className, nullptr))
        if (window != Main())
            others.push_back(window);
    return others;
}

bool VelquorSession::ShowsText(HWND window, const std::string& text)
{
    std::vector<HWND> children;
    ::EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
        if (TextOf(child) == text)
            return true;
    return false;
}

std::string VelquorSession::ChildText(HWND window, int id)
{
    return TextOf(::GetDlgItem(window, id));
}

std::vector<std::string> VelquorSession::TextsCutOff(HWND dialog)
{
    // The dialog's font as its template names it, in the program's own
    // resources, at this display's DPI.
    const HMODULE program = ::LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr)
        return {"cannot read the resources of " + ProgramPath()};
    const resource_reader::DialogTemplate source = resource_reader::ParseDialogTemplate(
        resource_reader::Find(program, 5 /* RT_DIALOG */, IsAboutBox(dialog) ? IDD_ABOUTBOX : IDD_CALCULATOR));
    ::FreeLibrary(program);

    HDC screen = ::GetDC(nullptr);
    LOGFONTA description{};
    description.lfHeight = -::MulDiv(source.pointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    description.lfCharSet = DEFAULT_CHARSET;
    source.typeface.copy(description.lfFaceName, sizeof description.lfFaceName - 1);
    const HFONT font = ::CreateFontIndirectA(&description);
    std::vector<std::string> cutOff = support::TextsCutOff(dialog, font);
    ::DeleteObject(font);
    return cutOff;
}

std::vector<HWND> VelquorSession::DialogsShowing(const std::string& text) const
{
    std::vector<HWND> showing;
    for (HWND dialog : OtherDialogs())
        if (ShowsText(dialog, text))
            showing.push_back(dialog);
    return showing;
}

::testing::AssertionResult VelquorSession::Shows(int id, const std::string& expected,
                                                 DWORD timeoutMs) const
{
    std::string shown;
    if (WaitUntil([&] { shown = Text(id); return shown == expected; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "control " << id << " shows \"" << shown << "\", expected \"" << expected << "\"";
}

::testing::AssertionResult VelquorSession::FocusReaches(int id, DWORD timeoutMs) const
{
    int focus = 0;
    if (WaitUntil([&] { focus = FocusId(); return focus == id; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the focus is on control " << focus << ", expected control " << id;
}

HWND VelquorSession::WaitForDialogShowing(const std::string& text, DWORD timeoutMs) const
{
    HWND dialog = nullptr;
    WaitUntil([&] {
        const auto showing = DialogsShowing(text);
        dialog = showing.empty() ? nullptr : showing.front();
        return dialog != nullptr;
    }, timeoutMs);
    return dialog;
}

bool VelquorSession::IsAboutBox(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_MAIL_ADDRESS) != nullptr;
}

HWND VelquorSession::WaitForAboutBox(DWORD timeoutMs) const
{
    HWND about = nullptr;
    WaitUntil([&] {
        for (HWND dialog : OtherDialogs())
            if (::IsWindowVisible(dialog) && IsAboutBox(dialog))
                about = dialog;
        return about != nullptr;
    }, timeoutMs);
    return about;
}

bool VelquorSession::WaitForGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

void VelquorSession::Sync() const
{
    support::Answers(Main());
}

bool VelquorSession::WaitForInputTaken(DWORD timeoutMs) const
{
    const HWND mark = Item(IDC_BANNER);
    if (mark == nullptr || !::IsWindowVisible(Main()) || ::IsIconic(Main()))
        return false;
    ::RedrawWindow(mark, nullptr, nullptr, RDW_INVALIDATE);
    const DWORD start = ::GetTickCount();
    WaitUntil([&] { return !::GetUpdateRect(mark, nullptr, FALSE); }, timeoutMs);
    // A box opened by that input shows its window only once its own loop
    // first finds nothing to do, which can come after the paint: until
    // then a click where it is about to appear would be taken as one on
    // the window below. (A box being closed is hidden until it is gone.)
    const DWORD waited = ::GetTickCount() - start;
    WaitUntil([&] { return !HasHiddenDialog(ProcessId(), Main()); }, waited < timeoutMs ? timeoutMs - waited : 0);
    return true;
}

void VelquorSession::Settle() const
{
    Sync();
    if (!WaitForInputTaken())
        ::Sleep(300);  // nothing to paint: a pause for input still queued
    Sync();
}

void VelquorSession::BringToFront() const
{
    const HWND foreground = ::GetForegroundWindow();
    if (foreground != nullptr && ProcessOf(foreground) == ProcessId())
        return;
    // While a modal box runs, the main window is disabled: the box is the
    // one to activate.
    HWND target = Main();
    for (HWND dialog : OtherDialogs())
        if (::IsWindowEnabled(dialog))
            target = dialog;
    ::SetForegroundWindow(target);
    WaitUntil([&] { return ::GetForegroundWindow() == target; }, 1000);
}

void VelquorSession::Press(WORD key, std::initializer_list<WORD> modifiers) const
{
    BringToFront();
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = modifiers.end(); it != modifiers.begin();)
        inputs.push_back(KeyInput(*--it, true));
    SendInputs(inputs);
}

void VelquorSession::Type(const std::string& text) const
{
    BringToFront();
    std::vector<INPUT> inputs;
    for (char c : text) {
        const SHORT scan = ::VkKeyScanA(c);
        if (scan == -1) {
            ADD_FAILURE() << "no key of the keyboard layout types '" << c << "'";
            continue;
        }
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, false));
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    SendInputs(inputs);
}

HWND VelquorSession::Item(int id) const
{
    if (m_itemsOf != Main()) {
        m_items.clear();
        m_itemsOf = Main();
    }
    HWND& item = m_items[id];
    if (item == nullptr)
        item = ::GetDlgItem(Main(), id);
    return item;
}

void VelquorSession::ClickAt(POINT screen) const
{
    BringToFront();
    ::SetCursorPos(screen.x, screen.y);
    POINT at{};
    if (!WaitUntil([&] { return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y; }, 1000)) {
        ADD_FAILURE() << "the mouse is at (" << at.x << ", " << at.y << "), not at (" << screen.x
                      << ", " << screen.y << ") where the click should go";
    }

    // The press is taken when the control under the mouse captures it; the
    // release when that capture ends. For a control that does not capture
    // the mouse (a static), the program's paint tells when it has both.
    const HWND before = ThreadInfo(Main()).hwndCapture;
    std::vector<INPUT> press{MouseButton(false)};
    SendInputs(press);
    HWND captured = nullptr;
    const auto capturedByPress = [&] {
        captured = ThreadInfo(Main()).hwndCapture;
        return captured != nullptr && captured != before;
    };
    // The capture comes with the press, or the press was taken without
    // one (the program paints again): whichever is first.
    const HWND mark = Item(IDC_BANNER);
    const bool canPaint = mark != nullptr && ::IsWindowVisible(Main()) && !::IsIconic(Main());
    if (canPaint)
        ::RedrawWindow(mark, nullptr, nullptr, RDW_INVALIDATE);
    WaitUntil([&] { return capturedByPress() || (canPaint && !::GetUpdateRect(mark, nullptr, FALSE)); }, 1000);
    const bool pressed = capturedByPress();

    std::vector<INPUT> release{MouseButton(true)};
    SendInputs(release);
    if (pressed)
        WaitUntil([&] { return ThreadInfo(Main()).hwndCapture != captured; }, 2000);
    else if (!WaitForInputTaken())
        ::Sleep(200);
    // The click's handler runs inside the release; once it is done the
    // program answers this.
    Sync();
}

void VelquorSession::Click(HWND window) const
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

::testing::AssertionResult VelquorSession::ClickAndReplaceText(int id, const std::string& text) const
{
    ClickItem(id);
    if (auto reached = FocusReaches(id); !reached)
        return reached;
    Press(VK_HOME);
    Press(VK_END, {VK_SHIFT});
    Type(text);
    return Shows(id, text);
}

::testing::AssertionResult VelquorSession::ChooseWithMouse(int id, int index) const
{
    ClickItem(id);
    HWND list = nullptr;
    if (!WaitUntil([&] {
            const auto lists = OtherWindows("ComboLBox");
            list = lists.empty() ? nullptr : lists.front();
            return list != nullptr;
        }))
        return ::testing::AssertionFailure() << "clicking list " << id << " dropped nothing down";

    const auto height = Send(id, CB_GETITEMHEIGHT, 0);
    const auto top = Send(id, CB_GETTOPINDEX);
    if (!height || !top || *height <= 0)
        return ::testing::AssertionFailure() << "list " << id << " does not say where its entries are";
    RECT client{};
    ::GetClientRect(list, &client);
    POINT entry{client.right / 2, static_cast<LONG>((index - *top) * *height + *height / 2)};
    ::ClientToScreen(list, &entry);
    ClickAt(entry);

    LRESULT chosen = CB_ERR;
    if (!WaitUntil([&] {
            chosen = Send(id, CB_GETCURSEL).value_or(CB_ERR);
            return chosen == index && !::IsWindowVisible(list);
        }))
        return ::testing::AssertionFailure()
               << "list " << id << " has entry " << chosen << " chosen"
               << (::IsWindowVisible(list) ? " and is still open" : "") << ", expected entry " << index;
    return ::testing::AssertionSuccess();
}

std::string VelquorSession::SaveScreenshot(const std::string& name) const
{
    if (Main() == nullptr || !::IsWindow(Main()))
        return {};
    RECT area{};
    ::GetWindowRect(Main(), &area);
    for (HWND window : TopLevelWindows(ProcessId()))
        if (RECT rect{}; ::GetWindowRect(window, &rect))
            ::UnionRect(&area, &area, &rect);
    // Let the program finish painting what the last step changed.
    Sync();
    ::Sleep(150);
    const std::string folder = support::WindowsPath(VELQUOR_E2E_ARTIFACTS);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".bmp";
    return support::WriteBmp(path, support::CopyScreenArea(area)) ? path : std::string();
}

void VelquorTest::SetUp()
{
    ASSERT_TRUE(app.Start());
}

// A picture of the program's last state, kept only for a test that failed:
// passing runs write nothing.
void VelquorTest::KeepScreenshot()
{
    m_screenshotKept = true;
    if (!HasFailure())
        return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
        if (c == '/')
            c = '-';  // parameterised tests
    const std::string path = app.SaveScreenshot(name);
    if (!path.empty())
        std::printf("picture of the last state: %s\n", path.c_str());
}

void VelquorTest::TearDown()
{
    if (!m_screenshotKept && app.IsRunning())
        KeepScreenshot();
    app.Kill();
}
