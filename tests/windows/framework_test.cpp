// The framework's message tables and the pieces around them: the order in
// which entries are searched, what each kind of handler receives and
// returns, what reaches the dialog manager's default handling and what a
// dialog sees before the dialog manager does, the menu wrapper on a real
// menu, a control's text exchanged whole, and the procedures put in front
// of a control's own.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework.h"
#include "identifiers.h"
#include "modal_test_support.h"
#include "subclass.h"
#include "system_library.h"

namespace {

using namespace modal_test;

// ---------------------------------------------------------------------------
// Dispatch through a class's table and then its base's

constexpr UINT kFirstControl = 100;
constexpr UINT kLastControl = 199;
constexpr UINT kTakenControl = 150;   // the one control the range handler keeps
constexpr UINT kSharedControl = 120;  // has an entry in both tables
constexpr UINT kBaseControl = 130;    // has an entry only in the base's table
constexpr LRESULT kUntouched = -7;

class BaseTarget : public CCmdTarget {
public:
    std::vector<std::string> trace;

    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnCommand<&BaseTarget::OnSharedClicked>(kSharedControl, BN_CLICKED),
            OnCommand<&BaseTarget::OnBaseClicked>(kBaseControl, BN_CLICKED),
            OnMessage<&BaseTarget::OnTimer>(WM_TIMER),
            OnMessage<&BaseTarget::OnSize>(WM_SIZE),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&CCmdTarget::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnSharedClicked() { trace.push_back("base: shared clicked"); }
    void OnBaseClicked() { trace.push_back("base: base clicked"); }
    void OnTimer() { trace.push_back("base: timer"); }
    void OnSize() { trace.push_back("base: size"); }
};

class DerivedTarget : public BaseTarget {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnNotificationRange<&DerivedTarget::OnAnyDeclined>(kFirstControl, kLastControl),
            OnNotificationRange<&DerivedTarget::OnTaken>(kTakenControl, kTakenControl),
            OnCommand<&DerivedTarget::OnSharedClicked>(kSharedControl, BN_CLICKED),
            OnMessage<&DerivedTarget::OnTimer>(WM_TIMER),
            OnSysCommandMessage<&DerivedTarget::OnSysCommand>(),
            OnQueryDragIconMessage<&DerivedTarget::OnQueryDragIcon>(),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&BaseTarget::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static HCURSOR Icon() { return reinterpret_cast<HCURSOR>(0x1234); }

private:
    bool OnAnyDeclined(UINT id, UINT code)
    {
        trace.push_back("derived: declined " + std::to_string(id) + "/" + std::to_string(code));
        return false;
    }
    bool OnTaken(UINT id, UINT code)
    {
        trace.push_back("derived: took " + std::to_string(id) + "/" + std::to_string(code));
        return true;
    }
    void OnSharedClicked() { trace.push_back("derived: shared clicked"); }
    void OnTimer() { trace.push_back("derived: timer"); }
    void OnSysCommand(UINT id, LPARAM param)
    {
        trace.push_back("derived: system command " + std::to_string(id) + " " +
                        std::to_string(param));
    }
    HCURSOR OnQueryDragIcon()
    {
        trace.push_back("derived: drag icon");
        return Icon();
    }
};

TEST(MessageTables, OwnTableFirstThenTheBasesDecliningPassesOn)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool handled;
        LRESULT result;
        std::vector<std::string> trace;
    };
    const auto command = [](UINT id, UINT code) { return MAKEWPARAM(id, code); };
    const Case cases[] = {
        {"own entry hides the base's", WM_COMMAND, command(kSharedControl, BN_CLICKED), 0, true, 0,
         {"derived: declined 120/0", "derived: shared clicked"}},
        {"a later entry takes what the range declined", WM_COMMAND, command(kTakenControl, EN_CHANGE),
         0, true, 0, {"derived: declined 150/768", "derived: took 150/768"}},
        {"declined, then the base's table", WM_COMMAND, command(kBaseControl, BN_CLICKED), 0, true, 0,
         {"derived: declined 130/0", "base: base clicked"}},
        {"the code must match a plain command entry", WM_COMMAND, command(kSharedControl, EN_CHANGE),
         0, false, kUntouched, {"derived: declined 120/768"}},
        {"a control outside every entry", WM_COMMAND, command(kLastControl + 1, BN_CLICKED), 0, false,
         kUntouched, {}},
        {"own message entry hides the base's", WM_TIMER, 1, 0, true, 0, {"derived: timer"}},
        {"a message only the base handles", WM_SIZE, 0, 0, true, 0, {"base: size"}},
        {"system command with its arguments", WM_SYSCOMMAND, SC_MINIMIZE, 0x50007, true, 0,
         {"derived: system command 61472 327687"}},
        {"drag icon returns its result", WM_QUERYDRAGICON, 0, 0, true,
         reinterpret_cast<LRESULT>(DerivedTarget::Icon()), {"derived: drag icon"}},
        {"a message nobody handles", WM_PAINT, 0, 0, false, kUntouched, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        DerivedTarget target;
        LRESULT result = kUntouched;
        EXPECT_EQ(target.DispatchToTables(test.message, test.wParam, test.lParam, result), test.handled);
        EXPECT_EQ(result, test.result);
        EXPECT_EQ(target.trace, test.trace);
    }
}

