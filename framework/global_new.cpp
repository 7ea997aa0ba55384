// The program's own global operator new and delete, over the C run-time's
// heap. The library's versions report a failed allocation by throwing, and
// would bring the C++ exception machinery into a program that uses none:
// here a failed allocation ends the program, with a message, instead. Only
// the program links this file; the tests keep the library's.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t size)
{
    if (void* memory = std::malloc(size != 0 ? size : 1))
        return memory;
    ::FatalAppExitA(0, "The program has run out of memory.");
    return nullptr;  // not reached: FatalAppExit ends the process
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
