#include "program.h"

#include "wait.h"
#include "window_query.h"

namespace support {

bool Program::Start(const std::string& path, const char* caption, DWORD timeoutMs, DWORD pollMs)
{
    Kill();
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process)) {
        m_error = "cannot start " + commandLine + " (error " + std::to_string(::GetLastError()) + ")";
        m_process = {};
        return false;
    }
    WaitUntil([&] {
        const auto found = TopLevelWindows(m_process.dwProcessId, "#32770", caption);
        if (found.size() == 1)
            m_main = found.front();
        return m_main != nullptr || !IsRunning();
    }, timeoutMs, pollMs);
    if (m_main != nullptr)
        return true;
    m_error = "no window" + (caption ? std::string(" captioned ") + caption : std::string()) +
              " appeared within " + std::to_string(timeoutMs) + " ms" +
              (IsRunning() ? "" : "; the program ended");
    return false;
}

bool Program::IsRunning() const
{
    return m_process.hProcess != nullptr &&
           ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) const
{
    if (m_process.hProcess == nullptr ||
        ::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

std::optional<DWORD> Program::CloseWithDefaultButton(DWORD timeoutMs)
{
    if (m_main != nullptr)
        ::PostMessageA(m_main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(m_main, IDOK)));
    const auto code = WaitForExit(timeoutMs);
    Kill();
    return code;
}

void Program::Kill()
{
    if (m_process.hProcess != nullptr) {
        if (IsRunning()) {
            ::TerminateProcess(m_process.hProcess, 0xDEAD);
            ::WaitForSingleObject(m_process.hProcess, 5000);
        }
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    m_process = {};
    m_main = nullptr;
}

}  // namespace support
