#include "accessibility_api.h"

#include "system_library.h"

namespace {

bool LoadAccessibility(AccessibilityApi& api)
{
    const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    const HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
    const HMODULE ole = LoadSystemLibrary(L"ole32.dll");
    return FindFunction(oleacc, "CreateStdAccessibleObject", api.createStandardObject) &&
           FindFunction(oleacc, "LresultFromObject", api.resultFromObject) &&
           FindFunction(oleaut, "SysAllocStringLen", api.allocStringLength) &&
           FindFunction(oleaut, "SysFreeString", api.freeString) &&
           FindFunction(ole, "CoInitializeEx", api.initializeCom) &&
           FindFunction(ole, "CoUninitialize", api.uninitializeCom);
}

}  // namespace

const AccessibilityApi* Accessibility()
{
    return LoadOnce<AccessibilityApi, &LoadAccessibility>();
}

BSTR NewAccessibleString(const char* text)
{
    const AccessibilityApi* api = Accessibility();
    // The length with the ending zero; the string itself is one shorter.
    const int length = text != nullptr ? ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0) : 0;
    if (api == nullptr || length <= 0)
        return nullptr;
    BSTR out = api->allocStringLength(nullptr, static_cast<UINT>(length - 1));
    if (out != nullptr)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, out, length);
    return out;
}

void FreeAccessibleString(BSTR text)
{
    if (const AccessibilityApi* api = Accessibility())
        api->freeString(text);
}
