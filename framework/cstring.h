#pragma once

#include <windows.h>

#include <string>

// A narrow string as the window code uses it: built empty, assigned from
// text, loaded from the string table, measured.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}

    CString& operator=(const char* text)
    {
        m_text = text ? text : "";
        return *this;
    }

    // Loads string `id` of the program's string table; false when there is
    // none (the string is then empty).
    bool LoadString(UINT id);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }

private:
    std::string m_text;
};
