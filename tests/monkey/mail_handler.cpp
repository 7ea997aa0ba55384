// Stands in for a mail program during the monkey test: registered in the
// monkey's Wine prefix as the command that opens mailto: links, it appends
// the link it was given to a log file and exits, without a window.
//
//     monkey_mail_handler.exe LOG-FILE LINK

#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return 2;
    const std::string line = std::string(__argv[2]) + "\r\n";
    // Several handlers may run at once: each appends its line in one write.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const HANDLE log = ::CreateFileA(__argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const BOOL ok = ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            ::CloseHandle(log);
            return ok && written == line.size() ? 0 : 1;
        }
        ::Sleep(20);
    }
    return 1;
}
