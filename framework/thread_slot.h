#pragma once

#include <windows.h>

// A pointer of each thread's own, kept by the system: the slot is taken when
// the object is made and given back when it is destroyed, and every thread
// reads null until it stores its own value. An optional release function is
// called with a thread's value when that thread ends, and with every value
// still stored when the slot is given back, so a thread can own what it
// stores. (Fiber-local storage: in a program without fibers, that is each
// thread's own storage, with the release that the plain thread-local slots
// lack.)
class ThreadSlot {
public:
    explicit ThreadSlot(PFLS_CALLBACK_FUNCTION release = nullptr) : m_index(::FlsAlloc(release)) {}
    ~ThreadSlot()
    {
        if (m_index != FLS_OUT_OF_INDEXES)
            ::FlsFree(m_index);
    }
    ThreadSlot(const ThreadSlot&) = delete;
    ThreadSlot& operator=(const ThreadSlot&) = delete;

    void* Get() const { return m_index != FLS_OUT_OF_INDEXES ? ::FlsGetValue(m_index) : nullptr; }
    bool Set(void* value) { return m_index != FLS_OUT_OF_INDEXES && ::FlsSetValue(m_index, value); }

private:
    DWORD m_index;
};
