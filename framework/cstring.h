#pragma once

#include <windows.h>

// A narrow string as the window code uses it: built empty, assigned from
// text, loaded from the string table, filled from a window, measured. It
// owns its characters on the heap and holds any length.
class CString {
public:
    CString() = default;
    CString(const char* text) { Assign(text, text != nullptr ? lstrlenA(text) : 0); }
    CString(const CString& other) { Assign(other.m_text, other.m_length); }
    ~CString() { delete[] m_text; }

    CString& operator=(const char* text)
    {
        Assign(text, text != nullptr ? lstrlenA(text) : 0);
        return *this;
    }
    CString& operator=(const CString& other)
    {
        Assign(other.m_text, other.m_length);
        return *this;
    }

    // Loads string `id` of the program's string table; false when there is
    // none (the string is then empty).
    bool LoadString(UINT id);

    // Room for `length` characters and the ending zero, to be written by a
    // call such as GetWindowText; ReleaseBuffer then sets the length that
    // was written (at most the one asked for).
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int length);

    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    operator const char*() const { return m_text != nullptr ? m_text : ""; }

    friend bool operator==(const CString& a, const CString& b);

private:
    void Assign(const char* text, int length);

    char* m_text = nullptr;
    int m_length = 0;
};
