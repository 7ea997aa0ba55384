#include "message_map.h"

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam)
{
    if (entry.message != message)
        return false;
    if (message != WM_COMMAND)
        return true;
    const UINT id = LOWORD(wParam);
    if (id < entry.firstId || id > entry.lastId)
        return false;
    return entry.code == kAnyCode || entry.code == HIWORD(wParam);
}

}  // namespace

bool CCmdTarget::DispatchToTables(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->call; ++entry) {
            // A handler that declines lets later entries and the base's
            // table have the message.
            if (Matches(*entry, message, wParam) && entry->call(*this, wParam, lParam, result))
                return true;
        }
    }
    return false;
}

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static constexpr MessageEntry entries[] = {kEndOfMessages};
    static constexpr MessageMap map = {nullptr, entries};
    return &map;
}
