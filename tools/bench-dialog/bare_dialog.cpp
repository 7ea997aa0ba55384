// The least a program with Velquor's resources can be: the main dialog
// template shown modally by the dialog manager alone, ended by its Exit
// button (IDOK), Escape or the close box. Nothing fills the list or answers
// a control. The start-up benchmark (tools/bench) measures VelQUOR.exe
// against it.
#include <windows.h>

#include "identifiers.h"

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
    const INT_PTR result =
        ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, &DialogProc, 0);
    return result == IDOK || result == IDCANCEL ? 0 : 1;
}
