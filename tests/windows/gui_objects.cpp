#include "gui_objects.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace {

// The process environment block keeps the address of the GDI handle table
// at this offset (its fields before it are pointer-sized).
constexpr std::size_t kPebGdiSharedHandleTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

// One entry of the GDI handle table, as the platform lays it out (24 bytes
// in 32-bit and 64-bit processes alike).
#pragma pack(push, 1)
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extTypeAndStock;  // bits 0-6: extended type; bit 7: stock object
    std::uint8_t generation;
    std::uint8_t type;  // 0: free
    std::uint8_t flags;
    std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "the platform's entry is 24 bytes");

constexpr std::size_t kGdiTableEntries = 0x10000;

long CountGdiHandleTable()
{
    const auto* peb = reinterpret_cast<const BYTE*>(::NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
    // The whole table must be there to be read.
    MEMORY_BASIC_INFORMATION memory{};
    if (table == nullptr || ::VirtualQuery(table, &memory, sizeof memory) == 0 || memory.State != MEM_COMMIT ||
        static_cast<const BYTE*>(memory.BaseAddress) + memory.RegionSize <
            reinterpret_cast<const BYTE*>(table + kGdiTableEntries))
        return -1;
    long live = 0;
    for (std::size_t i = 0; i < kGdiTableEntries; ++i)
        if (table[i].type != 0 && (table[i].extTypeAndStock & 0x80) == 0)
            ++live;
    return live;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithDescendants(HWND window, LPARAM count)
{
    CountWindow(window, count);
    // Every descendant, not only the direct children.
    ::EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

long Platform(DWORD which)
{
    return static_cast<long>(::GetGuiResources(::GetCurrentProcess(), which));
}

}  // namespace

long GdiObjects()
{
    const long counted = Platform(GR_GDIOBJECTS);
    return counted != 0 ? counted : CountGdiHandleTable();
}

long UserObjects()
{
    if (Platform(GR_GDIOBJECTS) != 0)
        return Platform(GR_USEROBJECTS);
    long count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWithDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}
