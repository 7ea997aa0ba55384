#pragma once

#include <windows.h>

#include <bit>
#include <type_traits>

// Message tables: each class that handles messages has one static table of
// entries, read top to bottom, first match wins; then its base class's table,
// then the platform's default handling.
//
// An entry carries a small function made for its handler, which calls the
// handler with its own arguments and return type: no handler is ever stored
// as another type and cast back. The tables are constant data:
//
//     DEFINE_MESSAGE_MAP(CMyDlg, CDialog,
//         OnMessage<&CMyDlg::OnPaint>(WM_PAINT),
//         OnCommand<&CMyDlg::OnApply>(IDC_APPLY, BN_CLICKED),)

class CCmdTarget;

// Runs an entry's handler on `target`, an object of the class whose table
// holds the entry (or of a class derived from it). False when the handler
// declined the message; `result` is then untouched.
using MessageThunk = bool (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The code of a WM_COMMAND entry that takes every notification code.
inline constexpr UINT kAnyCode = 0xFFFFFFFF;  // codes are 16 bits: no real code is this

struct MessageEntry {
    UINT message;
    UINT code;     // notification code of a WM_COMMAND entry, or kAnyCode
    UINT firstId;  // control identifiers of a WM_COMMAND entry; 0 otherwise
    UINT lastId;
    MessageThunk call;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*base)();  // the base class's table; null at the root
    const MessageEntry* entries;
};

namespace message_map_detail {

template <class Member>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
    using type = Class;
};

// The class that declares the handler: the object is converted to it, down
// from CCmdTarget, which is what the entry's place in that class's table
// guarantees it is.
template <auto Handler>
using Owner = typename MemberOf<decltype(Handler)>::type;

template <auto Handler>
Owner<Handler>& Target(CCmdTarget& target)
{
    static_assert(std::is_base_of_v<CCmdTarget, Owner<Handler>>,
                  "a handler's class must derive from CCmdTarget");
    return static_cast<Owner<Handler>&>(target);
}

template <auto Handler, class Signature>
inline constexpr bool kHas = std::is_same_v<decltype(Handler), Signature Owner<Handler>::*>;

template <auto Handler>
bool CallPlain(CCmdTarget& target, WPARAM, LPARAM, LRESULT& result)
{
    (Target<Handler>(target).*Handler)();
    result = 0;
    return true;
}

template <auto Handler>
bool CallSysCommand(CCmdTarget& target, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    (Target<Handler>(target).*Handler)(static_cast<UINT>(wParam), lParam);
    result = 0;
    return true;
}

template <auto Handler>
bool CallQueryIcon(CCmdTarget& target, WPARAM, LPARAM, LRESULT& result)
{
    static_assert(sizeof(HCURSOR) == sizeof(LRESULT));
    result = std::bit_cast<LRESULT>((Target<Handler>(target).*Handler)());
    return true;
}

template <auto Handler>
bool CallNotification(CCmdTarget& target, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (!(Target<Handler>(target).*Handler)(LOWORD(wParam), HIWORD(wParam)))
        return false;
    result = 0;
    return true;
}

}  // namespace message_map_detail

// The handler kinds. Each builder names its handler as a template argument
// and states the signature that handler must have.

// void Handler()
// Window message `message`; the result is 0.
template <auto Handler>
constexpr MessageEntry OnMessage(UINT message)
{
    static_assert(message_map_detail::kHas<Handler, void()>, "void Handler()");
    return {message, 0, 0, 0, &message_map_detail::CallPlain<Handler>};
}

// void Handler()
// Command `code` from control (or menu item) `id`; `code` 0 is a menu's or
// an accelerator's command.
template <auto Handler>
constexpr MessageEntry OnCommand(UINT id, UINT code)
{
    static_assert(message_map_detail::kHas<Handler, void()>, "void Handler()");
    return {WM_COMMAND, code, id, id, &message_map_detail::CallPlain<Handler>};
}

// void Handler(UINT id, LPARAM param)
// WM_SYSCOMMAND: the command and its position or argument.
template <auto Handler>
constexpr MessageEntry OnSysCommandMessage()
{
    static_assert(message_map_detail::kHas<Handler, void(UINT, LPARAM)>,
                  "void Handler(UINT id, LPARAM param)");
    return {WM_SYSCOMMAND, 0, 0, 0, &message_map_detail::CallSysCommand<Handler>};
}

// HCURSOR Handler()
// WM_QUERYDRAGICON: the returned icon is the message's result.
template <auto Handler>
constexpr MessageEntry OnQueryDragIconMessage()
{
    static_assert(message_map_detail::kHas<Handler, HCURSOR()>, "HCURSOR Handler()");
    return {WM_QUERYDRAGICON, 0, 0, 0, &message_map_detail::CallQueryIcon<Handler>};
}

// bool Handler(UINT id, UINT code)
// Any command from a control in firstId..lastId, whatever its code. False
// declines it: the search goes on with the later entries and the base's
// table.
template <auto Handler>
constexpr MessageEntry OnNotificationRange(UINT firstId, UINT lastId)
{
    static_assert(message_map_detail::kHas<Handler, bool(UINT, UINT)>,
                  "bool Handler(UINT id, UINT code)");
    return {WM_COMMAND, kAnyCode, firstId, lastId, &message_map_detail::CallNotification<Handler>};
}

inline constexpr MessageEntry kEndOfMessages = {0, 0, 0, 0, nullptr};

// Defines Class::GetThisMessageMap(): the entries given (each followed by a
// comma), read before those of Base's table.
#define DEFINE_MESSAGE_MAP(Class, Base, ...)                                    \
    const MessageMap* Class::GetThisMessageMap()                                \
    {                                                                           \
        static constexpr MessageEntry entries[] = {__VA_ARGS__ kEndOfMessages}; \
        static constexpr MessageMap map = {&Base::GetThisMessageMap, entries};  \
        return &map;                                                            \
    }

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
