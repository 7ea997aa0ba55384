#include "number_tips.h"

#include <commctrl.h>

#include "system_library.h"

namespace {

struct CommonControls {};

// Loads the common controls and registers the tooltip class.
bool LoadCommonControls(CommonControls&)
{
    using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    InitCommonControlsExProc init = nullptr;
    if (!FindFunction(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx", init))
        return false;
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
    return init(&classes) != FALSE;
}

bool TooltipClassLoaded()
{
    return LoadOnce<CommonControls, &LoadCommonControls>() != nullptr;
}

TTTOOLINFOA ToolOf(HWND owner, HWND field)
{
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the library
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    return tool;
}

}  // namespace

HWND CNumberTips::TipWindow(HWND owner, bool create)
{
    // The tooltip went with an earlier window of the same object.
    if (m_tip != nullptr && (!::IsWindow(m_tip) || ::GetWindow(m_tip, GW_OWNER) != owner))
        m_tip = nullptr;
    if (m_tip == nullptr && create && TooltipClassLoaded()) {
        m_tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  nullptr, nullptr);
    }
    return m_tip;
}

void CNumberTips::Show(HWND owner, HWND field, const char* fullText)
{
    const HWND tip = TipWindow(owner, fullText != nullptr);
    if (tip == nullptr)
        return;
    TTTOOLINFOA tool = ToolOf(owner, field);
    ::SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (fullText == nullptr)
        return;
    tool.lpszText = const_cast<char*>(fullText);  // the tooltip keeps a copy
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CNumberTips::Forget(HWND owner, HWND field)
{
    Show(owner, field, nullptr);
}