// ---------------------------------------------------------------------------
// What reaches the dialog manager

// A dialog whose table takes the default-button query and the portrait's
// click, over the About box's template; the application's table takes the
// help command.
class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(IDD_ABOUTBOX) {}

    bool passDefIdOn = false;
    int defIdQueries = 0;
    int portraitClicks = 0;

    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnMessage<&ProbeDialog::OnGetDefId>(DM_GETDEFID),
            OnCommand<&ProbeDialog::OnPortrait>(IDC_PORTRAIT, STN_CLICKED),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&CDialog::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnGetDefId()
    {
        ++defIdQueries;
        if (passDefIdOn)
            Default();
    }
    void OnPortrait() { ++portraitClicks; }
};

class HelpApp : public CWinApp {
public:
    int helpCommands = 0;

    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnCommand<&HelpApp::OnHelpCommand>(ID_HELP, 0),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&CWinApp::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnHelpCommand() { ++helpCommands; }
};

// The dialog procedure's answer decides: TRUE, the message was handled;
// FALSE, the dialog manager's default handling runs.
TEST(DialogMessages, CommandsWithNoEntryGoToDefaultHandlingOrToTheApplication)
{
    HelpApp app;
    ProbeDialog dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            const auto procedure = reinterpret_cast<DLGPROC>(::GetWindowLongPtrA(window, DWLP_DLGPROC));
            ASSERT_NE(procedure, nullptr);
            const auto control = [&](int id) {
                return reinterpret_cast<LPARAM>(::GetDlgItem(window, id));
            };
            EXPECT_EQ(procedure(window, WM_COMMAND, MAKEWPARAM(IDC_PORTRAIT, STN_CLICKED),
                                control(IDC_PORTRAIT)),
                      TRUE);
            EXPECT_EQ(dialog.portraitClicks, 1);
            EXPECT_EQ(procedure(window, WM_COMMAND, MAKEWPARAM(IDC_MAIL_ADDRESS, STN_CLICKED),
                                control(IDC_MAIL_ADDRESS)),
                      FALSE);
            EXPECT_EQ(procedure(window, WM_COMMAND, MAKEWPARAM(IDC_BANNER, STN_DBLCLK),
                                control(IDC_BANNER)),
                      FALSE);
            EXPECT_EQ(dialog.portraitClicks, 1);

            // A command from a menu or key (no control) that the dialog does
            // not take goes on to the application's table; a control's
            // notification never does.
            EXPECT_EQ(procedure(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0), TRUE);
            EXPECT_EQ(app.helpCommands, 1);
            EXPECT_EQ(procedure(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), control(IDC_BANNER)),
                      FALSE);
            EXPECT_EQ(app.helpCommands, 1);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// A handler that calls Default() hands its message to the dialog manager as
