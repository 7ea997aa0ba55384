#pragma once

#include <windows.h>

// Message tables: each class that handles messages has one static table of
// entries, read top to bottom, first match wins; then its base class's table,
// then the platform's default handling.

class CCmdTarget;

// What a handler receives and returns, one kind per signature.
enum class HandlerKind {
    Plain,         // void Handler()                   a window message or one command
    SysCommand,    // void Handler(UINT id, LPARAM)    WM_SYSCOMMAND
    QueryIcon,     // HCURSOR Handler()                WM_QUERYDRAGICON
    Notification,  // bool Handler(UINT id, UINT code) any command from a control in the
                   //                                  entry's range; false declines it
                   //                                  and the search goes on
};

using GenericHandler = void (CCmdTarget::*)();

struct MessageEntry {
    UINT message;
    UINT code;     // notification code of a Plain WM_COMMAND entry
    UINT firstId;  // control identifiers of a WM_COMMAND entry; 0 otherwise
    UINT lastId;
    HandlerKind kind;
    GenericHandler handler;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*base)();  // the base class's table; null at the root
    const MessageEntry* entries;
};

// Entry builders. The handler's class must derive from CCmdTarget; the cast
// to the base class's member type is the standard conversion, undone with
// the same type when the handler is called.
template <class T>
MessageEntry OnMessage(UINT message, void (T::*handler)())
{
    return {message, 0, 0, 0, HandlerKind::Plain,
            static_cast<GenericHandler>(handler)};
}

template <class T>
MessageEntry OnCommand(UINT id, UINT code, void (T::*handler)())
{
    return {WM_COMMAND, code, id, id, HandlerKind::Plain,
            static_cast<GenericHandler>(handler)};
}

template <class T>
MessageEntry OnSysCommandMessage(void (T::*handler)(UINT, LPARAM))
{
    using Base = void (CCmdTarget::*)(UINT, LPARAM);
    return {WM_SYSCOMMAND, 0, 0, 0, HandlerKind::SysCommand,
            reinterpret_cast<GenericHandler>(static_cast<Base>(handler))};
}

template <class T>
MessageEntry OnQueryDragIconMessage(HCURSOR (T::*handler)())
{
    using Base = HCURSOR (CCmdTarget::*)();
    return {WM_QUERYDRAGICON, 0, 0, 0, HandlerKind::QueryIcon,
            reinterpret_cast<GenericHandler>(static_cast<Base>(handler))};
}

template <class T>
MessageEntry OnNotificationRange(UINT firstId, UINT lastId, bool (T::*handler)(UINT, UINT))
{
    using Base = bool (CCmdTarget::*)(UINT, UINT);
    return {WM_COMMAND, 0, firstId, lastId, HandlerKind::Notification,
            reinterpret_cast<GenericHandler>(static_cast<Base>(handler))};
}

inline constexpr MessageEntry kEndOfMessages = {0, 0, 0, 0, HandlerKind::Plain, nullptr};

// The root of every class that has a message table.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the first matching entry of this class's tables. False when no
    // entry took the message; result is then untouched.
    bool DispatchToTables(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
};
