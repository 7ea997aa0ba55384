#include "cstring.h"

#include "win_app.h"

bool CString::LoadString(UINT id)
{
    // With a zero length, LoadStringW hands back a pointer into the resource
    // itself and the text's length, so no buffer size has to be guessed.
    const wchar_t* resource = nullptr;
    HINSTANCE module = AfxFindResourceHandle(
        MAKEINTRESOURCEA((id >> 4) + 1), reinterpret_cast<LPCSTR>(RT_STRING));
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr) {
        m_text.clear();
        return false;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    m_text.assign(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, resource, length, m_text.data(), bytes, nullptr, nullptr);
    return true;
}
