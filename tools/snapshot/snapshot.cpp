// Starts VelQUOR.exe, saves a picture of its main window and of its About
// box as BMP files, copied from the screen, and closes both.
//
//   velquor_snapshot.exe PROGRAM MAIN.bmp ABOUT.bmp
#include <windows.h>

#include <cstdio>

#include "picture.h"
#include "program.h"
#include "wait.h"
#include "window_query.h"

namespace {

constexpr int kAboutButton = 1030;

// Waits up to `timeoutMs` for a visible dialog of the process other than
// `except`.
HWND WaitForDialog(DWORD process, HWND except, DWORD timeoutMs)
{
    HWND found = nullptr;
    support::WaitUntil([&] { return (found = support::FindDialog(process, except)) != nullptr; },
                       timeoutMs, 50);
    return found;
}

bool SaveWindow(HWND window, const char* path)
{
    ::SetForegroundWindow(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ::Sleep(500);  // let the window finish painting
    return support::WriteBmp(path, support::CopyFromScreen(window));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: velquor_snapshot PROGRAM MAIN.bmp ABOUT.bmp\n");
        return 2;
    }
    support::Program program;
    if (!program.Start(argv[1], nullptr, 30000, 50)) {
        std::fprintf(stderr, "%s\n", program.Error().c_str());
        return 1;
    }
    const HWND main = program.Main();
    bool saved = false;
    if (!SaveWindow(main, argv[2])) {
        std::fprintf(stderr, "cannot save %s\n", argv[2]);
    } else {
        // The About box runs modally inside the click: post, don't send.
        ::PostMessageA(::GetDlgItem(main, kAboutButton), BM_CLICK, 0, 0);
        const HWND about = WaitForDialog(program.ProcessId(), main, 10000);
        if (about == nullptr)
            std::fprintf(stderr, "the About box did not open\n");
        else if (!(saved = SaveWindow(about, argv[3])))
            std::fprintf(stderr, "cannot save %s\n", argv[3]);
        if (about)
            ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
    ::PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    const bool ended = program.WaitForExit(10000).has_value();
    return saved && ended ? 0 : 1;
}
