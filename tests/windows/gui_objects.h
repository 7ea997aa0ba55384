#pragma once

// How many GDI and USER objects this process holds.
//
// The platform's own count is GetGuiResources. Wine does not implement it
// (it returns 0 and sets ERROR_CALL_NOT_IMPLEMENTED), so where it gives
// nothing the counts come from elsewhere:
//   GDI:  the live, non-stock entries of the process's GDI handle table,
//         which Wine keeps, like Windows, at PEB.GdiSharedHandleTable;
//   USER: this thread's windows and all their descendants. Menus, icons,
//         cursors and hooks are USER objects too, but Wine offers no way to
//         count them.
// -1: the objects could not be counted.
long GdiObjects();
long UserObjects();
