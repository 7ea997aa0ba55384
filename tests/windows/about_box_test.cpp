// The About box run modally: what its address and picture hand to the
// shell, what the other controls do not, the ways it ends, and its owner.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "about_dlg.h"
#include "framework.h"
#include "identifiers.h"
#include "modal_test_support.h"

namespace {

using namespace modal_test;

// Puts a recorder in the place of the shell call for its lifetime.
class ShellRecorder {
public:
    struct Call {
        HWND owner;
        std::optional<std::string> verb, file, parameters, directory;  // nullopt: null
        INT show;
    };

    ShellRecorder() : m_saved(g_shellExecute)
    {
        s_calls.clear();
        g_shellExecute = &Record;
    }
    ~ShellRecorder() { g_shellExecute = m_saved; }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    static const std::vector<Call>& Calls() { return s_calls; }

private:
    static std::optional<std::string> Text(LPCSTR text)
    {
        return text ? std::optional<std::string>(text) : std::nullopt;
    }

    static HINSTANCE WINAPI Record(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                   LPCSTR directory, INT show)
    {
        s_calls.push_back({owner, Text(verb), Text(file), Text(parameters), Text(directory), show});
        return reinterpret_cast<HINSTANCE>(42);  // above 32: the shell took it
    }

    static inline std::vector<Call> s_calls;
    ShellExecuteFunction m_saved;
};

void ExpectMailLinkCall(const ShellRecorder::Call& call)
{
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, std::nullopt);  // the default action
    EXPECT_EQ(call.file, std::string(kMailLink));
    EXPECT_EQ(call.parameters, std::string());
    EXPECT_EQ(call.directory, std::string());
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

// What a screen reader does to follow a link: the control's default action,
// through its accessible object; or, as a script does, through IDispatch,
// by name.
void DoDefaultAction(HWND control, bool byName)
{
    IAccessible* object = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(
        control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (!byName) {
        object->accDoDefaultAction(self);
    } else {
        LPOLESTR name = const_cast<LPOLESTR>(L"accDoDefaultAction");
        DISPID id = DISPID_UNKNOWN;
        DISPPARAMS arguments{&self, nullptr, 1, 0};
        if (SUCCEEDED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
            object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &arguments, nullptr,
                           nullptr, nullptr);
    }
    object->Release();
}

// ---------------------------------------------------------------------------

// Each control is clicked three times over: with the mouse, posted to the
// control at its centre (a static sends its clicked notification only when
// it has SS_NOTIFY), with the clicked notification itself sent to the box
// (its message table routes only the address and the picture), and by a
// screen reader's default action (only the two links have one), called
// directly and by name.
TEST(AboutBox, OnlyTheAddressAndThePictureHandTheMailLinkToTheShell)
{
    struct Row {
        const char* name;
        std::size_t childIndex;  // in template order
        std::size_t shellCalls;
    };
    const Row rows[] = {
        {"address", 4, 1},
        {"portrait", 1, 1},
        {"version line", 2, 0},
        {"notice line", 3, 0},
        {"banner", 5, 0},
    };
    enum class Way { MouseClick, ClickedNotification, DefaultAction, DefaultActionByName };
    const char* const wayNames[] = {", mouse", ", notification", ", default action",
                                    ", default action by name"};

    ShellRecorder shell;
    CAboutDlg box;
    ModalScript script(box);
    std::size_t callsBefore = 0;
    for (const Way way : {Way::MouseClick, Way::ClickedNotification, Way::DefaultAction,
                          Way::DefaultActionByName}) {
        for (const Row& row : rows) {
            const std::string what = std::string(row.name) + wayNames[static_cast<int>(way)];
            script
                .Then([&row, &callsBefore, way](HWND window) {
                    callsBefore = ShellRecorder::Calls().size();
                    const HWND target = ChildWindows(window).at(row.childIndex);
                    if (way == Way::MouseClick) {
                        PostClickAtCentre(target);
                    } else if (way == Way::DefaultAction || way == Way::DefaultActionByName) {
                        DoDefaultAction(target, way == Way::DefaultActionByName);
                    } else {
                        const WPARAM clicked = MAKEWPARAM(::GetDlgCtrlID(target), STN_CLICKED);
                        ::SendMessageA(window, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(target));
                    }
                })
                .Then([&row, &callsBefore, what](HWND window) {
                    SCOPED_TRACE(what);
                    const auto& calls = ShellRecorder::Calls();
                    ASSERT_EQ(calls.size() - callsBefore, row.shellCalls);
                    if (row.shellCalls == 1)
                        ExpectMailLinkCall(calls.back());
                    EXPECT_TRUE(::IsWindowVisible(window)) << "the box stays open";
                });
        }
    }
    script.Then([](HWND window) { ::PostMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0); });
    ::CoInitialize(nullptr);
    EXPECT_EQ(script.Run(), IDOK);
    ::CoUninitialize();
    EXPECT_EQ(ShellRecorder::Calls().size(), 8u);
}

// Close, Enter (Close is the default button) and Escape each end the box,
// and the same box opens again every time.
TEST(AboutBox, CloseEnterAndEscapeEndItAndItOpensAgain)
{
    struct Ending {
        const char* name;
        void (*act)(HWND box);
        INT_PTR result;
    };
    const Ending endings[] = {
        {"Close", [](HWND box) { ::PostMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND) { PostKey(::GetFocus(), VK_RETURN); }, IDOK},
        {"Escape", [](HWND) { PostKey(::GetFocus(), VK_ESCAPE); }, IDCANCEL},
    };

    ShellRecorder shell;
    CAboutDlg box;
    for (int round = 1; round <= 2; ++round) {
        for (const Ending& ending : endings) {
            SCOPED_TRACE(std::string(ending.name) + ", round " + std::to_string(round));
            ModalScript script(box);
            script.Then([&](HWND window) {
                ASSERT_EQ(::GetFocus(), ::GetDlgItem(window, IDOK));
                ending.act(window);
            });
            EXPECT_EQ(script.Run(), ending.result);
            EXPECT_EQ(box.m_hWnd, nullptr);
            EXPECT_TRUE(ThreadDialogWindows().empty());
        }
    }
    EXPECT_TRUE(ShellRecorder::Calls().empty());
}

// With no parent given, the application's main window owns the box and
// takes no input while it runs; with no application there is no owner.
TEST(AboutBox, TheApplicationsMainWindowOwnsItAndIsDisabledMeanwhile)
{
    const HWND mainWindow = ::CreateWindowExA(0, "Static", "Main window",
                                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                              nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    CWnd main;
    main.m_hWnd = mainWindow;

    for (const bool withApplication : {true, false}) {
        SCOPED_TRACE(withApplication ? "with an application" : "without one");
        std::optional<CWinApp> app;
        if (withApplication) {
            app.emplace();
            app->m_pMainWnd = &main;
        }
        ASSERT_EQ(AfxGetApp() != nullptr, withApplication);

        CAboutDlg box;
        ModalScript script(box);
        script.Then([&](HWND window) {
            EXPECT_EQ(::GetWindow(window, GW_OWNER), withApplication ? mainWindow : nullptr);
            EXPECT_EQ(::IsWindowEnabled(mainWindow) != FALSE, !withApplication);
            PostKey(::GetFocus(), VK_ESCAPE);
        });
        EXPECT_EQ(script.Run(), IDCANCEL);
        EXPECT_TRUE(::IsWindowEnabled(mainWindow));
    }
    main.m_hWnd = nullptr;
    ::DestroyWindow(mainWindow);
}

}  // namespace
