#include "fitted_number.h"

#include <cstring>

namespace {

// The edit control's font selected into a device context, and the width of
// its formatting rectangle: the part of the field where text is drawn.
class FieldMeasure {
public:
    explicit FieldMeasure(HWND edit) : m_edit(edit), m_dc(::GetDC(edit))
    {
        const auto font = reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0));
        if (m_dc != nullptr && font != nullptr)
            m_oldFont = ::SelectObject(m_dc, font);
        RECT format{};
        ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        m_width = format.right - format.left;
    }
    ~FieldMeasure()
    {
        if (m_oldFont != nullptr)
            ::SelectObject(m_dc, m_oldFont);
        if (m_dc != nullptr)
            ::ReleaseDC(m_edit, m_dc);
    }
    FieldMeasure(const FieldMeasure&) = delete;
    FieldMeasure& operator=(const FieldMeasure&) = delete;

    // Narrower than the rectangle, so that the caret after the last
    // character stays inside it too and the field never scrolls.
    bool Fits(const char* text) const
    {
        SIZE size{};
        return m_dc != nullptr &&
               ::GetTextExtentPoint32A(m_dc, text, static_cast<int>(std::strlen(text)), &size) &&
               size.cx < m_width;
    }

private:
    HWND m_edit;
    HDC m_dc;
    HGDIOBJ m_oldFont = nullptr;
    int m_width = 0;
};

}  // namespace

bool FitNumber(HWND edit, double value, char* out)
{
    if (edit == nullptr) {
        FormatRounded(value, kAllDigits, out);
        return false;
    }
    const FieldMeasure field(edit);
    return FitRounded(value, out, [&field](const char* text) { return field.Fits(text); });
}
