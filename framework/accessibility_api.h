#pragma once

#include <windows.h>

#include <oleauto.h>

// What the program needs of the accessibility and automation libraries
// (oleacc, oleaut32, ole32). They are looked up the first time a screen
// reader asks for something, so that a program nobody inspects never loads
// them; from the system folder only (system_library.h).
struct AccessibilityApi {
    HRESULT(WINAPI* createStandardObject)(HWND, LONG, REFIID, void**);
    LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    BSTR(WINAPI* allocStringLength)(const OLECHAR*, UINT);
    void(WINAPI* freeString)(BSTR);
    HRESULT(WINAPI* loadTypeLibrary)(LPCOLESTR, REGKIND, ITypeLib**);
    HRESULT(WINAPI* initializeCom)(LPVOID, DWORD);
    void(WINAPI* uninitializeCom)();
};

// Null when any of it is missing. Loads the libraries on first use.
const AccessibilityApi* Accessibility();

// IAccessible as the accessibility library describes it, for callers that
// reach an object through IDispatch: its calls are made on the object's own
// functions. Loaded on first use and kept; null when it cannot be had.
ITypeInfo* AccessibleTypeInfo();

// `text` (in the ANSI code page, of any length) as a string of the
// automation library, for a client to free; null when the library or the
// memory is missing. Loads the libraries on first use.
BSTR NewAccessibleString(const char* text);
void FreeAccessibleString(BSTR text);
