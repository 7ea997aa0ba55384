#include "message_map.h"

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam)
{
    if (entry.message != message)
        return false;
    if (message != WM_COMMAND)
        return true;
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id < entry.firstId || id > entry.lastId)
        return false;
    return entry.kind == HandlerKind::Notification || entry.code == code;
}

}  // namespace

bool CCmdTarget::DispatchToTables(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->handler; ++entry) {
            if (!Matches(*entry, message, wParam))
                continue;
            switch (entry->kind) {
            case HandlerKind::Plain:
                (this->*entry->handler)();
                result = 0;
                return true;
            case HandlerKind::SysCommand: {
                using Handler = void (CCmdTarget::*)(UINT, LPARAM);
                (this->*reinterpret_cast<Handler>(entry->handler))(
                    static_cast<UINT>(wParam), lParam);
                result = 0;
                return true;
            }
            case HandlerKind::QueryIcon: {
                using Handler = HCURSOR (CCmdTarget::*)();
                result = reinterpret_cast<LRESULT>(
                    (this->*reinterpret_cast<Handler>(entry->handler))());
                return true;
            }
            case HandlerKind::Notification: {
                using Handler = bool (CCmdTarget::*)(UINT, UINT);
                if ((this->*reinterpret_cast<Handler>(entry->handler))(LOWORD(wParam),
                                                                        HIWORD(wParam))) {
                    result = 0;
                    return true;
                }
                break;  // declined: later entries and the base's table may take it
            }
            }
        }
    }
    return false;
}

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageEntry entries[] = {kEndOfMessages};
    static const MessageMap map = {nullptr, entries};
    return &map;
}
