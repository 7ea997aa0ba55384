// The installer, end to end, in a Wine prefix made fresh for it: installed
// silently, the program started from its Start-menu entry and closed with
// Exit, then uninstalled silently, after which nothing of it may be left: no
// file or folder, no Start-menu entry, no registry key.
//
// The installer is the one CPack has just made into the package folder (the
// fixture in CMakeLists.txt).

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "identifiers.h"
#include "paths.h"
#include "picture.h"
#include "program.h"
#include "version_block.h"
#include "window_query.h"

namespace {

const std::string kPackageFolder = support::WindowsPath(VELQUOR_PACKAGE_DIR);
const std::string kBuiltProgram = support::WindowsPath(VELQUOR_EXE_PATH);
const std::string kSourceFolder = support::WindowsPath(VELQUOR_SOURCE_DIR);
const std::string kUserReadme = support::WindowsPath(VELQUOR_USER_README);
const std::string kArtifacts = support::WindowsPath(VELQUOR_SHIPPING_ARTIFACTS);

// What the package calls things (cmake/Packaging.cmake): the product by the
// name the program's version block gives it.
std::string VersionString(const std::string& path, const std::string& name);
const std::string kProduct = VersionString(kBuiltProgram, "ProductName");
const char kVendor[] = "the Velquor authors";
const std::string kUninstallKey = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kProduct;
const std::string kVendorKey = std::string("Software\\") + kVendor;

constexpr DWORD kInstallTimeoutMs = 120000;
constexpr DWORD kWindowTimeoutMs = 20000;

// ---------------------------------------------------------------------------
// Files, folders and keys

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::string InstallFolder()
{
    return KnownFolder(CSIDL_PROGRAM_FILES) + "\\" + kProduct;
}

std::string StartMenuFolder(int csidl)
{
    return KnownFolder(csidl) + "\\" + kProduct;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder, sub-folders included, "." and ".." not.
std::set<std::string> NamesIn(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// A string value; "<none>" when there is no such value.
std::string ReadString(HKEY root, const std::string& path, const char* value)
{
    char data[1024] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<none>";
    const LONG status = ::RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return "<none>";
    data[size] = '\0';
    return data;
}

const char* HiveName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
}

// Everything of the program's that could be on the machine, as a list of
// what is: empty when there is nothing.
std::vector<std::string> TracesOfVelquor()
{
    std::vector<std::string> traces;
    auto folder = [&](const std::string& path) {
        if (!Exists(path))
            return;
        std::string trace = "folder " + path + " holding {";
        for (const std::string& name : NamesIn(path))
            trace += " " + name;
        traces.push_back(trace + " }");
    };
    folder(InstallFolder());
    folder(StartMenuFolder(CSIDL_COMMON_PROGRAMS));
    folder(StartMenuFolder(CSIDL_PROGRAMS));
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const std::string& key : {kUninstallKey, kVendorKey})
            if (KeyExists(root, key))
                traces.push_back(std::string("key ") + HiveName(root) + "\\" + key);
    }
    return traces;
}

// ---------------------------------------------------------------------------
// Version blocks

// A value of a file's version block ("ProductName"...), in US English.
std::string VersionString(const std::string& path, const std::string& name)
{
    return VersionInfo(path).String(name);
}

// The product version of a file's fixed version information, as
// "major.minor.patch".
std::string FixedProductVersion(const std::string& path)
{
    const VS_FIXEDFILEINFO fixed = VersionInfo(path).Fixed();
    return VersionText(fixed.dwProductVersionMS, fixed.dwProductVersionLS, 3, ".");
}

// ---------------------------------------------------------------------------
// Processes and windows

// Runs a command line and waits for it to end; its exit code and process
// identifier, or a failure.
::testing::AssertionResult RunAndWait(std::string commandLine, DWORD timeoutMs, DWORD& exitCode,
                                      DWORD* processId = nullptr)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return ::testing::AssertionFailure() << "cannot start " << commandLine << " (error "
                                             << ::GetLastError() << ")";
    if (processId != nullptr)
        *processId = process.dwProcessId;
    const bool ended = ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(process.hProcess, 1);
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (!ended)
        return ::testing::AssertionFailure() << commandLine << " did not end within " << timeoutMs << " ms";
    return ::testing::AssertionSuccess();
}

