#include "gui_objects.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace {

// The process environment block keeps the address of the GDI handle table
// at this offset (its fields before it are pointer-sized).
constexpr std::uintptr_t kPebGdiSharedHandleTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

// One entry of the GDI handle table, as the platform lays it out (24 bytes
// in 32-bit and 64-bit processes alike).
#pragma pack(push, 1)
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extTypeAndStock;  // bits 0-6: extended type; bit 7: stock object
    std::uint8_t generation;       // bumped on each allocation; 0: never used
    std::uint8_t type;             // 0: free
    std::uint8_t flags;
    std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "the platform's entry is 24 bytes");

constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kEntriesPerRead = 1024;

struct BasicProcessInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};

using QueryInformationProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

std::uintptr_t PebOf(HANDLE process)
{
    static const auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (query == nullptr)
        return 0;
    BasicProcessInformation info{};
    ULONG length = 0;
    constexpr int kProcessBasicInformation = 0;
    if (query(process, kProcessBasicInformation, &info, sizeof info, &length) != 0)
        return 0;
    return reinterpret_cast<std::uintptr_t>(info.pebBaseAddress);
}

template <class T>
bool ReadFrom(HANDLE process, std::uintptr_t address, T* out, std::size_t count = 1)
{
    SIZE_T read = 0;
    return ::ReadProcessMemory(process, reinterpret_cast<const void*>(address), out,
                               sizeof(T) * count, &read) &&
           read == sizeof(T) * count;
}

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

struct WindowCount {
    DWORD processId;
    long count;
};

void CountWindowAndDescendants(HWND window, WindowCount& tally)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != tally.processId)
        return;
    ++tally.count;
    // EnumChildWindows walks every descendant, not only direct children.
    ::EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&tally.count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM lParam)
{
    CountWindowAndDescendants(window, *reinterpret_cast<WindowCount*>(lParam));
    return TRUE;
}

BOOL CALLBACK CountTooltip(HWND window, LPARAM lParam)
{
    auto& tally = *reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[32] = "";
    if (owner == tally.processId && ::GetClassNameA(window, name, sizeof name) > 0 &&
        lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
        ++tally.count;
    return TRUE;
}

}  // namespace

long CountGdiHandleTable(HANDLE process)
{
    const std::uintptr_t peb = PebOf(process);
    std::uintptr_t table = 0;  // a pointer in a process of our own kind
    if (peb == 0 || !ReadFrom(process, peb + kPebGdiSharedHandleTable, &table) || table == 0)
        return -1;

    // Handles are handed out from the start of the table; an entry that was
    // never used (generation 0) means none after it was either.
    std::vector<GdiHandleEntry> entries(kEntriesPerRead);
    long live = 0;
    for (std::size_t first = 0; first < kGdiTableEntries; first += kEntriesPerRead) {
        if (!ReadFrom(process, table + first * sizeof(GdiHandleEntry), entries.data(), entries.size()))
            return -1;
        for (const GdiHandleEntry& entry : entries)
            if (entry.type != 0 && (entry.extTypeAndStock & 0x80) == 0)
                ++live;
        const GdiHandleEntry& last = entries.back();
        if (last.type == 0 && last.generation == 0)
            break;
    }
    return live;
}

long CountWindowsOf(DWORD processId)
{
    WindowCount tally{processId, 0};
    ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    // Message-only windows are not top-level windows: they have to be asked
    // for by their parent.
    for (HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = ::FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        CountWindowAndDescendants(window, tally);
    return tally.count;
}

long CountTooltipsOf(DWORD processId)
{
    WindowCount tally{processId, 0};
    ::EnumWindows(&CountTooltip, reinterpret_cast<LPARAM>(&tally));
    return tally.count;
}

bool GuiObjectCounter::Prepare()
{
    const HANDLE self = ::GetCurrentProcess();
    ::SetLastError(0);
    const DWORD gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(self, GR_USEROBJECTS);
    const DWORD error = ::GetLastError();
    if (gdi != 0 || user != 0) {
        m_platformCounts = true;
        m_method = "GetGuiResources (GR_GDIOBJECTS, GR_USEROBJECTS)";
        return true;
    }
    const std::string platform = "GetGuiResources returns 0 for GDI and USER objects (last error " +
                                 std::to_string(error) + (error == ERROR_CALL_NOT_IMPLEMENTED ? ", not implemented" : "") +
                                 ")";

    // The handle-table reading must see exactly what this process does.
    constexpr int kProbes = 16;
    const long before = CountGdiHandleTable(self);
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < kProbes; ++i)
        brushes.push_back(::CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
    const long during = CountGdiHandleTable(self);
    for (HBRUSH brush : brushes)
        ::DeleteObject(brush);
    const long after = CountGdiHandleTable(self);
    if (before < 0 || during != before + kProbes || after != before) {
        m_method = platform + "; the GDI handle table cannot be read either (counted " +
                   std::to_string(before) + ", " + std::to_string(during) + " with " +
                   std::to_string(kProbes) + " more brushes, " + std::to_string(after) +
                   " after deleting them): GDI objects cannot be counted";
        return false;
    }
    m_method = platform + "; counting GDI objects from the process's GDI handle table "
               "(checked: " + std::to_string(kProbes) + " brushes made here counted exactly) "
               "and USER objects as the process's windows";
    return true;
}

GuiObjectCounts GuiObjectCounter::Count(HANDLE process, DWORD processId) const
{
    GuiObjectCounts counts;
    counts.tooltips = CountTooltipsOf(processId);
    if (m_platformCounts) {
        counts.gdi = static_cast<long>(::GetGuiResources(process, GR_GDIOBJECTS));
        counts.user = static_cast<long>(::GetGuiResources(process, GR_USEROBJECTS));
        return counts;
    }
    counts.gdi = CountGdiHandleTable(process);
    counts.user = CountWindowsOf(processId);
    return counts;
}
