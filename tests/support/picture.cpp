#include "picture.h"

#include <algorithm>
#include <cstdio>

namespace support {

Picture PictureOfBitmap(HBITMAP bitmap)
{
    Picture picture;
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) == 0)
        return picture;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = -info.bmHeight;  // top row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (info.bmWidth * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * info.bmHeight);
    HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, bitmap, 0, info.bmHeight, rows.data(),
                                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight)
        return picture;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.bgr.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(&rows[static_cast<std::size_t>(y) * stride], picture.width * 3,
                    &picture.bgr[static_cast<std::size_t>(y) * picture.width * 3]);
    return picture;
}

Picture CopyFromDc(HDC source, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    HDC memory = ::CreateCompatibleDC(source);
    HBITMAP bitmap = ::CreateCompatibleBitmap(source, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const BOOL copied = ::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    Picture picture = copied ? PictureOfBitmap(bitmap) : Picture{};
    ::DeleteObject(bitmap);
    return picture;
}

Picture CopyClientArea(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    HDC dc = ::GetDC(window);
    Picture picture = CopyFromDc(dc, 0, 0, client.right, client.bottom);
    ::ReleaseDC(window, dc);
    return picture;
}

Picture CopyScreenArea(RECT area)
{
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::IntersectRect(&area, &area, &screen);
    HDC dc = ::GetDC(nullptr);
    Picture picture = CopyFromDc(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ::ReleaseDC(nullptr, dc);
    return picture;
}

Picture CopyFromScreen(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return CopyScreenArea(rect);
}

bool WriteBmp(const std::string& path, const Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    const int stride = (picture.width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // bottom row first, as BMP files store it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * picture.height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                   std::fwrite(&header, sizeof header, 1, out) == 1;
    std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
    for (int y = picture.height - 1; written && y >= 0; --y) {
        std::copy_n(picture.Pixel(0, y), picture.width * 3, row.begin());
        written = std::fwrite(row.data(), row.size(), 1, out) == 1;
    }
    return std::fclose(out) == 0 && written;
}

}  // namespace support