// Waits for every process that process `parent` started to end.
::testing::AssertionResult WaitForChildrenOf(DWORD parent, DWORD timeoutMs)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ::testing::AssertionFailure() << "cannot list the processes";
    std::vector<std::pair<std::string, HANDLE>> children;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent)
            continue;
        if (HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID))
            children.emplace_back(entry.szExeFile, process);
    }
    ::CloseHandle(snapshot);
    std::string stillRunning;
    for (const auto& [name, process] : children) {
        if (::WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
            stillRunning += " " + name;
        ::CloseHandle(process);
    }
    if (!stillRunning.empty())
        return ::testing::AssertionFailure() << "still running after " << timeoutMs << " ms:" << stillRunning;
    return ::testing::AssertionSuccess();
}

// Where a shell link points.
std::string ShortcutTarget(const std::string& link)
{
    IShellLinkA* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&shellLink))))
        return "<no shell link object>";
    std::string target = "<unreadable link>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

// ---------------------------------------------------------------------------
// The three steps

// The one installer CPack made.
std::string TheInstaller()
{
    std::set<std::string> installers;
    for (const std::string& name : NamesIn(kPackageFolder))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0)
            installers.insert(name);
    EXPECT_EQ(installers.size(), 1u) << "installers in " << kPackageFolder;
    return installers.empty() ? std::string() : kPackageFolder + "\\" + *installers.begin();
}

// The hive the installer wrote its uninstall entry to: the machine's when it
// ran with administrator rights (as under Wine), else the user's.
HKEY UninstallHive()
{
    const bool machine = KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey);
    const bool user = KeyExists(HKEY_CURRENT_USER, kUninstallKey);
    EXPECT_NE(machine, user) << "the uninstall entry must be in exactly one hive";
    return user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

