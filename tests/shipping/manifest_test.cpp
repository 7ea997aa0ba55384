// The manifest inside VelQUOR.exe, read the way Windows reads it: the file
// is opened as data and its manifest resource found, then the platform's own
// manifest parser builds an activation context from it, and what the parser
// understood is asked back.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "paths.h"
#include "version_block.h"

namespace {

const std::string kProgram = support::WindowsPath(VELQUOR_EXE_PATH);
const std::string kManifestSource = support::WindowsPath(VELQUOR_MANIFEST_PATH);

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    return wide;
}

// The program's file version from its version block, written as an
// assembly's version is: "1.0.0.0".
std::wstring ProgramVersion()
{
    const VS_FIXEDFILEINFO fixed = VersionInfo(kProgram).Fixed();
    return Wide(VersionText(fixed.dwFileVersionMS, fixed.dwFileVersionLS, 4, "."));
}

BOOL CALLBACK AddManifestName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(
        IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name));
    return TRUE;
}

// The activation context Windows makes from the program's manifest resource.
class ProgramManifest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring source = Wide(kProgram);
        ACTCTXW description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = source.c_str();
        description.lpResourceName = MAKEINTRESOURCEW(1);
        m_context = ::CreateActCtxW(&description);
        ASSERT_NE(m_context, INVALID_HANDLE_VALUE)
            << "the manifest of " << kProgram << " does not parse (error " << ::GetLastError() << ")";
    }

    void TearDown() override
    {
        if (m_context != INVALID_HANDLE_VALUE)
            ::ReleaseActCtx(m_context);
    }

    // What QueryActCtxW answers for `infoClass`, as raw bytes.
    std::vector<unsigned char> Query(ULONG infoClass, void* subInstance = nullptr) const
    {
        SIZE_T needed = 0;
        ::QueryActCtxW(0, m_context, subInstance, infoClass, nullptr, 0, &needed);
        std::vector<unsigned char> answer(needed);
        if (needed == 0 ||
            !::QueryActCtxW(0, m_context, subInstance, infoClass, answer.data(), answer.size(), &needed))
            answer.clear();
        return answer;
    }

    // A setting of the application's windowsSettings; `found` says whether
    // the manifest has it at all.
    std::wstring Setting(const wchar_t* space, const wchar_t* name, bool& found) const
    {
        wchar_t value[64] = L"";
        SIZE_T written = 0;
        found = ::QueryActCtxSettingsW(0, m_context, space, name, value, 64, &written) != FALSE;
        return value;
    }

    HANDLE m_context = INVALID_HANDLE_VALUE;
};

TEST(ManifestResource, IsTheSourceFileAsResourceOneInUsEnglish)
{
    HMODULE module = ::LoadLibraryExA(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "cannot open " << kProgram;

    std::vector<std::string> names;
    ::EnumResourceNamesA(module, MAKEINTRESOURCEA(24), &AddManifestName, reinterpret_cast<LONG_PTR>(&names));
    EXPECT_EQ(names, std::vector<std::string>{"1"}) << "the program must hold exactly one manifest";

    const HRSRC found = ::FindResourceExA(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), kUsEnglish);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(::LockResource(::LoadResource(module, found)));
    ASSERT_NE(bytes, nullptr);
    const std::vector<unsigned char> embedded(bytes, bytes + ::SizeofResource(module, found));
    ::FreeLibrary(module);

    const std::vector<unsigned char> source = support::ReadWholeFile(kManifestSource);
    ASSERT_FALSE(source.empty()) << "cannot read " << kManifestSource;
    EXPECT_EQ(embedded, source);
    const std::string text(embedded.begin(), embedded.end());
    EXPECT_EQ(text.substr(0, 5), "<?xml");
    // The description is the version block's, put in when the build is set up.
    const std::string description = "<description>" + VersionInfo(kProgram).String("FileDescription") + "</description>";
    EXPECT_TRUE(text.find(description) != std::string::npos) << "no " << description;
}

TEST_F(ProgramManifest, NamesTheProgramAndNeedsNoOtherAssembly)
{
    const std::vector<unsigned char> answer = Query(ActivationContextDetailedInformation);
    ASSERT_GE(answer.size(), sizeof(ACTIVATION_CONTEXT_DETAILED_INFORMATION));
    ACTIVATION_CONTEXT_DETAILED_INFORMATION detail{};
    std::memcpy(&detail, answer.data(), sizeof detail);
    // The program's own assembly only: a dependency (the themed common
    // controls, for one) would be a second.
    EXPECT_EQ(detail.ulAssemblyCount, 1u);

    DWORD index = 1;
    const std::vector<unsigned char> assembly = Query(AssemblyDetailedInformationInActivationContext, &index);
    ASSERT_GE(assembly.size(), sizeof(ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION));
    ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION info{};
    std::memcpy(&info, assembly.data(), sizeof info);
    ASSERT_NE(info.lpAssemblyEncodedAssemblyIdentity, nullptr);
    const std::wstring identity = info.lpAssemblyEncodedAssemblyIdentity;
    EXPECT_NE(identity.find(L"Velquor.VelQUOR"), std::wstring::npos) << "identity: " << identity;
    EXPECT_NE(identity.find(L"version=\"" + ProgramVersion() + L"\""), std::wstring::npos)
        << "identity: " << identity;
    EXPECT_NE(identity.find(L"processorArchitecture=\"x86\""), std::wstring::npos);
    EXPECT_NE(identity.find(L"type=\"win32\""), std::wstring::npos);
}

TEST_F(ProgramManifest, IsAwareOfTheSystemDpi)
{
    bool found = false;
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", found), L"true");
    EXPECT_TRUE(found);
    // The newer setting would take precedence over it on Windows 10: there is
    // none.
    Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", found);
    EXPECT_FALSE(found);
}

TEST_F(ProgramManifest, RunsWithTheInvokersRights)
{
    const std::vector<unsigned char> answer = Query(RunlevelInformationInActivationContext);
    ASSERT_EQ(answer.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    std::memcpy(&level, answer.data(), sizeof level);
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);
}

TEST_F(ProgramManifest, SupportsWindowsVistaThroughEleven)
{
    const std::vector<unsigned char> answer = Query(CompatibilityInformationInActivationContext);
    ASSERT_GE(answer.size(), sizeof(DWORD));
    DWORD count = 0;
    std::memcpy(&count, answer.data(), sizeof count);
    ASSERT_EQ(count, 5u);
    // Windows 10 added a 64-bit field to each element; which layout this is
    // follows from the size.
    std::size_t first = 0;
    std::size_t stride = 0;
    if (answer.size() == 4 + count * 20) {
        first = 4;
        stride = 20;
    } else if (answer.size() == 8 + count * 32) {
        first = 8;
        stride = 32;
    }
    ASSERT_NE(stride, 0u) << "an answer of " << answer.size() << " bytes for " << count << " elements";

    const GUID expected[] = {
        // Vista, 7, 8, 8.1, 10 and 11.
        {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
        {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
        {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
        {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
        {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
    };
    for (DWORD i = 0; i < count; ++i) {
        GUID id{};
        DWORD type = 0;
        std::memcpy(&id, answer.data() + first + i * stride, sizeof id);
        std::memcpy(&type, answer.data() + first + i * stride + sizeof id, sizeof type);
        EXPECT_EQ(std::memcmp(&id, &expected[i], sizeof id), 0) << "operating system " << i;
        EXPECT_EQ(type, static_cast<DWORD>(ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)) << "operating system " << i;
    }
}

}  // namespace
