#include "wait.h"

namespace support {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return condition();
        ::Sleep(pollMs);
    }
    return true;
}

}  // namespace support
