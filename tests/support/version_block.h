#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

// A file's version block, as the shell reads it (link with `version`).
class VersionInfo {
public:
    explicit VersionInfo(const std::string& path)
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
        m_data.resize(size);
        m_ok = size != 0 && ::GetFileVersionInfoA(path.c_str(), 0, size, m_data.data());
    }

    bool Ok() const { return m_ok; }

    // The value under `path`, or false when there is none.
    bool Query(const std::string& path, const void*& value, UINT& length) const
    {
        void* found = nullptr;
        length = 0;
        if (!m_ok || !::VerQueryValueA(m_data.data(), path.c_str(), &found, &length))
            return false;
        value = found;
        return true;
    }

    // The fixed part; zeros when there is none.
    VS_FIXEDFILEINFO Fixed() const
    {
        VS_FIXEDFILEINFO fixed{};
        const void* value = nullptr;
        UINT length = 0;
        if (Query("\\", value, length) && length == sizeof fixed)
            std::memcpy(&fixed, value, sizeof fixed);
        return fixed;
    }

    // String `name` ("ProductName"...) of the US English table, in either
    // code page the tools write.
    std::string String(const std::string& name) const
    {
        for (const char* table : {"040904b0", "040904e4"}) {
            const void* value = nullptr;
            UINT length = 0;
            if (Query(std::string("\\StringFileInfo\\") + table + "\\" + name, value, length) &&
                value != nullptr)
                return static_cast<const char*>(value);
        }
        return "<no " + name + ">";
    }

private:
    std::vector<BYTE> m_data;
    bool m_ok = false;
};

// The first `parts` numbers of a version (its two halves, most significant
// first), joined by `separator`: "1, 0, 0, 0" as the version strings write
// it, "1.0.0" as the About box and the packages do.
inline std::string VersionText(DWORD high, DWORD low, int parts, const char* separator)
{
    const WORD numbers[] = {HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low)};
    std::string text = std::to_string(numbers[0]);
    for (int i = 1; i < parts; ++i)
        text += separator + std::to_string(numbers[i]);
    return text;
}
