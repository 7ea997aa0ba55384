#include <windows.h>

#include "win_app.h"

// The process entry point: the command line is not read.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain();
}
