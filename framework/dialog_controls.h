#pragma once

#include <windows.h>

// The controls a dialog's template made, found by one walk over its children
// when it opens. Under Wine each step of such a walk is a round trip to the
// server, and so is each GetDlgItem, which lists the children afresh; the
// controls of a template live as long as the dialog, so the one walk serves
// every later lookup.
class DialogControls {
public:
    DialogControls() = default;
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;
    ~DialogControls() { delete[] m_controls; }

    // Walks `dialog`'s children, in their order, in place of what was found.
    void FindAll(HWND dialog);
    void Forget() { m_count = 0; }

    // The first of them that is still `dialog`'s child with identifier
    // `id`; null when none is, for the system to look further.
    HWND Find(HWND dialog, int id) const;

    const HWND* begin() const { return m_controls; }
    const HWND* end() const { return m_controls + m_count; }

private:
    // Grows the list by doubling; the program is built without exceptions,
    // which the library's containers would bring in.
    void Add(HWND control);

    HWND* m_controls = nullptr;
    int m_count = 0;
    int m_room = 0;
};
