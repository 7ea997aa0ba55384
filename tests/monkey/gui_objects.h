#pragma once

#include <windows.h>

#include <string>

// How many GDI and USER objects a running process holds, read from outside
// it.
//
// The platform's own count is GetGuiResources. Wine does not implement it
// (it returns 0 and sets ERROR_CALL_NOT_IMPLEMENTED), so where it gives
// nothing the counts come from elsewhere:
//   GDI:  the live, non-stock entries of the process's GDI handle table,
//         which Wine keeps, like Windows, at PEB.GdiSharedHandleTable and
//         which ReadProcessMemory can read;
//   USER: the process's windows (top-level ones, hidden or not, message-only
//         ones and all their descendants). Menus, icons, cursors and hooks
//         are USER objects too, but nothing outside the process can count
//         them under Wine.
struct GuiObjectCounts {
    long gdi = -1;   // -1: could not be counted
    long user = -1;
    long tooltips = 0;  // the process's tooltip windows (among the USER objects)
};

class GuiObjectCounter {
public:
    // Decides how to count, and checks the GDI handle-table reading against
    // objects this process creates and deletes itself. False, with the
    // reason in Method(), when there is no way to count GDI objects.
    bool Prepare();

    // One line saying how the counts are taken, and why.
    const std::string& Method() const { return m_method; }

    // `process` needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
    GuiObjectCounts Count(HANDLE process, DWORD processId) const;

private:
    bool m_platformCounts = false;
    std::string m_method;
};

// The live, non-stock GDI objects in `process`'s handle table; -1 when the
// table cannot be read.
long CountGdiHandleTable(HANDLE process);

// All windows that belong to `processId`.
long CountWindowsOf(DWORD processId);

// The top-level tooltip windows that belong to `processId`.
long CountTooltipsOf(DWORD processId);
