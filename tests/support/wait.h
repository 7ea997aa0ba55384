#pragma once

#include <windows.h>

#include <functional>

namespace support {

// Polls `condition` every `pollMs` until it holds or `timeoutMs` has passed;
// whether it held. The condition is asked once more at the end, so a slow
// poll never fails a condition that came true meanwhile.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000, DWORD pollMs = 10);

}  // namespace support
