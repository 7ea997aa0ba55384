#include "announcement.h"

#include "accessibility_api.h"
#include "system_library.h"
#include "win_app.h"

namespace {

struct Automation {
    HRESULT(WINAPI* hostProvider)(HWND, IUnknown**);
    HRESULT(WINAPI* raise)(IUnknown*, int kind, int processing, BSTR text, BSTR activity);
};

bool LoadAutomation(Automation& automation)
{
    const HMODULE library = LoadSystemLibrary(L"uiautomationcore.dll");
    return FindFunction(library, "UiaHostProviderFromHwnd", automation.hostProvider) &&
           FindFunction(library, "UiaRaiseNotificationEvent", automation.raise);
}

// UI Automation's notification, where the platform has it. Every
// announcement of the program is one activity, named after the program: a
// newer one cuts off an older one still being said.
void RaiseNotification(HWND control, const char* text)
{
    constexpr int kActionCompleted = 2;     // NotificationKind_ActionCompleted
    constexpr int kImportantMostRecent = 1;  // NotificationProcessing_ImportantMostRecent

    const Automation* automation = LoadOnce<Automation, &LoadAutomation>();
    if (automation == nullptr)
        return;
    IUnknown* provider = nullptr;
    if (FAILED(automation->hostProvider(control, &provider)) || provider == nullptr)
        return;
    BSTR said = NewAccessibleString(text);
    BSTR activity = NewAccessibleString(AfxGetAppName());
    if (said != nullptr && activity != nullptr)
        automation->raise(provider, kActionCompleted, kImportantMostRecent, said, activity);
    FreeAccessibleString(said);
    FreeAccessibleString(activity);
    provider->Release();
}

}  // namespace

AnnounceFunction g_announce = &RaiseNotification;

void AnnounceToScreenReader(HWND control, const char* text)
{
    if (g_announce != nullptr && text != nullptr)
        g_announce(control, text);
}
