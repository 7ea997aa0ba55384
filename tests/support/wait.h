#pragma once

#include <windows.h>

#include <functional>

namespace support {

// Polls `condition` every `pollMs` until it holds or `timeoutMs` has passed;
// whether it held. The condition is asked once more at the end, so a slow
// poll never fails a condition that came true meanwhile. Most waits are for
// another program to take a message, a millisecond or two under Wine: a
// coarser poll would add most of its period to every one of them (the
// monkey's events took a third longer at 10 ms).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000, DWORD pollMs = 2);

}  // namespace support
