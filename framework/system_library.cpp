#include "system_library.h"

#include <cwchar>

namespace {

// The loader takes LOAD_LIBRARY_SEARCH_SYSTEM32 exactly when kernel32 has
// AddDllDirectory: both came with the same update.
bool LoaderSearchesTheSystemFolderAlone()
{
    static const bool knows =
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    return knows;
}

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (!LoaderSearchesTheSystemFolderAlone())
        return LoadSystemLibraryByPath(name);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    return ::LoadLibraryExW(name, nullptr, kSearchSystem32);
}

bool SystemLibraryPath(const wchar_t* name, wchar_t (&path)[MAX_PATH])
{
    const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t length = std::wcslen(name);
    if (folder == 0 || folder + 1 + length >= MAX_PATH)
        return false;
    path[folder] = L'\\';
    std::wmemcpy(path + folder + 1, name, length + 1);
    return true;
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    return SystemLibraryPath(name, path) ? ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)
                                         : nullptr;
}
