#pragma once

// Reading raw resources: finding one in a module, and walking the packed
// little-endian structures of dialog templates and version blocks.

#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "narrow.h"

namespace resource_reader {

struct Bytes {
    const BYTE* data = nullptr;
    DWORD size = 0;

    explicit operator bool() const { return data != nullptr; }
};

inline Bytes Find(HMODULE module, LPCSTR type, LPCSTR name)
{
    const HRSRC found = ::FindResourceA(module, name, type);
    if (found == nullptr)
        return {};
    const HGLOBAL loaded = ::LoadResource(module, found);
    return {static_cast<const BYTE*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

inline Bytes Find(HMODULE module, int type, int name)
{
    return Find(module, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(name));
}

// A cursor over one resource. Reading past the end sets Overrun() and
// yields zeros, so a damaged resource fails the comparisons, not the test
// program.
class Reader {
public:
    explicit Reader(Bytes bytes) : m_begin(bytes.data), m_at(bytes.data), m_end(bytes.data + bytes.size) {}
    Reader(const BYTE* begin, const BYTE* at, const BYTE* end) : m_begin(begin), m_at(at), m_end(end) {}

    template <class T>
    T Read()
    {
        T value{};
        if (static_cast<std::size_t>(m_end - m_at) < sizeof value) {
            m_overrun = true;
            m_at = m_end;
            return value;
        }
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }

    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }

    // A zero-terminated UTF-16 string.
    std::string String()
    {
        std::wstring text;
        for (WORD c = Word(); c != 0 && !m_overrun; c = Word())
            text += static_cast<wchar_t>(c);
        return support::Narrow(text);
    }

    // A field that is nothing (0x0000), a number (0xFFFF, n) or a string.
    struct NameOrNumber {
        bool isNumber = false;
        WORD number = 0;
        std::string name;
    };
    NameOrNumber NameOrNumberField()
    {
        NameOrNumber field;
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            field.isNumber = true;
            field.number = Word();
        } else if (first != 0) {
            m_at -= sizeof(WORD);
            field.name = String();
        }
        return field;
    }

    // Aligns to a 32-bit boundary from the start of the resource.
    void AlignDword()
    {
        while (((m_at - m_begin) & 3) != 0 && m_at < m_end)
            ++m_at;
    }
    void Skip(std::size_t bytes) { m_at += bytes < static_cast<std::size_t>(m_end - m_at) ? bytes : m_end - m_at; }

    const BYTE* Begin() const { return m_begin; }
    const BYTE* At() const { return m_at; }
    const BYTE* End() const { return m_end; }
    bool AtEnd() const { return m_at >= m_end; }
    bool Overrun() const { return m_overrun; }

private:
    const BYTE* m_begin;
    const BYTE* m_at;
    const BYTE* m_end;
    bool m_overrun = false;
};

// ---------------------------------------------------------------------------
// Dialog templates, classic and extended, as one shape.

struct DialogItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, width = 0, height = 0;
    DWORD id = 0;
    Reader::NameOrNumber className;
    Reader::NameOrNumber title;
    WORD extraBytes = 0;
};

struct DialogTemplate {
    bool extended = false;
    WORD version = 0;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    WORD itemCount = 0;
    short x = 0, y = 0, width = 0, height = 0;
    Reader::NameOrNumber menu;
    Reader::NameOrNumber windowClass;
    std::string title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 0;
    std::string typeface;
    std::vector<DialogItem> items;
    bool overrun = false;
    std::size_t bytesLeft = 0;  // after the last item
};

inline DialogTemplate ParseDialogTemplate(Bytes bytes)
{
    DialogTemplate dialog;
    Reader in(bytes);
    const WORD first = in.Word();
    const WORD second = in.Word();
    dialog.extended = second == 0xFFFF;
    if (dialog.extended) {
        dialog.version = first;
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = MAKELONG(first, second);
        dialog.exStyle = in.Dword();
    }
    dialog.itemCount = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.width = in.Short();
    dialog.height = in.Short();
    dialog.menu = in.NameOrNumberField();
    dialog.windowClass = in.NameOrNumberField();
    dialog.title = in.String();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charSet = in.Byte();
        }
        dialog.typeface = in.String();
    }
    for (WORD i = 0; i < dialog.itemCount && !in.Overrun(); ++i) {
        DialogItem item;
        in.AlignDword();
        if (dialog.extended) {
            item.helpId = in.Dword();
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.width = in.Short();
        item.height = in.Short();
        item.id = dialog.extended ? in.Dword() : in.Word();
        item.className = in.NameOrNumberField();
        item.title = in.NameOrNumberField();
        item.extraBytes = in.Word();
        in.Skip(item.extraBytes);
        dialog.items.push_back(item);
    }
    dialog.overrun = in.Overrun();
    dialog.bytesLeft = static_cast<std::size_t>(in.End() - in.At());
    return dialog;
}

