#pragma once

#include <string>
#include <string_view>

namespace support {

// UTF-16 text of the program as a plain string. The program's texts are
// ASCII; anything else shows as '?', so that a stray character fails a
// comparison instead of passing as some other byte.
inline std::string Narrow(std::wstring_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

}  // namespace support
