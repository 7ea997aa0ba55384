// Starts VelQUOR.exe, saves a picture of its main window and of its About
// box as BMP files, copied from the screen, and closes both.
//
//   velquor_snapshot.exe PROGRAM MAIN.bmp ABOUT.bmp
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kAboutButton = 1030;

struct Search {
    DWORD process;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    char className[16] = "";
    ::GetClassNameA(hwnd, className, sizeof className);
    if (process == search->process && hwnd != search->exclude && ::IsWindowVisible(hwnd) &&
        lstrcmpA(className, "#32770") == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Waits up to `seconds` for a visible dialog of the process other than `exclude`.
HWND WaitForDialog(DWORD process, HWND exclude, int seconds)
{
    for (int i = 0; i < seconds * 20; ++i) {
        Search search{process, exclude, nullptr};
        ::EnumWindows(&FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(50);
    }
    return nullptr;
}

bool SaveWindow(HWND hwnd, const char* path)
{
    ::SetForegroundWindow(hwnd);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ::Sleep(500);  // let the window finish painting
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                        DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const BOOL printed = ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();

    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    bool written = false;
    if (printed) {
        if (FILE* out = std::fopen(path, "wb")) {
            written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                      std::fwrite(&header, sizeof header, 1, out) == 1 &&
                      std::fwrite(bits, imageSize, 1, out) == 1;
            written = std::fclose(out) == 0 && written;
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: velquor_snapshot PROGRAM MAIN.bmp ABOUT.bmp\n");
        return 2;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> command(argv[1], argv[1] + lstrlenA(argv[1]) + 1);
    if (!::CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    int status = 1;
    const HWND main = WaitForDialog(process.dwProcessId, nullptr, 30);
    if (main == nullptr) {
        std::fprintf(stderr, "no window appeared\n");
    } else if (!SaveWindow(main, argv[2])) {
        std::fprintf(stderr, "cannot save %s\n", argv[2]);
    } else {
        // The About box runs modally inside the click: post, don't send.
        ::PostMessageA(::GetDlgItem(main, kAboutButton), BM_CLICK, 0, 0);
        const HWND about = WaitForDialog(process.dwProcessId, main, 10);
        if (about == nullptr) {
            std::fprintf(stderr, "the About box did not open\n");
        } else if (SaveWindow(about, argv[3])) {
            status = 0;
        }
        if (about)
            ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
    if (main)
        ::PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
        status = 1;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return status;
}