// if no entry had matched: here, the default-button query gets the dialog
// manager's answer (Close, identifier 1) rather than the handler's zero.
TEST(DialogMessages, DefaultInsideAHandlerLetsTheDialogManagerAnswer)
{
    ProbeDialog dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND window) {
            dialog.passDefIdOn = false;
            EXPECT_EQ(::SendMessageA(window, DM_GETDEFID, 0, 0), 0);
            dialog.passDefIdOn = true;
            EXPECT_EQ(::SendMessageA(window, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
            EXPECT_EQ(dialog.defIdQueries, 2);
            // Default() marks only the message it was called for.
            dialog.passDefIdOn = false;
            EXPECT_EQ(::SendMessageA(window, DM_GETDEFID, 0, 0), 0);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// The controls found when the dialog opened answer for the system, through
// the dialog's type or CWnd's; one destroyed since is gone, and one made
// since is the system's to find.
TEST(DialogMessages, ControlsFoundOnOpeningAnswerUntilTheyAreGone)
{
    ProbeDialog dialog;
    const CWnd& window = dialog;
    ModalScript script(dialog);
    script
        .Then([&](HWND hwnd) {
            for (const int id : {IDOK, IDC_BANNER, IDC_PORTRAIT, IDC_MAIL_ADDRESS}) {
                EXPECT_NE(window.GetDlgItem(id), nullptr) << id;
                EXPECT_EQ(window.GetDlgItem(id), ::GetDlgItem(hwnd, id)) << id;
            }
            ::DestroyWindow(::GetDlgItem(hwnd, IDC_PORTRAIT));
            EXPECT_EQ(window.GetDlgItem(IDC_PORTRAIT), nullptr);
            const HWND made = ::CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, hwnd,
                                                reinterpret_cast<HMENU>(IDC_PORTRAIT), nullptr, nullptr);
            EXPECT_EQ(window.GetDlgItem(IDC_PORTRAIT), made);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// A dialog that takes Escape pressed in any of its controls, before the
// dialog manager would cancel with it, and notes the control; WM_APP opens
// a second one over it.
class KeyTakingDialog : public CDialog {
public:
    explicit KeyTakingDialog(CWnd* parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

    bool taking = true;
    std::vector<int> taken;
    KeyTakingDialog* inner = nullptr;
    INT_PTR innerResult = 0;

    bool PreTranslateMessage(const MSG& message) override
    {
        if (!taking || message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE)
            return false;
        taken.push_back(::GetDlgCtrlID(message.hwnd));
        return true;
    }

    static const MessageMap* GetThisMessageMap()
    {
        static constexpr MessageEntry entries[] = {
            OnMessage<&KeyTakingDialog::OnOpenInner>(WM_APP),
            kEndOfMessages,
        };
        static constexpr MessageMap map = {&CDialog::GetThisMessageMap, entries};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnOpenInner() { innerResult = inner->DoModal(); }
};

// Each modal run hands its own controls' messages to its own dialog's
// pre-translate step, a run nested in a handler as well, and the outer run
// still does once the nested one has ended.
TEST(DialogMessages, PreTranslateSeesItsOwnControlsInNestedRunsToo)
{
    KeyTakingDialog outer;
    KeyTakingDialog inner(&outer);
    outer.inner = &inner;
    HWND innerWindow = nullptr;
    ModalScript script(outer);
    script
        .Then([&](HWND window) {
            PostKey(::GetDlgItem(window, IDOK), VK_ESCAPE);
            ::PostMessageA(window, WM_APP, 0, 0);
        })
        .Then([&](HWND window) {
            EXPECT_EQ(outer.taken, std::vector<int>{IDOK});
            innerWindow = OtherDialogWindow(window);
            ASSERT_NE(innerWindow, nullptr);
            EXPECT_EQ(innerWindow, inner.m_hWnd);
            PostKey(::GetDlgItem(innerWindow, IDOK), VK_ESCAPE);
        })
        .Then([&](HWND) {
            EXPECT_EQ(inner.taken, std::vector<int>{IDOK});
            EXPECT_EQ(outer.taken, std::vector<int>{IDOK});
            inner.taking = false;  // now the dialog manager cancels with it
            PostKey(::GetDlgItem(innerWindow, IDOK), VK_ESCAPE);
        })
        .Then([&](HWND window) {
            EXPECT_FALSE(::IsWindow(innerWindow));
            EXPECT_EQ(outer.innerResult, IDCANCEL);
            PostKey(::GetDlgItem(window, IDOK), VK_ESCAPE);
        })
        .Then([&](HWND) { EXPECT_EQ(outer.taken, (std::vector<int>{IDOK, IDOK})); })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// ---------------------------------------------------------------------------
// The menu wrapper

struct MenuViewOnThread {
    HMENU menu;
    CMenu* view;
};

DWORD WINAPI TakeMenuView(void* param)
{
    auto* call = static_cast<MenuViewOnThread*>(param);
    call->view = CMenu::FromHandle(call->menu);
    return 0;
}

TEST(MenuWrapper, WrapsARealMenuAndAppendsToIt)
{
    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);

    const HMENU menu = ::CreatePopupMenu();
    ASSERT_NE(menu, nullptr);
    CMenu* wrapped = CMenu::FromHandle(menu);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->GetSafeHmenu(), menu);
    EXPECT_TRUE(wrapped->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(wrapped->AppendMenu(MF_STRING, IDM_ABOUTBOX, "&About Velquor..."));

    ASSERT_EQ(::GetMenuItemCount(menu), 2);
    EXPECT_EQ(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(menu, 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[64] = "";
    ::GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Velquor...");
    ::DestroyMenu(menu);

    // A menu that is gone: the failure is reported, not hidden.
    EXPECT_FALSE(CMenu::FromHandle(menu)->AppendMenu(MF_STRING, 1, "late"));

    // Each thread has a view of its own: another thread's call leaves this
    // thread's view as it was.
    MenuViewOnThread onThread{reinterpret_cast<HMENU>(0x1234), nullptr};
    const HANDLE thread = ::CreateThread(nullptr, 0, &TakeMenuView, &onThread, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    EXPECT_NE(onThread.view, wrapped);
    EXPECT_EQ(wrapped->GetSafeHmenu(), menu);
}

// ---------------------------------------------------------------------------
// A control's text through a CString

// The text comes in whole however long it is, survives being assigned from
// itself, and goes back out whole.
TEST(TextExchange, TextOfAnyLengthGoesBothWaysWhole)
{
    const HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10,
                                          nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const HWND control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent,
                                           reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    std::string longText(100000, ' ');
    for (std::size_t i = 0; i < longText.size(); ++i)
        longText[i] = static_cast<char>('a' + i % 26);
    ::SetWindowTextA(control, longText.c_str());
    CWnd window;
    window.m_hWnd = parent;

    CString text = "old";
    CDataExchange read(&window, true);
    DDX_Text(&read, 1, text);
    EXPECT_EQ(text.GetLength(), 100000);
    EXPECT_TRUE(std::string(text) == longText);

    text = static_cast<const char*>(text);
    EXPECT_TRUE(std::string(text) == longText);

    ::SetWindowTextA(control, "");
    CDataExchange write(&window, false);
    DDX_Text(&write, 1, text);
    EXPECT_EQ(::GetWindowTextLengthA(control), 100000);
    ::DestroyWindow(parent);
}

// ---------------------------------------------------------------------------
// A control's subclass chain

std::vector<std::string> g_chainTrace;

// A procedure of the chain, named by its data, that notes WM_APP and the
// last message as it passes them on, and takes WM_APP with its own name.
LRESULT NoteAndPassOn(void* data, HWND, UINT message, WPARAM wParam, LPARAM lParam,
                      const SubclassNext& next)
{
    const std::string name = static_cast<const char*>(data);
    if (message == WM_APP)
        g_chainTrace.push_back(name);
    if (message == WM_NCDESTROY)
        g_chainTrace.push_back(name + " last");
    if (message == WM_APP && wParam == reinterpret_cast<WPARAM>(data))
        return 7;
    return next(message, wParam, lParam);
}

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        g_chainTrace.push_back("own");
        return 1;
    }
    if (message == WM_NCDESTROY)
        g_chainTrace.push_back("own last");
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// The procedure put on last sees a message first; one that takes it ends
// it there; the last message reaches every one, then the control's own.
// The control's user data stays whatever its owner put there. A destroyed
// control's chain makes room for another's, however many come and go.
TEST(SubclassChain, LastPutOnSeesFirstAndEveryOneSeesTheLastMessage)
{
    WNDCLASSA own{};
    own.lpfnWndProc = &OwnProcedure;
    own.hInstance = ::GetModuleHandleA(nullptr);
    own.lpszClassName = "VelquorChainTest";
    ASSERT_NE(::RegisterClassA(&own), 0);
    const auto create = [] {
        return ::CreateWindowExA(0, "VelquorChainTest", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
    };
    static char first[] = "first";
    static char second[] = "second";

    const HWND control = create();
    ::SetWindowLongPtrA(control, GWLP_USERDATA, 1);
    ASSERT_TRUE(AddSubclass(control, &NoteAndPassOn, first));
    ASSERT_TRUE(AddSubclass(control, &NoteAndPassOn, second));
    g_chainTrace.clear();
    EXPECT_EQ(::SendMessageA(control, WM_APP, 0, 0), 1);
    EXPECT_EQ(g_chainTrace, (std::vector<std::string>{"second", "first", "own"}));
    g_chainTrace.clear();
    EXPECT_EQ(::SendMessageA(control, WM_APP, reinterpret_cast<WPARAM>(first), 0), 7);
    EXPECT_EQ(g_chainTrace, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(::GetWindowLongPtrA(control, GWLP_USERDATA), 1);
    g_chainTrace.clear();
    ::DestroyWindow(control);
    EXPECT_EQ(g_chainTrace, (std::vector<std::string>{"second last", "first last", "own last"}));
    for (int i = 0; i < 300; ++i) {  // more than the program keeps at once
        const HWND next = create();
        ASSERT_TRUE(AddSubclass(next, &NoteAndPassOn, first)) << "control " << i;
        ::DestroyWindow(next);
    }
    ::UnregisterClassA("VelquorChainTest", ::GetModuleHandleA(nullptr));
}

// ---------------------------------------------------------------------------
// Libraries from the system folder

// Whether a loaded module's file is in `folder`, in any case.
bool IsIn(HMODULE module, const wchar_t* folder)
{
    wchar_t path[MAX_PATH] = L"";
    std::wstring file(path, ::GetModuleFileNameW(module, path, MAX_PATH));
    return ::lstrcmpiW(file.substr(0, file.find_last_of(L'\\')).c_str(), folder) == 0;
}

// The loader's own way (under Wine, the flag) and the full path that older
// loaders get: both find a library in the system folder, neither the one
// beside this program, which a plain search finds first.
TEST(SystemLibraries, BothWaysTakeTheSystemFolderAndNothingBesideTheProgram)
{
    wchar_t system[MAX_PATH] = L"";
    ASSERT_NE(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    const wchar_t kBesideTheProgram[] = L"libwinpthread-1.dll";

    for (HMODULE (*load)(const wchar_t*) : {&LoadSystemLibrary, &LoadSystemLibraryByPath}) {
        const HMODULE library = load(L"uiautomationcore.dll");
        ASSERT_NE(library, nullptr);
        EXPECT_TRUE(IsIn(library, system));
        EXPECT_EQ(load(kBesideTheProgram), nullptr);
        EXPECT_EQ(load(L"no-such-library.dll"), nullptr);
    }

    const HMODULE planted = ::LoadLibraryW(kBesideTheProgram);
    EXPECT_NE(planted, nullptr) << "the library beside the program is missing: the test proves nothing";
    ::FreeLibrary(planted);
}

}  // namespace
