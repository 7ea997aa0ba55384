#include "paths.h"

#include <cstdio>

namespace support {

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return bytes;
    unsigned char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(in);
    return bytes;
}

}  // namespace support
