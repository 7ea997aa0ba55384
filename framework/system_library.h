#pragma once

#include <windows.h>

// Libraries the program needs only now and then (accessibility, tooltips,
// the shell) are loaded on first use, not with the program.
//
// A library that is not a known DLL would be searched for in the program's
// own folder first, where anyone who can write a file next to the program
// could plant one: take it from the system folder only. Libraries loaded
// this way stay loaded: what they made may be in use until the process ends.
//
// Vista and 7 without the 2011 loader update refuse the flag that asks for
// the system folder alone; there the library is named by its full path in
// the system folder instead, with its own dependencies looked for beside it.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The second way above, whatever the loader knows.
HMODULE LoadSystemLibraryByPath(const wchar_t* name);

// The full path of library `name` in the system folder into `path`; false
// when the system folder cannot be had or the path would not fit.
bool SystemLibraryPath(const wchar_t* name, wchar_t (&path)[MAX_PATH]);

// Function `name` of `module` (which may be null) into `function`; whether
// it was found.
template <class Function>
bool FindFunction(HMODULE module, const char* name, Function& function)
{
    function = module ? reinterpret_cast<Function>(
                            reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                      : nullptr;
    return function != nullptr;
}

// The functions a caller needs of one or more system libraries, found the
// first time they are asked for and remembered, failure included: a library
// that is missing is looked for once, not on every use. `load` fills a
// `Functions` (a struct of function pointers, with LoadSystemLibrary and
// FindFunction) and says whether it found all that is needed. Null when it
// did not. Window threads only: the first call is not guarded against a
// second thread.
template <class Functions, bool (*load)(Functions&)>
const Functions* LoadOnce()
{
    static Functions functions{};
    static const bool loaded = load(functions);
    return loaded ? &functions : nullptr;
}
