#pragma once

#include "cstring.h"

// String `key` ("ProductName", "FileDescription"...) of the program's own
// version block; empty when the block has none. Read straight from the
// resource as it is linked in, a few steps through memory already mapped,
// rather than through the version library, which would be one more DLL to
// load with the program.
CString VersionString(const char* key);
