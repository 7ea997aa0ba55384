#include "field_measure.h"

#include <cstring>

// The width is that of the formatting rectangle: the part of the field
// where text is drawn.
FieldMeasure::FieldMeasure(HWND edit) : m_edit(edit), m_dc(edit != nullptr ? ::GetDC(edit) : nullptr)
{
    if (m_dc == nullptr)
        return;
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0));
    if (font != nullptr)
        m_oldFont = ::SelectObject(m_dc, font);
    RECT format{};
    ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    m_width = format.right - format.left;
}

FieldMeasure::~FieldMeasure()
{
    if (m_oldFont != nullptr)
        ::SelectObject(m_dc, m_oldFont);
    if (m_dc != nullptr)
        ::ReleaseDC(m_edit, m_dc);
}

// Narrower than the rectangle, so that the caret after the last character
// stays inside it too and the field never scrolls. A field that cannot be
// measured (no window) takes every text.
bool FieldMeasure::Fits(const char* text) const
{
    if (m_dc == nullptr)
        return m_edit == nullptr;
    SIZE size{};
    return ::GetTextExtentPoint32A(m_dc, text, static_cast<int>(std::strlen(text)), &size) &&
           size.cx < m_width;
}
