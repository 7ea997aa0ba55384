#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace support {

// One started program whose main window the caller waits for; the process
// never outlives the object.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() { Kill(); }

    // Starts `path` (a Windows path) and waits up to `timeoutMs` for a
    // visible dialog window of it captioned `caption` (any caption when
    // null), polling every `pollMs`. On failure, says why in Error().
    bool Start(const std::string& path, const char* caption, DWORD timeoutMs = 20000,
               DWORD pollMs = 10);

    HWND Main() const { return m_main; }
    HANDLE Process() const { return m_process.hProcess; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    const std::string& Error() const { return m_error; }

    bool IsRunning() const;
    // Waits for the program to end; its exit code, or nullopt on timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 5000) const;
    // Clicks the main window's default button (Exit, OK) by message and
    // waits for the program to end; its exit code, or nullopt when it did
    // not end in time (it is then ended).
    std::optional<DWORD> CloseWithDefaultButton(DWORD timeoutMs = 10000);
    // Ends the program at once if it is still running.
    void Kill();

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    std::string m_error;
};

}  // namespace support