// The class a template names, by its predefined number or by name.
inline std::string ClassNameOf(const Reader::NameOrNumber& field)
{
    if (!field.isNumber)
        return field.name;
    switch (field.number) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return "#" + std::to_string(field.number);
    }
}

// Class names compare without regard to case ("STATIC" is "Static").
inline bool SameClass(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Dialog template `id` of this executable, which links the program's
// resources: what the dialog manager is given.
inline DialogTemplate OwnDialogTemplate(int id)
{
    return ParseDialogTemplate(Find(::GetModuleHandleA(nullptr), 5 /* RT_DIALOG */, id));
}

// The strings that the initialisation data of dialog `dialog` (resource
// type 240) adds to `control`, in order. Each entry is the control, the
// message, the length of its data and the data, here a zero-terminated
// string; a control of 0 ends the list.
inline std::vector<std::string> DialogInitStrings(HMODULE module, int dialog, int control)
{
    std::vector<std::string> strings;
    Reader in(Find(module, 240, dialog));
    for (WORD id = in.Word(); id != 0 && !in.Overrun(); id = in.Word()) {
        in.Word();
        const DWORD length = in.Dword();
        const std::size_t room = static_cast<std::size_t>(in.End() - in.At());
        const std::string data(reinterpret_cast<const char*>(in.At()), length < room ? length : room);
        in.Skip(length);
        if (id == control)
            strings.push_back(data.c_str());
    }
    return strings;
}

// The header of bitmap resource `id`; zeros when there is none.
inline BITMAPINFOHEADER BitmapHeader(HMODULE module, int id)
{
    Reader in(Find(module, 2 /* RT_BITMAP */, id));
    return in.Read<BITMAPINFOHEADER>();
}

// ---------------------------------------------------------------------------
// Version blocks: a tree of (length, value length, type, key, value,
// children), each part aligned to 32 bits.

struct VersionNode {
    std::string key;
    WORD type = 0;  // 1: text value, 0: binary value
    std::vector<BYTE> value;
    std::vector<VersionNode> children;

    // A text value without its terminating zero.
    std::string Text() const
    {
        std::wstring text;
        for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
            const wchar_t c = static_cast<wchar_t>(value[i] | (value[i + 1] << 8));
            if (c == 0)
                break;
            text += c;
        }
        return support::Narrow(text);
    }

    const VersionNode* Child(const std::string& childKey) const
    {
        for (const VersionNode& child : children)
            if (child.key == childKey)
                return &child;
        return nullptr;
    }
};

inline VersionNode ParseVersionNode(Reader& in, bool& damaged)
{
    VersionNode node;
    in.AlignDword();
    const BYTE* const start = in.At();
    const WORD length = in.Word();
    const WORD valueLength = in.Word();
    node.type = in.Word();
    node.key = in.String();
    in.AlignDword();
    const BYTE* const end = start + length;
    if (length < 6 || end > in.End()) {
        damaged = true;
        return node;
    }
    const std::size_t valueBytes = node.type == 1 ? valueLength * 2u : valueLength;
    if (in.At() + valueBytes > end) {
        damaged = true;
        return node;
    }
    node.value.assign(in.At(), in.At() + valueBytes);
    in.Skip(valueBytes);
    Reader children(in.Begin(), in.At(), end);
    for (children.AlignDword(); !children.AtEnd() && !damaged; children.AlignDword())
        node.children.push_back(ParseVersionNode(children, damaged));
    in = Reader(in.Begin(), end, in.End());
    return node;
}

}  // namespace resource_reader
