// The least a dialog program can be: one modal dialog from a template, ended
// by its OK button, Escape or the close box. The start-up benchmark
// (tools/bench) measures VelQUOR.exe against it.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const INT_PTR result = ::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &DialogProc, 0);
    return result == IDOK || result == IDCANCEL ? 0 : 1;
}
