#include "version_resource.h"

#include <cstring>

#include "win_app.h"

namespace {

// A node of a version block: its length in bytes (its children included),
// its value's length (characters for text, bytes otherwise) and type, a
// zero-terminated UTF-16 key, then its value and its children, each on a
// 32-bit boundary counted from the start of the block.
struct VersionNode {
    const BYTE* key = nullptr;  // null when there is no such node
    const BYTE* value = nullptr;
    const BYTE* children = nullptr;
    const BYTE* end = nullptr;
};

WORD WordAt(const BYTE* at)
{
    WORD word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

const BYTE* Aligned(const BYTE* block, const BYTE* at)
{
    return block + ((at - block + 3) & ~3);
}

// The number of UTF-16 characters from `at` to the zero that ends them,
// or -1 when no zero comes before `end`.
int TextLength(const BYTE* at, const BYTE* end)
{
    for (int length = 0; at + 2 * length + 2 <= end; ++length)
        if (WordAt(at + 2 * length) == 0)
            return length;
    return -1;
}

// The node at `at`, which must end by `limit`.
VersionNode NodeAt(const BYTE* block, const BYTE* at, const BYTE* limit)
{
    if (limit - at < 6 || WordAt(at) < 6 || WordAt(at) > limit - at)
        return {};
    const BYTE* const end = at + WordAt(at);
    const WORD valueLength = WordAt(at + 2);
    const bool text = WordAt(at + 4) == 1;
    const int keyLength = TextLength(at + 6, end);
    if (keyLength < 0)
        return {};
    VersionNode node{at + 6, Aligned(block, at + 6 + 2 * keyLength + 2), nullptr, end};
    node.children = Aligned(block, node.value + (text ? 2 * valueLength : valueLength));
    if (node.children > end)
        node.children = end;
    return node;
}

bool KeyIs(const VersionNode& node, const char* key)
{
    const int length = TextLength(node.key, node.end);
    if (length != lstrlenA(key))
        return false;
    for (int i = 0; i < length; ++i)
        if (WordAt(node.key + 2 * i) != static_cast<unsigned char>(key[i]))
            return false;
    return true;
}

// The child of `parent` named `key`, or its first child when `key` is null.
VersionNode Child(const BYTE* block, const VersionNode& parent, const char* key)
{
    for (const BYTE* at = parent.children; at < parent.end;) {
        const VersionNode child = NodeAt(block, at, parent.end);
        if (child.key == nullptr)
            break;
        if (key == nullptr || KeyIs(child, key))
            return child;
        at = Aligned(block, child.end);
    }
    return {};
}

}  // namespace

CString VersionString(const char* key)
{
    const LPCSTR name = MAKEINTRESOURCEA(VS_VERSION_INFO);
    const LPCSTR type = reinterpret_cast<LPCSTR>(RT_VERSION);
    const HINSTANCE module = AfxFindResourceHandle(name, type);
    const HRSRC found = ::FindResourceA(module, name, type);
    const BYTE* const block =
        found != nullptr ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))) : nullptr;
    CString text;
    if (block == nullptr)
        return text;

    // The strings are in the block's one string table, whatever its language.
    const VersionNode root = NodeAt(block, block, block + ::SizeofResource(module, found));
    const VersionNode table = Child(block, Child(block, root, "StringFileInfo"), nullptr);
    const VersionNode string = Child(block, table, key);
    const int length = string.key != nullptr ? TextLength(string.value, string.end) : -1;
    if (length <= 0)
        return text;
    const auto* wide = reinterpret_cast<const wchar_t*>(string.value);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    char* buffer = text.GetBufferSetLength(bytes);
    text.ReleaseBuffer(WideCharToMultiByte(CP_ACP, 0, wide, length, buffer, bytes, nullptr, nullptr));
    return text;
}
