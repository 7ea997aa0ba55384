#include "accessibility_api.h"

#include <oleacc.h>

#include "system_library.h"

namespace {

bool LoadAccessibility(AccessibilityApi& api)
{
    const HMODULE accessibility = LoadSystemLibrary(L"oleacc.dll");
    const HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
    const HMODULE ole = LoadSystemLibrary(L"ole32.dll");
    return FindFunction(accessibility, "CreateStdAccessibleObject", api.createStandardObject) &&
           FindFunction(accessibility, "LresultFromObject", api.resultFromObject) &&
           FindFunction(oleaut, "SysAllocStringLen", api.allocStringLength) &&
           FindFunction(oleaut, "SysFreeString", api.freeString) &&
           FindFunction(oleaut, "LoadTypeLibEx", api.loadTypeLibrary) &&
           FindFunction(ole, "CoInitializeEx", api.initializeCom) &&
           FindFunction(ole, "CoUninitialize", api.uninitializeCom);
}

// From the type library inside the accessibility library itself, in the
// system folder it was loaded from: nothing is looked up in the registry.
ITypeInfo* LoadAccessibleTypeInfo()
{
    const AccessibilityApi* api = Accessibility();
    wchar_t path[MAX_PATH];
    if (api == nullptr || !SystemLibraryPath(L"oleacc.dll", path))
        return nullptr;
    ITypeLib* library = nullptr;
    if (FAILED(api->loadTypeLibrary(path, REGKIND_NONE, &library)))
        return nullptr;
    ITypeInfo* dispatch = nullptr;
    ITypeInfo* functions = nullptr;
    if (SUCCEEDED(library->GetTypeInfoOfGuid(__uuidof(IAccessible), &dispatch))) {
        // IAccessible is dual: the library names its IDispatch face; the
        // calls are made through the other, the table of functions.
        HREFTYPE table = 0;
        if (SUCCEEDED(dispatch->GetRefTypeOfImplType(-1, &table)) &&
            FAILED(dispatch->GetRefTypeInfo(table, &functions)))
            functions = nullptr;
        dispatch->Release();
    }
    library->Release();
    return functions;
}

}  // namespace

const AccessibilityApi* Accessibility()
{
    return LoadOnce<AccessibilityApi, &LoadAccessibility>();
}

ITypeInfo* AccessibleTypeInfo()
{
    static ITypeInfo* const info = LoadAccessibleTypeInfo();
    return info;
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
