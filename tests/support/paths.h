#pragma once

#include <string>
#include <vector>

namespace support {

// A Unix path of the build tree as a Windows path: Wine maps / to drive Z:.
// A path that is not absolute only has its slashes turned.
std::string WindowsPath(std::string path);

// The whole file, or nothing when it cannot be read.
std::vector<unsigned char> ReadWholeFile(const std::string& path);

}  // namespace support
