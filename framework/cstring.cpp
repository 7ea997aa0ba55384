#include "cstring.h"

#include <cstring>

#include "win_app.h"

void CString::Assign(const char* text, int length)
{
    // The copy is made before the old text is freed: `text` may point into it.
    char* copy = new char[static_cast<std::size_t>(length) + 1];
    if (length > 0)
        std::memcpy(copy, text, static_cast<std::size_t>(length));
    copy[length] = '\0';
    delete[] m_text;
    m_text = copy;
    m_length = length;
}

char* CString::GetBufferSetLength(int length)
{
    if (length < 0)
        length = 0;
    char* buffer = new char[static_cast<std::size_t>(length) + 1]();
    delete[] m_text;
    m_text = buffer;
    m_length = length;
    return m_text;
}

void CString::ReleaseBuffer(int length)
{
    if (m_text == nullptr)
        return;
    if (length < 0 || length > m_length)
        length = m_length;
    m_text[length] = '\0';
    m_length = length;
}

bool operator==(const CString& a, const CString& b)
{
    return a.m_length == b.m_length &&
           std::memcmp(static_cast<const char*>(a), static_cast<const char*>(b),
                       static_cast<std::size_t>(a.m_length)) == 0;
}

bool CString::LoadString(UINT id)
{
    // With a zero length, LoadStringW hands back a pointer into the resource
    // itself and the text's length, so no buffer size has to be guessed.
    const wchar_t* resource = nullptr;
    HINSTANCE module = AfxFindResourceHandle(
        MAKEINTRESOURCEA((id >> 4) + 1), reinterpret_cast<LPCSTR>(RT_STRING));
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr) {
        *this = "";
        return false;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    char* buffer = GetBufferSetLength(bytes);
    ReleaseBuffer(WideCharToMultiByte(CP_ACP, 0, resource, length, buffer, bytes, nullptr, nullptr));
    return true;
}
