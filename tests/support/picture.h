#pragma once

// Pictures of windows and of the screen, compared in memory or kept as BMP
// files.

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// A 24-bit picture, top row first, as rows of blue, green, red bytes with no
// padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;

    const unsigned char* Pixel(int x, int y) const
    {
        return &bgr[(static_cast<std::size_t>(y) * width + x) * 3];
    }
};

// The pixels of `bitmap` as 24-bit colour (a palette bitmap is looked up in
// its palette).
Picture PictureOfBitmap(HBITMAP bitmap);

// What `source` shows in the rectangle (x, y, width, height) of its
// coordinates, copied from it with BitBlt.
Picture CopyFromDc(HDC source, int x, int y, int width, int height);

// What a window shows in its client area, from its own device context: the
// whole client area, also where it reaches beyond the screen.
Picture CopyClientArea(HWND window);

// What the screen shows in `area` (screen coordinates), cut to the screen.
Picture CopyScreenArea(RECT area);
// What the screen shows where `window` is.
Picture CopyFromScreen(HWND window);

// Writes `picture` as a 24-bit BMP file (Windows path). False on failure.
bool WriteBmp(const std::string& path, const Picture& picture);

}  // namespace support