void ExpectInstalled()
{
    const std::string folder = InstallFolder();
    const std::set<std::string> expectedFiles = {"LICENSE", "README.txt", "Uninstall.exe", "VelQUOR.exe"};
    ASSERT_EQ(NamesIn(folder), expectedFiles) << "in " << folder;
    // The size Windows lists: each file in whole KB, rounded up, as the
    // installer counts them.
    DWORD kilobytes = 0;
    for (const auto& [installed, original] : {std::pair{"VelQUOR.exe", kBuiltProgram},
                                              {"README.txt", kUserReadme},
                                              {"LICENSE", kSourceFolder + "\\LICENSE"}}) {
        const auto bytes = support::ReadWholeFile(folder + "\\" + installed);
        EXPECT_EQ(bytes, support::ReadWholeFile(original)) << installed << " is not " << original;
        kilobytes += static_cast<DWORD>((bytes.size() + 1023) / 1024);
    }

    // What Windows lists under installed programs is what the program says
    // of itself.
    const std::string program = folder + "\\VelQUOR.exe";
    const HKEY hive = UninstallHive();
    EXPECT_EQ(ReadString(hive, kUninstallKey, "DisplayName"),
              VersionString(program, "ProductName") + " " + FixedProductVersion(program));
    EXPECT_EQ(ReadString(hive, kUninstallKey, "DisplayVersion"), FixedProductVersion(program));
    DWORD size = 0;
    DWORD length = sizeof size;
    EXPECT_EQ(::RegGetValueA(hive, kUninstallKey.c_str(), "EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                             &size, &length), ERROR_SUCCESS);
    EXPECT_EQ(size, kilobytes);
    EXPECT_EQ(ReadString(hive, kUninstallKey, "Publisher"), kVendor);
    EXPECT_EQ(ReadString(hive, kUninstallKey, "DisplayIcon"), program);
    EXPECT_EQ(ReadString(hive, kUninstallKey, "UninstallString"), "\"" + folder + "\\Uninstall.exe\"");
    EXPECT_EQ(ReadString(hive, kVendorKey + "\\" + kProduct, nullptr), folder);

    // The Start-menu entries, for all users when the entry is the machine's.
    const std::string menu =
        StartMenuFolder(hive == HKEY_LOCAL_MACHINE ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    const std::set<std::string> expectedLinks = {"Uninstall.lnk", "VelQUOR.lnk"};
    ASSERT_EQ(NamesIn(menu), expectedLinks) << "in " << menu;
    EXPECT_EQ(ShortcutTarget(menu + "\\VelQUOR.lnk"), program);
    EXPECT_EQ(ShortcutTarget(menu + "\\Uninstall.lnk"), folder + "\\Uninstall.exe");
}

// Shows the installer's first page and ends it there, before it installs
// anything: the foot of the page names the program's installer, not the
// tool that made it.
void ShowFirstPage(const std::string& installer)
{
    support::Program setup;
    ASSERT_TRUE(setup.Start(installer, nullptr, kWindowTimeoutMs)) << "the installer: " << setup.Error();
    const std::string branding = kProduct + " " + FixedProductVersion(kBuiltProgram) + " installer";
    std::vector<std::string> texts;
    for (HWND child : support::ChildWindows(setup.Main()))
        texts.push_back(support::TextOf(child));
    EXPECT_NE(std::find(texts.begin(), texts.end(), branding), texts.end()) << "no " << branding;
    setup.Kill();
}

// Starts what the Start-menu entry points to, sees its main window (kept as a
// picture when something failed) and closes it with Exit.
void RunFromStartMenu()
{
    const HKEY hive = UninstallHive();
    const std::string menu =
        StartMenuFolder(hive == HKEY_LOCAL_MACHINE ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    support::Program program;
    ASSERT_TRUE(program.Start(ShortcutTarget(menu + "\\VelQUOR.lnk"), kProduct.c_str(), kWindowTimeoutMs))
        << "the installed program: " << program.Error();
    const HWND main = program.Main();
    EXPECT_EQ(support::TextOf(::GetDlgItem(main, IDOK)), "Exit");
    if (::testing::Test::HasFailure() && support::Answers(main, 5000)) {
        ::CreateDirectoryA(kArtifacts.c_str(), nullptr);
        support::WriteBmp(kArtifacts + "\\installed-program.bmp", support::CopyFromScreen(main));
    }
    EXPECT_EQ(program.CloseWithDefaultButton(), std::optional<DWORD>(0))
        << "the program's exit code after Exit";
    EXPECT_FALSE(::IsWindow(main));
}

// Runs the uninstaller the uninstall entry names, silently. It copies itself
// to the temporary folder, starts the copy and ends, so that the copy can
// delete the uninstaller's file: the work is done when the copy ends.
void Uninstall()
{
    const std::string command = ReadString(UninstallHive(), kUninstallKey, "UninstallString");
    ASSERT_NE(command, "<none>");
    DWORD code = 1;
    DWORD uninstaller = 0;
    ASSERT_TRUE(RunAndWait(command + " /S", kInstallTimeoutMs, code, &uninstaller));
    EXPECT_EQ(code, 0u) << "the uninstaller's exit code";
    ASSERT_TRUE(WaitForChildrenOf(uninstaller, kInstallTimeoutMs));
}

TEST(Installer, InstallsRunsAndUninstallsLeavingNothingBehind)
{
    ASSERT_EQ(TracesOfVelquor(), std::vector<std::string>{}) << "the fresh prefix is not clean";
    const std::string installer = TheInstaller();
    ASSERT_FALSE(installer.empty());
    EXPECT_EQ(VersionString(installer, "ProductName"), kProduct);
    EXPECT_EQ(VersionString(installer, "ProductVersion"), FixedProductVersion(kBuiltProgram));
    ASSERT_NO_FATAL_FAILURE(ShowFirstPage(installer));
    ASSERT_EQ(TracesOfVelquor(), std::vector<std::string>{}) << "the installer, ended on its first page";

    DWORD code = 1;
    ASSERT_TRUE(RunAndWait("\"" + installer + "\" /S", kInstallTimeoutMs, code));
    ASSERT_EQ(code, 0u) << "the installer's exit code";
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled());

    RunFromStartMenu();

    ASSERT_NO_FATAL_FAILURE(Uninstall());
    EXPECT_EQ(TracesOfVelquor(), std::vector<std::string>{});
}

}  // namespace

int main(int argc, char** argv)
{
    ::CoInitialize(nullptr);  // for the shell links
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
